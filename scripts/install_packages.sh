#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need.
# Does nothing when all of them are present already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-image-formats-plugins libcups2-dev
  libpng-dev libjpeg62-turbo-dev zlib1g-dev
  fonts-ipafont-gothic fontconfig libfontconfig-dev
  fonts-ipafont-mincho fonts-noto-cjk fonts-motoya-l-maruberi fonts-kouzan-mouhitsu
  libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  clang libclang-rt-14-dev
  qt6-translations-l10n libdeflate-dev libical-dev libxcb1-dev
  gcc-multilib g++-multilib qemu-user
  xvfb openbox picom xdotool x11-utils imagemagick
  poppler-utils ghostscript
  dpkg-dev man-db desktop-file-utils appstream
  libheif-dev liblcms2-dev libjxl-dev
  libheif-examples libimage-exiftool-perl libjpeg-turbo-progs
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
