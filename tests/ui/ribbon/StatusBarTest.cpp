// The status bar under Wine: layout, hit testing, clicks, setters, hint routing, the panel styles'
// widths, the keyboard poll, and the painters probed on a DIB section.

#include <map>

#include "RibbonTestSupport.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/ThemeState.h"
#include "tests/support/FakeThemeApi.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/ribbon/statusbar/StatusBarPainters.h"
#include "ui/ribbon/statusbar/StatusBarStyles.h"

using ribbon_testing::NearPixel;
using ribbon_testing::PixelOf;
using window_testing::DibSection;

namespace {

class TTestStatusBar : public TdxCustomStatusBar {
 public:
  using TdxCustomStatusBar::TdxCustomStatusBar;
  using TdxCustomStatusBar::SetPaintStyle;
  void CalculateLayout() override {
    ++Layouts;
    TdxCustomStatusBar::CalculateLayout();
  }
  int Layouts = 0;
};

// The key states GetKeyState answers, by virtual key.
std::map<int, SHORT> keyStates;
SHORT WINAPI FakeGetKeyState(int Key) { return keyStates[Key]; }

class StatusBar : public window_testing::FormFixture {
 protected:
  void SetUp() override {
    InitializeUnits();
    FormFixture::SetUp();
    form->SetBorderStyle(bsSizeable);
    bar = new TTestStatusBar(form);
    bar->SetParent(form);
    ShowForm();
    W = bar->ClientWidth();
  }
  void TearDown() override {
    FormFixture::TearDown();
    ResetBoundFunctions();
    keyStates.clear();
  }
  TdxStatusBarPanel* AddText(int Width, bool Fixed = true) {
    TdxStatusBarPanel* panel = bar->AddPanel();
    panel->SetWidth(Width);
    panel->SetFixed(Fixed);
    return panel;
  }
  TdxStatusBarPanel* AddStyled(const String& ClassName) {
    TdxStatusBarPanel* panel = bar->AddPanel();
    panel->SetPanelStyleClassName(ClassName);
    return panel;
  }
  // The bar painted into a DIB section of its size.
  std::unique_ptr<DibSection> Paint() {
    auto dib = std::make_unique<DibSection>(bar->Width(), bar->Height());
    bar->PaintTo(dib->DC(), 0, 0);
    return dib;
  }
  TTestStatusBar* bar = nullptr;
  int W = 0;  // the bar's width (the form's client width)
};

TEST_F(StatusBar, LayoutStretchesTheLastFixedPanelOrOnlyTheAutoOnes) {
  AddText(50), AddText(50), AddText(50);
  ASSERT_TRUE(bar->IsSizeGripVisible());
  EXPECT_EQ(bar->Panels()->PanelAt(2)->EffectiveWidth(), 50 + 2 + 16) << "the last panel takes the grip";
  EXPECT_EQ(bar->ViewInfo()->Widths(), (std::vector<int>{52, 2, 52, 2, W - 108}));

  bar->Panels()->PanelAt(1)->SetFixed(false);
  EXPECT_EQ(bar->ViewInfo()->Widths(), (std::vector<int>{52, 2, W - 52 - 4 - 68, 2, 68}));

  bar->SetSizeGrip(false);
  EXPECT_EQ(bar->ViewInfo()->Widths(), (std::vector<int>{52, 2, W - 52 - 4 - 52, 2, 52}));
  bar->SetSizeGrip(true);

  bar->Panels()->PanelAt(2)->SetVisible(false);
  EXPECT_EQ(bar->ViewInfo()->Widths(), (std::vector<int>{52, 2, W - 54})) << "a hidden last panel gives no one the grip";
  bar->Panels()->PanelAt(2)->SetVisible(true);

  form->SetWindowState(wsMaximized);
  window_testing::ProcessMessages();
  EXPECT_FALSE(bar->IsSizeGripVisible());
  EXPECT_EQ(bar->Panels()->PanelAt(2)->EffectiveWidth(), 52) << "a maximised form shows no grip";
}

TEST_F(StatusBar, PanelAtPointSkipsGapsAndBorders) {
  TdxStatusBarPanel* a = AddText(50);
  TdxStatusBarPanel* b = AddText(50);
  bar->SetSizeGrip(false);
  struct Case {
    int X, Y;
    TdxStatusBarPanel* Expected;
  } cases[] = {{0, 10, a}, {51, 10, a}, {52, 10, nullptr}, {53, 10, nullptr}, {54, 10, b},
               {W - 1, 19, b}, {10, 1, nullptr} /* the top border */, {10, 20, nullptr}};
  for (const Case& c : cases) EXPECT_EQ(bar->PanelAtPoint(c.X, c.Y), c.Expected) << c.X << ", " << c.Y;
  a->SetVisible(false), b->SetVisible(false);
  EXPECT_EQ(bar->PanelAtPoint(10, 10), nullptr) << "no visible panel";
}

TEST_F(StatusBar, ADoubleClickGivesClickDblClickClickAndGapsNothing) {
  TdxStatusBarPanel* panel = AddText(50);
  AddText(50);
  std::vector<String> events;
  struct Recorder {
    std::vector<String>* Events;
    void Click(TObject*) { Events->push_back(L"Click"); }
    void DblClick(TObject*) { Events->push_back(L"DblClick"); }
  } recorder{&events};
  for (int i = 0; i < 2; ++i) {
    bar->Panels()->PanelAt(i)->OnClick = TNotifyEvent(&recorder, &Recorder::Click);
    bar->Panels()->PanelAt(i)->OnDblClick = TNotifyEvent(&recorder, &Recorder::DblClick);
  }
  (void)panel;
  HWND h = bar->Handle();
  window_testing::SendMouse(h, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
  window_testing::SendMouse(h, WM_LBUTTONUP, 10, 10);
  window_testing::SendMouse(h, WM_LBUTTONDBLCLK, 10, 10, MK_LBUTTON);
  window_testing::SendMouse(h, WM_LBUTTONUP, 10, 10);
  EXPECT_EQ(events, (std::vector<String>{L"Click", L"DblClick", L"Click"}));
  events.clear();
  window_testing::SendMouse(h, WM_LBUTTONDOWN, 52, 10, MK_LBUTTON);
  window_testing::SendMouse(h, WM_LBUTTONUP, 52, 10);
  EXPECT_TRUE(events.empty()) << "the gap between two panels";
}

TEST_F(StatusBar, SettersClampAndAnUnchangedTextDoesNotRelayout) {
  TdxStatusBarPanel* panel = AddText(50);
  panel->SetMinWidth(-5);
  EXPECT_EQ(panel->MinWidth(), 0);
  panel->SetMinWidth(20);
  panel->SetWidth(10);
  EXPECT_EQ(panel->Width(), 20);
  panel->SetWidth(50);
  panel->SetMinWidth(80);
  EXPECT_EQ(panel->Width(), 80);
  bar->SetBorderWidth(-3);
  EXPECT_EQ(bar->BorderWidth(), 0);

  panel->SetText(L"Ready");
  const int layouts = bar->Layouts;
  panel->SetText(L"Ready");
  EXPECT_EQ(bar->Layouts, layouts);
  panel->SetText(L"Busy");
  EXPECT_EQ(bar->Layouts, layouts + 1);
}

TEST_F(StatusBar, UnknownStyleNamesLeaveNoStyleAndNoFrame) {
  TdxStatusBarPanel* panel = AddText(50);
  bar->SetSizeGrip(false);
  panel->SetPanelStyleClassName(L"TNoSuchPanelStyle");
  EXPECT_EQ(panel->PanelStyle(), nullptr);
  EXPECT_EQ(panel->EffectiveWidth(), 50);
  panel->SetPanelStyleClassName(L"TdxStatusBarKeyboardStatePanelStyle");
  EXPECT_NE(dynamic_cast<TdxStatusBarKeyboardStatePanelStyle*>(panel->PanelStyle()), nullptr);
  EXPECT_EQ(PanelStyleRegistry()->Descriptions(0), L"Text Panel");
}

TEST_F(StatusBar, HintsGoToTheLastAutoHintPanelOnlyWithoutOnHint) {
  TdxStatusBarPanel* first = AddText(50);
  TdxStatusBarPanel* second = AddText(50);
  auto* firstStyle = static_cast<TdxStatusBarTextPanelStyle*>(first->PanelStyle());
  auto* secondStyle = static_cast<TdxStatusBarTextPanelStyle*>(second->PanelStyle());
  firstStyle->SetAutoHint(true);
  secondStyle->SetAutoHint(true);
  EXPECT_FALSE(firstStyle->AutoHint()) << "one AutoHint panel per bar";
  EXPECT_TRUE(secondStyle->AutoHint());

  THintAction action(nullptr);
  action.SetHint(L"Opens a file");
  EXPECT_TRUE(ExecuteActionOnForm(&action, form));
  EXPECT_EQ(second->Text(), L"Opens a file");
  EXPECT_EQ(first->Text(), L"");

  int fired = 0;
  struct Counter {
    int* Fired;
    void Hint(TObject*) { ++*Fired; }
  } counter{&fired};
  bar->OnHint = TNotifyEvent(&counter, &Counter::Hint);
  action.SetHint(L"Saves the file");
  ExecuteActionOnForm(&action, form);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(second->Text(), L"Opens a file") << "OnHint takes the hint";
}

TEST_F(StatusBar, ComputedWidthsOfTheIndicatorAndKeyboardStyles) {
  bar->SetSizeGrip(false);
  TdxStatusBarPanel* lamps = AddStyled(L"TdxStatusBarStateIndicatorPanelStyle");
  auto* indicators = static_cast<TdxStatusBarStateIndicatorPanelStyle*>(lamps->PanelStyle());
  EXPECT_EQ(lamps->Width(), 20) << "no items";
  for (auto type : {sitGreen, sitRed, sitOff}) indicators->Indicators()->Add()->SetIndicatorType(type);
  ASSERT_EQ(indicators->Indicators()->ItemAt(0)->Bitmap()->Width(), 17) << "the indicator bitmaps are embedded";
  EXPECT_EQ(lamps->Width(), 67);
  EXPECT_TRUE(lamps->Fixed());
  lamps->SetWidth(200);
  EXPECT_EQ(lamps->Width(), 67) << "the style computes the width";

  TdxStatusBarPanel* keys = AddStyled(L"TdxStatusBarKeyboardStatePanelStyle");
  auto* keyboard = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(keys->PanelStyle());
  const int framed = keys->Width();
  EXPECT_EQ(keys->EffectiveWidth(), framed) << "each key draws its own bevel";
  keyboard->SetFullRect(true);
  EXPECT_EQ(keys->Width(), framed - 4 * 2);
  EXPECT_EQ(keys->EffectiveWidth(), framed - 8 + 2);
  keyboard->SetKeyboardStates({});
  EXPECT_EQ(keys->Width(), 50);
}

// Fault 9: a lock key held down reads 0x81 (down and toggled on); only bit 0 is the toggle.
TEST_F(StatusBar, OneRelayoutPerToggleWhileLockKeysAreHeld) {
  Bound().GetKeyState = &FakeGetKeyState;
  bar->SetSizeGrip(false);
  TdxStatusBarPanel* keys = AddStyled(L"TdxStatusBarKeyboardStatePanelStyle");
  auto* keyboard = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(keys->PanelStyle());
  keyboard->SetKeyboardStates({dxksCapsLock});
  keyboard->CapsLockKeyAppearance()->SetActiveFontColor(clRed);
  keyboard->CapsLockKeyAppearance()->SetInactiveFontColor(clBlue);
  keyboard->Notifier()->Timer()->SetEnabled(false);
  auto countRed = [&] {
    auto dib = Paint();
    int red = 0;
    for (int y = 0; y < bar->Height(); ++y)
      for (int x = 0; x < keys->Width(); ++x) red += dib->Pixel(x, y) == 0xFF0000;
    return red;
  };
  EXPECT_EQ(countRed(), 0) << "off: the inactive colour";
  const int layouts = bar->Layouts;
  const SHORT presses[] = {SHORT(0xFF81), 0x0001, SHORT(0xFF80), 0x0000};  // down+on, on, down+off, off
  int relayouts[4];
  for (int i = 0; i < 4; ++i) {
    keyStates[VK_CAPITAL] = presses[i];
    keyboard->Notifier()->PollKeyboardState(nullptr);
    relayouts[i] = bar->Layouts - layouts;
    if (i == 0) {
      EXPECT_GT(countRed(), 0) << "held and on: the active colour";
    }
  }
  EXPECT_EQ(relayouts[0], 1);
  EXPECT_EQ(relayouts[1], 1) << "releasing the key changes nothing";
  EXPECT_EQ(relayouts[2], 2);
  EXPECT_EQ(relayouts[3], 2);
}

TEST_F(StatusBar, StandardPainterBordersBevelsAndStrips) {
  bar->SetColor(clLime);
  bar->SetBorderWidth(3);
  bar->SetSizeGrip(false);
  TdxStatusBarPanel* panel = AddText(60);
  static_cast<TdxStatusBarTextPanelStyle*>(panel->PanelStyle())->SetColor(clYellow);
  AddText(60)->SetBevel(dxpbNone);
  bar->SetHeight(30);
  static_cast<TdxStatusBarTextPanelStyle*>(bar->Panels()->PanelAt(1)->PanelStyle())->SetColor(clYellow);
  auto dib = Paint();
  EXPECT_TRUE(NearPixel(dib->Pixel(1, 10), clLime, 0)) << "left strip";
  EXPECT_TRUE(NearPixel(dib->Pixel(10, 4), clLime, 0)) << "top: 2 + 3 rows";
  EXPECT_TRUE(NearPixel(dib->Pixel(3, 5), clBtnShadow, 0)) << "lowered bevel starts 3 in and 5 down";
  EXPECT_TRUE(NearPixel(dib->Pixel(4, 6), clYellow, 0));
  EXPECT_TRUE(NearPixel(dib->Pixel(3 + 62 + 1, 10), clLime, 0)) << "the separator takes the bar colour";
  EXPECT_TRUE(NearPixel(dib->Pixel(3 + 62 + 2, 5), clYellow, 0)) << "no bevel: no pixel lost";
}

TEST_F(StatusBar, WithoutVisiblePanelsTheEmptyAreaIsOneLoweredField) {
  bar->SetColor(clLime);
  bar->SetSizeGrip(false);
  AddText(60)->SetVisible(false);
  auto dib = Paint();
  EXPECT_TRUE(NearPixel(dib->Pixel(W / 2, 2), clBtnShadow, 0)) << "the bevel across the whole row";
  EXPECT_TRUE(NearPixel(dib->Pixel(0, 10), clBtnShadow, 0));
  EXPECT_TRUE(NearPixel(dib->Pixel(W - 1, 10), clBtnHighlight, 0));
  EXPECT_TRUE(NearPixel(dib->Pixel(W / 2, 10), clLime, 0));
}

TEST_F(StatusBar, FlatPainterDrawsLoweredAndRaisedAlike) {
  bar->SetPaintStyle(stpsFlat);
  bar->SetSizeGrip(false);
  AddText(60)->SetBevel(dxpbLowered);
  AddText(60)->SetBevel(dxpbRaised);
  auto dib = Paint();
  for (int x : {0, 64}) {
    EXPECT_TRUE(NearPixel(dib->Pixel(x, 5), clBtnShadow, 0)) << x;
    EXPECT_TRUE(NearPixel(dib->Pixel(x + 10, 2), clBtnShadow, 0)) << x;
    EXPECT_TRUE(NearPixel(dib->Pixel(x + 10, 19), clBtnShadow, 0)) << x;
    EXPECT_FALSE(NearPixel(dib->Pixel(x + 1, 5), clBtnShadow, 0)) << x;
  }
  EXPECT_TRUE(NearPixel(dib->Pixel(61, 5), clBtnShadow, 0));
}

TEST_F(StatusBar, Office11GradientEndsAndTheGripKeptOutOfThePanels) {
  bar->SetPaintStyle(stpsOffice11);
  EXPECT_EQ(bar->Painter(), TdxStatusBarOffice11Painter::Class());
  TdxStatusBarPanel* panel = AddText(500);  // wider than the bar: the grip is overlapped
  panel->OnDrawPanel = [](TdxStatusBarPanel*, TcxCanvas* ACanvas, const TRect& R, bool& Done) {
    FillRectSolid(ACanvas->DCHandle(), R, clRed);
    Done = true;
  };
  ASSERT_TRUE(bar->ViewInfo()->SizeGripOverlapped());
  auto dib = Paint();
  EXPECT_TRUE(NearPixel(dib->Pixel(200, 0), Office11Color(Office11PaleGroupColor), 3)) << "gradient start";
  EXPECT_TRUE(NearPixel(dib->Pixel(200, 19), Office11Color(Office11PaleFaceColor), 3)) << "gradient end";
  EXPECT_EQ(dib->Pixel(200, 10), 0xFF0000u) << "the panel";
  int red = 0;
  for (int y = 4; y < 18; ++y)
    for (int x = W - 16; x < W - 1; ++x) red += dib->Pixel(x, y) == 0xFF0000;
  EXPECT_EQ(red, 0) << "the grip is excluded from the clip before the panels paint";
}

TEST_F(StatusBar, XPPainterDrawsThroughTheStatusTheme) {
  theme_testing::FakeThemeApi fake;
  fake.AddClass(L"Status");
  fake.SetPartSize(L"Status", 3, 0, 1, {18, 17});
  fake.SetPartSize(L"Status", 1, 0, 1, {3, 20});
  SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
  bar->SetPaintStyle(stpsXP);
  ASSERT_EQ(bar->Painter(), TdxStatusBarXPPainter::Class());
  AddText(50), AddText(50);
  EXPECT_EQ(bar->ViewInfo()->Widths()[1], 3) << "the pane's width separates";
  EXPECT_EQ(bar->Panels()->PanelAt(1)->EffectiveWidth(), 50 + 2 + 18);
  fake.Calls.clear();
  auto dib = Paint();
  std::vector<std::pair<int, RECT>> drawn;
  for (const auto& call : fake.Calls)
    if (call.Call == L"background") {
      EXPECT_EQ(call.Class, L"STATUS");
      drawn.push_back({call.Part, call.Rect});
    }
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].first, 0) << "the bar";
  EXPECT_EQ(drawn[1].first, 3) << "the grip, drawn first";
  EXPECT_EQ(drawn[1].second.right, W - 1);
  EXPECT_EQ(drawn[1].second.bottom - drawn[1].second.top, 17);
  EXPECT_EQ(drawn[2].first, 1) << "the separator";
  EXPECT_EQ(drawn[2].second.left, 52);
  fake.Active = false;
  SendMessageW(ThemeState().Window(), WM_THEMECHANGED, 0, 0);
}

