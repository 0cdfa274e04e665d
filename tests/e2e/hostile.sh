#!/usr/bin/env bash
# The clipboard as a hostile world fills it: palette pictures of different colours are all
# filed; owners that never answer (the picture, or anything at all), announce pieces and send
# none, stop midway or send without end never hold the window (it answers pings throughout), are
# each told once (those that stop within 10 s: their 5 s of silence, on a busy machine), and the
# next picture is filed;
# keepers that put the emptied picture back after 600 ms or 2 s give one file; a picture whose
# writing a kill cut short is filed at the restart.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"
helper=$2

install_program "$1"
mkdir -p "$set_folder" "$work/flat" "$work/filed"
# Pictures 1 to 10 at 64x64 are their colour's block alone: as 1920x1080 palette PNGs, stored
# uncompressed so that each is sent in pieces.
"$helper" pictures "$work/flat" 64 64 10 || fail "could not make the palette pictures"
for picture in "$work"/flat/pic_*.png; do
    convert "$picture" -scale '1920x1080!' -define png:compression-level=0 "PNG8:$picture" ||
        fail "could not make $picture a palette picture"
done
"$helper" pictures "$work" 640 480 7 || fail "could not make the pictures"

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')

count() { find "$set_folder" -name 'Image_*' | wc -l; }
# filed COUNT: waits up to 20 s until the Image Set holds COUNT screenshots, then checks that
# they are pictures 1 to COUNT and moves them away.
filed() {
    for _ in $(seq 200); do
        [ "$(count)" -ge "$1" ] && break
        sleep 0.1
    done
    sleep 0.5
    "$helper" check "$set_folder" "$1" || fail "not filed as copied: $(ls "$set_folder" | tr '\n' ' ')"
    mv "$set_folder"/Image_* "$work/filed/"
}

for picture in "$work"/flat/pic_*.png; do
    xclip -selection clipboard -t image/png -i "$picture"
    sleep 0.3
done
filed 10

# boxes: the message boxes on screen, looked for again when a window that went meanwhile (an
# owner's, a transfer's) ended xdotool with an X error.
boxes() {
    local found
    for _ in $(seq 10); do
        found=$(xdotool search --onlyvisible --name '^Vistrelle$' 2>&1)
        [[ $found == *rror* ]] || break
    done
    grep -c '^[0-9]' <<<"$found"
}
copied=0
for mode in never hung silent stops endless; do
    started=$(date +%s%N)
    "$helper" owner "$mode" &
    owner=$!
    "$helper" ping "$main" 7 >"$work/ping" &
    pinger=$!
    for _ in $(seq "$([ "$mode" = endless ] && echo 1200 || echo 300)"); do
        [ "$(boxes)" -gt 0 ] && break
        sleep 0.1
    done
    told=$((($(date +%s%N) - started) / 1000000))
    [ "$(boxes)" -eq 1 ] || fail "$(boxes) messages about the owner that $mode, not one"
    # Told after its 5 s of silence, not before (a slow owner is waited for), nor long after.
    if [ "$mode" != endless ] && { [ "$told" -lt 5000 ] || [ "$told" -gt 10000 ]; }; then
        fail "the owner that $mode was told after $told ms"
    fi
    wait "$pinger"
    longest=$(cat "$work/ping")
    echo "owner $mode: told after $told ms; the window answered within $longest ms"
    [ "$longest" -lt 1000 ] || fail "the window did not answer for $longest ms while an owner $mode sent"
    answer_box
    for _ in $(seq 100); do
        [ "$(boxes)" -eq 0 ] && break
        sleep 0.1
    done
    kill "$owner"
    copied=$((copied + 1))
    xclip -selection clipboard -t image/png -i "$work/pic_0$copied.png"
    sleep 1
done
filed 5

for delay in 600 2000; do
    "$helper" manager "$work/pic_0$((copied + 1)).png" "$delay" >"$work/manager$delay.log" 2>&1 &
    keeper=$!
    sleep $((delay / 1000 + 4))
    kill "$keeper"
    copied=$((copied + 1))
    restores=$(grep -c restored "$work/manager$delay.log")
    [ "$restores" -eq 1 ] || fail "the keeper at $delay ms put the picture back $restores times"
done
[ "$(count)" -eq 2 ] || fail "the keepers' pictures were filed $(count) times, not once each"
mv "$set_folder"/Image_* "$work/filed/"
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"

# A kill while a picture is written: the picture, still on the clipboard, is filed at the
# restart, once. A large bitmap gives the kill time to come in the middle.
printf 'IMAGEFORMAT=BMP\r\n' >>"$program/Vistrelle.ini"
mkdir "$work/big"
"$helper" pictures "$work/big" 3840 2160 1 || fail "could not make the large picture"
shopt -s nullglob
for attempt in 1 2 3 4 5; do
    "$program/vistrelle" >"$work/killed.log" 2>&1 &
    app=$!
    wait_window '^Vistrelle \(BMP\)$' >/dev/null
    xclip -selection clipboard -t image/png -i "$work/big/pic_01.png"
    deadline=$((SECONDS + 20))
    until parts=("$set_folder"/.Image_*.part) shots=("$set_folder"/Image_*) &&
        [ $((${#parts[@]} + ${#shots[@]})) -gt 0 ] || [ $SECONDS -gt $deadline ]; do :; done
    kill -KILL "$app"
    wait "$app" 2>/dev/null
    parts=("$set_folder"/.Image_*.part)
    [ ${#parts[@]} -gt 0 ] && break
    rm "$set_folder"/Image_*
done
[ ${#parts[@]} -gt 0 ] || fail "no kill came while the picture was written"
"$program/vistrelle" >"$work/restart.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(BMP\)$')
filed 1
parts=("$set_folder"/.Image_*.part)
[ ${#parts[@]} -eq 0 ] || fail "the half-written picture stayed: ${parts[*]}"
close_window "$main"
wait_exit "$app" || fail "closing after the restart failed: $(cat "$work/restart.log")"
