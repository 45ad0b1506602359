# SPDX-License-Identifier: MIT
# The Debian package: CPack's DEB generator packs whatever `cmake --install` installs, under
# /usr. The files Debian asks of every package (the copyright, the changelog) and the compressed
# manual pages are added to the staged tree by DebianDocs.cmake, so that a plain install keeps
# its readable pages. Built from the release preset: `make deb`.
include(${PROJECT_SOURCE_DIR}/cmake/Changelog.cmake)
vornikat_read_changelog(${PROJECT_SOURCE_DIR}/CHANGELOG.md)

set(VORNIKAT_PACKAGE vornikat)
set(VORNIKAT_MAINTAINER "Vornikat developers <developers@vornikat.example.org>")

# The Debian changelog, newest release first, dated at noon UTC of its release day.
set(debian_changelog "")
foreach(release IN LISTS VORNIKAT_RELEASES)
  execute_process(COMMAND date -u -R -d "${VORNIKAT_RELEASE_DATE_${release}} 12:00"
                  OUTPUT_VARIABLE stamp OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(APPEND debian_changelog "${VORNIKAT_PACKAGE} (${release}) unstable; urgency=medium\n\n")
  foreach(item IN LISTS VORNIKAT_RELEASE_ITEMS_${release})
    string(REPLACE "`" "" item "${item}")
    string(REPLACE " " ";" words "${item}")
    set(line "  *")
    foreach(word IN LISTS words)
      string(LENGTH "${line} ${word}" width)
      if(width GREATER 78)
        string(APPEND debian_changelog "${line}\n")
        set(line "   ")
      endif()
      string(REPLACE "${VORNIKAT_SEMICOLON}" ";" word "${word}")
      string(APPEND line " ${word}")
    endforeach()
    string(APPEND debian_changelog "${line}\n")
  endforeach()
  string(APPEND debian_changelog "\n -- ${VORNIKAT_MAINTAINER}  ${stamp}\n\n")
endforeach()
string(STRIP "${debian_changelog}" debian_changelog)
file(WRITE ${CMAKE_BINARY_DIR}/packaging/changelog "${debian_changelog}\n")

# The machine-readable copyright file, with the licence text of LICENSE.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE licence_lines)
list(REMOVE_AT licence_lines 0 1 2 3)
set(licence_text "")
foreach(line IN LISTS licence_lines)
  if(line STREQUAL "")
    string(APPEND licence_text " .\n")
  else()
    string(APPEND licence_text " ${line}\n")
  endif()
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/packaging/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Vornikat
Upstream-Contact: ${VORNIKAT_MAINTAINER}
Source: https://vornikat.example.org/

Files: *
Copyright: 2026 The Vornikat developers
License: Expat
${licence_text}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VORNIKAT_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VORNIKAT_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianDocs.cmake)
set(CPACK_VORNIKAT_DOCS_DIR ${CMAKE_BINARY_DIR}/packaging)
set(CPACK_VORNIKAT_PACKAGE ${VORNIKAT_PACKAGE})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vornikat.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's GUI library only recommends its platform plugins, and without them no window opens; the
# interface is Russian alone, and without Qt's translations its boxes would answer "Yes/No". The
# sound server's client is loaded at run time, so shlibdeps does not see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, libpulse0")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-liberation2")
# The classic look at scale 1 comes from Wine's bitmap fonts.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS fonts-wine)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "humorous Russian-language quiz about computers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vornikat asks questions about computers one at a time, in Russian: five
options a question, a minute to answer, and a sound after each answer. At
the end a joking verdict says how much of a lamer the player is, and the
last score greets the player at the next start.
.
The package holds the desktop program with its question bank;
vornikat-editor, the question bank editor, which shows each question in
the quiz's window as it is written; and vornikat-bank, which builds,
prints and checks question banks on the command line.")

include(CPack)
