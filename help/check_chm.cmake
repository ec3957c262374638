# Reads the compiled help back: it must hold every topic of the contents tree and of the
# index, its contents tree must be the source's, Japanese intact, and it must declare the
# language whose code page the viewer reads that tree in, and carry the full-text index.
#
#   cmake -DCHM=... -DHELP_DIR=... -DSEVENZIP=... -DICONV=... -DWORK_DIR=... -P check_chm.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/help_lib.cmake)

if(NOT SEVENZIP)
  message(FATAL_ERROR "7z is missing (Debian p7zip-full): it reads the help back")
endif()
if(NOT EXISTS ${CHM})
  message(FATAL_ERROR "${CHM} was not built")
endif()

execute_process(COMMAND ${SEVENZIP} l -slt ${CHM} RESULT_VARIABLE result OUTPUT_VARIABLE listing
                ERROR_VARIABLE listing)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "7z cannot list ${CHM}:\n${listing}")
endif()
string(REGEX MATCHALL "\nPath = [^\n]+" entries "${listing}")
list(TRANSFORM entries REPLACE "^\nPath = " "")

file(READ ${HELP_DIR}/swbz48.hhp project)
sb_help_option("${project}" "Contents file" contents_name)
sb_help_option("${project}" "Index file" index_name)
set(problems)

file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${SEVENZIP} e -y -o${WORK_DIR} ${CHM} ${contents_name} ${index_name} "#SYSTEM"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "7z cannot extract from ${CHM}: ${error}")
endif()

foreach(name IN ITEMS ${contents_name} ${index_name})
  execute_process(COMMAND ${ICONV} -f CP932 -t UTF-8 ${WORK_DIR}/${name} RESULT_VARIABLE result
                  OUTPUT_VARIABLE compiled ERROR_VARIABLE error ERROR_STRIP_TRAILING_WHITESPACE)
  file(READ ${HELP_DIR}/${name} source)
  if(NOT result EQUAL 0)
    list(APPEND problems "${name} in the help is not Shift_JIS (${error})")
  elseif(NOT compiled STREQUAL source)
    list(APPEND problems "${name} in the help, read as Shift_JIS, differs from the source")
  endif()
  sb_help_locals("${source}" locals)
  list(TRANSFORM locals REPLACE "#.*$" "")
  list(REMOVE_DUPLICATES locals)
  foreach(topic IN LISTS locals)
    if(NOT topic IN_LIST entries)
      list(APPEND problems "${name} names ${topic}, which the help lacks")
    endif()
  endforeach()
endforeach()

# #SYSTEM: a version, then entries of a code, a length and the data, all little-endian. The
# LCID leads entry 4's data; 0x0411 is Japanese, code page 932.
file(READ "${WORK_DIR}/#SYSTEM" system HEX)
string(LENGTH "${system}" end)
set(lcid "")
set(at 8)
while(at LESS end)
  string(SUBSTRING "${system}" ${at} 8 head)
  string(REGEX REPLACE "^(..)(..)(..)(..)$" "0x\\2\\1;0x\\4\\3" head "${head}")
  list(GET head 0 code)
  list(GET head 1 length)
  math(EXPR at "${at} + 8")
  if(code EQUAL 4)
    string(SUBSTRING "${system}" ${at} 8 lcid)
    break()
  endif()
  math(EXPR at "${at} + 2 * ${length}")
endwhile()
if(NOT lcid STREQUAL "11040000")
  list(APPEND problems "#SYSTEM declares the language ${lcid} (LE), not 0x0411")
endif()
if(NOT "$FIftiMain" IN_LIST entries)
  list(APPEND problems "no full-text search index ($FIftiMain)")
endif()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${CHM}:\n  ${text}")
endif()
list(LENGTH entries count)
message(STATUS "help: ${CHM} holds every topic of ${contents_name} and ${index_name} (${count} entries)")
