// Item controls in a real bar window: sizes with the test painter, view levels, parts, the click's
// order, the pressed state while clicking, the 400 ms drop-down timers, checkable drop-down buttons,
// content by paint style.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarRoutines.h"

using namespace bar_testing;

namespace {

// A button control that records its drop-downs instead of opening a menu (menus come later).
class TTestDropButtonControl : public TdxBarButtonControl {
  DECLARE_CLASS(TTestDropButtonControl, TdxBarButtonControl)
 public:
  using TdxBarButtonControl::TdxBarButtonControl;
  static int Drops;
  void DropDown(bool) override { ++Drops; }
  void ClearParts() { PartBoundsRef().clear(); }
};
int TTestDropButtonControl::Drops = 0;

class TTestDropButton : public TdxBarButton {
  DECLARE_CLASS(TTestDropButton, TdxBarButton)
 public:
  using TdxBarButton::TdxBarButton;
  TdxBarItemControlClass ItemControlClass(bool) const override { return &TTestDropButtonControl::ClassInfo(); }
};

DEFINE_CLASS(TTestDropButtonControl)
DEFINE_CLASS(TTestDropButton)

std::vector<String> g_sounds;
BOOL RecordSound(const wchar_t* Alias, HMODULE, DWORD) {
  g_sounds.push_back(Alias ? Alias : L"");
  return TRUE;
}

class ItemControlTest : public BarWindowFixture {
 protected:
  void SetUp() override {
    BarWindowFixture::SetUp();
    TTestDropButtonControl::Drops = 0;
    g_sounds.clear();
    previousPlayer_ = SetMenuSoundPlayer(&RecordSound);
  }
  void TearDown() override {
    SetMenuSoundPlayer(previousPlayer_);
    TdxBarDropDownTimers::StopFor(TdxBarDropDownTimers::OpenTimerControl());
    BarWindowFixture::TearDown();
  }
  // A shown window of the kind (0 toolbar, 2 menu) with the items.
  TTestBarControl* Show(int Kind, std::initializer_list<TdxBarItem*> Items) {
    TTestBarControl* window = NewWindow(Kind, Kind == 2 ? pkMenu : pkToolbar);
    for (TdxBarItem* item : Items) window->ItemLinks()->AddItemLink(item);
    if (Kind == 2)
      window->ShowAt(200, 200, 200, 240);
    else
      window->ShowAt(200, 200, 400, 60);
    return window;
  }
  static TdxBarItemControl* ControlAt(TTestBarControl* Window, int Index) {
    return Window->ItemLinks()->LinkAt(Index)->ItemControl();
  }
  static void GiveGlyph(TdxBarItem* Item, int Size, bool Large = false) {
    TBitmap bitmap;
    bitmap.SetSize(Size, Size);
    if (Large)
      Item->SetLargeGlyph(&bitmap);
    else
      Item->SetGlyph(&bitmap);
  }
  int HalfFont() const { return manager->Font()->Size() / 2; }

