#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what it holds. Exits 77 (skipped)
# where cpack or dpkg-deb is missing.
set -euo pipefail
build=$1
command -v cpack >/dev/null && command -v dpkg-deb >/dev/null || exit 77

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log"
    exit 1
}
deb=$(ls "$out"/tarvo_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
failed=0
for path in ./usr/bin/tarvo ./usr/bin/tarvo-bridge ./usr/bin/tarvo-peer \
    ./usr/share/applications/tarvo.desktop ./usr/share/icons/hicolor/scalable/apps/tarvo.svg \
    ./usr/share/man/man1/tarvo.1.gz ./usr/share/man/man1/tarvo-bridge.1.gz; do
    if ! grep -qx -- "$path" <<<"$files"; then
        echo "missing from the package: $path"
        failed=1
    fi
done
section=$(dpkg-deb -f "$deb" Section)
[ "$section" = hamradio ] || { echo "section is '$section'"; failed=1; }
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libportaudio2 libhamlib4; do
    grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; failed=1; }
done
if command -v desktop-file-validate >/dev/null; then
    dpkg-deb -x "$deb" "$out/root"
    desktop-file-validate "$out/root/usr/share/applications/tarvo.desktop" || failed=1
fi
exit $failed
