#!/usr/bin/env bash
# The session ends without the main window being closed (a logout's SIGTERM, a closed terminal's
# SIGHUP, Ctrl+C): the settings, window places included, are saved as closing would save them.
# A settings file that is a link (into a synced folder, through a second link, to a file not
# made yet) is read through it and stays one: the file it leads to gets the text, and no
# temporary is left. A sparse 60 GB picture in the Image Set keeps no SIGTERM waiting.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"

mkdir "$work/dotfiles"
printf 'JPEG_QUALITY=77\r\n' >"$work/dotfiles/synced.ini"
ln -s "dotfiles/kept.ini" "$work/chain"
# leads_to SIGNAL: where the settings file leads before that run: nowhere (a file), or a link.
leads_to() { case $1 in TERM) ;; HUP) echo "$work/dotfiles/synced.ini" ;; INT) echo "$work/chain" ;; esac; }
for signal in TERM HUP INT; do
    rm -f "$program/Vistrelle.ini"
    [ -z "$(leads_to $signal)" ] || ln -s "$(leads_to $signal)" "$program/Vistrelle.ini"
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
    [ "$(readlink "$program/Vistrelle.ini")" = "$(leads_to $signal)" ] || fail "SIG$signal: the link became $(ls -l "$program/Vistrelle.ini")"
done
[ -L "$work/chain" ] && [ -f "$work/dotfiles/kept.ini" ] && grep -q $'^JPEG_QUALITY=77\r$' "$work/dotfiles/synced.ini" ||
    fail "the links' files were not written: $(ls -lA "$work" "$work/dotfiles")"
[ -z "$(find "$program" "$work/dotfiles" -name '*.part')" ] || fail "a temporary was left: $(find "$program" "$work/dotfiles" -name '*.part')"

# A sparse 60 GB ".png" in the Image Set, older than the picture beside it, so the walk meets it
# first: it is known by its size, time and ends, never read whole, and the walk goes on past it.
# A SIGTERM ends the program within a second whatever the walk is doing, also while a question
# waits (answered No, as closed); the time is reported.
rm -f "$program/Vistrelle.ini"
printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x10\0\0\0\x10\0\x08\x02\0\0\0' >"$set_folder/Huge.png"
truncate -s 60G "$set_folder/Huge.png"
touch -d '2020-01-01' "$set_folder/Huge.png"
cp "$work/shot.png" "$set_folder/After.png"
# ended_within START PID: waits at most 5 s for the process to end, and sets took to the
# milliseconds since START (in nanoseconds); 2 when the process ended with a failure.
ended_within() {
    local start=$1 pid=$2
    for _ in $(seq 500); do
        if ! kill -0 "$pid" 2>/dev/null; then
            took=$((($(date +%s%N) - start) / 1000000))
            wait "$pid" || return 2
            return 0
        fi
        sleep 0.01
    done
    return 1
}
for moment in "a second after it starts" "once the walk is through" "while a question waits"; do
    "$program/vistrelle" >"$work/huge.log" 2>&1 &
    pid=$!
    main=$(wait_window '^Vistrelle \(JPG\)$')
    if [ "$moment" = "while a question waits" ]; then
        # Delete on the file list (reached from the Find box with Esc) asks first; the session
        # ends before any answer.
        xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+f
        sleep 0.3
        xdotool key --clearmodifiers Escape
        sleep 0.3
        xdotool key --clearmodifiers Delete
        wait_window '^Vistrelle$' >/dev/null
    elif [ "$moment" = "a second after it starts" ]; then
        # Before the program stands a signal ends it at once, nothing saved: startup.sh's case.
        sleep 1
    else
        deadline=$((SECONDS + 60))
        while [ $SECONDS -lt $deadline ]; do
            "$program/vistrelle" --find anything >/dev/null 2>"$work/note"
            [ -s "$work/note" ] || break
            sleep 0.1
        done
        [ ! -s "$work/note" ] || fail "the walk did not pass the large file: $(cat "$work/note")"
    fi
    start=$(date +%s%N)
    kill -TERM "$pid"
    ended_within "$start" "$pid"
    case $? in
    0) ;;
    2) fail "SIGTERM $moment with a 60 GB file: the program failed: $(cat "$work/huge.log")" ;;
    *) fail "SIGTERM $moment with a 60 GB file: still running after 5 s" ;;
    esac
    echo "SIGTERM $moment with a 60 GB file in the Image Set: ended in $took ms (load $(cut -d' ' -f1-3 /proc/loadavg))"
    [ -f "$program/Vistrelle.ini" ] || fail "SIGTERM $moment with a 60 GB file: no settings were written"
    [ -f "$set_folder/Huge.png" ] && [ -f "$set_folder/After.png" ] || fail "SIGTERM $moment: a file went"
done
