#include "ui/skins/controls/SkinHints.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/skins/controls/HintHtml.h"
#include "ui/skins/core/FormFade.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/FastPixels.h"
#include "ui/skins/paint/Gradients.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TsHintKind)
DEFINE_CLASS(TsHintManager)
DEFINE_CLASS(TsCustomHintWindow)
DEFINE_CLASS(TsSimplyHintWindow)
DEFINE_CLASS(TsComicsHintWindow)
DEFINE_CLASS(TsEllipseHintWindow)
DEFINE_CLASS(TsBalloonHintWindow)

namespace {

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

TsHintManager* currentManager = nullptr;
TFrame* handedFrame = nullptr;
// The managers alive, so one that goes can take itself out of the others' handler chain.
std::vector<TsHintManager*> liveManagers;

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

bool LayeredWindows() { return Bound().UpdateLayeredWindow.Get() != nullptr; }

TsHintKind* Kind() { return currentManager ? currentManager->HintKind() : nullptr; }

// The section the hints use with skin data: the manager's, else "EDIT".
int HintSectionIndex() {
  if (!DefaultManager || !currentManager) return -1;
  int index = DefaultManager->GetSkinIndex(currentManager->SkinSection());
  return index >= 0 ? index : DefaultManager->GetSkinIndex(L"EDIT");
}

void FillWhite(TBitmap* bmp) { PatBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), WHITENESS); }

// Fills a shape drawn by the callback in a grey with no outline.
template <class Draw>
void FillGrey(HDC dc, int grey, Draw draw) {
  grey = std::clamp(grey, 0, 255);
  HBRUSH brush = CreateSolidBrush(RGB(grey, grey, grey));
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  draw();
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
}

void Triangle(HDC dc, TPoint a, TPoint b, TPoint c) {
  POINT points[3] = {{a.x, a.y}, {b.x, b.y}, {c.x, c.y}};
  Polygon(dc, points, 3);
}

// The white bitmap a shadow is shaped in, kept between hints and resized to each.
BitmapPtr shadowShape;
TBitmap* ShadowShape(int width, int height) {
  if (!shadowShape) shadowShape.reset(CreateBmp24(width, height));
  shadowShape->SetSize(width, height);
  FillWhite(shadowShape.get());
  return shadowShape.get();
}
void ReleaseShadowShape() { shadowShape.reset(); }
const TUnitRegistration hintUnit(nullptr, &ReleaseShadowShape);

// Tiles a picture over R.
void TilePicture(TCanvas* canvas, TPicture* picture, const TRect& r) {
  TGraphic* graphic = picture->Graphic();
  const int w = picture->Width(), h = picture->Height();
  if (!graphic || w <= 0 || h <= 0) return;
  HDC dc = canvas->Handle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  for (int y = r.top; y < r.bottom; y += h)
    for (int x = r.left; x < r.right; x += w) canvas->Draw(x, y, graphic);
  RestoreDC(dc, saved);
}

struct TPreset {
  TsHintsPredefinitions Name;
  TsHintStyle Style;
  int BevelWidth, ExOffset, MarginH, MarginV, MaxWidth, Radius;  // -1: unchanged
  TColor Color;
  int Transparency;
  TColor BorderTop, BorderBottom;
  const wchar_t* Gradient;  // nullptr: none
  int ShadowBlur, ShadowOffset, ShadowTransparency;
};

const wchar_t* const kG1 =
    L"167827;6865090;24;2;0;6865090;6865090;24;2;0;6865090;15400959;24;2;0;15400959;6865090;24;2;0;6865090;6865090;0;2;0";
const wchar_t* const kG2 = L"7728127;16777215;99;0;0;16777215;16777215;0;0;0";
const wchar_t* const kG3 = L"16753188;16777215;99;0;0;16777215;16777215;0;0;0";

const TPreset kPresets[] = {
    {shSimply, hsSimply, 1, -1, 4, 2, 240, -1, clInfoBk, 0, 0, 0, nullptr, 3, 6, 40},
    {shGradient, hsSimply, 1, -1, 6, 3, 240, -1, 11992314, 10, 16777215, 32896, kG1, 5, 6, 50},
    {shTransparent, hsSimply, 0, -1, 13, 5, 240, -1, 11992314, 20, 16777215, 32896, nullptr, 3, 10, 70},
    {shEllipse, hsEllipse, 1, 16, 6, 12, 240, -1, 12778748, 5, 32896, 0, kG2, 4, 16, 75},
    {shBalloon, hsBalloon, 6, 18, 6, 6, 240, -1, 12778748, 10, 4227200, 4227200, nullptr, 6, 8, 70},
    {shComicsGradient, hsComics, 1, 24, 15, 7, 180, 21, 16757839, 8, 4194304, 4194304, kG3, 10, 7, 28},
    {shComicsTransparent, hsComics, 1, 19, 15, 8, 180, 13, 12778748, 10, 0, 0, nullptr, 4, 7, 45},
};

}  // namespace

TsHintManager* CurrentHintManager() { return currentManager; }
TFrame*& HintFrame() { return handedFrame; }

bool HintSkinDataInUse() {
  return currentManager && currentManager->UseSkinData() && DefaultManager &&
         DefaultManager->GetSkinIndex(currentManager->SkinSection()) >= 0;
}

// ---- TsHintKind ------------------------------------------------------------------------------------

