#include "ui/bars/SubMenuControl.h"

#include <algorithm>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/bars/BarAnimation.h"
#include "ui/bars/BarHints.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSupport.h"
#include "ui/bars/MenuTearOff.h"
#include "ui/bars/SubItems.h"
#include "ui/foundation/Canvas.h"

DEFINE_CLASS(TdxBarSubMenuControlViewInfo)
DEFINE_CLASS(TdxBarSubMenuControl)
DEFINE_CLASS(TdxBarInternalSubMenuControl)

namespace {
constexpr UINT_PTR kScrollTimerId = 1;
// The expand timers: after a selection change, and after activation or resting on the mark.
constexpr UINT kSelectionExpandTimerId = 2;
constexpr UINT kExpandTimerId = 3;
constexpr UINT kExpandDelay = 4000;
}  // namespace

// ---- placement ----------------------------------------------------------------------------------

TdxMenuPlacement PlaceMenu(const TdxMenuPlacementInput& In) {
  TdxMenuPlacement p;
  int left = In.Left, top = In.Top, w = In.Width, h = In.Height;
  const TRect& work = In.WorkArea;
  const int aw = In.AnchorWidth, ah = In.AnchorHeight;

  // Horizontally.
  if (left + w > work.right) {
    if (aw == 0) {
      if (ah != 0 || left - w < work.left) {
        left = work.right - w;
      } else {
        left -= w;
        p.FlippedX = true;
      }
    } else if (left - aw - work.left > work.right - left) {
      left = left - aw - w;
      p.FlippedX = true;
    }
  }
  if (left < work.left) {
    if (aw == 0) {
      left = work.left;
    } else if (In.HorzDirection == 0 && work.right - (left + w + aw) > (left + w) - work.left) {
      left = left + w + aw;
      p.FlippedX = true;
    }
  }
  if (left + w > work.right) left = work.right - w;
  if (left < work.left) left = work.left;
  if (In.ClipWidth && left + w > work.right) w = work.right - left;

  // Vertically.
  if (top + h > work.bottom) {
    if (ah == 0) {
      if (aw != 0 || top - h < work.top) {
        top = work.bottom - h;
      } else {
        top -= h;
        p.FlippedY = true;
      }
    } else if (top - ah - work.top > work.bottom - top) {
      top = top - ah - h;
      p.FlippedY = true;
    } else {
      h = work.bottom - top;
    }
  }
  if (top < work.top) {
    if (In.VertDirection == 1) {
      if (p.FlippedY && ah != 0) {
        h -= work.top - top;
        top = work.top;
      } else {
        top = work.top;
        if (top + h > work.bottom) h = work.bottom - top;
      }
    } else if (ah != 0 && work.bottom - (top + h + ah) > (top + h) - work.top) {
      top = top + h + ah;
      if (top + h > work.bottom) h = work.bottom - top;
      p.FlippedY = true;
    }
  }
  p.Left = left;
  p.Top = top;
  p.Width = w;
  p.Height = h;
  return p;
}

TdxBarMenuAnimations ResolveMenuAnimation(TdxBarMenuAnimations Kind) {
  if (Kind != maRandom) return Kind;
  const int r = Random(100);
  if (r < 33) return maUnfold;
  if (r < 66) return maSlide;
  return maFade;
}

// ---- the view info ------------------------------------------------------------------------------

void TdxBarSubMenuControlViewInfo::ComputeLayout() {
  TCustomdxBarControlViewInfo::ComputeLayout();
  auto* menu = static_cast<TdxBarSubMenuControl*>(BarControl());
  TdxBarItemLinks* links = menu->ItemLinks();
  if (!links) return;
  const int scroll = menu->ScrollIndex();
  for (int i = menu->FirstVisibleIndex(); i <= menu->LastVisibleIndex() && i < links->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShownLinkAt(i);
    TdxBarItemControl* control = link->ItemControl();
    if (!control) continue;
    TRect r = link->ItemRect();
    if (r.IsEmpty()) continue;
    r.bottom = std::min(r.bottom, menu->VisibleItemsRect.bottom);
    control->ViewInfo()->SetBounds(r);
    AddItemInfo(control->ViewInfo());
    if (link->BeginGroup() && i != scroll && !(menu->CanScrollUp() && i == scroll + 1)) {
      TRect separator{r.left, r.top, r.right, r.top};
      menu->Painter()->MenuSeparatorRect(menu, control, separator, r);
      AppendSeparator(separator, 0, control);
    }
  }
}

// ---- the menu window: construction --------------------------------------------------------------

TdxBarSubMenuControl::TdxBarSubMenuControl(TdxBarManager* AOwner) : TCustomdxBarControl(AOwner) {
  SetWidth(0);
}

TdxBarSubMenuControl::~TdxBarSubMenuControl() {
  StopAnimation();
  if (HandleAllocated()) DestroyHandle();
  RequestActive(false);
  DeleteNonRecentBrush();
}

void TdxBarSubMenuControl::CreateParams(TCreateParams& Params) {
  TCustomdxBarControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.ExStyle |= WS_EX_TOPMOST;
  Params.WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
  HWND owner = ParentWindowHandle;
  if (!owner) {
    if (TCustomForm* form = OwningBarManager()->NearestOwnerForm(); form && form->HandleAllocated())
      owner = form->Handle();
  }
  Params.WndParent = owner;
}

void TdxBarSubMenuControl::CreateNonRecentBrush() {
  DeleteNonRecentBrush();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF color = RGB(std::min(GetRValue(face) + 20, 255), std::min(GetGValue(face) + 20, 255),
                             std::min(GetBValue(face) + 20, 255));
  TdxBarItemLinks* links = ItemLinks();
  if (links && links->UsesRecentItems() && BarScreenColorDepth() <= 8) {
    struct {
      WORD Version;
      WORD Count;
      PALETTEENTRY Entry;
    } palette{0x300, 1, {GetRValue(color), GetGValue(color), GetBValue(color), 0}};
    nonRecentPalette_ = CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
    nonRecentBrush_ = CreateSolidBrush(PALETTEINDEX(0));
  } else {
    nonRecentBrush_ = CreateSolidBrush(color);
  }
}

