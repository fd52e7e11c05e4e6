#include "ui/load_order.h"

int32_t stack_below(std::span<const ControlId> parents, uint32_t index) {
  if (index >= parents.size()) return -1;
  for (uint32_t j = index; j-- > 1;) {
    if (parents[j] == parents[index]) return static_cast<int32_t>(j);
  }
  return -1;
}
