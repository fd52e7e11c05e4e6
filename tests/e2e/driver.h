// Drives the real program from another process, as a user would: starts it,
// finds its window and controls, types and clicks with SendInput or messages
// posted to its controls, reads its message boxes and the clipboard.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/win/test_support.h"

// The programs built beside this driver.
std::string program_path(const std::string& exe_name);

struct RunningProgram {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;  // the main window, once it is up
  DWORD thread_id = 0;
  bool started = false;
};

// Starts an executable with extra environment variables and a current directory
// (empty: the driver's). Waits for its main window unless wait_for_window is false.
RunningProgram start_program(const std::string& exe_name,
                             const std::vector<std::pair<std::string, std::string>>& environment = {},
                             const std::string& directory = "", bool wait_for_window = true);
// Waits for the process to end (then closes its handles); 0xDEAD when it had to be ended.
DWORD wait_for_exit(RunningProgram& program, DWORD timeout_ms = 10000);
// Ends the process if it still runs.
void stop(RunningProgram& program);

// The control with a child identifier in the main window.
HWND control(const RunningProgram& program, int child_id);
// The window that has the keyboard focus in the program's thread.
HWND focused(const RunningProgram& program);
// The child identifier of the control that has the focus (the combo box's edit
// field counts as the combo box); 0 for none.
int focused_control(const RunningProgram& program);

// Keyboard input as a user gives it.
void press_keys(const std::vector<WORD>& keys_held_then_released);
void press_key(WORD key);
void click_at(int screen_x, int screen_y);
void click_control(HWND control);
// Makes the program's window the foreground window, for keyboard input.
void bring_to_front(const RunningProgram& program);

// A message box of the program: waits for it, reads it.
bool wait_for_box(const RunningProgram& program, MessageBoxSeen& box, DWORD timeout_ms = 10000);
bool no_box_within(const RunningProgram& program, DWORD ms);

// The lines the test variant wrote to its log.
std::vector<std::string> read_log(const std::string& path);
std::string temp_file(const std::string& name);
