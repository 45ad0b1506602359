# SPDX-License-Identifier: MIT
# The two commands a developer needs: `make test` and (with the window) `make run`.
.PHONY: deps format-check test test-dev test-fast test-asan fuzz test-windows windows host-bank-tool \
        bench bench-start bench-bank-tool run screenshots editor-screenshots clean deb package-deb \
        windows-zip windows-installer dist test-dist web web-dist serve-web test-web bench-web \
        bench-web-editor

# `make fuzz SECONDS=N` fuzzes each target N seconds.
SECONDS ?= 15
# The one version, from project() in CMakeLists.txt, names the release files.
VERSION := $(shell sed -n 's/^project.Vornikat VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DEB := dist/vornikat_$(VERSION)_amd64.deb
WINDOWS_ZIP := dist/vornikat-$(VERSION)-windows-x86_64.zip
WINDOWS_SETUP := dist/vornikat-$(VERSION)-setup.exe
WEB_ZIP := dist/vornikat-$(VERSION)-web.zip

deps:
	@scripts/install-deps

test: deps format-check test-dev test-asan fuzz test-windows test-dist test-web

test-dev: deps
	cmake --preset dev
	cmake --build --preset dev
	scripts/check-test-labels build/dev
	scripts/check-test-timeouts build/dev
	ctest --preset dev

# Every C++ file as .clang-format lays it out; clang-format's dry run names any that is not.
format-check: deps
	find src tools tests bench fuzz -name '*.cpp' -o -name '*.hpp' | sort | \
	    xargs clang-format --dry-run --Werror

# The unit tests alone: no window, no Wine, no sound server.
test-fast: deps format-check
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev -L '^unit$$'

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/run-fuzz $(SECONDS)

# The Windows build runs the bank tool of the native one to make its data.bin.
host-bank-tool: deps
	cmake --preset dev
	cmake --build --preset dev --target vornikat-bank

# Vornikat.exe and the shipped bank, all a Windows user needs, in dist/windows.
windows: host-bank-tool
	cmake --preset windows
	cmake --build --preset windows --target Vornikat vornikat-bank vornikat_bank_data
	mkdir -p dist/windows
	cp build/windows/src/app/win32/Vornikat.exe build/windows/tools/vornikat-bank.exe \
	    build/windows/data.bin dist/windows/

# The core's tests and the Windows front-end's, under Wine and a virtual display.
test-windows: windows
	cmake --build --preset windows
	timeout 1800 scripts/wine-session build/windows/wine \
	    sh -c 'scripts/check-test-labels build/windows && scripts/check-test-timeouts build/windows && \
	           ctest --preset windows'

# The quiz itself, built in the dev tree: the player's own bank when there is one (where the
# program itself looks for it), else the shipped one built beside it. It says which it plays.
PLAYERS_BANK := $(if $(filter /%,$(XDG_DATA_HOME)),$(XDG_DATA_HOME),$(HOME)/.local/share)/vornikat/data.bin
run: deps
	cmake --preset dev
	cmake --build --preset dev --target vornikat
	@bank=build/dev/data.bin; if [ -e "$(PLAYERS_BANK)" ]; then bank="$(PLAYERS_BANK)"; fi; \
	echo "make run: playing $$bank"; build/dev/vornikat "$$bank"

screenshots: deps
	cmake --preset dev
	cmake --build --preset dev --target vornikat
	scripts/screenshots build/dev

editor-screenshots: deps
	cmake --preset dev
	cmake --build --preset dev --target vornikat-editor
	scripts/editor-screenshots build/dev

# The time of the last commit stamps every file and member of the package, so that one commit
# makes one package, byte for byte; outside a git checkout the time of the build does.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
export SOURCE_DATE_EPOCH

# The Debian package, made by CPack from what `cmake --install` puts in the release build.
deb: deps
	cmake --preset release
	cmake --build --preset release
	$(MAKE) --no-print-directory package-deb
	mkdir -p dist
	cp build/release/packages/$(notdir $(DEB)) $(DEB)

package-deb:
	rm -rf build/release/packages
	cd build/release && cpack --config CPackConfig.cmake

# The Windows release: the program and its bank with a readme, the licences and checksums.
windows-zip: windows
	scripts/make-windows-zip dist/windows $(WINDOWS_ZIP)

# The Windows installer (per user, no administrator), made by Debian's makensis in the Windows
# build, where `make test-windows` installs, plays and uninstalls it under Wine.
windows-installer: windows
	cmake --build --preset windows --target vornikat_setup
	cp build/windows/$(notdir $(WINDOWS_SETUP)) $(WINDOWS_SETUP)

dist: deb windows-zip windows-installer

# The release files as a packager and a user would check them: lintian, the package's
# contents and hardening, the unpacked program played offscreen, the upgrade from the previous
# version, the zip's files and sums, and each file the same bytes when made again.
test-dist: deb windows-zip windows-installer
	$(MAKE) --no-print-directory package-deb
	cmp build/release/packages/$(notdir $(DEB)) $(DEB) || \
	    { echo "test-dist: the package made again differs from the first" >&2; exit 1; }
	cmake --preset dev
	cmake --build --preset dev --target package_play_driver
	tests/packaging/check_deb.sh $(DEB) build/dev/tests/packaging/package_play_driver.so
	tests/packaging/check_upgrade.sh $(DEB) build/release build/dev/tests/packaging/package_play_driver.so
	tests/packaging/check_windows_zip.sh $(WINDOWS_ZIP) dist/windows
	scripts/make-windows-installer dist/windows build/windows/setup-again.exe
	cmp build/windows/setup-again.exe $(WINDOWS_SETUP) || \
	    { echo "test-dist: the installer made again differs from the first" >&2; exit 1; }

# The page: build/web holds static files only (the page, its manifest and service worker, its
# files in a folder named by their content, data.bin).
WEB_PORT ?= 8000
web: host-bank-tool
	cmake --preset web
	cmake --build --preset web --target vornikat_site
	rm -rf build/web
	cp -r build/wasm/site build/web

# The site in one archive, to unpack on any static host.
web-dist: web
	scripts/make-web-zip build/web $(WEB_ZIP)

# Compressed with gzip and under the page's Content-Security-Policy, as a careful host serves it.
serve-web: web
	@echo "Vornikat in the browser: http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops it)"
	scripts/serve-web build/web $(WEB_PORT)

# The core's tests under node, and the page in headless Chromium.
test-web: web
	cmake --build --preset web
	scripts/check-test-labels build/wasm
	scripts/check-test-timeouts build/wasm
	ctest --preset web

# Page load to the greeting box, from 127.0.0.1 in headless Chromium, and the site's size.
bench-web: web
	/usr/bin/python3 bench/web_load_bench.py build/web 10

# The bank editor's page on a bank of 32,767 questions: its opening and a keystroke's way to the
# preview, in headless Chromium.
bench-web-editor: web
	/usr/bin/python3 bench/web_editor_bench.py build/web 5

bench: deps
	cmake --preset release
	cmake --build --preset release --target bank_bench store_bench editor_bench
	build/release/bench/bank_bench
	build/release/bench/store_bench
	build/release/bench/editor_bench

# Peak memory of the bank tool's check and dump on 2 GB files, beside the shipped bank's.
bench-bank-tool: deps
	cmake --preset release
	cmake --build --preset release --target vornikat-bank
	bench/bank_tool_memory.sh build/release/tools/vornikat-bank

# Milliseconds from fork to the first window mapped, the quiz beside an empty Qt Widgets
# program showing one message box: alternating pairs on Xvfb without a window manager.
bench-start: deps
	cmake --preset release
	cmake --build --preset release --target vornikat first_map empty_message_box
	bench/start_bench.sh build/release 15

clean:
	rm -rf build dist
