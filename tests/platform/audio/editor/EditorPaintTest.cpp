#include <gtest/gtest.h>

#include <cmath>

#include "EditorTestSupport.h"
#include "platform/audio/core/FrequencyRaster.h"

using namespace editor_testing;

namespace {

constexpr TColor kBackground = 0x101010;
constexpr TColor kWave = 0x00C000;
constexpr TColor kSelectedWave = 0xF0F0F0;
constexpr TColor kSelection = 0x640000;
constexpr TColor kMarker = 0x00FFFF;
constexpr TColor kCursor = 0x0000FF;

class EditorPaintTest : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    IAudioEditor2Colors* colors = editor->Colors();
    colors->SetBackground(kBackground);
    colors->SetWaveform(kWave);
    colors->SetSelectedWaveform(kSelectedWave);
    colors->SetSelectionBackground(kSelection);
    colors->SetMarkers(kMarker);
    colors->SetCursor(kCursor);
    colors->SetCentreLine(kBackground);
  }
};

TEST_F(EditorPaintTest, SelectedColumnsHaveTheSelectionBackground) {
  Load(SampleBuffer(2, 44100, static_cast<std::int64_t>(wave.Width()) * 100));
  editor->Position()->SetSelectionStart(10000);
  editor->Position()->SetSelectionEnd(20000);
  PaintNow();
  const int y = wave.top + 10;  // clear of the silent wave's centre row
  const int first = XOfFrame(10000), last = XOfFrame(20000) - 1;
  EXPECT_EQ(Pixel(first + 1, y), Rgb(kSelection));
  EXPECT_EQ(Pixel(last, y), Rgb(kSelection));
  EXPECT_EQ(Pixel(first - 1, y), Rgb(kBackground));
  EXPECT_EQ(Pixel(last + 2, y), Rgb(kBackground));
  EXPECT_EQ(Pixel(first, wave.top + 40), Rgb(kCursor));  // the cursor at the selection start
}

TEST_F(EditorPaintTest, AFullScaleSquareWaveFillsEachLaneFromTopToBottom) {
  Load(Square(44100, 2, 44100, 40));  // every column holds both halves
  editor->Position()->SetCursorPosition(0);
  PaintNow();
  const int x = wave.left + wave.Width() / 2;
  const int laneHeight = wave.Height() / 2;
  for (int lane = 0; lane < 2; ++lane) {
    const int top = wave.top + lane * laneHeight + (lane > 0 ? 1 : 0);  // below the divider
    const int bottom = wave.top + (lane + 1) * laneHeight - 1;
    EXPECT_EQ(Pixel(x, top), Rgb(kWave)) << lane;
    EXPECT_EQ(Pixel(x, bottom), Rgb(kWave)) << lane;
  }

  // Showing 200 % of full scale: the wave spans the lane's middle half.
  editor->ZoomVertical(200);
  PaintNow();
  EXPECT_EQ(Pixel(x, wave.top + laneHeight / 8), Rgb(kBackground));
  EXPECT_EQ(Pixel(x, wave.top + laneHeight / 4 + 2), Rgb(kWave));
  EXPECT_EQ(Pixel(x, wave.top + laneHeight * 7 / 8), Rgb(kBackground));
}

TEST_F(EditorPaintTest, ABookmarkIsALineAtItsPosition) {
  const std::int64_t length = static_cast<std::int64_t>(wave.Width()) * 100;
  Load(SampleBuffer(1, 44100, length));
  editor->Position()->SetCursorPosition(length);  // the cursor out of the way
  editor->Markers()->AddMarker(15000, 0, L"Intro", L"Bookmark", 0, 0, 0, 0, 0);
  PaintNow();
  const int x = XOfFrame(15000), y = wave.bottom - 5;
  EXPECT_EQ(Pixel(x, y), Rgb(kMarker));
  EXPECT_EQ(Pixel(x - 2, y), Rgb(kBackground));
  EXPECT_EQ(Pixel(x + 2, y), Rgb(kBackground));
}

