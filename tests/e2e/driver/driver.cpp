// Test driver that runs inside Wine beside the programs under test: it finds
// their windows, reads message boxes, presses keys and buttons, clicks, and
// takes screenshots. Each call does one thing and prints what it saw.
//
//   driver windows                      list visible top-level windows
//   driver wait CLASS TITLE MS          wait for a visible window (TITLE "*": any)
//   driver gone CLASS MS                wait until no window of CLASS is left
//   driver dialog TITLE MS              wait for a dialog; print its texts
//   driver button TITLE TEXT            press a button of a window by its text
//   driver key VK...                    type virtual keys into the foreground window
//   driver click X Y                    left click at a screen point
//   driver foreground CLASS             bring a window to the foreground
//   driver screenshot FILE.bmp          the whole screen as a 24-bit BMP
//   driver launch EXE CLASS             start EXE, print the ms until its window
//                                       of CLASS is visible, then end it
//   driver focus CLASS                  the control with the keyboard focus in a window's thread
//   driver children CLASS               the child windows of a window: class, id, text, place
//   driver settext TITLE ID TEXT        set the text of a window's child control by its id
//   driver command TITLE ID             post a command (a button's id) to a window
//   driver select TITLE ID INDEX        choose an item of a window's combo box, as a click in its
//                                       list does; print the chosen item's text
//   driver close CLASS                  ask a window to close, as its title bar's close button does
//   driver type TEXT                    type characters into the foreground window
//   driver move X Y                     move the mouse pointer to a screen point
//   driver tip MS                       wait for a tooltip to show; print its text
//   driver ending CLASS FIRST SECOND    end a window's show with FIRST (a virtual key), then once
//                                       its fade has begun give SECOND (a key, or "close"); print
//                                       each change of its opacity and visibility until it is gone

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Narrow(const wchar_t* text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, &s[0], n, nullptr, nullptr);
  return s;
}

std::wstring Widen(const char* text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring s(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, text, -1, &s[0], n);
  return s;
}

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

std::wstring TitleOf(HWND hwnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

void Describe(HWND hwnd) {
  RECT w, c;
  GetWindowRect(hwnd, &w);
  GetClientRect(hwnd, &c);
  POINT origin = {0, 0};
  ClientToScreen(hwnd, &origin);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  LONG ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  std::printf("hwnd=%p pid=%lu class=%s title=%s window=%ld,%ld,%ld,%ld client=%ld,%ld,%ld,%ld topmost=%d "
              "visible=%d layered=%d toolwindow=%d caption=%d foreground=%d\n",
              (void*)hwnd, pid, Narrow(ClassOf(hwnd).c_str()).c_str(), Escape(Narrow(TitleOf(hwnd).c_str())).c_str(),
              w.left, w.top, w.right, w.bottom, origin.x, origin.y, origin.x + c.right, origin.y + c.bottom,
              (ex & WS_EX_TOPMOST) ? 1 : 0, IsWindowVisible(hwnd) ? 1 : 0, (ex & WS_EX_LAYERED) ? 1 : 0,
              (ex & WS_EX_TOOLWINDOW) ? 1 : 0, (style & WS_CAPTION) == WS_CAPTION ? 1 : 0,
              GetForegroundWindow() == hwnd ? 1 : 0);
}

struct Search {
  std::wstring cls, title;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (!IsWindowVisible(hwnd)) return TRUE;
  if (!s->cls.empty() && s->cls != L"*" && ClassOf(hwnd) != s->cls) return TRUE;
  if (s->title != L"*" && TitleOf(hwnd) != s->title) return TRUE;
  s->found = hwnd;
  return FALSE;
}

HWND WaitFor(const std::wstring& cls, const std::wstring& title, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    Search s{cls, title};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    if (GetTickCount() - start > ms) return nullptr;
    Sleep(50);
  }
}

BOOL CALLBACK ListOne(HWND hwnd, LPARAM) {
  if (IsWindowVisible(hwnd)) Describe(hwnd);
  return TRUE;
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM) {
  std::wstring text = TitleOf(hwnd);
  if (!text.empty())
    std::printf("child class=%s text=%s\n", Narrow(ClassOf(hwnd).c_str()).c_str(), Escape(Narrow(text.c_str())).c_str());
  return TRUE;
}

struct ButtonSearch {
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK FindButton(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ButtonSearch*>(lp);
  if (TitleOf(hwnd) == s->text) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

void SendKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
  Sleep(30);
}

int Screenshot(const char* path) {
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files store it
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  DWORD stride = ((w * 3 + 3) / 4) * 4, size = stride * h;
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
  fh.bfSize = fh.bfOffBits + size;
  FILE* f = std::fopen(path, "wb");
  if (!f) return 1;
  std::fwrite(&fh, sizeof(fh), 1, f);
  std::fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f);
  std::fwrite(bits, size, 1, f);
  std::fclose(f);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return 0;
}

