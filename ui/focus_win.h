// Keyboard focus of a loaded window: moving it in the window's own order and
// placing it when the window gets the focus.
#pragma once

#include <windows.h>

struct LiveWindow;

// Moves the focus from the control from to the next (forward) or previous tab stop.
void move_focus(LiveWindow& window, HWND from, bool forward);

// The window got the keyboard focus: its got-focus event, then the focus goes
// back to the control remembered at the last deactivation, or to the first tab stop.
void focus_on_activation(LiveWindow& window);

// The window is being deactivated: remember the control that has the focus.
void remember_focus(LiveWindow& window);
