#!/usr/bin/env bash
# Installs the Debian packages that Olvimar needs to build, run and test, and only those that are
# missing: when everything is there it prints nothing and changes nothing.
set -euo pipefail

packages=(
    g++ cmake make             # the build
    libgtest-dev libgmock-dev  # the tests
    libbenchmark-dev           # the benchmarks
    clang libclang-rt-14-dev   # the sanitizer build and the fuzzer
    desktop-file-utils appstream  # checking the desktop entry and the metainfo
    qt6-base-dev               # the window
    fonts-noto-cjk             # a font that draws the window's Chinese
    qt6-translations-l10n      # Qt's own buttons and menus in Chinese
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' ||
        missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing ${missing[*]} ..."
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
