#include "convert/text_format.h"

namespace {

size_t write_digits(uint64_t value, bool negative, char* out) {
  char digits[20];
  size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  size_t length = 0;
  if (negative) out[length++] = '-';
  while (n > 0) out[length++] = digits[--n];
  out[length] = '\0';
  return length;
}

}  // namespace

size_t format_signed(int32_t value, char* out) { return format_signed64(value, out); }

size_t format_unsigned(uint32_t value, char* out) { return write_digits(value, false, out); }

size_t format_signed64(int64_t value, char* out) {
  // Negate in unsigned arithmetic so that the smallest value has a magnitude too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  return write_digits(magnitude, value < 0, out);
}

void append_text(char* out, size_t capacity, const char* text) {
  if (capacity == 0) return;
  size_t length = 0;
  while (length < capacity && out[length] != '\0') ++length;
  if (length == capacity) {  // not zero-ended: end it where the buffer ends
    out[capacity - 1] = '\0';
    return;
  }
  if (text == nullptr) return;
  while (*text != '\0' && length + 1 < capacity) out[length++] = *text++;
  out[length] = '\0';
}

void substitute_number(const char* format, const char* number, char* out, size_t capacity) {
  if (capacity == 0) return;
  size_t length = 0;
  bool substituted = false;
  for (const char* p = format; p != nullptr && *p != '\0' && length + 1 < capacity; ++p) {
    if (!substituted && p[0] == '%' && p[1] == 'd') {
      for (const char* d = number; *d != '\0' && length + 1 < capacity; ++d) out[length++] = *d;
      substituted = true;
      ++p;
      continue;
    }
    out[length++] = *p;
  }
  out[length] = '\0';
}
