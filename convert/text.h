// Texts: zero-ended byte strings in the ANSI code page. A null pointer is an
// absent text and behaves as the empty text wherever a text is read.
#pragma once

#include <cstdint>

using Text = const char*;
// A text owned by its holder, released with release_text.
using OwnedText = char*;
// Byte positions are counted from 1; -1 stands for no position.
using Position = int32_t;
constexpr Position kNoPosition = -1;
