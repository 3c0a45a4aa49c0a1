# Entry points; the work is done by the scripts in scripts/.
.PHONY: all setup build run test bench fuzz dist test-big test-x86 clean

all: build

setup:
	@scripts/setup

build: setup
	cmake --preset native && cmake --build --preset native
	cmake --preset windows && cmake --build --preset windows

run: setup
	scripts/run

test: setup
	scripts/test

bench: setup
	cmake --preset native && cmake --build --preset native
	cmake --preset windows && cmake --build --preset windows
	bench/run.py

fuzz: setup
	scripts/fuzz

# dist/Tavelin-<version>-win64.zip: the two executables, README and licence.
dist: setup
	cmake --preset windows && cmake --build --preset windows --target dist

# Opt-in, not part of test: a file of more than 2 GiB sorted natively and
# under Wine, with time and peak memory written to bench/RESULTS.md.
test-big: setup
	scripts/test-big

# Opt-in: the 32-bit build's core tests under 32-bit Wine (installs it).
test-x86:
	scripts/setup --wine32
	scripts/test-x86

clean:
	rm -rf build
