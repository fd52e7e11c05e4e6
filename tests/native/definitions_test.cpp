// The stored block of the main window and its reader: the block's layout pinned
// byte for byte, every value read back, and malformed blocks refused cleanly.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/native/definition_fixture.h"
#include "ui/main_window_definition.h"
#include "ui/property_blocks.h"

namespace {

uint32_t u32_at(ByteRun run, uint32_t at) {
  return run.data[at] | (run.data[at + 1] << 8) | (run.data[at + 2] << 16) | (static_cast<uint32_t>(run.data[at + 3]) << 24);
}

uint64_t fnv1a(ByteRun run) {
  uint64_t hash = 14695981039346656037ull;
  for (uint32_t i = 0; i < run.size; ++i) hash = (hash ^ run.data[i]) * 1099511628211ull;
  return hash;
}

TEST(MainWindowBlock, LayoutIsPinned) {
  const ByteRun block = main_window_block();
  ASSERT_EQ(block.size, 1475u);
  EXPECT_EQ(u32_at(block, 0), 8u) << "window list of one window";
  EXPECT_EQ(u32_at(block, 4), kMainWindowId);
  EXPECT_EQ(u32_at(block, 12), 0x1D344D30u);
  EXPECT_EQ(u32_at(block, 16), 0x19010004u);
  EXPECT_EQ(u32_at(block, 20), 0u);
  EXPECT_EQ(u32_at(block, 24), 0u);
  EXPECT_EQ(u32_at(block, 28), 6u) << "unit count";
  EXPECT_EQ(u32_at(block, 32), 1439u) << "unit area";
  const uint32_t area = 36;
  const uint32_t ids[] = {kMainWindowUnitId, kLabel1Id, kEditBox2Id, kComboBox1Id, kButton1Id, kEditBox1Id};
  const uint32_t offsets[] = {0, 253, 559, 759, 1042, 1195};
  const uint32_t records[] = {249, 302, 196, 279, 149, 192};
  const uint32_t props[] = {146, 194, 86, 169, 33, 82};
  const uint32_t versions[] = {6, 2, 2, 3, 1, 2};
  const uint32_t records_start = area + 48;
  for (uint32_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(u32_at(block, area + 4 * i), ids[i]);
    EXPECT_EQ(u32_at(block, area + 24 + 4 * i), offsets[i]);
    EXPECT_EQ(u32_at(block, records_start + offsets[i]), records[i]);
    const uint32_t props_at = records_start + offsets[i] + 4 + records[i] - props[i];
    EXPECT_EQ(u32_at(block, props_at), versions[i]);
  }
  // Any change to any value of the description shows here.
  EXPECT_EQ(fnv1a(block), 0x9634ce12e9a11926ull) << std::hex << fnv1a(block);
}


const std::string kLabelText =
    "\xB1\xBE\xB9\xA4\xBE\xDF\xCA\xC7\xD3\xC9Tarnwick\xC2\xDB\xCC\xB3" "By\xA3\xBAOrleskan\xCB\xF9\xD6\xC6\xD7\xF7\xA1\xA3"
    "\xCA\xE4\xC8\xEB\xCE\xA2\xD4\xC6\xCE\xC4\xBC\xFE\xB7\xD6\xCF\xED\xC1\xB4\xBD\xD3\xB2\xA2\xC9\xE8\xD6\xC3\xB7\xD6"
    "\xCF\xED\xC1\xB4\xBD\xD3\xC0\xA9\xD5\xB9\xC3\xFB\xBA\xF3\xB5\xE3\xBB\xF7\xA1\xB0\xC9\xFA\xB3\xC9\xA1\xB1\xB0\xB4"
    "\xC5\xA5\xBC\xB4\xBF\xC9\xA1\xA3";

struct UnitExpectation {
  ControlId id;
  Kind kind;
  std::string name;
  int32_t left, top, width, height;
  uint32_t flags;
  uint32_t events;
};

TEST(MainWindowBlock, ReadsBackEveryValue) {
  HeldDefinitions held;
  ASSERT_EQ(held.read(main_window_block()), ReadStatus::ok);
  ASSERT_EQ(held.definitions.count, 1u);
  WindowDefinition* w = find_window(held.definitions, kMainWindowId);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->header_value1, 0x1D344D30u);
  EXPECT_EQ(w->header_value2, 0x19010004u);
  EXPECT_TRUE(w->header_text1.empty());
  EXPECT_TRUE(w->header_text2.empty());
  ASSERT_EQ(w->unit_count, 6u);

