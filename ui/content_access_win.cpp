#include "app/program_end.h"
#include "convert/text_ops.h"
#include "generated/ui_texts.h"
#include "ui/content_access.h"
#include "ui/edit_box_win.h"
#include "ui/events.h"
#include "ui/window_runtime_win.h"

OwnedText read_content(ControlId window, ControlId control) {
  WindowDefinition* w = find_window(program_definitions(), window);
  if (w == nullptr) report_fatal_error(WDL_TXT_CONTENT_WINDOW_MISSING, 0);
  const int32_t index = find_unit(*w, control);
  if (index < 0) report_fatal_error(WDL_TXT_CONTENT_UNIT_MISSING, 0);
  UnitRecord unit;
  Kind kind;
  const bool edit_box = read_unit(*w, static_cast<uint32_t>(index), unit) && kind_from_code(unit.kind_code, kind) &&
                        kind == Kind::EditBox;
  LiveControl* live = index > 0 ? live_control(*w, static_cast<uint32_t>(index)) : nullptr;
  if (live == nullptr || !IsWindow(live->hwnd)) report_fatal_error(WDL_TXT_CONTENT_NOT_LOADED, 0);
  // Property 8 is the kind's first own property: an edit box's content. The
  // other kinds have no text there to give.
  if (!edit_box) return nullptr;
  return copy_text(edit_box_fetch_content(live));
}
