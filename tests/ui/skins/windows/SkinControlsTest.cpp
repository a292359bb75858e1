// The per-control skin state, the skinned panel and the skinned speed button in real windows, read
// back through WM_PRINT into DIB sections.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/controls/Menus.h"
#include "platform/framework/windows/Messages.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/controls/SkinPanel.h"
#include "ui/skins/controls/SkinSpeedButton.h"
#include "ui/skins/paint/AnimTimer.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/SkinPainting.h"

using namespace skin_testing;
using namespace paint_skin;
using testing_support::ScratchFolder;
using window_testing::DibSection;
using window_testing::FormFixture;
using window_testing::ProcessMessages;
using window_testing::SendMouse;

namespace {

// A windowed control with a skin state that records the skin commands it receives.
class TRecordingSkinned : public TCustomControl {
  DECLARE_CLASS(TRecordingSkinned, TCustomControl)
 public:
  explicit TRecordingSkinned(TComponent* owner) : TCustomControl(owner), State(new TsCommonData(this, true)) {}
  ~TRecordingSkinned() override { State->Free(); }
  TsCommonData* State;
  std::vector<int> Commands;

 protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == SM_ALPHACMD) Commands.push_back(message.WParamHi());
    if (!HandleSkinWindowMessage(State, message)) TCustomControl::WndProc(message);
  }
};
DEFINE_CLASS(TRecordingSkinned)

// A graphic control that records the skin commands it receives.
class TRecordingGraphic : public TGraphicControl {
  DECLARE_CLASS(TRecordingGraphic, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  std::vector<int> Commands;

 protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == SM_ALPHACMD) Commands.push_back(message.WParamHi());
    TGraphicControl::WndProc(message);
  }
};
DEFINE_CLASS(TRecordingGraphic)

int Channel(TColor c, int shift) { return int((c >> shift) & 0xFF); }

class SkinControls : public FormFixture {
 protected:
  ScratchFolder folder;
  ManagerPtr manager;

  void SetUp() override {
    FormFixture::SetUp();
    manager = NewPaintingManager(folder.Path().substr(0, folder.Path().size() - 1));
    ASSERT_TRUE(manager->SkinData().Active);
  }
  void TearDown() override {
    FormFixture::TearDown();
    manager.reset();
  }

  // A control built as the form data builds it: loaded in a bracket, with its section.
  template <class T>
  T* Make(TWinControl* parent, const wchar_t* section, TRect bounds) {
    TLoadingBracket loading(*form);
    T* control = loading.Add(new T(form));
    control->SkinData()->SetSkinSection(section);
    control->SetParent(parent);
    control->SetBoundsRect(bounds);
    loading.End();
    return control;
  }
  TRecordingSkinned* MakeRecording(TWinControl* parent, const wchar_t* section, TRect bounds) {
    auto* control = new TRecordingSkinned(form);
    control->SetParent(parent);
    control->SetBoundsRect(bounds);
    control->State->SetSkinSection(section);
    return control;
  }
  // The control's window printed into a DIB of its size.
  std::unique_ptr<DibSection> Print(TWinControl* control, RECT* clip = nullptr) {
    auto dib = std::make_unique<DibSection>(control->Width(), control->Height());
    if (clip) IntersectClipRect(dib->DC(), clip->left, clip->top, clip->right, clip->bottom);
    SendMessageW(control->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib->DC()), PRF_CLIENT);
    SelectClipRgn(dib->DC(), nullptr);
    return dib;
  }
};

// ---- the skin state ------------------------------------------------------------------------------

