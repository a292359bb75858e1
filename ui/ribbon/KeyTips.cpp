#include "ui/ribbon/KeyTips.h"

#include <algorithm>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarRoutines.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonSkins.h"

DEFINE_CLASS(TdxRibbonKeyTipWindow)

namespace {

constexpr TColor kKeyTipTextColor = TColor(0x4C4C4C);
constexpr Byte kDisabledAlpha = 153;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_NOPREFIX;

}  // namespace

// ---- TdxRibbonKeyTipWindow ------------------------------------------------------------------------

TdxRibbonKeyTipWindow::TdxRibbonKeyTipWindow(TdxCustomRibbonSkin* ASkin) : TCustomControl(nullptr), skin_(ASkin) {
  SetVisible(false);
  if (Screen) Font()->Assign(Screen->HintFont());
}

void TdxRibbonKeyTipWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WndParent = Application ? Application->Handle() : nullptr;
}

void TdxRibbonKeyTipWindow::CreateWnd() {
  TCustomControl::CreateWnd();
  if (!Enabled()) SetWindowAlphaLevel(Handle(), kDisabledAlpha);
}

TSize TdxRibbonKeyTipWindow::CalculateSize() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  RECT r{0, 0, 0, 0};
  const String text = Caption();
  DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | kTextFormat);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {std::max(int(r.right - r.left) + 6, 16), int(r.bottom - r.top) + 2};
}

void TdxRibbonKeyTipWindow::CMTextChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  const TSize size = CalculateSize();
  SetBounds(Left(), Top(), size.cx, size.cy);
}

void TdxRibbonKeyTipWindow::CMEnabledChanged(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (HandleAllocated()) RecreateWnd();
}

void TdxRibbonKeyTipWindow::Paint() {
  const HDC dc = Canvas()->Handle();
  const TRect R = ClientRect();
  if (skin_ && !skin_->LowColor()) {
    skin_->DrawBarPart40(dc, R);
  } else {
    FillRectSolid(dc, R, clWindowFrame);
    FillRectSolid(dc, TRect(R.left + 1, R.top + 1, R.right - 1, R.bottom - 1), clInfoBk);
  }
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, COLORREF(ColorToRGB(kKeyTipTextColor)));
  RECT r = R;
  const String text = Caption();
  DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CENTER | DT_VCENTER | kTextFormat);
  SelectObject(dc, old);
}

// ---- TdxRibbonKeyTipWindows -----------------------------------------------------------------------

TRect KeyTipWindowBounds(const TPoint& Anchor, const TSize& Size, Byte HorzAlign, Byte VertAlign) {
  auto start = [](int At, int Extent, Byte Align) {
    switch (Align) {
      case 0: return At - Extent;
      case 1: return At;
      default: return At - Extent / 2;
    }
  };
  const int left = start(Anchor.x, Size.cx, HorzAlign), top = start(Anchor.y, Size.cy, VertAlign);
  return {left, top, left + Size.cx, top + Size.cy};
}

TdxRibbonKeyTipWindows::~TdxRibbonKeyTipWindows() {
  for (TdxRibbonKeyTipWindow* window : windows_) window->Free();
}

void TdxRibbonKeyTipWindows::Add(const String& Text, const TPoint& P, bool Enabled, Byte VertAlign,
                                 Byte HorzAlign, void*& Window) {
  auto* window = new TdxRibbonKeyTipWindow(ribbon_ ? ribbon_->ColorScheme() : nullptr);
  window->SetEnabled(Enabled);
  window->SetCaption(Text);
  const TRect R = KeyTipWindowBounds(P, window->CalculateSize(), HorzAlign, VertAlign);
  window->SetBounds(R.left, R.top, R.Width(), R.Height());
  windows_.push_back(window);
  Window = window;
}

void TdxRibbonKeyTipWindows::Delete(void* Window) {
  auto it = std::find(windows_.begin(), windows_.end(), static_cast<TdxRibbonKeyTipWindow*>(Window));
  if (it == windows_.end()) throw Exception(L"");
  windows_.erase(it);
  static_cast<TdxRibbonKeyTipWindow*>(Window)->Free();
}

void TdxRibbonKeyTipWindows::Show() {
  if (windows_.empty()) return;
  for (TdxRibbonKeyTipWindow* window : windows_) window->HandleNeeded();
  HDWP batch = BeginDeferWindowPos(int(windows_.size()));
  for (TdxRibbonKeyTipWindow* window : windows_)
    if (batch)
      batch = DeferWindowPos(batch, window->Handle(), HWND_TOPMOST, window->Left(), window->Top(), window->Width(),
                             window->Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (batch) EndDeferWindowPos(batch);
  for (TdxRibbonKeyTipWindow* window : windows_) {
    SetWindowRgn(window->Handle(), CreateRoundRectRgn(0, 0, window->Width() + 1, window->Height() + 1, 2, 2), TRUE);
    window->Invalidate();
  }
}
