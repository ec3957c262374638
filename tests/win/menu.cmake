sb_win_test(menu_win_tests icon_menu_test.cpp LIBS sb_menu_win)
