#include "ui/ribbon/statusbar/RibbonStatusBar.h"

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarRoutines.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonSkins.h"

DEFINE_CLASS(TdxRibbonStatusBar)
DEFINE_CLASS(TdxRibbonStatusBarViewInfo)
DEFINE_CLASS(TdxRibbonStatusBarDockControl)
DEFINE_CLASS(TdxRibbonStatusBarBarControl)
DEFINE_CLASS(TdxStatusBarToolbarPanelStyle)
DEFINE_CLASS(TdxDefaultRibbonStatusBarBarControlPainter)
DEFINE_CLASS(TdxRibbonStatusBarBarControlPainter)

namespace {

// The skin's colour of the status bar and of its panels' text (states 0 active, 1 inactive, 2 selected).
constexpr int kStatusBarColor = 10018;
constexpr int kPanelTextColor = 10138;

TdxCustomRibbonSkin* SkinOfBar(TdxCustomStatusBar* ABar) {
  auto* bar = dynamic_cast<TdxRibbonStatusBar*>(ABar);
  return bar ? bar->Skin() : nullptr;
}

}  // namespace

// ---- TdxRibbonStatusBar ---------------------------------------------------------------------------

TComponent* TdxRibbonStatusBar::CheckOwner(TComponent* AOwner) {
  return TdxCustomRibbon::CheckOwner(AOwner, &TdxRibbonStatusBar::ClassInfo());
}

TdxRibbonStatusBar::TdxRibbonStatusBar(TComponent* AOwner) : TdxCustomStatusBar(CheckOwner(AOwner)) {
  defaultBarPainter_.reset(new TdxDefaultRibbonStatusBarBarControlPainter());
  RecreateViewInfo();
  Font()->SetColor(clDefault);
  SetColor(clDefault);
  SetHeight(23);
  PainterChanged();
}

TdxRibbonStatusBar::~TdxRibbonStatusBar() {
  if (HasRibbon()) {
    ribbon_->ColorSchemeHandlers()->RemoveHandler(TcxEventHandler(this, &TdxRibbonStatusBar::ColorSchemeChanged));
    ribbon_->RemoveStatusBar(this);
    ribbon_->RemoveFreeNotification(this);
  }
}

bool TdxRibbonStatusBar::HasRibbon() const { return ribbon_ && !ribbon_->IsBeingDestroyed(); }

TdxCustomRibbonSkin* TdxRibbonStatusBar::Skin() const { return HasRibbon() ? ribbon_->ColorScheme() : nullptr; }

void TdxRibbonStatusBar::SetRibbon(TdxCustomRibbon* Value) {
  if (Value == ribbon_) return;
  const TcxEventHandler handler(this, &TdxRibbonStatusBar::ColorSchemeChanged);
  if (HasRibbon()) {
    ribbon_->RemoveFreeNotification(this);
    ribbon_->ColorSchemeHandlers()->RemoveHandler(handler);
    ribbon_->RemoveStatusBar(this);
  }
  ribbon_ = Value;
  if (ribbon_) {
    ribbon_->FreeNotification(this);
    ribbon_->ColorSchemeHandlers()->AddHandler(handler);
    ribbon_->AddStatusBar(this);
  }
  UpdateColor();
}

void TdxRibbonStatusBar::SetColor(TColor Value) {
  colorValue_ = Value;
  if (Value != clDefault) TdxCustomStatusBar::SetColor(Value);
  UpdateColor();
}

void TdxRibbonStatusBar::UpdateColor() {
  if (colorValue_ == clDefault) {
    TdxCustomRibbonSkin* skin = Skin();
    TdxCustomStatusBar::SetColor(skin ? skin->PartColorOf(kStatusBarColor, 0) : clBtnFace);
  }
  UpdateLayout();
}

void TdxRibbonStatusBar::ColorSchemeChanged(TObject*, const void*) { UpdateColor(); }

bool TdxRibbonStatusBar::IsShownFor(TCustomForm* AForm) { return Visible() && AForm && Owner() == AForm; }

bool TdxRibbonStatusBar::GetEdgeFlag(int Index) {
  switch (Index) {
    case 0: return sizeGripShown_;
    case 1: return firstPanelRaised_;
    default: return false;
  }
}

void TdxRibbonStatusBar::AdjustDefaultTextColor(TColor& AColor, bool Active) {
  if (TdxCustomRibbonSkin* skin = Skin())
    AColor = skin->PartColorOf(kPanelTextColor, Active ? 0 : 1);
  else
    // A font left to the skin has no colour of its own to draw with.
    AColor = Font()->Color() == clDefault ? clWindowText : Font()->Color();
}

