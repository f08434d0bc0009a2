# Thin wrapper around CMake. `make run` and `make test` install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench artwork install package clean

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
	./scripts/run-benchmarks $(BUILD)/bench

# Installs into $(PREFIX) (DESTDIR=... stages it elsewhere): the program folder lib/zn, the
# link bin/zn, the desktop entry, icons, file type and AppStream data.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Builds the Debian package into $(PACKAGE_BUILD)/package/, in a build folder of its own with
# Debian's hardening flags.
PACKAGE_BUILD ?= $(BUILD)-deb
package: deps
	cmake -S . -B $(PACKAGE_BUILD) $(CMAKE_FLAGS) -DZN_HARDENING=ON -DZN_BUILD_TESTS=OFF -DZN_BUILD_BENCH=OFF
	cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target package

# Regenerates pictures and sounds in resources/ from code.
artwork: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DZN_BUILD_ARTWORK=ON
	cmake --build $(BUILD) -j $(JOBS) --target artwork
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/tools/artwork/artwork resources

clean:
	rm -rf $(BUILD)
