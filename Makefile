# Kestrava: the commands a user types. `make run` and `make test` install what
# is missing first (Debian packages), so both work on a fresh Debian 12 machine.

PACKAGES := make cmake ninja-build g++ googletest libbenchmark-dev clang libclang-rt-14-dev \
            g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
            mingw-w64-tools wine wine64 xvfb xdotool x11-utils xclip openbox \
            fonts-wqy-microhei imagemagick locales procps psmisc

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
SESSION := tools/session
FUZZ_SECONDS ?= 60

.PHONY: all deps build build-native build-windows run test test-native test-windows \
        bench fuzz demo soak clean

all: build

# Installs only the packages that are missing, then makes sure the zh_CN.UTF-8
# locale exists (code page 936 under Wine).
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi
	@locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$$' || $(SUDO) localedef -i zh_CN -f UTF-8 zh_CN.UTF-8

build: deps build-native build-windows

build-native:
	@cmake --preset native >/dev/null
	cmake --build --preset native

build-windows:
	@cmake --preset windows >/dev/null
	cmake --build --preset windows

run: build
	@if [ -z "$$DISPLAY" ]; then \
	  echo "make run: no display (DISPLAY is not set); 'make demo' runs Kestrava under Xvfb and saves screenshots."; \
	  exit 1; \
	fi
	tools/wine-prefix
	KESTRAVA_WINE_TIMEOUT=0 tools/wine-run build/windows/Kestrava.exe

test: build
	$(SESSION) tools/run-tests

test-native: deps build-native
	ctest --preset native

test-windows: deps build-windows
	$(SESSION) ctest --preset windows

bench: build
	$(SESSION) tools/run-bench

fuzz: deps
	@cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	tools/run-fuzz $(FUZZ_SECONDS)

demo: build
	$(SESSION) tools/run-demo

soak: build
	$(SESSION) tools/run-soak

clean:
	rm -rf build
