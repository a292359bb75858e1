// Themed menus: item measures per style, items drawn into a memory DC, the system menu font.
#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"
#include "ui/extras/skinpack/ThemedMenus.h"

using namespace window_testing;

namespace {

// A TColor as the DIB section's 0x00RRGGBB.
DWORD Rgb(TColor c) {
  c = ColorToRGB(c);
  return DWORD((c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF));
}

TMenuItem* AddItem(TMenu* menu, const String& caption) {
  auto* item = new TMenuItem(menu);
  item->SetCaption(caption);
  menu->Items()->Add(item);
  return item;
}

// Draws one item of the menu into a 200 x 30 DIB section.
class DrawnItem {
 public:
  template <class M>
  DrawnItem(M& menu, TMenuItem* item, bool selected) : dib_(200, 30) {
    TCanvas canvas;
    canvas.SetHandle(dib_.DC());
    menu.DrawItem(item, &canvas, TRect(0, 0, 200, 24), selected);
    fontName = canvas.Font()->Name();
    canvas.SetHandle(nullptr);
  }
  DWORD Pixel(int x, int y) const { return dib_.Pixel(x, y); }
  String fontName;

 private:
  DibSection dib_;
};

}  // namespace

TEST(ThemedMenus, MeasuresPerStyle) {
  struct Case { bool popup; TsuiUIStyle style; int itemHeight, separatorHeight; };
  const Case cases[] = {
      {true, MacOS, 20, 12}, {false, MacOS, 30, 12}, {true, DeepBlue, 30, 9}, {false, WinXP, 30, 9},
  };
  for (const Case& c : cases) {
    TsuiPopupMenu popup(nullptr);
    TsuiMainMenu main(nullptr);
    auto set = [&](auto& menu) {
      menu.SetUIStyle(c.style);
      menu.SetMenuItemHeight(30);
      menu.SetSeparatorHeight(9);
      EXPECT_EQ(menu.MenuItemHeight(), c.itemHeight) << c.popup << int(c.style);
      EXPECT_EQ(menu.SeparatorHeight(), c.separatorHeight) << c.popup << int(c.style);
      TBitmap b(10, 10);
      TMenuItem* item = AddItem(&menu, L"Open");
      item->SetShortCut(TextToShortCut(L"Ctrl+O"));
      TMenuItem* line = AddItem(&menu, L"-");
      int w = 0, h = 0;
      menu.MeasureItem(item, b.Canvas(), w, h);
      EXPECT_EQ(h, std::max(c.itemHeight, b.Canvas()->TextHeight(L"Open")));
      EXPECT_EQ(w, b.Canvas()->TextWidth(L"Open") + b.Canvas()->TextWidth(ShortCutToText(item->ShortCut())) + 26 + 40);
      menu.MeasureItem(line, b.Canvas(), w, h);
      EXPECT_EQ(h, c.separatorHeight);
      b.Canvas()->Font()->SetHeight(-60);
      menu.MeasureItem(item, b.Canvas(), w, h);
      EXPECT_EQ(h, b.Canvas()->TextHeight(L"Open")) << "a tall caption sets the height";
    };
    if (c.popup) set(popup);
    else set(main);
  }
}

TEST(ThemedMenus, OwnerDrawReadsTrue) {
  TsuiPopupMenu menu(nullptr);
  menu.SetOwnerDraw(false);
  EXPECT_TRUE(menu.OwnerDraw());
  EXPECT_TRUE(menu.TPopupMenu::OwnerDraw());
}

TEST(ThemedMenus, SideBarPlainGradientOrNone) {
  TsuiPopupMenu menu(nullptr);
  menu.SetUIStyle(DeepBlue);
  TMenuItem* item = AddItem(&menu, L"Item");
  {
    DrawnItem drawn(menu, item, false);
    EXPECT_EQ(drawn.Pixel(0, 10), Rgb(0xCED3D6));
    EXPECT_EQ(drawn.Pixel(25, 10), Rgb(0xCED3D6));
    EXPECT_EQ(drawn.Pixel(150, 2), Rgb(0xFFFFFF));
  }
  menu.BarColor = MakeRGB(255, 0, 0);
  menu.BarToColor = MakeRGB(0, 0, 255);
  {
    DrawnItem drawn(menu, item, false);
    EXPECT_EQ(drawn.Pixel(0, 10), 0xFF0000u);
    EXPECT_EQ(drawn.Pixel(25, 10), 0x0000FFu);
  }
  menu.BarWidth = 0;
  DrawnItem drawn(menu, item, false);
  EXPECT_EQ(drawn.Pixel(1, 2), Rgb(0xFFFFFF));
}

TEST(ThemedMenus, DisabledItemIsNeverHighlighted) {
  TsuiPopupMenu menu(nullptr);
  menu.SetUIStyle(DeepBlue);
  TMenuItem* item = AddItem(&menu, L"Item");
  EXPECT_EQ(DrawnItem(menu, item, true).Pixel(150, 2), Rgb(0xA04A44));
  item->SetEnabled(false);
  EXPECT_EQ(DrawnItem(menu, item, true).Pixel(150, 2), Rgb(0xFFFFFF));
}

