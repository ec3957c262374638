# Timings the program is held to, run by scripts/bench (not a test: they measure, they do
# not judge a build).
if(WIN32)
  add_executable(sb_min_dialog WIN32 min_dialog.cpp min_dialog.rc)
  target_compile_definitions(sb_min_dialog PRIVATE ${SB_WIN_DEFINITIONS})
  target_link_libraries(sb_min_dialog PRIVATE comctl32 user32)

  add_executable(sbbench sbbench.cpp ${SB_RESOURCE_SCRIPT})
  target_link_libraries(sbbench PRIVATE sb_e2e_driver sb_queue_admin sb_pages_switch_win
                        sb_pages_select_win)
  add_dependencies(sbbench switchboard sb_min_dialog)
endif()
