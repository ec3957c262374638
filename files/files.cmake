sb_core_library(sb_files settings_file.cpp settings_files.cpp stdio_file_store.cpp)
target_link_libraries(sb_files PUBLIC sb_record)
