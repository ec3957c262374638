sb_unit_test(base_tests base_text_test.cpp LIBS sb_base)
