sb_win_test(files_win_tests win_file_store_test.cpp win_file_dialogs_test.cpp win_user_folders_test.cpp
            LIBS sb_files_win)
