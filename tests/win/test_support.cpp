#include "tests/win/test_support.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

void pump_messages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool wait_until(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeout_ms) return done();
    pump_messages();
    Sleep(10);
  }
  return true;
}

std::string class_name_of(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string window_text_of(HWND hwnd) {
  // WM_GETTEXT also reaches the controls of another process, which GetWindowText does not.
  const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  const LRESULT got = SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

namespace {

struct BoxSearch {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK find_box(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<BoxSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->process_id && class_name_of(hwnd) == "#32770" && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

std::map<std::string, void (*)()>& child_actions() {
  static std::map<std::string, void (*)()> actions;
  return actions;
}

}  // namespace

bool wait_for_message_box(DWORD process_id, MessageBoxSeen& seen, DWORD timeout_ms) {
  BoxSearch search{process_id, nullptr};
  const bool found = wait_until(
      [&] {
        search.found = nullptr;
        EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeout_ms);
  if (!found) return false;
  seen.box = search.found;
  seen.caption = window_text_of(search.found);
  HWND text = GetDlgItem(search.found, 0xFFFF);
  seen.text = text != nullptr ? window_text_of(text) : "";
  // The icon of a message box is a static control: id 0x14 on Windows, 0x440 in Wine.
  HWND icon = GetDlgItem(search.found, 0x14);
  if (icon == nullptr) icon = GetDlgItem(search.found, 0x440);
  seen.has_stop_icon = icon != nullptr && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
  return true;
}

void press_ok(HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }

ChildOutcome run_child(const std::string& name, DWORD timeout_ms) {
  ChildOutcome outcome;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"" + std::string(self) + "\" --wdl-child=" + name;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return outcome;
  }
  outcome.started = true;
  const DWORD start = GetTickCount();
  while (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT && GetTickCount() - start < timeout_ms) {
    MessageBoxSeen seen;
    if (!outcome.box_shown && wait_for_message_box(process.dwProcessId, seen, 200)) {
      outcome.box_shown = true;
      outcome.box = seen;
      press_ok(seen.box);
    }
  }
  if (WaitForSingleObject(process.hProcess, 2000) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 0xDEAD);
  GetExitCodeProcess(process.hProcess, &outcome.exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return outcome;
}

void register_child_action(const std::string& name, void (*action)()) { child_actions()[name] = action; }

bool run_child_action_if_asked(int argc, char** argv) {
  const std::string flag = "--wdl-child=";
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument.rfind(flag, 0) != 0) continue;
    auto found = child_actions().find(argument.substr(flag.size()));
    if (found == child_actions().end()) ExitProcess(97);
    found->second();
    ExitProcess(98);  // an action that returns is a failure of its own
  }
  return false;
}

bool save_window_bitmap(HWND hwnd, const std::string& path) {
  RECT rect;
  if (!GetWindowRect(hwnd, &rect)) return false;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = ((width * 3 + 3) / 4) * 4;
  const DWORD image = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + image;
  bool saved = false;
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    saved = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
            std::fwrite(bits, 1, image, out) == image;
    std::fclose(out);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

bool set_clipboard_bytes(const std::string& bytes) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  char* p = static_cast<char*>(GlobalLock(block));
  std::memcpy(p, bytes.c_str(), bytes.size() + 1);
  GlobalUnlock(block);
  const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  return placed;
}

bool clipboard_bytes(std::string& bytes, SIZE_T* block_size) {
  bytes.clear();
  if (!OpenClipboard(nullptr)) return false;
  HANDLE data = GetClipboardData(CF_TEXT);
  bool got = false;
  if (data != nullptr) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      if (block_size != nullptr) *block_size = GlobalSize(data);
      bytes.assign(p, strnlen(p, GlobalSize(data)));
      GlobalUnlock(data);
      got = true;
    }
  }
  CloseClipboard();
  return got;
}

