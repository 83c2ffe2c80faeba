#!/usr/bin/env bash
# Builds the Debian package from a build folder as the README's package command does, and checks
# it as a Debian packager would: lintian finds no error and no warning, the manual pages and the
# PNG icons are in it, and the program carries no RUNPATH and is linked with bind-now.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(ls "$work"/olvimar_*.deb)
lintian --fail-on error,warning --info --display-info "$deb"

fail() { echo "FAILED: $*" >&2; exit 1; }
contents=$(dpkg-deb -c "$deb")
for path in ./usr/share/man/man1/olvimar.1.gz ./usr/share/man/zh_CN/man1/olvimar.1.gz \
            ./usr/share/doc/olvimar/changelog.gz ./usr/share/doc/olvimar/README.md; do
    grep -q " $path\$" <<<"$contents" || fail "$path is not in the package"
done
for size in 16 24 32 48 64 128 256; do
    path=./usr/share/icons/hicolor/${size}x${size}/apps/org.olvimar.Olvimar.png
    grep -q " $path\$" <<<"$contents" || fail "$path is not in the package"
done

dpkg-deb -x "$deb" "$work/root"
dynamic=$(readelf -d "$work/root/usr/bin/olvimar")
grep -Eq 'RUNPATH|RPATH' <<<"$dynamic" && fail "the program carries a RUNPATH"
grep -Eq 'FLAGS.*BIND_NOW|FLAGS_1.*NOW' <<<"$dynamic" || fail "the program is not linked with bind-now"
readelf -S "$work/root/usr/bin/olvimar" | grep -q '\.comment' && fail "the program keeps .comment"
echo "package checked: $(basename "$deb")"
