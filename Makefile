# The two commands: `make demo` and `make test`. Both set up what they need.
.PHONY: all setup native release win32 dist test demo benchmark clean

all: native win32 dist

setup:
	@tools/setup.sh

native: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native

release: setup
	@cmake --preset native-release >/dev/null
	@cmake --build --preset native-release

win32: setup
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

# The files a user drops into the simulator's gauges folder.
dist: win32
	@tools/make_dist.sh build/win32 dist

test: native win32 dist
	@tools/run_tests.sh build/native build/win32

demo: release win32 dist
	@tools/demo.sh build/native-release build/win32

benchmark: release
	@build/native-release/bench/frame_benchmark

clean:
	rm -rf build dist
