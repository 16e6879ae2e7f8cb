# The two commands a newcomer needs: `make run` and `make test`. Everything else builds on them.
BUILD        ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR     ?= fuzz-build
FUZZ_TIME    ?= 600
PREFIX       ?= /usr/local
JOBS         ?= $(shell nproc)
CMAKE_FLAGS  ?=

.PHONY: all deps configure build run sample-site screenshot test bench sanitize fuzz install package clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

# The window on the sample country map.
run: build
	$(BUILD)/bin/pinlore $(BUILD)/bin/tutorial/Pictures/Country.plm

# The sample maps exported as a web site into $(BUILD)/sample-site.
sample-site: build
	scripts/export-sample $(BUILD)

# A picture of the window on a virtual screen, for machines without a display: $(BUILD)/screenshot.png.
screenshot: build
	tools/screenshot $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	scripts/run-bench $(BUILD)

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPINLORE_SANITIZE=ON -DPINLORE_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)

# Runs each fuzzer of FUZZERS for FUZZ_TIME seconds under AddressSanitizer, one job, from its seed
# corpus: the document loader, and picture decoding through the imaging layer. New inputs they find
# are kept in $(FUZZ_DIR)/corpus and $(FUZZ_DIR)/pictures. `make fuzz FUZZERS=picture_decoding_fuzzer`
# runs one alone.
FUZZERS ?= plm_loader_fuzzer picture_decoding_fuzzer
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPINLORE_SANITIZE=ON \
	  -DPINLORE_BUILD_FUZZERS=ON -DPINLORE_BUILD_TESTS=OFF -DPINLORE_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(FUZZERS)
	mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/pictures
	$(if $(filter plm_loader_fuzzer,$(FUZZERS)),$(FUZZ_DIR)/bin/plm_loader_fuzzer $(FUZZ_DIR)/corpus tests/fuzz/corpus \
	  -max_total_time=$(FUZZ_TIME) -max_len=16384 -dict=tests/fuzz/plm.dict)
	$(if $(filter picture_decoding_fuzzer,$(FUZZERS)),QT_QPA_PLATFORM=offscreen \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/fuzz/lsan.supp $(FUZZ_DIR)/bin/picture_decoding_fuzzer \
	  $(FUZZ_DIR)/pictures tests/fuzz/pictures -max_total_time=$(FUZZ_TIME) -max_len=65536 -dict=tests/fuzz/heif.dict)

# DESTDIR, when set, stages the installation for a package; the program and its maps still name PREFIX.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package installing under /usr: $(BUILD)/pinlore_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SANITIZE_DIR) $(FUZZ_DIR)
