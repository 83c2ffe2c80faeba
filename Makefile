# The README's two commands are `make run` and `make test` (through ./make.sh on a machine without
# make): each installs what is missing, configures and builds, then opens the window or runs every
# test, the web page's included. `make web` builds the web page and `make serve-web` serves it on
# 127.0.0.1. The other targets are for measuring and hardening: `make bench`, `make sanitize`,
# `make fuzz`.
BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
PORT ?= 8000
SITE = $(BUILD)-web/site
# Emscripten's JavaScript tools find their modules (acorn) in Debian's folder for them.
export NODE_PATH := /usr/share/nodejs

.PHONY: setup build run test package web serve-web bench sanitize fuzz

setup:
	@tools/setup.sh

build: setup
	@cmake -S . -B $(BUILD) --log-level=WARNING
	@cmake --build $(BUILD) --parallel $(JOBS)

run: build
	@$(BUILD)/app/olvimar

test: build web
	@cd $(BUILD) && ctest --output-on-failure --parallel $(JOBS)
	@cd $(BUILD)-web && ctest --output-on-failure

# The web page, a folder of static files: the page, its style and script, and the Form compiled
# to WebAssembly; with it the calculation tests compiled the same way.
web: setup
	@emcmake cmake -S . -B $(BUILD)-web -DCMAKE_BUILD_TYPE=Release --log-level=WARNING >/dev/null
	@cmake --build $(BUILD)-web --parallel $(JOBS)
	@echo "The web page is in $(SITE)/"

serve-web: web
	@echo "Serving the web page at http://127.0.0.1:$(PORT)/ (Ctrl+C stops)"
	@/usr/bin/python3 -m http.server $(PORT) --bind 127.0.0.1 --directory $(SITE)

# The Debian package, from the normal build (which carries Debian's hardening flags).
package: build
	@cd $(BUILD) && cpack -G DEB

# Release build, five repetitions of each benchmark, mean, median and spread.
bench: setup
	@cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release --log-level=WARNING
	@cmake --build $(BUILD)-release --parallel $(JOBS) --target olvimar_bench olvimar_ui_bench
	@$(BUILD)-release/bench/olvimar_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@$(BUILD)-release/bench/olvimar_ui_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@$(MAKE) --no-print-directory web
	@/usr/bin/python3 tests/web/browser_test.py $(SITE) --bench

# The calculation tests under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: setup
	@CXX=clang++ cmake -S . -B $(BUILD)-sanitize -DOLVIMAR_SANITIZE=ON -DOLVIMAR_BUILD_UI=OFF \
	    -DOLVIMAR_BUILD_BENCH=OFF --log-level=WARNING
	@cmake --build $(BUILD)-sanitize --parallel $(JOBS)
	@cd $(BUILD)-sanitize && ctest --output-on-failure --parallel $(JOBS)

# The fuzzers under libFuzzer for FUZZ_SECONDS in all, from their seeds: the generation run for
# two thirds of it (fuzz/corpus), what a reloading page restores for the rest (fuzz/kept_corpus).
# New inputs go to the build folder, a finding to $(BUILD)-fuzz/crash-*; keep it among the seeds
# once fixed.
fuzz: setup
	@CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DOLVIMAR_FUZZ=ON -DOLVIMAR_BUILD_UI=OFF \
	    -DOLVIMAR_BUILD_BENCH=OFF -DOLVIMAR_BUILD_TESTS=OFF --log-level=WARNING
	@cmake --build $(BUILD)-fuzz --parallel $(JOBS)
	@mkdir -p $(BUILD)-fuzz/corpus $(BUILD)-fuzz/kept_corpus
	@$(BUILD)-fuzz/fuzz/generation_fuzz -max_total_time=$$(( $(FUZZ_SECONDS) * 2 / 3 )) -timeout=5 \
	    -max_len=512 -print_final_stats=1 -artifact_prefix=$(BUILD)-fuzz/ $(BUILD)-fuzz/corpus fuzz/corpus
	@$(BUILD)-fuzz/fuzz/kept_fuzz -max_total_time=$$(( $(FUZZ_SECONDS) - $(FUZZ_SECONDS) * 2 / 3 )) \
	    -timeout=5 -max_len=1024 -print_final_stats=1 -artifact_prefix=$(BUILD)-fuzz/kept- \
	    $(BUILD)-fuzz/kept_corpus fuzz/kept_corpus
