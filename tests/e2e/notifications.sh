#!/usr/bin/env bash
# Captures are told on the desktop's notifications: a real notification server (dunst) on a
# session bus of the test's own, beside the program under a private X server. A capture gives
# one notification with its thumbnail, Show and Copy, and the next one takes its place; Copy
# and Show chosen in dunst reach the program. Once closed, it is not replaced. Without a server
# the capture is filed and nothing is told, and a server come back numbers afresh; with
# NOTIFY_CAPTURES=NO nothing is sent. Time-lapse is told as it starts and stops, not shot by
# shot; Show brings the picture back out of low-resource mode.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"

start_session_bus

# dunst's context menu is a dmenu it gives the actions, one a line: this one keeps them and
# chooses Copy. Nothing expires while the test looks.
cat >"$work/dmenu" <<EOF
#!/bin/sh
tee "$work/menu" | grep -m 1 ',copy\]\$'
EOF
chmod +x "$work/dmenu"
printf '[global]\n    dmenu = %s\n[urgency_normal]\n    timeout = 0\n' "$work/dmenu" >"$work/dunstrc"
dunst_answers() { dunstctl is-paused >/dev/null 2>&1; }
start_dunst() {
    dunst -config "$work/dunstrc" >>"$work/dunst.log" 2>&1 &
    dunst_pid=$!
    x_pids+=("$dunst_pid")
    until_true "dunst did not start" dunst_answers
}
start_dunst
displayed() { [ "$(dunstctl count displayed)" -eq "$1" ]; }

# Every call to the notification server, as dbus-monitor prints it.
dbus-monitor "interface='org.freedesktop.Notifications'" >"$work/monitor.log" 2>&1 &
x_pids+=($!)
until_true "dbus-monitor did not start" test -s "$work/monitor.log"
notify_calls() { grep -c 'member=Notify$' "$work/monitor.log"; }
told() { [ "$(notify_calls)" -eq "$1" ]; }
# last_notify: the arguments of the last Notify call on one line, spaces squeezed, of the
# picture's bytes only the first pixel's.
last_notify() {
    awk '/member=Notify$/ {call = ""; inside = 1; next} /^(method|signal|error)/ {inside = 0}
         inside {call = call " " $0} END {print call}' "$work/monitor.log" |
        tr -s ' ' | sed 's/array of bytes \[\(\( [0-9a-f][0-9a-f]\)\{4\}\)[^]]*\]/array of bytes [\1 ...]/'
}

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')

xclip -selection clipboard -t image/png -i "$work/shot.png"
files_in_set 1
until_true "dunst shows no notification" displayed 1
call=$(last_notify)
first=$(basename "$(find "$set_folder" -name 'Image_*')")
for part in 'string "Vistrelle" uint32 0 string "vistrelle" string "Screenshot filed"' \
    "string \"$first in Default Category / Default Image Set\"" \
    'array [ string "default" string "Show" string "show" string "Show" string "copy" string "Copy" ]' \
    'string "image-data" variant struct { int32 128 int32 85 int32 512 boolean true int32 8 int32 4 array of bytes [' \
    'string "desktop-entry" variant string "vistrelle"' ' int32 -1'; do
    grep -qF "$part" <<<"$call" || fail "the notification lacks '$part': $call"
done

# The next capture takes the first one's place. Its thumbnail, of a translucent picture of the
# thumbnail's own size, goes as rows of red, green, blue and alpha bytes, the colours not
# multiplied by the alpha, and keeps its pixels while the decoded ones become the JPEG's.
printf 'iVBORw0KGgoAAAANSUhEUgAAAIAAAAAgCAYAAADaInAlAAAAVElEQVR42u3SMQ0AAAjAMG5uBOMcdBB61MCymKzmrxDBAEIYAANgAAyAATAABsAAGAADYAAMgAEwAAbAABgAA2AADIABMAAGwAAYAANgAAyAAbhgAVnX0XgD/reXAAAAAElFTkSuQmCC' |
    base64 -d >"$work/translucent.png"
xclip -selection clipboard -t image/png -i "$work/translucent.png"
files_in_set 2
until_true "no second notification" told 2
second=$(find "$set_folder" -name 'Image_*' ! -name "$first")
grep -qF "string \"$(basename "$second") in Default Category" <<<"$(last_notify)" || fail "not told: $(last_notify)"
grep -qE '^ string "Vistrelle" uint32 [1-9]' <<<"$(last_notify)" || fail "not in place of the first: $(last_notify)"
grep -qF 'int32 128 int32 32 int32 512 boolean true int32 8 int32 4 array of bytes [ ff 0a 14 80 ...]' <<<"$(last_notify)" ||
    fail "the thumbnail is not the picture's: $(last_notify)"
sleep 0.5
displayed 1 || fail "$(dunstctl count displayed) notifications shown after two captures"
[ "$(dunstctl count history)" -eq 0 ] || fail "the first notification was closed, not replaced"

# Copy, chosen in dunst's menu, puts the picture told of on the clipboard.
copied() { timeout 5 xclip -selection clipboard -o -t text/uri-list 2>/dev/null | tr -d '\r' | grep -qxF "file://${second// /%20}"; }
dunstctl context
until_true "Copy put no picture on the clipboard" copied
grep -qE '^#Show \(Screenshot filed\) \[[0-9]+,show\]$' "$work/menu" || fail "no Show in dunst: $(cat "$work/menu")"
grep -qE '^#Copy \(Screenshot filed\) \[[0-9]+,copy\]$' "$work/menu" || fail "no Copy in dunst: $(cat "$work/menu")"

