# The two set-up commands of the README (run, test), installing and packaging,
# and the benchmarks.
BUILD_DIR := build
JOBS := $(shell nproc)

.PHONY: run test test-desktops bench fuzz mutants build bootstrap install deb

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/register-url-handler $(BUILD_DIR)/bin/orvane
	@$(BUILD_DIR)/bin/orvane

# Desktop tests need an X server and a session bus; unit tests are told to
# ignore both (see tests/CMakeLists.txt), so one ctest run covers them all.
# -noreset: the tests' clients come and go, and a resetting server refuses
# connections for a moment.
test: build
	@xvfb-run -a -s "-screen 0 1440x900x24 -noreset" dbus-run-session -- \
		ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# make mutants [MUTANTS="name ..."]: what the tests catch of the planted faults in
# scripts/mutants.txt (all of them, or the ones named); see scripts/mutation-sample.
MUTANTS ?=
mutants: bootstrap
	@scripts/mutation-sample $(MUTANTS)

# Every behaviour of the desktop matrix under every window manager (make
# test runs a part of it).
test-desktops: build
	@xvfb-run -a -s "-screen 0 1440x900x24 -noreset" dbus-run-session -- \
		env ORVANE_EVERY_DESKTOP=1 ctest --test-dir $(BUILD_DIR) --output-on-failure -R 'DesktopMatrix'

# make install [PREFIX=/usr/local] [DESTDIR=staging folder]
PREFIX ?= /usr/local
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# A Debian package of what make install installs, left here for
# `apt install ./orvane_*.deb`; older ones go so that the pattern names one.
deb: build
	@rm -f orvane_*.deb $(BUILD_DIR)/packages/orvane_*.deb
	@cpack --config $(BUILD_DIR)/CPackConfig.cmake -B $(BUILD_DIR)/packages
	@cp $(BUILD_DIR)/packages/orvane_*.deb .

# The panel's benchmarks need a display, so all of them run under Xvfb.
bench: build
	@xvfb-run -a -s "-screen 0 1440x900x24 -noreset" dbus-run-session -- \
		sh -c 'for b in $(BUILD_DIR)/bin/bench_*; do echo "== $$(basename $$b)"; $$b; done'

# make fuzz FUZZ_TARGET=math|tabs|favicon|settings|hand_off: one fuzzer over its corpus
# (tests/fuzz/corpus-<target>, copied so that the repository's stays as it is).
# FUZZ_FLAGS adds libFuzzer options, such as -jobs=1.
FUZZ_TARGET ?= math
FUZZ_RUNS ?= 1000000
FUZZ_FLAGS ?=
fuzz_max_len_math := 512
fuzz_max_len_tabs := 4096
fuzz_max_len_favicon := 8192
fuzz_max_len_settings := 4096
fuzz_max_len_hand_off := 4096
# QSettings keeps each file it has read in a process-wide cache, which leak
# detection would take for a leak in every run of the settings fuzzer. And an
# @Variant(...) value can make Qt's data stream ask for tens of gigabytes: in
# a normal build the allocation fails and Qt reads no value, so the settings
# fuzzer lets allocations fail that way too instead of stopping.
fuzz_flags_settings := -detect_leaks=0
fuzz_env_settings := ASAN_OPTIONS=allocator_may_return_null=1
fuzz: bootstrap
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DORVANE_FUZZ=ON -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_$(FUZZ_TARGET)
	@mkdir -p build-fuzz/corpus-$(FUZZ_TARGET) && cp -n tests/fuzz/corpus-$(FUZZ_TARGET)/* build-fuzz/corpus-$(FUZZ_TARGET)/
	@$(fuzz_env_$(FUZZ_TARGET)) build-fuzz/bin/fuzz_$(FUZZ_TARGET) -runs=$(FUZZ_RUNS) -max_len=$(fuzz_max_len_$(FUZZ_TARGET)) -timeout=5 \
		$(fuzz_flags_$(FUZZ_TARGET)) $(FUZZ_FLAGS) build-fuzz/corpus-$(FUZZ_TARGET)
