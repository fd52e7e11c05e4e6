// The push button: a Windows "BUTTON" control whose click, passed back by its
// window, raises event 0, and which raises -7 and -8 as it gains and loses the
// keyboard focus.
#include "convert/text_memory.h"
#include "ui/control_styles.h"
#include "ui/control_win.h"
#include "ui/events.h"
#include "ui/picture_win.h"
#include "ui/win32_values.h"

namespace {

// The button's own focus changes, seen by a procedure put in front of the class's.
LRESULT CALLBACK focus_watcher(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* control = reinterpret_cast<LiveControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (control == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  const WNDPROC base = control->base_proc;
  const ControlId window = control->window_id;
  const ControlId unit = control->unit_id;
  LRESULT result = CallWindowProcA(base, hwnd, message, wparam, lparam);
  // The routine may destroy the window, so nothing of the control is used after it.
  if (message == WM_SETFOCUS) raise_event(window, unit, kEventGotFocus);
  if (message == WM_KILLFOCUS) raise_event(window, unit, kEventLostFocus);
  return result;
}

LiveControl* create(const CreateParams& params) {
  ButtonProps props;
  if (decode_button_props(params.properties, props) != PropsStatus::ok) return nullptr;
  LiveControl* control = new_live_control(Kind::Button, params);
  if (control == nullptr) return nullptr;
  control->button = props;
  // A picture that cannot be loaded is dropped and the caption is shown.
  Picture picture = load_picture(props.picture);
  const uint32_t picture_style = picture.handle == nullptr ? 0 : (picture.is_icon ? w32::kBsIcon : w32::kBsBitmap);
  control->picture = picture.handle;
  control->picture_is_icon = picture.is_icon;
  control->hwnd = create_control_window("BUTTON", props.caption, button_style(props, params.style_bits, picture_style),
                                        params, params.height);
  if (control->hwnd == nullptr) {
    free_live_control(control);
    return nullptr;
  }
  apply_control_font(control, props.font);
  if (picture.handle != nullptr) {
    SendMessageA(control->hwnd, BM_SETIMAGE, picture.is_icon ? IMAGE_ICON : IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(picture.handle));
  }
  SetWindowLongPtrA(control->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
  control->base_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(focus_watcher)));
  return control;
}

void release(LiveControl* control) {
  // Put the class's procedure back before the record goes.
  if (control->hwnd != nullptr && IsWindow(control->hwnd) && control->base_proc != nullptr) {
    SetWindowLongPtrA(control->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->base_proc));
    SetWindowLongPtrA(control->hwnd, GWLP_USERDATA, 0);
  }
  free_live_control(control);
}

void command(LiveControl* control, unsigned code) {
  if (code == BN_CLICKED) raise_event(control->window_id, control->unit_id, kEventClick);
}

HBRUSH colour(LiveControl*, HDC) { return nullptr; }

bool wants_key(const LiveControl*, uint32_t) { return false; }

bool is_default_push_button(const LiveControl* control) {
  return is_default_push_button_style(static_cast<uint32_t>(GetWindowLongPtrA(control->hwnd, GWL_STYLE)));
}

}  // namespace

extern const ControlKindOps kButtonKind = {create, release, command, colour, wants_key, is_default_push_button, true};
