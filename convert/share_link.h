// The share-link conversion: from the text the user pasted and a file-name
// extension to the direct link on the relay service.
#pragma once

#include <cstdint>

#include "convert/text.h"

// Where the scan for the "/" that starts the share key begins (byte position):
// past the "//" of a leading "http://" or "https://".
constexpr Position kSlashScanStart = 10;

struct ConversionResult {
  bool accepted = false;
  Position marker_pos = kNoPosition;  // first occurrence of the share host + "/"
  Position slash_pos = 0;             // first "/" at or after byte 10
  int32_t link_length = 0;            // bytes of the link text
  OwnedText share_key = nullptr;      // bytes after slash_pos; absent when empty
  OwnedText direct_link = nullptr;    // absent when not accepted
};

// Pure: reads nothing but its arguments. The caller owns the two texts of the result.
ConversionResult build_direct_link(Text link, Text extension);
