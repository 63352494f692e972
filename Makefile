# The two commands of the README do everything on a fresh Debian 12 machine:
#   make run   installs what is missing, builds, starts the program
#   make test  installs what is missing, builds, runs every test headless
#              (a g++ build, then a clang++ build with AddressSanitizer and
#              UndefinedBehaviorSanitizer)
#   make bench builds and runs the benchmarks
#   make install PREFIX=...  builds and installs (default /usr/local)
#   make package builds the Debian package from a copy of the tree and leaves
#              it in build/
#   make fuzz  builds the fuzz targets with clang (all code instrumented) and
#              runs each for FUZZ_SECONDS, printing executions and findings
#   make fresh-test  runs make test as on a fresh Debian 12 machine: in a
#              minimal Debian 12 root made for the run (needs root or sudo
#              and Debian's mirror); what CI does at every landing

JOBS  := $(shell nproc)
BUILD := build
ASAN  := build-asan
FUZZ  := build-fuzz
FUZZ_SECONDS ?= 120

.PHONY: all deps build build-asan run test test-asan fresh-test bench install package fuzz clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DSUDOKU_BENCH=ON >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

build-asan: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DSUDOKU_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j$(JOBS)

run: build
	@$(BUILD)/ui/tolva-sudoku $(ARGS)

test: build build-asan
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	@ctest --test-dir $(ASAN) --output-on-failure -j$(JOBS)

fresh-test:
	@scripts/fresh-test

# The generator's figures are percentiles over 300 seeds per difficulty, the
# explaining solver's over the rated puzzles of bench/ (beside qqwing); the
# others are medians of five repetitions.
bench: build
	@$(BUILD)/bench/core_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@$(BUILD)/bench/ui_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@$(BUILD)/bench/generate_bench
	@$(BUILD)/bench/explain_bench

# Into PREFIX, or DESTDIR/PREFIX for a staging folder; a live install also
# refreshes the desktop's caches of file types, menu entries and icons.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)
	@if [ -z "$(DESTDIR)" ]; then \
	  update-mime-database "$(PREFIX)/share/mime" 2>/dev/null || true; \
	  update-desktop-database "$(PREFIX)/share/applications" 2>/dev/null || true; \
	  gtk-update-icon-cache -q -t "$(PREFIX)/share/icons/hicolor" 2>/dev/null || true; \
	fi

package: deps
	@scripts/build-package $(BUILD) $(JOBS)

fuzz: deps
	@cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DSUDOKU_SANITIZE=ON \
	  -DSUDOKU_FUZZ_COVERAGE=ON -DSUDOKU_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ) -j$(JOBS) --target fuzz_targets
	@scripts/run-fuzz $(FUZZ) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZ)
