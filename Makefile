# Thin wrapper around CMake. `make run` and `make test` install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build run test bench artwork clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/zn samples/sample.znd

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

# Regenerates pictures and sounds in resources/ from code.
artwork: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DZN_BUILD_ARTWORK=ON
	cmake --build $(BUILD) -j $(JOBS) --target artwork
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/tools/artwork/artwork resources

clean:
	rm -rf $(BUILD)
