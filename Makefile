# make run   — install what is missing, build, open the bundled example (or render it to PDF)
# make test  — install, build, run every test (also sanitizers and a few minutes of fuzzing)
# make bench — install, build, run the benchmarks
# make package — install, build, make the Debian package build/vosk_<version>_amd64.deb
# make windows — Qt for Windows (once, into a cache), the programs, build-win/vosk-<version>-setup.exe
# make test-windows — the Windows build's tests under Wine, and its setup program under Xvfb

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
# A fixed seed and run count make the pass the same on every machine; the
# time limit only stops a pass that has gone wrong (one takes about three
# minutes on two cores).
FUZZ_SECONDS ?= 600
FUZZ_SEED ?= 1
FUZZ_RUNS_SHEET ?= 40000
FUZZ_RUNS_SETTINGS ?= 300000

# The core alone built with MinGW-w64 and its tests run under Wine; and the
# whole program over Qt for Windows, which is built once into a cache folder
# outside the clone (packaging/windows/build_qt.sh).
WINDOWS_CORE_BUILD ?= build-win-core
WINDOWS_BUILD ?= build-win
WINDOWS_PACKAGES := cmake ninja-build ccache g++-mingw-w64-x86-64-posix wine wine64 googletest \
                    nsis xvfb xauth x11-utils imagemagick poppler-utils
QT_WINDOWS = $(shell packaging/windows/build_qt.sh --prefix)

PACKAGES := build-essential cmake ninja-build ccache pkg-config clang libclang-rt-14-dev \
            libgtest-dev libgmock-dev libbenchmark-dev locales \
            qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev \
            fonts-ipafont-mincho fonts-ipafont-gothic cups printer-driver-cups-pdf poppler-utils \
            qt6-translations-l10n \
            dpkg-dev libxml2-utils appstream shared-mime-info desktop-file-utils xdg-utils file

CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
VERSION := $(shell grep -om1 'Vosk VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)
# A cold build of Qt for Windows on two cores, as measured.
QT_BUILD_MINUTES := 30

.PHONY: all deps deps-windows build run test test-unit test-asan test-fuzz test-windows test-windows-core \
        test-windows-cached qt-windows windows bench package clean

all: build

# Installs only what is missing of $(1), so a prepared machine skips apt
# entirely; $(2) holds further apt-get options.
install_missing = @missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  sudo=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq $(2) $$missing; \
	fi

deps:
	$(call install_missing,$(PACKAGES))
	@locale -a 2>/dev/null | grep -qi '^de_DE.utf8$$' || { sudo=$$( [ "$$(id -u)" = 0 ] || echo sudo ); $$sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 || true; }

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS)

# With a display the window opens on the example; without one the example's
# report is rendered to PDF.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  ./$(BUILD)/vosk examples/sample.vkr; \
	else \
	  ./$(BUILD)/vosk-sheet render examples/sample.vkr -o $(BUILD)/sample.pdf && \
	  echo "No display here: the report of examples/sample.vkr is in $(CURDIR)/$(BUILD)/sample.pdf"; \
	fi

test: test-unit test-asan test-fuzz test-windows-cached

test-unit: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DVOSK_SANITIZE=ON -DVOSK_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS) --target vosk_core_tests
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ./$(ASAN_BUILD)/tests/vosk_core_tests

test-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DVOSK_FUZZ=ON -DVOSK_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_data_sheet fuzz_settings
	rm -rf $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/settings_corpus
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/settings_corpus
	./$(FUZZ_BUILD)/tests/fuzz/fuzz_data_sheet -seed=$(FUZZ_SEED) -runs=$(FUZZ_RUNS_SHEET) \
	  -max_total_time=$(FUZZ_SECONDS) -max_len=65536 $(FUZZ_BUILD)/corpus tests/fuzz/corpus
	./$(FUZZ_BUILD)/tests/fuzz/fuzz_settings -seed=$(FUZZ_SEED) -runs=$(FUZZ_RUNS_SETTINGS) \
	  -max_total_time=$(FUZZ_SECONDS) -max_len=65536 $(FUZZ_BUILD)/settings_corpus tests/fuzz/settings_corpus

deps-windows:
	$(call install_missing,$(WINDOWS_PACKAGES),--no-install-recommends)

# Headless: the prefix lives in the build folder, no Mono or Gecko is asked
# for, and the core is linked statically, so no DLL needs to be found.
test-windows-core: deps-windows
	cmake -S . -B $(WINDOWS_CORE_BUILD) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DVOSK_QT=OFF -DVOSK_BENCH=OFF -DVOSK_GTEST_SOURCE=/usr/src/googletest
	cmake --build $(WINDOWS_CORE_BUILD) -j$(JOBS) --target vosk_core_tests
	WINEPREFIX=$(CURDIR)/$(WINDOWS_CORE_BUILD)/wine WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' \
	  wine $(WINDOWS_CORE_BUILD)/tests/vosk_core_tests.exe

# Qt for Windows when the cache lacks it (a cold build takes about 40 minutes on two cores).
qt-windows: deps deps-windows
	JOBS=$(JOBS) packaging/windows/build_qt.sh

# The programs, their tests and the setup program, over the cached Qt.
windows: qt-windows
	cmake -S . -B $(WINDOWS_BUILD) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(QT_WINDOWS)/lib/cmake/Qt6/qt.toolchain.cmake \
	  -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DVOSK_BENCH=OFF -DVOSK_GTEST_SOURCE=/usr/src/googletest
	cmake --build $(WINDOWS_BUILD) -j$(JOBS)
	cmake --build $(WINDOWS_BUILD) --target setup

# Every suite under Wine, the tool's PDFs against the Linux tool's, then the
# setup program in a fresh prefix and the installed window under Xvfb.
test-windows: build windows
	tests/windows/wine_suites.sh $(WINDOWS_BUILD) $(BUILD)/vosk-sheet .
	tests/windows/setup_test.sh $(WINDOWS_BUILD)/vosk-$(VERSION)-setup.exe examples/sample.vkr $(WINDOWS_BUILD)/setup-test

# make test: the core's Windows suite under Wine, then the whole program's
# Windows tests when Qt for Windows is in the machine's cache; without it
# the line below says so plainly (make test-windows builds it, about
# $(QT_BUILD_MINUTES) minutes cold).
test-windows-cached:
	@$(MAKE) --no-print-directory test-windows-core
	@if [ -f "$(QT_WINDOWS)/.complete" ]; then \
	  $(MAKE) --no-print-directory test-windows; \
	else \
	  echo "NOT RUN: the window's and the tool's Windows tests and the setup program's: Qt for Windows is not in" \
	       "$(QT_WINDOWS); make test-windows builds it (about $(QT_BUILD_MINUTES) minutes cold) and runs them."; \
	fi

bench: build
	./$(BUILD)/bench/vosk_bench
	VOSK_DRIVES=$(CURDIR)/$(BUILD)/bench-drives ./$(BUILD)/bench/vosk_render_bench
	./$(BUILD)/bench/vosk_dialog_bench
	VOSK_DRIVES=$(CURDIR)/$(BUILD)/bench-drives ./$(BUILD)/bench/vosk_section_bench
	@start=$$(date +%s%N); VOSK_DRIVES=$(CURDIR)/$(BUILD)/bench-drives ./$(BUILD)/vosk-sheet render examples/sample.vkr -o $(BUILD)/bench-sample.pdf; \
	  end=$$(date +%s%N); echo "vosk-sheet render examples/sample.vkr to PDF, process start to exit: $$(( (end - start) / 1000000 )) ms"

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) $(WINDOWS_CORE_BUILD)
