# The two commands a new user runs: `make run` and `make test`.
# Both install missing Debian packages first, then configure and build in build/.

# The groups of debian-packages.txt each command installs: its own and those
# of the commands it runs first. `make packages FOR=command` lists them.
run_groups := play
build_groups := play test
test_groups := play test package
sanitize_groups := $(test_groups)
package_groups := play package
bench_groups := play bench
bench-capture_groups := play test bench
windows_groups := play windows
test-windows_groups := play test windows
web_groups := play web
serve-web_groups := $(web_groups)
bench-web_groups := $(web_groups)
test-web_groups := play test web
arm64_groups := play arm64
package-arm64_groups := play package arm64
test-arm64_groups := play test arm64
test-all_groups := play test package bench windows web arm64
groups_of = $(sort $(foreach command,$(1),$($(command)_groups)))
GOALS := $(or $(MAKECMDGOALS),run)
GROUPS := $(call groups_of,$(GOALS))
# The programs alone when no command asked for tests: they need neither
# GoogleTest nor the tests' tools. Switching back and forth only reconfigures.
TESTING := $(if $(filter test,$(GROUPS)),ON,OFF)
# The folders of the builds, named here alone: every folder a build needs
# (its dependencies, its Wine prefix, the native build it compares with)
# follows from these. The presets' own folders are for building by hand.
BUILD  := build
SANITIZE_BUILD := build-sanitize
WINDOWS_BUILD := build-windows
WEB_BUILD := build-web
ARM64_BUILD := build-arm64
WEB_PORT := 8000
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

.PHONY: run test test-all sanitize bench bench-capture bench-web setup packages build clean windows test-windows package web serve-web test-web \
  arm64 package-arm64 test-arm64

run: build
	@tools/play $(BUILD)/starwhirl

test: build
	tools/run-headless ctest --test-dir $(BUILD) --output-on-failure --no-tests=error -j2
	@$(MAKE) --no-print-directory sanitize

# The whole suite again, built with AddressSanitizer and UBSan. A test that
# fails only by LeakSanitizer's own tracer crashing at exit is tried again
# (tools/sanitizer-ctest says why); every other failure turns the run red.
sanitize: setup
	cmake --preset sanitize -B $(SANITIZE_BUILD) -DSTARWHIRL_WERROR=$(WERROR)
	cmake --build $(SANITIZE_BUILD) -j2
	$(SANITIZER_ENV) tools/run-headless tools/sanitizer-ctest $(SANITIZE_BUILD)

# A previous release's show, built beside this one (build-previous/), is
# measured in the same runs and compared; PREVIOUS=path/to/starwhirl names
# another.
PREVIOUS ?= $(wildcard build-previous/starwhirl)
bench: build
	tools/run-headless $(BUILD)/bench/starwhirl-bench $(if $(PREVIOUS),--previous $(PREVIOUS))

# starwhirl-capture against ffmpeg encoding the same frames alone, at
# 800x600, 1920x1080 and 3840x2160, and the whole show at 1920x1080; a
# previous build's capture beside this one (build-previous/, or
# PREVIOUS_CAPTURE=path/to/starwhirl-capture) is measured in the same runs.
# CAPTURE_BENCH adds options, e.g. CAPTURE_BENCH="--whole 1920x1080,3840x2160".
PREVIOUS_CAPTURE ?= $(wildcard build-previous/starwhirl-capture)
bench-capture: build
	tools/run-headless $(BUILD)/bench/starwhirl-capture-bench $(if $(PREVIOUS_CAPTURE),--previous $(PREVIOUS_CAPTURE)) $(CAPTURE_BENCH)

# The page's first frame in headless Chromium, from a cold and a warm
# browser, against a page that only makes a WebGL context; a previous
# release's page built beside this one (build-previous-web/, or
# PREVIOUS_WEB=folder) is measured in the same runs and compared.
PREVIOUS_WEB ?= $(wildcard build-previous-web)
bench-web: web
	bench/page/first_frame.py $(WEB_BUILD) $(if $(PREVIOUS_WEB),--previous $(PREVIOUS_WEB))

setup:
	$(if $(GROUPS),@tools/install-packages $(GROUPS))