TEST_F(StatusBar, ContainerPanelsHoldAControlOwnedByTheForm) {
  bar->SetSizeGrip(false);
  AddText(50);
  TdxStatusBarPanel* panel = AddStyled(L"TdxStatusBarContainerPanelStyle");
  auto* style = static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle());
  TdxStatusBarContainerControl* container = style->Container();
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(container->Owner(), form);
  EXPECT_EQ(container->Parent(), bar);
  auto* child = new window_testing::TTestEdit(form);
  child->SetParent(container);
  Paint();
  // Lowered bevel of one pixel inside the panel rectangle (52 + 2 .. W, 2 .. 20).
  EXPECT_EQ(container->BoundsRect(), TRect(55, 3, W - 1, 19));
  EXPECT_EQ(child->BoundsRect(), TRect(0, 0, W - 56, 16)) << "the child fills the container";

  panel->SetVisible(false);
  EXPECT_FALSE(container->Visible());
  panel->SetVisible(true);

  // A control introduced by an ancestor form cannot go: neither the style nor the panel is dropped.
  container->SetComponentState({csAncestor});
  EXPECT_THROW(panel->SetPanelStyleClassName(L"TdxStatusBarTextPanelStyle"), Exception);
  EXPECT_THROW(bar->Panels()->Delete(1), Exception);
  EXPECT_EQ(panel->PanelStyle(), style);
  EXPECT_EQ(bar->Panels()->Count(), 2);
  container->ClearComponentState({csAncestor});

  container->Free();
  EXPECT_EQ(panel->PanelStyle(), nullptr) << "the panel loses its style with its control";
}

