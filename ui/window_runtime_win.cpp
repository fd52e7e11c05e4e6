#include "ui/window_runtime_win.h"

#include <new>

#include "app/program_end.h"
#include "convert/text_memory.h"
#include "ui/control_styles.h"
#include "ui/events.h"
#include "ui/focus_win.h"
#include "ui/load_order.h"
#include "ui/picture_win.h"
#include "ui/window_style.h"

namespace {

HWND g_hidden_owner = nullptr;
void (*g_destroyed_hook)() = nullptr;

// Icons loaded for windows, released at the end of the program.
constexpr int kMaxIcons = 8;
HICON g_icons[kMaxIcons];
int g_icon_count = 0;
HICON g_default_big = nullptr;
HICON g_default_small = nullptr;
bool g_default_icons_loaded = false;

void keep_icon(HICON icon) {
  if (icon == nullptr) return;
  if (g_icon_count < kMaxIcons) {
    g_icons[g_icon_count++] = icon;
  }
}

void load_default_icons() {
  if (g_default_icons_loaded) return;
  g_default_icons_loaded = true;
  // A build without the icon group (some test programs) has no icon, and that is no failure.
  g_default_big = static_cast<HICON>(LoadImageA(program_instance(), "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0));
  g_default_small = static_cast<HICON>(LoadImageA(program_instance(), "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0));
  keep_icon(g_default_big);
  keep_icon(g_default_small);
}

ControlId window_unit_id(const LiveWindow& w) { return unit_id(*w.definition, 0); }

bool raise_window_event(const LiveWindow& w, int32_t event, EventResult* result = nullptr) {
  return raise_event(w.definition->id, window_unit_id(w), event, nullptr, 0, result);
}

// A routine bound to a closing event that gives false keeps the window open.
bool event_refuses(const LiveWindow& w, int32_t event) {
  EventResult result;
  return raise_window_event(w, event, &result) && result.has_result && result.value == 0;
}

void paint_background(LiveWindow& w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w.hwnd, &ps);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(w.hwnd, &client);
  RECT covered{};
  if (w.background != nullptr) covered = draw_picture(dc, w.background, client, w.props.picture_placement);
  const int saved = SaveDC(dc);
  if (!IsRectEmpty(&covered)) ExcludeClipRect(dc, covered.left, covered.top, covered.right, covered.bottom);
  HBRUSH brush = CreateSolidBrush(resolve_stored_colour(w.props.background_colour));
  FillRect(dc, &ps.rcPaint, brush);
  DeleteObject(brush);
  RestoreDC(dc, saved);
  EndPaint(w.hwnd, &ps);
}

void close_window(LiveWindow& w) {
  if (event_refuses(w, window_event::kCloseRequested)) return;
  if (!IsWindow(w.hwnd)) return;
  if (event_refuses(w, window_event::kMayClose)) return;
  if (!IsWindow(w.hwnd)) return;
  // Windows disabled while this one was shown modally would be enabled here;
  // windows are only ever loaded modelessly.
  DestroyWindow(w.hwnd);
}

// Everything of a loaded window goes when its window does: the controls with
// what they made, the window's own state.
void unload(LiveWindow* w) {
  WindowDefinition& definition = *w->definition;
  for (uint32_t i = 1; i < definition.unit_count; ++i) {
    auto* control = static_cast<LiveControl*>(definition.units[i].live_control);
    if (control != nullptr) control_kind(control->kind)->release(control);
    definition.units[i].live_control = nullptr;
    definition.units[i].mouse_pointer = nullptr;
  }
  if (definition.unit_count > 0) definition.units[0].live_control = nullptr;
  definition.loaded_window = nullptr;
  if (w->background != nullptr) DeleteObject(w->background);
  w->~LiveWindow();
  HeapFree(GetProcessHeap(), 0, w);
}

LiveControl* control_of_notification(LiveWindow& w, HWND from) {
  const int32_t index = unit_of_control(w, from);
  return index > 0 ? live_control(*w.definition, static_cast<uint32_t>(index)) : nullptr;
}

// The mouse pointer of the unit under the mouse, when it has one of its own.
bool set_unit_pointer(LiveWindow& w, HWND over) {
  const int32_t index = over == w.hwnd ? 0 : unit_of_control(w, over);
  if (index < 0) return false;
  auto pointer = static_cast<HCURSOR>(w.definition->units[index].mouse_pointer);
  if (pointer == nullptr) return false;
  SetCursor(pointer);
  return true;
}

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* w = static_cast<LiveWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    w->hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
  }
  auto* w = reinterpret_cast<LiveWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (w == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);

  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted with the rest in WM_PAINT
    case WM_PAINT:
      paint_background(*w);
      return 0;
    case WM_COMMAND:
      if (lparam != 0) {
        LiveControl* control = control_of_notification(*w, reinterpret_cast<HWND>(lparam));
        if (control != nullptr) control_kind(control->kind)->command(control, HIWORD(wparam));
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
      LiveControl* control = control_of_notification(*w, reinterpret_cast<HWND>(lparam));
      if (control != nullptr) {
        HBRUSH brush = control_kind(control->kind)->colour(control, reinterpret_cast<HDC>(wparam));
        if (brush != nullptr) return reinterpret_cast<LRESULT>(brush);
      }
      break;
    }
    case WM_MOVE: {
      const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      if (at.x != w->reported_position.x || at.y != w->reported_position.y) {
        w->reported_position = at;
        raise_window_event(*w, window_event::kMoved);
      }
      return 0;
    }
    case WM_SIZE: {
      const SIZE size{LOWORD(lparam), HIWORD(lparam)};
      if (size.cx != w->reported_size.cx || size.cy != w->reported_size.cy) {
        w->reported_size = size;
        raise_window_event(*w, window_event::kResized);
      }
      return 0;
    }
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wparam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(w->font);
    case WM_SHOWWINDOW:
      raise_window_event(*w, wparam ? window_event::kShown : window_event::kHidden);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        remember_focus(*w);
        raise_window_event(*w, window_event::kDeactivated);
      } else {
        raise_window_event(*w, window_event::kActivated);
        if (IsWindow(hwnd) && !w->activated_once) {
          w->activated_once = true;
          raise_window_event(*w, window_event::kFirstActivation);
        }
      }
      if (!IsWindow(hwnd)) return 0;
      break;
    case WM_SETFOCUS:
      focus_on_activation(*w);
      return 0;
    case WM_KILLFOCUS:
      raise_window_event(*w, kEventLostFocus);
      return 0;
    case WM_NCHITTEST: {
      LRESULT hit = DefWindowProcA(hwnd, message, wparam, lparam);
      return (hit == HTCLIENT && w->props.drag_anywhere == 1) ? HTCAPTION : hit;
    }
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && set_unit_pointer(*w, reinterpret_cast<HWND>(wparam))) return TRUE;
      break;
    case WM_CLOSE:
      close_window(*w);
      return 0;
    case WM_QUERYENDSESSION:
      return event_refuses(*w, window_event::kMayClose) ? FALSE : TRUE;
    case WM_DESTROY:
      raise_window_event(*w, window_event::kBeingDestroyed);
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      unload(w);
      LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
      if (g_destroyed_hook != nullptr) g_destroyed_hook();
      return result;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

bool register_window_class(const char* name) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(program_instance(), name, &existing) != 0) return existing.lpfnWndProc == window_procedure;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = window_procedure;
  wc.hInstance = program_instance();
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = nullptr;
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) != 0;
}