# What a command would install on a fresh machine: make packages FOR=run
FOR := run
packages:
	@$(if $(call groups_of,$(FOR)),tools/install-packages --dry-run $(call groups_of,$(FOR)),\
	  echo "make packages: '$(FOR)' is not a command that installs packages" >&2; exit 2)

build: setup
	cmake --preset release -B $(BUILD) -DSTARWHIRL_WERROR=$(WERROR) -DBUILD_TESTING=$(TESTING)
	cmake --build $(BUILD) -j2

# build/starwhirl_VERSION_ARCH.deb for this machine's architecture, checked
# by lintian.
package: build
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error $(BUILD)/starwhirl_*_$$(dpkg --print-architecture).deb

# Every platform this machine can test: Linux, Windows under Wine, the web
# page in Chromium and Firefox, and 64-bit ARM Linux under qemu.
test-all: test test-windows test-web test-arm64

# The show and the capture program for 64-bit ARM Linux (a Raspberry Pi 4
# or 5, Debian arm64), cross-built in build-arm64/.
arm64: setup
	cmake --preset arm64 -DSTARWHIRL_WERROR=$(WERROR)
	cmake --build $(ARM64_BUILD) -j2

# build-arm64/starwhirl_VERSION_arm64.deb, checked by lintian.
package-arm64: arm64
	cd $(ARM64_BUILD) && cpack -G DEB
	lintian --fail-on error $(ARM64_BUILD)/starwhirl_*_arm64.deb

# The arm64 build's tests under qemu, on a private virtual X server; the
# native build is there to compare pictures with.
test-arm64: build arm64
	tools/run-headless ctest --test-dir $(ARM64_BUILD) --output-on-failure --no-tests=error -j2

# starwhirl.exe and starwhirl-windows.zip in build-windows/, cross-built with
# mingw-w64; freeglut and GoogleTest are built for Windows once, in
# build-windows/deps.
windows: setup
	tools/build-windows-deps $(WINDOWS_BUILD)/deps
	cmake --preset windows -B $(WINDOWS_BUILD) -DSTARWHIRL_WERROR=$(WERROR) -DSTARWHIRL_LINUX_BUILD=$(CURDIR)/$(BUILD)
	cmake --build $(WINDOWS_BUILD) -j2
	tools/package-windows $(WINDOWS_BUILD)

# The Windows build's tests under Wine, on a private virtual X server; the
# native build is there to compare with.
test-windows: build windows
	tools/run-headless sh -c 'tools/wine-run $(WINDOWS_BUILD)/wineprefix --prepare && ctest --test-dir $(WINDOWS_BUILD) --output-on-failure --no-tests=error -j2; status=$$?; \
	  WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix wineserver -k 2>/dev/null; exit $$status'

# The page in build-web/: index.html, page.js, starwhirl.js, starwhirl.wasm and an
# icon, for any static file server. FreeType is built for the web once, in
# build-web/deps (again when its list of modules changes). Emscripten's JavaScript tools need Debian's acorn, which a
# node that is not Debian's own does not look for.
web: setup
	NODE_PATH=/usr/share/nodejs tools/build-web-deps $(WEB_BUILD)/deps
	NODE_PATH=/usr/share/nodejs emcmake cmake --preset web -B $(WEB_BUILD) -DSTARWHIRL_WERROR=$(WERROR) \
	  -DSTARWHIRL_LINUX_BUILD=$(CURDIR)/$(BUILD)
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j2
	@cd $(WEB_BUILD) && for file in index.html page.js starwhirl.js starwhirl.wasm; do \
	  echo "$$file: $$(stat -c %s $$file) bytes, $$(gzip -9c $$file | wc -c) gzipped"; done

# Serves the page on this machine only; open http://localhost:$(WEB_PORT)/.
# Python's server sends .wasm as application/wasm, so the page compiles it
# while it downloads.
serve-web: web
	@echo "Open http://localhost:$(WEB_PORT)/ in a browser; Ctrl-C stops the server."
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)

# The page's tests in headless Chromium and in Firefox ESR (on private
# virtual X servers); the native build is there to compare pictures with.
test-web: build web
	ctest --test-dir $(WEB_BUILD) --output-on-failure --no-tests=error -j2

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WINDOWS_BUILD) $(WEB_BUILD) $(ARM64_BUILD)
