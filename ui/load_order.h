// The order in which loading builds and stacks a window's controls.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "ui/definition_types.h"

// Controls are created from the last unit back to unit 1; this gives the unit
// index of the creation_index-th control created.
constexpr uint32_t created_unit(uint32_t unit_count, uint32_t creation_index) {
  return unit_count - 1 - creation_index;
}

// Stacking in definition order: unit index goes directly below the nearest
// earlier unit (from 1 on) with the same parent; -1 means at the top.
// parent_of(j) gives unit j's parent, or nothing for a unit without a control.
template <class ParentOf>
int32_t stack_below(uint32_t index, ParentOf parent_of) {
  const std::optional<ControlId> own = parent_of(index);
  if (!own.has_value()) return -1;
  for (uint32_t j = index; j-- > 1;) {
    if (parent_of(j) == own) return static_cast<int32_t>(j);
  }
  return -1;
}

// The same over a table of every unit's parent.
int32_t stack_below(std::span<const ControlId> parents, uint32_t index);
