#!/bin/sh
# Takes the help's screenshots from the real program: starts it on a virtual screen (Xvfb) with
# a window manager (openbox), opens each window with its keys and saves:
#   fenetre.png ouvrir.png enregistrer.png imprimer.png calculatrice.png  (the window alone)
#   editeur.png  (the exercise editor on an exercise of the pack, alone)
#   ecran-aide.png ecran-cours.png  (the whole screen with the help, then the course, open)
# The help's pictures in data/aide/images/ are made so:  tools/help-screenshots.sh data/aide/images
# The open and save dialogs show the folder they start in: the program runs in a pupil's clean
# home, /home/eleve/Montages, mounted for this run alone in a private mount namespace (unshare;
# nothing outside the run sees it), or in a temporary folder where unshare is not allowed.
#
# Usage: tools/help-screenshots.sh OUTPUT-FOLDER [path/to/alambix]
# The program defaults to the first build folder that has one. Needs Xvfb, openbox, xdotool and
# ImageMagick's import.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 1 ]; then
    echo "usage: tools/help-screenshots.sh OUTPUT-FOLDER [path/to/alambix]" >&2
    exit 2
fi
out=$1
program=${2:-}
if [ -z "$program" ]; then
    for candidate in "$root"/build/release/alambix "$root"/build*/alambix "$root"/build/*/alambix; do
        if [ -x "$candidate" ]; then
            program=$candidate
            break
        fi
    done
fi
if [ -z "$program" ] || [ ! -x "$program" ]; then
    echo "help-screenshots: alambix not found; give its path as the second argument" >&2
    exit 2
fi
for tool in Xvfb openbox xdotool import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "help-screenshots: $tool is needed" >&2
        exit 2
    fi
done
mkdir -p "$out"
out=$(cd "$out" && pwd)
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")

# The work folder is made and removed outside the private namespace: there the real /home is
# bound under it, and only the namespace's end takes that away.
if [ -z "${ALAMBIX_SHOTS_WORK:-}" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT INT TERM
    if unshare -rm true 2>/dev/null; then
        status=0
        ALAMBIX_SHOTS_WORK=$work unshare -rm sh "$0" "$out" "$program" || status=$?
        exit "$status"
    fi
    echo "help-screenshots: no private mount namespace (unshare): the dialogs show a temporary folder" >&2
    pupil=$work/eleve
else
    work=$ALAMBIX_SHOTS_WORK
    # The real /home stays reachable under the work folder; a bare /home holds the pupil's.
    mkdir "$work/home"
    mount --bind /home "$work/home"
    mount -t tmpfs -o mode=755 tmpfs /home
    case $out in /home/*) out=$work/home/${out#/home/} ;; esac
    case $program in /home/*) program=$work/home/${program#/home/} ;; esac
    pupil=/home/eleve
fi
mkdir -p "$pupil/Montages"

xvfb='' wm='' app=''
cleanup() {
    for pid in $app $wm $xvfb; do
        kill "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT INT TERM
if [ -z "${ALAMBIX_SHOTS_WORK:-}" ]; then
    trap 'cleanup; rm -rf "$work"' EXIT INT TERM
fi

# A free display: Xvfb writes the number it took.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "help-screenshots: Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(cat "$work/display")
export DISPLAY
# The program in French, as its users see it, whatever this shell's language.
export LC_ALL=C.UTF-8 LANG=fr_FR.UTF-8 QT_QPA_PLATFORM=xcb

openbox >"$work/openbox.log" 2>&1 &
wm=$!
sleep 1
# From the pupil's empty folder: the open and save dialogs start there.
(cd "$pupil/Montages" && HOME=$pupil exec "$program") >"$work/alambix.log" 2>&1 &
app=$!
main=''
for _ in $(seq 100); do
    main=$(xdotool search --onlyvisible --name '^Alambix' 2>/dev/null | head -n 1) || true
    [ -n "$main" ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
[ -n "$main" ] || { echo "help-screenshots: the program did not show its window" >&2; cat "$work/alambix.log" >&2; exit 1; }

settle() { sleep "${1:-1}"; }
# The window that has the focus now, alone.
shoot_window() {
    import -window "$(xdotool getactivewindow)" "$out/$1"
    echo "$out/$1"
}
shoot_screen() {
    import -window root "$out/$1"
    echo "$out/$1"
}
# Opens a window with `keys` over the main window, shoots it, closes it.
shoot_dialog() {
    xdotool windowactivate --sync "$main"
    xdotool key --clearmodifiers "$2"
    settle
    shoot_window "$1"
    xdotool key --clearmodifiers alt+F4
    settle 0.5
}

xdotool windowactivate --sync "$main"
settle
shoot_window fenetre.png
# The main window is wider than the help's text: shown at 560 pixels, it needs no scrolling.
convert "$out/fenetre.png" -resize '560x>' "$out/fenetre.png"
shoot_dialog ouvrir.png alt+o
shoot_dialog enregistrer.png alt+e
shoot_dialog imprimer.png alt+i
shoot_dialog calculatrice.png alt+c

# The help with "&Aide", then the course with "&Voir le cours"; each is a window of its own.
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers alt+a
settle 1.5
shoot_screen ecran-aide.png
xdotool key --clearmodifiers Escape
settle 0.5
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers alt+v
settle 1.5
shoot_screen ecran-cours.png
xdotool key --clearmodifiers alt+F4
settle 0.5
# F1 opens the help, from the calculator too.
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers alt+c
settle
xdotool key F1
settle 1.5
if [ "$(xdotool getactivewindow getwindowname)" != "Aide d'Alambix" ]; then
    echo "help-screenshots: F1 did not open the help" >&2
    exit 1
fi
xdotool key --clearmodifiers alt+F4
settle 0.5

# The exercise editor on the pack's reflux exercise: opened from the exercise window, then
# "Modifier l'exercice…", the last item of the exercise menu; its correction shows the drawing.
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers alt+x
settle 0.5
xdotool key Return
settle 1.5
for _ in 1 2 3 4 5 6; do xdotool key Down; done
settle 0.5
xdotool key Return
settle 1.5
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers alt+x
settle 0.5
xdotool key Up Return
settle 1.5
xdotool key --clearmodifiers alt+c
settle 0.5
shoot_window editeur.png
convert "$out/editeur.png" -resize '640x>' "$out/editeur.png"
xdotool key --clearmodifiers alt+F4
settle 0.5
