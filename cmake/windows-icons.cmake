# The icon on Windows. Qt Svg is not built for Windows, so the program cannot
# draw its SVG icon there: the build machine draws it once into PNG files of
# the sizes Windows shows, built into the program as the resource "icons"
# (the window icon), and into the .ico file that Explorer, the Start menu and
# the installer show (the program file's icon). Included by src/CMakeLists.txt;
# sets vexmoor_icon_resources (for the views) and vexmoor_icon_rc (for the program).
find_program(VEXMOOR_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(VEXMOOR_IMAGEMAGICK convert REQUIRED)

set(vexmoor_icon_svg ${PROJECT_SOURCE_DIR}/data/${VEXMOOR_APP_ID}.svg)
set(vexmoor_icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(vexmoor_icon_pngs)
set(vexmoor_icon_qrc_files)
# The sizes the window icon is drawn in: the sizes Windows asks for.
foreach(size 16 24 32 48 64 128 256)
  set(png ${vexmoor_icon_dir}/vexmoor-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${vexmoor_icon_dir}
    COMMAND ${VEXMOOR_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${vexmoor_icon_svg}
    DEPENDS ${vexmoor_icon_svg} VERBATIM)
  list(APPEND vexmoor_icon_pngs ${png})
  string(APPEND vexmoor_icon_qrc_files "    <file>vexmoor-${size}.png</file>\n")
endforeach()

set(vexmoor_icon_ico ${vexmoor_icon_dir}/vexmoor.ico)
add_custom_command(OUTPUT ${vexmoor_icon_ico}
  COMMAND ${VEXMOOR_IMAGEMAGICK} ${vexmoor_icon_pngs} ${vexmoor_icon_ico}
  DEPENDS ${vexmoor_icon_pngs} VERBATIM)

file(CONFIGURE OUTPUT ${vexmoor_icon_dir}/icons.qrc CONTENT
  "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/icons\">\n${vexmoor_icon_qrc_files}  </qresource>\n</RCC>\n")
qt6_add_resources(vexmoor_icon_resources ${vexmoor_icon_dir}/icons.qrc)

file(CONFIGURE OUTPUT ${vexmoor_icon_dir}/vexmoor.rc CONTENT "1 ICON \"${vexmoor_icon_ico}\"\n")
set_source_files_properties(${vexmoor_icon_dir}/vexmoor.rc PROPERTIES OBJECT_DEPENDS ${vexmoor_icon_ico})
set(vexmoor_icon_rc ${vexmoor_icon_dir}/vexmoor.rc)
