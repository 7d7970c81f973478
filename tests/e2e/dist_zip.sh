#!/usr/bin/env bash
# The release zip of make dist: it holds the tested glazier.exe byte for byte, which starts from
# there to its panel, and README.txt in UTF-8 with a byte-order mark and CRLF line ends; making
# it again gives the same bytes. Runs inside the tests' Wine session (CTest's dist.zip).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${GLAZIER_BUILD_DIR:-$root/build}
exe=$build/win/glazier.exe
unpacked=$build/dist-check

fail() {
  echo "FAIL  $*" >&2
  exit 1
}
# make dist without its build step (-o build): the build is the one under test.
make_dist() { env -u MAKEFLAGS -u MAKELEVEL make -s -C "$root" -o build dist BUILD="$build"; }

make_dist
zips=("$build"/dist/glazier-*-win64.zip)
zip=${zips[0]}
[[ ${#zips[@]} -eq 1 && -f $zip ]] || fail "make dist wrote no one zip in $build/dist"
(cd "$build/dist" && sha256sum --check --quiet SHA256SUMS) || fail "SHA256SUMS is not the zip's"
[[ $(unzip -Z1 "$zip" | tr '\n' ' ') == "glazier.exe README.txt " ]] ||
  fail "the zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
rm -rf "$unpacked"
unzip -q "$zip" -d "$unpacked"

cmp "$unpacked/glazier.exe" "$exe" || fail "the zip's glazier.exe is not the tested $exe"
# A link time in the PE header would make every clean build differ from the tested one.
pe=$(od -An -tu4 -j 60 -N 4 "$exe" | tr -d ' ')
[[ $(od -An -tu4 -j $((pe + 8)) -N 4 "$exe" | tr -d ' ') == 0 ]] || fail "glazier.exe has a link time"

readme=$unpacked/README.txt
[[ $(head -c 3 "$readme" | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "README.txt has no BOM"
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || fail "README.txt is not valid UTF-8"
! grep -qv $'\r$' "$readme" || fail "README.txt has a line that does not end in CRLF"
! grep -q '@[A-Z]*@' "$readme" || fail "README.txt has a placeholder left"

# The unpacked glazier.exe, with the driver beside it, starts to its panel.
cp "$build/win/glazier_e2e.exe" "$build/win/glazier_target.exe" "$unpacked/"
GLAZIER_WIN_DIR=$unpacked "$here/run_case.sh" controls_and_pages

# Seconds later (zip keeps times to two seconds), the same bytes again: no time of the day gets
# into the zip.
cp "$zip" "$unpacked/first.zip"
sleep 2
make_dist
cmp "$zip" "$unpacked/first.zip" || fail "a second make dist gave other bytes"
echo "ok    $(basename "$zip"): $(stat -c %s "$zip") bytes, made twice alike"
