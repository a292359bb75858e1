// The ribbon colour skins: registration, which part each operation draws, the palette the pictures
// show, the colour table, the low-colour substitutes, caption buttons and the form frame.

#include <algorithm>
#include <functional>
#include <vector>

#include "RibbonTestSupport.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/Geometry.h"
#include "ui/navbar/skins/GdiPlusClasses.h"
#include "ui/ribbon/RibbonSkins.h"

namespace {

using namespace ribbon_testing;

class RibbonSkins : public RibbonFixture {
 protected:
  static TdxCustomRibbonSkin* Skin(const wchar_t* name) {
    return dynamic_cast<TdxCustomRibbonSkin*>(BarSkinManager()->SkinByName(name));
  }
};

constexpr const wchar_t* kSchemes[] = {L"Blue", L"Black", L"Silver"};
constexpr TColor kMagenta = 0xFF00FF;

// The pixels of a DIB as drawn by a routine over a magenta background.
std::vector<DWORD> Drawn(int w, int h, const std::function<void(HDC)>& draw) {
  DibSection dib(w, h);
  FillDib(dib, w, h, kMagenta);
  draw(dib.DC());
  std::vector<DWORD> pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.push_back(dib.Pixel(x, y));
  return pixels;
}

bool AllBackground(const std::vector<DWORD>& pixels) {
  for (DWORD p : pixels)
    if (p != 0xFF00FF) return false;
  return true;
}

TEST_F(RibbonSkins, TheThreeSchemesRegisterOnceAtTheStart) {
  ASSERT_EQ(BarSkinManager()->SkinCount(), 3);
  for (const wchar_t* scheme : kSchemes) {
    TdxCustomRibbonSkin* skin = Skin(scheme);
    ASSERT_NE(skin, nullptr) << scheme;
    EXPECT_EQ(skin->SchemeName(), scheme);
    EXPECT_FALSE(skin->LowColor());
    // One part per included state of every set, each with its ID.
    int parts = 0;
    for (const ribbon_skin::TPartSet& set : ribbon_skin::kPartSets)
      for (int state = 0; state < 9; ++state) {
        if (set.StateImage[std::size_t(state)] == ribbon_skin::kNoImage) continue;
        ++parts;
        const int position = skin->PartPosition(set.FirstID, state);
        ASSERT_GE(position, 0) << set.FirstID << " state " << state;
        EXPECT_EQ(skin->Parts(position)->PartID, set.FirstID + state);
        EXPECT_EQ(skin->Parts(position)->Margins(),
                  TRect(set.Margins.Left, set.Margins.Top, set.Margins.Right, set.Margins.Bottom));
      }
    EXPECT_EQ(skin->Count(), parts);
  }
  TdxCustomBarSkin* blue = BarSkinManager()->SkinByName(L"Blue");
  StartRibbonSkinsUnit();
  EXPECT_EQ(BarSkinManager()->SkinCount(), 3) << "the names are taken";
  EXPECT_EQ(BarSkinManager()->SkinByName(L"blue"), blue);
}

TEST_F(RibbonSkins, EachOperationDrawsThePartOfTheSetItNames) {
  using Op = std::function<void(TdxCustomRibbonSkin*, HDC, const TRect&)>;
  struct Case {
    const char* name;
    Op draw;
    int firstID, state;
  } cases[] = {
      {"application button", [](auto s, HDC dc, auto& r) { s->DrawApplicationButton(dc, r, 1); }, 10067, 1},
      {"458 selected", [](auto s, HDC dc, auto& r) { s->DrawBarPart458(dc, r, 2); }, 10290, 2},
      {"458", [](auto s, HDC dc, auto& r) { s->DrawBarPart458(dc, r, 0); }, 10089, 0},
      {"452", [](auto s, HDC dc, auto& r) { s->DrawBarPart452(dc, r); }, 10070, 0},
      {"453", [](auto s, HDC dc, auto& r) { s->DrawBarPart453(dc, r); }, 10071, 0},
      {"454", [](auto s, HDC dc, auto& r) { s->DrawBarPart454(dc, r); }, 10072, 0},
      {"drop-down arrow", [](auto s, HDC dc, auto& r) { s->DrawDropDownArrow(dc, r, 3); }, 10218, 3},
      {"arrow down", [](auto s, HDC dc, auto& r) { s->DrawArrowDown(dc, r); }, 10079, 0},
      {"arrow right", [](auto s, HDC dc, auto& r) { s->DrawArrowRight(dc, r); }, 10080, 0},
      {"460", [](auto s, HDC dc, auto& r) { s->DrawBarPart460(dc, r, 5); }, 10344, 5},
      {"470", [](auto s, HDC dc, auto& r) { s->DrawBarPart470(dc, r); }, 10084, 0},
      {"490", [](auto s, HDC dc, auto& r) { s->DrawBarPart490(dc, r); }, 10085, 0},
      {"480", [](auto s, HDC dc, auto& r) { s->DrawBarPart480(dc, r, 8); }, 10353, 8},
      {"500", [](auto s, HDC dc, auto& r) { s->DrawBarPart500(dc, r, 4); }, 10362, 4},
      {"group background 3", [](auto s, HDC dc, auto& r) { s->DrawGroupBackground(dc, r, 3); }, 10263, 3},
      {"group background 5", [](auto s, HDC dc, auto& r) { s->DrawGroupBackground(dc, r, 5); }, 10263, 0},
      {"group caption", [](auto s, HDC dc, auto& r) { s->DrawGroupCaption(dc, r, 2); }, 10272, 2},
      {"450", [](auto s, HDC dc, auto& r) { s->DrawBarPart450(dc, r); }, 10073, 0},
      {"58", [](auto s, HDC dc, auto& r) { s->DrawBarPart58(dc, r); }, 10121, 0},
      {"57", [](auto s, HDC dc, auto& r) { s->DrawBarPart57(dc, r); }, 10120, 0},
      {"65", [](auto s, HDC dc, auto& r) { s->DrawBarPart65(dc, r); }, 10125, 0},
      {"63", [](auto s, HDC dc, auto& r) { s->DrawBarPart63(dc, r); }, 10126, 0},
      {"11", [](auto s, HDC dc, auto& r) { s->DrawBarPart11(dc, r, 3); }, 10281, 3},
      {"edge fixed left", [](auto s, HDC dc, auto& r) { s->DrawStatusBarEdge(dc, r, 0, 1, false, true); }, 10100, 3},
      {"edge sizeable right", [](auto s, HDC dc, auto& r) { s->DrawStatusBarEdge(dc, r, 1, 0, true, false); }, 10112,
       0},
      {"group scroll right", [](auto s, HDC dc, auto& r) { s->DrawGroupScrollButton(dc, r, 4, 0); }, 10452, 2},
      {"group scroll left", [](auto s, HDC dc, auto& r) { s->DrawGroupScrollButton(dc, r, 2, 1); }, 10443, 1},
      {"tab scroll right", [](auto s, HDC dc, auto& r) { s->DrawTabScrollButton(dc, r, 0, 0); }, 10434, 0},
      {"tab scroll left", [](auto s, HDC dc, auto& r) { s->DrawTabScrollButton(dc, r, 4, 1); }, 10425, 2},
      {"gallery scroll", [](auto s, HDC dc, auto& r) { s->DrawGalleryScrollButton(dc, r, 4, 1); }, 10470, 4},
      {"large button", [](auto s, HDC dc, auto& r) { s->DrawLargeButton(dc, r, 7); }, 10317, 7},
      {"8", [](auto s, HDC dc, auto& r) { s->DrawBarPart8(dc, r, 5); }, 10326, 5},
      {"7", [](auto s, HDC dc, auto& r) { s->DrawBarPart7(dc, r, 8); }, 10335, 8},
      {"515", [](auto s, HDC dc, auto& r) { s->DrawBarPart515(dc, r, 4); }, 10407, 4},
      {"510", [](auto s, HDC dc, auto& r) { s->DrawBarPart510(dc, r, 1); }, 10416, 1},
      {"430", [](auto s, HDC dc, auto& r) { s->DrawBarPart430(dc, r, 1); }, 10236, 1},
      {"440", [](auto s, HDC dc, auto& r) { s->DrawBarPart440(dc, r, 0); }, 10245, 0},
      {"370", [](auto s, HDC dc, auto& r) { s->DrawBarPart370(dc, r, 2); }, 10227, 2},
      {"390", [](auto s, HDC dc, auto& r) { s->DrawBarPart390(dc, r); }, 10074, 0},
      {"380", [](auto s, HDC dc, auto& r) { s->DrawBarPart380(dc, r); }, 10075, 0},
      {"442", [](auto s, HDC dc, auto& r) { s->DrawBarPart442(dc, r); }, 10076, 0},
      {"400", [](auto s, HDC dc, auto& r) { s->DrawBarPart400(dc, r); }, 10077, 0},
      {"410", [](auto s, HDC dc, auto& r) { s->DrawBarPart410(dc, r); }, 10078, 0},
      {"446 normal", [](auto s, HDC dc, auto& r) { s->DrawBarPart446(dc, r, 0); }, 10254, 0},
      {"446 pressed", [](auto s, HDC dc, auto& r) { s->DrawBarPart446(dc, r, 4); }, 10254, 4},
      {"30", [](auto s, HDC dc, auto& r) { s->DrawBarPart30(dc, r); }, 10081, 0},
      {"32", [](auto s, HDC dc, auto& r) { s->DrawBarPart32(dc, r); }, 10083, 0},
      {"31", [](auto s, HDC dc, auto& r) { s->DrawBarPart31(dc, r); }, 10082, 0},
      {"caption strip", [](auto s, HDC dc, auto& r) { s->DrawCaptionStrip(dc, r); }, 10054, 0},
      {"small button", [](auto s, HDC dc, auto& r) { s->DrawSmallButton(dc, r, 6); }, 10290, 6},
      {"5", [](auto s, HDC dc, auto& r) { s->DrawBarPart5(dc, r, 3); }, 10299, 3},
      {"4", [](auto s, HDC dc, auto& r) { s->DrawBarPart4(dc, r, 8); }, 10308, 8},
      {"360", [](auto s, HDC dc, auto& r) { s->DrawBarPart360(dc, r); }, 10086, 0},
      {"40", [](auto s, HDC dc, auto& r) { s->DrawBarPart40(dc, r); }, 10087, 0},
      {"tab", [](auto s, HDC dc, auto& r) { s->DrawTab(dc, r, 2); }, 10043, 2},
      {"gallery top", [](auto s, HDC dc, auto& r) { s->DrawGalleryTop(dc, r, 2); }, 10371, 2},
      {"gallery bottom", [](auto s, HDC dc, auto& r) { s->DrawGalleryBottom(dc, r, 0); }, 10380, 0},
      {"groups area", [](auto s, HDC dc, auto& r) { s->DrawGroupsArea(dc, r); }, 10048, 0},
      {"tab separator", [](auto s, HDC dc, auto& r) { s->DrawTabSeparator(dc, r, 255); }, 10049, 0},
      {"quick access below", [](auto s, HDC dc, auto& r) { s->DrawQuickAccessBackground(dc, r, true, true, true, true, true); },
       10053, 0},
      {"common glyph", [](auto s, HDC dc, auto& r) { s->DrawCommonGlyph(dc, r); }, 10052, 0},
      {"mark inactive form", [](auto s, HDC dc, auto& r) { s->DrawQuickAccessMark(dc, r, 2, false, true, false); },
       10209, 2},
      {"mark", [](auto s, HDC dc, auto& r) { s->DrawQuickAccessMark(dc, r, 2, true, true, false); }, 10200, 2},
      {"102", [](auto s, HDC dc, auto& r) { s->DrawBarPart102(dc, r); }, 10058, 0},
      {"status bar", [](auto s, HDC dc, auto& r) { s->DrawStatusBarBackground(dc, r); }, 10090, 0},
      {"grip area", [](auto s, HDC dc, auto& r) { s->DrawStatusBarGripArea(dc, r); }, 10095, 0},
      {"flat panel", [](auto s, HDC dc, auto& r) { s->DrawStatusBarPanel(dc, r, true); }, 10090, 0},
      {"raised panel", [](auto s, HDC dc, auto& r) { s->DrawStatusBarPanel(dc, r, false); }, 10093, 0},
      {"panel separator", [](auto s, HDC dc, auto& r) { s->DrawStatusBarPanelSeparator(dc, r); }, 10094, 0},
      {"toolbar separator", [](auto s, HDC dc, auto& r) { s->DrawStatusBarToolbarSeparator(dc, r); }, 10096, 0},
  };
  TdxCustomRibbonSkin* skin = Skin(L"Blue");
  const TRect r(0, 0, 40, 30);
  for (const Case& c : cases) {
    const int position = skin->PartPosition(c.firstID, c.state);
    ASSERT_GE(position, 0) << c.name;
    const std::vector<DWORD> drawn = Drawn(40, 30, [&](HDC dc) { c.draw(skin, dc, r); });
    EXPECT_FALSE(AllBackground(drawn)) << c.name;
    EXPECT_EQ(drawn, Drawn(40, 30, [&](HDC dc) { skin->Parts(position)->DrawPart(dc, r); })) << c.name;
  }
}

TEST_F(RibbonSkins, PicturesShowTheSchemesPalette) {
  for (const wchar_t* scheme : kSchemes) {
    SCOPED_TRACE(testing::Message() << "scheme " << scheme);
    TdxCustomRibbonSkin* skin = Skin(scheme);
    const TColor body = skin->PartColorOf(10065, 0);
    {
      DibSection dib(300, 92);
      skin->DrawGroupsArea(dib.DC(), {0, 0, 300, 92});
      EXPECT_TRUE(NearPixel(dib.Pixel(150, 46), body));
    }
    {
      DibSection dib(60, 23);
      FillDib(dib, 60, 23, kMagenta);
      skin->DrawTab(dib.DC(), {0, 0, 60, 23}, 2);
      EXPECT_TRUE(NearPixel(dib.Pixel(30, 12), body)) << "the active tab takes the body colour";
      EXPECT_TRUE(NearPixel(dib.Pixel(30, 22), body)) << "and opens into the groups area";
      FillDib(dib, 60, 23, kMagenta);
      skin->DrawTab(dib.DC(), {0, 0, 60, 23}, 0);
      EXPECT_EQ(dib.Pixel(30, 12), 0xFF00FFu) << "a tab in state 0 draws nothing";
    }
    {
      DibSection dib(400, 22);
      skin->DrawStatusBarBackground(dib.DC(), {0, 0, 400, 22});
      const TColor fill = skin->PartColorOf(455, 0);
      EXPECT_TRUE(NearPixel(dib.Pixel(200, 10), fill));
      EXPECT_LT(Brightness(dib.Pixel(200, 10)), Brightness(PixelOf(body))) << "a shade darker than the body";
    }
    {
      DibSection dib(42, 42);
      int centre[3];
      for (int state = 0; state < 3; ++state) {
        FillDib(dib, 42, 42, kMagenta);
        skin->DrawApplicationButton(dib.DC(), {0, 0, 42, 42}, state);
        centre[state] = Brightness(dib.Pixel(21, 30));
        EXPECT_TRUE(NearPixel(dib.Pixel(20, 1), skin->PartColorOf(457, 0))) << "the rim, state " << state;
        EXPECT_EQ(dib.Pixel(0, 0), 0xFF00FFu) << "a disc";
      }
      EXPECT_GT(centre[1], centre[0]) << "hot is lighter";
      EXPECT_LT(centre[2], centre[0]) << "pressed is darker";
    }
  }
}

TEST_F(RibbonSkins, ColourTableAnswersPerSchemeAndState) {
  struct Case {
    const wchar_t* scheme;
    int id, state;
    TColor expected;
  } cases[] = {
      {L"Blue", 10065, 0, 0xFFDBBF},   {L"Black", 10065, 0, 0x535353}, {L"Silver", 10065, 0, 0xDDD4D0},
      {L"Silver", 9, 0, 0xE8E8E8},     {L"Blue", 64, 0, 0x6E1500},     {L"Silver", 64, 0, 0x5C534C},
      {L"Black", 335, 2, 0x464646},    {L"Blue", 335, 8, 0x8D8D8D},    {L"Blue", 362, 8, 0xA7A7A7},
      {L"Silver", 10098, 0, 0x7E7670}, {L"Black", 10132, 3, 0x000000}, {L"Black", 10132, 0, 0xFFFFFF},
      {L"Blue", 66, 2, 0xFF6600},      {L"Blue", 66, 5, clDefault},    {L"Black", 66, 1, clDefault},
      {L"Silver", 66, 8, clDefault},   {L"Silver", 56, 0, 0xFAFAFA},   {L"Blue", 67, 6, 0x1048EF},
      {L"Blue", 67, 0, clDefault},     {L"Black", 12345, 0, clDefault}, {L"Silver", 10130, 1, 0x8A8A8A},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Skin(c.scheme)->PartColorOf(c.id, c.state), c.expected)
        << testing::PrintToString(c.scheme) << " " << c.id << " state " << c.state;
}

TEST_F(RibbonSkins, ColourOperationsFillWithTheirColours) {
  TdxCustomRibbonSkin* skin = Skin(L"Blue");
  DibSection dib(30, 12);
  FillDib(dib, 30, 12, kMagenta);
  skin->DrawTabAreaBottomLines(dib.DC(), {0, 4, 30, 6});
  EXPECT_EQ(dib.Pixel(10, 4), PixelOf(0xEBC3A4));
  EXPECT_EQ(dib.Pixel(10, 5), PixelOf(0xF3E2D5));
  EXPECT_EQ(dib.Pixel(10, 6), 0xFF00FFu) << "nothing below the area";
  skin->DrawBarPart50(dib.DC(), {0, 0, 30, 12}, 2);
  EXPECT_EQ(dib.Pixel(15, 6), PixelOf(0xFBF3EC));
  EXPECT_EQ(dib.Pixel(0, 6), PixelOf(0xEDD0B9));
  skin->FillGalleryBackground(dib.DC(), {0, 0, 30, 12});
  EXPECT_EQ(dib.Pixel(15, 6), PixelOf(0xFAFAFA));
  skin->DrawHelpButtonBackground(dib.DC(), {0, 0, 30, 12}, 0);
  EXPECT_EQ(dib.Pixel(15, 6), PixelOf(0xFFDBBF));
  EXPECT_EQ(Drawn(30, 22, [&](HDC dc) { skin->DrawHelpButtonBackground(dc, {0, 0, 30, 22}, 2); }),
            Drawn(30, 22, [&](HDC dc) { skin->DrawSmallButton(dc, {0, 0, 30, 22}, 4); }));
}

TEST_F(RibbonSkins, SizeGripDotsTakeTheSchemesGripColours) {
  for (const wchar_t* scheme : kSchemes) {
    TdxCustomRibbonSkin* skin = Skin(scheme);
    const std::vector<DWORD> grip = Drawn(20, 20, [&](HDC dc) { skin->DrawStatusBarSizeGrip(dc, {0, 0, 20, 20}); });
    const DWORD dark = PixelOf(skin->PartColorOf(10098, 0)), light = PixelOf(skin->PartColorOf(10099, 0));
    EXPECT_GT(std::count(grip.begin(), grip.end(), dark), 0) << testing::PrintToString(scheme);
    EXPECT_GT(std::count(grip.begin(), grip.end(), light), 0) << testing::PrintToString(scheme);
    EXPECT_EQ(grip[0], 0xFF00FFu) << "only the bottom-right corner";
    EXPECT_EQ(grip[19], 0xFF00FFu);
  }
}

TEST_F(RibbonSkins, StatesWithoutAnImageDrawTheirNeighboursOrNothing) {
  TdxCustomRibbonSkin* skin = Skin(L"Blue");
  auto small = [&](int state) { return Drawn(30, 22, [&](HDC dc) { skin->DrawSmallButton(dc, {0, 0, 30, 22}, state); }); };
  EXPECT_EQ(small(3), small(2));
  EXPECT_TRUE(AllBackground(small(0)));
  EXPECT_TRUE(AllBackground(small(1)));
  auto group = [&](int state) { return Drawn(40, 90, [&](HDC dc) { skin->DrawGroupBackground(dc, {0, 0, 40, 90}, state); }); };
  EXPECT_EQ(group(1), group(0));
  EXPECT_EQ(group(5), group(0));
  EXPECT_TRUE(AllBackground(Drawn(40, 30, [&](HDC dc) { skin->DrawGroupCaption(dc, {0, 0, 40, 30}, 1); })));
  // Narrower than twice half its height: nothing.
  EXPECT_TRUE(AllBackground(Drawn(30, 26, [&](HDC dc) {
    skin->DrawQuickAccessBackground(dc, {0, 0, 25, 26}, true, true, true, false, false);
  })));
  EXPECT_FALSE(AllBackground(Drawn(60, 26, [&](HDC dc) {
    skin->DrawQuickAccessBackground(dc, {0, 0, 60, 26}, true, true, true, false, false);
  })));
}

TEST_F(RibbonSkins, CaptionButtonsShowGlyphAndBackgroundByState) {
  TdxCustomRibbonSkin* skin = Skin(L"Blue");
  struct Case {
    int state;
    bool background;
  } cases[] = {{0, false}, {1, true}, {2, true}, {3, false}, {4, true}};
  std::vector<DWORD> glyphs;
  for (const Case& c : cases) {
    DibSection dib(25, 25);
    FillDib(dib, 25, 25, kMagenta);
    skin->DrawCaptionButton(dib.DC(), {0, 0, 25, 25}, 3, c.state);
    EXPECT_EQ(dib.Pixel(3, 3) != 0xFF00FFu, c.background) << "state " << c.state;
    // The close glyph's corner pixel at (8 + 1, 9 + 1).
    EXPECT_NE(dib.Pixel(9, 10), 0xFF00FFu) << "state " << c.state;
    glyphs.push_back(dib.Pixel(9, 10));
  }
  EXPECT_NE(glyphs[3], glyphs[0]) << "inactive glyph";
  EXPECT_EQ(glyphs[4], glyphs[3]) << "inactive and hot: the inactive glyph";
}

TEST_F(RibbonSkins, FormFrameRowsMeetWithTheBorderWidthsOfTheSkin) {
  TdxCustomRibbonSkin* skin = Skin(L"Blue");
  EXPECT_EQ(skin->FormBorderWidths(bsNone, false), TRect(0, 0, 0, 0));
  EXPECT_EQ(skin->FormBorderWidths(bsSizeable, false), TRect(4, 0, 4, 4));
  EXPECT_EQ(skin->FormBorderWidths(bsDialog, true), TRect(4, 0, 4, 1));
  for (bool statusBar : {false, true}) {
    TdxRibbonFormFrameState form;
    form.Active = true;
    form.Bounds = Bounds(100, 50, 300, 200);
    const TRect borders = skin->FormBorderWidths(form.BorderStyle, statusBar);
    DibSection dib(300, 200);
    FillDib(dib, 300, 200, kMagenta);
    skin->DrawFormFrame(dib.DC(), borders, form, 30);
    // With a status bar its edges take the last row of the sides.
    const int lastRow = statusBar ? 198 : 199;
    for (int y = 0; y <= lastRow; ++y) {
      ASSERT_NE(dib.Pixel(1, y), 0xFF00FFu) << "left border, row " << y << (statusBar ? " (status bar)" : "");
      ASSERT_NE(dib.Pixel(298, y), 0xFF00FFu) << "right border, row " << y;
    }
    EXPECT_NE(dib.Pixel(150, 199), 0xFF00FFu) << "the bottom";
    EXPECT_EQ(dib.Pixel(150, 100), 0xFF00FFu) << "the client area is left alone";
  }
}

TEST_F(RibbonSkins, LowColourScreensGetSystemColourSubstitutes) {
  Bound().ScreenColorDepth = [] { return 8; };
  ObjectPtr<TdxCustomRibbonSkin> skin(NewRibbonSkin<TdxBlackRibbonSkin>());
  ASSERT_TRUE(skin->LowColor());
  EXPECT_FALSE(Skin(L"Black")->LowColor()) << "skins made before keep their depth";
  EXPECT_EQ(skin->PartColorOf(10065, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(skin->PartColorOf(10130, 0), ColorToRGB(clCaptionText));
  EXPECT_EQ(skin->PartColorOf(10132, 1), ColorToRGB(clHighlightText));
  EXPECT_EQ(skin->PartColorOf(457, 0), 0xCAAF9B);

  DibSection dib(42, 42);
  FillDib(dib, 42, 42, kMagenta);
  skin->DrawApplicationButton(dib.DC(), {0, 0, 42, 42}, 0);
  EXPECT_EQ(dib.Pixel(20, 20), PixelOf(clBtnFace)) << "an ellipse";
  EXPECT_EQ(dib.Pixel(0, 0), 0xFF00FFu);
  skin->DrawApplicationButton(dib.DC(), {0, 0, 42, 42}, 1);
  EXPECT_EQ(dib.Pixel(20, 20), PixelOf(clHighlight));

  struct Case {
    int state;
    TColor fill, border;
  } cases[] = {{2, clHighlight, clWhite}, {4, clHighlight, clBtnShadow}, {3, clBtnFace, clBtnShadow}};
  for (const Case& c : cases) {
    FillDib(dib, 42, 42, kMagenta);
    skin->DrawSmallButton(dib.DC(), {0, 0, 30, 22}, c.state);
    EXPECT_EQ(dib.Pixel(15, 11), PixelOf(c.fill)) << "state " << c.state;
    EXPECT_EQ(dib.Pixel(0, 11), PixelOf(c.border)) << "state " << c.state;
  }
  EXPECT_TRUE(AllBackground(Drawn(30, 22, [&](HDC dc) { skin->DrawSmallButton(dc, {0, 0, 30, 22}, 0); })));
  FillDib(dib, 42, 42, kMagenta);
  skin->DrawTab(dib.DC(), {0, 0, 40, 20}, 2);
  EXPECT_EQ(dib.Pixel(0, 10), PixelOf(clWhite));
  EXPECT_EQ(dib.Pixel(20, 0), PixelOf(clWhite));
  EXPECT_EQ(dib.Pixel(20, 19), PixelOf(clHighlight)) << "open at the bottom";
  skin->DrawGroupsArea(dib.DC(), {0, 0, 40, 40});
  EXPECT_EQ(dib.Pixel(20, 20), PixelOf(clBtnFace));
  EXPECT_EQ(dib.Pixel(39, 20), PixelOf(clBtnShadow));
}

// ---- damaged sheets -------------------------------------------------------------------------------

TStream* DamagedBlackMissingSilver(const String& name) {
  if (name == L"RIBBONBLACK") {
    auto* stream = new TMemoryStream();
    stream->WriteBuffer("\x89PNG\r\n\x1a\n not a picture at all", 32);
    stream->SetPosition(0);
    return stream;
  }
  return new TResourceStream(GetModuleHandleW(nullptr), name == L"FORMSILVER" ? L"NOSUCHSHEET" : name, RT_RCDATA);
}

TEST_F(RibbonSkins, ASkinWithADamagedOrMissingSheetIsLeftOut) {
  SetRibbonSheetReader(&DamagedBlackMissingSilver);
  RestartRibbonSkins();
  EXPECT_EQ(BarSkinManager()->SkinCount(), 1);
  EXPECT_NE(Skin(L"Blue"), nullptr);
  EXPECT_EQ(Skin(L"Black"), nullptr);
  EXPECT_EQ(Skin(L"Silver"), nullptr);
}

TEST_F(RibbonSkins, NoSkinWithoutGdiPlus) {
  TGdiPlusUnavailableScope noGdiPlus;
  RestartRibbonSkins();
  EXPECT_EQ(BarSkinManager()->SkinCount(), 0);
}

}  // namespace