  const UnitExpectation expected[] = {
      {kMainWindowUnitId, Kind::window, "", 50, 50, 462, 156, kUnitVisible, 0},
      {kLabel1Id, Kind::Label, "\xB1\xEA\xC7\xA9" "1", 16, 64, 280, 48, kUnitVisible, 0},
      {kEditBox2Id, Kind::EditBox, "\xB1\xE0\xBC\xAD\xBF\xF2" "2", 384, 11, 48, 32, kUnitVisible | kUnitTabStop, 0},
      {kComboBox1Id, Kind::ComboBox, "\xD7\xE9\xBA\xCF\xBF\xF2" "1", 456, 152, 96, 20, kUnitVisible | kUnitTabStop, 0},
      {kButton1Id, Kind::Button, "\xB0\xB4\xC5\xA5" "1", 312, 72, 128, 40, kUnitVisible | kUnitTabStop, 1},
      {kEditBox1Id, Kind::EditBox, "\xB1\xE0\xBC\xAD\xBF\xF2" "1", 17, 13, 352, 32, kUnitVisible | kUnitTabStop, 0},
  };
  for (uint32_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const UnitExpectation& e = expected[i];
    EXPECT_EQ(unit_id(*w, i), e.id);
    EXPECT_EQ(find_unit(*w, e.id), static_cast<int32_t>(i));
    UnitRecord u;
    ASSERT_TRUE(read_unit(*w, i, u));
    EXPECT_EQ(u.kind_code, kind_code(e.kind));
    EXPECT_EQ(u.shared_events, 0u);
    EXPECT_EQ(bytes_of(u.name), e.name);
    EXPECT_TRUE(u.remark.empty());
    EXPECT_EQ(u.live_slot, 0u);
    EXPECT_EQ(u.mouse_slot, 0u);
    EXPECT_EQ(u.left, e.left);
    EXPECT_EQ(u.top, e.top);
    EXPECT_EQ(u.width, e.width);
    EXPECT_EQ(u.height, e.height);
    EXPECT_EQ(u.parent, 0u);
    EXPECT_EQ(u.child_count, 0u);
    ASSERT_EQ(u.mouse_pointer.size, 4u);
    EXPECT_EQ(u32_at(u.mouse_pointer, 0), 0u);
    EXPECT_TRUE(u.tag.empty());
    EXPECT_EQ(u.reserved2, 0u);
    EXPECT_EQ(u.flags, e.flags);
    EXPECT_EQ(u.tab_order, 0);
    EXPECT_EQ(u.event_count, e.events);
    for (uint32_t b = 0; b < 16; ++b) EXPECT_EQ(u.reserved1.data[b], 0);
    for (uint32_t b = 0; b < 20; ++b) EXPECT_EQ(u.reserved3.data[b], 0);
  }

  uint32_t count = 0;
  const ResolvedEvent* events = unit_events(*w, 4, count);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(events[0].event, 0);
  EXPECT_EQ(events[0].routine, &test_routine) << "reference 0 designates the click routine";

