# The two commands a new user needs: `make run` and `make test`. Both install what is missing
# first, so they work on a fresh Debian 12 machine.
BUILD      ?= build
TSAN_BUILD ?= build-tsan
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
RELEASE_BUILD ?= build-release
# Warnings stop CI's builds; anyone else building the sources only sees them.
WERROR     ?= $(if $(CI),ON,OFF)

CCACHE := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
LAUNCHER := -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache
# A clone in another folder (CI's) reuses what an earlier one compiled.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
endif
LAUNCHER += -DVARDEX_WERROR=$(WERROR)

.PHONY: all deps configure build run test tsan asan release fuzz bench soak package screenshots clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(LAUNCHER)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/vardex --port sim

test: build tsan asan
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The link and the simulator run real threads; ThreadSanitizer checks their hand-offs.
tsan: deps
	@[ -f $(TSAN_BUILD)/build.ninja ] || cmake -S . -B $(TSAN_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DVARDEX_TSAN=ON $(LAUNCHER)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target tsan_tests
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  ctest --output-on-failure -L tsan

# Every test again under AddressSanitizer and UndefinedBehaviorSanitizer: lifetimes of pages,
# controls and areas, bounds of images and frames, integer and cast faults. -O1 keeps the run
# short and the stacks whole. The build runs the tests too (CTest lists their cases), so it
# gets the same options; the leak checker skips only what tests/lsan.supp proves is not ours.
ASAN_ENV := ASAN_OPTIONS=detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp
asan: deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
	  -DVARDEX_ASAN=ON $(LAUNCHER)
	$(ASAN_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(ASAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The optimised configuration a distribution builds (-O3 warns where -O2 does not), built once
# by CI so that it keeps building without warnings.
release: deps
	@[ -f $(RELEASE_BUILD)/build.ninja ] || cmake -S . -B $(RELEASE_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Release $(LAUNCHER)
	cmake --build $(RELEASE_BUILD) -j $(JOBS)

# The libFuzzer targets of fuzz/, one per reader of outside input, built with clang in their
# own folder; each runs FUZZ_SECONDS on a copy of its seed corpus, and a crash fails the run.
fuzz: deps
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARDEX_FUZZ=ON $(LAUNCHER)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Without a display the benchmarks run on a virtual X server, as a desktop would show them.
bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@run=""; [ -n "$$DISPLAY" ] || run="xvfb-run -a"; \
	for b in $$(find $(BUILD)/bench -maxdepth 1 -type f -perm -u+x -name "bench_*" | sort); do \
	  echo "== $$b"; $$run $$b || exit 1; done

# The fault soak (docs/soak.md): random settings written into every module kind of the
# virtual vehicle over a failing line, checked against the modules' memories. Not part of
# `make test`, which runs a short version of it.
SOAK_CYCLES ?= 200
SOAK_SEED   ?= 1
soak: configure
	cmake --build $(BUILD) -j $(JOBS) --target vardex-soak
	$(BUILD)/vardex-soak --cycles $(SOAK_CYCLES) --seed $(SOAK_SEED)

# Every registered settings page, shown after a read of the virtual vehicle, in
# $(BUILD)/screenshots/NAME.png, and the pending marks and "Изменения" in
# $(BUILD)/screenshots/safe_editing/, for review (not part of the tests).
screenshots: build
	cmake --build $(BUILD) -j $(JOBS) --target page_screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/tests/page_screenshots $(BUILD)/screenshots
	cmake --build $(BUILD) -j $(JOBS) --target safe_editing_shot
	QT_QPA_PLATFORM=offscreen $(BUILD)/tests/shell/safe_editing_shot $(BUILD)/screenshots/safe_editing

# The Debian package, $(BUILD)/vardex_VERSION-1_ARCH.deb: `sudo apt install ./$(BUILD)/vardex_*.deb`.
# A build folder configured before may hold another install prefix; the package's is /usr, and
# the program looks for its installed help there.
package: configure
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(TSAN_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD)
