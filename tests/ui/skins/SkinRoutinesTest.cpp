// The decompression stream's rules, the common routines (message boxes, INI text, paths, set
// properties), the drawing routines and the gradients, probed on small DIB sections.

#include <gtest/gtest.h>

#include "platform/framework/classes/Reflection.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/core/ZStream.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/Gradients.h"

using namespace skin_testing;

namespace {

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

BitmapPtr Filled(int width, int height, TColor color, TPixelFormat format = pf24bit) {
  BitmapPtr bmp(new TBitmap(width, height, format));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      auto* p = static_cast<Byte*>(bmp->ScanLine(y)) + (format == pf24bit ? 3 : 4) * x;
      p[0] = Byte(color >> 16);
      p[1] = Byte(color >> 8);
      p[2] = Byte(color);
    }
  return bmp;
}

TColor PixelOf(TBitmap* bmp, int x, int y) {
  auto* p = static_cast<const Byte*>(bmp->ScanLine(y)) + (bmp->PixelFormat() == pf24bit ? 3 : 4) * x;
  return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16;
}

void SetPixelOf(TBitmap* bmp, int x, int y, TColor color) {
  auto* p = static_cast<Byte*>(bmp->ScanLine(y)) + 3 * x;
  p[0] = Byte(color >> 16);
  p[1] = Byte(color >> 8);
  p[2] = Byte(color);
}

// ---- decompression stream -----------------------------------------------------------------------

TEST(ZDecompressionStream, ReadsOneStreamAndLeavesTheSourceAfterIt) {
  std::vector<Byte> archive = WriteSkinArchive({{"a", {'h', 'e', 'l', 'l', 'o'}}});
  TMemoryStream source;
  source.WriteBuffer(archive.data(), Int64(archive.size()));
  source.WriteBuffer("tail", 4);
  source.SetPosition(4 + 4 + 4 + 1 + 4);
  TZDecompressionStream z(source);
  char text[16] = {};
  EXPECT_EQ(z.Read(text, 16), 5);
  EXPECT_STREQ(text, "hello");
  EXPECT_EQ(source.Position(), Int64(archive.size()));
  EXPECT_EQ(z.Seek(0, soCurrent), 5);
  EXPECT_EQ(testing_support::MessageOf<EZDecompressionError>([&] { z.Write("x", 1); }), L"Invalid ZStream operation!");
  EXPECT_EQ(testing_support::MessageOf<EZDecompressionError>([&] { z.Seek(-1, soCurrent); }),
            L"Invalid ZStream operation!");
  EXPECT_EQ(testing_support::MessageOf<EZDecompressionError>([&] { z.Seek(2, soEnd); }), L"Invalid ZStream operation!");
}

