#include "ui/picture_win.h"

#include <cstring>

namespace {

uint32_t u32_at(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

// The first image of an icon file: its header, then 16-byte entries giving each
// image's size and offset.
HICON load_icon_file(ByteRun stored) {
  if (stored.size < 6 + 16) return nullptr;
  const uint8_t* entry = stored.data + 6;
  const uint32_t size = u32_at(entry + 8);
  const uint32_t offset = u32_at(entry + 12);
  if (offset > stored.size || size > stored.size - offset || size == 0) return nullptr;
  return CreateIconFromResourceEx(const_cast<PBYTE>(stored.data + offset), size, TRUE, 0x00030000, 0, 0,
                                  LR_DEFAULTCOLOR);
}

// A bitmap file: its file header, then the bitmap's header, colours and bits.
HBITMAP load_bitmap_file(ByteRun stored) {
  if (stored.size < 14 + sizeof(BITMAPINFOHEADER)) return nullptr;
  const uint32_t bits_offset = u32_at(stored.data + 10);
  if (bits_offset > stored.size || bits_offset < 14 + sizeof(BITMAPINFOHEADER)) return nullptr;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(stored.data + 14);
  BITMAPINFOHEADER header;
  std::memcpy(&header, info, sizeof header);
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0) return nullptr;
  const int64_t rows = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
  const int64_t stride = ((static_cast<int64_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
  if (header.biCompression == BI_RGB && stride * rows > static_cast<int64_t>(stored.size - bits_offset)) return nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &header, CBM_INIT, stored.data + bits_offset, info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

Picture load_picture(ByteRun stored) {
  Picture picture;
  if (stored.size >= 4 && stored.data[0] == 0 && stored.data[1] == 0 && stored.data[2] == 1 && stored.data[3] == 0) {
    picture.handle = load_icon_file(stored);
    picture.is_icon = picture.handle != nullptr;
  } else if (stored.size >= 2 && stored.data[0] == 'B' && stored.data[1] == 'M') {
    picture.handle = load_bitmap_file(stored);
  }
  return picture;
}

RECT draw_picture(HDC dc, HBITMAP bitmap, const RECT& area, uint32_t placement) {
  RECT covered{};
  BITMAP info;
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
    return covered;
  }
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  const LONG width = area.right - area.left;
  const LONG height = area.bottom - area.top;
  switch (placement) {
    case 0:
      BitBlt(dc, area.left, area.top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
      covered = RECT{area.left, area.top, area.left + info.bmWidth, area.top + info.bmHeight};
      break;
    case 2: {
      // Scaled down only, never up, keeping the proportions.
      LONG w = info.bmWidth, h = info.bmHeight;
      if (w > width || h > height) {
        if (static_cast<int64_t>(w) * height > static_cast<int64_t>(h) * width) {
          h = static_cast<LONG>(static_cast<int64_t>(h) * width / w);
          w = width;
        } else {
          w = static_cast<LONG>(static_cast<int64_t>(w) * height / h);
          h = height;
        }
      }
      const LONG x = area.left + (width - w) / 2;
      const LONG y = area.top + (height - h) / 2;
      SetStretchBltMode(dc, HALFTONE);
      StretchBlt(dc, x, y, w, h, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
      covered = RECT{x, y, x + w, y + h};
      break;
    }
    case 3:
      SetStretchBltMode(dc, HALFTONE);
      StretchBlt(dc, area.left, area.top, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
      covered = area;
      break;
    default:
      for (LONG y = area.top; y < area.bottom; y += info.bmHeight) {
        for (LONG x = area.left; x < area.right; x += info.bmWidth) {
          BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        }
      }
      covered = area;
      break;
  }
  SelectObject(source, old);
  DeleteDC(source);
  return covered;
}