TsHintKind::TsHintKind(TsHintManager* manager) : manager_(manager), texture_(new TPicture()), font_(new TFont()) {}

TsHintKind::~TsHintKind() {
  texture_->Free();
  font_->Free();
}

void TsHintKind::SetStyle(TsHintStyle value) {
  style_ = value;
  if (manager_) manager_->SelectWindowClass();
}

bool TsHintKind::ShadowEnabled() const { return shadowEnabled_ && !HintSkinDataInUse(); }

// ---- TsHintManager ---------------------------------------------------------------------------------

TsHintManager::TsHintManager(TComponent* owner)
    : TComponent(owner), hintKind_(new TsHintKind(this)), work_(CreateBmp24(0, 0)) {
  if (Application) {
    Application->HintPause = 500;
    Application->HintShortPause = 200;
  }
  if (!Designing() && Application) {
    previousShowHint_ = Application->OnShowHint;
    Application->OnShowHint = TShowHintEvent(this, &TsHintManager::ShowHintHandler);
    handlerInstalled_ = true;
  }
  liveManagers.push_back(this);
}

TsHintManager::~TsHintManager() {
  // What the manager took goes back to the application, as long as it is still the manager's; a
  // manager that took over since gets this one's predecessor instead of this one's handler.
  liveManagers.erase(std::remove(liveManagers.begin(), liveManagers.end(), this), liveManagers.end());
  const TShowHintEvent own(this, &TsHintManager::ShowHintHandler);
  for (TsHintManager* other : liveManagers)
    if (other->previousShowHint_ == own) other->previousShowHint_ = previousShowHint_;
  if (Application) {
    if (handlerInstalled_ && Application->OnShowHint == own) Application->OnShowHint = previousShowHint_;
    if (classSelected_ && Application->HintWindowClass == selectedWindowClass_)
      Application->HintWindowClass = previousWindowClass_;
  }
  if (currentManager == this) currentManager = nullptr;
  work_->Free();
  hintKind_->Free();
}

void TsHintManager::AfterConstruction() {
  TComponent::AfterConstruction();
  if (skinSection_.empty()) skinSection_ = L"HINT";
  SelectWindowClass();
}

void TsHintManager::Loaded() {
  TComponent::Loaded();
  if (Application) Application->HintHidePause = pauseHide_;
  if (skinSection_.empty()) skinSection_ = L"HINT";
  SelectWindowClass();
  if (!Designing()) ApplyPredefinitions();
}

void TsHintManager::SetPauseHide(int value) {
  if (pauseHide_ == value) return;
  pauseHide_ = value;
  if (Application) Application->HintHidePause = value;
}

void TsHintManager::SetUseSkinData(bool value) {
  useSkinData_ = value;
  if (!value && !Designing()) {
    SelectWindowClass();
    ApplyPredefinitions();
  }
}

void TsHintManager::SelectWindowClass() {
  if (Designing() || !Application) return;
  THintWindowClass cls = nullptr;
  switch (hintKind_->Style()) {
    case hsSimply: cls = &TsSimplyHintWindow::ClassInfo(); break;
    case hsComics: cls = &TsComicsHintWindow::ClassInfo(); break;
    case hsEllipse: cls = &TsEllipseHintWindow::ClassInfo(); break;
    case hsBalloon: cls = &TsBalloonHintWindow::ClassInfo(); break;
    case hsStandard: cls = &THintWindow::ClassInfo(); break;
    case hsNone: cls = &TsSimplyHintWindow::ClassInfo(); break;
  }
  const bool ownStyle = hintKind_->Style() != hsStandard && hintKind_->Style() != hsNone;
  if (ownStyle)
    currentManager = this;
  else if (currentManager == this)
    currentManager = nullptr;
  if (!classSelected_) previousWindowClass_ = Application->HintWindowClass;
  classSelected_ = true;
  selectedWindowClass_ = cls;
  Application->HintWindowClass = cls;
}

void TsHintManager::ApplyPredefinitions() {
  TsHintKind& k = *hintKind_;
  if (predefinitions_ == shStandard) {
    k.SetStyle(hsStandard);
    return;
  }
  if (predefinitions_ == shNone) {
    k.SetStyle(hsNone);
    return;
  }
  for (const TPreset& p : kPresets) {
    if (p.Name != predefinitions_) continue;
    k.SetStyle(p.Style);
    k.BevelWidth = p.BevelWidth;
    if (p.ExOffset >= 0) k.ExOffset = p.ExOffset;
    k.MarginH = p.MarginH;
    k.MarginV = p.MarginV;
    k.MaxWidth = p.MaxWidth;
    if (p.Radius >= 0) k.Radius = p.Radius;
    k.Color = p.Color;
    k.Transparency = p.Transparency;
    k.ColorBorderTop = p.BorderTop;
    k.ColorBorderBottom = p.BorderBottom;
    k.GradientPercent = p.Gradient ? 100 : 0;
    k.GradientData = p.Gradient ? p.Gradient : L"";
    k.ShadowBlur = p.ShadowBlur;
    k.ShadowOffset = p.ShadowOffset;
    k.ShadowTransparency = p.ShadowTransparency;
    k.Bevel = 1;
    k.SetShadowEnabled(true);
    if (Screen) k.Font()->Assign(Screen->HintFont());
    k.Font()->SetStyle({});
    k.Font()->SetColor(clBlack);
  }
}

