#include "ui/bars/BarControl.h"
#include "ui/bars/customize/DesignController.h"

#include <algorithm>
#include <cmath>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarEditControls.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSupport.h"
#include "ui/foundation/Controls.h"
#include "ui/foundation/Geometry.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/SubItems.h"

DEFINE_CLASS(TCustomdxBarControlViewInfo)
DEFINE_CLASS(TdxBarShadow)
DEFINE_CLASS(TdxBarShadowPart)
DEFINE_CLASS(TCustomdxBarControl)
DEFINE_CLASS(TdxBarDropDownListBox)

// ---- the live windows and the active chain -------------------------------------------------------

namespace {

std::vector<TCustomdxBarControl*> g_liveControls;
TCustomdxBarControl* g_activeChainHead = nullptr;
bool g_chainBeganCustomizing = false;

// The manager a new bar window stands on: it must have a painter.
TdxBarManager* CheckedBarOwner(TdxBarManager* Manager) {
  if (!Manager || !Manager->Painter()) throw EdxBarException(L"No bar painter is registered");
  return Manager;
}

}  // namespace

void RegisterBarControl(TCustomdxBarControl* Control) { g_liveControls.push_back(Control); }

void UnregisterBarControl(TCustomdxBarControl* Control) {
  auto it = std::find(g_liveControls.begin(), g_liveControls.end(), Control);
  if (it != g_liveControls.end()) g_liveControls.erase(it);
  if (g_activeChainHead == Control) g_activeChainHead = nullptr;
}

bool IsLiveBarControl(TObject* Object) {
  return Object && std::find(g_liveControls.begin(), g_liveControls.end(), Object) != g_liveControls.end();
}

int LiveBarControlCount() { return int(g_liveControls.size()); }

TCustomdxBarControl* ActiveBarControl() { return g_activeChainHead; }
void SetActiveBarControl(TCustomdxBarControl* Control) { g_activeChainHead = Control; }

TdxBarManager* ActiveBarManager() { return g_activeChainHead ? g_activeChainHead->OwningBarManager() : nullptr; }

bool ActiveBarWindowEnabled() {
  return g_activeChainHead && g_activeChainHead->HandleAllocated() &&
         IsWindowEnabledDeep(g_activeChainHead->Handle());
}

bool ChainBeganCustomizing() { return g_chainBeganCustomizing; }
void SetChainBeganCustomizing(bool Value) { g_chainBeganCustomizing = Value; }

TCustomdxBarControl* TopBarOfChain(TCustomdxBarControl* Control) {
  TCustomdxBarControl* result = Control;
  while (result && !result->IsDestroying()) {
    TCustomdxBarControl* parent = result->ParentBar();
    if (!parent || (result->InPopupChain() && !parent->InPopupChain())) break;
    result = parent;
  }
  return result;
}

TCustomdxBarControl* TopToolbarOfChain(TCustomdxBarControl* Control) {
  TCustomdxBarControl* top = TopBarOfChain(Control);
  return top && top->BarKind() != 2 ? top : nullptr;
}

TCustomdxBarControl* ItemControlChainRoot(TdxBarItemControl* Control) {
  return Control ? TopBarOfChain(Control->BarControl()) : nullptr;
}

TCustomdxBarControl* ParentToolbarOfControl(TdxBarItemControl* Control) {
  TCustomdxBarControl* root = ItemControlChainRoot(Control);
  return root && root->BarKind() != 2 ? root : nullptr;
}

bool AnotherBarControlActive(TCustomdxBarControl* Control, bool MouseOutsideOnly) {
  // Without a chain the design controller's quick-customization bar would be asked; there is none.
  TCustomdxBarControl* head = ActiveBarControl();
  if (!head) return false;
  TdxBarItemControl* selected = head->SelectedItemControl();
  if (selected && selected->IsDroppedDown()) {
    if (!MouseOutsideOnly) return true;
    return !ItemControlScreenBounds(selected).Contains(SafeCursorPos());
  }
  return head != Control && head->ParentBar() != nullptr;
}

void CloseActiveBarMenus() {
  if (TCustomdxBarControl* head = ActiveBarControl()) head->GuardedClose();
}

// ---- the window's view info ---------------------------------------------------------------------

void TCustomdxBarControlViewInfo::ClearLayout() {
  itemInfos_.clear();
  ClearSeparators();
}

void TCustomdxBarControlViewInfo::RemoveItemInfo(TdxBarItemControlViewInfo* Info) {
  auto it = std::find(itemInfos_.begin(), itemInfos_.end(), Info);
  if (it != itemInfos_.end()) itemInfos_.erase(it);
}

int TCustomdxBarControlViewInfo::ItemControlIndex(TdxBarItemControl* Control) const {
  if (!Control) return -1;
  auto it = std::find(itemInfos_.begin(), itemInfos_.end(), Control->ViewInfo());
  return it == itemInfos_.end() ? -1 : int(it - itemInfos_.begin());
}

void TCustomdxBarControlViewInfo::PlaceShownLinks() {
  TdxBarItemLinks* links = barControl_->ItemLinks();
  if (!links) return;
  for (int i = 0; i < links->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShownLinkAt(i);
    TdxBarItemControl* control = link->ItemControl();
    const TRect r = link->ItemRect();
    if (!control || r.IsEmpty()) continue;
    control->ViewInfo()->SetBounds(r);
    AddItemInfo(control->ViewInfo());
    if (link->BeginGroup()) AddGroupSeparator(i, link, control, r);
  }
}

void TCustomdxBarControlViewInfo::AppendSeparator(const TRect& R, Byte Kind, TdxBarItemControl* Control) {
  separators_.push_back(Separator{Control, R, Kind});
}

bool TCustomdxBarControlViewInfo::FindSeparatorFor(TdxBarItemControl* Control, int& Index) const {
  for (int i = 0; i < SeparatorCount(); ++i) {
    if (separators_[i].Control == Control) {
      Index = i;
      return true;
    }
  }
  return false;
}

void TCustomdxBarControlViewInfo::GetSeparatorInfo(int Index, TdxBarSeparatorInfo& Info) const {
  Info.Bounds = separators_[Index].Bounds;
  Info.Kind = separators_[Index].Kind;
}

void TCustomdxBarControlViewInfo::SetSeparatorInfo(int Index, const TdxBarSeparatorInfo& Info) {
  separators_[Index].Bounds = Info.Bounds;
  separators_[Index].Kind = Info.Kind;
}

void TCustomdxBarControlViewInfo::RemoveSeparatorsOf(TdxBarItemControl* Control) {
  separators_.erase(std::remove_if(separators_.begin(), separators_.end(),
                                   [Control](const Separator& S) { return S.Control == Control; }),
                    separators_.end());
}

// ---- the shadow ---------------------------------------------------------------------------------

namespace {

constexpr int kCornerLeft = 1, kCornerRight = 2, kCornerTop = 4;

}  // namespace

std::vector<TdxBarShadowPartPlan> PlanShadowParts(bool Horizontal, const TRect& O, const TRect& W, int S) {
  std::vector<TdxBarShadowPartPlan> parts;
  auto add = [&](int Kind, TSet<int> Corners, int L, int T, int R, int B) {
    const TRect r{L, T, R, B};
    if (!r.IsEmpty()) parts.push_back({Kind, Corners, r});
  };
  const bool owner = !O.IsEmpty();
  if (Horizontal) {
    if (owner) add(1, {kCornerTop}, O.right, O.top + S, O.right + S, O.bottom);
    add(0, {kCornerLeft, kCornerRight}, W.left + S, W.bottom, W.right + S, W.bottom + S);
    if (owner) {
      if (O.left + S < W.left) add(0, {kCornerLeft}, O.left + S, O.bottom, W.left, O.bottom + S);
      if (W.right < O.right) add(0, {kCornerRight}, W.right, O.bottom, O.right + S, O.bottom + S);
    }
    if (!owner || O.right < W.right)
      add(1, {kCornerTop}, W.right, W.top + S, W.right + S, W.bottom);
    else
      add(1, {}, W.right, W.top, W.right + S, W.bottom);
  } else {
    add(1, {kCornerTop}, W.right, W.top + S, W.right + S, W.bottom);
    if (O.top + S < W.top) add(1, {kCornerTop}, O.right, O.top + S, O.right + S, W.top);
    if (W.bottom < O.bottom) {
      add(0, {kCornerLeft, kCornerRight}, O.left + S, O.bottom, O.right + S, O.bottom + S);
      add(1, {}, O.right, W.bottom, O.right + S, O.bottom);
    } else {
      add(0, {kCornerLeft}, O.left + S, O.bottom, O.right, O.bottom + S);
    }
    if (O.bottom < W.bottom)
      add(0, {kCornerLeft, kCornerRight}, W.left + S, W.bottom, W.right + S, W.bottom + S);
    else
      add(0, {kCornerRight}, W.left, W.bottom, W.right + S, W.bottom + S);
  }
  return parts;
}

TdxBarShadow::~TdxBarShadow() { DestroyParts(); }

int TdxBarShadow::ShadowSize() { return IsTransparent() ? 4 : 2; }

bool TdxBarShadow::IsTransparent() { return Bound().UpdateLayeredWindow.Get() && ScreenColorDepth() > 8; }

int TdxBarShadow::PartCount() const {
  return int(std::count_if(std::begin(parts_), std::end(parts_), [](TdxBarShadowPart* p) { return p != nullptr; }));
}

void TdxBarShadow::SetRects(const TRect& OwnerRect, const TRect& WindowRect) {
  ownerRect_ = OwnerRect;
  windowRect_ = WindowRect;
  horizontal_ = OwnerRect.IsEmpty() || OwnerRect.bottom == WindowRect.top || OwnerRect.top == WindowRect.bottom;
  if ((horizontal_ && !OwnerRect.IsEmpty() && OwnerRect.top == WindowRect.bottom) ||
      (!horizontal_ && OwnerRect.left == WindowRect.right))
    std::swap(ownerRect_, windowRect_);
  Refresh();
}

void TdxBarShadow::ChangeVisibility(bool Value) {
  if (visible_ == Value) return;
  visible_ = Value;
  for (TdxBarShadowPart* part : parts_) {
    if (!part) continue;
    if (Value)
      part->ShowPart();
    else
      part->HidePart();
  }
}

void TdxBarShadow::Refresh() {
  DestroyParts();
  CreateParts();
}

void TdxBarShadow::DestroyParts() {
  for (TdxBarShadowPart*& part : parts_) FreeAndNil(part);
}

void TdxBarShadow::AddPart(int Kind, TSet<int> Corners, const TRect& R) {
  for (TdxBarShadowPart*& slot : parts_) {
    if (slot) continue;
    slot = new TdxBarShadowPart(this, Kind, Corners);
    slot->SetPartBounds(R);
    return;
  }
}

void TdxBarShadow::CreateParts() {
  if (windowRect_.IsEmpty()) return;
  for (const TdxBarShadowPartPlan& plan : PlanShadowParts(horizontal_, ownerRect_, windowRect_, ShadowSize()))
    AddPart(plan.Kind, plan.Corners, plan.Bounds);
}

TdxBarShadowPart::TdxBarShadowPart(TdxBarShadow* AShadow, int AKind, TSet<int> ACorners)
    : TCustomControl(nullptr), shadow_(AShadow), kind_(AKind), corners_(ACorners), image_(new TBitmap) {
  TControl::SetVisible(false);
  SetColor(clBtnShadow);
}

TdxBarShadowPart::~TdxBarShadowPart() = default;

