# Quorvane: `make test` builds both presets and runs every test; `make demo` runs the program
# under Wine against the simulated GPUs; `make exe` leaves the Windows programs in out/.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
NATIVE := build/native
TSAN := build/native-tsan
WINDOWS := build/windows
PREFIX := $(WINDOWS)/wineprefix
MAKEFLAGS += --no-print-directory

.PHONY: all bootstrap native tsan windows wine-prefix test test-native test-tsan test-windows \
        demo exe probe format clean fuzz fuzz-bootstrap fuzz-corpora \
        bench measure soak mutate

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

# A mutation run of the portable core over the unit tests (scripts/mutate): every file of src/
# but the Win32 glue, or FILES="src/a.cpp src/b.h"; MUTATE_CAP sites a file (40), MUTATE_HEADER_CAP
# a header (10), MUTATE_SEED.
mutate: bootstrap
	@scripts/mutate build/mutate $(FILES)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out

# Coverage-guided fuzzing (clang's libFuzzer) of every reader of outside input: the scenario
# reader, the skin decoder (raw resources, and resources of about the least size built around a
# few bytes: skin_layout), the screenshot path check, the typed trigger temperature and the typed
# log interval. Each target runs FUZZ_SECONDS (a minute by default), or FUZZ_RUNS executions when
# that is given, one after another at a lower priority, its corpus in build/fuzz/TARGET/ and its
# whole output in build/fuzz/TARGET.log; the run counts are printed, a finding fails the target
# and leaves its input in build/fuzz/artifacts/. FUZZ_TARGETS="path skin" runs only those.
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?=
FUZZ := build/fuzz
FUZZ_ALL_TARGETS := scenario skin skin_layout path trigger interval
FUZZ_TARGETS := $(FUZZ_ALL_TARGETS)
FUZZ_FLAGS := -std=c++20 -g -O2 -Wall -Wextra -Werror -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=all -fsanitize-coverage-ignorelist=fuzz/coverage.ignorelist -I. -Isrc
FUZZ_STATS := ^(Done [0-9]+ runs|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))
FUZZ_LIMIT := $(if $(FUZZ_RUNS),-runs=$(FUZZ_RUNS),-max_total_time=$(FUZZ_SECONDS))
FUZZ_SOURCES_scenario := $(filter-out %_win32.cpp,$(wildcard sim/*.cpp))
FUZZ_SOURCES_skin := src/display/skin_decoder.cpp src/display/skin_surfaces.cpp
FUZZ_SOURCES_skin_layout := $(FUZZ_SOURCES_skin)
FUZZ_SOURCES_path := src/screenshot/path_check.cpp src/platform/code_page_text.cpp \
  src/platform/replacing_file.cpp src/platform/replacing_file_posix.cpp
FUZZ_SOURCES_trigger := src/screenshot/trigger.cpp
FUZZ_SOURCES_interval := src/logging/log_dialog_rules.cpp src/logging/narrow_name.cpp \
  src/gpu/bounded_text.cpp src/gpu/gpu_slots.cpp src/gpu/nvapi_stub.cpp src/gpu/system_library.cpp \
  src/platform/system_api_posix.cpp
FUZZ_OBJECTS := $(foreach t,$(FUZZ_TARGETS),$(patsubst %.cpp,$(FUZZ)/obj/%.o,fuzz/$(t)_fuzz.cpp \
  $(FUZZ_SOURCES_$(t))))

fuzz: $(FUZZ_TARGETS:%=$(FUZZ)/%_fuzz) fuzz-corpora
	@failed=""; for t in $(FUZZ_TARGETS); do \
	  echo "fuzz: $$t"; \
	  if nice -n 10 $(FUZZ)/$${t}_fuzz $(FUZZ_LIMIT) -timeout=20 -print_final_stats=1 \
	      -artifact_prefix=$(FUZZ)/artifacts/$$t- $(FUZZ)/$$t >$(FUZZ)/$$t.log 2>&1; then \
	    grep -E '$(FUZZ_STATS)' $(FUZZ)/$$t.log; \
	  else tail -n 40 $(FUZZ)/$$t.log; failed="$$failed $$t"; fi; \
	done; [ -z "$$failed" ] || { echo "fuzz: findings in$$failed (see $(FUZZ)/artifacts/)"; exit 1; }

fuzz-bootstrap:
	@scripts/bootstrap --fuzz

# Seeds: the scenarios of the tests, the packed logo (made here by its host tool) and a few texts
# for the small readers; libFuzzer adds what it finds to the same folders.
fuzz-corpora: | fuzz-bootstrap
	@mkdir -p $(addprefix $(FUZZ)/,$(FUZZ_ALL_TARGETS) artifacts)
	@cp tests/scenarios/*.txt $(FUZZ)/scenario/
	@[ -f $(FUZZ)/skin/quorvane.skin ] || { clang++ -std=c++20 -O1 -o $(FUZZ)/make_skin \
	  resources/tools/make_skin.cpp && $(FUZZ)/make_skin $(FUZZ)/skin/quorvane.skin; }
	@{ printf '\100'; head -c 1024 $(FUZZ)/skin/quorvane.skin; } >$(FUZZ)/skin_layout/logo-front
	@printf 'C:\\shots\\gpu0.bmp' >$(FUZZ)/path/plain
	@printf 'C:\\my shots\\a.bmp' >$(FUZZ)/path/blank
	@printf 'C:\\\202\240\201\100.bmp' >$(FUZZ)/path/ideographic
	@printf 'C:\\\203\\\t\201' >$(FUZZ)/path/lead-before-tab
	@printf 'C:\\\343\201\201@\343\200\200' >$(FUZZ)/path/utf8-ideographic
	@printf '8\0000\000 \000\003!' >$(FUZZ)/trigger/utf16-80c
	@printf '1\0000\0000\000' >$(FUZZ)/trigger/utf16-100
	@printf '38' >$(FUZZ)/trigger/bytes-38
	@printf '1\000\322y' >$(FUZZ)/interval/utf16-1s
	@printf '3\0000\000\322y' >$(FUZZ)/interval/utf16-30s
	@printf '1\000\006R' >$(FUZZ)/interval/utf16-1m

define FUZZ_LINK
$(FUZZ)/$(1)_fuzz: $(patsubst %.cpp,$(FUZZ)/obj/%.o,fuzz/$(1)_fuzz.cpp $(FUZZ_SOURCES_$(1)))
	@nice -n 10 clang++ -fsanitize=fuzzer,address,undefined $$^ -o $$@
endef
$(foreach t,$(FUZZ_TARGETS),$(eval $(call FUZZ_LINK,$(t))))

# Made again when the flags or the coverage ignore list change.
$(FUZZ)/obj/%.o: %.cpp Makefile fuzz/coverage.ignorelist | fuzz-bootstrap
	@mkdir -p $(@D)
	@nice -n 10 clang++ $(FUZZ_FLAGS) -MMD -MP -c $< -o $@

-include $(FUZZ_OBJECTS:.o=.d)

# What the running program costs under Wine (CPU, wineserver requests, paints), for one and for
# eight simulated GPUs; MEASURE_ARGS adds options, e.g. MEASURE_ARGS=--csv for a log at 1 s.
measure: wine-prefix
	@cmake --build --preset windows -j$(JOBS) --target measure_driver
	@scripts/measure-cpu $(WINDOWS) $(PREFIX) --gpus 1 $(MEASURE_ARGS)
	@scripts/measure-cpu $(WINDOWS) $(PREFIX) --gpus 8 $(MEASURE_ARGS)

# A long run under load (not part of `make test`): SOAK_MINUTES (30) of eight GPUs with a CSV
# log, tab clicks, resizes and screenshots; handles, memory and its trend per hour, rows and
# pictures at the end. SOAK_OFF="log shots tabs resizes" (any of them) leaves those out.
SOAK_MINUTES ?= 30
soak: wine-prefix
	@cmake --build --preset windows -j$(JOBS) --target soak_driver
	@scripts/soak $(WINDOWS) $(SOAK_MINUTES)

# Benchmarks (optimised, no sanitizers): figures, never a pass or a fail. The composition and its
# frame copy are medians of 15 repetitions taken in turns, as the machines are noisy.
bench: bootstrap
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j$(JOBS) --target sampling_bench compose_bench
	@build/bench/bench/sampling_bench
	@build/bench/bench/compose_bench --benchmark_repetitions=15 \
	  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
	  --benchmark_filter='painters:1|FrameCopy' | grep -E '^Benchmark|^-|_median'

