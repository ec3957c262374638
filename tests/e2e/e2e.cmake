# End-to-end scenarios: the real switchboard.exe, its print queues made through the spooler,
# driven from outside by window messages like a user. They run in a Wine prefix of their own,
# one at a time, since every queue with the printer's driver is offered to every instance.
# scripts/check builds the native preset beside this one.
get_filename_component(SB_SBEMU_DEFAULT "${CMAKE_BINARY_DIR}/../native/tools/sbemu" ABSOLUTE)
set(SB_SBEMU "${SB_SBEMU_DEFAULT}"
    CACHE FILEPATH "The native printer emulator behind the scenarios' pipe ports (raw capture when missing)")

add_library(sb_e2e_driver STATIC driver.cpp capture.cpp)
target_include_directories(sb_e2e_driver PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_definitions(sb_e2e_driver PUBLIC ${SB_WIN_DEFINITIONS})
target_link_libraries(sb_e2e_driver PUBLIC user32 kernel32)

add_executable(e2e_tests scenario.cpp startup_test.cpp selection_test.cpp send_test.cpp files_test.cpp
                         exit_test.cpp help_test.cpp cli_test.cpp keyboard_test.cpp)
target_link_libraries(e2e_tests PRIVATE sb_e2e_driver sb_queue_admin gtest_main ws2_32)
add_dependencies(e2e_tests switchboard switchboard-cli)

# A group is ended, with the prefix's Wine, before ctest's timeout would kill only the
# wrapper: whatever hung there cannot hold up the groups after it.
set(SB_E2E_ENVIRONMENT
    "SB_WINEPREFIX=${CMAKE_CURRENT_BINARY_DIR}/wineprefix;SB_WINE_TIME_LIMIT=100;SB_E2E_APP=$<TARGET_FILE:switchboard>;SB_E2E_CLI=$<TARGET_FILE:switchboard-cli>;SB_E2E_WORK=${CMAKE_CURRENT_BINARY_DIR}/work;SB_E2E_RECEIVE=${CMAKE_CURRENT_SOURCE_DIR}/receive_job.sh;SB_SBEMU=${SB_SBEMU}")

# One ctest entry per group, so a stuck group costs only its own time.
set(SB_E2E_GROUPS "startup:Startup.*" "selection:Selection.*" "send:Send.*" "files:Files.*"
    "exit:Exit.*" "help:Help.*" "cli:Cli.*" "keyboard:Keyboard.*")
foreach(group ${SB_E2E_GROUPS})
  string(REPLACE ":" ";" parts "${group}")
  list(GET parts 0 name)
  list(GET parts 1 filter)
  add_test(NAME e2e_${name} COMMAND e2e_tests --gtest_filter=${filter})
  set_tests_properties(e2e_${name} PROPERTIES
    RESOURCE_LOCK sb_e2e_prefix
    TIMEOUT 120
    ENVIRONMENT "${SB_E2E_ENVIRONMENT}")
endforeach()

# The program in a folder this user cannot add a file to, on a read-only mount of the run's own.
add_test(NAME e2e_unwritable
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/unwritable_folder.sh $<TARGET_FILE:e2e_tests>
                 --gtest_filter=Unwritable.*)
set_tests_properties(e2e_unwritable PROPERTIES
  RESOURCE_LOCK sb_e2e_prefix
  TIMEOUT 120
  ENVIRONMENT "${SB_E2E_ENVIRONMENT}")

# One user step at a time, for the screenshot and demo scripts.
add_executable(sbdrive sbdrive.cpp)
target_link_libraries(sbdrive PRIVATE sb_e2e_driver)
