# Sourced by the session helpers: checks on the Image Set the program files into.

# files_in_set COUNT: waits up to 10 s until the Image Set holds COUNT screenshots.
files_in_set() {
    for _ in $(seq 100); do
        [ "$(find "$set_folder" -name 'Image_*' 2>/dev/null | wc -l)" -eq "$1" ] && return 0
        sleep 0.1
    done
    fail "expected $1 screenshots, found: $(ls -A "$set_folder" 2>&1); $(cat "${run_log:-$work/run.log}" 2>/dev/null)"
}
