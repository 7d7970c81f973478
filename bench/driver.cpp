// glazier_bench.exe RESULTS: measures glazier.exe under Wine against the floor the platform sets,
// and writes the table to the file RESULTS. bench/run.sh runs it inside a Wine session, hands it
// the Linux process ids of the Wine server and the X server, and adds the machine to the table.
//
// Every ratio compares two things measured in the same run, interleaved, on the same windows:
// the machine is shared and its speed drifts from minute to minute.
#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/floor.h"
#include "bench/process.h"
#include "bench/unix_side.h"
#include "bench/windows_title.h"
#include "res/resource.h"

namespace bench {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kDialogTitle[] = L"Glazier";
constexpr wchar_t kNotepadClass[] = L"Notepad";
constexpr DWORD kAnswerMs = 120000;

// How many times each measure is repeated; GLAZIER_BENCH_QUICK=1 makes a short trial run, and
// GLAZIER_BENCH_ONLY=startup measures the start-up alone.
struct Settings {
  bool startUpOnly = false;
  int refreshSamples = 15;
  int refreshSamplesLarge = 9;  // at 10,000 windows, where one sample takes a second
  int startRuns = 5;            // each run starts Glazier, the bare dialog and notepad once
  int idleRuns = 3;
  int idleSeconds = 30;
  int flashSeconds = 10;
};

Settings ReadSettings() {
  const char* quick = std::getenv("GLAZIER_BENCH_QUICK");
  Settings settings;
  if (quick && *quick && *quick != '0') settings = {false, 3, 2, 2, 1, 6, 3};
  const char* only = std::getenv("GLAZIER_BENCH_ONLY");
  settings.startUpOnly = only && std::string(only) == "startup";
  return settings;
}

void Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::printf("\n");
  std::fflush(stdout);
}

