# The two commands a new user runs: `make run` and `make test`.
# Both install missing Debian packages first, then configure and build in build/.
BUILD  := build
SANITIZE_BUILD := build-sanitize
WINDOWS_BUILD := build-windows
# One rule for every build, so that switching between make run, make test and
# make bench never rebuilds objects: warnings are errors.
WERROR := ON

# Every sanitizer finding fails the run. Leaks are checked; the libraries'
# own allocations that live until exit are suppressed, each with its reason,
# in tests/leak_suppressions.txt, and not listed, so that the tests can compare
# standard error exactly. The tests run the show under stdbuf, whose preloaded
# library comes before the ASan runtime and only sets stdout's buffering.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/leak_suppressions.txt:print_suppressions=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: run test test-all sanitize bench setup build clean windows test-windows package

run: build
	@tools/play $(BUILD)/starwhirl

test: build
	tools/run-headless ctest --test-dir $(BUILD) --output-on-failure -j2
	@$(MAKE) --no-print-directory sanitize

# The whole suite again, built with AddressSanitizer and UBSan. LeakSanitizer's
# own tracer can crash at exit while Mesa's worker threads end ("Tracer caught
# signal 11", a flake of LSan's stop-the-world, seen on loaded machines after
# the test had passed; the GL tests now check for leaks before exit). A test
# that fails is run up to twice more, so only a failure that repeats turns the
# run red.
sanitize: setup
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSTARWHIRL_SANITIZE=ON -DSTARWHIRL_WERROR=ON
	cmake --build $(SANITIZE_BUILD) -j2
	$(SANITIZER_ENV) tools/run-headless ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j2 --repeat until-pass:3

bench: build
	tools/run-headless $(BUILD)/bench/starwhirl-bench

setup:
	@tools/install-packages

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DSTARWHIRL_WERROR=$(WERROR)
	cmake --build $(BUILD) -j2

# build/starwhirl_VERSION_amd64.deb, checked by lintian.
package: build
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error $(BUILD)/starwhirl_*_amd64.deb

# Every platform this machine can test: Linux, then Windows under Wine.
test-all: test test-windows

# starwhirl.exe and starwhirl-windows.zip in build-windows/, cross-built with
# mingw-w64; freeglut and GoogleTest are built for Windows once, in
# build-windows/deps.
windows: setup
	tools/build-windows-deps $(WINDOWS_BUILD)/deps
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DSTARWHIRL_WERROR=$(WERROR) \
	  -DSTARWHIRL_FREEGLUT=$(CURDIR)/$(WINDOWS_BUILD)/deps/freeglut \
	  -DGTest_DIR=$(CURDIR)/$(WINDOWS_BUILD)/deps/googletest/lib/cmake/GTest \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/tools/wine-run \
	  -DSTARWHIRL_LINUX_BUILD=$(CURDIR)/$(BUILD)
	cmake --build $(WINDOWS_BUILD) -j2
	tools/package-windows $(WINDOWS_BUILD)

# The Windows build's tests under Wine, on a private virtual X server; the
# native build is there to compare with.
test-windows: build windows
	tools/run-headless sh -c 'tools/wine-run --prepare && ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j2; status=$$?; \
	  WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix wineserver -k 2>/dev/null; exit $$status'

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WINDOWS_BUILD)
