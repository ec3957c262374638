sb_win_test(switch_pages_win_tests switch_pages_test.cpp LIBS sb_pages_switch_win)

# Shows one page over the main window's tabs, for looking at its layout in a screenshot.
add_executable(switch_page_view WIN32 switch_page_view.cpp ${SB_RESOURCE_SCRIPT})
target_link_libraries(switch_page_view PRIVATE sb_pages_switch_win)
