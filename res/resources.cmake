if(WIN32)
  # Linked straight into each program: a resource object inside a static library would
  # never be pulled in.
  set(SB_RESOURCE_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/switchboard.rc CACHE INTERNAL "")
  # The About box writes 2.0.0 as "2.000": the minor digit, then the patch in two.
  if(PROJECT_VERSION_MINOR GREATER 9 OR PROJECT_VERSION_PATCH GREATER 99)
    message(FATAL_ERROR "Version ${PROJECT_VERSION} does not fit the About box's form M.mpp")
  endif()
  set(SB_VERSION_PATCH_2 ${PROJECT_VERSION_PATCH})
  if(PROJECT_VERSION_PATCH LESS 10)
    set(SB_VERSION_PATCH_2 0${PROJECT_VERSION_PATCH})
  endif()
  set(SB_VERSION_TEXT ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}${SB_VERSION_PATCH_2})
  set(SB_VERSION_HEADER ${CMAKE_CURRENT_BINARY_DIR}/version.h CACHE INTERNAL "")
  configure_file(version.h.in ${SB_VERSION_HEADER} @ONLY)
endif()