void TsHintManager::ShowHintHandler(String& hintStr, bool& canShow, THintInfo& hintInfo) {
  hintPoint_ = hintInfo.HintPos;
  const TPoint before = hintInfo.HintPos;
  if (OnShowHint) OnShowHint(hintStr, canShow, hintInfo, handedFrame);
  if (hintInfo.HintPos.x != before.x && hintInfo.HintPos.y != before.y) hintPoint_ = hintInfo.HintPos;
}

// ---- TsCustomHintWindow: life and size -------------------------------------------------------------

TsCustomHintWindow::TsCustomHintWindow(TComponent* owner) : THintWindow(owner) {}

TsCustomHintWindow::~TsCustomHintWindow() {
  for (TBitmap* bmp : {body_, mask_, captured_, layered_})
    if (bmp) bmp->Free();
}

void TsCustomHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  Params.Style &= ~DWORD(WS_BORDER);
  Params.Style |= 0x20;
}

int TsCustomHintWindow::ShadowShift() const {
  TsHintKind* k = Kind();
  return k && k->ShadowEnabled() ? k->ShadowOffset : 0;
}

int TsCustomHintWindow::ShadowStrength() const {
  TsHintKind* k = Kind();
  if (!k) return 0;
  const int t = std::max(k->Transparency, 0);
  return RoundHalfEven(k->ShadowTransparency + (100 - k->ShadowTransparency) * (t / 100.0));
}

int TsCustomHintWindow::MaskTransparency() const {
  TsHintKind* k = Kind();
  return LayeredWindows() || !k ? 0 : std::max(k->Transparency, 0);
}

int TsCustomHintWindow::MaskGrey() const {
  const int a = MaskTransparency() * 255 / 100;
  return std::clamp(2 * a - 255, 0, 255);
}

TPoint TsCustomHintWindow::TailPoint() const {
  const int w = Width(), h = Height();
  switch (cornerMode_) {
    case 1: return TPoint(3, h - 3);
    case 2: return TPoint(w - 3, 3);
    case 3: return TPoint(w - 3, h - 3);
    default: return TPoint(3, 3);
  }
}

TRect TsCustomHintWindow::CalcHintRect(int, const String& AHint, void*) {
  TsHintKind* k = Kind();
  TRect r;
  TFrame* frame = handedFrame;
  if (frame) {
    r = TRect(0, 0, frame->Width(), frame->Height());
  } else {
    if (!k) return TRect();
    const bool skin = HintSkinDataInUse() && DefaultManager->SkinData().Active;
    if (skin) {
      skinIndex_ = HintSectionIndex();
      const String section = DefaultManager->IsValidSkinIndex(skinIndex_)
                                 ? DefaultManager->Sections()[size_t(skinIndex_)].SectionName
                                 : String(L"EDIT");
      borderIndex_ = DefaultManager->GetMaskIndex(skinIndex_, section, L"BORDERSMASK");
      textureIndex_ = DefaultManager->GetTextureIndex(skinIndex_, section, L"PATTERN");
    } else {
      skinIndex_ = borderIndex_ = textureIndex_ = -1;
    }
    TBitmap* work = currentManager->WorkBitmap();
    if (work->Width() < 1 || work->Height() < 1) work->SetSize(1, 1);
    work->Canvas()->Font()->Assign(skin && Screen ? Screen->HintFont() : k->Font());
    r = TRect(0, 0, k->MaxWidth, 0);
    if (currentManager->HTMLMode) {
      TsHtml html;
      html.StartText(work, AHint, r);
      r = html.RenderText();
    } else {
      RECT text = r;
      DrawTextW(work->Canvas()->Handle(), AHint.c_str(), int(AHint.size()), &text,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_CENTER | DT_VCENTER);
      r = text;
    }
    if (RoundShape()) r.right = std::max<int>(r.right, r.left + 50);
    if (skin) {
      const TsMaskData* mask =
          DefaultManager->IsValidMaskIndex(borderIndex_) ? &DefaultManager->Masks()[size_t(borderIndex_)] : nullptr;
      r.right += (mask ? mask->WL + mask->WR : 0) + 8;
      r.bottom += (mask ? mask->WT + mask->WB : 0) + 8;
    } else {
      r.right += 2 * (k->MarginH + k->BevelWidth);
      r.bottom += 2 * (k->MarginV + k->BevelWidth);
    }
  }
  const int s = ShadowShift();
  r.right += s;
  r.bottom += s;
  extraWidth_ = extraHeight_ = 0;
  return r;
}

TRect TsComicsHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
  TRect r = TsCustomHintWindow::CalcHintRect(MaxWidth, AHint, AData);
  if (Kind() && !HintSkinDataInUse()) r.bottom += Kind()->ExOffset;
  return r;
}

namespace {

// The room an ellipse needs around a w x h rectangle.
void AddEllipseRoom(TRect& r, int& extraWidth, int& extraHeight) {
  const double w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  const double d = std::sqrt(w * w + h * h) - w;
  extraWidth = RoundHalfEven(w * d / h);
  extraHeight = RoundHalfEven(d * h / w);
  r.right += extraWidth;
  r.bottom += extraHeight;
}

}  // namespace

TRect TsEllipseHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
  const bool withFrame = handedFrame != nullptr;
  TRect r = TsCustomHintWindow::CalcHintRect(MaxWidth, AHint, AData);
  if (Kind() && !HintSkinDataInUse()) {
    r.bottom += Kind()->ExOffset;
    if (!withFrame) AddEllipseRoom(r, extraWidth_, extraHeight_);
  }
  return r;
}

