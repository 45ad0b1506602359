# Regenerates the sounds and the icon files and compares them byte for byte with the
# committed ones, so that what is shipped is what the generator makes.
# cmake -DGENERATOR=<vornikat-resgen> -DRESOURCES=<resources dir> -DWORK=<dir> -P check_generated.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${GENERATOR}" "${RESOURCES}/vornikat_icon.txt" "${WORK}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "vornikat-resgen failed: ${result}")
endif()
foreach(name sound_101.wav sound_102.wav vornikat.ico vornikat_icon_image.bin
             vornikat_icon_group.bin)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/${name}"
                          "${RESOURCES}/${name}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "resources/${name} differs from what vornikat-resgen makes; "
                        "run it again: vornikat-resgen resources/vornikat_icon.txt resources")
  endif()
endforeach()
