#!/usr/bin/env bash
# Find: three windows showing different words are captured with the hotkey; each shot is found
# by one of its words and by its window's title, through `vistrelle --find` and through the
# main window's Find box, with the real text reader; beside a busy loop on each core a capture
# is found within a minute. An index that cannot be opened is told apart from nothing found
# (status 3). A library given as a DIRECTORY is searched with it.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

install_program "$1"
export XDG_CACHE_HOME="$work/cache"
# Hotkey CTRL+K for the active window.
printf 'ACTIVEWINDOW_HK=75\r\nACTIVEWINDOW_HKCS=1\r\n' >"$program/Vistrelle.ini"
# A stand-in for the desktop's file opener: records the path the program asks it to open, from
# the file URL it is given.
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<OPENER
#!/usr/bin/env bash
url=\${1#file://}
printf '%b\\n' "\${url//%/\\\\x}" >>"$work/opened"
OPENER
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

# find_paths WORDS...: what `--find` prints in $out, its status in $found_status, its note in
# $work/note.
find_paths() {
    out=$("$program/vistrelle" --find "$@" 2>"$work/note")
    found_status=$?
}

# Before the program ever ran, a picture is there but no index: no answer, which is not
# "nothing found".
mkdir -p "$set_folder"
cp "$work/shot.png" "$set_folder/Earlier.png"
find_paths anything
[ "$found_status" -eq 3 ] && [ -z "$out" ] || fail "--find without an index gave $found_status: $out"
grep -q "^The index cannot be opened: $XDG_CACHE_HOME/Vistrelle/library-.*\.sqlite\$" "$work/note" ||
    fail "the note said: $(cat "$work/note")"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')

words=(PELICAN ZEPPELIN TURQUOISE)
texts=("PELICAN MARMALADE" "ZEPPELIN ORCHARD" "TURQUOISE LANTERN")
titles=(harbour-ledger garden-notebook lighthouse-journal)
shots=()
for i in 0 1 2; do
    xterm -fa 'DejaVu Sans Mono' -fs 14 -geometry 40x6+150+150 -title "${titles[$i]}" \
        -e sh -c "echo '${texts[$i]}'; sleep 600" &
    x_pids+=($!)
    window=$(wait_window "^${titles[$i]}\$")
    xdotool windowactivate --sync "$window"
    sleep 0.5
    before=$(ls "$set_folder")
    xdotool keydown ctrl keydown k
    sleep 0.05
    xdotool keyup k keyup ctrl
    files_in_set $((i + 1))
    new=$(comm -13 <(echo "$before") <(ls "$set_folder"))
    shots+=("$set_folder/$new")
    # Each shot a second newer than the last.
    sleep 1.1
done

# Reading runs in the background; the last shot is read first among those waiting.
read_all() {
    find_paths "${words[0]}" >/dev/null
    [ "$found_status" -eq 0 ] && [ ! -s "$work/note" ]
}
reading_left() { cat "$work/note" "$work/run.log"; }
within_shows=reading_left within 150 "reading did not finish" read_all

for i in 0 1 2; do
    find_paths "${words[$i],,}"
    [ "$found_status" -eq 0 ] && [ "$out" = "${shots[$i]}" ] ||
        fail "--find ${words[$i]} gave $found_status: $out (expected ${shots[$i]})"
    find_paths "${titles[$i]%%-*}"
    [ "$out" = "${shots[$i]}" ] || fail "--find ${titles[$i]%%-*} gave: $out"
done
# The program: every shot, newest first.
find_paths xterm
expected=$(printf '%s\n' "${shots[2]}" "${shots[1]}" "${shots[0]}")
[ "$out" = "$expected" ] || fail "--find xterm gave: $out"
find_paths "${words[0]}" "${words[1]}"
[ "$found_status" -eq 1 ] && [ -z "$out" ] || fail "two shots' words together gave $found_status: $out"
# The words after --find are words to find, the first one also after =, and one that begins
# with a dash.
for given in "--find=${words[0]}" "--find -${words[0]}"; do
    # shellcheck disable=SC2086 # the words of a case are its arguments
    out=$("$program/vistrelle" $given 2>/dev/null)
    [ "$out" = "${shots[0]}" ] || fail "'$given' gave: $out"
done

# The Find box: the picture chosen is the one the file list then opens.
# open_found WORDS: types WORDS into the box, chooses the first picture found, goes back to the
# file list with Esc and opens the selected file from it.
open_found() {
    : >"$work/opened"
    xdotool windowactivate --sync "$main"
    xdotool key --clearmodifiers ctrl+f
    xdotool type --delay 30 "$1"
    sleep 0.5
    xdotool key Return
    sleep 0.5
    xdotool key Escape
    sleep 0.3
    xdotool key Return
    options=$(wait_window '^Vistrelle File Options$')
    xdotool windowactivate --sync "$options" key --clearmodifiers alt+o
    for _ in $(seq 100); do
        [ -s "$work/opened" ] && break
        sleep 0.1
    done
}
for i in 0 1 2; do
    open_found "${words[$i],,}"
    [ "$(cat "$work/opened")" = "${shots[$i]}" ] || fail "the box found '$(cat "$work/opened")' for ${words[$i]}"
    open_found "${titles[$i]}"
    [ "$(cat "$work/opened")" = "${shots[$i]}" ] || fail "the box found '$(cat "$work/opened")' for ${titles[$i]}"
done

# Beside a busy loop at nice 0 on each core, a capture is still found within a minute: at the
# lowest class the reader got next to nothing of the processor while the loops ran.
for _ in 1 2; do
    sh -c 'while :; do :; done' &
    x_pids+=($!)
done
# A window full of words, whose reading takes about half a second of processor time.
xterm -fa 'DejaVu Sans Mono' -fs 14 -geometry 100x30+0+0 -title busy-ledger \
    -e sh -c "echo 'QUARTERMASTER GONDOLA'; for n in \$(seq 28); do echo \"ledger line \$n of the harbour accounts, entered and checked by the night clerk\"; done; sleep 600" &
x_pids+=($!)
xdotool windowactivate --sync "$(wait_window '^busy-ledger$')"
sleep 0.5
xdotool keydown ctrl keydown k
sleep 0.05
xdotool keyup k keyup ctrl
files_in_set 4
for _ in $(seq 60); do
    find_paths quartermaster
    [ "$found_status" -eq 0 ] && break
    sleep 1
done
kill "${x_pids[@]: -3:2}"
[ "$found_status" -eq 0 ] || fail "a capture beside two busy loops was not found within a minute"

close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
# With the program ended, --find still answers.
find_paths "${words[2]}"
[ "$out" = "${shots[2]}" ] || fail "--find after the program ended gave: $out"
# A damaged index answers nothing, with the third status, until the program makes it anew.
index=$(ls "$XDG_CACHE_HOME"/Vistrelle/library-*.sqlite)
cp "$index" "$work/index.sqlite"
echo "no database at all" >"$index"
find_paths "${words[2]}"
[ "$found_status" -eq 3 ] && [ -z "$out" ] || fail "--find on a damaged index gave $found_status: $out"
cp "$work/index.sqlite" "$index"

# A name that is not UTF-8: the walk at the next start follows the rename by the picture's
# bytes, and --find prints the name as it is on disk.
renamed="$set_folder/Lantern "$'\xe9'".jpg"
mv "${shots[2]}" "$renamed"
"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
for _ in $(seq 100); do
    find_paths "${words[2]}"
    [ "$out" = "$renamed" ] && break
    sleep 0.3
done
[ "$out" = "$renamed" ] || fail "--find gave $(printf '%q' "$out") for a name that is not UTF-8"
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"

# A library given as a DIRECTORY, as the program is started with it, is searched with the same
# DIRECTORY before --find or after "--" behind the words; the default library's pictures are
# not its, nor its pictures the default library's.
other="$work/other shots"
other_shot="$other/Vistrelles/Default Category/Default Image Set/Orchard.jpg"
mkdir -p "$(dirname "$other_shot")"
cp "${shots[1]}" "$other_shot"
# find_in ORDER WORDS...: --find on that library, the DIRECTORY given ORDER (before, after) the
# words; as find_paths.
find_in() {
    local order=$1
    shift
    if [ "$order" = before ]; then
        out=$("$program/vistrelle" "$other" --find "$@" 2>"$work/note")
    else
        out=$("$program/vistrelle" --find "$@" -- "$other" 2>"$work/note")
    fi
    found_status=$?
}
"$program/vistrelle" "$other" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
for _ in $(seq 600); do
    find_in before "${words[1]}"
    [ "$out" = "$other_shot" ] && break
    sleep 0.5
done
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
for order in before after; do
    find_in "$order" "${words[1],,}"
    [ "$found_status" -eq 0 ] && [ "$out" = "$other_shot" ] ||
        fail "--find ${words[1]}, the DIRECTORY $order, gave $found_status: $out $(cat "$work/note")"
    find_in "$order" "${words[0]}"
    [ "$found_status" -eq 1 ] && [ -z "$out" ] || fail "--find ${words[0]}, the DIRECTORY $order, gave $found_status: $out"
done
find_paths "${words[1]}"
[ "$out" = "${shots[1]}" ] || fail "--find ${words[1]} without a DIRECTORY gave: $out"
