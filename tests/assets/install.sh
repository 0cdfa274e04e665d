#!/usr/bin/env bash
# cmake --install into a private prefix: the program and its reader in lib/vistrelle, the files it
# reads (the sounds whole and distinct) in share/vistrelle and reached from beside the program, the icons where icon themes look, a desktop entry that starts the installed program, AppStream
# metadata that validates, the manual page.
set -euo pipefail
build=$1 prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cmake --install "$build" --prefix "$prefix" >/dev/null

lib=$prefix/lib/vistrelle share=$prefix/share/vistrelle
[ -x "$lib/vistrelle" ] && [ -x "$lib/vistrelle-reader" ] && [ "$(readlink -f "$prefix/bin/vistrelle")" = "$lib/vistrelle" ] ||
    fail "program, reader or bin link"
pages="Vistrelle.htm Vistrelle_de.htm Vistrelle_es.htm Vistrelle_fr.htm"
for file in $pages Vistrelle.wav VistrelleOn.wav VistrelleOff.wav; do
    cmp -s "$share/$file" "$build/$file" && [ "$(readlink -f "$lib/$file")" = "$share/$file" ] ||
        fail "$file is not in share/vistrelle and reached from beside the installed program"
done
[ "$(readlink -f "$lib/Vistrelle.installed")" = "$share/Vistrelle.installed" ] || fail "no installed marker"
# The sounds as a player reads them: three distinct, whole RIFF/WAVE files, whose size fields
# agree with the file's.
bytes_at() { dd if="$1" bs=1 skip="$2" count="$3" 2>/dev/null; }
u32_at() { od -An -tu4 --endian=little -j "$2" -N 4 "$1" | tr -d ' '; }
for sound in Vistrelle VistrelleOn VistrelleOff; do
    wav=$share/$sound.wav size=$(stat -c %s "$share/$sound.wav")
    [ "$size" -gt 44 ] && [ "$(bytes_at "$wav" 0 4)" = RIFF ] && [ "$(bytes_at "$wav" 8 8)" = "WAVEfmt " ] &&
        [ "$(bytes_at "$wav" 36 4)" = data ] && [ "$(u32_at "$wav" 4)" -eq $((size - 8)) ] &&
        [ "$(u32_at "$wav" 40)" -eq $((size - 44)) ] || fail "$sound.wav is not a whole RIFF/WAVE sound"
done
[ "$(md5sum "$share"/*.wav | cut -d ' ' -f 1 | sort -u | wc -l)" -eq 3 ] ||
    fail "the three sounds are not three: $(md5sum "$share"/*.wav)"
for size in 48 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/vistrelle.png
    cmp -s "$icon" "$build/vistrelle-$size.png" && file -b "$icon" | grep -q "^PNG image data, $size x $size," ||
        fail "${size}px icon: $(file -b "$icon")"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/vistrelle.svg" || fail "no scalable icon"
entry=$prefix/share/applications/vistrelle.desktop
grep -qx "Exec=\"$lib/vistrelle\"" "$entry" && grep -qx 'Icon=vistrelle' "$entry" &&
    grep -qx 'Categories=Utility;' "$entry" || fail "desktop entry: $(cat "$entry")"
desktop-file-validate "$entry" || fail "invalid desktop entry"
metainfo=$prefix/share/metainfo/org.vistrelle.Vistrelle.metainfo.xml
appstreamcli validate --no-net "$metainfo" >/dev/null ||
    fail "invalid AppStream metadata: $(appstreamcli validate --no-net "$metainfo")"
# The menu and the software centre speak German, French and Spanish too: each of the entry's words
# and each of the description's summary, paragraphs and items.
for language in de es fr; do
    for key in GenericName Comment Keywords; do
        grep -q "^$key\[$language\]=." "$entry" || fail "the desktop entry has no $key[$language]"
    done
    for tag in summary p li; do
        [ "$(grep -c "<$tag xml:lang=\"$language\">" "$metainfo")" -eq "$(grep -c "<$tag>" "$metainfo")" ] ||
            fail "not every <$tag> of the AppStream metadata is in $language"
    done
done
page=$(MANWIDTH=100 man -l "$prefix/share/man/man1/vistrelle.1" 2>&1) || fail "the manual page does not read"
# Every switch the program's own help names, each help page and the manual page name too.
switches=$(ASAN_OPTIONS=detect_leaks=0 "$lib/vistrelle" --help | grep -oE '^  (-[a-z], )?--[a-z-]+' | grep -oE -- '-{1,2}[a-z-]+')
[ -n "$switches" ] || fail "the program's help names no switch"
for switch in $switches; do
    for help in $pages; do
        grep -qw -- "$switch" "$lib/$help" || fail "$switch is not in $help"
    done
    grep -qw -- "$switch" <<<"$page" || fail "$switch is not in the manual page"
done
grep -q "Vistrelle $(sed -n 's/^project(Vistrelle VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")" <<<"$page" ||
    fail "the manual page does not carry the version"
