# The two commands: `make run` and `make test`. `make bench` prints the benchmark figures.
# Each target installs missing packages, configures and builds on its own: `make run` only what
# the program needs, from Debian's archive; `make test` also what the tests add.

SHELL := /bin/bash
MAKEFLAGS += --no-print-directory
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
RELEASE := build/release
TESTING := build/test
FUZZING := build/fuzz
FUZZ_SECONDS ?= 60

.PHONY: run test bench fuzz deps test-deps build-release build-test sqlserver-scripts package format clean

deps:
	@./scripts/install-deps

test-deps:
	@./scripts/install-deps --tests

build-release: deps
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS) --target orscheduler

build-test: test-deps
	@cmake -S . -B $(TESTING) -DCMAKE_BUILD_TYPE=Debug -DORSCHED_SANITIZE=ON >/dev/null
	@cmake --build $(TESTING) -j $(JOBS)

run: build-release
	@$(RELEASE)/src/orscheduler

test: build-test
	@cd $(TESTING) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) fuzz

# A bounded run of the statement reader's fuzzer (clang and libFuzzer), from its seed corpus;
# an input that makes it fail is left in $(FUZZING) and ends the run with an error.
fuzz: test-deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZING) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DORSCHED_FUZZ=ON >/dev/null
	@cmake --build $(FUZZING) -j $(JOBS) --target fuzz_statements
	@mkdir -p $(FUZZING)/corpus
	@ASAN_OPTIONS=detect_leaks=0 $(FUZZING)/tests/fuzz_statements -max_total_time=$(FUZZ_SECONDS) \
	  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=$(FUZZING)/ \
	  $(FUZZING)/corpus tests/fuzz/corpus 2>&1 \
	  | grep -E "^(Done|stat::number_of_executed_units|==[0-9]+==|SUMMARY|.*Test unit written)" \
	  ; exit $${PIPESTATUS[0]}

bench: build-release
	@cmake --build $(RELEASE) --target benchmarks -j $(JOBS)
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_list_load
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_list_memory
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_startup
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_staff_search
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_board
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_find
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_soak
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_scale
	@QT_QPA_PLATFORM=offscreen $(RELEASE)/bench/bench_day_by_room

# The SQL Server scripts made from the client itself: the demo data and the site's check; then
# every script held against the client and parsed as T-SQL.
sqlserver-scripts: build-release test-deps
	@cmake --build $(RELEASE) --target orsched_sqlserver_scripts -j $(JOBS)
	@$(RELEASE)/tools/orsched_sqlserver_scripts demo > database/sqlserver/05-demo-data.sql
	@$(RELEASE)/tools/orsched_sqlserver_scripts check > database/sqlserver/06-check-client-calls.sql
	@$(RELEASE)/tools/orsched_sqlserver_scripts verify database/sqlserver
	@bash tests/database/tsql-parse.sh $(RELEASE)/tools/orsched_sqlserver_scripts .

# A Debian package of the program (stripped), its desktop entry and icon, and the SQL Server
# scripts; beside it the -dbgsym package of its debug information.
package: build-release
	@cd $(RELEASE) && cpack -G DEB | grep -o "package: .*\.d\?deb.*"

format:
	@find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	@rm -rf build