TEST_F(SkinControls, SectionNamesAreStoredUpperCaseAndEachChangeIsAnnounced) {
  ShowForm();
  TRecordingSkinned* control = MakeRecording(form, L"SOLID", Bounds(10, 10, 60, 40));
  control->Commands.clear();
  struct Step {
    const wchar_t* Value;
    const wchar_t* Stored;
    std::vector<int> Sent;
  };
  const Step steps[] = {
      {L"face", L"FACE", {scRefresh}},
      {L"FACE", L"FACE", {}},              // the same text again: nothing
      {L"face", L"FACE", {scRefresh}},     // the same name in lower case: stored and announced again
      {L"", L"UNKNOWN", {scRemoveSkin}},   // no such section
  };
  for (const Step& step : steps) {
    control->Commands.clear();
    control->State->SetSkinSection(step.Value);
    EXPECT_EQ(control->State->SkinSection(), step.Stored) << Narrow(step.Value);
    EXPECT_EQ(control->Commands, step.Sent) << Narrow(step.Value);
  }
  control->State->SetSkinSection(L"FACE");
  EXPECT_GE(control->State->SkinIndex, 0);
  EXPECT_GE(control->State->BorderIndex, 0);
  control->State->SetSkinSection(L"NOSUCH");
  EXPECT_EQ((std::vector<int>{control->State->SkinIndex, control->State->BorderIndex, control->State->Texture,
                              control->State->HotTexture}),
            (std::vector<int>{-1, -1, -1, -1}));
}

TEST_F(SkinControls, TheDefaultManagerIsNotKeptInTheStateAndOtherManagersAreIgnored) {
  TRecordingSkinned* control = MakeRecording(form, L"FACE", Bounds(10, 10, 60, 40));
  ScratchFolder other;
  ManagerPtr second = NewManager(other.Path());
  control->State->SetSkinManager(manager.get());
  EXPECT_EQ(control->State->SkinManagerField(), nullptr);
  EXPECT_EQ(control->State->SkinManager(), manager.get());
  // A removal from another manager changes nothing.
  int index = control->State->SkinIndex;
  control->Perform(SM_ALPHACMD, SkinCommandWParam(scRemoveSkin), reinterpret_cast<LPARAM>(second.get()));
  EXPECT_EQ(control->State->SkinIndex, index);
  control->State->SetSkinManager(second.get());
  EXPECT_EQ(control->State->SkinManagerField(), second.get());
  EXPECT_EQ(control->State->SkinIndex, -1) << "the second manager has no skin";
  control->State->SetSkinManager(nullptr);
}

TEST_F(SkinControls, OnlyClassesThatTrackTheMouseShowTheHotFace) {
  TRecordingSkinned* control = MakeRecording(form, L"FACE", Bounds(10, 10, 60, 40));
  control->State->MouseAbove = true;
  control->State->ClassCode = kClassCodePanel;
  EXPECT_FALSE(control->State->IsActive());
  control->State->ClassCode = kClassCodeSpeedButton;
  EXPECT_TRUE(control->State->IsActive());
  control->SetEnabled(false);
  EXPECT_FALSE(control->State->IsActive());
}

TEST_F(SkinControls, AHalfTransparentSectionMixesItsColourWithTheParents) {
  form->SetColor(clWhite);
  TRecordingSkinned* control = MakeRecording(form, L"SEE50", Bounds(10, 10, 60, 40));
  SharedTransparentColor = clFuchsia;
  control->Perform(SM_ALPHACMD, SkinCommandWParam(scGetBgColor), 0);
  // Black over white at 50 %: 0 + (255 x 127) div 256 = 126 in every channel.
  EXPECT_EQ(SharedTransparentColor, TColor(0x7E7E7E));
  SharedTransparentColor = clFuchsia;
}

TEST_F(SkinControls, ResizingAGradientReachesTheChildrenThatKeepTheirPlace) {
  ShowForm();
  TRecordingSkinned* parent = MakeRecording(form, L"GRAD", Bounds(0, 0, 200, 100));
  TRecordingGraphic* children[3];
  const TAnchors anchors[3] = {{akLeft, akTop}, {akLeft, akTop, akRight}, {akLeft, akTop, akBottom}};
  for (int i = 0; i < 3; ++i) {
    children[i] = new TRecordingGraphic(form);
    children[i]->SetParent(parent);
    children[i]->SetBounds(10 + 30 * i, 10, 20, 20);
    children[i]->SetAnchors(anchors[i]);
  }
  parent->SetWidth(220);
  EXPECT_EQ(std::count(children[0]->Commands.begin(), children[0]->Commands.end(), int(scBgChangedDeep)), 1);
  EXPECT_TRUE(children[1]->Commands.empty()) << "anchored right";
  EXPECT_TRUE(children[2]->Commands.empty()) << "anchored bottom";
}

