sb_unit_test(flows_tests panel_core_test.cpp settings_files_test.cpp
             bar_layout_test.cpp LIBS sb_app sb_files)
