#!/usr/bin/env bash
# make bench: measures glazier.exe under Wine on a virtual display of its own, against the floor
# the platform sets, prints the table and writes it to BENCHMARKS.md with the machine it ran on.
#
#   bench/run.sh            (GLAZIER_BENCH_QUICK=1 for a short trial, GLAZIER_BENCH_ONLY=startup
#                            for the start-up alone; both leave BENCHMARKS.md alone)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GLAZIER_BUILD_DIR:-$root/build}
win=${GLAZIER_WIN_DIR:-$build/win}

if [[ -z ${GLAZIER_SESSION:-} ]]; then
  for exe in glazier.exe glazier_bench.exe glazier_bench_windows.exe glazier_bench_floor.exe \
    glazier_bench_bare.exe stand-in/dwmapi.dll; do
    if [[ ! -f $win/$exe ]]; then
      echo "missing $win/$exe: build first (make build)" >&2
      exit 1
    fi
  done
  # Always a private Xvfb, even from a desktop session: its CPU time is part of what is measured,
  # and the prefix is the benchmark's own so that no test shares its Wine server.
  unset DISPLAY
  export GLAZIER_WINEPREFIX=$build/wineprefix-bench
  exec "$root/tests/e2e/session.sh" "${BASH_SOURCE[0]}" "$@"
fi

# The Linux processes named $1 (with $2, only the children of $2), read from /proc so that
# nothing beyond the base system is needed.
processes_named() {
  local name=$1 parent=${2:-} file line comm ppid
  for file in /proc/[0-9]*/stat; do
    { line=$(<"$file"); } 2>/dev/null || continue
    comm=${line#*(}
    comm=${comm%)*}
    read -r _ ppid _ <<<"${line##*) }"
    [[ $comm == "$name" && (-z $parent || $ppid == "$parent") ]] || continue
    file=${file#/proc/}
    echo "${file%/stat}"
  done
}

# Inside the session, whose script is our parent: the X server is its child, and the Wine
# server the one that serves our prefix.
xvfb=$(processes_named Xvfb "$PPID" | head -n 1)
wineserver_pid=
for pid in $(processes_named wineserver64) $(processes_named wineserver); do
  # A process that ends meanwhile takes its environment with it: the redirection fails quietly.
  if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
    wineserver_pid=$pid
  fi
done
if [[ -z $xvfb || -z $wineserver_pid ]]; then
  echo "bench: could not find the session's Xvfb (${xvfb:-?}) or Wine server (${wineserver_pid:-?})" >&2
  exit 1
fi
export GLAZIER_BENCH_XVFB_PID=$xvfb
export GLAZIER_BENCH_WINESERVER_PID=$wineserver_pid
GLAZIER_BENCH_CLK_TCK=$(getconf CLK_TCK)
export GLAZIER_BENCH_CLK_TCK

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if command -v x86_64-w64-mingw32-strip >/dev/null; then
  x86_64-w64-mingw32-strip -o "$work/glazier.exe" "$win/glazier.exe"
  GLAZIER_BENCH_STRIPPED_BYTES=$(stat -c %s "$work/glazier.exe")
  export GLAZIER_BENCH_STRIPPED_BYTES
fi

# The machine, before the run: the load shows how busy the other users of the machine were.
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
system=$(sed -n 's/^PRETTY_NAME="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' /etc/os-release 2>/dev/null)
machine="- CPU: ${cpu:-unknown}, $(nproc) logical cores available, \
$(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) of memory
- System: ${system:-Linux}, Linux $(uname -r), \
$(wine --version 2>/dev/null), Xvfb $(dpkg-query -W -f '${Version}' xvfb 2>/dev/null || echo '?'), \
Wine virtual desktop ${GLAZIER_DESKTOP:-1280x1024}
- Build: $(x86_64-w64-mingw32-g++-posix --version 2>/dev/null | head -n 1 || echo MinGW-w64), \
Release; commit $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo '?')\
$(git -C "$root" diff --quiet HEAD -- 2>/dev/null || echo ' with local changes')
- Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
started=$(date -u '+%Y-%m-%d %H:%M UTC')

# The driver's output goes through a file, not a pipe: Wine processes that it starts may keep a
# pipe open long after it has ended.
log=$work/log
results=$work/results.md
results_windows=$(winepath -w "$results")
: >"$log"
wine "$win/glazier_bench.exe" "$results_windows" >"$log" 2>&1 &
driver=$!
tail -n +1 -s 0.2 -f --pid="$driver" "$log"
status=0
wait "$driver" || status=$?
if [[ $status -ne 0 || ! -s $results ]]; then
  echo "bench: the driver failed (status $status)" >&2
  exit 1
