# The two commands that matter: `make run` and `make test`.
.PHONY: all deps configure build run test test-debug test-asan bench package fuzz-smoke format clean

BUILD_DEBUG := build/debug

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake --preset debug

build: configure
	cmake --build --preset debug

run: build
	@if [ -z "$${DISPLAY:-}" ] && [ -z "$${WAYLAND_DISPLAY:-}" ] && [ -z "$${QT_QPA_PLATFORM:-}" ]; then \
	    echo "No display: start Tessemar on a desktop, or under a virtual one with"; \
	    echo "    xvfb-run -a $(BUILD_DEBUG)/src/gui/tessemar"; \
	    exit 1; \
	fi
	$(BUILD_DEBUG)/src/gui/tessemar

test: test-debug test-asan

test-debug: build
	ctest --preset debug

# The core and command-line tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: deps
	cmake --preset release
	cmake --build --preset release
	@for program in build/release/bench/bench_*; do \
	    if [ -x "$$program" ]; then "$$program" || exit 1; fi; \
	done

# The Debian package, build/release/tessemar_VERSION_amd64.deb.
package: deps
	cmake --preset release
	cmake --build --preset release
	cmake --build --preset release --target package

# Every fuzz target for FUZZ_SECONDS seconds, from its seed corpus (a copy: what a run finds
# stays out of the repository). A long campaign: see the README.
FUZZ_SECONDS ?= 30
fuzz-smoke:
	cmake --preset fuzz
	cmake --build --preset fuzz
	@for program in build/fuzz/tests/fuzz/fuzz_*; do \
	    name=$$(basename "$$program"); \
	    [ -f "$$program" ] && [ -x "$$program" ] || continue; \
	    corpus=build/fuzz/corpus/$$name; mkdir -p "$$corpus"; \
	    if [ -d tests/fuzz/corpus/$$name ]; then cp -n tests/fuzz/corpus/$$name/* "$$corpus"/; fi; \
	    printf 'fuzz-smoke: %s: ' "$$name"; \
	    if ! "$$program" -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build/fuzz/ "$$corpus" \
	            > build/fuzz/$$name.log 2>&1; then \
	        echo; tail -n 40 build/fuzz/$$name.log; exit 1; \
	    fi; \
	    grep '^Done' build/fuzz/$$name.log || tail -n 1 build/fuzz/$$name.log; \
	done

format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
