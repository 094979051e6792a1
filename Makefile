# Quick start: `make run` and `make test`. Both install whatever is missing
# (scripts/install-deps), configure with CMake and Ninja, and build.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# ON turns every warning in our own targets into an error; `make check` sets it.
WARNINGS_AS_ERRORS ?= OFF

.PHONY: all deps configure build run test check format-check bench package fuzz asan clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DKERBWISE_WARNINGS_AS_ERRORS=$(WARNINGS_AS_ERRORS) \
	  $$(command -v ccache > /dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run-desktop $(BUILD_DIR)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Benchmarks want an optimised build of their own.
bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKERBWISE_BUILD_TESTS=OFF > /dev/null
	@cmake --build build-bench --target kerbwise_bench kerbwise_memory_bench -j $(JOBS)
	@build-bench/bench/kerbwise_bench
	@build-bench/bench/kerbwise_memory_bench

# The Debian package, from an optimised build of its own: build-package/*.deb.
package: deps
	@cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKERBWISE_BUILD_TESTS=OFF \
	  -DKERBWISE_BUILD_BENCH=OFF > /dev/null
	@cmake --build build-package -j $(JOBS)
	@cd build-package && cpack -G DEB
	@ls build-package/*.deb

# The libFuzzer targets, built with clang in build-fuzz/ (core included, with
# coverage, AddressSanitizer and UBSan). `make fuzz` runs each for
# FUZZ_SECONDS, growing build-fuzz/corpus/ from the seeds in fuzz/corpus/;
# `make fuzz-short` runs each for 20 s on a scratch copy of the seeds, with a
# fixed seed: it gates every change, so a red run must replay and a green one
# must stay green; `make fuzz` explores with fresh seeds. Any crash, leak,
# timeout or sanitizer report fails the run; the input that caused it is left
# in build-fuzz/artifacts/.
FUZZ_TARGETS = recognize_line rule_template normalize check match_packet addr_overlap analyse analysis_index sort order_safety reflect list_diff
FUZZ_FLAGS = -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/

.PHONY: fuzz-build fuzz-short

fuzz-build: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
	  $$(command -v ccache > /dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) \
	  -DKERBWISE_BUILD_FUZZ=ON -DKERBWISE_BUILD_TESTS=OFF -DKERBWISE_BUILD_BENCH=OFF \
	  -DKERBWISE_BUILD_DESKTOP=OFF > /dev/null
	@cmake --build build-fuzz --target kerbwise_fuzzers -j $(JOBS)
	@mkdir -p build-fuzz/artifacts

fuzz: fuzz-build
	@for target in $(FUZZ_TARGETS); do \
	  echo "== fuzz_$$target, $(FUZZ_SECONDS) s"; \
	  mkdir -p build-fuzz/corpus/$$target; \
	  build-fuzz/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) $(FUZZ_FLAGS) \
	    build-fuzz/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

fuzz-short: fuzz-build
	@for target in $(FUZZ_TARGETS); do \
	  echo "== fuzz_$$target, 20 s"; \
	  rm -rf build-fuzz/short-corpus/$$target; \
	  mkdir -p build-fuzz/short-corpus; \
	  cp -r fuzz/corpus/$$target build-fuzz/short-corpus/$$target; \
	  build-fuzz/fuzz/fuzz_$$target -max_total_time=20 -seed=1 $(FUZZ_FLAGS) \
	    build-fuzz/short-corpus/$$target || exit 1; \
	done

# The core, the command line and their tests under AddressSanitizer and UBSan,
# in a build of their own (-O1 keeps the tests quick and line tables alone keep
# the build quick; the desktop is left out).
# Any report ends the program with a failure, so the test fails. The tests
# labelled big (a million lines, 10 MB pastes) are left out, as they take
# minutes together under the sanitizers; `make asan ASAN_CTEST_ARGS=` runs them too.
ASAN_DIR ?= build-asan
ASAN_CTEST_ARGS ?= -LE big
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
asan: deps
	@cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
	  $$(command -v ccache > /dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) \
	  -DKERBWISE_ENABLE_ASAN=ON -DKERBWISE_BUILD_DESKTOP=OFF -DKERBWISE_BUILD_BENCH=OFF > /dev/null
	@$(SANITIZER_ENV) cmake --build $(ASAN_DIR) -j $(JOBS)
	@$(SANITIZER_ENV) ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS) --timeout 600 $(ASAN_CTEST_ARGS)

# clang-format in check mode over every tracked C++ source: lists each file
# whose layout differs from .clang-format and fails; it changes nothing.
format-check: deps
	@git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

# The format check, everything `make test` does with warnings as errors, then
# the sanitizer run, then every fuzz target for a short while. This is what
# continuous integration runs.
check: format-check
	@$(MAKE) --no-print-directory test WARNINGS_AS_ERRORS=ON
	@$(MAKE) --no-print-directory asan
	@$(MAKE) --no-print-directory fuzz-short

clean:
	@rm -rf $(BUILD_DIR) build-bench build-fuzz build-asan build-package