void TdxBarShadowPart::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = 0;
  if (TdxBarShadow::IsTransparent()) Params.ExStyle |= WS_EX_LAYERED;
  TWinControl* owner = shadow_->Owner();
  if (owner && owner->HandleAllocated() && (GetWindowLongPtrW(owner->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
    Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
  Params.WindowClassStyle = 0;
}

bool TdxBarShadowPart::LargeEnough() const {
  if (corners_.Empty()) return true;
  const int s = TdxBarShadow::ShadowSize();
  return Width() >= s && Height() >= s;
}

void TdxBarShadowPart::SetPartBounds(const TRect& R) {
  SetBoundsRect(R);
  BuildImage();
  if (shadow_->Visible()) ShowPart();
}

void TdxBarShadowPart::BuildImage() {
  image_->SetSize(0, 0);
  if (!LargeEnough()) return;
  const int w = Width(), h = Height(), s = TdxBarShadow::ShadowSize();
  std::vector<DWORD> pixels(size_t(w) * size_t(h), 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int alpha = 15 * (kind_ == 0 ? h - y : w - x);
      // The faded ends: d is the distance from that end, across the first s pixels of the thickness.
      auto fade = [&](int d, int across) {
        if (d < s && across < s) alpha = MulDiv(alpha, d + 1, s + 1);
      };
      if (kind_ == 0) {
        if (corners_.Contains(kCornerLeft)) fade(x, y);
        if (corners_.Contains(kCornerRight)) fade(w - 1 - x, y);
      } else if (corners_.Contains(kCornerTop)) {
        fade(y, x);
      }
      pixels[size_t(y) * w + x] = DWORD(std::clamp(alpha, 0, 255)) << 24;
    }
  }
  image_->SetPixelFormat(pf32bit);
  image_->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    std::copy_n(pixels.data() + size_t(y) * w, w, static_cast<DWORD*>(image_->ScanLine(y)));
}

Byte TdxBarShadowPart::AlphaAt(int X, int Y) const {
  if (image_->Empty() || X < 0 || Y < 0 || X >= image_->Width() || Y >= image_->Height()) return 0;
  return Byte(static_cast<const DWORD*>(image_->ScanLine(Y))[X] >> 24);
}

void TdxBarShadowPart::ShowPart() {
  if (!LargeEnough()) return;
  HWND window = Handle();
  if (TdxBarShadow::IsTransparent() && !image_->Empty()) {
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(source, image_->Handle());
    POINT position{Left(), Top()}, origin{0, 0};
    SIZE size{Width(), Height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    Bound().UpdateLayeredWindow.Get()(window, screen, &position, &size, source, &origin, 0, &blend, ULW_ALPHA);
    SelectObject(source, old);
    DeleteDC(source);
    ReleaseDC(nullptr, screen);
  }
  TWinControl* owner = shadow_->Owner();
  HWND after = owner && owner->HandleAllocated() ? owner->Handle() : HWND_TOP;
  SetWindowPos(window, after, Left(), Top(), Width(), Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TdxBarShadowPart::HidePart() {
  if (!HandleAllocated()) return;
  ShowWindow(Handle(), SW_HIDE);
  DestroyHandle();
}

void TdxBarShadowPart::Paint() {
  const RECT r = ClientRect();
  HBRUSH brush = CreateSolidBrush(ColorToRGB(clBtnShadow));
  FillRect(Canvas()->Handle(), &r, brush);
  DeleteObject(brush);
}

// ---- the common bar window: life ----------------------------------------------------------------

TCustomdxBarControl::TCustomdxBarControl(TdxBarManager* AOwner)
    : TCustomControl(CheckedBarOwner(AOwner)), barManager_(AOwner) {
  canvas_.reset(new TcxCanvas(Canvas()));
  RegisterBarControl(this);
  ControlStyle.Exclude(csCaptureMouse);
  UpdateControlStyle();
  SetColor(clBtnFace);
  lastMousePos_ = TPoint{-1, -1};
  shadow_.reset(new TdxBarShadow(this));
  TControl::SetVisible(false);
  SetBounds(100, 100, 50, 30);
  backgroundCache_.reset(new TBitmap);
  viewState_ = bvsNormal;
}

void TCustomdxBarControl::BeforeDestruction() {
  // A child bar window that is not being destroyed itself goes first; the parent forgets this one.
  if (childBar_ && !childBar_->IsDestroying()) {
    TCustomdxBarControl* child = childBar_;
    childBar_ = nullptr;
    child->parentBar_ = nullptr;
    child->Free();
  }
  if (parentBar_ && parentBar_->childBar_ == this) parentBar_->childBar_ = nullptr;
  parentBar_ = nullptr;
  TCustomControl::BeforeDestruction();
  // A window that went with its parent's (WM_NCDESTROY) kept its item controls: none may outlive
  // this object, since each one calls back into its bar window when it goes. The links may belong
  // to a newer window by now; its controls stay.
  if (itemLinks_ && !HasState(bcsCreatingControls) && !HasState(bcsDestroyingControls)) {
    for (int i = itemLinks_->Count() - 1; i >= 0; --i) {
      TdxBarItemLink* link = itemLinks_->LinkAt(i);
      if (link->ItemControl() && link->ItemControl()->BarControl() == this) link->DestroyItemControl();
    }
  }
  DetachFromManager();
}

void TCustomdxBarControl::DetachFromManager() {
  barManager_->EndMouseTracking(this);
  barManager_->ForgetHintObject(this);
  FireDestroyCallback();
  if (TdxBarItemControl* selected = barManager_->SelectedItemControl()) {
    if (selected->BarControl() == this) barManager_->SetSelectedItemControl(nullptr);
  }
  if (itemLinks_) {
    itemLinks_->barControl_ = nullptr;
  }
  if (IsCustomizing() && BarKind() == 2) selectedLink_ = nullptr;
  if (barManager_->KeyboardFocusedBar() == this) barManager_->SetKeyboardFocusedBar(nullptr);
  DetachAccessibilityHelper(accessibilityHelper_);
}

TCustomdxBarControl::~TCustomdxBarControl() {
  UnregisterBarControl(this);
  InvalidateObjectLinks(this);
  for (const ExpandedLink& expanded : expandedLinks_) ReleaseObjectLink(expanded.Alive);
  shadow_.reset();
  backgroundCache_.reset();
  viewInfo_.reset();
  temporaryCanvas_.reset();
  canvas_.reset();
}

// ---- owner, canvas, painter ---------------------------------------------------------------------

TcxCanvas* TCustomdxBarControl::CurrentCanvas() {
  if (HandleAllocated()) {
    if (temporaryCanvas_) {
      temporaryCanvas_.reset();
      UpdateCanvasFont();
    }
    return canvas_.get();
  }
  if (!temporaryCanvas_) {
    temporaryCanvas_.reset(new TcxScreenCanvas);
    UpdateCanvasFont();
  }
  return temporaryCanvas_.get();
}

TCustomdxBarControlViewInfo* TCustomdxBarControl::ViewInfo() {
  if (!viewInfo_) viewInfo_.reset(CreateViewInfo());
  return viewInfo_.get();
}

TdxBarPainter* TCustomdxBarControl::Painter() {
  if (ownPainter_) return ownPainter_;
  if (parentBar_) return parentBar_->Painter();
  return barManager_->Painter();
}

void TCustomdxBarControl::UpdateControlStyle() {
  if (barManager_->EffectiveStyle() != bmsStandard || IsCustomizing())
    ControlStyle.Include(csDoubleClicks);
  else
    ControlStyle.Exclude(csDoubleClicks);
}

void TCustomdxBarControl::UpdateCanvasFont() {
  if (HasState(bcsApplyingFont)) return;
  SetState(bcsApplyingFont, true);
  TcxCanvas* canvas = temporaryCanvas_ ? static_cast<TcxCanvas*>(temporaryCanvas_.get()) : canvas_.get();
  try {
    if (RotatesText()) {
      LOGFONTW logFont = Font()->LogFont();
      logFont.lfEscapement = -900;
      logFont.lfOrientation = -900;
      logFont.lfOutPrecision = OUT_TT_ONLY_PRECIS;
      canvas->Canvas()->Font()->SetHandle(CreateFontIndirectW(&logFont));
    } else {
      canvas->Canvas()->Font()->Assign(Font());
    }
  } catch (...) {
    SetState(bcsApplyingFont, false);
    throw;
  }
  SetState(bcsApplyingFont, false);
}

// ---- links and selection ------------------------------------------------------------------------

void TCustomdxBarControl::AssignItemLinks(TdxBarItemLinks* Links) {
  if (itemLinks_ == Links) return;
  if (itemLinks_ && itemLinks_->barControl_ == this) itemLinks_->barControl_ = nullptr;
  itemLinks_ = Links;
  if (itemLinks_) itemLinks_->barControl_ = this;
}

TdxBarItemControl* TCustomdxBarControl::SelectedItemControl() const {
  return selectedLink_ ? selectedLink_->ItemControl() : nullptr;
}

void TCustomdxBarControl::ForgetLink(TdxBarItemLink* Link) {
  if (selectedLink_ == Link) {
    if (barManager_->SelectedItemControl() && barManager_->SelectedItemControl() == Link->ItemControl())
      barManager_->SetSelectedItemControl(nullptr);
    selectedLink_ = nullptr;
  }
  if (trackedLink_ == Link) trackedLink_ = nullptr;
}

void TCustomdxBarControl::ForgetControl(TdxBarItemControl* Control) {
  if (clickedControl_ == Control) clickedControl_ = nullptr;
  if (ownerControl_ == Control) ownerControl_ = nullptr;
  if (viewInfo_) viewInfo_->RemoveSeparatorsOf(Control);
}

TdxBarItemControl* TCustomdxBarControl::DesignSelectedControlHere() {
  // The design controller's last selected link is this manager's (there is no design controller yet).
  return nullptr;
}

void TCustomdxBarControl::SetViewState(int Value) {
  if (IsCustomizing() || viewState_ == Value) return;
  const int old = viewState_;
  viewState_ = Value;
  ViewStateChanged(old);
}

void TCustomdxBarControl::SetChildBar(TCustomdxBarControl* Value) {
  if (childBar_ == Value) return;
  TCustomdxBarControl* old = childBar_;
  childBar_ = Value;
  if (old && old->parentBar_ == this) old->parentBar_ = nullptr;
  if (Value) Value->SetParentBar(this);
}

void TCustomdxBarControl::SetParentBar(TCustomdxBarControl* Value) {
  if (parentBar_ == Value) return;
  TCustomdxBarControl* old = parentBar_;
  parentBar_ = Value;
  if (old && old->childBar_ == this) old->childBar_ = nullptr;
  if (Value) Value->SetChildBar(this);
}

void TCustomdxBarControl::SetDockControl(TWinControl* Value) {
  dockControl_ = Value;
  UpdateDoubleBuffered();
}

// ---- window handle ------------------------------------------------------------------------------

void TCustomdxBarControl::CreateWnd() {
  TCustomControl::CreateWnd();
  ApplyFont();
  UpdateCanvasFont();
  CalcMetrics();
}

void TCustomdxBarControl::CreateWindowHandle(const TCreateParams& Params) {
  TCustomControl::CreateWindowHandle(Params);
  CreateItemControls();
  AfterHandleCreated();
}

void TCustomdxBarControl::DestroyWindowHandle() {
  if (HandleAllocated()) NotifyControlsHandleGone();
  DestroyItemControls();
  TCustomControl::DestroyWindowHandle();
}

void TCustomdxBarControl::NotifyControlsHandleGone() {
  if (!IsDestroying()) MouseLeaveEvent();
  if (!itemLinks_) return;
  for (int i = 0; i < itemLinks_->ShowableLinkCount(); ++i) {
    if (TdxBarItemControl* control = itemLinks_->ShowableLinkAt(i)->ItemControl()) control->BarWindowHandleGone();
  }
}

void TCustomdxBarControl::WMDestroy(TMessage& Message) {
  if (!IsDestroying()) {
    SetMarkState(0);
    NotifyControlsHandleGone();
  }
  Inherited::Dispatch(Message);
}

// ---- metrics ------------------------------------------------------------------------------------

int TCustomdxBarControl::BaseTextSize() { return Painter()->ReferenceTextSize(); }
int TCustomdxBarControl::TextHeight() { return Painter()->CaptionHeightFor(CurrentCanvas()); }
int TCustomdxBarControl::IconAreaSize() { return Painter()->IconAreaWidth(this); }
int TCustomdxBarControl::PainterFrameQuery() { return Painter()->MenuItemIndent(this); }
bool TCustomdxBarControl::PainterHasShadow() { return Painter()->HasShadow(this); }
bool TCustomdxBarControl::AttachesDropDowns() { return Painter()->AttachesDropDowns(this); }
HBRUSH TCustomdxBarControl::BackgroundBrush() { return Painter()->AlternateToolbarBrush(this); }
HBRUSH TCustomdxBarControl::PatternBrush() { return Painter()->DownedBrush(this); }
HBRUSH TCustomdxBarControl::ToolbarBrush() { return Painter()->ToolbarBrush(this); }
HBRUSH TCustomdxBarControl::HighlightBrush() { return Painter()->SelectedBrush(this); }
HBRUSH TCustomdxBarControl::OwnerAreaBrush() { return Painter()->BarControlOwnerBrush(this); }

void TCustomdxBarControl::CalcMetrics() {
  textSize_ = TextHeight();
  const int base = BaseTextSize();
  ratio_ = std::max(base > 0 ? double(textSize_) / base : 1.0, 1.0);
  menuArrowHeight_ = std::max(textSize_ / 5, 4);
  iconAreaSize_ = IconAreaSize();
  const TSize zero = MeasureTextForFont(ItemFont(), L"0");
  editTextSize_ = Painter()->EditHeightFor(this, zero.cy);
  comboArrowWidth_ = Painter()->ComboButtonWidthFor(this, zero.cx);
}

int TCustomdxBarControl::TextSizeFor(TdxBarItemControl* Control) {
  const int own = Control ? Control->OwnTextSize() : 0;
  return own != 0 ? own : textSize_;
}

TFont* TCustomdxBarControl::ItemFont() { return barManager_->Font(); }

int TCustomdxBarControl::FeatureFlags() { return parentBar_ ? parentBar_->FeatureFlags() : 19; }

bool TCustomdxBarControl::IsCustomizing() { return barManager_->InDesignOrCustomizing(); }

bool TCustomdxBarControl::AllowsCustomizing() { return barManager_->IsDesigning(); }

bool TCustomdxBarControl::UpdatesLocked() { return barManager_->IsUpdateLocked(); }

bool TCustomdxBarControl::ShadowVisible() { return PainterHasShadow() && HandleAllocated() && IsWindowVisible(Handle()); }

bool TCustomdxBarControl::WindowIsEnabled() { return HandleAllocated() && IsWindowEnabledDeep(Handle()); }

bool TCustomdxBarControl::CanActivate() {
  return ApplicationHasActiveWindow() || WindowIsEnabled() || IsCustomizing();
}

int TCustomdxBarControl::GapBefore(TdxBarItemLink* Link) {
  return Link->BeginGroup() && Link->ShownIndex() > 0 ? SeparatorSize() : 0;
}

// ---- geometry -----------------------------------------------------------------------------------

void TCustomdxBarControl::ItemControlRect(TdxBarItemControl* Control, TRect& R) {
  R = Control ? Control->BoundsInBar() : TRect{};
}

TRect TCustomdxBarControl::ItemControlScreenRect(TdxBarItemControl* Control) {
  TRect r;
  ItemControlRect(Control, r);
  if (!HandleAllocated()) return r;
  POINT points[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(Handle(), nullptr, points, 2);
  return TRect{points[0].x, points[0].y, points[1].x, points[1].y};
}

TRect TCustomdxBarControl::ScreenWindowRect() {
  RECT r{};
  if (HandleAllocated()) GetWindowRect(Handle(), &r);
  return r;
}

TRect TCustomdxBarControl::WindowRectAtOrigin() {
  const TRect r = ScreenWindowRect();
  return TRect{0, 0, r.Width(), r.Height()};
}

TPoint TCustomdxBarControl::ClientOriginInWindow() {
  const TRect window = ScreenWindowRect();
  POINT p{0, 0};
  if (HandleAllocated()) ::ClientToScreen(Handle(), &p);
  return TPoint{p.x - window.left, p.y - window.top};
}

TRect TCustomdxBarControl::ClientRectInWindowCoords() {
  const TPoint origin = ClientOriginInWindow();
  return OffsetRectBy(ClientRect(), origin.x, origin.y);
}

TPoint TCustomdxBarControl::AddClientOffset(const TPoint& P) {
  TPoint offset;
  ClientOffset(offset);
  return TPoint{P.x + offset.x, P.y + offset.y};
}

TRect TCustomdxBarControl::ItemsScreenRect() {
  TRect r = ItemsRect;
  if (!HandleAllocated()) return r;
  POINT points[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(Handle(), nullptr, points, 2);
  return TRect{points[0].x, points[0].y, points[1].x, points[1].y};
}

bool TCustomdxBarControl::OwnerAdjacent() {
  const TRect o = ownerBounds_, w = ScreenWindowRect();
  if (o.IsEmpty() || w.IsEmpty()) return false;
  const bool horizontalEdge = (o.bottom == w.top || o.top == w.bottom) && o.left < w.right && w.left < o.right;
  const bool verticalEdge = (o.right == w.left || o.left == w.right) && o.top < w.bottom && w.top < o.bottom;
  return horizontalEdge || verticalEdge;
}

void TCustomdxBarControl::OwnerJoinRect(bool Shifted, TRect& R) {
  R = TRect{};
  if (ownerBounds_.IsEmpty() || !OwnerAdjacent()) return;
  const TRect screen = ScreenWindowRect();
  const TRect o = OffsetRectBy(ownerBounds_, -screen.left, -screen.top);
  const TRect w = WindowRectAtOrigin();
  const bool vertical = o.bottom == w.top || o.top == w.bottom;
  if (vertical) {
    const int y = w.top == o.bottom ? w.top : w.bottom - 1;
    const int shift = Shifted ? (w.top == o.bottom ? -1 : 1) : 0;
    R = TRect{std::max(o.left + 1, w.left + 1), y + shift, std::min(o.right - 1, w.right - 1), y + shift + 1};
  } else {
    const int x = w.left == o.right ? w.left : w.right - 1;
    const int shift = Shifted ? (w.left == o.right ? -1 : 1) : 0;
    R = TRect{x + shift, std::max(o.top + 1, w.top + 1), x + shift + 1, std::min(o.bottom - 1, w.bottom - 1)};
  }
  if (Shifted) R = OffsetRectBy(R, Left(), Top());
}

bool TCustomdxBarControl::CursorOverThisWindow() {
  return HandleAllocated() && DeepestWindowFromPoint(SafeCursorPos()) == Handle();
}

// ---- layout -------------------------------------------------------------------------------------

void TCustomdxBarControl::LayoutLinks(int Kind, int FirstIndex) {
  VisibleItemsRect = ItemsRect;
  BeforeLayout();
  if (itemLinks_) itemLinks_->ClearItemRects();
  if (Kind == 1) {
    int bottom = 0;
    StackLinksFrom(FirstIndex, bottom);
  } else if (Kind == 0 || Kind == 2) {
    ArrangeLinks();
  }
  AfterLayout();
}

void TCustomdxBarControl::StackLinksFrom(int FirstIndex, int& Bottom) {
  TRect r = VisibleItemsRect;
  r.bottom = r.top;
  Bottom = r.top;
  if (!itemLinks_) return;
  int placed = 0;
  for (int i = FirstIndex; i < itemLinks_->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = itemLinks_->ShownLinkAt(i);
    TdxBarItemControl* control = link->ItemControl();
    if (!control) continue;
    const int top = r.bottom + GapBefore(link);
    const int bottom = top + control->MeasureHeight();
    if (bottom > VisibleItemsRect.bottom) {
      if (ShowsPartialLast()) {
        link->StoreItemRect(TRect{r.left, top, r.right, bottom});
        Bottom = VisibleItemsRect.bottom;
      } else if (placed == 0) {
        Bottom = top;
      }
      return;
    }
    r = TRect{r.left, top, r.right, bottom};
    link->StoreItemRect(r);
    Bottom = bottom;
    ++placed;
  }
}

void TCustomdxBarControl::CreateItemControls() {
  if (HasState(bcsCreatingControls) || HasState(bcsDestroyingControls)) return;
  SetState(bcsCreatingControls, true);
  try {
    CreateControlsForLinks();
  } catch (...) {
    SetState(bcsCreatingControls, false);
    throw;
  }
  SetState(bcsCreatingControls, false);
}

void TCustomdxBarControl::DestroyItemControls() {
  if (HasState(bcsCreatingControls) || HasState(bcsDestroyingControls)) return;
  SetState(bcsDestroyingControls, true);
  try {
    DestroyControlsForLinks();
  } catch (...) {
    SetState(bcsDestroyingControls, false);
    throw;
  }
  SetState(bcsDestroyingControls, false);
}

void TCustomdxBarControl::CreateControlsForLinks() {
  if (!itemLinks_) return;
  for (int i = 0; i < itemLinks_->ShowableLinkCount(); ++i) itemLinks_->ShowableLinkAt(i)->CreateItemControl();
}

void TCustomdxBarControl::DestroyControlsForLinks() {
  if (!itemLinks_) return;
  for (int i = itemLinks_->ShowableLinkCount() - 1; i >= 0; --i) itemLinks_->ShowableLinkAt(i)->DestroyItemControl();
}

void TCustomdxBarControl::FireDestroyCallback() {
  if (DestroyCallback) DestroyCallback(this);
}

void TCustomdxBarControl::RebuildControls(bool Rebuild) {
  if (!Rebuild) return;
  DestroyItemControls();
  CreateItemControls();
  PostMouseRefresh();
}

void TCustomdxBarControl::Recalculate(bool Rebuild) {
  if (IsDestroying() || !HandleAllocated() || HasState(bcsCreatingControls) || HasState(bcsDestroyingControls) ||
      HasState(bcsRecalculating) || UpdatesLocked())
    return;
  SetState(bcsRecalculating, true);
  try {
    TdxBarItemLink* remembered = nullptr;
    TdxBarItemControl* managerSelected = barManager_->SelectedItemControl();
    if (IsCustomizing() && managerSelected && managerSelected->BarControl() == this) {
      remembered = managerSelected->Link();
      barManager_->SetSelectedItemControl(nullptr);
    }
    selectedLink_ = nullptr;
    RebuildControls(Rebuild);
    if (remembered && IsLiveBarControl(this)) SetSelected(remembered->ItemControl());
  } catch (...) {
    if (IsLiveBarControl(this)) SetState(bcsRecalculating, false);
    throw;
  }
  if (IsLiveBarControl(this)) SetState(bcsRecalculating, false);
}

TdxBarItemControl* TCustomdxBarControl::ItemControlAt(const TPoint& P) {
  if (IsCustomizing() && !AllowsCustomizing()) return nullptr;
  TCustomdxBarControlViewInfo* info = ViewInfo();
  for (int i = 0; i < info->ItemInfoCount(); ++i) {
    TdxBarItemControlViewInfo* item = info->ItemInfoAt(i);
    if (!item->BoundsRect().Contains(P)) continue;
    TdxBarItemControl* control = item->Control();
    if (IsCustomizing() && !control->CanSelectWhileCustomizing()) return nullptr;
    return control;
  }
  return nullptr;
}

TdxBarItemControl* TCustomdxBarControl::ItemControlUnderCursor() {
  if (!HandleAllocated()) return nullptr;
  return ItemControlAt(ScreenToClient(SafeCursorPos()));
}

void TCustomdxBarControl::PostMouseRefresh() {
  const TPoint cursor = SafeCursorPos();
  auto* window = dynamic_cast<TCustomdxBarControl*>(FindControl(DeepestWindowFromPoint(cursor)));
  if (!window || !IsLiveBarControl(window)) return;
  window->lastMousePos_ = TPoint{-1, -1};
  const TPoint p = window->ScreenToClient(cursor);
  PostMessageW(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

void TCustomdxBarControl::DropTargetAt(const TPoint& P, TdxBarItemLink*& Link, bool& OnSeparator, bool& Before,
                                       bool& Vertical) {
  Vertical = IsVerticalForKeys();
  Link = nullptr;
  OnSeparator = false;
  Before = false;
  if (!itemLinks_) return;
  for (int i = 0; i < itemLinks_->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = itemLinks_->ShownLinkAt(i);
    TdxBarItemControl* control = link->ItemControl();
    if (!control || !control->IsOwnManagerItem()) continue;
    HRGN region = ItemRegion(control);
    const bool hit = PtInRegion(region, P.x, P.y) != 0;
    DeleteObject(region);
    if (!hit) continue;
    Link = link;
    TRect r;
    ItemRectOf(control, r);
    bool vertical = Vertical;
    int index = 0;
    if (!r.Contains(P) && ViewInfo()->FindSeparatorFor(control, index)) {
      OnSeparator = true;
      TdxBarSeparatorInfo info;
      ViewInfo()->GetSeparatorInfo(index, info);
      r = info.Bounds;
      if (P.y < r.top) vertical = true;
    }
    Before = vertical ? (P.y - r.top) < (r.bottom - P.y) : (P.x - r.left) < (r.right - P.x);
    return;
  }
}

void TCustomdxBarControl::ItemRectForRegion(TdxBarItemControl* Control, bool, TRect& R) { ItemControlRect(Control, R); }

HRGN TCustomdxBarControl::ItemRegion(TdxBarItemControl* Control) {
  TRect r;
  ItemRectForRegion(Control, false, r);
  return CreateRectRgn(r.left, r.top, r.right, r.bottom);
}

void TCustomdxBarControl::ExpandContainerLinks() {
  CollapseContainerLinks();
  hasExpandedLinks_ = true;
  TdxBarItemLinks* links = itemLinks_;
  if (!links) return;
  std::vector<TCustomdxBarContainerItem*> met;
  for (int i = 0; i < links->Count(); ++i) {
    TdxBarItemLink* link = links->LinkAt(i);
    auto* container = dynamic_cast<TCustomdxBarContainerItem*>(link->Item());
    if (!container || links->ShowableIndexOf(link) < 0) continue;
    const bool first = std::find(met.begin(), met.end(), container) == met.end();
    if (first) met.push_back(container);
    ExpandedLink expanded;
    expanded.Link = link;
    expanded.Index = i;
    expanded.Replaced = container->ExpandsInPlace();
    expanded.RecentIndex = link->RecentIndex();
    if (expanded.Replaced) expanded.Alive = AcquireObjectLink(link);
    expandedLinks_.push_back(expanded);
    container->AddListedItemLinks(links, i + 1, link, first);
    if (expanded.Replaced) {
      // Out of the collection until the collapse: its entries stand in its place.
      link->SetLinksCollection(nullptr);
      --i;
    }
  }
}

void TCustomdxBarControl::CollapseContainerLinks() {
  if (!hasExpandedLinks_) return;
  const std::vector<ExpandedLink> expanded = std::move(expandedLinks_);
  expandedLinks_.clear();
  hasExpandedLinks_ = false;
  TdxBarItemLinks* links = itemLinks_;
  std::vector<TdxBarItem*> containers;
  for (auto it = expanded.rbegin(); it != expanded.rend(); ++it) {
    const bool alive = !it->Replaced || (it->Alive && it->Alive->Ref);
    ReleaseObjectLink(it->Alive);
    if (!alive || !links) continue;
    auto* container = dynamic_cast<TCustomdxBarContainerItem*>(it->Link->Item());
    if (!container) continue;
    container->DeleteListedItemLinks(links, it->Replaced ? it->Index : it->Index + 1);
    if (it->Replaced) {
      it->Link->SetLinksCollection(links);
      it->Link->SetIndex(std::min(it->Index, links->Count() - 1));
      if (it->RecentIndex >= 0) it->Link->SetRecentIndex(it->RecentIndex);
    }
    if (std::find(containers.begin(), containers.end(), container) == containers.end()) containers.push_back(container);
  }
  for (TdxBarItem* container : containers) container->RefreshControls();
}

// ---- painting -----------------------------------------------------------------------------------

void TCustomdxBarControl::WMPaint(TMessage& Message) {
  if (IsDestroying()) {
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    EndPaint(Handle(), &ps);
    return;
  }
  Inherited::Dispatch(Message);
}

void TCustomdxBarControl::Paint() { PaintItemControls(); }

bool TCustomdxBarControl::CanPaintControl(TdxBarItemControl* Control) {
  if (IsDestroying() || !Control) return false;
  TdxBarItemLink* link = Control->Link();
  if (!link || link->ItemControl() != Control || !link->Item()) return false;
  if (link->Item()->ComponentState().Contains(csDestroying)) return false;
  if (HasState(bcsPaintingControl) || UpdatesLocked()) return false;
  return ViewInfo()->ShowsItemControl(Control);
}

void TCustomdxBarControl::PaintItemControls() {
  TcxCanvas* canvas = CurrentCanvas();
  TCustomdxBarControlViewInfo* info = ViewInfo();
  for (int i = 0; i < info->ItemInfoCount(); ++i) {
    TdxBarItemControlViewInfo* item = info->ItemInfoAt(i);
    TdxBarItemControl* control = item->Control();
    if (CanPaintControl(control)) PaintOneControl(canvas, control);
    canvas->SubtractFromClip(item->BoundsRect());
  }
}

void TCustomdxBarControl::PaintOneControl(TcxCanvas* Canvas, TdxBarItemControl* Control) {
  SetState(bcsPaintingControl, true);
  try {
    itemBrush_ = BackgroundBrush();
    PaintItemControl(Control, Canvas, Control->BoundsInBar());
  } catch (...) {
    SetState(bcsPaintingControl, false);
    throw;
  }
  SetState(bcsPaintingControl, false);
}

void TCustomdxBarControl::PaintItemControl(TdxBarItemControl* Control, TcxCanvas* Canvas, const TRect& R) {
  Canvas->PushClipRegion();
  try {
    Canvas->ClipToRect(Control->ViewInfo()->BoundsRect());
    Control->Paint(Canvas, R, ItemPaintKind());
  } catch (...) {
    Canvas->PopClipRegion();
    throw;
  }
  Canvas->PopClipRegion();
  DrawDesignSelection(Canvas->DCHandle(), Control, R);
}

void TCustomdxBarControl::DrawDesignSelection(HDC DC, TdxBarItemControl* Control, const TRect& R) {
  if (!Control || !Control->Link() || !Control->Link()->IsSelectedInDesigner()) return;
  // Without the design controller the focus rectangle marks the selection.
  FocusRectTwice(DC, R);
}

void TCustomdxBarControl::WMNCPaint(TMessage& Message) {
  if (!PaintsOwnFrame()) return Inherited::Dispatch(Message);
  HDC dc = GetNonClientDC(reinterpret_cast<HRGN>(Message.WParam));
  try {
    Inherited::Dispatch(Message);
    PaintFrame(dc);
  } catch (...) {
    ReleaseNonClientDC(dc);
    throw;
  }
  ReleaseNonClientDC(dc);
}

void TCustomdxBarControl::PaintNonClientRegion(HDC DC, HRGN Region, HBRUSH Brush, bool Offset) {
  HRGN saved = nullptr;
  bool existed = false;
  SaveCurrentClipRgn(DC, saved, existed);
  ExtSelectClipRgn(DC, Region, RGN_AND);
  PaintNonClient(DC, WindowRectAtOrigin(), Brush, clNone, Offset);
  RestoreSavedClipRgn(DC, saved, existed);
}

void TCustomdxBarControl::RepaintWithFrame() {
  if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
  Invalidate();
}

void TCustomdxBarControl::RepaintFrameRect(const TRect& R) {
  if (!HandleAllocated()) return;
  const TRect screen = ScreenWindowRect();
  const TRect r = OffsetRectBy(R, screen.left, screen.top);
  HRGN region = CreateRectRgn(r.left, r.top, r.right, r.bottom);
  SendMessageW(Handle(), WM_NCPAINT, WPARAM(region), 0);
  DeleteObject(region);
}

void TCustomdxBarControl::DropBackgroundCache() {
  TBitmap empty;
  backgroundCache_->Assign(&empty);
}

bool AnotherBarManagerCustomizing(TdxBarManager* Own) {
  if (TdxBarManagerList* list = BarManagerList()) {
    for (int i = 0; i < list->Count(); ++i) {
      if (list->ManagerAt(i) != Own && list->ManagerAt(i)->IsCustomizing()) return true;
    }
  }
  return false;
}

bool TCustomdxBarControl::UpdateDoubleBuffered() {
  DoubleBuffered = NeedsDoubleBuffer() || AnotherBarManagerCustomizing(barManager_);
  return DoubleBuffered;
}

void TCustomdxBarControl::SetDockingStyle(TdxBarDockingStyle Style) {
  if (dockingStyle_ == Style) return;
  dockingStyle_ = Style;
  DropBackgroundCache();
  Perform(CM_FONTCHANGED, 0, 0);
  AfterHandleCreated();
}

// ---- hints --------------------------------------------------------------------------------------

void TCustomdxBarControl::ShowHint(bool Show, const String& Text, TObject* Object) {
  barManager_->ShowItemHint(Show, Text, Object);
}

TdxBarCustomHintViewInfo* TCustomdxBarControl::MakeHintViewInfo(const String& Text, const String& ShortCutText,
                                                                 TdxBarScreenTip* ScreenTip) {
  return Painter()->CreateHintViewInfo(barManager_, Text, ShortCutText, ScreenTip);
}

void TCustomdxBarControl::HintPositionFor(const TRect& ItemRect, const TPoint& CursorPos, int Extra,
                                          TPoint& Position) {
  Painter()->HintPosition(this, ItemRect, CursorPos, Extra, Position);
}

// ---- activation, closing, keyboard focus --------------------------------------------------------

void TCustomdxBarControl::RequestActive(bool Active) {
  barManager_->HideItemHint();
  if (active_ != Active && CanActivate())
    SetActive(Active);
  else if (!Active && IsCustomizing())
    SetActive(false);
}

void TCustomdxBarControl::SetActive(bool Value) {
  if (Value) {
    active_ = true;
    if (!g_activeChainHead) g_chainBeganCustomizing = IsCustomizing();
    if (g_activeChainHead != this) previousActive_ = g_activeChainHead;
    g_activeChainHead = this;
  } else {
    active_ = false;
    if (IsCustomizing())
      selectedLink_ = nullptr;
    else
      SetSelected(nullptr);
    if (g_activeChainHead == this) {
      g_activeChainHead = previousActive_;
      previousActive_ = nullptr;
      if (g_activeChainHead && (!IsLiveBarControl(g_activeChainHead) || !g_activeChainHead->IsActive()))
        g_activeChainHead = nullptr;
    }
  }
}

bool TCustomdxBarControl::InActiveChain() {
  TCustomdxBarControl* window = g_activeChainHead;
  if (!window) return true;
  while (window) {
    if (window == this) return true;
    TCustomdxBarControl* parent = window->ParentBar();
    if (parent && window->InPopupChain() && !parent->InPopupChain()) return false;
    window = parent;
  }
  return false;
}

bool TCustomdxBarControl::IsKeyboardFocusedBar() { return barManager_->KeyboardFocusedBar() == this; }

void TCustomdxBarControl::ReleaseKeyboardFocus() {
  if (IsKeyboardFocusedBar()) DeselectAndDeactivate();
}

void TCustomdxBarControl::SelectAndActivate(TdxBarItemControl* Control) {
  SetSelected(Control);
  RequestActive(true);
}

void TCustomdxBarControl::DeselectAndDeactivate() {
  SetSelected(nullptr);
  RequestActive(false);
}

void TCustomdxBarControl::Close() {
  RequestActive(false);
  if (IsLiveBarControl(this) && parentBar_ && !ClosedByEscape) parentBar_->GuardedClose();
}

void TCustomdxBarControl::GuardedClose() {
  if (HasState(bcsClosing)) return;
  SetState(bcsClosing, true);
  Close();
  if (IsLiveBarControl(this)) SetState(bcsClosing, false);
}

void TCustomdxBarControl::CloseByEscape() {
  ClosedByEscape = true;
  GuardedClose();
}

void TCustomdxBarControl::ResumeAfterEdit(TdxBarItemControl* Control) {
  if (FeatureFlags() & bfResumeAfterEdit)
    SetSelected(Control);
  else
    CloseByEscape();
}

bool TCustomdxBarControl::CanCloseFor(TdxBarManager* Manager, HWND Window) {
  // A window whose manager is owned by the open customizing dialog stays (there is no dialog yet).
  (void)Window;
  if (Manager && Manager->InDesignOrCustomizing()) return true;
  TdxBarItemControl* selected = SelectedItemControl();
  return !selected || selected->AllowsCloseFor(Manager);
}

bool TCustomdxBarControl::IsAncestorOf(TCustomdxBarControl* Window) {
  for (TCustomdxBarControl* w = Window; w; w = w->ParentBar()) {
    if (w == this) return true;
  }
  return false;
}

bool TCustomdxBarControl::HasLinkControl(TdxBarItemControl* Control) {
  return itemLinks_ && Control && itemLinks_->HasItemControl(Control);
}

bool TCustomdxBarControl::WantsEditMessages(TdxBarItemControl* Control) {
  return KeepsEditFocus() && Control && Control->IsWindowedControl();
}

void TCustomdxBarControl::ShowWithoutActivation() {
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  if (TdxBarItemControl* selected = SelectedItemControl()) selected->VisibleInViewChanged(true);
}

void TCustomdxBarControl::CloseChildMenus() {
  if (!childBar_) return;
  childBar_->ClosedByEscape = true;
  childBar_->GuardedClose();
}

int TCustomdxBarControl::MenuArrowWidth() { return Painter()->DropDownArrowWidth(barManager_); }

void TCustomdxBarControl::FitPopupAbove(TPoint& P, int Height) {
  const TRect work = WorkAreaAt(P);
  if (P.y + Height > work.bottom) P.y = ClientToScreen(TPoint{0, 0}).y - Height;
}

void TCustomdxBarControl::PositionChanged(const WINDOWPOS& WindowPos) {
  if (!((WindowPos.flags & SWP_NOSIZE) && (WindowPos.flags & SWP_NOMOVE))) {
    TRect owner;
    if (Painter()->OwnerJoinShown(this)) owner = ownerBounds_;
    shadow_->SetRects(owner, ScreenWindowRect());
  }
  shadow_->ChangeVisibility(ShadowVisible());
  DropBackgroundCache();
}

void TCustomdxBarControl::WMWindowPosChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!IsDestroying()) PositionChanged(*reinterpret_cast<WINDOWPOS*>(Message.LParam));
}

void TCustomdxBarControl::WMSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (IsPopupBar()) Painter()->EditBorderChanged(Handle(), WindowRectAtOrigin(), true);
}

void TCustomdxBarControl::WMSetCursor(TMessage& Message) {
  if (HWND(Message.WParam) == Handle() && LOWORD(Message.LParam) == HTCLIENT && Screen) {
    ::SetCursor(Screen->Cursors(Cursor()));
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

void TCustomdxBarControl::WMMouseActivate(TMessage& Message) {
  Inherited::Dispatch(Message);
  Message.Result = MA_NOACTIVATE;
}

void TCustomdxBarControl::WMSetFocus(TMessage& Message) {
  TdxBarItemControl* selected = SelectedItemControl();
  if (selected && selected->IsWindowedControl()) return Inherited::Dispatch(Message);
  // The customizing dialog does not exist yet: the focus goes to the owner's window or the next one.
  auto* owner = dynamic_cast<TWinControl*>(barManager_->Owner());
  if (owner && owner->HandleAllocated() && IsWindowVisible(owner->Handle()))
    ::SetFocus(owner->Handle());
  else
    ::SetFocus(GetWindow(Handle(), GW_HWNDNEXT));
}

void TCustomdxBarControl::WMKillFocus(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (Message.WParam == 0 && IsLiveBarControl(this)) GuardedClose();
}

void TCustomdxBarControl::WMNCActivate(TMessage& Message) {
  if (Message.WParam && !barManager_->InDesignOrCustomizing() && GetParent(Handle()))
    SendMessageW(GetParent(Handle()), WM_NCACTIVATE, 1, 0);
  Message.WParam = 1;
  Inherited::Dispatch(Message);
}

void TCustomdxBarControl::WMCommand(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (Message.Result == 0 && HIWORD(Message.WParam) == EN_CHANGE && Message.LParam)
    Message.Result = SendMessageW(HWND(Message.LParam), Message.Msg, Message.WParam, Message.LParam);
}

// ---- input: the window procedure ------------------------------------------------------------------

void TCustomdxBarControl::WndProc(TMessage& Message) {
  const UINT msg = Message.Msg;
  // Mouse input reaches only windows of the active chain (or any window without a chain).
  if (((msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) || (msg >= WM_MOUSEFIRST && msg <= 0x20A)) &&
      !InActiveChain())
    return;
  currentMessage_ = Message;
  TCustomControl::WndProc(Message);
}

void TCustomdxBarControl::WMLButtonDown(TMessage& Message) {
  if (IgnoreNextClick) return;
  Inherited::Dispatch(Message);
}

void TCustomdxBarControl::WMMouseMove(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (IsLiveBarControl(this) && !IsDestroying())
    TrackMouseMove(MouseKeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TCustomdxBarControl::TrackMouseMove(TShiftState, int X, int Y) {
  if (MouseIgnored(true)) {
    if (MouseIgnored(false)) MouseLeaveEvent();
  } else if (HandleAllocated()) {
    lastMousePos_ = ClientToScreen(TPoint{X, Y});
  }
}

bool TCustomdxBarControl::MouseIgnored(bool CheckUnmoved) {
  if (IsCustomizing()) return true;
  const TPoint cursor = SafeCursorPos();
  if (CheckUnmoved) return cursor == lastMousePos_;
  return !ScreenWindowRect().Contains(cursor);
}

void TCustomdxBarControl::MouseLeaveEvent() {
  lastMousePos_ = TPoint{-1, -1};
  if (barManager_->IsMouseTrackingBarControl(this)) barManager_->EndMouseTracking(this);
  MouseLeaveStep();
}

void TCustomdxBarControl::TrackLink(TdxBarItemLink* Link, const TPoint& P, TShiftState Shift) {
  if (Link != trackedLink_) {
    if (trackedLink_ && trackedLink_->ItemControl()) trackedLink_->ItemControl()->MouseLeave();
    trackedLink_ = Link;
    if (Link && Link->ItemControl()) Link->ItemControl()->MouseEnter(Shift, P.x, P.y);
  }
  if (Link && Link->ItemControl()) Link->ItemControl()->MouseMove(Shift, P.x, P.y);
}

void TCustomdxBarControl::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (IsDestroying() || !IsLiveBarControl(this) || LinkDragCheck(TPoint{X, Y})) return;
  const TPoint p{X, Y};
  TdxBarItemControl* control = ItemControlAt(p);
  if (lastMousePos_ == TPoint{-1, -1} && !MouseIgnored(true)) {
    MouseEnterStep(Shift, p, control);
    if (!IsLiveBarControl(this)) return;
  }
  MouseMoveStep(Shift, p, control);
}

void TCustomdxBarControl::MouseEnterStep(TShiftState Shift, const TPoint& P, TdxBarItemControl* Control) {
  barManager_->StartMouseTracking(this);
  TrackLink(Control ? Control->Link() : nullptr, P, Shift);
  SetViewState(bvsHot);
}

void TCustomdxBarControl::MouseMoveStep(TShiftState Shift, const TPoint& P, TdxBarItemControl* Control) {
  if (MouseIgnored(true)) return;
  TrackLink(Control ? Control->Link() : nullptr, P, Shift);
  TdxBarItemControl* managerSelected = barManager_->SelectedItemControl();
  if (managerSelected && managerSelected->IsWindowedControl() && managerSelected->Active()) return;
  if (Control && !Control->CanSelectForKeyboard()) Control = nullptr;
  if (!clickedControl_ && (BarKind() != 0 || !IsActive() || Control) && (Control || !childBar_)) HotTrack(Control);
}

void TCustomdxBarControl::MouseLeaveStep() {
  SetViewState(bvsNormal);
  TrackLink(nullptr, TPoint{-1, -1}, {});
  if (MarkState() == 1) SetMarkState(0);
  TdxBarItemControl* selected = SelectedItemControl();
  if (clickedControl_ || !selected) return;
  if (!selected->IsDroppedDown() && !IsCustomizing()) HotTrack(nullptr);
}

void TCustomdxBarControl::HotTrack(TdxBarItemControl* Control) {
  if (!HandleAllocated() || IsDestroying()) return;
  TdxBarItemControl* selected = SelectedItemControl();
  if (Control == selected) return;
  if (selected && selected->IsWindowedControl() && selected->Active()) return;
  if (selected && selected->Active()) {
    selected->Deactivate(false);
    if (!IsLiveBarControl(this)) return;
  }
  if (Control) Control->SelectedByMouse = true;
  SetSelectedCore(Control);
  if (!IsLiveBarControl(this)) return;
  if (TdxBarItemControl* now = SelectedItemControl()) now->Activate(false);
}

void TCustomdxBarControl::SetSelected(TdxBarItemControl* Control) {
  if (!HandleAllocated() || IsDestroying()) return;
  TdxBarItemControl* selected = SelectedItemControl();
  if (Control == selected) return;
  if (selected && selected->Active()) {
    selected->Deactivate(true);
    if (!IsLiveBarControl(this)) return;
  }
  if (Control) Control->SelectedByMouse = false;
  SetSelectedCore(Control);
  if (Control && IsLiveBarControl(this)) SelectionChanged(Control);
}

void TCustomdxBarControl::SetSelectedCore(TdxBarItemControl* Control) {
  TdxBarItemControl* old = SelectedItemControl();
  if (Control == old) return;
  if (Control) {
    if (TdxBarDesignController* controller = DesignControllerInstance()) controller->StartQuickBarLeaveTimer(this);
  }
  selectedLink_ = Control ? Control->Link() : nullptr;
  ItemActivation = false;
  if (FeatureFlags() & bfSelectClearsDowned) Downed = false;
  if (IsCustomizing()) {
    barManager_->SelectItemControl(Control);
    if (!IsLiveBarControl(this)) return;
  } else if (!barManager_->InDesignOrCustomizing()) {
    barManager_->SetSelectedItemControl(Control);
  }
  if (old && HasLinkControl(old)) InvalidateControl(old);
  TdxBarItemControl* selected = SelectedItemControl();
  if (selected) InvalidateControl(selected);
  if (!selected) SetCursor(crDefault);
  if (selected || BarKind() == 2 || MarkState() == 0) barManager_->ShowItemHint(true, String(), selected);
  if (!IsLiveBarControl(this)) return;
  selected = SelectedItemControl();
  hintText_.clear();
  if (selected && (selected->IsEnabled() || barManager_->ShowHintForDisabledItems))
    hintText_ = GetLongHint(selected->HintText());
  TCustomdxBarControl* top = TopBarOfChain(this);
  if (top && top->BarKind() == 2 && top->PassesHintsToApplication() && Application) Application->SetHint(hintText_);
}

void TCustomdxBarControl::ActivateByKey(TdxBarItemControl* Control, bool NoEnter) {
  SetSelected(Control);
  if (!NoEnter && IsLiveBarControl(this) && HandleAllocated()) SendMessageW(Handle(), WM_KEYDOWN, VK_RETURN, 0);
}

// ---- input: press, release, context menu -----------------------------------------------------------

void TCustomdxBarControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!IsLiveBarControl(this) || IsDestroying()) return;
  const TPoint p{X, Y};
  TdxBarItemControl* control = ItemControlAt(p);
  if (lastMousePos_ == TPoint{-1, -1} && !IsCustomizing()) {
    MouseEnterStep(Shift, p, control);
    if (!IsLiveBarControl(this)) return;
  }
  if (Shift.Contains(ssDouble) && control && control == SelectedItemControl() && control->AcceptsDoubleClick()) {
    DoubleClickStep(control);
    return;
  }
  switch (currentMessage_.Msg) {
    case WM_LBUTTONDBLCLK: currentMessage_.Msg = WM_LBUTTONDOWN; break;
    case WM_RBUTTONDBLCLK: currentMessage_.Msg = WM_RBUTTONDOWN; break;
    case WM_MBUTTONDBLCLK: currentMessage_.Msg = WM_MBUTTONDOWN; break;
  }
  MouseDownStep(Button, Shift, p, control, ClientRect().Contains(p));
}

void TCustomdxBarControl::DoubleClickStep(TdxBarItemControl* Control) {
  // A design double click belongs to the designer; the personalised menu's expansion to the menus.
  if (Control->DoubleClickExpandsMenu()) {
    TCustomdxBarControl* menu = Control->SubMenuWindow();
    if (menu && menu->ShowsMark()) menu->SetMarkState(2);
    return;
  }
  Control->DoubleClick();
}

void TCustomdxBarControl::MouseDownStep(TMouseButton Button, TShiftState Shift, const TPoint& P,
                                        TdxBarItemControl* Control, bool) {
  if (Control && !MouseIgnored(false)) Control->MouseDown(Button, Shift, P.x, P.y);
  if (!IsLiveBarControl(this)) return;
  TdxBarItemControl* before = DesignSelectedControlHere();
  if (IsCustomizing()) {
    DesignClick(Control, Button, Shift);
    if (!IsLiveBarControl(this)) return;
  }
  if (Button == mbLeft) {
    if (IsCustomizing())
      BeginLinkDrag(P, before == DesignSelectedControlHere());
    else
      ClickItemStep(Control);
  } else if (Button == mbRight) {
    if (Control != SelectedItemControl()) {
      ReleaseKeyboardFocus();
      if (!IsLiveBarControl(this)) return;
    }
    if (ContextMenuOnPress(true)) ShowDesignPopup(Control);
  }
}

void TCustomdxBarControl::ClickItemStep(TdxBarItemControl* Control) {
  if (!Control || !Control->IsEnabled() || !Control->IsFocusable()) return;
  SetSelected(Control);
  if (!IsLiveBarControl(this)) return;
  ItemActivation = true;
  barManager_->HideItemHint();
  TdxBarItemControl* selected = SelectedItemControl();
  if (auto* buttonLike = dynamic_cast<TdxBarButtonLikeControl*>(selected)) buttonLike->PressedByMouse = true;
  if (selected && selected->IsWindowedControl()) WindowedControlClicked(selected);
  if (!IsLiveBarControl(this)) return;
  TcxObjectLink* self = AcquireObjectLink(this);
  Control->BeforeClick(true, 0);
  const bool alive = self->Ref != nullptr;
  ReleaseObjectLink(self);
  if (!alive || !IsLiveBarControl(this)) return;
  if (HasLinkControl(Control)) {
    if (auto* button = dynamic_cast<TdxBarButtonControl*>(SelectedItemControl())) button->PressedByMouse = false;
  }
}

void TCustomdxBarControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!IsLiveBarControl(this) || IsDestroying()) return;
  const TPoint p{X, Y};
  MouseUpStep(Button, Shift, p, ItemControlAt(p), ClientRect().Contains(p));
}

void TCustomdxBarControl::MouseUpStep(TMouseButton Button, TShiftState Shift, const TPoint& P,
                                      TdxBarItemControl* Control, bool) {
  if (Control && !MouseIgnored(false)) Control->MouseUp(Button, Shift, P.x, P.y);
  if (!IsLiveBarControl(this)) return;
  if (Button == mbRight && ContextMenuOnPress(false)) ShowDesignPopup(Control);
}

void TCustomdxBarControl::WMLButtonUp(TMessage& Message) {
  if (IgnoreNextClick) {
    IgnoreNextClick = false;
    return;
  }
  Inherited::Dispatch(Message);
  if (!IsLiveBarControl(this) || IsDestroying()) return;
  if (dragPending_) {
    ReleaseCapture();
    return;
  }
  const bool hadClicked = clickedControl_ != nullptr;
  if (hadClicked) ReleaseCapture();
  if (!IsLiveBarControl(this)) return;
  const TPoint p{Message.XPos(), Message.YPos()};
  if (ClientRect().Contains(p) && IsActive()) {
    TdxBarItemControl* c = ItemControlAt(p);
    if (!IsCustomizing() && c && c->IsFocusable()) {
      TdxBarItemControl* selected = SelectedItemControl();
      if (c->IsEnabled() && c == selected) {
        if (c->IsWindowedControl()) {
          // The editor's own window takes the release.
        }
        c->DoItemClick(true);
      } else if (!c->IsEnabled() && c != selected && BarKind() == 0) {
        auto* button = dynamic_cast<TdxBarButtonControl*>(selected);
        if (!(button && button->IsDroppedDown())) GuardedClose();
      }
    }
  }
  if (hadClicked && IsLiveBarControl(this)) GuardedClose();
}

void TCustomdxBarControl::WMCtlColorEdit(TMessage& Message) {
  const HWND window = reinterpret_cast<HWND>(Message.LParam);
  TdxBarCustomEditControl* edit = nullptr;
  for (int i = 0; itemLinks_ && window && i < itemLinks_->Count(); ++i) {
    auto* control = dynamic_cast<TdxBarCustomEditControl*>(itemLinks_->LinkAt(i)->ItemControl());
    if (control && control->BarControl() == this && control->EditorWindow() == window) edit = control;
  }
  if (!edit) return Inherited::Dispatch(Message);
  TColor text = clWindowText, back = clWindow;
  edit->EditColorsNow(text, back);
  const HDC dc = reinterpret_cast<HDC>(Message.WParam);
  SetBkColor(dc, ColorToRGB(back));
  SetTextColor(dc, ColorToRGB(text));
  Message.Result = reinterpret_cast<LRESULT>(edit->EditBackgroundBrush());
  if (KeepsEditFocus() && !edit->EditRepaintPosted) {
    edit->EditRepaintPosted = true;
    PostMessageW(window, WM_DXBAR_EDITREPAINT, 0, 0);
  }
}

void TCustomdxBarControl::WMCaptureChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (dragPending_) {
    barManager_->SetDraggingItem(nullptr, nullptr);
    dragPending_ = false;
  }
  clickedControl_ = nullptr;
}

bool TCustomdxBarControl::ContextMenuOnPress(bool Down) {
  const bool f = IsCustomizing() || (!(FeatureFlags() & bfContextMenuOnRelease) && !InPopupChain());
  if (Down) return f;
  return (FeatureFlags() & bfContextMenuOnRelease) && !f;
}

void TCustomdxBarControl::ShowDesignPopup(TdxBarItemControl*) {
  TdxBarItemControl* selected = DesignSelectedControlHere();
  TdxBarDesignController* design = DesignControllerInstance();
  if (design && selected && selected->Link()) design->ShowLinkContextMenu(this, selected->Link());
}

void TdxBarControl::ShowDesignPopup(TdxBarItemControl* Control) {
  TdxBarManager* manager = OwningBarManager();
  if (!manager->InDesignOrCustomizing()) {
    if (TdxBarDesignController* design = DesignControllerInstance()) design->ShowToolbarsPopup(manager);
    return;
  }
  TCustomdxBarControl::ShowDesignPopup(Control);
}

// ---- design selection and the link drag -----------------------------------------------------------

bool TCustomdxBarControl::ObjectIsSelected(TObject* Object) {
  IdxBarSelectableItem* item = SelectableItemOf(Object);
  return item && item->IsSelected();
}

int TCustomdxBarControl::SelectionOperationFor(TMouseButton Button, TShiftState Shift, TObject* Object) {
  if (Button == mbRight) {
    IdxBarSelectableItem* item = SelectableItemOf(Object);
    return ObjectIsSelected(Object) && !(item && item->IsComplexSelection()) ? 0 : 2;
  }
  if (Shift.Contains(ssShift) && !Shift.Contains(ssCtrl)) return ObjectIsSelected(Object) ? 1 : 0;
  return 2;
}

void TCustomdxBarControl::DesignClick(TdxBarItemControl* Control, TMouseButton Button, TShiftState Shift) {
  if (Control) {
    SelectAndActivate(Control);
    if (!IsLiveBarControl(this)) return;
    if (Button == mbRight) {
      TdxBarItemControl* selected = SelectedItemControl();
      if (selected && selected->Active()) selected->Deactivate(true);
      if (Control == SelectedItemControl()) barManager_->SelectItemControl(Control);
      SetSelected(Control);
    } else if (Button == mbLeft && ViewInfo()->ItemInfoCount() > 0 && Control->IsOwnManagerItem()) {
      if (Control == SelectedItemControl()) {
        if (Control->Active())
          Control->Deactivate(true);
        else
          Control->Activate(true);
        barManager_->SelectItemControl(Control);
      }
      HotTrack(Control);
    }
  }
  TObject* object = Control ? static_cast<TObject*>(Control->Link()) : SelectableObject();
  const int operation = SelectionOperationFor(Button, Button == mbLeft ? Shift : TShiftState{}, object);
  if (TdxBarDesignController* controller = DesignControllerInstance()) controller->SelectPersistent(object, operation);
}

void TCustomdxBarControl::BeginLinkDrag(const TPoint& P, bool) {
  TdxBarItemControl* control = DesignSelectedControlHere();
  if (!control || !control->IsOwnManagerItem()) return;
  dragStart_ = P;
  barManager_->SetDraggingItem(control->LinkedItem(), control->Link());
  dragPending_ = true;
  SetCapture(Handle());
}

bool TCustomdxBarControl::LinkDragCheck(const TPoint& P) {
  if (!dragPending_) return false;
  const int dx = GetSystemMetrics(SM_CXDRAG) / 2, dy = GetSystemMetrics(SM_CYDRAG) / 2;
  const TRect dragRect{dragStart_.x - dx, dragStart_.y - dy, dragStart_.x + dx, dragStart_.y + dy};
  if (dragRect.Contains(P)) return false;
  dragPending_ = false;
  ReleaseCapture();
  if (TdxBarItemLink* link = barManager_->DraggingItemLink()) {
    if (TdxBarItemControl* control = link->ItemControl()) control->Deactivate(true);
  }
  // The manager's drag loop comes with the customizing code.
  return true;
}

// ---- keys ---------------------------------------------------------------------------------------

TdxBarItemLink* TCustomdxBarControl::FindLinkByKey(Word Key, TShiftState Shift, TdxBarItemLink* After) {
  return itemLinks_ ? itemLinks_->FindAcceleratedLink(Key, Shift, After) : nullptr;
}

TdxBarItemLink* TCustomdxBarControl::FindEnabledLinkByKey(Word Key, TShiftState Shift, TdxBarItemLink* After,
                                                          bool& Ambiguous) {
  Ambiguous = false;
  TdxBarItemLink* link = FindLinkByKey(Key, Shift, After);
  if (!link) return nullptr;
  TdxBarItemLink* second = FindLinkByKey(Key, Shift, link);
  Ambiguous = second && second != link;
  if (!link->Item() || !link->Item()->Enabled()) return nullptr;
  return link;
}

bool TCustomdxBarControl::SelectedControlTakesKey(Word Key) {
  TdxBarItemControl* selected = SelectedItemControl();
  if (!selected || !selected->IsEnabled() || !selected->ProcessKey(Key)) return false;
  selected->KeyDown(Key);
  return true;
}

void TCustomdxBarControl::CycleToolbars(bool Forward) {
  // The walk over the managers' toolbars comes with the toolbars; without them there is none.
  (void)Forward;
}

bool TCustomdxBarControl::PointBelongsToBar(const TPoint& P) {
  const TPoint screen = ClientToScreen(P);
  if (IsKeyboardFocusedBar()) {
    TRect bounds;
    BoundsForFocus(bounds);
    return bounds.Contains(screen);
  }
  HWND deepest = DeepestWindowFromPoint(screen);
  if (deepest == Handle()) return true;
  TdxBarItemControl* control = ItemControlAt(P);
  return control && control->OwnsWindow(deepest);
}

bool TCustomdxBarControl::ContainsWindow(HWND Window) {
  if (!HandleAllocated() || !Window) return false;
  if (Window == Handle() || IsChild(Handle(), Window)) return true;
  TdxBarItemControl* selected = SelectedItemControl();
  return selected && selected->OwnsWindow(Window);
}

bool TCustomdxBarControl::PointOnMark(const TPoint& P) {
  TRect r;
  MarkRect(r);
  return r.Contains(P);
}

bool TCustomdxBarControl::CursorOnMark() { return HandleAllocated() && PointOnMark(ScreenToClient(SafeCursorPos())); }

void TCustomdxBarControl::WMKeyDown(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!IsLiveBarControl(this) || !ActiveBarControl()) return;
  Word key = Message.CharCode();
  if (IsVertical()) {
    switch (key) {
      case VK_LEFT: key = VK_UP; break;
      case VK_UP: key = VK_LEFT; break;
      case VK_RIGHT: key = VK_DOWN; break;
      case VK_DOWN: key = VK_RIGHT; break;
    }
    Message.WParam = key;
  }
  Word code = key;
  if (BarKind() == 2) {
    switch (key) {
      case VK_LEFT: case VK_RIGHT: code = 0; break;
      case VK_UP: code = VK_LEFT; break;
      case VK_DOWN: code = VK_RIGHT; break;
    }
  }
  bool forward = true;
  const bool ctrl = Bound().GetKeyState(VK_CONTROL) < 0, shift = Bound().GetKeyState(VK_SHIFT) < 0;
  if (key == VK_TAB) {
    if (ctrl)
      forward = !shift;
    else
      code = shift ? VK_LEFT : VK_RIGHT;
  }
  if (!itemLinks_) return;
  TdxBarItemLink* selected = selectedLink_;
  switch (code) {
    case VK_TAB:
      CycleToolbars(forward);
      return;
    case VK_END:
      if (TdxBarItemLink* link = itemLinks_->LastSelectableShown()) SetSelected(link->ItemControl());
      return;
    case VK_HOME:
      if (TdxBarItemLink* link = itemLinks_->FirstSelectableShown()) SetSelected(link->ItemControl());
      return;
    case VK_LEFT:
    case VK_RIGHT: {
      TdxBarItemLink* link = nullptr;
      if (!selected)
        link = itemLinks_->FirstSelectableShown();
      else
        link = code == VK_LEFT ? itemLinks_->PriorShownLink(selected, false) : itemLinks_->NextShownLink(selected, false);
      if (!link) return;
      SetSelected(link->ItemControl());
      if (!IsLiveBarControl(this)) return;
      TdxBarItemControl* now = SelectedItemControl();
      if (key == VK_TAB && now && now->IsWindowedControl()) now->ControlClick(false, 0);
      return;
    }
    case VK_F10:
      if (!barManager_->UseF10ForMenu) return;
      [[fallthrough]];
    case VK_MENU:
      Message.WParam = 0;
      GuardedClose();
      return;
    default:
      break;
  }
  const UINT c = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;
  if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z'))) return;
  bool ambiguous = false;
  if (TdxBarItemLink* link = FindEnabledLinkByKey(Word(c), KeyDataToShiftState(Message.LParam), selected, ambiguous)) {
    if (TdxBarItemControl* control = link->ItemControl()) ActivateByKey(control, ambiguous);
  }
}

// ---- the drop-down list of combo items -----------------------------------------------------------

TdxBarDropDownListBox::TdxBarDropDownListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
  SetStyle(lbOwnerDrawVariable);
  TControl::SetVisible(false);
}

TdxBarPainter* TdxBarDropDownListBox::Painter() const { return parentBar_ ? parentBar_->Painter() : nullptr; }

void TdxBarDropDownListBox::CreateParams(TCreateParams& Params) {
  TCustomListBox::CreateParams(Params);
  Params.Style &= ~DWORD(WS_BORDER);
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  // The list's own copy of the system class carries the saved-bits style.
  Params.WindowClassStyle |= CS_SAVEBITS;
  Params.CopySystemClass = true;
}

void TdxBarDropDownListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  ::SetParent(Handle(), nullptr);
  CallWindowProcW(DefWndProc(), Handle(), WM_SETFOCUS, 0, 0);
}

