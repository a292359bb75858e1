// Drawing of skin elements: the GDI+ canvas with its palette-display buffer, the frame geometry of
// skin images, the nine-part split by margins, and the element's background, image, borders and
// glyph.

#include <algorithm>

#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/skins/Skin.h"
#include "ui/navbar/skins/SkinRenderings.h"

DEFINE_CLASS(TdxSkinCanvas)

namespace {


// A display DC answers the screen's depth (through the framework's seam); a printer its own.
int BitsPerPixelOf(HDC DC) {
  if (GetDeviceCaps(DC, TECHNOLOGY) == DT_RASDISPLAY) return ScreenColorDepth();
  return GetDeviceCaps(DC, BITSPIXEL) * GetDeviceCaps(DC, PLANES);
}

bool NonEmpty(const TRect& R) { return R.left < R.right && R.top < R.bottom; }

}  // namespace

// ---- the canvas ------------------------------------------------------------------------------

TdxSkinCanvas::~TdxSkinCanvas() { EndPaint(); }

void TdxSkinCanvas::BeginPaint(HDC DC, const TRect& R) {
  sourceDC_ = DC;
  rect_ = R;
  HDC target = DC;
  if (BitsPerPixelOf(DC) < 9) {
    buffer_ = new TcxBitmap(R.Width(), R.Height());
    HDC bufferDC = buffer_->Canvas()->Handle();
    BitBlt(bufferDC, 0, 0, R.Width(), R.Height(), DC, R.left, R.top, SRCCOPY);
    SetWindowOrgEx(bufferDC, R.left, R.top, nullptr);
    target = bufferDC;
  }
  if (GdiPlusSessionRunning()) Bound().GdipCreateFromHDC.Get()(target, &graphics_);
}

void TdxSkinCanvas::EndPaint() {
  if (graphics_) {
    if (GdiPlusSessionRunning()) Bound().GdipDeleteGraphics.Get()(graphics_);
    graphics_ = nullptr;
  }
  if (buffer_) {
    HDC bufferDC = buffer_->Canvas()->Handle();
    SetWindowOrgEx(bufferDC, 0, 0, nullptr);
    const int saved = SaveDC(sourceDC_);
    BitBlt(sourceDC_, rect_.left, rect_.top, rect_.Width(), rect_.Height(), bufferDC, 0, 0, SRCCOPY);
    RestoreDC(sourceDC_, saved);
    FreeAndNil(buffer_);
  }
  sourceDC_ = nullptr;
}

void TdxSkinCanvas::FillRect(const TRect& R, TColor Color) {
  if (!graphics_) return;
  HDC dc = nullptr;
  if (Bound().GdipGetDC.Get()(graphics_, &dc) != GpOk || !dc) return;
  FillRectSolid(dc, R, Color);
  Bound().GdipReleaseDC.Get()(graphics_, dc);
}

