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

# The libFuzzer targets, built with clang, each run for FUZZ_SECONDS.
fuzz: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKERBWISE_BUILD_FUZZ=ON -DKERBWISE_BUILD_TESTS=OFF -DKERBWISE_BUILD_BENCH=OFF > /dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@for target in recognize_line rule_template normalize check; do \
	  mkdir -p build-fuzz/corpus/$$target; \
	  build-fuzz/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    build-fuzz/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

# Every test again under AddressSanitizer and UBSan.
asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKERBWISE_ENABLE_ASAN=ON \
	  -DKERBWISE_BUILD_BENCH=OFF > /dev/null
	@cmake --build build-asan -j $(JOBS)
	@ctest --test-dir build-asan --output-on-failure -j $(JOBS)

clean:
	@rm -rf $(BUILD_DIR) build-bench build-fuzz build-asan build-package
