#!/usr/bin/env bash
# make dist: packs the glazier.exe that make build made (the one make test tests) with the
# Japanese readme into DIST/glazier-<version>-win64.zip, and writes DIST/SHA256SUMS. The same
# sources give the same bytes: fixed times, order and modes, and no extra fields in the zip.
#
#   scripts/dist.sh [BUILD [DIST]]    (defaults: build/ in the repository, BUILD/dist)
#
# The files are dated by SOURCE_DATE_EPOCH (seconds since 1970) where it is set, else by the last
# commit; with neither, as in a tree without git, it stops. In git it refuses a tree with changes
# not committed (untracked files too, ignored ones not), which the last commit does not describe,
# unless GLAZIER_DIST_DIRTY=1.
set -euo pipefail

# Physical, as git names its top level.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)
build=${1:-$root/build}
dist=${2:-$build/dist}
exe=$build/win/glazier.exe
if [[ ! -f $exe ]]; then
  echo "missing $exe: build first (make build)" >&2
  exit 1
fi

# Only DLLs that Windows always takes from System32, its known DLLs: the compiler's runtime is
# linked in, and a DLL that Windows looks for beside the program first (Common Controls and
# whatever it loads, the theming library, ...) is loaded at run time, from System32.
foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' |
  grep -Eivx '(kernel32|user32|gdi32|shell32|advapi32|msvcrt)\.dll' || true)
if [[ -n $foreign ]]; then
  echo "$exe imports DLLs that are not among Windows' known DLLs:" $foreign >&2
  exit 1
fi
# Nor a function that Windows 7, the oldest system the manifest names, lacks: there the program
# would not start at all. These are the later ones that a program like this one, or its compiler's
# runtime, comes to use; Glazier looks them up at run time where it uses them.
newer_than_windows7=(SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory
  GetSystemTimePreciseAsFileTime WaitOnAddress WakeByAddressSingle WakeByAddressAll
  GetCurrentThreadStackLimits SetThreadDescription GetThreadDescription CreateFile2
  SetCoalescableTimer GetDpiForWindow GetDpiForSystem GetSystemMetricsForDpi
  SystemParametersInfoForDpi AdjustWindowRectExForDpi EnableNonClientDpiScaling
  SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext
  GetWindowDpiAwarenessContext AreDpiAwarenessContextsEqual SetDialogDpiChangeBehavior
  SetDialogControlDpiChangeBehavior GetDpiForMonitor SetProcessDpiAwareness)
newer=$(x86_64-w64-mingw32-objdump -p "$exe" |
  sed -n 's/^\t[0-9a-f]\+\t \+[0-9]\+  \([A-Za-z_].*\)$/\1/p' |
  grep -Fx "$(printf '%s\n' "${newer_than_windows7[@]}")" || true)
if [[ -n $newer ]]; then
  echo "$exe imports functions that Windows 7 lacks:" $newer >&2
  exit 1
fi

# The version of the version resource, and the home page that the version box links to, as the
# program has it: the C++ literal with its escapes \\ and \" read.
version=$(sed -n 's/^ *VALUE "ProductVersion", "\([0-9.]*\)"$/\1/p' "$root/res/glazier.rc")
homepage=
literal='kHomePageUrl = "(([^"\\]|\\.)*)";'
while IFS= read -r line; do
  if [[ $line =~ $literal ]]; then
    homepage=${BASH_REMATCH[1]//"\\\""/"\""}
    homepage=${homepage//"\\\\"/"\\"}
  fi
done <"$root/res/templates.h"
if [[ -z $version || -z $homepage ]]; then
  echo "no version in res/glazier.rc or no kHomePageUrl in res/templates.h" >&2
  exit 1
fi
name=glazier-$version-win64.zip

# Git only where the tree is a checkout of its own: a copy unpacked inside another repository
# would otherwise be dated, and judged, by that repository.
in_git=
if [[ $(git -C "$root" rev-parse --show-toplevel 2>/dev/null) == "$root" ]] &&
  git -C "$root" rev-parse -q --verify HEAD >/dev/null; then
  in_git=1
fi
if [[ -n $in_git && ${GLAZIER_DIST_DIRTY:-} != 1 ]]; then
  # Untracked files count too: the build takes every source in its folders.
  changed=$(git -C "$root" --no-optional-locks status --porcelain)
  if [[ -n $changed ]]; then
    echo "make dist: the tree has changes not committed, which the release would carry under the" \
      "last commit's date:" >&2
    echo "$changed" | head -n 10 >&2
    echo "Commit them, or pack anyway with GLAZIER_DIST_DIRTY=1." >&2
    exit 1
  fi
fi

# Every file dated by SOURCE_DATE_EPOCH or the last commit, in UTC, which zip stores.
epoch=${SOURCE_DATE_EPOCH:-}
if [[ -z $epoch && -n $in_git ]]; then
  epoch=$(git -C "$root" log -1 --format=%ct)
fi
if [[ ! $epoch =~ ^[0-9]+$ ]]; then
  if [[ -z $epoch ]]; then
    echo "make dist: cannot date the files: $root is not a git checkout with a commit, and" \
      "SOURCE_DATE_EPOCH is not set (the seconds since 1970 the release should carry)" >&2
  else
    echo "make dist: SOURCE_DATE_EPOCH must be seconds since 1970, not \"$epoch\"" >&2
  fi
  exit 1
fi
export TZ=UTC

stage=$(mktemp -d "${TMPDIR:-/tmp}/glazier-dist.XXXXXX")
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/glazier.exe"
# UTF-8 with a byte-order mark and CRLF line ends, which Notepad shows right on any Windows, from
# a source with LF or CRLF line ends. The quoted replacements are taken as they are: no character
# of the address means anything to the substitution.
readme=
IFS= read -r -d '' readme <"$root/res/README.ja.txt" || true
readme=${readme//$'\r\n'/$'\n'}
readme=${readme//$'\n'/$'\r\n'}
readme=${readme//@VERSION@/"$version"}
readme=${readme//@HOMEPAGE@/"$homepage"}
printf '\xef\xbb\xbf%s' "$readme" >"$stage/README.txt"
chmod 0755 "$stage/glazier.exe"
chmod 0644 "$stage/README.txt"
touch -d "@$epoch" "$stage/glazier.exe" "$stage/README.txt"
(cd "$stage" && zip -q -X -D -9 "$stage/$name" glazier.exe README.txt)

mkdir -p "$dist"
rm -f "$dist"/glazier-*-win64.zip
mv "$stage/$name" "$dist/$name"
(cd "$dist" && sha256sum "$name" >SHA256SUMS)
echo "wrote $dist/$name ($(stat -c %s "$dist/$name") bytes) and $dist/SHA256SUMS"
