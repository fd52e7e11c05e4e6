#include <windows.h>
#include <ole2.h>

#include "app/program_end.h"
#include "app/program_variant.h"
#include "app/start_program.h"
#include "convert/constant_texts.h"
#include "convert/generate_command.h"
#include "convert/text_heap_win.h"
#include "generated/app_texts.h"
#include "ui/events.h"
#include "ui/main_window_definition.h"
#include "ui/window_runtime_win.h"

namespace {

constexpr char kOwnerClass[] = "WdlOwner";
bool g_ole_initialised = false;
HWND g_hidden_owner = nullptr;

// The program folder as Windows reports the executable's path, cut before its
// last "\". The wide form also serves paths beyond 260 bytes and names outside
// the ANSI code page.
void enter_program_folder() {
  constexpr DWORD kCapacity = 32768;
  auto* path = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, kCapacity * sizeof(wchar_t)));
  if (path == nullptr) return;
  const DWORD length = GetModuleFileNameW(nullptr, path, kCapacity);
  for (DWORD i = length < kCapacity ? length : 0; i-- > 0;) {
    if (path[i] == L'\\') {
      path[i == 2 && path[1] == L':' ? i + 1 : i] = L'\0';  // "C:\" keeps its backslash
      SetCurrentDirectoryW(path);
      break;
    }
  }
  HeapFree(GetProcessHeap(), 0, path);
}

HWND create_hidden_owner() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kOwnerClass;
  RegisterClassExA(&wc);
  return CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

void release_process_items() {
  release_window_icons();
  if (g_hidden_owner != nullptr) {
    DestroyWindow(g_hidden_owner);
    g_hidden_owner = nullptr;
    set_hidden_owner_window(nullptr);
  }
  if (g_ole_initialised) {
    OleUninitialize();
    g_ole_initialised = false;
  }
}

}  // namespace

EventResult run_generate_direct_link(const EventArgument*, uint32_t) {
  generate_direct_link();
  return EventResult{};
}

void prepare_process() {
  use_process_heap_for_texts();
  if (!g_ole_initialised) g_ole_initialised = SUCCEEDED(OleInitialize(nullptr));
  enter_program_folder();
  g_hidden_owner = create_hidden_owner();
  set_hidden_owner_window(g_hidden_owner);
  record_constant_text_block();

  ProcessResources resources;
  resources.discard_definitions = discard_program_definitions;
  resources.release_process_items = release_process_items;
  set_process_resources(resources);

  static EventRoutine routines[1];
  routines[kRoutineGenerateDirectLink] = program_variant().click_routine;
  if (read_program_definitions(main_window_block(), RoutineTable{routines, 1}) != ReadStatus::ok) {
    report_fatal_error(WDL_TXT_DEFINITIONS_UNREADABLE, 0);
  }
}

int32_t start_program() {
  if (program_variant().before_start != nullptr) program_variant().before_start();
  prepare_process();
  reset_floating_point_unit();
  register_exit_routine(program_variant().exit_routine);
  if (!load_window(kMainWindowId)) report_fatal_error(WDL_TXT_MAIN_WINDOW_FAILED, 0);
  if (program_variant().after_load != nullptr) program_variant().after_load();
  run_message_loop();
  return 0;
}