void TdxBarSubMenuControl::DeleteNonRecentBrush() {
  if (nonRecentBrush_) DeleteObject(nonRecentBrush_);
  if (nonRecentPalette_) DeleteObject(nonRecentPalette_);
  nonRecentBrush_ = nullptr;
  nonRecentPalette_ = nullptr;
}

void TdxBarSubMenuControl::CreateWnd() {
  CreateNonRecentBrush();
  TCustomdxBarControl::CreateWnd();
  OpenLeft = Left();
  OpenTop = Top();
  RequestActive(true);
  ApplyRecentLimit();
  scrollIndex_ = -1;
  SetScrollIndex(0);
  bool flippedX = false, flippedY = false;
  Place(TSize{0, 0}, flippedX, flippedY);
  LayoutNow();
  if (Animate) StartAnimation(flippedX, flippedY);
  if (ExpandsAfterDelay()) StartExpandTimer(kExpandTimerId, kExpandDelay);
  PlayMenuSound(0);
}

// ---- showing ------------------------------------------------------------------------------------

void TdxBarSubMenuControl::StartAnimation(bool FlippedX, bool FlippedY) {
  StopAnimation();
  TdxBarAnimationRecord record =
      MakeAnimationRecord(ShowAnimationKind, Left(), Top(), ClientWidth(), ClientHeight(), Width() - ClientWidth(),
                          Height() - ClientHeight(), HorzDirection, VertDirection, FlippedX, FlippedY);
  record.Menu = this;
  auto* worker = new TdxBarAnimationThread(record);
  worker->OnTerminate = [this](TObject*) { AnimationWorker = nullptr; };
  AnimationWorker = worker;
  worker->Start();
}

void TdxBarSubMenuControl::StopAnimation() {
  TdxBarAnimationThread* worker = AnimationWorker;
  if (!worker) return;
  StopAnimationWorker(worker);
  AnimationWorker = nullptr;
}

void TdxBarSubMenuControl::ShowSubMenuWindow() {
  ClosedByEscape = false;
  if (PopupHandler) PopupHandler(this);
  TdxBarManager* source = OwningBarManager();
  TCustomdxBarControl* first = TopBarOfChain(this);
  if (first && first->BarKind() != 2) source = first->OwningBarManager();
  ShowAnimationKind = ResolveMenuAnimation(source->MenuAnimations());
  TdxBarItemLinks* links = ItemLinks();
  Animate = Animate && ShowAnimationKind != maNone && ShowAnimationKind != maFade && links &&
            links->ShowableLinkCount() > 0 && !OwningBarManager()->InDesignOrCustomizing();
  ShowMenuWindow();
}

void TdxBarSubMenuControl::ShowMenuWindow() {
  HandleNeeded();
  if (ShowAnimationKind == maFade && Bound().AnimateWindow) {
    DispatchPendingPaintMessages();
    Bound().AnimateWindow.Get()(Handle(), 150, AW_BLEND);
  } else {
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (Animate ? 0 : SWP_SHOWWINDOW));
    DispatchPendingPaintMessages();
  }
  if (IsLiveBarControl(this) && HandleAllocated() && IsWindowVisible(Handle())) TControl::SetVisible(true);
}

// ---- sizes and placement ------------------------------------------------------------------------

void TdxBarSubMenuControl::CalcItemsSize(TSize& Size) {
  Size = TSize{0, 0};
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  for (int i = std::max(scrollIndex_, 0); i < links->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShownLinkAt(i);
    TdxBarItemControl* control = link->ItemControl();
    if (!control) continue;
    Size.cx = std::max<LONG>(Size.cx, control->MeasureWidth());
    Size.cy += GapBefore(link) + control->MeasureHeight();
  }
  if (Painter()->SeparateScrollArrowAreas() && scrollIndex_ > 0) Size.cy += Painter()->ScrollButtonHeight(this);
}

TSize TdxBarSubMenuControl::NaturalSize() {
  UpdateRecentFlags();
  TSize size;
  CalcNaturalSize(size);
  if (size.cx == 0) size.cx = 100;
  if (size.cy <= 2) size.cy += TextSize();
  if (HasHiddenItems()) size.cy += MarkSize;
  TRect frame, content;
  FrameMargins(true, frame);
  ContentMargins(content);
  size.cx += frame.left + frame.right + content.left + content.right;
  size.cy += frame.top + frame.bottom + content.top + content.bottom;
  return size;
}

TRect TdxBarSubMenuControl::WorkAreaFor(const TPoint& P) { return WorkAreaAt(P); }

void TdxBarSubMenuControl::Place(TSize Size, bool& FlippedX, bool& FlippedY) {
  FlippedX = FlippedY = false;
  if (Size.cx == 0 && Size.cy == 0) Size = NaturalSize();
  TRect child;
  if (ParentBar() && ParentBar()->ChildMenuBounds(child)) {
    SetBounds(child.left, child.top, child.Width(), child.Height());
  } else {
    TdxMenuPlacementInput in;
    in.Left = Left();
    in.Top = Top();
    in.Width = Size.cx;
    in.Height = Size.cy;
    in.AnchorWidth = AnchorWidth;
    in.AnchorHeight = AnchorHeight;
    in.HorzDirection = HorzDirection;
    in.VertDirection = VertDirection;
    in.ClipWidth = ClipWidthToWorkArea();
    in.WorkArea = WorkAreaFor(TPoint{Left(), Top()});
    const TdxMenuPlacement p = PlaceMenu(in);
    FlippedX = p.FlippedX;
    FlippedY = p.FlippedY;
    SetBounds(p.Left, p.Top, p.Width, p.Height);
  }
  if (PlacementLocked) return;
  TSize adjusted = Size;
  if (!AdjustSizeToPlacement(adjusted)) return;
  PlacementLocked = true;
  try {
    bool innerX = false, innerY = false;
    Place(adjusted, innerX, innerY);
    FlippedX ^= innerX;
    FlippedY ^= innerY;
  } catch (...) {
    PlacementLocked = false;
    throw;
  }
  PlacementLocked = false;
}

