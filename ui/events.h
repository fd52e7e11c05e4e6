// Delivery of the events of windows and their units to the routines bound to them.
#pragma once

#include <cstdint>

#include "ui/definitions.h"

// Event numbers of the window kind.
namespace window_event {
constexpr int32_t kLoaded = 0;
constexpr int32_t kMayClose = 1;
constexpr int32_t kBeingDestroyed = 2;
constexpr int32_t kMoved = 3;
constexpr int32_t kResized = 4;
constexpr int32_t kActivated = 5;
constexpr int32_t kDeactivated = 6;
constexpr int32_t kFirstActivation = 8;
constexpr int32_t kShown = 10;
constexpr int32_t kHidden = 11;
constexpr int32_t kCloseRequested = 12;
}  // namespace window_event
constexpr int32_t kEventClick = 0;
constexpr int32_t kEventGotFocus = -7;
constexpr int32_t kEventLostFocus = -8;

// Runs the routine bound to the event of a unit (unit 0 of the window when unit
// is 0) and returns whether one ran; result receives what it gave back. Nothing
// is delivered while the event suspension count is above 0. A window or unit
// that does not exist, or a unit of a kind that cannot raise events, ends the
// program through report_fatal_error.
bool raise_event(ControlId window, ControlId unit, int32_t event, const EventArgument* arguments = nullptr,
                 uint32_t count = 0, EventResult* result = nullptr);

// The source of the event being delivered (0 when none is).
ControlId event_source_window();
ControlId event_source_unit();

// The window definitions the program holds from start-up to shutdown.
Definitions& program_definitions();
ReadStatus read_program_definitions(ByteRun block, const RoutineTable& routines);
void discard_program_definitions();