std::string Format(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  return text;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Worst(const std::vector<double>& values) {
  return values.empty() ? -1 : *std::max_element(values.begin(), values.end());
}

double Best(const std::vector<double>& values) {
  return values.empty() ? -1 : *std::min_element(values.begin(), values.end());
}

int EnvPid(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::atoi(value) : 0;
}

// Waits until the Wine server and the X server have gone quiet (under 5 % of a core over half a
// second), at most a minute: creating thousands of windows leaves work behind that would
// otherwise land in the next measure.
void WaitUntilQuiet() {
  const int wineserver = EnvPid("GLAZIER_BENCH_WINESERVER_PID");
  const int xserver = EnvPid("GLAZIER_BENCH_XVFB_PID");
  const double start = Milliseconds();
  while (Milliseconds() - start < 60000) {
    const double before = CpuSeconds(wineserver) + CpuSeconds(xserver);
    Sleep(500);
    if (CpuSeconds(wineserver) + CpuSeconds(xserver) - before < 0.025) return;
  }
  Log("  the Wine server or the X server stayed busy");
}

// Waits, at most three seconds, until the machine has a core and a half free over half a second:
// a program started while other work holds the cores waits for a CPU for much of its start-up,
// the Wine server with it. Then until the Wine server and the X server are quiet.
void WaitUntilCoresFree() {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const double wanted = system.dwNumberOfProcessors > 1 ? 0.75 : 0.4;  // seconds idle per 0.5 s
  const double start = Milliseconds();
  bool free = false;
  while (!free && Milliseconds() - start < 3000) {
    const double before = IdleCpuSeconds();
    if (before < 0) break;
    Sleep(500);
    free = IdleCpuSeconds() - before >= wanted;
  }
  if (!free) Log("  the machine stayed busy");
  WaitUntilQuiet();
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

// A pointer resting on Glazier's dialog would bring up a tooltip, itself a titled window.
void ParkPointer() {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

// The two moments of a start-up: the window shown, and its first message answered.
enum Moment { kShown, kAnswered, kMoments };
constexpr const char* kMomentNames[kMoments] = {"shown", "answered"};

// A program started and timed from its process start to its window shown, and to the first
// message it answers, which it reads where it reads a user's first click.
struct Started {
  Process process;
  HWND window = nullptr;
  double ms[kMoments] = {-1, -1};
};

// Polls every millisecond; for Glazier the window counts as shown once its list has rows too
// (it fills the list before it shows the dialog, so both hold at the same moment). The question
// asked once the window shows is answered when the program first reads its queue.
Started StartAndTime(const std::wstring& commandLine, const wchar_t* className,
                     const wchar_t* title, bool listFilled) {
  Started started;
  const double start = Milliseconds();
  started.process = Process(commandLine);
  if (!started.process.Started()) return started;
  while (Milliseconds() - start < kAnswerMs) {
    if (HWND window = ShownWindowOf(started.process.Id(), className, title)) {
      const double shown = Milliseconds();
      if (listFilled ? Ask(GetDlgItem(window, IDC_WINDOW_LIST), LB_GETCOUNT) > 0
                     : Ask(window, WM_NULL) == 0) {
        started.window = window;
        started.ms[kShown] = shown - start;
        started.ms[kAnswered] = Milliseconds() - start;
        return started;
      }
    }
    Sleep(1);
  }
  return started;
}

// The programs whose start-up is timed: Glazier, its floor (the bare dialog of the same
// controls and first fill) and, for scale, Wine's notepad.
enum Program { kGlazier, kBare, kNotepad, kPrograms };
constexpr const char* kProgramNames[kPrograms] = {"glazier.exe", "glazier_bench_bare.exe",
                                                  "notepad.exe"};

// The glazier.exe that is measured, which loads the stand-in for the system's DWM library from
// System32 (every glazier.exe does, in the benchmark's own prefix): it answers the cloak check
// Glazier makes for each visible titled window as Windows does (S_OK and not cloaked, for one
// request to the Wine server) where Wine's own library answers E_NOTIMPL at once. Empty if the
// stand-in could not be put there.
const std::wstring& GlazierExe() {
  static const std::wstring exe =
      drive::UseStandInDwmapi(L"glazier.exe") ? ExeDir() + L"\\glazier.exe" : std::wstring();
  return exe;
}

Started Start(Program program) {
  ParkPointer();
  switch (program) {
    case kGlazier:
      return StartAndTime(Quoted(GlazierExe()), kDialogClass, kDialogTitle, true);
    case kBare:
      // Glazier's template, caption included.
      return StartAndTime(Quoted(ExeDir() + L"\\glazier_bench_bare.exe"), kDialogClass,
                          kDialogTitle, true);
    default:
      return StartAndTime(L"notepad.exe", kNotepadClass, nullptr, false);
  }
}

Started StartGlazier() {
  return Start(kGlazier);
}

// Glazier's dialog, driven from outside through the messages its controls send it.
class Panel {
 public:
  explicit Panel(HWND dialog)
      : m_dialog(dialog),
        m_list(GetDlgItem(dialog, IDC_WINDOW_LIST)),
        m_refresh(GetDlgItem(dialog, IDC_REFRESH)),
        m_flash(GetDlgItem(dialog, IDC_FLASH)) {}

  int Rows() const { return static_cast<int>(Ask(m_list, LB_GETCOUNT)); }
  // A selection set without its notification: the once-a-second refresh pauses while a row is
  // selected, and nothing else happens.
  void HoldRefresh() const { Ask(m_list, LB_SETCURSEL, 0); }
  void Unselect() const { Ask(m_list, LB_SETCURSEL, static_cast<WPARAM>(-1)); }
  // The row chosen as a user would: the selection, then its notification.
  void Choose(int row) const {
    Ask(m_list, LB_SETCURSEL, static_cast<WPARAM>(row));
    Ask(m_dialog, WM_COMMAND, MAKEWPARAM(IDC_WINDOW_LIST, LBN_SELCHANGE),
        reinterpret_cast<LPARAM>(m_list));
  }
  int RowOf(const wchar_t* title) const {
    return static_cast<int>(
        Ask(m_list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(title)));
  }
  void ToggleFlash() const { Click(IDC_FLASH, m_flash); }
  void Refresh() const { Click(IDC_REFRESH, m_refresh); }
  // Has the list paint what changed now, while nothing is being timed.
  void Paint() const { RedrawWindow(m_list, nullptr, nullptr, RDW_UPDATENOW); }

  // SendMessage returns once the handler has run: the refresh plus one round trip.
  double TimedRefresh() const {
    const double start = Milliseconds();
    SendMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(IDC_REFRESH, BN_CLICKED),
                 reinterpret_cast<LPARAM>(m_refresh));
    return Milliseconds() - start;
  }
  double TimedNoOp() const {
    const double start = Milliseconds();
    SendMessageW(m_dialog, WM_NULL, 0, 0);
    return Milliseconds() - start;
  }

 private:
  void Click(int id, HWND button) const {
    Ask(m_dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  }

  HWND m_dialog;
  HWND m_list;
  HWND m_refresh;
  HWND m_flash;
};

// The windows of the benchmark, held by glazier_bench_windows.exe.
class Desktop {
 public:
  // Replaces the windows by `count` new ones, with `hidden` titled ones never shown among them.
  bool Fill(int count, int hidden = 0) {
    m_process.Terminate();
    if (count <= 0) return true;
    NamedEvent ready(L"windows");
    const double start = Milliseconds();
    m_process =
        Process(Quoted(ExeDir() + L"\\glazier_bench_windows.exe") + L" " + std::to_wstring(count) +
                L" " + ready.Name() + L" " + std::to_wstring(hidden));
    if (!ready.WaitWhileRunning(m_process, 15 * 60 * 1000)) {
      Log("  glazier_bench_windows.exe did not create its windows");
      return false;
    }
    Log("  %d windows (%d of them hidden) created in %.1f s", count + hidden, hidden,
        (Milliseconds() - start) / 1000);
    WaitUntilQuiet();
    return true;
  }
  HWND Window(int index) const {
    wchar_t title[64];
    WindowTitle(index, title);
    return FindWindowW(L"GlazierBenchWindow", title);
  }

 private:
  Process m_process;
};

// --- Measures --------------------------------------------------------------------------------

struct Memory {
  double windowsPrivateKib = -1;  // GetProcessMemoryInfo's PrivateUsage
  double linuxPrivateKib = -1;    // private pages of the Linux process
};

Memory MemoryOf(const Process& process, const char* exeName) {
  Memory memory;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  if (GetProcessMemoryInfo(process.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters))) {
    // Wine fills PagefileUsage, which Windows keeps equal to PrivateUsage, and not PrivateUsage
    // itself for another process.
    const SIZE_T privateBytes =
        counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    memory.windowsPrivateKib = static_cast<double>(privateBytes) / 1024;
  }
  memory.linuxPrivateKib = static_cast<double>(PrivateKib(UnixPidOf(exeName)));
  return memory;
}

struct StartUpResult {
  int rows = 0;  // the windows beside, the started program's own included
  // For each moment, each program's runs, in order: the run's fastest start; -1 for a run whose
  // window never showed.
  std::vector<double> ms[kMoments][kPrograms];
  std::vector<double> windowsKib[kPrograms], linuxKib[kPrograms];
  // For each moment, Glazier against the bare dialog, run by run: the median over the run's pairs
  // of starts.
  std::vector<double> ratios[kMoments];
};

// Under Wine a process start now and then takes a few hundred milliseconds more for reasons of
// the machine's, not of the program's: another user of the cores, the Wine server waking up
// late. Such spells last seconds, longer than a start. So a run is made of kStartsPerRun pairs
// of starts, Glazier and the bare dialog right one after the other (which one first turns from
// pair to pair), with notepad before or after the pair; the run's ratio is the median of its
// pairs' ratios, each pair's two starts having met the same conditions. Each program's figure
// for the run is its fastest start. Every start is timed, (weighed a second later) and ended.
// Nine pairs: over five, one run's ratio moved by about 0.07 from the next run's on the same code.
constexpr int kStartsPerRun = 9;

StartUpResult MeasureStartUp(const Settings& settings, int rows, bool weigh) {
  StartUpResult result;
  result.rows = rows;
  Log("start-up beside %d windows: %d runs of %d pairs of glazier.exe and the bare dialog, and as "
      "many starts of notepad.exe (after one unmeasured each)",
      rows, settings.startRuns, kStartsPerRun);
  for (int program = 0; program < kPrograms; ++program) Start(static_cast<Program>(program));
  WaitUntilCoresFree();
  // Glazier and the bare dialog always side by side, each of them first in half the pairs.
  constexpr Program kOrders[4][kPrograms] = {{kGlazier, kBare, kNotepad},
                                             {kNotepad, kBare, kGlazier},
                                             {kBare, kGlazier, kNotepad},
                                             {kNotepad, kGlazier, kBare}};
  int pairs = 0;
  for (int run = 0; run < settings.startRuns; ++run) {
    double fastest[kMoments][kPrograms] = {{-1, -1, -1}, {-1, -1, -1}};
    std::vector<double> ratios[kMoments];
    for (int pair = 0; pair < kStartsPerRun; ++pair, ++pairs) {
      double ms[kMoments][kPrograms] = {{-1, -1, -1}, {-1, -1, -1}};
      for (const Program program : kOrders[pairs % 4]) {
        const int wineserver = EnvPid("GLAZIER_BENCH_WINESERVER_PID");
        const double serverWaitedBefore = RunQueueMs(wineserver);
        Started started = Start(program);
        // How much of the time went to waiting for a CPU, in the program and in the Wine server.
        const double waited = RunQueueMs(UnixPidOf(kProgramNames[program]));
        const double serverWaited = RunQueueMs(wineserver) - serverWaitedBefore;
        if (started.ms[kShown] < 0) {
          Log("  %s did not show its window", kProgramNames[program]);
          continue;
        }
        for (int moment = 0; moment < kMoments; ++moment) {
          const double taken = started.ms[moment];
          ms[moment][program] = taken;
          double& best = fastest[moment][program];
          if (best < 0 || taken < best) best = taken;
        }
        if (weigh && result.windowsKib[program].size() <= static_cast<std::size_t>(run)) {
          Sleep(1000);
          const Memory memory = MemoryOf(started.process, kProgramNames[program]);
          result.windowsKib[program].push_back(memory.windowsPrivateKib);
          result.linuxKib[program].push_back(memory.linuxPrivateKib);
        }
        Log("  run %d  %-22s %7.1f ms, answered %7.1f ms (waited for a CPU: %.1f ms, the Wine "
            "server %.1f ms)",
            run + 1, kProgramNames[program], started.ms[kShown], started.ms[kAnswered], waited,
            serverWaited);
        started.process.Terminate();
        WaitUntilCoresFree();
      }
      for (int moment = 0; moment < kMoments; ++moment) {
        if (ms[moment][kGlazier] > 0 && ms[moment][kBare] > 0) {
          ratios[moment].push_back(ms[moment][kGlazier] / ms[moment][kBare]);
        }
      }
    }
    for (int moment = 0; moment < kMoments; ++moment) {
      for (int program = 0; program < kPrograms; ++program) {
        result.ms[moment][program].push_back(fastest[moment][program]);
      }
      result.ratios[moment].push_back(ratios[moment].empty() ? -1 : Median(ratios[moment]));
      Log("  run %d  %s: glazier.exe against the bare dialog, the median of %zu pairs: %.2f x; "
          "fastest: glazier.exe %.1f ms, the bare dialog %.1f ms, notepad.exe %.1f ms",
          run + 1, kMomentNames[moment], ratios[moment].size(), result.ratios[moment].back(),
          fastest[moment][kGlazier], fastest[moment][kBare], fastest[moment][kNotepad]);
    }
  }
  return result;
}

struct RefreshResult {
  int windows = 0;  // top-level windows walked
  int rows = 0;     // rows in Glazier's list
  int hidden = 0;   // titled windows walked that are not shown
  int floorRows = 0;
  double refreshMs = -1, noOpMs = -1, floorMs = -1;  // medians
  std::vector<double> ratios;                        // one a sample, refresh to floor
};

double TimedFloorPass() {
  const double start = Milliseconds();
  FloorPass();
  return Milliseconds() - start;
}

// Each sample: a floor pass and Glazier's refresh timed from outside, one right after the other
// once the Wine server and the X server have gone quiet, then another floor pass once they are
// quiet again; the refresh's ratio to the mean of the two passes. Glazier holds a selection
// throughout, so that no refresh of its own runs in the middle (the timed one clears it, and it is
// set again at once), and paints before the second pass. Setting the selection again moves the
// selected window to its own place, work the servers finish after the call returns: a floor pass
// taken meanwhile would pay for it and make the refresh look cheaper than it is. The round trip of
// a no-op message, a median, is taken off each refresh.
RefreshResult MeasureRefresh(const Panel& panel, int samples) {
  RefreshResult result;
  panel.Refresh();
  panel.HoldRefresh();
  panel.Paint();
  WaitUntilQuiet();
  result.rows = panel.Rows();
  const FloorCount floor = FloorPass();
  result.windows = floor.windows;
  result.floorRows = floor.rows;

  std::vector<double> clicks, noOps, floors;
  for (int sample = 0; sample < samples; ++sample) {
    WaitUntilQuiet();
    noOps.push_back(panel.TimedNoOp());
    const double before = TimedFloorPass();
    clicks.push_back(panel.TimedRefresh());
    panel.HoldRefresh();
    panel.Paint();
    WaitUntilQuiet();
    const double after = TimedFloorPass();
    floors.push_back((before + after) / 2);
    Log("  sample %d: floor %.3f ms, refresh %.3f ms (round trip %.3f ms), floor %.3f ms",
        sample + 1, before, clicks.back(), noOps.back(), after);
  }
  result.noOpMs = Median(noOps);
  std::vector<double> refreshes;
  for (std::size_t i = 0; i < clicks.size(); ++i) {
    refreshes.push_back(clicks[i] - result.noOpMs);
    result.ratios.push_back(refreshes.back() / floors[i]);
  }
  result.refreshMs = Median(refreshes);
  result.floorMs = Median(floors);
  Log("  %d rows (floor %d, %d windows walked): refresh %.3f ms (round trip %.3f ms taken off), "
      "floor %.3f ms, ratio %.2f (%.2f to %.2f)",
      result.rows, result.floorRows, result.windows, result.refreshMs, result.noOpMs,
      result.floorMs, Median(result.ratios), Best(result.ratios), Worst(result.ratios));
  return result;
}

struct FlashResult {
  int ticks = 0;
  double medianMs = -1, worstMs = -1, bestMs = -1;
};

// Flashes the first benchmark window from its row and times the alpha changes by polling the
// window's layered attributes every millisecond.
FlashResult MeasureFlash(const Panel& panel, const Desktop& desktop, int seconds) {
  FlashResult result;
  wchar_t title[64];
  WindowTitle(0, title);
  const HWND target = desktop.Window(0);
  const int row = panel.RowOf(title);
  if (!target || row < 0) {
    Log("  flashing: the target window's row was not found");
    return result;
  }
  panel.Choose(row);
  Sleep(200);

  std::vector<double> changes;
  int last = -1;
  panel.ToggleFlash();
  const double start = Milliseconds();
  while (Milliseconds() - start < seconds * 1000.0) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(target, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) &&
        alpha != last) {
      changes.push_back(Milliseconds());
      last = alpha;
    }
    Sleep(1);
  }
  panel.ToggleFlash();

  std::vector<double> intervals;
  for (std::size_t i = 1; i < changes.size(); ++i) intervals.push_back(changes[i] - changes[i - 1]);
  result.ticks = static_cast<int>(changes.size());
  result.medianMs = Median(intervals);
  result.worstMs = Worst(intervals);
  result.bestMs = intervals.empty() ? -1 : *std::min_element(intervals.begin(), intervals.end());
  Log("  flashing: %d ticks in %d s, interval median %.1f ms, shortest %.1f, longest %.1f",
      result.ticks, seconds, result.medianMs, result.bestMs, result.worstMs);
  return result;
}

