#!/usr/bin/env bash
# Takes the README's screenshots: the main window on the demo album under Xvfb, with
# the photo panel's context menu open, and the demo album exported as a CD folder in
# headless Chromium (docs/browser.png). Needs xvfb, xdotool, imagemagick and chromium.
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

# The CD folder in a browser, on its second picture.
(cd "$arbeit/album" && find . -iname '*.jpg' | sed 's|^\./||' | sort) > "$arbeit/liste.txt"
QT_QPA_PLATFORM=offscreen "$build/pixoluda-schreiber" export cd "$arbeit/album" "$arbeit/liste.txt" "$arbeit/cd"
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --hide-scrollbars --user-data-dir="$arbeit/profil" \
  --window-size=1280,800 --virtual-time-budget=3000 --screenshot="$arbeit/browser.png" \
  "file://$arbeit/cd/index.html?tasten=Space" 2>/dev/null
convert "$arbeit/browser.png" -resize 960x "$(dirname "$ziel")/browser.png"
echo "$(dirname "$ziel")/browser.png"
