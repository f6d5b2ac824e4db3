# Velk: the two commands are `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WEB_BUILD  ?= build-web
FUZZ_SECONDS ?= 60
PREFIX     ?= /usr/local
CMAKE_GEN  := -G Ninja
DATA       := $(BUILD)/data
SHELL      := /bin/bash

.PHONY: all deps configure build run install test unit-asan bench fuzz clean web test-web serve-web

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD)

# Plays the demo world in a window; with no display, runs it headless and
# writes screenshots into $(BUILD)/. The save lives in the player's own
# folder (velk --help names it), so `make clean` never deletes it.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/velk --data $(DATA) $(ARGS); \
	else \
	  echo "No display: running headless, screenshots in $(BUILD)/"; \
	  printf '0 mouse 640 515\n10 button left down\n11 button left up\n' > $(BUILD)/run-script.txt; \
	  $(BUILD)/velk --headless --data $(DATA) --script $(BUILD)/run-script.txt --frames 40 \
	    --screenshot 5:$(BUILD)/screen-title.png --screenshot 39:$(BUILD)/screen-play.png \
	    --dump-state $(BUILD)/state.json $(ARGS) && \
	  echo "Wrote $(BUILD)/screen-title.png, $(BUILD)/screen-play.png and $(BUILD)/state.json"; \
	fi

# Installs velk, velk-pack, the demo world, the desktop entry and the icon
# under PREFIX (make install PREFIX=~/.local needs no root).
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# The whole suite, the web build's comparison with the native game, then
# the unit tests once more under ASan + UBSan.
test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j2
	@$(MAKE) --no-print-directory test-web
	@$(MAKE) --no-print-directory unit-asan

# The game as a web page in $(WEB_BUILD)/site (serve it with
# `make serve-web`, or any static server). Emscripten's tools run on node,
# and a node from outside Debian needs Debian's modules named; its own ports
# (SDL, FreeType, libpng) are never used: the native build renders the
# glyph atlas and makes the world the page packs. Emscripten's cache is a
# tree of links to Debian's prebuilt one inside the build folder, so the
# build writes nothing outside it and never downloads.
EMENV := NODE_PATH=/usr/share/nodejs EM_CACHE=$(abspath $(WEB_BUILD))/em-cache
web: configure
	@cmake --build $(BUILD) --target demo_data web_assets
	@if [ ! -d $(WEB_BUILD)/em-cache ]; then mkdir -p $(WEB_BUILD) && \
	  cp -rs /usr/share/emscripten/cache $(WEB_BUILD)/em-cache && rm -f $(WEB_BUILD)/em-cache/cache.lock; fi
	@$(EMENV) emcmake cmake -S . -B $(WEB_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DVELK_NATIVE_BUILD=$(abspath $(BUILD)) >/dev/null
	@$(EMENV) cmake --build $(WEB_BUILD)
	@echo "The page is in $(WEB_BUILD)/site (make serve-web serves it on http://localhost:8000/)"

serve-web: web
	@cd $(WEB_BUILD)/site && python3 -m http.server 8000

# The web build in headless Chromium against the native headless velk: the
# same script and seed must give the same state dump and the same pictures.
test-web: web
	@cmake --build $(BUILD) --target velk
	@python3 tests/web/web_e2e.py --native $(BUILD) --site $(WEB_BUILD)/site

unit-asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVELK_SANITIZE=ON -DVELK_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD)
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2 -E '^E2e'

# Every benchmark runs; one that fails or crashes fails the target.
bench: build
	@failed=0; for b in $(BUILD)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$b"; \
	  "$$b" || { echo "$$b FAILED (exit $$?)"; failed=1; }; \
	done; exit $$failed

# Each libFuzzer target runs for FUZZ_SECONDS under ASan, starting from the
# demo world's files of its format.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVELK_FUZZ=ON -DVELK_TESTS=OFF -DVELK_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD)
	@bash fuzz/seed_corpus.sh $(FUZZ_BUILD)/data $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/fuzz/velk-fuzz-seeds
	@failed=0; for f in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; name=$$(basename $$f); \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  if "$$f" -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus/$$name > $(FUZZ_BUILD)/$$name.log 2>&1; then \
	    tail -n 1 $(FUZZ_BUILD)/$$name.log; \
	  else \
	    echo "$$name FAILED, see $(FUZZ_BUILD)/$$name.log"; tail -n 20 $(FUZZ_BUILD)/$$name.log; failed=1; \
	  fi; \
	done; exit $$failed

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD)