// CPU time of the measured program, the Wine server and the X server, as shares of one core.
struct CpuShare {
  double program = 0, wineserver = 0, xserver = 0;
  double Total() const { return program + wineserver + xserver; }
};

struct CpuSample {
  double program, wineserver, xserver, at;
};

CpuSample SampleCpu(int programPid) {
  return {CpuSeconds(programPid), CpuSeconds(EnvPid("GLAZIER_BENCH_WINESERVER_PID")),
          CpuSeconds(EnvPid("GLAZIER_BENCH_XVFB_PID")), Milliseconds()};
}

CpuShare ShareBetween(const CpuSample& first, const CpuSample& last) {
  const double seconds = (last.at - first.at) / 1000;
  return {(last.program - first.program) / seconds, (last.wineserver - first.wineserver) / seconds,
          (last.xserver - first.xserver) / seconds};
}

struct IdleResult {
  std::vector<CpuShare> glazier, floor;
};

CpuShare MedianShare(const std::vector<CpuShare>& shares) {
  std::vector<double> program, wineserver, xserver;
  for (const CpuShare& share : shares) {
    program.push_back(share.program);
    wineserver.push_back(share.wineserver);
    xserver.push_back(share.xserver);
  }
  return {Median(program), Median(wineserver), Median(xserver)};
}

