# make run   builds the engine if needed and starts its console here
# make test  builds everything and runs every test (release and sanitizer builds,
#            and a minute of fuzzing)
# make check builds the engine and runs the fast tests only (no GUI games)

BUILD      := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
WIN_BUILD  := build-windows
FUZZ_SECONDS ?= 60
JOBS       := $(shell nproc 2>/dev/null || echo 2)
# Our code compiles without warnings; the builds made here keep it so.
CMAKE_OPTIONS := -DMORVANTIX_WERROR=ON

.PHONY: build run check test test-slow asan fuzz-build fuzz windows clean

build:
	@cmake $(CMAKE_OPTIONS) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./$(BUILD)/engine-x64

asan:
	@cmake $(CMAKE_OPTIONS) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANTIX_SANITIZE=ON -DMORVANTIX_ALL_BUILDS=OFF > /dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

# The Windows programs, cross-compiled with MinGW-w64 into build-windows/:
# engine-x64.exe, engine-x64-popcnt.exe, engine-w32.exe, egbb/x64|w32/egbbdll.dll
windows:
	@cmake $(CMAKE_OPTIONS) -S . -B $(WIN_BUILD)/x64-objects -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DMORVANTIX_OUTPUT_DIR=$(CURDIR)/$(WIN_BUILD) > /dev/null
	@cmake --build $(WIN_BUILD)/x64-objects -j $(JOBS)
	@cmake $(CMAKE_OPTIONS) -S . -B $(WIN_BUILD)/w32-objects -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DMORVANTIX_OUTPUT_DIR=$(CURDIR)/$(WIN_BUILD) > /dev/null
	@cmake --build $(WIN_BUILD)/w32-objects -j $(JOBS)

fuzz-build:
	@cmake $(CMAKE_OPTIONS) -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANTIX_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

# make fuzz FUZZ_SECONDS=600 fuzzes the command interpreters and the FEN reader
fuzz: fuzz-build
	tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The fast tests of the release build: unit and end-to-end, no GUI games.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE "slow|gui"

test: build asan fuzz-build windows
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow
	tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

test-slow: build
	cd $(BUILD) && ctest --output-on-failure -L slow

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WIN_BUILD)
