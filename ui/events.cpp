#include "ui/events.h"

#include "app/program_end.h"
#include "generated/ui_texts.h"

namespace {

Definitions g_definitions;
ControlId g_source_window = 0;
ControlId g_source_unit = 0;

}  // namespace

Definitions& program_definitions() { return g_definitions; }

ReadStatus read_program_definitions(ByteRun block, const RoutineTable& routines) {
  discard_definitions(g_definitions);
  return read_definitions(block, routines, g_definitions);
}

void discard_program_definitions() { discard_definitions(g_definitions); }

ControlId event_source_window() { return g_source_window; }
ControlId event_source_unit() { return g_source_unit; }

bool raise_event(ControlId window, ControlId unit, int32_t event, const EventArgument* arguments, uint32_t count,
                 EventResult* result) {
  if (event_suspension_count() > 0) return false;
  WindowDefinition* w = find_window(g_definitions, window);
  if (w == nullptr) report_fatal_error(WDL_TXT_EVENT_WINDOW_MISSING, 0);
  const int32_t index = unit == 0 ? (w->unit_count > 0 ? 0 : -1) : find_unit(*w, unit);
  if (index < 0) report_fatal_error(WDL_TXT_EVENT_UNIT_MISSING, 0);

  UnitRecord record;
  Kind kind;
  if (!read_unit(*w, static_cast<uint32_t>(index), record) || !kind_from_code(record.kind_code, kind)) {
    report_fatal_error(WDL_TXT_EVENT_UNIT_INVALID, 0);
  }
  // The entries may come from a chain of shared-events units of the same kind;
  // a chain that comes back on itself stops after as many steps as there are units.
  uint32_t entries_of = static_cast<uint32_t>(index);
  ControlId next = record.shared_events;
  for (uint32_t steps = 0; next != 0 && steps < w->unit_count; ++steps) {
    const int32_t j = find_unit(*w, next);
    UnitRecord shared;
    Kind shared_kind;
    if (j < 0 || !read_unit(*w, static_cast<uint32_t>(j), shared) || !kind_from_code(shared.kind_code, shared_kind) ||
        shared_kind != kind) {
      break;
    }
    entries_of = static_cast<uint32_t>(j);
    next = shared.shared_events;
  }

  uint32_t entry_count = 0;
  const ResolvedEvent* entries = unit_events(*w, entries_of, entry_count);
  for (uint32_t e = 0; e < entry_count; ++e) {
    if (entries[e].event != event) continue;
    if (entries[e].routine == nullptr) return false;
    const ControlId previous_window = g_source_window;
    const ControlId previous_unit = g_source_unit;
    g_source_window = window;
    g_source_unit = unit_id(*w, static_cast<uint32_t>(index));
    EventResult given = entries[e].routine(arguments, count);
    g_source_window = previous_window;
    g_source_unit = previous_unit;
    if (result != nullptr) *result = given;
    return true;
  }
  return false;
}