fi

output=$root/BENCHMARKS.md
if [[ (-n ${GLAZIER_BENCH_QUICK:-} && ${GLAZIER_BENCH_QUICK} != 0) || -n ${GLAZIER_BENCH_ONLY:-} ]]; then
  output=$build/BENCHMARKS.quick.md
fi
{
  echo "# Benchmarks"
  echo
  echo "Written by \`make bench\` (bench/run.sh) on $started, on this machine:"
  echo
  echo "$machine"
  echo
  cat "$results"
  echo
  echo "The list refresh, as every figure of Glazier's here, is measured with its cloak check \
answered as on Windows, by a stand-in for the system's DWM library, which Glazier asks once per \
window (see below)."
  echo
  cat <<'EOF'
How it is measured (bench/driver.cpp): glazier.exe runs under Wine on a private Xvfb, beside a
process of ours that holds the listed windows (small popups beside the visible screen, titled with
34 Japanese and Latin characters), so that titles are read across processes as they are from real
programs. The floor of a refresh is the walk over the windows one by one (GetTopWindow,
GetWindow(GW_HWNDNEXT), GetWindowTextW into 2,048 characters, IsWindowVisible for titled windows),
run by the driver over the same windows; Glazier asks for the whole z-order at once, reads the
title only of visible windows and asks the system's DWM library whether each visible titled window
is cloaked. Wine's own library answers that at once (E_NOTIMPL), so the glazier.exe measured, in
every measure, loads a stand-in for it (tests/e2e/stand_in_dwmapi.cpp) from the System32 of the
benchmark's Wine prefix, which answers as Windows does: S_OK and not cloaked, for one request to the Wine server, as Windows' answer is a
call into the system. Glazier asks it once per window and keeps the answer until the system sends
a cloak event for the window (or a refresh no longer asks for it), so the samples, which follow a
first refresh over the same windows, pay for the check only where a window is new. One desktop also holds 1,000 titled windows that are never shown. Each
refresh sample waits until the Wine server and the X server are quiet, then runs a floor pass and
Glazier's refresh one right after the other, and another floor pass once the servers are quiet
again (the selection set again after the refresh leaves them work that would slow a pass taken at
once); the sample's ratio is the refresh against the mean of the two passes, and the table gives the median ratio and the range over
the samples. Glazier holds a selected row throughout, so that no refresh of its own runs in the
middle (the timed one clears it, and it is set again at once), and is made to paint before the
second pass. A refresh is timed from outside with SendMessageW(WM_COMMAND, IDC_REFRESH), which
returns after the handler; the median round trip of a no-op message is taken off. Idle CPU is
utime + stime from /proc of Glazier's Wine process, the Wine server and Xvfb over the whole window,
against the same for a process that runs the floor loop once a second, each Glazier window against
the floor window after it. Start-up is timed from CreateProcess to the window shown (for Glazier
and the bare dialog: with rows in its list), polled every millisecond, and to the first input it
answers: the question asked once the window shows (LB_GETCOUNT of the list, sent from the
driver's process) is answered when the program first reads its queue, where it would read a
user's first click. Each start is made once the machine
has a core and a half free (three seconds' wait at most) and the Wine server and the X server have
gone quiet. Wine now and then starts a process a few hundred milliseconds late when another user
holds the cores, in spells longer than a start. So a run is made of nine pairs of starts, Glazier
and the bare dialog right one after the other (which one first turning from pair to pair), with
notepad before or after the pair; the run's ratio is the median of its pairs' ratios, and each
program's figure for the run its fastest start (over five pairs, one run's ratio moved by about
0.07 from the next run's on the same code). The bare dialog (bench/bare_dialog.cpp) is the
floor of Glazier's start-up: a dialog from Glazier's own template, menu and manifest, the same 46
controls, that fills its list with the same walk and creates a tooltip window, and does nothing
else: it walks the windows in WM_INITDIALOG, once its controls are made. Glazier walks them for its
first list on a thread of its own from the moment the common controls are loaded, while its
dialog is made. Glazier shows its first frame with what that frame shows and then reads its queue; the
places of the hidden pages' controls, the set-up of their trackbar and up-downs and the tooltips
wait until its queue is first empty, a step at a time between which a message or an input that
came is read, or until the user first reaches them (a page's tab, the pointer's first move), so
they are in neither figure (the bare dialog creates its tooltip before it shows). The flashing is timed by polling GetLayeredWindowAttributes
of the flashed window every millisecond. Under Wine every enumeration call is a round trip to the
Wine server, so the floor's own figures are what a Wine user pays at the least.
EOF
} >"$output"
echo
cat "$results"
echo
echo "bench: written to $output"
