# Quick start: `make run` and `make test`. Both install whatever is missing
# (scripts/install-deps), configure with CMake and Ninja, and build.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench package fuzz asan clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run-desktop $(BUILD_DIR)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Benchmarks want an optimised build of their own.
bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKERBWISE_BUILD_TESTS=OFF > /dev/null
	@cmake --build build-bench --target kerbwise_bench -j $(JOBS)
	@build-bench/bench/kerbwise_bench

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
# `make fuzz-short` runs each for 20 s on a scratch copy of the seeds. Any
# crash, leak, timeout or sanitizer report fails the run; the input that
# caused it is left in build-fuzz/artifacts/.
FUZZ_TARGETS = recognize_line rule_template normalize check match_packet addr_overlap analyse sort reflect
FUZZ_FLAGS = -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/

.PHONY: fuzz-build fuzz-short

fuzz-build: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
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
	  build-fuzz/fuzz/fuzz_$$target -max_total_time=20 $(FUZZ_FLAGS) \
	    build-fuzz/short-corpus/$$target || exit 1; \
	done

# Every test again under AddressSanitizer and UBSan.
asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKERBWISE_ENABLE_ASAN=ON \
	  -DKERBWISE_BUILD_BENCH=OFF > /dev/null
	@cmake --build build-asan -j $(JOBS)
	@ctest --test-dir build-asan --output-on-failure -j $(JOBS)

clean:
	@rm -rf $(BUILD_DIR) build-bench build-fuzz build-asan build-package