void TdxSkinCanvas::FillGradient(const TRect& R, TColor Color1, TdxSkinGradientMode Mode, TColor Color2) {
  if (!graphics_) return;
  if (Color1 == Color2 || Color2 == clNone || Color2 == clDefault) return FillRect(R, Color1);
  if (Mode == TdxSkinGradientMode::gmForwardDiagonal || Mode == TdxSkinGradientMode::gmBackwardDiagonal) {
    auto argb = [](TColor c) {
      const DWORD rgb = DWORD(ColorToRGB(c));
      return 0xFF000000u | (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    };
    const GpRectI rect{R.left, R.top, R.Width(), R.Height()};
    ObjectPtr<TdxGPLinearGradientBrush> brush(new TdxGPLinearGradientBrush(
        rect, argb(Color1), argb(Color2),
        Mode == TdxSkinGradientMode::gmForwardDiagonal ? lgmForwardDiagonal : lgmBackwardDiagonal));
    if (brush->Handle()) Bound().GdipFillRectangleI.Get()(graphics_, brush->Handle(), R.left, R.top, R.Width(), R.Height());
    return;
  }
  HDC dc = nullptr;
  if (Bound().GdipGetDC.Get()(graphics_, &dc) != GpOk || !dc) return;
  PaintGradientRect(dc, R, Color1, Color2, Mode == TdxSkinGradientMode::gmHorizontal);
  Bound().GdipReleaseDC.Get()(graphics_, dc);
}

int TdxSkinCanvas::InterpolationMode() {
  int mode = 0;
  if (graphics_) Bound().GdipGetInterpolationMode.Get()(graphics_, &mode);
  return mode;
}

void TdxSkinCanvas::SetInterpolationMode(int Mode) {
  if (graphics_) Bound().GdipSetInterpolationMode.Get()(graphics_, Mode);
}

void TdxSkinCanvas::DrawImageUnscaled(TdxPNGImage* Image, const TRect& Dest, const TRect& Source) {
  const int saved = InterpolationMode();
  SetInterpolationMode(GpInterpolationModeNearestNeighbor);
  Image->DrawOnGraphics(graphics_, Dest, Source);
  SetInterpolationMode(saved);
}

void TdxSkinCanvas::DrawImageScaled(TdxPNGImage* Image, const TRect& Dest, const TRect& Source) {
  // Large stretched parts (a group's client, a header) are scaled once per size and kept.
  if (!Image->DrawScaledCopy(graphics_, Dest, Source, InterpolationMode())) Image->DrawOnGraphics(graphics_, Dest, Source);
}

void TdxSkinCanvas::DrawImageTiled(TdxPNGImage* Image, const TRect& Dest, const TRect& Source) {
  const int w = Source.Width(), h = Source.Height(), W = Dest.Width(), H = Dest.Height();
  if (w <= 0 || h <= 0 || W <= 0 || H <= 0) return;
  // A background tiled over a bar takes hundreds of tiles: drawn from one kept copy.
  if (Image->DrawTiledCopy(graphics_, Dest, Source)) return;
  const int saved = InterpolationMode();
  SetInterpolationMode(GpInterpolationModeNearestNeighbor);
  const int columns = (W + w - 1) / w, rows = (H + h - 1) / h;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      TRect tile(Dest.left + column * w, Dest.top + row * h, Dest.left + (column + 1) * w, Dest.top + (row + 1) * h);
      TRect source = Source;
      if (tile.right > Dest.right) {
        source.right -= tile.right - Dest.right;
        tile.right = Dest.right;
      }
      if (tile.bottom > Dest.bottom) {
        source.bottom -= tile.bottom - Dest.bottom;
        tile.bottom = Dest.bottom;
      }
      TdxPNGImage::DrawOnGraphicsIfLoaded(Image, graphics_, tile, source);
    }
  SetInterpolationMode(saved);
}

// ---- image geometry --------------------------------------------------------------------------

void TdxSkinImage::UpdateGeometry() {
  if (!dirty_) return;
  dirty_ = false;
  stateCount_ = 0;
  for (int s = 0; s < kSkinElementStateCount; ++s) {
    ordinals_[s] = 0;
    if (states_.Contains(TdxSkinElementState(s))) ordinals_[s] = stateCount_++;
  }
  frameSize_ = TSize{texture_->Width(), texture_->Height()};
  if (stateCount_ > 0) {
    const int count = owner_ ? owner_->ImageCount() : 1;
    LONG& axis = layout_ == ilHorizontal ? frameSize_.cx : frameSize_.cy;
    axis = axis / count / stateCount_;
  }
  for (int s = 0; s < kSkinElementStateCount; ++s) {
    const int k = ordinals_[s];
    stateBounds_[s] = layout_ == ilHorizontal ? TRect(k * frameSize_.cx, 0, (k + 1) * frameSize_.cx, frameSize_.cy)
                                              : TRect(0, k * frameSize_.cy, frameSize_.cx, (k + 1) * frameSize_.cy);
  }
}

int TdxSkinImage::StateCount() {
  UpdateGeometry();
  return stateCount_;
}

TSize TdxSkinImage::FrameSize() {
  UpdateGeometry();
  return frameSize_;
}

TRect TdxSkinImage::StateBounds(TdxSkinElementState State) {
  UpdateGeometry();
  return stateBounds_[State];
}

TdxSkinElementState TdxSkinImage::ResolveState(TdxSkinElementState State) const {
  if (states_.Contains(State)) return State;
  for (int s = 0; s < kSkinElementStateCount; ++s)
    if (states_.Contains(TdxSkinElementState(s))) return TdxSkinElementState(s);
  return State;
}