TRect TsBalloonHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
  TRect r = TsCustomHintWindow::CalcHintRect(MaxWidth, AHint, AData);
  if (Kind() && !HintSkinDataInUse()) {
    r.bottom += Kind()->ExOffset;
    AddEllipseRoom(r, extraWidth_, extraHeight_);
  }
  return r;
}

// ---- showing ---------------------------------------------------------------------------------------

TPoint TsCustomHintWindow::AnchorPoint() {
  TPoint p = currentManager ? currentManager->HintPoint() : TPoint(-1, -1);
  if (p.x == -1) {
    POINT cursor;
    GetCursorPos(&cursor);
    p = TPoint(cursor.x, cursor.y);
  }
  return p;
}

TPoint TsSimplyHintWindow::AnchorPoint() {
  TPoint p = TsCustomHintWindow::AnchorPoint();
  if (!HintSkinDataInUse()) p.y += 16;
  return p;
}

void TsCustomHintWindow::UpdateLayered(Byte alpha, const TRect& r) {
  blend_.SourceConstantAlpha = alpha;
  auto update = Bound().UpdateLayeredWindow.Get();
  if (!update || !layered_) return;
  HDC screen = GetDC(nullptr);
  POINT position{r.left, r.top};
  SIZE size{r.right - r.left, r.bottom - r.top};
  POINT source{0, 0};
  update(Handle(), screen, &position, &size, layered_->Canvas()->Handle(), &source, 0x1FFFFFFF, &blend_, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
}

void TsCustomHintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
  TsHintKind* k = Kind();
  if (!k || k->Style() == hsNone) return;
  const bool skin = HintSkinDataInUse();
  const bool layered = LayeredWindows();
  ULONG_PTR classStyle = GetClassLongPtrW(Handle(), GCL_STYLE);
  classStyle = skin && layered ? classStyle | CS_DROPSHADOW : classStyle & ~ULONG_PTR(CS_DROPSHADOW);
  SetClassLongPtrW(Handle(), GCL_STYLE, classStyle);
  SetCaption(AHint);

  // The corner at the anchor, flipped where the hint would leave the desktop.
  const TPoint a = AnchorPoint();
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  int left = a.x, top = a.y;
  cornerMode_ = currentManager->DefaultMousePos;
  if (cornerMode_ == mpLeftBottom || cornerMode_ == mpRightBottom) top -= h;
  if (cornerMode_ == mpRightTop || cornerMode_ == mpRightBottom) left -= w;
  const TRect desk = Screen ? Screen->DesktopRect() : TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  bool fitted = false;
  if (top + h > desk.bottom) top = a.y - h, fitted = true;
  if (top < desk.top) top = a.y, fitted = true;
  if (left + w > desk.right) left = a.x - w, fitted = true;
  if (left < desk.left) left = a.x, fitted = true;
  if (fitted) {
    const bool above = top < a.y, onLeft = left < a.x;
    cornerMode_ = above ? (onLeft ? mpRightBottom : mpLeftBottom) : (onLeft ? mpRightTop : mpLeftTop);
  }
  const TRect r(left, top, left + w, top + h);
  currentManager->WorkBitmap()->SetSize(w, h);
  FreeMask();
  SetBoundsRect(r);

  if (layered) {
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, w, h, SWP_NOACTIVATE);
    if (layered_) layered_->Free();
    layered_ = ComposeLayeredImage();
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, GetWindowLongPtrW(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
    UpdateLayered(blend_.SourceConstantAlpha, r);
    const auto life = LifeToken();
    if (currentManager->Animated && IsXpOrLater()) {
      int t2 = k->Transparency;
      if (skin && DefaultManager->IsValidSkinIndex(skinIndex_))
        t2 = DefaultManager->Sections()[size_t(skinIndex_)].Transparency;
      t2 = std::clamp(t2, 0, 100);
      const double target = std::nearbyint((100 - t2) * 2.55);
      UpdateLayered(0, r);
      ShowWindow(Handle(), SW_SHOWNOACTIVATE);
      RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_NOERASE);
      double running = 0;
      for (int step = 0; step < 31; ++step) {
        running += target / 31;
        if (life.expired() || ComponentState().Contains(csDestroying)) return;
        UpdateLayered(Byte(std::clamp(RoundHalfEven(running), 0, 255)), r);
        FadeStepWait(8);
      }
    } else if (IsXpOrLater()) {
      UpdateLayered(Byte(std::clamp(RoundHalfEven((100 - k->Transparency) * 2.55), 0, 255)), r);
      ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    } else {
      SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
    if (life.expired()) return;
    if (layered_) layered_->Free();
    layered_ = nullptr;
  } else {
    HDC screen = GetDC(nullptr);
    if (!screen) {
      ErrorBox(L"GDI error (out of resources)");
      return;
    }
    if (!captured_) captured_ = CreateBmp24(w, h);
    captured_->SetSize(w, h);
    BitBlt(captured_->Canvas()->Handle(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    BitBlt(currentManager->WorkBitmap()->Canvas()->Handle(), 0, 0, w, h, captured_->Canvas()->Handle(), 0, 0, SRCCOPY);
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }
  TControl::SetVisible(true);
  if (currentManager) currentManager->ForgetHintPoint();
}

TBitmap* TsCustomHintWindow::ComposeLayeredImage() {
  const int w = Width(), h = Height();
  FreeMask();
  mask_ = BuildHintMask();
  if (HintSkinDataInUse()) UpdateRegion();
  BitmapPtr body(BuildHintBody());
  TBitmap* work = currentManager->WorkBitmap();
  work->SetSize(w, h);
  FillWhite(work);
  // The shadow only while it is on, as a normal paint draws it.
  if (Kind()->ShadowEnabled()) DrawHintShadow(work);
  GdiFlush();
  blend_.SourceConstantAlpha = Byte(std::clamp(RoundHalfEven(255 - Kind()->Transparency * 2.55), 0, 255));
  TBitmap* image = CreateBmp32(w, h);
  TacFast32 out;
  TacFast24 m, shadow, b;
  if (out.Attach(image) && m.Attach(mask_) && shadow.Attach(work) && b.Attach(body.get())) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        Byte* o = out.Address(x, y);
        if (m.Address(x, y)[2] == 255) {
          o[0] = o[1] = o[2] = 0;
          o[3] = Byte(255 - shadow.Address(x, y)[2]);
        } else {
          const Byte* p = b.Address(x, y);
          o[0] = p[0];
          o[1] = p[1];
          o[2] = p[2];
          o[3] = 255;
        }
      }
  }
  return image;
}

