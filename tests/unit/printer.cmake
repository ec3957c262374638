sb_unit_test(printer_tests send_test.cpp printer_selection_test.cpp LIBS sb_printer)