TRect TdxSkinImage::FrameRect(int ImageIndex, TdxSkinElementState State) {
  UpdateGeometry();
  TRect r = stateBounds_[ResolveState(State)];
  const int shift = ImageIndex * stateCount_;
  const int dx = layout_ == ilHorizontal ? shift * frameSize_.cx : 0;
  const int dy = layout_ == ilHorizontal ? 0 : shift * frameSize_.cy;
  return TRect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
}

void TdxSkinImage::SplitIntoParts(const TRect& R, bool IsDestination, TdxSkinParts& Parts, TdxSkinPartFlags& Visible) {
  for (int i = 0; i < 9; ++i) scaled_[size_t(i)] = !(i == 0 || i == 2 || i == 6 || i == 8);
  TRect m = margins_;
  if (IsDestination) {
    const int sumX = m.left + m.right, excessX = sumX - R.Width();
    if (excessX > 0) {
      for (int i : {0, 1, 2, 6, 7, 8}) scaled_[size_t(i)] = true;
      const int left = m.left, right = m.right;
      m.left -= MulDiv(left, excessX, sumX);
      m.right -= MulDiv(right, excessX, sumX);
    }
    const int sumY = m.top + m.bottom, excessY = sumY - R.Height();
    if (excessY > 0) {
      for (int i : {0, 3, 6, 2, 5, 8}) scaled_[size_t(i)] = true;
      const int top = m.top, bottom = m.bottom;
      m.top -= MulDiv(top, excessY, sumY);
      m.bottom -= MulDiv(bottom, excessY, sumY);
    }
  }
  TRect c(R.left + m.left, R.top + m.top, R.right - m.right, R.bottom - m.bottom);
  c.left = std::min(c.left, R.right);
  c.right = std::min(c.right, R.right);
  c.right = std::max(c.right, c.left);
  c.top = std::min(c.top, R.bottom);
  c.bottom = std::min(c.bottom, R.bottom);
  c.bottom = std::max(c.bottom, c.top);
  const int xs[4] = {R.left, c.left, c.right, R.right};
  const int ys[4] = {R.top, c.top, c.bottom, R.bottom};
  for (int column = 0; column < 3; ++column)
    for (int row = 0; row < 3; ++row) {
      const size_t i = size_t(column * 3 + row);
      if (!Visible[i]) continue;
      Parts[i] = TRect(xs[column], ys[row], xs[column + 1], ys[row + 1]);
      Visible[i] = NonEmpty(Parts[i]);
    }
}

// ---- image drawing ---------------------------------------------------------------------------

void TdxSkinImage::DrawPart(TdxSkinCanvas* Canvas, const TRect& Dest, const TRect& Source, bool Scaled, bool IsCentre) {
  if (gradientBegin_ != clNone && IsCentre)
    Canvas->FillGradient(Dest, gradientBegin_, gradient_, gradientEnd_);
  else if (!Scaled)
    Canvas->DrawImageUnscaled(texture_, Dest, Source);
  else if (stretch_ == smTile)
    Canvas->DrawImageTiled(texture_, Dest, Source);
  else
    Canvas->DrawImageScaled(texture_, Dest, Source);
}

void TdxSkinImage::DrawToCanvas(TdxSkinCanvas* Canvas, const TRect& R, int ImageIndex, TdxSkinElementState State) {
  if (Empty()) return;
  UpdateGeometry();
  const TRect source = FrameRect(ImageIndex, ResolveState(State));
  if (stretch_ == smNoResize) {
    const int w = source.Width(), h = source.Height();
    const int left = R.left + (R.Width() - w) / 2, top = R.top + (R.Height() - h) / 2;
    Canvas->DrawImageUnscaled(texture_, TRect(left, top, left + w, top + h), source);
    return;
  }
  TdxSkinPartFlags visible;
  visible.fill(true);
  TdxSkinParts sourceParts, destParts;
  SplitIntoParts(source, false, sourceParts, visible);
  SplitIntoParts(R, true, destParts, visible);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      const size_t i = size_t(column * 3 + row);
      if (visible[i]) DrawPart(Canvas, destParts[i], sourceParts[i], scaled_[i], i == 4);
    }
}

