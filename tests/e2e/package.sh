#!/usr/bin/env bash
# The Debian package of this build, made and linted by scripts/package, installed by apt into the
# machine's own /usr (as root only): the menu's entry starts the installed program, which files a
# screenshot into the user's library (settings in ~/.config/Vistrelle, nothing written beside
# itself) and has its reader read it; apt remove and apt purge take every file of the package and
# leave the user's library, settings and index as they were.
set -uo pipefail
source "$(dirname "$0")/x11session.sh"

build=$1
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
"$scripts/package" --built "$build" --out "$work" >"$work/package.log" 2>&1 ||
    fail "scripts/package: $(cat "$work/package.log")"
deb=$(tail -n 1 "$work/package.log")
[ -f "$deb" ] || fail "no package: $(cat "$work/package.log")"
[ "$(id -u)" -eq 0 ] || {
    echo "packaged and linted; installing it into the system needs root: skipped"
    exit 77
}
# A package installed here, or what one left, is someone else's and stays.
if dpkg-query -W vistrelle >/dev/null 2>&1 || [ -e /usr/lib/vistrelle ] || [ -e /usr/share/vistrelle ]; then
    echo "packaged and linted; the vistrelle package or folders on this machine stay: skipped"
    exit 77
fi

# The user's files, where the tests keep them; maintainer scripts run with this HOME too.
export HOME=$work/home
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_DATA_DIRS
mkdir -p "$HOME"
set_folder="$HOME/Pictures/Vistrelles/Default Category/Default Image Set"

# apt_get ARGUMENTS: as a user's apt would, waiting while another apt holds the lock.
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 "$@" >"$work/apt.log" 2>&1 ||
        fail "apt-get $*: $(tail -n 20 "$work/apt.log")"
}
# The system as it was, whatever happens to the test, also what a failing program wrote into
# its folders; the program the menu started is not the test's child, which the session ends.
app=
trap '[ -z "$app" ] || kill -KILL "$app" 2>/dev/null
      DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 purge vistrelle >/dev/null 2>&1
      rm -rf /usr/lib/vistrelle /usr/share/vistrelle
      stop_session' EXIT
apt_get install "$deb"
files=$(dpkg-query -L vistrelle)
beside=$(ls -A /usr/lib/vistrelle)

entry=/usr/share/applications/vistrelle.desktop
desktop-file-validate "$entry" && ! grep -qE '^(NoDisplay|Hidden)=true' "$entry" ||
    fail "menu entry: $(cat "$entry")"
gio launch "$entry" >"$work/launch.log" 2>&1 ||
    fail "the menu could not start Vistrelle: $(cat "$work/launch.log")"
main=$(wait_window '^Vistrelle \(JPG\)$')
app=$(xdotool getwindowpid "$main")
[ "$(readlink "/proc/$app/exe")" = /usr/lib/vistrelle/vistrelle ] ||
    fail "the menu started $(readlink "/proc/$app/exe")"

xclip -selection clipboard -t image/png -i "$work/shot.png"
files_in_set 1
# The installed reader reads it: nothing is left unread.
for _ in $(seq 240); do
    /usr/bin/vistrelle --find anything >/dev/null 2>"$work/note"
    [ ! -s "$work/note" ] && break
    sleep 0.5
done
[ ! -s "$work/note" ] || fail "the installed reader did not read the screenshot: $(cat "$work/note")"

# Not a child of the test: ended as a logout ends it, and gone within a minute.
kill -TERM "$app"
for _ in $(seq 600); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
! kill -0 "$app" 2>/dev/null || fail "the installed program did not end"
[ -f "$HOME/.config/Vistrelle/Vistrelle.ini" ] && [ -n "$(ls -A "$XDG_CACHE_HOME/Vistrelle")" ] ||
    fail "no settings or index: $(find "$HOME" "$XDG_CACHE_HOME")"
# Run by root, who could write there, it wrote nothing into its installed folder.
[ "$(ls -A /usr/lib/vistrelle)" = "$beside" ] || fail "the program wrote beside itself: $(ls -A /usr/lib/vistrelle)"

# user_files: every file and folder of the user's, with its contents.
user_files() {
    find "$HOME" "$XDG_CACHE_HOME" -printf '%y %p\n' | sort
    find "$HOME" "$XDG_CACHE_HOME" -type f -exec md5sum {} + | sort
}
kept=$(user_files)
# Without conffiles a removed package is gone: it is installed again to be purged.
for removal in remove purge; do
    [ "$removal" = remove ] || apt_get install "$deb"
    apt_get "$removal" vistrelle
    [ "$(user_files)" = "$kept" ] ||
        fail "apt-get $removal changed the user's files: $(diff <(echo "$kept") <(user_files))"
    for file in $files; do
        [ -d "$file" ] || [ ! -e "$file" ] || fail "apt-get $removal left $file"
    done
done
[ ! -e /usr/lib/vistrelle ] && [ ! -e /usr/share/vistrelle ] || fail "the package's folders stayed"
