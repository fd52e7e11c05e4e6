#pragma once

#include "convert/text.h"

struct LiveControl;

// Fetches the edit control's live text into the box's stored copy and gives the
// stored copy (which stays with the box).
Text edit_box_fetch_content(LiveControl* control);