void TdxBarDropDownListBox::WMNCCalcSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  TdxBarPainter* painter = Painter();
  const int b = painter ? painter->DropDownListBorderSize() : 0;
  auto* rect = reinterpret_cast<RECT*>(Message.LParam);
  InflateRect(rect, -b, -b);
}

void TdxBarDropDownListBox::WMNCPaint(TMessage& Message) {
  Inherited::Dispatch(Message);
  TdxBarPainter* painter = Painter();
  TdxBarCanvas* canvas = SharedBarCanvas();
  if (!painter || !canvas) return;
  RECT window{};
  GetWindowRect(Handle(), &window);
  const TRect r{0, 0, window.right - window.left, window.bottom - window.top};
  const int b = painter->DropDownListBorderSize();
  HDC dc = GetWindowDC(Handle());
  canvas->PushDC(dc);
  try {
    canvas->SubtractFromClip(InflateRectBy(r, -b, -b));
    painter->DrawDropDownListBorder(dc, Color(), r);
  } catch (...) {
    canvas->PopState();
    ReleaseDC(Handle(), dc);
    throw;
  }
  canvas->PopState();
  ReleaseDC(Handle(), dc);
}

void TdxBarDropDownListBox::WMCaptureChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  CapturedOnDropDown = false;
}

void TdxBarDropDownListBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (HandleAllocated() && GetCapture() == Handle() && CapturedOnDropDown && ClientRect().Contains(TPoint{X, Y})) {
    CapturedOnDropDown = false;
    CallWindowProcW(DefWndProc(), Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(X, Y));
  }
  TCustomListBox::MouseMove(Shift, X, Y);
  const int index = ItemAtPos(TPoint{X, Y}, true);
  if (index >= 0 && index <= Items()->Count() - 1) SetItemIndex(index);
}

void TdxBarDropDownListBox::WMLButtonUp(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (CapturedOnDropDown) {
    ReleaseCapture();
    return;
  }
  ReleaseChoosesEntry(ItemIndex());
}

void TdxBarDropDownListBox::KeyDown(Word& Key, TShiftState Shift) {
  if (ItemIndex() == -1 && Items()->Count() > 0) SetItemIndex(TopIndex());
  TCustomListBox::KeyDown(Key, Shift);
}

void TdxBarDropDownListBox::Click() {
  TCustomListBox::Click();
  if (ItemIndex() >= 0) EntryClicked(ItemIndex());
}

// ---- toolbar layout -----------------------------------------------------------------------------

void WrapToolbarItems(std::vector<TdxToolbarLayoutItem>& Items, int Length, int Separator, TSize& Size) {
  const int n = int(Items.size());
  const int l = std::max(Length, int(Size.cx));
  int p = 0, rowCross = 0, total = 0, longest = 0;
  bool firstInRow = true, retrying = false;
  int group = -1, groupP = 0, groupCross = 0;
  int i = 0;
  while (i < n) {
    TdxToolbarLayoutItem& item = Items[i];
    const int g = item.BeginGroup && p > 0 ? Separator : 0;
    if (g > 0) {
      group = i;
      groupP = p;
      groupCross = rowCross;
    }
    int m = p + g + item.Along;
    if ((p > 0 && l < m) || retrying || (g > 0 && !firstInRow)) {
      item.LineBreakBefore = true;
      firstInRow = false;
      if (group >= 0) {
        if (!retrying) {
          i = group;
          p = groupP;
          rowCross = groupCross;
          firstInRow = true;
          retrying = true;
          continue;
        }
        firstInRow = true;
        retrying = false;
      }
      m = item.Along;
      group = -1;
      longest = std::max(longest, p);
      total += g + rowCross;
      rowCross = 0;
    } else {
      item.LineBreakBefore = false;
    }
    p = m;
    ++i;
    rowCross = std::max(rowCross, item.Across);
  }
  if (n > 0) Size.cy = total + rowCross;
  Size.cx = std::max({int(Size.cx), longest, p});
}