void TsCustomHintWindow::FreeMask() {
  if (mask_) mask_->Free();
  mask_ = nullptr;
}

void TsCustomHintWindow::UpdateRegion() {
  if (!mask_ || !HandleAllocated()) return;
  // The region: the mask's non-white pixels.
  HRGN region = GetRgnFromBmp(mask_, clWhite);
  SetWindowRgn(Handle(), region, TRUE);
}

// ---- painting --------------------------------------------------------------------------------------

void TsCustomHintWindow::Paint() {
  if (!currentManager) return;
  TBitmap* work = currentManager->WorkBitmap();
  if (work->Width() != Width() || work->Height() != Height()) work->SetSize(Width(), Height());
  // Every paint starts from the screen under the hint, so a repaint does not darken it again.
  if (captured_ && captured_->Width() == Width() && captured_->Height() == Height())
    BitBlt(work->Canvas()->Handle(), 0, 0, Width(), Height(), captured_->Canvas()->Handle(), 0, 0, SRCCOPY);
  if (Kind()->ShadowEnabled()) DrawHintShadow(work);
  if (body_) body_->Free();
  body_ = BuildHintBody();
  if (!mask_) mask_ = BuildHintMask();
  BlendByAlphaBitmap(work, body_, mask_, ClientRect());
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), work->Canvas()->Handle(), 0, 0, SRCCOPY);
  body_->Free();
  body_ = nullptr;
  FreeMask();
}

void TsCustomHintWindow::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      if (currentManager) {
        FreeMask();
        mask_ = BuildHintMask();
        if (HintSkinDataInUse()) UpdateRegion();
      }
      Message.Result = 1;
      return;
    case SM_ALPHACMD:
      if (Message.WParamHi() == scGetCache) {
        SharedCacheRef = body_ ? MakeCacheRef(body_, 0, 0) : TsCacheRef{};
        SharedCacheRef.Ready = body_ != nullptr;
      } else if (Message.WParamHi() == scHasContentBg) {
        Message.LParam = 1;
        Message.Result = 1;
      }
      break;
    default:
      break;
  }
  THintWindow::WndProc(Message);
}

TRect TsCustomHintWindow::HintBodyRect() {
  const int s = ShadowShift();
  return TRect(0, 0, Width() - s, Height() - s);
}

void TsCustomHintWindow::DrawHintShadow(TBitmap*) {}

void TsCustomHintWindow::DrawHintBackground(TBitmap* bmp, TRect r) {
  TsHintKind* k = Kind();
  if (!k) return;
  TsGradArray gradient;
  if (k->GradientPercent > 0) {
    // A description that does not parse counts as one that parses to nothing.
    try {
      ParseGradientData(k->GradientData, gradient);
    } catch (const Exception&) {
      gradient.clear();
    }
    if (gradient.empty()) k->GradientPercent = 0;
  }
  TCanvas* canvas = bmp->Canvas();
  const bool texture = k->TexturePercent >= 1;
  if (!texture) {
    FillDC(canvas->Handle(), r, k->Color);
  } else {
    TilePicture(canvas, k->Texture(), r);
  }
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (k->GradientPercent > 0 && w > 0 && h > 0) {
    if (texture) {
      BitmapPtr layer(CreateBmp24(w, h));
      if (k->GradientData.empty())
        FillDC(layer->Canvas()->Handle(), TRect(0, 0, w, h), k->Color);
      else
        PaintGradient(layer.get(), TRect(0, 0, w, h), gradient);
      BlendTransRectangle(bmp, layer.get(), k->TexturePercent * 256 / 100, TPoint(r.left, r.top),
                          TRect(0, 0, w - 1, h));
    } else if (k->GradientData.empty()) {
      FillDC(canvas->Handle(), r, k->Color);
    } else {
      PaintGradient(bmp, r, gradient);
    }
  }
  const int p = k->GradientPercent + k->TexturePercent;
  if (p >= 1 && p <= 99)
    BlendColor(bmp, TRect(r.left, r.top, r.right - 1, r.bottom - 1), p, k->Color);
  else if (p != 100)
    FillDC(canvas->Handle(), r, k->Color);
}

