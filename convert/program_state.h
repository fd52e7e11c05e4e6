// The values of the last conversion, kept for the life of the process. They start
// as 0 and absent; only the generate command writes them, and release_globals
// releases the two texts at exit.
#pragma once

#include <cstdint>

#include "convert/text.h"

extern Position marker_pos;
extern Position slash_pos;
extern int32_t link_length;
extern OwnedText share_key;
extern OwnedText direct_link;

// The program's exit routine: releases share_key, then direct_link.
void release_globals();
