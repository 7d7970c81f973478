// glazier_target.exe: a plain top-level window for the end-to-end tests to act on. What it looks
// like and how it behaves come from its command line, one option per behaviour:
//
//   --title TEXT     the window's title (default "Glazier target")
//   --client WxH     the client area's size in pixels (default 400x300)
//   --pos X,Y        the outer top-left corner on the screen (default: the system's choice)
//   --style HEX      the window style (default: caption, system menu, minimize box, no sizing
//   frame)
//   --max-size WxH   the largest outer size the window accepts (WM_GETMINMAXINFO)
//   --modal          once shown, open a modal box that disables the window, as real programs do
//   --hang           once shown, stop answering messages (a hung program)
//   --slow MS        answer messages only every MS milliseconds (a busy program)
//   --title-units HEX,HEX,...  appends these UTF-16 code units to the title, unpaired surrogates
//                    and all (a command line cannot be trusted to carry those)
//   --title-length N the title repeated, and cut, to exactly N UTF-16 code units (a command line
//                    holds at most 32767 characters)
//   --many N         before showing the window, also opens N tiny visible windows titled
//                    "TITLE 1" to "TITLE N", off the screen's left edge, each new one on top
//
// It ends on WM_CLOSE like any program, so the tests can ask it to close.
#include <windows.h>

#include <climits>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kAfterShow = WM_APP + 1;
constexpr DWORD kDefaultStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct Options {
  std::wstring title = L"Glazier target";
  int clientWidth = 400;
  int clientHeight = 300;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  DWORD style = kDefaultStyle;
  int maxWidth = 0;  // 0: no limit of our own
  int maxHeight = 0;
  bool modal = false;
  bool hang = false;
  int slowMs = 0;           // 0: answers at once
  std::wstring titleUnits;  // appended to the title
  int titleLength = 0;      // 0: the title as given
  int many = 0;
};

bool ParsePair(const wchar_t* text, wchar_t separator, int& first, int& second) {
  wchar_t* end = nullptr;
  const long a = std::wcstol(text, &end, 10);
  if (end == text || *end != separator) return false;
  const wchar_t* rest = end + 1;
  const long b = std::wcstol(rest, &end, 10);
  if (end == rest || *end != L'\0') return false;
  first = static_cast<int>(a);
  second = static_cast<int>(b);
  return true;
}

bool ParseCount(const wchar_t* text, int& count) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(text, &end, 10);
  if (end == text || *end != L'\0' || value < 0 || value > INT_MAX) return false;
  count = static_cast<int>(value);
  return true;
}

bool ParseUnits(const wchar_t* text, std::wstring& units) {
  units.clear();
  for (const wchar_t* next = text;; ++next) {
    wchar_t* end = nullptr;
    const unsigned long unit = std::wcstoul(next, &end, 16);
    if (end == next || unit > 0xFFFF || unit == 0) return false;
    units += static_cast<wchar_t>(unit);
    next = end;
    if (*next == L'\0') return true;
    if (*next != L',') return false;
  }
}

bool ParseStyle(const wchar_t* text, DWORD& style) {
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text, &end, 16);
  if (end == text || *end != L'\0') return false;
  style = static_cast<DWORD>(value);
  return true;
}

// One row per option: its name, whether it takes a value, and what it does with it.
struct OptionRow {
  const wchar_t* name;
  bool takesValue;
  bool (*apply)(Options& options, const wchar_t* value);
};

constexpr OptionRow kOptions[] = {
    {L"--title", true,
     [](Options& o, const wchar_t* v) {
       o.title = v;
       return true;
     }},
    {L"--client", true,
     [](Options& o, const wchar_t* v) {
       return ParsePair(v, L'x', o.clientWidth, o.clientHeight);
     }},
    {L"--pos", true, [](Options& o, const wchar_t* v) { return ParsePair(v, L',', o.x, o.y); }},
    {L"--style", true, [](Options& o, const wchar_t* v) { return ParseStyle(v, o.style); }},
    {L"--max-size", true,
     [](Options& o, const wchar_t* v) { return ParsePair(v, L'x', o.maxWidth, o.maxHeight); }},
    {L"--modal", false,
     [](Options& o, const wchar_t*) {
       o.modal = true;
       return true;
     }},
    {L"--hang", false,
     [](Options& o, const wchar_t*) {
       o.hang = true;
       return true;
     }},
    {L"--slow", true, [](Options& o, const wchar_t* v) { return ParseCount(v, o.slowMs); }},
    {L"--title-units", true,
     [](Options& o, const wchar_t* v) { return ParseUnits(v, o.titleUnits); }},
    {L"--title-length", true,
     [](Options& o, const wchar_t* v) { return ParseCount(v, o.titleLength); }},
    {L"--many", true, [](Options& o, const wchar_t* v) { return ParseCount(v, o.many); }},
};

