#include "tests/ui/bars/BarTestWindow.h"

#include "platform/framework/rtl/Seams.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/painters/BarPainters.h"

namespace bar_testing {

DEFINE_CLASS(TTestBarViewInfo)
DEFINE_CLASS(TTestBarControl)

void TTestBarViewInfo::ComputeLayout() {
  TCustomdxBarControlViewInfo::ComputeLayout();
  auto* window = static_cast<TTestBarControl*>(BarControl());
  TdxBarItemLinks* links = window->ItemLinks();
  if (!links) return;
  const bool column = window->Kind == 2 || window->Vertical;
  for (int i = 0; i < links->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShownLinkAt(i);
    TdxBarItemControl* control = link->ItemControl();
    const TRect r = link->ItemRect();
    if (!control || r.IsEmpty()) continue;
    control->ViewInfo()->SetBounds(r);
    AddItemInfo(control->ViewInfo());
    if (link->BeginGroup()) {
      const int s = window->Separator;
      if (column)
        AppendSeparator(TRect{r.left, r.top - s, r.right, r.top}, 0, control);
      else
        AppendSeparator(TRect{r.left - s, r.top, r.left, r.bottom}, 1, control);
    }
  }
}

TTestBarControl::TTestBarControl(TdxBarManager* AOwner, int AKind) : TCustomdxBarControl(AOwner), Kind(AKind) {}

void TTestBarControl::CreateParams(TCreateParams& Params) {
  TCustomdxBarControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = nullptr;
  if (ChildOf) {
    Params.Style = WS_CHILD | WS_CLIPCHILDREN;
    Params.ExStyle = 0;
    Params.WndParent = ChildOf;
  }
}

void TTestBarControl::ApplyFont() { Font()->Assign(OwningBarManager()->Font()); }

void TTestBarControl::InvalidateControl(TdxBarItemControl* Control) {
  if (!Control || !HandleAllocated()) return;
  const RECT r = Control->BoundsInBar();
  InvalidateRect(Handle(), &r, FALSE);
}

void TTestBarControl::ShowAt(int X, int Y, int W, int H) {
  SetBounds(X, Y, W, H);
  HandleNeeded();
  Relayout();
  ShowWithoutActivation();
  TControl::SetVisible(true);
  UpdateWindow(Handle());
}

void TTestBarControl::Relayout() {
  if (!HandleAllocated()) return;
  CalcLayout();
  LayoutLinks(Kind == 2 ? 1 : 0, 0);
  CalcViewInfo();
  Invalidate();
}

void TTestBarControl::RebuildControls(bool Rebuild) {
  TCustomdxBarControl::RebuildControls(Rebuild);
  Relayout();
}

void TTestBarControl::ArrangeLinks() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return;
  int along = Vertical ? VisibleItemsRect.top : VisibleItemsRect.left;
  for (int i = 0; i < links->ShownLinkCount(); ++i) {
    TdxBarItemLink* link = links->ShownLinkAt(i);
    TdxBarItemControl* control = link->ItemControl();
    if (!control) continue;
    along += GapBefore(link);
    const int w = control->MeasureWidth(), h = control->MeasureHeight();
    if (Vertical) {
      link->StoreItemRect(TRect{VisibleItemsRect.left, along, VisibleItemsRect.left + w, along + h});
      along += h;
    } else {
      link->StoreItemRect(TRect{along, VisibleItemsRect.top, along + w, VisibleItemsRect.top + h});
      along += w;
    }
  }
}

void TTestBarControl::ClickItemStep(TdxBarItemControl* Control) {
  if (Kind == 0 && Control && Control->IsEnabled() && Control->IsFocusable()) {
    if (IsActive())
      Control->SelectByKeyboard(false);
    else
      SelectAndActivate(Control);
    if (!IsLiveBarControl(this)) return;
    if (IsActive() && !Control->IsWindowedControl()) Downed = true;
  }
  TCustomdxBarControl::ClickItemStep(Control);
}

