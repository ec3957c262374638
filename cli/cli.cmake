# The command layer of switchboard-cli: portable, for every build and the native tests.
sb_core_library(sb_cli cli.cpp options.cpp output.cpp progress_line.cpp assignment.cpp
                file_access.cpp spooler_access.cpp fleet.cpp device_uri.cpp)
target_link_libraries(sb_cli PUBLIC sb_pages_fields sb_files sb_printer sb_base)
