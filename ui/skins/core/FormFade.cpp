#include "ui/skins/core/FormFade.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/framework/controls/ToolBar.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/paint/DrawingRoutines.h"

DEFINE_CLASS(TOutputWindow)

HDC PaintTargetDC = nullptr;

namespace {

void SleepWait(DWORD milliseconds) { Sleep(milliseconds); }
TFadeWait fadeWait = &SleepWait;

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

// The state of one fade: the overlay and the screen under the form.
struct TFadeState {
  TOutputWindow* Overlay = nullptr;
  BitmapPtr Capture;
};
TFadeState fade;

bool Destroying(TControl* control) { return control->ComponentState().Contains(csDestroying); }

// One windowed control into the DC at its origin, then its windowed children.
void PaintWindowedTo(HDC dc, TWinControl* control) {
  if (QuerySkinCommand(control, scIsSkinned) && control->HandleAllocated()) {
    SendMessageW(control->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
  } else {
    control->PaintTo(dc, 0, 0);
    return;  // the framework's paint-to draws the windowed children itself
  }
  for (int i = 0; i < control->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(control->Controls(i));
    if (!child || !child->Visible()) continue;
    int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    bool topForm = dynamic_cast<TCustomForm*>(child) && !child->Parent();
    if (!topForm) SetViewportOrgEx(dc, origin.x + child->Left(), origin.y + child->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
    PaintWindowedTo(dc, child);
    RestoreDC(dc, saved);
  }
}

}  // namespace

TOutputWindow::TOutputWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetCaption(L"acOutputWindow");
  SetColor(8388736);
}

void TOutputWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (Parent()) return;
  params.Style = WS_POPUP;
  params.ExStyle &= ~DWORD(WS_EX_TOPMOST);
  params.WndParent = Application ? Application->Handle() : nullptr;
  if (auto* owner = dynamic_cast<TWinControl*>(Owner());
      owner && owner->HandleAllocated() && (GetWindowLongPtrW(owner->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
    params.ExStyle |= WS_EX_TOPMOST;
}

TOutputWindow* FadeOverlay() { return fade.Overlay; }

TFadeWait SetFadeWait(TFadeWait wait) {
  TFadeWait previous = fadeWait;
  fadeWait = wait ? wait : &SleepWait;
  return previous;
}

void FadeStepWait(DWORD milliseconds) { fadeWait(milliseconds); }

void PaintControlTo(TBitmap* bmp, TControl* control, int x, int y) {
  if (!control || !control->Visible()) return;
  HDC dc = bmp->Canvas()->Handle();
  int saved = SaveDC(dc);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x + x, origin.y + y, nullptr);
  IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
  if (auto* windowed = dynamic_cast<TWinControl*>(control))
    PaintWindowedTo(dc, windowed);
  else
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  GdiFlush();
}

bool GraphicChildVisible(TControl* control, HDC dc) {
  if (!control || dynamic_cast<TWinControl*>(control) || !control->Visible() || Destroying(control)) return false;
  if (control->Width() <= 0 || control->Height() <= 0) return false;
  if (control->ControlStyle.Contains(csNoDesignVisible)) return false;
  if (auto* tool = dynamic_cast<TToolButton*>(control); tool && tool->Style() != tbsSeparator && tool->Style() != tbsDivider)
    return false;
  RECT bounds = control->BoundsRect();
  return RectVisible(dc, &bounds) != FALSE;
}

namespace {

// The offscreen image the graphic children are painted into, kept between paints and grown when a
// parent is larger; a nested paint (a child painting while its parent's children are painted)
// takes a bitmap of its own.
struct TChildScratch {
  BitmapPtr Bmp;
  bool InUse = false;
  std::vector<TControl*> Painted;
};
TChildScratch childScratch;

}  // namespace

void ReleasePaintScratch() {
  if (!childScratch.InUse) childScratch.Bmp.reset();
}

void PaintGraphicChildren(HDC dc, TWinControl* parent, TPoint offset) {
  if (!parent || !parent->Visible()) return;
  bool graphicChildren = false;
  for (int i = 0; i < parent->ControlCount() && !graphicChildren; ++i)
    graphicChildren = !dynamic_cast<TWinControl*>(parent->Controls(i));
  if (!graphicChildren) return;
  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top) {
    if (parent->HandleAllocated()) SendSkinCommand(parent->Handle(), scMarkOutOfView, nullptr);
    return;
  }
  SharedCacheRef.Ready = false;
  SendSkinCommandTo(parent, scGetCache, 0);
  if (!SharedCacheRef.Ready) return;
  TsCacheRef cache = SharedCacheRef;
  const bool shared = !childScratch.InUse;
  BitmapPtr own;
  std::vector<TControl*> ownList;
  std::vector<TControl*>& painted = shared ? childScratch.Painted : ownList;
  painted.clear();
  struct TRelease {
    bool Shared;
    ~TRelease() {
      if (Shared) childScratch.InUse = false;
    }
  } release{shared};
  if (shared) childScratch.InUse = true;
  TBitmap* offscreen = nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* child = parent->Controls(i);
    if (!GraphicChildVisible(child, dc)) continue;
    if (!offscreen) {
      int w = parent->Width(), h = parent->Height();
      if (!shared) {
        own.reset(CreateBmp24(w, h));
      } else if (!childScratch.Bmp) {
        childScratch.Bmp.reset(CreateBmp24(w, h));
      } else if (childScratch.Bmp->Width() < w || childScratch.Bmp->Height() < h) {
        childScratch.Bmp->SetSize(std::max(w, childScratch.Bmp->Width()), std::max(h, childScratch.Bmp->Height()));
      }
      offscreen = shared ? childScratch.Bmp.get() : own.get();
    }
    HDC odc = offscreen->Canvas()->Handle();
    TRect bounds = child->BoundsRect();
    if (child->ControlStyle.Contains(csOpaque))
      FillDC(odc, bounds, child->Color());
    else
      BitBlt(odc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
             cache.Bmp->Canvas()->Handle(), bounds.left + cache.X, bounds.top + cache.Y, SRCCOPY);
    RECT target = bounds;
    OffsetRect(&target, offset.x, offset.y);
    if (!RectVisible(dc, &target)) SendSkinCommandTo(child, scMarkOutOfView, 0);
    int saved = SaveDC(odc);
    SetViewportOrgEx(odc, bounds.left, bounds.top, nullptr);
    IntersectClipRect(odc, 0, 0, child->Width(), child->Height());
    bool copyState = parent->ControlState.Contains(csPaintCopy);
    if (copyState) child->ControlState.Include(csPaintCopy);
    child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(odc), 0);
    if (copyState) child->ControlState.Exclude(csPaintCopy);
    RestoreDC(odc, saved);
    painted.push_back(child);
  }
  if (offscreen) {
    GdiFlush();
    HDC odc = offscreen->Canvas()->Handle();
    for (TControl* child : painted) {
      TRect b = child->BoundsRect();
      int x = b.left + offset.x, y = b.top + offset.y;
      // A child that left its corner key-coloured drew nothing of its own.
      if (x >= 0 && y >= 0 && x < offscreen->Width() && y < offscreen->Height()) {
        const auto* p = static_cast<const Byte*>(offscreen->ScanLine(y)) + 3 * x;
        if (p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF) continue;
      }
      BitBlt(dc, x, y, b.right - b.left, b.bottom - b.top, odc, b.left, b.top, SRCCOPY);
    }
  }
  SharedCacheRef.Ready = false;
}

