# The two commands a new user runs: `make run` and `make test`.
# Both install missing Debian packages first, then configure and build in build/.
BUILD  := build
SANITIZE_BUILD := build-sanitize
WERROR ?= OFF

# Every sanitizer finding fails the run. Leaks are checked; the libraries'
# own allocations that live until exit are suppressed, each with its reason,
# in tests/leak_suppressions.txt, and not listed, so that the tests can compare
# standard error exactly. The tests run the show under stdbuf, whose preloaded
# library comes before the ASan runtime and only sets stdout's buffering.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/leak_suppressions.txt:print_suppressions=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: run test sanitize bench setup build clean

run: build
	@tools/play $(BUILD)/starwhirl

test: WERROR := ON
test: build
	tools/run-headless ctest --test-dir $(BUILD) --output-on-failure -j2
	@$(MAKE) --no-print-directory sanitize

# The whole suite again, built with AddressSanitizer and UBSan.
sanitize: setup
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSTARWHIRL_SANITIZE=ON -DSTARWHIRL_WERROR=ON
	cmake --build $(SANITIZE_BUILD) -j2
	$(SANITIZER_ENV) tools/run-headless ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j2

bench: build
	tools/run-headless $(BUILD)/bench/starwhirl-bench

setup:
	@tools/install-packages

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DSTARWHIRL_WERROR=$(WERROR)
	cmake --build $(BUILD) -j2

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
