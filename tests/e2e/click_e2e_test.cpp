// A click on "生 成" in the real program: every example of the conversion rule
// pasted into the window, the clipboard read back byte for byte, the message
// boxes, a clipboard held by another program, memory running out at each
// allocation of a click, and a thousand clicks in a row.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "build_config.h"
#include "tests/e2e/driver.h"

namespace {

constexpr int kLinkBox = 100, kButton = 110, kExtensionBox = 130;
const std::string H = WDL_SHARE_HOST;
const std::string kPrefix = "http://" WDL_RELAY_HOST "/weiyun/down.php?u=";
const std::string kInfoCaption = "\xD0\xC5\xCF\xA2\xA3\xBA";                    // "信息："
const std::string kRefusal = "\xB5\xD8\xD6\xB7\xB4\xED\xCE\xF3\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9\xB5\xD8\xD6\xB7\xA3\xA1";
const std::string kSuccess =
    "\xD6\xB1\xC1\xB4\xB5\xD8\xD6\xB7\xD2\xD1\xB8\xB4\xD6\xC6\xB3\xC9\xB9\xA6\xA3\xA1\xC8\xE7\xB3\xF6\xCF\xD6\xB4\xED"
    "\xCE\xF3\xC7\xEB\xBC\xEC\xB2\xE9\xC1\xB4\xBD\xD3\xB5\xD8\xD6\xB7\xBA\xCD\xC0\xA9\xD5\xB9\xC3\xFB\xA3\xA1";
const std::string kCopyFailed =
    "\xD6\xB1\xC1\xB4\xB5\xD8\xD6\xB7\xB8\xB4\xD6\xC6\xCA\xA7\xB0\xDC\xA3\xAC\xBC\xF4\xCC\xF9\xB0\xE5\xBF\xC9\xC4\xDC"
    "\xD5\xFD\xB1\xBB\xC6\xE4\xCB\xFB\xB3\xCC\xD0\xF2\xD5\xBC\xD3\xC3\xA3\xAC\xC7\xEB\xD6\xD8\xCA\xD4\xA3\xA1";
const std::string kFatal = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";

// Puts a text into the focused link box the way a user pastes it.
void paste_link(const RunningProgram& program, const std::string& text) {
  HWND box = control(program, kLinkBox);
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  click_control(box);
  ASSERT_TRUE(wait_until([&] { return focused_control(program) == kLinkBox; }, 2000));
  ASSERT_TRUE(set_clipboard_bytes(text));
  press_keys({VK_CONTROL, 'V'});
  ASSERT_TRUE(wait_until([&] { return window_text_of(box) == text; }, 3000))
      << "pasted " << ::testing::PrintToString(window_text_of(box));
}

// Clicks the button and reads the box that follows, with the main window's state
// while it is up; then closes it with OK.
struct ClickOutcome {
  bool box_shown = false;
  MessageBoxSeen box;
  bool window_disabled_meanwhile = false;
  bool window_enabled_after = false;
};

ClickOutcome click_generate(const RunningProgram& program, bool with_mouse = true) {
  ClickOutcome outcome;
  if (with_mouse) {
    click_control(control(program, kButton));
  } else {
    PostMessageA(control(program, kButton), BM_CLICK, 0, 0);
  }
  outcome.box_shown = wait_for_box(program, outcome.box);
  if (!outcome.box_shown) return outcome;
  outcome.window_disabled_meanwhile = !IsWindowEnabled(program.window);
  press_ok(outcome.box.box);
  outcome.window_enabled_after = wait_until([&] { return IsWindowEnabled(program.window) != FALSE; }, 3000);
  wait_until([&] { return !IsWindow(outcome.box.box); }, 3000);
  return outcome;
}

struct Example {
  std::string name;
  std::string link;
  std::string extension;
  std::string share_key;  // when accepted
  bool accepted;
};

std::vector<Example> examples() {
  return {
      {"empty", "", ".mp3", "", false},
      {"http", "http://" + H + "/abc", ".mp3", "abc", true},
      {"https", "https://" + H + "/abc", ".mp3", "abc", true},
      {"no scheme", H + "/abc", ".mp3", "abc", true},
      {"two spaces", "  http://" + H + "/abc", ".mp3", "abc", true},
      {"three spaces", "   http://" + H + "/abc", ".mp3", H + "/abc", true},
      {"one space https", " https://" + H + "/abc", ".mp3", "abc", true},
      {"two spaces https", "  https://" + H + "/abc", ".mp3", H + "/abc", true},
      {"slash before marker", "http://abcdefghi/x/" + H + "/abc", ".mp3", "x/" + H + "/abc", true},
      {"query and spaces", "http://" + H + "/abc?x=1#f  ", ".mp3", "abc?x=1#f  ", true},
      {"marker twice", "http://" + H + "/" + H + "/abc", ".mp3", H + "/abc", true},
      {"nothing after", "http://" + H + "/", ".mp3", "", true},
      {"no closing slash", "http://" + H, ".mp3", "", false},
      {"other host", "http://example.com/abc", ".mp3", "", false},
      {"longer host", "http://my" + H + "/abc", ".mp3", "abc", true},
      {"empty extension", "http://" + H + "/abc", "", "abc", true},
      {"other extension", "http://" + H + "/abc", ".rar", "abc", true},
      {"double-byte key", "http://" + H + "/\xD6\xD0\xCE\xC4", ".mp3", "\xD6\xD0\xCE\xC4", true},
      {"two characters first", "\xB7\xD6\xCF\xED" "http://" + H + "/abc", ".mp3", "/" + H + "/abc", true},
      {"ten bytes first", "\xB7\xD6\xCF\xED\xC1\xB4\xBD\xD3\xA3\xBA" "http://" + H + "/abc", ".mp3", "/" + H + "/abc",
       true},
  };
}

class Click : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 936u);
    program_ = start_program("weiyun-direct-link.exe");
    ASSERT_NE(program_.window, nullptr);
    bring_to_front(program_);
  }
  void TearDown() override {
    PostMessageA(program_.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(wait_for_exit(program_), 0u);
  }
  RunningProgram program_;
};

