#include "SkinPngProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/framework/classes/Stream.h"
#include "ui/extras/png/PngImageCore.h"
#include "ui/extras/png/PngStream.h"
#include "ui/navbar/skins/SkinNames.h"
#include "ui/navbar/skins/SkinStreamLayout.h"

namespace navbar_testing {

ElementPng::ElementPng(const String& Resource, const char* Group, const char* Element) {
  const String type = SkinName(sdxSkinNavBarResourceType);
  TResourceStream stream(GetModuleHandleW(nullptr), Resource, type.c_str());
  const auto* bytes = static_cast<const std::uint8_t*>(stream.Memory());
  const dxskin::SkinRecord record = dxskin::ReadSkinStream(bytes, size_t(stream.Size()));
  for (const auto& group : record.Groups)
    for (const auto& element : group.Elements)
      if (group.Name == Group && element.Name == Element && !element.Image.Png.empty()) {
        png_ = std::make_unique<TPngImageCore>();
        TPngMemoryStream png(element.Image.Png);
        png_->LoadFromStream(png);
        return;
      }
  ADD_FAILURE() << "no picture for " << Group << "/" << Element;
}

ElementPng::~ElementPng() = default;

DWORD ElementPng::Rgb(int X, int Y) const {
  const TPngColor c = png_->PixelColor(X, Y);
  return DWORD(GetRValue(c)) << 16 | DWORD(GetGValue(c)) << 8 | GetBValue(c);
}

Byte ElementPng::Alpha(int X, int Y) const { return png_->AlphaRow(Cardinal(Y))[X]; }

bool NearRgb(DWORD A, DWORD B, int Tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(A >> shift & 0xFF) - int(B >> shift & 0xFF)) > Tolerance) return false;
  return true;
}

}  // namespace navbar_testing
