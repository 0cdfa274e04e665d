#!/usr/bin/env bash
# On a Wayland desktop with data-control (sway), pictures copied by a Wayland program while a
# Wayland window has the focus become files, a burst of 20 100 ms apart from the start on too,
# and the clipboard is emptied: the X11 clipboard would not even show them. A picture copied back
# out of the library pastes in a Wayland program as its pixels and its file, and is not filed
# again. An X11 program's picture, once filed, is offered on neither side. A picture offered and
# never sent, or refused, is told once.
set -uo pipefail
source "$(dirname "$0")/swaysession.sh"

helper=$2
install_program "$1"
mkdir "$work/pictures"
QT_QPA_PLATFORM=offscreen "$helper" pictures "$work/pictures" 640 400 28 || fail "could not make the pictures"
in_background "$work/foot.log" foot --app-id=focus-target </dev/null
wait_window_of focus-target
in_background "$work/run.log" "$program/vistrelle" </dev/null
app=$background
wait_window_of Vistrelle
focus focus-target

# copy PICTURE: what a screenshot tool does on a Wayland desktop; the copying program stays
# until the clipboard is taken from it.
copy() {
    in_background "$work/wl-copy.log" wl-copy --foreground --type image/png <"$1"
}
# emptied: the clipboard holds nothing within 5 s.
emptied() {
    for _ in $(seq 50); do
        ! in_session wl-paste --list-types >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "the clipboard still holds: $(in_session wl-paste --list-types 2>&1)"
}

# A burst of 20 as soon as the program is up, 100 ms apart: each one filed, the first too.
for n in $(seq 20); do
    copy "$work/pictures/pic_$(printf %02d "$n").png"
    sleep 0.1
done
files_in_set 20
emptied
QT_QPA_PLATFORM=offscreen "$helper" check "$set_folder" 20 || fail "the burst was not filed whole and in order"

timings=()
for n in 21 22 23 24 25 26; do
    started=$(date +%s%N)
    copy "$work/pictures/pic_$n.png"
    files_in_set "$n"
    timings+=($((($(date +%s%N) - started) / 1000000)))
    emptied
    focused_window | grep -q '^focus-target ' || fail "the focus moved to $(focused_window)"
done
echo "clipboard to file, ms: ${timings[*]}"
QT_QPA_PLATFORM=offscreen "$helper" check "$set_folder" 26 || fail "the pictures were not filed whole and in order"

# Text is not a picture: it stays on the clipboard, and nothing is filed.
printf 'some words' | in_session wl-copy --type text/plain
sleep 1
files_in_set 26
[ "$(in_session wl-paste --no-newline 2>/dev/null)" = "some words" ] || fail "text on the clipboard was taken"

kill -0 "$app" || fail "the program ended: $(cat "$work/run.log")"

# Ctrl+C on the first file of the list, typed on the (virtual) keyboard into the program's window.
in_session swaymsg '[title="^Vistrelle \(JPG\)$"] focus' >/dev/null || fail "the main window could not be focused"
wait_focused Vistrelle
# XWayland may hand the keyboard to the window a moment after sway says it is focused: keys
# typed before are lost, and are typed again.
for _ in 1 2 3 4 5; do
    in_session wtype -M ctrl f -m ctrl -k Escape -k Home -M ctrl c -m ctrl || fail "the keys could not be typed"
    for _ in $(seq 20); do
        in_session wl-paste --list-types 2>/dev/null | grep -qx image/png && break 2
        sleep 0.1
    done
done
in_session wl-paste --list-types 2>/dev/null | grep -qx image/png ||
    fail "the copy offers no picture: $(in_session wl-paste --list-types 2>&1 | tr '\n' ' ')"
uri=$(in_session wl-paste --no-newline --type text/uri-list | tr -d '\r\n')
copied=$(printf '%b' "$(sed 's/%/\\x/g' <<<"${uri#file://}")")
[ -f "$copied" ] && [ "$(dirname "$copied")" = "$set_folder" ] || fail "the copy names $uri, no file of the Image Set"
in_session wl-paste --type image/png >"$work/pasted.png"
QT_QPA_PLATFORM=offscreen "$helper" same "$work/pasted.png" "$copied" || fail "the pasted picture is not $copied"
# A picture copied afterwards is the next file: the copy before it was not filed.
copy "$work/pictures/pic_27.png"
files_in_set 27
QT_QPA_PLATFORM=offscreen "$helper" check "$set_folder" 27 || fail "the copy was filed: $(ls "$set_folder" | tr '\n' ' ')"
focused_window | grep -q '^Vistrelle ' || fail "the focus moved to $(focused_window)"

# A picture copied by an X11 program (its copy reaches Wayland programs while an X11 window, here
# the program's own, has the focus): once filed, neither side offers it, the X11 one included,
# which the compositor leaves to its X11 owner when the Wayland side is emptied.
in_session xclip -selection clipboard -t image/png -i <"$work/pictures/pic_28.png"
files_in_set 28
x11_types() { in_session timeout 2 xclip -o -selection clipboard -t TARGETS 2>/dev/null; }
wayland_types() { in_session timeout 2 wl-paste --list-types 2>/dev/null; }
for _ in $(seq 50); do
    ! x11_types | grep -q '^image/' && ! wayland_types | grep -q '^image/' && break
    sleep 0.1
done
! x11_types | grep -q '^image/' || fail "the X11 clipboard still offers the filed picture: $(x11_types | tr '\n' ' ')"
! wayland_types | grep -q '^image/' || fail "the clipboard still offers the filed picture: $(wayland_types | tr '\n' ' ')"
QT_QPA_PLATFORM=offscreen "$helper" check "$set_folder" 28 || fail "the X11 program's picture was not filed whole"

# A picture offered and never sent, or refused, by an X11 program (whose clipboard reaches
# Wayland programs while an X11 window, here the program's own, has the focus): told once; the
# one never sent within the 5 s the program may stay silent (10 s on a busy machine).
share "$helper" "$work/clipboard-helper" 0755
boxes() { in_session swaymsg -t get_tree | jq '[.. | objects | select(.name == "Vistrelle")] | length'; }
for mode in never refuses; do
    started=$(date +%s%N)
    in_background "$work/owner.log" "$work/clipboard-helper" owner "$mode" </dev/null
    owner=$background
    for _ in $(seq 150); do
        [ "$(boxes)" -gt 0 ] && break
        sleep 0.1
    done
    told=$((($(date +%s%N) - started) / 1000000))
    [ "$(boxes)" -eq 1 ] || fail "$(boxes) messages about the owner that $mode, not one"
    echo "the owner that $mode: told after $told ms"
    # After its 5 s of silence, not before (a slow owner is waited for).
    [ "$mode" = refuses ] || { [ "$told" -ge 5000 ] && [ "$told" -le 10000 ]; } ||
        fail "the picture never sent was told after $told ms"
    stop_background "$owner"
    # Answered on the keyboard, typed again should XWayland hand it the keys late.
    for _ in 1 2 3 4 5; do
        in_session swaymsg '[title="^Vistrelle$"] focus' >/dev/null
        in_session wtype -k Return
        for _ in $(seq 20); do
            [ "$(boxes)" -eq 0 ] && break 2
            sleep 0.1
        done
    done
    [ "$(boxes)" -eq 0 ] || fail "the message about the owner that $mode stayed"
done
