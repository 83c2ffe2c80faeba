#!/usr/bin/env bash
# Installs the Debian packages that Olvimar needs to build, run, test and package, and only those
# that are missing: when everything is there it prints nothing and changes nothing. Otherwise it
# says what it will install and lets apt show its progress, since a first set-up may download
# a few hundred MB.
set -euo pipefail

packages=(
    g++ cmake make             # the build
    libgtest-dev libgmock-dev  # the tests
    libmpfr-dev                # the logarithm checked against MPFR
    libbenchmark-dev           # the benchmarks
    clang libclang-rt-14-dev   # the sanitizer build and the fuzzer
    locales                    # a comma-decimal locale for the tests, compiled in the build
    desktop-file-utils appstream  # checking the desktop entry and the metainfo
    qt6-base-dev               # the window
    fonts-noto-cjk             # a font that draws the window's Chinese
    qt6-translations-l10n      # Qt's own buttons and menus in Chinese
    librsvg2-bin pngquant      # the icon's PNG sizes, drawn from its SVG, in a palette of colours
    dpkg-dev file lintian      # the Debian package and its check
    emscripten                 # the web page: the core compiled to WebAssembly
    esbuild                    # the page's script bundled with its record box
    chromium chromium-driver python3-selenium  # the web page's test in a browser
    webkit2gtk-driver xvfb python3-pil  # and in WebKit, Safari's engine, with a look at its pixels
    firefox-esr                # and in Firefox, driven by puppeteer-core from npm
)

# npm installs the record box's editor view at its pinned version; Debian's, unless one is there.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' ||
        missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "Olvimar needs these Debian packages: ${missing[*]}" >&2
        echo "Installing them needs root, and sudo is not installed. Run this again as root" >&2
        echo "(su -c ./make.sh), or install them with: apt-get install ${missing[*]}" >&2
        exit 1
    fi
    as_root=(sudo)
fi
echo "Olvimar needs these Debian packages, and what they depend on:"
echo "  ${missing[*]}"
echo "A first set-up on a bare Debian 12 downloads up to about 600 MB; apt shows its progress."
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
