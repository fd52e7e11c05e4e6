// Fuzz target that holds locate_text against the scan as it is defined, byte by
// byte: the fast path must give the same position for every text, search text,
// start position and case flag.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "convert/text_ops.h"
#include "tests/reference_locate.h"

// Input: one byte of flags, one byte of start position, then the search text up
// to a zero byte, then the text (zero bytes end the texts, as in the program).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t flags = data[0];
  const int32_t start_byte = static_cast<int8_t>(data[1]);
  std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
  size_t split = rest.find('\0');
  std::string search = split == std::string::npos ? rest.substr(0, rest.size() / 4) : rest.substr(0, split);
  std::string text = split == std::string::npos ? rest.substr(search.size()) : rest.substr(split + 1);
  text = text.substr(0, std::strlen(text.c_str()));
  std::optional<Position> start;
  if (flags & 1) start = start_byte;
  const int32_t fold = (flags & 2) ? 1 : ((flags & 4) ? 2 : 0);
  Position fast = locate_text(text.c_str(), search.c_str(), start, fold);
  if (fast != reference_locate(text, search, start, fold == 1)) __builtin_trap();
  return 0;
}
