# SPDX-License-Identifier: MIT
# Installs the build tree into a fresh prefix and asks the installed program where it looks for
# its bank: the bank installed with it must be among those places, and be there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()
file(REAL_PATH "${PREFIX}" prefix)
execute_process(COMMAND "${prefix}/bin/vornikat" --help
                RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE errors)
message("${help}${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vornikat --help ended with ${status}")
endif()
set(bank "${prefix}/share/vornikat/data.bin")
string(FIND "${help}" "\n  ${bank}\n" listed)
if(listed EQUAL -1)
  message(FATAL_ERROR "the installed program does not look for ${bank}")
endif()
if(NOT EXISTS "${bank}")
  message(FATAL_ERROR "no bank installed at ${bank}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
