# Sourced by the end-to-end tests after x11session.sh: bursts of pictures copied by the helper,
# and the check that the program filed each one it could read, whatever the machine's load.
helper=${helper:?}

# burst FOLDER MS: copies every picture of FOLDER, MS ms apart, until the last one is emptied
# away; FOLDER/asked tells which the program asked for while on the clipboard. A picture replaced
# before a request for it reached the X server could be read by nobody: the next owner answers
# that request.
burst() {
    timeout 120 "$helper" copies "$2" "$1"/pic_*.png >"$1/asked" ||
        fail "the last picture was not emptied away"
}
# filed FOLDER: waits up to a minute until the Image Set holds as many screenshots as pictures
# of FOLDER the program asked for, and no temporary file; then checks that they are those
# pictures in copy order, each asked for once.
filed() {
    local pictures
    pictures=$(grep ' into VISTRELLE_SELECTION$' "$1/asked" | cut -d ' ' -f 2 | sort -un | tr '\n' ,)
    for _ in $(seq 600); do
        [ "$(find "$set_folder" -name 'Image_*' | wc -l)" -ge "$(tr -cd , <<<"$pictures" | wc -c)" ] &&
            [ -z "$(find "$set_folder" -name '.*')" ] && break
        sleep 0.1
    done
    sleep 1
    twice=$(grep ' into VISTRELLE_SELECTION$' "$1/asked" | sort | uniq -d)
    [ -z "$twice" ] || fail "a picture was asked for twice: $twice"
    "$helper" check "$set_folder" "$pictures" ||
        fail "the burst was not filed whole: $(ls "$set_folder" | tr '\n' ' '), asked for: $pictures"
}
