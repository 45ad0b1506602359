# SPDX-License-Identifier: MIT
# The editor's command line on a system in English: --help and --version answered without any
# display, in Russian, with status 0; a name that starts with a dash and a second file each
# refused in one line before any window opens. Needs EDITOR (the program) and VERSION.
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

set(ENV{QT_QPA_PLATFORM} offscreen)
foreach(case "-draft.txt;2;«draft[.]txt».*после «--»" "a.txt;b.txt;2;один файл, а дано 2")
  list(POP_BACK case said)
  list(POP_BACK case expected_status)
  execute_process(COMMAND "${EDITOR}" ${case} RESULT_VARIABLE status OUTPUT_VARIABLE output
                  ERROR_VARIABLE errors TIMEOUT 20)
  message("${case}: ${status}: ${errors}")
  # Its own words are one line, whatever else a sanitizer or Qt adds around them.
  string(REPLACE ";" "," flat "${errors}")
  string(REGEX MATCHALL "vornikat-editor:[^\n]*" lines "${flat}")
  list(LENGTH lines count)
  if(NOT status EQUAL expected_status OR NOT count EQUAL 1 OR NOT lines MATCHES "${said}")
    message(FATAL_ERROR "vornikat-editor ${case} ended with ${status}, saying: ${errors}")
  endif()
endforeach()