namespace {
void CentreToolbarRow(std::vector<TdxToolbarLayoutItem>& Items, int First, int Last, bool Vertical, int T) {
  for (int k = First; k <= Last; ++k) {
    TRect& r = Items[k].Rect;
    if (Vertical) {
      const int dx = (r.Width() - T) / 2;
      r.left += dx;
      r.right += dx;
    } else {
      const int dy = (T - r.Height()) / 2;
      r.top += dy;
      r.bottom += dy;
    }
    Items[k].RowHeight = T;
  }
}
}  // namespace

int ArrangeToolbarItems(std::vector<TdxToolbarLayoutItem>& Items, bool Wrap, bool Vertical, int Available,
                        int Thickness, int Width, int Separator) {
  const int n = int(Items.size());
  int p = 0, o = 0, rowStart = 0;
  int t = Wrap ? 0 : Thickness;
  int placed = n;
  for (int i = 0; i < n; ++i) {
    TdxToolbarLayoutItem& item = Items[i];
    item.LastInRow = false;
    const int s = item.Along, c = item.Across;
    int g = item.BeginGroup && p > 0 ? Separator : 0;
    const bool overflow = (p > 0 && Available < p + g + s) || (Wrap && item.LineBreakBefore && i > 0);
    if (overflow && !Wrap) {
      placed = i;
      break;
    }
    if (overflow) {
      Items[i - 1].LastInRow = true;
      CentreToolbarRow(Items, rowStart, i - 1, Vertical, t);
      rowStart = i;
      o += t + g;
      p = 0;
      g = 0;
      t = 0;
    }
    if (Wrap && Vertical)
      item.Rect = TRect{Width - o - c, p + g, Width - o, p + g + s};
    else if (Wrap)
      item.Rect = TRect{p + g, o, p + g + s, o + c};
    else if (Vertical)
      item.Rect = TRect{(t - c) / 2, p + g, (t - c) / 2 + c, p + g + s};
    else
      item.Rect = TRect{p + g, (t - c) / 2, p + g + s, (t - c) / 2 + c};
    item.Aligned = item.Align != iaLeft;
    if (item.Aligned) {
      TRect& r = item.Rect;
      const int nearEdge = Vertical ? r.top : r.left;
      int farEdge = Vertical ? r.bottom : r.right;
      int shift = 0;
      if (item.Align == iaCenter) {
        shift = (Available - farEdge) / 2;
      } else if (item.Align == iaRight) {
        shift = Available - farEdge;
      } else {
        farEdge = std::max(Available, nearEdge + item.MinAlong);
        (Vertical ? r.bottom : r.right) = farEdge;
      }
      if (Vertical) {
        r.top += shift;
        r.bottom += shift;
      } else {
        r.left += shift;
        r.right += shift;
      }
    }
    item.RowHeight = t;
    p = item.Aligned ? Available : p + g + s;
    t = std::max(t, c);
  }
  if (placed > 0) {
    Items[placed - 1].LastInRow = true;
    if (Wrap) CentreToolbarRow(Items, rowStart, placed - 1, Vertical, t);
  }
  return placed;
}

TPoint ToolbarPopupPosition(const TRect& R, const TSize& PopupSize, bool Vertical, const TRect& Work) {
  const int w = PopupSize.cx, h = PopupSize.cy;
  TPoint p = Vertical ? TPoint{R.right, R.top} : TPoint{R.left, R.bottom};
  if (Vertical) {
    if (p.x + w > Work.right) p.x = R.left - w;
    if (p.y < Work.top) p.y = Work.top;
    if (p.y > Work.bottom - h) p.y = Work.bottom - h;
  } else {
    if (p.x < Work.left) p.x = Work.left;
    if (p.x > Work.right - w) p.x = Work.right - w;
    if (p.y + h > Work.bottom) p.y = R.top - h;
  }
  return p;
}

// ---- the toolbar window -------------------------------------------------------------------------

namespace {
// The press state of the MDI and close buttons, shared by every toolbar of the process.
struct TMDIPressState {
  TdxBarControl* Window = nullptr;
  bool Pressing = false;
  bool Hot = false;
  int Pressed = -1;
  int HotIndex = -1;
};
TMDIPressState g_mdiPress;
const UINT kMDICommands[3] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
}  // namespace

DEFINE_CLASS(TdxBarControl)

TdxBarControl::TdxBarControl(TdxBarManager* AOwner, TdxBar* ABar) : TCustomdxBarControl(AOwner), bar_(ABar) {}

TdxBarControl::~TdxBarControl() {
  DetachAccessibilityHelper(markAccessibilityHelper_);
  if (g_mdiPress.Window == this) g_mdiPress = TMDIPressState{};
  if (dockControl_) dockControl_->RemoveBar(this, nullptr, false);
  if (Column && Column->Row) Column->Row->RemoveWindow(this);
}

bool TdxBarControl::IsMultiLine() const { return !IsDocked() || (bar_ && bar_->MultiLine()); }

void TdxBarControl::CreateParams(TCreateParams& Params) {
  TCustomdxBarControl::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  Params.ExStyle = 0;
  Params.WindowClassStyle |= CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  if (IsDocked() && dockControl_) {
    Params.Style |= WS_CHILD;
    Params.WndParent = dockControl_->Handle();
  } else {
    Params.Style |= WS_POPUP;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    auto* owner = dynamic_cast<TWinControl*>(OwningBarManager()->Owner());
    Params.WndParent = owner ? owner->Handle() : nullptr;
  }
}

