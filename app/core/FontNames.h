#pragma once
// Adapting a window's controls to the system's interface font.

#include "platform/framework/base/Types.h"

class TWinControl;

// When newName is an installed screen font other than oldName: every control inside the
// container (at any depth) whose font name is exactly oldName gets newName. The container's own
// font stays.
void ReplaceFontName(TWinControl* container, const String& oldName, const String& newName);
