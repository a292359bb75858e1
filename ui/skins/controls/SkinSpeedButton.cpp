#include "ui/skins/controls/SkinSpeedButton.h"

#include <memory>

#include "platform/framework/classes/Reflection.h"
#include "platform/framework/windows/Forms.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/AnimTimer.h"
#include "ui/skins/paint/ButtonGlyphs.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TsSpeedButton)

namespace {

constexpr int kDropZoneWidth = 16;

const bool speedButtonProperties = [] {
  RegisterProperties(&TsSpeedButton::ClassInfo(),
                     {ObjectProperty(L"SkinData", &TsSpeedButton::SkinData, nullptr)});
  return true;
}();

TColor CentrePixel(TBitmap* bmp) {
  const auto* p = static_cast<const Byte*>(bmp->ScanLine(bmp->Height() / 2)) + 3 * (bmp->Width() / 2);
  if (bmp->PixelFormat() == pf32bit) p = static_cast<const Byte*>(bmp->ScanLine(bmp->Height() / 2)) + 4 * (bmp->Width() / 2);
  return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16;
}

}  // namespace

TacDropDownState& DropDownState() {
  static TacDropDownState state;
  return state;
}

// ---- layout ----------------------------------------------------------------------------------------

TRect FaceGlyphBounds(const TacButtonFaceLayout& f) {
  const int gw = f.GlyphWidth, gh = f.GlyphHeight, aw = f.DropZone, m = f.GlyphMargin;
  const int s = f.ShowCaption && gw > 0 && !f.CaptionEmpty ? f.Spacing : 0;
  const int freeW = (f.Width - aw - gw - s - int(f.Text.cx)) / 2 - m;
  const int freeH = (f.Height - gh - s - int(f.Text.cy)) / 2 - m;
  int left = 0, top = (f.Height - gh) / 2;
  switch (f.Layout) {
    case blGlyphLeft:
      left = f.Alignment == taLeftJustify ? m : f.Alignment == taCenter ? m + freeW : m + 2 * freeW;
      break;
    case blGlyphRight:
      left = f.Alignment == taLeftJustify ? f.Width - aw - m - 2 * freeW - s - gw
             : f.Alignment == taCenter    ? (f.Width - aw - gw + s + int(f.Text.cx)) / 2
                                          : f.Width - aw - gw - m;
      break;
    case blGlyphTop:
      left = (f.Width - aw - gw) / 2 + 1;
      top = freeH + m;
      break;
    case blGlyphBottom:
      left = (f.Width - aw - gw) / 2 + 1;
      top = f.Height - m - freeH - gh;
      break;
  }
  if (f.FaceState == 2) {
    ++left;
    ++top;
  }
  return TRect(left, top, left + gw, top + gh);
}

TRect FaceCaptionBounds(const TacButtonFaceLayout& f) {
  const int gw = f.GlyphWidth, gh = f.GlyphHeight, aw = f.DropZone, m = f.GlyphMargin;
  const int tx = f.Text.cx, ty = f.Text.cy;
  const bool horizontal = f.Layout == blGlyphLeft || f.Layout == blGlyphRight;
  const int s2 = !f.CaptionEmpty && (horizontal ? gw > 0 : gh > 0) ? f.Spacing : 0;
  const int g = gw > 0 ? f.Spacing : 0;
  int left = 0, top = 0, right = 0, bottom = 0;
  if (horizontal) {
    const int freeW = (f.Width - aw - gw - s2 - tx) / 2 - m;
    top = (f.Height - ty) / 2;
    bottom = f.Height - top;
    if (f.Layout == blGlyphLeft) {
      switch (f.Alignment) {
        case taLeftJustify:
          left = gw + f.Margin + g;
          right = f.Width - aw - m - 2 * freeW;
          break;
        case taCenter:
          left = gw + m + freeW + g;
          right = f.Width - aw - m - freeW;
          break;
        default:
          left = m + 2 * freeW + gw + g;
          right = f.Width - aw - m;
          break;
      }
    } else {
      left = f.Alignment == taLeftJustify ? m : f.Alignment == taCenter ? m + freeW : m + 2 * freeW;
      right = left + tx;
    }
  } else {
    const int freeH = (f.Height - gh - s2 - ty) / 2 - m;
    left = (f.Width - tx - aw) / 2;
    right = f.Width - left - aw;
    if (f.Layout == blGlyphTop) {
      top = gh + m + freeH + s2;
      bottom = f.Height - freeH - m;
    } else {
      top = m + freeH;
      bottom = f.Height - freeH - m - gh - s2;
    }
  }
  TRect r(left + f.TextOffset - 1, top, right + f.TextOffset + 2, bottom);
  if (f.FaceState == 2) OffsetRect(&r, 1, 1);
  return r;
}

