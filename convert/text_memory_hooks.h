// Test-only controls of the text allocator, present in builds made with
// WDL_TEST_HOOKS (the test variants of the program and the test executables),
// never in the shipped program.
#pragma once

#include <cstdint>

// Makes the nth allocation from now on fail (1 = the next one); 0 turns it off.
void text_memory_fail_nth_allocation(uint64_t nth);
// Allocations made so far, failed ones included.
uint64_t text_memory_allocation_count();
// Owned texts allocated and not yet released.
int64_t text_memory_live_texts();
// Bytes of those texts.
int64_t text_memory_live_bytes();

// Called with the size of every allocation from now on (null: none).
void text_memory_observe_allocations(void (*observer)(uint32_t size));
