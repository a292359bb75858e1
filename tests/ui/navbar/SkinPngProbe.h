#pragma once
// The picture of an element of an embedded navigation-bar skin, read from the resource's own bytes
// and decoded by the PNG codec core, so painted views can be probed against the art itself rather
// than against the skin engine drawing the same element.

#include <memory>

#include <windows.h>

#include "platform/framework/base/Types.h"

class TPngImageCore;

namespace navbar_testing {

class ElementPng {
 public:
  // Resource is the skin's resource name ("Office12_Blue"); Group and Element the names in it. Fails
  // the current test (and stays empty) when the element or its picture is missing.
  ElementPng(const String& Resource, const char* Group, const char* Element);
  ~ElementPng();
  bool Loaded() const { return bool(png_); }
  // Straight colour as 0xRRGGBB and alpha of the picture at (X, Y).
  DWORD Rgb(int X, int Y) const;
  Byte Alpha(int X, int Y) const;

 private:
  std::unique_ptr<TPngImageCore> png_;
};

// Channels of two 0xRRGGBB colours differ by at most Tolerance.
bool NearRgb(DWORD A, DWORD B, int Tolerance);

}  // namespace navbar_testing
