# Entry points; the work is done by the scripts in scripts/.
.PHONY: all setup build run test clean

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

clean:
	rm -rf build