void TdxBarSubMenuControl::FrameMargins(bool IncludeDetachCaption, TRect& R) {
  const int w = Painter()->MenuBorderIndent();
  R = TRect{w, w, w, w};
  if (IncludeDetachCaption && ShowsDetachCaption()) R.top += DetachAreaHeight();
}

void TdxBarSubMenuControl::ContentMargins(TRect& R) {
  Painter()->MenuBorderRect(this, R);
  R.left += OwnerBarSize();
}

// ---- metrics and queries ------------------------------------------------------------------------

void TdxBarSubMenuControl::CalcMetrics() {
  TCustomdxBarControl::CalcMetrics();
  int rowHeight = 0, arrowWidth = 0;
  Painter()->GetSubMenuMetrics(CurrentCanvas(), TextSize(), rowHeight, arrowWidth);
  MarkSize = rowHeight;
  menuArrowWidth_ = arrowWidth;
}

int TdxBarSubMenuControl::TextHeight() { return Painter()->TextRowHeightFor(CurrentCanvas()); }
int TdxBarSubMenuControl::PainterFrameQuery() { return Painter()->MenuContentIndent(); }
int TdxBarSubMenuControl::SeparatorSize() { return Painter()->MenuBeginGroupSize(); }
int TdxBarSubMenuControl::BandExtraWidth() {
  return Painter()->HasMenuBand() ? Painter()->MenuItemHeight(this, false, 1.0) : 0;
}
int TdxBarSubMenuControl::ImageColumnWidth() { return Painter()->MenuIconAreaWidth(this); }
int TdxBarSubMenuControl::LeftColumnsWidth() { return Painter()->MenuTextOffset(this); }
int TdxBarSubMenuControl::ExpandArrowSize() { return Painter()->ScrollArrowSize(MarkSize); }
HBRUSH TdxBarSubMenuControl::MenuBackgroundBrush() { return Painter()->MenuBackgroundBrush(this); }
int TdxBarSubMenuControl::ExtraColumnOffset() { return IsQuickCustomization() ? TextSize() : 0; }

int TdxBarSubMenuControl::ScrollInterval() { return Painter()->SeparateScrollArrowAreas() ? 200 : 80; }

int TdxBarSubMenuControl::FeatureFlags() {
  return (TCustomdxBarControl::FeatureFlags() & ~(64 | 512)) | 2 | 16;
}

TBitmap* TdxBarSubMenuControl::BackgroundBitmap() {
  TBitmap* bitmap = OwningBarManager()->Backgrounds()->SubMenu();
  return bitmap && !bitmap->Empty() ? bitmap : nullptr;
}

IdxBarSubMenuOwner* TdxBarSubMenuControl::SubMenuOwner() const {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return nullptr;
  return dynamic_cast<IdxBarSubMenuOwner*>(links->LinksOwner());
}

int TdxBarSubMenuControl::OwnerBarSize() {
  IdxBarSubMenuOwner* owner = SubMenuOwner();
  return owner ? std::max(owner->BarSize(), 0) : 0;
}

TRect TdxBarSubMenuControl::OwnerBarRect() {
  return TRect{ItemsRect.left - OwnerBarSize(), ItemsRect.top, ItemsRect.left, ItemsRect.bottom};
}

int TdxBarSubMenuControl::DetachStripHeight() {
  const int half = TextHeightForFont(Font(), L"Qq") / 2;
  return half % 2 == 0 ? half + 1 : half;
}

int TdxBarSubMenuControl::DetachAreaHeight() { return Painter()->DetachCaptionAreaSize(this); }

TRect TdxBarSubMenuControl::DetachStripRect() {
  TRect r = WindowRectAtOrigin();
  Painter()->DeflateMenuContent(this, r);
  r.bottom = r.top + DetachStripHeight();
  return r;
}

bool TdxBarSubMenuControl::ShowsDetachCaption() {
  if (!(FeatureFlags() & bfDetachCaption) || !SubItemControl) return false;
  auto* sub = dynamic_cast<TCustomdxBarSubItem*>(SubItemControl->LinkedItem());
  return sub && sub->Detachable;
}

bool TdxBarSubMenuControl::PointInDetachStrip(const TPoint& ClientPoint) {
  if (!ShowsDetachCaption()) return false;
  const TPoint o = ClientOriginInWindow();
  return DetachStripRect().Contains(TPoint{ClientPoint.x + o.x, ClientPoint.y + o.y});
}

void TdxBarSubMenuControl::SetTearOffHot(bool Value) {
  if (TearOffHot == Value || IsCustomizing() || GetCapture()) return;
  TearOffHot = Value;
  if (HandleAllocated()) {
    HDC dc = GetWindowDC(Handle());
    Painter()->FillDetachCaption(this, dc, DetachStripRect());
    ReleaseDC(Handle(), dc);
  }
  SetCursor(Value ? crSizeAll : crDefault);
  TdxBarHintWindow* hint = BarHintWindow();
  if (!hint) return;
  if (Value)
    hint->ShowHintFor(OwningBarManager(), dxBarString(dxbsDragToFloat), String());
  else if (!SelectedItemControl())
    hint->HideHint();
}

TdxBarItemControl* TdxBarSubMenuControl::FirstVisibleItemControl() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links || scrollIndex_ >= links->ShownLinkCount()) return nullptr;
  return links->ShownLinkAt(scrollIndex_)->ItemControl();
}

TdxBarItemControl* TdxBarSubMenuControl::LastVisibleItemControl() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return nullptr;
  const int index = scrollIndex_ + std::max(ViewInfo()->ItemInfoCount(), 1) - 1;
  if (index < 0 || index >= links->ShownLinkCount()) return nullptr;
  return links->ShownLinkAt(index)->ItemControl();
}

