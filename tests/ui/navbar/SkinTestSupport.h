#pragma once
// Helpers of the skin engine's tests: skins built in memory, the embedded skins read through the
// navigation bar's resource type, and a recorder of the images GDI+ is asked to draw.

#include <gtest/gtest.h>

#include <vector>

#include "GdiPlusTestSupport.h"
#include "ui/navbar/skins/Skin.h"
#include "ui/navbar/skins/SkinInfo.h"
#include "ui/navbar/skins/SkinStreamLayout.h"

namespace skin_testing {

// A skin read from the program's "DXNAVBARSKINS" resources.
class TEmbeddedSkin : public TdxSkin {
 public:
  explicit TEmbeddedSkin(const String& Name) : TdxSkin(Name) {}

 protected:
  String ResourceType() override { return SkinName(sdxSkinNavBarResourceType); }
};

// The bytes of an embedded skin resource.
std::vector<std::uint8_t> EmbeddedSkinBytes(const String& Name);

// Gives the image a width x height picture of one colour (0xAARRGGBB).
void FillImage(TdxSkinImage* Image, int Width, int Height, DWORD Argb = 0xFF336699);

// A small skin in memory: colours, a property, a group with an element whose image holds a picture
// and whose glyph is empty.
TdxSkin* MakeSmallSkin();

// Records every GdipDrawImageRectRect (destination and source, in pixels) while it lives, and
// draws nothing.
class DrawRecorder {
 public:
  struct Call {
    TRect Dest, Source;
  };
  DrawRecorder();
  ~DrawRecorder();
  std::vector<Call> Calls;
};

// The skin fixture: the GDI+ unit and the skin unit started.
class SkinFixture : public gdiplus_testing::GdiPlusFixture {};

}  // namespace skin_testing
