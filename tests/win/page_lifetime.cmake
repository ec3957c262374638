sb_win_test(page_lifetime_win_tests page_lifetime_test.cpp LIBS sb_pages_switch_win
            sb_pages_select_win)
