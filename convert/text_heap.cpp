// The C heap behind owned texts where the Windows heap is not at hand.
#include <cstdlib>

#include "convert/text_memory.h"

void* text_heap_allocate(uint32_t size) { return std::malloc(size == 0 ? 1 : size); }

void text_heap_release(void* block) { std::free(block); }
