// The form skinning provider on real forms: the hook's form branch, the inert second provider, the
// system menu style, the client offset, the painted frame and region, the caption buttons' hit
// codes and presses, and a form without an active skin left to its own handler.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"
#include "ui/skins/windows/SkinProvider.h"

using namespace skin_testing;
using window_testing::DibSection;

namespace {

// A form that records the messages its own handler sees.
class TRecordingForm : public TForm {
  DECLARE_CLASS(TRecordingForm, TForm)
 public:
  using TForm::TForm;
  void WndProc(TMessage& message) override {
    Seen.push_back(message.Msg);
    TForm::WndProc(message);
  }
  std::vector<UINT> Seen;
};
DEFINE_CLASS(TRecordingForm)

class SkinProvider : public testing::Test {
 protected:
  void SetUp() override {
    manager = NewInternalManager(L"c:\\nowhere");
    manager->SetSkinName(L"Harbour Blue (internal)");
    manager->SetSkinningRules({});
    ASSERT_TRUE(manager->SkinData().Active);
    form = new TRecordingForm(nullptr);
    form->SetBounds(60, 60, 360, 240);
    form->SetCaption(L"Skinned form");
  }
  void TearDown() override {
    if (form) form->Free();
    manager.reset();
  }
  TsSkinProvider* Attach() {
    provider = NewObject<TsSkinProvider>(form);
    return provider;
  }
  void Show() {
    form->Show();
    window_testing::ProcessMessages();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  }
  std::unique_ptr<DibSection> Shot() {
    RECT wr{};
    GetWindowRect(form->Handle(), &wr);
    auto dib = std::make_unique<DibSection>(wr.right - wr.left, wr.bottom - wr.top);
    HDC dc = GetWindowDC(form->Handle());
    BitBlt(dib->DC(), 0, 0, wr.right - wr.left, wr.bottom - wr.top, dc, 0, 0, SRCCOPY);
    ReleaseDC(form->Handle(), dc);
    GdiFlush();
    return dib;
  }
  LRESULT HitAt(TPoint p) {
    RECT wr{};
    GetWindowRect(form->Handle(), &wr);
    return SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(wr.left + p.x, wr.top + p.y));
  }
  static TPoint Centre(const TRect& r) { return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

  ManagerPtr manager;
  TRecordingForm* form = nullptr;
  TsSkinProvider* provider = nullptr;
};

TEST_F(SkinProvider, TheClientOffsetIsPackedAndTheSystemMenuStyleComesBack) {
  Attach();
  Show();
  EXPECT_FALSE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU);
  const LRESULT packed = SendSkinCommand(form->Handle(), scGetClientOffset, manager.get());
  const TPoint shift = provider->ClientShiftNow();
  EXPECT_EQ(LOWORD(packed), shift.x);
  EXPECT_EQ(HIWORD(packed), shift.y);
  POINT client{0, 0};
  ClientToScreen(form->Handle(), &client);
  RECT wr{};
  GetWindowRect(form->Handle(), &wr);
  EXPECT_EQ(TPoint(client.x - wr.left, client.y - wr.top), shift) << "the client's place in the window image";
  EXPECT_EQ(SendSkinCommand(form->Handle(), scIsSkinned, nullptr), 1);
  manager->RemoveSkin();
  EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU);
}

TEST_F(SkinProvider, ASecondProviderStaysInert) {
  Attach();
  auto* second = NewObject<TsSkinProvider>(form);
  EXPECT_FALSE(second->Hooked());
  EXPECT_EQ(second->Form(), nullptr);
  Show();
  EXPECT_EQ(ProviderOf(static_cast<TCustomForm*>(form)), static_cast<TacSkinProviderBase*>(provider));
  second->Free();
  EXPECT_EQ(SendSkinCommand(form->Handle(), scIsSkinned, nullptr), 1) << "the first still works";
}

