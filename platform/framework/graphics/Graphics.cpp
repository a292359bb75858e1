#include "platform/framework/graphics/Graphics.h"

#include <algorithm>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphic.h"
#include "platform/framework/rtl/Seams.h"

DEFINE_CLASS(TGraphicsObject)
DEFINE_CLASS(TFont)
DEFINE_CLASS(TBrush)
DEFINE_CLASS(TPen)
DEFINE_CLASS(TCanvas)
DEFINE_CLASS(TScreenCanvas)

TColor ColorToRGB(TColor color) {
  if (color < 0) return static_cast<TColor>(Bound().GetSysColor(color & 0xFF));
  return color;
}

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    HDC dc = GetDC(nullptr);
    int value = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return value > 0 ? value : 96;
  }();
  return ppi;
}

GdiObjectRef::GdiObjectRef(HGDIOBJ handle) {
  if (handle) holder_ = std::make_shared<Holder>(handle);
}

GdiObjectRef::Holder::~Holder() { DeleteObject(handle); }

void TGraphicsObject::Changed() {
  ReleaseHandle();
  if (OnOwnerChange) OnOwnerChange(this);
  if (OnChange) OnChange(this);
}

// ---- TFont ------------------------------------------------------------------------------------

TFont::TFont() : pixelsPerInch_(ScreenPixelsPerInch()) { height_ = -MulDiv(8, pixelsPerInch_, 72); }

void TFont::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TFont*>(Source);
  if (!source) return TGraphicsObject::Assign(Source);
  if (source == this) return;
  name_ = source->name_;
  height_ = MulDiv(source->height_, pixelsPerInch_, source->pixelsPerInch_);
  style_ = source->style_;
  color_ = source->color_;
  charset_ = source->charset_;
  pitch_ = source->pitch_;
  orientation_ = source->orientation_;
  // Equal looks share one handle, so copying a font into a canvas per paint makes no GDI object.
  GdiObjectRef shared = pixelsPerInch_ == source->pixelsPerInch_ ? source->handle_ : GdiObjectRef();
  Changed();
  handle_ = shared;
}

LOGFONTW TFont::LogFont() const {
  LOGFONTW lf{};
  lf.lfHeight = height_;
  lf.lfEscapement = orientation_;
  lf.lfOrientation = orientation_;
  lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic);
  lf.lfUnderline = style_.Contains(fsUnderline);
  lf.lfStrikeOut = style_.Contains(fsStrikeOut);
  lf.lfCharSet = charset_;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  name_.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return lf;
}

const GdiObjectRef& TFont::HandleRef() const {
  if (!handle_) {
    LOGFONTW lf = LogFont();
    handle_ = GdiObjectRef(CreateFontIndirectW(&lf));
  }
  return handle_;
}

HFONT TFont::Handle() const { return static_cast<HFONT>(HandleRef().Get()); }

void TFont::SetHandle(HFONT Value) {
  LOGFONTW lf{};
  if (Value && GetObjectW(Value, sizeof(lf), &lf) == sizeof(lf)) {
    name_ = lf.lfFaceName;
    height_ = lf.lfHeight;
    style_ = {};
    if (lf.lfWeight >= FW_BOLD) style_.Include(fsBold);
    if (lf.lfItalic) style_.Include(fsItalic);
    if (lf.lfUnderline) style_.Include(fsUnderline);
    if (lf.lfStrikeOut) style_.Include(fsStrikeOut);
    charset_ = lf.lfCharSet;
    Byte pitch = lf.lfPitchAndFamily & 3;
    pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    orientation_ = lf.lfEscapement;
  }
  Changed();
  handle_ = GdiObjectRef(Value);
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }
void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, pixelsPerInch_, 72)); }

void TFont::SetName(const String& Value) {
  if (Value.empty() || Value == name_) return;
  name_ = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == height_) return;
  height_ = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  // The colour is not part of the handle: keep it.
  GdiObjectRef keep = handle_;
  Changed();
  handle_ = keep;
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == charset_) return;
  charset_ = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == pitch_) return;
  pitch_ = Value;
  Changed();
}

void TFont::SetOrientation(int Value) {
  if (Value == orientation_) return;
  orientation_ = Value;
  Changed();
}

// ---- TBrush -----------------------------------------------------------------------------------

void TBrush::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TBrush*>(Source);
  if (!source) return TGraphicsObject::Assign(Source);
  if (source == this) return;
  color_ = source->color_;
  style_ = source->style_;
  bitmap_ = source->bitmap_;
  GdiObjectRef shared = source->handle_;
  Changed();
  handle_ = shared;
}

