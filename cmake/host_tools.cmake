# Tools that run on the build machine: the picture compiler (pictures, icon and About
# banner from their text sources) and the help-file writer. Cross builds make them
# with the build machine's own compiler.
set(TAVRIN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${TAVRIN_GENERATED_DIR})
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(TAVRIN_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
    BINARY_DIR ${TAVRIN_HOST_TOOLS_DIR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS TRUE
    BUILD_BYPRODUCTS ${TAVRIN_HOST_TOOLS_DIR}/picture_compiler ${TAVRIN_HOST_TOOLS_DIR}/hlp_writer)
  set(TAVRIN_PICTURE_COMPILER ${TAVRIN_HOST_TOOLS_DIR}/picture_compiler)
  set(TAVRIN_HLP_WRITER ${TAVRIN_HOST_TOOLS_DIR}/hlp_writer)
  set(TAVRIN_HOST_TOOLS_TARGET host_tools)
else()
  add_subdirectory(tools)
  set(TAVRIN_PICTURE_COMPILER $<TARGET_FILE:picture_compiler>)
  set(TAVRIN_HLP_WRITER $<TARGET_FILE:hlp_writer>)
  set(TAVRIN_HOST_TOOLS_TARGET picture_compiler hlp_writer)
endif()

include(cmake/resources.cmake)
