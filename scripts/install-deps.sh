#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, and nothing
# when all are present. Works without a terminal and as root without sudo.
set -euo pipefail

packages=(
  g++ make cmake pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libjpeg62-turbo-dev libturbojpeg0-dev libexif-dev libexiv2-dev libheif-dev
  libgtest-dev
  fonts-dejavu-core fonts-liberation2
  chromium ffmpeg
  syncthing curl jq
  qt6-multimedia-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == *"install ok installed"* ]] || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q </dev/null
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
