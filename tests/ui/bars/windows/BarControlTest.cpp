// The common bar window: the live list and the active chain, layout and hit testing, the click road,
// keys, the context menu's timing, and what the painter draws where.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/painters/BarPainters.h"

using namespace bar_testing;
using window_testing::DibSection;

namespace {

class BarControlTest : public BarWindowFixture {
 protected:
  // A toolbar-kind window with the buttons of Captions, shown at (200, 200).
  TTestBarControl* WindowWith(std::initializer_list<const wchar_t*> Captions, int Kind = 0) {
    TTestBarControl* window = NewWindow(Kind);
    for (const wchar_t* caption : Captions) {
      TdxBarButton* item = NewItem(String(L"b") + std::to_wstring(serial_++), caption);
      item->OnClick = [this, item](TObject*) { clicked.push_back(item); };
      window->ItemLinks()->AddItemLink(item);
    }
    if (Kind == 2)
      window->ShowAt(200, 200, 160, 200);
    else
      window->ShowAt(200, 200, 300, 30);
    return window;
  }
  static TdxBarItemControl* ControlAt(TTestBarControl* Window, int Index) {
    return Window->ItemLinks()->LinkAt(Index)->ItemControl();
  }
  static TdxBarItem* ItemAt(TTestBarControl* Window, int Index) { return Window->ItemLinks()->LinkAt(Index)->Item(); }
  void ClickOn(TTestBarControl* Window, TdxBarItemControl* Control) {
    const TPoint p = CentreOf(Control);
    Press(Window, p.x, p.y);
    Release(Window, p.x, p.y);
  }

  std::vector<TdxBarItem*> clicked;

 private:
  int serial_ = 0;
};

// The window as its next paint draws it.
class Painted {
 public:
  explicit Painted(TWinControl* Window) : dib_(Window->Width(), Window->Height()) {
    Window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib_.DC()), 0);
  }
  DWORD At(const TPoint& P) const { return dib_.Pixel(P.x, P.y); }
  DWORD At(int X, int Y) const { return dib_.Pixel(X, Y); }

 private:
  DibSection dib_;
};

