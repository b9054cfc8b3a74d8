# The build kit that ships beside tavrin.exe as compile\: go.bat, tavasm.exe, the
# TI-83 include files and the kit's README. The build copies it next to the program, so
# Compile works from the build folder at once; the release ZIP holds the same files.
set(TAVRIN_KIT_FILES go.bat README.txt include/ti83asm.inc include/tokens.inc)
set(TAVRIN_KIT_DIR ${CMAKE_BINARY_DIR}/compile)

set(TAVRIN_KIT_OUTPUTS)
foreach(file IN LISTS TAVRIN_KIT_FILES)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/kit/${file})
    message(FATAL_ERROR "The build kit lacks kit/${file}")
  endif()
  add_custom_command(OUTPUT ${TAVRIN_KIT_DIR}/${file}
                     COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/kit/${file}
                             ${TAVRIN_KIT_DIR}/${file}
                     DEPENDS ${CMAKE_SOURCE_DIR}/kit/${file} VERBATIM)
  list(APPEND TAVRIN_KIT_OUTPUTS ${TAVRIN_KIT_DIR}/${file})
endforeach()
add_custom_command(OUTPUT ${TAVRIN_KIT_DIR}/tavasm.exe
                   COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tavasm> ${TAVRIN_KIT_DIR}/tavasm.exe
                   DEPENDS tavasm VERBATIM)
add_custom_target(tavrin_kit ALL DEPENDS ${TAVRIN_KIT_OUTPUTS} ${TAVRIN_KIT_DIR}/tavasm.exe)

install(FILES ${CMAKE_SOURCE_DIR}/kit/go.bat ${CMAKE_SOURCE_DIR}/kit/README.txt
        DESTINATION compile COMPONENT tavrin)
install(FILES ${CMAKE_SOURCE_DIR}/kit/include/ti83asm.inc ${CMAKE_SOURCE_DIR}/kit/include/tokens.inc
        DESTINATION compile/include COMPONENT tavrin)
install(TARGETS tavasm RUNTIME DESTINATION compile COMPONENT tavrin)
