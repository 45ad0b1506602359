# SPDX-License-Identifier: MIT
# Runs one case of a test program that ends its own process, as the program it drives does:
# the case passes when its checks passed and the process ended with the expected status, and
# when standard error says what it should (EXPECTED_STDERR, a regular expression).
execute_process(COMMAND ${PROGRAM} ${CASE}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT output MATCHES "PASS   : [^\n]*${CASE}: the program ended")
  message(FATAL_ERROR "${CASE}: its checks did not pass")
endif()
if(DEFINED EXPECTED_STDERR AND NOT errors MATCHES "${EXPECTED_STDERR}")
  message(FATAL_ERROR "${CASE}: standard error does not say \"${EXPECTED_STDERR}\"")
endif()
if(NOT status STREQUAL "${EXPECTED_STATUS}")
  message(FATAL_ERROR "${CASE}: the process ended with ${status}, not ${EXPECTED_STATUS}")
endif()
