#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Runs `apt-get update` once, and only when something is missing; a no-op otherwise.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build ccache pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # The math tests' high-precision reference.
  libmpfr-dev
  # Boost.Asio and Boost.Beast (header-only), the network layer.
  libboost1.81-dev
  # fast_float (header-only): reading the doubles of the formats alike on every build.
  libfast-float-dev
  locales
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools libgl-dev xvfb xauth x11-utils imagemagick sox
  qt6-qpa-plugins libqt6multimedia6 qt6-translations-l10n fonts-dejavu-core
  # The fuzz targets: clang and its runtime libraries (libFuzzer, the sanitizers).
  clang libclang-rt-dev
  # Desktop integration checks and the Debian package.
  desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl file dpkg-dev
  # The TLS proxy in front of a public host (packaging/nginx-trundlex.conf) and its test.
  nginx-light openssl curl
  # The Windows build (mingw-w64, its POSIX-threads compiler) and its tests under Wine.
  g++-mingw-w64-x86-64 wine64
  # The WebAssembly build (scripts/build-web.sh): emscripten, with its clang, binaryen, node
  # and the acorn its optimizer imports.
  emscripten nodejs node-acorn
  # The browser game's tests (scripts/test-browser.sh) drive Debian's Chromium; the game's
  # packages come from web/package-lock.json through the npm that nodejs brings.
  chromium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The number formats are tested under a Swedish locale, which writes a decimal comma.
if ! locale -a 2>/dev/null | grep -qi '^sv_SE\.utf-\?8$'; then
  "${sudo_cmd[@]}" sed -i 's/^# *\(sv_SE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
