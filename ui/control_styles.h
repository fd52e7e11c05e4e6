// Decisions about the controls: their window styles from their properties, the
// border rule, heights, the label's text format and the combo box selection.
#pragma once

#include <cstdint>

#include "ui/property_blocks.h"

// The style bits a unit's flags give its control: disabled and tab stop. The
// visible bit is applied when the window shows its controls.
uint32_t unit_style_bits(uint32_t unit_flags);

// The border rule of edit boxes and labels: the extended styles and styles that
// a border style adds, after WS_EX_CLIENTEDGE, WS_EX_DLGMODALFRAME,
// WS_EX_STATICEDGE and WS_BORDER have been removed.
struct BorderBits {
  uint32_t ex_style = 0;
  uint32_t style = 0;
};
BorderBits border_bits(uint32_t border_style);
constexpr uint32_t kBorderExMask = 0x00000200u | 0x00000001u | 0x00020000u;
constexpr uint32_t kBorderStyleMask = 0x00800000u;

uint32_t edit_box_style(const EditBoxProps& props, uint32_t given);
// A single-line box lower than its font's character height plus two edges is
// made that high.
int32_t edit_box_height(const EditBoxProps& props, int32_t height, int32_t character_height, int32_t edge_height);

uint32_t button_style(const ButtonProps& props, uint32_t given, uint32_t picture_style);

uint32_t combo_box_style(const ComboBoxProps& props, uint32_t given);
// Drop-down types are given at least the height of the control with its list down.
int32_t combo_box_height(const ComboBoxProps& props, int32_t height);
constexpr int32_t kComboListHeight = 160;
// The selection after the items are in: at most the last item, at least -1.
int32_t combo_box_selection(int32_t stored, uint32_t item_count);

uint32_t label_style(uint32_t given);
uint32_t label_text_format(const LabelProps& props);

// Whether an edit box wants the key code for itself (Enter in a multi-line box
// that is not read-only).
bool edit_box_wants_key(const EditBoxProps& props, uint32_t key_code);

// The button style of a default push button (the low five style bits).
constexpr bool is_default_push_button_style(uint32_t style) { return (style & 0x1Fu) == 0x0001u; }

// Child identifiers: 100 for the first control created, 10 more for each next one.
constexpr int32_t child_identifier(uint32_t creation_index) { return 100 + 10 * static_cast<int32_t>(creation_index); }

// The colour at step of steps along a gradient through the colours that are not
// 0xFF000000 (of at most three). False when fewer than two colours are given.
bool gradient_colour(const uint32_t (&colours)[3], uint32_t step, uint32_t steps, uint32_t& colour);
