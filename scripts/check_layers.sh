#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or when a core folder
# (or velmora-calc's Qt-free part) includes Qt. The layers, lowest first:
#   entry <- model <- io, graph <- edit <- dialogs, app; platform implements the Qt interfaces.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A allowed=(
    [entry]="entry"
    [model]="model entry"
    [io]="io model entry"
    [graph]="graph model entry"
    [edit]="edit io graph model entry"
    [platform]="platform io graph model entry"
    [dialogs]="dialogs platform edit io graph model entry"
    [app]="app dialogs platform edit io graph model entry"
    [calc]="calc edit platform io graph model entry"
)
# velmora-calc's drawing half; the rest of the tool must start without Qt.
calc_qt_files="calc/GraphRender.h calc/GraphRender.cpp calc/ReportRender.h calc/ReportRender.cpp calc/RenderMain.cpp"
core="entry model io graph edit"

status=0
for folder in "${!allowed[@]}"; do
    for file in "$folder"/*.h "$folder"/*.cpp; do
        [ -e "$file" ] || continue
        while IFS= read -r included; do
            layer=${included%%/*}
            if [[ " ${allowed[$folder]} " != *" $layer "* ]]; then
                echo "layers: $file includes $included, a layer above $folder" >&2
                status=1
            fi
        done < <(sed -n 's/^#include "\([a-z]*\/[^"]*\)".*/\1/p' "$file")
        qt_free=0
        [[ " $core " == *" $folder "* ]] && qt_free=1
        [[ $folder == calc && " $calc_qt_files " != *" $file "* ]] && qt_free=1
        if [ $qt_free = 1 ]; then
            if grep -Eq '^#include <Q[A-Za-z]*>' "$file"; then
                echo "layers: $file includes Qt, which its layer does not use" >&2
                status=1
            fi
            if [ "$folder" = calc ] && grep -Eq '^#include "(platform|edit|graph)/' "$file"; then
                echo "layers: $file is part of velmora-calc's Qt-free half but includes drawing code" >&2
                status=1
            fi
        fi
    done
done
# Within the window's folder the parts form no circle: no two of them include each other.
for file in app/*.h app/*.cpp; do
    own=${file%.*}
    while IFS= read -r included; do
        other=${included%.h}
        [ "$other" = "$own" ] && continue
        if grep -q "^#include \"$own.h\"" "$other.h" "$other.cpp" 2>/dev/null; then
            echo "layers: $own and $other include each other" >&2
            status=1
        fi
    done < <(sed -n 's/^#include "\(app\/[^"]*\.h\)".*/\1/p' "$file")
done
[ $status = 0 ] && echo "layers: every include points down"
exit $status
