if(WIN32)
  sb_win_library(sb_printer_win win_spooler.cpp win_os_version.cpp)
  target_link_libraries(sb_printer_win PUBLIC sb_printer sb_ui_win)
endif()
