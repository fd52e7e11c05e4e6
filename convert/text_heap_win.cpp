// The Windows heap behind owned texts: the process's default heap, taken at start-up.
#include <windows.h>

#include "convert/text_heap_win.h"
#include "convert/text_memory.h"

namespace {
HANDLE g_text_heap = nullptr;

HANDLE text_heap() {
  if (g_text_heap == nullptr) g_text_heap = GetProcessHeap();
  return g_text_heap;
}
}  // namespace

void use_process_heap_for_texts() { g_text_heap = GetProcessHeap(); }

void* set_text_heap(void* heap) {
  void* old = text_heap();
  g_text_heap = heap;
  return old;
}

void* text_heap_allocate(uint32_t size) { return HeapAlloc(text_heap(), 0, size); }

void text_heap_release(void* block) { HeapFree(text_heap(), 0, block); }
