# The two commands a developer needs: `make test` and (with the window) `make run`.
.PHONY: deps test test-dev test-asan fuzz bench run screenshots clean

FUZZ_SECONDS ?= 60

deps:
	@scripts/install-deps

test: deps test-dev test-asan fuzz

test-dev: deps
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/run-fuzz $(FUZZ_SECONDS)

# The quiz itself, built in the dev tree, with the shipped question bank beside it.
run: deps
	cmake --preset dev
	cmake --build --preset dev --target vornikat
	@build/dev/vornikat

screenshots: deps
	cmake --preset dev
	cmake --build --preset dev --target vornikat
	scripts/screenshots build/dev

bench: deps
	cmake --preset release
	cmake --build --preset release --target bank_bench
	build/release/bench/bank_bench

clean:
	rm -rf build dist