TdxStatusBarViewInfo* TdxRibbonStatusBar::CreateViewInfo() { return new TdxRibbonStatusBarViewInfo(this); }

TdxStatusBarPainterClass TdxRibbonStatusBar::SelectPainterClass() { return TdxRibbonStatusBarPainter::Class(); }

void TdxRibbonStatusBar::CalculateLayout() {
  TdxCustomStatusBar::CalculateLayout();
  RecomputeFlags();
}

void TdxRibbonStatusBar::RecomputeFlags() {
  const auto& panels = ViewInfo()->VisiblePanels();
  lastPanelFlat_ = panels.empty() || panels.back()->Bevel() != dxpbRaised;
  firstPanelRaised_ = !panels.empty() && panels.front()->Bevel() == dxpbRaised;
  sizeGripShown_ = Parent() && IsSizeGripVisible();
}

void TdxRibbonStatusBar::SetParent(TWinControl* AParent) {
  if (AParent && !GetParentForm(AParent))
    throw Exception(Format(L"%s should have TCustomForm as its Parent", {ClassName()}));
  TdxCustomStatusBar::SetParent(AParent);
  SetTop(32000);
}

void TdxRibbonStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
  TdxCustomStatusBar::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == ribbon_) {
    ribbon_ = nullptr;
    UpdateColor();
  }
  for (TdxStatusBarToolbarPanelStyle* style : ToolbarStyles())
    if (style->Toolbar() == AComponent) style->SetToolbar(nullptr);
}

void TdxRibbonStatusBar::CMBarVisibleChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  UpdateFormFrame();
}

void TdxRibbonStatusBar::UpdateFormFrame() {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!HasRibbon() || !form || !form->HandleAllocated() || !form->Visible()) return;
  SetWindowPos(form->Handle(), nullptr, 0, 0, form->Width(), form->Height(),
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<TdxStatusBarToolbarPanelStyle*> TdxRibbonStatusBar::ToolbarStyles() const {
  std::vector<TdxStatusBarToolbarPanelStyle*> styles;
  if (!Panels()) return styles;
  for (int i = 0; i < Panels()->Count(); ++i)
    if (auto* style = dynamic_cast<TdxStatusBarToolbarPanelStyle*>(Panels()->PanelAt(i)->PanelStyle()))
      styles.push_back(style);
  return styles;
}

void TdxRibbonStatusBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (HandleAllocated() && !IsLoadingOrReading() && !IsBeingDestroyed())
    for (TdxStatusBarToolbarPanelStyle* style : ToolbarStyles()) {
      TdxRibbonStatusBarBarControl* control = style->BarControl();
      if (!control || !control->HandleAllocated()) continue;
      const TRect borders = Painter()->BorderSizes(this);
      AHeight = std::max(AHeight, int(borders.top + borders.bottom + control->Height()));
    }
  TdxCustomStatusBar::SetBounds(ALeft, ATop, AWidth, AHeight);
  Recalculate();
}

// ---- TdxRibbonStatusBarViewInfo -------------------------------------------------------------------

// The dock controls are placed in every state of the form, also while it is first shown.
void TdxRibbonStatusBarViewInfo::ComputeLayout(const TRect& Bounds) {
  TdxStatusBarViewInfo::ComputeLayout(Bounds);
  auto* bar = static_cast<TdxRibbonStatusBar*>(StatusBar());
  const TRect R = bar->PanelsBounds();
  const bool grip = bar->Parent() && bar->IsSizeGripVisible();
  int x = R.left;
  for (std::size_t j = 0; j < VisiblePanels().size(); ++j) {
    const int width = Widths()[j * 2];
    if (auto* style = dynamic_cast<TdxStatusBarToolbarPanelStyle*>(VisiblePanels()[j]->PanelStyle())) {
      TdxRibbonStatusBarDockControl* dock = style->DockControl();
      int right = x + width;
      if (grip) right = std::max(2, std::min(right, int(R.right) - 19));
      dock->SetBounds(x, R.top, right - x, dock->Height());
    }
    x += width;
    if (j * 2 + 1 < Widths().size()) x += Widths()[j * 2 + 1];
  }
}

// ---- TdxRibbonStatusBarPainter --------------------------------------------------------------------