void apply_shape(HWND hwnd, uint32_t shape, int32_t width, int32_t height) {
  if (shape == 0) return;
  HRGN region = shape == 1 ? CreateEllipticRgn(0, 0, width + 1, height + 1)
                           : CreateRoundRectRgn(0, 0, width + 1, height + 1, width / 4, height / 4);
  // The window owns the region from here on.
  if (region != nullptr && SetWindowRgn(hwnd, region, FALSE) == 0) DeleteObject(region);
}

// Step 5 of loading: the window itself, not yet visible.
HWND create_window(LiveWindow& w, const UnitRecord& unit) {
  const WindowProps& p = w.props;
  const bool hidden_owner = owned_by_hidden_owner(p, false, false);
  HWND owner = hidden_owner ? g_hidden_owner : nullptr;
  const WindowStyle style = window_style(p, unit.flags, true, false);
  const Point at = window_position(p, unit.left, unit.top, unit.width, unit.height, GetSystemMetrics(SM_CXSCREEN),
                                   GetSystemMetrics(SM_CYSCREEN));
  char* class_name = p.class_name.empty() ? nullptr : zero_ended_copy(p.class_name);
  const char* window_class = class_name != nullptr ? class_name : kWindowClass;
  HWND hwnd = nullptr;
  if (register_window_class(window_class)) {
    char* caption = zero_ended_copy(p.caption);
    hwnd = CreateWindowExA(style.ex_style, window_class, caption, style.style, at.x, at.y, unit.width, unit.height,
                           owner, nullptr, program_instance(), &w);
    release_text(caption);
  }
  release_text(class_name);
  if (hwnd == nullptr) return nullptr;

  // Windows may add or drop caption bits on creation; the definition's stand.
  const LONG_PTR now = GetWindowLongPtrA(hwnd, GWL_STYLE);
  const LONG_PTR wanted = (now & ~static_cast<LONG_PTR>(kReappliedWindowStyles)) | (style.style & kReappliedWindowStyles);
  if (wanted != now) SetWindowLongPtrA(hwnd, GWL_STYLE, wanted);
  RECT outer;
  GetWindowRect(hwnd, &outer);
  if (outer.right - outer.left != unit.width || outer.bottom - outer.top != unit.height || wanted != now) {
    SetWindowPos(hwnd, nullptr, at.x, at.y, unit.width, unit.height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }

  HICON big = nullptr, small = nullptr;
  Picture own = load_picture(p.icon);
  if (own.handle != nullptr && own.is_icon) {
    big = small = static_cast<HICON>(own.handle);
    keep_icon(big);
  } else {
    if (own.handle != nullptr) DeleteObject(own.handle);
    load_default_icons();
    big = g_default_big;
    small = g_default_small;
  }
  if (big != nullptr) SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (small != nullptr) SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));

  apply_shape(hwnd, p.shape, unit.width, unit.height);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (p.always_on_top == 1) SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (p.movable == 0) DeleteMenu(GetSystemMenu(hwnd, FALSE), SC_MOVE, MF_BYCOMMAND);
  Picture background = load_picture(p.background_picture);
  if (background.handle != nullptr && !background.is_icon) {
    w.background = static_cast<HBITMAP>(background.handle);
  } else if (background.handle != nullptr) {
    DestroyIcon(static_cast<HICON>(background.handle));
  }
  return hwnd;
}

