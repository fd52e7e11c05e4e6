// Ending the process on Windows: the fatal error box (no owner, caption "错误",
// stop icon, OK) and ExitProcess.
#include <windows.h>

#include "app/platform_exit.h"
#include "generated/app_texts.h"

void show_fatal_error_box(Text box_text) {
  // The result does not matter: the process ends either way.
  MessageBoxA(nullptr, box_text == nullptr ? "" : box_text, WDL_TXT_FATAL_CAPTION, MB_ICONHAND);
}

void exit_process(int32_t exit_code) { ExitProcess(static_cast<UINT>(exit_code)); }
