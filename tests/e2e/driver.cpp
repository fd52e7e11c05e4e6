#include "tests/e2e/driver.h"

#include <cstdio>
#include <cstring>
#include <fstream>

std::string program_path(const std::string& exe_name) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + exe_name;
}

namespace {

struct WindowSearch {
  DWORD process_id;
  const char* class_name;
  HWND found;
};

BOOL CALLBACK find_window_of(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->process_id && class_name_of(hwnd) == search->class_name && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

std::string environment_block(const std::vector<std::pair<std::string, std::string>>& extra) {
  std::string block;
  char* current = GetEnvironmentStringsA();
  for (const char* p = current; *p != '\0'; p += lstrlenA(p) + 1) {
    std::string entry = p;
    bool replaced = false;
    for (const auto& [name, value] : extra) replaced = replaced || entry.rfind(name + "=", 0) == 0;
    if (!replaced) block += entry + '\0';
  }
  FreeEnvironmentStringsA(current);
  for (const auto& [name, value] : extra) block += name + "=" + value + '\0';
  return block + '\0';
}

INPUT key_input(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

RunningProgram start_program(const std::string& exe_name,
                             const std::vector<std::pair<std::string, std::string>>& environment,
                             const std::string& directory, bool wait_for_window) {
  RunningProgram program;
  std::string command = "\"" + program_path(exe_name) + "\"";
  std::string block = environment_block(environment);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, block.data(),
                      directory.empty() ? nullptr : directory.c_str(), &startup, &program.process)) {
    return program;
  }
  program.started = true;
  program.thread_id = program.process.dwThreadId;
  if (!wait_for_window) return program;
  WindowSearch search{program.process.dwProcessId, "WdlWindow", nullptr};
  wait_until(
      [&] {
        EnumWindows(find_window_of, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      15000);
  program.window = search.found;
  // Input is taken once the program waits for it.
  WaitForInputIdle(program.process.hProcess, 5000);
  return program;
}

DWORD wait_for_exit(RunningProgram& program, DWORD timeout_ms) {
  if (!program.started) return 0xDEAD;
  DWORD code = 0xDEAD;
  if (WaitForSingleObject(program.process.hProcess, timeout_ms) == WAIT_TIMEOUT) {
    TerminateProcess(program.process.hProcess, 0xDEAD);
    WaitForSingleObject(program.process.hProcess, 5000);
  }
  GetExitCodeProcess(program.process.hProcess, &code);
  CloseHandle(program.process.hThread);
  CloseHandle(program.process.hProcess);
  program.started = false;
  return code;
}

void stop(RunningProgram& program) {
  if (!program.started) return;
  TerminateProcess(program.process.hProcess, 0xDEAD);
  wait_for_exit(program, 5000);
}

HWND control(const RunningProgram& program, int child_id) { return GetDlgItem(program.window, child_id); }

HWND focused(const RunningProgram& program) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(program.thread_id, &info)) return nullptr;
  return info.hwndFocus;
}

int focused_control(const RunningProgram& program) {
  HWND focus = focused(program);
  if (focus == nullptr) return 0;
  if (GetParent(focus) != program.window) focus = GetParent(focus);
  return focus != nullptr && GetParent(focus) == program.window ? GetDlgCtrlID(focus) : 0;
}

void press_keys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(key_input(key, false));
  for (size_t i = keys.size(); i-- > 0;) inputs.push_back(key_input(keys[i], true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(30);
}

void press_key(WORD key) { press_keys({key}); }

void click_at(int x, int y) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (width - 1);
    input.mi.dy = y * 65535 / (height - 1);
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, inputs, sizeof(INPUT));
  Sleep(30);
}

void click_control(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  click_at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void bring_to_front(const RunningProgram& program) {
  SetForegroundWindow(program.window);
  wait_until([&] { return GetForegroundWindow() == program.window; }, 2000);
}

bool wait_for_box(const RunningProgram& program, MessageBoxSeen& box, DWORD timeout_ms) {
  return wait_for_message_box(program.process.dwProcessId, box, timeout_ms);
}

bool no_box_within(const RunningProgram& program, DWORD ms) {
  MessageBoxSeen box;
  return !wait_for_message_box(program.process.dwProcessId, box, ms);
}

std::vector<std::string> read_log(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string temp_file(const std::string& name) {
  char directory[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  std::string path = std::string(directory) + name;
  DeleteFileA(path.c_str());
  return path;
}