TEST_F(SkinControls, HidingEmptiesTheCacheAndShowingMarksItStale) {
  TRecordingSkinned* control = MakeRecording(form, L"FACE", Bounds(10, 10, 60, 40));
  control->State->InitCacheBmp();
  control->State->BGChanged = false;
  control->State->Updating = true;
  control->Perform(CM_VISIBLECHANGED, 0, 0);
  EXPECT_EQ(control->State->CacheBmp->Width(), 0);
  control->Perform(CM_VISIBLECHANGED, 1, 0);
  EXPECT_TRUE(control->State->BGChanged);
  EXPECT_FALSE(control->State->Updating);
}

// ---- the panel -----------------------------------------------------------------------------------

TEST_F(SkinControls, PanelShowsItsSectionsFaceWithTheParentInItsCorners) {
  form->SetColor(0x336699);
  TsPanel* panel = Make<TsPanel>(form, L"FACE", Bounds(20, 20, 80, 60));
  ShowForm();
  auto dib = Print(panel);
  EXPECT_EQ(FromDib(dib->Pixel(40, 30)), kSolid);
  EXPECT_EQ(FromDib(dib->Pixel(0, 30)), kFaceFrame);
  EXPECT_EQ(FromDib(dib->Pixel(1, 0)), kFaceFrame);
  // The fuchsia outer corners show the plain parent's colour.
  EXPECT_EQ(FromDib(dib->Pixel(0, 0)), TColor(0x336699));
  EXPECT_EQ(FromDib(dib->Pixel(79, 59)), TColor(0x336699));
}

TEST_F(SkinControls, CornersShowTheParentsCachedFace) {
  TsPanel* parent = Make<TsPanel>(form, L"GRAD", Bounds(0, 0, 200, 100));
  TsPanel* child = Make<TsPanel>(parent, L"FACE", Bounds(20, 30, 60, 40));
  ShowForm();
  auto dib = Print(child);
  TColor behind = Pixel24(parent->SkinData()->CacheBmp, 20, 30);
  EXPECT_NE(behind, kSolid);
  EXPECT_EQ(FromDib(dib->Pixel(0, 0)), behind);
  EXPECT_EQ(FromDib(dib->Pixel(59, 39)), Pixel24(parent->SkinData()->CacheBmp, 79, 69));
  EXPECT_EQ(FromDib(dib->Pixel(30, 20)), kSolid);
}

TEST_F(SkinControls, PrintingRebuildsAStaleFaceAndCallsOnPaintTwice) {
  TsPanel* panel = Make<TsPanel>(form, L"FACE", Bounds(20, 20, 80, 60));
  int paints = 0;
  panel->OnPaint = [&](TObject*, TCanvas*) { ++paints; };
  ShowForm();
  paints = 0;
  panel->SkinData()->BGChanged = true;
  Print(panel);
  EXPECT_EQ(paints, 2);
  Print(panel);
  EXPECT_EQ(paints, 2) << "a fresh face is not built again";
}

TEST_F(SkinControls, APartlyVisiblePanelRebuildsItsFaceAtTheNextPaint) {
  // A half-transparent panel over a gradient: its face depends on where it sits.
  TsPanel* parent = Make<TsPanel>(form, L"GRAD", Bounds(0, 0, 200, 100));
  TsPanel* panel = Make<TsPanel>(parent, L"SEE50", Bounds(20, 20, 80, 60));
  int builds = 0;
  panel->OnPaint = [&](TObject*, TCanvas*) { ++builds; };
  ShowForm();
  ASSERT_TRUE(panel->SkinData()->RepaintWhenMoved());
  builds = 0;
  RECT part{0, 0, 10, 10};
  Print(panel, &part);
  EXPECT_TRUE(panel->SkinData()->HalfVisible);
  EXPECT_EQ(builds, 0);
  Print(panel);
  EXPECT_EQ(builds, 1) << "the next paint rebuilds";
  EXPECT_FALSE(panel->SkinData()->HalfVisible);
  Print(panel);
  EXPECT_EQ(builds, 1);
}

