// The Windows clipboard.
#pragma once

#include "convert/text.h"

// Places the text on the clipboard as its one plain ANSI item (CF_TEXT), byte
// for byte. True once the clipboard has taken the block; false when the
// clipboard cannot be opened (another program holds it), the block cannot be
// made, or the clipboard refuses it. Never waits and never retries.
bool put_clipboard_text(Text text);