TEST_F(BarControlTest, APressAndReleaseOnAButtonClicksItOnceAndAReleaseElsewhereNone) {
  TTestBarControl* window = WindowWith({L"Open", L"Save"});
  TdxBarItemControl* open = ControlAt(window, 0);
  ASSERT_NE(open, nullptr);
  ClickOn(window, open);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], ItemAt(window, 0));

  clicked.clear();
  const TPoint from = CentreOf(open), to = CentreOf(ControlAt(window, 1));
  Press(window, from.x, from.y);
  Release(window, to.x, to.y);
  EXPECT_TRUE(clicked.empty());
  // Released over the window's empty end: nothing either.
  Press(window, from.x, from.y);
  Release(window, window->ClientWidth() - 3, 10);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(BarControlTest, AReleaseOnADisabledControlClosesTheActiveState) {
  TTestBarControl* window = WindowWith({L"Open", L"Save"});
  ItemAt(window, 1)->SetEnabled(false);
  const TPoint from = CentreOf(ControlAt(window, 0)), to = CentreOf(ControlAt(window, 1));
  Press(window, from.x, from.y);
  ASSERT_TRUE(window->IsActive());
  Release(window, to.x, to.y);
  EXPECT_FALSE(window->IsActive());
  EXPECT_EQ(window->SelectedLink(), nullptr);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(BarControlTest, AControlFreedByItsOwnClickIsNotTouchedAfterwards) {
  TTestBarControl* window = WindowWith({L"Open", L"Close"});
  TdxBarItem* close = ItemAt(window, 1);
  TdxBarItemControl* control = ControlAt(window, 1);
  int fired = 0;
  close->OnClick = [&](TObject*) {
    ++fired;
    close->Free();
  };
  ClickOn(window, control);
  EXPECT_EQ(fired, 1);
  ASSERT_TRUE(IsLiveBarControl(window));
  EXPECT_EQ(window->ItemLinks()->Count(), 1);
  EXPECT_EQ(window->ClickedControl(), nullptr);
  EXPECT_EQ(window->SelectedLink(), nullptr);
  // The window goes on working with what is left.
  ClickOn(window, ControlAt(window, 0));
  EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(BarControlTest, TheLiveListAndTheActiveChain) {
  const int before = LiveBarControlCount();
  TTestBarControl* first = WindowWith({L"Open"});
  TTestBarControl* second = WindowWith({L"Save"});
  EXPECT_EQ(LiveBarControlCount(), before + 2);
  EXPECT_TRUE(IsLiveBarControl(first));
  EXPECT_FALSE(IsLiveBarControl(nullptr));
  EXPECT_FALSE(IsLiveBarControl(manager));

  first->SelectAndActivate(ControlAt(first, 0));
  EXPECT_EQ(ActiveBarControl(), first);
  EXPECT_TRUE(first->InActiveChain());
  second->SelectAndActivate(ControlAt(second, 0));
  EXPECT_EQ(ActiveBarControl(), second);
  EXPECT_FALSE(first->InActiveChain());
  // Deactivating the head brings the previous one back while it is live and active.
  second->RequestActive(false);
  EXPECT_EQ(ActiveBarControl(), first);

  // A head whose previous window went is followed by no chain at all.
  second->SelectAndActivate(ControlAt(second, 0));
  first->Free();
  EXPECT_FALSE(IsLiveBarControl(first));
  second->RequestActive(false);
  EXPECT_EQ(ActiveBarControl(), nullptr);
  EXPECT_TRUE(second->InActiveChain());  // no chain: every window counts

  // Parents: the head's parent belongs to the chain.
  TTestBarControl* menu = WindowWith({L"Cut"}, 2);
  menu->SetParentBar(second);
  second->SelectAndActivate(ControlAt(second, 0));
  menu->SelectAndActivate(ControlAt(menu, 0));
  EXPECT_TRUE(second->InActiveChain());
  EXPECT_EQ(TopBarOfChain(menu), second);
  menu->SetParentBar(nullptr);
}

TEST_F(BarControlTest, ItemControlAtTakesTheFirstOfOverlappingRectangles) {
  TTestBarControl* window = WindowWith({L"Open", L"Save"});
  TdxBarItemControl* open = ControlAt(window, 0);
  TdxBarItemControl* save = ControlAt(window, 1);
  const TRect a = open->ViewInfo()->BoundsRect(), b = save->ViewInfo()->BoundsRect();
  // Save laid over the right half of Open.
  const int mid = (a.left + a.right) / 2;
  save->ViewInfo()->SetBounds(TRect{mid, b.top, b.right, b.bottom});
  EXPECT_EQ(window->ItemControlAt(TPoint{mid + 1, (a.top + a.bottom) / 2}), open);
  EXPECT_EQ(window->ItemControlAt(TPoint{a.right + 1, (b.top + b.bottom) / 2}), save);
  EXPECT_EQ(window->ItemControlAt(TPoint{window->ClientWidth() - 2, 2}), nullptr);
}

TEST_F(BarControlTest, ArrowsAreTurnedOnAVerticalWindow) {
  TTestBarControl* window = NewWindow();
  window->Vertical = true;
  for (const wchar_t* caption : {L"One", L"Two", L"Three"}) window->ItemLinks()->AddItemLink(NewItem(caption));
  window->ShowAt(200, 200, 60, 200);
  window->SelectAndActivate(ControlAt(window, 0));
  ASSERT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(0));
  KeyDown(window, VK_DOWN);
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(1));
  // Right becomes Down, which a toolbar does not walk with.
  KeyDown(window, VK_RIGHT);
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(1));
  KeyDown(window, VK_UP);
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(0));
  // Walking wraps; End and Home reach the ends.
  KeyDown(window, VK_UP);
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(2));
  KeyDown(window, VK_HOME);
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(0));
  KeyDown(window, VK_END);
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(2));
}

