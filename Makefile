# SPDX-License-Identifier: GPL-3.0-or-later
# Entry points: make run, make test, make bench, make install, make fuzz.
BUILD   ?= build
SANITIZED ?= $(BUILD)-asan
PREFIX  ?= /usr/local
JOBS    ?= 2
CMAKE_FLAGS ?=
ifdef CI
CMAKE_FLAGS += -DTAGNOMEN_WERROR=ON
endif

.PHONY: all deps configure build run test format-check test-sanitized lint bench install uninstall \
	package screenshots fuzz clean format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/gui/tagnomen

# Every suite, then the gates of the house rules: the formatting (first, as it
# takes seconds), make lint, and the core and CLI suites and the fuzz corpora
# under AddressSanitizer and UndefinedBehaviorSanitizer.
test: format-check build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@scripts/lint $(BUILD)
	@$(MAKE) --no-print-directory test-sanitized

format-check: deps
	@scripts/format --check

# The second build of make test, without the GUI: every sanitizer report ends
# the program (TAGNOMEN_SANITIZE), leaks included, with the status 86, which
# no program of the tree uses, so that a report in a child process never
# passes for the failure a test expects.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:exitcode=86 UBSAN_OPTIONS=print_stacktrace=1:exitcode=86
test-sanitized: deps
	@cmake -S . -B $(SANITIZED) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAGNOMEN_SANITIZE=ON \
		-DTAGNOMEN_GUI=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SANITIZED) -j $(JOBS)
	cd $(SANITIZED) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) \
		-L '^(core|cli|fuzz|sanitizer)$$'

# The layer rule of core/ and clang-tidy's checks (.clang-tidy) over the tree.
lint: build
	@scripts/lint $(BUILD)

bench:
	@scripts/install-deps bench
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAGNOMEN_BENCH=ON -DTAGNOMEN_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS)
	@bench/run-all $(BUILD)-bench

install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@if [ -f $(BUILD)/install_manifest.txt ]; then \
		sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt | xargs -d '\n' rm -fv; fi

# A Debian package in this directory: sudo apt install ./tagnomen_*.deb
# CPack's staging install rewrites the install manifest; `make uninstall` keeps its own.
package: build
	@if [ -f $(BUILD)/install_manifest.txt ]; then cp $(BUILD)/install_manifest.txt $(BUILD)/manifest.keep; fi
	@cd $(BUILD) && cpack -G DEB -B $(CURDIR)/$(BUILD)/package >/dev/null
	@rm -f $(BUILD)/install_manifest.txt
	@if [ -f $(BUILD)/manifest.keep ]; then mv $(BUILD)/manifest.keep $(BUILD)/install_manifest.txt; fi
	@cp $(BUILD)/package/tagnomen_*.deb .
	@ls tagnomen_*.deb

# The README's pictures, taken offscreen.
screenshots: build
	@cmake --build $(BUILD) --target tagnomen-screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/screenshots/tagnomen-screenshots docs/screenshots

fuzz: deps
	@scripts/build-fuzzers $(BUILD)-fuzz

format:
	@scripts/format

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-fuzz $(SANITIZED)
