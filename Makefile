# Kestrune: build on Linux, run and test under Wine.
#   make run    build and start the program (headless: screenshot to build/screenshot.png)
#   make test   install what is missing, build, run every test
#   make bench  start-up, drive-change and footprint figures
#   make fuzz   the fuzzers, each for FUZZ_SECONDS
#   make lint   clang-tidy and cppcheck on the project's own code

BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
export BUILD

.PHONY: all deps build native asan win32 test run bench fuzz lint clean

all: build

deps:
	@scripts/deps.sh

$(BUILD)/native/Makefile:
	cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Release >/dev/null
$(BUILD)/asan/Makefile:
	cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug -DKESTRUNE_SANITIZE=ON >/dev/null
$(BUILD)/win32/Makefile:
	cmake -S . -B $(BUILD)/win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null

native: deps $(BUILD)/native/Makefile
	cmake --build $(BUILD)/native -j $(JOBS) --target unit_tests
asan: deps $(BUILD)/asan/Makefile
	cmake --build $(BUILD)/asan -j $(JOBS) --target unit_tests
win32: deps $(BUILD)/win32/Makefile
	cmake --build $(BUILD)/win32 -j $(JOBS)

build: native win32

test: deps
	@scripts/test.sh

run: win32
	@scripts/run.sh

bench: win32
	@scripts/bench.sh

fuzz: deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh

lint: deps $(BUILD)/native/Makefile
	@scripts/lint.sh

clean:
	rm -rf $(BUILD)
