// The fader: the alpha of each tick, parameter clamps, the cap on running fades, reversing a fade
// half way, stopping, destroying, and pictures the fader cannot blend. Ticks are driven directly;
// one test lets the real timer run a fade to its end.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/painters/Fader.h"

namespace {

constexpr TColor kNormal = 0x000000;
constexpr TColor kHot = 0xFFFFFF;

TBitmap* Picture(int W, int H, TColor Color) {
  auto* bitmap = new TBitmap(W, H);
  bitmap->Canvas()->Brush()->SetColor(Color);
  bitmap->Canvas()->FillRect(TRect{0, 0, W, H});
  return bitmap;
}

// An element whose normal picture is black and hot picture white: the red value of a drawn
// picture is the alpha it was blended with.
class FakeFading : public TObject, public IdxFadingObject {
 public:
  int _AddRef() override { return ++refs; }
  int _Release() override { return --refs; }
  bool CanFade() override { return canFade; }
  void DrawFadeImage(TBitmap* Image) override {
    alphas.push_back(GetRValue(::GetPixel(Image->Canvas()->Handle(), 1, 1)));
  }
  void GetFadingParams(TBitmap*& NormalImage, TBitmap*& HotImage, int& InFrames, int& InInterval, int& OutFrames,
                       int& OutInterval) override {
    NormalImage = normalMissing ? nullptr : Picture(8, 6, kNormal);
    HotImage = Picture(hotWidth, 6, kHot);
    if (inFrames != kKeep) InFrames = inFrames;
    if (inInterval != kKeep) InInterval = inInterval;
    if (outFrames != kKeep) OutFrames = outFrames;
    if (outInterval != kKeep) OutInterval = outInterval;
  }
  static constexpr int kKeep = -1000;
  int refs = 0;
  bool canFade = true;
  bool normalMissing = false;
  int hotWidth = 8;
  int inFrames = kKeep, inInterval = kKeep, outFrames = kKeep, outInterval = kKeep;
  std::vector<int> alphas;
};

// Ticks the fade of Obj until it ends (at most Limit ticks).
void RunOut(TdxFader& Fader, TObject* Obj, int Limit = 100) {
  while (TdxFadingElement* e = Fader.ElementOf(Obj)) {
    ASSERT_GT(Limit--, 0);
    e->TimerTick(nullptr);
  }
}

void ExpectAlphas(const std::vector<int>& Expected, const std::vector<int>& Actual) {
  ASSERT_EQ(Expected.size(), Actual.size());
  for (size_t i = 0; i < Expected.size(); ++i) EXPECT_NEAR(Expected[i], Actual[i], 1) << "tick " << i + 1;
}

TEST(Fader, EachTickBlendsOneStepAndTheLastDrawsTheEndPicture) {
  struct Case {
    int frames;
    int direction;
    std::vector<int> alphas;
  } cases[] = {
      {12, 0, {21, 42, 63, 84, 105, 126, 147, 168, 189, 210, 231, 255, 255}},
      {3, 0, {85, 170, 255, 255}},
      {3, 1, {170, 85, 0, 0}},
      {0, 0, {255}},
      {0, 1, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.frames << " frames, direction " << c.direction);
    TdxFader fader;
    FakeFading obj;
    obj.inFrames = obj.outFrames = c.frames;
    fader.FadeObject(&obj, c.direction);
    ASSERT_NE(fader.ElementOf(&obj), nullptr);
    EXPECT_TRUE(obj.alphas.empty()) << "nothing is drawn before the first tick";
    RunOut(fader, &obj);
    ExpectAlphas(c.alphas, obj.alphas);
    EXPECT_EQ(obj.refs, 0);
  }
}

TEST(Fader, ParametersAreClampedToTheirRanges) {
  struct Case {
    int frames, interval, wantFrames, wantInterval;
  } cases[] = {{-1, 5, 12, 20}, {40, 400, 32, 300}, {FakeFading::kKeep, -1, 12, 20}, {0, 10, 0, 10}, {32, 300, 32, 300}};
  for (const Case& c : cases) {
    TdxFader fader;
    FakeFading obj;
    obj.inFrames = obj.outFrames = c.frames;
    obj.inInterval = obj.outInterval = c.interval;
    fader.FadeIn(&obj);
    TdxFadingElement* e = fader.ElementOf(&obj);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->FadeInFrames(), c.wantFrames);
    EXPECT_EQ(e->FadeOutFrames(), c.wantFrames);
    EXPECT_EQ(e->FadeInInterval(), c.wantInterval);
    EXPECT_EQ(e->FadeOutInterval(), c.wantInterval);
    EXPECT_EQ(static_cast<int>(e->Timer()->Interval()), c.wantInterval);
    fader.StopObjectFading(&obj, true);
  }
}

