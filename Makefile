# Two commands do all set-up: `make run` and `make test`.
SHELL := /bin/bash
# Both may be set on the command line to keep parallel builds apart.
BUILD_TESTS ?= build/i686
BUILD_DIST ?= build/dist-i686
BUILD_64 ?= build/x86_64
JOBS := $(shell nproc)

.PHONY: all setup build build64 test dist run clean

all: build

setup:
	@./scripts/setup.sh

$(BUILD_TESTS)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD_TESTS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-posix.cmake -DCMAKE_BUILD_TYPE=Debug

$(BUILD_DIST)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD_DIST) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-win32.cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel -DKLARVO_TESTS=OFF

$(BUILD_64)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD_64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64-win32.cmake \
	  -DCMAKE_BUILD_TYPE=Debug -DKLARVO_TESTS=OFF

# The programs must also build for 64-bit Windows, where handles and LPARAM
# are 64 bits wide; warnings are errors there too.
build64: setup $(BUILD_64)/CMakeCache.txt
	cmake --build $(BUILD_64) -j $(JOBS)

build: setup $(BUILD_TESTS)/CMakeCache.txt
	cmake --build $(BUILD_TESTS) -j $(JOBS)

test: build
	./scripts/run-tests.sh $(BUILD_TESTS)

dist: setup $(BUILD_DIST)/CMakeCache.txt
	cmake --build $(BUILD_DIST) -j $(JOBS)
	mkdir -p dist
	cp $(BUILD_DIST)/src/app/KlarvoShell.exe dist/
	cp $(BUILD_DIST)/resident/Klarvo.exe dist/
	cp src/resources/sounds/default.wav dist/
	mkdir -p dist/backgrounds
	cp src/resources/backgrounds/*.jpg src/resources/backgrounds/*.bmp dist/backgrounds/
	./scripts/check-imports.sh dist/*.exe

run: dist
	./scripts/run.sh dist

clean:
	rm -rf $(BUILD_TESTS) $(BUILD_DIST) $(BUILD_64) dist
