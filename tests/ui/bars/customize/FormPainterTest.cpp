// The customizing dialog's command-list painters: which painter a bar painter gets, and the parts of
// a button entry probed on a DIB section.
#include <gtest/gtest.h>

#include <memory>

#include "platform/framework/graphics/Bitmap.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarEditControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/customize/FormPainters.h"
#include "ui/bars/painters/BarPainters.h"

using namespace bar_testing;
using window_testing::DibSection;

namespace {

DWORD Rgb(TColor Color) {
  const COLORREF c = ColorToRGB(Color);
  return (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}

class FormPainters : public BarFixture {
 protected:
  // Draws Item's button entry (0, 0, 200, 22) with the painter on a fresh white DIB section.
  void Draw(const TdxBarCustomizingFormPainter& Painter, TdxBarItem* Item, bool Selected) {
    dib = std::make_unique<DibSection>(210, 30);
    RECT all{0, 0, 210, 30};
    FillRect(dib->DC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TCanvas canvas;
    canvas.SetHandle(dib->DC());
    Painter.DrawButtonItem(&canvas, entry, Selected, L"", Item);
    canvas.SetHandle(nullptr);
  }
  DWORD At(int X, int Y) const { return dib->Pixel(X, Y); }

  const TRect entry{0, 0, 200, 22};
  std::unique_ptr<DibSection> dib;
};

}  // namespace

TEST_F(FormPainters, EachBarPainterGetsItsOwnLookAndOthersTheStandardOne) {
  struct Case {
    const char* name;
    TClass barPainter;
    bool (*matches)(const TdxBarCustomizingFormPainter&);
  };
  const Case cases[] = {
      {"XP", &TdxBarXPPainter::ClassInfo(),
       [](const TdxBarCustomizingFormPainter& p) { return dynamic_cast<const TdxBarCustomizingFormXPPainter*>(&p) != nullptr; }},
      {"Office11", &TdxBarOffice11Painter::ClassInfo(),
       [](const TdxBarCustomizingFormPainter& p) { return dynamic_cast<const TdxBarCustomizingFormOffice11Painter*>(&p) != nullptr; }},
      {"flat", &TdxBarFlatPainter::ClassInfo(),
       [](const TdxBarCustomizingFormPainter& p) {
         return dynamic_cast<const TdxBarCustomizingFormFlatPainter*>(&p) &&
                !dynamic_cast<const TdxBarCustomizingFormOffice11Painter*>(&p);
       }},
      {"enhanced", &TdxBarEnhancedPainter::ClassInfo(),
       [](const TdxBarCustomizingFormPainter& p) { return dynamic_cast<const TdxBarCustomizingFormStandardPainter*>(&p) != nullptr; }},
      {"standard", &TdxBarStandardPainter::ClassInfo(),
       [](const TdxBarCustomizingFormPainter& p) { return dynamic_cast<const TdxBarCustomizingFormStandardPainter*>(&p) != nullptr; }},
      {"none", nullptr,
       [](const TdxBarCustomizingFormPainter& p) { return dynamic_cast<const TdxBarCustomizingFormStandardPainter*>(&p) != nullptr; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(c.matches(CustomizingFormPainterFor(c.barPainter)));
  }
}

TEST_F(FormPainters, StandardButtonEntryHasAGlyphBoxTextAreaAndDropDownTail) {
  const TdxBarCustomizingFormPainter& painter = CustomizingFormPainterFor(&TdxBarStandardPainter::ClassInfo());
  TdxBarButton* plain = NewItem(L"Plain");
  TdxBarButton* glyphed = NewItem(L"Glyphed");
  TBitmap glyph;
  glyph.SetWidth(16);
  glyph.SetHeight(16);
  glyphed->Glyph()->Assign(&glyph);
  TdxBarButton* dropDown = NewItem(L"DropDown");
  dropDown->SetButtonStyle(bsDropDown);
  const DWORD face = Rgb(clBtnFace), highlight = Rgb(clHighlight);

  // Without a glyph the box takes the selection colour; the text area starts at 24 px.
  Draw(painter, plain, true);
  EXPECT_EQ(At(5, 11), highlight);
  EXPECT_EQ(At(23, 11), highlight);
  EXPECT_EQ(At(150, 2), highlight);
  Draw(painter, plain, false);
  EXPECT_EQ(At(5, 11), face);
  EXPECT_EQ(At(150, 2), face);
  EXPECT_EQ(At(201, 11), 0xFFFFFFu);  // nothing past the entry

  // With a glyph a selected entry keeps the plain box, raised by an edge; the text is selected.
  Draw(painter, glyphed, true);
  EXPECT_EQ(At(0, 11), Rgb(clBtnHighlight));
  EXPECT_EQ(At(22, 11), Rgb(clBtnShadow));
  EXPECT_EQ(At(150, 2), highlight);

  // A drop-down button's tail (the last 13 px): an etched line unselected, a raised edge selected,
  // the unselected background inside either way.
  Draw(painter, dropDown, false);
  EXPECT_EQ(At(187, 2), Rgb(clBtnShadow));
  EXPECT_EQ(At(188, 2), Rgb(clBtnHighlight));
  EXPECT_EQ(At(196, 2), face);
  Draw(painter, dropDown, true);
  EXPECT_EQ(At(150, 2), highlight);
  EXPECT_EQ(At(187, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(199, 21), Rgb(clBtnShadow));
  EXPECT_EQ(At(196, 2), face);
}

TEST_F(FormPainters, FlatAndOffice11EntriesHaveABandAndAFramedSelection) {
  TdxBarButton* item = NewItem(L"Item");
  struct Case {
    const char* name;
    TClass barPainter;
    DWORD band;
    DWORD rest;
    DWORD frame;
  };
  const Case cases[] = {
      {"flat", &TdxBarFlatPainter::ClassInfo(), Rgb(clBtnFace), Rgb(clWindow), Rgb(clHighlight)},
      {"Office11", &TdxBarOffice11Painter::ClassInfo(), 0, Rgb(TdxBarOffice11Painter::RoleColor(o11rMenu)),
       Rgb(TdxBarOffice11Painter::RoleColor(o11rSelectionFrame))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TdxBarCustomizingFormPainter& painter = CustomizingFormPainterFor(c.barPainter);
    Draw(painter, item, false);
    if (c.band) {
      EXPECT_EQ(At(2, 11), c.band);
    }
    EXPECT_NE(At(2, 11), At(100, 2));  // the band differs from the rest
    EXPECT_EQ(At(100, 2), c.rest);
    Draw(painter, item, true);
    EXPECT_EQ(At(0, 11), c.frame);
    EXPECT_EQ(At(199, 11), c.frame);
    EXPECT_EQ(At(100, 3), Rgb(painter.EntryBackColor(true, item)));
  }
}

TEST_F(FormPainters, EditAndComboItemsDrawEditEntriesInTheCommandList) {
  // Without an open dialog the entries take the standard look. Probes: the caption at the left, the
  // middle of the entry and the last pixels, where a combo's drop-down button stands.
  TdxBarButton* button = NewItem(L"B");
  TdxBarEdit* edit = NewItem<TdxBarEdit>(L"E");
  TdxBarCombo* combo = NewItem<TdxBarCombo>(L"C");
  const DWORD face = Rgb(clBtnFace), window = Rgb(clWindow), highlight = Rgb(clHighlight);
  ASSERT_NE(face, window);
  struct Case {
    const char* name;
    TdxBarItem* item;
    bool selected;
    DWORD caption, middle, tail;
  };
  const Case cases[] = {
      {"button", button, false, face, face, face},
      {"button, selected", button, true, highlight, highlight, highlight},
      {"edit", edit, false, face, window, window},
      {"edit, selected", edit, true, highlight, window, window},
      {"combo", combo, false, face, window, face},
      {"combo, selected", combo, true, highlight, window, face},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dib = std::make_unique<DibSection>(210, 30);
    TCanvas canvas;
    canvas.SetHandle(dib->DC());
    c.item->DrawCustomizingImage(&canvas, entry, c.selected);
    canvas.SetHandle(nullptr);
    EXPECT_EQ(At(1, 2), c.caption);
    EXPECT_EQ(At(150, 11), c.middle);
    EXPECT_EQ(At(188, 4), c.tail);
  }
}

TEST_F(FormPainters, AContainerEntryHasItsCaptionInParentheses) {
  // Measured through the drawn text's extent: the same caption is wider with the parentheses.
  const TdxBarCustomizingFormPainter& painter = CustomizingFormPainterFor(&TdxBarStandardPainter::ClassInfo());
  auto inkRight = [&](TdxBarItem* Item) {
    dib = std::make_unique<DibSection>(210, 30);
    TCanvas canvas;
    canvas.SetHandle(dib->DC());
    painter.DrawButtonItem(&canvas, entry, false, L"Same", Item);
    canvas.SetHandle(nullptr);
    int right = 0;
    for (int x = 24; x < 180; ++x)
      for (int y = 0; y < 22; ++y)
        if (At(x, y) != Rgb(clBtnFace)) right = x;
    return right;
  };
  const int plain = inkRight(NewItem(L"Plain"));
  const int container = inkRight(NewItem<TdxBarContainerItem>(L"Container"));
  EXPECT_GT(plain, 24);
  EXPECT_GT(container, plain + 2);
}
