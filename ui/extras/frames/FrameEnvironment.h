#pragma once
// What the frame library records about the display when it starts: whether the screen shows more
// than 256 colours, and which colour scheme of the Windows XP visual style is active.

#include "platform/framework/base/Types.h"

enum TXpColorScheme { xpcsBlue = 0, xpcsHomestead = 1, xpcsMetallic = 2 };

// Read at start-up (and on first use before that).
bool DisplayHasFullColor();
int XpColorScheme();

// The screen device reports no fixed number of colours.
bool ReadDisplayHasFullColor();
// The current user's theme-manager "ColorName": "HOMESTEAD" 1, "METALLIC" 2 (any case), else 0.
int DetectXpColorScheme();
int XpColorSchemeOfName(const String& ColorName);