double MedianTotal(const std::vector<CpuShare>& shares) {
  std::vector<double> totals;
  for (const CpuShare& share : shares) totals.push_back(share.Total());
  return Median(totals);
}

void LogShare(const char* what, const CpuShare& share) {
  Log("  %-26s %5.2f %% of a core: program %.2f, wineserver %.2f, Xvfb %.2f", what,
      share.Total() * 100, share.program * 100, share.wineserver * 100, share.xserver * 100);
}

// Glazier left alone with its list filled and nothing selected, then the floor loop once a
// second in a process of its own, over the same windows and the same length of time.
IdleResult MeasureIdle(const Settings& settings) {
  IdleResult result;
  const DWORD windowMs = static_cast<DWORD>(settings.idleSeconds) * 1000;
  for (int run = 0; run < settings.idleRuns; ++run) {
    {
      Started glazier = StartGlazier();
      const Panel panel(glazier.window);
      panel.Refresh();
      panel.HoldRefresh();
      WaitUntilQuiet();
      panel.Unselect();
      const int pid = UnixPidOf("glazier.exe");
      Sleep(2000);
      const CpuSample first = SampleCpu(pid);
      Sleep(windowMs);
      const CpuSample last = SampleCpu(pid);
      result.glazier.push_back(ShareBetween(first, last));
      LogShare("glazier.exe, idle", result.glazier.back());
    }
    {
      NamedEvent ready(L"floor-ready");
      NamedEvent go(L"floor-go");
      Process ticker(Quoted(ExeDir() + L"\\glazier_bench_floor.exe") + L" " + ready.Name() + L" " +
                     go.Name());
      if (!ready.WaitWhileRunning(ticker, 60000)) {
        Log("  the floor loop did not start");
        continue;
      }
      WaitUntilQuiet();
      const int pid = UnixPidOf("glazier_bench_floor.exe");
      const CpuSample first = SampleCpu(pid);
      go.Set();
      Sleep(windowMs);
      const CpuSample last = SampleCpu(pid);
      result.floor.push_back(ShareBetween(first, last));
      LogShare("floor pass once a second", result.floor.back());
    }
  }
  return result;
}

