// TRzHotKeyEdit in a real window: the state colour, its own frame in the non-client area, hot
// tracking, the theme seam, old form data, the frame controller and the keys.

#include <gtest/gtest.h>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/ThemeState.h"
#include "ui/extras/frames/HotKeyEdit.h"

namespace {

constexpr TColor kFrame = RGBColor(200, 0, 0);
constexpr TColor kHotFrame = RGBColor(0, 0, 200);

void ProcessMessages() {
  for (int round = 0; round < 3; ++round) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

BOOL WINAPI ReportThemesOn() { return TRUE; }

class HotKeyEditFixture : public testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr, 0);
    form->SetBounds(60, 60, 300, 200);
    other = new TEdit(form);
    other->SetBounds(10, 80, 100, 21);
    other->SetParent(form);
    edit = new TRzHotKeyEdit(form);
    edit->SetBounds(10, 10, 145, 21);
    edit->SetParent(form);
    form->Show();
    SetForegroundWindow(form->Handle());
    ProcessMessages();
  }
  void TearDown() override {
    form->Free();
    ProcessMessages();
  }

  // The window pixel at (x, y) of the edit's whole window, after its frame has been painted.
  TColor WindowPixel(int x, int y) {
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    ProcessMessages();
    HDC dc = GetWindowDC(edit->Handle());
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(edit->Handle(), dc);
    return TColor(pixel);
  }
  TColor LeftEdge() { return WindowPixel(0, edit->Height() / 2); }
  void Focus(TWinControl* control) {
    control->SetFocus();
    ProcessMessages();
  }
  void ShowOwnFrame() {
    edit->SetFramingPreference(fpCustomFraming);
    edit->SetFrameColor(kFrame);
    edit->SetFrameVisible(true);
    ProcessMessages();
  }

  TForm* form = nullptr;
  TEdit* other = nullptr;
  TRzHotKeyEdit* edit = nullptr;
};

}  // namespace

TEST_F(HotKeyEditFixture, ColourFollowsNormalFocusedAndDisabledStates) {
  EXPECT_EQ(edit->Height(), 21);
  edit->SetColor(clYellow);  // FocusColor equalled the old colour: it follows
  EXPECT_EQ(edit->FocusColor(), clYellow);
  EXPECT_EQ(edit->NormalColor(), clYellow);

  edit->SetFocusColor(clAqua);
  edit->SetColor(clLime);  // a focus colour of its own stays
  EXPECT_EQ(edit->FocusColor(), clAqua);

  Focus(edit);
  EXPECT_EQ(edit->Color(), clAqua);
  Focus(other);
  EXPECT_EQ(edit->Color(), clLime);

  edit->SetEnabled(false);
  EXPECT_EQ(edit->Color(), clBtnFace);
  EXPECT_FALSE(edit->IsColorStored());
  EXPECT_EQ(edit->NormalColor(), clLime);
  edit->SetDisabledColor(clSilver);
  EXPECT_EQ(edit->Color(), clSilver);
  edit->SetEnabled(true);
  EXPECT_EQ(edit->Color(), clLime);
  EXPECT_TRUE(edit->IsColorStored());
}

TEST_F(HotKeyEditFixture, BackgroundIsPaintedInTheStateColour) {
  edit->SetColor(clYellow);
  ProcessMessages();
  EXPECT_EQ(WindowPixel(edit->Width() - 5, edit->Height() / 2), clYellow);
  edit->SetEnabled(false);
  ProcessMessages();
  EXPECT_EQ(WindowPixel(edit->Width() - 5, edit->Height() / 2), ColorToRGB(clBtnFace));
}

TEST_F(HotKeyEditFixture, FocusColourIsStoredOnlyWhenItDiffers) {
  EXPECT_FALSE(edit->IsFocusColorStored());
  edit->SetFocusColor(clAqua);
  EXPECT_TRUE(edit->IsFocusColorStored());
  edit->SetFocusColor(ColorToRGB(clWindow));  // the same RGB as Color, by another name
  EXPECT_FALSE(edit->IsFocusColorStored());
  EXPECT_TRUE(edit->IsFrameSettingStored(fcpFrameStyle));
}

