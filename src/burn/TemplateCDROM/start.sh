#!/bin/sh
# Opens the album on this medium: in the viewer that lies beside this script where it can
# start (a Linux machine with Qt 6), otherwise as a page in the default browser.
ordner=$(cd "$(dirname "$0")" && pwd)
if "$ordner/Pixolud" --help >/dev/null 2>&1; then
  exec "$ordner/Pixolud" "/Grundpfad=$ordner"
fi
exec xdg-open "$ordner/index.html"
