# The two commands of a newcomer: `make run` (install, build, play qor) and `make test`.
BUILD      ?= build
TEST_BUILD ?= build-test
JOBS       ?= $(shell nproc)
XVFB       = xvfb-run -a -s "-screen 0 1024x768x24"
# The leak checker's tracer follows the dynamic TLS of the GL driver's threads at exit and now
# and then falls over a stale entry ("Tracer caught signal 11"), failing a test that passed;
# our own code keeps no pointers in dynamic TLS, so it is not followed.
SAN_ENV    = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:intercept_tls_get_addr=0 \
             LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
             UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 SDL_AUDIODRIVER=dummy

.PHONY: run lockdown build test test-build bench deps clean

run: build
	cd $(BUILD)/run && ../qor

lockdown: build
	cd $(BUILD)/run-lockdown && ../lockdown/lockdown $(ARGS)

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTS=OFF
	cmake --build $(BUILD) -j$(JOBS)

test: test-build
	cd $(TEST_BUILD) && $(SAN_ENV) $(XVFB) ctest --output-on-failure -j$(JOBS) --timeout 300 --repeat until-pass:2

test-build: deps
	cmake -S . -B $(TEST_BUILD) -DSANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1"
	cmake --build $(TEST_BUILD) -j$(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTS=OFF -DBUILD_BENCH=ON
	cmake --build build-bench -j$(JOBS)
	cd build-bench/run && for b in ../bench/*_bench; do $(XVFB) $$b; done

deps:
	scripts/install-deps.sh

clean:
	rm -rf $(BUILD) $(TEST_BUILD) build-bench
