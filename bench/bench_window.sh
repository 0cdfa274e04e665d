#!/usr/bin/env bash
# The real program under a private X server: time from the active-window hotkey to the window's
# complete file, against ImageMagick's `import -frame -window ID png:-` piped into the capture
# floor's encoder and writer (the program's JPEG settings, a synced file renamed into place):
# the same window, frame included, taken by turns in one run and timed the same way from
# outside; the medians and their ratio, and the median of the pairs' ratios.
set -uo pipefail
source "@CMAKE_SOURCE_DIR@/tests/e2e/x11session.sh"
source "@CMAKE_SOURCE_DIR@/bench/timing.sh"
bench="@CMAKE_BINARY_DIR@/bench"
pairs=${VISTRELLE_WINDOW_PAIRS:-15}
quality=90 # the program's JPEG quality, set in its settings file too
command -v import >/dev/null || fail "ImageMagick's import is not installed (scripts/install-deps test)"

baseline_folder=$work/baseline
mkdir -p "$program" "$baseline_folder"
install_program "@CMAKE_BINARY_DIR@/vistrelle"
# until_more FOLDER BEFORE: waits, looking every 2 ms, until FOLDER holds more than BEFORE files.
until_more() { until [ "$(count_files "$1")" -gt "$2" ]; do sleep 0.002; done; }

printf 'ACTIVEWINDOW_HK=75\r\nACTIVEWINDOW_HKCS=1\r\nJPEG_QUALITY=%s\r\n' "$quality" >"$program/Vistrelle.ini"
"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
# A text window nearly as large as the screen, as the window a user captures.
xterm -geometry 196x58+10+10 -title window-target -e sh -c 'cat /usr/share/common-licenses/GPL-3; exec sleep 100000' &
xterm_pid=$!
x_pids+=("$xterm_pid")
target=$(wait_window '^window-target$')
xdotool windowactivate --sync "$target"
sleep 1

: >"$work/times"
for pair in $(seq 0 "$pairs"); do
    before=$(count_files "$set_folder")
    began=$(now_ms)
    xdotool key ctrl+k
    until_more "$set_folder" "$before"
    program_ms=$(($(now_ms) - began))
    sleep 0.5
    began=$(now_ms)
    import -frame -window "$target" png:- | "$bench/capture_floor" piped "$quality" "$baseline_folder/shot_$pair.jpg"
    baseline_ms=$(($(now_ms) - began))
    [ -s "$baseline_folder/shot_$pair.jpg" ] || fail "the baseline filed nothing"
    sleep 0.5
    # The first pair warms both up.
    [ "$pair" -gt 0 ] && echo "$program_ms $baseline_ms" >>"$work/times"
done
[ "$(count_files "$set_folder")" -eq $((pairs + 1)) ] ||
    fail "$((pairs + 1)) hotkey presses gave $(count_files "$set_folder") files"
size=$(file -b "$(ls "$set_folder"/Image_* | head -n 1)" | grep -o '[0-9]*x[0-9]*' | tail -n 1)
baseline_size=$(file -b "$baseline_folder/shot_1.jpg" | grep -o '[0-9]*x[0-9]*' | tail -n 1)
read -r p p_low p_high < <(cut -d' ' -f1 "$work/times" | stats)
read -r b b_low b_high < <(cut -d' ' -f2 "$work/times" | stats)
read -r r r_low r_high < <(awk '{printf "%.3f\n", $1 / $2}' "$work/times" | stats)
echo "window capture, hotkey to complete file, $pairs pairs by turns, milliseconds (median, spread):"
awk -v s="$size" -v bs="$baseline_size" -v p="$p" -v pl="$p_low" -v ph="$p_high" -v b="$b" -v bl="$b_low" -v bh="$b_high" \
    -v r="$r" -v rl="$r_low" -v rh="$r_high" \
    'BEGIN {printf "  program %d (%d-%d) for %s;  import piped to the same encoder %d (%d-%d) for %s;  ratio of medians %.2f, of pairs %.2f (%.2f-%.2f)\n",
            p, pl, ph, s, b, bl, bh, bs, p / b, r, rl, rh}'
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
close_window "$main"
wait_exit "$app" >/dev/null
kill "$xterm_pid" # before its X server goes
wait "$xterm_pid" 2>/dev/null || true
