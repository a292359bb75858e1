#pragma once
// Paints the editor: the waveform or spectrum columns rasterised into a 32-bit DIB section, then
// scales, markers, selection edges, cursor and border drawn on it with GDI, and one BitBlt to the
// window. The DIB (a DisplaySurface, remade only when the editor grows past it), the rasterisers'
// scratch buffers and the scale fonts are kept between paints; nothing is allocated while the size
// stays within the DIB and the fonts stay the same.

#include <cstdint>

#include "platform/audio/core/Document.h"
#include "platform/audio/core/FrequencyRaster.h"
#include "platform/audio/core/WaveformRaster.h"
#include "platform/audio/displays/DisplaySurface.h"
#include "platform/audio/editor/EditorAppearance.h"
#include "platform/audio/editor/EditorView.h"

// Where the parts of the editor lie in its client area.
struct EditorLayout {
  TRect Inner;   // inside the border
  TRect Wave;    // the waveform or spectrum
  TRect ScaleX;  // the time scale under the wave (empty when hidden)
  TRect ScaleY;  // the level scale left of the wave (empty when hidden)
};
EditorLayout LayoutEditor(int width, int height, const EditorAppearance& look);

// Everything one paint shows.
struct EditorScene {
  const Document* Doc = nullptr;
  const EditorView* View = nullptr;
  const EditorAppearance* Look = nullptr;
  std::int64_t SelectionStart = 0;
  std::int64_t SelectionEnd = 0;
  bool Playing = false;
  std::int64_t PlayPosition = 0;
};

class EditorPainter {
 public:
  EditorPainter() = default;
  ~EditorPainter();
  EditorPainter(const EditorPainter&) = delete;
  EditorPainter& operator=(const EditorPainter&) = delete;

  // Draws the scene into the DIB and copies it to `target` at (0, 0).
  void Paint(HDC target, int width, int height, const EditorScene& scene);
  // The last painted picture (0xFFRRGGBB pixels, top-down, rows Stride() pixels apart); for tests.
  const std::uint32_t* Pixels() const { return surface_.Row(0); }
  int Stride() const { return surface_.Stride(); }
  int Width() const { return surface_.Width(); }
  int Height() const { return surface_.Height(); }
  // Scale fonts are rebuilt at the next paint.
  void FontsChanged() { fontsValid_ = false; }

 private:
  HDC DC() const { return surface_.DC(); }
  void EnsureFonts(const EditorAppearance& look);
  void FreeFonts();
  void RasterizeAudio(const EditorScene& scene, const TRect& wave);
  void DrawMarkers(const EditorScene& scene, const TRect& wave);
  void DrawPositions(const EditorScene& scene, const TRect& wave);
  void DrawScaleX(const EditorScene& scene, const EditorLayout& layout);
  void DrawScaleY(const EditorScene& scene, const EditorLayout& layout);
  void DrawBorder(const EditorAppearance& look);
  void VerticalLine(int x, const TRect& area, TColor color);
  void Fill(const TRect& r, TColor color);

  DisplaySurface surface_;
  HFONT fontX_ = nullptr, fontY_ = nullptr;
  bool fontsValid_ = false;
  WaveformScratch waveScratch_;
  SpectrumScratch spectrumScratch_;
};
