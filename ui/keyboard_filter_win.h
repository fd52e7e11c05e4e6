// The window's keyboard filter, offered every queued message for the window or
// a window inside it before the message is translated and dispatched.
#pragma once

#include <windows.h>

struct LiveWindow;

// True when the filter consumed the message (it is then not dispatched).
bool filter_message(LiveWindow& window, const MSG& message);
