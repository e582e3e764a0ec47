# The two commands: `make run` and `make test`. `make bench` prints the benchmark figures.
# Each target installs missing packages, configures and builds on its own.

MAKEFLAGS += --no-print-directory
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
RELEASE := build/release
TESTING := build/test

.PHONY: run test bench deps build-release build-test format clean

deps:
	@./scripts/install-deps

build-release: deps
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS) --target orscheduler

build-test: deps
	@cmake -S . -B $(TESTING) -DCMAKE_BUILD_TYPE=Debug -DORSCHED_SANITIZE=ON >/dev/null
	@cmake --build $(TESTING) -j $(JOBS)

run: build-release
	@$(RELEASE)/src/orscheduler

test: build-test
	@cd $(TESTING) && ctest --output-on-failure -j $(JOBS)

bench: build-release
	@cmake --build $(RELEASE) --target benchmarks -j $(JOBS)
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_list_load
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_list_memory
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_startup
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_staff_search
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_board

format:
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	@rm -rf build
