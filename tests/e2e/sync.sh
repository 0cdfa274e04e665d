#!/usr/bin/env bash
# One library on two machines through Syncthing. Two Syncthing instances on the loopback
# interface (each its own home and configuration, written here; devices introduced by ID at
# explicit addresses; discovery, relays, NAT, upgrades and the GUI off) share the library's
# folder, and a Vistrelle runs on each copy, each machine with its own X server, session and
# accessibility bus, settings, index, trash and runtime folder. Pictures captured on either
# machine are listed on the other, with the same bytes, and found by their words there; both
# capturing in the same second lose nothing and replace nothing; Syncthing's own entries are
# never listed; a delete goes to the deleting machine's trash and the other's list follows
# without a message; a rename is followed, and Find on the other machine knows the picture
# without reading it again; each machine's spool stays its own (the program names it in
# Syncthing's ignore patterns), and a second Vistrelle on one machine's library is still refused.
# Prints how long a capture takes to be listed on the other machine, against Syncthing's own
# transfer of its file.
set -uo pipefail
if ! command -v syncthing >/dev/null; then
    echo "SKIP: syncthing is not installed (scripts/install-deps test installs it)"
    exit 77
fi
source "$(dirname "$0")/x11session.sh"

helper=$2
walker=(/usr/bin/python3 "$(dirname "$0")/accessible.py")
main_title='^Vistrelle \(JPG\)$'
machines=(A B)
declare -A display bus program shots set_folder device port app
for m in "${machines[@]}"; do
    mkdir -p "$work/$m/home" "$work/$m/cache" "$work/$m/data" "$work/$m/config" "$work/$m/program"
    mkdir -m 700 "$work/$m/runtime"
    program[$m]=$work/$m/program
    cp "$1" "${program[$m]}/vistrelle"
    cp "$(dirname "$1")/vistrelle-reader" "${program[$m]}/vistrelle-reader"
    shots[$m]=$work/$m/shots
    set_folder[$m]="${shots[$m]}/Vistrelles/Default Category/Default Image Set"
done

# Machine A is the session's display and bus; machine B gets its own.
display[A]=$DISPLAY
exec 3>"$work/B/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/B/xvfb.log" 2>&1 &
x_pids+=($!)
exec 3>&-
until_true "the second Xvfb did not start" test -s "$work/B/display"
display[B]=":$(cat "$work/B/display")"
DISPLAY=${display[B]} openbox >"$work/B/openbox.log" 2>&1 &
x_pids+=($!)
start_accessibility_bus
bus[A]=$DBUS_SESSION_BUS_ADDRESS
session_work=$work
work=$work/B DISPLAY=${display[B]} start_accessibility_bus
bus[B]=$DBUS_SESSION_BUS_ADDRESS
work=$session_work
export DBUS_SESSION_BUS_ADDRESS=${bus[A]}

# on MACHINE COMMAND...: runs COMMAND as a program of that machine's session.
on() {
    local m=$1
    shift
    env DISPLAY="${display[$m]}" DBUS_SESSION_BUS_ADDRESS="${bus[$m]}" HOME="$work/$m/home" \
        XDG_RUNTIME_DIR="$work/$m/runtime" XDG_CACHE_HOME="$work/$m/cache" XDG_DATA_HOME="$work/$m/data" \
        XDG_CONFIG_HOME="$work/$m/config" "$@"
}
# lines MACHINE LIST: the lines of that list of the machine's main window.
lines() { on "$1" "${walker[@]}" lines "$main_title" "$2"; }
# listed MACHINE PATTERN: a line of the machine's file list matches PATTERN; no line names a
# hidden entry.
listed() {
    local shown
    shown=$(lines "$1" "Image Files") || return 1
    ! grep -q '^\(\* \)\?\.' <<<"$shown" || fail "$1 listed a hidden entry: $shown"
    grep -q -- "$2" <<<"$shown"
}
unlisted() { ! listed "$@"; }
# found MACHINE WORD PATH: `vistrelle --find WORD` on the machine's library prints PATH.
found() { on "$1" "${program[$1]}/vistrelle" "${shots[$1]}" --find "$2" | grep -qxF "$3"; }
# index MACHINE SQL: the answer of the machine's text index.
index() { sqlite3 -readonly "$(ls "$work/$1/cache/Vistrelle/"library-*.sqlite)" "$2"; }
# capture MACHINE PICTURE: copies the PNG file PICTURE to the machine's clipboard.
capture() { on "$1" xclip -selection clipboard -t image/png -i "$2"; }
# same_on_both NAME: the file NAME is on both machines, byte for byte the same.
same_on_both() { cmp -s "${set_folder[A]}/$1" "${set_folder[B]}/$1"; }

