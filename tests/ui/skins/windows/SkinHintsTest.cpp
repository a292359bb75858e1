// The hint manager and its hint windows: presets, sizes per shape, placement on the desktop, the
// layered image a recording UpdateLayeredWindow receives, the capture path without layered windows,
// frames handed over by the handler, and what the manager gives back when it goes.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/framework/rtl/Seams.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/controls/SkinHints.h"
#include "ui/skins/core/FormFade.h"
#include "ui/skins/paint/DrawingRoutines.h"

using namespace skin_testing;
using window_testing::DibSection;
using window_testing::FormFixture;
using window_testing::ProcessMessages;

namespace {

// What one UpdateLayeredWindow call received, with a copy of the source image (BGRA rows, top first).
struct TLayeredCall {
  HWND Window;
  SIZE Size;
  COLORREF Key;
  Byte Alpha;
  DWORD Flags;
  std::vector<std::uint32_t> Pixels;
  std::uint32_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Size.cx) + size_t(x)]; }
};
std::vector<TLayeredCall> layeredCalls;

BOOL WINAPI RecordUpdateLayeredWindow(HWND window, HDC, POINT*, SIZE* size, HDC source, POINT*, COLORREF key,
                                      BLENDFUNCTION* blend, DWORD flags) {
  TLayeredCall call{window, *size, key, blend->SourceConstantAlpha, flags, {}};
  DIBSECTION ds{};
  HGDIOBJ bitmap = GetCurrentObject(source, OBJ_BITMAP);
  if (GetObjectW(bitmap, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBitsPixel == 32) {
    GdiFlush();
    const bool bottomUp = ds.dsBmih.biHeight > 0;
    for (int y = 0; y < size->cy; ++y) {
      const int row = bottomUp ? size->cy - 1 - y : y;
      const auto* bits = reinterpret_cast<const std::uint32_t*>(static_cast<const Byte*>(ds.dsBm.bmBits) +
                                                                size_t(row) * size_t(ds.dsBm.bmWidthBytes));
      call.Pixels.insert(call.Pixels.end(), bits, bits + size->cx);
    }
  }
  layeredCalls.push_back(std::move(call));
  return TRUE;
}

int waits = 0;
void CountWait(DWORD milliseconds) {
  EXPECT_EQ(milliseconds, 8u);
  ++waits;
}

// A desktop of 1000 x 800 at the origin.
int WINAPI PinnedDesktop(int index) {
  switch (index) {
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN: return 0;
    case SM_CXVIRTUALSCREEN: return 1000;
    case SM_CYVIRTUALSCREEN: return 800;
    default: return ::GetSystemMetrics(index);
  }
}

class SkinHints : public FormFixture {
 protected:
  TShowHintEvent savedShowHint;
  THintWindowClass savedClass = nullptr;
  TFadeWait savedWait = nullptr;
  decltype(TBoundFunctions::GetSystemMetrics) savedMetrics = nullptr;
  TsHintManager* manager = nullptr;
  std::vector<TsCustomHintWindow*> windows;

  void SetUp() override {
    FormFixture::SetUp();
    savedShowHint = Application->OnShowHint;
    savedClass = Application->HintWindowClass;
    savedWait = SetFadeWait(&CountWait);
    savedMetrics = Bound().GetSystemMetrics;
    Bound().GetSystemMetrics = &PinnedDesktop;
    Bound().UpdateLayeredWindow.Set(&RecordUpdateLayeredWindow);
    layeredCalls.clear();
    waits = 0;
    manager = NewObject<TsHintManager>(nullptr);
    SetProgramLook();
  }
  void TearDown() override {
    for (TsCustomHintWindow* window : windows) window->Free();
    if (manager) manager->Free();
    Bound().UpdateLayeredWindow.Reset();
    Bound().GetSystemMetrics = savedMetrics;
    SetFadeWait(savedWait);
    Application->OnShowHint = savedShowHint;
    Application->HintWindowClass = savedClass;
    FormFixture::TearDown();
  }
  // The main window's hints: comics, its own values, not animated.
  void SetProgramLook() {
    manager->SetPredefinitions(shCustom);
    manager->Animated = false;
    TsHintKind& k = *manager->HintKind();
    k.SetStyle(hsComics);
    k.Radius = 5;
    k.ExOffset = 0;
    k.GradientData = L"16711422;9533282;97;0;0;9533282;9533282;0;0;0";
    k.GradientPercent = 100;
    k.Bevel = 1;
    k.Color = 16757839;
    k.ColorBorderTop = k.ColorBorderBottom = 8355711;
    k.Transparency = 0;
    k.ShadowBlur = 10;
    k.SetShadowEnabled(true);
    k.ShadowOffset = 5;
    k.ShadowTransparency = 40;
    k.MarginH = 16;
    k.MarginV = 5;
    k.MaxWidth = 180;
    k.Font()->SetName(L"Arial");
    k.Font()->SetHeight(-11);
    k.Font()->SetColor(clBlack);
  }
  template <class T>
  T* Window() {
    auto* window = new T(nullptr);
    windows.push_back(window);
    return window;
  }
  // Runs the application's hint handler with the hint position, as the application does.
  void Handle(TPoint at, TFrame* frame = nullptr) {
    manager->OnShowHint = [frame](String&, bool&, THintInfo&, TFrame*& handed) {
      if (frame) handed = frame;
    };
    String text = L"hint";
    bool canShow = true;
    THintInfo info;
    info.HintPos = at;
    Application->OnShowHint(text, canShow, info);
  }
  TRect Show(TsCustomHintWindow* window, TPoint at, const String& text = L"A hint of a few words") {
    Handle(at);
    TRect r = window->CalcHintRect(1000, text, nullptr);
    window->ActivateHint(r, text);
    return r;
  }
  // The text's size as plain hints measure it.
  TSize PlainText(const String& text) {
    BitmapPtr bmp = FilledBmp24(1, 1, clWhite);
    bmp->Canvas()->Font()->Assign(manager->HintKind()->Font());
    RECT r{0, 0, manager->HintKind()->MaxWidth, 0};
    DrawTextW(bmp->Canvas()->Handle(), text.c_str(), int(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_CENTER | DT_VCENTER);
    return TSize(r.right, r.bottom);
  }
};

TEST_F(SkinHints, PresetsSetTheirTableAndCustomKeepsTheStoredValues) {
  const struct {
    TsHintsPredefinitions Preset;
    TsHintStyle Style;
    int BevelWidth, ExOffset, MarginH, MarginV, MaxWidth, Radius;
    TColor Color;
    int Transparency;
    TColor Top, Bottom;
    int Gradient, Blur, Offset, ShadowTransparency;
  } presets[] = {
      {shSimply, hsSimply, 1, 77, 4, 2, 240, 77, clInfoBk, 0, 0, 0, 0, 3, 6, 40},
      {shGradient, hsSimply, 1, 77, 6, 3, 240, 77, 11992314, 10, 16777215, 32896, 100, 5, 6, 50},
      {shTransparent, hsSimply, 0, 77, 13, 5, 240, 77, 11992314, 20, 16777215, 32896, 0, 3, 10, 70},
      {shEllipse, hsEllipse, 1, 16, 6, 12, 240, 77, 12778748, 5, 32896, 0, 100, 4, 16, 75},
      {shBalloon, hsBalloon, 6, 18, 6, 6, 240, 77, 12778748, 10, 4227200, 4227200, 0, 6, 8, 70},
      {shComicsGradient, hsComics, 1, 24, 15, 7, 180, 21, 16757839, 8, 4194304, 4194304, 100, 10, 7, 28},
      {shComicsTransparent, hsComics, 1, 19, 15, 8, 180, 13, 12778748, 10, 0, 0, 0, 4, 7, 45},
  };
  TsHintKind& k = *manager->HintKind();
  for (const auto& p : presets) {
    k.ExOffset = k.Radius = 77;
    k.SetShadowEnabled(false);
    k.Font()->SetStyle({fsItalic});
    manager->SetPredefinitions(p.Preset);
    manager->ApplyPredefinitions();
    EXPECT_EQ((std::vector<int>{k.Style(), k.BevelWidth, k.ExOffset, k.MarginH, k.MarginV, k.MaxWidth, k.Radius,
                                int(k.Color), k.Transparency, int(k.ColorBorderTop), int(k.ColorBorderBottom),
                                k.GradientPercent, k.ShadowBlur, k.ShadowOffset, k.ShadowTransparency, k.Bevel}),
              (std::vector<int>{p.Style, p.BevelWidth, p.ExOffset, p.MarginH, p.MarginV, p.MaxWidth, p.Radius,
                                int(p.Color), p.Transparency, int(p.Top), int(p.Bottom), p.Gradient, p.Blur, p.Offset,
                                p.ShadowTransparency, 1}))
        << p.Preset;
    EXPECT_TRUE(k.ShadowEnabled());
    EXPECT_EQ(k.Font()->Style(), TFontStyles{});
    EXPECT_EQ(k.Font()->Color(), clBlack);
    EXPECT_EQ(k.GradientData.empty(), p.Gradient == 0);
  }
  manager->SetPredefinitions(shComicsGradient);
  manager->ApplyPredefinitions();
  EXPECT_EQ(k.GradientData, L"16753188;16777215;99;0;0;16777215;16777215;0;0;0");

  manager->SetPredefinitions(shCustom);
  k.MarginH = 3;
  manager->ApplyPredefinitions();
  EXPECT_EQ(k.MarginH, 3);
  EXPECT_EQ(k.Style(), hsComics);
  k.SetBlur(7);
  k.SetShadowColor(clRed);
  EXPECT_EQ(k.Blur(), 0);
  EXPECT_EQ(k.ShadowColor(), 0);
}

TEST_F(SkinHints, EachShapeSizesItsHintFromTheTextMarginsTailAndShadow) {
  const TSize text = PlainText(L"Hi");
  ASSERT_LT(text.cx, 50);
  manager->HintKind()->ExOffset = 10;
  auto ellipse = [](int w, int h, int& ew, int& eh) {
    const double d = std::sqrt(double(w) * w + double(h) * h) - w;
    ew = int(std::nearbyint(w * d / h));
    eh = int(std::nearbyint(d * h / w));
  };
  for (bool shadow : {true, false}) {
    manager->HintKind()->SetShadowEnabled(shadow);
    const int s = shadow ? 5 : 0;
    const int w = text.cx + 2 * 17 + s, h = text.cy + 2 * 6 + s;
    EXPECT_EQ(Window<TsSimplyHintWindow>()->CalcHintRect(0, L"Hi", nullptr), TRect(0, 0, w, h));
    EXPECT_EQ(Window<TsComicsHintWindow>()->CalcHintRect(0, L"Hi", nullptr), TRect(0, 0, w, h + 10));
    // The ellipse and the balloon: 50 pixels of text at least, then the room around the ellipse.
    const int w0 = 50 + 2 * 17 + s, h0 = h + 10;
    int ew = 0, eh = 0;
    ellipse(w0, h0, ew, eh);
    auto* oval = Window<TsEllipseHintWindow>();
    EXPECT_EQ(oval->CalcHintRect(0, L"Hi", nullptr), TRect(0, 0, w0 + ew, h0 + eh)) << shadow;
    EXPECT_EQ(oval->ExtraWidth(), ew);
    EXPECT_EQ(oval->ExtraHeight(), eh);
    EXPECT_EQ(Window<TsBalloonHintWindow>()->CalcHintRect(0, L"Hi", nullptr), TRect(0, 0, w0 + ew, h0 + eh));
  }
}

TEST_F(SkinHints, TheCornerAtTheHintPointFlipsAtEachDesktopEdge) {
  auto* hint = Window<TsComicsHintWindow>();
  manager->HintKind()->ExOffset = 10;
  const TRect size = hint->CalcHintRect(0, L"A hint of a few words", nullptr);
  const int w = size.Width(), h = size.Height();
  const struct {
    TsMousePosition Default;
    TPoint At;
    int Mode;
    TPoint TopLeft;
  } cases[] = {
      {mpLeftTop, {100, 100}, 0, {100, 100}},
      {mpLeftTop, {100, 790}, 1, {100, 790 - h}},        // the bottom edge: above
      {mpLeftTop, {990, 100}, 2, {990 - w, 100}},        // the right edge: to the left
      {mpLeftTop, {990, 790}, 3, {990 - w, 790 - h}},    // both
      {mpRightBottom, {500, 400}, 3, {500 - w, 400 - h}},
      {mpRightBottom, {10, 10}, 0, {10, 10}},            // the top and left edges: below and right
  };
  for (const auto& c : cases) {
    manager->DefaultMousePos = c.Default;
    Show(hint, c.At);
    EXPECT_EQ(hint->CornerMode(), c.Mode) << c.At.x << "," << c.At.y;
    EXPECT_EQ(hint->BoundsRect(), Bounds(c.TopLeft.x, c.TopLeft.y, w, h)) << c.At.x << "," << c.At.y;
    EXPECT_EQ(manager->HintPoint().x, -1) << "the point is used once";
  }
  // Below the point the tail zone is at the top, above it at the bottom.
  manager->DefaultMousePos = mpLeftTop;
  Show(hint, {100, 790});
  EXPECT_EQ(hint->HintBodyRect(), TRect(0, 0, w - 5, h - 5 - 10));
  Show(hint, {100, 100});
  EXPECT_EQ(hint->HintBodyRect(), TRect(0, 10, w - 5, h - 5));
}

TEST_F(SkinHints, ALayeredHintShowsItsBodyOpaqueInTheShadowsDarkness) {
  manager->HintKind()->Transparency = 20;
  auto* hint = Window<TsComicsHintWindow>();
  Show(hint, {100, 100});
  ASSERT_EQ(layeredCalls.size(), 2u) << "composed, then shown at its alpha";
  const TLayeredCall& call = layeredCalls.back();
  EXPECT_EQ(call.Window, hint->Handle());
  EXPECT_EQ(call.Alpha, 204) << "round((100 - 20) x 2.55)";
  EXPECT_EQ(call.Flags, DWORD(ULW_ALPHA));
  EXPECT_EQ(call.Key, COLORREF(0x1FFFFFFF));
  EXPECT_TRUE(GetWindowLongPtrW(hint->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  ASSERT_EQ(call.Size.cx, hint->Width());
  ASSERT_EQ(call.Pixels.size(), size_t(hint->Width()) * size_t(hint->Height()));

  // Outside the body every pixel is black with the shadow's darkness as its alpha.
  TBitmap* shadow = manager->WorkBitmap();
  const TRect body = hint->HintBodyRect();
  int shaded = 0;
  for (int y = 0; y < call.Size.cy; ++y)
    for (int x = 0; x < call.Size.cx; ++x) {
      const std::uint32_t p = call.At(x, y);
      const int alpha = int(p >> 24);
      if (alpha == 255) continue;
      ASSERT_EQ(p & 0xFFFFFF, 0u) << x << "," << y;
      ASSERT_EQ(alpha, 255 - int(Pixel24(shadow, x, y) & 0xFF)) << x << "," << y;
      shaded += alpha > 0;
    }
  EXPECT_GT(shaded, 50);
  EXPECT_GT(int(call.At(call.Size.cx - 3, (body.top + body.bottom) / 2) >> 24), 0) << "the shadow right of the body";
  const std::uint32_t middle = call.At((body.left + body.right) / 2, body.top + 3);
  EXPECT_EQ(middle >> 24, 255u);
  EXPECT_NE(middle & 0xFFFFFF, 0u);
  // Above the shadow only the multiplication's rounding is left (255 x 255 div 256 = 254).
  EXPECT_LE(call.At(call.Size.cx - 1, 0) >> 24, 1u);
}

TEST_F(SkinHints, AnAnimatedHintFadesInThirtyOneStepsThroughTheLibrarysWait) {
  manager->Animated = true;
  manager->HintKind()->Transparency = 20;
  Show(Window<TsComicsHintWindow>(), {100, 100});
  ASSERT_EQ(layeredCalls.size(), 1u + 1u + 31u);
  EXPECT_EQ(layeredCalls[1].Alpha, 0);
  EXPECT_EQ(layeredCalls[2].Alpha, 7) << "round(204 / 31)";
  EXPECT_EQ(layeredCalls.back().Alpha, 204);
  EXPECT_EQ(waits, 31);
}

TEST_F(SkinHints, WithoutLayeredWindowsTheHintIsDrawnOverTheCapturedScreen) {
  Bound().UpdateLayeredWindow.Set(nullptr);
  manager->HintKind()->SetShadowEnabled(false);
  manager->HintKind()->ExOffset = 12;
  form->SetColor(static_cast<TColor>(0x2050A0));
  ShowForm();
  form->Update();
  ProcessMessages();
  auto* hint = Window<TsComicsHintWindow>();
  const TPoint at = form->ClientToScreen(TPoint(20, 20));
  Show(hint, TPoint(at.x, at.y));
  EXPECT_TRUE(layeredCalls.empty());
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  EXPECT_FALSE(GetWindowLongPtrW(hint->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  DibSection dib(hint->Width(), hint->Height());
  SendMessageW(hint->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.DC()), PRF_CLIENT);
  // Above the body, right of the tail: the form that was under the hint.
  EXPECT_EQ(FromDib(dib.Pixel(hint->Width() - 3, 2)), 0x2050A0);
  EXPECT_NE(FromDib(dib.Pixel(hint->Width() / 2, 12 + 4)), 0x2050A0) << "the body";
  // A repaint starts again from the captured screen.
  SendMessageW(hint->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.DC()), PRF_CLIENT);
  EXPECT_EQ(FromDib(dib.Pixel(hint->Width() - 3, 2)), 0x2050A0);
}

TEST_F(SkinHints, NoneShowsNothingAndStandardGivesTheFrameworksWindowBack) {
  manager->HintKind()->SetStyle(hsNone);
  EXPECT_EQ(Application->HintWindowClass, &TsSimplyHintWindow::ClassInfo());
  EXPECT_EQ(CurrentHintManager(), nullptr);
  auto* hint = Window<TsSimplyHintWindow>();
  TRect r = hint->CalcHintRect(0, L"text", nullptr);
  hint->ActivateHint(Bounds(100, 100, 80, 20), L"text");
  EXPECT_EQ(r, TRect());
  EXPECT_FALSE(hint->HandleAllocated() && IsWindowVisible(hint->Handle()));
  EXPECT_TRUE(layeredCalls.empty());

  manager->HintKind()->SetStyle(hsStandard);
  EXPECT_EQ(Application->HintWindowClass, &THintWindow::ClassInfo());
  EXPECT_EQ(CurrentHintManager(), nullptr);
  manager->HintKind()->SetStyle(hsBalloon);
  EXPECT_EQ(Application->HintWindowClass, &TsBalloonHintWindow::ClassInfo());
  EXPECT_EQ(CurrentHintManager(), manager);
}

TEST_F(SkinHints, AManagerThatGoesGivesBackWhatItTook) {
  manager->Free();
  manager = nullptr;
  int earlier = 0;
  Application->OnShowHint = [&](String&, bool&, THintInfo&) { ++earlier; };
  Application->HintWindowClass = &THintWindow::ClassInfo();
  auto* first = NewObject<TsHintManager>(nullptr);
  first->HintKind()->SetStyle(hsComics);
  EXPECT_EQ(Application->HintWindowClass, &TsComicsHintWindow::ClassInfo());
  first->Free();
  EXPECT_EQ(CurrentHintManager(), nullptr);
  EXPECT_EQ(Application->HintWindowClass, &THintWindow::ClassInfo());
  String text;
  bool canShow = true;
  THintInfo info;
  ASSERT_TRUE(Application->OnShowHint);
  Application->OnShowHint(text, canShow, info);
  EXPECT_EQ(earlier, 1);

  // A manager leaves alone what another one took over since.
  first = NewObject<TsHintManager>(nullptr);
  manager = NewObject<TsHintManager>(nullptr);
  manager->HintKind()->SetStyle(hsBalloon);
  first->Free();
  EXPECT_EQ(CurrentHintManager(), manager);
  EXPECT_EQ(Application->HintWindowClass, &TsBalloonHintWindow::ClassInfo());
  EXPECT_FALSE(Application->OnShowHint == savedShowHint);
}

TEST_F(SkinHints, AFrameHandedOverIsShownAndGivenBackToItsOwnerOrFreedWithout) {
  ShowForm();
  for (bool owned : {true, false}) {
    TFrame* frame = new TFrame(owned ? form : nullptr);
    frame->SetParentColor(false);
    frame->SetColor(static_cast<TColor>(0x00C000));
    frame->SetBounds(7, 9, 60, 30);
    frame->SetParent(form);
    const auto life = frame->LifeToken();
    auto* hint = Window<TsComicsHintWindow>();
    layeredCalls.clear();
    Handle({100, 100}, frame);
    ASSERT_EQ(HintFrame(), frame);
    const TRect r = hint->CalcHintRect(0, L"text", nullptr);
    EXPECT_EQ(r, TRect(0, 0, 60 + 5, 30 + 5 + 0)) << "the frame, the shadow and no tail zone";
    hint->ActivateHint(r, L"text");
    EXPECT_EQ(HintFrame(), nullptr);
    ASSERT_FALSE(layeredCalls.empty());
    const TRect body = hint->HintBodyRect();
    EXPECT_EQ(layeredCalls.back().At(body.left + 20, body.top + 15) & 0xFFFFFF, 0x00C000u) << owned;
    if (owned) {
      ASSERT_FALSE(life.expired());
      EXPECT_EQ(frame->Parent(), form);
      EXPECT_EQ(frame->BoundsRect(), Bounds(7, 9, 60, 30));
      EXPECT_FALSE(frame->Visible());
    } else {
      EXPECT_TRUE(life.expired());
    }
  }
}

TEST_F(SkinHints, AGradientThatDoesNotParseSwitchesTheGradientOff) {
  manager->HintKind()->GradientData = L"blue;white;half";
  auto* hint = Window<TsComicsHintWindow>();
  EXPECT_NO_THROW(Show(hint, {100, 100}));
  EXPECT_EQ(manager->HintKind()->GradientPercent, 0);
  ASSERT_FALSE(layeredCalls.empty());
  const TRect body = hint->HintBodyRect();
  const std::uint32_t p = layeredCalls.back().At(body.left + 3, (body.top + body.bottom) / 2);
  EXPECT_EQ(FromDib(p & 0xFFFFFF), ColorToRGB(manager->HintKind()->Color)) << "the plain body colour";
}

}  // namespace
