#include "ui/skins/windows/SkinProvider.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/framework/rtl/Seams.h"
#include "ui/skins/core/FormFade.h"
#include "ui/skins/core/SkinCommon.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/windows/CtrlAdapter.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"
#include "ui/skins/windows/SubclassWnd.h"

DEFINE_CLASS(TsSkinProvider)

namespace {

bool pressedFlag = false;

bool IsDestroying(TComponent* component) { return component->ComponentState().Contains(csDestroying); }

TsSkinProvider* FirstProviderOf(TCustomForm* form, const TsSkinProvider* except) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* p = dynamic_cast<TsSkinProvider*>(form->Components(i)); p && p != except) return p;
  return nullptr;
}

}  // namespace

bool& ProviderButtonPressed() { return pressedFlag; }

TsSkinProvider::TsSkinProvider(TComponent* owner) : TComponent(owner) {
  form_ = dynamic_cast<TCustomForm*>(owner);
  if (!form_ && owner) form_ = OwnerForm(owner);
  skinData_.reset(new TsCommonData(this, true));
  skinData_->ClassCode = kClassCodeProvider;
  skinData_->SetSkinSection(L"FORM");
  if (form_ && !form_->ControlState.Empty()) skinData_->SetUpdating(true);
  if (form_ && FirstProviderOf(form_, this)) {
    // A second provider on the form forgets it and stays inert.
    form_ = nullptr;
    return;
  }
  if (!form_) return;
  formLife_ = form_->LifeToken();
  backdrop_.reset(new TBitmap());
  backdrop_->SetPixelFormat(pf24bit);
  menuLine_.reset(new TBitmap());
  menuLine_->SetPixelFormat(pf24bit);
  form_->InstallWindowProcHook(TWindowProcHook(this, &TsSkinProvider::HookMessage));
  hooked_ = true;
  RegisterForm(form_);
  FormActive = true;
}

TsSkinProvider::~TsSkinProvider() {
  adapter_.reset();
  // The form may already be on its way out (it frees its components last): the list only compares.
  if (hooked_) UnregisterForm(form_);
  if (hooked_ && !formLife_.expired()) {
    form_->RemoveWindowProcHook(TWindowProcHook(this, &TsSkinProvider::HookMessage));
    if (form_->HandleAllocated()) RemoveSysMenuStyle(false);
  }
  if (SystemMenu) SystemMenu->Free();
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  MakeChildAdapter();
}

void TsSkinProvider::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opInsert || !adapter_ || !dynamic_cast<TWinControl*>(component)) return;
  auto* control = static_cast<TControl*>(dynamic_cast<TWinControl*>(component));
  if (adapter_->Accepts(control)) adapter_->AdaptControl(control);
}

void TsSkinProvider::MakeChildAdapter() {
  if (!hooked_ || !form_ || ComponentState().Contains(csDesigning) || !Skinned()) return;
  if (!adapter_) adapter_.reset(new TacCtrlAdapter(this));
  adapter_->ScanChildren(nullptr);
}

void TsSkinProvider::ScanChildren() {
  if (adapter_) adapter_->ScanChildren(nullptr);
}

void TsSkinProvider::BroadcastToItems(TMessage& message) {
  if (adapter_) adapter_->Broadcast(message);
}

void TsSkinProvider::AfterConstruction() {
  TComponent::AfterConstruction();
  if (hooked_ && Skinned()) Prepare();
}

TsSkinManager* TsSkinProvider::Manager() const { return skinData_->SkinManager(); }

bool TsSkinProvider::Skinned() const {
  TsSkinManager* m = Manager();
  return hooked_ && m && m->Active() && m->SkinData().Active;
}

