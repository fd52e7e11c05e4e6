// The main window and its controls as Windows reports them after loading, and
// the alternative property values on synthetic definitions.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/program_end.h"
#include "tests/native/definition_fixture.h"
#include "tests/win/test_support.h"
#include "ui/events.h"
#include "ui/main_window_definition.h"
#include "ui/window_runtime_win.h"

namespace {

// Routine k records k; the synthetic definitions bind events to them.
std::vector<int> g_log;
template <int K>
EventResult recorder(const EventArgument*, uint32_t) {
  g_log.push_back(K);
  return EventResult{};
}
EventResult refuse(const EventArgument*, uint32_t) {
  g_log.push_back(99);
  return EventResult{true, 0};
}
const EventRoutine kRoutines[] = {recorder<0>, recorder<1>, recorder<2>, recorder<3>, recorder<4>, recorder<5>,
                                  recorder<6>, recorder<7>, recorder<8>, recorder<9>, recorder<10>, recorder<11>,
                                  recorder<12>, refuse};
constexpr uint32_t kRefuse = 13;
// Routines 20 and 21 stand for the focus events -7 and -8.
EventResult got_focus(const EventArgument*, uint32_t) {
  g_log.push_back(-7);
  return EventResult{};
}
EventResult lost_focus(const EventArgument*, uint32_t) {
  g_log.push_back(-8);
  return EventResult{};
}

RoutineTable routines() {
  static EventRoutine table[22];
  for (uint32_t i = 0; i < 14; ++i) table[i] = kRoutines[i];
  table[20] = got_focus;
  table[21] = lost_focus;
  return RoutineTable{table, 22};
}

class WindowRuntime : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GetACP(), 936u);
    g_log.clear();
    if (hidden_owner_window() == nullptr) {
      set_hidden_owner_window(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                              GetModuleHandleA(nullptr), nullptr));
    }
  }
  void TearDown() override {
    for (uint32_t i = 0; i < program_definitions().count; ++i) {
      if (LiveWindow* w = live_window(program_definitions().windows[i])) DestroyWindow(w->hwnd);
    }
    pump_messages();
    discard_program_definitions();
    EXPECT_EQ(event_suspension_count(), 0);
  }

  // Reads the block (kept alive here) and loads the main window.
  bool load(const std::vector<uint8_t>& block) {
    block_ = block;
    if (read_program_definitions(run_of(block_), routines()) != ReadStatus::ok) return false;
    const bool loaded = load_window(kMainWindowId);
    pump_messages();
    return loaded;
  }
  bool load_main() { return load(std::vector<uint8_t>(main_window_block().data, main_window_block().data + main_window_block().size)); }

  WindowDefinition& definition() { return *find_window(program_definitions(), kMainWindowId); }
  HWND window() { return live_window(definition())->hwnd; }
  HWND control(uint32_t index) { return live_control(definition(), index)->hwnd; }

  std::vector<uint8_t> block_;
};

LONG_PTR style_of(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWL_STYLE); }
LONG_PTR ex_style_of(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWL_EXSTYLE); }

TEST_F(WindowRuntime, TheMainWindowFrameAndPlace) {
  ASSERT_TRUE(load_main());
  HWND w = window();
  EXPECT_EQ(class_name_of(w), kWindowClass);
  // Windows adds WS_CLIPSIBLINGS to every top-level window.
  EXPECT_EQ(style_of(w) & ~static_cast<LONG_PTR>(WS_VISIBLE | WS_CLIPSIBLINGS),
            WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(ex_style_of(w) & ~static_cast<LONG_PTR>(WS_EX_WINDOWEDGE), 0);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(GetWindow(w, GW_OWNER), nullptr) << "a taskbar button: no owner";
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 462);
  EXPECT_EQ(r.bottom - r.top, 156);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 462) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 156) / 2);
  EXPECT_EQ(window_text_of(w), "Vellumorandelquistor    Tarnwick  By\xA3\xBAOrleskan");
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
  RECT client;
  GetClientRect(w, &client);
  EXPECT_LE(client.right, 456) << "组合框1 at x = 456 lies outside the client area";
  const bool has_icon_group = FindResourceA(nullptr, "DEFAULT_ICON", MAKEINTRESOURCEA(14)) != nullptr;
  // A build without the icon group loads all the same, without icons.
  EXPECT_EQ(SendMessageA(w, WM_GETICON, ICON_BIG, 0) != 0, has_icon_group);
  EXPECT_EQ(SendMessageA(w, WM_GETICON, ICON_SMALL, 0) != 0, has_icon_group);
  if (has_icon_group) {
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageA(w, WM_GETICON, ICON_SMALL, 0)), &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 16) << "the small icon";
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

