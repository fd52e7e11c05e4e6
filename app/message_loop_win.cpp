// The message loop: every message is offered to the keyboard filters of the
// window it is for and of the windows above it, then translated and dispatched.
#include <windows.h>

#include "app/start_program.h"
#include "ui/keyboard_filter_win.h"
#include "ui/window_runtime_win.h"

namespace {

bool g_loop_started = false;
int32_t g_quit_code = 0;

// The quit message goes out once no window of the program is left, but only
// after the loop has started.
void on_window_destroyed() {
  if (g_loop_started && !any_window_loaded()) PostQuitMessage(0);
}

bool offer_to_filters(const MSG& message) {
  for (HWND h = message.hwnd; h != nullptr;) {
    if (LiveWindow* window = live_window_of(h)) {
      if (filter_message(*window, message)) return true;
    }
    if (GetAncestor(h, GA_ROOT) == h) break;
    h = GetAncestor(h, GA_PARENT);
  }
  return false;
}

}  // namespace

void run_message_loop() {
  set_window_destroyed_hook(on_window_destroyed);
  g_loop_started = true;
  if (!any_window_loaded()) return;
  MSG message;
  for (;;) {
    // No idle-time work is registered by any window, so an empty queue just waits.
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      g_quit_code = static_cast<int32_t>(message.wParam);
      return;
    }
    if (got == -1) return;
    if (offer_to_filters(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

int32_t quit_code() { return g_quit_code; }
