# The two commands a new user needs:
#   make run    install what is missing, build, open the calculator
#   make test   install what is missing, build, run every test headless
# Other targets: core, cross, web, web-test, web-audit, web-figures, web-screenshot, bench, package, fuzz, asan, format, format-check, screenshot, clean.

PRESET ?= dev
# Warnings are errors in CI (which sets CI=true); elsewhere they are warnings.
WERROR ?= $(if $(filter true,$(CI)),ON,OFF)
CONFIGURE = cmake --preset $(1) -DKELMORA_WERROR=$(WERROR) >/dev/null
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: all deps test run core cross web web-tools web-test web-audit web-figures web-screenshot bench package fuzz asan format format-check screenshot clean

all: test

deps:
	@scripts/install-deps.sh

test: deps
	$(call CONFIGURE,$(PRESET))
	cmake --build --preset $(PRESET)
	ctest --preset $(PRESET)

run:
	@scripts/install-deps.sh --desktop
	$(call CONFIGURE,release)
	cmake --build --preset release --target kelmora
	build/release/app/kelmora

# The core and the command alone, without Qt.
core: deps
	$(call CONFIGURE,core)
	cmake --build --preset core
	ctest --preset core

# The core and the command on other ABIs, each suite run through its emulator.
CROSS_PRESETS = i686 aarch64 win64 wasm
# Wine sets up a new prefix on first use, with helper processes that outlive
# the first program; tests started meanwhile can fail before they run. So the
# win64 prefix is made, and settled, before its tests. (Its test preset also
# gives a failed test a second try.)
WINE_ENV = WINEPREFIX=$(CURDIR)/build/win64/wineprefix WINEDEBUG=-all
WINE_PREFIX_READY = $(WINE_ENV) /usr/lib/wine/wine64 wineboot --init && $(WINE_ENV) /usr/lib/wine/wineserver -w
cross:
	@scripts/install-deps.sh --cross
	@set -e; for preset in $(CROSS_PRESETS); do \
	  echo "== $$preset"; start=$$(date +%s); \
	  $(call CONFIGURE,$$preset); \
	  cmake --build --preset $$preset; \
	  if [ $$preset = win64 ]; then $(WINE_PREFIX_READY); fi; \
	  ctest --preset $$preset; \
	  echo "== $$preset: built and tested in $$(( $$(date +%s) - start )) s"; \
	done

# The browser page: one self-contained kelmora.html, kelmora-core.mjs, and the
# same page as an installable, offline site (its service worker is Workbox's,
# so the npm packages come first).
WEB_DIR = build/wasm/web
SITE_DIR = build/wasm/site
# Node 18 (Debian 12's) keeps Web Crypto out of the globals, where Workbox's
# tools look for it (the site's tests rebuild its service worker).
NODE_MAJOR = $(shell node -p 'process.versions.node.split(".")[0]' 2>/dev/null)
WEB_ENV = $(if $(filter 16 17 18,$(NODE_MAJOR)),NODE_OPTIONS=--experimental-global-webcrypto) \
          KELMORA_WEB_DIR=$(CURDIR)/$(WEB_DIR) KELMORA_SITE_DIR=$(CURDIR)/$(SITE_DIR)
web:
	@scripts/install-deps.sh --web
	@$(MAKE) --no-print-directory web/node_modules
	$(call CONFIGURE,wasm)
	cmake --build --preset wasm --target kelmora_web
	@echo "web: $(CURDIR)/$(WEB_DIR)/kelmora.html (open it from disk)"
	@echo "web: $(CURDIR)/$(SITE_DIR)/ (copy it to any static HTTPS host)"

web/node_modules: web/package.json web/package-lock.json
	cd web && npm ci --no-audit --no-fund
	@touch $@

# What driving the page needs: Chromium.
web-tools: web
	@scripts/install-deps.sh --web-test

# The module in node; the page and the site in Debian's Chromium, with axe-core
# and Lighthouse's accessibility score.
web-test: web-tools
	$(WEB_ENV) node --test --test-concurrency=1 web/tests/

# Lighthouse over the page and the site, mobile and desktop: every category
# and each audit below 1.
web-audit: web-tools
	$(WEB_ENV) node web/bench/audit.mjs

web-figures: web-tools
	$(WEB_ENV) node web/bench/figures.mjs

web-screenshot: web-tools
	$(WEB_ENV) node web/screenshot.mjs docs

bench: deps
	$(call CONFIGURE,release)
	cmake --build --preset release
	build/release/bench/calc_bench
	build/release/bench/command_bench
	build/release/bench/click_bench

package:
	@scripts/install-deps.sh --package
	$(call CONFIGURE,release)
	cmake --build --preset release
	cd build/release && cpack

asan: deps
	$(call CONFIGURE,asan)
	cmake --build --preset asan
	ctest --preset asan

fuzz:
	@scripts/install-deps.sh --fuzz
	$(call CONFIGURE,fuzz)
	cmake --build --preset fuzz
	scripts/run-fuzzers.sh build/fuzz $(or $(SECONDS),30)

format:
	clang-format -i $(SOURCES)

format-check:
	clang-format --dry-run -Werror $(SOURCES)

screenshot: deps
	$(call CONFIGURE,release)
	cmake --build --preset release --target kelmora_screenshot
	QT_QPA_PLATFORM=offscreen build/release/app/kelmora_screenshot docs/kelmora.png

clean:
	rm -rf build
