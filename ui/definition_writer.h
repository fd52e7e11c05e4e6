// Writes window definitions in their stored form from a readable description.
// Everything here is constexpr, so the program's block is computed by the
// compiler and lies among its read-only data; tests use the same code at run
// time to build variants.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "ui/definition_types.h"
#include "ui/property_blocks.h"

struct EventEntryDesc {
  int32_t event = 0;
  uint32_t routine = kNoRoutine;
};

// The property block of a unit: the version it is written at and the fields of
// its kind (the other kinds' fields are unused). empty writes a block of no bytes.
struct PropsDesc {
  uint32_t version = 0;
  bool empty = false;
  WindowProps window{};
  EditBoxProps edit_box{};
  LabelProps label{};
  ButtonProps button{};
  ComboBoxProps combo_box{};
};

struct UnitDesc {
  ControlId id = 0;
  Kind kind = Kind::window;
  uint32_t kind_code_override = 0;  // non-zero: written instead of the kind's code
  ControlId shared_events = 0;
  std::string_view name;
  std::string_view remark;
  int32_t left = 0, top = 0, width = 0, height = 0;
  ControlId parent = 0;
  std::span<const ControlId> children;
  uint32_t mouse_pointer = 0;  // written as a 4-byte run holding the value
  std::string_view tag;
  uint32_t flags = 0;
  int32_t tab_order = 0;
  std::span<const EventEntryDesc> events;
  PropsDesc props;
};

struct WindowDesc {
  ControlId id = 0;
  uint32_t header_value1 = 0;
  uint32_t header_value2 = 0;
  std::string_view header_text1;
  std::string_view header_text2;
  std::span<const UnitDesc> units;
};

// A fixed-capacity byte buffer usable in constant expressions.
template <size_t Capacity>
struct ByteWriter {
  uint8_t bytes[Capacity] = {};
  size_t size = 0;
  bool overflow = false;

  constexpr void u8(uint8_t value) {
    if (size == Capacity) {
      overflow = true;
      return;
    }
    bytes[size++] = value;
  }
  constexpr void u16(uint16_t value) {
    u8(static_cast<uint8_t>(value));
    u8(static_cast<uint8_t>(value >> 8));
  }
  constexpr void u32(uint32_t value) {
    for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(value >> (8 * i)));
  }
  constexpr void s32(int32_t value) { u32(static_cast<uint32_t>(value)); }
  constexpr void raw(std::string_view text) {
    for (char c : text) u8(static_cast<uint8_t>(c));
  }
  constexpr void raw(ByteRun run) {
    for (uint32_t i = 0; i < run.size; ++i) u8(run.data[i]);
  }
  constexpr void text(std::string_view text) {
    u32(static_cast<uint32_t>(text.size()));
    raw(text);
  }
  constexpr void byte_run(ByteRun run) {
    u32(run.size);
    raw(run);
  }
  constexpr void zero_ended(std::string_view text) {
    raw(text);
    u8(0);
  }
  constexpr void zeros(size_t n) {
    for (size_t i = 0; i < n; ++i) u8(0);
  }
  // A u32 placeholder, filled in later with patch_u32.
  constexpr size_t reserve_u32() {
    size_t at = size;
    u32(0);
    return at;
  }
  constexpr void patch_u32(size_t at, uint32_t value) {
    if (at + 4 > size) return;
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  constexpr ByteRun run() const { return ByteRun{bytes, static_cast<uint32_t>(size)}; }
};

// Writes the fields that a block of the writer's version holds.
template <size_t Capacity>
class PropsWriter {
 public:
  constexpr PropsWriter(ByteWriter<Capacity>& out, uint32_t version) : out_(out), version_(version) {}

  constexpr bool u32(uint32_t field, uint32_t since) { return holds(since) && (out_.u32(field), true); }
  constexpr bool s32(int32_t field, uint32_t since) { return holds(since) && (out_.s32(field), true); }
  constexpr bool u16(uint16_t field, uint32_t since) { return holds(since) && (out_.u16(field), true); }
  constexpr bool byte_run(ByteRun field, uint32_t since) { return holds(since) && (out_.byte_run(field), true); }
  constexpr bool text(std::string_view field, uint32_t since) { return holds(since) && (out_.text(field), true); }
  constexpr bool text_list(const TextList& list, uint32_t since) {
    if (!holds(since)) return false;
    if (list.count >= 0xFFFF) {
      out_.u16(0xFFFF);
      out_.u32(list.count);
    } else {
      out_.u16(static_cast<uint16_t>(list.count));
    }
    if (list.items != nullptr) {
      for (uint32_t i = 0; i < list.count; ++i) out_.text(list.items[i]);
    } else {
      out_.raw(list.stored);
    }
    return true;
  }

