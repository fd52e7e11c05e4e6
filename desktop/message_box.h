// Modal message boxes: the message text from a value of any kind, the style, the
// owner and the caption, and the button that closed the box.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "convert/text.h"
#include "ui/definition_types.h"

struct DateTime {
  int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The message argument: normally a text, or a value written as text.
struct MessageValue {
  enum class Kind { text, byte, int16, int32, int64, float32, float64, logical, date_time, other };
  Kind kind = Kind::text;
  Text text = nullptr;
  int64_t integer = 0;
  double real = 0;
  bool logical = false;
  DateTime date_time{};

  static MessageValue of(Text text) {
    MessageValue v;
    v.text = text;
    return v;
  }
};

// The owner argument: omitted, a window by its ControlId, a window handle as an
// integer, or a value of another kind (which counts as no owner).
struct MessageOwner {
  enum class Kind { omitted, window, integer, other };
  Kind kind = Kind::omitted;
  ControlId window = 0;
  intptr_t handle = 0;
};

// Shows the box and returns when the user has closed it: 0 for OK (and for a
// failed box), 1 Cancel, 2 Abort, 3 Retry, 4 Ignore, 5 Yes, 6 No.
int32_t show_message(const MessageValue& message, int32_t value, std::optional<Text> caption = std::nullopt,
                     MessageOwner owner = {});

// Writes a value that is not a text into out (100 bytes are enough); a text is
// used in place and not written here.
constexpr size_t kMessageBufferSize = 100;
void format_message_value(const MessageValue& value, char* out, size_t capacity);

// MB_TASKMODAL is added unless the value holds MB_SYSTEMMODAL.
uint32_t message_box_style(int32_t value);

// What MessageBoxA returned for a box of the given value, as show_message gives
// it. A box whose only button is OK counts as closed with OK however it was
// closed (Esc, the close box), as on Windows.
int32_t message_box_result(int code, int32_t value);