TEST_F(BarControlTest, TabWalksRightAndShiftTabLeft) {
  TTestBarControl* window = WindowWith({L"One", L"Two", L"Three"});
  window->SelectAndActivate(ControlAt(window, 1));
  KeyDown(window, VK_TAB);
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(2));
  {
    window_testing::HeldKeys shift({VK_SHIFT});
    KeyDown(window, VK_TAB);
  }
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(1));
  EXPECT_TRUE(clicked.empty());
}

TEST_F(BarControlTest, ASharedAcceleratorOnlySelectsAndAUniqueOneClicks) {
  TTestBarControl* window = WindowWith({L"&Open", L"&Save", L"O&ptions", L"&Other", L"&Hidden"});
  // On a toolbar only a button that shows its caption answers its accelerator.
  for (int i = 0; i < 4; ++i) ItemAt(window, i)->SetPaintStyle(psCaption);
  window->Relayout();
  window->SelectAndActivate(ControlAt(window, 1));
  KeyDown(window, 'H');
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(1));
  KeyDown(window, 'O');
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(3));
  KeyDown(window, 'O');
  EXPECT_EQ(window->SelectedLink(), window->ItemLinks()->LinkAt(0));
  EXPECT_TRUE(clicked.empty());
  KeyDown(window, 'P');
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], ItemAt(window, 2));
}

