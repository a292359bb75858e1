// Skin item painting on DIB sections: the nine-part border (margins of narrow rectangles, frames,
// stretch-mode bits, masked pieces), backgrounds over a parent's face, texture percentages and
// modes, and the corner images; then the fade's weights and the event test.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/paint/AnimTimer.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

using namespace skin_testing;
using testing_support::ScratchFolder;

namespace {

int Channel(TColor c, int shift) { return int((c >> shift) & 0xFF); }

void ExpectNear(TColor actual, TColor expected, const char* where) {
  for (int shift = 0; shift < 24; shift += 8)
    EXPECT_NEAR(Channel(actual, shift), Channel(expected, shift), 1) << where << " channel at bit " << shift;
}

constexpr TColor kGrey = 0x808080;

class SkinItemPaint : public testing::Test {
 protected:
  ScratchFolder folder;
  ManagerPtr manager = NewPaintingManager(folder.Path().substr(0, folder.Path().size() - 1));

  int Index(const wchar_t* section) {
    int index = manager->GetSkinIndex(section);
    EXPECT_GE(index, 0) << Narrow(section);
    return index;
  }
  // A border mask over an own image, as the tests draw it.
  TsMaskData OwnMask(TBitmap* image, int imageCount, int maskType, int wl, int wt, int wr, int wb, int stretch) {
    TsMaskData mask;
    mask.Bmp = image;
    mask.R = TRect(0, 0, image->Width(), image->Height());
    mask.ImageCount = std::int16_t(imageCount);
    mask.MaskType = std::int16_t(maskType);
    mask.StretchMode = std::int16_t(stretch);
    mask.WL = std::int16_t(wl), mask.WT = std::int16_t(wt), mask.WR = std::int16_t(wr), mask.WB = std::int16_t(wb);
    mask.Manager = manager.get();
    return mask;
  }
};

TEST_F(SkinItemPaint, NarrowRectanglesShrinkTheSideMarginsTheOddPixelFromTheRight) {
  ASSERT_TRUE(manager->SkinData().Active);
  // Each source column has its own colour: the probes tell which column reached each pixel.
  BitmapPtr image = FilledBmp24(10, 6, 0);
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 6; ++y) SetPixel24(image.get(), x, y, TColor(10 + 20 * x) | 0x3C3200);
  auto column = [](int x) { return TColor(10 + 20 * x) | 0x3C3200; };
  TsMaskData mask = OwnMask(image.get(), 1, 0, 4, 2, 4, 2, 0);
  struct Case {
    int Width;
    std::vector<int> Columns;  // source column of each pixel of the top row
  };
  // 5 pixels: d = 1, wl = 3, wr = 2 (odd width); 6 pixels: wl = wr = 3.
  for (const Case& c : {Case{5, {0, 1, 2, 8, 9}}, Case{6, {0, 1, 2, 7, 8, 9}}}) {
    BitmapPtr bmp = FilledBmp24(c.Width, 6, kGrey);
    PaintBorder(bmp.get(), TRect(0, 0, c.Width, 6), false, EmptyCacheRef, mask, 0, false);
    for (int x = 0; x < c.Width; ++x)
      EXPECT_EQ(Pixel24(bmp.get(), x, 0), column(c.Columns[size_t(x)])) << "width " << c.Width << " x " << x;
  }
}

