#!/usr/bin/env bash
# A user's first start, a second start while running, a second program on the same library,
# closing, the refused command lines (what each message says, read over the accessibility bus),
# and signals while a start-up message waits.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
walker=(/usr/bin/python3 "$(dirname "$0")/accessible.py")
start_accessibility_bus
# says TEXT: the start-up message shown says TEXT. (grep reads the walker's whole list: quitting
# at the first match would break its pipe.)
says() { "${walker[@]}" names '^Vistrelle$' | grep -F -- "$1" >/dev/null; }
running="Vistrelle is already running.  Check the System Tray."
# refused TEXT [copy]: the start-up message says TEXT, and Return answers it. With copy, a picture
# is copied while it waits: no business of a program that ends (filed, it would ask for an Image
# Set in a second message). (Only while no other program runs: it would file the picture, or
# say in a message of its own that it cannot.)
refused() {
    local box
    box=$(wait_window '^Vistrelle$')
    until_true "the start-up message did not say '$1'" says "$1"
    [ $# -eq 1 ] || xclip -selection clipboard -t image/png -i "$work/shot.png"
    xdotool windowactivate --sync "$box" key --clearmodifiers Return
}

# A screenshot already on the clipboard before the start is not filed.
xclip -selection clipboard -t image/png -i "$work/shot.png"

"$program/vistrelle" >"$work/first.log" 2>&1 &
first=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
wait_window '^Vistrelle Image Viewer \(resize horizontally\)$' >/dev/null
[ -d "$program/Vistrelles/Default Category/Default Image Set" ] || fail "the default library was not created"
sleep 0.5
targets=$(timeout 5 xclip -selection clipboard -o -t TARGETS 2>/dev/null || true)
! grep -q image/png <<<"$targets" || fail "the picture on the clipboard at start-up was kept"

# Refused before anything is made: the library it names is not.
"$program/vistrelle" "$work/second" >"$work/second.log" 2>&1 &
second=$!
refused "$running"
wait_exit "$second"
[ $? -eq 1 ] || fail "a second instance was not refused"
kill -0 "$first" || fail "the first instance ended when the second was refused"
[ ! -e "$program/Vistrelle.ini" ] || fail "settings were written before closing"
[ ! -e "$work/second" ] || fail "a second instance made its library: $(find "$work/second")"

# A program on the same library is refused also with a runtime folder of its own (one
# started otherwise would file every picture twice), also where the library cannot be written;
# one on another library is not. The library's lock leaves no file in it.
# runs_on RUNTIME FOLDER: starts the program on FOLDER's library with its own runtime folder, as
# $other, and waits for its window, in $other_window.
runs_on() {
    mkdir -p -m 700 "$work/$1"
    XDG_RUNTIME_DIR="$work/$1" "$program/vistrelle" "$2" >"$work/other.log" 2>&1 &
    other=$!
    for _ in $(seq 600); do
        other_window=$(xdotool search --all --onlyvisible --pid "$other" --name '^Vistrelle \(JPG\)$' 2>/dev/null | head -n 1)
        [ -n "$other_window" ] && return 0
        kill -0 "$other" 2>/dev/null || return 1
        sleep 0.1
    done
    fail "no window of the program on $2 appeared"
}
mkdir -p "$work/elsewhere" "$work/read-only/Vistrelles/Default Category/Default Image Set"
if [ "$(id -u)" -eq 0 ]; then # permissions do not hold root back: a file system mounted read-only does
    mount -t tmpfs tmpfs "$work/read-only" && mkdir -p "$work/read-only/Vistrelles/Default Category/Default Image Set" &&
        mount -o remount,ro "$work/read-only" || fail "could not mount a read-only library"
    trap 'umount -l "$work/read-only" 2>/dev/null; stop_session' EXIT
else
    chmod -R a-w "$work/read-only"
fi
runs_on runtime2 "$work/read-only" || fail "a program on a read-only library did not start: $(cat "$work/other.log")"
for library in "$program" "$work/read-only"; do
    mkdir -p -m 700 "$work/runtime3"
    XDG_RUNTIME_DIR="$work/runtime3" "$program/vistrelle" "$library" >"$work/third.log" 2>&1 &
    refused "$running"
    wait_exit $!
    [ $? -eq 1 ] || fail "a program with another runtime folder was not refused on $library"
done
close_window "$other_window"
wait_exit "$other" || fail "the program on the read-only library ended badly: $(cat "$work/other.log")"
runs_on runtime2 "$work/elsewhere" || fail "a program on another library was refused: $(cat "$work/other.log")"
close_window "$other_window"
wait_exit "$other" || fail "the program on another library ended badly: $(cat "$work/other.log")"
[ -z "$(find "$program/Vistrelles" "$work/elsewhere" -name '.vistrelle*')" ] || fail "a lock file was left in a library"
rm "$program/Vistrelle.ini"

close_window "$main"
wait_exit "$first"
status=$?
[ $status -eq 0 ] || fail "closing ended with status $status: $(cat "$work/first.log")"
grep -q $'^FIRSTSET=\r$' "$program/Vistrelle.ini" || fail "the settings file is not what closing writes"
[ "$(head -n 1 "$program/Vistrelle.ini" | cut -c1-5)" = "MTOP=" ] || fail "the settings file does not start with MTOP="

# A folder on the command line holds the library, also one named in several words, one of them
# "-" and one, after --, that begins with a dash and is not UTF-8, and one of two characters
# given from the current folder; a one-character one is refused.
mkdir "$work/my - --shots"$'\xe9'
"$program/vistrelle" "$work/my" - -- --shots$'\xe9' >"$work/third.log" 2>&1 &
third=$!
close_window "$(wait_window '^Vistrelle \(JPG\)$')"
wait_exit "$third" || fail "the command-line library run failed: $(cat "$work/third.log")"
[ -d "$work/my - --shots"$'\xe9'"/Vistrelles/Default Category/Default Image Set" ] || fail "no library in the given folder"
mkdir "$work/ab"
(cd "$work" && exec "$program/vistrelle" ab) >"$work/third.log" 2>&1 &
third=$!
close_window "$(wait_window '^Vistrelle \(JPG\)$')"
wait_exit "$third" || fail "the run on a relative folder failed: $(cat "$work/third.log")"
[ -d "$work/ab/Vistrelles/Default Category/Default Image Set" ] || fail "no library in the relative folder: $(ls -A "$work")"

rm "$program/Vistrelle.ini"
"$program/vistrelle" x >"$work/fourth.log" 2>&1 &
fourth=$!
refused "Invalid directory specified.  Check the target line for the shortcut." copy
wait_exit "$fourth"
[ $? -eq 1 ] || fail "a one-character directory was accepted"
[ ! -e "$program/Vistrelle.ini" ] || fail "a refused start wrote settings"
[ ! -e "$program/x" ] || fail "a refused start created a folder"


# A signal while a start-up message waits (a logout, a closed terminal, `timeout`) ends the
# program at once, and the settings file stays as it was, byte for byte: the message of a folder
# that does not exist, and the one of a second start.
printf 'MTOP=1500\r\nMLEFT=3000\r\nFIRSTCAT=Default Category\r\nFIRSTSET=Default Image Set\r\nJPEG_QUALITY=75\r\nACTIVEWINDOW_HK=75\r\nACTIVEWINDOW_HKCS=3\r\n' \
    >"$program/Vistrelle.ini"
cp "$program/Vistrelle.ini" "$work/settings.before"
# ended_soon PID: the process ends within 5 s.
ended_soon() {
    for _ in $(seq 50); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}
for signal in TERM HUP INT; do
    "$program/vistrelle" /nonexistent >"$work/box.log" 2>&1 &
    pid=$!
    wait_window '^Vistrelle$' >/dev/null
    until_true "the message of a missing folder said otherwise" says "Problem encountered with specified \
directory (/nonexistent).  Check the target line for the shortcut. Error encoutered: No such file or directory"
    kill -s "$signal" "$pid"
    ended_soon "$pid" || fail "SIG$signal left the start-up message open"
    cmp -s "$program/Vistrelle.ini" "$work/settings.before" ||
        fail "SIG$signal during a start-up message changed the settings: $(cat -A "$program/Vistrelle.ini")"
done
"$program/vistrelle" >"$work/first.log" 2>&1 &
first=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
"$program/vistrelle" >"$work/second.log" 2>&1 &
second=$!
wait_window '^Vistrelle$' >/dev/null
kill -TERM "$second"
ended_soon "$second" || fail "SIGTERM left the 'already running' message open"
kill -0 "$first" || fail "the first instance ended with the second"
cmp -s "$program/Vistrelle.ini" "$work/settings.before" || fail "a second start changed the settings"
close_window "$main"
wait_exit "$first" || fail "closing failed: $(cat "$work/first.log")"

# A session that ends as a logout ends it: SIGTERM, and the X server going away at once. The
# program ends too, at once and without a fault, leaving its library free for the next start.
"$program/vistrelle" >"$work/orphaned.log" 2>&1 &
orphaned=$!
wait_window '^Vistrelle \(JPG\)$' >/dev/null
kill -TERM "$orphaned"
kill "${x_pids[@]}"
ended_soon "$orphaned" || fail "the program outlived its X server"
! grep -q "ERROR: AddressSanitizer" "$work/orphaned.log" ||
    fail "losing the X server faulted: $(cat "$work/orphaned.log")"
