#!/usr/bin/env bash
# make dist: packs the glazier.exe that make build made (the one make test tests) with the
# Japanese readme into DIST/glazier-<version>-win64.zip, and writes DIST/SHA256SUMS. The same
# sources give the same bytes: fixed times, order and modes, and no extra fields in the zip.
#
#   scripts/dist.sh [BUILD [DIST]]    (defaults: build/ in the repository, BUILD/dist)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
dist=${2:-$build/dist}
exe=$build/win/glazier.exe
if [[ ! -f $exe ]]; then
  echo "missing $exe: build first (make build)" >&2
  exit 1
fi

# Only the DLLs of Windows itself: the compiler's runtime is linked in.
foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' |
  grep -Eivx '(kernel32|user32|gdi32|comctl32|uxtheme|shell32|advapi32|winmm|msvcrt)\.dll' || true)
if [[ -n $foreign ]]; then
  echo "$exe needs DLLs that Windows does not have: $foreign" >&2
  exit 1
fi

# The version of the version resource, and the home page that the version box links to.
version=$(sed -n 's/^ *VALUE "ProductVersion", "\([0-9.]*\)"$/\1/p' "$root/res/glazier.rc")
homepage=$(sed -n 's/.*kHomePageUrl = "\([^"]*\)";$/\1/p' "$root/res/templates.h")
if [[ -z $version || -z $homepage ]]; then
  echo "no version in res/glazier.rc or no kHomePageUrl in res/templates.h" >&2
  exit 1
fi
name=glazier-$version-win64.zip

# Every file dated by the last commit (or SOURCE_DATE_EPOCH), in UTC, which zip stores.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)}
export TZ=UTC

stage=$(mktemp -d "${TMPDIR:-/tmp}/glazier-dist.XXXXXX")
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/glazier.exe"
# UTF-8 with a byte-order mark and CRLF line ends, which Notepad shows right on any Windows.
{
  printf '\xef\xbb\xbf'
  sed -e "s|@VERSION@|$version|g; s|@HOMEPAGE@|$homepage|g; s/\$/\r/" "$root/res/README.ja.txt"
} >"$stage/README.txt"
chmod 0755 "$stage/glazier.exe"
chmod 0644 "$stage/README.txt"
touch -d "@$epoch" "$stage/glazier.exe" "$stage/README.txt"
(cd "$stage" && zip -q -X -D -9 "$stage/$name" glazier.exe README.txt)

mkdir -p "$dist"
rm -f "$dist"/glazier-*-win64.zip
mv "$stage/$name" "$dist/$name"
(cd "$dist" && sha256sum "$name" >SHA256SUMS)
echo "wrote $dist/$name ($(stat -c %s "$dist/$name") bytes) and $dist/SHA256SUMS"
