# SPDX-License-Identifier: MIT
# Regenerates the sounds, the program icon and the desktop's icons and compares them byte for
# byte with the committed ones, so that what is shipped is what the generator makes.
# cmake -DGENERATOR=<vornikat-resgen> -DRESOURCES=<resources dir> -DWORK=<dir> -P check_generated.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${GENERATOR}" "${RESOURCES}/vornikat_icon.txt" "${WORK}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "vornikat-resgen failed: ${result}")
endif()
file(GLOB_RECURSE desktop_icons RELATIVE "${WORK}" "${WORK}/icons/*")
file(GLOB_RECURSE committed_icons RELATIVE "${RESOURCES}" "${RESOURCES}/icons/*")
list(SORT desktop_icons)
list(SORT committed_icons)
if(NOT desktop_icons STREQUAL committed_icons)
  message(FATAL_ERROR "resources/icons holds ${committed_icons}, vornikat-resgen makes ${desktop_icons}")
endif()
foreach(name sound_101.wav sound_102.wav vornikat.ico vornikat_icon_image.bin
             vornikat_icon_group.bin ${desktop_icons})
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/${name}"
                          "${RESOURCES}/${name}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "resources/${name} differs from what vornikat-resgen makes; "
                        "run it again: vornikat-resgen resources/vornikat_icon.txt resources")
  endif()
endforeach()
