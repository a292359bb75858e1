// Image parts, bar skins and the skin manager under Wine's GDI+: the nine-part geometry, drawing
// with nearest-neighbour scaling and alpha, the cached rendering, and the registry's rules.

#include <memory>

#include "RibbonTestSupport.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/TestSupport.h"
#include "tests/ui/navbar/GdiPlusTestSupport.h"
#include "ui/foundation/Geometry.h"
#include "ui/navbar/skins/GdiPlusClasses.h"
#include "ui/ribbon/BarSkins.h"

namespace {

using namespace ribbon_testing;
using gdiplus_testing::BytesStream;
using gdiplus_testing::MakePng;
using gdiplus_testing::Pixel;

class BarSkins : public RibbonFixture {};

// A 9 x 9 picture of nine 3 x 3 blocks of distinct colours, block i = (x / 3) + 3 (y / 3).
constexpr DWORD kBlocks[9] = {0xC00000, 0x00C000, 0x0000C0, 0xC0C000, 0xC000C0, 0x00C0C0, 0x804020, 0x208040, 0x402080};

std::unique_ptr<TdxGPImage, TFreeDeleter> BlockImage() {
  BytesStream stream(MakePng(9, 9, 6, [](int x, int y) {
    const DWORD c = kBlocks[x / 3 + 3 * (y / 3)];
    return Pixel{Byte(c >> 16), Byte(c >> 8), Byte(c), 255};
  }));
  return std::unique_ptr<TdxGPImage, TFreeDeleter>(LoadGdipImageFromStream(stream));
}

TEST_F(BarSkins, NinePartSizesKeepTheMarginsWhileTheyFit) {
  struct Case {
    TRect margins;
    int width, height;
    int columns[3], rows[3];
  } cases[] = {
      {{6, 2, 6, 3}, 20, 10, {6, 8, 6}, {2, 5, 3}},
      {{6, 6, 6, 6}, 9, 12, {4, 0, 5}, {6, 0, 6}},  // 10 wide with 6 and 6, drawn 9: 4, 0, 5
      {{0, 0, 0, 0}, 17, 5, {0, 17, 0}, {0, 5, 0}},  // no margins: one stretched image
      {{2, 2, 2, 2}, 3, 1, {1, 0, 2}, {0, 0, 1}},
  };
  for (const Case& c : cases) {
    TdxSkinnedRect part;
    part.LoadFromImage(nullptr, {0, 0, 10, 10}, c.margins);
    part.SetDrawSize(c.width, c.height);
    for (int i = 0; i < 9; ++i) {
      EXPECT_EQ(part.PartSizes()[std::size_t(i)].cx, c.columns[i % 3]) << "part " << i << ", width " << c.width;
      EXPECT_EQ(part.PartSizes()[std::size_t(i)].cy, c.rows[i / 3]) << "part " << i << ", height " << c.height;
    }
    EXPECT_EQ(part.MinimalSize(), TSize(c.margins.left + c.margins.right, c.margins.top + c.margins.bottom));
    EXPECT_EQ(part.ContentRect({0, 0, 30, 30}), DeflateRectByMargins({0, 0, 30, 30}, c.margins));
  }
}

TEST_F(BarSkins, NearestNeighbourPartsKeepCornersAndStretchEdges) {
  auto image = BlockImage();
  ASSERT_TRUE(image);
  TdxSkinnedRect part;
  part.LoadFromImage(image->Handle(), {0, 0, 9, 9}, {3, 3, 3, 3});
  part.Interpolation = 5;
  for (TSize size : {TSize(9, 9), TSize(20, 15), TSize(31, 40)}) {
    DibSection dib(40, 50);
    FillDib(dib, 40, 50, clWhite);
    part.DrawPart(dib.DC(), RectFromBounds(2, 3, size.cx, size.cy));
    const int l = 2, t = 3, r = 2 + size.cx - 1, b = 3 + size.cy - 1, mx = 2 + size.cx / 2, my = 3 + size.cy / 2;
    struct Probe {
      int x, y, block;
    } probes[] = {{l, t, 0},     {l + 2, t + 2, 0}, {r, t, 2},     {r - 2, t + 2, 2}, {l, b, 6},     {r, b, 8},
                  {r - 2, b - 2, 8}, {mx, t, 1},     {mx, t + 2, 1}, {l, my, 3},        {r, my, 5},    {mx, b, 7},
                  {mx, my, 4},   {l + 3, t + 3, 4}, {r - 3, b - 3, 4}};
    for (const Probe& p : probes)
      EXPECT_EQ(dib.Pixel(p.x, p.y), kBlocks[p.block])
          << size.cx << " x " << size.cy << " at " << p.x << ", " << p.y << " (block " << p.block << ")";
    EXPECT_EQ(dib.Pixel(l - 1, t), 0xFFFFFFu) << "nothing left of the part";
    EXPECT_EQ(dib.Pixel(r + 1, b + 1), 0xFFFFFFu) << "nothing past the part";
  }
}

TEST_F(BarSkins, AlphaCombinesTheConstantAndThePixels) {
  // Left half opaque red, right half transparent.
  BytesStream stream(MakePng(4, 4, 6, [](int x, int) { return x < 2 ? Pixel{255, 0, 0, 255} : Pixel{0, 0, 0, 0}; }));
  std::unique_ptr<TdxGPImage, TFreeDeleter> image(LoadGdipImageFromStream(stream));
  ASSERT_TRUE(image);
  TdxSkinnedRect part;
  part.LoadFromImage(image->Handle(), {0, 0, 4, 4}, {});
  part.Interpolation = 5;
  DibSection dib(8, 8);
  FillDib(dib, 8, 8, clWhite);
  part.DrawPart(dib.DC(), {0, 0, 8, 8}, 128);
  EXPECT_TRUE(gdiplus_testing::NearColor(dib.Pixel(1, 4), 255, 127, 127, 3));
  EXPECT_EQ(dib.Pixel(6, 4), 0xFFFFFFu);
  EXPECT_EQ(part.Alpha, 128);
}

// ---- the cache ------------------------------------------------------------------------------------

struct CallCounts {
  static inline int GraphicsContexts = 0, Blends = 0, HBitmaps = 0;
  static inline decltype(Bound().GdipGetImageGraphicsContext.Get()) SavedContext = nullptr;
  static inline decltype(Bound().AlphaBlend.Get()) SavedBlend = nullptr;
  static inline decltype(Bound().GdipCreateHBITMAPFromBitmap.Get()) SavedHBitmap = nullptr;
  static GpStatus WINAPI Context(GpImage* image, GpGraphics** graphics) {
    ++GraphicsContexts;
    return SavedContext(image, graphics);
  }
  static BOOL WINAPI Blend(HDC a, int b, int c, int d, int e, HDC f, int g, int h, int i, int j, BLENDFUNCTION k) {
    ++Blends;
    return SavedBlend(a, b, c, d, e, f, g, h, i, j, k);
  }
  static GpStatus WINAPI HBitmap(GpImage* image, HBITMAP* bitmap, DWORD background) {
    ++HBitmaps;
    return SavedHBitmap(image, bitmap, background);
  }
  static void Install() {
    GraphicsContexts = Blends = HBitmaps = 0;
    SavedContext = Bound().GdipGetImageGraphicsContext.Get();
    SavedBlend = Bound().AlphaBlend.Get();
    SavedHBitmap = Bound().GdipCreateHBITMAPFromBitmap.Get();
    Bound().GdipGetImageGraphicsContext.Set(&Context);
    Bound().AlphaBlend.Set(&Blend);
    Bound().GdipCreateHBITMAPFromBitmap.Set(&HBitmap);
  }
};

TEST_F(BarSkins, RepaintAtAnUnchangedSizeIsOneBlendOfTheKeptRendering) {
  auto image = BlockImage();
  TdxSkinnedRect part;
  part.LoadFromImage(image->Handle(), {0, 0, 9, 9}, {3, 3, 3, 3});
  DibSection dib(60, 60);
  CallCounts::Install();
  part.DrawPart(dib.DC(), {0, 0, 30, 20});
  const int rendering = CallCounts::GraphicsContexts;
  EXPECT_GT(rendering, 0) << "rendered";
  for (int i = 0; i < 3; ++i) part.DrawPart(dib.DC(), {10, 10, 40, 30});
  EXPECT_EQ(CallCounts::GraphicsContexts, rendering) << "same size, no new rendering";
  EXPECT_EQ(CallCounts::Blends, 4) << "one blend per draw";
  EXPECT_EQ(CallCounts::HBitmaps, 0) << "no bitmap made per draw";
  part.DrawPart(dib.DC(), {0, 0, 31, 20});
  part.DrawPart(dib.DC(), {0, 0, 30, 20});
  EXPECT_EQ(CallCounts::GraphicsContexts, 3 * rendering) << "each size change renders anew";
  EXPECT_EQ(part.CacheSize(), TSize(30, 20));
}

TEST_F(BarSkins, NothingDrawnForAnEmptyRectangleAndTheCacheStays) {
  auto image = BlockImage();
  TdxSkinnedRect part;
  part.LoadFromImage(image->Handle(), {0, 0, 9, 9}, {3, 3, 3, 3});
  DibSection dib(20, 20);
  FillDib(dib, 20, 20, clWhite);
  part.DrawPart(dib.DC(), {0, 0, 0, 10});
  EXPECT_EQ(part.DrawSize(), TSize(0, 0));
  EXPECT_EQ(dib.Pixel(0, 0), 0xFFFFFFu);
  part.DrawPart(dib.DC(), {0, 0, 12, 12});
  HBITMAP cache = part.CacheBitmap();
  part.DrawPart(dib.DC(), {0, 10, 12, 5});
  EXPECT_EQ(part.DrawSize(), TSize(12, 12));
  EXPECT_EQ(part.CacheBitmap(), cache);
}

BOOL WINAPI FailingAlphaBlend(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION) { return FALSE; }

TEST_F(BarSkins, WithoutAlphaBlendTransparentPixelsStillLeaveTheBackground) {
  BytesStream stream(MakePng(4, 4, 6, [](int x, int) {
    return x == 0 ? Pixel{0, 0, 255, 255} : x == 1 ? Pixel{0, 0, 255, 128} : Pixel{0, 0, 0, 0};
  }));
  std::unique_ptr<TdxGPImage, TFreeDeleter> image(LoadGdipImageFromStream(stream));
  TdxSkinnedRect part;
  part.LoadFromImage(image->Handle(), {0, 0, 4, 4}, {});
  part.Interpolation = 5;
  Bound().AlphaBlend.Set(&FailingAlphaBlend);
  DibSection dib(4, 4);
  FillDib(dib, 4, 4, clWhite);
  part.DrawPart(dib.DC(), {0, 0, 4, 4});
  EXPECT_EQ(dib.Pixel(0, 1), 0x0000FFu);
  EXPECT_TRUE(gdiplus_testing::NearColor(dib.Pixel(1, 1), 127, 127, 255, 3));
  EXPECT_EQ(dib.Pixel(3, 1), 0xFFFFFFu) << "a transparent pixel is not painted black";
}

// ---- skins ----------------------------------------------------------------------------------------

TdxSkinnedRect* NewPart(int id, const String& name) {
  auto* part = new TdxSkinnedRect();
  part->PartID = id;
  part->PartName = name;
  return part;
}

TEST_F(BarSkins, SkinsRefuseDuplicateIDsAndNames) {
  TdxCustomBarSkin skin(L"Test");
  EXPECT_EQ(skin.AddSkinPart(nullptr), -1);
  EXPECT_EQ(skin.AddSkinPart(NewPart(7, L"Edge")), 0);
  EXPECT_EQ(skin.AddSkinPart(NewPart(-1, L"")), 1);
  EXPECT_EQ(skin.AddSkinPart(NewPart(-1, L"Face")), 2) << "ID -1 never conflicts";
  struct Case {
    int id;
    const wchar_t* name;
    const wchar_t* message;
  } cases[] = {{7, L"", L"ERROR: Duplicate part's ID = 7"},
               {8, L"EDGE", L"ERROR: Duplicate part's name = \"EDGE\""}};
  for (const Case& c : cases) {
    std::unique_ptr<TdxSkinnedRect, TFreeDeleter> refused(NewPart(c.id, c.name));
    EXPECT_EQ(testing_support::MessageOf<Exception>([&] { skin.AddSkinPart(refused.get()); }), c.message);
  }
  EXPECT_EQ(skin.Count(), 3);
  auto image = BlockImage();
  EXPECT_EQ(skin.AddImagePartWithTopBottom(image->Handle(), {0, 0, 9, 9}, 5, L"Strip", 9, 2, 3), 3);
  EXPECT_EQ(skin.Parts(3)->Margins(), TRect(0, 2, 0, 3));
  EXPECT_THROW(skin.AddImagePart(image->Handle(), {0, 0, 9, 9}, 0, L"", 9), Exception);
  EXPECT_EQ(skin.Count(), 4);
}

class WatchedSkin : public TdxCustomBarSkin {
 public:
  WatchedSkin(const String& name, bool* freed, bool persistent = false)
      : TdxCustomBarSkin(name), freed_(freed), persistent_(persistent) {}
  ~WatchedSkin() override { *freed_ = true; }
  bool IsPersistent() const override { return persistent_; }

