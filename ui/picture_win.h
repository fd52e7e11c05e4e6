// Pictures stored in property blocks (a .ico or .bmp file's bytes), and drawing
// one over an area by a placement.
#pragma once

#include <windows.h>

#include "ui/definition_types.h"

struct Picture {
  HGDIOBJ handle = nullptr;  // HICON or HBITMAP; null when there is none or it cannot be read
  bool is_icon = false;
};

// The picture in a byte run; nothing for an empty run or bytes of no known form.
Picture load_picture(ByteRun stored);

// Draws a bitmap into area: 0 at the top-left corner, 1 tiled, 2 centred and
// scaled down to fit with its proportions kept, 3 stretched over the area.
// Returns the part it covered.
RECT draw_picture(HDC dc, HBITMAP bitmap, const RECT& area, uint32_t placement);
