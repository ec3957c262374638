sb_unit_test(menu_tests menu_template_test.cpp menu_text_test.cpp menu_draw_test.cpp LIBS sb_menu)
