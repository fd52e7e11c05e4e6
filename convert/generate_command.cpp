#include "convert/generate_command.h"

#include "convert/constant_texts.h"
#include "convert/program_state.h"
#include "convert/share_link.h"
#include "convert/text_memory.h"
#include "convert/text_ops.h"
#include "desktop/clipboard.h"
#include "desktop/message_box.h"
#include "ui/content_access.h"
#include "ui/main_window_definition.h"

namespace {

constexpr int32_t kStopIcon = 16;  // MB_ICONHAND with one OK button
constexpr int32_t kPlain = 0;      // one OK button, no icon

// Every read gives a fresh text of what the box holds now.
OwnedText read_link() { return read_content(kMainWindowId, kEditBox1Id); }

}  // namespace

void generate_direct_link() {
  // Each text read is released right after its one use, so that no more than
  // one copy of the link text is alive at a time.
  OwnedText t1 = read_link();
  const Position p = locate_text(t1, kConstantTexts.marker);
  release_text(t1);
  marker_pos = p;
  if (marker_pos == kNoPosition) {
    show_message(MessageValue::of(kConstantTexts.refusal), kStopIcon);
    return;
  }

  OwnedText t2 = read_link();
  const Position s = locate_text(t2, kConstantTexts.slash, kSlashScanStart);
  release_text(t2);
  slash_pos = s;

  OwnedText t3 = read_link();
  const int32_t n = byte_length(t3);
  release_text(t3);
  link_length = n;

  const double d = static_cast<double>(link_length) - static_cast<double>(slash_pos);
  OwnedText t4 = read_link();
  OwnedText k = right_part(t4, low_32_bits(to_int64_truncated(d)));
  release_text(t4);
  release_text(share_key);
  share_key = k;

  OwnedText e = read_content(kMainWindowId, kEditBox2Id);
  OwnedText j = join_texts({kConstantTexts.link_prefix, share_key, kConstantTexts.key_separator, e});
  release_text(e);
  release_text(direct_link);
  direct_link = j;

  // Success is reported only for a link the clipboard took.
  if (put_clipboard_text(direct_link)) {
    show_message(MessageValue::of(kConstantTexts.success), kPlain);
  } else {
    show_message(MessageValue::of(kConstantTexts.copy_failed), kStopIcon);
  }
}
