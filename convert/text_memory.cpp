#include "convert/text_memory.h"

#include "app/program_end.h"
#include "convert/constant_texts.h"
#include "convert/text_format.h"
#include "generated/app_texts.h"

#ifdef WDL_TEST_HOOKS
#include "convert/text_memory_hooks.h"

namespace {
uint64_t g_allocations = 0;
uint64_t g_fail_at = 0;  // allocation number that fails; 0 = none
int64_t g_live_texts = 0;
int64_t g_live_bytes = 0;
void (*g_observer)(uint32_t) = nullptr;

// Each block carries its size in front of it, so that releases can be counted in bytes.
constexpr uint32_t kHeader = 16;
}  // namespace

void text_memory_fail_nth_allocation(uint64_t nth) { g_fail_at = nth == 0 ? 0 : g_allocations + nth; }
uint64_t text_memory_allocation_count() { return g_allocations; }
int64_t text_memory_live_texts() { return g_live_texts; }
int64_t text_memory_live_bytes() { return g_live_bytes; }
void text_memory_observe_allocations(void (*observer)(uint32_t)) { g_observer = observer; }
#endif

namespace {

[[noreturn]] void report_allocation_failure(uint32_t size) {
  char message[96];
  char number[16];
  format_unsigned(size, number);
  substitute_number(WDL_TXT_ALLOCATION_FAILED, number, message, sizeof message);
  report_fatal_error(message, 0);
}

}  // namespace

char* allocate_text(uint32_t size) {
#ifdef WDL_TEST_HOOKS
  ++g_allocations;
  if (g_observer != nullptr) g_observer(size);
  void* block = nullptr;
  if (g_allocations != g_fail_at && size <= UINT32_MAX - kHeader) {
    block = text_heap_allocate(size + kHeader);
  }
  if (block == nullptr) report_allocation_failure(size);
  *static_cast<uint32_t*>(block) = size;
  ++g_live_texts;
  g_live_bytes += size;
  return static_cast<char*>(block) + kHeader;
#else
  void* block = text_heap_allocate(size);
  if (block == nullptr) report_allocation_failure(size);
  return static_cast<char*>(block);
#endif
}

void release_text(Text text) {
  if (text == nullptr || is_constant_text(text)) return;
#ifdef WDL_TEST_HOOKS
  char* block = const_cast<char*>(text) - kHeader;
  --g_live_texts;
  g_live_bytes -= *reinterpret_cast<uint32_t*>(block);
  text_heap_release(block);
#else
  text_heap_release(const_cast<char*>(text));
#endif
}