// --- The table -------------------------------------------------------------------------------

std::string Ms(double ms) {
  return ms < 0 ? "n/a" : Format("%.2f ms", ms);
}
std::string Ratio(double ratio) {
  return ratio < 0 ? "n/a" : Format("%.2f×", ratio);
}
std::string Met(bool met) {
  return met ? "yes" : "**no**";
}
std::string Percent(double share) {
  return Format("%.2f %%", share * 100);
}
std::string Kib(double kib) {
  return kib < 0 ? "n/a" : Format("%.1f MiB", kib / 1024);
}

std::string Thousands(long long value) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && digits[i - 1] != '-' && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string ShareParts(const CpuShare& share, const char* program) {
  return Format("%s %.2f + wineserver %.2f + Xvfb %.2f", program, share.program * 100,
                share.wineserver * 100, share.xserver * 100);
}

long long FileBytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

struct AllResults {
  Settings settings;
  std::vector<StartUpResult> startUps;
  std::vector<RefreshResult> refresh;
  FlashResult flash;
  IdleResult idle;
};

// "1.02× (0.97–1.08, 15 samples)": the median and the spread of a set of ratios.
std::string RatioSpread(const std::vector<double>& ratios, const char* what) {
  if (ratios.empty()) return "n/a";
  return Ratio(Median(ratios)) + Format(" (%.2f–%.2f, %d %s)", Best(ratios), Worst(ratios),
                                        static_cast<int>(ratios.size()), what);
}

