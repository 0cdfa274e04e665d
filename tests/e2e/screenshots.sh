# Sourced by the session helpers: checks on the Image Set the program files into, and on the
# program's processes.

# files_in_set COUNT: waits up to 10 s until the Image Set holds COUNT screenshots.
files_in_set() {
    for _ in $(seq 100); do
        [ "$(find "$set_folder" -name 'Image_*' 2>/dev/null | wc -l)" -eq "$1" ] && return 0
        sleep 0.1
    done
    fail "expected $1 screenshots, found: $(ls -A "$set_folder" 2>&1); $(cat "${run_log:-$work/run.log}" 2>/dev/null)"
}

# wait_exit PID: the process's exit status, or a failure when it does not end within 60 s,
# telling what it still shows and where each of its threads waits.
wait_exit() {
    local window shown=""
    for _ in $(seq 600); do
        kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
        sleep 0.1
    done
    for window in $(xdotool search --pid "$1" --onlyvisible 2>/dev/null); do
        shown+=" '$(xdotool getwindowname "$window" 2>/dev/null)'"
    done
    echo "process $1 still shows:${shown:- nothing}"
    command -v gdb >/dev/null && gdb -p "$1" -batch -ex 'thread apply all bt 12' 2>/dev/null | grep -E '^(Thread|#)'
    fail "process $1 did not end"
}