TEST_F(WindowRuntime, ControlsIdentifiersClassesAndStacking) {
  ASSERT_TRUE(load_main());
  struct Expected {
    uint32_t index;
    int id;
    const char* class_name;
    RECT rect;
  };
  const Expected expected[] = {
      {5, 100, "Edit", {17, 13, 369, 45}},      {4, 110, "Button", {312, 72, 440, 112}},
      {3, 120, "ComboBox", {456, 152, 552, 0}}, {2, 130, "Edit", {384, 11, 432, 43}},
      {1, 140, "WdlLabel", {16, 64, 296, 112}},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.id);
    HWND c = control(e.index);
    EXPECT_EQ(GetDlgCtrlID(c), e.id);
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, class_name_of(c).c_str(), -1, e.class_name, -1),
              CSTR_EQUAL)
        << class_name_of(c);
    EXPECT_EQ(GetParent(c), window());
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, e.rect.left);
    EXPECT_EQ(r.top, e.rect.top);
    EXPECT_EQ(r.right, e.rect.right);
    if (e.rect.bottom != 0) {
      EXPECT_EQ(r.bottom, e.rect.bottom);
    }
  }
  // Top to bottom: 标签1, 编辑框2, 组合框1, 按钮1, 编辑框1.
  std::vector<HWND> stacking;
  for (HWND c = GetWindow(window(), GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) stacking.push_back(c);
  EXPECT_EQ(stacking, (std::vector<HWND>{control(1), control(2), control(3), control(4), control(5)}));
  for (uint32_t i : {2u, 3u, 4u, 5u}) EXPECT_NE(style_of(control(i)) & WS_TABSTOP, 0) << i;
  EXPECT_EQ(style_of(control(1)) & WS_TABSTOP, 0);
}

TEST_F(WindowRuntime, EditBoxesButtonAndComboAsLoaded) {
  ASSERT_TRUE(load_main());
  HWND box1 = control(5), box2 = control(2);
  EXPECT_EQ(window_text_of(box1), "");
  EXPECT_EQ(window_text_of(box2), ".mp3");
  for (HWND box : {box1, box2}) {
    EXPECT_EQ(style_of(box) & (ES_MULTILINE | ES_AUTOHSCROLL | ES_CENTER | ES_RIGHT | ES_READONLY | ES_PASSWORD),
              ES_AUTOHSCROLL);
    EXPECT_NE(ex_style_of(box) & WS_EX_CLIENTEDGE, 0) << "sunken";
    EXPECT_EQ(style_of(box) & WS_BORDER, 0);
    EXPECT_GE(static_cast<uint32_t>(SendMessageA(box, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu) << "the largest limit";
    DWORD start = 1, end = 1;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u) << "caret at the start, nothing selected";
    RECT r;
    GetWindowRect(box, &r);
    EXPECT_EQ(r.bottom - r.top, 32) << "tall enough: keeps its height";
  }
  HWND button = control(4);
  EXPECT_EQ(window_text_of(button), "\xC9\xFA \xB3\xC9");
  EXPECT_EQ(style_of(button) & 0x0F, BS_PUSHBUTTON) << "not the default push button";
  EXPECT_EQ(style_of(button) & (BS_CENTER | BS_VCENTER | BS_MULTILINE), BS_CENTER | BS_VCENTER | BS_MULTILINE);

  HWND combo = control(3);
  const char* items[] = {".mp3", ".mp4", ".flv", ".rar", ".zip", ".7z", ".exe",
                         ".jpg", ".gif", ".doc", ".xls", ".ppt", ".txt"};
  ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 13);
  for (int i = 0; i < 13; ++i) {
    char text[16] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, items[i]);
  }
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(window_text_of(combo), "") << "the edit field shows the empty stored text";
  EXPECT_EQ(style_of(combo) & 0x3, CBS_DROPDOWN);
  EXPECT_EQ(style_of(combo) & CBS_SORT, 0);
}

