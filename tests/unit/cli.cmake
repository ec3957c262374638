sb_unit_test(cli_tests cli_test.cpp LIBS sb_cli_posix)
