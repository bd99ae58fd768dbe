#!/usr/bin/env bash
# The whole program as a process against two baseline programs: a bare Qt dialog and a
# conventional Qt dialog with about the same controls placed by layouts. Each is started, shown
# on the offscreen platform until painted, and closed; RUNS starts each, taken in turns. Reports
# the medians of the wall time, the processor time (user and system) and the peak memory
# (maximum resident set size), and the program's ratios to both.
# Usage: bench/whole_program_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail

build="$(realpath "${1:-build}")/bench"
runs="${2:-20}"
if [ ! -x /usr/bin/time ]; then
    echo "/usr/bin/time is not installed (Debian package time)" >&2
    exit 1
fi
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

# Appends "wall_ms cpu_ms peak_kB" of one run of the command to the file named first: the times
# from the shell to the millisecond, the peak memory from /usr/bin/time -v. The program's own
# messages go to the file named messages.
TIMEFORMAT='%3R %3U %3S'
measure() {
    local out="$1" report="$work/report" times
    shift
    times="$({ time /usr/bin/time -v -o "$report" "$@" > /dev/null 2>> "$work/messages"; } 2>&1)"
    read -r wall user system <<< "$times"
    echo "$wall $user $system $(awk '/Maximum resident set size/ {print $NF}' "$report")" |
        awk '{printf "%.1f %.1f %d\n", $1 * 1000, ($2 + $3) * 1000, $4}' >> "$out"
}

program="$work/program" bare="$work/bare" conventional="$work/conventional"
for _ in $(seq "$runs"); do
    measure "$program" "$build/zurcfg_start_quit"
    measure "$bare" "$build/bare_dialog_start_quit" "$size"
    measure "$conventional" "$build/conventional_dialog_start_quit" "$size"
done

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
medians() { for column in 1 2 3; do cut -d' ' -f"$column" "$1" | median; done | xargs; }

awk -v size="$size" -v runs="$runs" -v p="$(medians "$program")" -v b="$(medians "$bare")" \
    -v c="$(medians "$conventional")" 'BEGIN {
    split(p, pm, " "); split(b, bm, " "); split(c, cm, " ")
    printf "Window %s, %d runs each, medians:\n", size, runs
    printf "%-22s %9s %9s %12s\n", "", "wall ms", "CPU ms", "peak kB"
    printf "%-22s %9.1f %9.1f %12d\n", "ZURcfg_Tool", pm[1], pm[2], pm[3]
    printf "%-22s %9.1f %9.1f %12d\n", "bare QDialog", bm[1], bm[2], bm[3]
    printf "%-22s %9.1f %9.1f %12d\n", "conventional dialog", cm[1], cm[2], cm[3]
    printf "%-22s %8.2fx %8.2fx %11.2fx\n", "ratio to bare", pm[1] / bm[1], pm[2] / bm[2], pm[3] / bm[3]
    printf "%-22s %8.2fx %8.2fx %11.2fx\n", "ratio to conventional", pm[1] / cm[1], pm[2] / cm[2], pm[3] / cm[3]
}'
