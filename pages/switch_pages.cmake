sb_core_library(sb_pages_switch msw_values.cpp param_values.cpp param_typing.cpp)
target_link_libraries(sb_pages_switch PUBLIC sb_record sb_base)