TEST(ZDecompressionStream, ForwardSeeksReadAndDrop) {
  std::vector<Byte> data(20000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = Byte(i * 7);
  std::vector<Byte> archive = WriteSkinArchive({{"a", data}});
  TMemoryStream source;
  source.WriteBuffer(archive.data() + 17, Int64(archive.size() - 17));
  source.SetPosition(0);
  TZDecompressionStream z(source);
  EXPECT_EQ(z.Seek(10000, soBeginning), 10000);
  Byte b = 0;
  z.Read(&b, 1);
  EXPECT_EQ(b, Byte(10000 * 7));
  EXPECT_EQ(z.Seek(0, soEnd), 20000);
  EXPECT_EQ(testing_support::MessageOf<EZDecompressionError>([&] { z.Seek(5, soBeginning); }),
            L"Invalid ZStream operation!");
  source.SetPosition(0);
  std::vector<Byte> corrupt{0x78, 0x9C, 0xFF, 0xFF, 0xFF};
  TMemoryStream bad;
  bad.WriteBuffer(corrupt.data(), Int64(corrupt.size()));
  bad.SetPosition(0);
  TZDecompressionStream badStream(bad);
  EXPECT_EQ(testing_support::MessageOf<EZDecompressionError>([&] { badStream.Read(&b, 1); }), L"data error");
}

// ---- common routines ----------------------------------------------------------------------------

TEST(SkinCommon, MessageBoxFlagsAndCaptions) {
  struct Case {
    int kind;
    TacMsgButtons buttons;
    UINT flags;
  } cases[] = {
      {0, {mbOK}, MB_ICONEXCLAMATION | MB_OK},
      {1, {mbOK, mbCancel}, MB_ICONSTOP | MB_OKCANCEL},
      {2, {mbAbort, mbRetry, mbIgnore}, MB_ICONINFORMATION | MB_ABORTRETRYIGNORE},
      {3, {mbYes, mbNo, mbCancel}, MB_ICONQUESTION | MB_YESNOCANCEL},
      {3, {mbYes, mbNo, mbHelp}, MB_ICONQUESTION | MB_YESNO | MB_HELP},
      {4, {mbRetry, mbCancel}, MB_RETRYCANCEL},
      {4, {}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(MessageBoxFlags(c.kind, c.buttons), c.flags) << c.kind;
  TSeenBoxes boxes;
  KindMessageBox(L"plain", 4, {mbOK});
  WarningBox(L"careful");
  ErrorBox(L"broken");
  ASSERT_EQ(boxes.Boxes.size(), 3u);
  EXPECT_EQ(boxes.Boxes[0].Caption, L"");
  EXPECT_EQ(boxes.Boxes[0].Flags, UINT(MB_OK));
  EXPECT_EQ(boxes.Boxes[1].Caption, L"Warning");
  EXPECT_EQ(boxes.Boxes[2].Caption, L"Error");
  EXPECT_EQ(boxes.Boxes[2].Text, L"broken");
  EXPECT_EQ(MessageBoxX, -1);
}

TEST(SkinCommon, IniSectionsInStringLists) {
  TStringList lines;
  lines.SetText(L"orphan=1\r\n[ A ]\r\n;comment\r\nKEY=first\r\nkey=second\r\nSPACED = 3\r\n[HEX]\r\nV=0x1F\r\nB=0x\r\nN=12\r\nX=1z\r\n");
  TStringList sections;
  SplitIniSections(lines, sections);
  ASSERT_EQ(sections.Count(), 2);
  EXPECT_EQ(sections.Strings(0), L" A ");
  EXPECT_EQ(IniSectionString(sections, L" a ", L"key", L"-"), L"first");
  EXPECT_EQ(IniSectionString(sections, L" A ", L"SPACED", L"-"), L"-");
  EXPECT_EQ(IniSectionString(sections, L"MISSING", L"KEY", L"-"), L"-");
  struct Case {
    const wchar_t* key;
    int value;
  } cases[] = {{L"V", 31}, {L"B", -7}, {L"N", 12}, {L"X", -7}, {L"NONE", -7}};
  for (const Case& c : cases) EXPECT_EQ(IniSectionInteger(sections, L"HEX", c.key, -7), c.value) << Narrow(c.key);
  FreeIniSections(sections);
}

TEST(SkinCommon, NormalDirAndNumbers) {
  struct Case {
    const wchar_t* path;
    const wchar_t* normal;
  } cases[] = {{L"", L""}, {L"c", L"c:\\"}, {L"c:\\Skins", L"c:\\Skins\\"}, {L"c:\\Skins\\", L"c:\\Skins\\"},
               {L"c:/Skins/", L"c:/Skins\\"}};
  for (const Case& c : cases) EXPECT_EQ(NormalDir(c.path), c.normal) << Narrow(c.path);
  EXPECT_EQ(ClampToByte(-3), 0);
  EXPECT_EQ(ClampToByte(300), 255);
  EXPECT_EQ(BlendPercent(50, 20), 60);
  EXPECT_EQ(ClampInt(5, 7, 9), 7);
  EXPECT_TRUE(IsBetween(3, 3, 4));
  EXPECT_EQ(EmptyCacheRef.X, -99);
  EXPECT_FALSE(EmptyCacheRef.Ready);
  EXPECT_EQ(AnimatedEvents.Bits(), 15u);
}

TEST(SkinCommon, PropertiesByName) {
  ManagerPtr m(new TsSkinManager(nullptr));
  EXPECT_TRUE(HasProp(m.get(), L"SkinningRules"));
  EXPECT_FALSE(HasProp(m.get(), L"Missing"));
  EXPECT_EQ(ObjectPropOf(m.get(), L"AnimEffects"), m->AnimEffects());
  EXPECT_EQ(ObjectPropOf(m.get(), L"Missing"), nullptr);
  SetOrdPropOf(m.get(), L"HueOffset", 30);
  EXPECT_EQ(OrdPropOf(m.get(), L"HueOffset"), 30);
  EXPECT_EQ(OrdPropOf(m.get(), L"Missing"), -1);
  SetOrdPropOf(m.get(), L"Missing", 1);
  struct Case {
    const wchar_t* element;
    bool include;
    String rules;
  } cases[] = {
      {L"srStdDialogs", false, L"srStdForms,srThirdParty"},  // the comma before it goes
      {L"srStdForms", false, L"srThirdParty"},              // the comma after it goes
      {L"srThirdParty", false, L""},                        // alone
      {L"srStdDialogs", true, L"srStdDialogs"},             // into an empty set
      {L"srStdDialogs", true, L"srStdDialogs"},             // already there
      {L"srStdForms", true, L"srStdForms,srStdDialogs"},
  };
  for (const Case& c : cases) {
    ChangeSetProp(m.get(), L"SkinningRules", c.element, c.include);
    EXPECT_EQ(GetSetProp(m.get(), L"SkinningRules"), c.rules) << Narrow(c.element);
  }
  EXPECT_TRUE(SetPropHasElement(m.get(), L"SkinningRules", L"srStdForms"));
  EXPECT_FALSE(SetPropHasElement(m.get(), L"SkinningRules", L"srstdforms"));
  EXPECT_FALSE(SetPropHasElement(m.get(), L"SkinningRules", L"srThirdParty"));
}

// ---- drawing routines ---------------------------------------------------------------------------

TsMaskData MaskOfHeight(int height) {
  TsMaskData mask;
  mask.R = TRect(0, 0, 4, height);
  mask.ImageCount = 1;
  mask.MaskType = 1;
  return mask;
}

TEST(SkinDrawing, CopyMaskedWeighsImageAgainstDestination) {
  // Source: row 0 image (red, key, red), row 1 the mask layer (0, 0, 255).
  BitmapPtr src = Filled(3, 2, 0x0000FF);
  SetPixelOf(src.get(), 1, 0, clFuchsia);
  SetPixelOf(src.get(), 0, 1, 0x000000);
  SetPixelOf(src.get(), 1, 1, 0x000000);
  SetPixelOf(src.get(), 2, 1, 0xFFFFFF);
  BitmapPtr parent = Filled(10, 10, 0x00FF00);
  SetPixelOf(parent.get(), 6, 5, 0x123456);
  TsMaskData mask = MaskOfHeight(2);
  {
    BitmapPtr dst = Filled(3, 2, 0xC0C0C0);
    CopyMasked(TRect(0, 0, 3, 1), TRect(0, 0, 3, 1), dst.get(), src.get(), MakeCacheRef(parent.get(), 5, 5), true, mask);
    EXPECT_EQ(PixelOf(dst.get(), 0, 0), 0x0000FF);  // mask 0: the image
    EXPECT_EQ(PixelOf(dst.get(), 1, 0), 0x123456);  // key: the parent's face
    EXPECT_EQ(PixelOf(dst.get(), 2, 0), 0xBFBFC0);  // mask 255: (D x 255 + S) div 256
  }
  {
    BitmapPtr dst = Filled(3, 2, 0xC0C0C0);
    CopyMasked(TRect(0, 0, 3, 1), TRect(0, 0, 3, 1), dst.get(), src.get(), EmptyCacheRef, false, mask);
    EXPECT_EQ(PixelOf(dst.get(), 1, 0), 0xFF00FF);  // without UpdateTrans the key is an image pixel
  }
}

TEST(SkinDrawing, BlendTransRectangleWeight255KeepsTheDestination) {
  BitmapPtr dst = Filled(4, 4, 0x808080);
  BitmapPtr src = Filled(4, 4, 0xFFFFFF);
  BlendTransRectangle(dst.get(), src.get(), 255, TPoint(1, 1), TRect(0, 0, 10, 10));
  EXPECT_EQ(PixelOf(dst.get(), 2, 2), 0x7F7F7F);  // (128 x 255 + 255 x 0 + 127) >> 8
  BlendTransRectangle(dst.get(), src.get(), 0, TPoint(1, 1), TRect(0, 0, 2, 2));
  EXPECT_EQ(PixelOf(dst.get(), 1, 1), 0xFEFEFE);
  EXPECT_EQ(PixelOf(dst.get(), 0, 0), 0x808080);
  EXPECT_EQ(PixelOf(dst.get(), 3, 3), 0x7F7F7F);
}

TEST(SkinDrawing, RegionsFromKeyPixels) {
  BitmapPtr one = Filled(1, 1, clFuchsia);
  HRGN region = GetRgnFromBmp(one.get(), clFuchsia);
  EXPECT_TRUE(PtInRegion(region, 0, 0));
  DeleteObject(region);
  BitmapPtr corner = Filled(6, 6, 0x808080);
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}}) SetPixelOf(corner.get(), x, y, clFuchsia);
  region = GetRgnFromBmp(corner.get(), clFuchsia);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 1, 0));
  EXPECT_FALSE(PtInRegion(region, 0, 1));
  EXPECT_TRUE(PtInRegion(region, 1, 1));
  EXPECT_TRUE(PtInRegion(region, 5, 5));
  DeleteObject(region);
}

