// The ribbon's key-tip windows: size and placement, the skin's background, the disabled alpha, the
// mouse passing through, and the manager's list.

#include <gtest/gtest.h>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "tests/ui/ribbon/RibbonTestSupport.h"
#include "ui/ribbon/KeyTips.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonSkins.h"

using ribbon_testing::DibSection;
using ribbon_testing::NearPixel;

namespace {

class KeyTipsTest : public ribbon_testing::RibbonFormFixture {
 protected:
  void SetUp() override {
    RibbonFormFixture::SetUp();
    MakeForm(L"KeyTipForm", 600);
    form->Show();
    tips = std::make_unique<TdxRibbonKeyTipWindows>(ribbon);
  }
  void TearDown() override {
    tips.reset();
    RibbonFormFixture::TearDown();
  }
  TdxRibbonKeyTipWindow* Add(const String& Text, TPoint P, bool Enabled = true, Byte Horz = 1, Byte Vert = 1) {
    void* window = nullptr;
    tips->Add(Text, P, Enabled, Vert, Horz, window);
    return static_cast<TdxRibbonKeyTipWindow*>(window);
  }
  // The text's extent in the hint font.
  static TSize TextSize(const String& Text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Screen->HintFont()->Handle());
    RECT r{};
    DrawTextW(dc, Text.c_str(), int(Text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {int(r.right - r.left), int(r.bottom - r.top)};
  }

  std::unique_ptr<TdxRibbonKeyTipWindows> tips;
};

TEST_F(KeyTipsTest, AWindowIsItsTextWithAMarginAndAtLeastSixteenWide) {
  for (const wchar_t* text : {L"H", L"F", L"Y1", L"ZWWW"}) {
    SCOPED_TRACE(testing::Message() << text);
    TdxRibbonKeyTipWindow* window = Add(text, {100, 100});
    const TSize t = TextSize(text);
    EXPECT_EQ(window->Width(), std::max(int(t.cx) + 6, 16));
    EXPECT_EQ(window->Height(), t.cy + 2);
  }
  EXPECT_EQ(tips->Windows()[0]->Width(), 16) << "one letter";
  EXPECT_EQ(tips->Windows()[0]->Width(), tips->Windows()[1]->Width());
  TdxRibbonKeyTipWindow* window = tips->Windows()[3];
  window->SetCaption(L"Q");
  EXPECT_EQ(window->Width(), 16) << "a new text resizes";
}

TEST_F(KeyTipsTest, TheAnchorIsTheEndTheStartOrTheCentre) {
  const TPoint anchor(200, 100);
  const TSize size(21, 15);
  struct Case {
    Byte horz, vert;
    TRect bounds;
  } cases[] = {
      {0, 0, {179, 85, 200, 100}}, {1, 1, {200, 100, 221, 115}}, {2, 2, {190, 93, 211, 108}},
      {0, 2, {179, 93, 200, 108}}, {2, 1, {190, 100, 211, 115}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyTipWindowBounds(anchor, size, c.horz, c.vert), c.bounds) << int(c.horz) << int(c.vert);
  }
  TdxRibbonKeyTipWindow* window = Add(L"H", anchor, true, 2, 0);
  EXPECT_EQ(window->BoundsRect(), KeyTipWindowBounds(anchor, {window->Width(), window->Height()}, 2, 0));
}

TEST_F(KeyTipsTest, ShownWindowsAreTopMostRoundedAndLetTheMouseThrough) {
  const TPoint anchor = form->ClientToScreen(TPoint(100, 100));
  TdxRibbonKeyTipWindow* window = Add(L"H", anchor);
  EXPECT_FALSE(IsWindowVisible(window->Handle())) << "nothing shows before the batch";
  tips->Show();
  const HWND h = window->Handle();
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(h, GW_OWNER), Application->Handle());
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(h, region), ERROR);
  EXPECT_TRUE(PtInRegion(region, 8, 8));
  EXPECT_FALSE(PtInRegion(region, window->Width() + 1, 8));
  DeleteObject(region);
  // Other test processes may show windows at the same place: only this window's answer is checked.
  const TPoint centre(anchor.x + window->Width() / 2, anchor.y + window->Height() / 2);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTTRANSPARENT);
  EXPECT_NE(WindowFromPoint(centre), h) << "a click goes to the window under the key tip";
}

TEST_F(KeyTipsTest, DisabledWindowsAreLayeredAtAlpha153AlsoAfterAChange) {
  TdxRibbonKeyTipWindow* enabled = Add(L"H", {100, 100});
  TdxRibbonKeyTipWindow* disabled = Add(L"F", {140, 100}, false);
  tips->Show();
  auto alpha = [](TdxRibbonKeyTipWindow* W) {
    BYTE value = 0;
    DWORD flags = 0;
    if (!(GetWindowLongPtrW(W->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED)) return -1;
    GetLayeredWindowAttributes(W->Handle(), nullptr, &value, &flags);
    return flags & LWA_ALPHA ? int(value) : -2;
  };
  EXPECT_EQ(alpha(enabled), -1) << "opaque";
  EXPECT_EQ(alpha(disabled), 153);
  enabled->SetEnabled(false);
  EXPECT_EQ(alpha(enabled), 153) << "made again";
  disabled->SetEnabled(true);
  EXPECT_EQ(alpha(disabled), -1);
}

TEST_F(KeyTipsTest, TheBackgroundIsTheSkinsScreenTipOrInfoColoursWithoutASkin) {
  for (const wchar_t* scheme : {L"Blue", L"Black", L"Silver"}) {
    SCOPED_TRACE(testing::Message() << "scheme " << scheme);
    ribbon->SetColorSchemeName(scheme);
    TdxRibbonKeyTipWindow* window = Add(L"H", {100, 100});
    const int w = window->Width(), h = window->Height();
    DibSection painted(w, h), expected(w, h);
    window->PaintTo(painted.DC(), 0, 0);
    // The image's translucent corners lie over the erased background.
    ribbon_testing::FillDib(expected, w, h, window->Color());
    ribbon->ColorScheme()->DrawBarPart40(expected.DC(), TRect(0, 0, w, h));
    for (TPoint p : {TPoint(0, 0), TPoint(1, h / 2), TPoint(w - 2, h - 2)})
      EXPECT_EQ(painted.Pixel(p.x, p.y), expected.Pixel(p.x, p.y)) << p.x << "," << p.y;
  }
  TdxRibbonKeyTipWindow plain(nullptr);
  plain.SetCaption(L"H");
  plain.SetBounds(0, 0, 16, 16);
  DibSection painted(16, 16);
  plain.PaintTo(painted.DC(), 0, 0);
  EXPECT_TRUE(NearPixel(painted.Pixel(0, 8), clWindowFrame));
  EXPECT_TRUE(NearPixel(painted.Pixel(1, 8), clInfoBk));
}

TEST_F(KeyTipsTest, DeletingFreesOnlyWindowsMadeHere) {
  TdxRibbonKeyTipWindow* window = Add(L"H", {100, 100});
  const HWND h = (tips->Show(), window->Handle());
  int unknown = 0;
  try {
    tips->Delete(&unknown);
    ADD_FAILURE() << "an unknown window was taken";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"");
  }
  tips->Delete(window);
  EXPECT_TRUE(tips->Windows().empty());
  EXPECT_FALSE(IsWindow(h));
  EXPECT_THROW(tips->Delete(window), Exception) << "twice";
}

}  // namespace
