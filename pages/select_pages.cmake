sb_core_library(sb_pages_select select_values.cpp form_values.cpp leading_int.cpp)
target_link_libraries(sb_pages_select PUBLIC sb_record sb_base)
