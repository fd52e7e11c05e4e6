// The C runtime of Windows formats the value, as it does for the system's own
// programs; this keeps MinGW's own printf out of the program.
#include "desktop/real_format.h"

#include <stdio.h>

void format_real(double value, int digits, char* out, size_t capacity) {
  if (capacity == 0) return;
  const int written = _snprintf(out, capacity - 1, "%.*g", digits, value);
  out[written < 0 ? capacity - 1 : static_cast<size_t>(written)] = '\0';
}