TEST(SkinDrawing, ShadowLevels) {
  BitmapPtr bmp = Filled(40, 40, 0xFFFFFF);
  PaintShadow(bmp.get(), TRect(0, 0, 40, 40), 0, 0x000000, 4, 0);
  EXPECT_EQ(PixelOf(bmp.get(), 20, 20), 0x000000);          // the centre: level a = 0, the full colour
  EXPECT_EQ(PixelOf(bmp.get(), 0, 20), 0xFEFEFE);           // ring 0: 255 x 255 div 256 of the background
  TColor middle = PixelOf(bmp.get(), 2, 20) & 0xFF;
  EXPECT_GT(middle, 0);
  EXPECT_LT(middle, 255);
}

TEST(SkinDrawing, CutText) {
  BitmapPtr bmp = Filled(10, 10, 0);
  TCanvas* canvas = bmp->Canvas();
  int two = canvas->TextWidth(L"ab...");
  EXPECT_EQ(CutText(canvas, L"abcde", two), L"ab...");
  EXPECT_EQ(CutText(canvas, L"abcde", canvas->TextWidth(L"abcde")), L"abcde");
  EXPECT_EQ(CutText(canvas, L"a", 1), L"");
  EXPECT_EQ(CutText(canvas, L"a", 0), L"");
}

