# tavasm, the kit's Z80 assembler: a library of plain C++ (tested natively) and a small
# command-line program, built natively and with mingw (tavasm.exe ships in compile\).
file(GLOB TAVASM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/asm/*.cpp)
list(FILTER TAVASM_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(tavasm_lib STATIC ${TAVASM_SOURCES})
target_include_directories(tavasm_lib PUBLIC ${CMAKE_SOURCE_DIR}/src)

add_executable(tavasm ${CMAKE_SOURCE_DIR}/src/asm/main.cpp)
target_link_libraries(tavasm PRIVATE tavasm_lib)
if(MINGW)
  target_link_options(tavasm PRIVATE -static)
endif()
