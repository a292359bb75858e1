#pragma once
// A window's placement in a section of an INI file: "x", "y", "height", "width", "maximized".

#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/base/Types.h"

class TCustomForm;

// Bounds kept on a screen of that size: at most its width and height, moved left or up so the
// far edge stays on it, then negative coordinates become 0.
TRect ClampToScreen(const TRect& bounds, int screenWidth, int screenHeight);

// Reads the placement (the form's current values as defaults), clamps it to the screen and
// applies bounds and window state. An empty or blank file name means the settings file.
void LoadFormPlacement(const String& section, TCustomForm* form, const String& fileName);
// Writes the restored bounds in screen coordinates (also while maximized or minimized) and
// whether the window is maximized.
void SaveFormPlacement(const String& section, TCustomForm* form, const String& fileName);

// The form's restored bounds in screen coordinates.
TRect RestoredBounds(TCustomForm* form);
