// Decisions about the window itself (unit 0): its styles and its position.
#pragma once

#include <cstdint>

#include "ui/property_blocks.h"

struct WindowStyle {
  uint32_t style = 0;
  uint32_t ex_style = 0;
};

// The styles of a window created from its properties and unit flags. popup is set
// for a window loaded with an owner given by its caller; top_level for a window
// without a parent window.
WindowStyle window_style(const WindowProps& props, uint32_t unit_flags, bool top_level, bool popup);

// The styles that Windows may change on creation and that are applied again after it.
constexpr uint32_t kReappliedWindowStyles = 0x00C00000u | 0x00080000u | 0x00020000u | 0x00010000u;

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

// Centred on a screen of the given size, with division that truncates toward zero.
constexpr Point centred_position(int32_t screen_width, int32_t screen_height, int32_t width, int32_t height) {
  return Point{(screen_width - width) / 2, (screen_height - height) / 2};
}

// Where the window goes: centred for start position 1, else its stored place.
Point window_position(const WindowProps& props, int32_t stored_left, int32_t stored_top, int32_t width, int32_t height,
                      int32_t screen_width, int32_t screen_height);

// Whether the hidden owner window owns the window.
constexpr bool owned_by_hidden_owner(const WindowProps& props, bool modal, bool owner_given) {
  return (props.taskbar_button == 0 || modal) && !owner_given;
}

// The colour a stored colour stands for, given the current 3D face colour.
constexpr uint32_t resolve_colour(uint32_t stored, uint32_t face_colour) {
  return stored == kSystemFaceColour ? face_colour : (stored & 0x00FFFFFFu);
}