// The title the options describe: the text, its extra units, then repeated or cut to length.
std::wstring Title(const Options& options) {
  std::wstring title = options.title + options.titleUnits;
  if (options.titleLength <= 0 || title.empty()) return title;
  const auto length = static_cast<std::size_t>(options.titleLength);
  std::wstring sized;
  sized.reserve(length);
  while (sized.size() < length) sized += title;
  sized.resize(length);
  return sized;
}

// The windows of --many: as light as a window can be, since there are thousands of them.
bool OpenManyWindows(HINSTANCE instance, const std::wstring& stem, int count) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"GlazierTargetSmall";
  if (!RegisterClassW(&windowClass)) return false;
  for (int i = 1; i <= count; ++i) {
    const std::wstring title = stem + L" " + std::to_wstring(i);
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClass.lpszClassName,
                                title.c_str(), WS_POPUP, -40, 10, 4, 4, nullptr, nullptr, instance,
                                nullptr);
    if (hwnd == nullptr) return false;
    // Made visible by its style alone: showing it through SetWindowPos would double the time
    // Wine takes for each window, and off the screen there is nothing to draw.
    SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) | WS_VISIBLE);
  }
  return true;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const OptionRow* row = nullptr;
    for (const OptionRow& candidate : kOptions) {
      if (std::wcscmp(argv[i], candidate.name) == 0) row = &candidate;
    }
    if (row == nullptr) return false;
    const wchar_t* value = nullptr;
    if (row->takesValue) {
      if (i + 1 >= argc) return false;
      value = argv[++i];
    }
    if (!row->apply(options, value)) return false;
  }
  return true;
}

Options g_options;

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  // A strong colour and a frame, so shapes and opacity are easy to see on a screenshot.
  HBRUSH fill = CreateSolidBrush(RGB(0x2e, 0x7d, 0x32));
  FillRect(dc, &client, fill);
  DeleteObject(fill);
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0xff, 0xff, 0xff));
  wchar_t title[512] = L"";
  GetWindowTextW(hwnd, title, 512);
  DrawTextW(dc, title, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_GETMINMAXINFO:
      if (g_options.maxWidth > 0) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMaxTrackSize = {g_options.maxWidth, g_options.maxHeight};
        return 0;
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    case kAfterShow:
      if (g_options.modal) {
        // MessageBox disables its owner for as long as it is open, like any modal dialog.
        MessageBoxW(hwnd, L"A modal box of the target", L"Glazier target modal", MB_OK);
      }
      if (g_options.hang) {
        for (;;) Sleep(1000);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || !ParseOptions(argc, argv, g_options)) return 2;
  LocalFree(argv);

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = L"GlazierTarget";
  if (!RegisterClassW(&windowClass)) return 3;

  if (g_options.many > 0 && !OpenManyWindows(instance, g_options.title, g_options.many)) return 5;

  RECT outer = {0, 0, g_options.clientWidth, g_options.clientHeight};
  AdjustWindowRectEx(&outer, g_options.style, FALSE, 0);
  HWND hwnd = CreateWindowExW(0, windowClass.lpszClassName, Title(g_options).c_str(),
                              g_options.style, g_options.x, g_options.y, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 4;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  PostMessageW(hwnd, kAfterShow, 0, 0);

  MSG message;
  if (g_options.slowMs > 0) {
    // Busy between answers: messages sent from other threads wait here until the next look.
    for (;;) {
      Sleep(static_cast<DWORD>(g_options.slowMs));
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return 0;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
