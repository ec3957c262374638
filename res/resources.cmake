if(WIN32)
  # Linked straight into each program: a resource object inside a static library would
  # never be pulled in.
  set(SB_RESOURCE_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/switchboard.rc CACHE INTERNAL "")
endif()
