# Compiles the help: copies the sources into STAGE_DIR in Shift_JIS (each topic's charset
# declaration changed to match), runs CHMCMD there and copies the result to OUTPUT.
#
#   cmake -DSOURCE_DIR=... -DSTAGE_DIR=... -DOUTPUT=... -DCHMCMD=... -DICONV=... -P compile_chm.cmake
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR}/utf-8)
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/help_lib.cmake)
sb_help_inputs(${SOURCE_DIR} names)
foreach(name IN LISTS names)
  file(READ ${SOURCE_DIR}/${name} text)
  string(REPLACE "charset=utf-8" "charset=Shift_JIS" text "${text}")
  file(WRITE ${STAGE_DIR}/utf-8/${name} "${text}")
  # A character that Shift_JIS lacks would turn into garbage in the viewer: stop instead.
  execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 ${STAGE_DIR}/utf-8/${name}
                  OUTPUT_FILE ${STAGE_DIR}/${name} RESULT_VARIABLE result ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "help/${name} cannot be written in Shift_JIS: ${error}")
  endif()
endforeach()

execute_process(COMMAND ${CHMCMD} --verbosity 0 swbz48.hhp WORKING_DIRECTORY ${STAGE_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT result EQUAL 0 OR NOT EXISTS ${STAGE_DIR}/swbz48.chm)
  message(FATAL_ERROR "chmcmd failed (${result}):\n${log}")
endif()
file(COPY_FILE ${STAGE_DIR}/swbz48.chm ${OUTPUT})
