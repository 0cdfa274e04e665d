#!/usr/bin/env bash
# Low-resource mode under a window manager without a notification area: the main window and
# the viewer go, a clipboard picture still becomes a file, the small window waits minimised
# (never withdrawn, or it could not be brought back), Restore brings the main window back and
# closing the small window ends the program; started with --low-resource, it begins there.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!

# until_true COMMAND...: retries for 10 s; a search fails while a window it walks goes away.
until_true() {
    for _ in $(seq 100); do "$@" 2>/dev/null && return 0; sleep 0.1; done
    return 1
}
shown() { xdotool search --onlyvisible --name "$1" | head -n 1 | grep .; }
small_window() { xdotool search --name '^Vistrelle \(JPG\) \(LR mode\)$' | head -n 1 | grep .; }
minimised() { xprop -id "$small" WM_STATE | grep -q Iconic; }
small_gone() { ! small_window; }
shot_filed() { [ -n "$(find "$set_folder" -name 'Image_*.jpg')" ]; }

xdotool windowactivate --sync "$(wait_window '^Vistrelle \(JPG\)$')" key --clearmodifiers alt+m
until_true small_window || fail "the low-resource window did not appear"
small=$(small_window)
until_true minimised || fail "without a tray the small window is not minimised: $(xprop -id "$small" WM_STATE)"
[ -z "$(xdotool search --name '^Vistrelle (\(JPG\)|Image Viewer.*)$')" ] || fail "a window was not unloaded"

xclip -selection clipboard -t image/png -i "$work/shot.png"
until_true shot_filed || fail "the clipboard picture did not become a file"
sleep 1
[ "$(find "$set_folder" -name 'Image_*' | wc -l)" -eq 1 ] || fail "one picture gave $(ls "$set_folder")"
minimised || fail "a capture brought the small window back"

# Enter (Restore) in the small window, once it is back on the screen and focused.
restored() {
    xdotool windowactivate --sync "$small" && sleep 0.5 && xdotool key --clearmodifiers Return && sleep 1
    small_gone
}
for _ in 1 2 3; do restored 2>/dev/null && break; done
small_gone 2>/dev/null || fail "the small window stayed after Restore"
until_true shown '^Vistrelle Image Viewer' || fail "the viewer did not come back"
until_true shown '^Vistrelle \(JPG\)$' || fail "the main window did not come back"
main=$(shown '^Vistrelle \(JPG\)$')

xdotool windowactivate --sync "$main" key --clearmodifiers alt+m
until_true small_window || fail "the low-resource window did not appear again"
small=$(small_window)
# Closed only once the first tick has minimised it, or that tick could take the focus away
# from under the Alt+F4. The settings, written as the mode began, are not written again.
until_true minimised || fail "the small window was not minimised again"
rm "$program/Vistrelle.ini" || fail "entering low-resource mode wrote no settings"
for _ in 1 2 3; do
    close_window "$small" 2>/dev/null
    until_true small_gone && break
done
wait_exit "$app"
status=$?
[ $status -eq 0 ] || fail "closing the small window ended with status $status: $(cat "$work/run.log")"
[ ! -e "$program/Vistrelle.ini" ] || fail "closing the small window wrote the settings again"

# Started with --low-resource (as the autostart entry starts it), after the library's folder,
# the small window stands at once, and the main window never shows.
mkdir "$work/other"
"$program/vistrelle" "$work/other" --low-resource >"$work/low.log" 2>&1 &
app=$!
until_true small_window || fail "--low-resource did not start in low-resource mode: $(cat "$work/low.log")"
small=$(small_window)
until_true minimised || fail "the small window of --low-resource is not minimised"
[ -z "$(xdotool search --name '^Vistrelle (\(JPG\)|Image Viewer.*)$')" ] || fail "--low-resource showed the main window"
for _ in 1 2 3; do
    close_window "$small" 2>/dev/null
    until_true small_gone && break
done
wait_exit "$app" || fail "the program started with --low-resource ended badly: $(cat "$work/low.log")"
[ -d "$work/other/Vistrelles/Default Category" ] || fail "--low-resource left the library's folder aside"