TEST_F(SkinControls, APanelCoveredByItsWindowedChildrenIsNotRebuiltAtEveryPaint) {
  TsPanel* row = Make<TsPanel>(form, L"FACE", Bounds(0, 0, 200, 60));
  Make<TsPanel>(row, L"FACE", Bounds(0, 0, 120, 60));
  Make<TsPanel>(row, L"FACE", Bounds(120, 0, 80, 60));
  int builds = 0;
  row->OnPaint = [&](TObject*, TCanvas*) { ++builds; };
  ShowForm();
  RedrawWindow(row->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  builds = 0;
  for (int i = 0; i < 3; ++i)
    RedrawWindow(row->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(builds, 0);
  EXPECT_FALSE(row->SkinData()->HalfVisible);
}

// Counts the erase messages that reach the framework's handler tables.
class TErasePanel : public TsPanel {
 public:
  using TsPanel::TsPanel;
  int Erases = 0;
  void Dispatch(TMessage& message) override {
    if (message.Msg == WM_ERASEBKGND) ++Erases;
    TsPanel::Dispatch(message);
  }
};

TEST_F(SkinControls, ASkinnedPanelNeverErasesItsBackground) {
  TErasePanel* skinned = Make<TErasePanel>(form, L"FACE", Bounds(20, 20, 80, 60));
  TErasePanel* plain = Make<TErasePanel>(form, L"NOSUCH", Bounds(100, 20, 80, 60));
  ShowForm();
  for (TErasePanel* panel : {skinned, plain}) {
    DibSection dib(80, 60);
    panel->Erases = 0;
    SendMessageW(panel->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.DC()), 0);
    EXPECT_EQ(panel->Erases, panel == plain ? 1 : 0) << Narrow(panel->SkinData()->SkinSection());
  }
}

TEST_F(SkinControls, AnUnskinnedPanelPaintsAsTheFrameworkPanelThenCallsOnPaint) {
  TsPanel* panel = Make<TsPanel>(form, L"NOSUCH", Bounds(20, 20, 80, 60));
  panel->SetBevelOuter(bvRaised);
  panel->OnPaint = [](TObject*, TCanvas* canvas) {
    canvas->Brush()->SetColor(0x00FF00);
    canvas->FillRect(TRect(30, 20, 40, 30));
  };
  ShowForm();
  ASSERT_FALSE(panel->SkinData()->Skinned());
  DibSection dib(80, 60);
  panel->PaintTo(dib.DC(), 0, 0);
  EXPECT_EQ(FromDib(dib.Pixel(0, 0)), ColorToRGB(clBtnHighlight)) << "the raised bevel";
  EXPECT_EQ(FromDib(dib.Pixel(79, 59)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(FromDib(dib.Pixel(35, 25)), TColor(0x00FF00)) << "OnPaint after the framework's painting";
}

// ---- the speed button ----------------------------------------------------------------------------

class SkinButtons : public SkinControls {
 protected:
  TsPanel* bar = nullptr;
  TsSpeedButton* button = nullptr;

  void SetUp() override {
    SkinControls::SetUp();
    bar = Make<TsPanel>(form, L"PLAIN", Bounds(0, 0, 300, 80));
    button = Make<TsSpeedButton>(bar, L"BTN", Bounds(10, 10, 40, 30));
    button->AnimatEvents = {};
    ShowForm();
  }
  // The button's face as its panel shows it.
  TColor Face(int x, int y) { return FromDib(Print(bar)->Pixel(button->Left() + x, button->Top() + y)); }
};

TEST_F(SkinButtons, NormalHotAndPressedFaces) {
  ASSERT_TRUE(button->ControlStyle.Contains(csOpaque));
  struct Probe {
    const char* Step;
    TColor Body, Edge;
  };
  auto expect = [&](const Probe& p) {
    EXPECT_EQ(Face(20, 15), p.Body) << p.Step;
    EXPECT_EQ(Face(0, 15), p.Edge) << p.Step;
  };
  expect({"normal", kBtn, kBtnFrames[0]});
  button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
  expect({"hot", kBtnHot, kBtnFrames[1]});
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, 30, 25, MK_LBUTTON);
  EXPECT_EQ(button->FaceState(), 2);
  expect({"pressed", kBtnHot, kBtnFrames[2]});
  SendMouse(bar->Handle(), WM_LBUTTONUP, 30, 25);
  expect({"released under the mouse", kBtnHot, kBtnFrames[1]});
  button->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(button));
  expect({"left", kBtn, kBtnFrames[0]});
}

TEST_F(SkinButtons, LeavingWithTheButtonHeldReturnsToUp) {
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, 30, 25, MK_LBUTTON);
  ASSERT_EQ(button->ButtonState(), bsDown);
  button->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(button->ButtonState(), bsUp);
  EXPECT_EQ(Face(0, 15), kBtnFrames[0]);
  SendMouse(bar->Handle(), WM_LBUTTONUP, 200, 70);
}