TEST_F(StatusBar, DesignTimeContainersAreNamedAndHatched) {
  bar->SetName(L"Bar");
  bar->SetComponentState({csDesigning});
  auto* taken = new TTestStatusBar(form);
  TdxStatusBarPanel* panel = bar->AddPanel();
  taken->SetName(L"BarContainer" + IntToStr(panel->ID() + 1));
  panel->SetPanelStyleClassName(L"TdxStatusBarContainerPanelStyle");
  TdxStatusBarContainerControl* container =
      static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle())->Container();
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(container->Name(), L"BarContainer" + IntToStr(panel->ID()));
  TdxStatusBarPanel* second = bar->AddPanel();
  second->SetPanelStyleClassName(L"TdxStatusBarContainerPanelStyle");
  EXPECT_EQ(static_cast<TdxStatusBarContainerPanelStyle*>(second->PanelStyle())->Container()->Name(),
            L"BarContainer" + IntToStr(second->ID() + 1))
      << "a taken name moves on to the next number";
  container->SetComponentState({csDesigning});
  container->SetBounds(0, 0, 40, 16);
  DibSection dib(40, 16);
  container->PaintTo(dib.DC(), 0, 0);
  EXPECT_TRUE(NearPixel(dib.Pixel(0, 5), clBtnShadow, 0)) << "the frame";
  int shadow = 0;
  for (int x = 1; x < 39; ++x) shadow += NearPixel(dib.Pixel(x, 8), clBtnShadow, 0) ? 1 : 0;
  EXPECT_GT(shadow, 3) << "the diagonal hatch";
  EXPECT_LT(shadow, 30);
}

TEST_F(StatusBar, OnGetTextReplacesTheTextAtPaintTime) {
  TdxStatusBarPanel* panel = AddText(120);
  panel->SetText(L"Ready");
  auto* style = static_cast<TdxStatusBarTextPanelStyle*>(panel->PanelStyle());
  std::vector<String> seen;
  style->OnGetText = [&seen](TdxStatusBarTextPanelStyle*, const TRect&, String& AText) {
    seen.push_back(AText);
    AText = L"Replaced";
  };
  style->Font()->SetColor(clRed);
  auto dib = Paint();
  EXPECT_EQ(seen, std::vector<String>{L"Ready"});
  EXPECT_EQ(panel->Text(), L"Ready");
  int red = 0;
  for (int y = 2; y < 20; ++y)
    for (int x = 0; x < 120; ++x) red += dib->Pixel(x, y) == 0xFF0000;
  EXPECT_GT(red, 10) << "the text is drawn in the style's font colour";
}

}  // namespace
