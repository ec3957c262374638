if(WIN32)
  sb_win_library(sb_printer_select_win printer_select_dlg.cpp)
  target_link_libraries(sb_printer_select_win PUBLIC sb_printer sb_printer_win sb_ui_win)
endif()
