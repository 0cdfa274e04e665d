#!/usr/bin/env bash
# cmake --install into a private prefix: the program with the files it reads beside it, the
# icons where icon themes look, a desktop entry that starts the installed program, AppStream
# metadata that validates, the manual page.
set -euo pipefail
build=$1 prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cmake --install "$build" --prefix "$prefix" >/dev/null

lib=$prefix/lib/vistrelle
[ -x "$lib/vistrelle" ] && [ "$(readlink -f "$prefix/bin/vistrelle")" = "$lib/vistrelle" ] || fail "program or bin link"
for file in Vistrelle.htm Vistrelle.wav VistrelleOn.wav VistrelleOff.wav; do
    cmp -s "$lib/$file" "$build/$file" || fail "$file is not beside the installed program"
done
for size in 48 256; do
    cmp -s "$prefix/share/icons/hicolor/${size}x${size}/apps/vistrelle.png" "$build/vistrelle-$size.png" || fail "${size}px icon"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/vistrelle.svg" || fail "no scalable icon"
entry=$prefix/share/applications/vistrelle.desktop
grep -qx "Exec=\"$lib/vistrelle\"" "$entry" && grep -qx 'Icon=vistrelle' "$entry" &&
    grep -qx 'Categories=Utility;' "$entry" || fail "desktop entry: $(cat "$entry")"
desktop-file-validate "$entry" || fail "invalid desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.vistrelle.Vistrelle.metainfo.xml" >/dev/null ||
    fail "invalid AppStream metadata: $(appstreamcli validate --no-net "$prefix"/share/metainfo/*.xml)"
page=$(MANWIDTH=100 man -l "$prefix/share/man/man1/vistrelle.1" 2>&1) || fail "the manual page does not read"
grep -q "Vistrelle $(sed -n 's/^project(Vistrelle VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")" <<<"$page" ||
    fail "the manual page does not carry the version"
