sb_win_test(select_pages_win_tests select_pages_test.cpp LIBS sb_pages_select_win)

# Not a test: the page and the form dialog on screen, for scripts/screenshot.
add_executable(select_pages_show select_pages_show.cpp ${SB_RESOURCE_SCRIPT})
target_include_directories(select_pages_show PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(select_pages_show PRIVATE sb_pages_select_win)