TEST_F(SkinButtons, EnteringASiblingTakesTheHotFaceOffTheOther) {
  TsSpeedButton* other = Make<TsSpeedButton>(bar, L"BTN", Bounds(60, 10, 40, 30));
  other->AnimatEvents = {};
  button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
  ASSERT_TRUE(button->SkinData()->MouseAbove);
  other->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(other));
  EXPECT_FALSE(button->SkinData()->MouseAbove);
  EXPECT_TRUE(other->SkinData()->MouseAbove);
  EXPECT_EQ(Face(20, 15), kBtn);
}

TEST_F(SkinButtons, HintsAreOffFromThePressUntilMouseDownReturns) {
  Application->SetShowHint(true);
  bool duringPress = true;
  button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { duringPress = Application->ShowHint(); };
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, 30, 25, MK_LBUTTON);
  EXPECT_FALSE(duringPress);
  EXPECT_TRUE(Application->ShowHint());
  EXPECT_FALSE(DropDownState().HintsSuppressed);
  SendMouse(bar->Handle(), WM_LBUTTONUP, 30, 25);
}

TEST_F(SkinButtons, DropDownStyleWidensTheButtonExceptWhileLoading) {
  button->SetButtonStyle(tbsDropDown);
  EXPECT_EQ(button->Width(), 56);
  button->SetButtonStyle(tbsButton);
  EXPECT_EQ(button->Width(), 40);
  TLoadingBracket loading(*form);
  auto* loaded = loading.Add(new TsSpeedButton(form));
  loaded->SetWidth(40);
  loaded->SetButtonStyle(tbsDropDown);
  EXPECT_EQ(loaded->Width(), 40);
  loading.End();
}

TEST_F(SkinButtons, HiddenCaptionsComeBackWhenShownAgain) {
  button->SetCaption(L"Play");
  button->SetShowCaption(false);
  EXPECT_EQ(button->Caption(), L"");
  button->SetShowCaption(true);
  EXPECT_EQ(button->Caption(), L"Play");
}

TEST_F(SkinButtons, TextAlignmentShowsAtOnce) {
  button->SetCaption(L"Play");
  int builds = 0;
  button->OnPaint = [&](TObject*, TBitmap*) { ++builds; };
  Print(bar);
  builds = 0;
  button->SetTextAlignment(taLeftJustify);
  Print(bar);
  EXPECT_EQ(builds, 1) << "the face is built again with the new alignment";
}

TEST_F(SkinButtons, TheSkinsFirstSectionIsNotLookedUpAgainAtEveryPaint) {
  ASSERT_EQ(manager->GetSkinIndex(L"GLOBALINFO"), 0);
  button->SkinData()->SetSkinSection(L"GLOBALINFO");
  int builds = 0;
  button->OnPaint = [&](TObject*, TBitmap*) { ++builds; };
  Print(bar);
  builds = 0;
  Print(bar);
  Print(bar);
  EXPECT_EQ(builds, 0) << "index 0 is a resolved section: the face stays as built";
}

