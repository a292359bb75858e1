#pragma once
// The Office11 colour scheme: one process-wide palette of 81 colours, its brushes and three bitmaps.
// Under an active visual style of the blue, olive or silver scheme the palette comes from fixed
// per-scheme tables, otherwise it is derived from the system colours. Every slot holds an RGB value
// (system colours are resolved when the palette is computed). Around it: gradients (through the bound
// GradientFill, or in software), the two-phase gradient, grip dots, arrows and the dotted size grip.

#include "platform/framework/graphics/Bitmap.h"
#include "ui/foundation/Geometry.h"

// The palette's slots, in order.
enum TOffice11ColorSlot {
  Office11FaceColor,
  Office11LightFaceColor,
  Office11PaleGroupColor,
  Office11PaleFaceColor,
  Office11BarLight0,
  Office11BarLight1,
  Office11BarLight2,
  Office11BarDark0,
  Office11BarDark1,
  Office11BarDark2,
  Office11Color10,
  Office11Color11,
  Office11BarLightMid0,
  Office11BarLightMid1,
  Office11BarLightMid2,
  Office11BarDarkMid0,
  Office11BarDarkMid1,
  Office11BarDarkMid2,
  Office11GripDarkColor,
  Office11GripLightColor,
  Office11HeaderShadowTone,
  Office11HeaderLightTone,
  Office11Color22,
  Office11Color23,
  Office11FilterBoxColor,
  Office11Color25,
  Office11Color26,
  Office11Color27,
  Office11FilterBoxTextColor,
  Office11Color29,
  Office11Color30,
  Office11Color31,
  Office11Color32,
  Office11Color33,
  Office11Color34,
  Office11Color35,
  Office11Color36,
  Office11Color37,
  Office11ShadowColor,
  Office11Color39,
  Office11HighlightTint,
  Office11SelectionBorderColor,
  Office11HotColor,
  Office11HotColor2,
  Office11PressedColor,
  Office11PressedColor2,
  Office11Color46,
  Office11Color47,
  Office11Color48,
  Office11Color49,
  Office11Color50,
  Office11TextColor,
  Office11DisabledTextColor,
  Office11Color53,
  Office11Color54,
  Office11GridLineColor,
  Office11Color56,
  Office11BorderColor,
  Office11DetailsSiteColor,
  Office11CalendarSelectionColor,
  Office11SchedulerBorderColor,
  Office11SchedulerControlColor,
  Office11Color62,
  Office11Color63,
  Office11Color64,
  Office11NavPaneColor0,
  Office11NavPaneColor1,
  Office11NavPaneColor2,
  Office11NavPaneColor3,
  Office11NavPaneColor4,
  Office11NavPaneColor5,
  Office11NavPaneColor6,
  Office11NavPaneColor7,
  Office11NavPaneColor8,
  Office11NavPaneColor9,
  Office11NavPaneColor10,
  Office11NavPaneColor11,
  Office11NavPaneColor12,
  Office11NavPaneColor13,
  Office11ExpandCornerColor1,
  Office11ExpandCornerColor2,
};
constexpr int kOffice11ColorCount = 81;

// 0 none, 1 blue, 2 olive, 3 silver.
enum TOffice11Scheme { o11sNone, o11sBlue, o11sOlive, o11sSilver };

// The colour of a slot (the palette is computed on first read when nobody has acquired it yet).
TColor Office11Color(TOffice11ColorSlot Slot);
// The solid brush of slot 18, 19, 20, 21, 31, 38, 40, 41, 46, 47, 48, 49 or 55 while the palette is
// acquired; null for another slot or when nobody holds the palette.
HBRUSH Office11Brush(TOffice11ColorSlot Slot);
// The recoloured sub-menu expand bitmap and the expand button (minus when Expanded), while acquired.
TBitmap* Office11SubMenuExpandBitmap();
TBitmap* Office11ExpandButtonBitmap(bool Expanded);

// The navigation pane's colours: slots 65 to 78 in this order.
struct TOffice11NavPaneColors {
  TColor Border, ButtonNormal1, ButtonNormal2, ButtonHot1, ButtonHot2, ButtonActive1, ButtonActive2,
      ButtonActiveHot1, ButtonActiveHot2, Header1, Header2, HeaderText, Splitter1, Splitter2;
};
static_assert(sizeof(TOffice11NavPaneColors) == 14 * sizeof(TColor));
TOffice11NavPaneColors Office11NavPaneColors();