const GdiObjectRef& TBrush::HandleRef() const {
  if (!handle_) {
    HBRUSH brush;
    COLORREF rgb = static_cast<COLORREF>(ColorToRGB(color_));
    if (bitmap_ && !bitmap_->Empty())
      brush = CreatePatternBrush(bitmap_->Handle());
    else if (style_ == bsClear)
      brush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    else if (style_ == bsSolid)
      brush = CreateSolidBrush(rgb);
    else
      brush = CreateHatchBrush(int(style_) - int(bsHorizontal) + HS_HORIZONTAL, rgb);
    handle_ = GdiObjectRef(brush);
  }
  return handle_;
}

HBRUSH TBrush::Handle() const { return static_cast<HBRUSH>(HandleRef().Get()); }

void TBrush::SetColor(TColor Value) {
  if (Value == color_ && style_ != bsClear) return;
  color_ = Value;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == style_ && !bitmap_) return;
  style_ = Value;
  // A pattern brush gives way to the style asked for.
  bitmap_ = nullptr;
  Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
  if (Value == bitmap_) return;
  bitmap_ = Value;
  Changed();
}

// ---- TPen -------------------------------------------------------------------------------------

void TPen::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TPen*>(Source);
  if (!source) return TGraphicsObject::Assign(Source);
  if (source == this) return;
  color_ = source->color_;
  width_ = source->width_;
  style_ = source->style_;
  mode_ = source->mode_;
  GdiObjectRef shared = source->handle_;
  Changed();
  handle_ = shared;
}

const GdiObjectRef& TPen::HandleRef() const {
  if (!handle_) handle_ = GdiObjectRef(CreatePen(int(style_), width_, static_cast<COLORREF>(ColorToRGB(color_))));
  return handle_;
}

HPEN TPen::Handle() const { return static_cast<HPEN>(HandleRef().Get()); }

void TPen::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == width_) return;
  width_ = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == mode_) return;
  mode_ = Value;
  // The mode is a DC setting, not part of the handle.
  GdiObjectRef keep = handle_;
  Changed();
  handle_ = keep;
}

int TPen::RasterOp(TPenMode mode) {
  static constexpr int codes[] = {R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN,
                                  R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,
                                  R2_MERGEPEN, R2_NOTMERGEPEN, R2_MASKPEN, R2_NOTMASKPEN,
                                  R2_XORPEN, R2_NOTXORPEN};
  return codes[mode];
}

// ---- TCanvas ----------------------------------------------------------------------------------

TCanvas::TCanvas() {
  font_.OnOwnerChange = {this, &TCanvas::ObjectChanged};
  brush_.OnOwnerChange = {this, &TCanvas::ObjectChanged};
  pen_.OnOwnerChange = {this, &TCanvas::ObjectChanged};
}

TCanvas::~TCanvas() { DeselectHandles(); }

void TCanvas::ObjectChanged(TObject* Sender) {
  // Only the state goes stale here; the handle still selected stays alive in selected*_ until the
  // next operation selects the new one.
  if (Sender == &font_) state_.Exclude(csFontValid);
  else if (Sender == &brush_) state_.Exclude(csBrushValid);
  else if (Sender == &pen_) state_.Exclude(csPenValid);
}

HDC TCanvas::Handle() {
  RequiredState({csHandleValid});
  return handle_;
}

void TCanvas::SetHandle(HDC Value) {
  if (Value == handle_) return;
  if (handle_) DeselectHandles();
  handle_ = Value;
  if (Value) state_.Include(csHandleValid);
  else state_.Exclude(csHandleValid);
}

void TCanvas::CreateHandle() { throw EInvalidOperation(L"Canvas does not allow drawing"); }

void TCanvas::RequiredState(TCanvasState Required) {
  TCanvasState missing = Required - state_;
  if (missing.Empty()) return;
  if (missing.Contains(csHandleValid)) {
    CreateHandle();
    if (!handle_) throw EInvalidOperation(L"Canvas does not allow drawing");
  }
  if (missing.Contains(csFontValid)) SelectFont();
  if (missing.Contains(csPenValid)) SelectPen();
  if (missing.Contains(csBrushValid)) SelectBrush();
}

