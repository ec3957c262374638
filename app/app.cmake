if(WIN32)
  # The one program users get: a single exe that imports system DLLs only (the toolchain
  # links it statically).
  add_executable(switchboard WIN32 panel_app_win.cpp ${SB_RESOURCE_SCRIPT})
  target_include_directories(switchboard PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(switchboard PRIVATE ${SB_WIN_DEFINITIONS})
  target_link_libraries(switchboard PRIVATE comctl32 user32 kernel32)
endif()