TColor FaceBackdropColor(const TsCacheRef& ci, TControl* parent) {
  // A system colour (the framework's clBtnFace) means nothing in a pixel: it is resolved here.
  return ci.Ready || !parent ? clFuchsia : ColorToRGB(parent->Color());
}

// ---- life ------------------------------------------------------------------------------------------

TsSpeedButton::TsSpeedButton(TComponent* owner) : TSpeedButton(owner), skinData_(new TsCommonData(this, true)) {
  skinData_->ClassCode = kClassCodeSpeedButton;
}

TsSpeedButton::~TsSpeedButton() {
  if (DropDownState().OpenButton == this) DropDownState().OpenButton = nullptr;
  EndFade();
  skinData_->Free();
}

void TsSpeedButton::AfterConstruction() {
  TSpeedButton::AfterConstruction();
  if (LoadingNow()) return;
  skinData_->AfterLoad();
  if (skinData_->Skinned()) ControlStyle.Include(csOpaque);
}

void TsSpeedButton::Loaded() {
  TSpeedButton::Loaded();
  skinData_->AfterLoad();
  if (skinData_->Skinned()) ControlStyle.Include(csOpaque);
}

void TsSpeedButton::BeforeDestruction() {
  EndFade();
  TSpeedButton::BeforeDestruction();
}

void TsSpeedButton::Notification(TComponent* component, TOperation operation) {
  TSpeedButton::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == images_) images_ = nullptr;
  if (component == dropdownMenu_) dropdownMenu_ = nullptr;
}

// ---- properties ------------------------------------------------------------------------------------

void TsSpeedButton::StyleChanged(bool markAlways) {
  if (Visible() || markAlways) skinData_->BGChanged = true;
  RepaintWithParent();
}

void TsSpeedButton::SetAlignment(TAlignment value) { SetLook(alignment_, value); }

void TsSpeedButton::SetBlend(int value) {
  value = std::clamp(value, 0, 100);
  if (blend_ == value) return;
  blend_ = value;
  StyleChanged();
}

void TsSpeedButton::SetButtonStyle(TToolButtonStyle value) {
  if (buttonStyle_ == value) return;
  if (!LoadingNow()) {
    if (value == tbsDropDown)
      SetWidth(Width() + kDropZoneWidth);
    else if (buttonStyle_ == tbsDropDown)
      SetWidth(Width() - kDropZoneWidth);
  }
  buttonStyle_ = value;
  StyleChanged();
}

void TsSpeedButton::SetDisabledGlyphKind(TsDisabledGlyphKind value) { SetLook(disabledGlyphKind_, value); }

void TsSpeedButton::SetDisabledKind(TsDisabledKind value) { SetLook(disabledKind_, value); }

void TsSpeedButton::SetDropdownMenu(TPopupMenu* value) {
  dropdownMenu_ = value;
  if (value) value->FreeNotification(this);
}

void TsSpeedButton::SetGrayed(bool value) { SetLook(grayed_, value); }

void TsSpeedButton::SetImageIndex(int value) {
  if (imageIndex_ == value) return;
  imageIndex_ = value;
  if (!skinData_->Skinned() && images_) Glyph()->SetSize(0, 0);
  StyleChanged();
}

void TsSpeedButton::SetImages(TCustomImageList* value) {
  if (images_ == value) return;
  images_ = value;
  if (value) value->FreeNotification(this);
  if (!skinData_->Skinned() && images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count()) Glyph()->SetSize(0, 0);
  StyleChanged(true);
}

void TsSpeedButton::SetShowCaption(bool value) {
  if (showCaption_ == value) return;
  showCaption_ = value;
  if (Visible()) skinData_->BGChanged = true;
  SyncCaption();
  RepaintWithParent();
}

