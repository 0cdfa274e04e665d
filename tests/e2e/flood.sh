#!/usr/bin/env bash
# A flood of idle connections to the command socket (another program's fault, or a user's):
# the program holds a few at a time and cuts idle ones off, so it keeps its descriptors, goes on
# capturing, and `vistrelle --capture-window` still reaches it.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
# As many descriptors as a desktop session gives a program.
(ulimit -n 1024 && exec "$program/vistrelle" >"$work/run.log" 2>&1) &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')

ulimit -n 4096 2>/dev/null || ulimit -n "$(ulimit -Hn)"
# Many idle connections, held until it is ended.
python3 -c '
import signal, socket, sys
held = []
try:
    for _ in range(int(sys.argv[2])):
        held.append(socket.socket(socket.AF_UNIX, socket.SOCK_STREAM))
        held[-1].connect(sys.argv[1])
except OSError as error:
    held.pop()
    print(error.strerror, "after ", end="")
print("connected", len(held), flush=True)
signal.pause()
' "$XDG_RUNTIME_DIR/vistrelle.commands" 1100 >"$work/flood.log" 2>&1 &
flooder=$!
for _ in $(seq 300); do grep -q connected "$work/flood.log" && break; sleep 0.1; done
grep -q connected "$work/flood.log" || fail "the flood did not end: $(cat "$work/flood.log")"

# Capture goes on during the flood.
xclip -selection clipboard -t image/png -i "$work/shot.png"
files_in_set 1
open_files=$(ls "/proc/$app/fd" | wc -l)
[ "$open_files" -lt 200 ] || fail "the program holds $open_files descriptors"
[ -S "$XDG_RUNTIME_DIR/vistrelle.commands" ] || fail "the socket was removed after the flood's $(cat "$work/flood.log")"
grep -q "connected 1100" "$work/flood.log" || fail "the program refused the flood's connections: $(cat "$work/flood.log")"

xterm -geometry 40x10+200+150 -title capture-target &
x_pids+=($!)
xdotool windowactivate --sync "$(wait_window '^capture-target$')"
sleep 0.3
"$program/vistrelle" --capture-window || fail "the command did not reach the program during the flood"
files_in_set 2
kill "$flooder"
wait "$flooder" 2>/dev/null

kill -0 "$app" || fail "the program ended: $(cat "$work/run.log")"
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