void TdxBarControl::MoveHandleTo(HWND NewParent, bool Popup) {
  HWND window = Handle();
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (Popup) {
    ::SetParent(window, nullptr);
    SetWindowLongPtrW(window, GWL_STYLE, (style & ~LONG_PTR(WS_CHILD)) | WS_POPUP);
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(NewParent));
    ex |= WS_EX_TOOLWINDOW;
  } else {
    SetWindowLongPtrW(window, GWL_STYLE, (style & ~LONG_PTR(WS_POPUP)) | WS_CHILD);
    ::SetParent(window, NewParent);
    ex &= ~LONG_PTR(WS_EX_TOOLWINDOW);
  }
  SetWindowLongPtrW(window, GWL_EXSTYLE, ex);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TdxBarControl::ChangeDockingState(TdxBarDockingStyle Style, TdxDockControl* Site) {
  const bool wasDocked = IsDocked();
  dockingStyle_ = Style;
  dockControl_ = Style == dsNone ? nullptr : Site;
  if (!HandleAllocated()) {
    HandleNeeded();
  } else if (IsDocked()) {
    MoveHandleTo(dockControl_->Handle(), false);
  } else if (wasDocked) {
    auto* owner = dynamic_cast<TWinControl*>(OwningBarManager()->Owner());
    MoveHandleTo(owner ? owner->Handle() : nullptr, true);
  }
  if (!IsDocked() && bar_) SetWindowAlphaLevel(Handle(), bar_->AlphaBlendValue());
  Relayout();
}

void TdxBarControl::SetBoundsIfChanged(const TRect& R) {
  if (BoundsRect() == R) return;
  ++repositioning_;
  try {
    SetBounds(R.left, R.top, R.Width(), R.Height());
  } catch (...) {
    --repositioning_;
    throw;
  }
  --repositioning_;
}

TRect TdxBarControl::FrameMargins() {
  TdxBarPainter* painter = Painter();
  if (!painter) return TRect{};
  return painter->CalcBarBorderRect(this);
}

int TdxBarControl::FrameWidth() {
  const TRect m = FrameMargins();
  return m.left + m.right;
}

int TdxBarControl::FrameHeight() {
  const TRect m = FrameMargins();
  return m.top + m.bottom;
}

TRect TdxBarControl::CaptionRect() {
  const TRect m = FrameMargins();
  const TRect w = WindowRectAtOrigin();
  const int h = Painter() ? Painter()->SmallCaptionHeight() : 0;
  return TRect{m.left, m.top - h, w.right - m.right, m.top};
}

TRect TdxBarControl::CaptionSlot(int Index) {
  const TRect c = CaptionRect();
  TdxBarPainter* painter = Painter();
  const int w = painter ? painter->SmallCaptionHeight() : c.Height();
  TRect area{c.right - (Index + 1) * w, c.top, c.right - Index * w, c.bottom};
  TSize size{};
  if (painter) painter->GetCaptionButtonSize(size);
  if (size.cx > 0 && size.cx < area.Width()) {
    area.left += (area.Width() - size.cx) / 2;
    area.right = area.left + size.cx;
  }
  if (size.cy > 0 && size.cy < area.Height()) {
    area.top += (area.Height() - size.cy) / 2;
    area.bottom = area.top + size.cy;
  }
  return area;
}

TRect TdxBarControl::CloseButtonRect() { return ShowsCloseButton() ? CaptionSlot(0) : TRect{}; }

bool TdxBarControl::AllowsClosing() { return bar_ && bar_->AllowClose() && !bar_->IsMainMenu(); }

bool TdxBarControl::ShowsCloseButton() { return !IsDocked() && HasFloatingCaption() && AllowsClosing(); }

void TdxBarControl::LayoutCaptionButtons() {
  TdxBarCaptionButtons* buttons = bar_ ? bar_->CaptionButtons() : nullptr;
  if (!buttons) return;
  const int n = buttons->Count();
  const int first = ShowsCloseButton() ? 1 : 0;
  for (int i = 0; i < n; ++i)
    buttons->ButtonAt(i)->Bounds = IsDocked() ? TRect{} : CaptionSlot(first + n - 1 - i);
}

int TdxBarControl::CaptionTargetAt(const TPoint& WindowPoint) {
  if (IsDocked()) return -1;
  if (ShowsCloseButton() && CloseButtonRect().Contains(WindowPoint)) return -2;
  TdxBarCaptionButtons* buttons = bar_ ? bar_->CaptionButtons() : nullptr;
  if (!buttons) return -1;
  LayoutCaptionButtons();
  return buttons->ButtonIndexAt(WindowPoint);
}

void TdxBarControl::SetCloseButtonState(int State) {
  if (closeButtonState_ == State) return;
  closeButtonState_ = State;
  if (HandleAllocated()) PaintCloseButton();
}

void TdxBarControl::PaintCloseButton() {
  if (!Painter() || !ShowsCloseButton()) return;
  HDC dc = GetWindowDC(Handle());
  Painter()->PaintCaptionCloseButton(this, dc, CloseButtonRect());
  ReleaseDC(Handle(), dc);
}

void TdxBarControl::TrackCaptionHot(const TPoint& WindowPoint) {
  if (IsDocked() || IsDestroying()) return;
  if (ShowsCloseButton() && Painter() && Painter()->CloseButtonHotTracks())
    SetCloseButtonState(CloseButtonRect().Contains(WindowPoint) ? 1 : 0);
  TdxBarCaptionButtons* buttons = bar_ ? bar_->CaptionButtons() : nullptr;
  if (!buttons || buttons->Count() == 0) return;
  LayoutCaptionButtons();
  buttons->UpdateHotStates(WindowPoint, false);
}

bool TdxBarControl::PressCaptionTarget(int Target) {
  if (Target == -1 || !HandleAllocated()) return false;
  TdxBarManager* manager = OwningBarManager();
  if (IsActive()) {
    GuardedClose();
    if (!IsLiveBarControl(this) || !HandleAllocated()) return false;
  }
  if (!manager->HideFloatingBarsWhenInactive()) {
    auto* owner = dynamic_cast<TWinControl*>(manager->Owner());
    if (owner && owner->HandleAllocated()) ::SetActiveWindow(GetAncestor(owner->Handle(), GA_ROOT));
  }
  TdxBarCaptionButtons* buttons = bar_ ? bar_->CaptionButtons() : nullptr;
  const HWND window = Handle();
  // Shows the target pressed while the pointer is on it (the close button: hot-pressed or pressed).
  auto showPressed = [&](const TPoint& At) {
    const bool on = CaptionTargetAt(At) == Target;
    if (Target == -2) {
      SetCloseButtonState(on ? 2 : 1);
    } else if (buttons) {
      buttons->UpdateHotStates(on ? At : TPoint{-30000, -30000}, true);
      RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }
  };
  // The press was on the target: it shows pressed at once.
  if (Target == -2) {
    SetCloseButtonState(2);
  } else if (buttons && Target < buttons->Count()) {
    LayoutCaptionButtons();
    showPressed(buttons->ButtonAt(Target)->Bounds.TopLeft());
  }
  SetCapture(window);
  TcxObjectLink* self = AcquireObjectLink(this);
  bool clicked = false;
  auto finish = [&] {
    const bool alive = self->Ref != nullptr;
    ReleaseObjectLink(self);
    if (GetCapture() == window) ReleaseCapture();
    if (!alive) return false;
    if (Target == -2) SetCloseButtonState(0);
    if (buttons) {
      buttons->UpdateHotStates(TPoint{-30000, -30000}, false);
      if (HandleAllocated()) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    return true;
  };
  try {
    MSG msg{};
    while (GetCapture() == window && self->Ref) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == -1) break;
      if (got == 0 || msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        break;
      }
      if (msg.hwnd == window && (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)) {
        const TPoint at = ClientToWindowPoint(TPoint{short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))});
        if (msg.message == WM_LBUTTONUP) {
          clicked = CaptionTargetAt(at) == Target;
          break;
        }
        if (WindowRectAtOrigin().Contains(at)) showPressed(at);
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } catch (...) {
    finish();
    throw;
  }
  if (!finish() || !clicked) return false;
  if (Target == -2)
    CloseByUser();
  else
    CaptionButtonClicked(Target);
  return true;
}

void TdxBarControl::CaptionButtonClicked(int Index) {
  TdxBarCaptionButtons* buttons = bar_ ? bar_->CaptionButtons() : nullptr;
  if (buttons && Index >= 0 && Index < buttons->Count()) buttons->ButtonAt(Index)->Click();
}

bool TdxBarControl::AllowsFlatCloseButton() {
  return (!IsDocked() && IsMainMenu()) || (ShowsCloseButton() && OwningBarManager()->ShowCloseButton());
}

int TdxBarControl::RowExtent(TdxBarDockingStyle Style) {
  const bool vertical = Style == dsLeft || Style == dsRight;
  const std::vector<TdxToolbarLayoutItem> items = MeasureItems(vertical);
  int extent = 0;
  if (items.empty()) {
    const TSize empty =
        Painter() ? Painter()->PaddedButtonSize(OwningBarManager()->GlyphSize(), TextHeight()) : TSize{};
    extent = vertical ? empty.cx : empty.cy;
  } else if (vertical || (bar_ && bar_->WholeRow())) {
    for (const auto& item : items) extent = std::max(extent, item.Across);
  } else {
    extent = items.front().Across;
  }
  if (Style == dsNone && Painter()) extent += Painter()->SmallCaptionHeight();
  const TRect m = FrameMargins();
  return extent + (vertical ? m.left + m.right : m.top + m.bottom);
}

void TdxBarControl::WMSizing(TMessage& Message) {
  if (IsDocked()) {
    Inherited::Dispatch(Message);
    return;
  }
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  const int fw = FrameWidth(), fh = FrameHeight();
  // A floating toolbar takes only the sizes its links fill exactly.
  switch (Message.WParam) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT: {
      const TSize size = SizeForWidth(dsNone, r->right - r->left - fw);
      if (Message.WParam == WMSZ_LEFT)
        r->left = r->right - size.cx - fw;
      else
        r->right = r->left + size.cx + fw;
      r->bottom = r->top + size.cy + fh;
      break;
    }
    case WMSZ_TOP:
    case WMSZ_BOTTOM: {
      const TSize size = SizeForHeight(dsNone, r->bottom - r->top - fh);
      r->right = r->left + size.cx + fw;
      if (Message.WParam == WMSZ_TOP)
        r->top = r->bottom - size.cy - fh;
      else
        r->bottom = r->top + size.cy + fh;
      break;
    }
    default: {
      // Corners do not resize.
      GetWindowRect(Handle(), r);
      break;
    }
  }
  if (r->top < -15) OffsetRect(r, 0, -r->top - 15);
  Message.Result = 1;
}

void TdxBarControl::RefreshSizeGrip() {
  if (!HandleAllocated() || IsDestroying() || !bar_) return;
  if ((IsDocked() && bar_->ShowsSizeGrip()) == showsSizeGrip_) return;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TdxBarControl::PositionChanged(const WINDOWPOS& WindowPos) {
  TCustomdxBarControl::PositionChanged(WindowPos);
  if (IsStatusBar()) RefreshSizeGrip();
}

TRect TdxBarControl::SizeGripRect() {
  if (!ShowsSizeGrip() || !Painter()) return TRect{};
  TSize size{};
  Painter()->SizeGripSize(OwningBarManager(), size);
  const TRect w = WindowRectAtOrigin();
  return TRect{w.right - size.cx, w.bottom - size.cy, w.right, w.bottom};
}

// ---- the mark -------------------------------------------------------------------------------------

namespace {
// The mark's timer id on the toolbar window.
constexpr UINT_PTR kMarkTimer = 1;
}  // namespace

bool TdxBarControl::ShowsMark() {
  if (!bar_ || !bar_->ShowMark()) return false;
  TdxBarPainter* painter = Painter();
  return MoreLinks || (painter && painter->AllowsQuickCustomizing() && bar_->AllowQuickCustomizing());
}

bool TdxBarControl::HasMark() { return Painter() && Painter()->AllowsQuickCustomizing() && ShowsMark(); }

void TdxBarControl::MarkRect(TRect& R) {
  R = TRect{};
  if (Painter() && ShowsMark() && MarkSize > 0) Painter()->MarkRectFor(this, R);
}

String TdxBarControl::MarkHintText() { return dxBarString(dxbsMoreButtons); }

void TdxBarControl::StartMarkTimer() {
  if (!HandleAllocated()) return;
  SetTimer(Handle(), kMarkTimer, 50, nullptr);
  markTimer_ = true;
}

void TdxBarControl::KillMarkTimer() {
  if (!markTimer_) return;
  markTimer_ = false;
  if (HandleAllocated()) KillTimer(Handle(), kMarkTimer);
}

void TdxBarControl::SetMarkState(int State) {
  if (IsCustomizing() || State == markStateValue_) return;
  markStateValue_ = State;
  KillMarkTimer();
  TdxBarManager* manager = OwningBarManager();
  if (State == 1) {
    if (!IsDocked()) StartMarkTimer();
    manager->ShowItemHint(true, MarkHintText());
  } else if (State == 0) {
    if (!SelectedItemControl()) manager->HideItemHint();
  } else {
    manager->HideItemHint();
  }
  TdxBarDesignController* controller = DesignControllerInstance();
  if (controller) {
    if (State == 2) {
      TRect mark;
      MarkRect(mark);
      MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&mark), 2);
      controller->ShowQuickCustomizeBar(this, mark);
    } else if (controller->FreeQuickCustomizationBarOf(this)) {
      return;
    }
  }
  if (!IsLiveBarControl(this)) return;
  if (Painter()) Painter()->InvalidateMark(this);
}

void TdxBarControl::PaintMark(HDC DC) {
  TRect r;
  MarkRect(r);
  if (!r.IsEmpty() && Painter()) Painter()->DrawCaptionMark(this, DC, r);
}

void TdxBarControl::WMTimerBar(TMessage& Message) {
  if (Message.WParam != kMarkTimer) {
    Inherited::Dispatch(Message);
    return;
  }
  // A hot mark goes back to normal once the window is hidden or the cursor left it.
  if (!IsWindowVisible(Handle()) || !CursorOnMark()) {
    KillMarkTimer();
    if (markStateValue_ == 1) SetMarkState(0);
  }
}

void TdxBarControl::CalcMetrics() {
  TCustomdxBarControl::CalcMetrics();
  mdiButtonSize_ = TSize{GetSystemMetrics(SM_CXMENUSIZE) - 2, GetSystemMetrics(SM_CYMENUSIZE) - 4};
  MarkSize = Painter() ? Painter()->MarkSize(this) : 0;
}

// ---- MDI buttons ------------------------------------------------------------------------------------


int TdxBarControl::PressedMDIButton() { return g_mdiPress.Pressing ? g_mdiPress.Pressed : -1; }
int TdxBarControl::HotMDIButton() { return g_mdiPress.HotIndex; }

HWND TdxBarControl::MDIChildWindow() {
  TCustomForm* child = OwningBarManager()->RememberedMDIChild();
  return child && child->HandleAllocated() ? child->Handle() : nullptr;
}

bool TdxBarControl::ShowsMDIButtons() {
  if (!IsMainMenu() || !OwningBarManager()->MDIChildMaximized()) return false;
  HWND child = MDIChildWindow();
  return child && (GetWindowLongPtrW(child, GWL_STYLE) & WS_SYSMENU) && GetSystemMenu(child, FALSE);
}

bool TdxBarControl::HasCaptionButtonsArea() {
  return ShowsMDIButtons() || (IsMainMenu() && OwningBarManager()->ShowCloseButton());
}

int TdxBarControl::MDIButtonsWidth() {
  return ShowsMDIButtons() && !IsVertical() ? mdiButtonSize_.cx * 3 + 2 : mdiButtonSize_.cx;
}

int TdxBarControl::MDIButtonsHeight() {
  return ShowsMDIButtons() && IsVertical() ? mdiButtonSize_.cy * 3 + 2 : mdiButtonSize_.cy;
}

TRect TdxBarControl::MDIButtonRect(int Index) {
  const bool vertical = IsVertical();
  const TRect client = ClientRect();
  const int length = (vertical ? client.Height() : client.Width()) - (IsDocked() ? MarkExtent() : 0);
  const int thickness = vertical ? client.Width() : client.Height();
  const int b = vertical ? mdiButtonSize_.cy : mdiButtonSize_.cx;
  const int t = vertical ? mdiButtonSize_.cx : mdiButtonSize_.cy;
  int across = (thickness - t) / 2;
  if (IsMultiLine()) {
    // The last row: below (or left of) the rows before it.
    TdxBarItemLinks* links = ItemLinks();
    TdxBarItemLink* last = links && links->ShownLinkCount() > 0 ? links->ShownLinkAt(links->ShownLinkCount() - 1) : nullptr;
    if (last && !last->ItemRect().IsEmpty()) {
      const TRect r = last->ItemRect();
      const int rowStart = vertical ? r.left : r.top;
      across = vertical ? rowStart + (r.Width() - t) / 2 : rowStart + (last->RowHeight - t) / 2;
    } else if (vertical) {
      across = thickness - t;
    }
  }
  int along;
  if (ShowsMDIButtons())
    along = length + Index * b - (vertical ? MDIButtonsHeight() : MDIButtonsWidth()) + (Index == 2 ? 2 : 0);
  else
    along = length - b;
  return vertical ? TRect{across, along, across + t, along + b} : TRect{along, across, along + b, across + t};
}

