// Reading what the user currently sees in a control of a loaded window.
#pragma once

#include "convert/text.h"
#include "ui/definition_types.h"

// The content of an edit box (property 8, the whole value) as a new owned text,
// absent when the box is empty; fetched from the live control at every call.
// A window without definition, a unit that is not among its units, or a window
// that is not loaded ends the program through report_fatal_error.
OwnedText read_content(ControlId window, ControlId control);