TEST_F(SkinItemPaint, BorderFramesStretchBitsAndMaskedPieces) {
  // Three frames of 6 x 6: frame k is framed in F[k] with a 2 x 2 centre of C[k].
  const TColor F[3] = {0x0000C0, 0x00C000, 0xC00000}, C[3] = {0x00C0C0, 0xC000C0, 0xC0C000};
  BitmapPtr image = FilledBmp24(18, 6, 0);
  for (int k = 0; k < 3; ++k) {
    FillDC(image->Canvas()->Handle(), TRect(6 * k, 0, 6 * k + 6, 6), F[k]);
    FillDC(image->Canvas()->Handle(), TRect(6 * k + 2, 2, 6 * k + 4, 4), C[k]);
  }
  GdiFlush();
  {
    // State 3 of a two-frame mask uses frame 1.
    BitmapPtr two = FilledBmp24(12, 6, F[0]);
    FillDC(two->Canvas()->Handle(), TRect(6, 0, 12, 6), F[1]);
    GdiFlush();
    TsMaskData mask = OwnMask(two.get(), 2, 0, 2, 2, 2, 2, 0);
    BitmapPtr bmp = FilledBmp24(6, 6, kGrey);
    PaintBorder(bmp.get(), TRect(0, 0, 6, 6), false, EmptyCacheRef, mask, 3, false);
    EXPECT_EQ(Pixel24(bmp.get(), 0, 0), F[1]);
  }
  // Stretch mode 6: nothing in state 0; the centre piece in state 1 only when filling.
  TsMaskData mask = OwnMask(image.get(), 3, 0, 2, 2, 2, 2, 6);
  struct Case {
    int State;
    bool Filling;
    TColor Corner, Centre;
  };
  for (const Case& c : {Case{0, true, kGrey, kGrey}, Case{1, true, F[1], C[1]}, Case{1, false, F[1], kGrey}}) {
    BitmapPtr bmp = FilledBmp24(6, 6, kGrey);
    PaintBorder(bmp.get(), TRect(0, 0, 6, 6), c.Filling, EmptyCacheRef, mask, c.State, false);
    EXPECT_EQ(Pixel24(bmp.get(), 0, 0), c.Corner) << "state " << c.State << " filling " << c.Filling;
    EXPECT_EQ(Pixel24(bmp.get(), 2, 2), c.Centre) << "state " << c.State << " filling " << c.Filling;
  }
}

TEST_F(SkinItemPaint, MaskedBorderWithoutMiddleRowsDrawsCornersAndHorizontalEdgesOnly) {
  // Image rows 0..3 (WT = WB = 2, so no middle rows), black mask rows 4..7: fully opaque.
  const TColor ink = 0x3070B0;
  BitmapPtr image = FilledBmp24(8, 8, 0);
  FillDC(image->Canvas()->Handle(), TRect(0, 0, 8, 4), ink);
  GdiFlush();
  TsMaskData mask = OwnMask(image.get(), 1, 1, 2, 2, 2, 2, 4);
  BitmapPtr bmp = FilledBmp24(8, 12, kGrey);
  PaintBorder(bmp.get(), TRect(0, 0, 8, 12), true, EmptyCacheRef, mask, 0, false);
  EXPECT_EQ(Pixel24(bmp.get(), 0, 0), ink);   // top-left corner
  EXPECT_EQ(Pixel24(bmp.get(), 4, 0), ink);   // top edge
  EXPECT_EQ(Pixel24(bmp.get(), 4, 11), ink);  // bottom edge
  EXPECT_EQ(Pixel24(bmp.get(), 7, 11), ink);  // bottom-right corner
  EXPECT_EQ(Pixel24(bmp.get(), 0, 5), kGrey);  // no left edge
  EXPECT_EQ(Pixel24(bmp.get(), 7, 5), kGrey);  // no right edge
  EXPECT_EQ(Pixel24(bmp.get(), 4, 5), kGrey);  // no centre
}

TEST_F(SkinItemPaint, TransparentSectionsShowTheParentsFace) {
  // The parent's face: every pixel its own colour.
  BitmapPtr parent = FilledBmp24(20, 20, 0);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) SetPixel24(parent.get(), x, y, TColor(x * 10) | TColor(y * 10) << 8 | 0x4D0000);
  TsCacheRef ci = MakeCacheRef(parent.get(), 0, 0);
  BitmapPtr clear = FilledBmp24(10, 10, 0xFFFFFF);
  PaintItemBG(Index(L"SEE100"), L"SEE100", ci, 0, TRect(0, 0, 10, 10), TPoint(5, 5), clear.get(), manager.get());
  EXPECT_EQ(Pixel24(clear.get(), 2, 3), Pixel24(parent.get(), 7, 8));
  EXPECT_EQ(Pixel24(clear.get(), 9, 9), Pixel24(parent.get(), 14, 14));
  // Half transparent black: each channel (parent x 127 + 0 x 128 + 127) div 256.
  BitmapPtr half = FilledBmp24(10, 10, 0xFFFFFF);
  PaintItemBG(Index(L"SEE50"), L"SEE50", ci, 0, TRect(0, 0, 10, 10), TPoint(5, 5), half.get(), manager.get());
  TColor p = Pixel24(parent.get(), 9, 6), expected = 0;
  for (int shift = 0; shift < 24; shift += 8) expected |= TColor((Channel(p, shift) * 127 + 127) / 256) << shift;
  EXPECT_EQ(Pixel24(half.get(), 4, 1), expected);
  EXPECT_EQ(SharedTransparentColor, clFuchsia);
  EXPECT_EQ(SharedParentColor, clFuchsia);
}

