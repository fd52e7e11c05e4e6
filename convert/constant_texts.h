// The constant text block: the program's fixed texts, together in one read-only
// block. A reference into it may stand wherever a text is expected, and
// release_text leaves it alone.
#pragma once

#include "build_config.h"
#include "convert/text.h"
#include "generated/convert_texts.h"

#define WDL_LINK_PREFIX "http://" WDL_RELAY_HOST "/weiyun/down.php?u="

struct ConstantTexts {
  char marker[sizeof(WDL_SHARE_HOST "/")];   // the share host followed by "/"
  char slash[2];                               // "/"
  char key_separator[sizeof(".undefined")];   // written between share key and extension
  char link_prefix[sizeof(WDL_LINK_PREFIX)];  // "http://" + relay host + "/weiyun/down.php?u="
  char refusal[sizeof(WDL_TXT_REFUSAL)];
  char success[sizeof(WDL_TXT_SUCCESS)];
  char copy_failed[sizeof(WDL_TXT_COPY_FAILED)];
  char empty[1];
};

extern const ConstantTexts kConstantTexts;

// Notes where the constant text block lies, for release_text. Idempotent.
void record_constant_text_block();

// True when text points into the constant text block.
bool is_constant_text(Text text);