TEST(ThemedMenus, CheckedItemWithImageGetsABox) {
  TsuiPopupMenu menu(nullptr);
  menu.SetUIStyle(DeepBlue);
  TCustomImageList images(nullptr, 16, 16);
  TBitmap picture(16, 16, pf24bit);
  picture.Canvas()->Brush()->SetColor(MakeRGB(0, 255, 0));
  picture.Canvas()->FillRect(TRect(0, 0, 16, 16));
  images.Add(&picture, nullptr);
  menu.SetImages(&images);
  TMenuItem* item = AddItem(&menu, L"Item");
  item->SetImageIndex(0);
  item->SetChecked(true);
  DrawnItem drawn(menu, item, false);
  const int x = 4;
  EXPECT_EQ(drawn.Pixel(x - 2, 1), 0u) << "black frame";
  EXPECT_EQ(drawn.Pixel(x - 1, 2), Rgb(0xA04A44)) << "box in the selected colour";
  EXPECT_EQ(drawn.Pixel(x + 8, 3 + 8), 0x00FF00u) << "the image over it";
}

TEST(ThemedMenus, SeparatorLine) {
  TsuiPopupMenu menu(nullptr);
  menu.SetUIStyle(DeepBlue);
  TMenuItem* line = AddItem(&menu, L"-");
  DrawnItem drawn(menu, line, false);
  EXPECT_EQ(drawn.Pixel(26 + 4 + 20, 2), Rgb(0x848284));
  EXPECT_EQ(drawn.Pixel(26 + 4 + 20, 4), Rgb(0xFFFFFF));
  EXPECT_EQ(drawn.Pixel(26 + 2, 2), Rgb(0xFFFFFF)) << "the line starts 4 pixels after the bar";
}

// The system's menu font is taken (the wide metrics call accepts the framework's structure).
TEST(ThemedMenus, SystemMenuFontIsTaken) {
  const String menuFont = GetNonClientMetrics().lfMenuFont.lfFaceName;
  ASSERT_FALSE(menuFont.empty());
  TFont font;
  font.SetName(L"Not A Menu Font");
  GetSystemMenuFont(&font);
  EXPECT_EQ(font.Name(), menuFont);
  EXPECT_EQ(font.Color(), clMenuText);
  TsuiPopupMenu menu(nullptr);
  TMenuItem* item = AddItem(&menu, L"Item");
  EXPECT_EQ(DrawnItem(menu, item, false).fontName, menuFont);
}

TEST(ThemedMenus, ThemeFileRemovalFallsBackToDeepBlue) {
  auto* theme = new TsuiFileTheme(nullptr);
  TsuiPopupMenu menu(nullptr);
  menu.SetUIStyle(WinXP);
  menu.SetFileTheme(theme);
  theme->Free();
  EXPECT_EQ(menu.FileTheme(), nullptr);
  EXPECT_EQ(menu.UIStyle(), DeepBlue);
}

// A right-to-left menu on a Middle-East system mirrors the side bar, the separator and the glyph;
// either condition alone keeps the menu left to right.
TEST(ThemedMenus, RightToLeftOnAMiddleEastSystem) {
  struct Case {
    TBiDiMode mode;
    int middleEast;
    bool mirrored;
  } cases[] = {{bdRightToLeft, 1, true}, {bdRightToLeft, 0, false}, {bdLeftToRight, 1, false}};
  for (const Case& c : cases) {
    MiddleEastLocale locale(c.middleEast);
    TsuiPopupMenu menu(nullptr);
    menu.SetUIStyle(DeepBlue);
    menu.SetBiDiMode(c.mode);
    menu.BarColor = menu.BarToColor = MakeRGB(255, 0, 0);
    TMenuItem* item = AddItem(&menu, L"Item");
    item->SetChecked(true);
    TMenuItem* line = AddItem(&menu, L"-");
    const int bar = c.mirrored ? 199 : 0, away = c.mirrored ? 0 : 199;
    DrawnItem drawn(menu, item, false);
    EXPECT_EQ(drawn.Pixel(bar, 10), 0xFF0000u) << c.mode << c.middleEast;
    EXPECT_EQ(drawn.Pixel(away, 10), Rgb(0xFFFFFF));
    // The check mark (its box is 16 pixels from x = Left + 4, or Right - 20): some ink in it.
    const int glyph = c.mirrored ? 180 : 4;
    bool ink = false;
    for (int y = 3; y < 19; ++y)
      for (int x = glyph; x < glyph + 16; ++x) ink = ink || drawn.Pixel(x, y) != Rgb(0xFFFFFF);
    EXPECT_TRUE(ink) << "check mark at " << glyph;
    DrawnItem separator(menu, line, false);
    const int lineStart = c.mirrored ? 2 : 26 + 4, lineEnd = c.mirrored ? 200 - 26 - 4 : 198;
    EXPECT_EQ(separator.Pixel(lineStart, 2), Rgb(0x848284));
    EXPECT_EQ(separator.Pixel(lineEnd - 1, 2), Rgb(0x848284));
    EXPECT_NE(separator.Pixel(c.mirrored ? lineEnd + 1 : lineStart - 2, 2), Rgb(0x848284));
  }
}