TEST_F(Click, EveryExampleOfTheRule) {
  HWND extension_box = control(program_, kExtensionBox);
  for (const Example& e : examples()) {
    SCOPED_TRACE(e.name);
    SendMessageA(extension_box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(e.extension.c_str()));
    paste_link(program_, e.link);
    ASSERT_TRUE(set_clipboard_bytes("sentinel"));
    ClickOutcome outcome = click_generate(program_);
    ASSERT_TRUE(outcome.box_shown);
    EXPECT_EQ(outcome.box.caption, kInfoCaption);
    EXPECT_EQ(outcome.box.text, e.accepted ? kSuccess : kRefusal);
    EXPECT_EQ(outcome.box.has_stop_icon, !e.accepted);
    EXPECT_TRUE(outcome.window_disabled_meanwhile) << "the main window takes no input while the box is up";
    EXPECT_TRUE(outcome.window_enabled_after);
    std::string clipboard;
    ASSERT_TRUE(clipboard_bytes(clipboard));
    EXPECT_EQ(clipboard, e.accepted ? kPrefix + e.share_key + ".undefined" + e.extension : "sentinel");
  }
}

TEST_F(Click, TypedTextAndSpaceOnTheButton) {
  HWND box = control(program_, kLinkBox);
  click_control(box);
  ASSERT_TRUE(wait_until([&] { return focused_control(program_) == kLinkBox; }, 2000));
  const std::string typed = H + "/xyz";
  for (char c : typed) PostMessageA(focused(program_), WM_CHAR, static_cast<unsigned char>(c), 1);
  ASSERT_TRUE(wait_until([&] { return window_text_of(box) == typed; }, 3000)) << window_text_of(box);
  press_key(VK_TAB);
  ASSERT_TRUE(wait_until([&] { return focused_control(program_) == kButton; }, 2000));
  press_key(VK_SPACE);
  MessageBoxSeen seen;
  ASSERT_TRUE(wait_for_box(program_, seen)) << "Space on the button clicks it";
  EXPECT_EQ(seen.text, kSuccess);
  press_ok(seen.box);
  wait_until([&] { return IsWindowEnabled(program_.window) != FALSE; }, 3000);
  std::string clipboard;
  ASSERT_TRUE(clipboard_bytes(clipboard));
  EXPECT_EQ(clipboard, kPrefix + "xyz.undefined.mp3");
}

