# The two set-up commands of the README (run, test), installing and packaging,
# and the benchmarks.
BUILD_DIR := build
JOBS := $(shell nproc)

.PHONY: run test bench fuzz build bootstrap install deb

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

FUZZ_RUNS ?= 1000000
fuzz: bootstrap
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DORVANE_FUZZ=ON -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_math fuzz_hand_off
	@mkdir -p build-fuzz/corpus && cp -n tests/fuzz/corpus/* build-fuzz/corpus/
	@build-fuzz/bin/fuzz_math -runs=$(FUZZ_RUNS) -max_len=512 -timeout=5 build-fuzz/corpus
	@mkdir -p build-fuzz/corpus-hand-off && cp -n tests/fuzz/corpus-hand-off/* build-fuzz/corpus-hand-off/
	@build-fuzz/bin/fuzz_hand_off -runs=$(FUZZ_RUNS) -max_len=4096 -timeout=5 build-fuzz/corpus-hand-off
