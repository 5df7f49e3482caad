# Vellum Saves List: the two everyday commands are `make run` and `make test`.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
PRESET ?= default
ifeq ($(CI),true)
PRESET := ci
endif
BUILD_DIR := build

# Debian packages the build, the tests and the window need (qt6-tools-dev and qt6-l10n-tools: lupdate and
# lrelease for the translations; chromium: `make docs` photographs the standings page).
PACKAGES := build-essential cmake ninja-build pkg-config zlib1g-dev libdeflate-dev nlohmann-json3-dev \
  libgtest-dev libgmock-dev googletest libbenchmark-dev qt6-base-dev qt6-charts-dev qt6-svg-dev libgl-dev \
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n \
  clang libclang-rt-14-dev xvfb xauth fonts-dejavu-core fonts-liberation fonts-liberation2 \
  librsvg2-bin desktop-file-utils dpkg-dev file time cmark-gfm lintian chromium

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build test run bench build-asan test-asan fuzz package clean demo docs

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD_DIR)/build.ninja: | deps
	cmake --preset $(PRESET)

build: deps
	@[ -f $(BUILD_DIR)/build.ninja ] || cmake --preset $(PRESET)
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

demo: build
	cmake --build $(BUILD_DIR) --target demo_saves

run: build demo
	@if [ -x $(BUILD_DIR)/bin/vellum-saves-list ]; then \
	  $(BUILD_DIR)/bin/vellum-saves-list $(BUILD_DIR)/demo/*.Save; \
	else \
	  $(BUILD_DIR)/bin/vsl-report $(BUILD_DIR)/demo/*.Save; \
	fi

# The Debian package, in $(BUILD_DIR)/vellum-saves-list_<version>_<arch>.deb.
package: build
	cmake --build $(BUILD_DIR) --target package

# Screenshots of every page with the demo saves, and of the standings page in headless Chromium, for
# docs/guide.md and the README.
docs: build
	cmake --build $(BUILD_DIR) --target docs

# Benchmarks of large saves, ending with a batch of 100 through vsl-report and a summary of the ratios;
# bench/batch.sh times that batch on its own.
bench: deps
	@[ -f build-bench/build.ninja ] || cmake --preset bench
	cmake --build build-bench -j $(JOBS) --target vsl-bench vsl-large-saves
	build-bench/bin/vsl-bench

build-asan: deps
	@[ -f build-asan/build.ninja ] || cmake --preset asan
	cmake --build build-asan -j $(JOBS)

# Every test under AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer; the first report
# ends the test that raised it.
test-asan: build-asan
	cd build-asan && ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-asan build-bench build-fuzz

# Fuzzing: each target runs for FUZZ_SECONDS from the seeds the save writer makes, one process at a time
# (the corpora in fuzz-out/ grow from run to run; findings land in fuzz-out/ as crash-*, leak-*, ...).
# The images of fuzz_analyse are a little over 200 kB, hence its larger input limit.
FUZZ_SECONDS ?= 60
FUZZ_FLAGS := -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 -artifact_prefix=fuzz-out/
fuzz: deps
	@[ -f build-fuzz/build.ninja ] || cmake --preset fuzz
	cmake --build build-fuzz -j $(JOBS) --target fuzz_unwrap fuzz_analyse fuzz_seeds
	mkdir -p fuzz-out/unwrap fuzz-out/analyse
	build-fuzz/bin/fuzz_seeds fuzz-out/seeds-unwrap fuzz-out/seeds-analyse
	build-fuzz/bin/fuzz_unwrap -max_total_time=$(FUZZ_SECONDS) -dict=fuzz/unwrap.dict -max_len=8192 \
	  $(FUZZ_FLAGS) fuzz-out/unwrap fuzz-out/seeds-unwrap
	build-fuzz/bin/fuzz_analyse -max_total_time=$(FUZZ_SECONDS) -dict=fuzz/analyse.dict -max_len=300000 \
	  $(FUZZ_FLAGS) fuzz-out/analyse fuzz-out/seeds-analyse
