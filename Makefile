# Thin wrapper around CMake: `make run` and `make test` do all the set-up on a fresh Debian 12.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_REL  ?= build-release
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps configure build run test test-asan bench fuzz screenshots format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the program is built, and it opens a copy of the sample site in the build folder, so
# trying the editor never changes tracked files (cp keeps the pages' CR LF bytes as they are).
run: deps configure
	cmake --build $(BUILD) --target quorvane -j $(JOBS)
	@test -d $(BUILD)/sample-site || cp -r data/sample-site $(BUILD)/sample-site
	$(BUILD)/quorvane $(BUILD)/sample-site/index.html

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Leaks are checked; tests/lsan.supp lists the libraries whose own leaks are not ours (each with
# its reason). new_delete_type_mismatch is off because Qt WebEngine's own Chromium code frees with
# a size that differs from the allocation (inside libQt6WebEngineCore, when a page is destroyed);
# our code is checked for everything else.
test-asan: deps
	cmake -S . -B $(BUILD_ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:new_delete_type_mismatch=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD_REL) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BENCH=ON
	cmake --build $(BUILD_REL) -j $(JOBS)
	@for b in $(BUILD_REL)/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; done

# libFuzzer targets (clang), each run for FUZZ_SECONDS on a corpus seeded from fuzz/corpus/<name>
# and the sample site. The run stops at the first finding and leaves its log in the build folder.
FUZZ_TARGETS ?= htmltag htmlparser scanedits textdecoder jpegsize paths inifile website colortemplates
fuzz: deps
	@command -v clang++ >/dev/null || { echo "make fuzz: clang is needed (scripts/install-deps)"; exit 1; }
	cmake -S fuzz -B $(BUILD_FUZZ) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@for t in $(FUZZ_TARGETS); do \
	  c=$(BUILD_FUZZ)/corpus/$$t; mkdir -p $$c; \
	  [ ! -d fuzz/corpus/$$t ] || cp -r fuzz/corpus/$$t/. $$c/; \
	  case $$t in \
	    htmlparser|textdecoder|htmltag) cp data/sample-site/*.html $$c/ ;; \
	    jpegsize) find data/sample-site -iname '*.jp*g' -exec cp {} $$c/ \; ;; \
	  esac; \
	  echo "== fuzz_$$t"; \
	  $(BUILD_FUZZ)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(BUILD_FUZZ)/fuzz_$$t- $$c > $(BUILD_FUZZ)/fuzz_$$t.log 2>&1; rc=$$?; \
	  grep -E 'Done|ERROR|SUMMARY|stat::number_of_executed_units|cov:' $(BUILD_FUZZ)/fuzz_$$t.log | tail -4; \
	  [ $$rc -eq 0 ] || { echo "fuzz_$$t found a fault: $(BUILD_FUZZ)/fuzz_$$t.log"; exit $$rc; }; \
	done

screenshots: build
	mkdir -p $(BUILD)/screenshots
	QUORVANE_SCREENSHOTS=$(CURDIR)/$(BUILD)/screenshots xvfb-run -a -s "-screen 0 1280x900x24" \
	  $(BUILD)/tests/tst_screenshots

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_REL) $(BUILD_FUZZ)