void TsSpeedButton::SetDrawOverBorder(bool value) { SetLook(drawOverBorder_, value); }

void TsSpeedButton::SetTextOffset(int value) { SetLook(textOffset_, value); }

// Marked stale like the other looks, so a skinned button shows the new alignment at once.
void TsSpeedButton::SetTextAlignment(TAlignment value) { SetLook(textAlignment_, value); }

void TsSpeedButton::SyncCaption() {
  String caption = Caption();
  if (!caption.empty()) storedCaption_ = caption;
  String wanted = showCaption_ ? storedCaption_ : String();
  if (wanted != caption) SetCaption(wanted);
}

void TsSpeedButton::RepaintWithParent() {
  if (!Visible() || ControlState.Contains(csCreating) || BeingDestroyed() || LoadingNow() || !Parent() ||
      !Parent()->HandleAllocated())
    return;
  HWND parent = Parent()->Handle();
  SendMessageW(parent, SM_ALPHACMD, SkinCommandWParam(scSetPaintedChild), reinterpret_cast<LPARAM>(this));
  Repaint();
  SendMessageW(parent, SM_ALPHACMD, SkinCommandWParam(scSetPaintedChild), 0);
}

void TsSpeedButton::Invalidate() {
  if (Layout() != lastLayout_) {
    lastLayout_ = Layout();
    skinData_->BGChanged = true;
  }
  TSpeedButton::Invalidate();
}

void TsSpeedButton::GlyphChanged(TObject* sender) {
  TSpeedButton::GlyphChanged(sender);
  if (LoadingNow() || BeingDestroyed() || ControlState.Contains(csCreating)) return;
  skinData_->InvalidateCache();
}

void TsSpeedButton::ActionChange(TObject* sender, bool checkDefaults) {
  TSpeedButton::ActionChange(sender, checkDefaults);
  ButtonActionChanged(this, sender);
  SyncCaption();
  skinData_->InvalidateCache();
}

// ---- face ------------------------------------------------------------------------------------------

int TsSpeedButton::FaceState() {
  if (FState == bsDown || FState == bsExclusive) return 2;
  return skinData_->IsActive() ? 1 : 0;
}

int TsSpeedButton::FaceGlyphWidth() {
  if (Glyph()->Width() > 0) return Glyph()->Width() / std::max(NumGlyphs(), 1);
  if (images_ && imageIndex_ >= 0) return images_->Width();
  return 0;
}

int TsSpeedButton::FaceGlyphHeight() {
  if (Glyph()->Width() > 0) return Glyph()->Height();
  if (images_ && imageIndex_ >= 0) return images_->Height();
  return 0;
}

int TsSpeedButton::CaptionRoom() {
  if (!showCaption_ || Caption().empty()) return 0;
  int gw = FaceGlyphWidth();
  return Width() - DropZoneWidth() - 2 * Margin() - (gw != 0 ? gw + Spacing() : 0);
}

