# The two everyday commands: `make run` and `make test`. Both install what they need first.
NATIVE := build/native
WIN    := build/win
JOBS   ?= $(shell nproc)

.PHONY: all setup build native win test test-native test-win run coverage clean

all: build

setup:
	@bash scripts/setup.sh

build: setup native win

native:
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DVARENKO_SANITIZE=ON >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS) -- --no-print-directory

win:
	@cmake -S . -B $(WIN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WIN) -j $(JOBS) -- --no-print-directory

test: build
	@bash scripts/run-tests.sh

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

clean:
	rm -rf build
