sb_unit_test(app_start_tests start_up_test.cpp LIBS sb_app_start)
