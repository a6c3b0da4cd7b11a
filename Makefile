# SPDX-License-Identifier: GPL-3.0-or-later
# Zelk: `make run` to play, `make velmo` for the jump test bed, `make test` to
# run every test. They install what is missing on a Debian 12 machine first
# (apt-get as root, sudo otherwise).
#
# `make test` also builds everything a second time, in $(CHECK_DIR), with
# clang's AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer: the unit
# and script tests run there too, and each fuzzer replays its seed corpus and
# fuzzes for 10 s. `make fuzz FUZZ_SECONDS=N` fuzzes each target N seconds.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PROGRAM_DIR := $(BUILD_DIR)/zelk
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# dpkg-dev: the build takes Debian's hardening flags from dpkg-buildflags.
RUN_PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev \
	libxrandr-dev libx11-dev libsdl2-dev fonts-liberation qt6-translations-l10n qt6-wayland dpkg-dev
# The Debian package: shlibdeps needs dpkg-dev and file.
PACKAGE_PACKAGES := dpkg-dev file
# The install, package, desktop and sound tests: validators and lintian, the
# SVG icons drawn by the desktops' own renderer (librsvg), an audio server with
# its recorder, a headless Wayland compositor with XWayland.
TEST_PACKAGES := xvfb xauth xdotool x11-utils imagemagick libbenchmark-dev \
	desktop-file-utils shared-mime-info appstream groff-base lintian librsvg2-bin pulseaudio pulseaudio-utils \
	weston xwayland tigervnc-standalone-server x11-xserver-utils openbox $(PACKAGE_PACKAGES)
CHECK_PACKAGES := clang-14 libclang-rt-14-dev llvm-14
# `make test-fresh` only: the minimal Debian 12 it runs `make test` in.
FRESH_PACKAGES := debootstrap
FRESH_DIR ?= build-fresh
# `make bench` only: a peer arcade game measured beside Zelk in the same X server.
BENCH_PACKAGES := kbounce

CHECK_DIR ?= build-check
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := level tips script draw

.PHONY: all build run velmo test test-fresh package package-try deps deps-test deps-check deps-package \
	deps-bench build-check fuzz \
	screenshots soak clean

all: build

# Installs only the packages that are not there yet.
define install_missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | \
		grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(RUN_PACKAGES))

deps-test: deps
	$(call install_missing,$(TEST_PACKAGES))

deps-check: deps-test
	$(call install_missing,$(CHECK_PACKAGES))

deps-package: deps
	$(call install_missing,$(PACKAGE_PACKAGES))

deps-bench: deps-test
	$(call install_missing,$(BENCH_PACKAGES))

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "zelk: no display to open a window on (DISPLAY is not set); run it from a desktop session."; \
		exit 1; \
	fi
	$(PROGRAM_DIR)/zelk

velmo: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "velmo: no display to open a window on (DISPLAY is not set); run it from a desktop session."; \
		exit 1; \
	fi
	$(PROGRAM_DIR)/velmo

# The Debian package: $(BUILD_DIR)/zelk_VERSION_amd64.deb.
package: deps-package build
	cmake --build $(BUILD_DIR) --target package

# Tries the package for real on this machine: installs it with apt, plays the
# installed game as an ordinary user, removes it and checks nothing is left.
package-try: package
	$(SUDO) bash tools/try_package.sh $(BUILD_DIR)/zelk_*.deb

# The checked build: sanitizers everywhere, optimised a little so that the
# fuzzers run fast, and the fuzz targets.
$(CHECK_DIR)/build.ninja:
	cmake -S . -B $(CHECK_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
		-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DZELK_FUZZ=ON

build-check: deps-check $(CHECK_DIR)/build.ninja
	cmake --build $(CHECK_DIR) -j 2

# End-to-end tests run in the plain build only.
test: deps-test build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j2
	$(MAKE) --no-print-directory build-check
	ctest --test-dir $(CHECK_DIR) --output-on-failure -j2 -LE e2e

# `make test` on a fresh Debian 12: a minimal system made by debootstrap in
# $(FRESH_DIR) (kept between runs, copied afresh for each), the project cloned
# into it from the committed HEAD, `make test` run there as root in a chroot.
test-fresh:
	$(call install_missing,$(FRESH_PACKAGES))
	$(SUDO) bash tools/test_fresh.sh $(FRESH_DIR)

fuzz: build-check
	@for t in $(FUZZ_TARGETS); do \
		sh tests/fuzz/run.sh $(CHECK_DIR)/fuzz/fuzz_$$t $$t $(CHECK_DIR)/fuzz_work/$$t \
			$(FUZZ_SECONDS) || exit 1; \
	done

clean:
	rm -rf $(BUILD_DIR) $(CHECK_DIR)

# Pictures of every screen, drawn by the real paint code, in build/screenshots.
screenshots: build
	@mkdir -p $(BUILD_DIR)/screenshots
	sed "s|SHOTS|$(abspath $(BUILD_DIR))/screenshots|g" tools/screenshots.zs | \
		$(PROGRAM_DIR)/zelk-script --folder $(PROGRAM_DIR) 2>/dev/null | grep -v '^show ' || true
	@ls $(BUILD_DIR)/screenshots

# The long soak: 200 000 ticks over at least 50 levels, in the plain build
# (where memory growth is checked) and under the sanitizers.
SOAK_ARGS := --folder $(abspath $(PROGRAM_DIR)) --ticks 200000 --levels 50
soak: build build-check
	$(BUILD_DIR)/tests/zelk-soak $(SOAK_ARGS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(abspath tests/lsan.supp):print_suppressions=0 \
		$(CHECK_DIR)/tests/zelk-soak $(SOAK_ARGS)

# Every benchmark and system figure as one table, kept in build/bench/table.md
# (takes a few minutes: the real game is started and played under Xvfb).
.PHONY: bench
bench: deps-bench build
	@[ -x $(BUILD_DIR)/bench/zelk_bench ] || { cmake -S . -B $(BUILD_DIR) && cmake --build $(BUILD_DIR); }
	bench/run.sh $(BUILD_DIR)
