#include "platform/audio/displays/AudioTransformDisplay2.h"

#include <cmath>

#include "platform/audio/core/AudioError.h"
#include "platform/framework/classes/Reflection.h"
#include "tests/platform/audio/displays/DisplayTestUtil.h"

using namespace display_testing;
using window_testing::FormFixture;
using window_testing::SendMouse;

namespace {

// The envelope dialog's display: 545 x 200, -20..+20 dB, here over 0..100 with 101 values.
class EnvelopeDisplay : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    form->SetBounds(0, 0, 600, 300);
    display = Place<TAudioTransformDisplay2>(8, 0, 545, 200);
    display->Font()->SetName(L"Tahoma");
    display->Font()->SetSize(7);
    display->SetScaleXMin(0);
    display->SetScaleXMax(100);
    display->SetLineArraySize(101);
    ShowForm();
    plot = display->PlotRect();
  }
  int XOf(double share) { return plot.left + static_cast<int>(std::lround(share * (plot.Width() - 1))); }
  int YOf(double db) { return plot.top + static_cast<int>(std::lround((20 - db) / 40 * (plot.Height() - 1))); }
  // The level a pixel row stands for: what a click there sets.
  double DbOfRow(int y) { return 20 - 40.0 * (y - plot.top) / (plot.Height() - 1); }
  void Press(int x, int y) { SendMouse(display->Handle(), WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
  void Drag(int x, int y) { SendMouse(display->Handle(), WM_MOUSEMOVE, x, y, MK_LBUTTON); }
  void Release(int x, int y) { SendMouse(display->Handle(), WM_LBUTTONUP, x, y); }
  void ClickAt(int x, int y) {
    Press(x, y);
    Release(x, y);
  }
  void DoubleClickAt(int x, int y) {
    ClickAt(x, y);
    SendMouse(display->Handle(), WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    Release(x, y);
  }

  TAudioTransformDisplay2* display = nullptr;
  TRect plot;
};

TEST_F(EnvelopeDisplay, StartsFlatAtZeroWithExactlyLineArraySizeValues) {
  for (int size : {1, 2, 1024, 100000}) {
    SetOrdProp(display, L"LineArraySize", size);
    const std::vector<float> values = display->GetPoints();
    ASSERT_EQ(values.size(), static_cast<std::size_t>(size));
    EXPECT_EQ(*std::min_element(values.begin(), values.end()), 0.0f);
    EXPECT_EQ(*std::max_element(values.begin(), values.end()), 0.0f);
  }
  EXPECT_THROW(display->SetLineArraySize(0), EAudioError);
}

struct SplineCase {
  int splineType;
  double quarter;  // value a quarter along, between 0 dB at the start and the point in the middle
};

class EnvelopeSpline : public EnvelopeDisplay, public testing::WithParamInterface<SplineCase> {};

TEST_P(EnvelopeSpline, ClickAtSixDecibelsReadsBackThroughGetPoints) {
  display->SetSplineType(GetParam().splineType);
  const int y = YOf(6.0);
  ClickAt(XOf(0.5), y);
  const double placed = DbOfRow(y);
  ASSERT_EQ(display->Points().size(), 3u);
  const std::vector<float> values = display->GetPoints();
  ASSERT_EQ(values.size(), 101u);
  // The click lands on whole pixels: within a pixel of the middle and of +6 dB.
  EXPECT_NEAR(display->Points()[1].Position, 0.5, 0.002);
  EXPECT_NEAR(display->Points()[1].Db, 6.0, 0.11);
  EXPECT_NEAR(values[50], placed, 0.02);
  EXPECT_EQ(values[0], 0.0f);
  EXPECT_EQ(values[100], 0.0f);
  EXPECT_NEAR(values[25], GetParam().quarter * placed / 6.0, 0.02);
}

// Straight: half of the point's level. Cubic with the default steepness 32: the start's tangent is
// the slope to the point, the point's own is flat, so a quarter along the curve reads 3 + 0.75 dB.
INSTANTIATE_TEST_SUITE_P(Types, EnvelopeSpline, testing::Values(SplineCase{0, 3.0}, SplineCase{1, 3.75}));

TEST_F(EnvelopeDisplay, DragMovesAPointAndEndPointsOnlyVertically) {
  display->SetSplineType(0);
  Press(XOf(0.5), YOf(6.0));
  Drag(XOf(0.25), YOf(-10.0));
  Release(XOf(0.25), YOf(-10.0));
  ASSERT_EQ(display->Points().size(), 3u);
  EXPECT_NEAR(display->Points()[1].Position, 0.25, 0.005);
  EXPECT_NEAR(display->GetPoints()[25], -10.0, 0.11);

  // The right end dragged left and up stays at the right edge.
  Press(XOf(1.0), YOf(0.0));
  Drag(XOf(0.6), YOf(12.0));
  Release(XOf(0.6), YOf(12.0));
  EXPECT_EQ(display->Points().back().Position, 1.0);
  EXPECT_NEAR(display->GetPoints()[100], 12.0, 0.11);

  // Dragged past the top, a point stops at the range's end, and so does every value.
  Press(XOf(0.25), YOf(-10.0));
  Drag(XOf(0.25), -50);
  Release(XOf(0.25), -50);
  const std::vector<float> values = display->GetPoints();
  EXPECT_EQ(display->Points()[1].Db, 20.0);
  EXPECT_LE(*std::max_element(values.begin(), values.end()), 20.0f);
}

TEST_F(EnvelopeDisplay, DoubleClickRemovesAnInnerPointButNotAnEnd) {
  ClickAt(XOf(0.5), YOf(6.0));
  ASSERT_EQ(display->Points().size(), 3u);
  DoubleClickAt(XOf(0.5), YOf(6.0));
  EXPECT_EQ(display->Points().size(), 2u);
  DoubleClickAt(XOf(0.0), YOf(0.0));
  EXPECT_EQ(display->Points().size(), 2u);
  EXPECT_EQ(display->GetPoints()[50], 0.0f);
}

TEST_F(EnvelopeDisplay, ValuesAreClampedToANarrowedRange) {
  ClickAt(XOf(0.5), YOf(6.0));
  display->SetScaleYMax(3);
  EXPECT_EQ(display->GetPoints()[50], 3.0f);
  EXPECT_THROW(display->SetScaleYMin(3), EAudioError);
}

TEST_F(EnvelopeDisplay, ZeroSpanIsOneFrameWide) {
  display->SetScaleXMin(500);
  display->SetScaleXMax(500);
  ClickAt(XOf(0.5), YOf(6.0));
  const std::vector<float> values = display->GetPoints();
  ASSERT_EQ(values.size(), 101u);
  for (float v : values) ASSERT_TRUE(std::isfinite(v));
  EXPECT_NEAR(values[50], 6.0, 0.11);
  const auto dib = Snapshot(display);  // paints its scale without dividing by zero
  EXPECT_EQ(dib->Pixel(XOf(0.5), YOf(DbOfRow(YOf(6.0)))), 0xFFFF00u);  // the point, yellow
}

TEST_F(EnvelopeDisplay, DrawsTheCurveInItsColourOverTheBackground) {
  const auto dib = Snapshot(display);
  EXPECT_EQ(dib->Pixel(XOf(0.33), YOf(0.0)), 0x40FF40u);
  EXPECT_EQ(dib->Pixel(XOf(0.33), YOf(10.0) + 1), 0x000000u);
}

}  // namespace
