#include <windows.h>

#include <cstring>

#include "convert/text_ops.h"
#include "desktop/clipboard.h"

bool put_clipboard_text(Text text) {
  bool placed = false;
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const size_t size = static_cast<size_t>(byte_length(text)) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (block != nullptr) {
    if (void* bytes = GlobalLock(block)) {
      std::memcpy(bytes, text != nullptr ? text : "", size);
      GlobalUnlock(block);
      // The block belongs to the clipboard only once it has taken it.
      placed = SetClipboardData(CF_TEXT, block) != nullptr;
    }
    if (!placed) GlobalFree(block);
  }
  CloseClipboard();
  return placed;
}