TEST_F(HotKeyEditFixture, OwnFrameIsDrawnOnlyWhenVisibleAndNotThemed) {
  edit->SetFramingPreference(fpCustomFraming);
  edit->SetFrameColor(kFrame);
  edit->SetFrameStyle(fsFlatBold);
  EXPECT_NE(LeftEdge(), kFrame) << "FrameVisible false draws nothing";

  ShowOwnFrame();
  EXPECT_EQ(LeftEdge(), kFrame);
  EXPECT_EQ(WindowPixel(1, edit->Height() / 2), kFrame);  // bold: two lines

  Bound().IsThemeActive.Set(&ReportThemesOn);
  Bound().IsAppThemed.Set(&ReportThemesOn);
  ThemeState().Refresh();
  edit->SetFramingPreference(fpXPThemes);
  EXPECT_TRUE(edit->ThemedFraming());
  EXPECT_NE(LeftEdge(), kFrame);
  edit->SetFramingPreference(fpCustomFraming);
  EXPECT_FALSE(edit->ThemedFraming());
  EXPECT_EQ(LeftEdge(), kFrame);
  ResetBoundFunctions();
  ThemeState().Refresh();
}

TEST_F(HotKeyEditFixture, HotTrackingDrawsTheHotFrameWhileFocusedOrHovered) {
  ShowOwnFrame();
  edit->SetFrameSides({sdTop});
  edit->SetFrameHotColor(kHotFrame);
  edit->SetFrameHotStyle(fsFlat);
  edit->SetFrameHotTrack(true);
  EXPECT_EQ(edit->FrameSides(), AllSides);
  EXPECT_EQ(LeftEdge(), kFrame);

  Focus(edit);
  EXPECT_EQ(LeftEdge(), kHotFrame);
  Focus(other);
  EXPECT_EQ(LeftEdge(), kFrame);

  int entered = 0, left = 0;
  edit->OnMouseEnter = [&](TObject*) { ++entered; };
  edit->OnMouseLeave = [&](TObject*) { ++left; };
  edit->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(edit));
  EXPECT_TRUE(edit->OverControl());
  EXPECT_EQ(LeftEdge(), kHotFrame);
  edit->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(edit));
  EXPECT_FALSE(edit->OverControl());
  EXPECT_EQ(LeftEdge(), kFrame);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
}

TEST(HotKeyEditFormData, HotTrackKeepsStoredSidesAndOldFlatPropertyIsRead) {
  ObjectPtr<TComponent> root(new TComponent(nullptr));
  TLoadingBracket loading(*root);
  auto* stored = loading.Add(new TRzHotKeyEdit(root.get()));
  auto* old = loading.Add(new TRzHotKeyEdit(root.get()));
  stored->SetFrameSides({sdBottom});
  stored->SetFrameHotTrack(true);
  loading.WriteData(old, [](TWriter& w) {
    w.WritePropName(L"FrameFlat");
    w.WriteBoolean(true);
    w.WritePropName(L"FrameFocusStyle");
    w.WriteString(L"fsNothing");
  });
  loading.End();
  EXPECT_TRUE(stored->FrameVisible());
  EXPECT_EQ(stored->FrameSides(), TSides({sdBottom}));
  EXPECT_TRUE(old->FrameHotTrack());
  EXPECT_EQ(old->FrameStyle(), fsStatus);
  EXPECT_EQ(old->FrameHotStyle(), fsLowered);
}

TEST_F(HotKeyEditFixture, ControllerPushesItsSettingsByName) {
  auto* controller = new TRzFrameController(form);
  controller->SetFrameStyle(fsGroove);
  controller->SetFocusColor(clAqua);
  controller->SetFrameHotTrack(true);
  edit->SetFrameControllerNotifications(AllFrameControllerNotifications - TRzFrameControllerNotifications{fcpFrameSides});
  edit->SetFrameSides({sdLeft});
  edit->SetFrameController(controller);
  EXPECT_EQ(edit->FrameStyle(), fsGroove);
  EXPECT_EQ(edit->FocusColor(), clAqua);
  EXPECT_TRUE(edit->FrameHotTrack());
  EXPECT_TRUE(edit->FrameVisible());
  EXPECT_FALSE(edit->IsColorStored());
  EXPECT_FALSE(edit->IsFrameSettingStored(fcpFrameStyle));
  EXPECT_TRUE(edit->IsFrameSettingStored(fcpFrameSides));

  controller->SetDisabledColor(clGray);
  EXPECT_EQ(edit->DisabledColor(), clGray);
  controller->Free();
  EXPECT_EQ(edit->FrameController(), nullptr);
}

TEST_F(HotKeyEditFixture, KeysPressedReportAChangeAndProgramSetKeysDoNot) {
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetHotKey(TShortCut(0x4000 | 'K'));
  EXPECT_EQ(edit->HotKey(), TShortCut(0x4000 | 'K'));
  EXPECT_EQ(changes, 0);

  Focus(edit);
  SendMessageW(edit->Handle(), WM_KEYDOWN, 'J', 1);
  SendMessageW(edit->Handle(), WM_KEYUP, 'J', 0xC0000001);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit->HotKey() & 0xFF, 'J');
}