COLORREF pixel(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

bool dark(COLORREF c) { return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80; }

TEST_F(WindowRuntime, TheLabelIsPaintedOnOneLineAndCutOff) {
  ASSERT_TRUE(load_main());
  HWND label = control(1);
  UpdateWindow(window());
  pump_messages();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(pixel(label, 1, 1), face);
  EXPECT_EQ(pixel(label, 278, 46), face);
  EXPECT_EQ(pixel(window(), 5, 120), face) << "the window's own background";
  // Dark text pixels only in a band around the middle line, all along the label.
  int dark_middle = 0, dark_top = 0, dark_bottom = 0, dark_right = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 280; ++x) {
      if (!dark(pixel(label, x, y))) continue;
      if (y < 10) ++dark_top;
      else if (y >= 38) ++dark_bottom;
      else ++dark_middle;
      if (x >= 250) ++dark_right;
    }
  }
  EXPECT_GT(dark_middle, 100) << "black text, vertically centred";
  EXPECT_EQ(dark_top, 0) << "one line only";
  EXPECT_EQ(dark_bottom, 0);
  EXPECT_GT(dark_right, 0) << "the text runs to the label's right edge and is cut off there";
  CreateDirectoryA("screenshots", nullptr);
  EXPECT_TRUE(save_window_bitmap(window(), "screenshots/loaded-window.bmp"));
}

TEST_F(WindowRuntime, TheClickRunsTheBoundRoutineOncePerClick) {
  ASSERT_TRUE(load_main());
  g_log.clear();
  SendMessageA(control(4), BM_CLICK, 0, 0);
  pump_messages();
  EXPECT_EQ(g_log, std::vector<int>{0}) << "reference 0 of the block is routine 0";
  SendMessageA(control(4), BM_CLICK, 0, 0);
  pump_messages();
  EXPECT_EQ(g_log, (std::vector<int>{0, 0}));
}


// The main window's description with changes, written with the same code.
struct Variant {
  std::vector<UnitDesc> units{kMainWindowDesc.units.begin(), kMainWindowDesc.units.end()};
  std::vector<uint8_t> block() const {
    WindowDesc window = kMainWindowDesc;
    window.units = units;
    return write_block(window);
  }
};

const EventEntryDesc kWindowEvents[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {8, 8},
                                        {10, 10}, {11, 11}, {12, 12}, {-7, 20}, {-8, 21}};
const EventEntryDesc kButtonFocusEvents[] = {{0, 9}, {-7, 20}, {-8, 21}};

// Pixels of a label by colour: white, dark, and in which bands of its height.
struct LabelPixels {
  int white = 0, dark_top = 0, dark_middle = 0, dark_bottom = 0;
};

LabelPixels label_pixels(HWND label) {
  LabelPixels p;
  RECT r;
  GetClientRect(label, &r);
  HDC dc = GetDC(label);
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (c == RGB(255, 255, 255)) ++p.white;
      if (!dark(c)) continue;
      if (y < r.bottom / 3) ++p.dark_top;
      else if (y < 2 * r.bottom / 3) ++p.dark_middle;
      else ++p.dark_bottom;
    }
  }
  ReleaseDC(label, dc);
  return p;
}

