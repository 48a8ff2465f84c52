# The front door: one target a job. Each target installs what is missing first.
.PHONY: all deps build test sanitize fuzz bench run release install package format clean

FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
FUZZER := build/fuzz/fuzz/race_fuzzer

all: build

deps:
	@scripts/install-deps.sh

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

run:
	@echo "The calculator window is not built yet; 'make test' runs the race computation's tests."

release: deps
	cmake --preset release
	cmake --build --preset release

# Installs under $(PREFIX) (DESTDIR=... for a staging tree).
install: release
	cmake --install build/release --prefix $(PREFIX)

# Builds build/release/velocity-calculator_<version>_<arch>.deb.
package: release
	cd build/release && cpack -G DEB

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