void TTestBarControl::Paint() {
  TcxCanvas* canvas = CurrentCanvas();
  PaintItemControls();
  HDC dc = canvas->DCHandle();
  for (int i = 0; i < ViewInfo()->SeparatorCount(); ++i) {
    TdxBarSeparatorInfo info;
    ViewInfo()->GetSeparatorInfo(i, info);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(ToTColor(kTestSeparatorStrip)));
    const RECT r = info.Bounds;
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    canvas->SubtractFromClip(info.Bounds);
  }
  const RECT client = ClientRect();
  FillRect(dc, &client, BackgroundBrush());
}

void TTestBarControl::WMKeyDownTest(TMessage& Message) {
  const Word key = Message.CharCode();
  Inherited::Dispatch(Message);
  if (!IsLiveBarControl(this) || !ActiveBarControl() || key != VK_RETURN) return;
  if (TdxBarItemControl* selected = SelectedItemControl()) selected->ControlClick(false, VK_RETURN);
}

// ---- the fixture --------------------------------------------------------------------------------

void BarWindowFixture::SetUp() {
  TTestBarPainter::Reset();
  for (int style = brsStandard; style <= brsOffice11; ++style)
    SetBarPainterClass(style, &TTestBarPainter::ClassInfo());
  BarFixture::SetUp();
}

void BarWindowFixture::TearDown() {
  for (TTestBarControl* window : windows) {
    if (IsLiveBarControl(window)) window->Free();
  }
  BarFixture::TearDown();
  // The library's own painter classes again.
  RegisterBarPainterClasses();
  ResetBoundFunctions();
}

TTestBarControl* BarWindowFixture::NewWindow(int Kind, TdxBarItemPlaceKind PlaceKind) {
  TTestLinksOwner* owner = NewOwner(PlaceKind);
  owners.push_back(owner);
  auto* window = new TTestBarControl(manager, Kind);
  window->AssignItemLinks(owner->Links());
  windows.push_back(window);
  return window;
}

void BarWindowFixture::MoveTo(TCustomdxBarControl* Window, int X, int Y) {
  const TPoint screen = Window->ClientToScreen(TPoint{X, Y});
  SetCursorPos(screen.x, screen.y);
  SendMessageW(Window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
}

void BarWindowFixture::Press(TCustomdxBarControl* Window, int X, int Y, UINT Msg) {
  const TPoint screen = Window->ClientToScreen(TPoint{X, Y});
  SetCursorPos(screen.x, screen.y);
  const WPARAM keys = Msg == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
  SendMessageW(Window->Handle(), Msg, keys, MAKELPARAM(X, Y));
}

void BarWindowFixture::Release(TCustomdxBarControl* Window, int X, int Y, UINT Msg) {
  const TPoint screen = Window->ClientToScreen(TPoint{X, Y});
  SetCursorPos(screen.x, screen.y);
  if (IsLiveBarControl(Window)) SendMessageW(Window->Handle(), Msg, 0, MAKELPARAM(X, Y));
}

void BarWindowFixture::KeyDown(TCustomdxBarControl* Window, Word Key) {
  SendMessageW(Window->Handle(), WM_KEYDOWN, Key, 1);
}

TPoint BarWindowFixture::CentreOf(TdxBarItemControl* Control) {
  const TRect r = Control->BoundsInBar();
  return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

namespace {
SHORT WINAPI LeftButtonDown(int Key) { return Key == VK_LBUTTON ? SHORT(0x8000) : SHORT(0); }
}  // namespace

HeldLeftButton::HeldLeftButton() : saved_(Bound().GetAsyncKeyState) { Bound().GetAsyncKeyState = &LeftButtonDown; }
HeldLeftButton::~HeldLeftButton() { Bound().GetAsyncKeyState = saved_; }

}  // namespace bar_testing