TEST_F(WindowRuntime, LabelTextEffectsAndWordWrap) {
  struct Case {
    const char* name;
    uint32_t effect;
    uint32_t wrap;
  };
  const Case cases[] = {{"plain", 0, 0}, {"white copy", 1, 0}, {"word wrap", 0, 1}};
  LabelPixels plain{};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Variant v;
    v.units[1].props.label.text_effect = c.effect;
    v.units[1].props.label.word_wrap = c.wrap;
    v.units[1].top = 44;  // room for several lines, inside the client area
    v.units[1].height = 84;
    ASSERT_TRUE(load(v.block()));
    UpdateWindow(window());
    pump_messages();
    const LabelPixels p = label_pixels(control(1));
    if (c.effect == 0 && c.wrap == 0) {
      plain = p;
      EXPECT_EQ(p.white, 0);
      EXPECT_EQ(p.dark_top + p.dark_bottom, 0) << "one line, vertically centred";
    } else if (c.effect == 1) {
      EXPECT_GT(p.white, 50) << "a white copy under the text";
    } else {
      EXPECT_GT(p.dark_top + p.dark_bottom, 0) << "the text runs over several lines";
      EXPECT_GT(p.dark_top + p.dark_middle + p.dark_bottom, plain.dark_middle) << "more of it is seen";
    }
    DestroyWindow(window());
    pump_messages();
  }
}