bool TdxBarSubMenuControl::MouseOverUpArrow() {
  if (!HandleAllocated()) return false;
  TRect r;
  Painter()->ScrollButtonRect(this, 0, r);
  return r.Contains(ScreenToClient(SafeCursorPos()));
}

bool TdxBarSubMenuControl::MouseOverDownArrow() {
  if (!HandleAllocated()) return false;
  TRect r;
  Painter()->ScrollButtonRect(this, 1, r);
  return r.Contains(ScreenToClient(SafeCursorPos()));
}

bool TdxBarSubMenuControl::CanScrollDown() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return false;
  int fitting = 0, remaining = 0;
  TdxBarItemLink* last = nullptr;
  for (int i = std::max(scrollIndex_, 0); i < links->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShownLinkAt(i);
    if (!link->ItemControl()) continue;
    ++remaining;
    if (!link->ItemRect().IsEmpty()) {
      ++fitting;
      last = link;
    }
  }
  return fitting < remaining || (last && last->ItemRect().bottom > ItemsRect.bottom);
}

bool TdxBarSubMenuControl::PersonalisedMenusActive() {
  TdxBarItemLinks* links = ItemLinks();
  return OwningBarManager()->ShowsRecentItemsFirst() && links && links->UsesRecentItems();
}

bool TdxBarSubMenuControl::HasHiddenItems() {
  TdxBarItemLinks* links = ItemLinks();
  return links && PersonalisedMenusActive() && links->ShownLinkCount() < links->ShowableLinkCount();
}

void TdxBarSubMenuControl::ApplyRecentLimit() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  if (!OwningBarManager()->ShowsRecentItemsFirst() || ChainBeganCustomizing())
    links->SetShownLimit(-1);
  else
    links->SetShownLimit(links->RecentShownCount());
}

void TdxBarSubMenuControl::UpdateRecentFlags() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  const bool marks = ChainBeganCustomizing() && PersonalisedMenusActive();
  const int recent = marks ? links->RecentShownCount() : -1;
  const int recentCount = recent < 0 ? links->ShowableLinkCount() : recent;
  for (int i = std::max(scrollIndex_, 0); i < links->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShownLinkAt(i);
    if (TdxBarItemControl* control = link->ItemControl())
      control->NonRecent = marks && links->ShowableIndexOf(link) >= recentCount;
  }
}

bool TdxBarSubMenuControl::ExpandsAfterDelay() {
  return OwningBarManager()->ShowFullMenusAfterDelay() && PersonalisedMenusActive() && !ChainBeganCustomizing() &&
         IsActive();
}

void TdxBarSubMenuControl::StartExpandTimer(UINT Id, UINT Interval) {
  KillExpandTimer();
  if (!HandleAllocated()) return;
  SetTimer(Handle(), Id, Interval, nullptr);
  ExpandTimer = Id;
}

void TdxBarSubMenuControl::Expand() {
  if (!HasHiddenItems()) return;
  TdxBarItemLink* selected = SelectedLink();
  // A container's entry goes with the window: the link is only selected again when it stayed.
  TcxObjectLink* selectedAlive = AcquireObjectLink(selected);
  SetChainBeganCustomizing(true);
  Animate = true;
  Expanding = true;
  try {
    DestroyHandle();
    Expanding = false;
    SetBounds(OpenLeft, OpenTop, Width(), Height());
    ShowSubMenuWindow();
  } catch (...) {
    Expanding = false;
    ReleaseObjectLink(selectedAlive);
    throw;
  }
  const bool stays = selectedAlive && selectedAlive->Ref;
  ReleaseObjectLink(selectedAlive);
  // The selection stays on its link, so keys go on from there.
  if (stays && IsLiveBarControl(this) && selected->Collection() == ItemLinks() && selected->ItemControl())
    SetSelected(selected->ItemControl());
}

void TdxBarSubMenuControl::MarkRect(TRect& R) {
  R = ClientRect();
  const int margin = Painter()->MenuArrowsOffset();
  R.left += margin + OwnerBarSize();
  R.right -= margin;
  R.bottom -= margin;
  R.top = R.bottom - MarkSize;
}

void TdxBarSubMenuControl::SetMarkState(int State) {
  if (IsCustomizing() || !PersonalisedMenusActive()) return;
  if (State == 1) {
    TdxBarItemControl* selected = SelectedItemControl();
    if (selected && selected->IsWindowedControl() && selected->Active()) State = 0;
  }
  if (markState_ != State) {
    markState_ = State;
    if (State == 2) {
      Expand();
      if (!IsLiveBarControl(this)) return;
    } else if (HandleAllocated() && HasHiddenItems()) {
      TRect r;
      MarkRect(r);
      const RECT rr = r;
      InvalidateRect(Handle(), &rr, FALSE);
    }
  }
  if (OwningBarManager()->ShowFullMenusAfterDelay()) {
    KillExpandTimer();
    if (State == 1 && HasHiddenItems() && HandleAllocated()) {
      TRect mark;
      MarkRect(mark);
      if (mark.Contains(ScreenToClient(SafeCursorPos())))
        StartExpandTimer(kExpandTimerId, UINT(BarHintWindow() ? BarHintWindow()->InitialPause() : 1000));
    }
  } else if (TdxBarHintWindow* hint = BarHintWindow()) {
    if (State == 1)
      hint->ShowHintFor(OwningBarManager(), dxBarString(dxbsExpandMenu), String());
    else
      hint->HideHint();
  }
}

bool TdxBarSubMenuControl::RightButtonSelects() {
  if (AnchorWidth == 0 && AnchorHeight == 0) return true;
  auto* parent = dynamic_cast<TdxBarSubMenuControl*>(ParentBar());
  return parent && parent->RightButtonSelects();
}

// ---- layout -------------------------------------------------------------------------------------

