// The painter base: the drawing order, custom-draw events replacing only their element, groups that
// show a control, images outside the list, the change flags and the focus frame's pixels.

#include <gtest/gtest.h>

#include "NavBarTestSupport.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/ImageList.h"

using namespace navbar_testing;

namespace {

class NavBarPainting : public NavBarFixture {
 protected:
  // Paints the bar into its bitmap from a fresh layout and answers the recorded steps.
  std::vector<String> Draw() {
    Layout();
    Painter()->Calls.clear();
    bar->InvalidateAll(nbiRepaint);
    Painter()->PrepareToPaint();
    return Painter()->Calls;
  }
};

TEST_F(NavBarPainting, DrawingOrder) {
  TdxNavBarGroup* a = AddGroup(L"A", 2);
  AddGroup(L"B", 1);
  bar->SetActiveGroup(a);
  const std::vector<String> expected = {
      L"Background",
      L"GroupBackground A", L"GroupItems A",
      L"Link A1", L"LinkSelection A1", L"LinkCaption A1", L"LinkFocusRect A1",
      L"Link A2", L"LinkSelection A2", L"LinkCaption A2", L"LinkFocusRect A2",
      L"GroupCaption A", L"GroupFocusRect A",
      L"GroupBackground B", L"GroupItems B", L"GroupCaption B", L"GroupFocusRect B",
      L"ScrollButtons", L"DropTargetGroupSelection", L"DropTargetLinkSelection",
  };
  EXPECT_EQ(Draw(), expected);
}

TEST_F(NavBarPainting, HandledEventsReplaceOnlyTheirElement) {
  AddGroup(L"A", 1);
  int backgrounds = 0;
  bar->OnCustomDraw()->Background = [&](TObject* sender, TCanvas* canvas, TdxNavBarViewInfo* info, bool& handled) {
    EXPECT_EQ(sender, bar);
    EXPECT_EQ(canvas, bar->CanvasBitmap()->Canvas());
    EXPECT_EQ(info, bar->ViewInfo());
    EXPECT_FALSE(handled);
    ++backgrounds;
  };
  bar->OnCustomDraw()->Link = [](TObject*, TCanvas*, TdxNavBarLinkViewInfo*, bool& handled) { handled = true; };
  bar->OnCustomDraw()->GroupCaption = [](TObject*, TCanvas*, TdxNavBarGroupViewInfo*, bool& handled) {
    handled = true;
  };
  const std::vector<String> expected = {
      L"Background", L"GroupBackground A", L"GroupItems A", L"Link A1", L"LinkFocusRect A1", L"GroupFocusRect A",
      L"ScrollButtons", L"DropTargetGroupSelection", L"DropTargetLinkSelection",
  };
  EXPECT_EQ(Draw(), expected);
  EXPECT_GT(backgrounds, 0);  // the background event runs, drawing nothing in its place
}

TEST_F(NavBarPainting, GroupShowingAControlGetsNoLinks) {
  TdxNavBarGroup* group = AddGroup(L"A", 2);
  group->OptionsGroupControl()->SetUseControl(true);
  const std::vector<String> calls = Draw();
  EXPECT_NE(std::find(calls.begin(), calls.end(), L"GroupBackground A"), calls.end());
  EXPECT_EQ(std::find(calls.begin(), calls.end(), L"GroupItems A"), calls.end());
  EXPECT_EQ(std::find(calls.begin(), calls.end(), L"Link A1"), calls.end());
}

TEST_F(NavBarPainting, ImageOutsideTheListDrawsTheCaptionOnly) {
  TImageList images(root);
  images.SetSize(16, 16);
  TBitmap picture(16, 16);
  images.Add(&picture, nullptr);
  images.Add(&picture, nullptr);
  bar->OptionsImage()->SetSmallImages(&images);
  TdxNavBarGroup* group = AddGroup(L"A", 2);
  group->LinkAt(0)->Item()->SetSmallImageIndex(1);
  group->LinkAt(1)->Item()->SetSmallImageIndex(5);
  const std::vector<String> calls = Draw();
  auto has = [&](const wchar_t* call) { return std::find(calls.begin(), calls.end(), call) != calls.end(); };
  EXPECT_TRUE(has(L"LinkImage A1"));
  EXPECT_FALSE(has(L"LinkImage A2"));
  EXPECT_TRUE(has(L"LinkCaption A2"));
}

TEST_F(NavBarPainting, FlagsByChangeKind) {
  AddGroup(L"A", 1);
  Layout();
  TdxNavBarPainter* painter = bar->Painter();
  struct Case {
    TdxNavBarInvalidation kind;
    bool recreate, recalc, redraw;
  };
  const Case cases[] = {
      {nbiRepaint, false, false, true}, {nbiRelayout, false, true, true}, {nbiRebuild, true, true, true}};
  for (const Case& c : cases) {
    painter->PrepareToPaint();
    bar->InvalidateAll(c.kind);
    EXPECT_EQ(painter->RecreatePending(), c.recreate) << c.kind;
    EXPECT_EQ(painter->RecalcPending(), c.recalc) << c.kind;
    EXPECT_EQ(painter->RedrawPending(), c.redraw) << c.kind;
  }
  // A caption is a relayout, a hidden item a rebuild.
  painter->PrepareToPaint();
  bar->Items()->ItemAt(0)->SetCaption(L"New");
  EXPECT_FALSE(painter->RecreatePending());
  EXPECT_TRUE(painter->RecalcPending());
  painter->PrepareToPaint();
  bar->Items()->ItemAt(0)->SetVisible(false);
  EXPECT_TRUE(painter->RecreatePending());
}

TEST_F(NavBarPainting, FocusFrameDotsWhereXPlusYIsOdd) {
  Layout();
  TBitmap* bitmap = bar->CanvasBitmap();
  ASSERT_GE(bitmap->Width(), 40);
  ASSERT_EQ(bitmap->PixelFormat(), pf32bit);
  bar->Painter()->cxCanvas()->FillAreaWithColor({0, 0, 40, 30}, clWhite);
  const TRect frame{10, 11, 21, 19};
  bar->Painter()->DrawFocusFrame(frame, clRed);
  GdiFlush();
  const TRect inner = InflateRectBy(frame, -1, -1);
  for (int y = 0; y < 30; ++y) {
    const auto* row = static_cast<const DWORD*>(bitmap->ScanLine(y));
    for (int x = 0; x < 40; ++x) {
      const bool edge = RectContainsXY(inner, x, y) &&
                        (x == inner.left || x == inner.right - 1 || y == inner.top || y == inner.bottom - 1);
      const DWORD expected = edge && (x + y) % 2 == 1 ? 0xFF0000 : 0xFFFFFF;
      EXPECT_EQ(row[x] & 0xFFFFFF, expected) << x << "," << y;
    }
  }
  bar->Painter()->DrawFocusFrame({}, clRed);  // nothing for an empty rectangle
}

}  // namespace
