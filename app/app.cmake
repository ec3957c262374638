sb_core_library(sb_app_start start_up.cpp)

if(WIN32)
  sb_win_library(sb_app_win panel_dlg.cpp panel_dlg_layout.cpp panel_toolbar.cpp panel_statusbar.cpp
                 help_viewer.cpp module_path.cpp)
  target_link_libraries(sb_app_win PUBLIC sb_app sb_files_win sb_printer_win sb_printer_select_win
                        sb_pages_switch_win sb_pages_select_win sb_menu_win sb_ui_win)

  # The one program users get: a single exe that imports system DLLs only (the toolchain
  # links it statically).
  add_executable(switchboard WIN32 panel_app_win.cpp ${SB_RESOURCE_SCRIPT})
  target_link_libraries(switchboard PRIVATE sbwin sb_app_start)
endif()
