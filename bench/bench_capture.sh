#!/usr/bin/env bash
# The real program under a private X server: time from a picture put on the clipboard with
# xclip to the complete file, against the floor measured in the same run (clipboard transfer
# with PNG decoding, then encoding); idle CPU with the hotkeys set beside a minimal Qt program
# with a 100 ms timer; resident size around ten 3840x2160 captures; 30 ms hotkey taps.
set -uo pipefail
source "@CMAKE_SOURCE_DIR@/tests/e2e/x11session.sh"
bench="@CMAKE_BINARY_DIR@/bench"
idle_seconds=${VISTRELLE_IDLE_SECONDS:-60}
runs=7

program=$work/program
set_folder="$program/Vistrelles/Default Category/Default Image Set"
mkdir -p "$program"
cp "@CMAKE_BINARY_DIR@/vistrelle" "$program/vistrelle"
"$bench/capture_floor" shots "$work" || fail "could not make the pictures"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Counted without starting a process, so that polling every 2 ms costs little.
shopt -s nullglob
count_files() {
    local files=("$set_folder"/Image_*)
    echo ${#files[@]}
}
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)] " (spread " v[1] "-" v[NR] ")"}'; }
resident_kb() { awk '/^VmRSS:/{print $2}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# start FORMAT-LINE: the program with hotkey CTRL+K for the active window.
start() {
    printf 'ACTIVEWINDOW_HK=75\r\nACTIVEWINDOW_HKCS=1\r\nTIMELAPSE_HK=76\r\nTIMELAPSE_HKCS=1\r\n%s' "$1" \
        >"$program/Vistrelle.ini"
    "$program/vistrelle" >"$work/run.log" 2>&1 &
    app=$!
    main=$(wait_window '^Vistrelle \((JPG|BMP)\)$')
    sleep 1
}
stop() {
    close_window "$main"
    wait_exit "$app" >/dev/null
}

# file_one PNG: milliseconds from xclip to the new file (which appears complete or not at all).
file_one() {
    local before began
    before=$(count_files)
    began=$(now_ms)
    xclip -selection clipboard -t image/png -i "$1"
    until files=("$set_folder"/Image_*) && [ ${#files[@]} -gt "$before" ]; do sleep 0.002; done
    echo $(($(now_ms) - began))
    # The same picture copied again within half a second of its filing counts as put back.
    sleep 0.7
}

# The floor first, while no program takes the picture away.
declare -A floor
for format in jpg bmp; do
    for size in 1920x1080 3840x2160; do
        xclip -selection clipboard -t image/png -i "$work/shot_$size.png"
        floor[$format$size]=$("$bench/capture_floor" floor $format 2>/dev/null)
    done
done
xclip -selection clipboard -i /dev/null <<<"text only"

echo "clipboard to file, $runs runs each, milliseconds (median, spread)"
for format in jpg bmp; do
    setting=$([ $format = bmp ] && printf 'IMAGEFORMAT=BMP\r\n' || true)
    start "$setting"
    for size in 1920x1080 3840x2160; do
        total=$(for _ in $(seq $runs); do file_one "$work/shot_$size.png"; done | median)
        printf '  %-4s %-10s program %-26s floor %s\n' "$format" "$size" "$total" "${floor[$format$size]}"
    done
    stop
done

start ""
rss_before=$(resident_kb "$app")
for _ in $(seq 10); do file_one "$work/shot_3840x2160.png" >/dev/null; done
sleep 1
rss_after=$(resident_kb "$app")
echo "resident size around ten 3840x2160 captures: before $((rss_before / 1024)) MB, after $((rss_after / 1024)) MB"

xclip -selection clipboard -i /dev/null <<<"text only"
# The floor beside it: a minimal Qt program with a 100 ms timer.
"$bench/lowresource_floor" >/dev/null 2>&1 &
floor_pid=$!
x_pids+=("$floor_pid")
sleep 2
ticks_before=$(cpu_ticks "$app")
floor_before=$(cpu_ticks "$floor_pid")
sleep "$idle_seconds"
ticks_after=$(cpu_ticks "$app")
floor_after=$(cpu_ticks "$floor_pid")
hz=$(getconf CLK_TCK)
awk -v t=$((ticks_after - ticks_before)) -v f=$((floor_after - floor_before)) -v hz="$hz" -v s="$idle_seconds" \
    'BEGIN {printf "idle CPU over %d s with the hotkeys set: %.2f %% of a core (floor beside it: %.2f %%)\n",
            s, 100 * t / hz / s, 100 * f / hz / s}'
kill "$floor_pid"

xterm -geometry 40x10+200+150 -title tap-target &
x_pids+=($!)
target=$(wait_window '^tap-target$')
xdotool windowactivate --sync "$target"
sleep 0.5
before=$(count_files)
for _ in $(seq 40); do
    xdotool keydown ctrl keydown k
    sleep 0.03
    xdotool keyup k keyup ctrl
    sleep 0.5
done
sleep 1
echo "quick taps: 40 taps of 30 ms, $(($(count_files) - before)) captures"
stop
