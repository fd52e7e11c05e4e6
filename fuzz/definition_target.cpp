// Fuzz target over the whole definition reader: the block structure, every unit
// record, the routine references and each kind's property-block decoder. The
// first byte chooses between a whole block and a lone property block, so that
// every decoder also sees bytes no block structure would reach it with.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/definitions.h"
#include "ui/property_blocks.h"

namespace {

EventResult routine(const EventArgument*, uint32_t) { return EventResult{}; }

void decode_as(Kind kind, ByteRun run) {
  switch (kind) {
    case Kind::window: {
      WindowProps p;
      decode_window_props(run, p);
      break;
    }
    case Kind::EditBox: {
      EditBoxProps p;
      decode_edit_box_props(run, p);
      break;
    }
    case Kind::Label: {
      LabelProps p;
      decode_label_props(run, p);
      break;
    }
    case Kind::Button: {
      ButtonProps p;
      decode_button_props(run, p);
      break;
    }
    case Kind::ComboBox: {
      ComboBoxProps p;
      if (decode_combo_box_props(run, p) == PropsStatus::ok) {
        TextListCursor cursor = begin_text_list(p.items);
        std::string_view item;
        uint32_t seen = 0;
        while (next_text(cursor, item)) ++seen;
        if (seen != p.items.count) __builtin_trap();  // a checked list always walks to its end
      }
      break;
    }
  }
}

const Kind kKinds[] = {Kind::window, Kind::EditBox, Kind::Label, Kind::Button, Kind::ComboBox};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > UINT32_MAX) return 0;
  const ByteRun rest{data + 1, static_cast<uint32_t>(size - 1)};
  if (data[0] < 5) {
    decode_as(kKinds[data[0]], rest);
    return 0;
  }
  static const EventRoutine routines[] = {routine};
  Definitions definitions;
  if (read_definitions(rest, RoutineTable{routines, 1}, definitions) != ReadStatus::ok) return 0;
  for (uint32_t w = 0; w < definitions.count; ++w) {
    const WindowDefinition& window = definitions.windows[w];
    if (find_window(definitions, window.id) == nullptr && is_valid_control_id(window.id)) __builtin_trap();
    for (uint32_t i = 0; i < window.unit_count; ++i) {
      UnitRecord u;
      if (!read_unit(window, i, u)) {
        if (!is_menu_item_id(unit_id(window, i))) __builtin_trap();  // every record was checked
        continue;
      }
      uint32_t count = 0;
      unit_events(window, i, count);
      if (count != u.event_count) __builtin_trap();
      Kind kind;
      if (kind_from_code(u.kind_code, kind)) decode_as(kind, u.properties);
    }
  }
  discard_definitions(definitions);
  return 0;
}
