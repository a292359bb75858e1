// The skinned label and the skinned gauge on a plain form, painted into DIB sections.

#include <gtest/gtest.h>

#include <memory>

#include "platform/framework/classes/Filer.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/controls/SkinGauge.h"
#include "ui/skins/controls/SkinLabel.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/DrawingRoutines.h"

using namespace skin_testing;
using namespace controls_skin;
using testing_support::ScratchFolder;
using window_testing::DibSection;
using window_testing::FormFixture;

namespace {

class SkinIndicators : public FormFixture {
 protected:
  ScratchFolder folder;
  ManagerPtr manager;

  String Dir() const { return folder.Path().substr(0, folder.Path().size() - 1); }
  void SetUp() override {
    FormFixture::SetUp();
    manager = NewControlsManager(Dir());
    ASSERT_TRUE(manager->SkinData().Active);
    form->SetColor(static_cast<TColor>(0xE0E0E0));
    // The skin's broadcasts reach the form as they reach the program's forms.
    RegisterForm(form);
    form->HandleNeeded();
  }
  void TearDown() override {
    UnregisterForm(form);
    FormFixture::TearDown();
    manager.reset();
  }
  TsLabel* MakeLabel(const wchar_t* caption, TRect bounds) {
    auto* label = new TsLabel(form);
    label->SetAutoSize(false);
    label->SetBoundsRect(bounds);
    label->SetCaption(caption);
    label->Font()->SetName(L"Arial");
    label->Font()->SetHeight(-24);
    label->Font()->SetStyle({fsBold});
    label->SetParent(form);
    return label;
  }
  // The form's client area with its graphic children, as the form paints it.
  std::unique_ptr<DibSection> PrintForm() {
    auto dib = std::make_unique<DibSection>(form->ClientWidth(), form->ClientHeight());
    form->PaintTo(dib->DC(), 0, 0);
    return dib;
  }
  // The number of pixels of the colour inside the rectangle.
  static int Count(const DibSection& dib, TRect r, TColor color) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += FromDib(dib.Pixel(x, y)) == color;
    return n;
  }
};

// ---- the label -----------------------------------------------------------------------------------

TEST_F(SkinIndicators, ADisabledLabelShowsFortyPercentOfItsFontOverSixtyOfItsParent) {
  TsLabel* label = MakeLabel(L"WWW", Bounds(10, 10, 120, 40));
  label->SetEnabled(false);
  auto dib = PrintForm();
  ASSERT_EQ(label->Font()->Color(), kGlobalFont) << "the skin's font colour";
  const TColor mixed = MixColors(kGlobalFont, 0xE0E0E0, 0.4);
  EXPECT_GT(Count(*dib, label->BoundsRect(), mixed), 20);
  EXPECT_EQ(Count(*dib, label->BoundsRect(), kGlobalFont), 0);
  EXPECT_EQ(Count(*dib, label->BoundsRect(), ColorToRGB(clBtnHighlight)), 0) << "no embossed look";
}

TEST_F(SkinIndicators, TheFontColourFollowsTheSkinUnlessTheLabelKeepsItsOwn) {
  TsLabel* follow = MakeLabel(L"A", Bounds(10, 10, 40, 30));
  TsLabel* keep = MakeLabel(L"B", Bounds(60, 10, 40, 30));
  keep->SetUseSkinColor(false);
  for (TsLabel* label : {follow, keep}) label->Font()->SetColor(clRed);
  PrintForm();
  EXPECT_EQ(follow->Font()->Color(), kGlobalFont);
  EXPECT_EQ(keep->Font()->Color(), clRed);

  manager->SetActive(false);
  EXPECT_EQ(follow->Font()->Color(), clWindowText) << "the removal resets it";
  EXPECT_EQ(keep->Font()->Color(), clRed);
}

TEST_F(SkinIndicators, ASkinWithoutAFontColourLeavesTheLabelsColour) {
  ControlsSkin({clFuchsia}).WriteFolder(Narrow(Dir()) + "/NoFont");
  manager->SetSkinName(L"NoFont");
  ASSERT_EQ(manager->GlobalFontColor(), clFuchsia);
  TsLabel* label = MakeLabel(L"A", Bounds(10, 10, 40, 30));
  label->Font()->SetColor(clRed);
  PrintForm();
  EXPECT_EQ(label->Font()->Color(), clRed);
}

