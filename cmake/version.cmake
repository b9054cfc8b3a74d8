# The program's version lives in one place, project(Tavrin VERSION ...) in CMakeLists.txt.
# This writes it into version.h in the generated folder, for the resource script's
# version block and for the C++ sources; the release ZIP takes its name from the same
# PROJECT_VERSION (cmake/release.cmake).
if(NOT TAVRIN_GENERATED_DIR)
  message(FATAL_ERROR "cmake/version.cmake needs TAVRIN_GENERATED_DIR (cmake/host_tools.cmake)")
endif()
foreach(part MAJOR MINOR PATCH TWEAK)
  # project(Tavrin VERSION 0.1) leaves the patch and tweak parts empty.
  set(TAVRIN_VERSION_${part} "${PROJECT_VERSION_${part}}")
  if("${TAVRIN_VERSION_${part}}" STREQUAL "")
    set(TAVRIN_VERSION_${part} 0)
  endif()
endforeach()
set(TAVRIN_VERSION_FILE
    "${TAVRIN_VERSION_MAJOR}.${TAVRIN_VERSION_MINOR}.${TAVRIN_VERSION_PATCH}.${TAVRIN_VERSION_TWEAK}")
set(TAVRIN_VERSION_HEADER ${TAVRIN_GENERATED_DIR}/version.h)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${TAVRIN_VERSION_HEADER} @ONLY)
# The program's manifest names the same version.
configure_file(${CMAKE_SOURCE_DIR}/resources/tavrin.manifest.in ${TAVRIN_GENERATED_DIR}/tavrin.manifest
               @ONLY)