 private:
  bool* freed_;
  bool persistent_;
};

class CountingManager : public TdxBarSkinManager {
 public:
  void Changed() override { ++changes; }
  int changes = 0;
};

TEST_F(BarSkins, ManagerRegistersByNameAndRemovesOnlyWhatItHolds) {
  CountingManager manager;
  bool blueFreed = false, otherFreed = false, persistentFreed = false;
  auto* blue = new WatchedSkin(L"Blue", &blueFreed);
  WatchedSkin second(L"blue", &otherFreed), unnamed(L"", &otherFreed);
  ASSERT_EQ(manager.AddSkin(blue), 0);
  EXPECT_EQ(manager.AddSkin(&second), -1) << "names differ only in case";
  EXPECT_EQ(manager.AddSkin(&unnamed), -1);
  EXPECT_EQ(manager.AddSkin(nullptr), -1);
  EXPECT_EQ(manager.SkinByName(L"BLUE"), blue);
  EXPECT_EQ(manager.SkinByName(L"Black"), nullptr);
  auto* persistent = new WatchedSkin(L"Kept", &persistentFreed, true);
  ASSERT_EQ(manager.AddSkin(persistent), 1);
  EXPECT_EQ(manager.changes, 2);

  EXPECT_FALSE(manager.RemoveSkin(&second)) << "not registered";
  EXPECT_FALSE(otherFreed);
  EXPECT_FALSE(manager.RemoveSkin(persistent));
  EXPECT_FALSE(persistentFreed);
  EXPECT_TRUE(manager.RemoveSkin(blue));
  EXPECT_TRUE(blueFreed);
  EXPECT_EQ(manager.SkinCount(), 1);
  EXPECT_EQ(manager.changes, 3);
  {
    TGdiPlusUnavailableScope noGdiPlus;
    WatchedSkin late(L"Late", &otherFreed);
    EXPECT_EQ(manager.AddSkin(&late), -1) << "no skin without GDI+";
  }
}

TEST_F(BarSkins, ImagesFromStreamsOutliveTheirStreams) {
  std::unique_ptr<TdxGPImage, TFreeDeleter> image;
  {
    BytesStream stream(MakePng(5, 3, 6, [](int, int) { return Pixel{0, 200, 0, 255}; }));
    image.reset(LoadGdipImageFromStream(stream));
  }
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 5);
  EXPECT_EQ(image->Height(), 3);
  TdxSkinnedRect part;
  part.LoadFromImage(image->Handle(), {0, 0, 5, 3}, {});
  image.reset();  // the part keeps its own pixels
  DibSection dib(5, 3);
  part.DrawPart(dib.DC(), {0, 0, 5, 3});
  EXPECT_EQ(dib.Pixel(2, 1), 0x00C800u);

  BytesStream garbage(AnsiString(64, 'x'));
  EXPECT_EQ(LoadGdipImageFromStream(garbage), nullptr);
  TGdiPlusUnavailableScope noGdiPlus;
  BytesStream png(MakePng(2, 2, 6, [](int, int) { return Pixel{0, 0, 0, 255}; }));
  EXPECT_EQ(LoadGdipImageFromStream(png), nullptr);
}

}  // namespace
