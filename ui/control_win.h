// The live controls of a loaded window and what each control kind provides.
#pragma once

#include <windows.h>

#include <cstdint>

#include "convert/text.h"
#include "ui/definitions.h"
#include "ui/property_blocks.h"

// What loading gives a kind's create operation.
struct CreateParams {
  ByteRun properties;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t style_bits = 0;  // WS_DISABLED, WS_TABSTOP from the unit flags
  HWND parent = nullptr;
  int32_t child_id = 0;
  ControlId window_id = 0;
  ControlId unit_id = 0;
  uint32_t unit_index = 0;
};

struct LiveControl {
  HWND hwnd = nullptr;
  Kind kind = Kind::EditBox;
  ControlId window_id = 0;
  ControlId unit_id = 0;
  uint32_t unit_index = 0;
  // GDI objects the control made, released with it.
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  bool font_owned = false;
  HGDIOBJ picture = nullptr;
  bool picture_is_icon = false;
  WNDPROC base_proc = nullptr;  // the class's procedure of a subclassed control
  HWND companion = nullptr;     // an edit box's up-down control
  char* content = nullptr;      // an edit box's stored copy of its text (owned)
  EditBoxProps edit_box;
  LabelProps label;
  ButtonProps button;
  ComboBoxProps combo_box;
};

struct ControlKindOps {
  // The live control, not yet visible, or null when the property block cannot be
  // read or the window cannot be created (nothing is left behind then).
  LiveControl* (*create)(const CreateParams& params);
  // Releases what the control made; its window is gone or going.
  void (*release)(LiveControl* control);
  // A notification (WM_COMMAND code) the parent passes back to the control.
  void (*command)(LiveControl* control, unsigned code);
  // The control-colour notification: sets the colours, gives the brush (null: default).
  HBRUSH (*colour)(LiveControl* control, HDC dc);
  bool (*wants_key)(const LiveControl* control, uint32_t key_code);
  bool (*is_default_push_button)(const LiveControl* control);
  bool takes_focus;
};

const ControlKindOps* control_kind(Kind kind);

// A new live control of a kind for the params, from the heap; null when memory is short.
LiveControl* new_live_control(Kind kind, const CreateParams& params);
// Releases the control's common resources and the control itself.
void free_live_control(LiveControl* control);

// The font of the common rule: one made from a complete stored LOGFONTA, else the
// stock DEFAULT_GUI_FONT. Sets control->font and font_owned and sends WM_SETFONT.
void apply_control_font(LiveControl* control, ByteRun stored_font);

// The border rule of edit boxes and labels, applied after creation.
void apply_border_style(HWND hwnd, uint32_t border_style);

// A colour as stored, resolved (0xFF000000: the current 3D face colour).
COLORREF resolve_stored_colour(uint32_t stored);

// A stored text as a new zero-ended owned text ("" when empty; release_text it).
char* zero_ended_copy(std::string_view text);

// Creates the control's window of a Windows class at the params' place, with
// the given height, text and style, as a child with the params' identifier.
HWND create_control_window(const char* window_class, std::string_view text, uint32_t style,
                           const CreateParams& params, int32_t height, void* create_param = nullptr);

// The module all windows belong to.
HINSTANCE program_instance();