void TsCustomHintWindow::DrawHintContent(TBitmap* bmp) {
  TsHintKind* k = Kind();
  if (!k) return;
  const TRect body = HintBodyRect();
  if (TFrame* frame = std::exchange(handedFrame, nullptr)) {
    TWinControl* oldParent = frame->Parent();
    const TRect oldBounds = frame->BoundsRect();
    frame->SetVisible(false);
    frame->SetBounds(body.left, body.top, frame->Width(), frame->Height());
    frame->SetParent(this);
    BitmapPtr picture(CreateBmp24(frame->Width(), frame->Height()));
    frame->SetVisible(true);
    PaintControlTo(picture.get(), frame, 0, 0);
    BitBlt(bmp->Canvas()->Handle(), body.left, body.top, frame->Width(), frame->Height(),
           picture->Canvas()->Handle(), 0, 0, SRCCOPY);
    if (frame->Owner()) {
      // A frame that belongs to something else goes back where it was.
      frame->SetVisible(false);
      frame->SetParent(oldParent);
      frame->SetBoundsRect(oldBounds);
    } else {
      frame->Free();
    }
    return;
  }
  const bool skin = HintSkinDataInUse() && DefaultManager->IsValidSkinIndex(skinIndex_);
  TRect text = body;
  if (skin) {
    const TsMaskData* mask =
        DefaultManager->IsValidMaskIndex(borderIndex_) ? &DefaultManager->Masks()[size_t(borderIndex_)] : nullptr;
    text.left += (mask ? mask->WL : 0) + 4;
    text.top += (mask ? mask->WT : 0) + 4;
    text.right -= (mask ? mask->WR : 0) + 4;
    text.bottom -= (mask ? mask->WB : 0) + 4;
  } else {
    const int dx = k->MarginH + k->BevelWidth + extraWidth_ / 2, dy = k->MarginV + k->BevelWidth + extraHeight_ / 2;
    InflateRect(&text, -dx, -dy);
  }
  TCanvas* canvas = bmp->Canvas();
  canvas->Brush()->SetStyle(bsClear);
  canvas->Pen()->SetStyle(psSolid);
  canvas->Font()->Assign(skin && Screen ? Screen->HintFont() : k->Font());
  const String caption = Caption();
  if (currentManager->HTMLMode) {
    if (skin) canvas->Font()->SetColor(DefaultManager->Sections()[size_t(skinIndex_)].FontColor[0]);
    TsHtml html;
    html.StartText(bmp, caption, text);
    html.RenderText();
  } else if (skin) {
    WriteTextBySection(canvas, caption.c_str(), true, DefaultManager, false, skinIndex_,
                       DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER, text);
  } else {
    HDC dc = canvas->Handle();
    SelectObject(dc, canvas->Font()->Handle());
    SetTextColor(dc, COLORREF(ColorToRGB(canvas->Font()->Color())));
    SetBkMode(dc, TRANSPARENT);
    RECT rc = text;
    DrawTextW(dc, caption.c_str(), int(caption.size()), &rc, DT_NOPREFIX | DT_WORDBREAK | DT_CENTER);
  }
}

TBitmap* TsCustomHintWindow::BuildHintBody() { return BuildSkinBody(); }

TBitmap* TsCustomHintWindow::BuildBody(const TRect& background) {
  if (HintSkinDataInUse()) return BuildSkinBody();
  BitmapPtr bmp(CreateBmp24(Width(), Height()));
  DrawHintBackground(bmp.get(), background);
  DrawHintContent(bmp.get());
  DrawHintBorder(bmp.get());
  return bmp.release();
}

TRect TsCustomHintWindow::TailedBodyRect() {
  TsHintKind* k = Kind();
  if (HintSkinDataInUse() || !k) return TsCustomHintWindow::HintBodyRect();
  const int s = ShadowShift();
  if (cornerMode_ == 0 || cornerMode_ == 2) return TRect(0, k->ExOffset, Width() - s, Height() - s);
  return TRect(0, 0, Width() - s, Height() - s - k->ExOffset);
}

TBitmap* TsCustomHintWindow::BuildHintMask() { return BuildSkinMask(); }

void TsCustomHintWindow::DrawHintBorder(TBitmap*) {}

TBitmap* TsCustomHintWindow::BuildSkinBody() {
  BitmapPtr bmp(CreateBmp24(Width(), Height()));
  if (DefaultManager && DefaultManager->IsValidSkinIndex(skinIndex_)) {
    const TsCacheRef backdrop = captured_ ? MakeCacheRef(captured_, 0, 0) : EmptyCacheRef;
    const String section = DefaultManager->Sections()[size_t(skinIndex_)].SectionName;
    PaintItemFast(skinIndex_, borderIndex_, textureIndex_, -1, DefaultManager, bmp.get(), TPoint(0, 0),
                  TRect(0, 0, Width(), Height()), 0, true, backdrop, section);
  }
  DrawHintContent(bmp.get());
  return bmp.release();
}

