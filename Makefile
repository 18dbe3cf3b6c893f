# Quick start: `make demo` and `make test`. Each installs what is missing first.
NATIVE := build/native
WIN := build/win
JOBS ?= 2
CMAKE_COMMON := -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all native win test test-native test-win demo bench clean

all: deps-build native win

deps-%:
	@tools/install-deps.sh $*

$(NATIVE)/CMakeCache.txt:
	cmake -S . -B $(NATIVE) $(CMAKE_COMMON) >/dev/null

$(WIN)/CMakeCache.txt:
	cmake -S . -B $(WIN) $(CMAKE_COMMON) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null

native: $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

win: $(WIN)/CMakeCache.txt
	cmake --build $(WIN) -j $(JOBS)

test: deps-test native win
	$(MAKE) --no-print-directory test-native test-win

test-native:
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# One Wine session at a time keeps the 2-core machine responsive.
test-win:
	cd $(WIN) && ctest --output-on-failure -j 1

demo: deps-demo native win
	@tools/demo.sh

clean:
	rm -rf build

bench: deps-bench native
	$(NATIVE)/bench/link_bench --baseline bench/pyserial_baseline.py
