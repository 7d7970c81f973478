#!/usr/bin/env bash
# Runs end-to-end cases: glazier_e2e.exe CASE... under Wine, inside a session (started here when
# the caller has none), taking the screenshots the driver asks for.
#
#   tests/e2e/run_case.sh CASE...
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [[ -z ${GLAZIER_SESSION:-} ]]; then
  exec "$here/session.sh" "$here/run_case.sh" "$@"
fi
# A case that asks for another prefix (GLAZIER_WINEPREFIX, as the DPI cases do) than the session's
# runs in a session of its own, on a display of its own: two Wine desktops on one display would
# cover each other in the screenshots.
if [[ -n ${GLAZIER_WINEPREFIX:-} && $GLAZIER_WINEPREFIX != "${WINEPREFIX:-}" ]]; then
  exec env -u GLAZIER_SESSION -u GLAZIER_PRIVATE_DISPLAY -u DISPLAY \
    "$here/session.sh" "$here/run_case.sh" "$@"
fi

build=${GLAZIER_BUILD_DIR:-$(cd "$here/../.." && pwd)/build}
win=${GLAZIER_WIN_DIR:-$build/win}
shots=$build/screenshots
mkdir -p "$shots"
for exe in glazier.exe glazier_e2e.exe glazier_target.exe; do
  if [[ ! -f $win/$exe ]]; then
    echo "missing $win/$exe: build first (make build)" >&2
    exit 1
  fi
done

# Wine's drive Z: is the root of the file system.
shots_unix=$(cd "$shots" && pwd)
export GLAZIER_SCREENSHOT_DIR="Z:${shots_unix//\//\\}"

# shellcheck source=tests/e2e/screenshot.sh
source "$here/screenshot.sh"

# The driver's output goes through a file, not a pipe: Wine processes that it starts may keep a
# pipe open long after the driver has ended.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
wine "$win/glazier_e2e.exe" "$@" >"$log" 2>&1 &
driver=$!
while IFS= read -r line; do
  if [[ $line == "@screenshot "* ]]; then
    read -r _ name x y width height <<<"$line"
    screenshot "$name" "$x" "$y" "$width" "$height"
  else
    printf '%s\n' "$line"
  fi
done < <(tail -n +1 -s 0.1 -f --pid="$driver" "$log")
status=0
wait "$driver" || status=$?
exit "$status"