TEST_F(EditorPaintTest, TheSpectrumOfA1kHzSinePeaksAtItsRow) {
  const int rate = 44100;
  Load(Sine(rate, 1, rate, 1000.0, 0.5));
  editor->Colors()->SetSpectrumLow(clBlack);
  editor->Colors()->SetSpectrumMid(clRed);
  editor->Colors()->SetSpectrumHigh(clWhite);
  editor->Position()->SetCursorPosition(rate);
  editor->SetTypeView(1);
  PaintNow();
  const int x = wave.left + wave.Width() / 2;
  int brightest = -1, brightestRow = -1;
  for (int y = wave.top; y < wave.bottom; ++y) {
    const std::uint32_t p = Pixel(x, y);
    const int level =
        static_cast<int>((p >> 16) & 0xFF) + static_cast<int>((p >> 8) & 0xFF) + static_cast<int>(p & 0xFF);
    if (level > brightest) brightest = level, brightestRow = y;
  }
  const int rows = wave.Height();
  const double binWidth = static_cast<double>(rate) / kSpectrumWindow;
  const int bin = static_cast<int>(std::lround(1000.0 / binWidth));
  const int expected =
      wave.bottom - 1 - static_cast<int>(std::lround(bin * static_cast<double>(rows - 1) / (kSpectrumWindow / 2)));
  EXPECT_NEAR(brightestRow, expected, 1);
}

TEST_F(EditorPaintTest, LineBordersFrameTheControlAndMoveTheWaveInside) {
  constexpr TColor kBorder = 0x3080F0;
  editor->Colors()->SetBorder(kBorder);
  editor->Colors()->SetScaleBackground(kBackground);
  const struct {
    int type;
    TColor color;
  } cases[] = {{3, clBlack}, {4, kBorder}};
  for (const auto& c : cases) {
    editor->SetTypeBorder(c.type);
    PaintNow();
    const int bottom = editor->Painter().Height() - 1;
    EXPECT_EQ(Pixel(0, bottom / 2), Rgb(c.color)) << c.type;
    EXPECT_EQ(Pixel(editor->Painter().Width() - 1, bottom / 2), Rgb(c.color)) << c.type;
    EXPECT_EQ(Pixel(1, bottom / 2), Rgb(kBackground)) << c.type;
    EXPECT_EQ(editor->WaveRect().top, 1) << c.type;
  }
  EXPECT_THROW(editor->SetTypeBorder(5), EAudioError);
}

TEST_F(EditorPaintTest, RepaintsOfTheSameSizeReuseOnePicture) {
  Load(Sine(44100, 2, 44100, 440.0, 0.5));
  PaintNow();
  const std::uint32_t* first = editor->Painter().Pixels();
  editor->ZoomToRange(1000, 2000);
  PaintNow();
  EXPECT_EQ(editor->Painter().Pixels(), first);
}

// A smaller editor paints on the picture it has, whose rows stay as long as before.
TEST_F(EditorPaintTest, AShrunkEditorPaintsOnTheKeptPicture) {
  PaintNow();
  const std::uint32_t* first = editor->Painter().Pixels();
  editor->SetBounds(0, 0, 400, 200);
  Pump();
  wave = editor->WaveRect();
  Load(SampleBuffer(2, 44100, static_cast<std::int64_t>(wave.Width()) * 100));
  editor->Position()->SetSelectionStart(10000);
  editor->Position()->SetSelectionEnd(20000);
  PaintNow();
  EXPECT_EQ(editor->Painter().Pixels(), first);
  EXPECT_EQ(editor->Painter().Width(), 400);
  EXPECT_GT(editor->Painter().Stride(), 400);
  const int start = XOfFrame(10000), end = XOfFrame(20000) - 1;
  for (int y : {wave.top + 10, wave.bottom - 10}) {
    EXPECT_EQ(Pixel(start + 1, y), Rgb(kSelection)) << y;
    EXPECT_EQ(Pixel(end, y), Rgb(kSelection)) << y;
    EXPECT_EQ(Pixel(start - 1, y), Rgb(kBackground)) << y;
    EXPECT_EQ(Pixel(end + 2, y), Rgb(kBackground)) << y;
  }
}

}  // namespace
