# The two entry points of the README: `make demo` and `make test`. Both set
# up what a fresh Debian machine lacks first.
BUILD := build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps build test demo bench clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD)/i686 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD)/i686 -j$(JOBS)
	cmake -S . -B $(BUILD)/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-mingw.cmake $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD)/x86_64 -j$(JOBS)
	mkdir -p dist
	cp $(BUILD)/i686/app/Setup.exe dist/Setup.exe
	cp $(BUILD)/x86_64/app/Setup.exe dist/Setup-x64.exe
	cp $(BUILD)/i686/packager/parcelwright.exe dist/parcelwright.exe
	cmake -S . -B $(BUILD)/native $(CMAKE_FLAGS) -DPW_STUB_I686=$(CURDIR)/dist/Setup.exe \
	  -DPW_STUB_X64=$(CURDIR)/dist/Setup-x64.exe >/dev/null
	cmake --build $(BUILD)/native -j$(JOBS)
	@if [ -f $(BUILD)/native/packager/parcelwright ]; then cp $(BUILD)/native/packager/parcelwright dist/; fi

test: build
	scripts/run-tests.sh

demo: build
	scripts/demo.sh

bench: build
	bench/run.sh

clean:
	rm -rf $(BUILD) dist
