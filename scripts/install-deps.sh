#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages Kelmora needs, and only those missing.
# Non-interactive and idempotent: a second run installs nothing.
#
#   scripts/install-deps.sh            build and test (the default)
#   scripts/install-deps.sh --desktop  also what the window needs on a desktop
#   scripts/install-deps.sh --fuzz     also clang and libFuzzer
#   scripts/install-deps.sh --package  also what CPack needs to build the .deb
#   scripts/install-deps.sh --cross    also the cross compilers and their emulators
#   scripts/install-deps.sh --web      also emscripten, rsvg-convert and npm, for the browser page
#   scripts/install-deps.sh --web-test also Chromium, for the page's tests
#   scripts/install-deps.sh --bench    also Xvfb and the probes' headers for start-up figures
set -euo pipefail

packages=(
  cmake ninja-build g++ make
  libgtest-dev libbenchmark-dev
  libboost-dev  # Boost.Multiprecision, for the exact reference in the tests
  qt6-base-dev qt6-base-dev-tools fonts-dejavu-core
  desktop-file-utils appstream clang-format
  # the window's tests on a real X server, bare and under a window manager
  xvfb xdotool xclip openbox libx11-dev
)
for arg in "$@"; do
  case "$arg" in
    --desktop) packages+=(qt6-qpa-plugins qt6-wayland) ;;
    --fuzz) packages+=(clang libclang-rt-dev llvm) ;;  # llvm: the symbolizer for reports
    --package) packages+=(dpkg-dev file) ;;
    --web)
      packages+=(emscripten node-acorn librsvg2-bin)
      # The machine may bring its own node and npm; Debian's npm only where it has none.
      command -v npm >/dev/null || packages+=(npm) ;;
    --web-test) packages+=(chromium) ;;
    --cross)
      packages+=(g++-i686-linux-gnu g++-aarch64-linux-gnu qemu-user
                 g++-mingw-w64-x86-64 wine64 icoutils emscripten node-acorn) ;;
    --bench) packages+=(xvfb x11-utils libx11-dev libxres-dev libxdamage-dev python3) ;;
    *) echo "install-deps: unknown option '$arg'" >&2; exit 2 ;;
  esac
done

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "install-deps: this script knows Debian and Ubuntu (apt) only." >&2
  echo "Install by hand: CMake >= 3.25, Ninja, a C++20 compiler, GoogleTest, Google Benchmark, Qt 6 Widgets." >&2
  exit 1
fi

missing=()
for package in "${packages[@]}"; do
  if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]]; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $EUID -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "install-deps: missing ${missing[*]}, and neither root nor sudo is available to install them." >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