  UnitRecord u;
  WindowProps window;
  ASSERT_TRUE(read_unit(*w, 0, u));
  ASSERT_EQ(decode_window_props(u.properties, window), PropsStatus::ok);
  EXPECT_EQ(window.border_style, 2u);
  EXPECT_EQ(window.picture_placement, 1u);
  EXPECT_EQ(window.background_colour, 0xFF000000u);
  EXPECT_EQ(window.maximise_box, 0u);
  EXPECT_EQ(window.minimise_box, 1u);
  EXPECT_EQ(window.control_box, 1u);
  EXPECT_EQ(window.start_position, 1u);
  EXPECT_EQ(window.movable, 1u);
  EXPECT_EQ(window.enter_moves_focus, 0u);
  EXPECT_EQ(window.escape_closes, 1u);
  EXPECT_EQ(window.f1_opens_help, 0u);
  EXPECT_EQ(window.taskbar_button, 1u);
  EXPECT_EQ(window.shape, 0u);
  EXPECT_EQ(window.always_on_top, 0u);
  EXPECT_TRUE(window.class_name.empty());
  EXPECT_TRUE(window.icon.empty());
  EXPECT_EQ(bytes_of(window.caption), "Vellumorandelquistor    Tarnwick  By\xA3\xBAOrleskan");
  EXPECT_TRUE(window.help_file.empty());

  LabelProps label;
  ASSERT_TRUE(read_unit(*w, 1, u));
  ASSERT_EQ(decode_label_props(u.properties, label), PropsStatus::ok);
  EXPECT_EQ(bytes_of(label.text), kLabelText);
  EXPECT_EQ(label.text.size(), 106u);
  EXPECT_EQ(label.background_colour, 0xFF000000u);
  EXPECT_EQ(label.frame_width, 8u);
  EXPECT_EQ(label.frame_colours[1], 0xFFFFFFu);
  EXPECT_EQ(label.horizontal_alignment, 0u);
  EXPECT_EQ(label.vertical_alignment, 1u);
  EXPECT_EQ(label.word_wrap, 0u);
  EXPECT_EQ(label.border_style, 0u);

  EditBoxProps box2, box1;
  ASSERT_TRUE(read_unit(*w, 2, u));
  ASSERT_EQ(decode_edit_box_props(u.properties, box2), PropsStatus::ok);
  EXPECT_EQ(bytes_of(box2.content), ".mp3");
  ASSERT_TRUE(read_unit(*w, 5, u));
  ASSERT_EQ(decode_edit_box_props(u.properties, box1), PropsStatus::ok);
  EXPECT_TRUE(box1.content.empty());
  for (const EditBoxProps* box : {&box1, &box2}) {
    EXPECT_EQ(box->border_style, 1u);
    EXPECT_EQ(box->text_colour, 0u);
    EXPECT_EQ(box->background_colour, 0xFFFFFFu);
    EXPECT_EQ(box->hide_selection, 1u);
    EXPECT_EQ(box->max_length, 0u);
    EXPECT_EQ(box->multi_line, 0u);
    EXPECT_EQ(box->password_char, '*');
    EXPECT_EQ(box->adjuster_max, 100u);
    EXPECT_TRUE(box->font.empty());
  }

  ComboBoxProps combo;
  ASSERT_TRUE(read_unit(*w, 3, u));
  ASSERT_EQ(decode_combo_box_props(u.properties, combo), PropsStatus::ok);
  EXPECT_EQ(combo.type, 1u);
  EXPECT_EQ(combo.extra_item_height, 1u);
  EXPECT_EQ(combo.current_selection, 0);
  EXPECT_TRUE(combo.text.empty());
  const char* items[] = {".mp3", ".mp4", ".flv", ".rar", ".zip", ".7z", ".exe",
                         ".jpg", ".gif", ".doc", ".xls", ".ppt", ".txt"};
  ASSERT_EQ(combo.items.count, 13u);
  TextListCursor cursor = begin_text_list(combo.items);
  std::string_view item;
  for (const char* want : items) {
    ASSERT_TRUE(next_text(cursor, item));
    EXPECT_EQ(bytes_of(item), want);
  }
  EXPECT_FALSE(next_text(cursor, item));

