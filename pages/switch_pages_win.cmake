if(WIN32)
  sb_win_library(sb_pages_switch_win msw_page.cpp param_page.cpp)
  target_link_libraries(sb_pages_switch_win PUBLIC sb_pages_switch sb_ui_win)
endif()
