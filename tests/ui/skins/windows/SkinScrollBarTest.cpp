// The skinned scroll bar on a shown form: its own window while a skin is active, its scroll
// information, geometry, mouse handling with the repeat timers fired by the tests, and its paint.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "platform/framework/rtl/Seams.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/controls/SkinScrollBar.h"
#include "ui/skins/paint/CommonData.h"

using namespace skin_testing;
using namespace controls_skin;
using testing_support::ScratchFolder;
using window_testing::DibSection;
using window_testing::FormFixture;
using window_testing::ProcessMessages;
using window_testing::SendMouse;

namespace {

// Arrow buttons of 16 pixels, whatever the system's metrics say.
int WINAPI PinnedMetrics(int index) {
  return index == SM_CXHSCROLL || index == SM_CYVSCROLL ? 16 : ::GetSystemMetrics(index);
}

String WindowClass(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

class SkinScrollBars : public FormFixture {
 protected:
  ScratchFolder folder;
  ManagerPtr manager;
  TsScrollBar* bar = nullptr;
  std::vector<TScrollCode> codes;
  std::vector<int> positions;
  decltype(TBoundFunctions::GetSystemMetrics) savedMetrics = nullptr;

  void SetUp() override {
    savedMetrics = Bound().GetSystemMetrics;
    Bound().GetSystemMetrics = &PinnedMetrics;
    FormFixture::SetUp();
    manager = NewControlsManager(folder.Path().substr(0, folder.Path().size() - 1));
    ASSERT_TRUE(manager->SkinData().Active);
    form->SetColor(static_cast<TColor>(0xE0E0E0));
    RegisterForm(form);
    ShowForm();
    bar = MakeBar(Bounds(10, 10, 200, 16));
  }
  void TearDown() override {
    UnregisterForm(form);
    FormFixture::TearDown();
    manager.reset();
    Bound().GetSystemMetrics = savedMetrics;
  }
  TsScrollBar* MakeBar(TRect bounds) {
    auto* made = new TsScrollBar(form);
    made->SetBoundsRect(bounds);
    made->SetParent(form);
    made->SetParams(50, 0, 100);
    made->OnScroll = [this](TObject*, TScrollCode code, int& position) {
      codes.push_back(code);
      positions.push_back(position);
    };
    ProcessMessages();
    return made;
  }
  std::unique_ptr<DibSection> Print(TsScrollBar* which = nullptr) {
    which = which ? which : bar;
    auto dib = std::make_unique<DibSection>(which->Width(), which->Height());
    SendMessageW(which->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib->DC()), PRF_CLIENT);
    return dib;
  }
  void Tick() {
    TTimer* timer = bar->RepeatTimer();
    ASSERT_NE(timer, nullptr);
    timer->OnTimer()(timer);
  }
  LPARAM Screen(int x, int y) {
    TPoint p = bar->ClientToScreen(TPoint(x, y));
    return MAKELPARAM(p.x, p.y);
  }
};

TEST_F(SkinScrollBars, WhileSkinnedTheBarIsItsOwnWindowAndWithoutTheSkinTheSystemsWithItsPosition) {
  EXPECT_EQ(WindowClass(bar->Handle()), L"TsScrollBar");
  bar->SetPosition(37);
  EXPECT_EQ(bar->ScrollInfo().Pos, 37);
  manager->SetActive(false);
  EXPECT_EQ(_wcsicmp(WindowClass(bar->Handle()).c_str(), L"ScrollBar"), 0);
  EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 37);
  manager->SetActive(true);
  EXPECT_EQ(WindowClass(bar->Handle()), L"TsScrollBar");
  EXPECT_EQ(bar->Position(), 37);
  EXPECT_EQ(bar->CurrentPosition(), 37);
}

