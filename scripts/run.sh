#!/usr/bin/env bash
# make run: Glazier under Wine, with Wine's notepad beside it so that the list has a window to
# act on. On the user's display it runs until Glazier is closed. With no display it runs on a
# private virtual display, saves a screenshot of the panel and says where.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GLAZIER_BUILD_DIR:-$root/build}
glazier=$build/win/glazier.exe
if [[ ! -f $glazier ]]; then
  echo "$glazier is missing: build it first (make build)" >&2
  exit 1
fi

if [[ -n ${DISPLAY:-} ]]; then
  # Wine's windows among the user's own, each framed by the user's window manager.
  export GLAZIER_DESKTOP=none
  # shellcheck disable=SC2016  # $1 is bash -c's own argument
  exec "$root/tests/e2e/session.sh" bash -c 'wine notepad.exe & wine "$1"' glazier "$glazier"
fi

echo "No display: running Glazier on a private virtual display."
"$root/tests/e2e/run_case.sh" panel_screenshot
echo "Screenshot of Glazier listing the windows: $build/screenshots/main.png"
