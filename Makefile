# The two commands that matter: `make run` and `make test`.
.PHONY: all deps configure build run test test-debug test-asan bench format clean

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

format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