LRESULT CALLBACK plain(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

TEST_F(Click, AClipboardHeldByAnotherProgramIsReported) {
  paste_link(program_, "http://" + H + "/held");
  ASSERT_TRUE(set_clipboard_bytes("old content"));
  WNDCLASSA wc{};
  wc.lpfnWndProc = plain;
  wc.lpszClassName = "ClipboardHolder";
  RegisterClassA(&wc);
  HWND holder = CreateWindowExA(0, "ClipboardHolder", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(holder));
  ClickOutcome outcome = click_generate(program_);
  CloseClipboard();
  DestroyWindow(holder);
  ASSERT_TRUE(outcome.box_shown);
  EXPECT_EQ(outcome.box.caption, kInfoCaption);
  EXPECT_EQ(outcome.box.text, kCopyFailed) << "no success reported for a link that was never copied";
  EXPECT_TRUE(outcome.box.has_stop_icon);
  std::string clipboard;
  ASSERT_TRUE(clipboard_bytes(clipboard));
  EXPECT_EQ(clipboard, "old content");
  // Once the clipboard is free again, the next click copies.
  outcome = click_generate(program_);
  EXPECT_EQ(outcome.box.text, kSuccess);
  ASSERT_TRUE(clipboard_bytes(clipboard));
  EXPECT_EQ(clipboard, kPrefix + "held.undefined.mp3");
}

std::vector<uint32_t> allocation_sizes(const std::vector<std::string>& log) {
  std::vector<uint32_t> sizes;
  bool in_click = false;
  for (const std::string& line : log) {
    if (line == "click") in_click = true;
    if (line == "click done") in_click = false;
    if (in_click && line.rfind("alloc ", 0) == 0) sizes.push_back(static_cast<uint32_t>(std::stoul(line.substr(6))));
  }
  return sizes;
}

TEST(OutOfMemory, EveryAllocationOfAClickEndsTheProgramWithItsSize) {
  const std::string link = "https://" + H + "/s/abcdef";
  // Count the allocations of one click.
  const std::string counting = temp_file("wdl-count.log");
  RunningProgram program = start_program("weiyun-direct-link-testhooks.exe", {{"WDL_TEST_LOG", counting}});
  ASSERT_NE(program.window, nullptr);
  bring_to_front(program);
  paste_link(program, link);
  ClickOutcome outcome = click_generate(program);
  EXPECT_EQ(outcome.box.text, kSuccess);
  PostMessageA(program.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_for_exit(program), 0u);
  const std::vector<uint32_t> sizes = allocation_sizes(read_log(counting));
  ASSERT_GE(sizes.size(), 10u) << "four reads of the link, one of the extension, the key and the link";
  printf("a click makes %zu allocations\n", sizes.size());

  for (size_t n = 1; n <= sizes.size(); ++n) {
    SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(sizes[n - 1]) + " bytes");
    const std::string log = temp_file("wdl-fail.log");
    program = start_program("weiyun-direct-link-testhooks.exe",
                            {{"WDL_TEST_LOG", log}, {"WDL_TEST_FAIL_ALLOCATION", std::to_string(n)}});
    ASSERT_NE(program.window, nullptr);
    bring_to_front(program);
    paste_link(program, link);
    click_control(control(program, kButton));
    MessageBoxSeen box;
    ASSERT_TRUE(wait_for_box(program, box));
    EXPECT_EQ(box.caption, "\xB4\xED\xCE\xF3");
    // "分配 N 字节内存失败!"
    EXPECT_EQ(box.text, kFatal + "\xB7\xD6\xC5\xE4 " + std::to_string(sizes[n - 1]) +
                            " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\r\n");
    EXPECT_TRUE(box.has_stop_icon);
    press_ok(box.box);
    EXPECT_EQ(wait_for_exit(program), 0xFFFFFFFFu);
    const auto lines = read_log(log);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "release_globals"), 0) << "the exit routine does not run";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "click done"), 0);
  }
}

struct Memory {
  SIZE_T pagefile = 0;
  SIZE_T working_set = 0;
};

Memory memory_of(const RunningProgram& program) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(program.process.hProcess, &counters, sizeof counters);
  return Memory{counters.PagefileUsage, counters.WorkingSetSize};
}

TEST(Soak, AThousandClicksLeaveNothingBehind) {
  RunningProgram program = start_program("weiyun-direct-link-testhooks.exe");
  ASSERT_NE(program.window, nullptr);
  bring_to_front(program);
  paste_link(program, "http://" + H + "/soak?x=1");
  HWND probe = nullptr;
  ASSERT_TRUE(wait_until([&] { return (probe = FindWindowA("WdlTestProbe", nullptr)) != nullptr; }, 3000));
  auto live_texts = [&] { return SendMessageA(probe, WM_USER + 1, 0, 0); };
  constexpr int kClicks = 1000;
  constexpr int kWarmUp = 20;
  LRESULT live_after_warm_up = 0;
  Memory warm{};
  const DWORD start = GetTickCount();
  for (int i = 1; i <= kClicks; ++i) {
    ClickOutcome outcome = click_generate(program, false);
    ASSERT_TRUE(outcome.box_shown) << "click " << i;
    ASSERT_EQ(outcome.box.text, kSuccess) << "click " << i;
    if (i == kWarmUp) {
      live_after_warm_up = live_texts();
      warm = memory_of(program);
    }
  }
  const LRESULT live_at_end = live_texts();
  const Memory end = memory_of(program);
  printf("%d clicks in %lu ms; live owned texts %ld after %d clicks, %ld at the end; pagefile %zu -> %zu KiB, "
         "working set %zu -> %zu KiB\n",
         kClicks, GetTickCount() - start, static_cast<long>(live_after_warm_up), kWarmUp, static_cast<long>(live_at_end),
         static_cast<size_t>(warm.pagefile / 1024), static_cast<size_t>(end.pagefile / 1024),
         static_cast<size_t>(warm.working_set / 1024), static_cast<size_t>(end.working_set / 1024));
  EXPECT_EQ(live_at_end, live_after_warm_up) << "no owned text is left behind by a click";
  EXPECT_LT(end.pagefile, warm.pagefile + 512 * 1024) << "no growth beyond noise";
  EXPECT_LT(end.working_set, warm.working_set + 1024 * 1024);
  PostMessageA(program.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_for_exit(program), 0u);
}

}  // namespace
