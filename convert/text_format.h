// Small formatting helpers for message texts, free of the C library's printf so
// that they work the same in every build and never allocate.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes value in decimal with its terminating zero; out needs 12 bytes (21 for
// the 64-bit forms). Returns the number of digits (and sign) written.
size_t format_signed(int32_t value, char* out);
size_t format_unsigned(uint32_t value, char* out);
size_t format_signed64(int64_t value, char* out);

// Copies format to out, replacing its first "%d" by number; the result is cut to
// fit capacity bytes and always ends with a zero byte.
void substitute_number(const char* format, const char* number, char* out, size_t capacity);

// Appends text to the zero-ended out of the given capacity, cutting it to fit.
void append_text(char* out, size_t capacity, const char* text);
