# Quorvane: `make test` builds both presets and runs every test; `make demo` runs the program
# under Wine against the simulated GPUs; `make exe` leaves the Windows programs in out/.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
NATIVE := build/native
TSAN := build/native-tsan
WINDOWS := build/windows
PREFIX := $(WINDOWS)/wineprefix
MAKEFLAGS += --no-print-directory

.PHONY: all bootstrap native tsan windows wine-prefix test test-native test-tsan test-windows \
        demo exe probe format clean fuzz bench measure

all: native windows

bootstrap:
	@scripts/bootstrap

$(NATIVE)/CMakeCache.txt: | bootstrap
	@cmake --preset native >/dev/null
$(TSAN)/CMakeCache.txt: | bootstrap
	@cmake --preset native-tsan >/dev/null
$(WINDOWS)/CMakeCache.txt: | bootstrap
	@cmake --preset windows >/dev/null

native: bootstrap $(NATIVE)/CMakeCache.txt
	@cmake --build --preset native -j$(JOBS)

# Only what runs under ThreadSanitizer: the unit tests.
tsan: bootstrap $(TSAN)/CMakeCache.txt
	@cmake --build --preset native-tsan -j$(JOBS) --target unit_tests

windows: bootstrap $(WINDOWS)/CMakeCache.txt
	@cmake --build --preset windows -j$(JOBS)

wine-prefix: windows
	@scripts/wine-env $(PREFIX) $(WINDOWS)/sim

test-native: native
	@ctest --test-dir $(NATIVE) --output-on-failure -j$(JOBS) --timeout 120

# Code shared between threads, under ThreadSanitizer.
test-tsan: tsan
	@$(TSAN)/tests/unit/unit_tests --gtest_brief=1 --gtest_filter='NvapiStub*:*Concurrent*'

test-windows: wine-prefix
	@scripts/wine-session $(PREFIX) ctest --test-dir $(WINDOWS) --output-on-failure --timeout 120

test: test-native test-tsan test-windows

demo: wine-prefix
	@scripts/demo $(WINDOWS) $(PREFIX)

exe: windows
	@mkdir -p out
	@cp $(WINDOWS)/quorvane.exe $(WINDOWS)/demo/gpu-probe.exe out/
	@echo "out/quorvane.exe (and out/gpu-probe.exe, the console view of the acquisition code)"

# The acquisition code's console view under Wine: discovery and three sampling cycles.
probe: wine-prefix
	@scripts/wine-session $(PREFIX) scripts/wine-run $(PREFIX) $(WINDOWS)/demo/gpu-probe.exe

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out

# Coverage-guided fuzzing (clang's libFuzzer) of the scenario reader and the skin decoder, a
# minute each by default.
FUZZ_SECONDS ?= 60
FUZZ_FLAGS := -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. -Isrc
fuzz:
	@mkdir -p build/fuzz/scenarios build/fuzz/skins && cp tests/scenarios/*.txt build/fuzz/scenarios/
	@cp build/native/resources/quorvane.skin build/fuzz/skins/ 2>/dev/null || true
	@clang++ $(FUZZ_FLAGS) fuzz/scenario_fuzz.cpp $(filter-out %_win32.cpp,$(wildcard sim/*.cpp)) \
	  -o build/fuzz/scenario_fuzz
	@clang++ $(FUZZ_FLAGS) fuzz/skin_fuzz.cpp src/display/skin_decoder.cpp \
	  src/display/skin_surfaces.cpp -o build/fuzz/skin_fuzz
	@build/fuzz/scenario_fuzz -max_total_time=$(FUZZ_SECONDS) build/fuzz/scenarios
	@build/fuzz/skin_fuzz -max_total_time=$(FUZZ_SECONDS) build/fuzz/skins

# What the running program costs under Wine (CPU, wineserver requests, paints), for one and for
# eight simulated GPUs; MEASURE_ARGS adds options, e.g. MEASURE_ARGS=--csv for a log at 1 s.
measure: wine-prefix
	@cmake --build --preset windows -j$(JOBS) --target measure_driver
	@scripts/measure-cpu $(WINDOWS) $(PREFIX) --gpus 1 $(MEASURE_ARGS)
	@scripts/measure-cpu $(WINDOWS) $(PREFIX) --gpus 8 $(MEASURE_ARGS)

# Benchmarks (optimised, no sanitizers): figures, never a pass or a fail. The composition and its
# frame copy are medians of 15 repetitions taken in turns, as the machines are noisy.
bench: bootstrap
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j$(JOBS) --target sampling_bench compose_bench
	@build/bench/bench/sampling_bench
	@build/bench/bench/compose_bench --benchmark_repetitions=15 \
	  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
	  --benchmark_filter='painters:1|FrameCopy' | grep -E '^Benchmark|^-|_median'

