# SPDX-License-Identifier: MIT
# The Windows installer, vornikat-VERSION-setup.exe at the top of the build tree: Debian's
# makensis over the files of the release (scripts/make-windows-installer), from the programs and
# the bank of this build. `make windows-installer` copies it to dist/.
find_program(VORNIKAT_MAKENSIS makensis REQUIRED)
set(VORNIKAT_SETUP ${PROJECT_BINARY_DIR}/vornikat-${PROJECT_VERSION}-setup.exe)
set(files ${PROJECT_BINARY_DIR}/setup-files)
add_custom_command(OUTPUT ${VORNIKAT_SETUP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${files}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Vornikat> $<TARGET_FILE:vornikat-bank>
          ${PROJECT_BINARY_DIR}/data.bin ${files}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/make-windows-installer ${files} ${VORNIKAT_SETUP}
  DEPENDS Vornikat vornikat-bank vornikat_bank_data ${PROJECT_BINARY_DIR}/data.bin
          ${PROJECT_SOURCE_DIR}/scripts/make-windows-installer
          ${PROJECT_SOURCE_DIR}/scripts/windows_release.py
          ${PROJECT_SOURCE_DIR}/resources/windows/vornikat-setup.nsi
          ${PROJECT_SOURCE_DIR}/resources/windows/readme-ru.txt
          ${PROJECT_SOURCE_DIR}/resources/windows/THIRD-PARTY-NOTICES.txt
          ${PROJECT_SOURCE_DIR}/resources/vornikat.ico ${PROJECT_SOURCE_DIR}/LICENSE
  VERBATIM)
add_custom_target(vornikat_setup ALL DEPENDS ${VORNIKAT_SETUP})