# A click on the notification brings the windows back, the picture in the viewer.
viewer=$(wait_window '^Vistrelle Image Viewer')
xdotool windowminimize --sync "$viewer"
xdotool windowminimize --sync "$main"
dunstctl action 0
wait_window '^Vistrelle Image Viewer' >/dev/null
wait_window '^Vistrelle \(JPG\)$' >/dev/null

# Closed in dunst, the notification is not replaced: the next capture is a new one.
dunstctl close
until_true "dunst did not close the notification" displayed 0
printf 'iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAEElEQVR42mP4/58BghjgLAB9lgv1+JtSOAAAAABJRU5ErkJggg==' |
    base64 -d >"$work/yellow.png"
xclip -selection clipboard -t image/png -i "$work/yellow.png"
files_in_set 3
until_true "no notification after the first was closed" told 3
grep -qE '^ string "Vistrelle" uint32 0 ' <<<"$(last_notify)" || fail "a closed notification was replaced: $(last_notify)"

# Without a notification server a capture is filed and nothing is told.
kill "$dunst_pid"
wait "$dunst_pid" 2>/dev/null
printf 'iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAEklEQVR42mNg+M/wHwygFBAAAI+ED/HlUoHfAAAAAElFTkSuQmCC' |
    base64 -d >"$work/green.png"
xclip -selection clipboard -t image/png -i "$work/green.png"
files_in_set 4
until_true "the fourth capture was not offered to the bus" told 4
sleep 1
[ -z "$(xdotool search --onlyvisible --name '^Vistrelle$' 2>/dev/null)" ] || fail "a message box appeared"
kill -0 "$app" || fail "the program ended without a notification server"
# A server come back numbers its notifications afresh: the next capture is a new one there.
start_dunst
printf 'iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAEElEQVR42mP4z/AfghjgLAB3nAv1dNPSKwAAAABJRU5ErkJggg==' |
    base64 -d >"$work/magenta.png"
xclip -selection clipboard -t image/png -i "$work/magenta.png"
files_in_set 5
until_true "no notification once the server was back" told 5
grep -qE '^ string "Vistrelle" uint32 0 ' <<<"$(last_notify)" || fail "a new server's notification was replaced: $(last_notify)"
displayed 1 || fail "dunst shows $(dunstctl count displayed) notifications once back"
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"

# Told nothing while the settings say so, though a server is there.
dunstctl close-all
printf 'NOTIFY_CAPTURES=NO\r\n' >"$program/Vistrelle.ini"
"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
xclip -selection clipboard -t image/png -i "$work/shot.png"
files_in_set 6
sleep 1
told 5 || fail "told with NOTIFY_CAPTURES=NO: $(last_notify)"
displayed 0 || fail "dunst shows a notification with NOTIFY_CAPTURES=NO"
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"

# Time-lapse is told as it starts and as it stops, with the shots it took, not shot by shot.
printf 'TIMELAPSE_SECS=1\r\n' >"$program/Vistrelle.ini"
rm -r "$program/Vistrelles"
"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
viewer=$(wait_window '^Vistrelle Image Viewer')
viewer_height() { xwininfo -id "$viewer" | awk '/Height:/{print $2}'; }
xterm -geometry 30x5+300+150 -title lapse-target &
x_pids+=($!)
xdotool windowactivate --sync "$(wait_window '^lapse-target$')"
"$program/vistrelle" --time-lapse || fail "the time-lapse command failed"
lapsed() { [ "$(find "$set_folder" -name 'Image_*' | wc -l)" -ge 3 ]; }
until_true "time-lapse took no shots" lapsed
"$program/vistrelle" --time-lapse || fail "the time-lapse command failed"
until_true "the end of time-lapse was not told" told 7
shots=$(find "$set_folder" -name 'Image_*' | wc -l)
grep -qF "string \"Time-lapse stopped\" string \"$shots shots filed into Default Category / Default Image Set\"" <<<"$(last_notify)" ||
    fail "the end of time-lapse was told: $(last_notify)"
[ "$(grep -c 'string "Time-lapse started"' "$work/monitor.log")" -eq 1 ] || fail "its start was not told once"
lapse_height=$(viewer_height)

# A capture shown from its notification comes back out of low-resource mode, in the viewer.
xclip -selection clipboard -t image/png -i "$work/magenta.png"
files_in_set $((shots + 1))
until_true "the capture was not told" told 8
sleep 0.5
shot_height=$(viewer_height)
[ "$shot_height" -ne "$lapse_height" ] || fail "the capture and the time-lapse shots are shown alike"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+m
for _ in $(seq 100); do [ -z "$(xdotool search --onlyvisible --name '^Vistrelle \(JPG\)$')" ] && break; sleep 0.1; done
dunstctl action 0
main=$(wait_window '^Vistrelle \(JPG\)$')
viewer=$(wait_window '^Vistrelle Image Viewer')
for _ in $(seq 50); do [ "$(viewer_height)" -eq "$shot_height" ] && break; sleep 0.1; done
[ "$(viewer_height)" -eq "$shot_height" ] || fail "Show brought back a viewer $(viewer_height) high, not the capture's $shot_height"
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