TEST_F(SkinItemPaint, TexturesMixByTheirPercentageAndFillBandsByMode) {
  using namespace paint_skin;
  // 30 % of the tile over 70 % of the section's colour.
  BitmapPtr mixed = FilledBmp24(16, 8, 0);
  PaintItemBG(Index(L"TEX30"), L"TEX30", EmptyCacheRef, 0, TRect(0, 0, 16, 8), TPoint(0, 0), mixed.get(), manager.get());
  ExpectNear(Pixel24(mixed.get(), 3, 2), TColor(60 | 12 << 8 | 187 << 16), "30 % of the tile");
  ExpectNear(Pixel24(mixed.get(), 15, 7), TColor(60 | 12 << 8 | 187 << 16), "30 % of the tile, last tile");
  // Mode 2 over a rectangle taller than the tile: one band of tiles at the top, colour below.
  BitmapPtr band = FilledBmp24(16, 20, 0);
  PaintItemBG(Index(L"TEXTOP"), L"TEXTOP", EmptyCacheRef, 0, TRect(0, 0, 16, 20), TPoint(0, 0), band.get(), manager.get());
  for (int y : {0, 3}) EXPECT_EQ(Pixel24(band.get(), 12, y), kTile) << "row " << y;
  for (int y : {4, 19}) EXPECT_EQ(Pixel24(band.get(), 12, y), kTexBase) << "row " << y;
}

TEST_F(SkinItemPaint, CornerImagesSitInTheCornersOfARectangleAwayFromTheLeftEdge) {
  using namespace paint_skin;
  TsCommonData state(nullptr, true);
  state.SetSkinSection(L"CORNERS");
  ASSERT_TRUE(state.Skinned());
  BitmapPtr bmp = FilledBmp24(40, 24, kGrey);
  PaintItem(&state, EmptyCacheRef, false, 0, TRect(10, 4, 30, 20), TPoint(0, 0), bmp.get(), false);
  EXPECT_EQ(Pixel24(bmp.get(), 10, 4), kCornerTL);
  EXPECT_EQ(Pixel24(bmp.get(), 29, 4), kCornerTR);
  EXPECT_EQ(Pixel24(bmp.get(), 10, 19), kCornerBL);
  EXPECT_EQ(Pixel24(bmp.get(), 12, 17), kCornerBL);
  EXPECT_EQ(Pixel24(bmp.get(), 29, 19), kCornerBR);
  EXPECT_EQ(Pixel24(bmp.get(), 20, 12), kSolid);
  // Nothing is drawn left of the rectangle.
  EXPECT_EQ(Pixel24(bmp.get(), 0, 19), kGrey);
  EXPECT_EQ(Pixel24(bmp.get(), 2, 17), kGrey);
}

TEST_F(SkinItemPaint, AnExceptionInsideAPaintLeavesTheSharedColoursUnset) {
  SharedTransparentColor = SharedParentColor = 0x123456;
  try {
    TSharedColorScope outer;
    {
      TSharedColorScope inner;
    }
    EXPECT_EQ(SharedTransparentColor, 0x123456) << "an inner routine keeps the caller's colours";
    throw std::runtime_error("paint failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(SharedTransparentColor, clFuchsia);
  EXPECT_EQ(SharedParentColor, clFuchsia);
}

// ---- fading --------------------------------------------------------------------------------------

// A graphic control that owns a skin state and records the skin commands it receives.
class TFadedControl : public TGraphicControl {
 public:
  explicit TFadedControl(TComponent* owner) : TGraphicControl(owner), State(this, true) {}
  TsCommonData State;
  std::vector<int> Commands;

 protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == SM_ALPHACMD) Commands.push_back(message.WParamHi());
    TGraphicControl::WndProc(message);
  }
};

