#!/bin/sh
# The start scripts of an exported CD (start.sh and autorun.sh as the build carries them):
# the viewer beside the script when it comes up, the page in the browser when it cannot
# start, nothing more when the user stopped it.
set -u
vorlage=$1/TemplateCDROM
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin" "$tmp/CD Album"
cd "$tmp/CD Album" && cd_ordner=$(pwd) && cd "$tmp" || exit 1
# The browser opener only notes what it was asked to open.
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s/browser"\n' "$tmp" > "$tmp/bin/xdg-open"
chmod +x "$tmp/bin/xdg-open"
PATH="$tmp/bin:$PATH"
export PATH
export XDG_CONFIG_HOME="$tmp/konfig"
fehler=0

# pruefe FALL SKRIPT ERWARTET: runs the script, compares what the viewer and the browser got.
pruefe() {
    rm -f "$tmp/browser" "$tmp/betrachter"
    timeout 60 "$cd_ordner/$2" </dev/null >/dev/null 2>&1
    ist="betrachter: $(cat "$tmp/betrachter" 2>/dev/null) browser: $(cat "$tmp/browser" 2>/dev/null)"
    if [ "$ist" != "$3" ]; then
        echo "$1 ($2): erwartet \"$3\", ist \"$ist\""
        fehler=1
    fi
}

# A stand-in for the viewer: answers --help like the real one, and when started notes
# its arguments and ends with the given status.
betrachter() {
    printf '#!/bin/sh\n[ "$1" = --help ] && exit 0\nprintf "%%s\\n" "$*" >> "%s/betrachter"\nexit %s\n' \
        "$tmp" "$1" > "$cd_ordner/Pixolud"
    chmod +x "$cd_ordner/Pixolud"
}

# What the viewer and the browser are asked to open.
nur_betrachter="betrachter: /Grundpfad=$cd_ordner browser: "
dann_browser="betrachter: /Grundpfad=$cd_ordner browser: $cd_ordner/index.html"
nur_browser="betrachter:  browser: $cd_ordner/index.html"
for skript in start.sh autorun.sh; do
    cp "$vorlage/$skript" "$cd_ordner/$skript"
    betrachter 0
    pruefe "Betrachter läuft" $skript "$nur_betrachter"
    # Qt installed but no display or no working platform plugin: Qt aborts.
    betrachter 134
    pruefe "Betrachter bricht ab" $skript "$dann_browser"
    betrachter 1
    pruefe "Betrachter endet mit Fehler" $skript "$dann_browser"
    # Stopped with Ctrl+C or by the session's end: no browser afterwards.
    betrachter 130
    pruefe "vom Benutzer beendet" $skript "$nur_betrachter"
    betrachter 143
    pruefe "vom System beendet" $skript "$nur_betrachter"
    # A program for another machine, or a medium that carries no execute bits.
    chmod -x "$cd_ordner/Pixolud"
    pruefe "Betrachter nicht ausführbar" $skript "$nur_browser"
    rm -f "$cd_ordner/Pixolud"
    pruefe "kein Betrachter" $skript "$nur_browser"
done

# The real viewer of the build, with Qt present but unable to show a window.
cp "$vorlage/Pixolud" "$cd_ordner/Pixolud"
(
    export QT_QPA_PLATFORM=nichtvorhanden
    pruefe "Qt ohne Plattform" start.sh "$nur_browser"
    exit $fehler
) || fehler=1
(
    unset DISPLAY WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    pruefe "Qt ohne Bildschirm" autorun.sh "$nur_browser"
    exit $fehler
) || fehler=1
[ $fehler -eq 0 ] && echo "Startskripte richtig"
exit $fehler
