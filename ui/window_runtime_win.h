// The window runtime: loading a window and its controls from its definition,
// the window procedure, closing, and what the rest of the program asks of a
// loaded window.
#pragma once

#include <windows.h>

#include "ui/control_win.h"
#include "ui/definitions.h"
#include "ui/property_blocks.h"

// A loaded window: what unit 0's live-control slot stands for.
struct LiveWindow {
  HWND hwnd = nullptr;
  WindowDefinition* definition = nullptr;
  WindowProps props;
  HBITMAP background = nullptr;
  HWND remembered_focus = nullptr;  // the control that had the focus at the last deactivation
  bool activated_once = false;
  HFONT font = nullptr;
  // The client area's place and size when moved and resized were last raised:
  // messages that change neither raise nothing.
  POINT reported_position{};
  SIZE reported_size{};
};

// Creates, places and shows the window held under the ControlId with its
// controls, and returns at once. False when there is no such definition or the
// window or one of its controls cannot be created; nothing is left behind then.
bool load_window(ControlId window);

// The invisible owner of windows without a taskbar button (made at start-up).
void set_hidden_owner_window(HWND owner);
HWND hidden_owner_window();

// Whether any window of the program is loaded.
bool any_window_loaded();
// Called whenever a window of the program has been destroyed.
void set_window_destroyed_hook(void (*hook)());

// Releases the icons loaded for windows.
void release_window_icons();

// The loaded window of a definition, and the live control of one of its units
// (null when not loaded or when the unit has none).
LiveWindow* live_window(const WindowDefinition& definition);
LiveControl* live_control(const WindowDefinition& definition, uint32_t index);
// The loaded window whose window this is, or null for any other window.
LiveWindow* live_window_of(HWND hwnd);
// The index of the unit whose control is hwnd or hwnd's parent; -1 for none.
int32_t unit_of_control(const LiveWindow& window, HWND hwnd);

// Whether pressing on the window's client area moves it.
bool window_drags_anywhere(HWND window);

// The class of the program's windows.
constexpr char kWindowClass[] = "WdlWindow";
