# switchboard-cli.exe: a console program beside the panel, linked statically like it.
if(WIN32)
  sb_win_library(sb_cli_win win_file_access.cpp socket_access.cpp tcp_win.cpp)
  # Winsock for the raw port.
  target_link_libraries(sb_cli_win PUBLIC sb_cli sb_files_win sb_printer_win ws2_32)

  add_executable(switchboard-cli main_win.cpp switchboard_cli.rc)
  target_link_libraries(switchboard-cli PRIVATE sb_cli_win)
  # wmain: the arguments as the system has them, in UTF-16.
  target_link_options(switchboard-cli PRIVATE -municode)
  # The version the panel has, from the one header.
  set_source_files_properties(switchboard_cli.rc PROPERTIES
                              OBJECT_DEPENDS "${SB_VERSION_HEADER};${CMAKE_CURRENT_SOURCE_DIR}/switchboard-cli.manifest"
                              INCLUDE_DIRECTORIES ${PROJECT_BINARY_DIR}/res)
endif()
