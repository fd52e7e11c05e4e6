// Property blocks of every version: older ones give the later fields their
// defaults, newer ones and short ones are refused.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/native/definition_fixture.h"
#include "ui/byte_reader.h"
#include "ui/property_blocks.h"

namespace {

// The property block written for a kind at a version, with the given fields.
std::vector<uint8_t> props_block(Kind kind, const PropsDesc& props) {
  auto writer = std::make_unique<ByteWriter<1 << 20>>();
  write_props(*writer, kind, props);
  return std::vector<uint8_t>(writer->bytes, writer->bytes + writer->size);
}

// Every field set away from its default, so that a default shows where a field
// was not read.
PropsDesc changed_fields(uint32_t version) {
  PropsDesc p;
  p.version = version;
  p.window.border_style = 5;
  p.window.help_context = 9;
  p.window.taskbar_button = 0;
  p.window.shape = 3;
  p.window.always_on_top = 1;
  p.window.keep_caption_active = 1;
  p.window.class_name = "cls";
  p.window.caption = "cap";
  p.window.help_file = "hlp";
  p.edit_box.border_style = 4;
  p.edit_box.password_char = '#';
  p.edit_box.selection_length = 2;
  p.edit_box.content = "x";
  p.edit_box.binding1 = "b1";
  p.edit_box.binding2 = "b2";
  p.label.text_effect = 2;
  p.label.word_wrap = 1;
  p.label.text = "t";
  p.label.binding2 = "b2";
  p.button.default_button = 1;
  p.button.caption = "c";
  p.combo_box.type = 2;
  p.combo_box.current_selection = 4;
  p.combo_box.text = "e";
  p.combo_box.binding1 = "b1";
  p.combo_box.reserved = 77;
  return p;
}

TEST(PropertyBlocks, WindowVersionsGiveLaterFieldsTheirDefaults) {
  for (uint32_t version = 0; version <= kWindowPropsVersion; ++version) {
    SCOPED_TRACE(version);
    std::vector<uint8_t> block = props_block(Kind::window, changed_fields(version));
    WindowProps p;
    ASSERT_EQ(decode_window_props(run_of(block), p), PropsStatus::ok);
    EXPECT_EQ(p.border_style, version >= 1 ? 5u : 2u);
    EXPECT_EQ(p.help_context, version >= 1 ? 9u : 0u);
    EXPECT_EQ(p.taskbar_button, version >= 2 ? 0u : 1u) << "a version 1 window has a taskbar button";
    EXPECT_EQ(p.shape, version >= 3 ? 3u : 0u) << "and no shape";
    EXPECT_EQ(p.always_on_top, version >= 4 ? 1u : 0u);
    EXPECT_EQ(p.keep_caption_active, version >= 5 ? 1u : 0u);
    EXPECT_EQ(bytes_of(p.class_name), version >= 6 ? "cls" : "");
    EXPECT_EQ(bytes_of(p.caption), version >= 6 ? "cap" : "");
    EXPECT_EQ(bytes_of(p.help_file), version >= 6 ? "hlp" : "");
  }
}

TEST(PropertyBlocks, ControlVersionsGiveLaterFieldsTheirDefaults) {
  EditBoxProps e;
  const std::vector<uint8_t> block1 = props_block(Kind::EditBox, changed_fields(1));
  ASSERT_EQ(decode_edit_box_props(run_of(block1), e), PropsStatus::ok);
  EXPECT_EQ(e.border_style, 4u);
  EXPECT_EQ(e.password_char, '#');
  EXPECT_EQ(bytes_of(e.content), "x");
  EXPECT_TRUE(e.binding1.empty());
  const std::vector<uint8_t> block2 = props_block(Kind::EditBox, changed_fields(2));
  ASSERT_EQ(decode_edit_box_props(run_of(block2), e), PropsStatus::ok);
  EXPECT_EQ(bytes_of(e.binding2), "b2");

  LabelProps l;
  const std::vector<uint8_t> block3 = props_block(Kind::Label, changed_fields(1));
  ASSERT_EQ(decode_label_props(run_of(block3), l), PropsStatus::ok);
  EXPECT_EQ(l.text_effect, 2u);
  EXPECT_EQ(bytes_of(l.text), "t");
  EXPECT_TRUE(l.binding2.empty());

  ComboBoxProps c;
  const std::vector<uint8_t> block4 = props_block(Kind::ComboBox, changed_fields(1));
  ASSERT_EQ(decode_combo_box_props(run_of(block4), c), PropsStatus::ok);
  EXPECT_EQ(c.type, 2u);
  EXPECT_EQ(bytes_of(c.text), "e");
  EXPECT_TRUE(c.binding1.empty());
  EXPECT_EQ(c.reserved, 0u);
  const std::vector<uint8_t> block5 = props_block(Kind::ComboBox, changed_fields(2));
  ASSERT_EQ(decode_combo_box_props(run_of(block5), c), PropsStatus::ok);
  EXPECT_EQ(bytes_of(c.binding1), "b1");
  EXPECT_EQ(c.reserved, 0u);
  const std::vector<uint8_t> block6 = props_block(Kind::ComboBox, changed_fields(3));
  ASSERT_EQ(decode_combo_box_props(run_of(block6), c), PropsStatus::ok);
  EXPECT_EQ(c.reserved, 77u);
}

TEST(PropertyBlocks, EmptyBlockLeavesTheDefaults) {
  LabelProps l;
  l.text = "stale";
  ASSERT_EQ(decode_label_props(ByteRun{}, l), PropsStatus::ok);
  EXPECT_EQ(bytes_of(l.text), "\xB1\xEA\xC7\xA9") << "\"标签\"";
  ButtonProps b;
  ASSERT_EQ(decode_button_props(ByteRun{}, b), PropsStatus::ok);
  EXPECT_EQ(bytes_of(b.caption), "\xB0\xB4\xC5\xA5") << "\"按钮\"";
  ComboBoxProps c;
  ASSERT_EQ(decode_combo_box_props(ByteRun{}, c), PropsStatus::ok);
  EXPECT_EQ(c.current_selection, -1);
}


struct KindCase {
  const char* name;
  Kind kind;
  uint32_t newest;
  PropsStatus (*decode)(ByteRun);
};

template <class P, PropsStatus (*F)(ByteRun, P&)>
PropsStatus decode_into_fresh(ByteRun run) {
  P p;
  return F(run, p);
}

const KindCase kKinds[] = {
    {"window", Kind::window, 6, decode_into_fresh<WindowProps, decode_window_props>},
    {"EditBox", Kind::EditBox, 2, decode_into_fresh<EditBoxProps, decode_edit_box_props>},
    {"Label", Kind::Label, 2, decode_into_fresh<LabelProps, decode_label_props>},
    {"Button", Kind::Button, 1, decode_into_fresh<ButtonProps, decode_button_props>},
    {"ComboBox", Kind::ComboBox, 3, decode_into_fresh<ComboBoxProps, decode_combo_box_props>},
};

TEST(PropertyBlocks, NewerVersionsAreRefused) {
  for (const KindCase& k : kKinds) {
    std::vector<uint8_t> block = props_block(k.kind, changed_fields(k.newest));
    EXPECT_EQ(k.decode(run_of(block)), PropsStatus::ok) << k.name;
    block[0] = static_cast<uint8_t>(k.newest + 1);
    EXPECT_EQ(k.decode(run_of(block)), PropsStatus::newer_version) << k.name;
    block[0] = 0xFF;
    block[3] = 0xFF;
    EXPECT_EQ(k.decode(run_of(block)), PropsStatus::newer_version) << k.name;
  }
}

TEST(PropertyBlocks, EveryShortBlockIsRefused) {
  for (const KindCase& k : kKinds) {
    std::vector<uint8_t> block = props_block(k.kind, changed_fields(k.newest));
    for (size_t n = 1; n < block.size(); ++n) {
      std::vector<uint8_t> cut(block.begin(), block.begin() + static_cast<long>(n));
      EXPECT_EQ(k.decode(run_of(cut)), PropsStatus::truncated) << k.name << " cut to " << n;
    }
  }
}

TEST(TextLists, ShortAndEscapedCounts) {
  // 0xFFFF escapes to a u32 count.
  const uint8_t escaped[] = {0xFF, 0xFF, 2, 0, 0, 0, 1, 0, 0, 0, 'a', 2, 0, 0, 0, 'b', 'c'};
  ByteReader reader(ByteRun{escaped, sizeof escaped});
  TextList list;
  ASSERT_TRUE(reader.text_list(list));
  EXPECT_EQ(list.count, 2u);
  TextListCursor cursor = begin_text_list(list);
  std::string_view text;
  ASSERT_TRUE(next_text(cursor, text));
  EXPECT_EQ(bytes_of(text), "a");
  ASSERT_TRUE(next_text(cursor, text));
  EXPECT_EQ(bytes_of(text), "bc");
  EXPECT_FALSE(next_text(cursor, text));

  const uint8_t too_many[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  ByteReader refuses(ByteRun{too_many, sizeof too_many});
  EXPECT_FALSE(refuses.text_list(list));

  // The writer escapes counts of 0xFFFF and more; the reader reads them back.
  std::vector<std::string_view> many(0xFFFF, std::string_view("z"));
  PropsDesc p;
  p.version = 3;
  p.combo_box.items.items = many.data();
  p.combo_box.items.count = static_cast<uint32_t>(many.size());
  std::vector<uint8_t> block = props_block(Kind::ComboBox, p);
  ComboBoxProps c;
  ASSERT_EQ(decode_combo_box_props(run_of(block), c), PropsStatus::ok);
  EXPECT_EQ(c.items.count, 0xFFFFu);
}

}  // namespace