void TdxBarSubMenuControl::SetScrollIndex(int Value) {
  Value = std::max(Value, 0);
  if (Value == scrollIndex_) return;
  scrollIndex_ = Value;
  if (!HandleAllocated()) return;
  LayoutNow();
  const RECT r = ItemsRect;
  InvalidateRect(Handle(), &r, FALSE);
}

void TdxBarSubMenuControl::CalcItemsRect() {
  TRect m;
  ContentMargins(m);
  const TRect client = ClientRect();
  ItemsRect = TRect{m.left, m.top, client.right - m.right,
                    client.bottom - m.bottom - (HasHiddenItems() ? MarkSize : 0)};
}

int TdxBarSubMenuControl::GapBefore(TdxBarItemLink* Link) {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return 0;
  const int index = links->ShownIndexOf(Link);
  int gap = 0;
  if (Painter()->SeparatesRecentRuns() && index > 0 && links->UsesRecentItems() &&
      links->ShownLinkAt(index - 1)->MostRecentlyUsed() != Link->MostRecentlyUsed())
    gap = 1;
  if (Link->BeginGroup() && index != scrollIndex_ && !(CanScrollUp() && index == scrollIndex_ + 1))
    gap += SeparatorSize();
  return gap;
}

void TdxBarSubMenuControl::CalcLayout() {
  CalcItemsRect();
  TdxBarItemLinks* links = ItemLinks();
  const bool separate = Painter()->SeparateScrollArrowAreas();
  const int arrow = Painter()->ScrollButtonHeight(this);
  auto stack = [&](bool cutBottom) {
    VisibleItemsRect = ItemsRect;
    if (separate && CanScrollUp()) VisibleItemsRect.top += arrow;
    if (separate && cutBottom) VisibleItemsRect.bottom -= arrow;
    if (links) links->ClearItemRects();
    BeforeLayout();
    int bottom = 0;
    StackLinksFrom(scrollIndex_, bottom);
    AfterLayout();
  };
  stack(false);
  if (separate && CanScrollDown()) stack(true);
  int n = 0;
  if (links) {
    for (int i = scrollIndex_; i < links->ShownLinkCount() && !links->ShownLinkAt(i)->ItemRect().IsEmpty(); ++i) ++n;
  }
  const bool down = CanScrollDown();
  if (separate) {
    firstVisible_ = scrollIndex_;
    lastVisible_ = scrollIndex_ + std::max(n, 1) - 1;
  } else {
    firstVisible_ = CanScrollUp() ? scrollIndex_ + 1 : scrollIndex_;
    lastVisible_ = scrollIndex_ + std::max(n, 1) - (down ? 2 : 1);
  }
}

void TdxBarSubMenuControl::LayoutNow() {
  if (!HandleAllocated() || IsDestroying()) return;
  CalcLayout();
  CalcViewInfo();
}

void TdxBarSubMenuControl::RebuildControls(bool Rebuild) {
  const bool wasVisible = HandleAllocated() && IsWindowVisible(Handle());
  TCustomdxBarControl::RebuildControls(Rebuild);
  if (!IsLiveBarControl(this) || !HandleAllocated()) return;
  bool movedBack = false;
  if (Left() != OpenLeft || Top() != OpenTop) {
    ShowWindow(Handle(), SW_HIDE);
    SetBounds(OpenLeft, OpenTop, Width(), Height());
    movedBack = true;
  }
  bool flippedX = false, flippedY = false;
  Place(TSize{0, 0}, flippedX, flippedY);
  LayoutNow();
  const int before = scrollIndex_;
  if (CanScrollUp() && !CanScrollDown()) {
    while (!CanScrollDown() && scrollIndex_ > 0) {
      --scrollIndex_;
      LayoutNow();
    }
    if (CanScrollDown()) {
      ++scrollIndex_;
      LayoutNow();
    }
  }
  if (wasVisible && !IsWindowVisible(Handle())) ShowSubMenuWindow();
  if (movedBack || before != scrollIndex_) {
    LayoutNow();
    Invalidate();
  }
}

