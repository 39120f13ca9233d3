# The two everyday commands: `make run` and `make test`. Both install what they need first.
NATIVE := build/native
WIN    := build/win
JOBS   ?= $(shell nproc)
WIN_CONFIGURE = cmake -S . -B $(WIN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null

.PHONY: all setup build native win test test-native test-win run coverage fuzz fuzz-build clean package test-package

all: build

setup:
	@bash scripts/setup.sh

build: setup native win

native:
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DVARENKO_SANITIZE=ON >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS) -- --no-print-directory

win:
	@$(WIN_CONFIGURE)
	@cmake --build $(WIN) -j $(JOBS) -- --no-print-directory

# The suite, the installer's test and a short run of each fuzz target included.
test: build fuzz-build
	@bash packaging/package.sh
	@bash scripts/run-tests.sh

# The till's installer and zip in build/dist (packaging/package.sh), from the two programs only.
package: setup
	@$(WIN_CONFIGURE)
	@cmake --build $(WIN) -j $(JOBS) --target varenko shopserver -- --no-print-directory
	@bash packaging/package.sh

# The installer's end-to-end test alone (make test runs it too).
test-package: package
	@cmake --build $(WIN) -j $(JOBS) --target package_tests -- --no-print-directory
	@bash tests/package/run.sh

run: build
	@bash scripts/run-demo.sh

# Line and branch coverage of the portable code by the native tests (not part of `make test`).
COVERAGE := build/coverage
coverage: setup
	@cmake -S . -B $(COVERAGE) -DCMAKE_BUILD_TYPE=Debug -DVARENKO_COVERAGE=ON >/dev/null
	@cmake --build $(COVERAGE) -j $(JOBS) -- --no-print-directory
	@find $(COVERAGE) -name '*.gcda' -delete
	@(cd $(COVERAGE) && ctest -j $(JOBS) >/dev/null) || echo "coverage: some native tests failed" >&2
	@gcovr -r . --object-directory $(COVERAGE) --filter 'src/' --filter 'devserver/' --exclude-unreachable-branches \
	  --exclude-throw-branches --print-summary -o $(COVERAGE)/coverage.txt | tail -3

# The libFuzzer targets of fuzz/ (clang, ASan, UBSan), each run for FUZZ_SECONDS over its
# seeds and what earlier runs found; `make test` runs each for a few seconds.
FUZZ := build/fuzz
FUZZ_SECONDS ?= 60
fuzz-build: setup
	@cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DVARENKO_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) --target fuzz_targets -j $(JOBS) -- --no-print-directory

fuzz: fuzz-build
	@bash fuzz/run.sh --seconds $(FUZZ_SECONDS)

clean:
	rm -rf build
