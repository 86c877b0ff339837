# Two commands for a fresh Debian machine:
#   make play   installs what is missing, builds and starts the game
#   make test   installs what is missing, builds and runs every test
# and for contributors:
#   make test-fresh   `make test` on a fresh clone in a brand-new Debian 12 (as CI does)
#   make windows      cross-builds the Windows zip into build-windows/
#   make web          builds the game for web browsers into build-web/site/
#   make web-serve    serves it at http://127.0.0.1:8000/
#   make web-size     prints the size of every file the page fetches
#   make board        serves the page and its high-score board at http://127.0.0.1:8000/
BUILD ?= build
ASAN_BUILD ?= build-asan
DEB_BUILD ?= build-deb
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := $(shell grep -v '^\#' packages.txt)

WINDOWS_BUILD ?= build-windows
WEB_BUILD ?= build-web
WEB_PORT ?= 8000
# make web-serve ADDR=0.0.0.0 serves the page to the local network (a phone); never the default.
ADDR ?= 127.0.0.1

.PHONY: board play test test-asan test-fresh bench build deps configure deb format clean windows web web-serve web-size soak

play: build
	$(BUILD)/glouton

# Our warnings are errors here (GLOUTON_WERROR), not for whoever builds the
# sources another way. Every package the tests need is installed here, so a
# test that finds one missing fails and names it (tests/support/require.sh).
test test-asan: export GLOUTON_REQUIRE_ALL = 1
test: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DGLOUTON_WERROR=ON
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) test-asan

# `make test` as CI runs it: on a fresh clone of the committed HEAD inside a
# minimal Debian 12 made for the run (needs root; see tools/fresh-debian.sh).
test-fresh:
	bash tools/fresh-debian.sh -- make test

# The core, the simulator and their tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, without SDL: any finding fails the run.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DGLOUTON_WITH_SDL=OFF \
	  -DGLOUTON_SANITIZE=ON -DGLOUTON_WERROR=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS) -L 'unit|sim|long'

build: configure
	cmake --build $(BUILD) -j$(JOBS)

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

# glouton.exe and glouton-sim.exe for 64-bit Windows (MinGW-w64), packed with
# their DLLs and data as $(WINDOWS_BUILD)/glouton-VERSION-windows-x64.zip. The
# SDL libraries and zlib's inflate are built from Debian's sources the first
# time (minutes), then taken from ~/.cache/glouton-cross.
windows: deps
	JOBS=$(JOBS) tools/cross/build-windows.sh $(WINDOWS_BUILD)
	@ls -l $(WINDOWS_BUILD)/glouton-*-windows-x64.zip

# The game for web browsers with Debian's emscripten: the page's files in
# $(WEB_BUILD)/site/ (index.html, glouton.js, glouton.wasm, glouton.data, each
# with a .gz and a .br copy), and glouton-sim.js for node in $(WEB_BUILD)/. The
# SDL libraries and zlib's inflate are built from Debian's sources the first
# time (minutes), then taken from ~/.cache/glouton-cross.
web: deps
	JOBS=$(JOBS) tools/cross/build-web.sh $(WEB_BUILD)
	@ls -l $(WEB_BUILD)/site

# Serves the page at http://$(ADDR):$(WEB_PORT)/ until Ctrl+C.
web-serve: web
	node web/serve.mjs $(WEB_BUILD)/site $(WEB_PORT) $(ADDR)

# The page and its high-score board from one origin, at http://$(ADDR):$(WEB_PORT)/
# until Ctrl+C; the board's runs in SQLite under $$XDG_DATA_HOME/glouton/ (docs/board.md).
board: web configure
	cmake --build $(BUILD) -j$(JOBS) --target glouton-board
	$(BUILD)/glouton-board --address $(ADDR) --port $(WEB_PORT) --site $(WEB_BUILD)/site

# The table of the page's files: raw, gzip -9 and brotli, as docs/figures.md has it.
web-size: web
	@node tools/web-site.mjs size $(WEB_BUILD)/site

# The Debian package, $(DEB_BUILD)/glouton_VERSION_ARCH.deb, from its own
# Release build laid out for /usr/games.
deb: deps
	bash packaging/make-deb.sh . $(DEB_BUILD) $(JOBS)

# Installs only the packages that are missing: as root directly, otherwise through sudo.
# A package another installed one provides counts as there (npm in some nodejs builds).
deps:
	@missing=""; \
	provided=" $$(dpkg-query -W -f='$${db:Status-Status} $${Provides}\n' 2>/dev/null | \
	  sed -n 's/^installed //p' | sed 's/ *([^)]*)//g; s/, */ /g' | tr '\n' ' ') "; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || \
	  case "$$provided" in *" $$p "*) ;; *) missing="$$missing $$p" ;; esac; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo apt-get update -q -o DPkg::Lock::Timeout=600 && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -q -o DPkg::Lock::Timeout=600 --no-install-recommends $$missing; \
	fi

# Every measured figure with its target: handler costs, simulation speed,
# instructions per event, and the real window under Xvfb (start-up, memory,
# CPU, timer lateness over BENCH_MINUTES of play).
BENCH_MINUTES ?= 5
bench: build
	$(BUILD)/handlers_bench --benchmark_min_time=0.2
	python3 bench/sim_speed.py $(BUILD)
	python3 bench/window_bench.py $(BUILD) --minutes $(BENCH_MINUTES)
	bash bench/board_bench.sh $(BUILD)

# The real window played by a key bot for SOAK_MINUTES under Xvfb, with its
# trace and replay checked (tests/stress/soak_test.sh); too long for `make test`.
SOAK_MINUTES ?= 60
soak: build
	nice bash tests/stress/soak_test.sh $(abspath $(BUILD))/glouton $(abspath $(BUILD))/glouton-sim \
	  $(CURDIR)/tests/stress/trace_check.py $(CURDIR) $(SOAK_MINUTES)

format:
	find src tests \( -name '*.cpp' -o -name '*.h' \) | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WINDOWS_BUILD) $(DEB_BUILD) $(WEB_BUILD)
