# switchboard-cli on Linux, with CUPS (Debian: libcups2-dev) for its printers.
if(NOT WIN32)
  add_library(sb_cli_posix STATIC posix_file_access.cpp socket_access.cpp tcp_posix.cpp)
  target_link_libraries(sb_cli_posix PUBLIC sb_cli)

  find_package(Cups)
  if(CUPS_FOUND)
    add_executable(switchboard-cli main_posix.cpp cups_access.cpp)
    target_link_libraries(switchboard-cli PRIVATE sb_cli_posix Cups::Cups)
  else()
    message(WARNING "libcups not found (Debian: libcups2-dev): switchboard-cli is not built")
  endif()
endif()
