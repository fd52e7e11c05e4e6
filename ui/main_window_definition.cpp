// The main window's definition: a window with a label, two edit boxes, a button
// and a combo box that lies outside the client area. The stored block is
// computed from this description by the compiler.
#include "ui/main_window_definition.h"

#include "generated/ui_texts.h"

namespace {

constexpr std::string_view kExtensions[] = {".mp3", ".mp4", ".flv", ".rar", ".zip", ".7z", ".exe",
                                            ".jpg", ".gif", ".doc", ".xls", ".ppt", ".txt"};

constexpr EventEntryDesc kButtonEvents[] = {{0, kRoutineGenerateDirectLink}};

constexpr PropsDesc window_props() {
  PropsDesc p;
  p.version = 6;
  p.window.caption = WDL_TXT_WINDOW_CAPTION;
  return p;
}

constexpr PropsDesc label_props() {
  PropsDesc p;
  p.version = 2;
  p.label.text = WDL_TXT_LABEL1_TEXT;
  return p;
}

constexpr PropsDesc edit_box_props(std::string_view content) {
  PropsDesc p;
  p.version = 2;
  p.edit_box.content = content;
  return p;
}

constexpr PropsDesc combo_box_props() {
  PropsDesc p;
  p.version = 3;
  p.combo_box.current_selection = 0;
  p.combo_box.items.items = kExtensions;
  p.combo_box.items.count = sizeof kExtensions / sizeof kExtensions[0];
  return p;
}

constexpr PropsDesc button_props() {
  PropsDesc p;
  p.version = 1;
  p.button.caption = WDL_TXT_BUTTON1_CAPTION;
  return p;
}

constexpr uint32_t kTabStop = kUnitVisible | kUnitTabStop;

constexpr UnitDesc kUnits[] = {
    {.id = kMainWindowUnitId, .kind = Kind::window, .left = 50, .top = 50, .width = 462, .height = 156,
     .flags = kUnitVisible, .props = window_props()},
    {.id = kLabel1Id, .kind = Kind::Label, .name = WDL_TXT_LABEL1_NAME, .left = 16, .top = 64, .width = 280,
     .height = 48, .flags = kUnitVisible, .props = label_props()},
    {.id = kEditBox2Id, .kind = Kind::EditBox, .name = WDL_TXT_EDITBOX2_NAME, .left = 384, .top = 11, .width = 48,
     .height = 32, .flags = kTabStop, .props = edit_box_props(".mp3")},
    {.id = kComboBox1Id, .kind = Kind::ComboBox, .name = WDL_TXT_COMBOBOX1_NAME, .left = 456, .top = 152,
     .width = 96, .height = 20, .flags = kTabStop, .props = combo_box_props()},
    {.id = kButton1Id, .kind = Kind::Button, .name = WDL_TXT_BUTTON1_NAME, .left = 312, .top = 72, .width = 128,
     .height = 40, .flags = kTabStop, .events = kButtonEvents, .props = button_props()},
    {.id = kEditBox1Id, .kind = Kind::EditBox, .name = WDL_TXT_EDITBOX1_NAME, .left = 17, .top = 13, .width = 352,
     .height = 32, .flags = kTabStop, .props = edit_box_props("")},
};

constexpr WindowDesc kWindows[] = {
    {.id = kMainWindowId, .header_value1 = 0x1D344D30, .header_value2 = 0x19010004, .units = kUnits},
};

constexpr ByteWriter<4096> written() {
  ByteWriter<4096> out;
  write_definitions(out, std::span<const WindowDesc>(kWindows));
  return out;
}

constexpr ByteWriter<4096> kWritten = written();
static_assert(!kWritten.overflow, "the definition block outgrew its buffer");
constexpr StoredBlock<kWritten.size> kStored = cut_block<kWritten.size>(kWritten);

}  // namespace

const WindowDesc kMainWindowDesc = kWindows[0];

ByteRun main_window_block() {
#ifdef WDL_CORRUPT_DEFINITIONS
  // Test variant of the program: the block ends in the middle of its unit area.
  return ByteRun{kStored.bytes, static_cast<uint32_t>(kWritten.size - 100)};
#else
  return kStored.run();
#endif
}
