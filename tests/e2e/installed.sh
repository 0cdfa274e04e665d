#!/usr/bin/env bash
# An installed program keeps using a library already beside it, or in its former data folder,
# never making a second one in the user's folders (e2e_package shows a fresh install keeping its
# library in the user's pictures folder and its settings in ~/.config/Vistrelle). Run from its
# build folder, the program keeps both beside it.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

build=$1
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
export HOME=$work/home
unset XDG_CONFIG_HOME XDG_DATA_HOME
mkdir -p "$HOME"
lib=$prefix/lib/vistrelle

# run_and_end: starts the installed program, waits for its window, ends it as a logout would.
run_and_end() {
    "$prefix/bin/vistrelle" >"$work/run.log" 2>&1 &
    local pid=$!
    wait_window '^Vistrelle \(JPG\)$' >/dev/null
    kill -TERM "$pid"
    wait_exit "$pid" || fail "the installed program ended badly: $(cat "$work/run.log")"
}

mkdir -p "$lib/Vistrelles/Kept/Shots"
run_and_end
[ -d "$lib/Vistrelles/Kept/Shots" ] && [ -f "$lib/Vistrelle.ini" ] || fail "the library beside the program was not used"
[ ! -e "$HOME/Pictures/Vistrelles" ] && [ ! -e "$HOME/.config/Vistrelle/Vistrelle.ini" ] ||
    fail "a second library or settings file was made beside the one in use"

# Nothing is moved without asking: a library where an earlier system-wide install kept it, in the
# program's data folder, stays in use by the installed program; the program run from a build
# folder keeps its own beside it, and leaves nothing of its look at that folder behind.
rm -rf "$lib/Vistrelles" "$lib/Vistrelle.ini"
former=$HOME/.local/share/Vistrelle
mkdir -p "$former/Vistrelles/Kept/Shots"
run_and_end
[ -f "$former/Vistrelle.ini" ] || fail "the library in the former data folder was not used"
[ ! -e "$HOME/Pictures/Vistrelles" ] && [ ! -e "$HOME/.config/Vistrelle/Vistrelle.ini" ] ||
    fail "a second library or settings file was made beside the former one"
install_program "$build/vistrelle"
"$program/vistrelle" >"$work/run.log" 2>&1 &
built=$!
wait_window '^Vistrelle \(JPG\)$' >/dev/null
kill -TERM "$built"
wait_exit "$built" || fail "the program from the build folder ended badly: $(cat "$work/run.log")"
[ -d "$program/Vistrelles/Default Category" ] && [ -f "$program/Vistrelle.ini" ] ||
    fail "the program from the build folder did not keep its library beside it"
[ -z "$(find "$program" -name '.vistrelle-*')" ] || fail "the build folder holds: $(ls -A "$program")"
