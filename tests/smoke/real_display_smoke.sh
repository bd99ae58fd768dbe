#!/usr/bin/env bash
# Starts the program on a virtual X display with a prepared settings file, closes its window
# with Esc as a user would, and checks that the program ended and wrote back the settings it
# read. Then it starts it again, types a name, and destroys the window from outside as
# `xdotool windowclose` does: the window must come back with the save-changes question, and No
# must end the program. Usage: real_display_smoke.sh PROGRAM
# The program finds its settings as file.ini in $XDG_CONFIG_HOME/ZURcfg_Tool because its file
# name has no extension. Fails, naming the Debian package, when a tool it drives is missing:
# scripts/setup.sh installs them all.
set -euo pipefail

program="$(realpath "$1")"

if [ -z "${ZURCFG_SMOKE_DISPLAY:-}" ]; then
    for tool_and_package in xvfb-run:xvfb xauth:xauth xdotool:xdotool; do
        tool="${tool_and_package%:*}"
        if ! command -v "$tool" >/dev/null; then
            echo "FAILED: $tool is not installed (Debian package ${tool_and_package#*:})"
            exit 1
        fi
    done
    ZURCFG_SMOKE_DISPLAY=1 exec xvfb-run -a "$0" "$program"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
settings="$work/ZURcfg_Tool/file.ini"
mkdir -p "$(dirname "$settings")"
# A chosen name style, so that no first-start tip comes up.
printf '%s\r\n' '[SERVICES]' 'OS_TASKS=7' 'OS_ENABLE_CSEM=1' '[PATHS]' \
    "path0=$work/project/ZURcfg.h" '[SETUP]' 'ZURVERSION=90200' 'ZURVERSIONTIP=0' > "$settings"

unset QT_QPA_PLATFORM

# Starts the program and waits for its window "ZURcfg: nofile", in $window; the program is $pid.
start_program() {
    XDG_CONFIG_HOME="$work" "$program" &
    pid=$!
    if ! window="$(timeout 20 xdotool search --sync --onlyvisible --name '^ZURcfg: nofile$' | head -n 1)"; then
        kill "$pid" 2>/dev/null || true
        echo "FAILED: no window titled \"ZURcfg: nofile\" appeared"
        exit 1
    fi
}

# Waits up to 10 s for the program to end, then collects it; fails saying after what it did not.
expect_end() {
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        echo "FAILED: the program was still running 10 s after $1"
        exit 1
    fi
    wait "$pid"
}

start_program
xdotool windowfocus --sync "$window" key Escape
expect_end "Esc"

# Written back at the end: the values read, and the sections the prepared file lacked.
status=0
for line in 'OS_TASKS=7' 'OS_ENABLE_CSEM=1' "path0=$work/project/ZURcfg.h" 'ZURVERSION=90200' \
    'ZURVERSIONTIP=0' '[BANKS]'; do
    if ! tr -d '\r' < "$settings" | grep -qxF "$line"; then
        echo "FAILED: the settings file lacks the line $line"
        status=1
    fi
done
[ "$status" -eq 0 ] || exit "$status"

start_program
# From the path box, Tab twice reaches the name edit.
xdotool windowfocus --sync "$window" key Tab Tab type Changed
if ! timeout 10 xdotool search --sync --onlyvisible --name '^ZURcfg: nofile \(\*\)$' >/dev/null; then
    kill "$pid"
    echo "FAILED: typing a name did not mark the window as changed"
    exit 1
fi
xdotool windowclose "$window"
if ! question="$(timeout 10 xdotool search --sync --onlyvisible --name '^Save changes\?$' | head -n 1)"; then
    kill "$pid"
    echo "FAILED: destroying the changed window asked nothing"
    exit 1
fi
if ! timeout 10 xdotool search --sync --onlyvisible --name '^ZURcfg: nofile \(\*\)$' >/dev/null; then
    kill "$pid"
    echo "FAILED: the destroyed window did not come back to ask"
    exit 1
fi
xdotool windowfocus --sync "$question" key n
expect_end "No in the question after the window was destroyed"
echo "The window opened, closed on Esc, and the settings were written back; destroyed with" \
    "changes, it came back to ask and ended on No."