// Steps 6 to 9 of loading. False when a control cannot be created.
bool create_controls(LiveWindow& w) {
  WindowDefinition& d = *w.definition;
  uint32_t created = 0;
  for (uint32_t k = 0; k + 1 < d.unit_count; ++k) {
    const uint32_t i = created_unit(d.unit_count, k);
    UnitRecord unit;
    Kind kind;
    if (is_menu_item_id(unit_id(d, i))) continue;  // menus are built from these, not controls
    if (!read_unit(d, i, unit) || !kind_from_code(unit.kind_code, kind)) return false;
    const ControlKindOps* ops = control_kind(kind);
    if (ops == nullptr) return false;
    CreateParams params;
    params.properties = unit.properties;
    params.left = unit.left;
    params.top = unit.top;
    params.width = unit.width;
    params.height = unit.height;
    params.style_bits = unit_style_bits(unit.flags);
    params.parent = w.hwnd;
    params.child_id = child_identifier(created);
    params.window_id = d.id;
    params.unit_id = unit_id(d, i);
    params.unit_index = i;
    LiveControl* control = ops->create(params);
    if (control == nullptr) return false;
    d.units[i].live_control = control;
    ++created;
  }

  // Into the window of the parent unit, then stacked in definition order.
  for (uint32_t i = 1; i < d.unit_count; ++i) {
    LiveControl* control = live_control(d, i);
    UnitRecord unit;
    if (control == nullptr || !read_unit(d, i, unit) || unit.parent == 0) continue;
    const int32_t parent = find_unit(d, unit.parent);
    LiveControl* container = parent > 0 ? live_control(d, static_cast<uint32_t>(parent)) : nullptr;
    if (container != nullptr) SetParent(control->hwnd, container->hwnd);
  }
  auto parent_of = [&](uint32_t j) -> std::optional<ControlId> {
    UnitRecord unit;
    if (live_control(d, j) == nullptr || !read_unit(d, j, unit)) return std::nullopt;
    return unit.parent;
  };
  for (uint32_t i = 1; i < d.unit_count; ++i) {
    LiveControl* control = live_control(d, i);
    if (control == nullptr) continue;
    const int32_t below = stack_below(i, parent_of);
    HWND after = below > 0 ? live_control(d, static_cast<uint32_t>(below))->hwnd : HWND_TOP;
    SetWindowPos(control->hwnd, after, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  }

  // Mouse pointers: a stored value names one of the system's pointers.
  for (uint32_t i = 0; i < d.unit_count; ++i) {
    UnitRecord unit;
    if (!read_unit(d, i, unit) || unit.mouse_pointer.size != 4) continue;
    const uint32_t id = unit.mouse_pointer.data[0] | (unit.mouse_pointer.data[1] << 8);
    if (id != 0) d.units[i].mouse_pointer = LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
  }

  for (uint32_t i = d.unit_count; i-- > 1;) {
    LiveControl* control = live_control(d, i);
    UnitRecord unit;
    if (control == nullptr || !read_unit(d, i, unit)) continue;
    ShowWindow(control->hwnd, (unit.flags & kUnitVisible) != 0 ? SW_SHOWNA : SW_HIDE);
  }
  return true;
}

}  // namespace

void set_hidden_owner_window(HWND owner) { g_hidden_owner = owner; }
HWND hidden_owner_window() { return g_hidden_owner; }
void set_window_destroyed_hook(void (*hook)()) { g_destroyed_hook = hook; }

