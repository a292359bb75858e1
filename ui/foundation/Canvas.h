#pragma once
// The canvas every painter of the custom controls draws through: a wrapper over a framework canvas
// with stacks of saved DC states, clip regions and font/brush/pen states, clip arithmetic through
// regions, bordered and tiled fills, and text under the libraries' own text flags; the shared
// screen canvas; and text routines on a raw device context.

#include <vector>

#include "platform/framework/classes/Strings.h"
#include "platform/framework/graphics/Bitmap.h"
#include "ui/foundation/Geometry.h"

// ---- regions ----------------------------------------------------------------------------------

enum TcxRegionOperation { roSet, roAdd, roSubtract, roIntersect };

// Owns one GDI region.
class TcxRegion : public TObject {
  DECLARE_CLASS(TcxRegion, TObject)
 public:
  // An empty region (0, 0, 0, 0).
  TcxRegion();
  // Adopts the handle.
  explicit TcxRegion(HRGN AHandle) : handle_(AHandle) {}
  explicit TcxRegion(const TRect& R);
  TcxRegion(int L, int T, int R, int B);
  ~TcxRegion() override;
  static TcxRegion* CreateFromHandle(HRGN AHandle) { return new TcxRegion(AHandle); }
  static TcxRegion* CreateFromRect(const TRect& R) { return new TcxRegion(R); }
  static TcxRegion* CreateFromBounds(int L, int T, int R, int B) { return new TcxRegion(L, T, R, B); }
  static TcxRegion* CreateEmpty() { return new TcxRegion(); }

  HRGN Handle() const { return handle_; }
  bool IsEmpty() const;
  // Both empty, or equal regions; false for null.
  bool IsEqual(const TcxRegion* Other) const;
  // roSet makes this a copy of Other; the others combine Other into this. FreeOther frees Other.
  void CombineWith(TcxRegion* Other, TcxRegionOperation Operation, bool FreeOther = true);
  void OffsetBy(int DX, int DY);
  TRect BoundsRect() const;

 private:
  HRGN handle_;
};

// ---- text flags -------------------------------------------------------------------------------

constexpr int ctfLeft = 0x0001;
constexpr int ctfRight = 0x0002;
constexpr int ctfHCenter = 0x0004;
constexpr int ctfTop = 0x0008;
constexpr int ctfBottom = 0x0010;
constexpr int ctfVCenter = 0x0020;
constexpr int ctfSingleLine = 0x0040;
constexpr int ctfNoClip = 0x0080;
constexpr int ctfExpandTabs = 0x0100;
constexpr int ctfShowPrefix = 0x0200;
constexpr int ctfWordBreak = 0x0400;
constexpr int ctfEndEllipsis = 0x0800;
constexpr int ctfCalcOnly = 0x1000;
constexpr int ctfPathEllipsis = 0x2000;
constexpr int ctfNoCharBreak = 0x4000;

UINT TextFlagsToDrawTextFlags(int Flags);

enum TcxBorder { bLeft, bTop, bRight, bBottom };
using TcxBorders = TSet<TcxBorder>;
constexpr TcxBorders cxBordersAll{bLeft, bTop, bRight, bBottom};

// The paint values a style resolves to.
struct TcxViewParamSet {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// ---- the canvas -------------------------------------------------------------------------------

class TcxCanvas : public TObject {
  DECLARE_CLASS(TcxCanvas, TObject)
 public:
  // Wraps ACanvas, which outlives this object.
  explicit TcxCanvas(TCanvas* ACanvas) : canvas_(ACanvas) {}
  ~TcxCanvas() override;

  TCanvas* Canvas() const { return canvas_; }
  // Paints on another canvas from now on (which outlives its use here); the saved states stay.
  void SetCanvas(TCanvas* ACanvas) { canvas_ = ACanvas; }
  TBrush* CurrentBrush() const { return canvas_->Brush(); }
  TFont* CurrentFont() const { return canvas_->Font(); }
  TPen* CurrentPen() const { return canvas_->Pen(); }
  HDC DCHandle() const { return canvas_->Handle(); }

  void UseFont(TFont* AFont) { canvas_->SetFont(AFont); }
  void ApplyBrushColor(TColor AColor);
  TPoint QueryWindowOrigin() const;
  void ApplyWindowOrigin(const TPoint& P);
  // Viewport origin minus window origin.
  TPoint DCOrigin() const;

  void PushDCState();
  void PopDCState();
  // A DC without a clip region gets none back, not an explicit rectangle.
  void PushClipRegion();
  void PopClipRegion();
  void PushState();
  void PopState();

  // The clip region (caller owns it); 0, 0, 30000, 30000 when the DC has none. With ConsiderOrigin in
  // logical coordinates.
  TcxRegion* CopyClipRegion(bool ConsiderOrigin = true) const;
  void ApplyClipRegion(TcxRegion* Region, TcxRegionOperation Operation = roSet, bool FreeRegion = true,
                       bool ConsiderOrigin = true);
  void SubtractFromClip(const TRect& R);
  void ClipToRect(const TRect& R);
  // Makes the canvas's font, brush and pen match what a foreign DC has selected.
  void AdoptObjectsFromDC(HDC DC);

