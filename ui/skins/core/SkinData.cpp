#include "ui/skins/core/SkinData.h"

#include <utility>

TFrameSize MaskFrame(const TsMaskData& mask) {
  return MaskFrameSize(mask.R.right - mask.R.left, mask.R.bottom - mask.R.top, mask.ImageCount, mask.MaskType);
}

void TsSkinArrays::Swap(TsSkinArrays& other) noexcept {
  std::swap(MasterBitmap, other.MasterBitmap);
  Masks.swap(other.Masks);
  Patterns.swap(other.Patterns);
  Sections.swap(other.Sections);
  std::swap(Globals, other.Globals);
}

void TsSkinArrays::FreeMasks() {
  for (TsMaskData& mask : Masks)
    if (mask.Bmp) mask.Bmp->Free();
  Masks.clear();
  if (MasterBitmap) FreeAndNil(MasterBitmap);
}

void TsSkinArrays::FreePatterns() {
  for (TsPatternData& pattern : Patterns)
    if (pattern.Img) pattern.Img->Free();
  Patterns.clear();
}
