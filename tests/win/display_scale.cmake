# One layout test run at three display scales, each in a prefix of its own that wine-run sets
# to that DPI, and with the one queue start-up takes without asking.
sb_win_test(display_scale_win_tests display_scale_test.cpp LIBS sb_app_win sb_queue_admin)
target_include_directories(display_scale_win_tests PRIVATE ${PROJECT_SOURCE_DIR})
set_tests_properties(display_scale_win_tests PROPERTIES
                     ENVIRONMENT "SB_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-scale96;SB_WINE_DPI=96")
foreach(dpi 144 192)
  add_test(NAME display_scale_win_tests_${dpi} COMMAND display_scale_win_tests)
  set_tests_properties(display_scale_win_tests_${dpi} PROPERTIES ENVIRONMENT
                       "SB_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-scale${dpi};SB_WINE_DPI=${dpi}")
endforeach()
