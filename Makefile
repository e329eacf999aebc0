# Orvane: `make run` plays, `make test` runs every test, `make check` the unit tests alone.
BUILD_DIR ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# `make run` builds the game and its replayer alone, optimised, in a folder
# of its own, so that it needs neither the test packages nor the time to
# build the tests.
RUN_DIR ?= build-run

.PHONY: all run test check build deps-run deps-test bench clean windows recordings docs

all: build

deps-run:
	@tools/install-deps.sh run

deps-test:
	@tools/install-deps.sh test

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps-run
	cmake -S . -B $(RUN_DIR) -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF
	cmake --build $(RUN_DIR) -j $(JOBS) --target orvane orvane-replay
	cd $(RUN_DIR) && ./orvane

check: deps-test build
	tools/with-xvfb.sh ctest --test-dir $(BUILD_DIR) --output-on-failure -L unit

test: deps-test build
	tools/run-tests.sh $(BUILD_DIR)

bench:
	@tools/install-deps.sh bench
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORVANE_BENCH=ON -DORVANE_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	tools/with-xvfb.sh tools/run-bench.sh build-bench

# The engine's API reference, build-docs/html/index.html.
docs:
	@tools/install-deps.sh docs
	tools/make-docs.sh build-docs

# The recordings the tests replay, played again into tests/e2e/recordings:
# after a change to what the game does, on purpose.
recordings: deps-test build
	ORVANE_RECORDINGS_OUT=$(CURDIR)/tests/e2e/recordings tools/with-xvfb.sh \
		$(BUILD_DIR)/tests/e2e/e2e_tests --gtest_filter='RecordAgain.*'

# The game for 64-bit Windows, packed as build-windows/orvane-windows.zip.
windows:
	tools/build-windows.sh build-windows

clean:
	rm -rf $(BUILD_DIR) $(RUN_DIR) build-bench build-sanitize build-windows build-docs