# Each instance's keys made by Syncthing, its configuration written here.
read -r port[A] port[B] < <(python3 -c '
import socket
taken = [socket.socket() for _ in range(2)]
for s in taken:
    s.bind(("127.0.0.1", 0))
print(*(s.getsockname()[1] for s in taken))')
for m in "${machines[@]}"; do
    HOME=$work/$m/home syncthing generate --home="$work/$m/syncthing" >"$work/$m/generate.log" 2>&1 ||
        { echo "SKIP: syncthing cannot make its keys: $(tail -n 1 "$work/$m/generate.log")"; exit 77; }
    device[$m]=$(HOME=$work/$m/home syncthing serve --home="$work/$m/syncthing" --device-id)
    mkdir -p "${shots[$m]}/Vistrelles"
done
for m in "${machines[@]}"; do
    cat >"$work/$m/syncthing/config.xml" <<CONFIG
<configuration version="36">
    <folder id="library" label="library" path="${shots[$m]}/Vistrelles" type="sendreceive"
            rescanIntervalS="10" fsWatcherEnabled="true" fsWatcherDelayS="1">
        <device id="${device[A]}"></device>
        <device id="${device[B]}"></device>
        <versioning type="trashcan"><param key="cleanoutDays" val="0"></param></versioning>
    </folder>
    <device id="${device[A]}" name="A" compression="metadata"><address>tcp://127.0.0.1:${port[A]}</address></device>
    <device id="${device[B]}" name="B" compression="metadata"><address>tcp://127.0.0.1:${port[B]}</address></device>
    <gui enabled="false"></gui>
    <options>
        <listenAddress>tcp://127.0.0.1:${port[$m]}</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <startBrowser>false</startBrowser>
        <urAccepted>-1</urAccepted>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <crashReportingEnabled>false</crashReportingEnabled>
    </options>
</configuration>
CONFIG
done

# words FILE TEXT: TEXT in large dark letters on white, as a PNG the text reader reads.
words() {
    convert -background white -fill '#141414' -font DejaVu-Sans -pointsize 48 label:"$2" \
        -bordercolor white -border 40x30 -strip "PNG24:$1"
}
mkdir -p "${set_folder[A]}"
words "$work/seed.png" "HARBOUR LEDGER"
cp "$work/seed.png" "${set_folder[A]}/Seed.png"
syncthings=()
stop_syncthing() {
    kill "${syncthings[@]}" 2>/dev/null
    wait "${syncthings[@]}" 2>/dev/null
}
trap 'stop_syncthing; stop_session' EXIT
for m in "${machines[@]}"; do
    HOME=$work/$m/home STNORESTART=1 STNOUPGRADE=1 \
        syncthing serve --home="$work/$m/syncthing" --no-browser --no-restart --no-upgrade \
        >"$work/$m/syncthing.log" 2>&1 &
    syncthings+=($!)
done
for _ in $(seq 300); do
    same_on_both Seed.png && break
    for m in "${machines[@]}"; do
        kill -0 "${syncthings[0]}" 2>/dev/null && kill -0 "${syncthings[1]}" 2>/dev/null ||
            { echo "SKIP: syncthing does not run here: $(tail -n 2 "$work/$m/syncthing.log")"; exit 77; }
    done
    sleep 0.1
done
same_on_both Seed.png || fail "the two instances did not sync: $(tail -n 5 "$work/B/syncthing.log")"

for m in "${machines[@]}"; do
    on "$m" "${program[$m]}/vistrelle" "${shots[$m]}" >"$work/$m/run.log" 2>&1 &
    app[$m]=$!
done
for m in "${machines[@]}"; do
    until_true "$m did not list the library" listed "$m" "Seed.png"
    [ "$(lines "$m" Category)" = "Default Category" ] || fail "$m offered: $(lines "$m" Category)"
    # What each machine keeps for itself is named in its Syncthing's ignore patterns.
    [ "$(cat "${shots[$m]}/Vistrelles/.stignore" 2>&1)" = $'.vistrelle-spool\n.vistrelle.lock' ] ||
        fail "$m's ignore patterns: $(cat "${shots[$m]}/Vistrelles/.stignore" 2>&1)"
done

# Captured on either machine: listed and found by its words on the other, the same bytes.
# A picture captured in a library Syncthing shares is named with the machine's own mark.
mark='^Image_[0-9]{6}_[0-9]{6}_[a-z2-9]{4}\.jpg$'
words "$work/a.png" "PELICAN MARMALADE"
words "$work/b.png" "ZEPPELIN ORCHARD"
declare -A word=([A]=PELICAN [B]=ZEPPELIN) other=([A]=B [B]=A) shot
for m in "${machines[@]}"; do
    capture "$m" "$work/${m,,}.png"
    within 10 "$m did not file its capture" \
        bash -c "ls '${set_folder[$m]}' | grep '^Image_' | grep -qvxF '${shot[A]:-}'"
    shot[$m]=$(ls "${set_folder[$m]}" | grep '^Image_' | grep -vxF "${shot[A]:-}")
    [[ ${shot[$m]} =~ $mark ]] || fail "$m named its capture ${shot[$m]}"
done
[ "${shot[A]#Image_*_*_}" != "${shot[B]#Image_*_*_}" ] || fail "both machines marked their names alike"
for m in "${machines[@]}"; do
    o=${other[$m]}
    within 20 "${shot[$m]} did not reach $o whole" same_on_both "${shot[$m]}"
    within 10 "$o did not list ${shot[$m]}" listed "$o" "^${shot[$m]}$"
    within 60 "$o's Find did not find ${word[$m]}" found "$o" "${word[$m]}" "${set_folder[$o]}/${shot[$m]}"
done

# Both machines capturing in the same second: every picture is on both, none replaced.
mkdir "$work/burst"
"$helper" pictures "$work/burst" 160 120 9
at_second_start() { until [[ $EPOCHREALTIME =~ \.0[0-4] ]]; do sleep 0.005; done; }
for round in 1 2 3; do
    at_second_start
    capture A "$work/burst/pic_0$((2 * round - 1)).png" &
    on_a=$!
    capture B "$work/burst/pic_0$((2 * round)).png" &
    wait $on_a $!
    for m in "${machines[@]}"; do
        within 10 "$m did not file burst $round" \
            bash -c "[ \$(ls '${set_folder[$m]}' | grep -c '^Image_') -ge $((2 + round)) ]"
    done
done
for m in "${machines[@]}"; do
    within 30 "not every picture reached $m" \
        bash -c "[ \$(ls '${set_folder[$m]}' | grep -c '^Image_') -eq 8 ]"
done
[ "$(ls "${set_folder[A]}")" = "$(ls "${set_folder[B]}")" ] ||
    fail "the two copies differ: $(ls "${set_folder[A]}") / $(ls "${set_folder[B]}")"
for name in $(ls "${set_folder[A]}"); do same_on_both "$name" || fail "$name differs between the machines"; done
# Each machine filed its own pictures of the bursts, in order (the mark left out of the names).
for m in "${machines[@]}"; do
    mkdir -p "$work/filed/$m"
    for name in $(ls "${set_folder[A]}" | grep "^Image_.*_${shot[$m]##*_}\$" | grep -vxF "${shot[$m]}"); do
        cp "${set_folder[A]}/$name" "$work/filed/$m/${name%_*}.jpg"
    done
done
"$helper" check "$work/filed/A" 1,3,5 || fail "A's pictures of the bursts were lost or replaced"
"$helper" check "$work/filed/B" 2,4,6 || fail "B's pictures of the bursts were lost or replaced"

# A capture on A until B lists it, against Syncthing's own part: from A's file to B's.
# arrival FOLDER BEFORE: the clock when a screenshot not among BEFORE is in FOLDER (looked for
# 30 s at most).
arrival() {
    local deadline=$((SECONDS + 30))
    while ! ls "$1" | grep '^Image_' | grep -qvxF -f "$2"; do
        [ $SECONDS -le $deadline ] || return 1
        sleep 0.01
    done
    echo "$EPOCHREALTIME"
}
whole=() syncthing_part=() vistrelle_part=()
for n in 7 8 9; do
    ls "${set_folder[A]}" >"$work/before"
    newline=$(ls "${set_folder[A]}" | grep '^Image_' | sed 's/[.]/[.]/g' | paste -sd '|')
    on B "${walker[@]}" appears "$main_title" "Image Files" "^(?!(\* )?($newline)$)Image_" >"$work/listed" &
    listing=$!
    arrival "${set_folder[A]}" "$work/before" >"$work/on_a" &
    arrival "${set_folder[B]}" "$work/before" >"$work/on_b" &
    until_true "B's walker did not begin" grep -q looking "$work/listed"
    start=$EPOCHREALTIME
    capture A "$work/burst/pic_0$n.png"
    wait "$listing" || fail "B did not list capture $n"
    within 20 "capture $n did not reach B" test -s "$work/on_b"
    whole+=("$(bc <<<"$(tail -n 1 "$work/listed") - $start")")
    syncthing_part+=("$(bc <<<"$(cat "$work/on_b") - $(cat "$work/on_a")")")
    vistrelle_part+=("$(bc <<<"${whole[-1]} - ${syncthing_part[-1]}")")
done
median() { printf '%s\n' "$@" | sort -g | sed -n 2p; }
echo "REPORT: capture on A until listed on B: median $(median "${whole[@]}") s;" \
    "Syncthing's part (A's file to B's): median $(median "${syncthing_part[@]}") s;" \
    "Vistrelle's (filing on A, listing on B): median $(median "${vistrelle_part[@]}") s;" \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"

# A delete on A goes to A's trash; B's list follows Syncthing's removal, without a message.
gone=$(lines A "Image Files" | sed -n 's/^\* //p')
[ -n "$gone" ] || fail "A selected no line"
xdotool windowactivate --sync "$(wait_window "$main_title")" key --clearmodifiers alt+f Delete
answer_box
within 10 "A's delete did not reach its trash" test -f "$work/A/data/Trash/files/$gone"
within 20 "B kept $gone" test ! -e "${set_folder[B]}/$gone"
within 10 "B still listed $gone" unlisted B "^\(\* \)\?$gone$"
[ -z "$(DISPLAY=${display[B]} xdotool search --onlyvisible --name '^Vistrelle$' 2>/dev/null)" ] ||
    fail "B showed a message box on the removal"
[ -z "$(find "$work/B/data" -type f 2>/dev/null)" ] || fail "B's trash took: $(find "$work/B/data" -type f)"
[ "$(lines B Category)" = "Default Category" ] || fail "B offered: $(lines B Category)"

# A rename on A is followed on B, whose index knows the picture by its bytes: no new picture,
# the words read before found under the new name.
# known NAME: what B's index holds of the picture of the file NAME, and how many pictures it knows.
known() {
    index B "SELECT p.id, hex(p.hash), p.state, p.attempts FROM files f JOIN pictures p ON p.id = f.picture
             WHERE CAST(f.path AS TEXT) LIKE '%/$1'; SELECT count(*) FROM pictures"
}
before=$(known "${shot[A]}")
[ "$(wc -l <<<"$before")" -eq 2 ] || fail "B's index did not know ${shot[A]}"
mv "${set_folder[A]}/${shot[A]}" "${set_folder[A]}/Pelican harbour.jpg"
within 20 "B did not list the rename" listed B "^Pelican harbour.jpg$"
within 10 "B still listed ${shot[A]}" unlisted B "${shot[A]}"
same_on_both "Pelican harbour.jpg" || fail "the renamed picture differs on B"
within 10 "B's Find did not know the renamed picture" found B PELICAN "${set_folder[B]}/Pelican harbour.jpg"
[ "$(known "Pelican harbour.jpg")" = "$before" ] ||
    fail "B took the renamed picture for another: $before / $(known "Pelican harbour.jpg")"
# A move into another Image Set on A: B offers the new Image Set and its list lets the picture go.
other_set="${shots[A]}/Vistrelles/Default Category/Other Set"
mkdir "$other_set"
mv "${set_folder[A]}/Pelican harbour.jpg" "$other_set/"
within 20 "the move did not reach B" cmp -s "$other_set/Pelican harbour.jpg" \
    "${shots[B]}/Vistrelles/Default Category/Other Set/Pelican harbour.jpg"
within 10 "B still listed the moved picture" unlisted B "Pelican harbour.jpg"
offers() { [ "$(lines "$1" "Image Set")" = "$2" ]; }
within 10 "B did not offer the new Image Set" offers B $'Default Image Set\nOther Set'

# Each machine's own stays its own: no settings or index in the library; a second Vistrelle on
# A's library, with settings and an index of its own, is refused.
for m in "${machines[@]}"; do
    [ -z "$(find "${shots[$m]}" -name '*.ini' -o -name '*.sqlite')" ] || fail "$m's library holds settings or an index"
done
mkdir -p "$work/A2/program" "$work/A2/cache"
cp "${program[A]}"/vistrelle* "$work/A2/program/"
on A env XDG_CACHE_HOME="$work/A2/cache" "$work/A2/program/vistrelle" "${shots[A]}" >"$work/A2.log" 2>&1 &
second=$!
wait_window '^Vistrelle$' >/dev/null
on A "${walker[@]}" names '^Vistrelle$' | grep 'already running' >/dev/null ||
    fail "the second start said: $(on A "${walker[@]}" names '^Vistrelle$')"
answer_box
wait_exit "$second" >/dev/null
kill -0 "${app[A]}" || fail "A's Vistrelle ended with the second start"

# A's end leaves B's spool as it is: B's running mark stays while B runs. (A picture copied in
# after the end and then removed, gone on B, shows that Syncthing has passed on what the end
# changed: it removes files after it brings new ones.)
DISPLAY=${display[A]} close_window "$(wait_window "$main_title")"
wait_exit "${app[A]}" || fail "closing A failed: $(cat "$work/A/run.log")"
[ -e "${shots[B]}/Vistrelles/.vistrelle-spool/running" ] || fail "B's spool holds no running mark"
cp "$work/seed.png" "${set_folder[A]}/After.png"
within 20 "a picture copied in after A's end did not reach B" same_on_both After.png
rm "${set_folder[A]}/After.png"
within 20 "a picture removed after A's end stayed on B" test ! -e "${set_folder[B]}/After.png"
[ -e "${shots[B]}/Vistrelles/.vistrelle-spool/running" ] || fail "A's end removed B's running mark"
DISPLAY=${display[B]} close_window "$(DISPLAY=${display[B]} wait_window "$main_title")"
wait_exit "${app[B]}" || fail "closing B failed: $(cat "$work/B/run.log")"