// Each run's figure in order: "231.4, 240.2, 228.9 ms".
std::string Runs(const std::vector<double>& values, const char* format, const char* unit) {
  std::string text;
  for (double value : values) {
    if (!text.empty()) text += ", ";
    text += value < 0 ? "n/a" : Format(format, value);
  }
  return text.empty() ? "n/a" : text + unit;
}

std::string Table(const AllResults& all) {
  std::string table =
      "| Measure | Glazier | Floor or reference | Ratio | Goal | Met |\n"
      "|---|---|---|---|---|---|\n";
  auto row = [&table](const std::string& measure, const std::string& glazier,
                      const std::string& reference, const std::string& ratio,
                      const std::string& goal, const std::string& met) {
    table += "| " + measure + " | " + glazier + " | " + reference + " | " + ratio + " | " + goal +
             " | " + met + " |\n";
  };

  // Glazier asks fewer questions than the walk: the whole z-order at once, and no title of a
  // hidden window.
  for (const RefreshResult& refresh : all.refresh) {
    const double goal = refresh.hidden > 0 ? 0.75 : refresh.rows >= 1000 ? 0.85 : 1.3;
    const double ratio = Median(refresh.ratios);
    const std::string hidden =
        refresh.hidden > 0 ? " and " + Thousands(refresh.hidden) + " hidden titled" : "";
    row("List refresh, " + Thousands(refresh.rows) + " windows" + hidden + " (" +
            Thousands(refresh.windows) + " walked), a row held selected",
        Ms(refresh.refreshMs),
        "floor " + Ms(refresh.floorMs) +
            Format(" (%.1f µs a window)", refresh.floorMs * 1000 / std::max(refresh.windows, 1)),
        RatioSpread(refresh.ratios, "samples"), Format("≤ %.2g×", goal),
        Met(ratio >= 0 && ratio <= goal));
  }
  std::vector<double> noOps;
  for (const RefreshResult& refresh : all.refresh) noOps.push_back(refresh.noOpMs);
  row("Round trip of a no-op message (taken off each refresh above)", Ms(Median(noOps)), "", "", "",
      "");

  const CpuShare glazierIdle = MedianShare(all.idle.glazier);
  const CpuShare floorIdle = MedianShare(all.idle.floor);
  const double glazierTotal = MedianTotal(all.idle.glazier);
  const double floorTotal = MedianTotal(all.idle.floor);
  // Each Glazier window against the floor window right after it.
  std::vector<double> idleRatios;
  for (std::size_t i = 0; i < std::min(all.idle.glazier.size(), all.idle.floor.size()); ++i) {
    if (all.idle.floor[i].Total() > 0) {
      idleRatios.push_back(all.idle.glazier[i].Total() / all.idle.floor[i].Total());
    }
  }
  const double idleRatio = Median(idleRatios);
  row(Format("Idle CPU, 1,000 windows listed, nothing selected (%d s, share of one core)",
             all.settings.idleSeconds),
      Percent(glazierTotal) + " (" + ShareParts(glazierIdle, "glazier") + ")",
      "floor pass once a second: " + Percent(floorTotal) + " (" + ShareParts(floorIdle, "loop") +
          ")",
      RatioSpread(idleRatios, "runs"), "≤ 0.85×", Met(idleRatio >= 0 && idleRatio <= 0.85));

  // What the user sees first, and when the panel first answers: a user's first click is read
  // there.
  constexpr const char* kMomentMeasures[kMoments] = {
      "Start-up to a full list beside %s windows, each run (process start to the dialog shown, "
      "its list filled; the fastest of %d starts)",
      "Start-up to the first answered input beside %s windows, each run (process start to the "
      "dialog shown with its list filled answering a message; the fastest of %d starts)"};
  for (const StartUpResult& startUp : all.startUps) {
    for (int moment = 0; moment < kMoments; ++moment) {
      const std::vector<double>& ratios = startUp.ratios[moment];
      const double worst = Worst(ratios);
      const bool every = !ratios.empty() && Best(ratios) > 0 && worst <= 1.10;
      row(Format(kMomentMeasures[moment], Thousands(startUp.rows).c_str(), kStartsPerRun),
          Runs(startUp.ms[moment][kGlazier], "%.1f", " ms"),
          "bare dialog, the same 46 controls and first fill: " +
              Runs(startUp.ms[moment][kBare], "%.1f", " ms"),
          Runs(ratios, "%.2f", "×") + " (worst " + Ratio(worst) + ")", "≤ 1.10× in every run",
          Met(every));
    }
    row("Start-up beside " + Thousands(startUp.rows) + " windows, for scale", "",
        "Wine's notepad, shown: " + Runs(startUp.ms[kShown][kNotepad], "%.1f", " ms"), "", "", "");
  }

  const long long bytes = FileBytes(ExeDir() + L"\\glazier.exe");
  const char* stripped = std::getenv("GLAZIER_BENCH_STRIPPED_BYTES");
  row("Size of glazier.exe (static, no DLL beyond Windows')",
      Thousands(bytes) + " bytes" +
          (stripped ? " (" + Thousands(std::atoll(stripped)) + " stripped)" : std::string()),
      "", "", "", "");
  if (!all.startUps.empty()) {
    const StartUpResult& weighed = all.startUps.front();
    row("Private memory after start-up (PrivateUsage / Linux private pages)",
        Kib(Median(weighed.windowsKib[kGlazier])) + " / " + Kib(Median(weighed.linuxKib[kGlazier])),
        "Wine's notepad " + Kib(Median(weighed.windowsKib[kNotepad])) + " / " +
            Kib(Median(weighed.linuxKib[kNotepad])),
        "", "", "");
  }

  const FlashResult& flash = all.flash;
  row(Format("Flashing: interval between ticks, median (%d ticks in %d s)", flash.ticks,
             all.settings.flashSeconds),
      Ms(flash.medianMs), "timer interval 100 ms", "", "100 ± 10 ms",
      Met(flash.medianMs >= 90 && flash.medianMs <= 110));
  row("Flashing: interval between ticks, shortest and longest",
      Ms(flash.bestMs) + " / " + Ms(flash.worstMs), "", "", "", "");
  return table;
}