void TCanvas::SelectFont() {
  const GdiObjectRef& handle = font_.HandleRef();
  SelectObject(handle_, handle.Get());
  selectedFont_ = handle;
  SetTextColor(handle_, static_cast<COLORREF>(ColorToRGB(font_.Color())));
  state_.Include(csFontValid);
}

void TCanvas::SelectPen() {
  const GdiObjectRef& handle = pen_.HandleRef();
  SelectObject(handle_, handle.Get());
  selectedPen_ = handle;
  SetROP2(handle_, TPen::RasterOp(pen_.Mode()));
  state_.Include(csPenValid);
}

void TCanvas::SelectBrush() {
  const GdiObjectRef& handle = brush_.HandleRef();
  UnrealizeObject(handle.Get());
  SelectObject(handle_, handle.Get());
  selectedBrush_ = handle;
  COLORREF rgb = static_cast<COLORREF>(ColorToRGB(brush_.Color()));
  if (brush_.Style() == bsSolid) {
    SetBkColor(handle_, rgb);
    SetBkMode(handle_, OPAQUE);
  } else {
    // Hatches and text over a non-solid brush leave the background as it is.
    SetBkColor(handle_, ~rgb & 0xFFFFFF);
    SetBkMode(handle_, TRANSPARENT);
  }
  state_.Include(csBrushValid);
}

void TCanvas::DeselectHandles() {
  if (handle_ && (state_ * TCanvasState{csFontValid, csPenValid, csBrushValid}) != TCanvasState{}) {
    SelectObject(handle_, GetStockObject(BLACK_PEN));
    SelectObject(handle_, GetStockObject(HOLLOW_BRUSH));
    SelectObject(handle_, GetStockObject(SYSTEM_FONT));
  }
  state_ -= {csFontValid, csPenValid, csBrushValid};
  selectedFont_.Reset();
  selectedBrush_.Reset();
  selectedPen_.Reset();
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::Lock() {
  lock_.lock();
  ++lockCount_;
}

void TCanvas::Unlock() {
  --lockCount_;
  lock_.unlock();
}

bool TCanvas::TryLock() {
  if (!lock_.try_lock()) return false;
  ++lockCount_;
  return true;
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
  RequiredState({csHandleValid});
  TPoint p;
  GetCurrentPositionEx(handle_, &p);
  return p;
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState({csHandleValid});
  MoveToEx(handle_, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(handle_, X, Y);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(handle_, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(handle_, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(handle_, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Arc(handle_, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Chord(handle_, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Pie(handle_, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Polygon(const TPoint* Points, int Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(handle_, Points, Count);
  Changed();
}

void TCanvas::Polyline(const TPoint* Points, int Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(handle_, Points, Count);
  Changed();
}

void TCanvas::PolyBezier(const TPoint* Points, int Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::PolyBezier(handle_, Points, DWORD(Count));
  Changed();
}

void TCanvas::FillRect(const TRect& R) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(handle_, &R, brush_.Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& R) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(handle_, &R, brush_.Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& R) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(handle_, &R);
  Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ExtFloodFill(handle_, X, Y, static_cast<COLORREF>(ColorToRGB(Color)),
               FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOutW(handle_, X, Y, UINT(TextFlags), nullptr, Text.c_str(), UINT(Text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | (UINT(TextFlags) & ~UINT(ETO_CLIPPED));
  if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutW(handle_, X, Y, options, &R, Text.c_str(), UINT(Text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const String& Text) {
  RequiredState({csHandleValid, csFontValid});
  TSize size;
  GetTextExtentPoint32W(handle_, Text.c_str(), int(Text.size()), &size);
  return size;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, R);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  HDC source = Canvas->Handle();
  StretchBlt(handle_, Dest.left, Dest.top, Dest.Width(), Dest.Height(), source, Source.left, Source.top,
             Source.Width(), Source.Height(), CopyMode);
  Changed();
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(GetPixel(handle_, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  SetPixel(handle_, X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
  Changed();
}

TRect TCanvas::ClipRect() {
  RequiredState({csHandleValid});
  TRect r;
  GetClipBox(handle_, &r);
  return r;
}

// ---- TScreenCanvas ----------------------------------------------------------------------------

TScreenCanvas::~TScreenCanvas() { FreeHandle(); }

void TScreenCanvas::CreateHandle() {
  screenDC_ = GetDC(nullptr);
  SetHandle(screenDC_);
}

void TScreenCanvas::FreeHandle() {
  if (!screenDC_) return;
  SetHandle(nullptr);
  ReleaseDC(nullptr, screenDC_);
  screenDC_ = nullptr;
}
