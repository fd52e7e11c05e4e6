// The whole program, started as a user starts it and used through its window:
// placement, focus, Tab order, Enter, Escape, the close box and Alt+F4, the
// exit code, a corrupt definition block and the current directory.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace {

constexpr int kLinkBox = 100, kButton = 110, kComboBox = 120, kExtensionBox = 130, kLabel = 140;
constexpr char kProgram[] = "weiyun-direct-link.exe";

class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 936u);
    program_ = start_program(kProgram);
    ASSERT_TRUE(program_.started);
    ASSERT_NE(program_.window, nullptr) << "the main window appears";
    bring_to_front(program_);
  }
  void TearDown() override { stop(program_); }

  void screenshot(const std::string& name) {
    CreateDirectoryA("screenshots", nullptr);
    save_window_bitmap(program_.window, "screenshots/" + name + ".bmp");
  }

  RunningProgram program_;
};

TEST_F(Program, TheWindowAppearsCentredWithItsControls) {
  RECT r;
  GetWindowRect(program_.window, &r);
  EXPECT_EQ(r.right - r.left, 462);
  EXPECT_EQ(r.bottom - r.top, 156);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 462) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 156) / 2);
  EXPECT_EQ(window_text_of(program_.window), "Vellumorandelquistor    Tarnwick  By\xA3\xBAOrleskan");
  EXPECT_EQ(GetWindowLongPtrA(program_.window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
  for (int id : {kLinkBox, kButton, kComboBox, kExtensionBox, kLabel}) EXPECT_NE(control(program_, id), nullptr) << id;
  EXPECT_EQ(window_text_of(control(program_, kExtensionBox)), ".mp3");
  EXPECT_EQ(window_text_of(control(program_, kButton)), "\xC9\xFA \xB3\xC9");
  // The icons are checked in-process: under Wine WM_GETICON from another process always answers 0.
  EXPECT_TRUE(wait_until([&] { return focused_control(program_) == kLinkBox; }, 3000))
      << "the focus starts in the share-link box, not " << focused_control(program_);
  screenshot("e2e-start");
}

TEST_F(Program, TabAndShiftTabWalkTheWindowsOwnOrder) {
  ASSERT_TRUE(wait_until([&] { return focused_control(program_) == kLinkBox; }, 3000));
  const int forward[] = {kButton, kComboBox, kExtensionBox, kLinkBox, kButton};
  for (int expected : forward) {
    press_key(VK_TAB);
    EXPECT_TRUE(wait_until([&] { return focused_control(program_) == expected; }, 2000)) << "Tab to " << expected;
    if (expected == kButton) screenshot("e2e-focus-on-button");
  }
  const int backward[] = {kLinkBox, kExtensionBox, kComboBox, kButton, kLinkBox};
  for (int expected : backward) {
    press_keys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(wait_until([&] { return focused_control(program_) == expected; }, 2000)) << "Shift+Tab to " << expected;
  }
  press_keys({VK_CONTROL, VK_TAB});
  Sleep(200);
  EXPECT_EQ(focused_control(program_), kLinkBox) << "Ctrl+Tab is not a focus move";
}

TEST_F(Program, EnterConvertsNothing) {
  HWND box = control(program_, kLinkBox);
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("http://share.weiyun.com/abc"));
  ASSERT_TRUE(wait_until([&] { return focused_control(program_) == kLinkBox; }, 3000));
  // From the link box, Tab reaches the button, then (past the combo box) the extension box.
  const std::pair<int, int> steps[] = {{0, kLinkBox}, {1, kButton}, {2, kExtensionBox}, {1, kLinkBox}};
  for (const auto& [tabs, id] : steps) {
    for (int i = 0; i < tabs; ++i) press_key(VK_TAB);
    ASSERT_TRUE(wait_until([&] { return focused_control(program_) == id; }, 2000)) << id;
    press_key(VK_RETURN);
    EXPECT_TRUE(no_box_within(program_, 500)) << "Enter on " << id << " runs no conversion";
    EXPECT_EQ(focused_control(program_), id) << "and does not move the focus";
  }
  // Typed text goes to the focused control.
  press_key(VK_END);
  press_key('X');
  EXPECT_TRUE(wait_until([&] { return window_text_of(box) == "http://share.weiyun.com/abcx"; }, 2000))
      << window_text_of(box);
  screenshot("e2e-after-input");
}

