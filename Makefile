# The project's commands. Each first makes sure the Debian packages the build
# needs are installed (installing them when run as root), then configures
# and builds with CMake.
#   make        build everything into build/
#   make run    build the simulator with its stock circuit, the pipelined
#               processor, and start it in its window; without a reachable
#               display, run its stored program headless and summarise it
#               (tools/korvax-demo); RUN_ARGS=... runs build/korvax with
#               those options instead. Builds only build/korvax.
#   make test   build and run every test
#   make bench  build and run the benchmarks

BUILD   ?= build
# The X server and utilities serve the tests that run the window (Xvfb) and
# make run's look for a reachable display (xdpyinfo).
PACKAGES = g++ cmake ninja-build libgtest-dev libx11-dev xvfb x11-utils
RUN_ARGS ?=

.PHONY: all build configure run test bench deps update-golden clean

all: build

deps:
	@tools/install-deps $(PACKAGES)

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || { gen=; command -v ninja >/dev/null && gen="-G Ninja"; \
	  cmake -S . -B $(BUILD) $$gen -DCMAKE_BUILD_TYPE=RelWithDebInfo; }

build: configure
	cmake --build $(BUILD) -j2

run: configure
	cmake --build $(BUILD) -j2 --target korvax
ifeq ($(strip $(RUN_ARGS)),)
	@tools/korvax-demo $(BUILD)/korvax
else
	$(BUILD)/korvax $(RUN_ARGS)
endif

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

# The engine's own benchmarks; bench/compare-icarus.sh (against Icarus
# Verilog), bench/pipeline.sh (the processor) and bench/window.sh (the
# processor's window under Xvfb) are run by hand.
bench: build
	$(BUILD)/bench/bench-netlist
	$(BUILD)/bench/bench-heap
	$(BUILD)/bench/bench-runloop
	$(BUILD)/bench/bench-gates
	$(BUILD)/bench/bench-tiling

# Rewrites the expected outputs of the process tests from what the programs
# print now; review the diff before committing it.
update-golden: build
	cd $(BUILD) && KORVAX_UPDATE_GOLDEN=1 ctest -R golden --output-on-failure

clean:
	rm -rf $(BUILD)
