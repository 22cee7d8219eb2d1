# Two commands do all set-up: `make run` and `make test`.
SHELL := /bin/bash
# Both may be set on the command line to keep parallel builds apart.
BUILD_TESTS ?= build/i686
BUILD_DIST ?= build/dist-i686
BUILD_64 ?= build/x86_64
BUILD_NATIVE ?= build/native
# How long `make fuzz` runs each fuzz target, in seconds.
FUZZ_SECONDS ?= 300
JOBS := $(shell nproc)
# The most each release program may weigh: a size report shows where the
# bytes go, and a program over its ceiling fails the build.
SHELL_CEILING_KB := 500
CLEANER_CEILING_KB := 250

.PHONY: test-stress all setup configure-tests configure-dist configure-64 build build64 test dist installer run clean screens \
  configure-native native native-test fuzz test-builds test-win98 test-winxp test-win64 test-small-screen \
  format format-check

all: build

setup:
	@./scripts/setup.sh

# Configuring runs every time (a second run takes a second), so a tree left
# half-configured by an interrupted run mends itself.
configure-tests: setup
	@cmake -S . -B $(BUILD_TESTS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-posix.cmake -DCMAKE_BUILD_TYPE=Debug >/dev/null

configure-dist: setup
	@cmake -S . -B $(BUILD_DIST) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-win32.cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel -DKLARVO_TESTS=OFF >/dev/null

# The 64-bit tree builds both programs and the unit tests, which run under
# 64-bit Wine: a handle or LPARAM cut to 32 bits fails there, not only in
# review. The tests need the posix thread model; the programs' code is the
# same under either. A tree configured with another toolchain is made anew,
# since CMake keeps the compiler it first found.
configure-64: setup
	@grep -qs -- g++-posix $(BUILD_64)/CMakeFiles/*/CMakeCXXCompiler.cmake || rm -rf $(BUILD_64)
	@cmake -S . -B $(BUILD_64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64-posix.cmake \
	  -DCMAKE_BUILD_TYPE=Debug -DKLARVO_TESTS=ON -DKLARVO_TEST_KINDS=unit >/dev/null

# A recipe line that starts with + shares make's job slots with the build it
# starts: with `make -jN` the trees build side by side in N jobs in all.
# Started alone, each tree takes every core.
BUILD_JOBS = $(if $(findstring jobserver,$(MAKEFLAGS)),,-j $(JOBS))

# The programs must also build for 64-bit Windows, where handles and LPARAM
# are 64 bits wide; warnings are errors there too.
build64: configure-64
	+cmake --build $(BUILD_64) $(BUILD_JOBS)

build: configure-tests
	+cmake --build $(BUILD_TESTS) $(BUILD_JOBS)

# Every build first, side by side on the machine's cores (the release
# programs with their import check and the installer, the tests, the 64-bit
# tree, and the native sanitizer build, whose unit tests and short fuzz runs
# need no Wine), then the whole suite under Windows 98 and under Windows XP
# and the unit tests as 64-bit programs, side by side, each in its own prefix
# and display. Each run's output is shown whole when it ends.
test:
	@$(MAKE) --no-print-directory -j $(JOBS) test-builds
	@$(MAKE) --no-print-directory -j 4 --output-sync=target test-win98 test-winxp test-win64 test-small-screen

test-builds: format-check build dist installer build64 native-test

# Not part of `make test`: the suite three times in a row in random order
# under two busy loops, then the exit race for twenty rounds (about an hour).
test-stress: build dist installer
	./scripts/stress-tests.sh $(BUILD_TESTS) win98

test-win98:
	./scripts/run-tests.sh $(BUILD_TESTS) win98

test-winxp:
	./scripts/run-tests.sh $(BUILD_TESTS) winxp

test-win64:
	./scripts/run-tests.sh $(BUILD_64) win64

# The tests labelled "screen" again on a 640 x 480 screen, in a prefix of
# their own: dialogs must stay on a small Windows 95 screen.
test-small-screen:
	KLARVO_SCREEN=640x480 KLARVO_WINEPREFIX=$(CURDIR)/build/wineprefix-small \
	  ./scripts/run-tests.sh $(BUILD_TESTS) win98 -L screen

# The code that needs no Windows header, built for Linux with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer: its unit tests and the
# fuzz targets, each for about 10 s from its committed seeds. Any sanitizer
# report fails.
configure-native: setup
	@cmake -S native -B $(BUILD_NATIVE) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null

native: configure-native
	cmake --build $(BUILD_NATIVE) -j $(JOBS)

native-test: native
	cd $(BUILD_NATIVE) && ctest -j $(JOBS) --output-on-failure

# The fuzz targets for FUZZ_SECONDS each, side by side on every core.
fuzz: native
	cd $(BUILD_NATIVE) && KLARVO_FUZZ_SECONDS=$(FUZZ_SECONDS) ctest -L fuzz -j $(JOBS) --timeout $$(($(FUZZ_SECONDS) + 120)) --output-on-failure

dist: configure-dist
	+cmake --build $(BUILD_DIST) $(BUILD_JOBS)
	mkdir -p dist
	cp $(BUILD_DIST)/src/app/KlarvoShell.exe dist/
	cp $(BUILD_DIST)/resident/Klarvo.exe dist/
	cp src/resources/sounds/default.wav dist/
	mkdir -p dist/backgrounds
	cp src/resources/backgrounds/*.jpg src/resources/backgrounds/*.bmp dist/backgrounds/
	./scripts/check-imports.sh dist/KlarvoShell.exe dist/Klarvo.exe
	./scripts/size-report.sh dist/KlarvoShell.exe $(BUILD_DIST)/src/app/map.txt $(SHELL_CEILING_KB)
	./scripts/size-report.sh dist/Klarvo.exe $(BUILD_DIST)/resident/map.txt $(CLEANER_CEILING_KB)

# The setup program for Windows 95/98/Me, dist/KlarvoSetup.exe: the release
# files in one ANSI NSIS installer, checked for imports like the programs.
installer: dist
	./scripts/make-installer.sh

# One style for every source file, .clang-format's, with Debian's
# clang-format 16 (the first that inserts braces): `make format` applies it,
# and `make test` fails on a file that does not follow it.
FORMAT_FILES = git ls-files '*.cpp' '*.h'
format: setup
	$(FORMAT_FILES) | xargs clang-format-16 -i

format-check: setup
	@$(FORMAT_FILES) | xargs clang-format-16 --dry-run --Werror

# Programs that draw pictures for people to look at (galleries of the
# custom controls, the pages of the main window) write them into
# build/screens/. They check nothing, so ctest does not run them; CMake lists
# each with its output folder in screen-programs.txt.
screens: configure-tests
	cmake --build $(BUILD_TESTS) -j $(JOBS) --target screen_programs
	mkdir -p build/screens
	. scripts/wine-env.sh && ./scripts/make-prefix.sh && \
	  trap 'klarvo_stop_wineserver; klarvo_stop_display' EXIT && \
	  klarvo_start_display && klarvo_start_wineserver && \
	  while read -r program out; do \
	    echo "$$program -> $$out"; \
	    wine "$$program" --out="$$out" </dev/null || exit 1; \
	  done < $(BUILD_TESTS)/screen-programs.txt
	# The README shows each page of the main window, compressed to keep
	# the repository small.
	mkdir -p docs
	for n in 0 1 2 3 4 5 6; do \
	  pngtopnm build/screens/page-$$n.png | pnmtopng -compression 9 > docs/page-$$n.png 2>/dev/null || exit 1; \
	done

# Ctrl+C reaches every process of the terminal's foreground group, make
# too, and make then ends with the interrupt's status whatever its recipe
# did. With job control the script runs as a group of its own that holds
# the terminal, so the interrupt reaches only it and it ends cleanly.
run: dist
	@bash -c 'set -m; ./scripts/run.sh dist; exit $$?'

clean:
	rm -rf $(BUILD_TESTS) $(BUILD_DIST) $(BUILD_64) $(BUILD_NATIVE) dist