bool TdxBarControl::MDIButtonEnabled(int Index, UINT Mask) {
  if (Index == 1) return true;
  if (Index == 2 && !ShowsMDIButtons()) return true;
  HWND child = MDIChildWindow();
  HMENU menu = child ? GetSystemMenu(child, FALSE) : nullptr;
  if (!menu) return false;
  const UINT state = GetMenuState(menu, kMDICommands[Index], MF_BYCOMMAND);
  return state != UINT(-1) && (state & Mask) == 0;
}

int TdxBarControl::MDIButtonAt(const TPoint& P, UINT Mask) {
  if (!HasCaptionButtonsArea()) return -1;
  for (int i = ShowsMDIButtons() ? 0 : 2; i < 3; ++i)
    if (MDIButtonRect(i).Contains(P) && MDIButtonEnabled(i, Mask)) return i;
  return -1;
}

void TdxBarControl::PaintMDIButtons(TcxCanvas* Canvas, bool All, bool Exclude) {
  if (!Painter()) return;
  for (int i = All ? 0 : 2; i < 3; ++i) {
    const TRect r = MDIButtonRect(i);
    int state;
    if (!MDIButtonEnabled(i, MF_GRAYED)) {
      state = 1;
    } else {
      const bool mine = g_mdiPress.Window == this;
      const bool pressed = mine && g_mdiPress.Pressing && g_mdiPress.Pressed == i;
      const bool hot = mine && g_mdiPress.Hot && g_mdiPress.HotIndex == i;
      state = pressed && hot ? 4 : pressed ? 3 : hot ? 2 : 0;
    }
    Painter()->DrawMDIButton(this, i, state, Canvas->DCHandle(), r);
    if (Exclude) Canvas->SubtractFromClip(r);
  }
}

void TdxBarControl::RepaintMDIButtons() {
  if (!HandleAllocated() || !HasCaptionButtonsArea()) return;
  for (int i = 0; i < 3; ++i) {
    const RECT r = MDIButtonRect(i);
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TdxBarControl::MouseUpStep(TMouseButton Button, TShiftState Shift, const TPoint& P, TdxBarItemControl* Control,
                                bool InClient) {
  if (!(g_mdiPress.Pressing && g_mdiPress.Window == this && Button == mbLeft)) {
    TCustomdxBarControl::MouseUpStep(Button, Shift, P, Control, InClient);
    return;
  }
  const int pressed = g_mdiPress.Pressed;
  const bool onIt = MDIButtonRect(pressed).Contains(P);
  g_mdiPress = TMDIPressState{};
  if (GetCapture() == Handle()) ReleaseCapture();
  RepaintMDIButtons();
  if (!onIt) return;
  if (pressed == 2 && !ShowsMDIButtons()) {
    OwningBarManager()->DoCloseButtonClick();
  } else if (HWND child = MDIChildWindow()) {
    SendMessageW(child, WM_SYSCOMMAND, kMDICommands[pressed], 0);
  }
}

void TdxBarControl::MouseDownStep(TMouseButton Button, TShiftState Shift, const TPoint& P, TdxBarItemControl* Control,
                                  bool InClient) {
  if (Button == mbLeft && !IsCustomizing()) {
    const int mdi = MDIButtonAt(P, MF_GRAYED | MF_DISABLED);
    if (mdi >= 0) {
      g_mdiPress = TMDIPressState{this, true, true, mdi, mdi};
      RepaintMDIButtons();
      SetCapture(Handle());
      return;
    }
    const int target = CaptionTargetAt(ClientToWindowPoint(P));
    if (target != -1) {
      PressCaptionTarget(target);
      return;
    }
    if (HasMark() && PointOnMark(P)) {
      SetMarkState(MarkState() == 2 ? 1 : 2);
      return;
    }
  }
  TCustomdxBarControl::MouseDownStep(Button, Shift, P, Control, InClient);
}

void TdxBarControl::MouseMoveStep(TShiftState Shift, const TPoint& P, TdxBarItemControl* Control) {
  if (g_mdiPress.Pressing && g_mdiPress.Window == this) {
    const bool hot = MDIButtonRect(g_mdiPress.Pressed).Contains(P);
    if (hot != g_mdiPress.Hot) {
      g_mdiPress.Hot = hot;
      RepaintMDIButtons();
    }
    return;
  }
  if (HasCaptionButtonsArea() && !IsCustomizing()) {
    const int hot = MDIButtonAt(P, MF_GRAYED);
    if (hot != g_mdiPress.HotIndex || (hot >= 0 && g_mdiPress.Window != this)) {
      g_mdiPress = TMDIPressState{hot >= 0 ? this : nullptr, false, hot >= 0, -1, hot};
      RepaintMDIButtons();
    }
  }
  TCustomdxBarControl::MouseMoveStep(Shift, P, Control);
  if (!IsLiveBarControl(this) || ActiveBarControl()) return;
  TrackCaptionHot(ClientToWindowPoint(P));
  if (HasMark() && MarkState() != 2) SetMarkState(PointOnMark(P) ? 1 : 0);
}

void TdxBarControl::MouseLeaveStep() {
  TCustomdxBarControl::MouseLeaveStep();
  if (IsLiveBarControl(this)) TrackCaptionHot(TPoint{-30000, -30000});
}

void TdxBarControl::WMNCMouseMove(TMessage& Message) {
  Inherited::Dispatch(Message);
  RECT w{};
  GetWindowRect(Handle(), &w);
  TrackCaptionHot(TPoint{short(LOWORD(Message.LParam)) - w.left, short(HIWORD(Message.LParam)) - w.top});
  if (!trackingNonClient_) {
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_NONCLIENT, Handle(), 0};
    trackingNonClient_ = TrackMouseEvent(&tme) != FALSE;
  }
}

void TdxBarControl::WMNCMouseLeave(TMessage& Message) {
  trackingNonClient_ = false;
  Inherited::Dispatch(Message);
  TrackCaptionHot(TPoint{-30000, -30000});
}

std::vector<TdxToolbarLayoutItem> TdxBarControl::MeasureItems(bool Vertical) {
  std::vector<TdxToolbarLayoutItem> items;
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return items;
  HandleNeeded();
  for (int i = 0; i < links->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShownLinkAt(i);
    TdxBarItemControl* control = link->ItemControl();
    if (!control) continue;
    TdxToolbarLayoutItem item;
    const int w = control->MeasureWidth(), h = control->MeasureHeight();
    item.Along = Vertical ? h : w;
    item.Across = Vertical ? w : h;
    item.BeginGroup = link->BeginGroup();
    item.Align = control->EffectiveAlign();
    item.MinAlong = control->MinWidth();
    items.push_back(item);
  }
  return items;
}

namespace {
bool StyleVertical(TdxBarDockingStyle Style) { return Style == dsLeft || Style == dsRight; }

// Keeps a links collection's shown limit: set to Limit meanwhile (unless kept), the old one back
// at the end when it changed.
class TShownLimitKeeper {
 public:
  TShownLimitKeeper(TdxBarItemLinks* Links, bool SetAll) : links_(Links), saved_(Links ? Links->ShownLimit() : -1) {
    if (links_ && SetAll && saved_ != -1) links_->SetShownLimit(-1);
  }
  ~TShownLimitKeeper() {
    if (links_ && links_->ShownLimit() != saved_) links_->SetShownLimit(saved_);
  }
  TShownLimitKeeper(const TShownLimitKeeper&) = delete;
  TShownLimitKeeper& operator=(const TShownLimitKeeper&) = delete;

 private:
  TdxBarItemLinks* links_;
  int saved_;
};
}  // namespace

int TdxBarControl::NaturalWidth(TdxBarDockingStyle Style) {
  const bool multi = Style == dsNone || (bar_ && bar_->MultiLine());
  const std::vector<TdxToolbarLayoutItem> items = MeasureItems(false);
  const TSize empty = Painter() ? Painter()->PaddedButtonSize(OwningBarManager()->GlyphSize(), TextHeight()) : TSize{};
  int w = 0;
  if (StyleVertical(Style) || multi) {
    for (const auto& item : items) w = std::max(w, item.Along);
    if (items.empty() && Style != dsNone) w = empty.cx;
    if (Style == dsNone) w = std::max(w, std::max(MarkExtent(), 51));
  } else {
    w = items.empty() ? empty.cx : items.front().Along;
  }
  if (Style == dsTop || Style == dsBottom) w += MarkExtent();
  return w;
}

int TdxBarControl::NaturalHeight(TdxBarDockingStyle Style) {
  const bool multi = Style == dsNone || (bar_ && bar_->MultiLine());
  const std::vector<TdxToolbarLayoutItem> items = MeasureItems(true);
  const TSize empty = Painter() ? Painter()->PaddedButtonSize(OwningBarManager()->GlyphSize(), TextHeight()) : TSize{};
  int h = 0;
  if (Style == dsTop || Style == dsBottom || multi) {
    for (const auto& item : items) h = std::max(h, item.Along);
    if (items.empty() && Style != dsNone) h = empty.cy;
  } else {
    h = items.empty() ? empty.cy : items.front().Along;
  }
  if (StyleVertical(Style)) h += MarkExtent();
  return h;
}

int TdxBarControl::OneRowWidth(TdxBarDockingStyle Style) {
  TShownLimitKeeper all(ItemLinks(), true);
  const bool multi = Style == dsNone || (bar_ && bar_->MultiLine());
  const std::vector<TdxToolbarLayoutItem> items = MeasureItems(false);
  int w = 0;
  if (!StyleVertical(Style) || multi) {
    for (const auto& item : items) w += item.Along + (item.BeginGroup ? SeparatorSize() : 0);
    if (HasCaptionButtonsArea()) w += MDIButtonsWidth();
    if (Style == dsTop || Style == dsBottom) w += MarkExtent();
  } else {
    for (const auto& item : items) w = std::max(w, item.Along);
  }
  return std::max(w, NaturalWidth(Style));
}

int TdxBarControl::OneRowHeight(TdxBarDockingStyle Style) {
  TShownLimitKeeper all(ItemLinks(), true);
  const bool multi = Style == dsNone || (bar_ && bar_->MultiLine());
  const std::vector<TdxToolbarLayoutItem> items = MeasureItems(true);
  int h = 0;
  if (StyleVertical(Style) || multi) {
    for (const auto& item : items) h += item.Along + (item.BeginGroup ? SeparatorSize() : 0);
    if (StyleVertical(Style)) h += MarkExtent();
  } else {
    for (const auto& item : items) h = std::max(h, item.Along);
  }
  return std::max(h, NaturalHeight(Style));
}

TSize TdxBarControl::SizeForWidth(TdxBarDockingStyle Style, int Width) {
  const bool multi = Style == dsNone || (bar_ && bar_->MultiLine());
  if (multi && StyleVertical(Style)) {
    TSize size = SizeForHeight(Style, OneRowHeight(Style));
    while (size.cx < Width) {
      const TSize next = SizeForHeight(Style, size.cy - 1);
      if (next.cy == size.cy) break;
      size = next;
    }
    return size;
  }
  if (multi) {
    std::vector<TdxToolbarLayoutItem> items = MeasureItems(false);
    TSize size{NaturalWidth(Style), NaturalHeight(Style)};
    WrapToolbarItems(items, Width - (Style != dsNone ? MarkExtent() : 0), SeparatorSize(), size);
    return size;
  }
  if (StyleVertical(Style)) return TSize{NaturalWidth(Style), OneRowHeight(Style)};
  TSize size{NaturalWidth(Style), NaturalHeight(Style)};
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return size;
  if (links->ShownLimit() != -1) links->SetShownLimit(-1);
  if (MeasureItems(false).empty()) return size;
  const int buttons = HasCaptionButtonsArea() ? MDIButtonsWidth() : 0;
  const int length = std::max(Width, int(size.cx)) - buttons - MarkExtent();
  // One row of the shown links: fails when a link after the first ends beyond the length.
  auto rowFit = [&](TSize& Row) {
    const std::vector<TdxToolbarLayoutItem> items = MeasureItems(false);
    Row = TSize{0, 0};
    bool fits = true;
    for (size_t i = 0; i < items.size(); ++i) {
      Row.cx += items[i].Along + (items[i].BeginGroup ? SeparatorSize() : 0);
      Row.cy = std::max(int(Row.cy), items[i].Across);
      if (i > 0 && Row.cx > length) fits = false;
    }
    return fits;
  };
  TSize row{};
  // Every link in one row needs no limit (the common case, measured once).
  const bool allFit = rowFit(row);
  if (!allFit && links->UsesRecentItems() && !OwningBarManager()->IsDesigning()) {
    // With recent items the toolbar shows as many links as fit; the others wait behind the mark.
    const int all = links->ShownLinkCount();
    TSize last{};
    int limit = 1;
    for (;; ++limit) {
      links->SetShownLimit(limit);
      if (!rowFit(row)) {
        links->SetShownLimit(limit - 1);
        row = last;
        break;
      }
      last = row;
      if (limit >= all) {
        links->SetShownLimit(-1);
        break;
      }
    }
  }
  size.cx = std::max(int(size.cx), int(row.cx) + MarkExtent());
  size.cy = row.cy;
  if (buttons > 0) {
    size.cx += buttons;
    size.cy = std::max(int(size.cy), MDIButtonsHeight());
  }
  return size;
}

TSize TdxBarControl::SizeForHeight(TdxBarDockingStyle Style, int Height) {
  const bool multi = Style == dsNone || (bar_ && bar_->MultiLine());
  if (multi && StyleVertical(Style)) {
    std::vector<TdxToolbarLayoutItem> items = MeasureItems(true);
    TSize size{NaturalHeight(Style), NaturalWidth(Style)};
    WrapToolbarItems(items, Height - MarkExtent(), SeparatorSize(), size);
    return TSize{size.cy, size.cx};
  }
  if (multi) {
    TSize size = SizeForWidth(Style, OneRowWidth(Style));
    while (size.cy < Height && size.cx > 1) {
      const TSize next = SizeForWidth(Style, size.cx - 1);
      if (next.cx == size.cx) break;
      size = next;
    }
    return size;
  }
  if (StyleVertical(Style)) {
    const std::vector<TdxToolbarLayoutItem> items = MeasureItems(true);
    int along = 0, across = 0;
    for (const auto& item : items) {
      along += item.Along + (item.BeginGroup ? SeparatorSize() : 0);
      across = std::max(across, item.Across);
    }
    return TSize{std::max(across, NaturalWidth(Style)), std::max(along + MarkExtent(), NaturalHeight(Style))};
  }
  return TSize{OneRowWidth(Style), NaturalHeight(Style)};
}

TSize TdxBarControl::SizeForStyle(TdxBarDockingStyle Style) {
  if (FeatureFlags() >= 128) Style = dsNone;
  TShownLimitKeeper keep(ItemLinks(), false);
  const int frameW = FrameWidth(), frameH = FrameHeight();
  if (Style == dsNone) {
    const TSize s = SizeForWidth(dsNone, bar_ ? bar_->FloatClientWidth() : 0);
    return TSize{s.cx + frameW, s.cy + frameH};
  }
  TdxDockControl* site = dockControl_;
  const bool whole = bar_ && bar_->WholeRow() && site;
  if (StyleVertical(Style)) {
    const int h = whole ? site->ClientHeight() - frameH : OneRowHeight(Style);
    const TSize s = SizeForHeight(Style, h);
    return TSize{s.cx + frameW, whole ? site->ClientHeight() : s.cy + frameH};
  }
  const int w = whole ? site->ClientWidth() - frameW : OneRowWidth(Style);
  const TSize s = SizeForWidth(Style, w);
  return TSize{whole ? site->ClientWidth() : s.cx + frameW, s.cy + frameH};
}

int TdxBarControl::MinimalLength(TdxBarDockingStyle Style) {
  return StyleVertical(Style) ? NaturalHeight(Style) : NaturalWidth(Style);
}

int TdxBarControl::FullLength(TdxBarDockingStyle Style) {
  return StyleVertical(Style) ? OneRowHeight(Style) : OneRowWidth(Style);
}

TPoint TdxBarControl::DragSizeFor(TdxBarDockingStyle Style) {
  TdxBars* bars = bar_ ? bar_->Bars() : nullptr;
  if (Style != dsNone && bars && bars->MovingWindow() == this) {
    const TPoint drag = bars->DragOffset(), grab = bars->GrabOffset();
    return IsDockedVertically() ? TPoint{-drag.x, grab.y} : TPoint{grab.x, -drag.y};
  }
  const TPoint grab = bars ? bars->GrabOffset() : TPoint{};
  const TSize size = SizeForStyle(Style);
  const int w = std::max(Width(), 1), h = std::max(Height(), 1);
  return TPoint{MulDiv(size.cx, grab.x, w), MulDiv(size.cy, grab.y, h)};
}

// ---- the common window's operations -------------------------------------------------------------

int TdxBarControl::SeparatorSize() { return 6; }

TBitmap* TdxBarControl::BackgroundBitmap() {
  return bar_ && !bar_->BackgroundBitmap()->Empty() ? bar_->BackgroundBitmap() : nullptr;
}

bool TdxBarControl::IsMainMenu() { return bar_ && bar_->IsMainMenu(); }

bool TdxBarControl::IsStatusBar() { return bar_ && bar_->ActsAsStatusBar(); }

namespace {
class TdxBarControlViewInfo : public TCustomdxBarControlViewInfo {
  DECLARE_CLASS(TdxBarControlViewInfo, TCustomdxBarControlViewInfo)
 public:
  using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
  void ComputeLayout() override {
    TCustomdxBarControlViewInfo::ComputeLayout();
    PlaceShownLinks();
  }

 protected:
  void AddGroupSeparator(int, TdxBarItemLink* Link, TdxBarItemControl* Control, const TRect& R) override {
    MakeSeparator(static_cast<TdxBarControl*>(BarControl()), Link, Control, R);
  }

 private:
  // Kind 0 is a line across the bar between two rows, kind 1 a line between items of a row.
  void MakeSeparator(TdxBarControl* Window, TdxBarItemLink* Link, TdxBarItemControl* Control, const TRect& R) {
    const int m = Window->IsDocked() ? Window->MarkExtent() : 0;
    const int h = Link->RowHeight, t = Window->SeparatorSize();
    const TRect client = Window->ClientRect();
    if (Window->IsDockedVertically()) {
      if (R.top > 0) {
        const int left = R.left - (h - R.Width()) / 2;
        AppendSeparator(TRect{left, R.top - t, left + h, R.top}, 0, Control);
      } else {
        const int left = R.right + (h - R.Width()) / 2;
        AppendSeparator(TRect{left, 0, left + t, client.Height() - m}, 1, Control);
      }
    } else if (R.left == 0 && R.top > 0) {
      const int top = R.top - (h - R.Height()) / 2 - t;
      AppendSeparator(TRect{0, top, client.Width() - m, top + t}, 0, Control);
    } else {
      const int top = R.top - (h - R.Height()) / 2;
      AppendSeparator(TRect{R.left - t, top, R.left, top + h}, 1, Control);
    }
  }
};
DEFINE_CLASS(TdxBarControlViewInfo)
}  // namespace

TCustomdxBarControlViewInfo* TdxBarControl::CreateViewInfo() { return new TdxBarControlViewInfo(this); }

void TdxBarControl::InvalidateControl(TdxBarItemControl* Control) {
  if (!Control || !HandleAllocated()) return;
  const RECT r = Control->BoundsInBar();
  InvalidateRect(Handle(), &r, FALSE);
}

void TdxBarControl::ApplyFont() {
  if (bar_)
    Font()->Assign(bar_->Font());
  else
    Font()->Assign(OwningBarManager()->Font());
}

void TdxBarControl::PaintNonClient(HDC DC, const TRect& R, HBRUSH Brush, TColor, bool) {
  if (Brush) {
    const RECT r = R;
    FillRect(DC, &r, Brush);
  }
}

void TdxBarControl::HideWindowStep() {
  if (ActiveBarControl() == this) GuardedClose();
}

void TdxBarControl::CalcItemsRect() { ItemsRect = ClientRect(); }

void TdxBarControl::ArrangeLinks() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  const bool vertical = IsDockedVertically();
  std::vector<TdxToolbarLayoutItem> items = MeasureItems(vertical);
  const TRect client = ItemsRect;
  const int along = vertical ? client.Height() : client.Width();
  const int across = vertical ? client.Width() : client.Height();
  const bool wrap = IsMultiLine();
  if (wrap) {
    TSize size{0, 0};
    WrapToolbarItems(items, along - (IsDocked() ? MarkExtent() : 0), SeparatorSize(), size);
  }
  const int buttons = !wrap && HasCaptionButtonsArea() ? (vertical ? MDIButtonsHeight() : MDIButtonsWidth()) : 0;
  const int placed = ArrangeToolbarItems(items, wrap, vertical, along - (IsDocked() ? MarkExtent() : 0) - buttons,
                                         across, client.Width(), SeparatorSize());
  int k = 0;
  bool more = false;
  for (int i = 0; i < links->ShownLinkCount() && k < placed; ++i) {
    TdxBarItemLink* link = links->ShownLinkAt(i);
    if (!link->ItemControl()) continue;
    if (items[k].Aligned && k + 1 < int(items.size())) more = true;
    link->RowHeight = items[k].RowHeight;
    TRect r = items[k++].Rect;
    r.left += client.left;
    r.right += client.left;
    r.top += client.top;
    r.bottom += client.top;
    link->StoreItemRect(r);
  }
  MoreLinks = more;
}

