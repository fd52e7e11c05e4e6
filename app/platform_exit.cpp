// Ending the process where there is no Windows: the box text goes to standard
// error and the process exits with status 255 (-1 cut to 8 bits).
#include "app/platform_exit.h"

#include <cstdio>
#include <cstdlib>

void show_fatal_error_box(Text box_text) {
  std::fputs(box_text == nullptr ? "" : box_text, stderr);
  std::fflush(stderr);
}

void exit_process(int32_t exit_code) { std::_Exit(exit_code); }
