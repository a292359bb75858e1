#pragma once
// The process's GDI+ session: loaded, bound and started once, on first need, with the background
// thread suppressed; shut down by an exit step after every unit end. Everything that calls the
// flat API (through the bound-function table) asks GdiPlusAvailable first.

#include "platform/framework/rtl/Seams.h"

// True when the library loaded, every flat-API entry of the table is present, and start-up and the
// notification hook succeeded. Computed on the first call; false after the exit step.
bool GdiPlusAvailable();
// True while the session runs, whatever a test forces: objects made in it may be freed through it.
bool GdiPlusSessionRunning();
// The class id of the PNG encoder (MIME type "image/png", any case); filled while it is all zero,
// so all zero when the session has no such encoder.
const CLSID& PngEncoderClassID();

// The exit step: unhooks, shuts GDI+ down and frees the library. Later calls of the layer call
// nothing of GDI+. The table's GDI+ entries are reset, since they pointed into the freed library.
void ShutdownGdiPlus();

// For tests: ends the running session (the library stays loaded) and forgets the answer, so the next
// GdiPlusAvailable checks again with the table as it stands.
void ResetGdiPlus();
// For tests: while set, GdiPlusAvailable answers false; a running session keeps running.
void ForceGdiPlusUnavailable(bool Value);
