// The vocabulary of window definitions: ControlIds, kinds, byte runs and texts
// as they stand in the stored block.
#pragma once

#include <cstdint>
#include <string_view>

// A run of bytes inside the stored block (or any read-only data).
struct ByteRun {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  constexpr bool empty() const { return size == 0; }
};

// A text list: its count and its texts, as stored (decoded form), or as an array
// of texts (the form a description gives).
struct TextList {
  ByteRun stored;  // the Texts one after another, after the count
  uint32_t count = 0;
  const std::string_view* items = nullptr;  // description form; used when set
};

using ControlId = uint32_t;

// A ControlId addresses something only when its low 24 bits and its bits 24 to
// 27 are both non-zero.
constexpr bool is_valid_control_id(ControlId id) { return (id & 0x00FFFFFFu) != 0 && (id & 0x0F000000u) != 0; }

// Menu items have a record layout of their own: 2 in the top four bits, 6 in the
// next four.
constexpr bool is_menu_item_id(ControlId id) { return (id & 0xFF000000u) == 0x26000000u; }

// The kinds of unit, by their number in the low 16 bits of the kind code.
enum class Kind : uint16_t {
  window = 1,
  EditBox = 5,
  Label = 10,
  Button = 11,
  ComboBox = 14,
};

constexpr uint32_t kind_code(Kind kind) { return 0x00010000u | static_cast<uint16_t>(kind); }

// The kind a stored kind code names; false for codes of no known kind.
constexpr bool kind_from_code(uint32_t code, Kind& kind) {
  if ((code >> 16) != 1) return false;
  switch (code & 0xFFFFu) {
    case 1: kind = Kind::window; return true;
    case 5: kind = Kind::EditBox; return true;
    case 10: kind = Kind::Label; return true;
    case 11: kind = Kind::Button; return true;
    case 14: kind = Kind::ComboBox; return true;
    default: return false;
  }
}

// Unit flags.
constexpr uint32_t kUnitVisible = 1u << 0;
constexpr uint32_t kUnitDisabled = 1u << 1;
constexpr uint32_t kUnitTabStop = 1u << 2;

// Routine references of event entries: an index into the program's routine table.
constexpr uint32_t kNoRoutine = 0xFFFFFFFFu;

// The colour that stands for the system's 3D face colour.
constexpr uint32_t kSystemFaceColour = 0xFF000000u;
