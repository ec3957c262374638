# The record as text and the checks of a job's frame and a settings file's header: portable,
# for the emulator, its tests and the fuzz targets.
sb_core_library(sb_record_text record_text.cpp job_check.cpp)
target_link_libraries(sb_record_text PUBLIC sb_pages_fields sb_files)

# The printer emulator that a Wine pipe port feeds; it runs on the build machine.
if(NOT WIN32)
  add_executable(sbemu printer_emulator.cpp)
  target_link_libraries(sbemu PRIVATE sb_record_text)
endif()
