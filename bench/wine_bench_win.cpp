// Measurements of the real program under Wine, each against a baseline taken in
// the same run:
//   startup: process start to an idle, visible main window, for the program and
//            for a minimal Win32 window program built with the same flags;
//   click:   click on the button to the message box, for a typical link and for
//            a pasted text of 1 MiB with the share link at its end.
// Prints medians, spreads and ratios; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "build_config.h"

namespace {

double now_ms() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string beside_me(const char* name) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + name;
}

struct Found {
  DWORD process;
  const char* box_class;
  HWND window;
};

BOOL CALLBACK find_visible(HWND hwnd, LPARAM data) {
  auto* f = reinterpret_cast<Found*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != f->process || !IsWindowVisible(hwnd)) return TRUE;
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (f->box_class != nullptr && std::strcmp(name, f->box_class) != 0) return TRUE;
  f->window = hwnd;
  return FALSE;
}

HWND wait_window(DWORD process, const char* cls, double timeout_ms) {
  const double start = now_ms();
  Found f{process, cls, nullptr};
  while (now_ms() - start < timeout_ms) {
    f.window = nullptr;
    EnumWindows(find_visible, reinterpret_cast<LPARAM>(&f));
    if (f.window != nullptr) return f.window;
    Sleep(0);
  }
  return nullptr;
}

struct Figures {
  double median = 0, low = 0, high = 0;
};

Figures figures(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  Figures f;
  if (samples.empty()) return f;
  f.median = samples[samples.size() / 2];
  f.low = samples.front();
  f.high = samples.back();
  return f;
}

// One start: from CreateProcess to the window being visible with the program
// idle, waiting for input.
double start_once(const std::string& exe, const char* window_class) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + exe + "\"";
  const double t0 = now_ms();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  HWND window = wait_window(process.dwProcessId, window_class, 20000);
  WaitForInputIdle(process.hProcess, 20000);
  const double t1 = now_ms();
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return window != nullptr ? t1 - t0 : -1;
}

void bench_startup(int runs) {
  std::vector<double> program, minimal;
  // Interleaved, so that both see the same state of the machine.
  start_once(beside_me("weiyun-direct-link.exe"), "WdlWindow");
  for (int i = 0; i < runs; ++i) {
    minimal.push_back(start_once(beside_me("minimal-window.exe"), "MinimalWindow"));
    program.push_back(start_once(beside_me("weiyun-direct-link.exe"), "WdlWindow"));
  }
  const Figures p = figures(program), m = figures(minimal);
  std::printf("startup over %d runs (ms): program median %.1f [%.1f..%.1f], minimal window median %.1f [%.1f..%.1f], "
              "ratio %.2f (target at most 1.20)\n",
              runs, p.median, p.low, p.high, m.median, m.low, m.high, m.median > 0 ? p.median / m.median : 0.0);
}

// Pastes a text into the box as a user does, through the clipboard: a message
// as large as 1 MiB does not reach another process's control under Wine.
bool paste_into(HWND box, const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  PostMessageA(box, WM_PASTE, 0, 0);
  const double start = now_ms();
  while (now_ms() - start < 20000) {
    if (static_cast<size_t>(SendMessageA(box, WM_GETTEXTLENGTH, 0, 0)) == text.size()) return true;
    Sleep(5);
  }
  return false;
}

// Click to box, with the link box holding text.
std::vector<double> click_latencies(const std::string& text, int runs) {
  std::vector<double> samples;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + beside_me("weiyun-direct-link.exe") + "\"";
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return samples;
  }
  HWND window = wait_window(process.dwProcessId, "WdlWindow", 20000);
  WaitForInputIdle(process.hProcess, 20000);
  HWND box = GetDlgItem(window, 100);
  HWND button = GetDlgItem(window, 110);
  if (!paste_into(box, text)) std::printf("the text did not arrive in the box\n");
  for (int i = 0; i < runs + 1; ++i) {
    const double t0 = now_ms();
    PostMessageA(button, BM_CLICK, 0, 0);
    HWND message = wait_window(process.dwProcessId, "#32770", 20000);
    const double t1 = now_ms();
    if (message == nullptr) break;
    if (i > 0) samples.push_back(t1 - t0);  // the first click warms up
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    while (IsWindow(message) || !IsWindowEnabled(window)) Sleep(1);
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return samples;
}

void bench_click(int runs) {
  const std::string link = "https://" WDL_SHARE_HOST "/s/6qK3bYzWl0Fa1xYz";
  std::string large;
  const std::string filler = "Lorem ipsum dolor sit amet, consectetur adipiscing elit. ";
  while (large.size() + link.size() < (1u << 20)) large += filler;
  large.resize((1u << 20) - link.size());
  large += link;
  const Figures typical = figures(click_latencies(link, runs));
  const Figures mib = figures(click_latencies(large, runs));
  std::printf("click to box over %d clicks (ms): typical link median %.1f [%.1f..%.1f], 1 MiB text median %.1f "
              "[%.1f..%.1f], ratio %.2f (target: 1 MiB under 100 ms)\n",
              runs, typical.median, typical.low, typical.high, mib.median, mib.low, mib.high,
              typical.median > 0 ? mib.median / typical.median : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 15;
  bool startup = true, click = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) runs = 3;
    if (std::strcmp(argv[i], "startup") == 0) click = false;
    if (std::strcmp(argv[i], "click") == 0) startup = false;
  }
  if (startup) bench_startup(runs);
  if (click) bench_click(runs);
  return 0;
}
