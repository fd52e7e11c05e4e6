// The combo box: a Windows "COMBOBOX" control with its items, item height,
// selection and edit-field text, and its own colours.
#include "convert/text_memory.h"
#include "ui/control_styles.h"
#include "ui/control_win.h"

namespace {

uint32_t item_value(ByteRun values, uint32_t index) {
  const uint8_t* p = values.data + 4 * index;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

LiveControl* create(const CreateParams& params) {
  ComboBoxProps props;
  if (decode_combo_box_props(params.properties, props) != PropsStatus::ok) return nullptr;
  LiveControl* control = new_live_control(Kind::ComboBox, params);
  if (control == nullptr) return nullptr;
  control->combo_box = props;
  control->brush = CreateSolidBrush(resolve_stored_colour(props.background_colour));
  control->hwnd = create_control_window("COMBOBOX", props.text, combo_box_style(props, params.style_bits), params,
                                        combo_box_height(props, params.height));
  if (control->hwnd == nullptr) {
    free_live_control(control);
    return nullptr;
  }
  apply_control_font(control, props.font);
  const LRESULT item_height = SendMessageA(control->hwnd, CB_GETITEMHEIGHT, 0, 0);
  SendMessageA(control->hwnd, CB_SETITEMHEIGHT, 0,
               static_cast<WORD>(static_cast<uint32_t>(item_height) + props.extra_item_height));
  SendMessageA(control->hwnd, CB_LIMITTEXT, props.max_length, 0);

  const uint32_t value_count = props.item_values.size / 4;
  TextListCursor cursor = begin_text_list(props.items);
  std::string_view item;
  uint32_t added = 0;
  while (next_text(cursor, item)) {
    char* copy = zero_ended_copy(item);
    const LRESULT at = SendMessageA(control->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy));
    release_text(copy);
    if (at >= 0 && added < value_count) {
      SendMessageA(control->hwnd, CB_SETITEMDATA, static_cast<WPARAM>(at), item_value(props.item_values, added));
    }
    ++added;
  }
  const int32_t selection = combo_box_selection(
      props.current_selection, static_cast<uint32_t>(SendMessageA(control->hwnd, CB_GETCOUNT, 0, 0)));
  SendMessageA(control->hwnd, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
  control->combo_box.current_selection = selection;
  // Types with an edit field show the stored text, not the selected item's.
  if (props.type == 0 || props.type == 1) {
    char* text = zero_ended_copy(props.text);
    SetWindowTextA(control->hwnd, text);
    release_text(text);
    SendMessageA(control->hwnd, CB_SETEDITSEL, 0,
                 MAKELPARAM(props.selection_start, props.selection_start + props.selection_length));
  }
  return control;
}

HBRUSH colour(LiveControl* control, HDC dc) {
  SetTextColor(dc, resolve_stored_colour(control->combo_box.text_colour));
  SetBkColor(dc, resolve_stored_colour(control->combo_box.background_colour));
  return control->brush;
}

void command(LiveControl*, unsigned) {}

bool wants_key(const LiveControl*, uint32_t) { return false; }

bool not_default(const LiveControl*) { return false; }

}  // namespace

extern const ControlKindOps kComboBoxKind = {create, free_live_control, command, colour, wants_key, not_default, true};