TdxStatusBarPainterClass TdxRibbonStatusBarPainter::Class() {
  static const TdxRibbonStatusBarPainter painter;
  return &painter;
}

TdxStatusBarPanelBevel TdxRibbonStatusBarPainter::EffectiveBevel(TdxStatusBarPanel* APanel) const {
  return APanel ? APanel->Bevel() : dxpbNone;
}

void TdxRibbonStatusBarPainter::DrawBorder(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect& R) const {
  const HDC dc = ACanvas->DCHandle();
  if (TdxCustomRibbonSkin* skin = SkinOfBar(ABar)) {
    skin->DrawStatusBarBackground(dc, R);
  } else {
    FillRectSolid(dc, R, clBtnShadow);
    FillRectSolid(dc, TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1), clBtnFace);
  }
  const TRect b = BorderSizes(ABar);
  R = TRect(R.left + b.left, R.top + b.top, R.right - b.right, R.bottom - b.bottom);
}

void TdxRibbonStatusBarPainter::DrawEmptyArea(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, TRect R) const {
  DrawPanelBevel(ABar, dxpbNone, R, ACanvas);
}

void TdxRibbonStatusBarPainter::DrawPanelBevel(TdxCustomStatusBar* ABar, TdxStatusBarPanelBevel ABevel, TRect& R,
                                               TcxCanvas* ACanvas) const {
  if (TdxCustomRibbonSkin* skin = SkinOfBar(ABar))
    skin->DrawStatusBarPanel(ACanvas->DCHandle(), R, ABevel != dxpbRaised);
  else
    TdxStatusBarPainter::DrawPanelBevel(ABar, ABevel, R, ACanvas);
}

void TdxRibbonStatusBarPainter::DrawSeparator(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, const TRect& R) const {
  if (TdxCustomRibbonSkin* skin = SkinOfBar(ABar))
    skin->DrawStatusBarPanelSeparator(ACanvas->DCHandle(), R);
  else
    FillRectSolid(ACanvas->DCHandle(), R, clBtnShadow);
}

void TdxRibbonStatusBarPainter::PaintSizeGrip(TdxCustomStatusBar* ABar, TcxCanvas* ACanvas, bool Overlapped,
                                              const TRect& R) const {
  const HDC dc = ACanvas->DCHandle();
  const TSize size = SizeGripSize();
  if (TdxCustomRibbonSkin* skin = SkinOfBar(ABar)) {
    TRect grip(R.right - size.cx, R.top, R.right, R.bottom);
    skin->DrawStatusBarGripArea(dc, grip);
    skin->DrawStatusBarSizeGrip(dc, TRect(grip.left, grip.top, grip.right + 1 + (Overlapped ? 1 : 0), grip.bottom - 3));
    if (!static_cast<TdxRibbonStatusBar*>(ABar)->LastPanelFlat()) grip.left += 3;
    ACanvas->SubtractFromClip(grip);
    return;
  }
  const TRect inner(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1);
  TRect grip(inner.right - size.cx, inner.bottom - size.cy, inner.right, inner.bottom);
  if (Overlapped) grip.left -= 1;
  FillRectSolid(dc, grip, clBtnFace);
  DrawTransparentSizeGrip(dc, grip);
  ACanvas->SubtractFromClip(grip);
}

// ---- TdxRibbonStatusBarDockControl ----------------------------------------------------------------

TdxRibbonStatusBarDockControl::TdxRibbonStatusBarDockControl(TdxStatusBarToolbarPanelStyle* AStyle)
    : TdxBarDockControl(nullptr), style_(AStyle) {
  AllowDocking = false;
  SetDockAlign(dalNone);
}

TdxRibbonStatusBar* TdxRibbonStatusBarDockControl::StatusBar() const {
  return dynamic_cast<TdxRibbonStatusBar*>(style_->StatusBar());
}

TdxStatusBarPanel* TdxRibbonStatusBarDockControl::Panel() const { return style_->Owner(); }

TdxBarControl* TdxRibbonStatusBarDockControl::CreateBarControlFor(TdxBar* Bar) {
  return new TdxRibbonStatusBarBarControl(Bar->BarManager(), Bar);
}

TdxBarPainter* TdxRibbonStatusBarDockControl::Painter() {
  TdxRibbonStatusBar* bar = StatusBar();
  if (!bar) return TdxBarDockControl::Painter();
  if (!bar->HasRibbon()) {
    painter_.reset();
    return bar->DefaultBarPainter();
  }
  if (!painter_ || painter_->SkinOwner() != bar->Ribbon())
    painter_.reset(new TdxRibbonStatusBarBarControlPainter(bar, bar->Ribbon()));
  return painter_.get();
}