TEST(Fader, ASeventhFadeCompletesTheOldest) {
  TdxFader fader;
  FakeFading objs[7];
  for (FakeFading& o : objs) fader.FadeIn(&o);
  EXPECT_EQ(fader.List()->Count(), 6);
  EXPECT_EQ(fader.ElementOf(&objs[0]), nullptr);
  ExpectAlphas({255}, objs[0].alphas);
  for (int i = 1; i < 7; ++i) EXPECT_TRUE(objs[i].alphas.empty());
  fader.FadeIn(&objs[3]);  // a running fade is not started twice
  EXPECT_EQ(fader.List()->Count(), 6);
}

// Reversing continues from the picture shown: the first tick after the turn differs from the last
// one before it by at most one step of the new direction.
TEST(Fader, ReversingContinuesFromThePictureShown) {
  struct Case {
    int ticksBefore, firstDirection;
  } cases[] = {{11, 0}, {1, 0}, {6, 0}, {11, 1}, {1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ticksBefore << " ticks in direction " << c.firstDirection);
    TdxFader fader;
    FakeFading obj;
    fader.FadeObject(&obj, c.firstDirection);
    TdxFadingElement* e = fader.ElementOf(&obj);
    for (int i = 0; i < c.ticksBefore; ++i) e->TimerTick(nullptr);
    const int before = obj.alphas.back();
    fader.FadeObject(&obj, 1 - c.firstDirection);
    ASSERT_EQ(fader.ElementOf(&obj), e) << "the same element turns";
    EXPECT_EQ(fader.List()->Count(), 1);
    e->TimerTick(nullptr);
    const int after = obj.alphas.back();
    EXPECT_LE(std::abs(after - before), 256 / 12 + 1) << before << " -> " << after;
    if (c.firstDirection == 0) {
      EXPECT_LE(after, before);
    } else {
      EXPECT_GE(after, before);
    }
    fader.StopObjectFading(&obj, true);
  }
}

TEST(Fader, StoppingDiscardsOrCompletesAndDestroyingCompletesAll) {
  FakeFading a, b, c;
  {
    TdxFader fader;
    fader.FadeIn(&a);
    fader.FadeOut(&b);
    fader.FadeIn(&c);
    fader.StopObjectFading(&a, true);
    EXPECT_TRUE(a.alphas.empty());
    EXPECT_EQ(a.refs, 0);
    fader.StopObjectFading(&b, false);
    ExpectAlphas({0}, b.alphas);
    fader.StopObjectFading(&b, false);  // nothing runs for it any more
    EXPECT_EQ(b.alphas.size(), 1u);
  }
  ExpectAlphas({255}, c.alphas);
  EXPECT_EQ(c.refs, 0);
}

TEST(Fader, ElementsWithoutTwoMatchingPicturesOrRefusingAreNotFaded) {
  TdxFader fader;
  FakeFading missing, unequal, refusing;
  missing.normalMissing = true;
  unequal.hotWidth = 9;
  refusing.canFade = false;
  TObject plain;
  for (TObject* o : {static_cast<TObject*>(&missing), static_cast<TObject*>(&unequal),
                     static_cast<TObject*>(&refusing), &plain}) {
    fader.FadeIn(o);
    EXPECT_EQ(fader.ElementOf(o), nullptr);
  }
  EXPECT_EQ(fader.List()->Count(), 0);
  EXPECT_EQ(missing.refs + unequal.refs + refusing.refs, 0);
}

// The real timer runs a short fade; the element frees itself in its last tick and nothing ticks
// afterwards.
TEST(Fader, AnElementFreesItselfInItsLastTick) {
  TdxFader fader;
  FakeFading obj;
  obj.inFrames = 3;
  obj.inInterval = 10;
  fader.FadeIn(&obj);
  const DWORD start = ::GetTickCount();
  while (fader.ElementOf(&obj) && ::GetTickCount() - start < 3000) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::Sleep(2);
  }
  EXPECT_EQ(fader.ElementOf(&obj), nullptr);
  ExpectAlphas({85, 170, 255, 255}, obj.alphas);
  ::Sleep(40);
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  EXPECT_EQ(obj.alphas.size(), 4u);
}

// Item controls take part without pictures: the fader never starts one, and a control destroyed while
// a fade of it runs takes the fade with it.
class FadingItemControl : public bar_testing::BarWindowFixture {};

TEST_F(FadingItemControl, ADestroyedControlTakesItsFadeAlong) {
  TdxFader fader;
  bar_testing::TTestBarControl* window = NewWindow();
  window->TestFader = &fader;
  window->ItemLinks()->AddItemLink(NewItem(L"faded", L"Faded"));
  window->ShowAt(200, 200, 300, 30);
  TdxBarItemControl* control = window->ItemLinks()->LinkAt(0)->ItemControl();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->Fader(), &fader);
  fader.FadeIn(control);
  EXPECT_EQ(fader.List()->Count(), 0) << "a control supplies no pictures";

  fader.List()->Add(new TdxFadingElement(fader.List(), 0, control));
  ASSERT_NE(fader.ElementOf(control), nullptr);
  window->ItemLinks()->LinkAt(0)->Free();
  EXPECT_EQ(fader.List()->Count(), 0);
  window->TestFader = nullptr;
}

}  // namespace
