# The front door: one target a job. Each target installs what is missing first.
.PHONY: all deps build test sanitize fuzz bench run run-distances screenshots release install package \
	format clean windows windows-test

FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
FUZZER := build/fuzz/fuzz/race_fuzzer

# Build jobs: one a core unless told otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL ?= $(shell nproc)

all: build

# The Debian installer runs once for each set of packages (and again when its list changes).
build/.deps-%: scripts/install-deps.sh
	@scripts/install-deps.sh $*
	@mkdir -p build && touch $@

deps: build/.deps-linux

build: deps
	cmake --preset dev
	cmake --build --preset dev

test: build
	ctest --preset dev

sanitize: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	$(MAKE) fuzz

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	mkdir -p build/fuzz/corpus
	$(FUZZER) -runs=0 fuzz/corpus
	$(FUZZER) -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 build/fuzz/corpus fuzz/corpus

bench: deps
	cmake --preset bench
	cmake --build --preset bench
	build/bench/bench/race_bench
	build/bench/bench/distance_bench

# Opens the calculator; without a display it says how to run it instead.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No display: run it under 'xvfb-run -a build/dev/app/velocity-calculator' or from a desktop session."; \
	else \
		build/dev/app/velocity-calculator; \
	fi

# Opens Race Distances, like run above.
run-distances: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No display: run it under 'xvfb-run -a build/dev/app/race-distances/race-distances' or from a desktop session."; \
	else \
		build/dev/app/race-distances/race-distances; \
	fi

# Renders the README's pictures of the windows into docs/, and the first page of each of the
# demo club's printed sheets, at 90 dpi in grey.
screenshots: build
	QT_QPA_PLATFORM=offscreen build/dev/tools/calculator-screenshot docs
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 build/dev/tools/calculator-screenshot docs
	QT_QPA_PLATFORM=offscreen build/dev/tools/distances-screenshot docs build/dev/tools
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 build/dev/tools/distances-screenshot docs
	pdftoppm -r 90 -gray -png -singlefile -f 1 -l 1 build/dev/tools/season.pdf docs/sheet-season
	pdftoppm -r 90 -gray -png -singlefile -f 1 -l 1 build/dev/tools/members.pdf docs/sheet-member

release: deps
	cmake --preset release
	cmake --build --preset release

# Installs under $(PREFIX) (DESTDIR=... for a staging tree).
install: release
	cmake --install build/release --prefix $(PREFIX)

# Builds build/release/velocity-calculator_<version>_<arch>.deb.
package: release
	cd build/release && cpack -G DEB

# Builds for 64-bit Windows (the static Qt, SQLite and GeographicLib first, when they are not in the
# cache yet) and leaves in build/windows/ velocity-calculator-<version>-win64.zip and
# ...-win64-setup.exe.
windows: build/.deps-windows
	@scripts/build-qt-windows.sh >/dev/null
	@scripts/build-sqlite-windows.sh >/dev/null
	@scripts/build-geographiclib-windows.sh >/dev/null
	cmake --preset windows
	cmake --build --preset windows
	cpack --preset windows
	@ls -l build/windows/velocity-calculator-*-win64.zip build/windows/velocity-calculator-*-win64-setup.exe

# Runs the Windows build's tests under Wine on a virtual display: the suites, then the installer,
# the installed program's window (rendered to docs/screenshot-windows.png) and the uninstaller.
windows-test: windows
	xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows
	cp build/windows/screenshot-windows.png docs/screenshot-windows.png

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# The table of races the core's tests check every digit of, written again by the reference.
.PHONY: race-table mutants
race-table:
	python3 tools/race_reference.py --write tests/core/data/races.tsv

# Puts each deliberate fault of tools/mutants.tsv into a copy of the sources and says which
# test catches it. Not part of CI: it rebuilds once per fault.
mutants: deps
	python3 tools/mutants.py

clean:
	rm -rf build
