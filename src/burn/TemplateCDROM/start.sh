#!/bin/sh
# Opens the album on this medium in the viewer that lies beside this script.
ordner=$(cd "$(dirname "$0")" && pwd)
exec "$ordner/Pixolud" "/Grundpfad=$ordner"
