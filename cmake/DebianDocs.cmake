# SPDX-License-Identifier: MIT
# Run by CPack on the staged install tree before it is packed: adds the copyright file and the
# changelog Debian asks of every package (changelog.gz: the package is native, its version
# has no Debian revision, and lintian wants that name, not changelog.Debian.gz), compresses the manual pages and the changelog as
# Debian wants them (gzip -9n: no name, no time stamp, the same bytes on every build), and
# drops the compiler's notes from the programs as Debian's own packages do.
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/${CPACK_VORNIKAT_PACKAGE}")
file(MAKE_DIRECTORY "${doc}")
file(COPY_FILE "${CPACK_VORNIKAT_DOCS_DIR}/copyright" "${doc}/copyright")
file(COPY_FILE "${CPACK_VORNIKAT_DOCS_DIR}/changelog" "${doc}/changelog")

file(GLOB_RECURSE pages "${root}/share/man/*")
foreach(file IN LISTS pages ITEMS "${doc}/changelog")
  if(NOT file MATCHES "\\.gz$")
    execute_process(COMMAND gzip -9nf "${file}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()

file(GLOB_RECURSE files "${root}/*")
foreach(program IN LISTS files)
  file(READ "${program}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46" AND NOT IS_SYMLINK "${program}")
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${program}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
