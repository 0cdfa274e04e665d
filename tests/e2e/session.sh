#!/usr/bin/env bash
# The session ends without the main window being closed (a logout's SIGTERM, a closed terminal's
# SIGHUP, Ctrl+C): the settings, window places included, are saved as closing would save them.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"

for signal in TERM HUP INT; do
    rm -f "$program/Vistrelle.ini"
    "$program/vistrelle" >"$work/$signal.log" 2>&1 &
    pid=$!
    main=$(wait_window '^Vistrelle \(JPG\)$')
    xdotool windowmove --sync "$main" 100 300
    sleep 0.5
    kill -s "$signal" "$pid"
    wait_exit "$pid"
    status=$?
    [ $status -eq 0 ] || fail "SIG$signal ended the program with status $status: $(cat "$work/$signal.log")"
    [ -f "$program/Vistrelle.ini" ] || fail "SIG$signal: no settings were written"
    top=$(sed -n 's/^MTOP=\(-\?[0-9]*\)\r$/\1/p' "$program/Vistrelle.ini")
    # 300 pixels are 4500 twips; the window manager's frame may shift the window a little.
    [ -n "$top" ] && [ "$top" -ge 3900 ] && [ "$top" -le 5100 ] ||
        fail "SIG$signal: the main window's place was not saved: $(cat "$program/Vistrelle.ini")"
done
