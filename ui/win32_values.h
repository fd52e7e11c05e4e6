// The Windows style bits and flags that the portable decisions produce, with
// their Windows values, so that those decisions need no windows.h. The Windows
// build checks every value against the SDK (win32_values_check_win.cpp).
#pragma once

#include <cstdint>

namespace w32 {
// Window styles.
constexpr uint32_t kWsPopup = 0x80000000u;
constexpr uint32_t kWsChild = 0x40000000u;
constexpr uint32_t kWsMinimize = 0x20000000u;
constexpr uint32_t kWsVisible = 0x10000000u;
constexpr uint32_t kWsDisabled = 0x08000000u;
constexpr uint32_t kWsClipSiblings = 0x04000000u;
constexpr uint32_t kWsClipChildren = 0x02000000u;
constexpr uint32_t kWsMaximize = 0x01000000u;
constexpr uint32_t kWsCaption = 0x00C00000u;
constexpr uint32_t kWsBorder = 0x00800000u;
constexpr uint32_t kWsDlgFrame = 0x00400000u;
constexpr uint32_t kWsVScroll = 0x00200000u;
constexpr uint32_t kWsHScroll = 0x00100000u;
constexpr uint32_t kWsSysMenu = 0x00080000u;
constexpr uint32_t kWsThickFrame = 0x00040000u;
constexpr uint32_t kWsMinimizeBox = 0x00020000u;
constexpr uint32_t kWsMaximizeBox = 0x00010000u;
constexpr uint32_t kWsTabStop = 0x00010000u;
// Extended styles.
constexpr uint32_t kWsExDlgModalFrame = 0x00000001u;
constexpr uint32_t kWsExTopmost = 0x00000008u;
constexpr uint32_t kWsExToolWindow = 0x00000080u;
constexpr uint32_t kWsExClientEdge = 0x00000200u;
constexpr uint32_t kWsExStaticEdge = 0x00020000u;
// Edit styles.
constexpr uint32_t kEsCenter = 0x0001u;
constexpr uint32_t kEsRight = 0x0002u;
constexpr uint32_t kEsMultiline = 0x0004u;
constexpr uint32_t kEsUppercase = 0x0008u;
constexpr uint32_t kEsLowercase = 0x0010u;
constexpr uint32_t kEsPassword = 0x0020u;
constexpr uint32_t kEsAutoVScroll = 0x0040u;
constexpr uint32_t kEsAutoHScroll = 0x0080u;
constexpr uint32_t kEsNoHideSel = 0x0100u;
constexpr uint32_t kEsReadOnly = 0x0800u;
constexpr uint32_t kEsWantReturn = 0x1000u;
// Button styles.
constexpr uint32_t kBsPushButton = 0x0000u;
constexpr uint32_t kBsDefPushButton = 0x0001u;
constexpr uint32_t kBsIcon = 0x0040u;
constexpr uint32_t kBsBitmap = 0x0080u;
constexpr uint32_t kBsLeft = 0x0100u;
constexpr uint32_t kBsRight = 0x0200u;
constexpr uint32_t kBsCenter = 0x0300u;
constexpr uint32_t kBsTop = 0x0400u;
constexpr uint32_t kBsBottom = 0x0800u;
constexpr uint32_t kBsVCenter = 0x0C00u;
constexpr uint32_t kBsMultiline = 0x2000u;
// Combo box styles.
constexpr uint32_t kCbsSimple = 0x0001u;
constexpr uint32_t kCbsDropDown = 0x0002u;
constexpr uint32_t kCbsDropDownList = 0x0003u;
constexpr uint32_t kCbsAutoHScroll = 0x0040u;
constexpr uint32_t kCbsSort = 0x0100u;
// DrawText formats.
constexpr uint32_t kDtTop = 0x0000u;
constexpr uint32_t kDtLeft = 0x0000u;
constexpr uint32_t kDtCenter = 0x0001u;
constexpr uint32_t kDtRight = 0x0002u;
constexpr uint32_t kDtVCenter = 0x0004u;
constexpr uint32_t kDtBottom = 0x0008u;
constexpr uint32_t kDtWordBreak = 0x0010u;
constexpr uint32_t kDtSingleLine = 0x0020u;
constexpr uint32_t kDtNoPrefix = 0x0800u;
// Virtual keys.
constexpr uint32_t kVkTab = 0x09;
constexpr uint32_t kVkReturn = 0x0D;
constexpr uint32_t kVkShift = 0x10;
constexpr uint32_t kVkControl = 0x11;
constexpr uint32_t kVkMenu = 0x12;
constexpr uint32_t kVkEscape = 0x1B;
constexpr uint32_t kVkNumpad0 = 0x60;
constexpr uint32_t kVkNumpad9 = 0x69;
constexpr uint32_t kVkSubtract = 0x6D;
constexpr uint32_t kVkDecimal = 0x6E;
constexpr uint32_t kVkDivide = 0x6F;
constexpr uint32_t kVkF1 = 0x70;
constexpr uint32_t kVkLShift = 0xA0;
constexpr uint32_t kVkRShift = 0xA1;
constexpr uint32_t kVkLControl = 0xA2;
constexpr uint32_t kVkRControl = 0xA3;
constexpr uint32_t kVkLMenu = 0xA4;
constexpr uint32_t kVkRMenu = 0xA5;
constexpr uint32_t kVkOemMinus = 0xBD;
constexpr uint32_t kVkOemPeriod = 0xBE;
constexpr uint32_t kVkOem2 = 0xBF;
// Message boxes.
constexpr uint32_t kMbSystemModal = 0x1000u;
constexpr uint32_t kMbTaskModal = 0x2000u;
}  // namespace w32
