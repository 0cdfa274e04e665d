#!/usr/bin/env bash
# A user's first start, a second start while running, closing, and the refused command lines.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"

# A screenshot already on the clipboard before the start is not filed.
xclip -selection clipboard -t image/png -i "$work/shot.png"

"$program/vistrelle" >"$work/first.log" 2>&1 &
first=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
wait_window '^Vistrelle Image Viewer \(resize horizontally\)$' >/dev/null
[ -d "$program/Vistrelles/Default Category/Default Image Set" ] || fail "the default library was not created"
sleep 0.5
targets=$(timeout 5 xclip -selection clipboard -o -t TARGETS 2>/dev/null || true)
! grep -q image/png <<<"$targets" || fail "the picture on the clipboard at start-up was kept"

"$program/vistrelle" >"$work/second.log" 2>&1 &
second=$!
answer_box
wait_exit "$second"
[ $? -eq 1 ] || fail "a second instance was not refused"
kill -0 "$first" || fail "the first instance ended when the second was refused"
[ ! -e "$program/Vistrelle.ini" ] || fail "settings were written before closing"

close_window "$main"
wait_exit "$first"
status=$?
[ $status -eq 0 ] || fail "closing ended with status $status: $(cat "$work/first.log")"
grep -q $'^FIRSTSET=\r$' "$program/Vistrelle.ini" || fail "the settings file is not what closing writes"
[ "$(head -n 1 "$program/Vistrelle.ini" | cut -c1-5)" = "MTOP=" ] || fail "the settings file does not start with MTOP="

# A folder on the command line holds the library; a one-character one is refused.
mkdir "$work/my shots"
"$program/vistrelle" "$work/my shots" >"$work/third.log" 2>&1 &
third=$!
close_window "$(wait_window '^Vistrelle \(JPG\)$')"
wait_exit "$third" || fail "the command-line library run failed: $(cat "$work/third.log")"
[ -d "$work/my shots/Vistrelles/Default Category/Default Image Set" ] || fail "no library in the given folder"

rm "$program/Vistrelle.ini"
"$program/vistrelle" x >"$work/fourth.log" 2>&1 &
fourth=$!
answer_box
wait_exit "$fourth"
[ $? -eq 1 ] || fail "a one-character directory was accepted"
[ ! -e "$program/Vistrelle.ini" ] || fail "a refused start wrote settings"
[ ! -e "$program/x" ] || fail "a refused start created a folder"