bool TdxBarControl::AllowsItemAlign(TdxBarItemControl* Control) {
  TdxBarItemLinks* links = ItemLinks();
  if (!bar_ || !bar_->UseRestSpace() || !Control || !links || links->ShowableLinkCount() == 0) return false;
  return Control->Link() == links->ShowableLinkAt(links->ShowableLinkCount() - 1);
}

void TdxBarControl::ItemRectOf(TdxBarItemControl* Control, TRect& R) {
  ItemControlRect(Control, R);
  TdxBarItemLink* link = Control ? Control->Link() : nullptr;
  if (!link || R.IsEmpty()) return;
  // Stretched across its row.
  const int h = link->RowHeight;
  if (IsDockedVertically()) {
    R.left -= (h - R.Width()) / 2;
    R.right = R.left + h;
  } else {
    R.top -= (h - R.Height()) / 2;
    R.bottom = R.top + h;
  }
}

void TdxBarControl::Relayout() {
  if (!HandleAllocated() || IsDestroying()) return;
  CalcLayout();
  LayoutLinks(0, 0);
  CalcViewInfo();
  Invalidate();
}

void TdxBarControl::RebuildControls(bool Rebuild) {
  TCustomdxBarControl::RebuildControls(Rebuild);
  Relayout();
}

void TdxBarControl::Paint() {
  TcxCanvas* canvas = CurrentCanvas();
  HDC dc = canvas->DCHandle();
  // While another manager customizes, the client is shaded within the clip the paint began with.
  HRGN clip = nullptr;
  const bool shaded = AnotherBarManagerCustomizing(OwningBarManager());
  if (shaded) {
    clip = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(dc, clip) != 1) {
      DeleteObject(clip);
      clip = nullptr;
    }
  }
  PaintClientArea(canvas);
  if (shaded) {
    SelectClipRgn(dc, clip);
    ShadeRect(dc, ClientRect());
    if (clip) DeleteObject(clip);
  }
}

void TdxBarControl::PaintClientArea(TcxCanvas* canvas) {
  PaintItemControls();
  HDC dc = canvas->DCHandle();
  for (int i = 0; i < ViewInfo()->SeparatorCount(); ++i) {
    TdxBarSeparatorInfo info;
    ViewInfo()->GetSeparatorInfo(i, info);
    PaintSeparator(dc, info.Bounds, info.Kind == 0);
    canvas->SubtractFromClip(info.Bounds);
  }
  if (HasCaptionButtonsArea()) PaintMDIButtons(canvas, ShowsMDIButtons(), true);
  if (IsDocked() && ShowsMark() && Painter()) {
    TRect mark;
    MarkRect(mark);
    if (!mark.IsEmpty()) {
      Painter()->DrawMark(this, canvas, mark, BackgroundBrush());
      canvas->SubtractFromClip(mark);
    }
  }
  if (Painter()) Painter()->DrawBarControlBackground(this, dc, ClientRect());
}

void TdxBarControl::PaintSeparator(HDC DC, const TRect& R, bool Horizontal) {
  if (Painter()) Painter()->DrawBarSeparator(this, DC, R, BackgroundBrush(), Horizontal);
}

void TdxBarControl::WMNCCalcSize(TMessage& Message) {
  showsSizeGrip_ = IsDocked() && bar_ && bar_->ShowsSizeGrip();
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  const TRect m = FrameMargins();
  r->left += m.left;
  r->top += m.top;
  r->right -= m.right;
  r->bottom -= m.bottom;
  if (r->right < r->left) r->right = r->left;
  if (r->bottom < r->top) r->bottom = r->top;
  Message.Result = 0;
}

TRect TdxBarControl::ClientOf(const TRect& WindowRect) {
  const TRect m = FrameMargins();
  return TRect{WindowRect.left + m.left, WindowRect.top + m.top, WindowRect.right - m.right,
               WindowRect.bottom - m.bottom};
}

void TdxBarControl::PaintNonClientArea(HDC DC) {
  TdxBarPainter* painter = Painter();
  if (!painter) return;
  const TRect window = WindowRectAtOrigin();
  const TRect client = ClientOf(window);
  const int saved = SaveDC(DC);
  ExcludeClipRect(DC, client.left, client.top, client.right, client.bottom);
  painter->DrawBarNonClientArea(this, DC, window);
  HBRUSH brush = BackgroundBrush();
  if (IsDocked()) {
    if (bar_ && bar_->BorderStyle() != bbsNone) {
      painter->DrawDragHandle(this, DC, window, brush);
    } else if (IsStatusBar()) {
      painter->FillDockedBarTopMargin(this, DC, TRect{window.left, window.top, window.right, client.top}, brush);
      const TRect grip = SizeGripRect();
      if (!grip.IsEmpty()) painter->DrawBarSizeGrip(this, DC, grip, brush);
    }
  } else if (HasFloatingCaption()) {
    LayoutCaptionButtons();
    painter->DrawFloatingCaption(this, DC, CaptionRect(), brush);
    if (ShowsCloseButton()) painter->PaintCaptionCloseButton(this, DC, CloseButtonRect());
  }
  RestoreDC(DC, saved);
}

void TdxBarControl::PaintFrame(HDC DC) {
  PaintNonClientArea(DC);
  if (!AnotherBarManagerCustomizing(OwningBarManager())) return;
  const TRect window = WindowRectAtOrigin();
  const TRect client = ClientOf(window);
  const int saved = SaveDC(DC);
  ExcludeClipRect(DC, client.left, client.top, client.right, client.bottom);
  ShadeRect(DC, window);
  RestoreDC(DC, saved);
}

void TdxBarControl::WMNCPaint(TMessage& Message) {
  Message.Result = 0;
  HDC dc = GetWindowDC(Handle());
  PaintFrame(dc);
  ReleaseDC(Handle(), dc);
}

void TdxBarControl::WMNCHitTest(TMessage& Message) {
  POINT p{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))};
  RECT w{};
  GetWindowRect(Handle(), &w);
  const TPoint at{p.x - w.left, p.y - w.top};
  const TRect window = WindowRectAtOrigin();
  const TRect client = ClientOf(window);
  if (client.Contains(at)) {
    Message.Result = HTCLIENT;
    return;
  }
  if (!window.Contains(at)) {
    Message.Result = HTNOWHERE;
    return;
  }
  if (IsDocked()) {
    Message.Result = HTCAPTION;
    return;
  }
  if (AllowsClosing() && CloseButtonRect().Contains(at)) {
    Message.Result = Painter() && Painter()->CloseButtonIsNonClient() ? HTCLOSE : HTCLIENT;
    return;
  }
  if (HasFloatingCaption() && CaptionRect().Contains(at)) {
    Message.Result = HTCAPTION;
    return;
  }
  const TRect m = FrameMargins();
  const bool left = at.x < m.left, right = at.x >= window.right - m.right, bottom = at.y >= window.bottom - m.bottom;
  if (bottom && right)
    Message.Result = HTBOTTOMRIGHT;
  else if (left)
    Message.Result = HTLEFT;
  else if (right)
    Message.Result = HTRIGHT;
  else if (bottom)
    Message.Result = HTBOTTOM;
  else
    Message.Result = HTTOP;
}

void TdxBarControl::WMNCLButtonDown(TMessage& Message) {
  RECT w{};
  GetWindowRect(Handle(), &w);
  const TPoint at{short(LOWORD(Message.LParam)) - w.left, short(HIWORD(Message.LParam)) - w.top};
  const int target = CaptionTargetAt(at);
  if (target != -1) {
    // The close button closes on the release over it, a caption button clicks there.
    PressCaptionTarget(target);
    return;
  }
  if (Message.WParam == HTCAPTION && bar_ && bar_->Bars()) {
    bar_->Bars()->DragBar(this);
    return;
  }
  Inherited::Dispatch(Message);
}

void TdxBarControl::WMGetMinMaxInfoBar(TMessage& Message) {
  Inherited::Dispatch(Message);
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  info->ptMinTrackSize = POINT{10, 10};
  info->ptMaxTrackSize = POINT{30000, 30000};
  info->ptMaxSize = POINT{30000, 30000};
  info->ptMaxPosition = POINT{30000, 30000};
}

TRect TdxBarControl::GripRect() {
  if (!bar_ || !bar_->IsMovable() || !HandleAllocated()) return TRect{};
  if (!IsDocked()) {
    TRect caption = CaptionRect();
    if (ShowsCloseButton()) caption.right = CloseButtonRect().left;
    return caption;
  }
  if (bar_->BorderStyle() == bbsNone) return TRect{};
  const TRect m = FrameMargins();
  const TRect window = WindowRectAtOrigin();
  if (IsDockedVertically()) return TRect{window.left, window.top, window.right, window.top + m.top};
  return TRect{window.left, window.top, window.left + m.left, window.bottom};
}

void TdxBarControl::WMSetCursorBar(TMessage& Message) {
  const bool moving = bar_ && bar_->Bars() && bar_->Bars()->IsMoving();
  if (!moving && HWND(Message.WParam) == Handle()) {
    RECT w{};
    GetWindowRect(Handle(), &w);
    const TPoint p = SafeCursorPos();
    const bool overGrip = GripRect().Contains(TPoint{p.x - w.left, p.y - w.top});
    SetCursor(overGrip ? crSizeAll : crDefault);
    // The grip lies in the frame, where the common handling leaves the cursor to the system.
    if (overGrip && LOWORD(Message.LParam) != HTCLIENT && Screen) {
      ::SetCursor(Screen->Cursors(crSizeAll));
      Message.Result = 1;
      return;
    }
  }
  Inherited::Dispatch(Message);
}

void TdxBarControl::CMFontChangedBar(TMessage& Message) {
  UpdateCanvasFont();
  if (HandleAllocated()) {
    CalcMetrics();
    if (!PlacedByProperties()) {
      HotTrack(nullptr);
      if (IsLiveBarControl(this)) SettingsChanged();
    }
  }
  if (IsLiveBarControl(this)) Inherited::Dispatch(Message);
}

void TdxBarControl::WMNCLButtonDblClk(TMessage& Message) {
  if (Message.WParam == HTCAPTION) {
    ToggleDocking();
    return;
  }
  Inherited::Dispatch(Message);
}

void TdxBarControl::CloseByUser() {
  TdxBar* bar = bar_;
  TdxBarManager* manager = OwningBarManager();
  if (!bar || !bar->ClosableByUser()) return;
  // The bar hides first: the window's destruction then does not register it for restoring.
  bar->SetVisible(false);
  manager->NotifyDesignerModified();
  manager->DoBarClose(bar);
}

void TdxBarControl::ToggleDocking() {
  TdxBar* bar = bar_;
  if (!bar || !bar->IsMovable()) return;
  if (IsDocked()) {
    bar->RecordPlacement();
    bar->SetDockingStyle(dsNone);
    return;
  }
  if (TdxBarDockControl* site = bar->DockedDockControl()) {
    bar->SetDockControl(site);
    return;
  }
  const TdxBarDockingStyle style = bar->DockedDockingStyle() == dsNone ? dsTop : bar->DockedDockingStyle();
  if (!bar->DockRow()) {
    // Never docked: it takes a new last row of the site.
    if (TdxDockControl* site = bar->Bars()->DefaultSite(style)) bar->row_ = site->RowCount();
    bar->oneOnRow_ = true;
  }
  bar->SetDockingStyle(style);
}

void TdxBarControl::WMDestroyBar(TMessage& Message) {
  KillMarkTimer();
  if (markStateValue_ == 1) markStateValue_ = 0;
  if (g_mdiPress.Window == this) g_mdiPress = TMDIPressState{};
  closeButtonState_ = 0;
  trackingNonClient_ = false;
  Inherited::Dispatch(Message);
  TdxBar* bar = bar_;
  // No caption button stays hot or pressed once the window that routed the mouse to it is gone.
  if (bar && bar->CaptionButtons()) bar->CaptionButtons()->UpdateHotStates(TPoint{-1, -1}, false);
  TdxBarManager* manager = OwningBarManager();
  if (!bar || PlacedByProperties() || InPopupChain() || !bar->Visible() || manager->BeingDestroyed()) return;
  // The window goes with its site (or its owner): the bar waits to be shown when the site is back.
  manager->AddRestoringBar(bar);
  bar->visible_ = false;
}
