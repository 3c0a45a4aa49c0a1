# Entry points; the work is done by the scripts in scripts/.
.PHONY: all setup build run test bench fuzz clean

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

clean:
	rm -rf build
