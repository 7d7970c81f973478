#!/usr/bin/env bash
# Gives a Wine prefix a font for the dialogs' face "ＭＳ Ｐゴシック", which Wine does not ship.
#
#   WINEPREFIX=... scripts/wine-fonts.sh
#
# Glazier needs no such entry: where its dialogs' face is missing it picks an installed Japanese
# face itself and fits the panel to it. The entry is how the tests see the panel in the metrics
# it was laid out for. Without one Wine would stand a font of the system locale in for the face:
# one of other metrics under ja_JP, a Latin font without Japanese glyphs under any other locale. Noto Sans CJK alone is 1.45 em high, which
# makes every dialog unit 40 % taller than with the intended face and the page buttons overlap.
# IPAPGothic (fonts-ipafont-gothic) is drawn to the intended face's metrics, so the templates'
# texts fit their controls; it is the first choice. Failing that, DejaVu Sans (a little wider)
# with Japanese glyphs linked from Noto Sans CJK JP, and last Noto Sans CJK JP alone.
# Changes only the prefix's registry.
set -euo pipefail

: "${WINEPREFIX:?set WINEPREFIX to the prefix to configure}"

face_exists() { fc-list "$1" family 2>/dev/null | grep -q .; }

# reg.exe reads its arguments in the Unix locale's encoding: make it UTF-8 whatever the caller's.
reg() { LC_ALL=C.UTF-8 wine reg "$@" >/dev/null 2>&1; }

substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'

cjk_face="Noto Sans CJK JP"
if face_exists "IPAPGothic"; then
  target="IPAPGothic"
elif ! face_exists "$cjk_face"; then
  echo "wine-fonts: neither IPAPGothic nor $cjk_face found (install fonts-ipafont-gothic);" \
    "Japanese text may not render" >&2
  exit 0
elif face_exists "DejaVu Sans"; then
  target="DejaVu Sans"
  cjk_file=$(basename "$(fc-match -f '%{file}' "$cjk_face")")
  reg add "$links" /v "$target" /t REG_MULTI_SZ /d "$cjk_file,$cjk_face" /f
else
  target=$cjk_face
fi
for face in "ＭＳ Ｐゴシック" "MS PGothic"; do
  reg add "$substitutes" /v "$face" /t REG_SZ /d "$target" /f
done
echo "wine-fonts: ＭＳ Ｐゴシック -> $target" >&2
