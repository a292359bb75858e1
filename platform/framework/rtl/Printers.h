#pragma once
// Printer access: the number of installed printers and a device context of the default printer,
// through a table of bound functions that tests replace (reset with the rest by ResetBoundFunctions).

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(RTL);

#include "platform/framework/base/Win32.h"

struct TPrinterFunctions {
  // How many printers are installed. May throw.
  int (*InstalledPrinterCount)() = nullptr;
  // A new device context of the default printer, null on failure; the caller deletes it. May throw.
  HDC (*CreateDefaultPrinterDC)() = nullptr;
};

// The process-wide table (UI thread), filled with the system's functions on first use.
TPrinterFunctions& BoundPrinters();
// Restores the system's functions.
void ResetBoundPrinters();

// The number of installed printers; 0 when asking fails.
int InstalledPrinterCount();
// A device context of the default printer (delete it with DeleteDC); null when there is no printer or
// asking for it fails in any way.
HDC CreateDefaultPrinterDC();
