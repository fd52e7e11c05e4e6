// The process entry: the platform's standard start-up has run; the program runs
// once and ends with the quit message's code. Arguments are not read.
#include <windows.h>

#include "app/program_end.h"
#include "app/start_program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  start_program();
  finish_program();
  return quit_code();
}
