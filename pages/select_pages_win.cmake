if(WIN32)
  sb_win_library(sb_pages_select_win select_page.cpp form_dlg.cpp)
  target_link_libraries(sb_pages_select_win PUBLIC sb_pages_select sb_ui_win)
endif()
