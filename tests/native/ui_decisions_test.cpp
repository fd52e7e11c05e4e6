// The portable decisions of the window runtime: styles from properties and unit
// flags, placement, creation and stacking order, child identifiers, key codes,
// the focus order and the label's text format.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/control_styles.h"
#include "ui/key_codes.h"
#include "ui/load_order.h"
#include "ui/tab_order.h"
#include "ui/win32_values.h"
#include "ui/window_style.h"

namespace {

using namespace w32;

TEST(WindowStyle, TheMainWindow) {
  const WindowStyle s = window_style(WindowProps{.caption = "x"}, kUnitVisible, true, false);
  EXPECT_EQ(s.style, kWsClipChildren | kWsCaption | kWsSysMenu | kWsMinimizeBox);
  EXPECT_EQ(s.ex_style, 0u);
}

TEST(WindowStyle, BorderStylesAndBoxes) {
  struct Case {
    uint32_t border;
    uint32_t style_has;
    uint32_t style_lacks;
    uint32_t ex;
  };
  const Case cases[] = {
      {0, 0, kWsCaption | kWsSysMenu | kWsThickFrame | kWsDlgFrame, 0},
      {1, kWsCaption | kWsThickFrame, 0, 0},
      {2, kWsCaption, kWsThickFrame, 0},
      {3, kWsCaption | kWsThickFrame, 0, kWsExToolWindow},
      {4, kWsCaption, kWsThickFrame, kWsExToolWindow},
      {5, kWsCaption | kWsThickFrame, 0, kWsExClientEdge},
      {6, kWsCaption, kWsThickFrame, kWsExClientEdge},
  };
  for (const Case& c : cases) {
    WindowProps p;
    p.border_style = c.border;
    const WindowStyle s = window_style(p, kUnitVisible, true, false);
    EXPECT_EQ(s.style & c.style_has, c.style_has) << c.border;
    EXPECT_EQ(s.style & c.style_lacks, 0u) << c.border;
    EXPECT_EQ(s.ex_style, c.ex) << c.border;
  }
  WindowProps p;
  p.control_box = 0;
  EXPECT_EQ(window_style(p, 0, true, false).style & kWsCaption, kWsDlgFrame) << "no caption, no control box: frame only";
  p.caption = "t";
  EXPECT_EQ(window_style(p, 0, true, false).style & (kWsCaption | kWsSysMenu), kWsCaption);
  EXPECT_EQ(window_style(p, 0, false, false).style & kWsCaption, kWsCaption) << "a caption includes the border";
  p.maximise_box = 1;
  p.minimise_box = 0;
  EXPECT_EQ(window_style(p, 0, true, false).style & (kWsMaximizeBox | kWsMinimizeBox), kWsMaximizeBox);
  EXPECT_NE(window_style(p, kUnitDisabled, true, false).style & kWsDisabled, 0u);
  EXPECT_NE(window_style(p, 0, true, true).style & kWsPopup, 0u);
}

TEST(WindowStyle, StartPositions) {
  WindowProps p;
  p.start_position = 2;
  EXPECT_NE(window_style(p, 0, true, false).style & kWsMinimize, 0u);
  p.start_position = 3;
  EXPECT_EQ(window_style(p, 0, true, false).style & kWsMaximize, 0u) << "maximised only with a sizing frame";
  p.border_style = 1;
  EXPECT_NE(window_style(p, 0, true, false).style & kWsMaximize, 0u);

  struct Case {
    uint32_t start;
    int32_t screen_w, screen_h;
    Point expected;
  };
  const Case cases[] = {
      {1, 1280, 1024, {409, 434}}, {1, 1024, 768, {281, 306}}, {1, 1281, 1025, {409, 434}},
      {1, 400, 100, {-31, -28}},  // truncation toward zero, not down
      {0, 1280, 1024, {50, 60}},   {2, 1280, 1024, {50, 60}},
  };
  for (const Case& c : cases) {
    WindowProps q;
    q.start_position = c.start;
    const Point at = window_position(q, 50, 60, 462, 156, c.screen_w, c.screen_h);
    EXPECT_EQ(at.x, c.expected.x) << c.start << " " << c.screen_w;
    EXPECT_EQ(at.y, c.expected.y) << c.start << " " << c.screen_h;
  }
  EXPECT_FALSE(owned_by_hidden_owner(WindowProps{}, false, false));
  EXPECT_TRUE(owned_by_hidden_owner(WindowProps{.taskbar_button = 0}, false, false));
  EXPECT_TRUE(owned_by_hidden_owner(WindowProps{}, true, false));
  EXPECT_FALSE(owned_by_hidden_owner(WindowProps{.taskbar_button = 0}, false, true));
}

TEST(ControlStyles, UnitFlagsAndBorders) {
  EXPECT_EQ(unit_style_bits(kUnitVisible), 0u);
  EXPECT_EQ(unit_style_bits(kUnitVisible | kUnitDisabled | kUnitTabStop), kWsDisabled | kWsTabStop);
  const BorderBits expected[] = {{0, 0},
                                 {kWsExClientEdge, 0},
                                 {kWsExDlgModalFrame, 0},
                                 {kWsExStaticEdge, 0},
                                 {kWsExClientEdge | kWsExDlgModalFrame, 0},
                                 {0, kWsBorder},
                                 {0, 0},
                                 {0, 0}};
  for (uint32_t border = 0; border < 8; ++border) {
    EXPECT_EQ(border_bits(border).ex_style, expected[border].ex_style) << border;
    EXPECT_EQ(border_bits(border).style, expected[border].style) << border;
  }
}

TEST(ControlStyles, EditBoxes) {
  const uint32_t base = kWsChild | kWsClipSiblings | kWsTabStop;
  EXPECT_EQ(edit_box_style(EditBoxProps{}, kWsTabStop), base | kEsAutoHScroll) << "the main window's boxes";
  struct Case {
    const char* name;
    EditBoxProps props;
    uint32_t expected;
  };
  const Case cases[] = {
      {"no hide selection", {.hide_selection = 0}, base | kEsAutoHScroll | kEsNoHideSel},
      {"multi-line", {.multi_line = 1}, base | kEsMultiline | kEsAutoVScroll | kEsWantReturn},
      {"multi-line, horizontal", {.multi_line = 1, .scroll_bars = 1},
       base | kEsMultiline | kEsAutoVScroll | kEsWantReturn | kWsHScroll | kEsAutoHScroll},
      {"multi-line, vertical", {.multi_line = 1, .scroll_bars = 2},
       base | kEsMultiline | kEsAutoVScroll | kEsWantReturn | kWsVScroll},
      {"multi-line, both", {.multi_line = 1, .scroll_bars = 3},
       base | kEsMultiline | kEsAutoVScroll | kEsWantReturn | kWsHScroll | kWsVScroll | kEsAutoHScroll},
      {"scroll bars need multi-line", {.scroll_bars = 3}, base | kEsAutoHScroll},
      {"centred", {.alignment = 1}, base | kEsAutoHScroll | kEsCenter},
      {"right", {.alignment = 2}, base | kEsAutoHScroll | kEsRight},
      {"read-only", {.input_mode = 1}, base | kEsAutoHScroll | kEsReadOnly},
      {"password", {.input_mode = 2}, base | kEsAutoHScroll | kEsPassword},
      {"other input mode", {.input_mode = 7}, base | kEsAutoHScroll},
      {"lower case", {.letter_case = 1}, base | kEsAutoHScroll | kEsLowercase},
      {"upper case", {.letter_case = 2}, base | kEsAutoHScroll | kEsUppercase},
  };
  for (const Case& c : cases) EXPECT_EQ(edit_box_style(c.props, kWsTabStop), c.expected) << c.name;

  EXPECT_EQ(edit_box_height(EditBoxProps{}, 32, 12, 2), 32) << "tall enough";
  EXPECT_EQ(edit_box_height(EditBoxProps{}, 10, 12, 2), 16) << "made as high as the character and two edges";
  EXPECT_EQ(edit_box_height(EditBoxProps{.multi_line = 1}, 10, 12, 2), 10) << "multi-line boxes keep their height";

  EXPECT_TRUE(edit_box_wants_key(EditBoxProps{.multi_line = 1}, 13));
  EXPECT_FALSE(edit_box_wants_key(EditBoxProps{.multi_line = 1, .input_mode = 1}, 13));
  EXPECT_FALSE(edit_box_wants_key(EditBoxProps{}, 13));
  EXPECT_FALSE(edit_box_wants_key(EditBoxProps{.multi_line = 1}, 9));
  EXPECT_FALSE(edit_box_wants_key(EditBoxProps{.multi_line = 1}, 0x200D)) << "Ctrl+Enter is another key code";
}

TEST(ControlStyles, ButtonsCombosAndLabels) {
  const uint32_t base = kWsChild | kWsClipSiblings | kBsMultiline;
  EXPECT_EQ(button_style(ButtonProps{}, kWsTabStop, 0), kWsTabStop | base | kBsPushButton | kBsCenter | kBsVCenter);
  EXPECT_EQ(button_style(ButtonProps{.default_button = 1, .horizontal_alignment = 0, .vertical_alignment = 2}, 0, kBsIcon),
            base | kBsDefPushButton | kBsLeft | kBsBottom | kBsIcon);
  EXPECT_EQ(button_style(ButtonProps{.horizontal_alignment = 2, .vertical_alignment = 0}, 0, 0) & 0xF00u,
            kBsRight | kBsTop);
  EXPECT_TRUE(is_default_push_button_style(base | kBsDefPushButton));
  EXPECT_FALSE(is_default_push_button_style(base | kBsPushButton));

  const uint32_t combo = kWsChild | kWsClipSiblings | kWsVScroll | kCbsAutoHScroll;
  EXPECT_EQ(combo_box_style(ComboBoxProps{}, 0), combo | kCbsDropDown);
  EXPECT_EQ(combo_box_style(ComboBoxProps{.type = 0, .sorted = 1}, 0), combo | kCbsSimple | kCbsSort);
  EXPECT_EQ(combo_box_style(ComboBoxProps{.type = 2}, 0), combo | kCbsDropDownList);
  EXPECT_EQ(combo_box_height(ComboBoxProps{}, 20), 160);
  EXPECT_EQ(combo_box_height(ComboBoxProps{.type = 2}, 200), 200);
  EXPECT_EQ(combo_box_height(ComboBoxProps{.type = 0}, 20), 20);

  struct Selection {
    int32_t stored;
    uint32_t items;
    int32_t expected;
  };
  const Selection selections[] = {{0, 13, 0}, {20, 13, 12}, {-1, 13, -1}, {-5, 13, -1}, {3, 0, -1}, {0, 0, -1}};
  for (const Selection& s : selections) {
    EXPECT_EQ(combo_box_selection(s.stored, s.items), s.expected) << s.stored << " of " << s.items;
  }

  EXPECT_EQ(label_text_format(LabelProps{}), kDtNoPrefix | kDtLeft | kDtSingleLine | kDtVCenter) << "标签1";
  EXPECT_EQ(label_text_format(LabelProps{.horizontal_alignment = 2, .vertical_alignment = 2}),
            kDtNoPrefix | kDtRight | kDtSingleLine | kDtBottom);
  EXPECT_EQ(label_text_format(LabelProps{.horizontal_alignment = 1, .vertical_alignment = 0, .word_wrap = 1}),
            kDtNoPrefix | kDtCenter | kDtWordBreak | kDtVCenter);
}

TEST(ControlStyles, Gradients) {
  uint32_t colour = 0;
  const uint32_t two[3] = {0x000000, kSystemFaceColour, 0xFFFFFF};
  ASSERT_TRUE(gradient_colour(two, 0, 3, colour));
  EXPECT_EQ(colour, 0x000000u);
  ASSERT_TRUE(gradient_colour(two, 2, 3, colour));
  EXPECT_EQ(colour, 0xFFFFFFu);
  ASSERT_TRUE(gradient_colour(two, 1, 3, colour));
  EXPECT_EQ(colour, 0x7F7F7Fu);
  const uint32_t three[3] = {0x0000FF, 0x00FF00, 0xFF0000};
  ASSERT_TRUE(gradient_colour(three, 4, 9, colour));
  EXPECT_EQ(colour, 0x00FF00u) << "the middle colour halfway";
  const uint32_t one[3] = {0x123456, kSystemFaceColour, kSystemFaceColour};
  EXPECT_FALSE(gradient_colour(one, 0, 3, colour)) << "at least two colours";
}

TEST(LoadOrder, CreationStackingAndChildIdentifiers) {
  // The main window: units 5, 4, 3, 2, 1 are created, with identifiers 100 to 140.
  const uint32_t created[] = {5, 4, 3, 2, 1};
  for (uint32_t k = 0; k < 5; ++k) {
    EXPECT_EQ(created_unit(6, k), created[k]);
    EXPECT_EQ(child_identifier(k), static_cast<int32_t>(100 + 10 * k));
  }
  const ControlId same[] = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(stack_below(same, 1), -1) << "the first control goes to the top";
  for (uint32_t i = 2; i < 6; ++i) EXPECT_EQ(stack_below(same, i), static_cast<int32_t>(i - 1));
  const ControlId mixed[] = {0, 0, 7, 0, 7, 9};
  EXPECT_EQ(stack_below(mixed, 2), -1);
  EXPECT_EQ(stack_below(mixed, 3), 1);
  EXPECT_EQ(stack_below(mixed, 4), 2);
  EXPECT_EQ(stack_below(mixed, 5), -1);
}

TEST(KeyCodes, FromVirtualKeysAndModifiers) {
  struct Case {
    uint32_t vk;
    bool ctrl, shift, alt;
    uint16_t expected;
  };
  const Case cases[] = {
      {0x09, false, false, false, 9},    {0x09, false, true, false, 0x4009}, {0x09, true, false, false, 0x2009},
      {0x0D, false, false, false, 13},      {0x1B, false, false, false, 27},       {0x1B, true, false, false, 0x201B},
      {0x1B, false, true, false, 0x401B},   {0x1B, false, false, true, 0x801B},    {0x70, false, false, false, 0x70},
      {0x60, false, false, false, '0'},     {0x69, false, false, false, '9'},      {0x65, true, false, false, 0x2035},
      {0x6D, false, false, false, 0xBD},    {0x6E, false, false, false, 0xBE},     {0x6F, false, false, false, 0xBF},
      {0x6A, false, false, false, 0x6A},    {0x11, true, false, false, 0x11},      {0xA2, true, false, false, 0xA2},
      {0x10, false, true, false, 0x10},     {0xA1, false, true, false, 0xA1},      {0x12, false, false, true, 0x12},
      {0xA5, false, false, true, 0xA5},     {0x11, true, true, true, 0xC011},      {'A', true, true, true, 0xE041},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(key_code(c.vk, c.ctrl, c.shift, c.alt), c.expected)
        << std::hex << c.vk << " " << c.ctrl << c.shift << c.alt;
  }
  EXPECT_TRUE(has_key_code(0x100));
  EXPECT_TRUE(has_key_code(0x104));
  EXPECT_FALSE(has_key_code(0x101));
  EXPECT_FALSE(has_key_code(0x102));
}

// A synthetic unit table for the focus order: index 0 is the window.
struct Table {
  std::vector<TabStop> stops;
  int32_t next(uint32_t from, bool forward) const {
    return next_tab_stop(static_cast<uint32_t>(stops.size()), from, forward, [&](uint32_t i) { return stops[i]; });
  }
  int32_t first() const {
    return first_focus(static_cast<uint32_t>(stops.size()), [&](uint32_t i) { return stops[i]; });
  }
};

TabStop yes(int32_t order = 0) { return TabStop{true, order}; }
TabStop no() { return TabStop{}; }

TEST(TabOrder, TheMainWindowsOrder) {
  // 标签1 takes no focus; 编辑框2, 组合框1, 按钮1, 编辑框1 are tab stops with value 0.
  const Table main{{no(), no(), yes(), yes(), yes(), yes()}};
  EXPECT_EQ(main.first(), 5) << "编辑框1";
  EXPECT_EQ(main.next(5, true), 4);
  EXPECT_EQ(main.next(4, true), 3);
  EXPECT_EQ(main.next(3, true), 2);
  EXPECT_EQ(main.next(2, true), 5) << "wraps";
  EXPECT_EQ(main.next(5, false), 2) << "wraps backward";
  EXPECT_EQ(main.next(2, false), 3);
  EXPECT_EQ(main.next(3, false), 4);
  EXPECT_EQ(main.next(4, false), 5);
}

TEST(TabOrder, ValuesTiesAndNonCandidates) {
  // Order by value ascending, higher index first among equals: 3(0) 1(0) 4(1) 2(5).
  const Table t{{no(), yes(0), yes(5), yes(0), yes(1), no()}};
  EXPECT_EQ(t.first(), 3);
  EXPECT_EQ(t.next(3, true), 1);
  EXPECT_EQ(t.next(1, true), 4);
  EXPECT_EQ(t.next(4, true), 2);
  EXPECT_EQ(t.next(2, true), 3);
  EXPECT_EQ(t.next(3, false), 2);
  EXPECT_EQ(t.next(1, false), 3);
  // From a non-candidate: its place is the first candidate in the order whose
  // index is not greater than its own.
  EXPECT_EQ(t.next(5, true), 3) << "candidates 1..4 qualify; 3 is first in the order";
  EXPECT_EQ(t.next(5, false), 2) << "the one before 3, wrapping to the last";
  const Table u{{no(), no(), yes(0), yes(0)}};
  EXPECT_EQ(u.next(1, true), 3) << "no candidate with an index not above 1: the first";
  EXPECT_EQ(u.next(1, false), 2) << "and backward the last";
  const Table v{{no(), yes(0), no(), yes(0)}};
  EXPECT_EQ(v.next(2, true), 1);
  EXPECT_EQ(v.next(2, false), 3);
}

TEST(TabOrder, NoCandidateAndASingleOne) {
  const Table none{{no(), no(), no()}};
  EXPECT_EQ(none.next(1, true), -1);
  EXPECT_EQ(none.next(2, false), -1);
  EXPECT_EQ(none.first(), -1);
  const Table one{{no(), no(), yes()}};
  EXPECT_EQ(one.next(2, true), 2);
  EXPECT_EQ(one.next(2, false), 2);
  EXPECT_EQ(one.next(1, true), 2);
  const Table strict{{no(), yes(2), yes(1), yes(1)}};
  EXPECT_EQ(strict.first(), 3) << "smallest value, highest index among equals";
}

}  // namespace
