# Two commands do everything on a fresh Debian machine (as root):
#   make run FILE=path   build and start the editor on a file
#   make test            build both trees and run every test
MAKEFLAGS += --no-print-directory
BUILD   ?= build
JOBS    ?= $(shell nproc)
NATIVE  := $(BUILD)/native
WIN32   := $(BUILD)/win32
WIN64   := $(BUILD)/win64
FUZZ    := $(BUILD)/fuzz
X86_32  := $(BUILD)/x86-32
FILE    ?=

.PHONY: all setup native win32 win64 fuzz x86-32 test test-native test-win32 test-win64 test-fuzz test-x86-32 run bench clean

all: native win32

setup:
	@bash scripts/setup.sh

native: setup
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win32: setup
	@cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

# The same sources as 64-bit Windows programs: their Windows tests run under
# 64-bit Wine where the kernel executes no 32-bit code (the 32-bit tree's
# tests then report skipped).
win64: setup
	@cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=Debug -DTQ_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)

# The code hooks as 32-bit Linux programs, run under qemu-i386: real 32-bit
# code patched and called on machines that execute no 32-bit code.
x86-32: setup
	@cmake -S . -B $(X86_32) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i686.cmake >/dev/null
	@cmake --build $(X86_32) -j $(JOBS)

test-native: native
	@echo "== native tree (AddressSanitizer, UBSan)"
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-win32: win32
	@echo "== win32 tree (under Wine)"
	@bash scripts/wine-prefix.sh
	@cd $(WIN32) && $(CURDIR)/scripts/with-display.sh ctest --output-on-failure -j $(JOBS)

test-win64: win64
	@echo "== win64 tree (the same sources as 64-bit programs, under 64-bit Wine)"
	@TQ_WINE_ARCH=win64 bash scripts/wine-prefix.sh
	@cd $(WIN64) && TQ_WINE_ARCH=win64 $(CURDIR)/scripts/with-display.sh ctest --output-on-failure -j $(JOBS)

test-fuzz: fuzz
	@echo "== fuzz tree (libFuzzer, bounded runs)"
	@cd $(FUZZ) && ctest --output-on-failure -j $(JOBS)

test-x86-32: x86-32
	@echo "== x86-32 tree (the code hooks as 32-bit programs under qemu-i386)"
	@cd $(X86_32) && ctest --output-on-failure --no-tests=error -j $(JOBS)

# Every tree is built first (the native disassembler test compares with the
# Windows build), and every tree runs even when an earlier one failed.
# Where 32-bit Wine cannot start, the 64-bit tree runs the Windows tests.
test: setup
	@$(MAKE) native win32
	@bash scripts/wine-works.sh win32 || $(MAKE) win64
	@rc=0; \
	$(MAKE) --no-print-directory test-native || rc=1; \
	$(MAKE) --no-print-directory test-win32 || rc=1; \
	if ! bash scripts/wine-works.sh win32; then \
	    $(MAKE) --no-print-directory test-win64 || rc=1; fi; \
	$(MAKE) --no-print-directory test-fuzz || rc=1; \
	$(MAKE) --no-print-directory test-x86-32 || rc=1; \
	exit $$rc

# The editor runs in a Wine prefix of its own (build/wineprefix-run, or
# build/wineprefix64-run), kept between runs and never touched by the tests.
run: win32
	@if bash scripts/wine-works.sh win32; then \
	    TQ_WINE_USE=run bash scripts/wine-prefix.sh && TQ_WINE_USE=run bash scripts/run.sh "$(FILE)"; \
	else \
	    echo "run: this machine runs no 32-bit programs; showing the 64-bit build" >&2; \
	    $(MAKE) win64 && TQ_WINE_USE=run TQ_WINE_ARCH=win64 bash scripts/wine-prefix.sh && \
	    TQ_WINE_USE=run TQ_WINE_ARCH=win64 TQ_EXE=$(CURDIR)/$(WIN64)/bin/Tessaly.exe bash scripts/run.sh "$(FILE)"; \
	fi

# Where 32-bit Wine cannot start, the Windows benchmarks run in the 64-bit
# tree under 64-bit Wine.
bench: native win32
	@cmake --build $(NATIVE) --target benchmarks -j $(JOBS)
	@if bash scripts/wine-works.sh win32; then \
	    cmake --build $(WIN32) --target benchmarks -j $(JOBS) && \
	    bash scripts/wine-prefix.sh && bash scripts/bench.sh $(NATIVE) $(WIN32); \
	else \
	    echo "bench: this machine runs no 32-bit programs; the Windows rows are the 64-bit build" >&2; \
	    $(MAKE) win64 && cmake --build $(WIN64) --target benchmarks -j $(JOBS) && \
	    TQ_WINE_ARCH=win64 bash scripts/wine-prefix.sh && \
	    TQ_WINE_ARCH=win64 bash scripts/bench.sh $(NATIVE) $(WIN64); \
	fi

clean:
	rm -rf $(NATIVE) $(WIN32) $(FUZZ) $(X86_32)
