#include "ui/window_style.h"

#include "ui/win32_values.h"

WindowStyle window_style(const WindowProps& props, uint32_t unit_flags, bool top_level, bool popup) {
  WindowStyle s;
  s.style = w32::kWsClipChildren;
  const uint32_t border = props.border_style;
  if (border != 0) {
    if (!props.caption.empty() || props.control_box == 1) {
      s.style |= w32::kWsCaption;
      if (props.control_box == 1) s.style |= w32::kWsSysMenu;
    }
    if (top_level) s.style |= w32::kWsDlgFrame;
    if (border == 1 || border == 3 || border == 5) s.style |= w32::kWsThickFrame;
    if (border == 3 || border == 4) s.ex_style |= w32::kWsExToolWindow;
    if (border == 5 || border == 6) s.ex_style |= w32::kWsExClientEdge;
  }
  if (props.maximise_box == 1) s.style |= w32::kWsMaximizeBox;
  if (props.minimise_box == 1) s.style |= w32::kWsMinimizeBox;
  if (props.start_position == 2) s.style |= w32::kWsMinimize;
  if (props.start_position == 3 && (s.style & w32::kWsThickFrame) != 0) s.style |= w32::kWsMaximize;
  if ((unit_flags & kUnitDisabled) != 0) s.style |= w32::kWsDisabled;
  if (popup) s.style |= w32::kWsPopup;
  return s;
}

Point window_position(const WindowProps& props, int32_t stored_left, int32_t stored_top, int32_t width, int32_t height,
                      int32_t screen_width, int32_t screen_height) {
  if (props.start_position == 1) return centred_position(screen_width, screen_height, width, height);
  return Point{stored_left, stored_top};
}
