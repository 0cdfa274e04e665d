#!/usr/bin/env bash
# cmake --install into a private prefix: the program with the files it reads beside it, the
# icons where icon themes look, a desktop entry that starts the installed program.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

program=$prefix/lib/vistrelle
for file in vistrelle Vistrelle.htm Vistrelle.wav VistrelleOn.wav VistrelleOff.wav; do
    [ -f "$program/$file" ] || fail "$file is not beside the installed program"
    [ "$file" = vistrelle ] || cmp -s "$program/$file" "$build/$file" || fail "$file differs from the build's"
done
[ -x "$program/vistrelle" ] || fail "the installed program is not executable"
[ "$(readlink -f "$prefix/bin/vistrelle")" = "$(readlink -f "$program/vistrelle")" ] ||
    fail "bin/vistrelle does not lead to the installed program"
for size in 48 256; do
    cmp -s "$prefix/share/icons/hicolor/${size}x${size}/apps/vistrelle.png" "$build/vistrelle-$size.png" ||
        fail "the ${size}px icon is not installed"
done

entry=$prefix/share/applications/vistrelle.desktop
[ -f "$entry" ] || fail "no desktop entry"
grep -qx "Exec=\"$prefix/lib/vistrelle/vistrelle\"" "$entry" || fail "the desktop entry does not start the installed program: $(grep Exec "$entry")"
grep -qx 'Icon=vistrelle' "$entry" || fail "the desktop entry names no installed icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "the desktop entry is not valid"
fi
echo "installed layout is complete"
