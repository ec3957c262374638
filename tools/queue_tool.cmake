if(WIN32)
  # Not part of the program: tests and the demo make their print queues with it.
  add_library(sb_queue_admin STATIC queue_admin.cpp)
  target_include_directories(sb_queue_admin PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_definitions(sb_queue_admin PUBLIC ${SB_WIN_DEFINITIONS})
  target_link_libraries(sb_queue_admin PUBLIC winspool)

  add_executable(sbqueue queue_tool.cpp)
  target_link_libraries(sbqueue PRIVATE sb_queue_admin shell32)
endif()
