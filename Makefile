# The whole set-up on a fresh Debian 12 machine: `make run` or `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test screenshots clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/wordrop

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300

screenshots: configure
	@cmake --build $(BUILD_DIR) --target screenshots

clean:
	rm -rf $(BUILD_DIR)
