# SPDX-License-Identifier: MIT
# Installs the build tree into a fresh prefix twice, around a bank of the player's own built at
# the documented place of that prefix (as with --prefix ~/.local): the player's bank is left as
# it was and is the one that plays; the installed program lists the places it looks in, in
# order, the player's and the bank installed with it but not its own folder, and that bank is
# there.
# Needs BUILD (the build tree), PREFIX and DRIVER (the play driver, loaded into the program).
file(REMOVE_RECURSE "${PREFIX}")
function(install_tree)
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                  RESULT_VARIABLE installed OUTPUT_QUIET)
  if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${installed}")
  endif()
endfunction()

install_tree()
file(REAL_PATH "${PREFIX}" prefix)
set(players "${prefix}/share/vornikat/data.bin")
file(WRITE "${prefix}/players.txt"
     "Чей это банк?\nA. Мой\nB. Не мой\nC. Ничей\nD. Общий\nE. Не знаю\nANSWER: A\n")
execute_process(COMMAND "${BUILD}/tools/vornikat-bank" build "${prefix}/players.txt" -o "${players}"
                RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "vornikat-bank could not build the player's bank")
endif()
file(SHA256 "${players}" before)
install_tree()
file(SHA256 "${players}" after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the second install changed the player's bank ${players}")
endif()

set(ENV{XDG_DATA_HOME} "${prefix}/share")
execute_process(COMMAND "${prefix}/bin/vornikat" --help
                RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE errors)
message("${help}${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vornikat --help ended with ${status}")
endif()
# The places in the order they are looked at; the installed program's own folder is the
# system's, and not one of them.
set(shipped "${prefix}/share/vornikat/shipped/data.bin")
string(REGEX MATCHALL "\n  /[^\n]*data\\.bin\n" listed "${help}")
if(NOT listed STREQUAL "\n  ${players}\n;\n  ${shipped}\n")
  message(FATAL_ERROR "vornikat --help lists ${listed}, not ${players} then ${shipped}")
endif()
if(NOT EXISTS "${shipped}")
  message(FATAL_ERROR "no bank installed at ${shipped}")
endif()

# The installed program, played offscreen, shows the player's question.
file(MAKE_DIRECTORY "${prefix}/runtime" "${prefix}/config")
file(CHMOD "${prefix}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{XDG_RUNTIME_DIR} "${prefix}/runtime")
set(ENV{XDG_CONFIG_HOME} "${prefix}/config")
set(ENV{QT_QPA_PLATFORM} offscreen)
# A sanitized build wants its runtime loaded before the driver.
execute_process(COMMAND ldd "${prefix}/bin/vornikat" OUTPUT_VARIABLE libraries)
set(preload "${DRIVER}")
if(libraries MATCHES "libasan[^ ]* => ([^ ]+)")
  set(preload "${CMAKE_MATCH_1} ${DRIVER}")
endif()
set(ENV{LD_PRELOAD} "${preload}")
execute_process(COMMAND "${prefix}/bin/vornikat" RESULT_VARIABLE status ERROR_VARIABLE played
                TIMEOUT 60)
unset(ENV{LD_PRELOAD})
message("${played}")
if(NOT status EQUAL 0 OR NOT played MATCHES "play-driver: main window: Чей это банк\\?")
  message(FATAL_ERROR "the installed program did not play the player's bank (status ${status})")
endif()
file(REMOVE_RECURSE "${PREFIX}")
