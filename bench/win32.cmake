# Benchmarks that run under Wine (or on Windows): the editor's commands on a real EDIT
# control against bare API calls, and the program's peak memory with a large file.
add_executable(bench_win32 ${CMAKE_SOURCE_DIR}/bench/win32_bench.cpp)
target_include_directories(bench_win32 PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_link_libraries(bench_win32 PRIVATE tavrin_win32)

add_executable(bench_memory ${CMAKE_SOURCE_DIR}/bench/memory_bench.cpp)
target_include_directories(bench_memory PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_compile_definitions(bench_memory PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(bench_memory PRIVATE psapi user32)
if(NOT MSVC)
  target_link_options(bench_memory PRIVATE -static)
endif()

add_executable(bench_bare_window WIN32 ${CMAKE_SOURCE_DIR}/bench/bare_window.cpp)
add_executable(bench_startup ${CMAKE_SOURCE_DIR}/bench/startup_bench.cpp)
target_include_directories(bench_startup PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_link_libraries(bench_startup PRIVATE user32)
if(NOT MSVC)
  target_link_options(bench_bare_window PRIVATE -static)
  target_link_options(bench_startup PRIVATE -static)
endif()