  ButtonProps button;
  ASSERT_TRUE(read_unit(*w, 4, u));
  ASSERT_EQ(decode_button_props(u.properties, button), PropsStatus::ok);
  EXPECT_EQ(bytes_of(button.caption), "\xC9\xFA \xB3\xC9");
  EXPECT_EQ(button.default_button, 0u);
  EXPECT_EQ(button.horizontal_alignment, 1u);
  EXPECT_EQ(button.vertical_alignment, 1u);
}

TEST(DefinitionLookups, InvalidIdsAreNeverFound) {
  HeldDefinitions held;
  ASSERT_EQ(held.read(main_window_block()), ReadStatus::ok);
  WindowDefinition* w = find_window(held.definitions, kMainWindowId);
  ASSERT_NE(w, nullptr);
  const ControlId invalid[] = {0, 0x52000000, 0x50010001, 0xF0000000};
  for (ControlId id : invalid) {
    EXPECT_EQ(find_window(held.definitions, id), nullptr) << std::hex << id;
    EXPECT_EQ(find_unit(*w, id), -1) << std::hex << id;
  }
  EXPECT_EQ(find_window(held.definitions, 0x52010002), nullptr);
  EXPECT_EQ(find_unit(*w, 0x16010004), -1);
  UnitRecord u;
  EXPECT_FALSE(read_unit(*w, 6, u));
  EXPECT_EQ(unit_id(*w, 6), 0u);
}

// Every value the reader takes is checked against the bytes that remain.
TEST(DefinitionReader, EveryTruncationIsRefused) {
  const ByteRun block = main_window_block();
  std::vector<uint8_t> copy(block.data, block.data + block.size);
  for (uint32_t n = 0; n < block.size; ++n) {
    // Exactly n bytes on the heap, so that AddressSanitizer sees any read past them.
    std::vector<uint8_t> cut(copy.begin(), copy.begin() + n);
    HeldDefinitions held;
    ASSERT_NE(held.read(ByteRun{cut.data(), n}), ReadStatus::ok) << n << " bytes";
    EXPECT_EQ(held.definitions.count, 0u);
  }
}

// Reads a block as the program would: the definitions, every unit and every
// property block by its kind.
void read_everything(ByteRun block) {
  HeldDefinitions held;
  if (held.read(block) != ReadStatus::ok) return;
  for (uint32_t w = 0; w < held.definitions.count; ++w) {
    const WindowDefinition& window = held.definitions.windows[w];
    for (uint32_t i = 0; i < window.unit_count; ++i) {
      UnitRecord u;
      if (!read_unit(window, i, u)) continue;
      uint32_t count = 0;
      const ResolvedEvent* events = unit_events(window, i, count);
      for (uint32_t e = 0; e < count; ++e) (void)events[e].routine;
      Kind kind;
      if (!kind_from_code(u.kind_code, kind)) continue;
      WindowProps wp;
      EditBoxProps ep;
      LabelProps lp;
      ButtonProps bp;
      ComboBoxProps cp;
      switch (kind) {
        case Kind::window: decode_window_props(u.properties, wp); break;
        case Kind::EditBox: decode_edit_box_props(u.properties, ep); break;
        case Kind::Label: decode_label_props(u.properties, lp); break;
        case Kind::Button: decode_button_props(u.properties, bp); break;
        case Kind::ComboBox:
          if (decode_combo_box_props(u.properties, cp) == PropsStatus::ok) {
            TextListCursor cursor = begin_text_list(cp.items);
            std::string_view item;
            while (next_text(cursor, item)) {}
          }
          break;
      }
    }
  }
}

TEST(DefinitionReader, SingleByteChangesNeverCrash) {
  const ByteRun block = main_window_block();
  const uint8_t values[] = {0x00, 0xFF, 0x7F, 0x80};
  for (uint32_t at = 0; at < block.size; ++at) {
    for (uint8_t value : values) {
      std::vector<uint8_t> changed(block.data, block.data + block.size);
      changed[at] = value;
      read_everything(run_of(changed));
      changed[at] = static_cast<uint8_t>(block.data[at] ^ 0x01);
      read_everything(run_of(changed));
    }
  }
}

