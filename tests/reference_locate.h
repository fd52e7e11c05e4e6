// locate_text's scan exactly as it is defined, byte by byte and without any
// shortcut: what the faster scan of the program is held against, by the tests
// and by the fuzzer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

inline int32_t reference_locate(const std::string& t, const std::string& s, std::optional<int32_t> start, bool fold) {
  const int32_t length = static_cast<int32_t>(t.size());
  const int32_t m = static_cast<int32_t>(s.size());
  const int32_t b = (!start || *start < 1) ? 0 : *start - 1;
  if (b >= length) return -1;
  if (m == 0) return 1;
  auto f = [&](char c) { return fold && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (int32_t p = b, r = length - b; r >= m; ++p, --r) {
    bool equal = true;
    for (int32_t i = 0; i < m && equal; ++i) equal = f(t[static_cast<size_t>(p + i)]) == f(s[static_cast<size_t>(i)]);
    if (equal) return p + 1;
    if (static_cast<unsigned char>(t[static_cast<size_t>(p)]) >= 0x80) {
      if (p + 1 == length) break;  // a lead byte with the end after it
      ++p;
      --r;
    }
  }
  return -1;
}