TEST(SkinDrawing, ColourMixes) {
  EXPECT_EQ(MixColors(0x0000FF, 0x000000, 0.5), 0x000080);
  EXPECT_EQ(SwapRedBlue(0x112233), 0x332211);
  BitmapPtr bmp = Filled(3, 3, 0x0000FF);
  Grayscale(bmp.get());
  EXPECT_EQ(PixelOf(bmp.get(), 1, 1), 0x555555);
}

// How many pixels lean to one pure channel (0 red, 2 blue) over a white background, whatever the
// font smoothing; channel -1 counts dark grey pixels (the black text).
int CountTinted(TBitmap* bmp, int channel) {
  int count = 0;
  for (int y = 0; y < bmp->Height(); ++y)
    for (int x = 0; x < bmp->Width(); ++x) {
      TColor c = PixelOf(bmp, x, y);
      int rgb[3] = {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF};
      if (channel < 0) {
        count += rgb[0] < 100 && rgb[0] == rgb[1] && rgb[1] == rgb[2] ? 1 : 0;
        continue;
      }
      int other1 = rgb[(channel + 1) % 3], other2 = rgb[(channel + 2) % 3];
      count += rgb[channel] >= 200 && other1 < 160 && other2 < 160 ? 1 : 0;
    }
  return count;
}

