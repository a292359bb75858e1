#pragma once
// Colours, fonts, brushes, pens and the canvas: drawing on a device context through objects that
// create their GDI handles only when first needed after a change.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(GRAPHICS);

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"
#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

class TGraphic;
class TBitmap;

// ---- geometry ---------------------------------------------------------------------------------

struct TPoint : POINT {
  constexpr TPoint() : POINT{0, 0} {}
  constexpr TPoint(LONG x, LONG y) : POINT{x, y} {}
  constexpr TPoint(const POINT& p) : POINT(p) {}
  friend constexpr bool operator==(const TPoint& a, const TPoint& b) { return a.x == b.x && a.y == b.y; }
};

struct TSize : SIZE {
  constexpr TSize() : SIZE{0, 0} {}
  constexpr TSize(LONG cx, LONG cy) : SIZE{cx, cy} {}
  constexpr TSize(const SIZE& s) : SIZE(s) {}
  friend constexpr bool operator==(const TSize& a, const TSize& b) { return a.cx == b.cx && a.cy == b.cy; }
};

struct TRect : RECT {
  constexpr TRect() : RECT{0, 0, 0, 0} {}
  constexpr TRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
  constexpr TRect(const RECT& r) : RECT(r) {}
  constexpr TRect(TPoint topLeft, TPoint bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  constexpr LONG Width() const { return right - left; }
  constexpr LONG Height() const { return bottom - top; }
  constexpr TPoint TopLeft() const { return {left, top}; }
  constexpr TPoint BottomRight() const { return {right, bottom}; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(TPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend constexpr bool operator==(const TRect& a, const TRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

constexpr TPoint Point(LONG x, LONG y) { return {x, y}; }
constexpr TRect Rect(LONG left, LONG top, LONG right, LONG bottom) { return {left, top, right, bottom}; }
constexpr TRect Bounds(LONG left, LONG top, LONG width, LONG height) {
  return {left, top, left + width, top + height};
}

// ---- colours ----------------------------------------------------------------------------------

// 0x00BBGGRR; 0xFF000000 + COLOR_ index names a system colour.
using TColor = std::int32_t;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | unsigned(index)); }

constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The RGB value of a colour: system colours through GetSysColor, everything else unchanged.
TColor ColorToRGB(TColor color);

// A colour from its channels (GetRValue/GetGValue/GetBValue take it apart).
constexpr TColor RGBColor(Byte r, Byte g, Byte b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }

// ---- graphics objects -------------------------------------------------------------------------

// A GDI object handle that is deleted with its last reference. Fonts, brushes and pens share it on
// Assign; a canvas keeps the one it selected alive until it selects another.
class GdiObjectRef {
 public:
  GdiObjectRef() = default;
  explicit GdiObjectRef(HGDIOBJ handle);
  HGDIOBJ Get() const { return holder_ ? holder_->handle : nullptr; }
  explicit operator bool() const { return holder_ != nullptr; }
  void Reset() { holder_.reset(); }

 private:
  struct Holder {
    explicit Holder(HGDIOBJ h) : handle(h) {}
    ~Holder();
    HGDIOBJ handle;
  };
  std::shared_ptr<Holder> holder_;
};

class TGraphicsObject : public TPersistent {
  DECLARE_CLASS(TGraphicsObject, TPersistent)
 public:
  TNotifyEvent OnChange;
  // Tells the canvas that owns this object; set by the canvas, not for general use.
  TNotifyEvent OnOwnerChange;

 protected:
  // Drops the GDI handle (it is made again on demand) and reports the change.
  void Changed();
  virtual void ReleaseHandle() = 0;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;

class TFont : public TGraphicsObject {
  DECLARE_CLASS(TFont, TGraphicsObject)
 public:
  TFont();

  void Assign(TPersistent* Source) override;

  // The font handle, made on first use after a change and kept until the next change.
  HFONT Handle() const;
  // Adopts a font handle (it is deleted with this font's last use): the font's properties become
  // the handle's. Rotated fonts come in this way, from a LOGFONT.
  void SetHandle(HFONT Value);

  const String& Name() const { return name_; }
  void SetName(const String& Value);
  // Points; negative sizes are character heights, as with Height.
  int Size() const;
  void SetSize(int Value);
  // Pixels at PixelsPerInch; negative = character height, positive = cell height.
  int Height() const { return height_; }
  void SetHeight(int Value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch Value);
  // Tenths of a degree, counter-clockwise.
  int Orientation() const { return orientation_; }
  void SetOrientation(int Value);
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int Value) { pixelsPerInch_ = Value; }

  // The LOGFONT the handle is (or would be) made from.
  LOGFONTW LogFont() const;

 protected:
  void ReleaseHandle() override { handle_.Reset(); }

 private:
  friend class TCanvas;
  const GdiObjectRef& HandleRef() const;

  String name_ = L"Tahoma";
  int height_;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int orientation_ = 0;
  int pixelsPerInch_;
  mutable GdiObjectRef handle_;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
  DECLARE_CLASS(TBrush, TGraphicsObject)
 public:
  void Assign(TPersistent* Source) override;

  HBRUSH Handle() const;
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle Value);
  // A pattern bitmap (not owned; it must outlive the brush's use). Null for a plain brush.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* Value);

 protected:
  void ReleaseHandle() override { handle_.Reset(); }

 private:
  friend class TCanvas;
  const GdiObjectRef& HandleRef() const;

  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;
  mutable GdiObjectRef handle_;
};

// Line styles in the order of the PS_ values.
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operations of lines and shapes' outlines.
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
  DECLARE_CLASS(TPen, TGraphicsObject)
 public:
  void Assign(TPersistent* Source) override;

  HPEN Handle() const;
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode Value);
  // The SetROP2 code of a mode.
  static int RasterOp(TPenMode mode);

