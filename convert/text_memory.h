// The memory of owned texts: one block of exactly length + 1 bytes per text.
#pragma once

#include <cstdint>

#include "convert/text.h"

// A new block of exactly size bytes, contents undefined. When memory runs out
// the program ends through report_fatal_error; this never returns null.
char* allocate_text(uint32_t size);

// Gives an owned text back. Absent texts and texts of the constant text block
// are left alone.
void release_text(Text text);

// The allocator behind the two operations above: the Windows process heap in the
// Windows build, the C heap elsewhere. Returns null when the heap is exhausted.
void* text_heap_allocate(uint32_t size);
void text_heap_release(void* block);
