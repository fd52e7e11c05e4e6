#include "convert/text_ops.h"

#include <cstring>

#include "convert/text_memory.h"

namespace {

bool is_lead_byte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

char fold_case(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool equal_folded(const char* a, const char* b, int32_t m) {
  for (int32_t i = 0; i < m; ++i) {
    if (a[i] == '\0' || fold_case(a[i]) != fold_case(b[i])) return false;
  }
  return true;
}

// Step by step over character starts: the scan as it is defined. Used where the
// faster scan below does not apply (case folding, a search text that begins with
// a byte of 0x80 or above).
Position scan_by_characters(const char* t, int32_t b, const char* s, int32_t m, bool fold) {
  const int32_t length = byte_length(t);
  int32_t p = b;
  int32_t r = length - b;
  while (r >= m) {
    bool equal = fold ? equal_folded(t + p, s, m) : std::memcmp(t + p, s, static_cast<size_t>(m)) == 0;
    if (equal) return p + 1;
    if (is_lead_byte(t[p])) {
      if (t[p + 1] == '\0') break;
      ++p;
      --r;
    }
    ++p;
    --r;
  }
  return kNoPosition;
}

// Same result as scan_by_characters for a search text whose first byte is below
// 0x80, in one pass of strchr. Every byte below 0x80 that is not the first byte of
// the search text is a character start where no match begins, so only the
// candidates strchr finds matter. A candidate is a character start exactly when
// the run of bytes of 0x80 or above just before it, counted back no further than
// the scan's origin, has even length: such a run starts on a character start and
// is made of pairs, and an odd run leaves its last byte as a lead byte whose
// second byte is the candidate.
Position scan_for_ascii_start(const char* t, int32_t b, const char* s, int32_t m) {
  const char* origin = t + b;
  const char* q = origin;
  while ((q = std::strchr(q, s[0])) != nullptr) {
    const char* run = q;
    while (run > origin && is_lead_byte(run[-1])) --run;
    bool character_start = ((q - run) % 2) == 0;
    // strncmp stops at the text's end: the search text holds no zero byte.
    if (character_start && std::strncmp(q, s, static_cast<size_t>(m)) == 0) {
      return static_cast<Position>(q - t) + 1;
    }
    ++q;
  }
  return kNoPosition;
}

// Whether the text holds at least n bytes, reading no further than needed.
bool holds_at_least(const char* t, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    if (t[i] == '\0') return false;
  }
  return true;
}

}  // namespace

int32_t byte_length(Text text) {
  return text == nullptr ? 0 : static_cast<int32_t>(std::strlen(text));
}

Position locate_text(Text text, Text search, std::optional<Position> start, int32_t case_insensitive) {
  const char* t = text == nullptr ? "" : text;
  const char* s = search == nullptr ? "" : search;
  const int32_t b = (!start.has_value() || *start < 1) ? 0 : *start - 1;
  const int32_t m = byte_length(s);
  // The searched region, from offset b to the end, must hold at least one byte
  // (and, for a match, m bytes).
  if (!holds_at_least(t, b + 1)) return kNoPosition;
  if (m == 0) return 1;
  const bool fold = case_insensitive == 1;
  if (!fold && !is_lead_byte(s[0])) return scan_for_ascii_start(t, b, s, m);
  return scan_by_characters(t, b, s, m, fold);
}

OwnedText right_part(Text text, int32_t count) {
  if (count <= 0) return nullptr;
  const int32_t length = byte_length(text);
  const int32_t k = count < length ? count : length;
  if (k == 0) return nullptr;
  char* result = allocate_text(static_cast<uint32_t>(k) + 1);
  std::memcpy(result, text + (length - k), static_cast<size_t>(k));
  result[k] = '\0';
  return result;
}

OwnedText join_texts(std::initializer_list<Text> parts) {
  // Each part is measured once; parts beyond the table are measured again when copied.
  constexpr size_t kTable = 16;
  uint32_t lengths[kTable];
  uint64_t total = 1;
  size_t index = 0;
  for (Text part : parts) {
    uint32_t length = static_cast<uint32_t>(byte_length(part));
    if (index < kTable) lengths[index] = length;
    total += length;
    ++index;
  }
  // A total beyond 32 bits cannot be allocated; asking for the largest block fails
  // the same way.
  char* result = allocate_text(total > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(total));
  char* out = result;
  index = 0;
  for (Text part : parts) {
    uint32_t length = index < kTable ? lengths[index] : static_cast<uint32_t>(byte_length(part));
    if (length != 0) std::memcpy(out, part, length);
    out += length;
    ++index;
  }
  *out = '\0';
  return result;
}

OwnedText copy_text(Text text) {
  const int32_t length = byte_length(text);
  if (length == 0) return nullptr;
  char* result = allocate_text(static_cast<uint32_t>(length) + 1);
  std::memcpy(result, text, static_cast<size_t>(length) + 1);
  return result;
}

int64_t to_int64_truncated(double x) {
  // A C++ conversion truncates toward zero whatever the rounding mode; the compiler
  // switches an x87 unit to truncation for it and restores the control word. The
  // range check keeps the out-of-range case defined.
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (!(x >= -kTwoTo63 && x < kTwoTo63)) return INT64_MIN;
  return static_cast<int64_t>(x);
}