TEST(SkinDrawing, WriteTextDrawsContoursInTheSectionsColours) {
  testing_support::ScratchFolder folder;
  WriteBytes(folder.File(L"Text.asz"),
             SmallSkin("[PLAIN]\r\nFONTCOLOR=0\r\nTCLEFT=-1\r\nTCTOP=-1\r\nTCRIGHT=-1\r\nTCBOTTOM=-1\r\n"
                       "[OUTLINED]\r\nFONTCOLOR=0\r\nTCLEFT=255\r\nTCTOP=-1\r\nTCRIGHT=-1\r\nTCBOTTOM=-1\r\n"
                       "HOTFONTCOLOR=16711680\r\n")
                 .Archive());
  ManagerPtr m = NewManager(folder.Path().substr(0, folder.Path().size() - 1));
  m->SetSkinName(L"Text");
  ASSERT_EQ(m->SkinInfo(), L"5.43");
  auto draw = [&](const wchar_t* section, bool hot) {
    BitmapPtr bmp = Filled(60, 30, 0xFFFFFF);
    bmp->Canvas()->Font()->SetSize(14);
    TacTextSkin skin;
    skin.Manager = m.get();
    skin.SkinIndex = m->GetSkinIndex(section);
    skin.SkinSection = section;
    WriteTextEx(bmp->Canvas(), L"III", true, hot, skin, DT_LEFT | DT_TOP | DT_SINGLELINE, TRect(5, 5, 55, 25));
    GdiFlush();
    return bmp;
  };
  BitmapPtr plain = draw(L"PLAIN", false);
  EXPECT_GT(CountTinted(plain.get(), -1), 0);
  EXPECT_EQ(CountTinted(plain.get(), 0), 0);  // every contour none: the text alone
  BitmapPtr outlined = draw(L"OUTLINED", false);
  EXPECT_GT(CountTinted(outlined.get(), 0), 0);  // the red left contour shows beside the strokes
  BitmapPtr hot = draw(L"OUTLINED", true);
  EXPECT_GT(CountTinted(hot.get(), 2), 0);  // the hot text colour, blue
  EXPECT_EQ(CountTinted(hot.get(), 0), 0);  // hot contours are none
}

// ---- gradients ----------------------------------------------------------------------------------

TEST(SkinGradients, VerticalRunsFromStartToEndColour) {
  BitmapPtr bmp = Filled(4, 256, 0x123456);
  PaintGradient(bmp.get(), TRect(0, 0, 4, 256), TsGradArray{{0, 16777215, 100, 0, 0}});
  for (int k : {0, 1, 100, 254, 255}) EXPECT_EQ(PixelOf(bmp.get(), 2, k), TColor(k * 0x010101)) << k;
}

TEST(SkinGradients, ZeroShareSegmentIsSkipped) {
  BitmapPtr bmp = Filled(2, 100, 0x123456);
  PaintGradient(bmp.get(), TRect(0, 0, 2, 100),
                TsGradArray{{0xFF, 0xFF, 50, 0, 0}, {0x00FF00, 0x00FF00, 0, 0, 0}, {0xFF0000, 0xFF0000, 50, 0, 0}});
  EXPECT_EQ(PixelOf(bmp.get(), 0, 10), 0x0000FF);
  EXPECT_EQ(PixelOf(bmp.get(), 0, 50), 0xFF0000);  // the last segment starts where the first ended
  EXPECT_EQ(PixelOf(bmp.get(), 0, 99), 0xFF0000);
}

TEST(SkinGradients, HorizontalAndTriangles) {
  BitmapPtr bmp = Filled(101, 2, 0x123456);
  PaintGradient(bmp.get(), TRect(0, 0, 101, 2), TsGradArray{{0, 0xC8C8C8, 100, 1, 0}});
  EXPECT_EQ(PixelOf(bmp.get(), 0, 1), 0);
  EXPECT_EQ(PixelOf(bmp.get(), 50, 1), 0x646464);
  BitmapPtr tri = Filled(20, 20, 0x123456);
  PaintGradient(tri.get(), TRect(0, 0, 20, 20), TsGradArray{{0x3366CC, 0, 100, 2, 0}});
  GdiFlush();
  EXPECT_EQ(PixelOf(tri.get(), 10, 5), 0x3366CC);
  EXPECT_EQ(PixelOf(tri.get(), 3, 15), 0x3366CC);
}

}  // namespace
