# Sourced by the benchmark scripts: clocks and counts taken without starting a process, so that
# polling every 2 ms costs little, and the figures of a run.
shopt -s nullglob
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# count_files FOLDER: the files that are not hidden temporaries.
count_files() {
    local files=("$1"/[!.]*)
    echo ${#files[@]}
}
# stats: median, lowest and highest of the numbers read.
stats() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)], v[1], v[NR]}'; }