TEST_F(SkinScrollBars, SetScrollInfoClampsAndTheTrackPositionNeedsTheWholeRecord) {
  const HWND h = bar->Handle();
  const struct {
    int Min, Max, Page, Pos;
    TacScrollInfo Stored;
  } cases[] = {
      {10, 5, 3, 7, {0, 0, 1, 0, 0}},           // a reversed range becomes 0 .. 0
      {0, 100, 200, 500, {0, 100, 101, 0, 0}},  // the page fits the range, the position the page
      {0, 100, 10, 95, {0, 100, 10, 91, 0}},
      {-20, 20, 0, -30, {-20, 20, 0, -20, 0}},
  };
  for (const auto& c : cases) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, c.Min, c.Max, UINT(c.Page), c.Pos, 0};
    SendMessageW(h, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
    const TacScrollInfo& i = bar->ScrollInfo();
    EXPECT_EQ((std::vector<int>{i.Min, i.Max, i.Page, i.Pos}),
              (std::vector<int>{c.Stored.Min, c.Stored.Max, c.Stored.Page, c.Stored.Pos}))
        << c.Min << " " << c.Max << " " << c.Page << " " << c.Pos;
    EXPECT_EQ(bar->CurrentPosition(), c.Stored.Pos);
  }
  SCROLLINFO whole{sizeof whole, SIF_ALL, 0, 0, 0, 0, -5};
  SendMessageW(h, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&whole));
  EXPECT_EQ(whole.nMin, -20);
  EXPECT_EQ(whole.nPos, -20);
  EXPECT_EQ(whole.nTrackPos, 0);
  SCROLLINFO shortRecord{sizeof(SCROLLINFO) - 4, SIF_ALL, 0, 0, 0, 0, -5};
  SendMessageW(h, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&shortRecord));
  EXPECT_EQ(shortRecord.nPos, -20);
  EXPECT_EQ(shortRecord.nTrackPos, -5) << "no track position for a short record";
}

TEST_F(SkinScrollBars, TheThumbIsMeasuredFromThePageAndDrawnOnlyWhereItFits) {
  EXPECT_EQ(bar->ThumbLength(), 14) << "no page";
  EXPECT_EQ(bar->ThumbCentre(), 16 + 7 + 77) << "50 of 100 over 200 - 32 - 14 pixels";
  auto dib = Print();
  EXPECT_EQ(FromDib(dib->Pixel(95, 3)), kThumb);
  EXPECT_EQ(FromDib(dib->Pixel(93, 8)), kThumbFrames[0]);
  EXPECT_EQ(FromDib(dib->Pixel(50, 8)), kTrack1);
  EXPECT_EQ(FromDib(dib->Pixel(150, 8)), kTrack2);
  EXPECT_EQ(FromDib(dib->Pixel(3, 3)), kBtn);
  EXPECT_EQ(FromDib(dib->Pixel(8, 8)), kArrow) << "the arrow in the middle of the button";
  EXPECT_EQ(FromDib(dib->Pixel(196, 3)), kBtn);

  bar->SetPageSize(20);
  EXPECT_EQ(bar->ThumbLength(), 28) << "168 / 120 x 20";

  TsScrollBar* small = MakeBar(Bounds(10, 40, 20, 16));
  EXPECT_EQ(small->FirstButtonRect(), TRect(0, 0, 10, 16));
  EXPECT_EQ(small->SecondButtonRect(), TRect(10, 0, 20, 16));
  dib = Print(small);
  for (int x = 0; x < 20; ++x)
    for (int y = 0; y < 16; ++y) ASSERT_NE(FromDib(dib->Pixel(x, y)), kThumb) << x << "," << y;
}

TEST_F(SkinScrollBars, PositionsAtAPointAreZeroWhenTheThumbFillsTheTrack) {
  for (int length : {45, 46}) {
    TsScrollBar* tight = MakeBar(Bounds(10, 40, length, 16));
    for (int x = 0; x < length; ++x) ASSERT_EQ(tight->PositionAt(x), 0) << length << " " << x;
    SendMouse(tight->Handle(), WM_LBUTTONDOWN, length / 2, 8, MK_LBUTTON);
    SendMouse(tight->Handle(), WM_LBUTTONUP, length / 2, 8);
    EXPECT_EQ(tight->Position(), 50);
  }
  // Elsewhere a point gives the position the thumb shows there.
  bar->SetParams(150, 100, 200);
  EXPECT_EQ(bar->PositionAt(bar->ThumbCentre()), 150);
}

