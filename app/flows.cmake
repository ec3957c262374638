sb_core_library(sb_app panel_core.cpp help_file.cpp bar_layout.cpp spooler_record_sender.cpp)
target_link_libraries(sb_app PUBLIC sb_record sb_files sb_printer)