// GetWindowText does not ask controls of another process for their text.
std::wstring ControlText(HWND hwnd) {
  std::wstring text(4096, L'\0');  // on the heap: no frame may pass a page
  DWORD_PTR got = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 2000, &got);
  text.resize(wcslen(text.c_str()));
  return text;
}

void DescribeChild(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  std::printf("child hwnd=%p class=%s id=%d place=%ld,%ld,%ld,%ld visible=%d text=%s\n", (void*)hwnd,
              Narrow(ClassOf(hwnd).c_str()).c_str(),
              GetDlgCtrlID(hwnd), r.left, r.top, r.right, r.bottom, IsWindowVisible(hwnd) ? 1 : 0,
              Escape(Narrow(ControlText(hwnd).c_str())).c_str());
}

BOOL CALLBACK DescribeEachChild(HWND hwnd, LPARAM) {
  DescribeChild(hwnd);
  return TRUE;
}

struct IdSearch {
  int id;
  HWND found = nullptr;
};

// The visible child with the id; an edit box first where a combo box holds one with the same id.
BOOL CALLBACK FindById(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<IdSearch*>(lp);
  if (GetDlgCtrlID(hwnd) != s->id || !IsWindowVisible(hwnd)) return TRUE;
  if (!s->found || ClassOf(hwnd) == L"Edit") s->found = hwnd;
  return TRUE;
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = c;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(20);
  }
}

// FIRST and SECOND of "ending": a virtual key, or "close" for the title
// bar's close command.
void Give(HWND hwnd, const char* what) {
  if (std::strcmp(what, "close") == 0) {
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else {
    SendKey(static_cast<WORD>(std::strtol(what, nullptr, 0)));
  }
}

int WatchEnding(const std::wstring& cls, const char* first, const char* second) {
  HWND hwnd = WaitFor(cls, L"*", 5000);
  if (!hwnd) return 1;
  Give(hwnd, first);
  int lastAlpha = -1, lastVisible = -1;
  bool secondGiven = false;
  DWORD start = GetTickCount();
  while (IsWindow(hwnd)) {
    BYTE alpha = 0;
    DWORD flags = 0;
    // Not yet layered: the window is still wholly opaque. Once it has been,
    // a failing read means the window is being destroyed: it keeps the
    // opacity last seen rather than passing for opaque again.
    bool read = GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) && (flags & LWA_ALPHA);
    int now = read ? alpha : (lastAlpha < 0 ? 255 : lastAlpha);
    int visible = IsWindowVisible(hwnd) ? 1 : 0;
    if (now != lastAlpha || visible != lastVisible) {
      std::printf("alpha=%d visible=%d\n", now, visible);
      std::fflush(stdout);
      lastAlpha = now;
      lastVisible = visible;
    }
    if (!secondGiven && now < 255) {
      Give(hwnd, second);
      std::printf("second\n");
      secondGiven = true;
    }
    if (GetTickCount() - start > 30000) return 1;
    Sleep(1);
  }
  std::printf("gone\n");
  return 0;
}

}  // namespace

// The arguments as UTF-8, read from the wide command line: the ANSI argv
// would turn names such as "Ζωή" into question marks before we saw them.
int Run(int argc, char** argv);

int main() {
  int argc = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!wide) return 2;
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(Narrow(wide[i]));
  LocalFree(wide);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  return Run(argc, argv.data());
}

