#include "ui/definitions.h"

#include <cstring>

#include "convert/text_memory.h"
#include "ui/byte_reader.h"

namespace {

uint32_t load_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

bool parse_unit_record(ByteRun data, UnitRecord& u) {
  ByteReader r(data);
  bool ok = r.u32(u.kind_code) && r.u32(u.shared_events) && r.bytes(16, u.reserved1) && r.zero_ended(u.name) &&
            r.zero_ended(u.remark) && r.u32(u.live_slot) && r.s32(u.left) && r.s32(u.top) && r.s32(u.width) &&
            r.s32(u.height) && r.u32(u.mouse_slot) && r.u32(u.parent) && r.u32(u.child_count);
  if (!ok || u.child_count > r.remaining() / 4) return false;
  ok = r.bytes(4 * u.child_count, u.children) && r.byte_run(u.mouse_pointer) && r.zero_ended(u.tag) &&
       r.u32(u.reserved2) && r.u32(u.flags) && r.s32(u.tab_order) && r.u32(u.event_count);
  if (!ok || u.event_count > r.remaining() / 8) return false;
  ok = r.bytes(8 * u.event_count, u.events) && r.bytes(20, u.reserved3);
  if (!ok) return false;
  u.properties = ByteRun{r.position(), r.remaining()};
  return true;
}

// The data of unit index: found through its offset, after its own byte count.
bool unit_data(const WindowDefinition& w, uint32_t index, ByteRun& out) {
  if (index >= w.unit_count) return false;
  uint32_t offset = load_u32(w.offsets + 4 * index);
  if (offset > w.records.size || w.records.size - offset < 4) return false;
  ByteReader r(ByteRun{w.records.data + offset, w.records.size - offset});
  return r.byte_run(out);
}

void* allocate_zeroed(uint64_t size) {
  if (size == 0) return nullptr;
  // The sizes here are bounded by the block's size, far below 4 GiB.
  void* block = allocate_text(static_cast<uint32_t>(size));
  std::memset(block, 0, static_cast<size_t>(size));
  return block;
}

ReadStatus read_window(ByteReader& r, ControlId id, WindowDefinition& w) {
  w.id = id;
  if (!r.u32(w.header_value1) || !r.u32(w.header_value2) || !r.text(w.header_text1) || !r.text(w.header_text2) ||
      !r.u32(w.unit_count) || !r.byte_run(w.unit_area)) {
    return ReadStatus::truncated;
  }
  // Each unit takes its id and its offset, 8 bytes, before any record.
  if (w.unit_count > w.unit_area.size / 8) return ReadStatus::bad_unit_area;
  w.unit_ids = w.unit_area.data;
  w.offsets = w.unit_area.data + 4 * w.unit_count;
  const uint32_t table = 8 * w.unit_count;
  w.records = ByteRun{w.unit_area.data + table, w.unit_area.size - table};
  return ReadStatus::ok;
}

ReadStatus check_units(WindowDefinition& w, const RoutineTable& routines) {
  // First pass: every record readable, and the number of event entries.
  uint64_t entries = 0;
  for (uint32_t i = 0; i < w.unit_count; ++i) {
    ByteRun data;
    if (!unit_data(w, i, data)) return ReadStatus::bad_unit_record;
    if (is_menu_item_id(unit_id(w, i))) continue;  // a layout of its own, not read here
    UnitRecord u;
    if (!parse_unit_record(data, u)) return ReadStatus::bad_unit_record;
    entries += u.event_count;
  }
  w.units = static_cast<UnitState*>(allocate_zeroed(sizeof(UnitState) * uint64_t{w.unit_count}));
  w.events = static_cast<ResolvedEvent*>(allocate_zeroed(sizeof(ResolvedEvent) * entries));
  w.event_total = static_cast<uint32_t>(entries);
  // Second pass: resolve each routine reference into the routine.
  uint32_t next = 0;
  for (uint32_t i = 0; i < w.unit_count; ++i) {
    if (is_menu_item_id(unit_id(w, i))) continue;
    UnitRecord u;
    read_unit(w, i, u);
    w.units[i].first_event = next;
    w.units[i].event_count = u.event_count;
    for (uint32_t e = 0; e < u.event_count; ++e) {
      const uint8_t* entry = u.events.data + 8 * e;
      uint32_t reference = load_u32(entry + 4);
      ResolvedEvent& resolved = w.events[next++];
      resolved.event = static_cast<int32_t>(load_u32(entry));
      if (reference == kNoRoutine) continue;
      if (reference >= routines.count || routines.routines[reference] == nullptr) return ReadStatus::bad_routine;
      resolved.routine = routines.routines[reference];
    }
  }
  return ReadStatus::ok;
}

void release_window(WindowDefinition& w) {
  release_text(reinterpret_cast<const char*>(w.units));
  release_text(reinterpret_cast<const char*>(w.events));
  w.units = nullptr;
  w.events = nullptr;
}

}  // namespace

