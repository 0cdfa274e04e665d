# Sourced by the end-to-end tests on KDE Plasma: KWin 5.27 on a virtual output with XWayland, a
# session bus with KDE's portal, in the session waylandsession.sh prepares; the program installed
# with its desktop entry, and helpers to list and focus windows through KWin's scripting.
# Set kde_build (the build folder, installed from) and kde_keys (FakeKeys) before sourcing.

source "$(dirname "${BASH_SOURCE[0]}")/waylandsession.sh"
needs kwin_wayland Xwayland xdotool cmake "KDE Plasma compositor"
desktop_log=$work/kwin.log
kwin_pid=
stop_desktop() { [ -z "$kwin_pid" ] || stop_group "$kwin_pid"; }

# The installed program, found by KWin through its desktop entry, and the tests' key presser,
# allowed KWin's fake input the same way.
prefix=$work/prefix
cmake --install "$kde_build" --prefix "$prefix" >"$work/install.log" 2>&1 || fail "could not install: $(cat "$work/install.log")"
chown -R "$wl_user:" "$prefix"
chmod -R a+rX "$prefix"
installed=$prefix/bin/vistrelle
share "$kde_keys" "$work/keys" 0755
as_user mkdir -p "$work/share/applications" "$work/config" "$work/kwin"
printf '[Desktop Entry]\nType=Application\nName=Vistrelle test keys\nExec=%s\nNoDisplay=true\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n' \
    "$work/keys" | as_user tee "$work/share/applications/vistrelle-test-keys.desktop" >/dev/null
# A custom shortcut running the command as the README has it typed, found on the session's
# PATH, as System Settings (Shortcuts, Add New, Command or Script) makes it: a desktop entry of
# the user's and its key in kglobalshortcutsrc. (An entry naming the program's file by its path
# would be the one KWin finds for the program, without the permission of the program's own.)
session_path=$prefix/bin:/usr/bin:/bin
printf '[Desktop Entry]\nType=Application\nName=Vistrelle capture\nExec=vistrelle --capture-window\nNoDisplay=true\n' |
    as_user tee "$work/share/applications/net.local.vistrelle-capture.desktop" >/dev/null
printf '[net.local.vistrelle-capture.desktop]\n_k_friendly_name=Vistrelle capture\n_launch=Ctrl+Alt+K,none,Vistrelle capture\n' |
    as_user tee "$work/config/kglobalshortcutsrc" >/dev/null
# No screen locker: the session has no idle user to protect.
printf '[Daemon]\nAutolock=false\nLockOnResume=false\n' | as_user tee "$work/config/kscreenlockerrc" >/dev/null
data_dirs=$prefix/share:$work/share:/usr/local/share:/usr/share

# Debian's kwin_wayland carries a file capability that an ordinary user's start refuses; a plain
# copy under the same name runs.
share "$(command -v kwin_wayland)" "$work/kwin/kwin_wayland" 0755
start_session_bus XDG_CURRENT_DESKTOP=KDE WAYLAND_DISPLAY=vistrelle-kwin PATH="$session_path"
# KDE's portal reads the session's variables from the bus's activation environment.
cat >"$work/kwin-session" <<SCRIPT
#!/bin/sh
dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XAUTHORITY XDG_CURRENT_DESKTOP XDG_DATA_DIRS XDG_CONFIG_HOME
env >"$runtime/kwin-child-env.txt"
exec sleep infinity
SCRIPT
chmod 0755 "$work/kwin-session"
kde_env=(PATH="$session_path" XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 XDG_CONFIG_HOME="$work/config"
    XDG_DATA_DIRS="$data_dirs")
as_user env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" XDG_SESSION_TYPE=wayland \
    DBUS_SESSION_BUS_ADDRESS="$session_bus" "${kde_env[@]}" \
    setsid sh -c 'echo $$ >"$0"; exec "$1" --virtual --xwayland --width 1280 --height 720 --socket vistrelle-kwin --exit-with-session "$2"' \
    "$work/kwin.pid" "$work/kwin/kwin_wayland" "$work/kwin-session" >"$work/kwin.log" 2>&1 </dev/null &
for _ in $(seq 600); do [ -s "$runtime/kwin-child-env.txt" ] && break; sleep 0.1; done
kwin_pid=$(cat "$work/kwin.pid" 2>/dev/null)
kwin_env() { sed -n "s/^$1=//p" "$runtime/kwin-child-env.txt"; }
[ -n "$(kwin_env DISPLAY)" ] || fail "KWin did not start with XWayland"
session_ready WAYLAND_DISPLAY=vistrelle-kwin DISPLAY="$(kwin_env DISPLAY)" "${kde_env[@]}"

# kwin_script NAME JAVASCRIPT: runs JAVASCRIPT in KWin; prints what it said (say(text)).
kwin_script() {
    local id mark
    mark="vistrelle-test-$(date +%s%N)"
    printf 'function say(text) { print("%s " + text); }\n%s\n' "$mark" "$2" | as_user tee "$work/$1.js" >/dev/null
    id=$(in_session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
        org.kde.kwin.Scripting.loadScript string:"$work/$1.js" string:"$1" | awk '/int32/ { print $2 }')
    [ -n "$id" ] || fail "KWin did not load the script $1"
    in_session dbus-send --session --print-reply --dest=org.kde.KWin "/$id" org.kde.kwin.Script.run >/dev/null
    in_session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
        org.kde.kwin.Scripting.unloadScript string:"$1" >/dev/null
    sleep 0.2
    sed -n "s/^js: $mark //p" "$work/kwin.log"
}
# windows: "class WxH" for each window KWin shows (X11 class or Wayland app id).
windows() {
    kwin_script windows 'workspace.clientList().forEach(function (c) {
        say(c.resourceClass + " " + c.frameGeometry.width + "x" + c.frameGeometry.height); });'
}
# wait_window_of NAME: waits up to 60 s until a window of NAME exists.
wait_window_of() {
    listed_within 120 0.3 "$1" windows || fail "no window of $1 appeared: $(windows)"
}
# focus NAME: makes the window of NAME the active one.
focus() {
    local active
    for _ in $(seq 20); do
        active=$(kwin_script focus "workspace.clientList().forEach(function (c) {
            if (c.resourceClass == \"$1\") workspace.activeClient = c; });
            say(workspace.activeClient ? workspace.activeClient.resourceClass : \"none\");")
        [ "$active" = "$1" ] && return 0
        sleep 0.3
    done
    fail "$1 did not get the focus (active: $active)"
}
# press KEYS: a real key press in the session ("ctrl+k"). KWin offers its fake input to the
# presser once it has read the presser's desktop entry, which may take a moment at first.
press() {
    for _ in $(seq 60); do
        in_session "$work/keys" "$1" && return 0
        sleep 0.5
    done
    fail "the keys $1 could not be pressed"
}
