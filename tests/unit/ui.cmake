sb_unit_test(ui_text_tests ui_text_test.cpp LIBS sb_ui_text)
