#include "convert/constant_texts.h"

#include <cstdint>

const ConstantTexts kConstantTexts = {
    WDL_SHARE_HOST "/", "/", ".undefined", WDL_LINK_PREFIX, WDL_TXT_REFUSAL,
    WDL_TXT_SUCCESS,    WDL_TXT_COPY_FAILED, "",
};

namespace {
// Known from the start as well, so that nothing released before start-up records
// the block can free a constant text.
uintptr_t g_block_begin = reinterpret_cast<uintptr_t>(&kConstantTexts);
uintptr_t g_block_end = reinterpret_cast<uintptr_t>(&kConstantTexts + 1);
}  // namespace

void record_constant_text_block() {
  g_block_begin = reinterpret_cast<uintptr_t>(&kConstantTexts);
  g_block_end = reinterpret_cast<uintptr_t>(&kConstantTexts + 1);
}

bool is_constant_text(Text text) {
  auto address = reinterpret_cast<uintptr_t>(text);
  return address >= g_block_begin && address < g_block_end;
}