TEST_F(BarControlTest, AltClosesTheActiveWindow) {
  TTestBarControl* window = WindowWith({L"One", L"Two"});
  window->SelectAndActivate(ControlAt(window, 0));
  KeyDown(window, VK_MENU);
  EXPECT_FALSE(window->IsActive());
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(BarControlTest, TheContextMenuOpensOnPressOrWithBit8OnRelease) {
  struct Case {
    int Flags;
    size_t AfterPress, AfterRelease;
  };
  for (const Case& c : {Case{0, 1, 1}, Case{bfContextMenuOnRelease, 0, 1}}) {
    TTestBarControl* window = WindowWith({L"Open"});
    window->Flags = c.Flags;
    const TPoint p = CentreOf(ControlAt(window, 0));
    Press(window, p.x, p.y, WM_RBUTTONDOWN);
    EXPECT_EQ(window->DesignPopups.size(), c.AfterPress) << c.Flags;
    Release(window, p.x, p.y, WM_RBUTTONUP);
    EXPECT_EQ(window->DesignPopups.size(), c.AfterRelease) << c.Flags;
    if (!window->DesignPopups.empty()) {
      EXPECT_EQ(window->DesignPopups.back(), ControlAt(window, 0));
    }
  }
  // In a popup chain outside customizing: never.
  TTestBarControl* popup = WindowWith({L"Open"});
  popup->PopupBar = true;
  const TPoint p = CentreOf(ControlAt(popup, 0));
  Press(popup, p.x, p.y, WM_RBUTTONDOWN);
  Release(popup, p.x, p.y, WM_RBUTTONUP);
  EXPECT_TRUE(popup->DesignPopups.empty());
  EXPECT_TRUE(clicked.empty());
}

TEST_F(BarControlTest, EachControlShowsThePaintersColourForItsState) {
  TTestBarControl* window = NewWindow();
  TdxBarButton* open = NewItem(L"Open");
  TdxBarButton* save = NewItem(L"Save");
  TdxBarButton* close = NewItem(L"Close");
  auto* label = NewItem<TdxBarLabel>(L"Label");
  window->ItemLinks()->AddItemLink(open);
  window->ItemLinks()->AddItemLink(save);
  window->ItemLinks()->AddItemLink(close)->SetBeginGroup(true);
  window->ItemLinks()->AddItemLink(label);
  save->SetEnabled(false);
  window->ShowAt(200, 200, 320, 30);
  TdxBarItemControl* controls[4];
  for (int i = 0; i < 4; ++i) controls[i] = ControlAt(window, i);
  {
    Painted face(window);
    EXPECT_EQ(face.At(CentreOf(controls[0])), TestColor(teButton, tsNormal));
    EXPECT_EQ(face.At(CentreOf(controls[1])), TestColor(teButton, tsDisabled));
    EXPECT_EQ(face.At(CentreOf(controls[2])), TestColor(teButton, tsNormal));
    EXPECT_EQ(face.At(CentreOf(controls[3])), TestColor(teStatic, tsNormal));
    // The separator sits where the view info says, before the group's first control.
    ASSERT_EQ(window->ViewInfo()->SeparatorCount(), 1);
    TdxBarSeparatorInfo info;
    window->ViewInfo()->GetSeparatorInfo(0, info);
    EXPECT_EQ(info.Bounds.right, controls[2]->ViewInfo()->BoundsRect().left);
    EXPECT_EQ(face.At((info.Bounds.left + info.Bounds.right) / 2, (info.Bounds.top + info.Bounds.bottom) / 2),
              kTestSeparatorStrip);
    EXPECT_EQ(face.At(window->ClientWidth() - 2, 2), kTestBackground);
  }
  const TPoint hot = CentreOf(controls[0]);
  MoveTo(window, hot.x, hot.y);
  EXPECT_EQ(Painted(window).At(hot), TestColor(teButton, tsHot));
  {
    HeldLeftButton held;
    Press(window, hot.x, hot.y);
    EXPECT_EQ(Painted(window).At(hot), TestColor(teButton, tsPressed));
  }
  Release(window, hot.x, hot.y);
  EXPECT_NE(Painted(window).At(hot), TestColor(teButton, tsPressed));
}

TEST_F(BarControlTest, ADestroyedControlTakesItsSeparatorRecordsAlong) {
  TTestBarControl* window = NewWindow();
  TdxBarButton* open = NewItem(L"Open");
  TdxBarButton* close = NewItem(L"Close");
  window->ItemLinks()->AddItemLink(open);
  window->ItemLinks()->AddItemLink(close)->SetBeginGroup(true);
  window->ShowAt(200, 200, 300, 30);
  TCustomdxBarControlViewInfo* info = window->ViewInfo();
  TdxBarItemControl* control = ControlAt(window, 1);
  ASSERT_EQ(info->SeparatorCount(), 1);
  ASSERT_EQ(info->SeparatorControl(0), control);
  // The control goes without a new layout: no record may name it afterwards.
  window->ItemLinks()->LinkAt(1)->DestroyItemControl();
  ASSERT_EQ(window->ItemLinks()->LinkAt(1)->ItemControl(), nullptr);
  for (int i = 0; i < info->SeparatorCount(); ++i) EXPECT_NE(info->SeparatorControl(i), control);
  EXPECT_EQ(info->SeparatorCount(), 0);
  EXPECT_FALSE(info->ShowsItemControl(control));
  // A paint in between walks the records safely.
  Painted face(window);
  (void)face;
}

TEST_F(BarControlTest, SeparatorRecordsFindTheFirstMatchAndKeepTheirControl) {
  TTestBarControl* window = WindowWith({L"Open"});
  TCustomdxBarControlViewInfo* info = window->ViewInfo();
  TdxBarItemControl* control = ControlAt(window, 0);
  info->ClearSeparators();
  info->AppendSeparator(TRect{0, 0, 2, 10}, 1, nullptr);
  info->AppendSeparator(TRect{5, 0, 7, 10}, 1, control);
  info->AppendSeparator(TRect{9, 0, 11, 10}, 0, control);
  int index = -7;
  ASSERT_TRUE(info->FindSeparatorFor(control, index));
  EXPECT_EQ(index, 1);
  TdxBarItemControl* absent = reinterpret_cast<TdxBarItemControl*>(&index);
  index = -7;
  EXPECT_FALSE(info->FindSeparatorFor(absent, index));
  EXPECT_EQ(index, -7);
  info->SetSeparatorInfo(1, TdxBarSeparatorInfo{TRect{20, 1, 22, 9}, 0});
  TdxBarSeparatorInfo read;
  info->GetSeparatorInfo(1, read);
  EXPECT_EQ(read.Bounds, (TRect{20, 1, 22, 9}));
  EXPECT_EQ(read.Kind, 0);
  EXPECT_EQ(info->SeparatorControl(1), control);
}

TEST_F(BarControlTest, AWindowWithoutParentReportsFlags19AndAChildItsParents) {
  TTestBarControl* toolbar = WindowWith({L"Open"});
  EXPECT_EQ(toolbar->FeatureFlags(), 19);
  TTestBarControl* menu = WindowWith({L"Cut"}, 2);
  toolbar->Flags = bfHintsInMenus | bfContextMenuOnRelease;
  menu->SetParentBar(toolbar);
  EXPECT_EQ(menu->FeatureFlags(), bfHintsInMenus | bfContextMenuOnRelease);
  menu->SetParentBar(nullptr);
}

TEST_F(BarControlTest, TheRatioIsNeverBelowOneNorTheMenuArrowBelowFour) {
  TTestBarControl* window = WindowWith({L"Open"});
  struct Case {
    int Text, Reference;
    double Ratio;
    int Arrow;
  };
  for (const Case& c : {Case{10, 13, 1.0, 4}, Case{26, 13, 2.0, 5}, Case{13, 0, 1.0, 4}}) {
    TTestBarPainter::TextHeight = c.Text;
    TTestBarPainter::ReferenceText = c.Reference;
    window->CalcMetrics();
    EXPECT_DOUBLE_EQ(window->Ratio(), c.Ratio) << c.Text;
    EXPECT_EQ(window->MenuArrowHeight(), c.Arrow) << c.Text;
    EXPECT_EQ(window->TextSize(), c.Text);
  }
}

TEST_F(BarControlTest, StackingAFirstLinkTallerThanTheAreaPlacesNothingUnlessPartialLinksShow) {
  TTestBarControl* menu = WindowWith({L"Open", L"Save"}, 2);
  TdxBarItemLink* first = menu->ItemLinks()->LinkAt(0);
  menu->VisibleItemsRect = TRect{0, 5, 100, 15};  // 10 high, the items are 16
  first->StoreItemRect(TRect{});
  int bottom = -1;
  menu->StackLinksFrom(0, bottom);
  EXPECT_EQ(bottom, 5);
  EXPECT_TRUE(first->ItemRect().IsEmpty());
  menu->PartialLast = true;
  menu->StackLinksFrom(0, bottom);
  EXPECT_EQ(bottom, 15);
  EXPECT_EQ(first->ItemRect(), (TRect{0, 5, 100, 21}));
  // With room the links stack one under the other.
  menu->PartialLast = false;
  menu->VisibleItemsRect = TRect{0, 5, 100, 100};
  menu->StackLinksFrom(0, bottom);
  EXPECT_EQ(menu->ItemLinks()->LinkAt(1)->ItemRect(), (TRect{0, 21, 100, 37}));
  EXPECT_EQ(bottom, 37);
}

TEST_F(BarControlTest, APopupBarTellsThePainterItsSizeOnEveryResize) {
  TTestBarControl* window = WindowWith({L"Open"});
  window->PopupBar = true;
  const int before = TTestBarPainter::BorderChanges;
  window->SetBounds(200, 200, 260, 40);
  window->SetBounds(200, 200, 280, 44);
  EXPECT_EQ(TTestBarPainter::BorderChanges, before + 2);
}

TEST(BarControlWithoutPainter, CannotBeCreated) {
  for (int style = brsStandard; style <= brsSkinned; ++style) SetBarPainterClass(style, nullptr);
  TForm* form = new TForm(nullptr, 0);
  auto* manager = new TdxBarManager(form);
  ASSERT_EQ(manager->Painter(), nullptr);
  try {
    new TTestBarControl(manager);
    ADD_FAILURE() << "a window was made without painter";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"No bar painter is registered");
  }
  EXPECT_EQ(manager->ComponentCount(), 0);
  form->Free();
  RegisterBarPainterClasses();
}

}  // namespace
