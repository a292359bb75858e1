#include "platform/audio/editor/EditorPainter.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace {

constexpr int kScaleXHeight = 16;
constexpr int kScaleYWidth = 48;
constexpr int kLabelSpacing = 90;  // pixels between time labels at least
constexpr int kRegionBand = 6;     // height of a region's band at the top of the wave

int BorderWidth(int border) {
  switch (border) {
    case ebSunken:
    case ebRaised: return 2;
    case ebBlackLine:
    case ebColorLine: return 1;
    default: return 0;
  }
}

// The smallest 1, 2 or 5 times a power of ten that is at least `raw`.
double NiceStep(double raw) {
  if (!(raw > 0)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= raw) return m * power;
  return 10 * power;
}

HFONT CreateScaleFont(HDC dc, const EditorScaleSettings& s) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(std::max(s.FontSize, 1), GetDeviceCaps(dc, LOGPIXELSY), 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  wcsncpy(lf.lfFaceName, s.FontName.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

int VisibleLanes(const EditorAppearance& look, int channels) {
  int lanes = 0;
  for (int c = 0; c < channels; ++c) lanes += look.ChannelVisible[c] ? 1 : 0;
  return lanes;
}

}  // namespace

EditorLayout LayoutEditor(int width, int height, const EditorAppearance& look) {
  EditorLayout layout;
  const int b = BorderWidth(look.Border);
  layout.Inner = TRect(b, b, std::max(b, width - b), std::max(b, height - b));
  TRect wave = layout.Inner;
  if (look.ScaleY.Visible) {
    layout.ScaleY = TRect(wave.left, wave.top, std::min(wave.right, wave.left + kScaleYWidth), wave.bottom);
    wave.left = layout.ScaleY.right;
  }
  if (look.ScaleX.Visible) {
    layout.ScaleX = TRect(wave.left, std::max(wave.top, wave.bottom - kScaleXHeight), wave.right, wave.bottom);
    wave.bottom = layout.ScaleX.top;
    if (!layout.ScaleY.IsEmpty()) layout.ScaleY.bottom = wave.bottom;
  }
  layout.Wave = wave;
  return layout;
}

EditorPainter::~EditorPainter() { FreeFonts(); }

void EditorPainter::FreeFonts() {
  // A font still selected into the DC could not be deleted.
  if (DC()) SelectObject(DC(), GetStockObject(SYSTEM_FONT));
  if (fontX_) DeleteObject(fontX_);
  if (fontY_) DeleteObject(fontY_);
  fontX_ = fontY_ = nullptr;
  fontsValid_ = false;
}

void EditorPainter::EnsureFonts(const EditorAppearance& look) {
  if (fontsValid_) return;
  FreeFonts();
  fontX_ = CreateScaleFont(DC(), look.ScaleX);
  fontY_ = CreateScaleFont(DC(), look.ScaleY);
  fontsValid_ = true;
}

void EditorPainter::Fill(const TRect& r, TColor color) {
  if (r.IsEmpty()) return;
  SetDCBrushColor(DC(), static_cast<COLORREF>(ColorToRGB(color)));
  FillRect(DC(), &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void EditorPainter::VerticalLine(int x, const TRect& area, TColor color) {
  if (x < area.left || x >= area.right) return;
  Fill(TRect(x, area.top, x + 1, area.bottom), color);
}

void EditorPainter::Paint(HDC target, int width, int height, const EditorScene& scene) {
  if (width <= 0 || height <= 0) return;
  if (!surface_.Prepare(width, height)) return;
  const EditorAppearance& look = *scene.Look;
  EnsureFonts(look);
  const EditorLayout layout = LayoutEditor(width, height, look);

  Fill(TRect(0, 0, width, height), look.Color(ecScaleBackground));
  GdiFlush();
  RasterizeAudio(scene, layout.Wave);
  SetBkMode(DC(), TRANSPARENT);
  DrawScaleX(scene, layout);
  DrawScaleY(scene, layout);
  DrawMarkers(scene, layout.Wave);
  DrawPositions(scene, layout.Wave);
  DrawBorder(look);
  GdiFlush();
  BitBlt(target, 0, 0, width, height, DC(), 0, 0, SRCCOPY);
}

void EditorPainter::RasterizeAudio(const EditorScene& scene, const TRect& wave) {
  if (wave.IsEmpty()) return;
  const EditorAppearance& look = *scene.Look;
  const PixelBuffer target{surface_.Row(wave.top) + wave.left, wave.Width(), wave.Height(), surface_.Stride()};
  const BlockList& audio = *scene.Doc->Audio;
  if (look.ViewType == evSpectrum) {
    SpectrumStyle style;
    style.Low = PixelOf(look.Color(ecSpectrumLow));
    style.Mid = PixelOf(look.Color(ecSpectrumMid));
    style.High = PixelOf(look.Color(ecSpectrumHigh));
    style.ChannelVisible[0] = look.ChannelVisible[0];
    style.ChannelVisible[1] = look.ChannelVisible[1];
    RasterizeSpectrum(audio, scene.View->Start(), scene.View->End(), target, style, spectrumScratch_);
    return;
  }
  WaveformStyle style;
  style.Background = PixelOf(look.Color(ecBackground));
  style.Wave = PixelOf(look.Color(ecWaveform));
  style.SelectedWave = PixelOf(look.Color(ecSelectedWaveform));
  style.SelectionBackground = PixelOf(look.Color(ecSelectionBackground));
  style.CentreLine = PixelOf(look.Color(ecCentreLine));
  style.ChannelDivider = PixelOf(look.Color(ecChannelDivider));
  style.VerticalPercent = scene.View->VerticalZoom();
  style.ChannelVisible[0] = look.ChannelVisible[0];
  style.ChannelVisible[1] = look.ChannelVisible[1];
  style.SelectionStart = scene.SelectionStart;
  style.SelectionEnd = scene.SelectionEnd;
  RasterizeWaveform(audio, scene.View->Start(), scene.View->End(), target, style, waveScratch_);
}

void EditorPainter::DrawMarkers(const EditorScene& scene, const TRect& wave) {
  const EditorAppearance& look = *scene.Look;
  SelectObject(DC(), fontX_);
  SetTextColor(DC(), static_cast<COLORREF>(ColorToRGB(look.Color(ecMarker))));
  SetTextAlign(DC(), TA_LEFT | TA_TOP);
  for (const Marker& m : scene.Doc->Markers) {
    const int x0 = wave.left + scene.View->ColumnOf(m.Position, wave.Width());
    if (m.Length > 0) {
      const int x1 = wave.left + scene.View->ColumnOf(m.Position + m.Length, wave.Width());
      const TRect band(std::max<int>(x0, wave.left), wave.top, std::min<int>(x1 + 1, wave.right),
                       std::min<int>(wave.top + kRegionBand, wave.bottom));
      if (band.IsEmpty()) continue;
      Fill(band, look.Color(ecRegionFill));
      VerticalLine(x0, wave, look.Color(ecRegionOutline));
      VerticalLine(x1, wave, look.Color(ecRegionOutline));
    } else {
      if (x0 < wave.left || x0 >= wave.right) continue;
      VerticalLine(x0, wave, look.Color(ecMarker));
    }
    if (x0 >= wave.left && x0 < wave.right)
      ExtTextOutW(DC(), x0 + 2, wave.top + kRegionBand, ETO_CLIPPED, &wave, m.Name.c_str(),
                  static_cast<UINT>(m.Name.size()), nullptr);
  }
}

void EditorPainter::DrawPositions(const EditorScene& scene, const TRect& wave) {
  const EditorAppearance& look = *scene.Look;
  const int width = wave.Width();
  if (look.ViewType == evSpectrum && scene.SelectionEnd > scene.SelectionStart) {
    VerticalLine(wave.left + scene.View->ColumnOf(scene.SelectionStart, width), wave,
                 look.Color(ecSelectionBackground));
    VerticalLine(wave.left + scene.View->ColumnOf(scene.SelectionEnd, width), wave, look.Color(ecSelectionBackground));
  }
  VerticalLine(wave.left + scene.View->ColumnOf(scene.SelectionStart, width), wave, look.Color(ecCursor));
  if (scene.Playing)
    VerticalLine(wave.left + scene.View->ColumnOf(scene.PlayPosition, width), wave, look.Color(ecPlayPosition));
}

void EditorPainter::DrawScaleX(const EditorScene& scene, const EditorLayout& layout) {
  const TRect& r = layout.ScaleX;
  const EditorScaleSettings& s = scene.Look->ScaleX;
  const EditorView& view = *scene.View;
  if (view.Span() <= 0 || layout.Wave.Width() <= 0) return;
  const int width = layout.Wave.Width();
  const double rate = scene.Doc->SampleRate;
  const double rawFrames = static_cast<double>(view.Span()) * kLabelSpacing / width;
  const bool time = s.Format != sfSamples;
  const double step = time ? std::max(NiceStep(rawFrames / rate), 1e-4) * rate : std::max(NiceStep(rawFrames), 1.0);
  const TColor tickColor = s.FontColor;
  SelectObject(DC(), fontX_);
  SetTextColor(DC(), static_cast<COLORREF>(ColorToRGB(s.FontColor)));
  SetTextAlign(DC(), TA_LEFT | TA_TOP);
  for (double f = std::ceil(view.Start() / step) * step; f < view.End(); f += step) {
    const auto frame = static_cast<std::int64_t>(std::llround(f));
    const int x = layout.Wave.left + view.ColumnOf(frame, width);
    if (s.GridLines) VerticalLine(x, layout.Wave, scene.Look->Color(ecGrid));
    if (r.IsEmpty()) continue;
    VerticalLine(x, TRect(r.left, r.top, r.right, r.top + 4), tickColor);
    wchar_t text[32];
    if (time) {
      const double seconds = frame / rate;
      const int minutes = static_cast<int>(seconds / 60);
      std::swprintf(text, 32, L"%d:%07.4f", minutes, seconds - minutes * 60.0);
    } else {
      std::swprintf(text, 32, L"%lld", static_cast<long long>(frame));
    }
    ExtTextOutW(DC(), x + 2, r.top + 2, ETO_CLIPPED, &r, text, static_cast<UINT>(std::wcslen(text)), nullptr);
  }
}

void EditorPainter::DrawScaleY(const EditorScene& scene, const EditorLayout& layout) {
  const EditorAppearance& look = *scene.Look;
  const EditorScaleSettings& s = look.ScaleY;
  const TRect& wave = layout.Wave;
  const int channels = scene.Doc->Channels;
  const int lanes = VisibleLanes(look, channels);
  if (lanes == 0 || wave.IsEmpty()) return;
  const double shown = scene.View->VerticalZoom() / 100.0;
  const int bits = scene.Doc->HasSourceInfo ? scene.Doc->SourceInfo.BitsPerSample : 16;
  const bool spectrum = look.ViewType == evSpectrum;
  SelectObject(DC(), fontY_);
  SetTextColor(DC(), static_cast<COLORREF>(ColorToRGB(s.FontColor)));
  SetTextAlign(DC(), TA_RIGHT | TA_TOP);
  const int textHeight = std::max(1, -MulDiv(-std::max(s.FontSize, 1), GetDeviceCaps(DC(), LOGPIXELSY), 72));
  for (int lane = 0; lane < lanes; ++lane) {
    const int top = wave.top + wave.Height() * lane / lanes, bottom = wave.top + wave.Height() * (lane + 1) / lanes;
    for (double fraction : {1.0, 0.5, 0.0, -0.5, -1.0}) {
      const double half = (bottom - top) / 2.0;
      const int y = std::clamp(static_cast<int>(top + half - fraction * half), top, bottom - 1);
      if (s.GridLines) Fill(TRect(wave.left, y, wave.right, y + 1), look.Color(ecGrid));
      if (layout.ScaleY.IsEmpty()) continue;
      wchar_t text[32];
      if (spectrum) {
        std::swprintf(text, 32, L"%.0f", (fraction + 1) / 2 * scene.Doc->SampleRate / 2);
      } else if (s.Format == sfSamples) {
        std::swprintf(text, 32, L"%.0f", fraction * shown * std::ldexp(1.0, bits - 1));
      } else if (s.Format == sfNormalized) {
        std::swprintf(text, 32, L"%.2f", fraction * shown);
      } else if (fraction == 0.0) {
        std::swprintf(text, 32, L"-inf");
      } else {
        std::swprintf(text, 32, L"%.1f", 20 * std::log10(std::fabs(fraction) * shown));
      }
      const int textTop = std::clamp(y - textHeight / 2, top, std::max(top, bottom - textHeight));
      Fill(TRect(layout.ScaleY.right - 3, y, layout.ScaleY.right, y + 1), s.FontColor);
      ExtTextOutW(DC(), layout.ScaleY.right - 4, textTop, ETO_CLIPPED, &layout.ScaleY, text,
                  static_cast<UINT>(std::wcslen(text)), nullptr);
    }
  }
}

void EditorPainter::DrawBorder(const EditorAppearance& look) {
  RECT r{0, 0, surface_.Width(), surface_.Height()};
  switch (look.Border) {
    case ebSunken: DrawEdge(DC(), &r, EDGE_SUNKEN, BF_RECT); break;
    case ebRaised: DrawEdge(DC(), &r, EDGE_RAISED, BF_RECT); break;
    case ebBlackLine:
    case ebColorLine:
      SetDCBrushColor(DC(),
                      static_cast<COLORREF>(ColorToRGB(look.Border == ebBlackLine ? clBlack : look.Color(ecBorder))));
      FrameRect(DC(), &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      break;
    default: break;
  }
}
