# make run   builds the engine if needed and starts its console here
# make test  builds everything and runs every test (release and sanitizer builds)

BUILD      := build
ASAN_BUILD := build-asan
JOBS       := $(shell nproc 2>/dev/null || echo 2)

.PHONY: build run test test-slow asan clean

build:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./$(BUILD)/engine-x64

asan:
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANTIX_SANITIZE=ON -DMORVANTIX_ALL_BUILDS=OFF > /dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

test: build asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE slow

test-slow: build
	cd $(BUILD) && ctest --output-on-failure -L slow

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
