// The edit box: a Windows "EDIT" control with its own colours, limit, selection
// and border, and a stored copy of its text that reading the content refreshes.
#include "ui/edit_box_win.h"

#include "convert/text_memory.h"
#include "ui/control_styles.h"
#include "ui/control_win.h"

namespace {

// "吴", the character by whose height a single-line box is measured.
constexpr char kMeasureCharacter[] = "\xCE\xE2";

int32_t character_height(HWND hwnd, HFONT font) {
  HDC dc = GetDC(hwnd);
  if (dc == nullptr) return 0;
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, kMeasureCharacter, 2, &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return size.cy;
}

// A single-line box with an adjuster gets an up-down control beside it; one that
// cannot be made turns the adjuster off.
void attach_adjuster(LiveControl* control, const CreateParams& params) {
  HMODULE common = LoadLibraryA("comctl32.dll");
  if (common != nullptr) {
    auto init = reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(common, "InitCommonControls")));
    if (init != nullptr) init();
  }
  constexpr DWORD kUpDownStyles = 0x0002 /*UDS_SETBUDDYINT*/ | 0x0004 /*UDS_ALIGNRIGHT*/ | 0x0020 /*UDS_ARROWKEYS*/ |
                                  0x0080 /*UDS_NOTHOUSANDS*/;
  HWND up_down = CreateWindowExA(0, "msctls_updown32", "", WS_CHILD | kUpDownStyles, 0, 0, 0, 0, params.parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.child_id + 4)),
                                 program_instance(), nullptr);
  if (up_down == nullptr) {
    control->edit_box.adjuster = 0;
    return;
  }
  constexpr UINT kSetBuddy = WM_USER + 105;    // UDM_SETBUDDY
  constexpr UINT kSetRange32 = WM_USER + 111;  // UDM_SETRANGE32
  SendMessageA(up_down, kSetBuddy, reinterpret_cast<WPARAM>(control->hwnd), 0);
  SendMessageA(up_down, kSetRange32, static_cast<WPARAM>(control->edit_box.adjuster_min),
               static_cast<LPARAM>(control->edit_box.adjuster_max));
  control->companion = up_down;
}

LiveControl* create(const CreateParams& params) {
  EditBoxProps props;
  if (decode_edit_box_props(params.properties, props) != PropsStatus::ok) return nullptr;
  LiveControl* control = new_live_control(Kind::EditBox, params);
  if (control == nullptr) return nullptr;
  control->edit_box = props;
  control->brush = CreateSolidBrush(resolve_stored_colour(props.background_colour));
  control->hwnd =
      create_control_window("EDIT", props.content, edit_box_style(props, params.style_bits), params, params.height);
  if (control->hwnd == nullptr) {
    free_live_control(control);
    return nullptr;
  }
  control->content = zero_ended_copy(props.content);
  apply_control_font(control, props.font);
  const int32_t height = edit_box_height(props, params.height, character_height(control->hwnd, control->font),
                                         GetSystemMetrics(SM_CYEDGE));
  if (height != params.height) {
    SetWindowPos(control->hwnd, nullptr, 0, 0, params.width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessageA(control->hwnd, EM_LIMITTEXT, props.max_length, 0);
  if (props.input_mode == 2) SendMessageA(control->hwnd, EM_SETPASSWORDCHAR, props.password_char, 0);
  if (props.adjuster != 0 && props.multi_line != 1) attach_adjuster(control, params);
  SendMessageA(control->hwnd, EM_SETSEL, props.selection_start, props.selection_start + props.selection_length);
  SendMessageA(control->hwnd, EM_SCROLLCARET, 0, 0);
  apply_border_style(control->hwnd, props.border_style);
  return control;
}

HBRUSH colour(LiveControl* control, HDC dc) {
  SetTextColor(dc, resolve_stored_colour(control->edit_box.text_colour));
  SetBkColor(dc, resolve_stored_colour(control->edit_box.background_colour));
  return control->brush;
}

void command(LiveControl*, unsigned) {}

bool wants_key(const LiveControl* control, uint32_t key_code) { return edit_box_wants_key(control->edit_box, key_code); }

bool not_default(const LiveControl*) { return false; }

}  // namespace

Text edit_box_fetch_content(LiveControl* control) {
  const int length = GetWindowTextLengthA(control->hwnd);
  const uint32_t size = length > 0 ? static_cast<uint32_t>(length) + 1 : 1;
  char* buffer = allocate_text(size);
  buffer[0] = '\0';
  if (size > 1) GetWindowTextA(control->hwnd, buffer, static_cast<int>(size));
  buffer[size - 1] = '\0';
  release_text(control->content);
  control->content = buffer;
  return control->content;
}

extern const ControlKindOps kEditBoxKind = {create, free_live_control, command, colour, wants_key, not_default, true};