TEST_F(SkinProvider, WithoutASkinEveryOtherMessageReachesTheForm) {
  manager->SetActive(false);
  Attach();
  Show();
  form->Seen.clear();
  const UINT messages[] = {WM_NCPAINT, WM_NCHITTEST, WM_NCACTIVATE, WM_PAINT, WM_ERASEBKGND, WM_SIZE, WM_NCLBUTTONDOWN};
  for (UINT msg : messages) SendMessageW(form->Handle(), msg, 0, 0);
  std::vector<UINT> reached;
  for (UINT msg : form->Seen)
    if (std::find(std::begin(messages), std::end(messages), msg) != std::end(messages)) reached.push_back(msg);
  EXPECT_EQ(reached, std::vector<UINT>(std::begin(messages), std::end(messages)));
  form->Seen.clear();
  EXPECT_EQ(SendSkinCommand(form->Handle(), scIsSkinned, nullptr), 1);
  EXPECT_EQ(SendSkinCommand(form->Handle(), scGetApplication, nullptr), reinterpret_cast<LRESULT>(Application));
  EXPECT_TRUE(form->Seen.empty()) << "the listed skin commands are answered by the provider";
  SendSkinCommand(form->Handle(), scRefresh, manager.get());
  EXPECT_EQ(form->Seen.size(), 1u);
}

TEST_F(SkinProvider, TheFrameAndRegionComeFromTheSkin) {
  Attach();
  Show();
  auto shot = Shot();
  const TacFormFacts f = provider->Facts();
  const int w = f.FormWidth, h = f.WindowHeight, band = TitleBarHeight(f) + FrameHeight(f);
  BitmapPtr body(new TBitmap());
  body->SetPixelFormat(pf24bit);
  body->SetSize(w, h);
  PaintItem(provider->SkinData(), EmptyCacheRef, false, provider->FormActive ? 1 : 0, TRect(0, 0, w, h), TPoint(0, 0),
            body.get(), false);
  BitmapPtr title = FilledBmp24(w, band, clBlack);
  PaintItemByIndex(manager->GetSkinIndex(L"FORMTITLE"), L"FORMTITLE", MakeCacheRef(body.get(), 0, 0), -1, -1,
                   manager.get(), title.get(), TPoint(0, 0), TRect(0, 0, w, band), provider->FormActive ? 1 : 0, true);
  EXPECT_EQ(FromDib(shot->Pixel(w / 2, 1)), Pixel24(title.get(), w / 2, 1)) << "top band";
  EXPECT_EQ(FromDib(shot->Pixel(1, h / 2)), Pixel24(body.get(), 1, h / 2)) << "left border";
  EXPECT_EQ(FromDib(shot->Pixel(w - 2, h / 2)), Pixel24(body.get(), w - 2, h / 2)) << "right border";
  EXPECT_EQ(FromDib(shot->Pixel(w / 2, h - 2)), Pixel24(body.get(), w / 2, h - 2)) << "bottom border";
  // The same through WM_PRINT.
  DibSection printed(w, h);
  SendMessageW(form->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.DC()), PRF_NONCLIENT | PRF_CLIENT);
  GdiFlush();
  EXPECT_EQ(printed.Pixel(w / 2, 1), shot->Pixel(w / 2, 1));
  EXPECT_EQ(printed.Pixel(1, h / 2), shot->Pixel(1, h / 2));
  // The region: the rectangles the corner runs give, none of them inside.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(form->Handle(), region);
  if (provider->RegionRects.empty()) {
    EXPECT_TRUE(kind == ERROR || PtInRegion(region, 0, 0));
  } else {
    ASSERT_NE(kind, ERROR);
    for (const TRect& r : provider->RegionRects) EXPECT_FALSE(PtInRegion(region, r.left, r.top));
  }
  EXPECT_TRUE(kind == ERROR || PtInRegion(region, w / 2, h / 2));
  DeleteObject(region);
}

