# The artwork as PNG, for a Qt without Qt SVG: kobalin_artpng (tools/artpng),
# built for the host against the host's Qt SVG, draws every SVG listed in the
# .qrc at every scale and lists the drawings in a .qrc of its own, compiled
# into target under the same resource name.
include(ExternalProject)

function(kobalin_png_art target qrc)
  get_filename_component(source_dir ${qrc} DIRECTORY)
  get_filename_component(name ${qrc} NAME_WE)
  file(STRINGS ${qrc} lines REGEX "<file>")
  set(svgs)
  set(svg_paths)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ".*<file>(.*)</file>.*" "\\1" svg "${line}")
    list(APPEND svgs ${svg})
    list(APPEND svg_paths ${source_dir}/${svg})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${qrc})

  # Configured without the cross toolchain: a program for this machine.
  set(tool_dir ${CMAKE_BINARY_DIR}/artpng)
  ExternalProject_Add(kobalin_artpng
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/artpng
    BINARY_DIR ${tool_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${tool_dir}/kobalin_artpng
    INSTALL_COMMAND "")

  set(art ${CMAKE_CURRENT_BINARY_DIR}/pngart)
  add_custom_command(OUTPUT ${art}/${name}.qrc
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${art}
    COMMAND ${tool_dir}/kobalin_artpng ${source_dir} ${art} ${svgs}
    DEPENDS kobalin_artpng ${tool_dir}/kobalin_artpng ${svg_paths} ${qrc}
    COMMENT "Drawing the artwork as PNG at every scale"
    VERBATIM)
  add_custom_command(OUTPUT ${art}/qrc_${name}.cpp
    COMMAND Qt6::rcc --name ${name} --output ${art}/qrc_${name}.cpp ${art}/${name}.qrc
    DEPENDS ${art}/${name}.qrc
    VERBATIM)
  target_sources(${target} PRIVATE ${art}/qrc_${name}.cpp)
  target_compile_definitions(${target} PRIVATE KOBALIN_PNG_ART)
endfunction()
