# Quick start: `make demo` and `make test`. Each installs what is missing first.
NATIVE := build/native
WIN := build/win
ASAN := build/asan
FUZZ := build/fuzz
FUZZ_SECONDS ?= 60
JOBS ?= 2
# The project's own trees treat warnings as errors; a tree configured before
# a change here is configured again.
WERROR := -DORVELIN_WERROR=ON
CMAKE_COMMON := -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR)

.PHONY: all native win asan fuzz-build test test-native test-asan test-fuzz test-win test-stress soak fuzz demo demo-build demo-wine screenshot install package bench clean

all: deps-build native win

deps-%:
	@tools/install-deps.sh $*

$(NATIVE)/CMakeCache.txt: Makefile
	cmake -S . -B $(NATIVE) $(CMAKE_COMMON) >/dev/null

$(WIN)/CMakeCache.txt: Makefile
	cmake -S . -B $(WIN) $(CMAKE_COMMON) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null

$(ASAN)/CMakeCache.txt: Makefile
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DORVELIN_SANITIZE=ON $(WERROR) >/dev/null

$(FUZZ)/CMakeCache.txt: Makefile
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELIN_FUZZ=ON $(WERROR) >/dev/null

native: $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

win: $(WIN)/CMakeCache.txt
	cmake --build $(WIN) -j $(JOBS)

test: deps-test native win asan fuzz-build
	$(MAKE) --no-print-directory test-native test-asan test-fuzz test-win

test-native:
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# The native suite again with AddressSanitizer and UndefinedBehaviorSanitizer;
# any report fails the run.
asan: $(ASAN)/CMakeCache.txt
	cmake --build $(ASAN) -j $(JOBS)

SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

test-asan:
	cd $(ASAN) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# The native and sanitizer suites 20 times over with 8 tests at a time, so
# tests that shared a file, a folder or a name would collide. The tests that
# measure time-outs (label "timeout") run 2 at a time: with 8 on 2 cores
# their bounds would measure the scheduler.
STRESS := ctest --output-on-failure --repeat until-fail:20
test-stress: deps-build native asan
	cd $(NATIVE) && $(STRESS) -LE timeout -j 8 && $(STRESS) -L timeout -j 2
	cd $(ASAN) && $(SANITIZER_ENV) $(STRESS) -LE timeout -j 8 && $(SANITIZER_ENV) $(STRESS) -L timeout -j 2

# The soak for SOAK_SECONDS (default ten minutes): random commands on a
# whole robot of virtual servos, each under a random fault, every outcome
# held against the servos' memory; the counts at the end. make test runs it
# for a few seconds. ORVELIN_SOAK_SEED=N repeats a run.
SOAK_SECONDS ?= 600
soak: deps-native $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS) --target soak_tests orvelin
	ORVELIN_SOAK_SECONDS=$(SOAK_SECONDS) $(NATIVE)/tests/soak/soak_tests

fuzz-build: $(FUZZ)/CMakeCache.txt
	cmake --build $(FUZZ) -j $(JOBS)

# Each fuzz target once over its seed corpus: a regression check.
test-fuzz:
	cd $(FUZZ) && ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS (default 60), growing a working corpus
# in the build tree from the seeds kept in fuzz/corpus.
fuzz: deps-fuzz fuzz-build
	fuzz/run.sh $(FUZZ) $(FUZZ_SECONDS)

# One Wine session at a time keeps the 2-core machine responsive.
test-win:
	cd $(WIN) && ctest --output-on-failure -j 1

# make demo builds only the programs it runs, so the first register dump
# does not wait for the tests: the command-line tour always, and before it
# the native Qt window where there is a display. make demo-wine shows the
# Win32 window under Wine instead.
DEMO_WINDOW := $(if $(DISPLAY)$(WAYLAND_DISPLAY),$(if $(ORVELIN_DEMO_CLI),,yes))
DEMO_NATIVE_TARGETS := orvelin orvelin-virtual-servo $(if $(DEMO_WINDOW),orvelin-programmer)

demo: deps-native $(if $(DEMO_WINDOW),deps-qt) demo-build
	@ORVELIN_DEMO_WINDOW=$(if $(DEMO_WINDOW),qt) tools/demo.sh

demo-build: $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS) --target $(DEMO_NATIVE_TARGETS)

demo-wine: deps-native deps-window $(NATIVE)/CMakeCache.txt $(WIN)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS) --target orvelin orvelin-virtual-servo
	cmake --build $(WIN) -j $(JOBS) --target orvelin-programmer
	@ORVELIN_DEMO_WINDOW=wine tools/demo.sh

# Both windows connected to the virtual servo: the Win32 one under Xvfb into
# docs/screenshot.png, the Qt one (Japanese and English) into
# docs/screenshot-linux.png.
screenshot: deps-screenshot native win
	tools/screenshot.sh
	tools/window-screenshot-qt.sh

# The programs, their man pages, the bash completion and the documents
# under PREFIX (DESTDIR is honoured).
PREFIX ?= /usr/local
install: deps-native native
	cmake --install $(NATIVE) --prefix $(PREFIX)

# The Debian packages from the native tree and the Windows zip from the
# MinGW tree, both into build/packages. Each .deb must pass lintian with no
# error and no warning (where lintian is installed; deps-package installs it);
# --allow-root only quiets its notice when make runs as root.
PACKAGES := build/packages
package: deps-package native win
	rm -rf $(NATIVE)/cpack $(WIN)/cpack
	cd $(NATIVE) && cpack -B $(CURDIR)/$(NATIVE)/cpack >/dev/null
	@if command -v lintian >/dev/null; then \
	    echo "lintian --fail-on error,warning $(NATIVE)/cpack/*.deb"; \
	    lintian --allow-root --fail-on error,warning $(NATIVE)/cpack/*.deb; \
	else \
	    echo "lintian is not installed: the .deb files were not checked" >&2; \
	fi
	cd $(WIN) && cpack -B $(CURDIR)/$(WIN)/cpack >/dev/null
	mkdir -p $(PACKAGES)
	cp $(NATIVE)/cpack/*.deb $(WIN)/cpack/*.zip $(PACKAGES)/
	@ls -l $(PACKAGES)

clean:
	rm -rf build

bench: deps-bench native
	$(NATIVE)/bench/link_bench --baseline bench/pyserial_baseline.py --python /usr/bin/python3
