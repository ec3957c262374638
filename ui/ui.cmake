if(WIN32)
  sb_win_library(sb_ui_win window.cpp controls.cpp wide_text.cpp dialog.cpp page.cpp win_prompter.cpp system_dll.cpp dpi.cpp)
  target_link_libraries(sb_ui_win PUBLIC sb_base)
endif()
