// What the control kinds share: their live records, fonts, borders and colours.
#include <cstring>
#include <new>

#include "convert/text_memory.h"
#include "ui/control_styles.h"
#include "ui/control_win.h"
#include "ui/window_style.h"

extern const ControlKindOps kEditBoxKind;
extern const ControlKindOps kLabelKind;
extern const ControlKindOps kButtonKind;
extern const ControlKindOps kComboBoxKind;

const ControlKindOps* control_kind(Kind kind) {
  switch (kind) {
    case Kind::EditBox: return &kEditBoxKind;
    case Kind::Label: return &kLabelKind;
    case Kind::Button: return &kButtonKind;
    case Kind::ComboBox: return &kComboBoxKind;
    case Kind::window: return nullptr;
  }
  return nullptr;
}

HINSTANCE program_instance() { return GetModuleHandleA(nullptr); }

LiveControl* new_live_control(Kind kind, const CreateParams& params) {
  void* memory = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(LiveControl));
  if (memory == nullptr) return nullptr;
  LiveControl* control = new (memory) LiveControl{};
  control->kind = kind;
  control->window_id = params.window_id;
  control->unit_id = params.unit_id;
  control->unit_index = params.unit_index;
  return control;
}

void free_live_control(LiveControl* control) {
  if (control == nullptr) return;
  if (control->brush != nullptr) DeleteObject(control->brush);
  if (control->font_owned && control->font != nullptr) DeleteObject(control->font);
  if (control->picture != nullptr) {
    if (control->picture_is_icon) {
      DestroyIcon(static_cast<HICON>(control->picture));
    } else {
      DeleteObject(control->picture);
    }
  }
  release_text(control->content);
  control->~LiveControl();
  HeapFree(GetProcessHeap(), 0, control);
}

void apply_control_font(LiveControl* control, ByteRun stored_font) {
  HFONT font = nullptr;
  if (stored_font.size == sizeof(LOGFONTA)) {
    LOGFONTA description;
    std::memcpy(&description, stored_font.data, sizeof description);
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    description.lfQuality = PROOF_QUALITY;
    description.lfFaceName[LF_FACESIZE - 1] = '\0';
    font = CreateFontIndirectA(&description);
  }
  control->font_owned = font != nullptr;
  control->font = font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(control->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(control->font), FALSE);
}

void apply_border_style(HWND hwnd, uint32_t border_style) {
  const BorderBits bits = border_bits(border_style);
  const LONG_PTR ex = (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(kBorderExMask)) | bits.ex_style;
  const LONG_PTR style = (GetWindowLongPtrA(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(kBorderStyleMask)) | bits.style;
  SetWindowLongPtrA(hwnd, GWL_EXSTYLE, ex);
  SetWindowLongPtrA(hwnd, GWL_STYLE, style);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

COLORREF resolve_stored_colour(uint32_t stored) {
  return static_cast<COLORREF>(resolve_colour(stored, GetSysColor(COLOR_BTNFACE)));
}

char* zero_ended_copy(std::string_view text) {
  char* copy = allocate_text(static_cast<uint32_t>(text.size()) + 1);
  if (!text.empty()) std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

HWND create_control_window(const char* window_class, std::string_view text, uint32_t style,
                           const CreateParams& params, int32_t height, void* create_param) {
  char* caption = zero_ended_copy(text);
  HWND hwnd = CreateWindowExA(0, window_class, caption, style, params.left, params.top, params.width, height,
                              params.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.child_id)),
                              program_instance(), create_param);
  release_text(caption);
  return hwnd;
}
