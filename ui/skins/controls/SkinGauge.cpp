#include "ui/skins/controls/SkinGauge.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "platform/framework/classes/Reflection.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TsGauge)

namespace {

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

const bool gaugeProperties = [] {
  RegisterProperties(&TsGauge::ClassInfo(), {ObjectProperty(L"SkinData", &TsGauge::SkinData, nullptr)});
  return true;
}();

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// The pie's filled sector from the top, clockwise for the percentage.
void PieSector(TCanvas* canvas, const TRect& r, int w, int h, int percent) {
  const int mx = w / 2, my = h / 2;
  const double a = (percent / 50.0 + 0.5) * std::numbers::pi;
  canvas->Pie(r.left, r.top, w, h, RoundHalfEven(mx * (1 - std::cos(a))), RoundHalfEven(my * (1 - std::sin(a))), mx,
              0);
}

// The needle from the middle of the bottom edge, at the percentage's angle.
void NeedleLine(TCanvas* canvas, int width, int bottom, int percent) {
  const int mx = width / 2;
  canvas->MoveTo(mx, bottom - 1);
  const double a = percent / 100.0 * std::numbers::pi;
  canvas->LineTo(RoundHalfEven(mx * (1 - std::cos(a))), RoundHalfEven((bottom - 1) * (1 - std::sin(a))));
}

void ClearBlack(TBitmap* bmp) { PatBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), BLACKNESS); }

// The bitmaps a skinned paint builds its face and its fill in: kept between paints (and shared by
// every gauge) so a paint allocates nothing, though nothing of a face survives to the next paint.
struct TGaugeScratch {
  BitmapPtr Face;
  BitmapPtr Fill;
  bool InUse = false;
};
TGaugeScratch scratch;

void ReleaseGaugeScratch() {
  scratch.Face.reset();
  scratch.Fill.reset();
}
const TUnitRegistration gaugeUnit(nullptr, &ReleaseGaugeScratch);

TBitmap* ScratchOf(BitmapPtr& bmp, int width, int height) {
  if (!bmp) bmp.reset(CreateBmp24(width, height));
  bmp->SetSize(width, height);
  return bmp.get();
}

}  // namespace

int GaugeShownPercent(int progress, int minValue, int maxValue) {
  if (maxValue == minValue) return 0;
  return static_cast<int>((static_cast<long double>(progress) - minValue) * 100.0L /
                          (static_cast<long double>(maxValue) - minValue));
}

int GaugeScaleByPercent(int percent, int z) { return static_cast<int>(z * (percent * 0.01L)); }

TsGauge::TsGauge(TComponent* owner) : TGraphicControl(owner), skinData_(new TsCommonData(this, false)) {
  skinData_->ClassCode = kClassCodeGauge;
  ControlStyle.Include(csOpaque);
  SetBounds(Left(), Top(), 120, 30);
}

TsGauge::~TsGauge() { skinData_->Free(); }

void TsGauge::AfterConstruction() {
  TGraphicControl::AfterConstruction();
  if (!ComponentState().Contains(csLoading)) skinData_->AfterLoad();
}

void TsGauge::Loaded() {
  TGraphicControl::Loaded();
  skinData_->AfterLoad();
}

// ---- properties ------------------------------------------------------------------------------------

void TsGauge::SetProgress(int value) {
  const int old = ShownPercent();
  value = std::clamp(value, minValue_, std::max(minValue_, maxValue_));
  if (value == progress_) return;
  progress_ = value;
  if (ShownPercent() != old) {
    if (!SkinApplying) skinData_->BGChanged = true;
    Refresh();
  }
  if (OnChange) OnChange(this);
}

void TsGauge::SetMinValue(int value) {
  if (value == minValue_) return;
  if (value > maxValue_ && !Loading())
    throw EInvalidOperation(Format(L"Value must be between %d and %d", {-2147483647, maxValue_ - 1}));
  minValue_ = value;
  if (progress_ < value) progress_ = value;
  Refresh();
}

void TsGauge::SetMaxValue(int value) {
  if (value == maxValue_) return;
  if (value < minValue_ && !Loading())
    throw EInvalidOperation(Format(L"Value must be between %d and %d", {minValue_ + 1, 2147483647}));
  maxValue_ = value;
  if (progress_ > value) progress_ = value;
  Refresh();
}

void TsGauge::SetKind(TsGaugeKind value) {
  if (kind_ == value) return;
  kind_ = value;
  Refresh();
}

void TsGauge::SetShowText(bool value) {
  if (showText_ == value) return;
  showText_ = value;
  Refresh();
}

void TsGauge::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  Refresh();
}

void TsGauge::SetBackColor(TColor value) {
  if (backColor_ == value) return;
  backColor_ = value;
  Refresh();
}

void TsGauge::SetForeColor(TColor value) {
  if (foreColor_ == value) return;
  foreColor_ = value;
  Repaint();
}

