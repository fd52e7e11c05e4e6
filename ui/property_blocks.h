// The property blocks of the five kinds: their fields with the defaults a new unit
// has, their stored order, and the decoders that read them.
//
// Each block starts with its version; the fields follow in stored order, and a
// block of version v holds the fields up to the last one of version v. The
// order is written once, in the visit_* templates, which the compile-time writer
// of the stored block and the readers below both use.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/definition_types.h"

struct WindowProps {
  uint32_t border_style = 2;
  uint32_t picture_placement = 1;
  uint32_t background_colour = kSystemFaceColour;
  uint32_t maximise_box = 0;
  uint32_t minimise_box = 1;
  uint32_t control_box = 1;
  uint32_t start_position = 1;
  uint32_t movable = 1;
  uint32_t sound_repeat = 0;
  uint32_t enter_moves_focus = 0;
  uint32_t escape_closes = 1;
  uint32_t f1_opens_help = 0;
  uint32_t help_context = 0;
  uint32_t taskbar_button = 1;       // from version 2
  uint32_t drag_anywhere = 0;        // from version 3
  uint32_t shape = 0;                // from version 3
  uint32_t always_on_top = 0;        // from version 4
  uint32_t keep_caption_active = 0;  // from version 5
  std::string_view class_name;       // from version 6, like everything after it
  ByteRun background_picture;
  ByteRun icon;
  ByteRun background_sound;
  std::string_view caption;
  std::string_view help_file;
};

struct EditBoxProps {
  uint32_t border_style = 1;
  uint32_t text_colour = 0x000000;
  uint32_t background_colour = 0xFFFFFF;
  uint32_t hide_selection = 1;
  uint32_t max_length = 0;
  uint32_t multi_line = 0;
  uint32_t scroll_bars = 0;
  uint32_t alignment = 0;
  uint32_t input_mode = 0;
  uint16_t password_char = '*';
  uint32_t letter_case = 0;
  uint32_t adjuster = 0;
  uint32_t adjuster_min = 0;
  uint32_t adjuster_max = 100;
  uint32_t selection_start = 0;
  uint32_t selection_length = 0;
  ByteRun font;
  std::string_view content;
  std::string_view binding1;  // version 2
  std::string_view binding2;  // version 2
};

struct LabelProps {
  uint32_t text_effect = 0;
  uint32_t frame_width = 8;
  uint32_t border_style = 0;
  uint32_t frame_colours[3] = {0x808080, 0xFFFFFF, 0x808080};
  uint32_t text_colour = 0x000000;
  uint32_t background_colour = kSystemFaceColour;
  uint32_t picture_placement = 1;
  uint32_t gradient_background = 0;
  uint32_t gradient_colours[3] = {0x808080, 0xFFFFFF, 0x808080};
  uint32_t horizontal_alignment = 0;
  uint32_t vertical_alignment = 1;
  uint32_t word_wrap = 0;
  ByteRun font;
  ByteRun background_picture;
  std::string_view text = kDefaultLabelText;
  std::string_view binding1;  // version 2
  std::string_view binding2;  // version 2

  static constexpr std::string_view kDefaultLabelText = "\xB1\xEA\xC7\xA9";  // "标签"
};

struct ButtonProps {
  uint32_t default_button = 0;
  uint32_t horizontal_alignment = 1;
  uint32_t vertical_alignment = 1;
  ByteRun picture;
  ByteRun font;
  std::string_view caption = kDefaultCaption;

  static constexpr std::string_view kDefaultCaption = "\xB0\xB4\xC5\xA5";  // "按钮"
};

struct ComboBoxProps {
  uint32_t type = 1;
  uint32_t max_length = 0;
  uint32_t selection_start = 0;
  uint32_t selection_length = 0;
  uint32_t sorted = 0;
  uint32_t extra_item_height = 1;
  uint32_t text_colour = 0x000000;
  uint32_t background_colour = 0xFFFFFF;
  int32_t current_selection = -1;
  ByteRun font;
  ByteRun item_values;  // u32 each
  std::string_view text;
  TextList items;
  std::string_view binding1;  // from version 2
  std::string_view binding2;  // from version 2
  uint32_t reserved = 0;      // version 3
};

// The newest version each kind reads.
constexpr uint32_t kWindowPropsVersion = 6;
constexpr uint32_t kEditBoxPropsVersion = 2;
constexpr uint32_t kLabelPropsVersion = 2;
constexpr uint32_t kButtonPropsVersion = 1;
constexpr uint32_t kComboBoxPropsVersion = 3;

