// A test variant of the program, never shipped: it writes what happens to the
// log file named by WDL_TEST_LOG, makes the Nth text allocation of its first
// click fail when WDL_TEST_FAIL_ALLOCATION=N, and answers a probe window's
// messages with the number of live owned texts and of allocations made.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/program_variant.h"
#include "convert/program_state.h"
#include "convert/text_memory_hooks.h"

namespace {

constexpr char kProbeClass[] = "WdlTestProbe";
constexpr UINT kAskLiveTexts = WM_USER + 1;
constexpr UINT kAskAllocations = WM_USER + 2;

HANDLE g_log = INVALID_HANDLE_VALUE;
uint64_t g_fail_at = 0;
bool g_armed = false;
bool g_in_click = false;

void log_line(const char* text) {
  if (g_log == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(g_log, text, lstrlenA(text), &written, nullptr);
  WriteFile(g_log, "\r\n", 2, &written, nullptr);
}

void observe(uint32_t size) {
  if (!g_in_click) return;
  char line[32];
  wsprintfA(line, "alloc %lu", static_cast<unsigned long>(size));
  log_line(line);
}

LRESULT CALLBACK probe(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kAskLiveTexts) return static_cast<LRESULT>(text_memory_live_texts());
  if (message == kAskAllocations) return static_cast<LRESULT>(text_memory_allocation_count());
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

void before_start() {
  char path[MAX_PATH] = {};
  if (GetEnvironmentVariableA("WDL_TEST_LOG", path, MAX_PATH) > 0) {
    g_log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  char number[32] = {};
  if (GetEnvironmentVariableA("WDL_TEST_FAIL_ALLOCATION", number, sizeof number) > 0) {
    g_fail_at = std::strtoull(number, nullptr, 10);
  }
  text_memory_observe_allocations(observe);
  log_line("start");
}

void after_load() {
  char directory[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, directory);
  char line[MAX_PATH + 8];
  wsprintfA(line, "cwd=%s", directory);
  log_line(line);
  WNDCLASSA wc{};
  wc.lpfnWndProc = probe;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kProbeClass;
  RegisterClassA(&wc);
  CreateWindowExA(WS_EX_TOOLWINDOW, kProbeClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                  nullptr);
}

EventResult click(const EventArgument* arguments, uint32_t count) {
  if (!g_armed && g_fail_at != 0) {
    g_armed = true;
    text_memory_fail_nth_allocation(g_fail_at);
  }
  log_line("click");
  g_in_click = true;
  EventResult result = run_generate_direct_link(arguments, count);
  g_in_click = false;
  log_line("click done");
  return result;
}

void logged_release_globals() {
  log_line("release_globals");
  release_globals();
}

}  // namespace

const ProgramVariant& program_variant() {
  static const ProgramVariant variant = {before_start, after_load, click, logged_release_globals};
  return variant;
}