 private:
  TdxBarSoundPlayer previousPlayer_ = nullptr;
};

TEST_F(ItemControlTest, SizesFromTheTestPainter) {
  // Text 16 high and 7 wide a character; a 16-pixel glyph pads to 23 x 22; gap 4; icon column 24.
  ASSERT_EQ(manager->GlyphSize(), 16);
  TdxBarButton* caption = NewItem(L"Open");
  TdxBarButton* glyph = NewItem(L"Save");
  GiveGlyph(glyph, 16);
  TdxBarButton* both = NewItem(L"Copy");
  GiveGlyph(both, 16);
  both->SetPaintStyle(psCaptionGlyph);
  TTestBarControl* toolbar = Show(0, {caption, glyph, both});
  struct Case {
    const char* Name;
    int Index, Width, Height;
  };
  for (const Case& c : {Case{"caption", 0, 28 + 2 * HalfFont(), 22}, Case{"glyph", 1, 23, 22},
                        Case{"caption and glyph", 2, 23 + 28 + 4, 22}}) {
    TdxBarItemControl* control = ControlAt(toolbar, c.Index);
    EXPECT_EQ(control->MeasureWidth(), c.Width) << c.Name;
    EXPECT_EQ(control->MeasureHeight(), c.Height) << c.Name;
  }

  // Large glyphs of 32 at view level 0, by glyph layout, with and without text.
  TdxBarButton* large = NewItem(L"Print");
  GiveGlyph(large, 32, true);
  TTestBarControl* big = Show(0, {large});
  // A layout or caption change rebuilds the window's controls: each measure takes the current one.
  auto measure = [&] {
    TdxBarItemControl* control = ControlAt(big, 0);
    control->ViewInfo()->SetViewLevel(ivlLargeIconWithText);
    return TSize{control->MeasureWidth(), control->MeasureHeight()};
  };
  struct LargeCase {
    TdxBarGlyphLayout Layout;
    int Width, Height;
  };
  for (const LargeCase& c : {LargeCase{glTop, std::max(32, 35 + 6) + 10, 32 + 16 + 7},
                             LargeCase{glLeft, 32 + 35 + 16, std::max(32, 16) + 6}}) {
    large->SetGlyphLayout(c.Layout);
    const TSize size = measure();
    EXPECT_EQ(size.cx, c.Width) << c.Layout;
    EXPECT_EQ(size.cy, c.Height) << c.Layout;
  }
  // Level 0 always has the text part: an empty caption only takes its width away.
  large->SetCaption(L"");
  const TSize empty = measure();
  EXPECT_EQ(empty.cx, 32 + 0 + 16);
  EXPECT_EQ(empty.cy, 32 + 6);

  // In a menu: the icon column, the caption and the painter's text offsets (3 + 3); the item height.
  TdxBarButton* entry = NewItem(L"Exit");
  TTestBarControl* menu = Show(2, {entry});
  EXPECT_EQ(ControlAt(menu, 0)->MeasureWidth(), 24 + 28 + 6);
  EXPECT_EQ(ControlAt(menu, 0)->MeasureHeight(), 16);
}

TEST_F(ItemControlTest, PossibleAndAllowedViewLevels) {
  TdxBarButton* plain = NewItem(L"Open");
  TdxBarButton* glyph = NewItem(L"Save");
  GiveGlyph(glyph, 16);
  TTestBarControl* window = Show(0, {plain, glyph});
  EXPECT_EQ(ControlAt(window, 0)->PossibleViewLevels(), (TdxBarItemViewLevels{ivlSmallIconWithText}));
  EXPECT_EQ(ControlAt(window, 1)->PossibleViewLevels(), (TdxBarItemViewLevels{ivlSmallIconWithText, ivlSmallIcon}));
  TdxBarItemLink* link = window->ItemLinks()->LinkAt(1);
  link->SetViewLevels({ivlSmallIcon, ivlLargeIconWithText});
  EXPECT_EQ(ControlAt(window, 1)->AllowedViewLevels(), (TdxBarItemViewLevels{ivlSmallIcon}));
  // No common level: the possible ones.
  link->SetViewLevels({ivlLargeIconWithText});
  EXPECT_EQ(ControlAt(window, 1)->AllowedViewLevels(), (TdxBarItemViewLevels{ivlSmallIconWithText, ivlSmallIcon}));
  // A level outside the allowed ones cannot be measured.
  EXPECT_THROW(ControlAt(window, 1)->ViewInfo()->WidthForViewLevel(ivlControlOnly), Exception);
}

TEST_F(ItemControlTest, ViewInfoTellsAGroupLayoutItsLinksPositionAndGroup) {
  TdxBarButton* first = NewItem(L"Cut");
  TdxBarButton* second = NewItem(L"Copy");
  TTestBarControl* window = Show(0, {first, second});
  TdxBarItemLink* link = window->ItemLinks()->LinkAt(1);
  // A change of the links makes the window's controls anew: each check asks the current control.
  auto info = [&]() -> IdxBarItemControlViewInfo* { return ControlAt(window, 1)->ViewInfo(); };
  EXPECT_EQ(info()->GetPosition(), ipBeginsNewRow);
  EXPECT_FALSE(info()->GetBeginGroup());
  link->SetPosition(ipContinuesRow);
  link->SetBeginGroup(true);
  EXPECT_EQ(info()->GetPosition(), ipContinuesRow);
  EXPECT_TRUE(info()->GetBeginGroup());
  // An ordinary control has no columns of its own.
  IdxRibbonMultiColumnItem* multi = nullptr;
  EXPECT_FALSE(info()->IsMultiColumn(false, multi));
  EXPECT_EQ(multi, nullptr);
}

TEST_F(ItemControlTest, HitTestPartOfADropDownButton) {
  auto* button = NewItem<TTestDropButton>(L"Paste");
  button->SetButtonStyle(bsDropDown);
  TTestBarControl* window = Show(0, {button});
  TdxBarItemControl* control = ControlAt(window, 0);
  const TRect r = control->BoundsInBar();
  ASSERT_EQ(control->PartCount(), 2);
  const TRect arrow = control->PartBounds()[1];
  EXPECT_EQ(arrow.right, r.right);
  EXPECT_EQ(control->HitTestPart(TPoint{r.left + 2, r.top + 2}), 0);
  EXPECT_EQ(control->HitTestPart(TPoint{r.right - 2, r.top + 2}), 1);
  EXPECT_EQ(control->HitTestPart(TPoint{r.right + 3, r.top + 2}), -1);
  // Inside the control but in no part.
  static_cast<TTestDropButtonControl*>(control)->ClearParts();
  EXPECT_EQ(control->HitTestPart(TPoint{r.left + 2, r.top + 2}), 100);
}

TEST_F(ItemControlTest, AClickMarksTheLinkClosesTheChainThenFiresTheItemWithTheMenuSound) {
  TdxBarButton* open = NewItem(L"Open");
  TTestBarControl* menu = Show(2, {open, NewItem(L"Save")});
  TdxBarItemLink* link = menu->ItemLinks()->LinkAt(0);
  const int uses = link->UseCount();
  std::vector<String> seen;
  open->OnClick = [&](TObject*) {
    seen.push_back(g_sounds.empty() ? L"" : g_sounds.back());
    seen.push_back(link->UseCount() == uses + 1 ? L"marked" : L"unmarked");
    seen.push_back(ActiveBarControl() == nullptr && !menu->IsActive() ? L"closed" : L"open");
  };
  menu->SelectAndActivate(ControlAt(menu, 0));
  ControlAt(menu, 0)->ControlClick(false, VK_RETURN);
  EXPECT_EQ(seen, (std::vector<String>{L"MenuCommand", L"marked", L"closed"}));
}

TEST_F(ItemControlTest, UnclickAfterDoingDecidesThePressedStateWhileTheItemRuns) {
  for (bool unclick : {true, false}) {
    TdxBarButton* open = NewItem(String(L"Open") + (unclick ? L"1" : L"0"));
    open->UnclickAfterDoing = unclick;
    TTestBarControl* window = Show(0, {open});
    TdxBarItemControl* control = ControlAt(window, 0);
    bool clicking = !unclick;
    TTestBarPainter::Drawn.clear();
    open->OnClick = [&](TObject*) {
      clicking = control->Clicking();
      window->Perform(WM_PAINT, 0, 0);
      window_testing::DibSection dib(window->Width(), window->Height());
      window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
      const TPoint p = CentreOf(control);
      EXPECT_EQ(dib.Pixel(p.x, p.y) == TestColor(teButton, tsPressed), unclick) << unclick;
    };
    control->ControlClick(false, VK_RETURN);
    EXPECT_EQ(clicking, unclick);
    EXPECT_FALSE(control->Clicking());
  }
}

TEST_F(ItemControlTest, InAMenuTheDropDownOpensAfter400MillisecondsUnlessTheSelectionMovesOn) {
  auto* paste = NewItem<TTestDropButton>(L"Paste");
  paste->SetButtonStyle(bsDropDown);
  TTestBarControl* menu = Show(2, {paste, NewItem(L"Copy")});
  auto* control = static_cast<TdxBarButtonLikeControl*>(ControlAt(menu, 0));
  auto hover = [&](int Index) {
    const TPoint p = CentreOf(ControlAt(menu, Index));
    MoveTo(menu, p.x, p.y);
  };
  hover(0);
  EXPECT_EQ(TdxBarDropDownTimers::OpenTimerControl(), control);
  EXPECT_EQ(TTestDropButtonControl::Drops, 0);
  TdxBarDropDownTimers::FireOpen();
  EXPECT_EQ(TTestDropButtonControl::Drops, 1);
  EXPECT_EQ(TdxBarDropDownTimers::OpenTimerControl(), nullptr);

  // Selected again, then the selection moves on before the pause ends: nothing opens.
  hover(1);
  hover(0);
  ASSERT_EQ(TdxBarDropDownTimers::OpenTimerControl(), control);
  hover(1);
  EXPECT_EQ(TdxBarDropDownTimers::OpenTimerControl(), nullptr);
  EXPECT_EQ(TTestDropButtonControl::Drops, 1);

  // On a toolbar a selection alone opens nothing, and nothing waits.
  auto* cut = NewItem<TTestDropButton>(L"Cut");
  cut->SetButtonStyle(bsDropDown);
  TTestBarControl* toolbar = Show(0, {cut});
  const TPoint p = CentreOf(ControlAt(toolbar, 0));
  MoveTo(toolbar, p.x, p.y);
  EXPECT_EQ(toolbar->SelectedItemControl(), ControlAt(toolbar, 0));
  EXPECT_EQ(TdxBarDropDownTimers::OpenTimerControl(), nullptr);
  EXPECT_EQ(TTestDropButtonControl::Drops, 1);
}

TEST_F(ItemControlTest, ACheckableDropDownButtonTogglesOnlyOnItsButtonPart) {
  auto* bold = NewItem<TTestDropButton>(L"Bold");
  bold->SetButtonStyle(bsCheckedDropDown);
  int clicks = 0;
  bold->OnClick = [&](TObject*) { ++clicks; };
  TTestBarControl* window = Show(0, {bold});
  TdxBarItemControl* control = ControlAt(window, 0);
  const TRect arrow = control->PartBounds()[1], face = control->PartBounds()[0];
  const TPoint onArrow{(arrow.left + arrow.right) / 2, (arrow.top + arrow.bottom) / 2};
  const TPoint onFace{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
  MoveTo(window, onArrow.x, onArrow.y);
  Press(window, onArrow.x, onArrow.y);
  Release(window, onArrow.x, onArrow.y);
  EXPECT_FALSE(bold->Down());
  EXPECT_EQ(clicks, 0);
  MoveTo(window, onFace.x, onFace.y);
  Press(window, onFace.x, onFace.y);
  Release(window, onFace.x, onFace.y);
  EXPECT_TRUE(bold->Down());
  EXPECT_EQ(clicks, 1);
}

TEST_F(ItemControlTest, ContentByPaintStyle) {
  using P = TdxBarContentParts;
  const P text{cpText}, icon{cpIcon}, both{cpIcon, cpText};
  struct Case {
    TdxBarPaintStyle Style;
    bool Glyph;
    P Toolbar, Menu;
  };
  const Case cases[] = {
      {psStandard, true, icon, both},      {psStandard, false, text, both},   {psCaption, true, text, text},
      {psCaptionInMenu, true, icon, text}, {psCaptionGlyph, true, both, both},
  };
  for (const Case& c : cases) {
    for (int kind : {0, 2}) {
      TdxBarButton* item = NewItem(String(L"b") + std::to_wstring(c.Style) + (c.Glyph ? L"g" : L"n") +
                                   std::to_wstring(kind));
      if (c.Glyph) GiveGlyph(item, 16);
      item->SetPaintStyle(c.Style);
      TTestBarControl* window = Show(kind, {item});
      TdxBarItemControl* control = ControlAt(window, 0);
      control->CalcDrawParams(true);
      EXPECT_EQ(control->DrawParams()->ContentParts, kind == 0 ? c.Toolbar : c.Menu)
          << "style " << c.Style << " glyph " << c.Glyph << " kind " << kind;
    }
  }
}

}  // namespace
