#!/usr/bin/env bash
# make run: builds glazier.exe alone (the tests and the end-to-end programs are make test's) and
# starts it under Wine, with Wine's notepad beside it so that the list has a window to act on. On
# the user's display it runs until Glazier is closed. With no display it runs on a private virtual
# display, saves a screenshot of the panel and says where.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GLAZIER_BUILD_DIR:-$root/build}
glazier=$build/win/glazier.exe

# Inside the session of a run with no display: notepad first, so that the first list shows it,
# then Glazier, whose dialog is taken once it has been painted.
if [[ ${1:-} == --screenshot ]]; then
  shots=$build/screenshots
  mkdir -p "$shots"
  # shellcheck source=tests/e2e/screenshot.sh
  source "$root/tests/e2e/screenshot.sh"
  # Waits, at most 60 s, for Wine's window titled $1 (a pattern); prints its X window.
  window_titled() {
    local id
    for _ in $(seq 300); do
      id=$(xdotool search --name "$1" 2>/dev/null | head -n 1) || true
      [[ -n $id ]] && echo "$id" && return 0
      sleep 0.2
    done
    echo "no window titled $1 appeared" >&2
    return 1
  }
  wine notepad.exe &
  window_titled ' - メモ帳$' >/dev/null
  # The pointer out of the way: resting on the panel it would bring up a tooltip.
  read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"
  xdotool mousemove $((screen_width - 1)) $((screen_height - 1))
  wine "$glazier" &
  dialog=$(window_titled '^Glazier$')
  # Where the dialog stands in the window that the screenshot is taken of.
  origin() { xwininfo -id "$1" | sed -n 's/^ *Absolute upper-left [XY]: *//p' | tr '\n' ' '; }
  read -r x y <<<"$(origin "$dialog")"
  read -r dx dy <<<"$(origin "$(desktop_window)")"
  read -r width height <<<"$(xwininfo -id "$dialog" | sed -n 's/^ *\(Width\|Height\): *//p' | tr '\n' ' ')"
  screenshot main $((x - dx)) $((y - dy)) "$width" "$height"
  exit 0
fi

# Configured as make build's own build of the Windows half is, on first use.
if [[ ! -f $build/win/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$build/win" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build/win" --target glazier -j "${JOBS:-2}"

if [[ -n ${DISPLAY:-} ]]; then
  # Wine's windows among the user's own, each framed by the user's window manager.
  export GLAZIER_DESKTOP=none
  # shellcheck disable=SC2016  # $1 is bash -c's own argument
  exec "$root/tests/e2e/session.sh" bash -c 'wine notepad.exe & wine "$1"' glazier "$glazier"
fi

echo "No display: running Glazier beside Wine's notepad on a private virtual display."
"$root/tests/e2e/session.sh" "${BASH_SOURCE[0]}" --screenshot
echo "Screenshot of Glazier listing the windows: $build/screenshots/main.png"
