# Mornebrook Dapple! top-level commands. Each installs what is missing first.
JOBS ?= 2
BUILD ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
CMAKE_FLAGS ?= -G Ninja
WINDOWS_BUILD ?= build-windows-x86_64
WINDOWS32_BUILD ?= build-windows-i686
WINDOWS_PACKAGE ?= out/MornebrookDapple-Windows.zip

PREFIX ?= /usr/local

.PHONY: all deps build install run test test-native test-sanitize bench clean windows-deps build-windows test-windows \
        package-windows \
        content-generator smoke-native install-gimp format format-check gallery docs-gallery dialog screenshots \
        gimp-screenshots fuzz-build fuzz test-fuzz

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS)

# bin/dapple and dapple-content, share/mornebrook-dapple/ (Content, Settings),
# share/man/man1.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The GIMP 2.10 plug-in with its content and settings, for the current user
# (GIMP's plug-in folder); GIMP shows it after a restart.
install-gimp: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS) --target dapple-gimp content_pack dapple_factory_settings
	scripts/install-gimp.sh $(BUILD)

# Only what it runs: a first run builds no test program.
run: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS) --target run_programs
	@scripts/run-effects.sh $(BUILD)/dapple

test-native: build format-check
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DDAPPLE_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

# Windows: cross-built with mingw-w64. The x86-64 build runs its tests under
# Wine; the i686 build makes the 32-bit plug-in set of the package (no tests:
# Wine here runs 64-bit programs only).
windows-deps:
	@scripts/install-windows-deps.sh

$(WINDOWS_BUILD)/build.ninja: | windows-deps
	cmake -S . -B $(WINDOWS_BUILD) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release

$(WINDOWS32_BUILD)/build.ninja: | windows-deps
	cmake -S . -B $(WINDOWS32_BUILD) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DDAPPLE_TESTS=OFF

# The default content beside the modules is drawn by the native generator.
content-generator: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS) --target make-content-pack

build-windows: windows-deps content-generator $(WINDOWS_BUILD)/build.ninja $(WINDOWS32_BUILD)/build.ninja
	cmake -S . -B $(WINDOWS_BUILD) -DDAPPLE_CONTENT_GENERATOR=$(abspath $(BUILD))/make-content-pack >/dev/null
	cmake --build $(WINDOWS_BUILD) -j$(JOBS)
	cmake --build $(WINDOWS32_BUILD) -j$(JOBS) --target dapple_plugins

# The native command and sample picture the plug-in smoke test compares with.
smoke-native: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS) --target dapple make-sample-image

# Wine now and then fails to start a process (no output, exit in 10 ms);
# a test that fails twice is a real fault.
test-windows: package-windows smoke-native
	scripts/wine-run.sh ctest --test-dir $(WINDOWS_BUILD) --output-on-failure --repeat until-pass:2 -j$(JOBS)
	scripts/wine-run.sh scripts/wine-plugin-smoke.sh $(BUILD) $(WINDOWS_BUILD)
	scripts/wine-run.sh scripts/wine-package-test.sh $(WINDOWS_PACKAGE) $(BUILD) $(WINDOWS_BUILD)

# One zip with the 64-bit and 32-bit module sets and the install text.
package-windows: build-windows
	scripts/package-windows.sh $(WINDOWS_BUILD) $(WINDOWS32_BUILD) $(WINDOWS_PACKAGE)

# The content readers' fuzz targets, built with clang in their own folder;
# their seeds are made by the content writers of the main build. `make fuzz`
# runs each for FUZZ_SECONDS, the test run for 30 seconds.
fuzz-build: build
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DDAPPLE_FUZZ=ON -DDAPPLE_TESTS=OFF -DDAPPLE_TOOLS_DIR=$(abspath $(BUILD))
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target dapple_fuzzers

fuzz: fuzz-build
	scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

test-fuzz: fuzz-build
	scripts/run-fuzzers.sh $(FUZZ_BUILD) 30

test: test-native test-sanitize test-fuzz test-windows

# Every control enabled and disabled, as Wine draws them: out/gallery.png.
gallery: windows-deps $(WINDOWS_BUILD)/build.ninja
	cmake --build $(WINDOWS_BUILD) -j$(JOBS) --target control-gallery
	mkdir -p out
	scripts/wine-run.sh sh -c '"$$DAPPLE_WINE" $(WINDOWS_BUILD)/control-gallery.exe out/gallery.png'

# One effect's dialog through its plug-in module on the sample picture, under
# Wine on the user's display (Xvfb without one); OK writes
# out/dialog-<effect>-result.png. make dialog EFFECT=edge
EFFECT ?= edge
dialog: windows-deps content-generator $(WINDOWS_BUILD)/build.ninja smoke-native
	cmake -S . -B $(WINDOWS_BUILD) -DDAPPLE_CONTENT_GENERATOR=$(abspath $(BUILD))/make-content-pack >/dev/null
	cmake --build $(WINDOWS_BUILD) -j$(JOBS) --target dapple dapple_plugins
	scripts/wine-run.sh scripts/run-dialog.sh $(BUILD) $(WINDOWS_BUILD) $(EFFECT)

# Every effect's dialog once its preview has rendered: out/dialog-<effect>.png.
screenshots: windows-deps content-generator $(WINDOWS_BUILD)/build.ninja smoke-native
	cmake -S . -B $(WINDOWS_BUILD) -DDAPPLE_CONTENT_GENERATOR=$(abspath $(BUILD))/make-content-pack >/dev/null
	cmake --build $(WINDOWS_BUILD) -j$(JOBS) --target dialog-screenshots
	scripts/wine-run.sh scripts/dialog-screenshots.sh $(BUILD) $(WINDOWS_BUILD)

# Every effect's GIMP dialog once its preview has rendered, under Xvfb
# without a display: out/gimp-dialog-<effect>.png.
gimp-screenshots: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS) --target dapple-gimp-dialog-demo make-sample-image content_pack dapple_factory_settings
	xvfb-run -a -s "-screen 0 1280x1024x24" gimp/dialog/demo/screenshots.sh $(BUILD) out

bench:
	@scripts/install-deps.sh --bench
	@scripts/fetch-photographs.sh >/dev/null
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DDAPPLE_BENCH=ON -DDAPPLE_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	@for b in $(BENCH_BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done
	@bench/batch-vs-loop.sh $(BENCH_BUILD)
	bench/whole-run.sh $(BENCH_BUILD)/dapple $(BENCH_BUILD)/make-sample-image

# The README's gallery: every effect and factory setting on a photograph,
# as JPEGs in docs/gallery/, made by the built command.
docs-gallery: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS) --target run_programs
	scripts/make-docs-gallery.sh $(BUILD)/dapple

format: deps
	@scripts/format.sh

# Fails, naming the files, when a source is not formatted.
format-check: deps
	@scripts/format.sh --check

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) $(WINDOWS32_BUILD) out