LRESULT CALLBACK plain(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

TEST_F(Program, TheFocusComesBackAfterSwitchingAway) {
  ASSERT_TRUE(wait_until([&] { return focused_control(program_) == kLinkBox; }, 3000));
  press_key(VK_TAB);
  ASSERT_TRUE(wait_until([&] { return focused_control(program_) == kButton; }, 2000));
  // Another program's window comes to the front, then the user switches back.
  WNDCLASSA wc{};
  wc.lpfnWndProc = plain;
  wc.lpszClassName = "OtherProgram";
  RegisterClassA(&wc);
  HWND other = CreateWindowExA(0, "OtherProgram", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == other; }, 3000));
  // Switching back: the driver's own window has to have finished its activation,
  // so the switch is tried again while the driver handles its messages.
  ASSERT_TRUE(wait_until(
      [&] {
        SetForegroundWindow(program_.window);
        pump_messages();
        Sleep(100);
        return GetForegroundWindow() == program_.window;
      },
      5000));
  EXPECT_TRUE(wait_until([&] { return focused_control(program_) == kButton; }, 3000))
      << "focus on " << focused_control(program_);
  DestroyWindow(other);
}

TEST_F(Program, EscapeClosesFromEveryControl) {
  stop(program_);
  for (int id : {kLinkBox, kButton, kComboBox, kExtensionBox}) {
    program_ = start_program(kProgram);
    ASSERT_NE(program_.window, nullptr);
    bring_to_front(program_);
    for (int tries = 0; tries < 5 && focused_control(program_) != id; ++tries) {
      press_key(VK_TAB);
      wait_until([&] { return focused_control(program_) != 0; }, 1000);
    }
    ASSERT_EQ(focused_control(program_), id);
    for (WORD modifier : {VK_CONTROL, VK_SHIFT}) {
      press_keys({modifier, VK_ESCAPE});
      Sleep(150);
      EXPECT_TRUE(IsWindow(program_.window)) << "a modified Escape has another key code";
    }
    press_key(VK_ESCAPE);
    EXPECT_EQ(wait_for_exit(program_), 0u) << "Escape from " << id;
  }
}

TEST_F(Program, TheCloseBoxAndAltF4Close) {
  // The close box: a click on the right end of the caption.
  RECT r;
  GetWindowRect(program_.window, &r);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  const int frame = GetSystemMetrics(SM_CYFIXEDFRAME);
  POINT close_box{r.right - frame - caption / 2 - 1, r.top + frame + caption / 2};
  const LRESULT hit = SendMessageA(program_.window, WM_NCHITTEST, 0, MAKELPARAM(close_box.x, close_box.y));
  ASSERT_EQ(hit, HTCLOSE) << "found the close box";
  click_at(close_box.x, close_box.y);
  EXPECT_EQ(wait_for_exit(program_), 0u);

  program_ = start_program(kProgram);
  ASSERT_NE(program_.window, nullptr);
  bring_to_front(program_);
  press_keys({VK_MENU, VK_F4});
  EXPECT_EQ(wait_for_exit(program_), 0u);
}

TEST(ProgramStart, TheCurrentDirectoryBecomesTheProgramsFolder) {
  const std::string log = temp_file("wdl-cwd.log");
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  RunningProgram program = start_program("weiyun-direct-link-testhooks.exe", {{"WDL_TEST_LOG", log}}, windows);
  ASSERT_NE(program.window, nullptr);
  PostMessageA(program.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_for_exit(program), 0u);
  std::string folder = program_path("");
  folder.pop_back();  // no trailing "\"
  bool seen = false;
  for (const std::string& line : read_log(log)) {
    if (line.rfind("cwd=", 0) != 0) continue;
    seen = true;
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.c_str() + 4, -1, folder.c_str(), -1), CSTR_EQUAL)
        << line << " instead of " << folder;
  }
  EXPECT_TRUE(seen);
  const auto lines = read_log(log);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "release_globals"), 1) << "the exit routine runs once";
}

TEST(ProgramStart, ACorruptDefinitionBlockIsAFatalError) {
  RunningProgram program = start_program("weiyun-direct-link-corrupt.exe", {}, "", false);
  ASSERT_TRUE(program.started);
  MessageBoxSeen box;
  ASSERT_TRUE(wait_for_box(program, box));
  EXPECT_EQ(box.caption, "\xB4\xED\xCE\xF3") << "\"错误\"";
  // "运行时出错!", an empty line, "错误信息：载入窗口模板数据段出错!".
  EXPECT_EQ(box.text,
            "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA"
            "\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!\r\n");
  EXPECT_TRUE(box.has_stop_icon);
  press_ok(box.box);
  EXPECT_EQ(wait_for_exit(program), 0xFFFFFFFFu);
}

}  // namespace
