# The user's entry points. Each one installs what it needs first.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
SAMPLE ?= $(BUILD_DIR)/Beispiele/Wirbelpaar.sdx

.PHONY: all deps configure build run test bench sanitize fuzz clean

all: build

deps:
	@bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/strudelax "$(SAMPLE)"

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD_DIR)/strudelax_bench --benchmark_counters_tabular=true

# The whole suite once under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	$(MAKE) test BUILD_DIR=build-asan CMAKE_FLAGS="-DSTRUDELAX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug"

# libFuzzer targets of the file readers (clang); not part of the test suite.
fuzz: deps
	bash scripts/install-deps --fuzz
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DSTRUDELAX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)

clean:
	rm -rf build build-asan build-fuzz
