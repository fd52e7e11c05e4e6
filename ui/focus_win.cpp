#include "ui/focus_win.h"

#include "ui/events.h"
#include "ui/tab_order.h"
#include "ui/window_runtime_win.h"

namespace {

TabStop stop_of(const LiveWindow& w, uint32_t index) {
  TabStop s;
  LiveControl* control = live_control(*w.definition, index);
  UnitRecord unit;
  if (control == nullptr || !read_unit(*w.definition, index, unit)) return s;
  s.candidate = IsWindowVisible(control->hwnd) && IsWindowEnabled(control->hwnd) &&
                control_kind(control->kind)->takes_focus && (unit.flags & kUnitTabStop) != 0;
  s.tab_order = unit.tab_order;
  return s;
}

}  // namespace

void move_focus(LiveWindow& w, HWND from, bool forward) {
  const int32_t from_unit = unit_of_control(w, from);
  if (from_unit <= 0) return;
  const int32_t to = next_tab_stop(w.definition->unit_count, static_cast<uint32_t>(from_unit), forward,
                                   [&](uint32_t i) { return stop_of(w, i); });
  if (to <= 0) return;
  HWND target = live_control(*w.definition, static_cast<uint32_t>(to))->hwnd;
  if (GetFocus() != target) SetFocus(target);
}

void focus_on_activation(LiveWindow& w) {
  HWND hwnd = w.hwnd;
  raise_event(w.definition->id, unit_id(*w.definition, 0), kEventGotFocus);
  if (!IsWindow(hwnd)) return;
  HWND remembered = w.remembered_focus;
  w.remembered_focus = nullptr;
  if (remembered != nullptr && IsWindow(remembered) && IsChild(hwnd, remembered)) {
    SetFocus(remembered);
    return;
  }
  const int32_t to = first_focus(w.definition->unit_count, [&](uint32_t i) { return stop_of(w, i); });
  if (to > 0) SetFocus(live_control(*w.definition, static_cast<uint32_t>(to))->hwnd);
}

void remember_focus(LiveWindow& w) {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(w.hwnd, focus)) w.remembered_focus = focus;
}