void TsGauge::SetSuffix(const String& value) {
  if (suffix_ == value) return;
  suffix_ = value;
  skinData_->InvalidateCache();
}

void TsGauge::SetProgressSkin(const String& value) {
  if (progressSkin_ == value) return;
  progressSkin_ = value;
  skinData_->InvalidateCache();
}

// ---- painting --------------------------------------------------------------------------------------

void TsGauge::Paint() {
  if (skinData_->Skinned())
    PaintSkinned();
  else
    PaintPlain();
}

void TsGauge::PaintSkinned() {
  const int width = Width(), height = Height();
  if (width < 1 || height < 1) return;
  TsCommonData& sd = *skinData_;
  HDC dc = Canvas()->Handle();
  if (sd.IsUpdating()) {
    SetPixel(dc, 0, 0, RGB(255, 0, 255));
    return;
  }
  // A nested paint (a gauge painting while another builds its face) takes bitmaps of its own.
  const bool shared = !scratch.InUse;
  if (shared) {
    scratch.InUse = true;
    sd.CacheBmp = ScratchOf(scratch.Face, width, height);
  }
  sd.InitCacheBmp();
  struct TCacheEnd {
    TsCommonData& State;
    bool Shared;
    ~TCacheEnd() {
      if (Shared)
        scratch.InUse = false;
      else if (State.CacheBmp)
        State.CacheBmp->Free();
      State.CacheBmp = nullptr;
    }
  } end{sd, shared};
  TsCacheRef ci = sd.GetParentCache();
  const TRect r(0, 0, width, height);
  PaintItem(&sd, ci, true, 0, r, TPoint(Left(), Top()), sd.CacheBmp, false);
  PaintSkinnedKind(sd.CacheBmp, r, shared);
  if (showText_) {
    TCanvas* canvas = sd.CacheBmp->Canvas();
    canvas->Font()->Assign(Font());
    String text = IntToStr(ShownPercent()) + suffix_;
    WriteTextEx(canvas, text.c_str(), Enabled(), false, sd.TextSkin(),
                TextAlignFlags(this, taCenter) | DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE, r);
  }
  sd.BGChanged = false;
  UpdateAllCorners(&sd, 0);
  BitBlt(dc, 0, 0, width, height, sd.CacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsGauge::PaintSkinnedKind(TBitmap* cache, const TRect& r, bool sharedFill) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int percent = ShownPercent();
  TCanvas* canvas = cache->Canvas();
  switch (kind_) {
    case gkText:
      return;
    case gkHorizontalBar:
    case gkVerticalBar: {
      const bool horizontal = kind_ == gkHorizontalBar;
      const String section = !progressSkin_.empty() ? progressSkin_ : horizontal ? L"PROGRESSH" : L"PROGRESSV";
      TsSkinManager* manager = skinData_->SkinManager();
      const int index = manager->GetSkinIndex(section);
      if (!manager->IsValidSkinIndex(index)) return;
      const TsCacheRef own = MakeCacheRef(cache, 0, 0);
      // The fill is painted into the top-left of a bitmap of the gauge's size.
      BitmapPtr ownFill;
      TBitmap* part = sharedFill ? ScratchOf(scratch.Fill, w, h) : (ownFill.reset(CreateBmp24(w, h)), ownFill.get());
      if (horizontal) {
        const int fill = std::min(GaugeScaleByPercent(percent, w), w);
        if (fill <= 0) return;
        PaintItemByIndex(index, section, own, -1, -1, manager, part, TPoint(0, 0), TRect(r.left, r.top, fill, h), 0,
                         true);
        BitBlt(canvas->Handle(), r.left, r.top, fill - r.left, h, part->Canvas()->Handle(), 0, 0, SRCCOPY);
      } else {
        const int fill = std::min(GaugeScaleByPercent(percent, h), h);
        if (fill <= 0) return;
        const int top = Height() - fill;
        PaintItemByIndex(index, section, own, -1, -1, manager, part, TPoint(r.left, top),
                         TRect(0, 0, w, r.bottom - top), 0, true);
        BitBlt(canvas->Handle(), r.left, top, w, r.bottom - top, part->Canvas()->Handle(), 0, 0, SRCCOPY);
      }
      return;
    }
    case gkPie:
      canvas->Pen()->SetWidth(1);
      canvas->Pen()->SetStyle(psSolid);
      canvas->Pen()->SetColor(foreColor_);
      // The ellipse is left open so the skin's face shows inside it.
      canvas->Brush()->SetStyle(bsClear);
      canvas->Ellipse(r.left, r.top, w, h);
      if (percent > 0) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(foreColor_);
        PieSector(canvas, r, w, h, percent);
      }
      return;
    case gkNeedle:
      canvas->Brush()->SetStyle(bsClear);
      canvas->Pen()->SetWidth(1);
      canvas->Pen()->SetStyle(psSolid);
      canvas->Pen()->SetColor(foreColor_);
      canvas->Pie(r.left, r.top, w, 2 * h - 1, r.left + w, r.bottom - 1, r.left, r.bottom - 1);
      if (percent > 0) NeedleLine(canvas, Width(), r.bottom, percent);
      return;
  }
}

