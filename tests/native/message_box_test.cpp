// The portable part of message boxes: values written as text, the style and the
// result mapping.
#include <string>

#include <gtest/gtest.h>

#include "desktop/message_box.h"

namespace {

MessageValue value_of(MessageValue::Kind kind, int64_t integer = 0, double real = 0) {
  MessageValue v;
  v.kind = kind;
  v.integer = integer;
  v.real = real;
  return v;
}

MessageValue date(int32_t y, int32_t mo, int32_t d, int32_t h, int32_t mi, int32_t s) {
  MessageValue v;
  v.kind = MessageValue::Kind::date_time;
  v.date_time = DateTime{y, mo, d, h, mi, s};
  return v;
}

TEST(MessageValues, AreWrittenAsText) {
  const std::string nian = "\xC4\xEA", yue = "\xD4\xC2", ri = "\xC8\xD5", shi = "\xCA\xB1", fen = "\xB7\xD6",
                    miao = "\xC3\xEB";
  MessageValue yes = value_of(MessageValue::Kind::logical);
  yes.logical = true;
  struct Case {
    const char* name;
    MessageValue value;
    std::string expected;
  };
  const Case cases[] = {
      {"text", MessageValue::of("abc"), "abc"},
      {"absent text", MessageValue::of(nullptr), ""},
      {"byte", value_of(MessageValue::Kind::byte, 300), "44"},
      {"16-bit", value_of(MessageValue::Kind::int16, 40000), "-25536"},
      {"32-bit", value_of(MessageValue::Kind::int32, -7), "-7"},
      {"64-bit", value_of(MessageValue::Kind::int64, INT64_MIN), "-9223372036854775808"},
      {"float", value_of(MessageValue::Kind::float32, 0, 1.0 / 3.0), "0.333333"},
      {"double", value_of(MessageValue::Kind::float64, 0, 1.0 / 3.0), "0.3333333333333"},
      {"true", yes, "\xD5\xE6"},
      {"false", value_of(MessageValue::Kind::logical), "\xBC\xD9"},
      {"date with seconds", date(2026, 12, 11, 9, 5, 7), "2026" + nian + "12" + yue + "11" + ri + "9" + shi + "5" + fen + "7" + miao},
      {"date with minutes", date(2026, 1, 2, 0, 30, 0), "2026" + nian + "1" + yue + "2" + ri + "0" + shi + "30" + fen},
      {"date with an hour", date(2026, 1, 2, 13, 0, 0), "2026" + nian + "1" + yue + "2" + ri + "13" + shi},
      {"date alone", date(2026, 1, 2, 0, 0, 0), "2026" + nian + "1" + yue + "2" + ri},
      {"other kind", value_of(MessageValue::Kind::other), ""},
  };
  for (const Case& c : cases) {
    char out[kMessageBufferSize];
    format_message_value(c.value, out, sizeof out);
    EXPECT_EQ(std::string(out), c.expected) << c.name;
  }
}

TEST(MessageBoxStyle, TaskModalUnlessSystemModal) {
  EXPECT_EQ(message_box_style(0), 0x2000u);
  EXPECT_EQ(message_box_style(16), 0x2010u);
  EXPECT_EQ(message_box_style(4), 0x2004u);
  EXPECT_EQ(message_box_style(0x1010), 0x1010u);
}

TEST(MessageBoxResult, TheWindowsCodeLessOne) {
  const int yes_no = 4;
  for (int code = 1; code <= 7; ++code) EXPECT_EQ(message_box_result(code, yes_no), code - 1);
  EXPECT_EQ(message_box_result(0, yes_no), 0) << "a failed box";
  EXPECT_EQ(message_box_result(11, yes_no), 0);
  EXPECT_EQ(message_box_result(2, 0), 0) << "an OK-only box closed with Esc counts as OK";
  EXPECT_EQ(message_box_result(2, 0x1010), 0);
  EXPECT_EQ(message_box_result(2, 1), 1) << "OK and Cancel: Cancel";
}

}  // namespace