  void CopyAreaFrom(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
  void DrawGraphicAt(int X, int Y, TGraphic* Graphic) { canvas_->Draw(X, Y, Graphic); }
  void LineToPoint(int X, int Y) { canvas_->LineTo(X, Y); }
  void MovePenTo(int X, int Y) { canvas_->MoveTo(X, Y); }
  void DrawPolygon(const TPoint* Points, int Count) { canvas_->Polygon(Points, Count); }
  void DrawPolyline(const TPoint* Points, int Count) { canvas_->Polyline(Points, Count); }
  void SetPixelColor(int X, int Y, TColor Color) { canvas_->SetPixels(X, Y, Color); }
  void InvertArea(const TRect& R);

  // clNone draws nothing, clDefault fills with the current brush.
  void FillAreaWithColor(const TRect& R, TColor AColor);
  // Tiles on a grid anchored at the canvas's logical 0, 0 (so separate calls line up), or the brush
  // without a bitmap; Exclude then takes R out of the clip region.
  void FillWithTileBitmap(const TRect& R, TBitmap* Bitmap, bool Exclude = false);
  void DrawFrameBorders(const TRect& R, TColor AColor, int Width, TcxBorders Borders = cxBordersAll,
                        bool Exclude = false);
  void DrawTwoColorBorders(const TRect& R, TColor Color1, TColor Color2, TcxBorders Borders = cxBordersAll,
                           int Width = 1);
  void DrawEdgeBorders(const TRect& R, bool Sunken, bool Outer, TcxBorders Borders = cxBordersAll);
  void DrawFramedArea(const TRect& R, const TcxViewParamSet& Params, TcxBorders Borders, TColor BorderColor,
                      int BorderWidth, bool Exclude = false);
  void DrawFocusFrame(const TRect& R);
  void DrawFocusFrames(const TRect& R, int N);

  int FontLineHeight(TFont* AFont);
  TSize MeasureText(const String& Text);
  int TextPixelWidth(const String& Text) { return MeasureText(Text).cx; }
  int TextPixelHeight(const String& Text) { return MeasureText(Text).cy; }
  // The rectangle the text needs under the flags, placed inside R; collapses to R's top-left point
  // when measuring fails.
  void CalcTextBounds(const String& Text, TRect& R, int Flags);
  // Disabled text is embossed: once 1 pixel right and down in clBtnHighlight, then in clBtnShadow.
  void DrawTextWithEnabledState(const String& Text, TRect R, int Flags, bool Enabled = true);
  // Alignment 1 = bottom, 2 = centre, 0 leaves R unchanged.
  void AlignMultilineTextTop(TRect& R, const String& Text, int Alignment, bool WordBreak, bool ShowPrefix,
                             bool Enabled, bool NoCharBreak);

 private:
  struct SavedState {
    TFont* Font;
    TBrush* Brush;
    TPen* Pen;
  };
  void DrawTextOnce(const String& Text, const TRect& R, int Flags, bool DrawTextMode);

  TCanvas* canvas_;
  std::vector<int> dcStates_;
  std::vector<TcxRegion*> clipRegions_;  // null: the DC had no clip region
  std::vector<SavedState> states_;
};

// A canvas over the screen, for measuring text outside a paint.
class TcxScreenCanvas : public TcxCanvas {
  DECLARE_CLASS(TcxScreenCanvas, TcxCanvas)
 public:
  TcxScreenCanvas();
  ~TcxScreenCanvas() override;
};

// The process-wide screen canvas, made on first use.
TcxScreenCanvas* ScreenCanvas();

// ---- text on a device context (Count -1 = the whole text) -------------------------------------

bool TextExtentOf(HDC DC, const String& Text, TSize& Size, int Count = -1);
int RenderTextInRect(HDC DC, const String& Text, TRect& R, UINT Flags, int Count = -1);
bool OutputTextAt(HDC DC, const String& Text, const TPoint& P, const TRect* Clip, UINT Options, int Count = -1);
void InvalidateArea(HWND Window, const TRect& R, bool Erase);
TSize SingleLineTextSize(HDC DC, const String& Text);
// The narrowest box in which the text fits Rows rows.
void CalcTextRectForRows(HDC DC, const String& Text, int Rows, bool FullHeight, TRect& R);
void CalcFontTextRectForRows(TFont* Font, const String& Text, int Rows, TRect& R);
TSize MeasureTextForFont(TFont* Font, const String& Text, int PointSize = 0);
int TextWidthForFont(TFont* Font, const String& Text, int PointSize = 0);
int TextHeightForFont(TFont* Font, const String& Text, int PointSize = 0);
// Index 0 = LOGPIXELSY, 1 = LOGPIXELSX.
int ScreenDeviceCapability(int Index);
// The text shortened with "..." to fit Width on one line; the screen DC when DC is 0.
String EllipsizeTextToWidth(HDC DC, HFONT Font, const String& Text, int Width);
// Breaks the text between words into lines no wider than R.
void WrapTextToLines(const String& Text, TcxCanvas* Canvas, const TRect& R, TStrings* Lines);
bool IsFarEastOrArabicText(int Charset, const String& Text);
bool ReadLogFont(HFONT Font, LOGFONTW& LogFont);
bool ReadLogBrush(HBRUSH Brush, LOGBRUSH& LogBrush);
bool ReadLogPen(HPEN Pen, LOGPEN& LogPen);
bool ReadBitmapInfoOf(HBITMAP Bitmap, BITMAP& Info);