TEST_F(SkinProvider, ABorderlessFormWithAThickFrameGetsItsEdgeStrips) {
  form->SetBorderStyle(bsNone);
  Attach();
  Show();
  SetWindowLongW(form->Handle(), GWL_STYLE, GetWindowLongW(form->Handle(), GWL_STYLE) | WS_THICKFRAME);
  SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  provider->InvalidateFrame();
  const TacFormFacts f = provider->Facts();
  EXPECT_EQ(TitleBarHeight(f), 0);
  EXPECT_TRUE(provider->RegionRects.empty()) << "no region without a frame";
  auto shot = Shot();
  TBitmap* cache = provider->SkinData()->CacheBmp;
  ASSERT_NE(cache, nullptr);
  ASSERT_GT(cache->Width(), 0);
  for (int inset : {0, 2}) EXPECT_EQ(FromDib(shot->Pixel(inset, f.WindowHeight / 2)), Pixel24(cache, inset, f.WindowHeight / 2));
}

TEST_F(SkinProvider, CaptionButtonsAnswerTheirCodesAndASlideCancelsThePress) {
  Attach();
  Show();
  const TacFormFacts f = provider->Facts();
  // The real cursor rests on the caption, away from the buttons: starting the leave tracking hit-tests
  // it there, and that must not take the hover off the button being answered.
  RECT frame{};
  GetWindowRect(form->Handle(), &frame);
  SetCursorPos(frame.left + f.FormWidth / 2, frame.top + (TitleBarHeight(f) + FrameHeight(f)) / 2);
  EXPECT_EQ(HitAt(Centre(provider->CloseButton.Bounds)), HTCLOSE);
  EXPECT_EQ(provider->CloseButton.State, 1);
  EXPECT_EQ(HitAt(Centre(provider->MaxButton.Bounds)), HTMAXBUTTON);
  EXPECT_EQ(provider->CloseButton.State, 0);
  EXPECT_EQ(HitAt(Centre(provider->MinButton.Bounds)), HTMINBUTTON);
  EXPECT_EQ(HitAt(Centre(TitleIconRect(f))), HTSYSMENU);
  EXPECT_EQ(HitAt(TPoint(f.FormWidth / 2, (TitleBarHeight(f) + FrameHeight(f)) / 2)), HTCAPTION);
  SendMessageW(form->Handle(), WM_NCMOUSELEAVE, 0, 0);
  EXPECT_EQ(provider->ActiveButton, 0);

  // Press Close, slide onto Minimize, release: nothing happens.
  RECT wr{};
  GetWindowRect(form->Handle(), &wr);
  HitAt(Centre(provider->CloseButton.Bounds));
  SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, 0);
  EXPECT_EQ(provider->CloseButton.State, 2);
  const TPoint minimize = Centre(provider->MinButton.Bounds);
  EXPECT_EQ(HitAt(minimize), HTMINBUTTON);
  SetCursorPos(wr.left + minimize.x, wr.top + minimize.y);
  SendMessageW(form->Handle(), WM_NCLBUTTONUP, HTMINBUTTON, MAKELPARAM(wr.left + minimize.x, wr.top + minimize.y));
  EXPECT_FALSE(IsIconic(form->Handle()));
  EXPECT_TRUE(form->Visible());
}

TEST_F(SkinProvider, AMaximizedFormsEdgeIsTransparent) {
  Attach();
  Show();
  form->SetWindowState(wsMaximized);
  window_testing::ProcessMessages();
  EXPECT_EQ(HitAt(TPoint(1, 100)), HTTRANSPARENT);
  EXPECT_EQ(HitAt(TPoint(form->Width() - 4, 100)), HTTRANSPARENT);
  EXPECT_NE(HitAt(TPoint(10, 100)), HTTRANSPARENT);
}

TEST_F(SkinProvider, TheHookSkinsFormsByTheRulesButNeverTagMinus98) {
  manager->SetSkinningRules({srStdForms});
  form->Tag = -98;
  form->Show();
  window_testing::ProcessMessages();
  EXPECT_NE(SendSkinCommand(form->Handle(), scIsSkinned, nullptr), 1);
  auto* other = new TForm(nullptr);
  other->SetBounds(100, 100, 200, 120);
  other->Show();
  window_testing::ProcessMessages();
  EXPECT_EQ(SendSkinCommand(other->Handle(), scIsSkinned, nullptr), 1);
  other->Free();
}

}  // namespace
