# The front door: one target a job. On Debian each target installs what is missing first.
.PHONY: all deps build test package-test sanitize fuzz bench startup run run-club run-distances \
	screenshots release install package format icons clean windows windows-test

FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
FUZZER := build/fuzz/fuzz/race_fuzzer
PLACES_FUZZER := build/fuzz/fuzz/places_fuzzer
# The places files and typed coordinates: seeded with the distance tests' files.
PLACES_FUZZ_SECONDS ?= 30
RESULTS_FUZZER := build/fuzz/fuzz/results_fuzzer
# Dates, times and return files: seeded with the results tests' files.
RESULTS_FUZZ_SECONDS ?= 30
FUZZ_SEEDS := build/fuzz/seeds

# Build jobs: one a core unless told otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL ?= $(shell nproc)

all: build

# The Debian installer runs once for each set of packages (and again when its list changes), and
# only where there is one: elsewhere (no dpkg-query or apt-get) the jobs go straight to CMake,
# whose messages name each library it cannot find.
build/.deps-%: scripts/install-deps.sh
	@scripts/install-deps.sh $*
	@mkdir -p build && touch $@

deps: build/.deps-linux

DEBIAN := $(and $(shell command -v dpkg-query),$(shell command -v apt-get))
LINUX_DEPS := $(if $(DEBIAN),build/.deps-linux)
WINDOWS_DEPS := $(if $(DEBIAN),build/.deps-windows)

build: $(LINUX_DEPS)
	cmake --preset dev
	cmake --build --preset dev

test: build
	ctest --preset dev

# The packaging checks, left out of the dev build's tests unless asked for: the installed tree as
# a desktop sees it and the Debian package as dpkg sees it.
package-test: $(LINUX_DEPS)
	cmake --preset dev -DVC_PACKAGING_TESTS=ON
	cmake --build --preset dev
	ctest --preset dev -L packaging

sanitize: $(LINUX_DEPS)
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	$(MAKE) fuzz

fuzz: $(LINUX_DEPS)
	cmake --preset fuzz
	cmake --build --preset fuzz
	mkdir -p build/fuzz/corpus $(FUZZ_SEEDS)
	build/fuzz/fuzz/race_seeds $(FUZZ_SEEDS)
	$(FUZZER) -runs=0 fuzz/corpus $(FUZZ_SEEDS)
	$(FUZZER) -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 build/fuzz/corpus fuzz/corpus \
		$(FUZZ_SEEDS)
	mkdir -p build/fuzz/places-corpus
	$(PLACES_FUZZER) -runs=0 tests/distance/data
	$(PLACES_FUZZER) -max_total_time=$(PLACES_FUZZ_SECONDS) -print_final_stats=1 \
		build/fuzz/places-corpus tests/distance/data
	mkdir -p build/fuzz/results-corpus
	$(RESULTS_FUZZER) -runs=0 tests/results/data
	$(RESULTS_FUZZER) -max_total_time=$(RESULTS_FUZZ_SECONDS) -print_final_stats=1 \
		build/fuzz/results-corpus tests/results/data

bench: $(LINUX_DEPS)
	cmake --preset bench
	cmake --build --preset bench
	build/bench/bench/race_bench
	build/bench/bench/distance_bench
	build/bench/bench/results_bench
	QT_QPA_PLATFORM=offscreen build/bench/bench/club_bench

# Start-up as a user gets it: the release programs and the measurement's own tools built, then
# each program launched 21 times, alternating, to its first frame beside a one-label window.
startup: $(LINUX_DEPS)
	cmake --preset release
	cmake --build --preset release --target velocity-calculator club-secretary race-result \
		one-label first-frame startup-probe
	tools/measure-startup.sh build/release 21

# Opens the calculator; without a display it says how to run it instead.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No display: run it under 'xvfb-run -a build/dev/app/calculator/velocity-calculator' or from a desktop session."; \
	else \
		build/dev/app/calculator/velocity-calculator; \
	fi

