// Screen tips: their width, the bands that take part and how they are measured, the header taken
// from the hint, the repository's standard footer and fonts, naming, and the view info a hint gets.

#include <gtest/gtest.h>

#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarHints.h"
#include "ui/foundation/Canvas.h"

using namespace bar_testing;

namespace {

class ScreenTipTest : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    repository = new TdxBarScreenTipRepository(form);
    repository->SetName(L"Tips");
  }
  TdxBarScreenTip* NewTip(const String& Header, const String& Description = L"") {
    TdxBarScreenTip* tip = repository->Items()->Add();
    tip->Header()->SetText(Header);
    tip->Description()->SetText(Description);
    return tip;
  }
  static void GiveGlyph(TdxBarCustomScreenTipBand* Band, int W, int H) {
    TBitmap glyph(W, H);
    Band->SetGlyph(&glyph);
  }
  TdxBarScreenTipViewInfo* Calculated(TdxBarScreenTip* Tip, const String& Hint = L"", const String& ShortCut = L"") {
    auto* info = new TdxBarScreenTipViewInfo(manager, Tip, Hint, ShortCut);
    info->Calculate(ScreenCanvas());
    views.emplace_back(info);
    return info;
  }

  TdxBarScreenTipRepository* repository = nullptr;
  std::vector<ObjectPtr<TdxBarScreenTipViewInfo>> views;
};

TEST_F(ScreenTipTest, WidthIs210Or318WithADescriptionGlyph) {
  ASSERT_EQ(Screen->PixelsPerInch(), 96);
  TdxBarScreenTip* tip = NewTip(L"Open");
  EXPECT_EQ(tip->EffectiveWidth(), 210);
  TdxBarScreenTipViewInfo* headerOnly = Calculated(tip);
  EXPECT_EQ(headerOnly->BoundsRect.Width(), 210);
  ASSERT_EQ(headerOnly->BandCount(), 1);
  GiveGlyph(tip->Description(), 32, 32);
  EXPECT_EQ(tip->EffectiveWidth(), 318);
  tip->Width = 150;
  EXPECT_EQ(tip->EffectiveWidth(), 150);
}

TEST_F(ScreenTipTest, BandsTakePartWithTextOrGlyphOrTheHintAsHeader) {
  TdxBarScreenTip* tip = NewTip(L"", L"Opens a file");
  TdxBarScreenTipViewInfo* info = Calculated(tip, L"Open", L" (Ctrl+O)");
  // Without UseHintAsHeader the hint is not used: only the description takes part.
  ASSERT_EQ(info->BandCount(), 1);
  EXPECT_EQ(info->BandAt(0)->Band(), tip->Description());

  tip->UseHintAsHeader = true;
  info = Calculated(tip, L"Open", L" (Ctrl+O)");
  ASSERT_EQ(info->BandCount(), 2);
  EXPECT_EQ(info->BandAt(0)->BandText(), L"Open (Ctrl+O)");
  // Bands stack: the second starts where the first ends.
  EXPECT_EQ(info->BandAt(1)->Top, info->BandAt(0)->Height);
  EXPECT_EQ(info->BoundsRect.Height(), info->BandAt(0)->Height + info->BandAt(1)->Height);

  // A tip without any text or glyph shows nothing.
  EXPECT_TRUE(Calculated(NewTip(L""))->BoundsRect.IsEmpty());
}

TEST_F(ScreenTipTest, TheStandardFooterReplacesTheTipsOwn) {
  TdxBarScreenTip* tip = NewTip(L"Open");
  tip->Footer()->SetText(L"Own footer");
  repository->StandardFooter()->SetText(L"Press F1 for help");
  TdxBarScreenTipViewInfo* own = Calculated(tip);
  ASSERT_EQ(own->BandCount(), 2);
  EXPECT_EQ(own->BandAt(1)->BandText(), L"Own footer");
  tip->UseStandardFooter = true;
  TdxBarScreenTipViewInfo* standard = Calculated(tip);
  ASSERT_EQ(standard->BandCount(), 2);
  EXPECT_EQ(standard->BandAt(1)->Band(), repository->StandardFooter());
  // The footer's margin holds the painter's line (the manager's painter draws one 3 pixels high).
  EXPECT_EQ(standard->BandAt(1)->VerticalMargin(), 6 + 3);
}

TEST_F(ScreenTipTest, DescriptionGlyphsWiderThanTheColumnShrinkWithTheirAspect) {
  TdxBarScreenTip* tip = NewTip(L"Open", L"Opens");
  GiveGlyph(tip->Description(), 188, 50);
  TdxBarScreenTipBandViewInfo* description = Calculated(tip)->BandAt(1);
  // The description's column is 108 - 14 = 94 pixels at 96 DPI.
  EXPECT_EQ(description->GlyphColumn(), 94);
  EXPECT_EQ(description->GlyphSize.cx, 94);
  EXPECT_EQ(description->GlyphSize.cy, 25);
  GiveGlyph(tip->Description(), 32, 40);
  description = Calculated(tip)->BandAt(1);
  EXPECT_EQ(description->GlyphSize.cx, 32);
  EXPECT_EQ(description->GlyphSize.cy, 40);
  // Right-aligned text starts after the glyph column.
  EXPECT_EQ(description->TextBounds.left, 14 + 94 + 14);
  EXPECT_EQ(description->GlyphBounds.left, 14 + (94 - 32) / 2);
}

