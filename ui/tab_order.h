// The window's own focus order. Tab stops are ordered by ascending tab-order
// value, and among equal values the unit with the higher index comes first.
#pragma once

#include <cstdint>

// One unit as the focus order sees it.
struct TabStop {
  bool candidate = false;  // a live, visible, enabled control that takes the focus and is a tab stop
  int32_t tab_order = 0;
};

// True when a comes before b in the focus order.
constexpr bool tab_before(uint32_t a_index, int32_t a_order, uint32_t b_index, int32_t b_order) {
  return a_order != b_order ? a_order < b_order : a_index > b_index;
}

// The unit that gets the focus when it moves from unit from (forward or
// backward), or -1 when there is no candidate. stop(i) gives the TabStop of unit
// i for i from 1 to unit_count - 1.
template <class StopOf>
int32_t next_tab_stop(uint32_t unit_count, uint32_t from, bool forward, StopOf stop) {
  // The first and last candidates of the whole order.
  int32_t first = -1, last = -1;
  int32_t first_order = 0, last_order = 0;
  for (uint32_t i = 1; i < unit_count; ++i) {
    const TabStop s = stop(i);
    if (!s.candidate) continue;
    if (first < 0 || tab_before(i, s.tab_order, static_cast<uint32_t>(first), first_order)) {
      first = static_cast<int32_t>(i);
      first_order = s.tab_order;
    }
    if (last < 0 || tab_before(static_cast<uint32_t>(last), last_order, i, s.tab_order)) {
      last = static_cast<int32_t>(i);
      last_order = s.tab_order;
    }
  }
  if (first < 0) return -1;

  // The place in the order to move from: unit from itself when it is a
  // candidate, else the first candidate whose index is not greater than its own.
  uint32_t place = from;
  int32_t place_order = 0;
  const TabStop own = from >= 1 && from < unit_count ? stop(from) : TabStop{};
  if (own.candidate) {
    place_order = own.tab_order;
  } else {
    int32_t found = -1;
    int32_t found_order = 0;
    for (uint32_t i = 1; i < unit_count && i <= from; ++i) {
      const TabStop s = stop(i);
      if (s.candidate && (found < 0 || tab_before(i, s.tab_order, static_cast<uint32_t>(found), found_order))) {
        found = static_cast<int32_t>(i);
        found_order = s.tab_order;
      }
    }
    if (found < 0) return forward ? first : last;
    if (forward) return found;
    place = static_cast<uint32_t>(found);
    place_order = found_order;
  }

  // The neighbour of the place: the nearest candidate after it (forward) or
  // before it (backward), wrapping around.
  int32_t best = -1;
  int32_t best_order = 0;
  for (uint32_t i = 1; i < unit_count; ++i) {
    const TabStop s = stop(i);
    if (!s.candidate || i == place) continue;
    const bool beyond = forward ? tab_before(place, place_order, i, s.tab_order)
                                : tab_before(i, s.tab_order, place, place_order);
    if (!beyond) continue;
    const bool nearer = best < 0 || (forward ? tab_before(i, s.tab_order, static_cast<uint32_t>(best), best_order)
                                             : tab_before(static_cast<uint32_t>(best), best_order, i, s.tab_order));
    if (nearer) {
      best = static_cast<int32_t>(i);
      best_order = s.tab_order;
    }
  }
  if (best >= 0) return best;
  return forward ? first : last;
}

// Where the focus goes when the window gets it and no remembered control is
// left: the candidate with the smallest tab-order value, the highest index among
// equal values; -1 when there is none.
template <class StopOf>
int32_t first_focus(uint32_t unit_count, StopOf stop) {
  int32_t choice = -1;
  int32_t choice_order = 0;
  for (uint32_t i = unit_count; i-- > 1;) {
    const TabStop s = stop(i);
    if (s.candidate && (choice < 0 || s.tab_order < choice_order)) {
      choice = static_cast<int32_t>(i);
      choice_order = s.tab_order;
    }
  }
  return choice;
}
