#!/usr/bin/env bash
# The real program under a private X server, with a notification server of the bench's own
# (notify_stamp) on a session bus of its own: time from a picture put on the clipboard with
# xclip to its complete file, and to its notification's arrival at the server, both seen by the
# same poll in the same runs. The notification is to come within 1.2 times the file's time.
set -uo pipefail
source "@CMAKE_SOURCE_DIR@/tests/e2e/x11session.sh"
source "@CMAKE_SOURCE_DIR@/bench/timing.sh"
bench="@CMAKE_BINARY_DIR@/bench"
runs=${VISTRELLE_NOTIFY_RUNS:-12} # timed pictures of each size, after one that warms up

program=$work/program
set_folder="$program/Vistrelles/Default Category/Default Image Set"
mkdir -p "$program" "$work/told"
install_program "@CMAKE_BINARY_DIR@/vistrelle"
"$bench/capture_floor" shots "$work" || fail "could not make the pictures"

# A bus that starts no service: the notification server is the bench's own.
exec 4>"$work/bus"
dbus-daemon --config-file="@CMAKE_SOURCE_DIR@/tests/support/private-bus.conf" --nofork --print-address=4 \
    >"$work/bus.log" 2>&1 &
x_pids+=($!)
exec 4>&-
until [ -s "$work/bus" ]; do sleep 0.05; done
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
"$bench/notify_stamp" "$work/told" >"$work/stamp.log" 2>&1 &
x_pids+=($!)
until grep -qs ready "$work/stamp.log"; do sleep 0.05; done

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
sleep 1

# xclip stays behind as the owner: never on the output a command substitution waits for.
copy_text() { xclip -selection clipboard -i /dev/null <<<"text only" >/dev/null 2>&1; }

# time_one PNG: microseconds from xclip to the new file, and to the new notification, seen by
# one poll every 2 ms that looks at both and reads the clock once. Text follows, so that the
# next picture is a new copy.
time_one() {
    local shots=("$set_folder"/[!.]*) told=("$work/told"/*)
    local files=${#shots[@]} notes=${#told[@]} began now filed='' notified=''
    began=${EPOCHREALTIME//[!0-9]/}
    xclip -selection clipboard -t image/png -i "$1" >/dev/null 2>&1
    while [ -z "$filed" ] || [ -z "$notified" ]; do
        shots=("$set_folder"/[!.]*)
        told=("$work/told"/*)
        now=${EPOCHREALTIME//[!0-9]/}
        [ -z "$filed" ] && [ ${#shots[@]} -gt "$files" ] && filed=$((now - began))
        [ -z "$notified" ] && [ ${#told[@]} -gt "$notes" ] && notified=$((now - began))
        [ $((now - began)) -lt 20000000 ] || fail "no file or no notification after 20 s"
        sleep 0.002
    done
    echo "$filed $notified"
    sleep 0.3
    copy_text
    sleep 0.4
}

echo "clipboard to file and to its notification at the server, $runs runs of each size, milliseconds (median, spread)"
for size in 1920x1080 3840x2160; do
    time_one "$work/shot_$size.png" >/dev/null
    : >"$work/times"
    for _ in $(seq "$runs"); do time_one "$work/shot_$size.png" >>"$work/times"; done
    read -r f f_low f_high < <(awk '{print $1 / 1000}' "$work/times" | stats)
    read -r n n_low n_high < <(awk '{print $2 / 1000}' "$work/times" | stats)
    read -r ratio ratio_low ratio_high < <(awk '{print $2 / $1}' "$work/times" | stats)
    awk -v s=$size -v f="$f" -v fl="$f_low" -v fh="$f_high" -v n="$n" -v nl="$n_low" -v nh="$n_high" \
        -v r="$ratio" -v rl="$ratio_low" -v rh="$ratio_high" \
        'BEGIN {printf "  %-10s file %5.1f (%.1f-%.1f)  notification %5.1f (%.1f-%.1f)  ratio %.2f (%.2f-%.2f)\n",
                s, f, fl, fh, n, nl, nh, r, rl, rh}'
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

close_window "$main"
wait_exit "$app" >/dev/null
