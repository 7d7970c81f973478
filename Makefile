# make run    builds glazier.exe alone and starts it under Wine (see README.md)
# make test   builds everything and runs the unit tests and the end-to-end tests under Wine
# make build  installs what is missing, configures and builds
# make fuzz   runs the readers of typed text under libFuzzer and the sanitizers
# make bench  builds, measures Glazier under Wine against the floor and writes BENCHMARKS.md
# make dist   builds and packs glazier.exe with README.txt into build/dist/glazier-<version>-win64.zip
BUILD := build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all bootstrap build run test bench fuzz dist clean

all: build

bootstrap:
	@scripts/bootstrap.sh

build: bootstrap
	cmake --preset native
	cmake --build $(BUILD) -j $(JOBS)

run: bootstrap
	@JOBS=$(JOBS) scripts/run.sh

test: build
	@echo "End-to-end screenshots are saved in $(BUILD)/screenshots/"
	tests/e2e/session.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@bench/run.sh

dist: build
	@scripts/dist.sh $(BUILD)

fuzz: bootstrap
	@scripts/fuzz.sh

clean:
	rm -rf $(BUILD)