TdxBarPainter* TdxRibbonStatusBarBarControl::Painter() {
  if (auto* dock = dynamic_cast<TdxRibbonStatusBarDockControl*>(DockControl())) return dock->Painter();
  return TdxRibbonCustomBarControl::Painter();
}

void TdxRibbonStatusBarDockControl::FillBackground(HDC DC, const TRect& R, HBRUSH Brush, TColor Color) {
  TdxRibbonStatusBar* bar = StatusBar();
  TdxCustomRibbonSkin* skin = bar ? bar->Skin() : nullptr;
  if (!skin) return FillRectSolid(DC, R, clBtnFace);
  (void)Brush, (void)Color;
  const TRect client = ClientRect();
  const int statusBarHeight = bar->Height();
  skin->DrawStatusBarPanel(DC, TRect(client.left, client.top, client.right, statusBarHeight),
                           Panel()->Bevel() != dxpbRaised);
}

// ---- TdxStatusBarToolbarPanelStyle ----------------------------------------------------------------

TdxStatusBarToolbarPanelStyle::TdxStatusBarToolbarPanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner) {
  dockControl_ = new TdxRibbonStatusBarDockControl(this);
  if (TdxCustomStatusBar* bar = StatusBar()) dockControl_->SetParent(bar);
}

TdxStatusBarToolbarPanelStyle::~TdxStatusBarToolbarPanelStyle() {
  SetToolbar(nullptr);
  FreeAndNil(dockControl_);
}

TdxBarManager* TdxStatusBarToolbarPanelStyle::BarManager() {
  TdxCustomStatusBar* bar = StatusBar();
  TdxBarManager* manager = bar ? LookupBarManagerByOwner(bar->Owner()) : nullptr;
  if (!manager) throw Exception(L"A bar manager cannot be found for the status bar");
  return manager;
}

TdxBar* TdxStatusBarToolbarPanelStyle::FindToolbar(const String& AName) {
  TdxBars* bars = BarManager()->Bars();
  for (int i = 0; i < bars->Count(); ++i)
    if (!AName.empty() && SameText(bars->BarAt(i)->Name(), AName)) return bars->BarAt(i);
  return nullptr;
}

TdxRibbonStatusBarBarControl* TdxStatusBarToolbarPanelStyle::BarControl() const {
  if (!toolbar_ || toolbar_->DockControl() != dockControl_) return nullptr;
  return dynamic_cast<TdxRibbonStatusBarBarControl*>(toolbar_->Control());
}

void TdxStatusBarToolbarPanelStyle::SetToolbar(TdxBar* Value) {
  if (Value == toolbar_) return;
  TdxCustomStatusBar* bar = StatusBar();
  if (toolbar_) {
    if (bar) toolbar_->RemoveFreeNotification(bar);
    UndockBarCompletely(toolbar_);
  }
  toolbar_ = Value;
  if (toolbar_) {
    if (bar) toolbar_->FreeNotification(bar);
    dockControl_->SetBarManager(toolbar_->BarManager());
    MoveBarToDockControl(toolbar_, dockControl_);
  } else {
    dockControl_->SetBarManager(nullptr);
  }
  if (bar && !bar->IsBeingDestroyed()) bar->UpdateLayout();
}

int TdxStatusBarToolbarPanelStyle::DefaultMinWidth() {
  TdxRibbonStatusBarBarControl* control = BarControl();
  if (!PanelFixed() || !control) return 50;
  return control->OneRowWidth(dsNone) + 2;
}

void TdxStatusBarToolbarPanelStyle::VisibilityChanged() { dockControl_->SetVisible(Owner()->Visible()); }

void TdxStatusBarToolbarPanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::CopyFrom(Source);
  if (auto* source = dynamic_cast<TdxStatusBarToolbarPanelStyle*>(Source)) {
    TdxCustomStatusBar* bar = StatusBar();
    // Copying between forms finds the toolbar of the same name on this one.
    if (bar && bar->IsUpdating() && source->Toolbar())
      SetToolbar(FindToolbar(source->Toolbar()->Name()));
    else
      SetToolbar(source->Toolbar());
  }
}

// ---- bar painters ---------------------------------------------------------------------------------

