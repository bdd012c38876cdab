#!/usr/bin/env bash
# Takes the README's screenshot: the main window on the demo album under Xvfb, with
# the photo panel's context menu open. Needs xvfb, xdotool and imagemagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
build=${PIXOLUDA_BUILD:-$root/build}
ziel=${1:-$root/docs/hauptfenster.png}
arbeit=$(mktemp -d)
trap 'kill "${programm:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$arbeit"' EXIT
"$build/demoalbum" "$arbeit/album" >/dev/null
anzeige=:97
Xvfb "$anzeige" -screen 0 1024x700x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$anzeige XDG_CONFIG_HOME="$arbeit/konfig" HOME="$arbeit"
"$build/Pixolud" /Edit "/Grundpfad=$arbeit/album" >/dev/null 2>&1 &
programm=$!
sleep 2
fenster=$(xdotool search --name Pixoluda | head -1)
xdotool windowfocus --sync "$fenster"
xdotool key F6
sleep 0.5
xdotool mousemove 700 420 click 3
sleep 1
mkdir -p "$(dirname "$ziel")"
import -window root "$arbeit/voll.png"
convert "$arbeit/voll.png" -resize 75% -colors 192 "$ziel"
echo "$ziel"