TEST(SkinFading, WeightsRunFromTheOldFaceToTheNewOneThenTheControlIsStopped) {
  ScratchFolder folder;
  ManagerPtr manager = NewPaintingManager(folder.Path().substr(0, folder.Path().size() - 1));
  std::unique_ptr<TFadedControl, TFreeDeleter> control(new TFadedControl(nullptr));
  control->State.SetSkinSection(L"BTN");
  control->State.CacheBmp->SetSize(4, 4);
  FillDC(control->State.CacheBmp->Canvas()->Handle(), TRect(0, 0, 4, 4), 0);
  std::unique_ptr<TsAnimTimer, TFreeDeleter> timer(new TsAnimTimer(nullptr));
  EXPECT_FALSE(timer->Enabled());
  EXPECT_TRUE(bool(timer->OnTimer())) << "the framework's timer runs only with a handler";
  timer->BindTo(&control->State);
  EXPECT_EQ(timer->Interval(), 10u);
  ASSERT_EQ(timer->Iterations, 5);
  timer->SourceBmp->Assign(FilledBmp24(4, 4, 0xFFFFFF).get());
  // Old face white, new face black: each frame shows (255 x a + 127) div 256.
  for (int a : {255, 204, 153, 102, 51, 0}) {
    timer->Timer();
    EXPECT_EQ(Pixel24(timer->TmpBmp, 1, 1) & 0xFF, TColor((255 * a + 127) >> 8)) << "weight " << a;
    EXPECT_EQ(control->Commands.back(), scSetUpdating) << "each frame clears the control's updating";
  }
  EXPECT_EQ(timer->FadeLevel, 6);
  EXPECT_EQ(std::count(control->Commands.begin(), control->Commands.end(), int(scStopFading)), 0);
  timer->Timer();
  EXPECT_EQ(control->Commands.back(), scStopFading);
  EXPECT_EQ(FadeWeight(5, 5), 0) << "255 - 5 x 256 div 5 = -1, clamped";
}

TEST(SkinFading, NoIterationsPaintsNothingAndStopsAfterTheFirstTick) {
  std::unique_ptr<TFadedControl, TFreeDeleter> control(new TFadedControl(nullptr));
  std::unique_ptr<TsAnimTimer, TFreeDeleter> timer(new TsAnimTimer(nullptr));
  timer->BindTo(&control->State);  // no skin: no section, 0 iterations
  ASSERT_EQ(timer->Iterations, 0);
  timer->Timer();
  EXPECT_EQ(timer->FadeLevel, 1);
  EXPECT_EQ(timer->TmpBmp->Width(), 0) << "no frame was painted";
  EXPECT_TRUE(control->Commands.empty());
  timer->Timer();
  EXPECT_EQ(control->Commands, std::vector<int>{scStopFading});
}

TEST(SkinFading, TheGlobalDefaultFollowsTheDefaultManagersButtonEvents) {
  ScratchFolder folder;
  ManagerPtr manager = NewManager(folder.Path());
  ASSERT_TRUE(manager->IsDefault());
  TacBtnEvents saved = manager->AnimEffects()->ButtonEvents();
  EXPECT_TRUE(EventAnimates(aeMouseDown, {aeGlobalDef}));
  EXPECT_TRUE(EventAnimates(aeMouseDown, {aeMouseDown}));
  EXPECT_FALSE(EventAnimates(aeMouseDown, {}));
  manager->AnimEffects()->SetButtonEvents({});
  EXPECT_FALSE(EventAnimates(aeMouseDown, {aeGlobalDef}));
  EXPECT_TRUE(EventAnimates(aeMouseDown, {aeMouseDown, aeGlobalDef}));
  manager->AnimEffects()->SetButtonEvents(saved);
}

}  // namespace
