# The project's two commands: `make demo` and `make test`.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
WIN32_DIR := $(BUILD)/win32
WIN64_DIR := $(BUILD)/win64
NATIVE_DIR := $(BUILD)/native
ASAN_DIR := $(BUILD)/asan

# The i686 build is the product. Its Windows programs run here under 32-bit Wine where the
# host executes i386 code; elsewhere the same sources are built for x86_64 and run under
# 64-bit Wine. scripts/host-arch decides (SHIFTWELL_ARCH=i686|x86_64 overrides it).
WIN_ARCH := $(shell scripts/host-arch 2>&1)
ifneq ($(WIN_ARCH),i686)
ifneq ($(WIN_ARCH),x86_64)
$(error $(WIN_ARCH))
endif
endif
ifeq ($(WIN_ARCH),x86_64)
RUN_BUILD := win64
RUN_DIR := $(WIN64_DIR)
else
RUN_BUILD := win32
RUN_DIR := $(WIN32_DIR)
endif

.PHONY: all bootstrap win32 win64 windows native asan test test-native test-asan test-windows \
	arch-note demo docs bench clean

all: win32 $(RUN_BUILD) native

bootstrap:
	@scripts/bootstrap

$(WIN32_DIR)/CMakeCache.txt: | bootstrap
	cmake -S . -B $(WIN32_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null

$(WIN64_DIR)/CMakeCache.txt: | bootstrap
	cmake -S . -B $(WIN64_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null

$(NATIVE_DIR)/CMakeCache.txt: | bootstrap
	cmake -S . -B $(NATIVE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

$(ASAN_DIR)/CMakeCache.txt: | bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DSHIFTWELL_SANITIZE=ON -DSHIFTWELL_FUZZ=ON >/dev/null

win32: bootstrap $(WIN32_DIR)/CMakeCache.txt
	cmake --build $(WIN32_DIR) -j $(JOBS)

win64: bootstrap $(WIN64_DIR)/CMakeCache.txt
	cmake --build $(WIN64_DIR) -j $(JOBS)

# The build whose programs run on this host.
windows: $(RUN_BUILD)

native: bootstrap $(NATIVE_DIR)/CMakeCache.txt
	cmake --build $(NATIVE_DIR) -j $(JOBS)

asan: bootstrap $(ASAN_DIR)/CMakeCache.txt
	cmake --build $(ASAN_DIR) -j $(JOBS)

# Said once by every command that runs Windows programs, where they are not the i686 product.
arch-note:
ifeq ($(WIN_ARCH),x86_64)
	@echo "make: $$(scripts/host-arch --why)"
endif

test-native: native
	cd $(NATIVE_DIR) && ctest --output-on-failure

test-asan: asan
	cd $(ASAN_DIR) && ctest --output-on-failure

# The product's header and import checks read the shipped i686 programs and run nothing: they
# pass on every host. Where
# the host cannot run it, every Windows test runs on the x86_64 build instead.
ifeq ($(WIN_ARCH),x86_64)
test-windows: arch-note bootstrap $(WIN32_DIR)/CMakeCache.txt win64
	cmake --build $(WIN32_DIR) -j $(JOBS) --target shipped_programs
	cd $(WIN32_DIR) && ctest --output-on-failure -R '^(setup_exe_imports|windows_imports)$$'
	cd $(WIN64_DIR) && ctest --output-on-failure -j 2; rc=$$?; \
	    cd $(CURDIR) && scripts/wine-stop $(WIN64_DIR); exit $$rc
else
test-windows: win32
	cd $(WIN32_DIR) && ctest --output-on-failure -j 2; rc=$$?; \
	    cd $(CURDIR) && scripts/wine-stop $(WIN32_DIR); exit $$rc
endif

test: test-native test-asan test-windows

demo: arch-note $(RUN_BUILD) native
	@scripts/demo $(RUN_DIR) $(NATIVE_DIR)

# The demo again, and its welcome page screenshot replaces the tracked docs/welcome.png.
docs: arch-note $(RUN_BUILD) native
	@scripts/demo $(RUN_DIR) $(NATIVE_DIR) --refresh-docs

bench: arch-note $(RUN_BUILD) native
	@bench/run $(RUN_DIR) $(NATIVE_DIR)

clean:
	scripts/wine-stop $(WIN32_DIR)
	scripts/wine-stop $(WIN64_DIR)
	rm -rf $(BUILD)
