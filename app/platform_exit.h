// What ending the process needs from the platform.
#pragma once

#include <cstdint>

#include "convert/text.h"

// Shows the fatal error box with the given text and waits until it is dismissed.
void show_fatal_error_box(Text box_text);

// Ends the process at once with the exit code.
[[noreturn]] void exit_process(int32_t exit_code);
