# The two commands a new user needs: `make run` and `make test`. Both install what is missing
# first, so they work on a fresh Debian 12 machine.
BUILD      ?= build
TSAN_BUILD ?= build-tsan
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)

CCACHE := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
LAUNCHER := -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache
endif

.PHONY: all deps configure build run test tsan bench package screenshots clean

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

test: build tsan
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The link and the simulator run real threads; ThreadSanitizer checks their hand-offs.
tsan: deps
	@[ -f $(TSAN_BUILD)/build.ninja ] || cmake -S . -B $(TSAN_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DVARDEX_TSAN=ON $(LAUNCHER)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target tsan_tests
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  ctest --output-on-failure -L tsan

# Without a display the benchmarks run on a virtual X server, as a desktop would show them.
bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@run=""; [ -n "$$DISPLAY" ] || run="xvfb-run -a"; \
	for b in $$(find $(BUILD)/bench -maxdepth 1 -type f -perm -u+x -name "bench_*" | sort); do \
	  echo "== $$b"; $$run $$b || exit 1; done

# Every registered settings page, shown after a read of the virtual vehicle, in
# $(BUILD)/screenshots/NAME.png for review (not part of the tests).
screenshots: build
	cmake --build $(BUILD) -j $(JOBS) --target page_screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/tests/page_screenshots $(BUILD)/screenshots

# The Debian package, $(BUILD)/vardex_VERSION-1_ARCH.deb: `sudo apt install ./$(BUILD)/vardex_*.deb`.
# A build folder configured before may hold another install prefix; the package's is /usr, and
# the program looks for its installed help there.
package: configure
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(TSAN_BUILD)
