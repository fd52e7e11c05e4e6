// Ownership of texts: exact block sizes, releases that must do nothing, and the
// end of the program when memory runs out.
#include <string>

#include <gtest/gtest.h>

#include "convert/constant_texts.h"
#include "convert/text_memory.h"
#include "convert/text_memory_hooks.h"
#include "convert/text_ops.h"

namespace {

TEST(TextMemory, ReleaseLeavesAbsentAndConstantTextsAlone) {
  const int64_t before = text_memory_live_texts();
  release_text(nullptr);
  release_text(kConstantTexts.marker);
  release_text(kConstantTexts.empty);
  release_text(kConstantTexts.success + 3);  // anywhere inside the block
  record_constant_text_block();
  release_text(kConstantTexts.link_prefix);
  EXPECT_EQ(text_memory_live_texts(), before);
}

TEST(TextMemory, EveryResultIsReleasedOnce) {
  const int64_t before = text_memory_live_texts();
  char* a = copy_text("abc");
  char* b = right_part("abc", 2);
  char* c = join_texts({"x", "y"});
  EXPECT_EQ(text_memory_live_texts(), before + 3);
  release_text(a);
  release_text(b);
  release_text(c);
  EXPECT_EQ(text_memory_live_texts(), before);
  EXPECT_EQ(text_memory_live_bytes(), 0);
}

using TextMemoryDeathTest = ::testing::Test;

// "运行时出错!", an empty line, "错误信息：分配 N 字节内存失败!".
std::string allocation_box(const std::string& size) {
  return "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA"
         "\xB7\xD6\xC5\xE4 " +
         size + " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\r\n";
}

std::string quoted(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
    out += c;
  }
  return "^" + out + "$";
}

TEST_F(TextMemoryDeathTest, ExhaustedMemoryEndsTheProgramWithTheRequestedSize) {
  EXPECT_EXIT(
      {
        text_memory_fail_nth_allocation(1);
        (void)join_texts({"abcd", "ef"});
      },
      ::testing::ExitedWithCode(255), quoted(allocation_box("7")));
  EXPECT_EXIT(
      {
        char* first = copy_text("first");
        text_memory_fail_nth_allocation(2);
        char* second = copy_text("0123456789");
        (void)second;
        char* third = right_part("0123456789abcdef", 16);  // the failing one
        (void)first;
        (void)third;
      },
      ::testing::ExitedWithCode(255), quoted(allocation_box("17")));
}

TEST_F(TextMemoryDeathTest, ExhaustedHeapWithoutInjection) {
  // A request the heap cannot meet fails the same way, with its size.
  EXPECT_EXIT((void)allocate_text(0xFFFFFFFFu), ::testing::ExitedWithCode(255), quoted(allocation_box("4294967295")));
}

}  // namespace
