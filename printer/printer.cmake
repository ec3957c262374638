sb_core_library(sb_printer printer_selection.cpp send.cpp)
target_link_libraries(sb_printer PUBLIC sb_record)
