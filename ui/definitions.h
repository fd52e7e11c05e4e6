// The window definitions held from start-up to shutdown: read from the stored
// block, looked up by ControlId, with the state of a loaded window kept beside
// them in writable memory (the block itself is never written).
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/definition_types.h"

// A routine of the program that an event entry runs. The event's arguments, when
// there are any, and the result: has_result is set when the routine gives one.
struct EventArgument {
  int64_t value = 0;
};
struct EventResult {
  bool has_result = false;
  int64_t value = 0;
};
using EventRoutine = EventResult (*)(const EventArgument* arguments, uint32_t count);

// The program's routines, by reference number.
struct RoutineTable {
  const EventRoutine* routines = nullptr;
  uint32_t count = 0;
};

struct ResolvedEvent {
  int32_t event = 0;
  EventRoutine routine = nullptr;  // null: an entry without routine
};

// What a unit holds while its window is loaded. The stored slots of the record
// (live control, mouse pointer) stay 0 in the block; their values live here, the
// same in the 32-bit and the 64-bit build.
struct UnitState {
  void* live_control = nullptr;
  void* mouse_pointer = nullptr;
  uint32_t first_event = 0;  // into WindowDefinition::events
  uint32_t event_count = 0;
};

// One unit record as stored, every field read.
struct UnitRecord {
  uint32_t kind_code = 0;
  ControlId shared_events = 0;
  ByteRun reserved1;  // 16 bytes
  std::string_view name;
  std::string_view remark;
  uint32_t live_slot = 0;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t mouse_slot = 0;
  ControlId parent = 0;
  uint32_t child_count = 0;
  ByteRun children;  // child_count u32 values
  ByteRun mouse_pointer;
  std::string_view tag;
  uint32_t reserved2 = 0;
  uint32_t flags = 0;
  int32_t tab_order = 0;
  uint32_t event_count = 0;
  ByteRun events;     // event_count pairs of s32 event number, u32 routine reference
  ByteRun reserved3;  // 20 bytes
  ByteRun properties;
};

struct WindowDefinition {
  ControlId id = 0;
  uint32_t header_value1 = 0;
  uint32_t header_value2 = 0;
  std::string_view header_text1;
  std::string_view header_text2;
  uint32_t unit_count = 0;
  ByteRun unit_area;
  // Parts of the unit area: the ControlIds, the offsets, the records.
  const uint8_t* unit_ids = nullptr;
  const uint8_t* offsets = nullptr;
  ByteRun records;
  // Writable state beside the block.
  UnitState* units = nullptr;
  ResolvedEvent* events = nullptr;
  uint32_t event_total = 0;
  void* loaded_window = nullptr;  // what the window-list slot holds while loaded
};

struct Definitions {
  WindowDefinition* windows = nullptr;
  uint32_t count = 0;
};

enum class ReadStatus {
  ok,
  truncated,           // the block ends before its fields do
  bad_window_list,     // a window list that is not a whole number of entries
  bad_unit_area,       // unit count, ids or offsets that do not fit the unit area
  bad_unit_record,     // a unit record that ends before its fields or runs past its area
  bad_routine,         // an event entry that names no routine of the program
};

// Reads every window of the block, checks every unit record and resolves every
// routine reference against the program's routines. Never ends the program: a
// malformed block gives a status other than ok, and then out holds nothing.
ReadStatus read_definitions(ByteRun block, const RoutineTable& routines, Definitions& out);

// Gives back what read_definitions took.
void discard_definitions(Definitions& definitions);

// The definition held under a window ControlId, or null (also for an invalid id).
WindowDefinition* find_window(const Definitions& definitions, ControlId window);

// The index of the unit held under a ControlId, or -1 (also for an invalid id).
int32_t find_unit(const WindowDefinition& window, ControlId unit);

// The ControlId of unit index.
ControlId unit_id(const WindowDefinition& window, uint32_t index);

// Reads the record of unit index. False for an index out of range or a record
// that cannot be read (read_definitions has checked every record of a window it
// returned, menu items excepted).
bool read_unit(const WindowDefinition& window, uint32_t index, UnitRecord& out);

// The resolved event entries of a unit.
const ResolvedEvent* unit_events(const WindowDefinition& window, uint32_t index, uint32_t& count);
