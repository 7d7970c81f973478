#!/usr/bin/env bash
# Installs what building and testing Glazier needs on Debian, and only what is missing: as root
# through apt-get, otherwise by saying what to install. Quick and silent when nothing is missing.
set -euo pipefail

# Each row: the Debian package, then the file or command whose absence means it is missing.
requirements=(
  "make                      cmd:make"
  "cmake                     cmd:cmake"
  "g++                       cmd:g++"
  "libgtest-dev              file:/usr/include/gtest/gtest.h"
  "g++-mingw-w64-x86-64      cmd:x86_64-w64-mingw32-g++"
  "wine                      cmd:wine"
  "wine64                    file:/usr/lib/wine/wine64"
  "xvfb                      cmd:Xvfb"
  "xdotool                   cmd:xdotool"
  # The cases run under a window manager as well, as users run Glazier; xprop and xwininfo tell
  # when it is up.
  "openbox                   cmd:openbox"
  "twm                       cmd:twm"
  "xfonts-base               file:/usr/share/fonts/X11/misc/fonts.alias"
  "x11-utils                 cmd:xprop"
  "x11-apps                  cmd:xwd"
  "imagemagick               cmd:import"
  "fonts-noto-cjk            glob:/usr/share/fonts/opentype/noto/NotoSansCJK-*"
  # scripts/wine-fonts.sh maps the dialogs' face to IPAPGothic, drawn to its metrics, with
  # fontconfig's tools; DejaVu Sans is its fallback.
  "fonts-ipafont-gothic      file:/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"
  "fonts-dejavu-core         file:/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
  "fontconfig                cmd:fc-match"
  "locales                   file:/usr/share/i18n/locales/ja_JP"
  # Wine draws its caption buttons with the Marlett font of this package.
  "fonts-wine                glob:/usr/share/wine/fonts/marlett.ttf"
  # Wine loads these X extensions at run time; without recommended packages nothing pulls them.
  "libxrender1               glob:/usr/lib/*/libXrender.so.1"
  "libxrandr2                glob:/usr/lib/*/libXrandr.so.2"
  "libxcursor1               glob:/usr/lib/*/libXcursor.so.1"
  "libxi6                    glob:/usr/lib/*/libXi.so.6"
  "libxinerama1              glob:/usr/lib/*/libXinerama.so.1"
  "libxcomposite1            glob:/usr/lib/*/libXcomposite.so.1"
  "libxfixes3                glob:/usr/lib/*/libXfixes.so.3"
  # make dist packs the release with zip; its check in make test reads it back with unzip.
  "zip                       cmd:zip"
  "unzip                     cmd:unzip"
)

present() {
  local kind=${1%%:*} what=${1#*:}
  case $kind in
    cmd) command -v "$what" >/dev/null 2>&1 ;;
    file) [[ -e $what ]] ;;
    glob) compgen -G "$what" >/dev/null ;;
  esac
}

missing=()
for row in "${requirements[@]}"; do
  read -r package probe <<<"$row"
  present "$probe" || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  echo "Glazier needs these Debian packages, which are missing:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "bootstrap: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