ReadStatus read_definitions(ByteRun block, const RoutineTable& routines, Definitions& out) {
  out = Definitions{};
  ByteReader r(block);
  ByteRun list;
  if (!r.byte_run(list)) return ReadStatus::truncated;
  if (list.size % 8 != 0) return ReadStatus::bad_window_list;
  const uint32_t count = list.size / 8;
  // Each window record takes at least 24 bytes: two values, two empty texts, the
  // unit count and an empty unit area.
  if (count > r.remaining() / 24) return ReadStatus::truncated;
  Definitions read;
  read.windows = static_cast<WindowDefinition*>(allocate_zeroed(sizeof(WindowDefinition) * uint64_t{count}));
  read.count = count;
  ReadStatus status = ReadStatus::ok;
  for (uint32_t i = 0; i < count && status == ReadStatus::ok; ++i) {
    // The slots after the ids are ignored: nothing is loaded yet.
    status = read_window(r, load_u32(list.data + 4 * i), read.windows[i]);
    if (status == ReadStatus::ok) status = check_units(read.windows[i], routines);
  }
  if (status != ReadStatus::ok) {
    discard_definitions(read);
    return status;
  }
  out = read;
  return ReadStatus::ok;
}

void discard_definitions(Definitions& definitions) {
  for (uint32_t i = 0; i < definitions.count; ++i) release_window(definitions.windows[i]);
  release_text(reinterpret_cast<const char*>(definitions.windows));
  definitions = Definitions{};
}

WindowDefinition* find_window(const Definitions& definitions, ControlId window) {
  if (!is_valid_control_id(window)) return nullptr;
  for (uint32_t i = 0; i < definitions.count; ++i) {
    if (definitions.windows[i].id == window) return &definitions.windows[i];
  }
  return nullptr;
}

int32_t find_unit(const WindowDefinition& window, ControlId unit) {
  if (!is_valid_control_id(unit)) return -1;
  for (uint32_t i = 0; i < window.unit_count; ++i) {
    if (unit_id(window, i) == unit) return static_cast<int32_t>(i);
  }
  return -1;
}

ControlId unit_id(const WindowDefinition& window, uint32_t index) {
  return index < window.unit_count ? load_u32(window.unit_ids + 4 * index) : 0;
}

bool read_unit(const WindowDefinition& window, uint32_t index, UnitRecord& out) {
  out = UnitRecord{};
  ByteRun data;
  if (!unit_data(window, index, data) || is_menu_item_id(unit_id(window, index))) return false;
  return parse_unit_record(data, out);
}

const ResolvedEvent* unit_events(const WindowDefinition& window, uint32_t index, uint32_t& count) {
  count = 0;
  if (index >= window.unit_count || window.units == nullptr) return nullptr;
  count = window.units[index].event_count;
  return window.events + window.units[index].first_event;
}
