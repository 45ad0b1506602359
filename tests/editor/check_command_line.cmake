# SPDX-License-Identifier: MIT
# The editor answers --help and --version without any display, in Russian on a system in
# English, and ends with status 0. Needs EDITOR (the program) and VERSION.
set(ENV{LANG} C)
set(ENV{LC_ALL} C)
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
execute_process(COMMAND "${EDITOR}" --help RESULT_VARIABLE status OUTPUT_VARIABLE help
                ERROR_VARIABLE errors TIMEOUT 20)
message("${help}${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vornikat-editor --help ended with ${status}")
endif()
foreach(expected "Редактор банков вопросов" "Параметры:" "--version" "[FILE]")
  string(FIND "${help}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "vornikat-editor --help does not say \"${expected}\"")
  endif()
endforeach()
execute_process(COMMAND "${EDITOR}" --version RESULT_VARIABLE status OUTPUT_VARIABLE version
                TIMEOUT 20)
if(NOT status EQUAL 0 OR NOT version STREQUAL "vornikat-editor ${VERSION}\n")
  message(FATAL_ERROR "vornikat-editor --version said \"${version}\" with status ${status}")
endif()
