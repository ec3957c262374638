sb_win_test(main_window_win_tests main_window_test.cpp second_instance_test.cpp
            LIBS sb_app_win sb_queue_admin)
target_compile_definitions(main_window_win_tests PRIVATE SB_SWITCHBOARD_EXE="$<TARGET_FILE:switchboard>")
target_include_directories(main_window_win_tests PRIVATE ${PROJECT_SOURCE_DIR})
add_dependencies(main_window_win_tests switchboard)
# A prefix of its own: start-up takes the only queue of the printer's driver without asking,
# which the queues of tests running beside it would spoil.
set_tests_properties(main_window_win_tests PROPERTIES
                     ENVIRONMENT "SB_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-mainwin")
