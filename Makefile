# The project's commands. Each first makes sure the Debian packages the build
# needs are installed (installing them when run as root), then configures
# and builds with CMake.
#   make        build everything into build/
#   make run    build the simulator with its stock circuit, the pipelined
#               processor, and start it in its window with the watch panel
#               shown (-P: PC, the stages, the registers); without a reachable
#               display, run its stored program headless and summarise it
#               (tools/korvax-demo); RUN_ARGS=... runs build/korvax with
#               those options instead. Builds only build/korvax.
#   make test   build and run every test
#   make bench  build and run the benchmarks
#   make fuzz   build the fuzz targets (clang, libFuzzer) into build-fuzz/
#               and run each for FUZZ_SECONDS (60)
#   make test-sanitize
#               build everything with AddressSanitizer and
#               UndefinedBehaviorSanitizer into build-sanitize/ and run every
#               test there; any sanitizer report fails a test
# WERROR=ON turns compiler warnings into errors (CI does).

BUILD   ?= build
# The X server and utilities serve the tests that run the window (Xvfb) and
# make run's look for a reachable display (xdpyinfo); lld links the circuits
# that tools/korvax-build builds (without it, the default linker does);
# bubblewrap is the sandbox tools/korvax-check grades submissions in.
PACKAGES = g++ cmake ninja-build lld libgtest-dev libx11-dev xvfb x11-utils bubblewrap
SANITIZE_BUILD ?= build-sanitize
WERROR  ?= OFF
# Only the tests need these: GTKWave's vcd2fst and fst2vcd read the
# waveform files back; xdotool types and clicks into the window;
# rsvg-convert (librsvg2-bin) rasters the SVG pictures and ImageMagick
# compares them with the window's screenshots; Python reads korvax-check's
# JUnit and JSON reports back and listens for the hostile submissions.
TEST_PACKAGES = gtkwave xdotool librsvg2-bin imagemagick python3
RUN_ARGS ?=

.PHONY: all build configure run test test-sanitize fuzz bench deps update-golden clean

all: build

deps:
	@tools/install-deps $(PACKAGES)

# $(call configure-folder,FOLDER,OPTIONS): configures FOLDER unless it
# already is.
configure-folder = test -f $(1)/CMakeCache.txt || { gen=; command -v ninja >/dev/null && gen="-G Ninja"; \
	  cmake -S . -B $(1) $$gen -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVAX_WERROR=$(WERROR) $(2); }

configure: deps
	@$(call configure-folder,$(BUILD))

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
	@tools/install-deps $(TEST_PACKAGES)
	cd $(BUILD) && ctest --output-on-failure -j2

# The netlist stays allocated until the program ends, by design, so leak
# detection is off; every other report ends the program that made it
# (halt_on_error, and -fno-sanitize-recover at compile time).
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:abort_on_error=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

test-sanitize: deps
	@tools/install-deps $(TEST_PACKAGES)
	@$(call configure-folder,$(SANITIZE_BUILD),-DKORVAX_SANITIZE=ON)
	cmake --build $(SANITIZE_BUILD) -j2
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j2

# The fuzz targets under fuzz/, built by clang with libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer in their own folder, each run for
# FUZZ_SECONDS from its seed corpus (fuzz/corpus/NAME, read only); what they
# find goes to $(FUZZ_BUILD)/corpus/NAME, a crashing input to $(FUZZ_BUILD)/.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_PACKAGES = clang libclang-rt-dev
FUZZ_TARGETS = cmdline positions vectors vcdnames netlist

fuzz:
	@tools/install-deps $(PACKAGES) $(FUZZ_PACKAGES)
	@test -f $(FUZZ_BUILD)/CMakeCache.txt || { gen=; command -v ninja >/dev/null && gen="-G Ninja"; \
	  cmake -S . -B $(FUZZ_BUILD) $$gen -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    -DKORVAX_FUZZ=ON -DKORVAX_WERROR=$(WERROR) -DBUILD_TESTING=OFF; }
	cmake --build $(FUZZ_BUILD) -j2 $(FUZZ_TARGETS:%=--target fuzz-%)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "fuzz-$$t: $(FUZZ_SECONDS) seconds"; \
	  $(FUZZ_BUILD)/fuzz/fuzz-$$t -max_total_time=$(FUZZ_SECONDS) -close_fd_mask=3 \
	    -artifact_prefix=$(FUZZ_BUILD)/fuzz-$$t- $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done

# The engine's own benchmarks; bench/compare-icarus.sh (against Icarus
# Verilog), bench/pipeline.sh (the processor), bench/window.sh (the
# processor's window under Xvfb) and bench/panel.sh (its watch panel) are
# run by hand.
bench: build
	$(BUILD)/bench/bench-netlist
	$(BUILD)/bench/bench-heap
	$(BUILD)/bench/bench-runloop
	$(BUILD)/bench/bench-gates
	$(BUILD)/bench/bench-tiling
	$(BUILD)/bench/bench-scale

# Rewrites the expected outputs of the process tests from what the programs
# print now; review the diff before committing it.
update-golden: build
	cd $(BUILD) && KORVAX_UPDATE_GOLDEN=1 ctest -R golden --output-on-failure

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
