#!/usr/bin/env bash
# The whole program as a process against a bare Qt dialog program, both started, shown on the
# offscreen platform until painted, and closed: the median wall time and the peak memory
# (maximum resident set size from /usr/bin/time -v) of RUNS starts each, taken in turns.
# Usage: bench/whole_program_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail

build="$(realpath "${1:-build}")/bench"
runs="${2:-20}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
# Qt wants a private runtime folder and warns on every start without one.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# The program's settings as after some use: a name style chosen, so no first-start tip shows.
# Its file name has no extension, so it keeps them in $XDG_CONFIG_HOME/ZURcfg_Tool/file.ini.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/ZURcfg_Tool"
printf '%s\r\n' '[SERVICES]' 'OS_TASKS=6' '[PATHS]' 'path0=/home/user/project/ZURcfg.h' \
    '[SETUP]' 'ZURVERSION=90200' 'ZURVERSIONTIP=0' > "$XDG_CONFIG_HOME/ZURcfg_Tool/file.ini"

size="$("$build/zurcfg_start_quit")"

# Appends "wall_ms peak_kB" of one run of the command to the file named first.
measure() {
    local out="$1" report start end
    shift
    report="$work/report"
    start=$(date +%s%N)
    /usr/bin/time -v -o "$report" "$@" > /dev/null
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000 )) $(awk '/Maximum resident set size/ {print $NF}' "$report")" >> "$out"
}

program="$work/program" bare="$work/bare"
for _ in $(seq "$runs"); do
    measure "$program" "$build/zurcfg_start_quit"
    measure "$bare" "$build/bare_dialog_start_quit" "$size"
done

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
column() { cut -d' ' -f"$1" "$2" | median; }

awk -v size="$size" -v runs="$runs" \
    -v pw="$(column 1 "$program")" -v pm="$(column 2 "$program")" \
    -v bw="$(column 1 "$bare")" -v bm="$(column 2 "$bare")" 'BEGIN {
    printf "Window %s, %d runs each, medians:\n", size, runs
    printf "%-14s wall %7.1f ms   peak memory %7d kB\n", "ZURcfg_Tool", pw / 1000, pm
    printf "%-14s wall %7.1f ms   peak memory %7d kB\n", "bare QDialog", bw / 1000, bm
    printf "%-14s wall %7.2f x    peak memory %7.2f x\n", "ratio", pw / bw, pm / bm
}'
