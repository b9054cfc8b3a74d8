# The program's bitmaps and icon, made from resources/pictures.txt by the picture
# compiler into the generated folder, where the resource script finds them.
set(TAVRIN_PICTURE_SOURCE ${CMAKE_SOURCE_DIR}/resources/pictures.txt)
set(TAVRIN_GENERATED_RESOURCES
    ${TAVRIN_GENERATED_DIR}/pictures.bmp
    ${TAVRIN_GENERATED_DIR}/pictures_grey.bmp
    ${TAVRIN_GENERATED_DIR}/tavrin.ico
    ${TAVRIN_GENERATED_DIR}/banner.bmp)

# Only the picture compiler is needed here, not every host tool.
if(TARGET picture_compiler)
  set(TAVRIN_PICTURE_COMPILER_TARGET picture_compiler)
else()
  set(TAVRIN_PICTURE_COMPILER_TARGET ${TAVRIN_HOST_TOOLS_TARGET})
endif()

add_custom_command(
  OUTPUT ${TAVRIN_GENERATED_RESOURCES}
  COMMAND ${TAVRIN_PICTURE_COMPILER} ${TAVRIN_PICTURE_SOURCE} ${TAVRIN_GENERATED_DIR}
  DEPENDS ${TAVRIN_PICTURE_SOURCE} ${TAVRIN_PICTURE_COMPILER}
          ${TAVRIN_PICTURE_COMPILER_TARGET}
  COMMENT "Making pictures, icon and banner"
  VERBATIM)
add_custom_target(tavrin_resources DEPENDS ${TAVRIN_GENERATED_RESOURCES})
