// How the program ends: the exit-routine list, the orderly shutdown, the event
// suspension count and the fatal error report.
#pragma once

#include <cstddef>
#include <cstdint>

#include "convert/text.h"

using ExitRoutine = void (*)();

// Appends the routine to the exit-routine list unless it stands there already.
// Returns false only when the list is full.
bool register_exit_routine(ExitRoutine routine);

// The process-wide items that finish_program releases, installed by start-up.
// Each hook is called only when it is set.
struct ProcessResources {
  void (*drop_idle_work)() = nullptr;
  void (*discard_definitions)() = nullptr;
  void (*release_process_items)() = nullptr;  // icons, hidden owner window, OLE
};
void set_process_resources(const ProcessResources& resources);

// The orderly shutdown: idle work, definitions, exit routines (in registration
// order, then the list is emptied), the process-wide items.
void finish_program();

// finish_program, then the process ends at once with the exit code.
[[noreturn]] void end_program(int32_t exit_code);

// The fatal error box, then the end of the process with exit code -1, without the
// exit routines. From its first step on, no event is delivered.
[[noreturn]] void report_fatal_error(Text message, int32_t error_code);

// The event suspension count: while above 0, no event reaches a routine.
int32_t event_suspension_count();
void suspend_events();
// Lowers the count by one, never below 0.
void resume_events();

// The text of the fatal error box, with CR LF line breaks, cut to fit capacity.
// Returns its length.
size_t compose_fatal_text(Text message, int32_t error_code, char* out, size_t capacity);

// Number of routines in the exit-routine list.
size_t exit_routine_count();
