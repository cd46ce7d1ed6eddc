# The two commands a new user runs: `make run` and `make test`.
# Both install missing Debian packages first, then configure and build in build/.
BUILD  := build
WERROR ?= OFF

.PHONY: run test bench asan setup build clean

run: build
	@tools/play $(BUILD)/starwhirl

test: WERROR := ON
test: build
	tools/run-headless ctest --test-dir $(BUILD) --output-on-failure -j2

bench: build
	tools/run-headless $(BUILD)/bench/starwhirl-bench

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Leak reports are off: Mesa and fontconfig keep allocations until exit.
asan: setup
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer"
	cmake --build build-asan -j2
	ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  tools/run-headless ctest --test-dir build-asan --output-on-failure -j2

setup:
	@tools/install-packages

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DSTARWHIRL_WERROR=$(WERROR)
	cmake --build $(BUILD) -j2

clean:
	rm -rf $(BUILD) build-asan
