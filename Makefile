# Two commands set up a fresh Debian 12 machine: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench install uninstall package package-check asan-test fuzz format check-style check-layers look-deps clean

all: build

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/almanis

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@tools/install-deps --bench
	@for b in $(BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; $$b || exit 1; done

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# Removes what the last `make install` put there, by $(BUILD)/install_manifest.txt.
uninstall:
	cmake $(if $(PREFIX),-DPREFIX=$(PREFIX)) -P $(BUILD)/almanis_uninstall.cmake

# almanis_<version>_<arch>.deb in this folder, built by CPack from the install rules.
package: build
	@tools/install-deps --package
	rm -rf $(BUILD)/package almanis_*.deb
	cd $(BUILD) && cpack --config CPackConfig.cmake -B package
	cp $(BUILD)/package/almanis_*.deb .

# The package's files and dependencies against what it must hold, then lintian.
package-check: package
	tools/check-package almanis_*.deb

# The tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DALMANIS_SANITIZE=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# The event text importer and the vCard reader under libFuzzer, with the
# sanitizers on: each fuzzer runs for FUZZ_SECONDS.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DALMANIS_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_ARGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_event_text fuzz_vcard
	@mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/corpus-vcard
	$(FUZZ_BUILD)/fuzz/fuzz_event_text -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  $(FUZZ_BUILD)/corpus tests/exchange/corpus
	$(FUZZ_BUILD)/fuzz/fuzz_vcard -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -dict=fuzz/vcard.dict $(FUZZ_BUILD)/corpus-vcard tests/exchange/vcard-corpus

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Formatting, connection conventions and the layers, as CI checks them.
check-style: deps
	@tools/check-style
	@tools/check-layers

# Includes and links that point down CONTRIBUTING.md's table of src/ folders.
check-layers: deps
	@tools/check-layers

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
