// Key codes: a 16-bit value formed from a key-down message. The virtual key,
// with the keypad's digits counted as the digits and its minus, point and slash
// as the main keyboard's; plus 0x2000 with Ctrl, 0x4000 with Shift and 0x8000
// with Alt held, each but for that key itself.
#pragma once

#include <cstdint>

constexpr uint16_t kKeyCtrl = 0x2000;
constexpr uint16_t kKeyShift = 0x4000;
constexpr uint16_t kKeyAlt = 0x8000;

constexpr uint16_t kKeyTab = 0x09;
constexpr uint16_t kKeyShiftTab = kKeyShift | kKeyTab;
constexpr uint16_t kKeyEnter = 0x0D;
constexpr uint16_t kKeyEscape = 0x1B;
constexpr uint16_t kKeyF1 = 0x70;

// Whether a message number has a key code (WM_KEYDOWN, WM_SYSKEYDOWN).
constexpr bool has_key_code(uint32_t message) { return message == 0x0100 || message == 0x0104; }

uint16_t key_code(uint32_t virtual_key, bool ctrl_held, bool shift_held, bool alt_held);
