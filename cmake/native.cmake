# Native Linux build: the logic's unit tests, the fuzzers and the host tools.
find_package(GTest REQUIRED)

file(GLOB TAVRIN_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${TAVRIN_UNIT_TESTS})
target_include_directories(unit_tests PRIVATE tests tools)
# The help file test reads help/helpfile.txt from the source tree.
target_compile_definitions(unit_tests PRIVATE TAVRIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(unit_tests PRIVATE tavrin_logic tavasm_lib tavrin_help_format
                                         tavrin_picture_format GTest::gtest GTest::gtest_main)
# The command-line tests run the tavasm program itself.
target_compile_definitions(unit_tests PRIVATE TAVASM_EXE="$<TARGET_FILE:tavasm>")
add_dependencies(unit_tests tavasm)
add_test(NAME unit_tests COMMAND unit_tests --gtest_output=xml:${CMAKE_BINARY_DIR}/results/unit.xml)

add_subdirectory(tools)
add_subdirectory(tests/fuzz)
add_subdirectory(bench)
