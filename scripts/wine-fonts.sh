#!/usr/bin/env bash
# Gives a Wine prefix a font for the dialogs' face "ＭＳ Ｐゴシック", which Wine does not ship.
#
#   WINEPREFIX=... scripts/wine-fonts.sh
#
# Without an entry Wine picks a font by the system locale: Noto Sans CJK JP under ja_JP, a Latin
# font without Japanese glyphs under any other locale. Noto Sans CJK alone is 1.45 em high, which
# makes every dialog unit 40 % taller than with the intended face and the page buttons overlap.
# So the face is mapped to DejaVu Sans (1.16 em), and Japanese glyphs come from Noto Sans CJK JP
# through Wine's font linking. Without DejaVu Sans the face maps to Noto Sans CJK JP directly.
# Needs fonts-noto-cjk; changes only the prefix's registry.
set -euo pipefail

: "${WINEPREFIX:?set WINEPREFIX to the prefix to configure}"

face_exists() { fc-list "$1" family 2>/dev/null | grep -q .; }

cjk_face="Noto Sans CJK JP"
if ! face_exists "$cjk_face"; then
  echo "wine-fonts: $cjk_face not found (install fonts-noto-cjk); Japanese text may not render" >&2
  exit 0
fi
cjk_file=$(basename "$(fc-match -f '%{file}' "$cjk_face")")

# reg.exe reads its arguments in the Unix locale's encoding: make it UTF-8 whatever the caller's.
reg() { LC_ALL=C.UTF-8 wine reg "$@" >/dev/null 2>&1; }

substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'

if face_exists "DejaVu Sans"; then
  target="DejaVu Sans"
  reg add "$links" /v "$target" /t REG_MULTI_SZ /d "$cjk_file,$cjk_face" /f
else
  target=$cjk_face
fi
for face in "ＭＳ Ｐゴシック" "MS PGothic"; do
  reg add "$substitutes" /v "$face" /t REG_SZ /d "$target" /f
done
echo "wine-fonts: ＭＳ Ｐゴシック -> $target, Japanese glyphs from $cjk_face" >&2
