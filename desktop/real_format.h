// Writes a floating value as printf's "%.<digits>g" would.
#pragma once

#include <cstddef>

void format_real(double value, int digits, char* out, size_t capacity);
