// Painting into a given DC, and window handles that are recreated, moved, released and adopted.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

// Fills its client area with its colour in Paint.
class TSolidControl : public TCustomControl {
  DECLARE_CLASS(TSolidControl, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  TColor Fill = clRed;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
};
DEFINE_CLASS(TSolidControl)

class TSolidGraphic : public TGraphicControl {
  DECLARE_CLASS(TSolidGraphic, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clBlue);
    Canvas()->FillRect(ClientRect());
  }
};
DEFINE_CLASS(TSolidGraphic)

class TPlain : public TCustomControl {
  DECLARE_CLASS(TPlain, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
};
DEFINE_CLASS(TPlain)

class Painting : public FormFixture {};
class Handles : public FormFixture {};

}  // namespace

TEST_F(Painting, ControlThenGraphicChildrenPaintIntoTheGivenDC) {
  auto* solid = Place<TSolidControl>(0, 0, 60, 40);
  auto* patch = new TSolidGraphic(form);
  patch->SetBounds(20, 10, 10, 10);
  patch->SetParent(solid);
  for (bool printClient : {false, true}) {
    DibSection dib(60, 40);
    if (printClient) SendMessageW(solid->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.DC()), PRF_CLIENT);
    else solid->PaintTo(dib.DC(), 0, 0);
    EXPECT_EQ(dib.Pixel(2, 2), 0xFF0000u) << printClient;
    EXPECT_EQ(dib.Pixel(25, 15), 0x0000FFu) << printClient;
    EXPECT_EQ(dib.Pixel(35, 15), 0xFF0000u) << printClient;
  }
}

TEST_F(Painting, BackgroundIsTheColourOrTheParentsWithParentBackground) {
  form->SetColor(clYellow);
  auto* own = Place<TPlain>(0, 0, 20, 20);
  own->SetColor(clLime);
  auto* inherited = Place<TPlain>(30, 0, 20, 20);
  inherited->SetColor(clLime);
  inherited->SetParentBackground(true);
  DibSection dib(20, 20);
  own->PaintTo(dib.DC(), 0, 0);
  EXPECT_EQ(dib.Pixel(5, 5), 0x00FF00u);
  inherited->PaintTo(dib.DC(), 0, 0);
  EXPECT_EQ(dib.Pixel(5, 5), 0xFFFF00u);
}

TEST_F(Handles, RecreateKeepsTextBoundsVisibilityAndChildren) {
  auto* panel = Place<TPlain>(10, 10, 200, 100);
  auto* edit = new TTestEdit(form);
  edit->SetBounds(5, 5, 80, 22);
  edit->SetParent(panel);
  edit->SetText(L"kept");
  HWND before = panel->Handle();
  panel->RecreateWnd();
  EXPECT_NE(panel->Handle(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(panel->BoundsRect(), Rect(10, 10, 210, 110));
  EXPECT_TRUE(IsWindowVisible(panel->Handle()) || !IsWindowVisible(form->Handle()));
  EXPECT_TRUE(GetWindowLongPtrW(panel->Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_TRUE(IsChild(panel->Handle(), edit->Handle()));
  EXPECT_EQ(edit->Text(), L"kept");
}

TEST_F(Handles, ReparentingALiveControlKeepsItsWindow) {
  auto* first = Place<TPlain>(0, 0, 100, 100);
  auto* second = Place<TPlain>(100, 0, 100, 100);
  auto* edit = new TTestEdit(form);
  edit->SetParent(first);
  HWND window = edit->Handle();
  edit->SetParent(second);
  EXPECT_EQ(edit->Handle(), window);
  EXPECT_EQ(GetParent(window), second->Handle());
  EXPECT_EQ(first->ControlCount(), 0);
}

TEST_F(Handles, ReleasedWindowCanBeAdoptedByAnotherControl) {
  auto* owner = Place<TPlain>(0, 0, 50, 50);
  auto* adopter = new TPlain(form);
  HWND window = owner->Handle();
  EXPECT_EQ(owner->ReleaseHandle(), window);
  EXPECT_FALSE(owner->HandleAllocated());
  EXPECT_EQ(FindControl(window), nullptr);
  adopter->AdoptHandle(window);
  EXPECT_EQ(FindControl(window), adopter);
  EXPECT_EQ(adopter->BoundsRect(), Rect(0, 0, 50, 50));
  adopter->SetText(L"adopted");
  wchar_t text[16] = {};
  GetWindowTextW(window, text, 16);
  EXPECT_STREQ(text, L"adopted");
  adopter->SetParentWindow(form->Handle());
  adopter->Free();
  EXPECT_FALSE(IsWindow(window));
}

// A window destroyed through the system, not through its control, is forgotten with its last
// message: its handle no longer leads to the control, and the control's next window does.
TEST_F(Handles, AWindowDestroyedOutsideItsControlIsForgotten) {
  auto* control = Place<TPlain>(0, 0, 50, 50);
  HWND window = control->Handle();
  DestroyWindow(window);
  EXPECT_FALSE(control->HandleAllocated());
  EXPECT_EQ(FindControl(window), nullptr);
  HWND next = control->Handle();
  EXPECT_EQ(FindControl(next), control);
  control->SetText(L"next");
  wchar_t text[16] = {};
  GetWindowTextW(next, text, 16);
  EXPECT_STREQ(text, L"next");
}

TEST_F(Handles, ParentWindowPlacesAControlInAForeignWindowAndDetaches) {
  HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  auto* hosted = new TPlain(nullptr);
  hosted->SetBounds(0, 0, 20, 20);
  hosted->SetParentWindow(foreign);
  ASSERT_TRUE(hosted->HandleAllocated());
  HWND window = hosted->Handle();
  EXPECT_EQ(GetParent(window), foreign);
  hosted->SetParentWindow(nullptr);
  EXPECT_FALSE(hosted->HandleAllocated());
  EXPECT_FALSE(IsWindow(window));
  hosted->Free();
  DestroyWindow(foreign);
}

TEST(Coordinates, ControlsWithoutParentWindowSayWhich) {
  TSolidGraphic loose(nullptr);
  loose.SetName(L"Loose");
  try {
    loose.ClientToScreen(TPoint(0, 0));
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), L"Control 'Loose' has no parent window");
  }
  TPlain holder(nullptr), other(nullptr);
  loose.SetParent(&holder);
  try {
    loose.ClientToParent(TPoint(0, 0), &other);
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), L"Parent given is not a parent of 'Loose'");
  }
  loose.SetParent(nullptr);
}
