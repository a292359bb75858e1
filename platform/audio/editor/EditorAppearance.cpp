#include "platform/audio/editor/EditorAppearance.h"

bool IsColorSlot(int slot) { return slot >= kFirstColorSlot && slot <= kLastColorSlot && slot % 2 == 0; }

EditorAppearance::EditorAppearance() {
  for (TColor& c : Colors) c = clBlack;
  Colors[ecBackground] = clBlack;
  Colors[ecWaveform] = clLime;
  Colors[ecCentreLine] = clGray;
  Colors[ecGrid] = clDkGray;
  Colors[ecSelectedWaveform] = clWhite;
  Colors[ecCursor] = clWhite;
  Colors[ecPlayPosition] = clRed;
  Colors[ecScaleBackground] = clBlack;
  Colors[ecSelectionBackground] = clNavy;
  Colors[ecBorder] = clGray;
  Colors[ecChannelDivider] = clGray;
  Colors[ecRegionOutline] = clYellow;
  Colors[ecMarker] = clYellow;
  Colors[ecRegionFill] = clOlive;
  Colors[ecSpectrumLow] = clBlack;
  Colors[ecSpectrumMid] = clRed;
  Colors[ecSpectrumHigh] = clYellow;
  ScaleX.Format = sfTime;
  ScaleY.Format = sfDecibels;
}

std::uint32_t PixelOf(TColor color) {
  const std::uint32_t rgb = static_cast<std::uint32_t>(ColorToRGB(color));
  return 0xFF000000u | ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}