TEST_F(ScreenTipTest, TheViewInfoOfAHint) {
  TdxBarScreenTip* tip = NewTip(L"Open file", L"Opens");
  ObjectPtr<TdxBarCustomHintViewInfo> full(CreateBarHintViewInfo(manager, L"Open", L"", tip, nullptr));
  EXPECT_TRUE(Is<TdxBarScreenTipViewInfo>(full.get()));

  repository->ShowDescription = false;
  ObjectPtr<TdxBarCustomHintViewInfo> header(CreateBarHintViewInfo(manager, L"Open", L"", tip, nullptr));
  auto* like = dynamic_cast<TdxBarLikeHintScreenTipViewInfo*>(header.get());
  ASSERT_NE(like, nullptr);
  EXPECT_EQ(like->Text(), L"Open file");
  EXPECT_TRUE(like->IsScreenTip());

  tip->UseHintAsHeader = true;
  ObjectPtr<TdxBarCustomHintViewInfo> hint(CreateBarHintViewInfo(manager, L"Open", L" (Ctrl+O)", tip, nullptr));
  EXPECT_EQ(dynamic_cast<TdxBarHintViewInfo*>(hint.get())->Text(), L"Open (Ctrl+O)");

  ObjectPtr<TdxBarCustomHintViewInfo> plain(CreateBarHintViewInfo(manager, L"Save", L"", nullptr, nullptr));
  EXPECT_EQ(dynamic_cast<TdxBarHintViewInfo*>(plain.get())->Text(), L"Save");
  // A plain hint without text is not shown.
  TdxBarHintViewInfo empty(manager, TPoint{0, 0}, L"", L" (F1)");
  empty.Calculate(ScreenCanvas());
  EXPECT_TRUE(empty.BoundsRect.IsEmpty());
}

TEST_F(ScreenTipTest, NamingAndTheHeaderThatFollowsTheName) {
  TdxBarScreenTip* tip = repository->Items()->Add();
  EXPECT_EQ(tip->Name(), L"TipsScreenTip1");
  EXPECT_EQ(repository->Items()->Add()->Name(), L"TipsScreenTip2");
  tip->Header()->SetText(L"TipsScreenTip1");
  tip->SetName(L"OpenTip");
  EXPECT_EQ(tip->Header()->Text(), L"OpenTip");
  tip->Header()->SetText(L"Open");
  tip->SetName(L"OpenTip2");
  EXPECT_EQ(tip->Header()->Text(), L"Open");
  EXPECT_EQ(tip->DisplayText(), L"OpenTip2 - 'Open'");
}

TEST_F(ScreenTipTest, RepositoryFontsAndAssign) {
  EXPECT_TRUE(repository->AssignedFonts().Empty());
  EXPECT_EQ(repository->BandFont(stbHeader)->Color(), TColor(RGB(76, 76, 76)));
  EXPECT_TRUE(repository->BandFont(stbHeader)->Style().Contains(fsBold));
  EXPECT_FALSE(repository->BandFont(stbDescription)->Style().Contains(fsBold));
  repository->DescriptionFont()->SetSize(14);
  EXPECT_TRUE(repository->AssignedFonts().Contains(stfDescription));
  EXPECT_EQ(repository->BandFont(stbDescription), repository->DescriptionFont());

  NewTip(L"Open", L"Opens")->UseStandardFooter = true;
  repository->StandardFooter()->SetText(L"F1");
  repository->ShowDescription = false;
  auto* copy = new TdxBarScreenTipRepository(form);
  copy->SetName(L"Copy");
  copy->Assign(repository);
  ASSERT_EQ(copy->Items()->ItemCount(), 1);
  EXPECT_EQ(copy->Items()->TipAt(0)->Header()->Text(), L"Open");
  EXPECT_TRUE(copy->Items()->TipAt(0)->UseStandardFooter);
  EXPECT_EQ(copy->StandardFooter()->Text(), L"F1");
  EXPECT_EQ(copy->DescriptionFont()->Size(), 14);
  EXPECT_EQ(copy->AssignedFonts(), repository->AssignedFonts());
  EXPECT_FALSE(copy->ShowDescription);
}

TEST_F(ScreenTipTest, AnItemForgetsItsFreedScreenTip) {
  TdxBarButton* item = NewItem(L"Open");
  TdxBarScreenTip* tip = NewTip(L"Open");
  item->SetScreenTip(tip);
  EXPECT_EQ(item->ScreenTip(), tip);
  tip->Free();
  EXPECT_EQ(item->ScreenTip(), nullptr);
}

}  // namespace
