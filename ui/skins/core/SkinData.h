#pragma once
// The skin data arrays: the master bitmap, the masks, the patterns and one general-data entry per
// skin section, plus the skin's global facts. A load fills a fresh set; the manager swaps it in.

#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Jpeg.h"
#include "ui/skins/core/SkinCommon.h"
#include "ui/skins/core/SkinValues.h"

class TsSkinManager;

struct TsMaskData {
  TBitmap* Bmp = nullptr;  // own image (owned by the arrays), or none: cut from the master bitmap
  String SectionName;
  String PropertyName;
  TRect R;
  std::int16_t ImageCount = 1;
  std::int16_t MaskType = 0;
  std::int16_t BorderWidth = 0;
  std::int16_t StretchMode = 0;
  TacImgType ImgType = TacImgType::itisaBorder;
  TsSkinManager* Manager = nullptr;
  std::int16_t WL = 0, WT = 0, WR = 0, WB = 0;
};

// The size of one state frame of a mask: an image count of 0 reads as 1. Every division by
// ImageCount goes through it.
TFrameSize MaskFrame(const TsMaskData& mask);

struct TsPatternData {
  TJPEGImage* Img = nullptr;  // owned by the arrays
  String SectionName;
  String PropertyName;
};

struct TsGeneralData {
  String ParentClass;
  String SectionName;
  TColor Color = 0xFFFFFF;
  std::uint8_t Bevel = 0;
  TColor FontColor[5] = {0, -1, -1, -1, -1};
  TColor HotFontColor[5] = {0, -1, -1, -1, -1};
  bool ReservedBoolean = false;
  int ShadowBlur = 6;
  TColor ShadowColor = 0;
  bool ShadowDontUse = false;
  bool ShadowEnabled = false;
  int ShadowOffset = 3;
  int ShadowTransparency = 50;
  int Transparency = 0;
  int GradientPercent = 0;
  String GradientData;
  TsGradArray GradientArray;
  int ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int FadingIntervalIn = 5;
  int FadingIntervalOut = 5;
  int FadingIterations = 5;
  TColor HotColor = 0xFFFFFF;
  int HotTransparency = 0;
  std::uint8_t HotBevel = 0;
  int HotGradientPercent = 0;
  String HotGradientData;
  TsGradArray HotGradientArray;
  int HotImagePercent = 0;
  TColor BorderColor1 = 0;
  TColor BorderColor2 = 0;
};

// The skin's global facts from GLOBALINFO.
struct TsSkinGlobals {
  double Version = 0;
  String Author;
  String Description;
  TColor Shadow1Color = 0;
  int Shadow1Offset = 0;
  int Shadow1Blur = -1;
  int Shadow1Transparency = 0;
  TColor BorderColor = 0;
  int BISpacing = 0;
};

class TsSkinData : public TsSkinGlobals {
 public:
  bool Active = false;
  String SkinPath;  // folder of further image files, with its trailing backslash, or empty
};

// One set of loaded arrays; frees what it owns.
class TsSkinArrays {
 public:
  TsSkinArrays() = default;
  ~TsSkinArrays() { Free(); }
  TsSkinArrays(TsSkinArrays&& other) noexcept { Swap(other); }
  TsSkinArrays& operator=(TsSkinArrays&& other) noexcept {
    Swap(other);
    return *this;
  }
  void Swap(TsSkinArrays& other) noexcept;
  void FreeMasks();
  void FreePatterns();
  void Free() {
    FreeMasks();
    FreePatterns();
    Sections.clear();
  }

  TBitmap* MasterBitmap = nullptr;
  std::vector<TsMaskData> Masks;
  std::vector<TsPatternData> Patterns;
  std::vector<TsGeneralData> Sections;
  TsSkinGlobals Globals;
};

// The indexes the manager caches after each load; -1 when missing.
struct TacScrollBtnIndexes {
  int Section = -1, BordersMask = -1, Pattern = -1, HotPattern = -1, GlyphMask = -1;
};
struct TacScrollSliderIndexes {
  int Section = -1, BordersMask = -1, GlyphMask = -1, Pattern = -1, HotPattern = -1;
};
struct TacScrollBarIndexes {
  int Section = -1, BordersMask = -1, Pattern = -1, HotPattern = -1;
};
struct TacTabIndexes {
  int Section = -1, BordersMask = -1;
};
struct TacConstIndexes {
  int GlobalInfo = -1;
  int CheckGlyphs[9] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};  // BOXCHECKED .. SMALLGRAYED
  TacTabIndexes TabTop, TabBottom, TabLeft, TabRight;
  TacScrollBtnIndexes BtnTop, BtnBottom, BtnLeft, BtnRight;
  TacScrollSliderIndexes SliderV, SliderH;
  TacScrollBarIndexes Bar1H, Bar1V, Bar2H, Bar2V;
  int ComboBtn = -1, ComboBtnBorder = -1, ComboBtnPattern = -1, ComboBtnHotPattern = -1, ComboGlyph = -1;
};