int Run(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string cmd = argv[1];
  if (cmd == "windows") {
    EnumWindows(ListOne, 0);
    return 0;
  }
  if (cmd == "wait" && argc == 5) {
    HWND hwnd = WaitFor(Widen(argv[2]), Widen(argv[3]), std::atoi(argv[4]));
    if (!hwnd) return 1;
    Describe(hwnd);
    return 0;
  }
  if (cmd == "gone" && argc == 4) {
    DWORD start = GetTickCount();
    while (WaitFor(Widen(argv[2]), L"*", 0)) {
      if (GetTickCount() - start > static_cast<DWORD>(std::atoi(argv[3]))) return 1;
      Sleep(50);
    }
    return 0;
  }
  if (cmd == "dialog" && argc == 4) {
    HWND hwnd = WaitFor(L"#32770", Widen(argv[2]), std::atoi(argv[3]));
    if (!hwnd) return 1;
    Describe(hwnd);
    EnumChildWindows(hwnd, PrintChild, 0);
    return 0;
  }
  if (cmd == "button" && argc == 4) {
    HWND hwnd = WaitFor(L"*", Widen(argv[2]), 5000);
    if (!hwnd) return 1;
    ButtonSearch s{Widen(argv[3])};
    EnumChildWindows(hwnd, FindButton, reinterpret_cast<LPARAM>(&s));
    if (!s.found) return 1;
    PostMessageW(s.found, BM_CLICK, 0, 0);
    return 0;
  }
  if (cmd == "foreground" && argc == 3) {
    HWND hwnd = WaitFor(Widen(argv[2]), L"*", 5000);
    if (!hwnd) return 1;
    SetForegroundWindow(hwnd);
    Sleep(100);
    return GetForegroundWindow() == hwnd ? 0 : 1;
  }
  if (cmd == "key" && argc >= 3) {
    for (int i = 2; i < argc; ++i) SendKey(static_cast<WORD>(std::strtol(argv[i], nullptr, 0)));
    return 0;
  }
  if (cmd == "click" && argc == 4) {
    SetCursorPos(std::atoi(argv[2]), std::atoi(argv[3]));
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(50);
    return 0;
  }
  if (cmd == "screenshot" && argc == 3) return Screenshot(argv[2]);
  if (cmd == "launch" && argc == 4) {
    std::wstring exe = Widen(argv[2]), cls = Widen(argv[3]);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    LARGE_INTEGER frequency, begin, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    HWND hwnd = nullptr;
    for (int i = 0; i < 200000 && !hwnd; ++i) {
      HWND found = FindWindowW(cls.c_str(), nullptr);
      if (found && IsWindowVisible(found)) hwnd = found;
      else Sleep(1);
    }
    QueryPerformanceCounter(&now);
    std::printf("%.1f\n", 1000.0 * (now.QuadPart - begin.QuadPart) / frequency.QuadPart);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return hwnd ? 0 : 1;
  }
  if (cmd == "focus" && argc == 3) {
    HWND hwnd = WaitFor(Widen(argv[2]), L"*", 5000);
    if (!hwnd) return 1;
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) || !info.hwndFocus) return 1;
    DescribeChild(info.hwndFocus);
    return 0;
  }
  if (cmd == "children" && argc == 3) {
    HWND hwnd = WaitFor(Widen(argv[2]), L"*", 5000);
    if (!hwnd) return 1;
    EnumChildWindows(hwnd, DescribeEachChild, 0);
    return 0;
  }
  if (cmd == "settext" && argc == 5) {
    HWND hwnd = WaitFor(L"*", Widen(argv[2]), 5000);
    if (!hwnd) return 1;
    IdSearch s{std::atoi(argv[3])};
    EnumChildWindows(hwnd, FindById, reinterpret_cast<LPARAM>(&s));
    if (!s.found) return 1;
    std::wstring text = Widen(argv[4]);
    return SendMessageW(s.found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) ? 0 : 1;
  }
  if (cmd == "command" && argc == 4) {
    HWND hwnd = WaitFor(L"*", Widen(argv[2]), 5000);
    if (!hwnd) return 1;
    return PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), BN_CLICKED), 0) ? 0 : 1;
  }
  if (cmd == "select" && argc == 5) {
    HWND hwnd = WaitFor(L"*", Widen(argv[2]), 5000);
    if (!hwnd) return 1;
    IdSearch s{std::atoi(argv[3])};
    EnumChildWindows(hwnd, FindById, reinterpret_cast<LPARAM>(&s));
    if (!s.found) return 1;
    WPARAM index = static_cast<WPARAM>(std::atoi(argv[4]));
    if (SendMessageW(s.found, CB_SETCURSEL, index, 0) != static_cast<LRESULT>(index)) return 1;
    // Setting the selection by message tells nobody; a choice in the list tells the owner, both ways.
    for (WORD code : {CBN_SELENDOK, CBN_SELCHANGE})
      SendMessageW(GetParent(s.found), WM_COMMAND, MAKEWPARAM(s.id, code), reinterpret_cast<LPARAM>(s.found));
    std::printf("%s\n", Narrow(ControlText(s.found).c_str()).c_str());
    return 0;
  }
  if (cmd == "close" && argc == 3) {
    HWND hwnd = WaitFor(Widen(argv[2]), L"*", 5000);
    if (!hwnd) return 1;
    return PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  }
  if (cmd == "tip" && argc == 3) {
    HWND hwnd = WaitFor(L"tooltips_class32", L"*", std::atoi(argv[2]));
    if (!hwnd) return 1;
    std::printf("%s\n", Narrow(ControlText(hwnd).c_str()).c_str());
    return 0;
  }
  if (cmd == "type" && argc == 3) {
    TypeText(Widen(argv[2]));
    return 0;
  }
  if (cmd == "ending" && argc == 5) return WatchEnding(Widen(argv[2]), argv[3], argv[4]);
  if (cmd == "move" && argc == 4) {
    SetCursorPos(std::atoi(argv[2]), std::atoi(argv[3]));
    Sleep(50);
    return 0;
  }
  return 2;
}
