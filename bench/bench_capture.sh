#!/usr/bin/env bash
# The real program under a private X server: time from a picture put on the clipboard with
# xclip to its complete file, against the floor (capture_floor: transfer, decoding, encoding
# with the same settings, a synced file renamed into place), the two run by turns with the
# same pictures and measured the same way; resident size around ten 3840x2160 captures; idle
# CPU with the hotkeys set beside a minimal Qt program with a 100 ms timer; 30 ms hotkey taps;
# last, the files that bursts of different pictures become, and how fast the main window
# answers pings meanwhile.
set -uo pipefail
source "@CMAKE_SOURCE_DIR@/tests/e2e/x11session.sh"
source "@CMAKE_SOURCE_DIR@/bench/timing.sh"
bench="@CMAKE_BINARY_DIR@/bench"
idle_seconds=${VISTRELLE_IDLE_SECONDS:-60}
rounds=4    # by turns: the program, then the floor, each started afresh
per_round=4 # timed pictures of each size a round, after one that warms up
quality=90  # the program's JPEG quality, set in its settings file too

program=$work/program
set_folder="$program/Vistrelles/Default Category/Default Image Set"
floor_folder=$work/floor
mkdir -p "$program" "$floor_folder"
install_program "@CMAKE_BINARY_DIR@/vistrelle"
"$bench/capture_floor" shots "$work" || fail "could not make the pictures"

resident_kb() { awk '/^VmRSS:/{print $2}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# xclip stays behind as the owner: never on the output a command substitution waits for.
copy_text() { xclip -selection clipboard -i /dev/null <<<"text only" >/dev/null 2>&1; }

# start FORMAT-LINE: the program with hotkey CTRL+K for the active window.
start() {
    printf 'ACTIVEWINDOW_HK=75\r\nACTIVEWINDOW_HKCS=1\r\nTIMELAPSE_HK=76\r\nTIMELAPSE_HKCS=1\r\nJPEG_QUALITY=%s\r\n%s' \
        "$quality" "$1" >"$program/Vistrelle.ini"
    "$program/vistrelle" >"$work/run.log" 2>&1 &
    app=$!
    main=$(wait_window '^Vistrelle \((JPG|BMP)\)$')
    sleep 1
}
stop() {
    close_window "$main"
    wait_exit "$app" >/dev/null
}
# start_floor jpg|bmp: the floor, once it watches the clipboard.
start_floor() {
    rm -f "$floor_folder"/* # its names start again at 1
    "$bench/capture_floor" floor "$1" "$quality" "$floor_folder" >"$work/floor.log" 2>&1 &
    floor_pid=$!
    x_pids+=("$floor_pid")
    until grep -q ready "$work/floor.log"; do sleep 0.05; done
    sleep 1
}
stop_floor() {
    kill "$floor_pid"
    wait "$floor_pid" 2>/dev/null
}

# file_one FOLDER PNG: milliseconds from xclip to the new file in FOLDER (which appears
# complete or not at all). Text follows, so that the same picture copied next is a new copy
# and not one put back.
file_one() {
    local before began
    before=$(count_files "$1")
    began=$(now_ms)
    xclip -selection clipboard -t image/png -i "$2" >/dev/null 2>&1
    until [ "$(count_files "$1")" -gt "$before" ]; do sleep 0.002; done
    echo $(($(now_ms) - began))
    sleep 0.3
    copy_text
    sleep 0.4
}
# timed FOLDER FORMAT: one warming picture, then per_round timed ones, of each size.
timed() {
    for size in 1920x1080 3840x2160; do
        file_one "$1" "$work/shot_$size.png" >/dev/null
        for _ in $(seq $per_round); do
            echo "$size $(file_one "$1" "$work/shot_$size.png")" >>"$work/times_$2"
        done
    done
}

echo "clipboard to file, $((rounds * per_round)) runs each in $rounds rounds by turns, milliseconds (median, spread)"
for format in jpg bmp; do
    setting=$([ $format = bmp ] && printf 'IMAGEFORMAT=BMP\r\n' || true)
    : >"$work/times_program" && : >"$work/times_floor"
    for _ in $(seq $rounds); do
        copy_text
        start "$setting"
        timed "$set_folder" program
        stop
        copy_text
        start_floor $format
        timed "$floor_folder" floor
        stop_floor
    done
    for size in 1920x1080 3840x2160; do
        read -r p p_low p_high < <(awk -v s=$size '$1 == s {print $2}' "$work/times_program" | stats)
        read -r f f_low f_high < <(awk -v s=$size '$1 == s {print $2}' "$work/times_floor" | stats)
        awk -v fm=$format -v s=$size -v p="$p" -v pl="$p_low" -v ph="$p_high" -v f="$f" -v fl="$f_low" -v fh="$f_high" \
            'BEGIN {printf "  %-4s %-10s program %4d (%d-%d)  floor %4d (%d-%d)  ratio %.2f\n", fm, s, p, pl, ph, f, fl, fh, p / f}'
    done
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

start ""
rss_before=$(resident_kb "$app")
for _ in $(seq 10); do file_one "$set_folder" "$work/shot_3840x2160.png" >/dev/null; done
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
before=$(count_files "$set_folder")
for _ in $(seq 40); do
    xdotool keydown ctrl keydown k
    sleep 0.03
    xdotool keyup k keyup ctrl
    sleep 0.5
done
sleep 1
echo "quick taps: 40 taps of 30 ms, $(($(count_files "$set_folder") - before)) captures"

# burst FOLDER SECONDS: copies the different pictures of FOLDER SECONDS apart and prints how
# many files they became once the Image Set has been still for 3 seconds.
burst() {
    local before count still=0
    before=$(count_files "$set_folder")
    for picture in "$1"/pic_*.png; do
        xclip -selection clipboard -t image/png -i "$picture" >/dev/null 2>&1
        sleep "$2"
    done
    count=$(count_files "$set_folder")
    while [ $still -lt 6 ]; do
        sleep 0.5
        [ "$(count_files "$set_folder")" -eq "$count" ] && still=$((still + 1)) || still=0
        count=$(count_files "$set_folder")
    done
    echo $((count - before))
}
copy_text
# The main window is asked whether it lives every 20 ms throughout the first burst.
"$bench/ping_window" "$main" 8 >"$work/ping.log" &
ping_pid=$!
uhd=$(burst "$work/uhd" 0.1)
wait "$ping_pid"
read -r ping_median ping_worst pings <"$work/ping.log"
echo "bursts: 10 different 3840x2160 pictures 100 ms apart, $uhd files;" \
    "40 different 1920x1080 pictures 50 ms apart, $(burst "$work/hd" 0.05) files" \
    "(load average $(cut -d' ' -f1-3 /proc/loadavg))"
echo "window pinged every 20 ms during the first burst: answered in $ping_median ms (median)," \
    "$ping_worst ms at worst, $pings pings"

stop
