# Everything a fresh Debian 12 machine needs: `make run`, `make test`.
BUILD    ?= build
SAN_BUILD ?= build-sanitize
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Warnings are errors in our own builds and in CI; a plain cmake build leaves them warnings.
WERROR ?= ON
ARGS ?=

.PHONY: all deps configure build test sanitize memcheck fuzz bench bench-batch bench-desktop run clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DBARVELL_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j2 --timeout 600

# Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer (CI runs it after `test`).
sanitize: deps
	@cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBARVELL_SANITIZE=ON -DBARVELL_DESKTOP=OFF -DBARVELL_WERROR=$(WERROR) >/dev/null
	@cmake --build $(SAN_BUILD)
	@ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(SAN_BUILD) --output-on-failure -j2 -LE desktop --timeout 900

# One whole batch of each kind (MEMCHECK_COUNT codes) under Valgrind's memcheck.
MEMCHECK_COUNT ?= 1000
memcheck: build
	@tests/memcheck/batch_memcheck.sh $(BUILD)/entry/barvell tests/memcheck/memcheck.supp $(MEMCHECK_COUNT)

# Every fuzzer for FUZZ_SECONDS over its corpus in $(BUILD)/fuzz (kept between runs), going
# on past findings; prints executions and findings per fuzzer.
FUZZ_SECONDS ?= 60
fuzz: build
	@tests/fuzz/fuzz_all.sh $(BUILD)/tests/fuzz/fuzzers.txt $(FUZZ_SECONDS) $(BUILD)/fuzz

# Benchmarks (Google Benchmark): medians of repeated runs.
bench: configure
	@cmake --build $(BUILD) --target barvell_bench
	@./$(BUILD)/bench/barvell_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# Batch throughput against zint and the file-work floor, in one run (COUNT codes, REPEAT runs).
COUNT ?= 10000
REPEAT ?= 3
bench-batch: build
	@cmake --build $(BUILD) --target barvell_file_floor barvell_memory_passes
	@bench/batch_throughput.sh $(BUILD)/entry/barvell $(BUILD)/bench/barvell_file_floor $(COUNT) $(REPEAT)

# The product-code batch clicked through on the desktop (under Xvfb) against the command
# line's, DESKTOP_COUNT codes (at most 1000), REPEAT runs each.
DESKTOP_COUNT ?= 1000
bench-desktop: build
	@bench/desktop_batch.sh $(BUILD)/entry/barvell $(DESKTOP_COUNT) $(REPEAT)

run: build
	@./$(BUILD)/entry/barvell $(ARGS)

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