void TdxSkinImage::DrawToDC(HDC DC, const TRect& R, int ImageIndex, TdxSkinElementState State) {
  UpdateGeometry();
  if (frameSize_.cx < 1 || frameSize_.cy < 1 || !NonEmpty(R)) return;
  RECT r = R;
  if (!RectVisible(DC, &r)) return;
  ObjectPtr<TdxSkinCanvas> canvas(new TdxSkinCanvas());
  canvas->BeginPaint(DC, R);
  DrawToCanvas(canvas.get(), R, ImageIndex, State);
  canvas->EndPaint();
}

// ---- borders and elements --------------------------------------------------------------------

void TdxSkinBorder::DrawToCanvas(TdxSkinCanvas* Canvas, const TRect& R) {
  if (color_ == clNone) return;
  Canvas->FillRect(StripRect(R), color_);
}

void TdxSkinBorder::DrawToDC(HDC DC, const TRect& R) {
  if (color_ == clNone) return;
  ObjectPtr<TdxSkinCanvas> canvas(new TdxSkinCanvas());
  canvas->BeginPaint(DC, R);
  DrawToCanvas(canvas.get(), R);
  canvas->EndPaint();
}

void TdxSkinElement::FillBackground(TdxSkinCanvas* Canvas, const TRect& R) {
  if (!hasColor_) return;
  const bool imageEmpty = image_->Empty();
  const bool usesAlpha = imageEmpty ? alpha_ < 255 : image_->Texture()->IsAlphaUsed();
  if (!(imageEmpty || image_->Stretch() == smNoResize || usesAlpha)) return;
  if (alpha_ == 255)
    Canvas->FillRect(R, color_);
  else if (brush_ && brush_->Handle() && Canvas->Graphics())
    Bound().GdipFillRectangleI.Get()(Canvas->Graphics(), brush_->Handle(), R.left, R.top, R.Width(), R.Height());
}

void TdxSkinElement::DrawOn(TdxSkinCanvas* Canvas, const TRect& R, int ImageIndex, TdxSkinElementState State) {
  if (image_->Empty()) {
    TRect inner = R;
    for (int side = 0; side < 4; ++side) {
      TdxSkinBorder* border = borders_->Items(side);
      if (border->Color() == clNone) continue;
      border->DrawToCanvas(Canvas, R);
      switch (side) {
        case 0: inner.left += border->Thin(); break;
        case 1: inner.top += border->Thin(); break;
        case 2: inner.right -= border->Thin(); break;
        default: inner.bottom -= border->Thin(); break;
      }
    }
    FillBackground(Canvas, inner);
  } else {
    FillBackground(Canvas, R);
    image_->DrawToCanvas(Canvas, R, ImageIndex, State);
  }
  const TRect content(R.left + contentOffset_.left, R.top + contentOffset_.top, R.right - contentOffset_.right,
                      R.bottom - contentOffset_.bottom);
  glyph_->DrawToCanvas(Canvas, content, ImageIndex, State);
}

void TdxSkinElement::Draw(HDC DC, const TRect& R, int ImageIndex, TdxSkinElementState State) {
  if (!NonEmpty(R)) return;
  RECT r = R;
  if (!RectVisible(DC, &r)) return;
  auto render = [&](HDC Target, const TRect& Where) {
    if (!canvas_) canvas_ = new TdxSkinCanvas();
    canvas_->BeginPaint(Target, Where);
    try {
      DrawOn(canvas_, Where, ImageIndex, State);
    } catch (...) {
      canvas_->EndPaint();
      throw;
    }
    canvas_->EndPaint();
  };
  // Without GDI+ nothing is drawn, and nothing is kept either.
  if (!GdiPlusSessionRunning()) return render(DC, R);
  if (!renderings_) renderings_ = new TdxSkinElementRenderings();
  renderings_->Draw(DC, R, ImageIndex, State, render);
}

void TdxSkinEmptyElement::Draw(HDC DC, const TRect& R, int, TdxSkinElementState) {
  RECT r = R;
  ::FillRect(DC, &r, HBRUSH(GetStockObject(WHITE_BRUSH)));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FrameRect(DC, &r, red);
  DeleteObject(red);
}
