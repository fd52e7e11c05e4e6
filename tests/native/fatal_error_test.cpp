// The end of the program: the exit-routine list, the suspension count, the text of
// the fatal error box and the exit status.
#include <string>

#include <gtest/gtest.h>

#include "app/program_end.h"

namespace {

int g_calls[2];
std::string g_order;
void routine_a() { ++g_calls[0]; g_order += 'a'; }
void routine_b() { ++g_calls[1]; g_order += 'b'; }

TEST(ExitRoutines, RunOnceInRegistrationOrderThenTheListIsEmpty) {
  g_order.clear();
  ASSERT_TRUE(register_exit_routine(routine_b));
  ASSERT_TRUE(register_exit_routine(routine_a));
  ASSERT_TRUE(register_exit_routine(routine_b));  // already there: nothing happens
  EXPECT_EQ(exit_routine_count(), 2u);
  int order_of_resources = 0;
  static int* seen = &order_of_resources;
  ProcessResources resources;
  resources.drop_idle_work = [] { *seen = *seen * 10 + 1; };
  resources.discard_definitions = [] { *seen = *seen * 10 + 2; };
  resources.release_process_items = [] { *seen = *seen * 10 + 3; };
  set_process_resources(resources);
  finish_program();
  EXPECT_EQ(g_order, "ba");
  EXPECT_EQ(exit_routine_count(), 0u);
  EXPECT_EQ(order_of_resources, 123) << "idle work, definitions, then the process items";
  finish_program();  // nothing left to run or release
  EXPECT_EQ(g_order, "ba");
  EXPECT_EQ(order_of_resources, 123);
}

TEST(SuspensionCount, NeverGoesBelowZero) {
  EXPECT_EQ(event_suspension_count(), 0);
  resume_events();
  EXPECT_EQ(event_suspension_count(), 0);
  suspend_events();
  suspend_events();
  EXPECT_EQ(event_suspension_count(), 2);
  resume_events();
  resume_events();
  resume_events();
  EXPECT_EQ(event_suspension_count(), 0);
}

const std::string kHeadline = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!";  // 运行时出错!
const std::string kCode = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";        // 错误代码：
const std::string kMessage = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";     // 错误信息：

struct BoxCase {
  const char* message;
  int32_t code;
  std::string expected;
};

TEST(FatalBoxText, LinesForCodeAndMessage) {
  const BoxCase cases[] = {
      {"X", 0, kHeadline + "\r\n\r\n" + kMessage + "X\r\n"},
      {"X", 5, kHeadline + "\r\n\r\n" + kCode + "5\r\n\r\n" + kMessage + "X\r\n"},
      {"X", -2147483647 - 1, kHeadline + "\r\n\r\n" + kCode + "-2147483648\r\n\r\n" + kMessage + "X\r\n"},
      {"", 0, kHeadline + "\r\n\r\n"},
      {nullptr, 0, kHeadline + "\r\n\r\n"},
      {nullptr, 7, kHeadline + "\r\n\r\n" + kCode + "7\r\n\r\n"},
  };
  for (const BoxCase& c : cases) {
    char out[256];
    size_t length = compose_fatal_text(c.message, c.code, out, sizeof out);
    EXPECT_EQ(std::string(out, length), c.expected) << (c.message ? c.message : "(absent)") << " " << c.code;
  }
}

TEST(FatalBoxText, ALongMessageIsCutNotOverrun) {
  std::string longer(5000, 'm');
  char out[64];
  out[63] = 'z';
  size_t length = compose_fatal_text(longer.c_str(), 0, out, 63);
  EXPECT_EQ(length, 62u);
  EXPECT_EQ(out[62], '\0');
  EXPECT_EQ(out[63], 'z');
}

using FatalErrorDeathTest = ::testing::Test;

TEST_F(FatalErrorDeathTest, EndsWithStatus255WithoutTheExitRoutines) {
  EXPECT_EXIT(
      {
        register_exit_routine([] { fputs("exit routine ran", stderr); });
        ProcessResources resources;
        resources.release_process_items = [] { fputs("[released]", stderr); };
        set_process_resources(resources);
        report_fatal_error("boom", 0);
      },
      ::testing::ExitedWithCode(255),
      "^" + kHeadline + "\r\n\r\n" + kMessage + "boom\r\n\\[released\\]$");
}

TEST_F(FatalErrorDeathTest, SuspendsEventsForGood) {
  EXPECT_EXIT(
      {
        ProcessResources resources;
        resources.release_process_items = [] { fprintf(stderr, "count=%d", event_suspension_count()); };
        set_process_resources(resources);
        report_fatal_error(nullptr, 0);
      },
      ::testing::ExitedWithCode(255), "count=1$");
}

}  // namespace
