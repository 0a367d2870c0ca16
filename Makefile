# The two commands of a newcomer: `make run` (install, build, play qor) and `make test`.
BUILD      ?= build
TEST_BUILD ?= build-test
FUZZ_BUILD ?= build-fuzz
# make fuzz: each target runs FUZZ_TIME seconds, FUZZ_JOBS at a time (TARGETS picks some).
FUZZ_TIME  ?= 600
FUZZ_JOBS  ?= 2
TARGETS    ?=
JOBS       ?= $(shell nproc)
XVFB       = xvfb-run -a -s "-screen 0 1024x768x24"
# The leak checker's tracer follows the dynamic TLS of the GL driver's threads at exit and now
# and then falls over a stale entry ("Tracer caught signal 11"), failing a test that passed;
# our own code keeps no pointers in dynamic TLS, so it is not followed.
SAN_ENV    = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:intercept_tls_get_addr=0 \
             LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
             UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 SDL_AUDIODRIVER=dummy

.PHONY: run lockdown build test test-build test-release fuzz fuzz-build bench deps clean format-check

run: build
	cd $(BUILD)/run && ../qor

lockdown: build
	cd $(BUILD)/run-lockdown && ../lockdown/lockdown $(ARGS)

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTS=OFF
	cmake --build $(BUILD) -j$(JOBS)

# The test programs run whole, one process each, as well as one test per process.
WHOLE_TESTS ?= core_tests geometry_tests editor_tests game_tests presentation_tests lockdown_tests

# The format check; the tests (a failed test that shares the display is tried once more and
# named); each test program whole; the equivalence tests against the release build (warnings as
# errors); lockdown's tests under ThreadSanitizer; then every fuzz target for 20 s so that a
# reader that crashes fails the run.
test: format-check test-build fuzz-build
	$(SAN_ENV) $(XVFB) tests/support/ctest-retry.sh $(TEST_BUILD) -j$(JOBS) --timeout 300
	$(SAN_ENV) $(XVFB) tests/support/run-whole.sh $(TEST_BUILD) $(WHOLE_TESTS)
	$(MAKE) test-release
	$(MAKE) test-tsan
	$(SAN_ENV) $(XVFB) fuzz/run.sh $(FUZZ_BUILD) 20 4

# The equivalence tests (fast paths against the plain ones) and the repeatable-play test against
# a library built as the game ships (release flags, no sanitizer), warnings as errors: the game
# that ships must play as the tested one. Only the two test programs that hold them are built.
RELEASE_CHECK_BUILD ?= build-release-check
RELEASE_CHECK_TESTS = ColliderCorners|QuadTree|ObstacleTree|CollisionStepsEquivalence|ShooterOrderEquivalence|FenceRest|SightNarrowing|ShotCandidateOrder|RepeatablePlay
test-release: deps
	cmake -S . -B $(RELEASE_CHECK_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS=-Werror
	cmake --build $(RELEASE_CHECK_BUILD) -j$(JOBS) --target geometry_tests game_tests
	cd $(RELEASE_CHECK_BUILD) && SDL_AUDIODRIVER=dummy $(XVFB) ctest --output-on-failure -j$(JOBS) \
	  --timeout 300 -R '$(RELEASE_CHECK_TESTS)'

fuzz: fuzz-build
	$(SAN_ENV) $(XVFB) fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_TIME) $(FUZZ_JOBS) $(TARGETS)

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-O1" -DBUILD_TESTS=OFF -DBUILD_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS)

test-build: deps
	cmake -S . -B $(TEST_BUILD) -DSANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1"
	cmake --build $(TEST_BUILD) -j$(JOBS)

# lockdown runs two threads: its tests (and only lockdown's) under ThreadSanitizer, in build-tsan.
.PHONY: test-tsan
test-tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTS=ON \
	  -DCMAKE_CXX_FLAGS="-O1 -g -fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
	cmake --build build-tsan -j$(JOBS) --target lockdown_tests
	cd build-tsan/run-lockdown && TSAN_OPTIONS=halt_on_error=1 SDL_AUDIODRIVER=dummy \
	  $(XVFB) ../tests/lockdown/lockdown_tests

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTS=OFF -DBUILD_BENCH=ON
	cmake --build build-bench -j$(JOBS)
	cd build-bench/run && for b in ../bench/*_bench; do $(XVFB) $$b; done

# Every tracked C++ file as .clang-format has it; names each file that differs.
format-check: deps
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

deps:
	scripts/install-deps.sh

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(FUZZ_BUILD) build-bench $(RELEASE_CHECK_BUILD)
