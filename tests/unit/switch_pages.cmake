sb_unit_test(switch_pages_tests msw_values_test.cpp param_values_test.cpp param_typing_test.cpp
             number_messages_test.cpp LIBS sb_pages_switch sb_base)
