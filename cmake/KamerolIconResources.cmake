# The program's icons are drawn as SVG and compiled into the program as Qt resources. Where Qt has no SVG
# module (Qt for Windows, built from Qt's base alone) each drawing goes in as a PNG bitmap rendered at build
# time by the host's renderer, under the drawing's own resource name: the code names one icon one way, and
# Qt's image reader knows a PNG by its content.
#
#   kamerol_add_icon_resources(TARGET NAME PREFIX PREFIX BASE FOLDER SIZE PIXELS FILES DRAWING...)
#
# The bitmaps are SIZE pixels square. KAMEROL_HOST_ICON_RENDERER is the renderer: packaging's
# kamerol_render_icon as built for the build machine (tests/windows/desktop_check.sh builds it).

set(KAMEROL_HOST_ICON_RENDERER "" CACHE FILEPATH
    "kamerol_render_icon built for the build machine: renders the SVG icons where Qt has no SVG module")

function(kamerol_add_icon_resources target name)
  cmake_parse_arguments(ARG "" "PREFIX;BASE;SIZE" "FILES" ${ARGN})
  if(TARGET Qt6::Svg)
    qt_add_resources(${target} ${name} PREFIX ${ARG_PREFIX} BASE ${ARG_BASE} FILES ${ARG_FILES})
    return()
  endif()
  if(NOT EXISTS "${KAMEROL_HOST_ICON_RENDERER}")
    message(FATAL_ERROR "Qt has no SVG module: set KAMEROL_HOST_ICON_RENDERER to packaging's kamerol_render_icon "
                        "of a build for this machine, which renders the icons")
  endif()
  set(bitmaps)
  foreach(drawing IN LISTS ARG_FILES)
    file(RELATIVE_PATH resource_name ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_BASE} ${CMAKE_CURRENT_SOURCE_DIR}/${drawing})
    set(bitmap ${CMAKE_CURRENT_BINARY_DIR}/icons/${resource_name}.png)
    get_filename_component(bitmap_dir ${bitmap} DIRECTORY)
    add_custom_command(
      OUTPUT ${bitmap}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${bitmap_dir}
      COMMAND ${KAMEROL_HOST_ICON_RENDERER} ${CMAKE_CURRENT_SOURCE_DIR}/${drawing} ${ARG_SIZE} ${bitmap}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${drawing}
      COMMENT "Rendering ${drawing} at ${ARG_SIZE} pixels"
      VERBATIM)
    set_source_files_properties(${bitmap} PROPERTIES QT_RESOURCE_ALIAS ${resource_name})
    list(APPEND bitmaps ${bitmap})
  endforeach()
  qt_add_resources(${target} ${name} PREFIX ${ARG_PREFIX} FILES ${bitmaps})
endfunction()
