sb_unit_test(record_tests record_test.cpp LIBS sb_record)