 protected:
  void ReleaseHandle() override { handle_.Reset(); }

 private:
  friend class TCanvas;
  const GdiObjectRef& HandleRef() const;

  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  mutable GdiObjectRef handle_;
};

// ---- canvas -----------------------------------------------------------------------------------

using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

enum TCanvasStateItem { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStateItem>;

// Draws on a device context. The font, brush and pen are selected into the DC only when an
// operation needs them and only again after they change; no GDI object is made per call.
class TCanvas : public TPersistent {
  DECLARE_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;

  // The DC, made on demand by CreateHandle in canvases that own one. Setting a DC (or 0) first
  // takes this canvas's objects out of the previous one.
  HDC Handle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return handle_ != nullptr; }

  TFont* Font() { return &font_; }
  TBrush* Brush() { return &brush_; }
  TPen* Pen() { return &pen_; }
  void SetFont(TFont* Value) { font_.Assign(Value); }
  void SetBrush(TBrush* Value) { brush_.Assign(Value); }
  void SetPen(TPen* Value) { pen_.Assign(Value); }

  TCopyMode CopyMode = cmSrcCopy;
  // ETO_ options of TextOut and TextRect.
  int TextFlags = 0;

  // Serialises drawing from several threads.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return lockCount_; }

  // Lines and shapes.
  TPoint PenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.x, Value.y); }
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.left, R.top, R.right, R.bottom); }
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Polygon(const TPoint* Points, int Count);
  void Polyline(const TPoint* Points, int Count);
  void PolyBezier(const TPoint* Points, int Count);
  template <std::size_t N>
  void Polygon(const TPoint (&Points)[N]) { Polygon(Points, int(N)); }
  template <std::size_t N>
  void Polyline(const TPoint (&Points)[N]) { Polyline(Points, int(N)); }

  // Fills with the brush; FrameRect draws a one-pixel border with it.
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void DrawFocusRect(const TRect& R);
  // Fills the area around (X, Y) bounded by Color (fsBorder) or made of Color (fsSurface).
  enum TFillStyle { fsSurface, fsBorder };
  void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

  // Text in the font, on the brush's background unless the brush is bsClear.
  void TextOut(int X, int Y, const String& Text);
  void TextRect(const TRect& R, int X, int Y, const String& Text);
  TSize TextExtent(const String& Text);
  int TextWidth(const String& Text) { return TextExtent(Text).cx; }
  int TextHeight(const String& Text) { return TextExtent(Text).cy; }

  // Graphics and copies between canvases.
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& R, TGraphic* Graphic);
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  TRect ClipRect();
  // Takes the objects out of the DC; they are selected again on the next operation.
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Makes a DC for canvases that own one (bitmap, control canvases); the base has none and raises
  // EInvalidOperation "Canvas does not allow drawing".
  virtual void CreateHandle();
  virtual void Changing();
  virtual void Changed();
  // Makes the listed parts of the state valid before an operation.
  void RequiredState(TCanvasState Required);
  TCanvasState State() const { return state_; }

 private:
  void SelectFont();
  void SelectBrush();
  void SelectPen();
  void DeselectHandles();
  void ObjectChanged(TObject* Sender);

  HDC handle_ = nullptr;
  TCanvasState state_;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  GdiObjectRef selectedFont_;
  GdiObjectRef selectedBrush_;
  GdiObjectRef selectedPen_;
  std::recursive_mutex lock_;
  int lockCount_ = 0;
};

// A canvas over the screen DC (GetDC(0)), for measuring and for drawing on the desktop.
class TScreenCanvas : public TCanvas {
  DECLARE_CLASS(TScreenCanvas, TCanvas)
 public:
  ~TScreenCanvas() override;
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  HDC screenDC_ = nullptr;
};

// Pixels per inch of the screen (LOGPIXELSY), read once.
int ScreenPixelsPerInch();
