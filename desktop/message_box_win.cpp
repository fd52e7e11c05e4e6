#include <windows.h>

#include "desktop/message_box.h"
#include "generated/desktop_texts.h"
#include "ui/events.h"
#include "ui/window_runtime_win.h"

namespace {

HWND owner_window(const MessageOwner& owner) {
  switch (owner.kind) {
    case MessageOwner::Kind::window: {
      // A window's owner handle only while the window is loaded and alive.
      const WindowDefinition* w = find_window(program_definitions(), owner.window);
      const LiveWindow* live = w != nullptr ? live_window(*w) : nullptr;
      return live != nullptr && IsWindow(live->hwnd) ? live->hwnd : nullptr;
    }
    case MessageOwner::Kind::integer:
      return reinterpret_cast<HWND>(owner.handle);
    default:
      return nullptr;
  }
}

}  // namespace

int32_t show_message(const MessageValue& message, int32_t value, std::optional<Text> caption, MessageOwner owner) {
  char written[kMessageBufferSize];
  Text text = message.text;
  if (message.kind != MessageValue::Kind::text) {
    format_message_value(message, written, sizeof written);
    text = written;
  }
  const int code = MessageBoxA(owner_window(owner), text != nullptr ? text : "",
                               caption.has_value() ? (*caption != nullptr ? *caption : "") : WDL_TXT_DEFAULT_CAPTION,
                               message_box_style(value));
  return message_box_result(code, value);
}