TEST(DefinitionReader, MalformedStructuresGiveTheirStatus) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    ReadStatus expected;
  };
  auto u32 = [](uint32_t v) {
    return std::vector<uint8_t>{uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  };
  auto cat = [](std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
  };
  const std::vector<uint8_t> header = cat({u32(1), u32(2), u32(0), u32(0)});
  const Case cases[] = {
      {"empty block", {}, ReadStatus::truncated},
      {"no windows", cat({u32(0)}), ReadStatus::ok},
      {"window list of 12 bytes", cat({u32(12), u32(kMainWindowId), u32(0), u32(0)}), ReadStatus::bad_window_list},
      {"window list longer than the block", cat({u32(0xFFFFFFF8)}), ReadStatus::truncated},
      {"many windows, no records", cat({u32(8 * 1000), std::vector<uint8_t>(8000, 1)}), ReadStatus::truncated},
      {"unit count beyond the area", cat({u32(8), u32(kMainWindowId), u32(0), header, u32(0xFFFFFFFF), u32(8),
                                          u32(kMainWindowUnitId), u32(0)}),
       ReadStatus::bad_unit_area},
      {"offset beyond the records", cat({u32(8), u32(kMainWindowId), u32(0), header, u32(1), u32(8),
                                         u32(kMainWindowUnitId), u32(0x7FFFFFFF)}),
       ReadStatus::bad_unit_record},
      {"record count beyond the area", cat({u32(8), u32(kMainWindowId), u32(0), header, u32(1), u32(12),
                                            u32(kMainWindowUnitId), u32(0), u32(100)}),
       ReadStatus::bad_unit_record},
      {"unit count 0", cat({u32(8), u32(kMainWindowId), u32(0), header, u32(0), u32(0)}), ReadStatus::ok},
  };
  for (const Case& c : cases) {
    HeldDefinitions held;
    EXPECT_EQ(held.read(run_of(c.bytes)), c.expected) << c.name;
  }
}

UnitDesc plain_window_unit() {
  UnitDesc unit;
  unit.id = kMainWindowUnitId;
  unit.kind = Kind::window;
  unit.flags = kUnitVisible;
  unit.props.version = 6;
  return unit;
}

TEST(DefinitionReader, AWindowWithoutUnitsReadsButHasNoWindowUnit) {
  WindowDesc window{.id = kMainWindowId};
  std::vector<uint8_t> bytes = write_block(window);
  HeldDefinitions held;
  ASSERT_EQ(held.read(run_of(bytes)), ReadStatus::ok);
  WindowDefinition* w = find_window(held.definitions, kMainWindowId);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->unit_count, 0u);
  UnitRecord u;
  EXPECT_FALSE(read_unit(*w, 0, u)) << "nothing to create the window from";
}

TEST(DefinitionReader, RoutineReferencesResolveOrFail) {
  struct Case {
    uint32_t reference;
    ReadStatus expected;
    bool has_routine;
  };
  const Case cases[] = {{0, ReadStatus::ok, true}, {kNoRoutine, ReadStatus::ok, false}, {1, ReadStatus::bad_routine, false},
                        {0x7FFFFFFF, ReadStatus::bad_routine, false}};
  for (const Case& c : cases) {
    const EventEntryDesc events[] = {{-7, kNoRoutine}, {0, c.reference}};
    UnitDesc units[] = {plain_window_unit()};
    units[0].events = events;
    WindowDesc window{.id = kMainWindowId, .units = units};
    std::vector<uint8_t> bytes = write_block(window);
    HeldDefinitions held;
    ASSERT_EQ(held.read(run_of(bytes)), c.expected) << c.reference;
    if (c.expected != ReadStatus::ok) continue;
    uint32_t count = 0;
    const ResolvedEvent* resolved = unit_events(held.definitions.windows[0], 0, count);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(resolved[0].event, -7);
    EXPECT_EQ(resolved[0].routine, nullptr);
    EXPECT_EQ(resolved[1].routine != nullptr, c.has_routine);
  }
}