bool any_window_loaded() {
  const Definitions& all = program_definitions();
  for (uint32_t i = 0; i < all.count; ++i) {
    auto* w = static_cast<LiveWindow*>(all.windows[i].loaded_window);
    if (w != nullptr && IsWindow(w->hwnd)) return true;
  }
  return false;
}

void release_window_icons() {
  for (int i = 0; i < g_icon_count; ++i) DestroyIcon(g_icons[i]);
  g_icon_count = 0;
  g_default_big = g_default_small = nullptr;
  g_default_icons_loaded = false;
}

LiveWindow* live_window(const WindowDefinition& definition) {
  return static_cast<LiveWindow*>(definition.loaded_window);
}

LiveControl* live_control(const WindowDefinition& definition, uint32_t index) {
  if (index == 0 || index >= definition.unit_count || definition.units == nullptr) return nullptr;
  return static_cast<LiveControl*>(definition.units[index].live_control);
}

LiveWindow* live_window_of(HWND hwnd) {
  if (hwnd == nullptr || GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(window_procedure)) {
    return nullptr;
  }
  return reinterpret_cast<LiveWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

int32_t unit_of_control(const LiveWindow& window, HWND hwnd) {
  const WindowDefinition& d = *window.definition;
  auto unit_with_window = [&](HWND h) {
    for (uint32_t i = 1; i < d.unit_count; ++i) {
      LiveControl* control = live_control(d, i);
      if (control != nullptr && control->hwnd == h) return static_cast<int32_t>(i);
    }
    return -1;
  };
  if (hwnd == nullptr || hwnd == window.hwnd) return -1;
  // The control itself, or the control whose child it is (a combo box's edit field).
  const int32_t own = unit_with_window(hwnd);
  if (own >= 0) return own;
  HWND parent = GetParent(hwnd);
  return parent != nullptr && parent != window.hwnd ? unit_with_window(parent) : -1;
}

bool window_drags_anywhere(HWND window) {
  LiveWindow* w = live_window_of(window);
  return w != nullptr && w->props.drag_anywhere == 1;
}

bool load_window(ControlId id) {
  WindowDefinition* d = find_window(program_definitions(), id);
  if (d == nullptr) return false;
  if (LiveWindow* loaded = live_window(*d); loaded != nullptr && IsWindow(loaded->hwnd)) {
    if (IsIconic(loaded->hwnd)) {
      ShowWindow(loaded->hwnd, SW_RESTORE);
    } else {
      SetActiveWindow(loaded->hwnd);
    }
    return true;
  }

  suspend_events();
  UnitRecord unit;
  Kind kind;
  WindowProps props;
  if (!read_unit(*d, 0, unit) || !kind_from_code(unit.kind_code, kind) || kind != Kind::window ||
      decode_window_props(unit.properties, props) != PropsStatus::ok) {
    resume_events();
    return false;
  }
  void* memory = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(LiveWindow));
  if (memory == nullptr) {
    resume_events();
    return false;
  }
  LiveWindow* w = new (memory) LiveWindow{};
  w->definition = d;
  w->props = props;
  d->loaded_window = w;
  d->units[0].live_control = w;
  // No menu units: no menu and no accelerators to build.
  HWND hwnd = create_window(*w, unit);
  if (hwnd == nullptr) {
    // Creation can fail before the window procedure ever saw the window.
    if (d->loaded_window == w) unload(w);
    resume_events();
    return false;
  }
  if (!create_controls(*w)) {
    DestroyWindow(hwnd);  // takes the controls made so far with it
    resume_events();
    return false;
  }
  resume_events();

  // What moved and resized report from here on is a change from this place and size.
  RECT client;
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  if (HWND parent = GetParent(hwnd)) ScreenToClient(parent, &origin);
  w->reported_position = origin;
  w->reported_size = SIZE{client.right, client.bottom};
  const int32_t creation_events[] = {window_event::kLoaded, window_event::kMoved, window_event::kResized};
  for (int32_t event : creation_events) {
    if (!IsWindow(hwnd)) return true;
    raise_window_event(*w, event);
  }
  if (!IsWindow(hwnd)) return true;
  if ((unit.flags & kUnitVisible) != 0) {
    const int show = props.start_position == 2 ? SW_SHOWMINIMIZED : props.start_position == 3 ? SW_SHOWMAXIMIZED : SW_SHOW;
    ShowWindow(hwnd, show);
    if (!IsWindow(hwnd)) return true;
    const int32_t focused = unit_of_control(*w, GetFocus());
    raise_event(d->id, unit_id(*d, focused > 0 ? static_cast<uint32_t>(focused) : 0), kEventGotFocus);
  }
  return true;
}
