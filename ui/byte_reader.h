// Bounds-aware reading of the stored block: every read checks the bytes that
// remain before it takes any, and a failed read leaves the reader failed.
#pragma once

#include <cstdint>
#include <string_view>

#include "ui/definition_types.h"

class ByteReader {
 public:
  constexpr explicit ByteReader(ByteRun run) : p_(run.data), remaining_(run.size) {}

  constexpr bool ok() const { return ok_; }
  constexpr uint32_t remaining() const { return remaining_; }
  constexpr const uint8_t* position() const { return p_; }

  constexpr bool u16(uint16_t& out) {
    if (!need(2)) return false;
    out = static_cast<uint16_t>(p_[0] | (p_[1] << 8));
    advance(2);
    return true;
  }
  constexpr bool u32(uint32_t& out) {
    if (!need(4)) return false;
    out = static_cast<uint32_t>(p_[0]) | (static_cast<uint32_t>(p_[1]) << 8) | (static_cast<uint32_t>(p_[2]) << 16) |
          (static_cast<uint32_t>(p_[3]) << 24);
    advance(4);
    return true;
  }
  constexpr bool s32(int32_t& out) {
    uint32_t value = 0;
    if (!u32(value)) return false;
    out = static_cast<int32_t>(value);
    return true;
  }
  // n bytes as they stand.
  constexpr bool bytes(uint32_t n, ByteRun& out) {
    if (!need(n)) return false;
    out = ByteRun{p_, n};
    advance(n);
    return true;
  }
  constexpr bool skip(uint32_t n) {
    ByteRun ignored;
    return bytes(n, ignored);
  }
  // A u32 byte count, then that many bytes.
  constexpr bool byte_run(ByteRun& out) {
    uint32_t n = 0;
    return u32(n) && bytes(n, out);
  }
  // A u32 byte count, then the text's bytes without a terminating zero.
  bool text(std::string_view& out) {
    ByteRun run;
    if (!byte_run(run)) return false;
    out = std::string_view(reinterpret_cast<const char*>(run.data), run.size);
    return true;
  }
  // Bytes up to and including a zero byte; the text excludes the zero.
  bool zero_ended(std::string_view& out) {
    for (uint32_t i = 0; i < remaining_; ++i) {
      if (p_[i] == 0) {
        out = std::string_view(reinterpret_cast<const char*>(p_), i);
        advance(i + 1);
        return true;
      }
    }
    return fail();
  }
  // A u16 count, or the u32 after a u16 of 0xFFFF, then that many Texts. Each
  // text is checked here, so that walking the list later cannot fail.
  bool text_list(TextList& out) {
    uint16_t short_count = 0;
    if (!u16(short_count)) return false;
    uint32_t count = short_count;
    if (short_count == 0xFFFF && !u32(count)) return false;
    const uint8_t* start = p_;
    // Each text takes at least its 4-byte count, so a count that cannot fit is
    // refused before any text is read.
    if (count > remaining_ / 4) return fail();
    for (uint32_t i = 0; i < count; ++i) {
      std::string_view ignored;
      if (!text(ignored)) return false;
    }
    out.stored = ByteRun{start, static_cast<uint32_t>(p_ - start)};
    out.count = count;
    out.items = nullptr;
    return true;
  }

 private:
  constexpr bool need(uint32_t n) {
    if (!ok_ || n > remaining_) return fail();
    return true;
  }
  constexpr bool fail() {
    ok_ = false;
    return false;
  }
  constexpr void advance(uint32_t n) {
    p_ += n;
    remaining_ -= n;
  }

  const uint8_t* p_;
  uint32_t remaining_;
  bool ok_ = true;
};
