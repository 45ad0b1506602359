# SPDX-License-Identifier: MIT
# Reads the releases out of CHANGELOG.md, for the files that list them (the AppStream metainfo,
# the Debian changelog), and checks that the project's version is among them.
#
# vornikat_read_changelog(FILE) sets, in the caller's scope:
#   VORNIKAT_RELEASES                the released versions, newest first
#   VORNIKAT_RELEASE_DATE_<version>  its date, YYYY-MM-DD
#   VORNIKAT_RELEASE_ITEMS_<version> its entries, one list element each, the Markdown kept
#                                    and a semicolon written VORNIKAT_SEMICOLON, so that lists
#                                    keep their shape
function(vornikat_read_changelog file)
  file(READ "${file}" text)
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(releases "")
  set(current "")
  set(item "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^## \\[([0-9][^]]*)\\] - ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
      set(current "${CMAKE_MATCH_1}")
      list(APPEND releases "${current}")
      set(date_${current} "${CMAKE_MATCH_2}")
      set(items_${current} "")
    elseif(line MATCHES "^## " OR line MATCHES "^\\[")
      set(current "")
    elseif(current AND line MATCHES "^- (.*)$")
      list(APPEND items_${current} "${CMAKE_MATCH_1}")
    elseif(current AND line MATCHES "^  +(.*)$")
      list(POP_BACK items_${current} item)
      list(APPEND items_${current} "${item} ${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(NOT PROJECT_VERSION IN_LIST releases)
    message(FATAL_ERROR "${file} has no release ${PROJECT_VERSION}, the project's version: "
                        "add its section (## [${PROJECT_VERSION}] - YYYY-MM-DD)")
  endif()
  set(VORNIKAT_SEMICOLON "${semicolon}" PARENT_SCOPE)
  set(VORNIKAT_RELEASES "${releases}" PARENT_SCOPE)
  foreach(release IN LISTS releases)
    set(VORNIKAT_RELEASE_DATE_${release} "${date_${release}}" PARENT_SCOPE)
    set(VORNIKAT_RELEASE_ITEMS_${release} "${items_${release}}" PARENT_SCOPE)
  endforeach()
endfunction()
