# Zelk: `make run` to play, `make velmo` for the jump test bed, `make test` to
# run every test. They install what is missing on a Debian 12 machine first
# (apt-get as root, sudo otherwise).

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PROGRAM_DIR := $(BUILD_DIR)/zelk
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

RUN_PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev \
	libxrandr-dev libx11-dev fonts-liberation
TEST_PACKAGES := xvfb xauth xdotool x11-utils imagemagick libbenchmark-dev

.PHONY: all build run velmo test deps deps-test screenshots clean

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

test: deps-test build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

clean:
	rm -rf $(BUILD_DIR)

# Pictures of every screen, drawn by the real paint code, in build/screenshots.
screenshots: build
	@mkdir -p $(BUILD_DIR)/screenshots
	sed "s|SHOTS|$(abspath $(BUILD_DIR))/screenshots|g" tools/screenshots.zs | \
		$(PROGRAM_DIR)/zelk-script --folder $(PROGRAM_DIR) 2>/dev/null | grep -v '^show ' || true
	@ls $(BUILD_DIR)/screenshots

# Every benchmark and system figure as one table, kept in build/bench/table.md
# (takes a few minutes: the real game is started and played under Xvfb).
.PHONY: bench
bench: deps-test build
	@[ -x $(BUILD_DIR)/bench/zelk_bench ] || { cmake -S . -B $(BUILD_DIR) && cmake --build $(BUILD_DIR); }
	bench/run.sh $(BUILD_DIR)
