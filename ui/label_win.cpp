// The label: a window of the program's own class that paints its background and
// its text by the label's properties.
#include "convert/text_memory.h"
#include "ui/control_styles.h"
#include "ui/control_win.h"
#include "ui/picture_win.h"
#include "ui/window_runtime_win.h"

namespace {

constexpr char kLabelClass[] = "WdlLabel";

void fill(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// Nested one-pixel rectangles from the outer edge inward, along the frame colours.
void draw_gradient_frame(HDC dc, RECT rect, const LabelProps& p) {
  for (uint32_t i = 0; i < p.frame_width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
    uint32_t colour = 0;
    gradient_colour(p.frame_colours, i, p.frame_width, colour);
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
    InflateRect(&rect, -1, -1);
  }
}

// Gradient background 1 runs from left to right, any other value from top to bottom.
void draw_gradient_background(HDC dc, const RECT& area, const LabelProps& p) {
  const bool horizontal = p.gradient_background == 1;
  const LONG length = horizontal ? area.right - area.left : area.bottom - area.top;
  for (LONG i = 0; i < length; ++i) {
    uint32_t colour = 0;
    gradient_colour(p.gradient_colours, static_cast<uint32_t>(i), static_cast<uint32_t>(length), colour);
    RECT strip = horizontal ? RECT{area.left + i, area.top, area.left + i + 1, area.bottom}
                            : RECT{area.left, area.top + i, area.right, area.top + i + 1};
    fill(dc, strip, colour);
  }
}

bool gradient_drawable(const uint32_t (&colours)[3]) {
  uint32_t ignored = 0;
  return gradient_colour(colours, 0, 2, ignored);
}

void draw_text_with_effect(HDC dc, const char* text, RECT rect, const LabelProps& p) {
  const UINT format = label_text_format(p);
  auto draw_at = [&](LONG dx, LONG dy, COLORREF colour) {
    RECT r = rect;
    OffsetRect(&r, dx, dy);
    SetTextColor(dc, colour);
    DrawTextA(dc, text, -1, &r, format);
  };
  const COLORREF text_colour = resolve_stored_colour(p.text_colour);
  switch (p.text_effect) {
    case 1:
      draw_at(1, 1, RGB(255, 255, 255));
      draw_at(0, 0, text_colour);
      break;
    case 2:
      draw_at(0, 0, RGB(255, 255, 255));
      draw_at(1, 1, text_colour);
      break;
    case 3:
      draw_at(2, 2, RGB(0, 0, 0));
      draw_at(0, 0, text_colour);
      break;
    default:
      draw_at(0, 0, text_colour);
      break;
  }
}

void paint(HWND hwnd, LiveControl* control) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return;
  if (control == nullptr || IsRectEmpty(&ps.rcPaint)) {
    EndPaint(hwnd, &ps);
    return;
  }
  const LabelProps& p = control->label;
  RECT client;
  GetClientRect(hwnd, &client);
  RECT inside = client;
  if (p.border_style == 6 && p.frame_width > 0 && gradient_drawable(p.frame_colours)) {
    draw_gradient_frame(dc, client, p);
    InflateRect(&inside, -static_cast<int>(p.frame_width), -static_cast<int>(p.frame_width));
  }
  IntersectClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);

  // The picture or gradient, then the background colour wherever neither reached.
  RECT covered{};
  if (control->picture != nullptr && !control->picture_is_icon) {
    covered = draw_picture(dc, static_cast<HBITMAP>(control->picture), inside, p.picture_placement);
  } else if (p.gradient_background != 0 && gradient_drawable(p.gradient_colours)) {
    draw_gradient_background(dc, inside, p);
    covered = inside;
  }
  if (!EqualRect(&covered, &inside)) {
    const int saved = SaveDC(dc);
    if (!IsRectEmpty(&covered)) ExcludeClipRect(dc, covered.left, covered.top, covered.right, covered.bottom);
    fill(dc, inside, resolve_stored_colour(p.background_colour));
    RestoreDC(dc, saved);
  }

  const int length = GetWindowTextLengthA(hwnd);
  if (length > 0) {
    char* text = allocate_text(static_cast<uint32_t>(length) + 1);
    GetWindowTextA(hwnd, text, length + 1);
    text[length] = '\0';
    HGDIOBJ old = SelectObject(dc, control->font);
    SetBkMode(dc, TRANSPARENT);
    draw_text_with_effect(dc, text, inside, p);
    SelectObject(dc, old);
    release_text(text);
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK label_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* control = reinterpret_cast<LiveControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paint(hwnd, control);
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return result;
    }
    case WM_SETFONT:
      if (control != nullptr) control->font = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam) != 0) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return control != nullptr ? reinterpret_cast<LRESULT>(control->font) : 0;
    case WM_NCHITTEST:
      // With drag anywhere, the press goes through to the window, which moves.
      if (window_drags_anywhere(GetAncestor(hwnd, GA_ROOT))) return HTTRANSPARENT;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

bool register_label_class() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = label_procedure;
  wc.hInstance = program_instance();
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kLabelClass;
  registered = RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

LiveControl* create(const CreateParams& params) {
  LabelProps props;
  if (decode_label_props(params.properties, props) != PropsStatus::ok) return nullptr;
  if (!register_label_class()) return nullptr;
  LiveControl* control = new_live_control(Kind::Label, params);
  if (control == nullptr) return nullptr;
  control->label = props;
  control->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Picture picture = load_picture(props.background_picture);
  control->picture = picture.handle;
  control->picture_is_icon = picture.is_icon;
  control->hwnd =
      create_control_window(kLabelClass, props.text, label_style(params.style_bits), params, params.height, control);
  if (control->hwnd == nullptr) {
    free_live_control(control);
    return nullptr;
  }
  apply_control_font(control, props.font);
  apply_border_style(control->hwnd, props.border_style);
  return control;
}

void release(LiveControl* control) {
  if (control->hwnd != nullptr && IsWindow(control->hwnd)) SetWindowLongPtrA(control->hwnd, GWLP_USERDATA, 0);
  free_live_control(control);
}

void command(LiveControl*, unsigned) {}

HBRUSH colour(LiveControl*, HDC) { return nullptr; }

bool wants_key(const LiveControl*, uint32_t) { return false; }

bool not_default(const LiveControl*) { return false; }

}  // namespace

extern const ControlKindOps kLabelKind = {create, release, command, colour, wants_key, not_default, false};
