# The project's two commands: `make demo` and `make test`.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
WIN32_DIR := $(BUILD)/win32
NATIVE_DIR := $(BUILD)/native
ASAN_DIR := $(BUILD)/asan

.PHONY: all bootstrap win32 native asan test test-native test-asan test-win32 demo bench clean

all: win32 native

bootstrap:
	@scripts/bootstrap

$(WIN32_DIR)/CMakeCache.txt: | bootstrap
	cmake -S . -B $(WIN32_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null

$(NATIVE_DIR)/CMakeCache.txt: | bootstrap
	cmake -S . -B $(NATIVE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

$(ASAN_DIR)/CMakeCache.txt: | bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DSHIFTWELL_SANITIZE=ON -DSHIFTWELL_FUZZ=ON >/dev/null

win32: bootstrap $(WIN32_DIR)/CMakeCache.txt
	cmake --build $(WIN32_DIR) -j $(JOBS)

native: bootstrap $(NATIVE_DIR)/CMakeCache.txt
	cmake --build $(NATIVE_DIR) -j $(JOBS)

asan: bootstrap $(ASAN_DIR)/CMakeCache.txt
	cmake --build $(ASAN_DIR) -j $(JOBS)

test-native: native
	cd $(NATIVE_DIR) && ctest --output-on-failure

test-asan: asan
	cd $(ASAN_DIR) && ctest --output-on-failure

test-win32: win32
	cd $(WIN32_DIR) && ctest --output-on-failure -j 2; rc=$$?; cd $(CURDIR) && scripts/wine-stop $(WIN32_DIR); exit $$rc

test: test-native test-asan test-win32

demo: win32 native
	@scripts/demo $(WIN32_DIR) $(NATIVE_DIR)

bench: win32 native
	@bench/run $(WIN32_DIR) $(NATIVE_DIR)

clean:
	scripts/wine-stop $(WIN32_DIR)
	rm -rf $(BUILD)
