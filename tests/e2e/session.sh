#!/usr/bin/env bash
# shellcheck disable=SC2317  # cleanup and display_ready run from a trap and from wait_for
# Runs a command inside a Wine session for Glazier: a display (a private Xvfb when there is none),
# a private Wine prefix under the build folder whose wineserver stays up for the whole command,
# and a Japanese locale. Everything it starts, it stops again; nothing else is touched.
#
#   tests/e2e/session.sh COMMAND [ARGS...]
#
# The command sees DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES, LANG, and
# GLAZIER_SESSION=1 (GLAZIER_PRIVATE_DISPLAY=1 too when the display is ours).
# GLAZIER_BUILD_DIR chooses the build folder (default: build/ in the repository), GLAZIER_DESKTOP
# the Wine desktop (WxH for a virtual desktop, the default 1280x1024, or none), GLAZIER_WINEPREFIX
# the prefix (default: build/wineprefix), GLAZIER_WM a window manager to run on the session's own
# display (openbox or twm; Wine's windows then sit among its own, with no virtual desktop),
# GLAZIER_DPI the screen's DPI in it (unset: as it is),
# GLAZIER_LANG the locale (default ja_JP.UTF-8), and GLAZIER_FONTS=none leaves a new prefix as a
# user's fresh one is: no substitution for the dialogs' face (scripts/wine-fonts.sh not run).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${GLAZIER_BUILD_DIR:-$root/build}
mkdir -p "$build"
build=$(cd "$build" && pwd)