void PrepareAnimation(TCustomForm* form) {
  if (!form || !form->HandleAllocated()) return;
  RECT window;
  GetWindowRect(form->Handle(), &window);
  fade.Capture.reset(CreateBmp24(form->Width(), form->Height()));
  HDC screen = GetDC(nullptr);
  BitBlt(fade.Capture->Canvas()->Handle(), 0, 0, form->Width(), form->Height(), screen, window.left, window.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (!fade.Overlay) fade.Overlay = new TOutputWindow(form);
  if (form->Parent()) {
    fade.Overlay->SetParent(form->Parent());
    fade.Overlay->SetBoundsRect(form->BoundsRect());
    SetWindowPos(fade.Overlay->Handle(), form->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    fade.Overlay->SetBoundsRect(window);
    HWND above = GetWindow(form->Handle(), GW_HWNDPREV);
    SetWindowPos(fade.Overlay->Handle(), above ? above : HWND_TOP, window.left, window.top, window.right - window.left,
                 window.bottom - window.top, SWP_NOACTIVATE);
  }
  ShowWindow(fade.Overlay->Handle(), SW_SHOWNOACTIVATE);
}

void AnimateForm(TCustomForm* form, int time) {
  if (!fade.Overlay) PrepareAnimation(form);
  if (!fade.Overlay || !fade.Capture) return;
  BitmapPtr image(CreateBmp24(form->Width(), form->Height()));
  PaintTargetDC = image->Canvas()->Handle();
  PaintControlTo(image.get(), form, 0, 0);
  PaintTargetDC = nullptr;
  if (ProviderOf(form)) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(form->Handle(), region) != ERROR)
      SetWindowRgn(fade.Overlay->Handle(), region, FALSE);
    else
      DeleteObject(region);
  }
  HDC overlayDC = GetWindowDC(fade.Overlay->Handle());
  if (time > 7) {
    int steps = time / 8, decrement = 255 / steps, weight = 255;
    BitmapPtr frame(CreateBmp24(form->Width(), form->Height()));
    TRect whole(0, 0, form->Width(), form->Height());
    for (int step = 0; step <= steps; ++step) {
      BitBlt(frame->Canvas()->Handle(), 0, 0, whole.right, whole.bottom, fade.Capture->Canvas()->Handle(), 0, 0, SRCCOPY);
      BlendTransRectangle(frame.get(), image.get(), std::max(weight, 0), TPoint(0, 0), whole);
      BitBlt(overlayDC, 0, 0, whole.right, whole.bottom, frame->Canvas()->Handle(), 0, 0, SRCCOPY);
      weight -= decrement;
      FadeStepWait(8);
    }
  }
  BitBlt(overlayDC, 0, 0, form->Width(), form->Height(), image->Canvas()->Handle(), 0, 0, SRCCOPY);
  if (!(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED)) ShowWindow(fade.Overlay->Handle(), SW_HIDE);
  ReleaseDC(fade.Overlay->Handle(), overlayDC);
  FreeAndNil(fade.Overlay);
  fade.Capture.reset();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}
