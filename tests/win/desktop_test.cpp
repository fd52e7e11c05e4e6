// Reading edit boxes, the clipboard and message boxes, in-process under Wine;
// the fatal errors in child processes of their own.
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/program_end.h"
#include "convert/text_heap_win.h"
#include "convert/text_memory.h"
#include "convert/text_memory_hooks.h"
#include "desktop/clipboard.h"
#include "desktop/message_box.h"
#include "tests/win/test_support.h"
#include "ui/content_access.h"
#include "ui/events.h"
#include "ui/main_window_definition.h"
#include "ui/window_runtime_win.h"

namespace {

EventResult nothing(const EventArgument*, uint32_t) { return EventResult{}; }

void read_main_definitions() {
  static const EventRoutine routines[] = {nothing};
  ASSERT_EQ(read_program_definitions(main_window_block(), RoutineTable{routines, 1}), ReadStatus::ok);
}

std::string clipboard_now(SIZE_T* block_size = nullptr) {
  std::string bytes;
  return clipboard_bytes(bytes, block_size) ? bytes : "(not open)";
}

void set_clipboard(const std::string& text) { ASSERT_TRUE(set_clipboard_bytes(text)); }

TEST(Clipboard, PlacesTheTextByteForByte) {
  struct Case {
    const char* name;
    const char* text;
    std::string expected;
  };
  const Case cases[] = {
      {"link", "http://relay.example.com/weiyun/down.php?u=abc.undefined.mp3",
       "http://relay.example.com/weiyun/down.php?u=abc.undefined.mp3"},
      {"CR LF and tabs", "a\r\nb\tc\r\n", "a\r\nb\tc\r\n"},
      {"GBK", "\xD6\xD0\xCE\xC4 \xA3\xBA?", "\xD6\xD0\xCE\xC4 \xA3\xBA?"},
      {"empty", "", ""},
      {"absent", nullptr, ""},
  };
  for (const Case& c : cases) {
    set_clipboard("sentinel");
    EXPECT_TRUE(put_clipboard_text(c.text)) << c.name;
    SIZE_T size = 0;
    EXPECT_EQ(clipboard_now(&size), c.expected) << c.name;
    EXPECT_EQ(size, c.expected.size() + 1) << c.name << ": exactly the text and its zero byte";
  }
}

// A second process holds the clipboard open, with a window handle (with none,
// Wine lets another process open it all the same).
void hold_clipboard() {
  HWND window = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, "wdl-clipboard-held");
  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "wdl-clipboard-release");
  if (window == nullptr || held == nullptr || release == nullptr || !OpenClipboard(window)) ExitProcess(2);
  SetEvent(held);
  WaitForSingleObject(release, 20000);
  CloseClipboard();
  ExitProcess(0);
}
const bool kHoldRegistered = (register_child_action("hold-clipboard", hold_clipboard), true);

TEST(Clipboard, HeldByAnotherProgramGivesFalseAndKeepsTheOldContent) {
  set_clipboard("old content");
  HANDLE held = CreateEventA(nullptr, TRUE, FALSE, "wdl-clipboard-held");
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "wdl-clipboard-release");
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"" + std::string(self) + "\" --wdl-child=hold-clipboard";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  ASSERT_EQ(WaitForSingleObject(held, 10000), WAIT_OBJECT_0);
  const DWORD before = GetTickCount();
  EXPECT_FALSE(put_clipboard_text("new link"));
  EXPECT_LT(GetTickCount() - before, 1000u) << "no waiting and no retries";
  SetEvent(release);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  EXPECT_EQ(clipboard_now(), "old content");
  CloseHandle(held);
  CloseHandle(release);
}

// Watches for a message box of this process from another thread, reads it and
// closes it the given way.
struct BoxWatch {
  enum class Close { ok, yes, no, escape };
  Close close = Close::ok;
  HWND probe = nullptr;  // a top-level window of the test whose state is read while the box is up
  MessageBoxSeen seen;
  bool probe_disabled = false;
  bool had_yes_no = false;
  HWND owner = nullptr;
  std::thread thread;

  void start() {
    thread = std::thread([this] {
      if (!wait_for_message_box(GetCurrentProcessId(), seen, 10000)) return;
      probe_disabled = probe != nullptr && !IsWindowEnabled(probe);
      had_yes_no = GetDlgItem(seen.box, IDYES) != nullptr && GetDlgItem(seen.box, IDNO) != nullptr;
      owner = GetWindow(seen.box, GW_OWNER);
      switch (close) {
        case Close::ok: PostMessageA(seen.box, WM_COMMAND, IDOK, 0); break;
        case Close::yes: PostMessageA(seen.box, WM_COMMAND, IDYES, 0); break;
        case Close::no: PostMessageA(seen.box, WM_COMMAND, IDNO, 0); break;
        case Close::escape: {
          HWND button = GetDlgItem(seen.box, IDOK);
          PostMessageA(button != nullptr ? button : seen.box, WM_KEYDOWN, VK_ESCAPE, 0);
          PostMessageA(button != nullptr ? button : seen.box, WM_KEYUP, VK_ESCAPE, 0xC0000001);
          break;
        }
      }
    });
  }
  void join() { thread.join(); }
};

