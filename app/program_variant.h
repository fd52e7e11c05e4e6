// What differs between the shipped program and its test variants: the routine
// the click runs, the exit routine, and a step before start-up. The shipped
// program uses the plain ones.
#pragma once

#include "app/program_end.h"
#include "ui/definitions.h"

struct ProgramVariant {
  void (*before_start)();
  void (*after_load)();  // once the main window is up, before the loop
  EventRoutine click_routine;
  ExitRoutine exit_routine;
};

const ProgramVariant& program_variant();

// The click routine of the shipped program: generate_direct_link.
EventResult run_generate_direct_link(const EventArgument* arguments, uint32_t count);