# Opens Club Secretary, like run above; run-distances is its name from when it was Race Distances.
run-club: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "No display: run it under 'xvfb-run -a build/dev/app/club-secretary/club-secretary' or from a desktop session."; \
	else \
		build/dev/app/club-secretary/club-secretary; \
	fi
run-distances: run-club

# Renders the README's pictures of the windows into docs/, the first page of each of the demo
# club's printed sheets and of its race's result at 90 dpi in grey, and the race's web page as
# Chromium shows it on a desktop and on a phone. The browser runs without its sandbox only where
# it must, as root (a page of our own, from a file). The pages are written again losslessly at
# PNG's best compression, which takes a dense page of figures to a third of its size.
WEB_PAGE := file://$(CURDIR)/build/dev/tools/result.html
CHROMIUM := chromium --headless --disable-gpu --hide-scrollbars --log-level=3 \
	$(if $(filter 0,$(shell id -u)),--no-sandbox)
screenshots: build
	QT_QPA_PLATFORM=offscreen build/dev/tools/calculator-screenshot docs
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 build/dev/tools/calculator-screenshot docs
	QT_QPA_PLATFORM=offscreen build/dev/tools/distances-screenshot docs build/dev/tools
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 build/dev/tools/distances-screenshot docs
	pdftoppm -r 90 -gray -png -singlefile -f 1 -l 1 build/dev/tools/season.pdf docs/sheet-season
	pdftoppm -r 90 -gray -png -singlefile -f 1 -l 1 build/dev/tools/members.pdf docs/sheet-member
	pdftoppm -r 90 -gray -png -singlefile -f 1 -l 1 build/dev/tools/result.pdf docs/sheet-result
	$(CHROMIUM) --window-size=1280,900 --screenshot=docs/result-web-desktop.png $(WEB_PAGE)
	$(CHROMIUM) --window-size=390,844 --screenshot=docs/result-web-phone.png $(WEB_PAGE)
	mogrify -strip -define png:compression-level=9 docs/sheet-*.png docs/result-web-*.png

release: $(LINUX_DEPS)
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
windows: $(WINDOWS_DEPS)
	@scripts/build-qt-windows.sh >/dev/null
	@scripts/build-sqlite-windows.sh >/dev/null
	@scripts/build-geographiclib-windows.sh >/dev/null
	cmake --preset windows
	cmake --build --preset windows
	cpack --preset windows
	@ls -l build/windows/velocity-calculator-*-win64.zip build/windows/velocity-calculator-*-win64-setup.exe

# Runs the Windows build's tests under Wine on a virtual display: the suites, then the installer,
# the installed programs' windows (rendered to docs/screenshot-windows.png and
# docs/screenshot-distances-windows.png) and the uninstaller.
windows-test: windows
	xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows
	cp build/windows/screenshot-windows.png docs/screenshot-windows.png
	cp build/windows/screenshot-distances-windows.png docs/screenshot-distances-windows.png
	cp build/windows/screenshot-race-windows.png docs/screenshot-race-windows.png

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# The icons' PNGs are committed, so that no build needs an SVG renderer; after changing an SVG,
# this renders them again (with rsvg-convert, from librsvg2-bin).
ICON_SIZES := 16 24 32 48 64 128 256
icons:
	for icon in velocity-calculator club-secretary; do \
		for size in $(ICON_SIZES); do \
			rsvg-convert -w $$size -h $$size data/icons/$$icon.svg -o data/icons/$$icon-$$size.png; \
		done; \
	done

# The table of races the core's tests check every digit of, written again by the reference.
.PHONY: race-table mutants
race-table:
	python3 tools/race_reference.py --write tests/core/data/races.tsv

# Puts each deliberate fault of tools/mutants.tsv into a copy of the sources and says which
# test catches it. Not part of CI: it rebuilds once per fault.
mutants: $(LINUX_DEPS)
	python3 tools/mutants.py

clean:
	rm -rf build