TEST_F(SkinScrollBars, AHeldArrowRepeatsAfterHalfASecondThenEveryFiftyMilliseconds) {
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, 3, 8, MK_LBUTTON);
  EXPECT_EQ(codes, std::vector<TScrollCode>{scLineUp});
  EXPECT_EQ(bar->Position(), 49);
  EXPECT_EQ(bar->PartState(spFirstButton), 2);
  ASSERT_NE(bar->RepeatTimer(), nullptr);
  EXPECT_EQ(bar->RepeatTimer()->Interval(), 500u);
  Tick();
  EXPECT_EQ(bar->RepeatTimer()->Interval(), 50u);
  Tick();
  EXPECT_EQ(codes, (std::vector<TScrollCode>{scLineUp, scLineUp, scLineUp}));
  EXPECT_EQ(bar->Position(), 47);
  SendMouse(bar->Handle(), WM_LBUTTONUP, 3, 8);
  EXPECT_EQ(bar->RepeatTimer(), nullptr);
  EXPECT_EQ(codes.back(), scEndScroll);
  EXPECT_EQ(bar->PartState(spFirstButton), 1) << "released over the button";
}

TEST_F(SkinScrollBars, AHeldTrackStopsOnceTheThumbPassesTheCursor) {
  bar->LargeChange = 10;
  bar->SetPosition(0);
  // The cursor rests where position 35 lies; the press is further right, on the second track.
  const TPoint at = bar->ClientToScreen(TPoint(77, 8));
  ASSERT_EQ(bar->PositionAt(77), 35);
  SetCursorPos(at.x, at.y);
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, 150, 8, MK_LBUTTON);
  EXPECT_EQ(bar->Position(), 10);
  for (int expected : {20, 30, 40}) {
    Tick();
    EXPECT_EQ(bar->Position(), expected);
  }
  Tick();
  EXPECT_EQ(bar->RepeatTimer(), nullptr) << "40 lies past the cursor's 35";
  EXPECT_EQ(bar->Position(), 40);
  EXPECT_EQ(codes, (std::vector<TScrollCode>{scPageDown, scPageDown, scPageDown, scPageDown}));
  SendMouse(bar->Handle(), WM_LBUTTONUP, 150, 8);
}

TEST_F(SkinScrollBars, ADragTracksOnlyNewPositionsThenEndsWithThePositionAndTheEnd) {
  Application->SetShowHint(true);
  const int x = bar->ThumbCentre();
  SendMouse(bar->Handle(), WM_LBUTTONDOWN, x, 8, MK_LBUTTON);
  EXPECT_FALSE(Application->ShowHint()) << "hints are off while the button is down";
  EXPECT_EQ(bar->PartState(spThumb), 2);
  SendMessageW(bar->Handle(), WM_NCHITTEST, 0, Screen(x, 8));
  SendMessageW(bar->Handle(), WM_NCHITTEST, 0, Screen(x + 20, 8));
  SendMessageW(bar->Handle(), WM_NCHITTEST, 0, Screen(x + 20, 8));
  SendMouse(bar->Handle(), WM_LBUTTONUP, x + 20, 8);
  const int moved = 50 + static_cast<int>(std::nearbyint(20 * 100 / 154.0));
  EXPECT_EQ(codes, (std::vector<TScrollCode>{scTrack, scTrack, scPosition, scEndScroll}));
  EXPECT_EQ(positions, (std::vector<int>{50, moved, moved, moved}));
  EXPECT_EQ(bar->Position(), moved);
  EXPECT_TRUE(Application->ShowHint());
  EXPECT_EQ(bar->RepeatTimer(), nullptr);
  EXPECT_EQ(bar->PartState(spThumb), 1) << "released over the thumb";
}

TEST_F(SkinScrollBars, ADisabledBarShowsItsThumbCentredUnderTheDisabledLook) {
  bar->SetPosition(10);
  bar->SetEnabled(false);
  EXPECT_EQ(bar->ThumbCentre(), 100);
  auto dib = Print();
  auto half = [](TColor a, TColor b) {
    TColor result = 0;
    for (int shift = 0; shift < 24; shift += 8)
      result |= TColor(std::nearbyint(0.5 * ((a >> shift) & 0xFF) + 0.5 * ((b >> shift) & 0xFF))) << shift;
    return result;
  };
  EXPECT_EQ(FromDib(dib->Pixel(50, 8)), half(kTrack1, 0xE0E0E0));
  EXPECT_EQ(FromDib(dib->Pixel(150, 8)), half(kTrack2, 0xE0E0E0));
  EXPECT_EQ(FromDib(dib->Pixel(95, 3)), half(kThumb, 0xE0E0E0));
}

}  // namespace