void TsGauge::PaintPlain() {
  const int width = Width(), height = Height();
  if (width < 1 || height < 1) return;
  BitmapPtr image(CreateBmp24(width, height));
  ClearBlack(image.get());
  TRect pr = ClientRect();
  if (borderStyle_ == bsSingle) InflateRect(&pr, -1, -1);
  BitmapPtr overlay(CreateBmp24(width, height));
  ClearBlack(overlay.get());
  PaintPlainKind(overlay->Canvas(), pr);
  BitBlt(image->Canvas()->Handle(), 0, 0, width, height, overlay->Canvas()->Handle(), 0, 0, SRCINVERT);
  if (showText_) PaintPlainText(image.get(), pr);
  BitBlt(Canvas()->Handle(), 0, 0, width, height, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsGauge::PaintPlainKind(TCanvas* canvas, const TRect& pr) {
  const int percent = ShownPercent();
  auto fill = [canvas](const TRect& r, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(r);
  };
  auto pens = [canvas, this](TColor brush) {
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(foreColor_);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(brush);
  };
  switch (kind_) {
    case gkText:
      fill(pr, backColor_);
      return;
    case gkHorizontalBar:
    case gkVerticalBar: {
      fill(pr, backColor_);
      pens(foreColor_);
      const int w = pr.right - pr.left + 1, h = pr.bottom - pr.top + 1;
      if (kind_ == gkHorizontalBar) {
        const int f = std::min(GaugeScaleByPercent(percent, w), w);
        if (f > 0) fill(TRect(pr.left, pr.top, f, h), foreColor_);
      } else {
        // From the bottom edge up; at most the whole paint rectangle.
        const int f = std::min<int>(GaugeScaleByPercent(percent, h), pr.bottom - pr.top);
        fill(TRect(pr.left, pr.bottom - f, w, pr.bottom), foreColor_);
      }
      return;
    }
    case gkPie:
    case gkNeedle: {
      const int extra = borderStyle_ == bsSingle ? 1 : 0;
      const int w = pr.right - pr.left + extra, h = pr.bottom - pr.top + extra;
      fill(pr, Color());
      pens(backColor_);
      if (kind_ == gkPie) {
        canvas->Ellipse(pr.left, pr.top, w, h);
        if (percent > 0) {
          canvas->Brush()->SetColor(foreColor_);
          PieSector(canvas, pr, w, h, percent);
        }
      } else {
        canvas->Pie(pr.left, pr.top, w, 2 * h - 1, pr.left + w, pr.bottom - 1, pr.left, pr.bottom - 1);
        canvas->MoveTo(pr.left, pr.bottom);
        canvas->LineTo(pr.left + w, pr.bottom);
        if (percent > 0) NeedleLine(canvas, Width(), pr.bottom, percent);
      }
      return;
    }
  }
}

void TsGauge::PaintPlainText(TBitmap* image, const TRect& pr) {
  BitmapPtr text(CreateBmp24(image->Width(), image->Height()));
  ClearBlack(text.get());
  TCanvas* canvas = text->Canvas();
  const String caption = IntToStr(ShownPercent()) + L"%";
  canvas->Brush()->SetStyle(bsClear);
  canvas->Font()->Assign(Font());
  canvas->Font()->SetColor(clWhite);
  const int x = (pr.right + 1 - pr.left - canvas->TextWidth(caption)) / 2;
  const int y = (pr.bottom - pr.top + 1 - canvas->TextHeight(caption)) / 2;
  canvas->TextRect(pr, x, y, caption);
  BitBlt(image->Canvas()->Handle(), 0, 0, image->Width(), image->Height(), canvas->Handle(), 0, 0, SRCINVERT);
}

// ---- messages --------------------------------------------------------------------------------------

void TsGauge::WndProc(TMessage& message) {
  if (message.Msg == SM_ALPHACMD) {
    const bool own = reinterpret_cast<TsSkinManager*>(message.LParam) == skinData_->SkinManager();
    switch (message.WParamHi()) {
      case scApplySkin:
        if (own) skinData_->HandleWindowMessage(message);
        return;
      case scRemoveSkin:
      case scRefresh:
        if (own) {
          skinData_->HandleWindowMessage(message);
          Repaint();
        }
        return;
      case scParentUpdated:
        if (skinData_->Updating) {
          skinData_->Updating = false;
          Repaint();
        }
        return;
      case scIsSkinned:
      case scGetApplication:
        skinData_->HandleSkinCommand(message);
        return;
      default:
        break;
    }
  }
  if (message.Msg == WM_ERASEBKGND) return;
  if (ControlIsReady(this) && skinData_->Skinned()) {
    if (!skinData_->HandleWindowMessage(message)) TGraphicControl::WndProc(message);
    return;
  }
  TGraphicControl::WndProc(message);
}
