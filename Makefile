# The two commands a new user runs: `make run` and `make test`.
# Both install missing Debian packages first, then configure and build in build/.
BUILD  := build
WERROR ?= OFF

.PHONY: run test bench setup build clean

run: build
	@tools/play $(BUILD)/starwhirl

test: WERROR := ON
test: build
	tools/run-headless ctest --test-dir $(BUILD) --output-on-failure -j2

bench: build
	tools/run-headless $(BUILD)/bench/starwhirl-bench

setup:
	@tools/install-packages

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DSTARWHIRL_WERROR=$(WERROR)
	cmake --build $(BUILD) -j2

clean:
	rm -rf $(BUILD)
