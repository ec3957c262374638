sb_unit_test(emulator_tests record_text_test.cpp job_check_test.cpp emulator_cli_test.cpp
             LIBS sb_record_text)
# The command-line tests run the real program.
add_dependencies(emulator_tests sbemu)
target_compile_definitions(emulator_tests PRIVATE SBEMU_PATH="$<TARGET_FILE:sbemu>")
