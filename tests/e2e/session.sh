#!/usr/bin/env bash
# The session ends without the main window being closed (a logout's SIGTERM, a closed terminal's
# SIGHUP, Ctrl+C): the settings, window places included, are saved as closing would save them.
# A settings file that is a link (into a synced folder, through a second link, to a file not
# made yet) is read through it and stays one: the file it leads to gets the text, and no
# temporary is left.
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
