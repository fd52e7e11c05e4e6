// Tab and Shift+Tab in the window's own order, Enter for a default push button,
// Escape to close, F1 for help.
#include "ui/keyboard_filter_win.h"

#include "convert/text_memory.h"
#include "ui/events.h"
#include "ui/focus_win.h"
#include "ui/key_codes.h"
#include "ui/window_runtime_win.h"

namespace {

bool held(int virtual_key) { return (GetKeyState(virtual_key) & 0x8000) != 0; }

bool is_enabled_default_button(const LiveWindow& w, int32_t index) {
  LiveControl* control = index > 0 ? live_control(*w.definition, static_cast<uint32_t>(index)) : nullptr;
  return control != nullptr && IsWindowEnabled(control->hwnd) &&
         control_kind(control->kind)->is_default_push_button(control);
}

// Raises the click of a default push button; the routine may destroy the window.
void press(const LiveWindow& w, int32_t index) {
  raise_event(w.definition->id, unit_id(*w.definition, static_cast<uint32_t>(index)), kEventClick);
}

bool handle_enter(LiveWindow& w, HWND focus, int32_t focused) {
  if (is_enabled_default_button(w, focused)) {
    press(w, focused);
    return true;
  }
  if (w.props.enter_moves_focus == 1) {
    move_focus(w, focus, true);
    return true;
  }
  for (uint32_t i = 1; i < w.definition->unit_count; ++i) {
    if (is_enabled_default_button(w, static_cast<int32_t>(i))) {
      press(w, static_cast<int32_t>(i));
      return true;
    }
  }
  return false;
}

bool open_help(const LiveWindow& w) {
  if (w.props.f1_opens_help != 1) return false;
  char* file = zero_ended_copy(w.props.help_file);
  if (w.props.help_context != 0) {
    WinHelpA(w.hwnd, file, HELP_CONTEXT, w.props.help_context);
  } else {
    WinHelpA(w.hwnd, file, HELP_FINDER, 0);
  }
  release_text(file);
  return true;
}

}  // namespace

bool filter_message(LiveWindow& w, const MSG& message) {
  // Keyboard messages are 0x100 to 0x108 here (not WM_UNICHAR, which newer SDKs count in).
  const bool keyboard = message.message >= 0x0100 && message.message <= 0x0108;
  if (keyboard && !IsWindowEnabled(message.hwnd)) return false;
  // The main window has no accelerators to translate.
  if (!has_key_code(message.message)) return false;
  const uint16_t code = key_code(static_cast<uint32_t>(message.wParam), held(VK_CONTROL), held(VK_SHIFT),
                                 message.message == WM_SYSKEYDOWN ? (message.lParam & (1 << 29)) != 0 : held(VK_MENU));
  if (code != kKeyTab && code != kKeyShiftTab && code != kKeyEnter && code != kKeyEscape && code != kKeyF1) {
    return false;
  }
  HWND focus = GetFocus();
  const int32_t focused = unit_of_control(w, focus);
  if (focused > 0) {
    LiveControl* control = live_control(*w.definition, static_cast<uint32_t>(focused));
    if (control != nullptr && control_kind(control->kind)->wants_key(control, code)) return false;
  }
  switch (code) {
    case kKeyTab:
      move_focus(w, focus, true);
      return true;
    case kKeyShiftTab:
      move_focus(w, focus, false);
      return true;
    case kKeyEnter:
      return handle_enter(w, focus, focused);
    case kKeyEscape:
      if (w.props.escape_closes != 1) return false;
      SendMessageA(w.hwnd, WM_CLOSE, 0, 0);
      return true;
    case kKeyF1:
      return open_help(w);
    default:
      return false;
  }
}
