#include "ui/load_order.h"

int32_t stack_below(std::span<const ControlId> parents, uint32_t index) {
  if (index >= parents.size()) return -1;
  return stack_below(index, [&](uint32_t j) { return std::optional<ControlId>(parents[j]); });
}