TEST_F(SkinIndicators, TheSkinsFirstSectionGivesTheLabelItsBackgroundAndFontColour) {
  ASSERT_EQ(manager->GetSkinIndex(L"GLOBALINFO"), 0);
  TsLabel* label = MakeLabel(L"", Bounds(10, 10, 40, 30));
  label->SetUseSkinColor(false);
  label->Font()->SetColor(clRed);
  label->SetSkinSection(L"GLOBALINFO");
  auto dib = PrintForm();
  EXPECT_EQ(FromDib(dib->Pixel(20, 20)), kGlobalColor);
  EXPECT_EQ(label->Font()->Color(), kGlobalFont);
  // Another section paints its own colours.
  label->SetSkinSection(L"LABEL");
  dib = PrintForm();
  EXPECT_EQ(FromDib(dib->Pixel(20, 20)), kLabelBg);
  EXPECT_EQ(label->Font()->Color(), kLabelFont);
}

TEST_F(SkinIndicators, ADisabledEmptyLabelStillMeasuresOneSpace) {
  TsLabel* label = MakeLabel(L"", Bounds(10, 10, 40, 30));
  label->SetEnabled(false);
  label->SetAutoSize(true);
  TBitmap measure(1, 1, pf24bit);
  measure.Canvas()->Font()->Assign(label->Font());
  EXPECT_EQ(label->Width(), measure.Canvas()->TextWidth(L" "));
  EXPECT_EQ(label->Height(), measure.Canvas()->TextHeight(L" "));
}

// ---- the gauge -----------------------------------------------------------------------------------

class TCountingGauge : public TsGauge {
 public:
  using TsGauge::TsGauge;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    TsGauge::Paint();
  }
};

class SkinGauges : public SkinIndicators {
 protected:
  template <class T = TsGauge>
  T* MakeGauge(TRect bounds, TsGaugeKind kind = gkHorizontalBar) {
    TLoadingBracket loading(*form);
    T* gauge = loading.Add(new T(form));
    gauge->SetParent(form);
    gauge->SetBoundsRect(bounds);
    gauge->SetKind(kind);
    gauge->SetShowText(false);
    loading.End();
    return gauge;
  }
  std::unique_ptr<DibSection> Print(TsGauge* gauge, DWORD fill = 0) {
    auto dib = std::make_unique<DibSection>(gauge->Width(), gauge->Height());
    if (fill) FillDC(dib->DC(), TRect(0, 0, gauge->Width(), gauge->Height()), FromDib(fill));
    gauge->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib->DC()), 0);
    return dib;
  }
};

TEST_F(SkinGauges, ProgressIsClampedAndTheLimitsRefuseToCross) {
  TsGauge* gauge = MakeGauge(Bounds(10, 10, 100, 16));
  int changes = 0;
  gauge->OnChange = [&](TObject*) { ++changes; };
  const struct {
    int Set, Stored;
  } progress[] = {{150, 100}, {-5, 0}, {63, 63}};
  for (const auto& p : progress) {
    gauge->SetProgress(p.Set);
    EXPECT_EQ(gauge->Progress(), p.Stored) << p.Set;
  }
  EXPECT_EQ(changes, 3);
  gauge->SetProgress(63);
  EXPECT_EQ(changes, 3) << "an unchanged value fires nothing";

  const struct {
    bool Max;
    int Value;
    const wchar_t* Message;
  } refused[] = {{false, 101, L"Value must be between -2147483647 and 99"},
                 {true, -1, L"Value must be between 1 and 2147483647"}};
  for (const auto& r : refused) {
    try {
      r.Max ? gauge->SetMaxValue(r.Value) : gauge->SetMinValue(r.Value);
      ADD_FAILURE() << r.Value;
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), r.Message);
    }
  }
  // The limits pull Progress along without an event; an empty range shows 0 %.
  gauge->SetMaxValue(40);
  EXPECT_EQ(gauge->Progress(), 40);
  gauge->SetMinValue(40);
  EXPECT_EQ(gauge->ShownPercent(), 0);
  EXPECT_EQ(changes, 3);
}

TEST_F(SkinGauges, AStepInsideTheSamePercentFiresOnChangeWithoutAPaint) {
  ShowForm();
  auto* gauge = MakeGauge<TCountingGauge>(Bounds(10, 10, 100, 16));
  gauge->SetMaxValue(1000);
  gauge->SetProgress(500);
  window_testing::ProcessMessages();
  int changes = 0;
  gauge->OnChange = [&](TObject*) { ++changes; };
  gauge->Paints = 0;
  gauge->SetProgress(501);
  window_testing::ProcessMessages();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(gauge->Paints, 0);
  gauge->SetProgress(510);
  EXPECT_EQ(gauge->Paints, 1) << "51 %: painted at once";
}

