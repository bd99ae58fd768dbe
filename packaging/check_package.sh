#!/usr/bin/env bash
# Builds the Debian package of a build folder into a temporary folder and checks it with lintian:
# any error fails. Usage: check_package.sh BUILD_DIR
set -euo pipefail

build="$(realpath "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for tool_and_package in lintian:lintian file:file dpkg-shlibdeps:dpkg-dev; do
    tool="${tool_and_package%:*}"
    if ! command -v "$tool" >/dev/null; then
        echo "FAILED: $tool is not installed (Debian package ${tool_and_package#*:})"
        exit 1
    fi
done
if ! cpack --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
lintian --fail-on error --tag-display-limit 0 "$work"/*.deb