if [[ $# -eq 0 ]]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi

session_dir=$(mktemp -d "${TMPDIR:-/tmp}/glazier-session.XXXXXX")
xvfb_pid=
wm_pid=
server_up=

log() { echo "session: $*" >&2; }

cleanup() {
  local status=$?
  if [[ -n $server_up ]]; then
    # Ends every Wine process of this prefix, and only of this prefix.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  if [[ -n $wm_pid ]]; then
    kill "$wm_pid" 2>/dev/null || true
    wait "$wm_pid" 2>/dev/null || true
  fi
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$session_dir"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits until a command succeeds, at most $1 seconds.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Locale: a private one compiled under build/ when the system lacks it, so that Wine runs with
# a Japanese system locale (code page 932) by default without changing the machine.
export LANG=${GLAZIER_LANG:-ja_JP.UTF-8}
unset LC_ALL LANGUAGE
if ! locale -a 2>/dev/null | grep -qix "${LANG%%.*}\\.utf-\\?8"; then
  locales=$build/locale
  if [[ ! -d $locales/$LANG ]]; then
    mkdir -p "$locales"
    localedef -i "${LANG%%.*}" -f UTF-8 "$locales/$LANG" >/dev/null 2>&1 ||
      log "could not compile the $LANG locale (package locales); Wine falls back to C"
  fi
  export LOCPATH=$locales
fi

# Display.
if [[ -z ${DISPLAY:-} ]]; then
  # -displayfd makes Xvfb pick a free display and report it once it accepts connections.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$session_dir/display" >"$session_dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  display_ready() { grep -q . "$session_dir/display" 2>/dev/null || ! kill -0 "$xvfb_pid" 2>/dev/null; }
  wait_for 30 display_ready || true
  number=$(tr -dc 0-9 <"$session_dir/display")
  if [[ -z $number ]]; then
    log "Xvfb did not start:"
    cat "$session_dir/xvfb.log" >&2
    exit 1
  fi
  export DISPLAY=:$number
  export GLAZIER_PRIVATE_DISPLAY=1
  log "virtual display $DISPLAY (Xvfb pid $xvfb_pid)"
fi

# Window manager: on the session's own display only, never on a user's.
if [[ -n ${GLAZIER_WM:-} ]]; then
  if [[ -z ${GLAZIER_PRIVATE_DISPLAY:-} ]]; then
    log "GLAZIER_WM=$GLAZIER_WM needs a display of the session's own: unset DISPLAY"
    exit 2
  fi
  # Ready once it has made a window of its own (twm) or said who it is (openbox).
  wm_command=("$GLAZIER_WM")
  if [[ $GLAZIER_WM == twm ]]; then
    # twm waits for a click to place each new window unless told to place them itself.
    printf 'RandomPlacement\nUsePPosition "on"\n' >"$session_dir/twmrc"
    wm_command+=(-f "$session_dir/twmrc")
  fi
  "${wm_command[@]}" >"$session_dir/wm.log" 2>&1 &
  wm_pid=$!
  wm_ready() {
    ! kill -0 "$wm_pid" 2>/dev/null || xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window ||
      [[ $(xwininfo -root -children 2>/dev/null | grep -c '^ *0x') -gt 0 ]]
  }
  wait_for 30 wm_ready || true
  if ! kill -0 "$wm_pid" 2>/dev/null; then
    log "$GLAZIER_WM did not start:"
    cat "$session_dir/wm.log" >&2
    exit 1
  fi
  log "window manager $GLAZIER_WM (pid $wm_pid)"
  export GLAZIER_DESKTOP=none
fi

# Wine prefix.
export WINEPREFIX=${GLAZIER_WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES=mscoree,mshtml=
export WINEARCH=win64
# A server left by an interrupted session of this same prefix would still talk to a display that
# is gone.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
server_up=1

# Imports registry settings into the prefix.
import_reg() {
  printf 'REGEDIT4\n\n%s\n' "$1" >"$session_dir/settings.reg"
  wine regedit /S "$(winepath -w "$session_dir/settings.reg")" >/dev/null 2>&1
}

changed=
if [[ ! -f $WINEPREFIX/.glazier-ready ]]; then
  log "preparing the Wine prefix $WINEPREFIX (once)"
  started=$SECONDS
  rm -f "$WINEPREFIX/.glazier-desktop" "$WINEPREFIX/.glazier-dpi"
  wineboot -i >"$session_dir/wineboot.log" 2>&1 || {
    cat "$session_dir/wineboot.log" >&2
    exit 1
  }
  # No crash dialog: a crashing program must end, not wait for a click.
  import_reg '[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000'
  # Wine draws caption buttons, scroll arrows and check marks with its Marlett font, which this
  # Wine build does not find where Debian's fonts-wine puts it.
  for marlett in /usr/share/wine/fonts/marlett.ttf /usr/share/fonts/truetype/wine/marlett.ttf; do
    if [[ -f $marlett ]]; then
      cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
      break
    fi
  done
  if [[ ${GLAZIER_FONTS:-} != none && -x $root/scripts/wine-fonts.sh ]]; then
    "$root/scripts/wine-fonts.sh"
  fi
  touch "$WINEPREFIX/.glazier-ready"
  changed=1
  log "prefix ready in $((SECONDS - started)) s"
fi

# Desktop: a virtual desktop of that size (the default, what the tests use: Wine then draws the
# frames and keeps the stacking itself, with or without a window manager), or "none" for
# Wine's windows to sit among the user's own.
desktop=${GLAZIER_DESKTOP:-1280x1024}
if [[ $(cat "$WINEPREFIX/.glazier-desktop" 2>/dev/null) != "$desktop" ]]; then
  if [[ $desktop == none ]]; then
    import_reg '[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"=-'
  else
    import_reg '[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="'"$desktop"'"'
  fi
  echo "$desktop" >"$WINEPREFIX/.glazier-desktop"
  changed=1
fi
# DPI: Wine takes the screen's DPI from the user's LogPixels. DpiScalingVer makes it honour each
# program's declared DPI awareness as Windows does: without it Wine treats every program as
# per-monitor aware, and an unaware one would read real pixels too.
if [[ -n ${GLAZIER_DPI:-} && $(cat "$WINEPREFIX/.glazier-dpi" 2>/dev/null) != "$GLAZIER_DPI" ]]; then
  import_reg '[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:'"$(printf %08x "$GLAZIER_DPI")"'
"DpiScalingVer"=dword:00001018'
  echo "$GLAZIER_DPI" >"$WINEPREFIX/.glazier-dpi"
  log "screen of $GLAZIER_DPI DPI in $WINEPREFIX"
  changed=1
fi
if [[ -n $changed ]]; then
  # The desktop is set up by the first program of a server: start afresh with the new settings.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p </dev/null >/dev/null 2>&1
fi

# Start Wine's background services now, with no terminal or pipe of ours: started later by a
# test, they would hold its output pipe open for the rest of the session.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

export GLAZIER_SESSION=1
set +e
"$@"
status=$?
set -e
exit "$status"