TEST_F(SkinGauges, ASkinnedBarFillsTruncatedPercentOfItsWidth) {
  TsGauge* gauge = MakeGauge(Bounds(10, 10, 177, 16));
  ASSERT_EQ(gauge->Progress(), 47);
  auto dib = Print(gauge);
  EXPECT_EQ(FromDib(dib->Pixel(0, 8)), kFill);
  EXPECT_EQ(FromDib(dib->Pixel(82, 8)), kFill);
  EXPECT_EQ(FromDib(dib->Pixel(83, 8)), kGaugeFace) << "Trunc(177 x 0.47) = 83 pixels";
  EXPECT_EQ(gauge->SkinData()->CacheBmp, nullptr) << "nothing kept between paints";

  gauge->SetKind(gkVerticalBar);
  gauge->SetBounds(10, 10, 16, 100);
  dib = Print(gauge);
  EXPECT_EQ(FromDib(dib->Pixel(8, 52)), kGaugeFace);
  EXPECT_EQ(FromDib(dib->Pixel(8, 53)), kFill) << "47 of 100 rows from the bottom";
  EXPECT_EQ(FromDib(dib->Pixel(8, 99)), kFill);
}

TEST_F(SkinGauges, ThePercentTextSitsInTheMiddleWithItsSuffix) {
  TsGauge* gauge = MakeGauge(Bounds(10, 10, 200, 30));
  gauge->Font()->SetName(L"Arial");
  gauge->Font()->SetHeight(-16);
  gauge->SetProgress(0);
  gauge->SetShowText(true);
  // The text's horizontal extent: the columns holding a pixel that is not the face.
  auto extent = [&] {
    auto dib = Print(gauge);
    int first = -1, last = -1;
    for (int x = 0; x < gauge->Width(); ++x)
      for (int y = 0; y < gauge->Height(); ++y)
        if (FromDib(dib->Pixel(x, y)) != kGaugeFace) {
          if (first < 0) first = x;
          last = x;
          break;
        }
    return std::pair<int, int>(first, last);
  };
  auto withSuffix = extent();
  gauge->SetSuffix(L"");
  auto digits = extent();
  ASSERT_GE(withSuffix.first, 0);
  EXPECT_GT(withSuffix.first, 80);
  EXPECT_LT(withSuffix.second, 120);
  EXPECT_GT(withSuffix.second - withSuffix.first, digits.second - digits.first) << "\"0%\" is wider than \"0\"";
}

TEST_F(SkinGauges, WhileUpdatingOnlyTheFirstPixelIsMarked) {
  TsGauge* gauge = MakeGauge(Bounds(10, 10, 60, 16));
  gauge->SkinData()->Updating = true;
  auto dib = Print(gauge, 0x123456);
  EXPECT_EQ(dib->Pixel(0, 0), 0xFF00FFu);
  EXPECT_EQ(dib->Pixel(1, 0), 0x123456u);
  EXPECT_EQ(dib->Pixel(30, 8), 0x123456u);
}

TEST_F(SkinGauges, UnskinnedBarsFillFromTheirOwnColours) {
  TsGauge* gauge = MakeGauge(Bounds(10, 10, 100, 20));
  gauge->SkinData()->SetSkinSection(L"NOSUCHSECTION");
  ASSERT_FALSE(gauge->SkinData()->Skinned());
  gauge->SetBackColor(static_cast<TColor>(0x00FFFF));
  gauge->SetForeColor(static_cast<TColor>(0x800000));
  gauge->SetProgress(50);
  auto dib = Print(gauge);
  // A black frame; inside, Trunc(99 x 0.5) = 49 reaches column 48.
  EXPECT_EQ(dib->Pixel(0, 10), 0u);
  EXPECT_EQ(FromDib(dib->Pixel(1, 10)), 0x800000);
  EXPECT_EQ(FromDib(dib->Pixel(48, 10)), 0x800000);
  EXPECT_EQ(FromDib(dib->Pixel(49, 10)), 0x00FFFF);

  // A vertical bar at 100 % fills every row it has, with or without its frame.
  gauge->SetKind(gkVerticalBar);
  gauge->SetBounds(10, 10, 20, 40);
  gauge->SetProgress(100);
  dib = Print(gauge);
  EXPECT_EQ(dib->Pixel(10, 0), 0u) << "the frame";
  EXPECT_EQ(FromDib(dib->Pixel(10, 1)), 0x800000);
  EXPECT_EQ(FromDib(dib->Pixel(10, 38)), 0x800000);
  gauge->SetBorderStyle(bsNone);
  dib = Print(gauge);
  EXPECT_EQ(FromDib(dib->Pixel(10, 0)), 0x800000) << "the top row too";
  EXPECT_EQ(FromDib(dib->Pixel(10, 39)), 0x800000);
  gauge->SetProgress(25);
  dib = Print(gauge);
  EXPECT_EQ(FromDib(dib->Pixel(10, 29)), 0x00FFFF);
  EXPECT_EQ(FromDib(dib->Pixel(10, 30)), 0x800000) << "Trunc(41 x 0.25) = 10 rows from the bottom";
}

}  // namespace