TEST_F(WindowRuntime, EventsAreDroppedWhileLoadingAndDeliveredAfter) {
  Variant v;
  v.units[0].events = kWindowEvents;
  ASSERT_TRUE(load(v.block()));
  ASSERT_GE(g_log.size(), 3u);
  EXPECT_EQ(std::vector<int>(g_log.begin(), g_log.begin() + 3), (std::vector<int>{0, 3, 4}))
      << "nothing raised while loading reaches a routine; loaded, moved, resized come first";
  auto count = [](int event) { return std::count(g_log.begin(), g_log.end(), event); };
  EXPECT_EQ(count(0), 1);
  EXPECT_EQ(count(3), 1);
  EXPECT_EQ(count(4), 1);
  EXPECT_EQ(count(10), 1) << "shown";
  EXPECT_GE(count(5), 1) << "activated";
  EXPECT_EQ(count(8), 1) << "first activation";
  g_log.clear();
  SetWindowPos(window(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  pump_messages();
  EXPECT_EQ(g_log, std::vector<int>{3}) << "moved, as it happens";
}

TEST_F(WindowRuntime, TheButtonReportsItsFocus) {
  Variant v;
  v.units[4].events = kButtonFocusEvents;
  ASSERT_TRUE(load(v.block()));
  g_log.clear();
  SetFocus(control(4));
  pump_messages();
  SetFocus(control(5));
  pump_messages();
  EXPECT_EQ(g_log, (std::vector<int>{-7, -8}));
}

TEST_F(WindowRuntime, ClosingRaisesItsEventsAndDestroys) {
  Variant v;
  v.units[0].events = kWindowEvents;
  ASSERT_TRUE(load(v.block()));
  static int destroyed = 0;
  destroyed = 0;
  set_window_destroyed_hook([] { ++destroyed; });
  EXPECT_EQ(SendMessageA(window(), WM_QUERYENDSESSION, 0, 0), TRUE) << "agrees to log-off";
  g_log.clear();
  HWND w = window();
  HWND edit = control(5);
  SendMessageA(w, WM_CLOSE, 0, 0);
  pump_messages();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(IsWindow(edit)) << "the controls go with it";
  EXPECT_EQ(destroyed, 1);
  set_window_destroyed_hook(nullptr);
  EXPECT_FALSE(any_window_loaded());
  EXPECT_EQ(live_window(definition()), nullptr) << "the definition stays, not loaded";
  auto at = [&](int e) { return std::find(g_log.begin(), g_log.end(), e) - g_log.begin(); };
  EXPECT_LT(at(12), at(1));
  EXPECT_LT(at(1), at(2));
  EXPECT_NE(std::find(g_log.begin(), g_log.end(), 2), g_log.end()) << "being destroyed";
}

TEST_F(WindowRuntime, ARoutineThatGivesFalseKeepsTheWindowOpen) {
  const EventEntryDesc refuse_close[] = {{12, kRefuse}};
  const EventEntryDesc refuse_may_close[] = {{1, kRefuse}};
  for (auto events : {std::span<const EventEntryDesc>(refuse_close), std::span<const EventEntryDesc>(refuse_may_close)}) {
    Variant v;
    v.units[0].events = events;
    ASSERT_TRUE(load(v.block()));
    SendMessageA(window(), WM_CLOSE, 0, 0);
    pump_messages();
    EXPECT_TRUE(IsWindow(window()));
    DestroyWindow(window());
    pump_messages();
  }
  Variant v;
  v.units[0].events = refuse_may_close;
  ASSERT_TRUE(load(v.block()));
  EXPECT_EQ(SendMessageA(window(), WM_QUERYENDSESSION, 0, 0), FALSE);
}

BOOL CALLBACK count_window(HWND, LPARAM count) {
  ++*reinterpret_cast<size_t*>(count);
  return TRUE;
}

size_t thread_windows() {
  size_t n = 0;
  EnumThreadWindows(GetCurrentThreadId(), count_window, reinterpret_cast<LPARAM>(&n));
  return n;
}

TEST_F(WindowRuntime, AFailedCreateOperationLeavesNothingBehind) {
  const size_t before = thread_windows();
  struct Case {
    const char* name;
    uint32_t index;
    uint32_t version;
  };
  // Unit 3 is created after 编辑框1 and 按钮1, so those must be taken down again.
  const Case cases[] = {{"newer combo box block", 3, 4}, {"newer label block", 1, 3}, {"newer window block", 0, 7}};
  for (const Case& c : cases) {
    Variant v;
    v.units[c.index].props.version = c.version;
    EXPECT_FALSE(load(v.block())) << c.name;
    EXPECT_EQ(thread_windows(), before) << c.name;
    EXPECT_EQ(FindWindowA(kWindowClass, nullptr), nullptr) << c.name;
    EXPECT_FALSE(any_window_loaded());
    for (uint32_t i = 0; i < definition().unit_count; ++i) EXPECT_EQ(definition().units[i].live_control, nullptr);
  }
  WindowDesc empty{.id = kMainWindowId};
  block_ = write_block(empty);
  ASSERT_EQ(read_program_definitions(run_of(block_), routines()), ReadStatus::ok);
  EXPECT_FALSE(load_window(kMainWindowId)) << "no unit 0: nothing to load";
  EXPECT_FALSE(load_window(0x52010009)) << "no such definition";
}

TEST_F(WindowRuntime, WhatAControlMadeIsDeletedWithIt) {
  Variant v;
  LOGFONTA font{};
  font.lfHeight = -20;
  lstrcpyA(font.lfFaceName, "Tahoma");
  v.units[5].props.edit_box.font = ByteRun{reinterpret_cast<const uint8_t*>(&font), sizeof font};
  ASSERT_TRUE(load(v.block()));
  LiveControl* edit = live_control(definition(), 5);
  HGDIOBJ brush = edit->brush, made_font = edit->font;
  ASSERT_TRUE(edit->font_owned);
  EXPECT_EQ(SendMessageA(edit->hwnd, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(made_font));
  LOGFONTA used{};
  GetObjectA(made_font, sizeof used, &used);
  EXPECT_EQ(used.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(used.lfQuality, PROOF_QUALITY);
  HGDIOBJ combo_brush = live_control(definition(), 3)->brush;
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetObjectType(made_font), static_cast<DWORD>(OBJ_FONT));
  DestroyWindow(window());
  pump_messages();
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(GetObjectType(made_font), 0u);
  EXPECT_EQ(GetObjectType(combo_brush), 0u);
  EXPECT_NE(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), 0u) << "the stock font stays";
}

TEST_F(WindowRuntime, ControlColoursAreAnswered) {
  Variant v;
  v.units[5].props.edit_box.text_colour = 0x0000FF;
  v.units[5].props.edit_box.background_colour = 0x00FF00;
  ASSERT_TRUE(load(v.block()));
  HWND edit = control(5);
  HDC dc = GetDC(edit);
  LRESULT brush = SendMessageA(window(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(live_control(definition(), 5)->brush));
  EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
  EXPECT_EQ(GetBkColor(dc), 0x00FF00u);
  ReleaseDC(edit, dc);
  LOGBRUSH made{};
  GetObjectA(reinterpret_cast<HGDIOBJ>(brush), sizeof made, &made);
  EXPECT_EQ(made.lbColor, 0x00FF00u);
}

TEST_F(WindowRuntime, AlternativeEditBoxValues) {
  Variant v;
  EditBoxProps& multi = v.units[5].props.edit_box;
  multi.multi_line = 1;
  multi.scroll_bars = 3;
  multi.alignment = 2;
  multi.letter_case = 2;
  multi.border_style = 5;
  multi.max_length = 10;
  multi.content = "abcdef";
  multi.selection_start = 1;
  multi.selection_length = 2;
  EditBoxProps& password = v.units[2].props.edit_box;
  password.input_mode = 2;
  password.password_char = '#';
  password.border_style = 3;
  password.hide_selection = 0;
  v.units[2].height = 6;  // lower than a line of text
  ASSERT_TRUE(load(v.block()));
  HWND m = control(5), p = control(2);
  EXPECT_EQ(style_of(m) & (ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL |
                           ES_RIGHT | ES_UPPERCASE),
            ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_RIGHT |
                ES_UPPERCASE);
  EXPECT_NE(style_of(m) & WS_BORDER, 0) << "border style 5: a single line";
  EXPECT_EQ(ex_style_of(m) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME), 0);
  EXPECT_EQ(SendMessageA(m, EM_GETLIMITTEXT, 0, 0), 10);
  DWORD start = 0, end = 0;
  SendMessageA(m, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  EXPECT_NE(style_of(p) & ES_PASSWORD, 0);
  EXPECT_NE(style_of(p) & ES_NOHIDESEL, 0);
  EXPECT_EQ(SendMessageA(p, EM_GETPASSWORDCHAR, 0, 0), '#');
  EXPECT_NE(ex_style_of(p) & WS_EX_STATICEDGE, 0);
  RECT r;
  GetWindowRect(p, &r);
  HDC dc = GetDC(p);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE wu{};
  GetTextExtentPoint32A(dc, "\xCE\xE2", 2, &wu);
  SelectObject(dc, old);
  ReleaseDC(p, dc);
  EXPECT_EQ(r.bottom - r.top, wu.cy + 2 * GetSystemMetrics(SM_CYEDGE)) << "made as high as \"吴\" and two edges";
}

TEST_F(WindowRuntime, AlternativeButtonComboAndLabelValues) {
  Variant v;
  v.units[4].props.button.default_button = 1;
  v.units[4].props.button.horizontal_alignment = 0;
  v.units[4].props.button.vertical_alignment = 2;
  const std::string_view unsorted[] = {"c", "a", "b"};
  const uint32_t values[] = {7, 8};
  ComboBoxProps& combo = v.units[3].props.combo_box;
  combo.sorted = 1;
  combo.items.items = unsorted;
  combo.items.count = 3;
  combo.item_values = ByteRun{reinterpret_cast<const uint8_t*>(values), sizeof values};
  combo.current_selection = 20;
  combo.type = 2;
  v.units[1].props.label.word_wrap = 1;
  v.units[1].props.label.border_style = 1;
  ASSERT_TRUE(load(v.block()));
  HWND button = control(4);
  EXPECT_EQ(style_of(button) & 0x0F, BS_DEFPUSHBUTTON);
  EXPECT_EQ(style_of(button) & (BS_CENTER | BS_VCENTER), BS_LEFT | BS_BOTTOM);
  EXPECT_TRUE(control_kind(Kind::Button)->is_default_push_button(live_control(definition(), 4)));
  HWND c = control(3);
  EXPECT_NE(style_of(c) & CBS_SORT, 0);
  EXPECT_EQ(style_of(c) & 0x3, CBS_DROPDOWNLIST);
  char first[8] = {};
  SendMessageA(c, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, "a");
  EXPECT_EQ(SendMessageA(c, CB_GETITEMDATA, 2, 0), 7) << "\"c\", the first item stored, sorted last";
  EXPECT_EQ(SendMessageA(c, CB_GETITEMDATA, 0, 0), 8);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 2) << "a selection past the items selects the last";
  EXPECT_NE(ex_style_of(control(1)) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(WindowRuntime, AlternativeWindowValues) {
  struct Case {
    const char* name;
    void (*change)(WindowProps&);
    void (*check)(HWND);
  };
  const Case cases[] = {
      {"sizing frame", [](WindowProps& p) { p.border_style = 1; p.maximise_box = 1; },
       [](HWND w) { EXPECT_NE(style_of(w) & (WS_THICKFRAME), 0); EXPECT_NE(style_of(w) & WS_MAXIMIZEBOX, 0); }},
      {"tool window", [](WindowProps& p) { p.border_style = 4; },
       [](HWND w) { EXPECT_NE(ex_style_of(w) & WS_EX_TOOLWINDOW, 0); }},
      {"client edge", [](WindowProps& p) { p.border_style = 6; },
       [](HWND w) { EXPECT_NE(ex_style_of(w) & WS_EX_CLIENTEDGE, 0); }},
      {"no taskbar button", [](WindowProps& p) { p.taskbar_button = 0; },
       [](HWND w) { EXPECT_EQ(GetWindow(w, GW_OWNER), hidden_owner_window()); }},
      {"stored place", [](WindowProps& p) { p.start_position = 0; },
       [](HWND w) {
         RECT r;
         GetWindowRect(w, &r);
         EXPECT_EQ(r.left, 50);
         EXPECT_EQ(r.top, 50);
       }},
      {"always on top", [](WindowProps& p) { p.always_on_top = 1; },
       [](HWND w) { EXPECT_NE(ex_style_of(w) & WS_EX_TOPMOST, 0); }},
      {"not movable", [](WindowProps& p) { p.movable = 0; },
       [](HWND w) { EXPECT_EQ(GetMenuState(GetSystemMenu(w, FALSE), SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1)); }},
      {"green background", [](WindowProps& p) { p.background_colour = 0x00FF00; },
       [](HWND w) {
         UpdateWindow(w);
         HDC dc = GetDC(w);
         EXPECT_EQ(GetPixel(dc, 3, 120), 0x00FF00u);
         ReleaseDC(w, dc);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Variant v;
    c.change(v.units[0].props.window);
    ASSERT_TRUE(load(v.block()));
    c.check(window());
    RECT r;
    GetWindowRect(window(), &r);
    EXPECT_EQ(r.right - r.left, 462);
    EXPECT_EQ(r.bottom - r.top, 156);
    DestroyWindow(window());
    pump_messages();
  }
}

TEST_F(WindowRuntime, LoadingALoadedWindowRestoresIt) {
  ASSERT_TRUE(load_main());
  HWND w = window();
  ShowWindow(w, SW_MINIMIZE);
  pump_messages();
  ASSERT_TRUE(IsIconic(w));
  EXPECT_TRUE(load_window(kMainWindowId));
  pump_messages();
  EXPECT_FALSE(IsIconic(w));
  EXPECT_EQ(window(), w) << "the same window, not a second one";
}

}  // namespace
