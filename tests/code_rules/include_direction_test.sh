#!/usr/bin/env bash
# The include-direction check on a small tree written here: it must report every include
# against the layering, in subfolders too, and none of the allowed ones.
# Usage: include_direction_test.sh CHECKER
set -euo pipefail

checker="$(realpath "$1")"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT

# Writes the lines after the file name into the file, creating its folder.
write() {
    mkdir -p "$tree/$(dirname "$1")"
    printf '%s\n' "${@:2}" > "$tree/$1"
}
write config/record.h '#include <string>' '#include "config/other.h"' '#include "settings/ini.h"'
write config/record.cpp '#include "record.h"' '#include <QString>'
write settings/ini.cpp '#include "config/record.h"' '#include <qglobal.h>'
write resources/texts.cpp '#include "config/record.h"' '#include "settings/ini.h"'
write ui/menu/bar.cpp '#include <QMenuBar>' '#include "resources/texts.h"' '#  include "app/main.h"'
write ui/view.cpp '#include "settings/ini.h"' '#include "cli/command.h"'
write cli/main.cpp '#include "settings/ini.h"' '#include <QtCore/QString>' '#include "ui/view.h"'
write app/main.cpp '#include "ui/view.h"' '#include <QApplication>'

expected='cli/main.cpp:2 cli/main.cpp:3 config/record.cpp:2 config/record.h:3 resources/texts.cpp:2 settings/ini.cpp:2 ui/menu/bar.cpp:3 ui/view.cpp:2'
status=0
report="$("$checker" "$tree")" || status=$?
found="$(cut -d: -f1,2 <<< "$report" | sort | xargs)"
if [ "$status" -ne 1 ] || [ "$found" != "$expected" ]; then
    printf 'FAILED: exit %s, reported:\n%s\nexpected exit 1 and: %s\n' "$status" "$report" "$expected"
    exit 1
fi
echo "Every include against the layering was reported, and only those."
