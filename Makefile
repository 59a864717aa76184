# SPDX-License-Identifier: GPL-3.0-or-later
# Entry points: make run, make test, make bench, make install, make fuzz.
BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= 2
CMAKE_FLAGS ?=
ifdef CI
CMAKE_FLAGS += -DTAGNOMEN_WERROR=ON
endif

.PHONY: all deps configure build run test lint bench install uninstall package screenshots fuzz clean format

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/gui/tagnomen

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

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
	@find core gui cli tests bench fuzz tools cmake -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-fuzz
