#!/bin/sh
# cmake --install into a fresh prefix: every file in its place, the launchers valid,
# and the installed program starts from there.
set -eu
build=$1
ziel=$(mktemp -d)
trap 'rm -rf "$ziel"' EXIT
p="$ziel/p"
cmake --install "$build" --prefix "$p" >/dev/null
for datei in bin/Pixolud lib/pixoluda/Pixolud lib/pixoluda/jpegtran lib/pixoluda/Pixolud.html \
    lib/pixoluda/TemplateCDROM/Pixolud lib/pixoluda/TemplateCDROM/start.sh \
    share/applications/pixoluda.desktop share/applications/pixoluda-betrachter.desktop \
    share/icons/hicolor/scalable/apps/pixoluda.svg share/man/man1/Pixolud.1; do
    [ -e "$p/$datei" ] || { echo "fehlt: $datei"; exit 1; }
done
grep -qx "Exec=$p/bin/Pixolud /Edit" "$p/share/applications/pixoluda.desktop"
grep -qx "Exec=$p/bin/Pixolud" "$p/share/applications/pixoluda-betrachter.desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$p"/share/applications/*.desktop
fi
"$p/bin/Pixolud" --help | grep -q "/Grundpfad="
# Started for a moment on an empty album: still running when stopped means it came up.
mkdir "$ziel/album"
set +e
XDG_CONFIG_HOME="$ziel/konfig" QT_QPA_PLATFORM=offscreen timeout 3 "$p/bin/Pixolud" "/Grundpfad=$ziel/album" >/dev/null 2>&1
code=$?
set -e
[ "$code" -eq 124 ] || { echo "Pixolud endete mit $code"; exit 1; }
echo "installiert und gestartet"
