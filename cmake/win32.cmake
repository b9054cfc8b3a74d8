# The Windows program, its resources, and the tests that run under Wine (or on Windows).
include(cmake/host_tools.cmake)
include(cmake/version.cmake)

file(GLOB TAVRIN_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp src/app/*.cpp src/build/Unit*.cpp)
list(FILTER TAVRIN_WIN32_SOURCES EXCLUDE REGEX "/(command_line|main)\\.cpp$")
add_library(tavrin_win32 STATIC ${TAVRIN_WIN32_SOURCES})
# The generated folder holds version.h.
target_include_directories(tavrin_win32 PUBLIC src resources ${TAVRIN_GENERATED_DIR})
target_compile_definitions(tavrin_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                                               WINVER=0x0601 _WIN32_IE=0x0600)
# The shell, the common dialogs and COM are loaded when first used (win32/late_bound.h).
target_link_libraries(tavrin_win32 PUBLIC tavrin_logic comctl32 advapi32 gdi32 user32)
if(NOT MSVC)
  target_link_options(tavrin_win32 PUBLIC -static)
endif()

add_executable(tavrin WIN32 src/app/main.cpp resources/tavrin.rc)
target_link_libraries(tavrin PRIVATE tavrin_win32)
add_dependencies(tavrin tavrin_resources tavrin_kit)
set_source_files_properties(resources/tavrin.rc PROPERTIES OBJECT_DEPENDS
                            "${TAVRIN_GENERATED_RESOURCES};${TAVRIN_VERSION_HEADER};${TAVRIN_GENERATED_DIR}/tavrin.manifest")
target_include_directories(tavrin PRIVATE ${TAVRIN_GENERATED_DIR})
if(NOT MSVC)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${TAVRIN_GENERATED_DIR} -I${CMAKE_SOURCE_DIR}/resources")
endif()
# For the screenshot script: opens and closes the dialogs through their commands.
add_executable(post_command tools/post_command.cpp)
target_link_libraries(post_command PRIVATE user32)
if(NOT MSVC)
  target_link_options(post_command PRIVATE -static)
endif()
include(cmake/help.cmake)
include(cmake/kit.cmake)
include(cmake/release.cmake)

# GoogleTest: Debian's sources when cross-building, an installed package otherwise.
if(EXISTS /usr/src/googletest/CMakeLists.txt AND CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(TAVRIN_GTEST gtest)
  set(TAVRIN_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  set(TAVRIN_GTEST GTest::gtest)
  set(TAVRIN_GTEST_MAIN GTest::gtest_main)
endif()

file(GLOB TAVRIN_WIN32_TESTS CONFIGURE_DEPENDS tests/win32/*.cpp)
file(GLOB TAVRIN_E2E_TESTS CONFIGURE_DEPENDS tests/e2e/*.cpp)
if(NOT TAVRIN_WIN32_TESTS)
  message(FATAL_ERROR "No Win32 test sources in tests/win32")
endif()
if(NOT TAVRIN_E2E_TESTS)
  message(FATAL_ERROR "No end-to-end test sources in tests/e2e")
endif()
# With the program's resources: its pictures and its Common Controls manifest.
add_executable(win32_tests ${TAVRIN_WIN32_TESTS} resources/tavrin.rc)
add_dependencies(win32_tests tavrin_resources)
target_include_directories(win32_tests PRIVATE ${TAVRIN_GENERATED_DIR})
target_include_directories(win32_tests PRIVATE tests)
target_link_libraries(win32_tests PRIVATE tavrin_win32 ${TAVRIN_GTEST} ${TAVRIN_GTEST_MAIN})
# Report paths are relative: the tests run under Wine, which maps the build folder.
add_test(NAME win32_tests COMMAND win32_tests --gtest_output=xml:results/win32.xml
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})

add_executable(e2e_tests ${TAVRIN_E2E_TESTS})
target_include_directories(e2e_tests PRIVATE tests src resources ${TAVRIN_GENERATED_DIR})
target_compile_definitions(e2e_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(e2e_tests PRIVATE ${TAVRIN_GTEST} user32 gdi32 advapi32 comctl32 shell32)
if(NOT MSVC)
  target_link_options(e2e_tests PRIVATE -static)
endif()
add_dependencies(e2e_tests tavrin)
add_test(NAME e2e_tests COMMAND e2e_tests --gtest_output=xml:results/e2e.xml
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(e2e_tests PROPERTIES ENVIRONMENT "TAVRIN_EXE=$<TARGET_FILE:tavrin>"
                                          RUN_SERIAL TRUE)
set_tests_properties(win32_tests PROPERTIES RUN_SERIAL TRUE)
include(bench/win32.cmake)