TEST_F(SkinButtons, WithoutAParentCacheTheParentsColourIsResolvedToRgb) {
  EXPECT_EQ(FaceBackdropColor(EmptyCacheRef, form), ColorToRGB(form->Color()));
  EXPECT_EQ(FaceBackdropColor(EmptyCacheRef, nullptr), clFuchsia);
  auto* parent = new TPanel(form);
  parent->SetParent(form);
  parent->SetBounds(0, 100, 200, 60);
  parent->SetColor(clBtnFace);
  EXPECT_EQ(FaceBackdropColor(EmptyCacheRef, parent), ColorToRGB(clBtnFace));
  // A half-transparent background without its own colour mix shows the parent's colour.
  TsSpeedButton* low = Make<TsSpeedButton>(parent, L"BTNLOW", Bounds(10, 10, 40, 30));
  low->SetDrawOverBorder(false);
  ProcessMessages();
  DibSection dib(200, 60);
  parent->PaintTo(dib.DC(), 0, 0);
  EXPECT_EQ(FromDib(dib.Pixel(30, 25)), ColorToRGB(clBtnFace));
}

TEST_F(SkinButtons, FadingRunsThroughTheTimersSteps) {
  button->AnimatEvents = {aeMouseEnter};
  Print(bar);
  button->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
  ASSERT_NE(button->FadeTimer(), nullptr);
  EXPECT_EQ(button->FadeTimer()->FadeLevel, 2) << "the first step ran at once";
  int last = Channel(kBtn, 0), steps = 0;
  while (button->FadeTimer() && steps < 20) {
    int shown = Channel(Face(20, 15), 0);
    EXPECT_GE(shown, last) << "the face moves towards the hot colour";
    last = shown;
    button->FadeTimer()->Timer();
    ++steps;
  }
  EXPECT_EQ(button->FadeTimer(), nullptr) << "command 16 ended the fade";
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(Face(20, 15), kBtnHot);
}

TEST_F(SkinButtons, DropDownMenuOpensRightOfTheZoneOrOnAnyPressWithoutOnClick) {
  auto* menu = new TPopupMenu(form);
  auto* item = new TMenuItem(menu);
  item->SetCaption(L"Item");
  menu->Items()->Add(item);
  button->SetDropdownMenu(menu);
  button->SetButtonStyle(tbsDropDown);
  ASSERT_EQ(button->Width(), 56);
  int clicks = 0, menus = 0;
  bool pressedWhileOpen = false;
  TColor faceWhileOpen = 0;
  TModalScript previous = SetModalDriver([&](const TModalLoop& loop) {
    ++menus;
    pressedWhileOpen = button->MenuShown() && DropDownState().OpenButton == button;
    faceWhileOpen = Face(0, 15);
    loop.End();
  });
  button->OnClick = [&](TObject*) { ++clicks; };
  struct Press {
    int X;
    int Menus;
  };
  for (const Press& press : {Press{30, 0}, Press{50, 1}}) {
    menus = 0;
    SendMouse(bar->Handle(), WM_LBUTTONDOWN, 10 + press.X, 25, MK_LBUTTON);
    SendMouse(bar->Handle(), WM_LBUTTONUP, 10 + press.X, 25);
    EXPECT_EQ(menus, press.Menus) << "press at " << press.X;
  }
  EXPECT_TRUE(pressedWhileOpen);
  EXPECT_FALSE(button->MenuShown());
  EXPECT_EQ(DropDownState().OpenButton, nullptr);
  // Without OnClick any press opens the menu, and the face shows pressed while it is open.
  button->OnClick = nullptr;
  menus = 0;
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, 20, 25, MK_LBUTTON);
  SendMouse(bar->Handle(), WM_LBUTTONUP, 20, 25);
  EXPECT_EQ(menus, 1);
  EXPECT_EQ(faceWhileOpen, kBtnFrames[2]) << "the pressed frame";
  EXPECT_EQ(button->ButtonState(), bsUp);
  // With the cursor still over the button when the menu closes, the face comes back up at once.
  POINT saved;
  GetCursorPos(&saved);
  TPoint centre = button->ClientToScreen(TPoint(20, 15));
  SetCursorPos(centre.x, centre.y);
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, 20, 25, MK_LBUTTON);
  EXPECT_EQ(menus, 2);
  EXPECT_NE(Face(0, 15), kBtnFrames[2]) << "no longer pressed";
  SendMouse(bar->Handle(), WM_LBUTTONUP, 20, 25);
  SetCursorPos(saved.x, saved.y);
  SetModalDriver(previous);
}

}  // namespace
