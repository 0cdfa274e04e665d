#!/usr/bin/env bash
# The program's memory for one picture, read from outside as the peak of its resident size
# (VmHWM, its high-water mark set back before each picture: exact, however busy the machine):
# a picture costs at most its decoded pixels (4 bytes each) and the bytes it came as, plus
# 64 MB; a program that sends without end costs at most the 256 MB the transfer may bring, plus
# the same, and one message, and what it sent is given back as it is told. A 3840x2160
# screenshot, a PNG carrying 30 MB of words and a 1920x60,000 page.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"
helper=$2

install_program "$1"
mkdir -p "$set_folder" "$work/pictures"
"$helper" pictures "$work/pictures" 3840 2160 1 || fail "could not make the screenshot"
"$helper" worded "$work/pictures/worded.png" 30 || fail "could not make the picture with words"
"$helper" page "$work/pictures/page.png" 1920 60000 || fail "could not make the page"

# A sanitised build keeps what is freed in a quarantine, which would count here: without it, its
# figures are the program's and its shadow memory, one byte for each eight.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=0
shadow=1
[[ $(ldd "$program/vistrelle") == *libasan* ]] && shadow=9/8

"$program/vistrelle" >"$work/run.log" 2>&1 &
app=$!
main=$(wait_window '^Vistrelle \(JPG\)$')

kilobytes() { awk -v field="$1:" '$1 == field {print $2}' "/proc/$app/status"; }
# mark: the high-water mark set back to the resident size now, which is kept in $before.
mark() {
    echo 5 >"/proc/$app/clear_refs" || fail "the high-water mark could not be set back"
    before=$(kilobytes VmRSS)
}
# peak_within WHAT MEGABYTES: the peak since the mark rose by at most MEGABYTES (and the shadow).
peak_within() {
    local rise=$((($(kilobytes VmHWM) - before) / 1024)) allowed=$(($2 * $shadow))
    echo "$1: $rise MB at the peak, $allowed MB allowed"
    [ "$rise" -le "$allowed" ] || fail "$1 took $rise MB at the peak, more than $allowed MB"
}
megabytes() { echo $((($(stat -c %s "$1") + 1048575) / 1048576)); }
# files COUNT: waits up to two minutes until the Image Set holds COUNT screenshots, whole.
files() {
    for _ in $(seq 1200); do
        [ "$(find "$set_folder" -name 'Image_*' | wc -l)" -ge "$1" ] && [ -z "$(find "$set_folder" -name '.*')" ] &&
            return 0
        sleep 0.1
    done
    fail "expected $1 screenshots, found: $(ls -A "$set_folder")"
}

mark
"$helper" owner endless &
owner=$!
wait_window '^Vistrelle$' >/dev/null
kill "$owner"
peak_within "a transfer without end" $((256 + 64))
# The owner's window going as it is killed may end a look at the windows with an X error.
for _ in $(seq 10); do
    boxes=$(xdotool search --onlyvisible --name '^Vistrelle$' 2>&1)
    [[ $boxes == *rror* ]] || break
done
[ "$(grep -c '^[0-9]' <<<"$boxes")" -eq 1 ] || fail "not one message: $boxes"
# What it read goes back to the system as it is told, not when the transfer is forgotten 10 s on.
for _ in $(seq 50); do
    held=$((($(kilobytes VmRSS) - before) / 1024))
    [ "$held" -le 64 ] && break
    sleep 0.1
done
echo "a transfer without end: $held MB still held once told"
[ "$held" -le 64 ] || fail "the transfer without end left $held MB held"
answer_box

copied=0
idle=$(kilobytes VmRSS)
# copy FILE WIDTH HEIGHT: FILE filed, within its decoded pixels, its bytes and 64 MB; a bitmap,
# as large as the pixels and written whole from memory, counts as well.
copy() {
    # The worker lets go of a picture's buffers a second after it: each picture's peak its own.
    for _ in $(seq 100); do
        [ "$(kilobytes VmRSS)" -le $((idle + 16384)) ] && break
        sleep 0.1
    done
    mark
    xclip -selection clipboard -t image/png -i "$1"
    copied=$((copied + 1))
    files "$copied"
    local bitmap=0 filed
    filed=$(ls -t "$set_folder"/Image_* | head -n 1)
    [[ $filed == *.bmp ]] && bitmap=$(megabytes "$filed")
    peak_within "$(basename "$1") as $(basename "$filed")" \
        $(($2 * $3 * 4 / 1048576 + $(megabytes "$1") + bitmap + 64))
}
copy "$work/pictures/pic_01.png" 3840 2160
copy "$work/pictures/worded.png" 640 480
copy "$work/pictures/page.png" 1920 60000

# The page filed as a bitmap, which the window then decodes whole: the program no longer holds
# the capture's buffers by then.
close_window "$main"
wait_exit "$app" || fail "closing failed: $(cat "$work/run.log")"
printf 'IMAGEFORMAT=BMP\r\n' >>"$program/Vistrelle.ini"
"$program/vistrelle" >"$work/bitmaps.log" 2>&1 &
app=$!
wait_window '^Vistrelle \(BMP\)$' >/dev/null
idle=$(kilobytes VmRSS)
copy "$work/pictures/page.png" 1920 60000