TEST(DefinitionReader, UnitFieldsRoundTrip) {
  const ControlId children[] = {0x16010005, 0, 0x16010006};
  UnitDesc units[] = {plain_window_unit(), plain_window_unit()};
  units[1].id = 0x16010007;
  units[1].kind = Kind::Button;
  units[1].props.version = 1;
  units[1].shared_events = 0x16010003;
  units[1].name = "name";
  units[1].remark = "remark";
  units[1].left = -5;
  units[1].top = 7;
  units[1].width = 70000;
  units[1].height = 3;
  units[1].parent = 0x16010009;
  units[1].children = children;
  units[1].mouse_pointer = 32512;
  units[1].tag = "tag";
  units[1].flags = kUnitDisabled | kUnitTabStop;
  units[1].tab_order = -3;
  WindowDesc window{.id = kMainWindowId, .header_text1 = "one", .header_text2 = "two", .units = units};
  std::vector<uint8_t> bytes = write_block(window);
  HeldDefinitions held;
  ASSERT_EQ(held.read(run_of(bytes)), ReadStatus::ok);
  const WindowDefinition& w = held.definitions.windows[0];
  EXPECT_EQ(bytes_of(w.header_text1), "one");
  EXPECT_EQ(bytes_of(w.header_text2), "two");
  UnitRecord u;
  ASSERT_TRUE(read_unit(w, 1, u));
  EXPECT_EQ(u.shared_events, 0x16010003u);
  EXPECT_EQ(bytes_of(u.name), "name");
  EXPECT_EQ(bytes_of(u.remark), "remark");
  EXPECT_EQ(u.left, -5);
  EXPECT_EQ(u.width, 70000);
  EXPECT_EQ(u.parent, 0x16010009u);
  ASSERT_EQ(u.child_count, 3u);
  EXPECT_EQ(u32_at(u.children, 0), 0x16010005u);
  EXPECT_EQ(u32_at(u.children, 4), 0u);
  EXPECT_EQ(u32_at(u.children, 8), 0x16010006u);
  EXPECT_EQ(u32_at(u.mouse_pointer, 0), 32512u);
  EXPECT_EQ(bytes_of(u.tag), "tag");
  EXPECT_EQ(u.flags, kUnitDisabled | kUnitTabStop);
  EXPECT_EQ(u.tab_order, -3);
}

TEST(DefinitionReader, MenuItemsAreSkipped) {
  UnitDesc units[] = {plain_window_unit(), plain_window_unit()};
  units[1].id = 0x26010001;
  WindowDesc window{.id = kMainWindowId, .units = units};
  std::vector<uint8_t> bytes = write_block(window);
  HeldDefinitions held;
  ASSERT_EQ(held.read(run_of(bytes)), ReadStatus::ok);
  UnitRecord u;
  EXPECT_FALSE(read_unit(held.definitions.windows[0], 1, u));
  EXPECT_TRUE(read_unit(held.definitions.windows[0], 0, u));
}

TEST(DefinitionReader, SeveralWindows) {
  UnitDesc units[] = {plain_window_unit()};
  const WindowDesc windows[] = {{.id = 0x52010001, .units = units}, {.id = 0x52010002, .units = units}};
  std::vector<uint8_t> bytes = write_block(std::span<const WindowDesc>(windows));
  HeldDefinitions held;
  ASSERT_EQ(held.read(run_of(bytes)), ReadStatus::ok);
  ASSERT_EQ(held.definitions.count, 2u);
  EXPECT_EQ(find_window(held.definitions, 0x52010002), &held.definitions.windows[1]);
}

}  // namespace