namespace {

int StatusBarButtonVertPadding() {
  BOOL composition = FALSE;
  auto enabled = Bound().DwmIsCompositionEnabled.Get();
  return enabled && SUCCEEDED(enabled(&composition)) && composition ? 2 : 4;
}

}  // namespace

int TdxDefaultRibbonStatusBarBarControlPainter::ButtonVertPadding() { return StatusBarButtonVertPadding(); }

TdxRibbonStatusBarBarControlPainter::TdxRibbonStatusBarBarControlPainter(TdxRibbonStatusBar* AStatusBar,
                                                                         TObject* ARibbon)
    : TdxBarSkinnedPainter(TcxCustomLookAndFeelPainterClass{}, ARibbon), statusBar_(AStatusBar) {}

TdxCustomRibbonSkin* TdxRibbonStatusBarBarControlPainter::Skin() const {
  return statusBar_ ? statusBar_->Skin() : nullptr;
}

int TdxRibbonStatusBarBarControlPainter::ButtonVertPadding() { return StatusBarButtonVertPadding(); }

bool TdxRibbonStatusBarBarControlPainter::DrawPanelImage(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  TdxCustomRibbonSkin* skin = Skin();
  auto* dock = dynamic_cast<TdxRibbonStatusBarDockControl*>(BarControl->DockControl());
  if (!skin || !dock || !BarControl->HandleAllocated() || !statusBar_->HandleAllocated()) return false;
  // The bar's window top in status-bar coordinates: the image runs over the status bar's height.
  POINT origin{0, 0};
  MapWindowPoints(BarControl->Handle(), statusBar_->Handle(), &origin, 1);
  const int top = -origin.y;
  skin->DrawStatusBarPanel(DC, TRect(R.left, top, R.right, top + statusBar_->Height()),
                           dock->Panel()->Bevel() != dxpbRaised);
  return true;
}

void TdxRibbonStatusBarBarControlPainter::DrawBarControlBackground(TdxBarControl* BarControl, HDC DC,
                                                                   const TRect& R) {
  if (!DrawPanelImage(BarControl, DC, R)) TdxBarSkinnedPainter::DrawBarControlBackground(BarControl, DC, R);
}

void TdxRibbonStatusBarBarControlPainter::DrawBarNonClientArea(TdxBarControl* BarControl, HDC DC, const TRect& R) {
  if (!Skin()) return TdxBarSkinnedPainter::DrawBarNonClientArea(BarControl, DC, R);
  // R is the window; the client area is left out of the clip and drawn by the background.
  const int saved = SaveDC(DC);
  const TRect client = BarControl->ClientRect();
  POINT offset{0, 0};
  ClientToScreen(BarControl->Handle(), &offset);
  RECT window{};
  GetWindowRect(BarControl->Handle(), &window);
  const int dx = offset.x - window.left, dy = offset.y - window.top;
  ExcludeClipRect(DC, R.left + dx, R.top + dy, R.left + dx + client.Width(), R.top + dy + client.Height());
  DrawPanelImage(BarControl, DC, R);
  RestoreDC(DC, saved);
}

void TdxRibbonStatusBarBarControlPainter::DrawBarSeparator(TdxBarControl* BarControl, HDC DC, const TRect& R,
                                                           bool Horizontal) {
  TdxCustomRibbonSkin* skin = Skin();
  if (!skin) return TdxBarSkinnedPainter::DrawBarSeparator(BarControl, DC, R, Horizontal);
  const int raise = CalcBarBorderRect(BarControl).top;
  skin->DrawStatusBarToolbarSeparator(DC, TRect(R.left, R.top - raise, R.right, R.bottom - raise));
}

void TdxRibbonStatusBarBarControlPainter::DisabledTextColors(bool Selected, bool Flat, TColor& Text, TColor& Shadow) {
  TdxCustomRibbonSkin* skin = Skin();
  if (!skin) return TdxBarSkinnedPainter::DisabledTextColors(Selected, Flat, Text, Shadow);
  Text = Shadow = skin->PartColorOf(kPanelTextColor, 1);
}

TColor TdxRibbonStatusBarBarControlPainter::ItemTextColor(TdxBarItemControl* Control, bool Selected, bool Flat) {
  TdxCustomRibbonSkin* skin = Skin();
  if (!skin) return TdxBarSkinnedPainter::ItemTextColor(Control, Selected, Flat);
  return skin->PartColorOf(kPanelTextColor, Selected ? 2 : 0);
}
