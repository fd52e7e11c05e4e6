// Byte-oriented text operations. Every length, count and position counts bytes;
// only locate_text pays attention to two-byte characters. Results are new texts
// owned by the caller; arguments are never changed, kept or released.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "convert/text.h"

// Bytes before the terminating zero; 0 for an absent text.
int32_t byte_length(Text text);

// Position of the first occurrence of search that begins at or after start and on
// a character start, or -1. An omitted start, 1 and anything below 1 all search
// from the first byte. Case folding of ASCII letters applies only when
// case_insensitive is exactly 1.
Position locate_text(Text text, Text search, std::optional<Position> start = std::nullopt,
                     int32_t case_insensitive = 0);

// The last count bytes of text as a new text; absent when that would be empty.
OwnedText right_part(Text text, int32_t count);

// The parts one after another as a new text; never absent (the empty result is a
// one-byte block). Absent parts contribute nothing.
OwnedText join_texts(std::initializer_list<Text> parts);

// A new text with the same bytes; absent when the text is empty or absent.
OwnedText copy_text(Text text);

// x with its fraction dropped, whatever the rounding mode of the floating-point
// unit, whose settings are the same afterwards. Values outside the signed 64-bit
// range, infinities and not-a-number give INT64_MIN.
int64_t to_int64_truncated(double x);

// A 64-bit value given for a 32-bit argument passes its low 32 bits, read as signed.
constexpr int32_t low_32_bits(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value) & 0xFFFFFFFFu));
}
