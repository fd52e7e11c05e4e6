// The life of the process: start-up, the message loop and the program's own
// exit routine.
#pragma once

#include <cstdint>

// The program's entry routine: prepares the process, loads the main window and
// runs the message loop until it ends. Always 0.
int32_t start_program();

// The first step of start_program: heap, OLE, current directory, hidden owner
// window, constant texts, window definitions.
void prepare_process();

// Runs the message loop until the quit message; gives its code.
void run_message_loop();
int32_t quit_code();

// Floating-point unit to its defaults: round to nearest, extended precision,
// every exception masked.
void reset_floating_point_unit();
