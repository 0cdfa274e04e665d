#!/usr/bin/env bash
# The program killed during a burst, ten trials: 30 different 3840x2160 pictures copied 500 ms
# apart, each from a window of its own, on a machine kept busy (a process of the lowest
# priority spinning besides whatever else runs); SIGKILL at a random moment of the burst, the
# program started again at once. Per trial and in total: the pictures read whole (before the
# kill or after the restart), how many of them were filed, how many filed twice, how many lost.
set -uo pipefail
source "@CMAKE_SOURCE_DIR@/tests/e2e/x11session.sh"
bench="@CMAKE_BINARY_DIR@/bench"
helper=$bench/kill_clipboard_helper
trials=${VISTRELLE_KILL_TRIALS:-10}
count=30
apart=500

mkdir -p "$program" "$work/pictures"
install_program "@CMAKE_BINARY_DIR@/vistrelle"
QT_QPA_PLATFORM=offscreen "$helper" pictures "$work/pictures" 3840 2160 $count || fail "could not make the pictures"
spool="$program/Vistrelles/.vistrelle-spool"
shopt -s nullglob
nice -n 19 sh -c 'while :; do :; done' &
x_pids+=($!)

start() {
    "$program/vistrelle" >>"$work/run.log" 2>&1 &
    app=$!
    wait_window '^Vistrelle \(JPG\)$' >/dev/null
}
# settled: waits up to 60 s until the Image Set has been still for 2 s and the spool is empty;
# false when it did not.
settled() {
    local before now still=0
    before=$(ls "$set_folder" | wc -l)
    for _ in $(seq 600); do
        sleep 0.1
        now=$(ls "$set_folder" | wc -l)
        if [ "$now" -eq "$before" ] && [ -z "$(find "$spool" -name '*.spool' -o -name '*.got' 2>/dev/null)" ]; then
            still=$((still + 1))
            [ $still -ge 20 ] && return 0
        else
            still=0
        fi
        before=$now
    done
    return 1
}

total_sent=0 total_filed=0 total_twice=0 total_lost=0
echo "kill during a burst of $count different 3840x2160 pictures $apart ms apart, $trials trials:"
for trial in $(seq "$trials"); do
    rm -rf "$set_folder" && mkdir -p "$set_folder"
    start
    xclip -selection clipboard -i /dev/null <<<"text only"
    timeout 180 "$helper" copies $apart "$work/pictures"/pic_*.png >"$work/asked" &
    copier=$!
    # A random moment of the burst, past its first picture.
    kill_at_ms=$((500 + RANDOM % (count * apart - 500)))
    sleep "$(awk -v ms=$kill_at_ms 'BEGIN {print ms / 1000}')"
    kill -KILL "$app"
    wait "$app" 2>/dev/null
    sent_before=$(grep -c '^sent' "$work/asked")
    start
    wait "$copier" || fail "trial $trial: the burst did not end after the restart"
    # One left in the spool is not filed: counted as lost.
    settled || echo "  trial $trial: still unsettled after 60 s, in the spool: $(ls "$spool" | tr '\n' ' ')"
    QT_QPA_PLATFORM=offscreen "$helper" numbers "$set_folder" $count >"$work/numbers"
    grep '^sent' "$work/asked" | cut -d ' ' -f 2 | sort -un >"$work/sent"
    sent=$(wc -l <"$work/sent")
    filed=$(sort -un "$work/numbers" | grep -cxF -f "$work/sent")
    twice=$(sort -n "$work/numbers" | uniq -d | wc -l)
    lost=$((sent - filed))
    echo "  trial $trial: killed after $kill_at_ms ms ($sent_before read whole before), $sent read whole," \
        "$filed filed, $twice twice, $lost lost"
    total_sent=$((total_sent + sent)) total_filed=$((total_filed + filed))
    total_twice=$((total_twice + twice)) total_lost=$((total_lost + lost))
    close_window "$(wait_window '^Vistrelle \(JPG\)$')"
    wait_exit "$app" >/dev/null
done
echo "total: $total_sent read whole, $total_filed filed, $total_twice twice, $total_lost lost" \
    "(load average $(cut -d' ' -f1-3 /proc/loadavg))"
