// The text operations: results for absent and empty texts, positions out of range,
// two-byte stepping, case folding, counts, and the truncating conversion.
#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "convert/text_memory.h"
#include "convert/text_memory_hooks.h"
#include "convert/text_ops.h"
#include "tests/native/owned.h"
#include "tests/reference_locate.h"

namespace {

TEST(ByteLength, CountsBytesBeforeTheZero) {
  EXPECT_EQ(byte_length(nullptr), 0);
  EXPECT_EQ(byte_length(""), 0);
  EXPECT_EQ(byte_length("abc"), 3);
  EXPECT_EQ(byte_length("\xD6\xD0"), 2);  // one two-byte character
}

struct LocateCase {
  const char* name;
  const char* text;  // nullptr = absent
  const char* search;
  std::optional<Position> start;
  int32_t case_insensitive;
  Position expected;
};

class LocateText : public ::testing::TestWithParam<LocateCase> {};

TEST_P(LocateText, FindsTheFirstMatchOnACharacterStart) {
  const LocateCase& c = GetParam();
  EXPECT_EQ(locate_text(c.text, c.search, c.start, c.case_insensitive), c.expected) << c.name;
}

const LocateCase kLocateCases[] = {
    {"plain", "abcabc", "c", std::nullopt, 0, 3},
    {"from 4", "abcabc", "c", 4, 0, 6},
    {"from 7, past the end", "abcabc", "c", 7, 0, -1},
    {"from 0 counts as 1", "abcabc", "c", 0, 0, 3},
    {"from -5 counts as 1", "abcabc", "c", -5, 0, 3},
    {"from 1", "abcabc", "c", 1, 0, 3},
    {"result counts from the text start", "abcabc", "bc", 3, 0, 5},
    {"whole text", "abc", "abc", std::nullopt, 0, 1},
    {"longer than the text", "ab", "abc", std::nullopt, 0, -1},
    {"longer than the region", "abcd", "cde", 3, 0, -1},
    {"empty search", "abc", "", std::nullopt, 0, 1},
    {"empty search from 3 still gives 1", "abc", "", 3, 0, 1},
    {"empty search past the end", "abc", "", 4, 0, -1},
    {"empty in empty", "", "", std::nullopt, 0, -1},
    {"absent text", nullptr, "a", std::nullopt, 0, -1},
    {"absent text, absent search", nullptr, nullptr, std::nullopt, 0, -1},
    {"absent search is empty", "x", nullptr, std::nullopt, 0, 1},
    {"huge start", "abc", "a", std::numeric_limits<int32_t>::max(), 0, -1},
    {"match may not begin on a second byte", "\xB0\x41\x42", "\x41\x42", std::nullopt, 0, -1},
    {"the byte after a pair", "\xB0\x41\x42", "\x42", std::nullopt, 0, 3},
    {"pair boundary from the start", "\xB0\xA1\xB0\xA1\x78", "\xA1\xB0", std::nullopt, 0, -1},
    {"start on a second byte", "\xB0\xA1\xB0\xA1\x78", "\xA1\xB0", 2, 0, 2},
    {"0x80 is a lead byte", "\x80" "abc", "abc", std::nullopt, 0, -1},
    {"after the swallowed letter", "\x80" "abc", "bc", std::nullopt, 0, 3},
    {"0xFF is a lead byte", "\xFF" "a/", "a", std::nullopt, 0, -1},
    {"match may end inside a pair", "a\xB0\xA1", "a\xB0", std::nullopt, 0, 1},
    {"lead byte last, then the end", "ab\xB0", "\xB0", std::nullopt, 0, 3},
    {"lead byte last, nothing after", "a\xB0", "b", std::nullopt, 0, -1},
    {"odd run before the candidate", "\xB0\xB1\xB2" "ab", "ab", std::nullopt, 0, -1},
    {"even run before the candidate", "\xB0\xB1\xB2\xB3" "ab", "ab", std::nullopt, 0, 5},
    {"odd run, later candidate", "\xB0\xB1\xB2" "aab", "ab", std::nullopt, 0, 5},
    {"run counted from the start position", "x\xB0\xB1\xB2" "ab", "ab", 3, 0, 5},
    {"case folded", "ABC", "bc", std::nullopt, 1, 2},
    {"case exact", "ABC", "bc", std::nullopt, 0, -1},
    {"flag 2 is not set", "ABC", "bc", std::nullopt, 2, -1},
    {"folding is ASCII only", "\xC0", "\xE0", std::nullopt, 1, -1},
    {"folding reaches second bytes", "\xB0\x41", "\xB0\x61", std::nullopt, 1, 1},
    {"folding keeps stepping", "\xB0" "Ab", "ab", std::nullopt, 1, -1},
    {"non-letters compare exactly", "[", "{", std::nullopt, 1, -1},
};

INSTANTIATE_TEST_SUITE_P(Cases, LocateText, ::testing::ValuesIn(kLocateCases));

TEST(LocateTextAgreement, MatchesTheDefinedScanOnRandomTexts) {
  // Small alphabets make matches, pairs and runs of lead bytes frequent.
  const char alphabet[] = {'a', 'b', '/', 'A', '\x80', '\xB0', '\xA1', '\xFF'};
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> pick(0, sizeof alphabet - 1);
  std::uniform_int_distribution<int> text_length(0, 24);
  std::uniform_int_distribution<int> search_length(0, 4);
  std::uniform_int_distribution<int> start(-2, 26);
  for (int round = 0; round < 200000; ++round) {
    std::string t, s;
    for (int i = text_length(random); i > 0; --i) t += alphabet[pick(random)];
    for (int i = search_length(random); i > 0; --i) s += alphabet[pick(random)];
    std::optional<Position> from;
    if (round % 3 != 0) from = start(random);
    const int32_t fold = round % 5 == 0 ? 1 : 0;
    ASSERT_EQ(locate_text(t.c_str(), s.c_str(), from, fold), reference_locate(t, s, from, fold == 1))
        << "text " << ::testing::PrintToString(t) << " search " << ::testing::PrintToString(s) << " start "
        << (from ? *from : 999) << " fold " << fold;
  }
}

struct RightPartCase {
  const char* name;
  const char* text;
  int64_t count;  // given as 64 bits; the low 32 bits pass
  const char* expected;  // nullptr = absent
};

class RightPart : public ::testing::TestWithParam<RightPartCase> {};

TEST_P(RightPart, TakesTheLastBytes) {
  const RightPartCase& c = GetParam();
  Owned result(right_part(c.text, low_32_bits(c.count)));
  if (c.expected == nullptr) {
    EXPECT_EQ(result.get(), nullptr) << c.name;
  } else {
    ASSERT_NE(result.get(), nullptr) << c.name;
    EXPECT_STREQ(result.get(), c.expected) << c.name;
    EXPECT_NE(static_cast<const void*>(result.get()), static_cast<const void*>(c.text)) << "a new copy";
  }
}

const RightPartCase kRightPartCases[] = {
    {"three", "abcdef", 3, "def"},
    {"all", "abcdef", 6, "abcdef"},
    {"more than all", "abcdef", 100, "abcdef"},
    {"zero", "abcdef", 0, nullptr},
    {"negative", "abcdef", -1, nullptr},
    {"empty text", "", 5, nullptr},
    {"absent text", nullptr, 5, nullptr},
    {"second byte of a pair", "a\xB0\xA1", 1, "\xA1"},
    {"64-bit 4294967297 acts as 1", "abcdef", 4294967297LL, "f"},
    {"64-bit 4294967295 acts as -1", "abcdef", 4294967295LL, nullptr},
    {"64-bit 2^32 acts as 0", "abcdef", 4294967296LL, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Cases, RightPart, ::testing::ValuesIn(kRightPartCases));

TEST(JoinTexts, JoinsPartsAndIsNeverAbsent) {
  const int64_t base = text_memory_live_bytes();
  Owned ab(join_texts({"a", nullptr, "", "b"}));
  EXPECT_STREQ(ab.get(), "ab");
  EXPECT_EQ(text_memory_live_bytes() - base, 3) << "exactly length + 1 bytes";

  Owned empty(join_texts({"", ""}));
  ASSERT_NE(empty.get(), nullptr);
  EXPECT_STREQ(empty.get(), "");
  EXPECT_EQ(text_memory_live_bytes() - base, 3 + 1) << "the empty result is a one-byte block";

  Owned one(join_texts({nullptr}));
  ASSERT_NE(one.get(), nullptr);
}

TEST(JoinTexts, ManyPartsBeyondTheLengthTable) {
  Owned joined(join_texts({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "a", "b", "c", "d", "e", "f", "g",
                           "hh", nullptr, "ii"}));
  EXPECT_STREQ(joined.get(), "0123456789abcdefghhii");
}

TEST(CopyText, CopiesOrGivesAbsent) {
  const int64_t base_texts = text_memory_live_texts();
  const int64_t base_bytes = text_memory_live_bytes();
  EXPECT_EQ(copy_text(nullptr), nullptr);
  EXPECT_EQ(copy_text(""), nullptr);
  EXPECT_EQ(text_memory_live_texts() - base_texts, 0) << "absent results take no memory";
  const char source[] = "a\xD6\xD0 b";
  Owned copy(copy_text(source));
  EXPECT_STREQ(copy.get(), source);
  EXPECT_NE(static_cast<const void*>(copy.get()), static_cast<const void*>(source));
  EXPECT_EQ(text_memory_live_bytes() - base_bytes, 6);
}

struct TruncationCase {
  double x;
  int64_t expected;
};

TEST(ToInt64Truncated, DropsTheFractionInEveryRoundingMode) {
  const TruncationCase cases[] = {
      {2.9, 2},
      {-2.9, -2},
      {2.5, 2},
      {-0.5, 0},
      {0.0, 0},
      {17.0, 17},
      {4294967297.0, 4294967297LL},
      {-9223372036854775808.0, std::numeric_limits<int64_t>::min()},
      {9223372036854774784.0, 9223372036854774784LL},  // largest double below 2^63
      {1e19, std::numeric_limits<int64_t>::min()},
      {-1e19, std::numeric_limits<int64_t>::min()},
      {9223372036854775808.0, std::numeric_limits<int64_t>::min()},
      {std::numeric_limits<double>::infinity(), std::numeric_limits<int64_t>::min()},
      {-std::numeric_limits<double>::infinity(), std::numeric_limits<int64_t>::min()},
      {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<int64_t>::min()},
  };
  const int modes[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
  const int original = std::fegetround();
  for (int mode : modes) {
    ASSERT_EQ(std::fesetround(mode), 0);
    std::fenv_t before;
    std::fegetenv(&before);
    for (const TruncationCase& c : cases) {
      volatile double x = c.x;  // keep the conversion at run time
      EXPECT_EQ(to_int64_truncated(x), c.expected) << "x = " << c.x << ", mode " << mode;
      EXPECT_EQ(std::fegetround(), mode) << "rounding mode unchanged";
    }
    std::fenv_t after;
    std::fegetenv(&after);
    EXPECT_EQ(std::memcmp(&before.__control_word, &after.__control_word, sizeof before.__control_word), 0)
        << "x87 control word unchanged";
    EXPECT_EQ(before.__mxcsr & 0xFFC0u, after.__mxcsr & 0xFFC0u) << "SSE control bits unchanged";
  }
  std::fesetround(original);
}

}  // namespace