bool WriteFile(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

int Run(const std::wstring& resultsPath) {
  AllResults all;
  all.settings = ReadSettings();
  const Settings& settings = all.settings;
  if (GlazierExe().empty()) {
    Log("the stand-in DWM library could not be put into System32 for glazier.exe");
    return 1;
  }
  Desktop desktop;
  // Titled windows already there (Wine's own, usually none); Glazier's dialog adds one more.
  const int present = FloorPass().rows;
  auto fill = [&](int rows, int hidden = 0) {
    Log("desktop of %d visible titled windows and %d hidden ones", rows, hidden);
    return desktop.Fill(rows - present - 1, hidden);
  };
  // Glazier with its list filled, its refresh timed over `samples` samples, then its flashing.
  auto refresh = [&](int samples, bool flash, int hidden = 0) {
    Started glazier = StartGlazier();
    if (glazier.ms[kShown] < 0) return false;
    Log("refresh, %d samples", samples);
    all.refresh.push_back(MeasureRefresh(Panel(glazier.window), samples));
    all.refresh.back().hidden = hidden;
    if (!flash) return true;
    Log("flashing, %d s", settings.flashSeconds);
    all.flash = MeasureFlash(Panel(glazier.window), desktop, settings.flashSeconds);
    return true;
  };

  if (!fill(100)) return 1;
  all.startUps.push_back(MeasureStartUp(settings, 100, true));
  if (!settings.startUpOnly && !refresh(settings.refreshSamples, false)) return 1;

  if (!fill(1000)) return 1;
  all.startUps.push_back(MeasureStartUp(settings, 1000, false));
  if (settings.startUpOnly) return WriteFile(resultsPath, Table(all)) ? 0 : 1;
  if (!refresh(settings.refreshSamples, true)) return 1;
  Log("idle, %d runs of %d s each", settings.idleRuns, settings.idleSeconds);
  all.idle = MeasureIdle(settings);

  if (!fill(1000, 1000)) return 1;
  if (!refresh(settings.refreshSamples, false, 1000)) return 1;

  if (!fill(kMaxRows)) return 1;
  if (!refresh(settings.refreshSamplesLarge, false)) return 1;
  desktop.Fill(0);

  return WriteFile(resultsPath, Table(all)) ? 0 : 1;
}

}  // namespace
}  // namespace bench

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: glazier_bench.exe RESULTS\n");
    return 2;
  }
  return bench::Run(argv[1]);
}
