sb_win_test(smoke_win_tests smoke_test.cpp LIBS sb_queue_admin comctl32 user32 gdi32)
target_compile_definitions(smoke_win_tests PRIVATE ${SB_WIN_DEFINITIONS}
                           SB_SWITCHBOARD_EXE="$<TARGET_FILE:switchboard>")
target_include_directories(smoke_win_tests PRIVATE ${PROJECT_SOURCE_DIR})
add_dependencies(smoke_win_tests switchboard)
