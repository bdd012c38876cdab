#!/bin/sh
# Opens the album on this medium: in the viewer that lies beside this script where it can
# start (a Linux machine with Qt 6), otherwise as a page in the default browser.
ordner=$(cd "$(dirname "$0")" && pwd)
# Only starting the viewer tells whether it can show a window: Qt may be installed and
# still find no display or no working platform plugin, and then the viewer ends at once
# with an error. Stopped by the user (Ctrl+C, logout, kill) it is not tried again.
"$ordner/Pixolud" "/Grundpfad=$ordner"
ergebnis=$?
case $ergebnis in
0 | 129 | 130 | 143) exit "$ergebnis" ;;
esac
exec xdg-open "$ordner/index.html"