void TdxBarSubMenuControl::MakeVisible(TdxBarItemControl* Control) {
  TdxBarItemLinks* links = ItemLinks();
  if (!Control || !links || !HandleAllocated()) return;
  TdxBarItemLink* link = Control->Link();
  const int index = links->ShownIndexOf(link);
  if (index < 0) return;
  const int limit = links->ShownLinkCount();
  auto above = [&] {
    const TRect& r = link->ItemRect();
    return index < firstVisible_ || (!r.IsEmpty() && r.top < VisibleItemsRect.top);
  };
  auto below = [&] {
    const TRect& r = link->ItemRect();
    return index > lastVisible_ || (!r.IsEmpty() && r.bottom > VisibleItemsRect.bottom);
  };
  bool changed = false;
  if (CanScrollUp() && above()) {
    for (int step = 0; step < limit && CanScrollUp() && above(); ++step) {
      --scrollIndex_;
      LayoutNow();
      changed = true;
    }
  } else {
    for (int step = 0; step < limit && CanScrollDown() && below(); ++step) {
      ++scrollIndex_;
      LayoutNow();
      changed = true;
    }
  }
  if (changed) {
    const RECT r = ItemsRect;
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TdxBarSubMenuControl::WindowedControlClicked(TdxBarItemControl* Control) { MakeVisible(Control); }

void TdxBarSubMenuControl::SetSelected(TdxBarItemControl* Control) {
  TdxBarItemLinks* links = ItemLinks();
  TdxBarItemLink* link = Control ? Control->Link() : nullptr;
  if (link && links && links->ShownIndexOf(link) < 0 && HasHiddenItems() &&
      OwningBarManager()->EffectiveStyle() != bmsStandard) {
    // The expansion makes the controls anew (and a container's entries): the link's new control is
    // selected, when the link is still there.
    TcxObjectLink* alive = AcquireObjectLink(link);
    try {
      Expand();
    } catch (...) {
      ReleaseObjectLink(alive);
      throw;
    }
    const bool stays = alive->Ref != nullptr;
    ReleaseObjectLink(alive);
    if (!IsLiveBarControl(this)) return;
    Control = stays ? link->ItemControl() : nullptr;
  }
  TCustomdxBarControl::SetSelected(Control);
}

void TdxBarSubMenuControl::SetSelectedCore(TdxBarItemControl* Control) {
  TdxBarItemControl* previous = SelectedItemControl();
  TCustomdxBarControl::SetSelectedCore(Control);
  if (!IsLiveBarControl(this)) return;
  if (previous != SelectedItemControl() && markState_ == 0 && HandleAllocated() && ExpandsAfterDelay())
    StartExpandTimer(kSelectionExpandTimerId, kExpandDelay);
  if (!Control || Control != SelectedItemControl()) return;
  if (HandleAllocated() && ItemControlUnderCursor() != Control) MakeVisible(Control);
}

// ---- painting -----------------------------------------------------------------------------------

void TdxBarSubMenuControl::ApplyFont() {
  if (ParentBar())
    Font()->Assign(ParentBar()->Font());
  else
    Font()->Assign(OwningBarManager()->Font());
}

void TdxBarSubMenuControl::InvalidateControl(TdxBarItemControl* Control) {
  if (!Control || !HandleAllocated()) return;
  const RECT r = Control->BoundsInBar();
  InvalidateRect(Handle(), &r, FALSE);
}

void TdxBarSubMenuControl::DrawFrame(HDC DC, const TRect& R) {
  Painter()->DrawSubMenuBorder(this, DC, R);
  if (ShowsDetachCaption()) Painter()->FillDetachCaption(this, DC, DetachStripRect());
}

void TdxBarSubMenuControl::PaintNonClient(HDC DC, const TRect& R, HBRUSH, TColor, bool) { DrawFrame(DC, R); }

void TdxBarSubMenuControl::DrawBackgroundPart(TcxCanvas* Canvas, const TRect& R) {
  Painter()->FillMenuBackground(this, Canvas, R);
}

void TdxBarSubMenuControl::Paint() {
  // The worker draws the client while it runs.
  if (AnimationWorker || destroyingWindow_ || IsDestroying()) return;
  TcxCanvas* canvas = CurrentCanvas();
  canvas->PushClipRegion();
  try {
    const TRect client = ClientRect();
    Painter()->DrawSubMenuInnerBorder(this, canvas->DCHandle(), MenuBackgroundBrush(), client);
    DrawBackgroundPart(canvas, client);
    PaintContent();
    if (IdxBarSubMenuOwner* owner = SubMenuOwner(); owner && OwnerBarSize() > 0)
      owner->PaintBar(Canvas(), OwnerBarRect());
  } catch (...) {
    canvas->PopClipRegion();
    throw;
  }
  canvas->PopClipRegion();
}

void TdxBarSubMenuControl::PaintArrowsAndMark() {
  TcxCanvas* canvas = CurrentCanvas();
  // What is drawn here stays: the background and the items are painted around it.
  for (int index = 0; index < 2; ++index) {
    if (!(index == 0 ? CanScrollUp() : CanScrollDown())) continue;
    Painter()->DrawScrollButton(this, canvas, index);
    TRect r;
    Painter()->ScrollButtonRect(this, index, r);
    canvas->SubtractFromClip(r);
  }
  if (HasHiddenItems()) {
    TRect r;
    MarkRect(r);
    Painter()->DrawExpandButton(this, r, markState_ == 1);
    canvas->SubtractFromClip(r);
  }
}

void TdxBarSubMenuControl::PaintContent() {
  LayoutNow();
  TcxCanvas* canvas = CurrentCanvas();
  HDC dc = canvas->DCHandle();
  TdxBarItemLinks* links = ItemLinks();
  if ((links && links->ShowableLinkCount() > 0) || ViewInfo()->ItemInfoCount() > 0) {
    PaintArrowsAndMark();
    int bottom = ItemsRect.top;
    TCustomdxBarControlViewInfo* info = ViewInfo();
    if (info->ItemInfoCount() > 0) bottom = info->ItemInfoAt(info->ItemInfoCount() - 1)->BoundsRect().bottom;
    TRect rest{ItemsRect.left, bottom, ItemsRect.right, ItemsRect.bottom};
    if (CanScrollDown() && Painter()->SeparateScrollArrowAreas()) rest.bottom = VisibleItemsRect.bottom;
    if (!rest.IsEmpty()) {
      const RECT r = rest;
      FillRect(dc, &r, MenuBackgroundBrush());
    }
    PaintItemControls();
  } else {
    const RECT r = ItemsRect;
    FillRect(dc, &r, MenuBackgroundBrush());
  }
}

void TdxBarSubMenuControl::PaintItemControl(TdxBarItemControl* Control, TcxCanvas* Canvas, const TRect& R) {
  if (R.IsEmpty()) return;
  int separator = -1;
  if (ViewInfo()->FindSeparatorFor(Control, separator)) {
    TdxBarSeparatorInfo info;
    ViewInfo()->GetSeparatorInfo(separator, info);
    Painter()->DrawMenuSeparatorItem(this, Control, info, Canvas);
  }
  TdxBarItemLinks* links = ItemLinks();
  const int shownIndex = links ? links->ShownIndexOf(Control->Link()) : -1;
  Painter()->DrawMenuItemFrame(this, Control, shownIndex, R, Canvas->DCHandle());
  TCustomdxBarControl::PaintItemControl(Control, Canvas, R);
}

// ---- non-client messages ------------------------------------------------------------------------

void TdxBarSubMenuControl::WMNCCalcSizeMenu(TMessage& Message) {
  auto* rect = reinterpret_cast<RECT*>(Message.LParam);
  TRect m;
  FrameMargins(true, m);
  rect->left += m.left;
  rect->top += m.top;
  rect->right -= m.right;
  rect->bottom -= m.bottom;
  if (rect->right < rect->left) rect->right = rect->left;
  if (rect->bottom < rect->top) rect->bottom = rect->top;
  Message.Result = 0;
}

void TdxBarSubMenuControl::WMNCHitTestMenu(TMessage& Message) {
  if (ShowsDetachCaption()) {
    const TPoint p{Message.XPos(), Message.YPos()};
    const TRect window = ScreenWindowRect();
    if (DetachStripRect().Contains(TPoint{p.x - window.left, p.y - window.top})) {
      Message.Result = HTCLIENT;
      return;
    }
  }
  Inherited::Dispatch(Message);
}

void TdxBarSubMenuControl::WMNCPaintMenu(TMessage&) {
  if (!HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  const TRect client = ClientRectInWindowCoords();
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  DrawFrame(dc, WindowRectAtOrigin());
  ReleaseDC(Handle(), dc);
}

void TdxBarSubMenuControl::WMPrintMenu(TMessage& Message) {
  Inherited::Dispatch(Message);
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  const int saved = SaveDC(dc);
  const TRect client = ClientRectInWindowCoords();
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  DrawFrame(dc, WindowRectAtOrigin());
  RestoreDC(dc, saved);
}

void TdxBarSubMenuControl::WMPrintClientMenu(TMessage& Message) {
  Inherited::Dispatch(Message);
  Perform(WM_PAINT, Message.WParam, 0);
}

void TdxBarSubMenuControl::CMFontChangedMenu(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!HandleAllocated()) return;
  CurrentCanvas()->UseFont(Font());
  CalcMetrics();
}

// ---- scrolling ----------------------------------------------------------------------------------

void TdxBarSubMenuControl::StartScrollTimer() {
  if (!HandleAllocated()) return;
  SetTimer(Handle(), kScrollTimerId, UINT(ScrollInterval()), nullptr);
  ScrollTimer = 1;
}

bool TdxBarSubMenuControl::KillScrollTimer() {
  if (!ScrollTimer) return false;
  ScrollTimer = 0;
  return HandleAllocated() && KillTimer(Handle(), kScrollTimerId);
}

void TdxBarSubMenuControl::KillExpandTimer() {
  if (!ExpandTimer) return;
  if (HandleAllocated()) KillTimer(Handle(), ExpandTimer);
  ExpandTimer = 0;
}

void TdxBarSubMenuControl::WMTimerMenu(TMessage& Message) {
  if (Message.WParam == kExpandTimerId || Message.WParam == kSelectionExpandTimerId) {
    StopAnimation();
    KillExpandTimer();
    if (Message.WParam == kExpandTimerId)
      SetMarkState(2);
    else if (!ChildBar())
      SetMarkState(1);
    return;
  }
  if (Message.WParam != kScrollTimerId) {
    Inherited::Dispatch(Message);
    return;
  }
  StopAnimation();
  if (MouseOverUpArrow() && CanScrollUp()) {
    SetScrollIndex(scrollIndex_ - 1);
  } else if (MouseOverDownArrow() && CanScrollDown()) {
    SetScrollIndex(scrollIndex_ + 1);
  } else {
    KillScrollTimer();
    ResetLastMousePos();
    const TPoint p = ScreenToClient(SafeCursorPos());
    SendMessageW(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  }
}

void TdxBarSubMenuControl::MouseMove(TShiftState Shift, int X, int Y) {
  // Only a real move over the window stops the worker.
  if (AnimationWorker && (MouseIgnored(true) || MouseIgnored(false))) return;
  StopAnimation();
  if (!HandleAllocated()) return;
  if (CursorOverThisWindow() && ParentBar() && OpenerControl() &&
      ParentBar()->SelectedItemControl() != OpenerControl() && IsLiveBarControl(ParentBar()))
    ParentBar()->SetSelected(OpenerControl());
  if (!IsLiveBarControl(this)) return;
  if (ShowsDetachCaption()) SetTearOffHot(PointInDetachStrip(TPoint{X, Y}));
  if (HasHiddenItems()) {
    TRect mark;
    MarkRect(mark);
    SetMarkState(mark.Contains(TPoint{X, Y}) ? 1 : 0);
    if (!IsLiveBarControl(this) || !HandleAllocated()) return;
  }
  const bool overArrow = (CanScrollUp() && MouseOverUpArrow()) || (CanScrollDown() && MouseOverDownArrow());
  if (overArrow) {
    if (ScrollTimer || SafeCursorPos() == LastMousePos()) return;
    TdxBarManager* manager = OwningBarManager();
    if (SelectedItemControl() && manager->SelectedItemControl() == SelectedItemControl())
      manager->SetSelectedItemControl(nullptr);
    SetSelected(nullptr);
    if (!IsLiveBarControl(this)) return;
    StartScrollTimer();
    return;
  }
  if (KillScrollTimer()) {
    ResetLastMousePos();
    const RECT r = ItemsRect;
    InvalidateRect(Handle(), &r, FALSE);
  }
  TCustomdxBarControl::MouseMove(Shift, X, Y);
}

void TdxBarSubMenuControl::MouseLeaveStep() {
  TCustomdxBarControl::MouseLeaveStep();
  if (IsLiveBarControl(this)) SetTearOffHot(false);
}

void TdxBarSubMenuControl::TrackMouseMove(TShiftState Shift, int X, int Y) {
  TCustomdxBarControl::TrackMouseMove(Shift, X, Y);
}

// ---- keys and buttons ---------------------------------------------------------------------------

void TdxBarSubMenuControl::WMKeyDownMenu(TMessage& Message) {
  StopAnimation();
  const Word key = Message.CharCode();
  if ((key == VK_TAB || key == VK_DOWN) && HasHiddenItems()) {
    const bool ctrl = Bound().GetKeyState(VK_CONTROL) < 0;
    const bool shift = Bound().GetKeyState(VK_SHIFT) < 0;
    const bool alt = Bound().GetKeyState(VK_MENU) < 0;
    if (key == VK_DOWN && ctrl && !shift && !alt) {
      Expand();
      return;
    }
    TdxBarItemLinks* links = ItemLinks();
    TdxBarItemControl* selected = SelectedItemControl();
    if (!ctrl && !shift && !alt && selected && links && links->ShownLinkCount() > 0 &&
        selected->Link() == links->ShownLinkAt(links->ShownLinkCount() - 1)) {
      Expand();
      if (IsLiveBarControl(this) && HandleAllocated()) SendMessageW(Handle(), WM_KEYDOWN, key, 1);
      return;
    }
  }
  Inherited::Dispatch(Message);
  if (!IsLiveBarControl(this) || !HandleAllocated() || !ActiveBarControl()) return;
  if (SelectedControlTakesKey(key)) return;
  if (!IsLiveBarControl(this)) return;
  TCustomdxBarControl* parent = ParentBar();
  TCustomdxBarControl* first = TopBarOfChain(this);
  switch (key) {
    case VK_RETURN:
      if (TdxBarItemControl* selected = SelectedItemControl()) selected->ControlClick(false, VK_RETURN);
      break;
    case VK_ESCAPE:
      if (parent && parent->SelectedItemControl()) {
        ClosedByEscape = true;
        parent->SelectedItemControl()->Deactivate(true);
        if (IsLiveBarControl(parent)) parent->Downed = false;
      } else {
        ClosedByEscape = true;
        GuardedClose();
        if (IsLiveBarControl(this)) CloseAndFree();
      }
      break;
    case VK_LEFT:
      if (parent && parent->SelectedItemControl()) {
        if (parent->BarKind() == 2) {
          ClosedByEscape = true;
          parent->SelectedItemControl()->Deactivate(true);
        } else if (first && first->BarKind() != 2 && first->HandleAllocated()) {
          if (first->IsVertical())
            SendMessageW(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
          else
            SendMessageW(first->Handle(), WM_KEYDOWN, VK_LEFT, 0);
        }
      }
      break;
    case VK_RIGHT:
      if (first && first != this && first->BarKind() != 2 && first->HandleAllocated())
        SendMessageW(first->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
      break;
    default:
      break;
  }
}

void TdxBarSubMenuControl::WMLButtonDownMenu(TMessage& Message) {
  if (ScrollTimer) return;
  Inherited::Dispatch(Message);
  if (!IsLiveBarControl(this) || !HandleAllocated() || IgnoreNextClick) return;
  StopAnimation();
  if (TearOffHot && ShowsDetachCaption()) {
    // The drag may free this menu: nothing of it is touched afterwards.
    TearOffMenu(this);
    return;
  }
  if (!HasHiddenItems()) return;
  TRect mark;
  MarkRect(mark);
  if (!mark.Contains(TPoint{short(LOWORD(Message.LParam)), short(HIWORD(Message.LParam))})) return;
  if (markState_ != 0) {
    IgnoreNextClick = true;
    Expand();
  } else {
    SetSelected(nullptr);
    SetMarkState(1);
  }
}

void TdxBarSubMenuControl::WMRButton(TMessage& Message) {
  if (RightButtonSelects() && HandleAllocated()) {
    const UINT msg = Message.Msg == WM_RBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    SendMessageW(Handle(), msg, Message.WParam, Message.LParam);
    return;
  }
  Inherited::Dispatch(Message);
}

// ---- closing ------------------------------------------------------------------------------------

void TdxBarSubMenuControl::HideWindowStep() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  TControl::SetVisible(false);
}

void TdxBarSubMenuControl::Close() {
  if (TCustomdxBarControl* parent = ParentBar()) {
    // The menu goes; unless closed by Escape, the window that opened it closes too.
    const bool escape = ClosedByEscape;
    RequestActive(false);
    CloseAndFree();
    if (!escape && IsLiveBarControl(parent)) parent->GuardedClose();
    return;
  }
  SetChildBar(nullptr);
  CloseAndFree();
  DispatchPendingPaintMessages();
}

void TdxBarSubMenuControl::CloseAndFree() {
  if (freeing_ || IsDestroying()) return;
  freeing_ = true;
  DestroyWnd();
  Free();
}

void TdxBarSubMenuControl::DestroyWnd() {
  if (!HandleAllocated() || destroyingWindow_) return;
  destroyingWindow_ = true;
  try {
    StopAnimation();
    KillScrollTimer();
    KillExpandTimer();
    TearOffHot = false;
    if (TCustomdxBarControl* child = ChildBar(); child && IsLiveBarControl(child) && child->HandleAllocated())
      child->DestroyHandle();
    if (!Expanding) RequestActive(false);
    TCustomdxBarControl::DestroyWnd();
    TControl::SetVisible(false);
    // An expanding menu is shown again at once: its opener does not hear of a close.
    if (CloseUpHandler && !Expanding) CloseUpHandler(this);
    DeleteNonRecentBrush();
  } catch (...) {
    destroyingWindow_ = false;
    throw;
  }
  destroyingWindow_ = false;
}

// ---- controls -----------------------------------------------------------------------------------

void TdxBarSubMenuControl::CreateControlsForLinks() {
  if (!IsCustomizing()) ExpandContainerLinks();
  TCustomdxBarControl::CreateControlsForLinks();
}

void TdxBarSubMenuControl::DestroyControlsForLinks() {
  TCustomdxBarControl::DestroyControlsForLinks();
  CollapseContainerLinks();
}

// ---- the internal menu --------------------------------------------------------------------------

TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl(TdxBarManager* AOwner) : TdxBarSubMenuControl(AOwner) {
  ownLinks_ = new TdxBarSubMenuControlItemLinks(AOwner, nullptr);
  ownLinks_->Internal = true;
  AssignItemLinks(ownLinks_);
}

TdxBarInternalSubMenuControl::~TdxBarInternalSubMenuControl() {
  if (HandleAllocated()) DestroyHandle();
  AssignItemLinks(nullptr);
  delete ownLinks_;
}
