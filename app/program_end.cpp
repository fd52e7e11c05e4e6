#include "app/program_end.h"

#include "app/platform_exit.h"
#include "convert/text_format.h"
#include "generated/app_texts.h"

namespace {

constexpr size_t kMaxExitRoutines = 16;
ExitRoutine g_exit_routines[kMaxExitRoutines];
size_t g_exit_routine_count = 0;

ProcessResources g_resources;
int32_t g_event_suspension = 0;

// Large enough for every message of the program; longer ones are cut, never
// overrun. Static, because an exhausted heap must not stop the report.
char g_fatal_text[1024];

}  // namespace

bool register_exit_routine(ExitRoutine routine) {
  for (size_t i = 0; i < g_exit_routine_count; ++i) {
    if (g_exit_routines[i] == routine) return true;
  }
  if (g_exit_routine_count == kMaxExitRoutines) return false;
  g_exit_routines[g_exit_routine_count++] = routine;
  return true;
}

size_t exit_routine_count() { return g_exit_routine_count; }

void set_process_resources(const ProcessResources& resources) { g_resources = resources; }

void finish_program() {
  if (g_resources.drop_idle_work != nullptr) g_resources.drop_idle_work();
  if (g_resources.discard_definitions != nullptr) g_resources.discard_definitions();
  // Routines run in registration order; one that registers another does not
  // extend this run.
  const size_t count = g_exit_routine_count;
  for (size_t i = 0; i < count; ++i) g_exit_routines[i]();
  g_exit_routine_count = 0;
  if (g_resources.release_process_items != nullptr) g_resources.release_process_items();
  g_resources = ProcessResources{};
}

void end_program(int32_t exit_code) {
  finish_program();
  exit_process(exit_code);
}

int32_t event_suspension_count() { return g_event_suspension; }

void suspend_events() { ++g_event_suspension; }

void resume_events() {
  if (g_event_suspension > 0) --g_event_suspension;
}

size_t compose_fatal_text(Text message, int32_t error_code, char* out, size_t capacity) {
  if (capacity == 0) return 0;
  out[0] = '\0';
  append_text(out, capacity, WDL_TXT_FATAL_HEADLINE "\r\n\r\n");
  if (error_code != 0) {
    char number[12];
    format_signed(error_code, number);
    append_text(out, capacity, WDL_TXT_FATAL_CODE);
    append_text(out, capacity, number);
    append_text(out, capacity, "\r\n\r\n");
  }
  if (message != nullptr && message[0] != '\0') {
    append_text(out, capacity, WDL_TXT_FATAL_MESSAGE);
    append_text(out, capacity, message);
    append_text(out, capacity, "\r\n");
  }
  size_t length = 0;
  while (out[length] != '\0') ++length;
  return length;
}

void report_fatal_error(Text message, int32_t error_code) {
  suspend_events();
  compose_fatal_text(message, error_code, g_fatal_text, sizeof g_fatal_text);
  show_fatal_error_box(g_fatal_text);
  g_exit_routine_count = 0;
  end_program(-1);
}
