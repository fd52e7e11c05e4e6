#include "desktop/real_format.h"

#include <cstdio>

void format_real(double value, int digits, char* out, size_t capacity) {
  if (capacity == 0) return;
  std::snprintf(out, capacity, "%.*g", digits, value);
}
