#include "SkinTestSupport.h"

#include <cmath>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/rtl/Seams.h"

namespace skin_testing {

std::vector<std::uint8_t> EmbeddedSkinBytes(const String& Name) {
  const String type = SkinName(sdxSkinNavBarResourceType);
  TResourceStream stream(GetModuleHandleW(nullptr), Name, type.c_str());
  const auto* bytes = static_cast<const std::uint8_t*>(stream.Memory());
  return std::vector<std::uint8_t>(bytes, bytes + stream.Size());
}

void FillImage(TdxSkinImage* Image, int Width, int Height, DWORD Argb) {
  ObjectPtr<TBitmap> bitmap(gdiplus_testing::MakeBitmap(Width, Height, [&](int, int) {
    return gdiplus_testing::Pixel{Byte(Argb >> 16), Byte(Argb >> 8), Byte(Argb), Byte(Argb >> 24)};
  }));
  Image->Texture()->SetBitmap(bitmap.get());
}

TdxSkin* MakeSmallSkin() {
  auto skin = new TdxSkin(L"Small");
  skin->AddColor(L"ContentColor", 0x123456);
  static_cast<TdxSkinIntegerProperty*>(skin->AddProperty(L"Indent", FindSkinPropertyClass(L"TdxSkinIntegerProperty")))
      ->SetValue(7);
  TdxSkinControlGroup* group = skin->AddGroup(L"NavBar");
  static_cast<TdxSkinColor*>(group->AddProperty(L"DisabledTextColor", FindSkinPropertyClass(L"TdxSkinColor")))
      ->SetValue(0x808080);
  TdxSkinElement* element = group->AddElement(L"Item");
  FillImage(element->Image(), 20, 60);
  element->Image()->SetStates({esNormal, esHot, esPressed});
  element->Image()->SetImageLayout(ilVertical);
  element->Image()->SetMargins(TRect(2, 3, 4, 5));
  element->Image()->SetGradientBeginColor(0x0000FF);
  element->Image()->SetGradientEndColor(0x00FF00);
  element->Image()->SetGradient(TdxSkinGradientMode::gmVertical);
  element->SetColor(0x112233);
  element->SetAlpha(200);
  element->SetContentOffset(TRect(1, 2, 3, 4));
  element->SetMinSize(TSize(5, 6));
  element->Borders()->Left()->SetColor(0x0000FF);
  element->Borders()->Left()->SetThin(2);
  static_cast<TdxSkinStringProperty*>(element->AddProperty(L"Note", FindSkinPropertyClass(L"TdxSkinStringProperty")))
      ->SetValue(L"text");
  group->AddElement(L"Empty");
  return skin;
}

namespace {

std::vector<DrawRecorder::Call>* recording = nullptr;

GpStatus WINAPI RecordDraw(GpGraphics*, GpImage*, float dx, float dy, float dw, float dh, float sx, float sy,
                           float sw, float sh, int, const GpImageAttributes*, void*, void*) {
  auto r = [](float l, float t, float w, float h) {
    return TRect(LONG(std::lround(l)), LONG(std::lround(t)), LONG(std::lround(l + w)), LONG(std::lround(t + h)));
  };
  if (recording) recording->push_back({r(dx, dy, dw, dh), r(sx, sy, sw, sh)});
  return GpOk;
}

}  // namespace

DrawRecorder::DrawRecorder() {
  recording = &Calls;
  Bound().GdipDrawImageRectRect.Set(&RecordDraw);
}

DrawRecorder::~DrawRecorder() {
  recording = nullptr;
  ResetBoundFunctions();
}

}  // namespace skin_testing