// Reference counting: the first acquisition computes the palette and makes the brushes and bitmaps;
// the last release frees them (the colours stay).
void AcquireOffice11Colors();
void UnacquireOffice11Colors();
int Office11ColorsReferenceCount();
// Recomputes the palette, and the brushes and bitmaps when the palette is held. Called after a
// system colour change and after a theme change.
void RefreshOffice11Palette();

// The scheme the current visual style names (0 without visual styles or for any other style).
TOffice11Scheme DetectOffice11Scheme();
// The values of the last computation.
TOffice11Scheme CurrentOffice11Scheme();
bool Office11UsesSchemeColors();
// K of the two-phase gradient: 41, 125, 40 for the schemes, 75 without one.
int Office11GradientMiddlePercent();

// ---- colour routines ----------------------------------------------------------------------------

// Every pixel of the bitmap that is neither its background (the pixel at 0, 0) nor black becomes
// BlendColorsPercent(A, Z, p), p running from 0 at the lowest red value among those pixels to 100 at
// the highest; when they all have one red value, every one becomes A.
void RecolorOffice11Glyph(TBitmap* Bitmap, TColor A, TColor Z);

// Each channel 255 - P / 100 x (255 - c), truncated.
TColor LightenColorPercent(TColor Color, int Percent);
// Each channel A x P% + B x (100 - P)% (each product through MulDiv), kept within 0..255, then the
// nearest colour the screen shows.
TColor BlendColorsPercent(TColor A, TColor B, int Percent);
// The navigation-pane caption tone of clBtnFace: the start (true) or end colour.
TColor NavPaneCaptionTone(bool Start);
bool ButtonFaceIsBlack();
bool ButtonFaceIsWhite();
// The button face is black and its text is not white.
bool ButtonFaceBlackTextNotWhite();

// ---- drawing on a device context ----------------------------------------------------------------

// FillRect / FrameRect with a temporary solid brush of the colour (system colours resolved).
void FillRectSolid(HDC DC, const TRect& R, TColor Color);
void FrameRectSolid(HDC DC, const TRect& R, TColor Color);
// A polygon filled and outlined (pen width 1) in one colour.
void FillPolygonSolid(HDC DC, const POINT* Points, int Count, TColor Color);
// A two-colour linear gradient along x (Horizontal) or y: one fill for equal colours, the bound
// GradientFill when there is one, else at most 256 solid strips.
void PaintGradientRect(HDC DC, const TRect& R, TColor Color1, TColor Color2, bool Horizontal);
// The software strips of PaintGradientRect (also its path without GradientFill).
void PaintSoftwareGradientRect(HDC DC, const TRect& R, TColor Color1, TColor Color2, bool Horizontal);
// Line by line from Color1 to a middle colour (K / 200 of the way) at the half, then on to Color2.
void PaintTwoPhaseGradient(HDC DC, const TRect& R, TColor Color1, TColor Color2, bool Horizontal);
// The colour the software gradient gives the line at X (a y coordinate when not Horizontal).
TColor GradientColorAt(const TRect& R, int X, TColor Color1, TColor Color2, bool Horizontal);
// The selection frame: clHighlightText on a black button face, else the slot 41 colour.
void FrameOffice11Selection(HDC DC, const TRect& R);
// Dots in 4 x 4 cells down R (Horizontal) or across it; null brushes take the slot 18 and 19 colours.
void DrawOffice11GripDots(HDC DC, const TRect& R, bool Horizontal, HBRUSH DarkBrush = nullptr,
                          HBRUSH LightBrush = nullptr);
// A filled arrow sized to R (at least 3).
void DrawOffice11ArrowInRect(HDC DC, const TRect& R, bool PointsDown, bool Enabled, bool Selected, bool Flag = false);
void DrawOffice11ArrowSized(HDC DC, const TRect& R, bool PointsDown, int Size, bool Selected, bool Enabled,
                            bool Flag = false);
// Three rows of dots (3, 2, 1) in R's bottom-right corner. clDefault takes the default grip colour
// of that tone, clNone leaves that tone out.
void DrawOffice11SizeGripDots(HDC DC, const TRect& R, TColor Color1 = clDefault, TColor Color2 = clDefault);
