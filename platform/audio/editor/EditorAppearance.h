#pragma once
// How the editor looks: its colour slots, border, view type and the settings of its two scales.

#include "platform/framework/graphics/Graphics.h"

// The colour slots, numbered as the colour interface numbers them (even numbers 8..40).
enum EditorColorSlot {
  ecBackground = 8,
  ecWaveform = 10,
  ecCentreLine = 12,
  ecGrid = 14,
  ecSelectedWaveform = 16,
  ecCursor = 18,
  ecPlayPosition = 20,
  ecScaleBackground = 22,
  ecSelectionBackground = 24,
  ecBorder = 26,
  ecChannelDivider = 28,
  ecRegionOutline = 30,
  ecMarker = 32,
  ecRegionFill = 34,
  ecSpectrumLow = 36,
  ecSpectrumMid = 38,
  ecSpectrumHigh = 40,
};
constexpr int kFirstColorSlot = 8;
constexpr int kLastColorSlot = 40;
bool IsColorSlot(int slot);

// TypeBorder values.
enum EditorBorder { ebNone = 0, ebSunken = 1, ebRaised = 2, ebBlackLine = 3, ebColorLine = 4 };
// TypeView values.
enum EditorViewType { evWaveform = 0, evSpectrum = 1 };
// ScaleX formats: 1 sample numbers, 2 m:ss.dddd. ScaleY formats: 1 sample values of the source's bit
// depth, 2 normalized values, 3 decibels.
enum ScaleFormat { sfSamples = 1, sfTime = 2, sfNormalized = 2, sfDecibels = 3 };

struct EditorScaleSettings {
  int Format = 0;
  bool Visible = true;
  bool GridLines = false;
  String FontName = L"Tahoma";
  int FontSize = 7;
  TColor FontColor = clWhite;
};

struct EditorAppearance {
  EditorAppearance();
  TColor Colors[kLastColorSlot + 1];
  int Border = ebNone;
  int ViewType = evWaveform;
  EditorScaleSettings ScaleX, ScaleY;
  bool ChannelVisible[2] = {true, true};

  TColor Color(EditorColorSlot slot) const { return Colors[slot]; }
};

// A colour as the 32-bit pixel the rasterisers write (0xFFRRGGBB).
std::uint32_t PixelOf(TColor color);
