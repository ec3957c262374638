sb_win_test(printer_select_win_tests printer_select_test.cpp
            LIBS sb_printer_select_win sb_queue_admin)

# Not a test: shows the dialog over queues of its own, for scripts/screenshot.
add_executable(printer_select_shot WIN32 printer_select_shot.cpp ${SB_RESOURCE_SCRIPT})
target_link_libraries(printer_select_shot PRIVATE sb_printer_select_win sb_queue_admin)
