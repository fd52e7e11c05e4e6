#include "ui/key_codes.h"

#include "ui/win32_values.h"

namespace {

bool is_ctrl_key(uint32_t vk) { return vk == w32::kVkControl || vk == w32::kVkLControl || vk == w32::kVkRControl; }
bool is_shift_key(uint32_t vk) { return vk == w32::kVkShift || vk == w32::kVkLShift || vk == w32::kVkRShift; }
bool is_alt_key(uint32_t vk) { return vk == w32::kVkMenu || vk == w32::kVkLMenu || vk == w32::kVkRMenu; }

}  // namespace

uint16_t key_code(uint32_t vk, bool ctrl_held, bool shift_held, bool alt_held) {
  uint32_t code = vk & 0xFF;
  if (code >= w32::kVkNumpad0 && code <= w32::kVkNumpad9) code = '0' + (code - w32::kVkNumpad0);
  if (code == w32::kVkSubtract) code = w32::kVkOemMinus;
  if (code == w32::kVkDecimal) code = w32::kVkOemPeriod;
  if (code == w32::kVkDivide) code = w32::kVkOem2;
  if (ctrl_held && !is_ctrl_key(vk)) code |= kKeyCtrl;
  if (shift_held && !is_shift_key(vk)) code |= kKeyShift;
  if (alt_held && !is_alt_key(vk)) code |= kKeyAlt;
  return static_cast<uint16_t>(code);
}
