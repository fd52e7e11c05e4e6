#include "ui/control_styles.h"

#include "ui/win32_values.h"

uint32_t unit_style_bits(uint32_t unit_flags) {
  uint32_t bits = 0;
  if ((unit_flags & kUnitDisabled) != 0) bits |= w32::kWsDisabled;
  if ((unit_flags & kUnitTabStop) != 0) bits |= w32::kWsTabStop;
  return bits;
}

BorderBits border_bits(uint32_t border_style) {
  switch (border_style) {
    case 1: return {w32::kWsExClientEdge, 0};
    case 2: return {w32::kWsExDlgModalFrame, 0};
    case 3: return {w32::kWsExStaticEdge, 0};
    case 4: return {w32::kWsExClientEdge | w32::kWsExDlgModalFrame, 0};
    case 5: return {0, w32::kWsBorder};
    default: return {0, 0};
  }
}

uint32_t edit_box_style(const EditBoxProps& p, uint32_t given) {
  uint32_t style = given | w32::kWsChild | w32::kWsClipSiblings;
  if (p.hide_selection == 0) style |= w32::kEsNoHideSel;
  if (p.multi_line == 1) {
    style |= w32::kEsMultiline | w32::kEsAutoVScroll | w32::kEsWantReturn;
    if (p.scroll_bars == 1 || p.scroll_bars == 3) style |= w32::kWsHScroll | w32::kEsAutoHScroll;
    if (p.scroll_bars == 2 || p.scroll_bars == 3) style |= w32::kWsVScroll;
  } else {
    style |= w32::kEsAutoHScroll;
  }
  if (p.alignment == 1) style |= w32::kEsCenter;
  if (p.alignment == 2) style |= w32::kEsRight;
  if (p.input_mode == 1) style |= w32::kEsReadOnly;
  if (p.input_mode == 2) style |= w32::kEsPassword;
  if (p.letter_case == 1) style |= w32::kEsLowercase;
  if (p.letter_case == 2) style |= w32::kEsUppercase;
  return style;
}

int32_t edit_box_height(const EditBoxProps& p, int32_t height, int32_t character_height, int32_t edge_height) {
  const int32_t least = character_height + 2 * edge_height;
  return (p.multi_line != 1 && height < least) ? least : height;
}

uint32_t button_style(const ButtonProps& p, uint32_t given, uint32_t picture_style) {
  uint32_t style = given | w32::kWsChild | w32::kWsClipSiblings | w32::kBsMultiline;
  style |= p.default_button == 1 ? w32::kBsDefPushButton : w32::kBsPushButton;
  switch (p.horizontal_alignment) {
    case 0: style |= w32::kBsLeft; break;
    case 2: style |= w32::kBsRight; break;
    default: style |= w32::kBsCenter; break;
  }
  switch (p.vertical_alignment) {
    case 0: style |= w32::kBsTop; break;
    case 2: style |= w32::kBsBottom; break;
    default: style |= w32::kBsVCenter; break;
  }
  return style | picture_style;
}

uint32_t combo_box_style(const ComboBoxProps& p, uint32_t given) {
  uint32_t style = given | w32::kWsChild | w32::kWsClipSiblings | w32::kWsVScroll | w32::kCbsAutoHScroll;
  switch (p.type) {
    case 0: style |= w32::kCbsSimple; break;
    case 2: style |= w32::kCbsDropDownList; break;
    default: style |= w32::kCbsDropDown; break;
  }
  if (p.sorted == 1) style |= w32::kCbsSort;
  return style;
}

int32_t combo_box_height(const ComboBoxProps& p, int32_t height) {
  return (p.type != 0 && height < kComboListHeight) ? kComboListHeight : height;
}

int32_t combo_box_selection(int32_t stored, uint32_t item_count) {
  const int64_t last = static_cast<int64_t>(item_count) - 1;
  int64_t s = stored < last ? stored : last;
  if (s < -1) s = -1;
  return static_cast<int32_t>(s);
}

uint32_t label_style(uint32_t given) { return given | w32::kWsChild | w32::kWsClipSiblings; }

uint32_t label_text_format(const LabelProps& p) {
  uint32_t format = w32::kDtNoPrefix;
  switch (p.horizontal_alignment) {
    case 1: format |= w32::kDtCenter; break;
    case 2: format |= w32::kDtRight; break;
    default: format |= w32::kDtLeft; break;
  }
  if (p.word_wrap == 1) return format | w32::kDtWordBreak | w32::kDtVCenter;
  format |= w32::kDtSingleLine;
  switch (p.vertical_alignment) {
    case 0: format |= w32::kDtTop; break;
    case 2: format |= w32::kDtBottom; break;
    default: format |= w32::kDtVCenter; break;
  }
  return format;
}

bool edit_box_wants_key(const EditBoxProps& p, uint32_t key_code) {
  return key_code == w32::kVkReturn && p.multi_line == 1 && p.input_mode != 1;
}

bool gradient_colour(const uint32_t (&colours)[3], uint32_t step, uint32_t steps, uint32_t& colour) {
  uint32_t used[3];
  uint32_t n = 0;
  for (uint32_t c : colours) {
    if (c != kSystemFaceColour) used[n++] = c & 0x00FFFFFFu;
  }
  if (n < 2) return false;
  if (steps < 2) {
    colour = used[0];
    return true;
  }
  // Position along the whole gradient in 1/1024ths, then within its segment.
  const uint64_t position = static_cast<uint64_t>(step > steps - 1 ? steps - 1 : step) * 1024 * (n - 1) / (steps - 1);
  const uint32_t segment = static_cast<uint32_t>(position / 1024 >= n - 1 ? n - 2 : position / 1024);
  const uint32_t t = static_cast<uint32_t>(position - segment * 1024ull);
  const uint32_t a = used[segment];
  const uint32_t b = used[segment + 1];
  colour = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t ca = (a >> shift) & 0xFF;
    const uint32_t cb = (b >> shift) & 0xFF;
    colour |= ((ca * (1024 - t) + cb * t) / 1024) << shift;
  }
  return true;
}
