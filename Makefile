# The two everyday commands: `make run` and `make test`. Both install what they need first.
NATIVE := build/native
WIN    := build/win
JOBS   ?= $(shell nproc)
# Ninja keeps both cores busy across targets (a target's files compile while the libraries
# it links are still being made). A tree made by another generator is made again.
export CMAKE_GENERATOR := Ninja
ninja_tree = grep -qs '^CMAKE_GENERATOR:INTERNAL=Ninja$$' $(1)/CMakeCache.txt || rm -rf $(1)
WIN_CONFIGURE = $(call ninja_tree,$(WIN)); cmake -S . -B $(WIN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null

.PHONY: all setup build native win test run coverage fuzz bench clean package test-package

all: build

setup:
	@bash scripts/setup.sh

build: setup native win

# The native tree: the portable code with its unit tests and fuzz targets, built by clang
# under ASan and UBSan (the fuzz targets make a short run in `make test`).
native:
	@grep -qs '^CMAKE_CXX_COMPILER:.*clang++' $(NATIVE)/CMakeCache.txt || rm -rf $(NATIVE)  # a gcc tree of old
	@$(call ninja_tree,$(NATIVE))
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DVARENKO_FUZZ=ON >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win:
	@$(WIN_CONFIGURE)
	@cmake --build $(WIN) -j $(JOBS)

# The suite, the installer's test and a short run of each fuzz target included.
test: build
	@bash packaging/package.sh
	@bash scripts/run-tests.sh

# The till's installer and zip in build/dist (packaging/package.sh), from the two programs only.
package: setup
	@$(WIN_CONFIGURE)
	@cmake --build $(WIN) -j $(JOBS) --target varenko shopserver
	@bash packaging/package.sh

# The installer's end-to-end test alone (make test runs it too).
test-package: package
	@cmake --build $(WIN) -j $(JOBS) --target package_tests
	@bash tests/package/run.sh

run: build
	@bash scripts/run-demo.sh

# Line and branch coverage of the portable code by the native tests (not part of `make test`).
COVERAGE := build/coverage
coverage: setup
	@$(call ninja_tree,$(COVERAGE))
	@cmake -S . -B $(COVERAGE) -DCMAKE_BUILD_TYPE=Debug -DVARENKO_COVERAGE=ON >/dev/null
	@cmake --build $(COVERAGE) -j $(JOBS)
	@find $(COVERAGE) -name '*.gcda' -delete
	@(cd $(COVERAGE) && ctest -j $(JOBS) >/dev/null) || echo "coverage: some native tests failed" >&2
	@gcovr -r . --object-directory $(COVERAGE) --filter 'src/' --filter 'devserver/' --exclude-unreachable-branches \
	  --exclude-throw-branches --print-summary -o $(COVERAGE)/coverage.txt $(COVERAGE) | tail -3

# The libFuzzer targets of fuzz/ (clang, ASan, UBSan), optimised for long runs, each run for
# FUZZ_SECONDS over its seeds and what earlier runs found.
FUZZ := build/fuzz
FUZZ_SECONDS ?= 60
fuzz: setup
	@$(call ninja_tree,$(FUZZ))
	@cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DVARENKO_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) --target fuzz_targets -j $(JOBS)
	@bash fuzz/run.sh --seconds $(FUZZ_SECONDS)

# The benchmarks of bench/ (bench/README.md), which the build leaves out.
bench: build
	@cmake --build $(NATIVE) -j $(JOBS) --target layouts
	@cmake --build $(WIN) -j $(JOBS) --target layouts rpc_bench till_load till_timings

clean:
	rm -rf build