const std::string kDefaultCaption = "\xD0\xC5\xCF\xA2\xA3\xBA";  // "信息："

TEST(MessageBox, StylesCaptionsAndResults) {
  HWND probe = CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(probe, SW_SHOW);
  struct Case {
    const char* name;
    int32_t value;
    BoxWatch::Close close;
    int32_t expected;
    bool icon;
    bool task_modal;
    bool yes_no;
  };
  const Case cases[] = {
      {"plain OK", 0, BoxWatch::Close::ok, 0, false, true, false},
      {"stop icon", 16, BoxWatch::Close::ok, 0, true, true, false},
      {"Yes", 4, BoxWatch::Close::yes, 5, false, true, true},
      {"No", 4, BoxWatch::Close::no, 6, false, true, true},
      {"system modal passes unchanged", 0x1010, BoxWatch::Close::ok, 0, true, false, false},
      {"Esc on an OK box", 0, BoxWatch::Close::escape, 0, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxWatch watch;
    watch.close = c.close;
    watch.probe = probe;
    watch.start();
    const int32_t result = show_message(MessageValue::of("text \xD6\xD0"), c.value);
    watch.join();
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(watch.seen.caption, kDefaultCaption) << "the default caption, not the window's";
    EXPECT_EQ(watch.seen.text, "text \xD6\xD0");
    EXPECT_EQ(watch.seen.has_stop_icon, c.icon);
    EXPECT_EQ(watch.probe_disabled, c.task_modal) << "task-modal boxes disable the thread's windows";
    EXPECT_EQ(watch.had_yes_no, c.yes_no);
    EXPECT_EQ(watch.owner, nullptr);
    EXPECT_TRUE(IsWindowEnabled(probe)) << "enabled again after the box";
  }
  DestroyWindow(probe);
}

TEST(MessageBox, CaptionOwnerAndValueKinds) {
  read_main_definitions();
  ASSERT_TRUE(load_window(kMainWindowId));
  pump_messages();
  HWND main = live_window(*find_window(program_definitions(), kMainWindowId))->hwnd;
  struct Case {
    const char* name;
    MessageValue message;
    std::optional<Text> caption;
    MessageOwner owner;
    std::string text;
    std::string caption_seen;
    HWND owner_seen;
  };
  MessageValue number;
  number.kind = MessageValue::Kind::int32;
  number.integer = -42;
  MessageValue real;
  real.kind = MessageValue::Kind::float64;
  real.real = 2.5;
  MessageValue truth;
  truth.kind = MessageValue::Kind::logical;
  truth.logical = true;
  const Case cases[] = {
      {"given caption", MessageValue::of("m"), "cap", {}, "m", "cap", nullptr},
      {"owner by window", MessageValue::of("m"), std::nullopt, {MessageOwner::Kind::window, kMainWindowId, 0}, "m",
       kDefaultCaption, main},
      {"owner not loaded", MessageValue::of("m"), std::nullopt, {MessageOwner::Kind::window, 0x52010009, 0}, "m",
       kDefaultCaption, nullptr},
      {"owner by handle", MessageValue::of("m"), std::nullopt,
       {MessageOwner::Kind::integer, 0, reinterpret_cast<intptr_t>(main)}, "m", kDefaultCaption, main},
      {"absent text", MessageValue::of(nullptr), std::nullopt, {}, "", kDefaultCaption, nullptr},
      {"integer", number, std::nullopt, {}, "-42", kDefaultCaption, nullptr},
      {"double", real, std::nullopt, {}, "2.5", kDefaultCaption, nullptr},
      {"logical", truth, std::nullopt, {}, "\xD5\xE6", kDefaultCaption, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxWatch watch;
    watch.start();
    EXPECT_EQ(show_message(c.message, 0, c.caption, c.owner), 0);
    watch.join();
    EXPECT_EQ(watch.seen.text, c.text);
    EXPECT_EQ(watch.seen.caption, c.caption_seen);
    EXPECT_EQ(watch.owner, c.owner_seen);
  }
  DestroyWindow(main);
  pump_messages();
  discard_program_definitions();
}

class ReadContent : public ::testing::Test {
 protected:
  void SetUp() override {
    read_main_definitions();
    ASSERT_TRUE(load_window(kMainWindowId));
    pump_messages();
    window_ = find_window(program_definitions(), kMainWindowId);
  }
  void TearDown() override {
    DestroyWindow(live_window(*window_)->hwnd);
    pump_messages();
    discard_program_definitions();
  }
  HWND box(uint32_t index) { return live_control(*window_, index)->hwnd; }
  WindowDefinition* window_ = nullptr;
};

TEST_F(ReadContent, GivesWhatTheBoxShowsNow) {
  const int64_t live = text_memory_live_texts();
  EXPECT_EQ(read_content(kMainWindowId, kEditBox1Id), nullptr) << "an empty box gives an absent text";
  EXPECT_EQ(text_memory_live_texts(), live) << "and takes no memory for it";
  char* extension = read_content(kMainWindowId, kEditBox2Id);
  EXPECT_STREQ(extension, ".mp3");
  release_text(extension);

  const char* texts[] = {"  http://share.weiyun.com/\xD6\xD0\xCE\xC4 ?#  ", "x", "\xB7\xD6\xCF\xED\xC1\xB4\xBD\xD3"};
  for (const char* text : texts) {
    SetWindowTextA(box(5), text);
    char* first = read_content(kMainWindowId, kEditBox1Id);
    char* second = read_content(kMainWindowId, kEditBox1Id);
    EXPECT_STREQ(first, text);
    EXPECT_STREQ(second, text);
    EXPECT_NE(first, second) << "every call gives a new text";
    release_text(first);
    release_text(second);
  }
  // A user's typing between two reads is seen by the second.
  SetWindowTextA(box(5), "ab");
  char* before = read_content(kMainWindowId, kEditBox1Id);
  SendMessageA(box(5), EM_SETSEL, 2, 2);
  SendMessageA(box(5), WM_CHAR, 'c', 1);
  char* after = read_content(kMainWindowId, kEditBox1Id);
  EXPECT_STREQ(before, "ab");
  EXPECT_STREQ(after, "abc");
  EXPECT_STREQ(live_control(*window_, 5)->content, "abc") << "the box's stored copy is refreshed";
  release_text(before);
  release_text(after);
  EXPECT_EQ(text_memory_live_texts(), live) << "each box keeps one stored copy; every read was released";
}

const std::string kFatal = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";

void read_unknown_window() {
  read_main_definitions();
  read_content(0x52010009, kEditBox1Id);
}
void read_unloaded_window() {
  read_main_definitions();
  read_content(kMainWindowId, kEditBox1Id);
}
void read_unknown_unit() {
  read_main_definitions();
  load_window(kMainWindowId);
  read_content(kMainWindowId, 0x16010099);
}
void allocate_from_a_small_heap() {
  set_text_heap(HeapCreate(0, 0x10000, 0x10000));
  allocate_text(1 << 20);
}
const bool kChildrenRegistered = (register_child_action("read-unknown-window", read_unknown_window),
                                  register_child_action("read-unloaded-window", read_unloaded_window),
                                  register_child_action("read-unknown-unit", read_unknown_unit),
                                  register_child_action("small-heap", allocate_from_a_small_heap), true);

TEST(FatalErrors, EndTheProcessWithTheirBoxAndMinusOne) {
  struct Case {
    const char* child;
    std::string message;
  };
  const Case cases[] = {
      // "未载入欲访问窗口组件所在的窗口"
      {"read-unknown-window", "\xCE\xB4\xD4\xD8\xC8\xEB\xD3\xFB\xB7\xC3\xCE\xCA\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCB\xF9"
                              "\xD4\xDA\xB5\xC4\xB4\xB0\xBF\xDA"},
      // "指定窗口尚未载入"
      {"read-unloaded-window", "\xD6\xB8\xB6\xA8\xB4\xB0\xBF\xDA\xC9\xD0\xCE\xB4\xD4\xD8\xC8\xEB"},
      // "未找到欲访问的窗口组件"
      {"read-unknown-unit", "\xCE\xB4\xD5\xD2\xB5\xBD\xD3\xFB\xB7\xC3\xCE\xCA\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE"},
      // "分配 1048576 字节内存失败!", from the Windows heap itself
      {"small-heap", "\xB7\xD6\xC5\xE4 1048576 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.child);
    ChildOutcome outcome = run_child(c.child);
    ASSERT_TRUE(outcome.started);
    ASSERT_TRUE(outcome.box_shown);
    EXPECT_EQ(outcome.box.caption, "\xB4\xED\xCE\xF3");
    EXPECT_EQ(outcome.box.text, kFatal + c.message + "\r\n");
    EXPECT_TRUE(outcome.box.has_stop_icon);
    EXPECT_EQ(outcome.exit_code, 0xFFFFFFFFu);
  }
}

TEST(MessageValues, FloatsAreWrittenByTheSystemsRuntime) {
  struct Case {
    MessageValue::Kind kind;
    double value;
    const char* expected;
  };
  const Case cases[] = {{MessageValue::Kind::float64, 0.1, "0.1"},
                        {MessageValue::Kind::float64, 1234567.25, "1234567.25"},
                        {MessageValue::Kind::float32, 3.14159265, "3.14159"},
                        {MessageValue::Kind::float64, -2.0 / 3.0, "-0.6666666666667"}};
  for (const Case& c : cases) {
    MessageValue v;
    v.kind = c.kind;
    v.real = c.value;
    char out[kMessageBufferSize];
    format_message_value(v, out, sizeof out);
    EXPECT_STREQ(out, c.expected);
  }
}

}  // namespace
