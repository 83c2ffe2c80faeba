# The two commands of the README: `make run` and `make test`. Each installs what is missing,
# configures and builds, then opens the window or runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup build run test

setup:
	@tools/setup.sh

build: setup
	@cmake -S . -B $(BUILD) --log-level=WARNING
	@cmake --build $(BUILD) --parallel $(JOBS)

run: build
	@$(BUILD)/app/olvimar

test: build
	@cd $(BUILD) && ctest --output-on-failure --parallel $(JOBS)
