// Delivery of events to bound routines: suspension, the shared-events chain,
// entries without routines, and the fatal errors for what does not exist.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/program_end.h"
#include "tests/native/definition_fixture.h"
#include "ui/events.h"
#include "ui/main_window_definition.h"

namespace {

std::vector<std::string> g_calls;
ControlId g_seen_unit = 0;

EventResult record_a(const EventArgument*, uint32_t count) {
  g_calls.push_back("a" + std::to_string(count));
  g_seen_unit = event_source_unit();
  return EventResult{true, 0};
}
EventResult record_b(const EventArgument*, uint32_t) {
  g_calls.push_back("b");
  return EventResult{};
}

RoutineTable recording_routines() {
  static const EventRoutine routines[] = {record_a, record_b};
  return RoutineTable{routines, 2};
}

class RaiseEvent : public ::testing::Test {
 protected:
  void SetUp() override { g_calls.clear(); }
  void TearDown() override {
    discard_program_definitions();
    while (event_suspension_count() > 0) resume_events();
  }
  void read(const std::vector<uint8_t>& bytes) {
    block_ = bytes;
    ASSERT_EQ(read_program_definitions(run_of(block_), recording_routines()), ReadStatus::ok);
  }
  std::vector<uint8_t> block_;
};

std::vector<uint8_t> window_with(std::vector<UnitDesc> units) {
  WindowDesc window{.id = kMainWindowId, .units = units};
  return write_block(window);
}

UnitDesc unit(ControlId id, Kind kind, std::span<const EventEntryDesc> events = {}, ControlId shared = 0) {
  UnitDesc u;
  u.id = id;
  u.kind = kind;
  u.events = events;
  u.shared_events = shared;
  u.props.empty = true;
  return u;
}

const EventEntryDesc kWindowEvents[] = {{0, 0}, {12, 1}, {3, kNoRoutine}};
const EventEntryDesc kButtonEvents[] = {{0, 1}};

TEST_F(RaiseEvent, DeliversToTheBoundRoutineOnly) {
  read(window_with({unit(kMainWindowUnitId, Kind::window, kWindowEvents), unit(kButton1Id, Kind::Button, kButtonEvents)}));
  EventResult result;
  const EventArgument arguments[2];
  EXPECT_TRUE(raise_event(kMainWindowId, 0, 0, arguments, 2, &result)) << "unit 0 when none is given";
  EXPECT_TRUE(result.has_result);
  EXPECT_EQ(g_seen_unit, kMainWindowUnitId) << "the source is remembered while the routine runs";
  EXPECT_EQ(event_source_unit(), 0u) << "and forgotten after";
  EXPECT_TRUE(raise_event(kMainWindowId, kMainWindowUnitId, 12));
  EXPECT_FALSE(raise_event(kMainWindowId, kMainWindowUnitId, 3)) << "an entry without routine";
  EXPECT_FALSE(raise_event(kMainWindowId, kMainWindowUnitId, 4)) << "no entry";
  EXPECT_TRUE(raise_event(kMainWindowId, kButton1Id, 0));
  EXPECT_EQ(g_calls, (std::vector<std::string>{"a2", "b", "b"}));
}

TEST_F(RaiseEvent, NothingWhileSuspended) {
  read(window_with({unit(kMainWindowUnitId, Kind::window, kWindowEvents)}));
  suspend_events();
  EXPECT_FALSE(raise_event(kMainWindowId, 0, 0));
  EXPECT_FALSE(raise_event(0x52019999, 0, 0)) << "not even a fatal error: nothing is looked up";
  resume_events();
  EXPECT_TRUE(raise_event(kMainWindowId, 0, 0));
  EXPECT_EQ(g_calls.size(), 1u);
}

TEST_F(RaiseEvent, SharedEventsFollowUnitsOfTheSameKind) {
  const ControlId kOther = 0x16010020, kThird = 0x16010021, kLoop = 0x16010022;
  read(window_with({unit(kMainWindowUnitId, Kind::window), unit(kButton1Id, Kind::Button, {}, kOther),
                    unit(kOther, Kind::Button, {}, kThird), unit(kThird, Kind::Button, kButtonEvents),
                    unit(kLoop, Kind::Button, kButtonEvents, kLoop), unit(kEditBox1Id, Kind::EditBox, {}, kThird)}));
  EXPECT_TRUE(raise_event(kMainWindowId, kButton1Id, 0)) << "two steps along the chain";
  EXPECT_TRUE(raise_event(kMainWindowId, kLoop, 0)) << "a chain back to itself ends";
  EXPECT_FALSE(raise_event(kMainWindowId, kEditBox1Id, 0)) << "a shared unit of another kind is not followed";
  EXPECT_EQ(g_calls.size(), 2u);
}

using RaiseEventDeathTest = RaiseEvent;

std::string fatal_box(const std::string& message) {
  return "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA" + message + "\r\n$";
}

TEST_F(RaiseEventDeathTest, WhatDoesNotExistEndsTheProgram) {
  read(window_with({unit(kMainWindowUnitId, Kind::window), unit(0x16010030, Kind::Button)}));
  // "未找到引发事件的窗口"
  EXPECT_EXIT(raise_event(0x52010002, 0, 0), ::testing::ExitedWithCode(255),
              fatal_box("\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA"));
  EXPECT_EXIT(raise_event(0, 0, 0), ::testing::ExitedWithCode(255),
              fatal_box("\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA"));
  // "未找到引发事件的窗口组件"
  EXPECT_EXIT(raise_event(kMainWindowId, 0x16010031, 0), ::testing::ExitedWithCode(255),
              fatal_box("\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE"));
}

TEST_F(RaiseEventDeathTest, AUnitOfAKindThatRaisesNoEvents) {
  UnitDesc odd = unit(0x16010030, Kind::Button);
  odd.kind_code_override = 0x00010063;
  read(window_with({unit(kMainWindowUnitId, Kind::window), odd}));
  // "引发事件的窗口组件无效"
  EXPECT_EXIT(raise_event(kMainWindowId, 0x16010030, 0), ::testing::ExitedWithCode(255),
              fatal_box("\xD2\xFD\xB7\xA2\xCA\xC2\xBC\xFE\xB5\xC4\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCE\xDE\xD0\xA7"));
}

}  // namespace
