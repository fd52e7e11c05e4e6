// The main window, as the program stores it: its ControlIds, the routine its
// one event entry runs, and the stored definition block.
#pragma once

#include <cstdint>

#include "ui/definition_types.h"
#include "ui/definition_writer.h"

constexpr ControlId kMainWindowId = 0x52010001;
constexpr ControlId kMainWindowUnitId = 0x06010000;
constexpr ControlId kLabel1Id = 0x1601001D;
constexpr ControlId kEditBox2Id = 0x16010010;
constexpr ControlId kComboBox1Id = 0x1601000F;
constexpr ControlId kButton1Id = 0x16010003;
constexpr ControlId kEditBox1Id = 0x16010002;

// Routine references of the stored block: indexes into the program's routine table.
constexpr uint32_t kRoutineGenerateDirectLink = 0;

// The description the stored block is written from.
extern const WindowDesc kMainWindowDesc;

// The stored definition block of the program's windows (the main window).
ByteRun main_window_block();
