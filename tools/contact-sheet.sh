#!/bin/sh
# Builds docs/contact-sheet.png: the seven named set-ups drawn by alambix-cli, labelled, side by
# side, to look the artwork over at a glance.
#
# Usage: tools/contact-sheet.sh [path/to/alambix-cli] [output.png]
# The command line tool defaults to $ALAMBIX_CLI, then to the first build folder that has one.
# Needs ImageMagick's montage.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-${ALAMBIX_CLI:-}}
if [ -z "$cli" ]; then
    for candidate in "$root"/build*/cli/alambix-cli; do
        if [ -x "$candidate" ]; then
            cli=$candidate
            break
        fi
    done
fi
if [ -z "$cli" ] || [ ! -x "$cli" ]; then
    echo "contact-sheet: alambix-cli not found; give its path as the first argument" >&2
    exit 2
fi
if ! command -v montage >/dev/null 2>&1; then
    echo "contact-sheet: ImageMagick's montage is needed" >&2
    exit 2
fi
output=${2:-"$root/docs/contact-sheet.png"}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# name|clicks, in the order a user would click them.
n=0
while IFS='|' read -r name clicks; do
    n=$((n + 1))
    file="$work/$n.png"
    shown=$("$cli" draw --click "$clicks" --output "$file" | sed -n 's/^name: //p')
    if [ "$shown" != "$name" ]; then
        echo "contact-sheet: clicks $clicks give \"$shown\", not \"$name\"" >&2
        exit 1
    fi
    set -- "$@" -label "$name" "$file"
done <<'SETUPS'
Chromatographie sur couche mince|1,12,13
Filtration|0,5
Filtration sous vide|4,6
Décantation|2,7
Distillation|0,3,10,9,11
Entraînement à la vapeur|2,3,9
Chauffage à reflux|3,8
SETUPS

# The arguments given to the script are not pictures: keep only what the loop added.
shift $(( $# - 3 * n ))
mkdir -p "$(dirname "$output")"
montage "$@" -tile 4x2 -geometry +6+6 -pointsize 13 -font DejaVu-Sans -background white "$output"
echo "$output"
