// With the PNG codec linked, its class keeps "png" whichever unit starts first; the GDI+ picture
// class stays findable by name.

#include <gtest/gtest.h>

#include "GdiPlusTestSupport.h"
#include "platform/framework/graphics/Graphic.h"
#include "ui/extras/png/PngObject.h"

using namespace gdiplus_testing;

namespace {

// What the codec's unit start does.
void RegisterCodec() { RegisterFileFormat(L"png", L"Portable Network Graphics", &TPNGObject::ClassInfo()); }

class PngRegistration : public GdiPlusFixture {};

TEST_F(PngRegistration, TheCodecsClassOwnsPngInEitherStartOrder) {
  EXPECT_EQ(GraphicClassForExtension(L"png"), &TPNGObject::ClassInfo()) << "after the process's own unit starts";
  for (bool codecFirst : {true, false}) {
    SCOPED_TRACE(codecFirst ? "codec first" : "GDI+ layer first");
    EndGdiPlusUnit();
    UnregisterGraphicClass(&TPNGObject::ClassInfo());
    if (codecFirst) RegisterCodec();
    StartGdiPlusUnit();
    if (!codecFirst) RegisterCodec();
    EXPECT_EQ(GraphicClassForExtension(L"png"), &TPNGObject::ClassInfo());
    EXPECT_EQ(GetClass(L"TdxPNGImage"), &TdxPNGImage::ClassInfo());
    EndGdiPlusUnit();
    EXPECT_EQ(GraphicClassForExtension(L"png"), &TPNGObject::ClassInfo()) << "the layer's end removes only its own";
    EXPECT_EQ(GetClass(L"TdxPNGImage"), nullptr);
  }
  StartGdiPlusUnit();
}

}  // namespace
