#pragma once

// Takes the process's default heap as the heap of all owned texts.
void use_process_heap_for_texts();
// Replaces the heap of owned texts (a HANDLE); returns the previous one. For tests
// that need a heap that runs out.
void* set_text_heap(void* heap);
