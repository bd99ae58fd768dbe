#!/usr/bin/env bash
# Checks that the code includes only along the layering arrows
#   app → ui → settings, resources → config        app, cli → settings → config
# and that the core and the command-line program use no Qt header. Prints each include against
# them as FILE:LINE: what is wrong, and exits 1 when there is one.
# Usage: check_include_direction.sh SOURCE_ROOT
set -euo pipefail
cd "$1"

folders=()
for folder in config settings resources ui cli; do
    [ -d "$folder" ] && folders+=("$folder")
done

grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include' "${folders[@]}" |
    awk '
    BEGIN {
        # The project folders each folder may include from; a name without a folder is its own.
        allowed["config"] = "config"
        allowed["settings"] = "settings config"
        allowed["resources"] = "resources config"
        allowed["ui"] = "ui settings resources config"
        allowed["cli"] = "cli settings resources config"
        without_qt["config"]; without_qt["settings"]; without_qt["cli"]
        found = 0
    }
    {
        split($0, place, ":")
        file = place[1]
        split(file, parts, "/")
        folder = parts[1]
        quoted = match($0, /#[[:space:]]*include[[:space:]]*"[^"]*"/)
        if (quoted) {
            name = substr($0, RSTART, RLENGTH)
            sub(/^[^"]*"/, "", name); sub(/"$/, "", name)
            if (index(name, "/") == 0) next
            split(name, name_parts, "/")
            if (index(" " allowed[folder] " ", " " name_parts[1] " ") == 0) {
                printf "%s:%s: %s/ includes \"%s\", but may include only from %s\n",
                    file, place[2], folder, name, allowed[folder]
                found = 1
            }
        } else if ((folder in without_qt) &&
                   match($0, /<(Qt[A-Za-z]*\/|Q[A-Z][A-Za-z]*>|q[a-z0-9_]*\.h>)/)) {
            printf "%s:%s: %s/ includes the Qt header %s, but uses no Qt\n",
                file, place[2], folder, substr($0, RSTART, RLENGTH)
            found = 1
        }
    }
    END { exit found }'