 private:
  constexpr bool holds(uint32_t since) const { return since <= version_; }

  ByteWriter<Capacity>& out_;
  uint32_t version_;
};

template <size_t Capacity>
constexpr void write_props(ByteWriter<Capacity>& out, Kind kind, const PropsDesc& props) {
  if (props.empty) return;
  out.u32(props.version);
  PropsWriter<Capacity> v(out, props.version);
  switch (kind) {
    case Kind::window: visit_window_props(v, props.window); break;
    case Kind::EditBox: visit_edit_box_props(v, props.edit_box); break;
    case Kind::Label: visit_label_props(v, props.label); break;
    case Kind::Button: visit_button_props(v, props.button); break;
    case Kind::ComboBox: visit_combo_box_props(v, props.combo_box); break;
  }
}

// One unit record: its byte count, then its data.
template <size_t Capacity>
constexpr void write_unit_record(ByteWriter<Capacity>& out, const UnitDesc& unit) {
  const size_t count_at = out.reserve_u32();
  const size_t start = out.size;
  out.u32(unit.kind_code_override != 0 ? unit.kind_code_override : kind_code(unit.kind));
  out.u32(unit.shared_events);
  out.zeros(16);
  out.zero_ended(unit.name);
  out.zero_ended(unit.remark);
  out.u32(0);  // live-control slot
  out.s32(unit.left);
  out.s32(unit.top);
  out.s32(unit.width);
  out.s32(unit.height);
  out.u32(0);  // mouse-pointer slot
  out.u32(unit.parent);
  out.u32(static_cast<uint32_t>(unit.children.size()));
  for (ControlId child : unit.children) out.u32(child);
  out.u32(4);
  out.u32(unit.mouse_pointer);
  out.zero_ended(unit.tag);
  out.u32(0);
  out.u32(unit.flags);
  out.s32(unit.tab_order);
  out.u32(static_cast<uint32_t>(unit.events.size()));
  for (const EventEntryDesc& entry : unit.events) {
    out.s32(entry.event);
    out.u32(entry.routine);
  }
  out.zeros(20);
  write_props(out, unit.kind, unit.props);
  out.patch_u32(count_at, static_cast<uint32_t>(out.size - start));
}

// The window list, then one window record per window.
template <size_t Capacity>
constexpr void write_definitions(ByteWriter<Capacity>& out, std::span<const WindowDesc> windows) {
  out.u32(static_cast<uint32_t>(8 * windows.size()));
  for (const WindowDesc& window : windows) out.u32(window.id);
  for (size_t i = 0; i < windows.size(); ++i) out.u32(0);  // slots for the loaded windows
  for (const WindowDesc& window : windows) {
    out.u32(window.header_value1);
    out.u32(window.header_value2);
    out.text(window.header_text1);
    out.text(window.header_text2);
    const uint32_t count = static_cast<uint32_t>(window.units.size());
    out.u32(count);
    const size_t area_size_at = out.reserve_u32();
    const size_t area_start = out.size;
    for (const UnitDesc& unit : window.units) out.u32(unit.id);
    const size_t offsets_at = out.size;
    for (uint32_t i = 0; i < count; ++i) out.u32(0);
    const size_t records_start = out.size;
    for (uint32_t i = 0; i < count; ++i) {
      out.patch_u32(offsets_at + 4 * i, static_cast<uint32_t>(out.size - records_start));
      write_unit_record(out, window.units[i]);
    }
    out.patch_u32(area_size_at, static_cast<uint32_t>(out.size - area_start));
  }
}

// A block computed at compile time, cut to its size.
template <size_t N>
struct StoredBlock {
  uint8_t bytes[N];
  constexpr ByteRun run() const { return ByteRun{bytes, static_cast<uint32_t>(N)}; }
};

template <size_t N, size_t Capacity>
constexpr StoredBlock<N> cut_block(const ByteWriter<Capacity>& written) {
  StoredBlock<N> block{};
  for (size_t i = 0; i < N; ++i) block.bytes[i] = written.bytes[i];
  return block;
}
