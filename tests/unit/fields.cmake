sb_unit_test(fields_tests record_fields_test.cpp LIBS sb_pages_fields)
# The labels are checked against the dialog templates and the main window's tab texts.
target_compile_definitions(fields_tests PRIVATE SB_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
