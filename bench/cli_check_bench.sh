#!/usr/bin/env bash
# zurcfg check over 1,000 headers in one run against cat of the same files: the median wall and
# processor (user + system) time of RUNS runs each, taken in turns, and their ratios.
# Usage: bench/cli_check_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail

zurcfg="$(realpath "${1:-build}")/cli/zurcfg"
runs="${2:-20}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# 1,000 headers as the window writes them, with name tables, each with its own task count.
printf '%s\r\n' '[SERVICES]' 'OS_TASKS=4' 'OS_BSEMS=8' 'OS_ENABLE_ALL=1' '[ADDITIONAL]' \
    'PLATFORM=3' '[SETUP]' 'ZURVERSION=90200' > "$work/defaults.ini"
mkdir "$work/template"
"$zurcfg" new "$work/template" --settings "$work/defaults.ini" 2> /dev/null
# Eight named semaphores with comments, so that the enumeration is read too.
awk '/^#define OS_BSEMS/ {print; print "\r"; print "enum ZUR_BSEMS_ENUM\r"; print "{\r";
         for (i = 1; i <= 8; i++) printf "    SEM_%d%s          // semaphore %d\r\n", i, (i < 8 ? "," : " "), i;
         print "};\r"; next} {print}' "$work/template/ZURcfg.h" > "$work/template.h"
headers=()
for i in $(seq 1000); do
    mkdir "$work/h$i"
    sed "s/^#define OS_TASKS               4/#define OS_TASKS               $((i % 50 + 1))/" \
        "$work/template.h" > "$work/h$i/ZURcfg.h"
    headers+=("$work/h$i/ZURcfg.h")
done
"$zurcfg" check "${headers[@]}" > /dev/null  # all clean, or the comparison means nothing

# Appends "wall_ms cpu_ms" of one run of the command to the file named first.
measure() {
    local out="$1"
    shift
    /usr/bin/time -f '%e %U %S' -o "$work/report" "$@" > /dev/null
    awk '{printf "%.0f %.0f\n", $1 * 1000, ($2 + $3) * 1000}' "$work/report" >> "$out"
}

for _ in $(seq "$runs"); do
    measure "$work/zurcfg" "$zurcfg" check "${headers[@]}"
    measure "$work/cat" cat "${headers[@]}"
done

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
column() { cut -d' ' -f"$1" "$2" | median; }
awk -v runs="$runs" -v zw="$(column 1 "$work/zurcfg")" -v zc="$(column 2 "$work/zurcfg")" \
    -v cw="$(column 1 "$work/cat")" -v cc="$(column 2 "$work/cat")" 'BEGIN {
    printf "1,000 headers, %d runs each, medians:\n", runs
    printf "%-14s wall %7.0f ms   processor %7.0f ms\n", "zurcfg check", zw, zc
    printf "%-14s wall %7.0f ms   processor %7.0f ms\n", "cat", cw, cc
    printf "%-14s wall %7.2f x    processor %7.2f x\n", "ratio", zw / cw, (cc > 0 ? zc / cc : 0)
}'