TBitmap* TsCustomHintWindow::BuildSkinMask() {
  BitmapPtr bmp(CreateBmp24(Width(), Height()));
  if (DefaultManager && DefaultManager->IsValidSkinIndex(skinIndex_)) {
    const TColor key = clFuchsia - 1;
    const String section = DefaultManager->Sections()[size_t(skinIndex_)].SectionName;
    {
      TSharedColorScope scope;
      SharedTransparentColor = key;
      PaintItemFast(skinIndex_, borderIndex_, textureIndex_, -1, DefaultManager, bmp.get(), TPoint(0, 0),
                    TRect(0, 0, Width(), Height()), 0, true, EmptyCacheRef, section);
    }
    TacFast24 f;
    if (f.Attach(bmp.get()))
      for (int y = 0; y < f.Height; ++y)
        for (int x = 0; x < f.Width; ++x) f.SetPixel(x, y, f.Pixel(x, y) == key ? clWhite : clBlack);
  }
  return bmp.release();
}

void TsCustomHintWindow::DrawMaskOutline(TBitmap* bmp) {
  TsHintKind* k = Kind();
  if (!k || k->BevelWidth <= 0) return;
  if (!mask_) mask_ = BuildHintMask();
  TacFast24 m, d;
  if (!m.Attach(mask_) || !d.Attach(bmp)) return;
  const int w = std::min(m.Width, d.Width), h = std::min(m.Height, d.Height);
  auto inside = [&](int x, int y) {
    const Byte* p = m.Address(x, y);
    return p[0] + p[1] + p[2] < 765;
  };
  const TColor top = ColorToRGB(k->ColorBorderTop), bottom = ColorToRGB(k->ColorBorderBottom);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!inside(x, y)) continue;
      if (x == 0 || y == 0 || !inside(x - 1, y) || !inside(x, y - 1))
        d.SetPixel(x, y, top);
      else if (x == w - 1 || y == h - 1 || !inside(x + 1, y) || !inside(x, y + 1))
        d.SetPixel(x, y, bottom);
    }
}

// ---- the rectangle ---------------------------------------------------------------------------------

TBitmap* TsSimplyHintWindow::BuildHintBody() { return BuildBody(HintBodyRect()); }

TBitmap* TsSimplyHintWindow::BuildHintMask() {
  if (HintSkinDataInUse()) return BuildSkinMask();
  BitmapPtr bmp(CreateBmp24(Width(), Height()));
  FillWhite(bmp.get());
  FillDC(bmp->Canvas()->Handle(), HintBodyRect(), clBlack);
  return bmp.release();
}

void TsSimplyHintWindow::DrawHintBorder(TBitmap* bmp) {
  TsHintKind* k = Kind();
  if (HintSkinDataInUse() || !k || k->BevelWidth <= 0) return;
  TRect r = HintBodyRect();
  int width = k->BevelWidth;
  Frame3DToDC(bmp->Canvas()->Handle(), r, k->ColorBorderTop, width, k->ColorBorderBottom);
}

void TsSimplyHintWindow::DrawHintShadow(TBitmap* target) {
  TsHintKind* k = Kind();
  if (!k || HintSkinDataInUse()) return;
  if (!target) target = currentManager->WorkBitmap();
  const int s = ShadowShift();
  PaintShadow(target, TRect(s, s, Width(), Height()), ShadowStrength(), clBlack, k->ShadowBlur, 0);
}

// ---- the callout and the ellipse -------------------------------------------------------------------

TRect TsComicsHintWindow::HintBodyRect() { return TailedBodyRect(); }

TRect TsEllipseHintWindow::HintBodyRect() {
  TRect r = TsComicsHintWindow::HintBodyRect();
  r.top = std::max<int>(r.top, 0);
  r.bottom = std::min<int>(r.bottom, Height());
  return r;
}

void TsComicsHintWindow::DrawShape(HDC dc, const TRect& r) {
  const int radius = Kind() ? Kind()->Radius : 0;
  RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
}

void TsEllipseHintWindow::DrawShape(HDC dc, const TRect& r) { Ellipse(dc, r.left, r.top, r.right, r.bottom); }

TBitmap* TsComicsHintWindow::ShapeMask(int grey) {
  BitmapPtr bmp(CreateBmp24(Width(), Height()));
  FillWhite(bmp.get());
  const TRect b = HintBodyRect();
  const int cx = b.left + (b.right - b.left) / 2, half = std::max<int>(0, (b.right - b.left) / 8);
  const int mid = cornerMode_ == 0 || cornerMode_ == 2 ? b.top + (b.bottom - b.top) / 2 : b.bottom - (b.bottom - b.top) / 2;
  HDC dc = bmp->Canvas()->Handle();
  FillGrey(dc, grey, [&] {
    DrawShape(dc, TRect(b.left, b.top, b.right + 1, b.bottom + 1));
    Triangle(dc, TailPoint(), TPoint(cx - half, mid), TPoint(cx + half, mid));
  });
  GdiFlush();
  return bmp.release();
}

TBitmap* TsComicsHintWindow::BuildHintMask() {
  if (HintSkinDataInUse()) return BuildSkinMask();
  return ShapeMask(MaskGrey());
}

TBitmap* TsComicsHintWindow::BuildHintBody() { return BuildBody(TRect(0, 0, Width(), Height())); }

void TsComicsHintWindow::DrawHintBorder(TBitmap* bmp) {
  if (!HintSkinDataInUse()) DrawMaskOutline(bmp);
}