TSize TsSpeedButton::MeasureCaption() {
  String caption = Caption();
  if (caption.empty()) return TSize(0, 0);
  TRect r(0, 0, CaptionRoom(), 0);
  TBitmap* cache = skinData_->CacheBmp;
  if (cache && !cache->Empty()) {
    TCanvas* canvas = cache->Canvas();
    canvas->Font()->Assign(Font());
    HDC dc = canvas->Handle();
    SelectObject(dc, canvas->Font()->Handle());
    DrawTextStr(dc, caption, r, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
  } else {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    DrawTextStr(dc, caption, r, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  return TSize(r.right - r.left, r.bottom - r.top);
}

TacButtonFaceLayout TsSpeedButton::FaceLayout() {
  if (buildLayout_) return *buildLayout_;
  TacButtonFaceLayout f;
  f.Width = Width();
  f.Height = Height();
  f.DropZone = DropZoneWidth();
  f.GlyphWidth = FaceGlyphWidth();
  f.GlyphHeight = FaceGlyphHeight();
  f.GlyphMargin = GlyphMargin();
  f.Margin = Margin();
  f.Spacing = Spacing();
  f.Text = MeasureCaption();
  f.ShowCaption = showCaption_;
  f.CaptionEmpty = Caption().empty();
  f.Layout = Layout();
  f.Alignment = alignment_;
  f.TextOffset = textOffset_;
  f.FaceState = FaceState();
  return f;
}

TRect TsSpeedButton::GlyphBounds() { return FaceGlyphBounds(FaceLayout()); }
TRect TsSpeedButton::CaptionBounds() { return FaceCaptionBounds(FaceLayout()); }

void TsSpeedButton::PaintCaption() {
  if (!showCaption_) return;
  TCanvas* canvas = skinData_->CacheBmp->Canvas();
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetStyle(bsClear);
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT flags = alignments[textAlignment_] | DT_EXPANDTABS | DT_VCENTER | DT_WORDBREAK;
  PaintCaptionText(CaptionBounds(), flags);
}

void TsSpeedButton::PaintCaptionText(TRect r, UINT flags) {
  String caption = Caption();
  if (caption.empty()) return;
  flags &= ~UINT(DT_SINGLELINE);
  TCanvas* canvas = skinData_->CacheBmp->Canvas();
  canvas->Font()->Assign(Font());
  WriteTextEx(canvas, caption.c_str(), true, FaceState() != 0, skinData_->TextSkin(), flags, r);
}

void TsSpeedButton::PaintGlyph() { DrawSpeedButtonGlyph(this); }

void TsSpeedButton::LoadGlyphFromImages() {
  if (!Glyph()->Empty() || LoadingNow() || ListImageCount(images_) < 1) return;
  int count = NumGlyphs();
  MakeGlyphFromImages(this, skinData_, imageIndex_, count, disabledGlyphKind_, Glyph(), images_);
  SetNumGlyphs(count);
}

void TsSpeedButton::BuildCache() {
  TsCommonData& sd = *skinData_;
  sd.InitCacheBmp();
  TBitmap* cache = sd.CacheBmp;
  cache->Canvas()->Font()->Assign(Font());
  const int aw = DropZoneWidth();
  // Glyph and caption are placed from one measurement of the face.
  const TacButtonFaceLayout layout = FaceLayout();
  struct TLayoutScope {
    const TacButtonFaceLayout*& Slot;
    ~TLayoutScope() { Slot = nullptr; }
  } layoutScope{buildLayout_};
  buildLayout_ = &layout;
  TsCacheRef ci = sd.GetParentCache();
  auto finish = [&] { sd.BGChanged = false; };
  if (ci.Ready && ci.Bmp && ci.Bmp->Width() == 0) return;
  auto parentBackground = [&] {
    if (!ci.Ready)
      FillDC(cache->Canvas()->Handle(), TRect(0, 0, Width(), Height()), Parent() ? Parent()->Color() : Color());
    else
      BitBlt(cache->Canvas()->Handle(), 0, 0, Width(), Height(), ci.Bmp->Canvas()->Handle(), Left() + ci.X,
             Top() + ci.Y, SRCCOPY);
  };
  TsSkinManager* manager = sd.SkinManager();
  if (buttonStyle_ == tbsSeparator) {
    parentBackground();
    finish();
    return;
  }
  if (buttonStyle_ == tbsDivider) {
    parentBackground();
    int section = manager ? manager->GetSkinIndex(L"DIVIDER") : -1;
    int maskIndex = section >= 0 ? manager->GetMaskIndex(section, L"DIVIDER", L"BORDERSMASK") : -1;
    if (manager && manager->IsValidMaskIndex(maskIndex)) {
      const TsMaskData& mask = manager->Masks()[size_t(maskIndex)];
      int w = MaskFrame(mask).Width;
      PaintBorder(cache, TRect((Width() - w) / 2, 0, (Width() + w) / 2, Height()), true, ci, mask, 0, false);
    }
    finish();
    return;
  }
  SharedTransparentColor = FaceBackdropColor(ci, Parent());
  TRect face(0, 0, Width() - aw, Height());
  TPoint at(Left(), Top());
  int state = FaceState();
  auto borderAfter = [&](TRect r, int s, TsCacheRef cache_ci, TPoint p) {
    if (!manager || !manager->IsValidMaskIndex(sd.BorderIndex)) return;
    cache_ci.X += p.x;
    cache_ci.Y += p.y;
    PaintBorder(cache, r, true, cache_ci, manager->Masks()[size_t(sd.BorderIndex)], s, false);
  };
  if (drawOverBorder_) {
    PaintItem(&sd, ci, true, state, face, at, cache, false);
    SharedTransparentColor = clFuchsia;
    UpdateAllCorners(&sd, state);
    PaintCaption();
    PaintGlyph();
  } else {
    PaintControlBG(&sd, ci, state, cache, at, face);
    PaintCaption();
    PaintGlyph();
    borderAfter(face, state, ci, at);
  }
  if (buttonStyle_ == tbsDropDown) {
    int arrow = (dropdownMenu_ && menuShown_) || Down() || FState == bsDown || FState == bsExclusive ? 2
                : sd.IsActive()                                                                      ? 1
                                                                                                     : 0;
    ci = sd.GetParentCache();
    TRect zone(Width() - aw, 0, Width(), Height());
    TPoint zoneAt(Left() + Width() - aw, Top());
    if (drawOverBorder_) {
      PaintItem(&sd, ci, true, arrow, zone, zoneAt, cache, false);
    } else {
      PaintControlBG(&sd, ci, arrow, cache, zoneAt, zone);
      borderAfter(zone, arrow, ci, zoneAt);
    }
    int glyphIndex = manager ? manager->ConstIndexes().BtnBottom.GlyphMask : -1;
    if (manager && manager->IsValidMaskIndex(glyphIndex)) {
      const TsMaskData& mask = manager->Masks()[size_t(glyphIndex)];
      TFrameSize frame = MaskFrame(mask);
      SharedParentColor = clFuchsia;
      DrawSkinGlyph(cache, TPoint((aw - frame.Width) / 2 + Width() - aw + 1, (Height() - frame.Height) / 2), arrow, mask,
                    1);
    }
  }
  SharedParentColor = clFuchsia;
  if (!Enabled()) {
    ci = sd.GetParentCache();
    if (ci.Ready && ci.Bmp && ci.Bmp->Width() > 0 && !sd.RepaintWhenMoved() && !sd.PosDependent)
      SharedTransparentColor = CentrePixel(ci.Bmp);
    DisabledLook(cache, disabledKind_, Parent(), ci, TPoint(Left(), Top()));
  }
  SharedTransparentColor = clFuchsia;
  if (OnPaint) OnPaint(this, cache);
  finish();
}

void TsSpeedButton::Paint() {
  TsCommonData& sd = *skinData_;
  TsSkinManager* manager = sd.SkinManager();
  // Only an unresolved section (below 0) is looked up again: index 0 is the skin's first section.
  if (manager && manager->SkinData().Active && sd.SkinIndex < 0) sd.UpdateIndexes();
  bool designing = ComponentState().Contains(csDesigning);
  if (!sd.Skinned() || (!Visible() && !designing)) {
    if (Visible() || designing) LoadGlyphFromImages();
    TSpeedButton::Paint();
    return;
  }
  if (Width() < 1 || Height() < 1 || sd.IsUpdating()) return;
  HDC dc = Canvas()->Handle();
  if (fadeTimer_ && fadeTimer_->Enabled() && fadeTimer_->TmpBmp && fadeTimer_->TmpBmp->Width() == Width()) {
    BitBlt(dc, 0, 0, Width(), Height(), fadeTimer_->TmpBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  sd.BGChanged = sd.BGChanged || sd.HalfVisible || Down() != lastDown_;
  lastDown_ = Down();
  sd.HalfVisible = sd.RepaintWhenMoved();
  if (sd.BGChanged) {
    lastNumGlyphs_ = NumGlyphs();
    lastSpacing_ = Spacing();
  } else if (NumGlyphs() != lastNumGlyphs_) {
    lastNumGlyphs_ = NumGlyphs();
    sd.BGChanged = true;
  } else if (Spacing() != lastSpacing_) {
    lastSpacing_ = Spacing();
    sd.BGChanged = true;
  }
  if (sd.BGChanged && !sd.PosDependent) BuildCache();
  UpdateAllCorners(&sd, 0);
  BitBlt(dc, 0, 0, Width(), Height(), sd.CacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- fading ----------------------------------------------------------------------------------------

void TsSpeedButton::ChangeFace(bool halfTime, bool animate) {
  try {
    const TsGeneralData* section = skinData_->Section();
    if (animate && !SkinLoading && !SkinApplying && !SkinRemoving && skinData_->Skinned() && section &&
        section->FadingEnabled && !skinData_->BGChanged) {
      skinData_->BGChanged = true;
      BeginFade(halfTime);
      return;
    }
    skinData_->BGChanged = true;
    if (fadeTimer_) EndFade();
    RepaintWithParent();
  } catch (const std::exception&) {
    // The button keeps its state and shows it at its next paint.
  }
}

void TsSpeedButton::BeginFade(bool halfTime) {
  if (ComponentState().Contains(csDesigning)) return;
  int start = 1;
  if (fadeTimer_) {
    start = fadeTimer_->Iterations - fadeTimer_->FadeLevel;
    FreeAndNil(fadeTimer_);
  }
  const TsGeneralData* section = skinData_->Section();
  if (!section || !section->FadingEnabled) return;
  fadeTimer_ = new TsAnimTimer(nullptr);
  fadeTimer_->BindTo(skinData_);
  if (halfTime) fadeTimer_->Iterations /= 2;
  fadeTimer_->FadeLevel = start;
  fadeTimer_->SourceBmp->Assign(skinData_->CacheBmp);
  BuildCache();
  UpdateAllCorners(skinData_, 1);
  fadeTimer_->SetEnabled(true);
  fadeTimer_->Step();
}

void TsSpeedButton::EndFade() {
  if (!BeingDestroyed() && !ComponentState().Contains(csDesigning) && fadeTimer_ &&
      !fadeTimer_->ComponentState().Contains(csDestroying)) {
    fadeTimer_->SetEnabled(false);
    if (fadeTimer_->FadeLevel != 0) {
      skinData_->BGChanged = true;
      RepaintWithParent();
    }
  }
  FreeAndNil(fadeTimer_);
}

// ---- mouse and menu --------------------------------------------------------------------------------

void TsSpeedButton::MouseEntered() {
  if (!Enabled() || mouseInControl_ || ComponentState().Contains(csDesigning)) return;
  if (skinData_->MouseAbove) return;
  skinData_->MouseAbove = true;
  ChangeFace(false, EventAnimates(aeMouseEnter, AnimatEvents));
}

void TsSpeedButton::MouseLeft() {
  if (!Enabled()) return;
  skinData_->MouseAbove = false;
  if (FState == bsDown) FState = bsUp;
  ChangeFace(false, EventAnimates(aeMouseLeave, AnimatEvents));
}

void TsSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TacDropDownState& drop = DropDownState();
  if (!drop.HintsSuppressed && Application) {
    drop.SavedShowHint = Application->ShowHint();
    Application->SetShowHint(false);
    drop.HintsSuppressed = true;
  }
  struct TRestoreHints {
    ~TRestoreHints() {
      TacDropDownState& drop = DropDownState();
      if (!drop.HintsSuppressed) return;
      if (Application) Application->SetShowHint(drop.SavedShowHint);
      drop.HintsSuppressed = false;
    }
  } restore;
  bool opensMenu = button == mbLeft && Enabled() && buttonStyle_ == tbsDropDown && dropdownMenu_ &&
                   !(x <= Width() - kDropZoneWidth && OnClick);
  if (!opensMenu) {
    TSpeedButton::MouseDown(button, shift, x, y);
    return;
  }
  drop.OpenButton = this;
  EndFade();
  if (drop.MenuGuard) return;
  drop.MenuGuard = true;
  menuShown_ = true;
  skinData_->BGChanged = true;
  bool clickless = !OnClick;
  if (clickless) FState = bsDown;
  RepaintWithParent();
  TPoint p = ClientToScreen(TPoint(0, Height() + 1));
  auto life = LifeToken();
  struct TMenuEnd {
    TsSpeedButton* Button;
    std::weak_ptr<void> Life;
    ~TMenuEnd() {
      TacDropDownState& drop = DropDownState();
      drop.MenuGuard = false;
      drop.OpenButton = nullptr;
      if (!Life.expired()) Button->menuShown_ = false;
    }
  } end{this, life};
  dropdownMenu_->PopupComponent = this;
  dropdownMenu_->Popup(p.x, p.y);
  if (life.expired()) return;
  menuShown_ = false;
  drop.MenuGuard = false;
  drop.OpenButton = nullptr;
  POINT cursor;
  GetCursorPos(&cursor);
  RECT still{p.x, p.y - Height() - 1, p.x + Width(), p.y - 1};
  if (!PtInRect(&still, cursor)) Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
  if (clickless) FState = bsUp;
}

void TsSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled() && buttonStyle_ == tbsDropDown) {
    menuShown_ = false;
    DropDownState().OpenButton = nullptr;
  }
  TSpeedButton::MouseUp(button, shift, x, y);
}

// ---- messages --------------------------------------------------------------------------------------

bool TsSpeedButton::HandleSkinCommand(TMessage& message) {
  auto* sender = reinterpret_cast<TsSkinManager*>(message.LParam);
  bool own = sender == skinData_->SkinManager();
  switch (message.WParamHi()) {
    case scApplySkin:
      if (!own) return false;
      if (ListImageCount(images_) > 0) Glyph()->SetSize(0, 0);
      skinData_->HandleWindowMessage(message);
      if (skinData_->Skinned()) ControlStyle.Include(csOpaque);
      return true;
    case scRemoveSkin:
      if (own && !BeingDestroyed()) {
        skinData_->HandleWindowMessage(message);
        Repaint();
        ControlStyle.Exclude(csOpaque);
      }
      return false;
    case scRefresh:
      if (!own) return false;
      skinData_->HandleWindowMessage(message);
      if (Visible()) Repaint();
      return true;
    case scParentUpdated:
      if (!skinData_->Updating) return false;
      skinData_->Updating = false;
      RepaintWithParent();
      return true;
    case scIsSkinned:
    case scGetApplication:
      return skinData_->HandleSkinCommand(message);
    default:
      return false;
  }
}

void TsSpeedButton::WndProc(TMessage& message) {
  if (message.Msg == SM_ALPHACMD && HandleSkinCommand(message)) return;
  bool designing = ComponentState().Contains(csDesigning);
  if (!ControlIsReady(this) || !skinData_->Skinned()) {
    if (message.Msg == CM_MOUSELEAVE && Enabled() && !designing && FState == bsDown) FState = bsUp;
    TSpeedButton::WndProc(message);
    return;
  }
  switch (message.Msg) {
    case SM_ALPHACMD:
      switch (message.WParamHi()) {
        case scSetUpdateFlag:
          skinData_->HandleWindowMessage(message);
          if (skinData_->PosDependent) BuildCache();
          return;
        case scIsBgChanged:
          if (skinData_->Updating) {
            message.LParam = 1;
            message.Result = 1;
          }
          break;
        case scReloadSection:
          RepaintWithParent();
          return;
        case scStopFading:
          EndFade();
          return;
        default:
          break;
      }
      break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      if (Visible()) skinData_->BGChanged = true;
      break;
    case WM_ERASEBKGND:
      return;
    case WM_LBUTTONUP:
      if (!designing && fadeTimer_ && fadeTimer_->Enabled()) {
        EndFade();
        BuildCache();
        RepaintWithParent();
      }
      break;
    case CM_TEXTCHANGED:
      if (showCaption_) {
        skinData_->InvalidateCache();
        return;
      }
      break;
    case CM_MOUSEENTER:
      MouseEntered();
      break;
    case CM_MOUSELEAVE:
      MouseLeft();
      break;
    default:
      break;
  }
  if (!HandleSkinWindowMessage(skinData_, message)) TSpeedButton::WndProc(message);
  if (BeingDestroyed()) return;
  switch (message.Msg) {
    case WM_MOVE:
      if (designing && !skinData_->Updating) Repaint();
      break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      if (designing && !skinData_->Updating) RepaintWithParent();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!designing) ChangeFace(false, EventAnimates(aeMouseDown, AnimatEvents));
      break;
    case WM_LBUTTONUP:
      if (designing)
        message.Result = 1;
      else
        ChangeFace(false, EventAnimates(aeMouseUp, AnimatEvents));
      break;
    case CM_VISIBLECHANGED:
      Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
      break;
    case CM_ENABLEDCHANGED:
      if (!Visible() && !designing) break;
      if (Visible()) skinData_->BGChanged = true;
      RepaintWithParent();
      break;
    default:
      break;
  }
}
