#!/usr/bin/env bash
# The release zip of make dist: it holds the tested glazier.exe byte for byte, which starts from
# there to its panel, and README.txt in UTF-8 with a byte-order mark and CRLF line ends; making
# it again gives the same bytes, and so does a copy of the tree off git dated by
# SOURCE_DATE_EPOCH. Without a date, or in a tree with changes not committed, make dist stops.
# Runs inside the tests' Wine session (CTest's dist.zip).
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
# make dist without its build step (-o build): the build is the one under test, which may be a
# developer's with changes not committed yet.
make_dist() {
  env -u MAKEFLAGS -u MAKELEVEL GLAZIER_DIST_DIRTY=1 make -s -C "$root" -o build dist BUILD="$build"
}

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
# make dist packed it, so it imports only DLLs that Windows always takes from System32 and no
# function that Windows 7 lacks; an exe that imports Common Controls, which loads more before the
# program's first line from wherever it finds them first, it refuses.
echo "ok    glazier.exe imports" $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p')
mkdir -p "$build/dist-imports/win"
cp "$build/win/glazier_win32_tests.exe" "$build/dist-imports/win/glazier.exe"
said=$(GLAZIER_DIST_DIRTY=1 "$root/scripts/dist.sh" "$build/dist-imports" 2>&1) &&
  fail "make dist packed an exe that imports COMCTL32.dll"
[[ $said == *"known DLLs: COMCTL32.dll" ]] || fail "make dist, given an exe that imports COMCTL32.dll, said: $said"
# Nor one that imports a function Windows 7 lacks, which would not start there.
cp "$build/win/glazier_newer_import.exe" "$build/dist-imports/win/glazier.exe"
said=$(GLAZIER_DIST_DIRTY=1 "$root/scripts/dist.sh" "$build/dist-imports" 2>&1) &&
  fail "make dist packed an exe that imports SetDefaultDllDirectories"
[[ $said == *"Windows 7 lacks: SetDefaultDllDirectories" ]] ||
  fail "make dist, given an exe that imports SetDefaultDllDirectories, said: $said"
# A link time in the PE header would make every clean build differ from the tested one.
pe=$(od -An -tu4 -j 60 -N 4 "$exe" | tr -d ' ')
[[ $(od -An -tu4 -j $((pe + 8)) -N 4 "$exe" | tr -d ' ') == 0 ]] || fail "glazier.exe has a link time"

readme=$unpacked/README.txt
[[ $(head -c 3 "$readme" | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "README.txt has no BOM"
iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null || fail "README.txt is not valid UTF-8"
# One CR before each LF: a CRLF source turned into CR CR LF fails too.
! grep -qvE $'(^|[^\r])\r$' "$readme" || fail "README.txt has a line that does not end in one CRLF"
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

# A copy of what make dist reads, under the build folder (inside this checkout, which must not
# date it), with a home page that means something to sed: off git it stops without
# SOURCE_DATE_EPOCH, and with it packs the address as the program has it. Committed at that time
# as a checkout of its own, it gives the same bytes; changed, it is refused unless told.
copy=$build/dist-copy/tree
out=$build/dist-copy/out
rm -rf "$build/dist-copy"
mkdir -p "$copy/scripts" "$copy/res"
cp "$root/scripts/dist.sh" "$copy/scripts/"
cp "$root/res/glazier.rc" "$root/res/README.ja.txt" "$copy/res/"
printf 'inline constexpr const char* kHomePageUrl = "%s";\n' 'https://x.example/?a=1&b=2|c\\d' \
  >"$copy/res/templates.h"
copy_dist() { env -u GLAZIER_DIST_DIRTY "$@" "$copy/scripts/dist.sh" "$build" "$out" 2>&1; }
epoch=1700000000
said=$(copy_dist -u SOURCE_DATE_EPOCH) && fail "make dist off git without SOURCE_DATE_EPOCH packed"
[[ $said == *SOURCE_DATE_EPOCH* ]] || fail "make dist off git without a date said: $said"
copy_dist SOURCE_DATE_EPOCH=$epoch >/dev/null || fail "make dist off git with SOURCE_DATE_EPOCH failed"
copied=$out/$(basename "$zip")
unzip -p "$copied" README.txt | grep -qF 'https://x.example/?a=1&b=2|c\d'$'\r' ||
  fail "README.txt does not give the home page as written"
mv "$copied" "$out/off-git.zip"
git -C "$copy" init -q
git -C "$copy" add .
GIT_COMMITTER_DATE="@$epoch +0000" git -C "$copy" -c user.name=dist -c user.email=dist@localhost \
  -c commit.gpgsign=false commit -q -m copy
copy_dist -u SOURCE_DATE_EPOCH >/dev/null || fail "make dist in a clean checkout failed"
cmp "$copied" "$out/off-git.zip" || fail "the checkout dated by its commit gave other bytes"
echo >>"$copy/res/README.ja.txt"
said=$(copy_dist -u SOURCE_DATE_EPOCH) && fail "make dist packed a tree with changes not committed"
[[ $said == *GLAZIER_DIST_DIRTY=1* ]] || fail "make dist in a changed tree said: $said"
copy_dist GLAZIER_DIST_DIRTY=1 >/dev/null || fail "make dist with GLAZIER_DIST_DIRTY=1 failed"
echo "ok    $(basename "$zip"): $(stat -c %s "$zip") bytes, made twice alike"
