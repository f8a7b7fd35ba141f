# Two entry points for a newcomer: `make demo` converts the bundled example,
# `make test` builds and runs the whole suite, plain and under sanitizers.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local

.PHONY: all demo examples bench test cases-update build-release build-test build-sanitize install package fuzz clean windows test-windows

all: build-release

build-release:
	@cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DDGNBIN_TESTS=OFF -DCMAKE_RULE_MESSAGES=OFF -DCMAKE_TARGET_MESSAGES=OFF >/dev/null
	@cmake --build build/release -j $(JOBS) -- --no-print-directory -s

demo: build-release
	@cd examples && sh ./demo.sh ../build/release/dgnbin

# The programs, man pages, README and examples under $(PREFIX).
install: build-release
	cmake --install build/release --prefix "$(PREFIX)"

# A Debian package of the same files; cpack names the .deb last.
package: build-release
	cd build/release && cpack -G DEB

# The Windows programs and their zip, cross-built with MinGW-w64 into
# build/windows; `make test-windows` checks them under Wine.
windows:
	@cmake --no-warn-unused-cli -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release -DDGNBIN_TESTS=OFF -DCMAKE_RULE_MESSAGES=OFF -DCMAKE_TARGET_MESSAGES=OFF >/dev/null
	@cmake --build build/windows -j $(JOBS) -- --no-print-directory -s

test-windows: windows build-release
	@cmake --build build/windows -j $(JOBS) --target dgnbin_maths_compare dgnbin_hold_open -- --no-print-directory -s
	@cmake --build build/release -j $(JOBS) --target dgnbin_maths_compare dgnbin_cases -- --no-print-directory -s
	@tests/windows/check_windows.sh build/windows build/release

# Conversion time against `cp` of the same file on three generated drawings,
# made once into ${XDG_CACHE_HOME:-$HOME/.cache}/dgnbin-bench; RUNS=n sets
# how many alternated runs give each median (7, at least 5). Then kelobin's
# time and memory on a BIN file of 200 MB, and GDAL's through the plugin.
RUNS ?= 7
bench: build-release
	@cmake --build build/release -j $(JOBS) --target dgnbin_bench kelobin_bench -- --no-print-directory -s
	@build/release/dgnbin_bench build/release/dgnbin $(RUNS)
	@build/release/kelobin_bench build/release/kelobin 200 build/release

# Rewrites the expected outputs of the end-to-end cases (all, or CASES=dir...)
# from what the programs do now; read `git diff tests/cases` before committing.
CASES ?= $(wildcard tests/cases/*/*)
cases-update: build-test
	@build/test/dgnbin_cases --update --programs build/test $(CASES)

# Rewrites the example drawings from examples/make_examples.cpp.
examples:
	@cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DDGNBIN_TESTS=OFF >/dev/null
	@cmake --build build/release -j $(JOBS) --target dgnbin_make_examples -- --no-print-directory -s
	@cd examples && ../build/release/dgnbin_make_examples

build-test:
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build build/test -j $(JOBS)

build-sanitize:
	cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DDGNBIN_SANITIZE=ON >/dev/null
	cmake --build build/sanitize -j $(JOBS)

test: build-test build-sanitize
	cd build/test && ctest --output-on-failure -j $(JOBS)
	cd build/sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Each libFuzzer target for FUZZ_SECONDS seconds, built with clang under the
# sanitizers in a folder of its own; inputs that fail land in build/fuzz/findings.
FUZZ_SECONDS ?= 60
fuzz:
	@cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDGNBIN_TESTS=OFF -DDGNBIN_SANITIZE=ON -DDGNBIN_FUZZ=ON -DCMAKE_RULE_MESSAGES=OFF >/dev/null
	@cmake --build build/fuzz -j $(JOBS) --target fuzz_conversion fuzz_code_table fuzz_bin_reader dgnbin_cases -- --no-print-directory -s
	@tests/fuzz/run_fuzz.sh $(FUZZ_SECONDS) build/fuzz

clean:
	rm -rf build
