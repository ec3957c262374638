if(WIN32)
  sb_win_library(sb_menu_win icon_menu.cpp)
  target_link_libraries(sb_menu_win PUBLIC sb_menu sb_ui_win)
endif()