void TsComicsHintWindow::DrawHintShadow(TBitmap* target) {
  TsHintKind* k = Kind();
  if (!k || HintSkinDataInUse()) return;
  if (!target) target = currentManager->WorkBitmap();
  TBitmap* shape = ShadowShape(Width(), Height());
  TRect r = HintBodyRect();
  OffsetRect(&r, k->ShadowOffset, k->ShadowOffset);
  const int blur = k->ShadowBlur;
  const int a = ShadowStrength() * 255 / 100;
  const double step = (255 - a) / double(blur + 1);
  const int rw = r.right - r.left, rh = r.bottom - r.top;
  const TPoint p0 = TailPoint();
  double k0 = 0;
  HDC dc = shape->Canvas()->Handle();
  for (int e = 0; e <= blur; ++e) {
    const int grey = std::clamp(a + RoundHalfEven((blur - e) * step), 0, 255);
    const int cx = r.left + rw / 2 + blur;
    const int half = std::max(0, rw / 8 - RoundHalfEven(2 * e * k0));
    int mid;
    if (cornerMode_ == 0 || cornerMode_ == 2) {
      k0 = (rh / 2.0 + r.top) / (r.top + 1);
      mid = r.top + rh / 2;
    } else {
      k0 = (Height() - (r.bottom - rh / 2.0)) / (Height() - r.bottom + 1);
      mid = r.bottom - rh / 2;
    }
    FillGrey(dc, grey, [&] {
      DrawShape(dc, TRect(r.left + e, r.top + e, r.right - e + 1, r.bottom - e + 1));
      Triangle(dc, p0, TPoint(cx - half, mid), TPoint(cx + half, mid));
    });
  }
  GdiFlush();
  BlendByMask(target, shape, clBlack);
}

// ---- the balloon -----------------------------------------------------------------------------------

TsBalloonHintWindow::TsBalloonHintWindow(TComponent* owner) : TsCustomHintWindow(owner) {}

TRect TsBalloonHintWindow::HintBodyRect() { return TailedBodyRect(); }

void TsBalloonHintWindow::DrawFigure(HDC dc, int blur, int d) {
  TsHintKind* k = Kind();
  const TRect b = HintBodyRect();
  const int w = b.right - b.left, h = b.bottom - b.top, cx = b.left + w / 2;
  const int n = bubbles_, div = divisor_;
  const int bw = w / div, bh = h / div, so = k ? k->ShadowOffset : 0;
  const double step = (255 - d) / double(blur + 1);
  int dx = 0, dy = 0, startX = 0, startY = 0;
  switch (cornerMode_) {
    case 0:
      dx = (w / 2 - bw) / (n + 1);
      dy = (h / 6 + b.top - bh) / (n + 1);
      startX = cx - bw;
      startY = h / 6 + b.top - bh;
      break;
    case 1:
      dx = (w / 2 - bw) / (n - 1);
      dy = (b.bottom - Height()) / (n - 1);
      startX = cx - dx / 2;
      startY = b.bottom + dy + dy / 2;
      break;
    case 2:
      dx = 2 * ((bw - (so + w) / 2) / n);
      dy = (h / 6 + b.top - bh) / (n + 1);
      startX = cx + dx;
      startY = h / 6 + b.top - bh;
      break;
    default:
      dx = -(so + Width() - cx - bw / 2) / (n - 1);
      dy = -(so + b.bottom + h / 6 - bh) / (n - 1);
      startX = cx + dx / 2;
      startY = b.bottom + dy + dy / 2;
      break;
  }
  for (int e = 0; e <= blur; ++e) {
    const int grey = std::clamp(d + RoundHalfEven((blur - e) * step), 0, 255);
    FillGrey(dc, grey, [&] {
      Ellipse(dc, b.left + e, b.top + e, b.right - e + 1, b.bottom - e + 1);
      int x = startX, y = startY;
      for (int i = 1; i <= n; ++i) {
        x -= dx;
        y -= dy;
        const int bwn = w / (div * i), bhn = h / (div * i);
        if (bwn > 2 * e && bhn > 2 * e) Ellipse(dc, x + e, y + e, x + bwn - e + 1, y + bhn - e + 1);
      }
    });
  }
}

TBitmap* TsBalloonHintWindow::BuildHintMask() {
  if (HintSkinDataInUse()) return BuildSkinMask();
  BitmapPtr bmp(CreateBmp24(Width(), Height()));
  FillWhite(bmp.get());
  DrawFigure(bmp->Canvas()->Handle(), 0, std::min(255, MaskTransparency() * 256 / 100));
  GdiFlush();
  return bmp.release();
}

TBitmap* TsBalloonHintWindow::BuildHintBody() { return BuildBody(TRect(0, 0, Width(), Height())); }

void TsBalloonHintWindow::DrawHintBorder(TBitmap* bmp) {
  if (!HintSkinDataInUse()) DrawMaskOutline(bmp);
}

void TsBalloonHintWindow::DrawHintShadow(TBitmap* target) {
  TsHintKind* k = Kind();
  if (!k || HintSkinDataInUse()) return;
  if (!target) target = currentManager->WorkBitmap();
  const int w = Width(), h = Height(), so = k->ShadowOffset;
  BitmapPtr figure(CreateBmp24(w, h));
  FillWhite(figure.get());
  DrawFigure(figure->Canvas()->Handle(), k->ShadowBlur, ShadowStrength() * 256 / 100);
  TBitmap* shape = ShadowShape(w, h);
  HDC dc = shape->Canvas()->Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, so, so, w, h, figure->Canvas()->Handle(), 0, 0, w - so, h - so, SRCCOPY);
  GdiFlush();
  BlendByMask(target, shape, clBlack);
}