// The field order of each kind. V is the writer or the reader: each of its
// calls takes a field and the version from which the field exists, and returns
// false to stop.
template <class V, class P>
constexpr bool visit_window_props(V& v, P& p) {
  return v.u32(p.border_style, 1) && v.u32(p.picture_placement, 1) && v.u32(p.background_colour, 1) &&
         v.u32(p.maximise_box, 1) && v.u32(p.minimise_box, 1) && v.u32(p.control_box, 1) &&
         v.u32(p.start_position, 1) && v.u32(p.movable, 1) && v.u32(p.sound_repeat, 1) &&
         v.u32(p.enter_moves_focus, 1) && v.u32(p.escape_closes, 1) && v.u32(p.f1_opens_help, 1) &&
         v.u32(p.help_context, 1) && v.u32(p.taskbar_button, 2) && v.u32(p.drag_anywhere, 3) &&
         v.u32(p.shape, 3) && v.u32(p.always_on_top, 4) && v.u32(p.keep_caption_active, 5) &&
         v.text(p.class_name, 6) && v.byte_run(p.background_picture, 6) && v.byte_run(p.icon, 6) &&
         v.byte_run(p.background_sound, 6) && v.text(p.caption, 6) && v.text(p.help_file, 6);
}

template <class V, class P>
constexpr bool visit_edit_box_props(V& v, P& p) {
  return v.u32(p.border_style, 1) && v.u32(p.text_colour, 1) && v.u32(p.background_colour, 1) &&
         v.u32(p.hide_selection, 1) && v.u32(p.max_length, 1) && v.u32(p.multi_line, 1) &&
         v.u32(p.scroll_bars, 1) && v.u32(p.alignment, 1) && v.u32(p.input_mode, 1) &&
         v.u16(p.password_char, 1) && v.u32(p.letter_case, 1) && v.u32(p.adjuster, 1) &&
         v.u32(p.adjuster_min, 1) && v.u32(p.adjuster_max, 1) && v.u32(p.selection_start, 1) &&
         v.u32(p.selection_length, 1) && v.byte_run(p.font, 1) && v.text(p.content, 1) && v.text(p.binding1, 2) &&
         v.text(p.binding2, 2);
}

template <class V, class P>
constexpr bool visit_label_props(V& v, P& p) {
  return v.u32(p.text_effect, 1) && v.u32(p.frame_width, 1) && v.u32(p.border_style, 1) &&
         v.u32(p.frame_colours[0], 1) && v.u32(p.frame_colours[1], 1) && v.u32(p.frame_colours[2], 1) &&
         v.u32(p.text_colour, 1) && v.u32(p.background_colour, 1) && v.u32(p.picture_placement, 1) &&
         v.u32(p.gradient_background, 1) && v.u32(p.gradient_colours[0], 1) && v.u32(p.gradient_colours[1], 1) &&
         v.u32(p.gradient_colours[2], 1) && v.u32(p.horizontal_alignment, 1) && v.u32(p.vertical_alignment, 1) &&
         v.u32(p.word_wrap, 1) && v.byte_run(p.font, 1) && v.byte_run(p.background_picture, 1) &&
         v.text(p.text, 1) && v.text(p.binding1, 2) && v.text(p.binding2, 2);
}

template <class V, class P>
constexpr bool visit_button_props(V& v, P& p) {
  return v.u32(p.default_button, 1) && v.u32(p.horizontal_alignment, 1) && v.u32(p.vertical_alignment, 1) &&
         v.byte_run(p.picture, 1) && v.byte_run(p.font, 1) && v.text(p.caption, 1);
}

template <class V, class P>
constexpr bool visit_combo_box_props(V& v, P& p) {
  return v.u32(p.type, 1) && v.u32(p.max_length, 1) && v.u32(p.selection_start, 1) &&
         v.u32(p.selection_length, 1) && v.u32(p.sorted, 1) && v.u32(p.extra_item_height, 1) &&
         v.u32(p.text_colour, 1) && v.u32(p.background_colour, 1) && v.s32(p.current_selection, 1) &&
         v.byte_run(p.font, 1) && v.byte_run(p.item_values, 1) && v.text(p.text, 1) && v.text_list(p.items, 1) &&
         v.text(p.binding1, 2) && v.text(p.binding2, 2) && v.u32(p.reserved, 3);
}

// Outcome of decoding a property block.
enum class PropsStatus {
  ok,
  newer_version,  // written by a newer version of the kind than this program reads
  truncated,      // ends before the fields of its version do
};

// Each decoder starts from the kind's defaults; an empty block leaves them all.
PropsStatus decode_window_props(ByteRun block, WindowProps& out);
PropsStatus decode_edit_box_props(ByteRun block, EditBoxProps& out);
PropsStatus decode_label_props(ByteRun block, LabelProps& out);
PropsStatus decode_button_props(ByteRun block, ButtonProps& out);
PropsStatus decode_combo_box_props(ByteRun block, ComboBoxProps& out);

// Walks the Texts of a decoded text list. Returns false after the last one.
struct TextListCursor {
  ByteRun rest;
  uint32_t remaining = 0;
};
TextListCursor begin_text_list(const TextList& list);
bool next_text(TextListCursor& cursor, std::string_view& text);
