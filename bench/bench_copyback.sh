#!/usr/bin/env bash
# The real program under a private X server: a 3840x2160 PNG file kept in the library, copied
# with Ctrl+C in the file list until another program has pasted it whole, against xclip offering
# the same file (xclip -selection clipboard -t image/png -i FILE); the two by turns, timed the
# same way by paste_timer, from the start of the command that copies (xdotool, xclip) to the
# last byte pasted. The screenshot-like picture is sent whole: a file of more than 1 MB xclip
# sends in pieces, and it drops every other request while it sends them, to the program's
# reader, which reads every copy, also while capturing is paused.
set -uo pipefail
source "@CMAKE_SOURCE_DIR@/tests/e2e/x11session.sh"
source "@CMAKE_SOURCE_DIR@/bench/timing.sh"
bench="@CMAKE_BINARY_DIR@/bench"
runs=${VISTRELLE_COPY_RUNS:-15}

install_program "@CMAKE_BINARY_DIR@/vistrelle"
mkdir -p "$set_folder"
"$bench/capture_floor" shots "$work" || fail "could not make the pictures"
kept="$set_folder/Kept picture.png"
cp "$work/shot_3840x2160.png" "$kept"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')
sleep 1
# Capturing paused, so that xclip's picture is not filed and emptied away; the kept file alone
# in the list, selected, the list focused.
xdotool windowactivate --sync "$main" key --clearmodifiers alt+a ctrl+f Escape Home
sleep 0.5

# Another program's text on the clipboard between two copies, so that each copy is a new one.
copy_text() {
    xclip -selection clipboard -i /dev/null <<<"text only" >/dev/null 2>&1
    sleep 0.3
}
: >"$work/times_program" && : >"$work/times_xclip" && : >"$work/ratios"
for _ in $(seq "$runs"); do
    copy_text
    # Without xdotool's pause between pressing and releasing keys, which is no part of the copy.
    p=$("$bench/paste_timer" "$kept" xdotool key --delay 0 ctrl+c) || fail "the program's copy was not pasted whole ($?)"
    copy_text
    x=$("$bench/paste_timer" "$kept" xclip -selection clipboard -t image/png -i "$kept") ||
        fail "xclip's copy was not pasted whole ($?)"
    echo "$p" >>"$work/times_program"
    echo "$x" >>"$work/times_xclip"
    awk -v p="$p" -v x="$x" 'BEGIN {print p / x}' >>"$work/ratios"
done
[ -z "$(find "$set_folder" -name 'Image_*')" ] || fail "capturing was not paused: $(ls "$set_folder")"
read -r p p_low p_high < <(stats <"$work/times_program")
read -r x x_low x_high < <(stats <"$work/times_xclip")
read -r ratio _ < <(stats <"$work/ratios")
echo "copy of a $(stat -c %s "$kept")-byte $(file -b "$kept" | grep -o '[0-9]* x [0-9]*' | tr -d ' ') PNG until pasted whole, $runs runs by turns, milliseconds:"
echo "  program (Ctrl+C) $p ($p_low-$p_high)  xclip -i $x ($x_low-$x_high)  paired ratio (median) $ratio"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
close_window "$main"
wait_exit "$app" >/dev/null
