#include "convert/program_state.h"

#include "convert/text_memory.h"

Position marker_pos = 0;
Position slash_pos = 0;
int32_t link_length = 0;
OwnedText share_key = nullptr;
OwnedText direct_link = nullptr;

void release_globals() {
  if (share_key != nullptr) {
    release_text(share_key);
    share_key = nullptr;
  }
  if (direct_link != nullptr) {
    release_text(direct_link);
    direct_link = nullptr;
  }
}