void TsSkinProvider::SetCaptionAlignment(TAlignment value) {
  if (captionAlignment_ == value) return;
  captionAlignment_ = value;
  skinData_->BGChanged = true;
  if (form_ && form_->Showing()) SendMessageW(form_->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::SetShowAppIcon(bool value) {
  if (showAppIcon_ == value) return;
  showAppIcon_ = value;
  skinData_->BGChanged = true;
  if (form_ && form_->Showing()) SendMessageW(form_->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::SetTitleSkin(const String& value) {
  if (titleSkin_ == value) return;
  titleSkin_ = value;
  skinData_->BGChanged = true;
  if (form_ && form_->Showing()) SendMessageW(form_->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::SetUseGlobalColor(bool value) {
  if (useGlobalColor_ == value) return;
  useGlobalColor_ = value;
  if (!form_) return;
  if (Skinned() && value && !skinData_->CustomColor())
    form_->SetColor(Manager()->GlobalColor());
  else
    form_->SetColor(clBtnFace);
}

String TsSkinProvider::TitleSection() const { return titleSkin_.empty() ? String(L"FORMTITLE") : titleSkin_; }

TacFormFacts TsSkinProvider::Facts() const {
  TacFormFacts f;
  if (!form_ || !form_->HandleAllocated()) return f;
  HWND h = form_->Handle();
  f.BorderStyle = form_->BorderStyle();
  f.MDIChild = form_->FormStyle() == fsMDIChild;
  f.Style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
  f.Iconic = IsIconic(h) != FALSE;
  RECT wr{}, cr{};
  GetWindowRect(h, &wr);
  GetClientRect(h, &cr);
  f.WindowWidth = wr.right - wr.left;
  f.WindowHeight = wr.bottom - wr.top;
  f.ClientWidth = cr.right;
  f.ClientHeight = cr.bottom;
  f.FormWidth = f.Iconic ? f.WindowWidth : form_->Width();
  f.HasMainMenu = form_->Menu() != nullptr;
  f.ShowAppIcon = showAppIcon_;
  f.TitleIconWidth = TitleIcon.Width;
  f.TitleIconHeight = TitleIcon.Height;
  return f;
}

TacCaptionFacts TsSkinProvider::CaptionFacts() const { return CaptionFactsOf(form_, SystemMenuShown); }

int TsSkinProvider::CaptionAndFrameHeight() {
  const TacFormFacts f = Facts();
  return TitleBarHeight(f) + FrameHeight(f);
}

int TsSkinProvider::LeftFrameOffset() {
  const TacFormFacts f = Facts();
  return SideFrameWidth(f) + f.BorderWidth;
}

TPoint TsSkinProvider::WindowOrigin() const {
  RECT wr{};
  if (form_ && form_->HandleAllocated()) GetWindowRect(form_->Handle(), &wr);
  return TPoint(wr.left, wr.top);
}

void TsSkinProvider::RemoveSysMenuStyle(bool remove) {
  if (!form_ || !form_->HandleAllocated()) return;
  HWND h = form_->Handle();
  const DWORD style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
  if (remove && ((style & WS_SYSMENU) || SystemMenuShown)) {
    if (style & WS_SYSMENU) SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(style & ~WS_SYSMENU));
    SystemMenuShown = true;
  } else if (!remove && SystemMenuShown) {
    SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(style | WS_SYSMENU));
  } else {
    SystemMenuShown = false;
  }
}

void TsSkinProvider::UpdateButtonMasks() {
  TsSkinManager* m = Manager();
  if (!m || m->GetSkinIndex(L"GLOBALINFO") < 0) return;
  if (GlobalMask(m, L"BICONCLOSE") < 0) {
    const int index = m->GetSkinIndex(L"FORM");
    MinButton.MaskIndex = m->GetMaskIndex(index, L"FORM", L"BICONMIN");
    MaxButton.MaskIndex = m->GetMaskIndex(index, L"FORM", L"BICONMAX");
    CloseButton.MaskIndex = m->GetMaskIndex(index, L"FORM", L"BICONCLOSE");
    HelpButton.MaskIndex = m->GetMaskIndex(index, L"FORM", L"BICONHELP");
    return;
  }
  const TFormBorderStyle style = form_ ? form_->BorderStyle() : bsSizeable;
  const bool small = style != bsSingle && style != bsSizeable;
  CloseButton.MaskIndex = GlobalMask(m, small ? L"SICONCLOSE" : L"BICONCLOSE");
  MinButton.MaskIndex = GlobalMask(m, small ? L"SICONMIN" : L"BICONMIN");
  MaxButton.MaskIndex = GlobalMask(m, small ? L"SICONMAX" : L"BICONMAX");
  HelpButton.MaskIndex = GlobalMask(m, small ? L"SICONHELP" : L"BICONHELP");
  if (small && HelpButton.MaskIndex < 0) HelpButton.MaskIndex = GlobalMask(m, L"BICONHELP");
  if (CloseButton.MaskIndex < 0) {
    MinButton.MaskIndex = GlobalMask(m, L"BICONMIN");
    MaxButton.MaskIndex = GlobalMask(m, L"BICONMAX");
    CloseButton.MaskIndex = GlobalMask(m, L"BICONCLOSE");
    HelpButton.MaskIndex = GlobalMask(m, L"BICONHELP");
  }
}

void TsSkinProvider::ApplyGlobalColor() {
  if (form_ && useGlobalColor_ && !skinData_->CustomColor() && Skinned()) form_->SetColor(Manager()->GlobalColor());
}

void TsSkinProvider::Prepare() {
  if (!form_ || !Manager()) return;
  skinData_->UpdateIndexes();
  if (!SystemMenu) {
    SystemMenu = new TsSystemMenu(nullptr, form_);
    SystemMenu->Manager = Manager();
  }
  SystemMenu->MakeSkinMenu = MakeSkinMenu;
  if (Skinned() && form_->FormStyle() != fsMDIChild) RemoveSysMenuStyle(true);
  SystemMenu->SystemMenuShown = SystemMenuShown;
  SystemMenu->UpdateItems();
  UpdateButtonMasks();
  ApplyGlobalColor();
  skinData_->BGChanged = true;
  RegionStale = true;
  MenuRowCount = -1;
}

void TsSkinProvider::InvalidateFrame() {
  skinData_->BGChanged = true;
  MenuRowCount = -1;
  RegionStale = true;
  if (form_ && form_->HandleAllocated()) SendMessageW(form_->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::PaintFrameNow() {
  skinData_->BGChanged = true;
  if (!form_ || !form_->HandleAllocated()) return;
  HDC dc = GetWindowDC(form_->Handle());
  BuildCache();
  PaintNonClient(dc);
  ReleaseDC(form_->Handle(), dc);
}

TacButtonStrip TsSkinProvider::Strip() const {
  TacButtonStrip s;
  TsSkinManager* m = Manager();
  s.CloseWidth = CaptionButtonSize(m, CloseButton.MaskIndex).cx;
  s.MaximizeWidth = CaptionButtonSize(m, MaxButton.MaskIndex).cx;
  s.MinimizeWidth = CaptionButtonSize(m, MinButton.MaskIndex).cx;
  s.HelpWidth = CaptionButtonSize(m, HelpButton.MaskIndex).cx;
  s.Height = CaptionButtonSize(m, CloseButton.MaskIndex).cy;
  if (m && m->GetSkinIndex(L"GLOBALINFO") >= 0) s.Spacing = m->SkinData().BISpacing;
  return s;
}

TsButtonPlace* TsSkinProvider::Button(int code) {
  return ButtonOfCode(code, MinButton, MaxButton, CloseButton, HelpButton);
}

void TsSkinProvider::DrawButton(TBitmap* cache, TsButtonPlace& button, int code) {
  TsSkinManager* m = Manager();
  const TacCaptionRules r = CaptionRules(CaptionFacts());
  const TacCaptionFacts c = CaptionFacts();
  int mask = button.MaskIndex;
  bool enabled = true;
  if (code == HTMAXBUTTON) {
    if (c.WindowState == wsMaximized) {
      const int normal = GlobalMask(m, L"BICONNORM");
      mask = normal >= 0 ? normal : m->GetMaskIndex(skinData_->SkinIndex, skinData_->SkinSection(), L"BICONNORM");
      enabled = r.RestoreEnabled;
    } else {
      enabled = r.MaximizeEnabled;
    }
  } else if (code == HTMINBUTTON) {
    if (c.Iconic) {
      const int normal = GlobalMask(m, L"BICONNORM");
      if (normal >= 0) mask = normal;
      enabled = r.RestoreEnabled;
    } else {
      enabled = r.MinimizeEnabled;
    }
  }
  const TsMaskData* data = MaskAt(m, mask);
  if (!data) return;
  DrawSkinGlyph(cache, TPoint(button.Bounds.left, button.Bounds.top), button.State, *data,
                FormActive && enabled ? 1 : 2);
}

void TsSkinProvider::DrawButtons(TBitmap* cache, const TacFormFacts& f) {
  const TacStripPlaces places =
      LayoutButtonStrip(CaptionFacts(), Strip(), f.FormWidth, SideFrameWidth(f), TitleBarHeight(f), FrameHeight(f));
  CloseButton.Bounds = places.Close;
  MaxButton.Bounds = places.Maximize;
  MinButton.Bounds = places.Minimize;
  HelpButton.Bounds = places.Help;
  for (int code : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP})
    if (TsButtonPlace* b = Button(code); !b->Bounds.IsEmpty()) DrawButton(cache, *b, code);
}

void TsSkinProvider::DrawCaption(TBitmap* cache, const TacFormFacts& f, int buttonsWidth) {
  const TSize icon = TitleIconSize(f);
  TRect r(icon.cx + SideFrameWidth(f) + 4, FrameHeight(f), f.FormWidth - buttonsWidth - 6, TitleBarHeight(f));
  const String text = form_->Caption();
  if (r.IsEmpty() || text.empty()) return;
  TCanvas* canvas = cache->Canvas();
  canvas->Font()->Assign(form_->Font());
  canvas->Font()->SetStyle(canvas->Font()->Style() + TFontStyles{fsBold});
  canvas->Font()->SetHeight(CaptionFontHeight());
  SIZE size{};
  GetTextExtentPoint32W(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &size);
  r.top += (r.bottom - r.top - size.cy) / 2;
  r.bottom = r.top + size.cy;
  const String section = TitleSection();
  WriteTextBySection(canvas, text.c_str(), true, Manager(), FormActive, Manager()->GetSkinIndex(section),
                     TextAlignFlags(form_, captionAlignment_) | 0x8824, r);
}

void TsSkinProvider::BuildCache() {
  if (!form_ || !form_->HandleAllocated() || !Skinned() || form_->ControlState.Contains(csCreating)) return;
  if (skinData_->BGChanged) {
    const TacFormFacts f = Facts();
    RegionStale = true;
    TBitmap* cache = SizeCacheBmp(skinData_.get(), f.FormWidth, f.WindowHeight);
    TsSkinManager* m = Manager();
    TSharedColorScope colours;
    const TRect all(0, 0, f.FormWidth, f.WindowHeight);
    if (m->IsValidSkinIndex(skinData_->SkinIndex)) {
      if (HasFrame(f))
        PaintItem(skinData_.get(), EmptyCacheRef, false, FormActive ? 1 : 0, all, TPoint(0, 0), cache, false);
      else
        PaintItemBG(skinData_->SkinIndex, skinData_->SkinSection(), EmptyCacheRef, 0, all, TPoint(0, 0), cache, 0, 0,
                    clFuchsia);
      if (GripMode == gmRightBottom) {
        if (const TsMaskData* grip = MaskAt(m, GlobalMask(m, L"GRIPIMAGE"))) {
          const TSize frame = m->MaskStateSize(GlobalMask(m, L"GRIPIMAGE"));
          DrawSkinGlyph(cache,
                        TPoint(cache->Width() - frame.cx - SideFrameWidth(f), cache->Height() - frame.cy - FrameHeight(f)),
                        0, *grip, 1);
        }
      }
      const int title = TitleBarHeight(f);
      const int band = title + FrameHeight(f);
      const TPoint shift = ClientShift(f);
      const TsCacheRef parent = MakeCacheRef(cache, shift.x, shift.y);
      if (title > 0) {
        const String section = TitleSection();
        const int titleIndex = m->GetSkinIndex(section);
        if (titleIndex >= 0)
          PaintItemByIndex(titleIndex, section, parent, -1, -1, m, cache, TPoint(0, 0),
                           f.Iconic ? TRect(0, 0, f.FormWidth, band + 1) : TRect(0, 0, f.FormWidth, band),
                           FormActive ? 1 : 0, true);
        // The title icon.
        const TRect iconRect = TitleIconRect(f);
        if (!iconRect.IsEmpty()) {
          HICON icon = form_->Icon() ? form_->Icon() : (AppSmallIcon ? AppSmallIcon : LoadIconW(nullptr, IDI_APPLICATION));
          DrawIconEx(cache->Canvas()->Handle(), iconRect.left, iconRect.top, icon, iconRect.Width(), iconRect.Height(), 0,
                     nullptr, DI_NORMAL);
        }
        const int buttonsWidth = ButtonStripWidth(CaptionFacts(), Strip());
        if (SystemMenuShown) {
          if (const TsMaskData* bar =
                  MaskAt(m, m->GetMaskIndex(skinData_->SkinIndex, skinData_->SkinSection(), L"TITLEBAR"))) {
            const int side = bar->Bmp ? (bar->Bmp->Width() / 9) * 2 : (MaskFrame(*bar).Width / 3) * 2;
            PaintBorder(cache, TRect(f.FormWidth - side - buttonsWidth, 0, cache->Width(), band), true, EmptyCacheRef,
                        *bar, FormActive ? 1 : 0, false);
          }
        }
        // The backdrop behind the buttons, for repainting one button alone.
        const int backWidth = std::min<int>(buttonsWidth + SideFrameWidth(f) + 10, f.FormWidth);
        const int backHeight = std::max(TopBandHeight(f), band);
        if (backdrop_->Width() != backWidth || backdrop_->Height() != backHeight) backdrop_->SetSize(backWidth, backHeight);
        backdropLeft_ = f.FormWidth - backWidth - 1;
        BitBlt(backdrop_->Canvas()->Handle(), 0, 0, backWidth, backHeight, cache->Canvas()->Handle(), backdropLeft_, 0,
               SRCCOPY);
        DrawButtons(cache, f);
        DrawCaption(cache, f, buttonsWidth);
      }
      // The menu line under the caption, kept for the menu-bar painter.
      if (f.HasMainMenu && MenuBarHeight(f) > 0) {
        const int rows = MenuRowCount > 0 ? MenuRowCount : 1;
        const int lineIndex = m->GetSkinIndex(L"MENULINE");
        const TRect line(0, band, f.FormWidth, band + rows * MenuBarHeight(f));
        if (lineIndex >= 0)
          PaintItemByIndex(lineIndex, L"MENULINE", parent, -1, -1, m, cache, TPoint(0, 0), line, 0, true);
        menuLine_->SetSize(line.Width(), line.Height());
        BitBlt(menuLine_->Canvas()->Handle(), 0, 0, line.Width(), line.Height(), cache->Canvas()->Handle(), 0, band,
               SRCCOPY);
      }
    }
    PaintedOnce = true;
    skinData_->BGChanged = false;
  }
  skinData_->SetUpdating(false);
}

void TsSkinProvider::PaintNonClient(HDC dc) {
  TBitmap* cache = skinData_->CacheBmp;
  if (!cache || cache->Width() == 0) return;
  const TacFormFacts f = Facts();
  HDC src = cache->Canvas()->Handle();
  const int w = f.FormWidth, h = f.WindowHeight;
  if (!HasFrame(f) && (f.Style & WS_THICKFRAME) && !f.Iconic) {
    BitBltBorder(dc, 0, 0, w, h, src, 0, 0, f.BorderWidth + 3);
    return;
  }
  const int top = TopBandHeight(f);
  const int full = FullFrame(f);
  const int side = SideFrameWidth(f) + f.BorderWidth;
  const int rows = f.HasMainMenu ? std::max(MenuRowCount, 1) : 0;
  const int stripTop = FrameHeight(f) + TitleBarHeight(f) + rows * MenuBarHeight(f) + f.BorderWidth + (f.Iconic ? 1 : 0);
  BitBlt(dc, 0, 0, w, top, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, stripTop, side, h - stripTop, src, 0, stripTop, SRCCOPY);
  BitBlt(dc, full, h - full, w - full, full, src, full, h - full, SRCCOPY);
  BitBlt(dc, cache->Width() - side, stripTop, full, h - stripTop, src, cache->Width() - side, stripTop, SRCCOPY);
}

void TsSkinProvider::PaintClient(HDC dc) {
  BuildCache();
  TBitmap* cache = skinData_->CacheBmp;
  if (!cache || cache->Width() == 0 || !form_) return;
  const TacFormFacts f = Facts();
  const TPoint shift = ClientShift(f);
  BitBlt(dc, 0, 0, f.ClientWidth, f.ClientHeight, cache->Canvas()->Handle(), SideFrameWidth(f) + f.BorderWidth, shift.y,
         SRCCOPY);
  PaintGraphicChildren(dc, form_, TPoint(0, 0));
}

void TsSkinProvider::BuildRegion() {
  const TacFormFacts f = Facts();
  RegionRects = SkinRegionRects(Manager(), skinData_->SkinIndex, skinData_->SkinSection(), TitleSection(), f.FormWidth,
                                f.WindowHeight);
}

bool TsSkinProvider::ApplyRegion(bool redraw) {
  const TacFormFacts f = Facts();
  if (!HasFrame(f) && !f.Iconic) return false;
  HWND h = form_->Handle();
  if (!PaintedOnce && SendMessageW(h, kMsgFrameRepaint, kMsgFrameRepaintTag, 0) == static_cast<LRESULT>(kMsgFrameRepaintTag))
    return false;
  HRGN region = RegionWithout(f.FormWidth, f.WindowHeight, RegionRects);
  settingRegion_ = true;
  SetWindowRgn(h, region, redraw);
  settingRegion_ = false;
  return true;
}

void TsSkinProvider::TrackLeave() {
  if (trackingLeave_ || !form_) return;
  TRACKMOUSEEVENT nonClient{sizeof(nonClient), TME_LEAVE | TME_NONCLIENT, form_->Handle(), 0};
  TRACKMOUSEEVENT client{sizeof(client), TME_LEAVE, form_->Handle(), 0};
  // TrackMouseEvent hit-tests the window under the real cursor, which comes back into HitTest with a
  // point that need not be the one being answered; that nested test must not move the hot button.
  startingLeaveTracking_ = true;
  TrackMouseEvent(&nonClient);
  TrackMouseEvent(&client);
  startingLeaveTracking_ = false;
  trackingLeave_ = true;
}

void TsSkinProvider::RepaintButton(int code) {
  TsButtonPlace* button = Button(code);
  TBitmap* cache = skinData_->CacheBmp;
  if (!button || button->Bounds.IsEmpty() || !cache || cache->Width() == 0 || !form_) return;
  const TacFormFacts f = Facts();
  if (button->Bounds.left < TitleIconRect(f).right) return;
  const TRect& r = button->Bounds;
  BitBlt(cache->Canvas()->Handle(), r.left, r.top, r.Width(), r.Height(), backdrop_->Canvas()->Handle(),
         r.left - backdropLeft_, r.top, SRCCOPY);
  DrawButton(cache, *button, code);
  HDC dc = GetWindowDC(form_->Handle());
  BitBlt(dc, r.left, r.top, r.Width(), r.Height(), cache->Canvas()->Handle(), r.left, r.top, SRCCOPY);
  ReleaseDC(form_->Handle(), dc);
}

void TsSkinProvider::SetHot(int code, bool repaint) {
  if (ActiveButton == code || startingLeaveTracking_) return;
  if (TsButtonPlace* old = Button(ActiveButton)) {
    old->State = 0;
    if (repaint) RepaintButton(ActiveButton);
  }
  ActiveButton = code;
  pressedFlag = false;
  if (TsButtonPlace* now = Button(code)) {
    now->State = 1;
    if (repaint) RepaintButton(code);
    TrackLeave();
  }
}

void TsSkinProvider::SetPressed(int code) {
  const TacCaptionRules r = CaptionRules(CaptionFacts());
  if (ActiveButton != code)
    if (TsButtonPlace* old = Button(ActiveButton)) {
      old->State = 0;
      RepaintButton(ActiveButton);
    }
  if (code == HTMAXBUTTON && !(r.MaximizeEnabled || (form_->WindowState() == wsMaximized && r.RestoreEnabled))) {
    ActiveButton = 0;
    return;
  }
  ActiveButton = code;
  if (TsButtonPlace* b = Button(code)) b->State = 2;
  pressedFlag = true;
  RepaintButton(code);
}

int TsSkinProvider::HitTest(TPoint p) {
  const TacFormFacts f = Facts();
  const TacCaptionFacts c = CaptionFacts();
  const TacCaptionRules r = CaptionRules(c);
  const int height = CaptionButtonSize(Manager(), CloseButton.MaskIndex).cy;
  const int bandTop = (FrameHeight(f) + TitleBarHeight(f) - height) / 2;
  int answer = 0;
  if (p.y >= bandTop && p.y <= bandTop + height) {
    const TRect icon = TitleIconRect(f);
    auto within = [&](const TRect& b) { return !b.IsEmpty() && p.x >= b.left && p.x <= b.right; };
    if (icon.Width() > 0 && p.x >= icon.left && p.x <= icon.right) {
      SetHot(HTSYSMENU, true);
      return HTSYSMENU;
    }
    answer = HTCAPTION;
    if (within(CloseButton.Bounds)) {
      answer = HTCLOSE;
    } else if (within(MaxButton.Bounds)) {
      answer = r.MaximizeEnabled || (r.RestoreEnabled && !c.Iconic) ? HTMAXBUTTON : HTCAPTION;
    } else if (within(MinButton.Bounds)) {
      answer = c.Iconic || r.MinimizeEnabled ? HTMINBUTTON : HTCAPTION;
    } else if (within(HelpButton.Bounds)) {
      answer = HTHELP;
    }
    SetHot(answer == HTCAPTION ? 0 : answer, true);
  } else {
    if (GripMode == gmRightBottom) {
      const int grip = GlobalMask(Manager(), L"GRIPIMAGE");
      if (grip >= 0) {
        const TSize frame = Manager()->MaskStateSize(grip);
        if (p.x > f.FormWidth - frame.cx - SideFrameWidth(f) && p.y > f.WindowHeight - frame.cy - FrameHeight(f))
          answer = HTBOTTOMRIGHT;
      }
    }
    SetHot(0, true);
  }
  if (c.WindowState == wsMaximized && !TRect(2, 2, form_->Width() - 4, form_->Height() - 4).Contains(p)) {
    SetHot(0, true);
    return HTTRANSPARENT;
  }
  return answer;
}

void TsSkinProvider::PopupSystemMenu(int x, int y) {
  if (!SystemMenu) return;
  SystemMenu->MakeSkinMenu = MakeSkinMenu;
  SystemMenu->SystemMenuShown = SystemMenuShown;
  SystemMenu->UpdateItems();
  SystemMenu->PopupAt(x, y);
}

void TsSkinProvider::NCButtonDown(TMessage& message, TWindowProcChain& next) {
  const int code = static_cast<int>(message.WParam);
  const TacFormFacts f = Facts();
  if (code == HTSYSMENU) {
    SetHot(0, true);
    const TPoint origin = WindowOrigin();
    PopupSystemMenu(origin.x + SideFrameWidth(f), origin.y + FullFrame(f) + TitleIconSize(f).cy);
    message.Result = 0;
    return;
  }
  if (Button(code)) {
    SetPressed(code);
    message.Result = 0;
    return;
  }
  if (f.Iconic) {
    SendMessageW(form_->Handle(), WM_SYSCOMMAND, 0xF012, 0);
    return;
  }
  SetHot(0, true);
  if (form_->WindowState() == wsMaximized) {
    const POINT pt{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    const TPoint origin = WindowOrigin();
    if (pt.y - origin.y <= FrameHeight(f) + TitleBarHeight(f)) {
      if (GetActiveWindow() != form_->Handle()) SetFocus(form_->Handle());
      return;
    }
  }
  next(message);
}

void TsSkinProvider::NCButtonUp(TMessage& message, TWindowProcChain& next) {
  const int code = static_cast<int>(message.WParam);
  const TacCaptionRules r = CaptionRules(CaptionFacts());
  const TPoint origin = WindowOrigin();
  POINT cursor{};
  GetCursorPos(&cursor);
  const TPoint p(cursor.x - origin.x, cursor.y - origin.y);
  HWND h = form_->Handle();
  switch (code) {
    case HTMINBUTTON:
      if (!pressedFlag) {
        SetHot(0, true);
        next(message);
      } else if (MinButton.Bounds.Contains(p)) {
        SetHot(0, true);
        SendMessageW(h, WM_SYSCOMMAND, IsIconic(h) ? SC_RESTORE : SC_MINIMIZE, 0);
      } else {
        next(message);
      }
      return;
    case HTMAXBUTTON:
      if (!(r.MaximizeEnabled || (form_->WindowState() == wsMaximized && r.RestoreEnabled))) return;
      if (pressedFlag) {
        SetHot(0, true);
        if (form_->WindowState() == wsMaximized) {
          form_->SetWindowState(wsNormal);
        } else {
          form_->SetWindowState(wsMaximized);
        }
        if (SystemMenu) SystemMenu->UpdateItems();
        InvalidateFrame();
      } else {
        SetHot(0, true);
        next(message);
      }
      return;
    case HTCLOSE:
      if (pressedFlag) {
        CloseButton.State = 0;
        pressedFlag = false;
        ActiveButton = 0;
        SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return;
    case HTHELP:
      if (pressedFlag) {
        SendMessageW(h, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        SetHot(0, true);
        if (SystemMenu) SystemMenu->UpdateItems();
        SendMessageW(h, WM_NCPAINT, 0, 0);
      } else {
        SetHot(0, true);
      }
      return;
    default:
      next(message);
      return;
  }
}

void TsSkinProvider::HookMessage(TMessage& message, TWindowProcChain& next) {
  Guarded([&] { Handle(message, next); });
}

bool TsSkinProvider::SkinCommandAlways(TMessage& message, TWindowProcChain& next) {
  const bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == Manager();
  switch (message.WParamHi()) {
    case scApplySkin:
      if (!Manager() && message.LParam) skinData_->SetSkinManager(reinterpret_cast<TsSkinManager*>(message.LParam));
      return false;
    case scRemoveSkin:
      RemoveSkin(message, next);
      (void)ours;
      return true;
    case scIsSkinned:
      message.LParam = 1;
      message.Result = 1;
      return true;
    case scGetApplication:
      message.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    case scGetClientOffset: {
      const TPoint shift = ClientShiftNow();
      message.Result = MAKELONG(shift.x, shift.y);
      return true;
    }
    case scGetProvider:
      message.Result = reinterpret_cast<LRESULT>(static_cast<TacSkinProviderBase*>(this));
      return true;
    default:
      return false;
  }
}

void TsSkinProvider::RemoveSkin(TMessage& message, TWindowProcChain& next) {
  if (reinterpret_cast<TsSkinManager*>(message.LParam) != Manager()) {
    BroadcastToChildren(form_, message);
    return;
  }
  skinData_->HandleSkinCommand(message);
  MenuRowCount = -1;
  BroadcastToItems(message);
  adapter_.reset();
  BroadcastToChildren(form_, message);
  if (form_->HandleAllocated()) {
    RemoveSysMenuStyle(false);
    if (HasFrame(Facts())) SetWindowRgn(form_->Handle(), nullptr, TRUE);
    form_->SetColor(clBtnFace);
    RedrawWindow(form_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
  }
  if (skinData_->CacheBmp) skinData_->CacheBmp->SetSize(0, 0);
  (void)next;
}

void TsSkinProvider::SkinCommandSkinned(TMessage& message, TWindowProcChain& next) {
  const bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == Manager();
  switch (message.WParamHi()) {
    case scApplySkin:
      if (ours) {
        Prepare();
        MakeChildAdapter();
        if (form_->Showing()) SendMessageW(form_->Handle(), WM_NCPAINT, 0, 0);
      }
      BroadcastToChildren(form_, message);
      return;
    case scRefresh:
      MakeChildAdapter();
      BroadcastToItems(message);
      if (ours) {
        skinData_->UpdateIndexes();
        UpdateButtonMasks();
        InvalidateFrame();
        if (form_->Showing()) {
          RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
          ApplyGlobalColor();
        }
      }
      BroadcastToChildren(form_, message);
      return;
    case scGetCache: {
      if (!SkinLoading && skinData_->BGChanged) BuildCache();
      const TPoint shift = ClientShiftNow();
      SharedCacheRef = MakeCacheRef(skinData_->CacheBmp, shift.x, shift.y);
      return;
    }
    case scSetUpdating:
      skinData_->SetUpdating(LOWORD(message.WParam) == 1);
      if (skinData_->IsUpdating()) skinData_->BGChanged = true;
      return;
    case scIsBgChanged:
      message.LParam = skinData_->IsUpdating() ? 1 : 0;
      return;
    case scHasContentBg: {
      const TsGeneralData* g = Manager()->IsValidSkinIndex(skinData_->SkinIndex)
                                   ? &Manager()->Sections()[static_cast<size_t>(skinData_->SkinIndex)]
                                   : nullptr;
      message.LParam = message.Result = g && g->GradientPercent + g->ImagePercent > 0 ? 1 : 0;
      return;
    }
    case scGetBgColor:
      if (!skinData_->CustomColor() && Manager()->IsValidSkinIndex(skinData_->SkinIndex))
        SharedTransparentColor = Manager()->Sections()[static_cast<size_t>(skinData_->SkinIndex)].HotColor;
      else
        SharedTransparentColor = ColorToRGB(form_->Color());
      return;
    default:
      next(message);
      return;
  }
}

void TsSkinProvider::Handle(TMessage& message, TWindowProcChain& next) {
  if (!hooked_ || formLife_.expired()) {
    next(message);
    return;
  }
  if (message.Msg == SM_ALPHACMD && SkinCommandAlways(message, next)) return;
  if (!Skinned() || IsDestroying(form_)) {
    if (message.Msg == SM_ALPHACMD && message.WParamHi() == scApplySkin && !IsDestroying(form_) &&
        reinterpret_cast<TsSkinManager*>(message.LParam) == Manager()) {
      Prepare();
      BroadcastToChildren(form_, message);
      return;
    }
    next(message);
    return;
  }
  HWND h = form_->Handle();
  switch (message.Msg) {
    case SM_ALPHACMD:
      SkinCommandSkinned(message, next);
      return;
    case WM_NCPAINT: {
      if (!form_->Showing() || form_->ControlState.Contains(csCreating)) return;
      const TacFormFacts f = Facts();
      if (!settingRegion_ && RegionStale && (HasFrame(f) || (f.Style & WS_THICKFRAME) || f.Iconic)) {
        BuildRegion();
        RegionStale = false;
        ApplyRegion(true);
      }
      skinData_->SetUpdating(false);
      BuildCache();
      HDC dc = GetWindowDC(h);
      PaintNonClient(dc);
      ReleaseDC(h, dc);
      message.Result = 0;
      return;
    }
    case WM_NCACTIVATE:
      if (!adapter_) MakeChildAdapter();
      if (form_->Showing()) {
        if ((message.WParam != 0) != FormActive) skinData_->BGChanged = true;
        // The default handler paints the system caption: no redraw around it.
        SendMessageW(h, WM_SETREDRAW, FALSE, 0);
        next(message);
        SendMessageW(h, WM_SETREDRAW, TRUE, 0);
      } else {
        next(message);
      }
      FormActive = message.WParam != 0;
      if (form_->Showing()) {
        skinData_->BGChanged = true;
        SendMessageW(h, WM_NCPAINT, 0, 0);
      }
      message.Result = 1;
      return;
    case WM_PARENTNOTIFY:
      next(message);
      if (LOWORD(message.WParam) == WM_CREATE) ScanChildren();
      return;
    case WM_NOTIFY:
      next(message);
      if (message.LParam && reinterpret_cast<const NMHDR*>(message.LParam)->code == UINT(TCN_SELCHANGE)) ScanChildren();
      return;
    case WM_ACTIVATE:
      next(message);
      FormActive = LOWORD(message.WParam) != WA_INACTIVE;
      skinData_->BGChanged = true;
      MenuRowCount = -1;
      if (form_->Showing()) SendMessageW(h, WM_NCPAINT, 0, 0);
      if (SystemMenu) SystemMenu->UpdateItems();
      return;
    case WM_NCHITTEST: {
      const TacFormFacts f = Facts();
      if (TitleBarHeight(f) == 0) {
        next(message);
        return;
      }
      BuildCache();
      const TPoint origin = WindowOrigin();
      const TPoint p(static_cast<short>(LOWORD(message.LParam)) - origin.x,
                     static_cast<short>(HIWORD(message.LParam)) - origin.y);
      const int answer = HitTest(p);
      if (answer == 0 || answer == HTCAPTION) {
        next(message);
        SetHot(0, true);
        return;
      }
      message.Result = answer;
      return;
    }
    case WM_NCLBUTTONDOWN:
      NCButtonDown(message, next);
      return;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
      if (message.Msg == WM_LBUTTONUP && !pressedFlag) {
        next(message);
        return;
      }
      NCButtonUp(message, next);
      return;
    case WM_NCLBUTTONDBLCLK: {
      const TacCaptionRules r = CaptionRules(CaptionFacts());
      if (message.WParam == HTCAPTION) {
        if (SystemMenuShown && (r.MaximizeEnabled || r.RestoreEnabled)) {
          if (IsZoomed(h) || IsIconic(h)) {
            form_->SetWindowState(wsNormal);
          } else {
            form_->SetWindowState(wsMaximized);
          }
          if (SystemMenu) SystemMenu->UpdateItems();
          InvalidateFrame();
        }
      } else if (message.WParam == HTSYSMENU) {
        form_->Close();
      }
      message.Result = 0;
      return;
    }
    case WM_NCRBUTTONDOWN:
      if (message.WParam == HTCAPTION || message.WParam == HTSYSMENU) return;
      next(message);
      return;
    case WM_NCRBUTTONUP:
      if (!HasFrame(Facts())) {
        next(message);
        return;
      }
      if (message.WParam == HTCAPTION || message.WParam == HTSYSMENU) {
        SetHot(0, true);
        PopupSystemMenu(static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam)));
      }
      return;
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      if (message.Msg != CM_MOUSELEAVE) trackingLeave_ = false;
      SetHot(0, true);
      next(message);
      return;
    case WM_CREATE:
      next(message);
      Prepare();
      return;
    case WM_SIZE:
      skinData_->BGChanged = true;
      RegionStale = true;
      next(message);
      return;
    case WM_WINDOWPOSCHANGING:
      if (settingRegion_) return;
      if (ScreenSnap && !IsZoomed(h)) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
        if (!(pos->flags & SWP_NOMOVE)) {
          MONITORINFO info{};
          info.cbSize = sizeof info;
          TPoint monitor(0, 0);
          if (auto fromWindow = Bound().MonitorFromWindow.Get())
            if (auto getInfo = Bound().GetMonitorInfoW.Get())
              if (getInfo(fromWindow(h, MONITOR_DEFAULTTONEAREST), &info))
                monitor = TPoint(info.rcMonitor.left, info.rcMonitor.top);
          SnapWindowPos(pos->x, pos->y, form_->Width(), form_->Height(), WorkArea(), monitor, SnapBuffer, false);
        }
      }
      next(message);
      return;
    case WM_WINDOWPOSCHANGED: {
      next(message);
      if (!form_->Showing() || settingRegion_ || SkinLoading) return;
      TBitmap* cache = skinData_->CacheBmp;
      if (cache && (cache->Width() != form_->Width() || cache->Height() != form_->Height())) {
        RegionStale = true;
        skinData_->BGChanged = true;
        MenuRowCount = -1;
        SendMessageW(h, WM_NCPAINT, 0, 0);
      }
      return;
    }
    case WM_SETTEXT:
      next(message);
      if (form_->Showing()) PaintFrameNow();
      return;
    case WM_SYSCOMMAND: {
      next(message);
      const WPARAM command = message.WParam & 0xFFF0;
      if (command == SC_MAXIMIZE || command == SC_RESTORE) {
        MaxButton.State = 0;
        if (ActiveButton == HTMAXBUTTON) ActiveButton = 0;
        InvalidateFrame();
      }
      return;
    }
    case WM_ERASEBKGND:
      message.Result = 0;
      return;
    case WM_PAINT: {
      if (!form_->Showing() || form_->ControlState.Contains(csCreating)) {
        if (form_->AlphaBlend()) next(message);
        return;
      }
      PAINTSTRUCT ps{};
      HDC given = reinterpret_cast<HDC>(message.WParam);
      HDC dc = given ? given : BeginPaint(h, &ps);
      skinData_->SetUpdating(false);
      PaintClient(dc);
      if (!given) EndPaint(h, &ps);
      NotifyChildren(form_);
      message.Result = 0;
      return;
    }
    case WM_PRINT: {
      if (!form_->Showing()) return;
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      BuildCache();
      PaintNonClient(dc);
      const TPoint shift = ClientShiftNow();
      POINT old{};
      SetWindowOrgEx(dc, -shift.x, -shift.y, &old);
      PaintClient(dc);
      SetWindowOrgEx(dc, old.x, old.y, nullptr);
      return;
    }
    case WM_PRINTCLIENT:
      return;
    case CM_ENABLEDCHANGED:
      next(message);
      InvalidateFrame();
      return;
    default:
      next(message);
      return;
  }
}
