# The help file, made from help/helpfile.txt by the help-file writer into the build
# folder's help folder, where Help > Index and F1 look for it when the program starts in
# its own folder.
set(TAVRIN_HELP_SOURCE ${CMAKE_SOURCE_DIR}/help/helpfile.txt)
set(TAVRIN_HELP_DIR ${CMAKE_BINARY_DIR}/help)
set(TAVRIN_HELP_FILE ${TAVRIN_HELP_DIR}/helpfile.hlp)

# Only the help-file writer is needed here, not every host tool.
if(TARGET hlp_writer)
  set(TAVRIN_HLP_WRITER_TARGET hlp_writer)
else()
  set(TAVRIN_HLP_WRITER_TARGET ${TAVRIN_HOST_TOOLS_TARGET})
endif()

add_custom_command(
  OUTPUT ${TAVRIN_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVRIN_HELP_DIR}
  COMMAND ${TAVRIN_HLP_WRITER} ${TAVRIN_HELP_SOURCE} ${TAVRIN_HELP_FILE}
  DEPENDS ${TAVRIN_HELP_SOURCE} ${TAVRIN_HLP_WRITER} ${TAVRIN_HLP_WRITER_TARGET}
  COMMENT "Making the help file"
  VERBATIM)
add_custom_target(tavrin_help DEPENDS ${TAVRIN_HELP_FILE})
add_dependencies(tavrin tavrin_help)
