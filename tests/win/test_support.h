// Helpers of the Windows-side tests: message pumping, waiting, message boxes of
// another process, child processes and screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Dispatches every queued message of this thread.
void pump_messages();

// Pumps messages until done() holds or the time runs out; returns done().
bool wait_until(const std::function<bool()>& done, DWORD timeout_ms = 5000);

// The window class name of a window.
std::string class_name_of(HWND hwnd);
std::string window_text_of(HWND hwnd);

// A message box (#32770) shown by a process, with its caption and text.
struct MessageBoxSeen {
  HWND box = nullptr;
  std::string caption;
  std::string text;
  bool has_stop_icon = false;
};
// Waits for a message box of the process and reads it.
bool wait_for_message_box(DWORD process_id, MessageBoxSeen& seen, DWORD timeout_ms = 10000);
// Closes a message box with its OK button.
void press_ok(HWND box);

// Runs this test program again with --wdl-child=<name>, reads the message box
// that child shows (if any) and presses OK, and gives its exit code.
struct ChildOutcome {
  bool started = false;
  bool box_shown = false;
  MessageBoxSeen box;
  DWORD exit_code = 0;
};
ChildOutcome run_child(const std::string& name, DWORD timeout_ms = 20000);

// Registers what the child named name does; the child never returns from it.
void register_child_action(const std::string& name, void (*action)());
// Called from main: runs the child action named by --wdl-child=, if any.
bool run_child_action_if_asked(int argc, char** argv);

// The clipboard's CF_TEXT item as any program sees it. clipboard_bytes gives
// the bytes before the zero and, when asked, the size of the block.
bool set_clipboard_bytes(const std::string& bytes);
bool clipboard_bytes(std::string& bytes, SIZE_T* block_size = nullptr);

// Saves what the screen shows of a window as a 24-bit BMP file.
bool save_window_bitmap(HWND hwnd, const std::string& path);
