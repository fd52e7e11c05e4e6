// The order in which loading builds and stacks a window's controls.
#pragma once

#include <cstdint>
#include <span>

#include "ui/definition_types.h"

// Controls are created from the last unit back to unit 1; this gives the unit
// index of the creation_index-th control created.
constexpr uint32_t created_unit(uint32_t unit_count, uint32_t creation_index) {
  return unit_count - 1 - creation_index;
}

// Stacking in definition order: unit index goes directly below the nearest
// earlier unit (from 1 on) with the same parent; -1 means at the top.
int32_t stack_below(std::span<const ControlId> parents, uint32_t index);
