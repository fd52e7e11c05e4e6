// The keyboard filter and the focus, in-process on the main window and on
// variants with a default push button, Enter moving the focus, a multi-line box,
// and Escape not closing.
#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "tests/native/definition_fixture.h"
#include "tests/win/test_support.h"
#include "ui/events.h"
#include "ui/focus_win.h"
#include "ui/keyboard_filter_win.h"
#include "ui/main_window_definition.h"
#include "ui/window_runtime_win.h"

namespace {

int g_clicks = 0;
EventResult count_click(const EventArgument*, uint32_t) {
  ++g_clicks;
  return EventResult{};
}

class KeyboardFilter : public ::testing::Test {
 protected:
  void SetUp() override { g_clicks = 0; }
  void TearDown() override {
    set_shift(false);
    if (w_ != nullptr && IsWindow(w_->hwnd)) DestroyWindow(w_->hwnd);
    pump_messages();
    discard_program_definitions();
  }
  void load(std::vector<UnitDesc> units) {
    WindowDesc window = kMainWindowDesc;
    window.units = units;
    block_ = write_block(window);
    static const EventRoutine routines[] = {count_click};
    ASSERT_EQ(read_program_definitions(run_of(block_), RoutineTable{routines, 1}), ReadStatus::ok);
    ASSERT_TRUE(load_window(kMainWindowId));
    pump_messages();
    w_ = live_window(*find_window(program_definitions(), kMainWindowId));
    SetFocus(control(5));
    pump_messages();
  }
  std::vector<UnitDesc> main_units() const { return {kMainWindowDesc.units.begin(), kMainWindowDesc.units.end()}; }
  HWND control(uint32_t index) { return live_control(*w_->definition, index)->hwnd; }
  // A key-down as the message loop would offer it, for the focused window.
  bool offer(WPARAM key) {
    MSG message{};
    message.hwnd = GetFocus();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    return filter_message(*w_, message);
  }
  static void set_shift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  int32_t focused_unit() { return unit_of_control(*w_, GetFocus()); }

  std::vector<uint8_t> block_;
  LiveWindow* w_ = nullptr;
};

TEST_F(KeyboardFilter, TabOrderEnterAndEscapeOfTheMainWindow) {
  load(main_units());
  EXPECT_EQ(focused_unit(), 5);
  const int32_t order[] = {4, 3, 2, 5};
  for (int32_t unit : order) {
    EXPECT_TRUE(offer(VK_TAB));
    EXPECT_EQ(focused_unit(), unit);
  }
  set_shift(true);
  const int32_t back[] = {2, 3, 4, 5};
  for (int32_t unit : back) {
    EXPECT_TRUE(offer(VK_TAB));
    EXPECT_EQ(focused_unit(), unit);
  }
  set_shift(false);
  EXPECT_FALSE(offer(VK_RETURN)) << "no default push button: Enter goes to the control";
  EXPECT_EQ(g_clicks, 0);
  EXPECT_FALSE(offer(VK_F1)) << "no help here";
  EXPECT_FALSE(offer('A'));
  // Keyboard messages for a disabled window are left alone.
  EnableWindow(control(5), FALSE);
  MSG message{control(5), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_FALSE(filter_message(*w_, message));
  EnableWindow(control(5), TRUE);
  SetFocus(control(5));  // disabling took the focus away
  HWND window = w_->hwnd;
  EXPECT_TRUE(offer(VK_ESCAPE));
  pump_messages();
  EXPECT_FALSE(IsWindow(window)) << "Escape closes";
  w_ = nullptr;
}

TEST_F(KeyboardFilter, HiddenAndDisabledControlsAreNoTabStops) {
  std::vector<UnitDesc> units = main_units();
  units[4].flags |= kUnitDisabled;  // 按钮1
  units[3].flags &= ~kUnitVisible;  // 组合框1
  load(units);
  EXPECT_TRUE(offer(VK_TAB));
  EXPECT_EQ(focused_unit(), 2) << "past the disabled button and the hidden combo box";
}

TEST_F(KeyboardFilter, EnterPressesADefaultPushButton) {
  std::vector<UnitDesc> units = main_units();
  units[4].props.button.default_button = 1;
  load(units);
  EXPECT_TRUE(offer(VK_RETURN)) << "the first default push button, from an edit box";
  EXPECT_EQ(g_clicks, 1);
  SetFocus(control(4));
  EXPECT_TRUE(offer(VK_RETURN)) << "the focused default push button";
  EXPECT_EQ(g_clicks, 2);
  EnableWindow(control(4), FALSE);
  SetFocus(control(5));
  EXPECT_FALSE(offer(VK_RETURN)) << "a disabled one is not pressed";
  EXPECT_EQ(g_clicks, 2);
}

TEST_F(KeyboardFilter, EnterMovesTheFocusWhenTheWindowSaysSo) {
  std::vector<UnitDesc> units = main_units();
  units[0].props.window.enter_moves_focus = 1;
  units[0].props.window.escape_closes = 0;
  load(units);
  EXPECT_TRUE(offer(VK_RETURN));
  EXPECT_EQ(focused_unit(), 4);
  EXPECT_FALSE(offer(VK_ESCAPE)) << "Escape-closes is 0";
  EXPECT_TRUE(IsWindow(w_->hwnd));
}

TEST_F(KeyboardFilter, AMultiLineBoxKeepsEnterForItself) {
  std::vector<UnitDesc> units = main_units();
  units[5].props.edit_box.multi_line = 1;
  units[0].props.window.enter_moves_focus = 1;
  load(units);
  EXPECT_FALSE(offer(VK_RETURN)) << "the box wants Enter";
  EXPECT_EQ(focused_unit(), 5);
  EXPECT_TRUE(offer(VK_TAB)) << "but not Tab";
}

TEST_F(KeyboardFilter, TheFocusComesBackAfterDeactivation) {
  load(main_units());
  SetFocus(control(3));
  pump_messages();
  HWND focused_before = GetFocus();
  remember_focus(*w_);
  SetFocus(w_->hwnd);  // the window gets the focus again
  pump_messages();
  EXPECT_EQ(GetFocus(), focused_before) << "back to the control that had it";
  SetFocus(w_->hwnd);
  pump_messages();
  EXPECT_EQ(focused_unit(), 5) << "nothing remembered: the first tab stop";
}

}  // namespace
