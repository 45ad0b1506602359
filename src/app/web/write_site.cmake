# SPDX-License-Identifier: MIT
# Writes the page's site: index.html, its manifest and service worker and the bank at the top,
# every other file of the page in a folder named by their content together, so that a browser
# may keep them for good and a new build is never mixed with an old one.
# -DSOURCE=src/app/web -DSTAGE=the module's folder -DICONS=resources -DSITE=the site
# -DSTAGED="vornikat.js;vornikat.wasm;vornikat-editor.js;vornikat-editor.wasm" -DSOURCES="page.css;..." [-DBANK=data.bin]
set(assets "")
set(hashes "")
foreach(name IN LISTS SOURCES)
  list(APPEND assets ${SOURCE}/${name})
endforeach()
foreach(name IN LISTS STAGED)
  list(APPEND assets ${STAGE}/${name})
endforeach()
list(APPEND assets ${ICONS}/vornikat.ico ${ICONS}/icons/hicolor/256x256/apps/org.example.vornikat.png
     ${ICONS}/icons/hicolor/scalable/apps/org.example.vornikat.svg)
set(names ${SOURCES} ${STAGED} vornikat.ico vornikat-256.png vornikat.svg)
foreach(file IN LISTS assets)
  file(SHA256 ${file} hash)
  string(APPEND hashes ${hash})
endforeach()
string(SHA256 ASSETS "${hashes}")
string(SUBSTRING ${ASSETS} 0 12 ASSETS)
string(REPLACE ";" " " ASSET_FILES "${names}")

file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE}/${ASSETS})
foreach(file name IN ZIP_LISTS assets names)
  file(COPY_FILE ${file} ${SITE}/${ASSETS}/${name})
endforeach()
configure_file(${SOURCE}/index.html ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/editor.html ${SITE}/editor.html @ONLY)
configure_file(${SOURCE}/manifest.webmanifest ${SITE}/manifest.webmanifest @ONLY)
configure_file(${SOURCE}/service_worker.js ${SITE}/service-worker.js @ONLY)
if(BANK)
  file(COPY_FILE ${BANK} ${SITE}/data.bin)
endif()
