#include "platform/framework/windows/HintWindow.h"

#include "platform/framework/windows/Forms.h"

DEFINE_CLASS(THintWindow)

namespace {
constexpr int kMarginX = 4;
constexpr int kMarginY = 2;
constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
}  // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(Application ? Application->HintColor : clInfoBk);
  if (Screen) Font()->Assign(Screen->HintFont());
  Font()->SetColor(clInfoText);
  TControl::SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WindowClassStyle |= CS_SAVEBITS;
  Params.WndParent = Application ? Application->Handle() : nullptr;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*) {
  RECT r{0, 0, MaxWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  DrawTextW(dc, AHint.c_str(), static_cast<int>(AHint.size()), &r, kTextFormat | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {0, 0, r.right + 2 * kMarginX + 2, r.bottom + 2 * kMarginY + 2};
}

void THintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
  SetCaption(AHint);
  SetBoundsRect(Rect);
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.left, Rect.top, Rect.Width(), Rect.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  TControl::SetVisible(true);
  Invalidate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

bool THintWindow::IsHintMsg(const MSG& Msg) {
  return (Msg.message >= WM_KEYFIRST && Msg.message <= WM_KEYLAST) || Msg.message == WM_LBUTTONDOWN ||
         Msg.message == WM_RBUTTONDOWN || Msg.message == WM_MBUTTONDOWN;
}

void THintWindow::Paint() {
  RECT r = ClientRect();
  InflateRect(&r, -kMarginX, -kMarginY);
  const String text = Caption();
  HDC dc = Canvas()->Handle();
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, kTextFormat);
  SelectObject(dc, old);
}
