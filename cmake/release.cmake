# The release ZIP: tavrin.exe, the help folder, the build kit in its compile folder
# (cmake/kit.cmake), and the README. `cpack` in a build folder writes tavrin-<version>-win32.zip
# from the 32-bit build; the 64-bit build, which only the tests use, names its ZIP
# tavrin-<version>-win64-test.zip. <version> is PROJECT_VERSION, from project() in
# CMakeLists.txt.
install(TARGETS tavrin RUNTIME DESTINATION . COMPONENT tavrin)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION . COMPONENT tavrin)
# The help file is made by the build (cmake/help.cmake); packing fails when it is not there.
install(FILES ${TAVRIN_HELP_FILE} DESTINATION help COMPONENT tavrin)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TAVRIN_PACKAGE_ARCH win32)
else()
  set(TAVRIN_PACKAGE_ARCH win64-test)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VENDOR Molvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "tavrin-${PROJECT_VERSION}-${TAVRIN_PACKAGE_ARCH}")
# Unpacks into one folder of the same name.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENTS_ALL tavrin)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/release)
set(CPACK_STRIP_FILES ON)
include(CPack)
