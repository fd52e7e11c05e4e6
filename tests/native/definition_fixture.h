// Helpers for tests of window definitions: reading a block with a routine
// table of recording routines, and building variants with the description code.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/definition_writer.h"
#include "ui/definitions.h"

// Writes windows into a buffer at run time, with the same code as the program's block.
inline std::vector<uint8_t> write_block(std::span<const WindowDesc> windows) {
  auto writer = std::make_unique<ByteWriter<1 << 20>>();
  write_definitions(*writer, windows);
  if (writer->overflow) return {};
  return std::vector<uint8_t>(writer->bytes, writer->bytes + writer->size);
}

inline std::vector<uint8_t> write_block(const WindowDesc& window) {
  return write_block(std::span<const WindowDesc>(&window, 1));
}

inline ByteRun run_of(const std::vector<uint8_t>& bytes) {
  return ByteRun{bytes.data(), static_cast<uint32_t>(bytes.size())};
}

inline EventResult test_routine(const EventArgument*, uint32_t) { return EventResult{true, 42}; }

inline RoutineTable test_routines() {
  static const EventRoutine routines[] = {test_routine};
  return RoutineTable{routines, 1};
}

// Definitions read for a test and discarded at its end.
class HeldDefinitions {
 public:
  HeldDefinitions() = default;
  ~HeldDefinitions() { discard_definitions(definitions); }
  HeldDefinitions(const HeldDefinitions&) = delete;
  HeldDefinitions& operator=(const HeldDefinitions&) = delete;
  ReadStatus read(ByteRun block, const RoutineTable& routines = test_routines()) {
    discard_definitions(definitions);
    return read_definitions(block, routines, definitions);
  }
  Definitions definitions;
};

inline std::string bytes_of(std::string_view text) { return std::string(text); }
