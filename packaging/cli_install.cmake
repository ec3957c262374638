# switchboard-cli installed (cmake --install, or the Debian package): the program, its man
# page made from its own --help by help2man so that the two cannot say different things, its
# bash completion, and the README's part about it.
if(NOT TARGET switchboard-cli)
  return()
endif()
include(GNUInstallDirs)
set(SB_CLI_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/switchboard-cli)

install(TARGETS switchboard-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES switchboard-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions
        RENAME switchboard-cli)

find_program(SB_HELP2MAN help2man DOC "Makes the man page from --help (Debian help2man)")
if(SB_HELP2MAN)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/switchboard-cli.1)
  set(SB_CLI_README ${CMAKE_INSTALL_PREFIX}/${SB_CLI_DOC_DIR}/README.md)
  configure_file(switchboard-cli.h2m.in ${CMAKE_CURRENT_BINARY_DIR}/switchboard-cli.h2m @ONLY)
  # Its date is SOURCE_DATE_EPOCH's, which help2man takes from the environment.
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SB_SOURCE_DATE_EPOCH} LC_ALL=C.UTF-8
            ${SB_HELP2MAN} --no-info --section=1 --version-string=${PROJECT_VERSION}
            "--name=read, compare, change and send the settings files of the Quillstrike 480ZQ9 panel"
            --include=${CMAKE_CURRENT_BINARY_DIR}/switchboard-cli.h2m --output=${page}
            $<TARGET_FILE:switchboard-cli>
    DEPENDS switchboard-cli ${CMAKE_CURRENT_BINARY_DIR}/switchboard-cli.h2m
    COMMENT "Making the man page switchboard-cli(1) from its --help"
    VERBATIM)
  add_custom_target(switchboard-cli-man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "help2man not found (Debian: help2man): no man page for switchboard-cli")
endif()

# The README's section on the command line, up to the next section.
set(readme ${PROJECT_SOURCE_DIR}/README.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme})
file(READ ${readme} text)
string(FIND "${text}" "\n## The command line: switchboard-cli\n" start)
if(start EQUAL -1)
  message(FATAL_ERROR "README.md has no section \"The command line: switchboard-cli\"")
endif()
math(EXPR start "${start} + 1")
string(SUBSTRING "${text}" ${start} -1 text)
string(FIND "${text}" "\n## " end)
string(SUBSTRING "${text}" 0 ${end} text)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/README.md "${text}\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.md DESTINATION ${SB_CLI_DOC_DIR})
