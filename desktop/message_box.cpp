#include "desktop/message_box.h"

#include "convert/text_format.h"
#include "desktop/real_format.h"
#include "generated/desktop_texts.h"
#include "ui/win32_values.h"

namespace {

void append_number(char* out, size_t capacity, int32_t value, const char* unit) {
  char number[12];
  format_signed(value, number);
  append_text(out, capacity, number);
  append_text(out, capacity, unit);
}

}  // namespace

void format_message_value(const MessageValue& v, char* out, size_t capacity) {
  if (capacity == 0) return;
  out[0] = '\0';
  char number[24];
  switch (v.kind) {
    case MessageValue::Kind::text:
      append_text(out, capacity, v.text);
      break;
    case MessageValue::Kind::byte:
      format_unsigned(static_cast<uint8_t>(v.integer), number);
      append_text(out, capacity, number);
      break;
    case MessageValue::Kind::int16:
      format_signed(static_cast<int16_t>(v.integer), number);
      append_text(out, capacity, number);
      break;
    case MessageValue::Kind::int32:
      format_signed(static_cast<int32_t>(v.integer), number);
      append_text(out, capacity, number);
      break;
    case MessageValue::Kind::int64:
      format_signed64(v.integer, number);
      append_text(out, capacity, number);
      break;
    case MessageValue::Kind::float32:
      format_real(static_cast<double>(static_cast<float>(v.real)), 6, out, capacity);
      break;
    case MessageValue::Kind::float64:
      format_real(v.real, 13, out, capacity);
      break;
    case MessageValue::Kind::logical:
      append_text(out, capacity, v.logical ? WDL_TXT_TRUE : WDL_TXT_FALSE);
      break;
    case MessageValue::Kind::date_time: {
      const DateTime& d = v.date_time;
      append_number(out, capacity, d.year, WDL_TXT_YEAR);
      append_number(out, capacity, d.month, WDL_TXT_MONTH);
      append_number(out, capacity, d.day, WDL_TXT_DAY);
      if (d.second != 0) {
        append_number(out, capacity, d.hour, WDL_TXT_HOUR);
        append_number(out, capacity, d.minute, WDL_TXT_MINUTE);
        append_number(out, capacity, d.second, WDL_TXT_SECOND);
      } else if (d.minute != 0) {
        append_number(out, capacity, d.hour, WDL_TXT_HOUR);
        append_number(out, capacity, d.minute, WDL_TXT_MINUTE);
      } else if (d.hour != 0) {
        append_number(out, capacity, d.hour, WDL_TXT_HOUR);
      }
      break;
    }
    case MessageValue::Kind::other:
      break;
  }
}

uint32_t message_box_style(int32_t value) {
  const uint32_t style = static_cast<uint32_t>(value);
  return (style & w32::kMbSystemModal) != 0 ? style : style + w32::kMbTaskModal;
}

int32_t message_box_result(int code, int32_t value) {
  constexpr uint32_t kButtonsMask = 0x0F;  // MB_TYPEMASK; MB_OK is 0
  if ((static_cast<uint32_t>(value) & kButtonsMask) == 0) return 0;
  return (code >= 1 && code <= 7) ? code - 1 : 0;
}
