#include "ui/skins/windows/PanelWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/framework/windows/Forms.h"
#include "ui/skins/core/FormFade.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TacPanelWnd)
DEFINE_CLASS(TacDlgPanelWnd)
DEFINE_CLASS(TacTransPanelWnd)
DEFINE_CLASS(TacSizerWnd)
DEFINE_CLASS(TacSpinWnd)
DEFINE_CLASS(TacToolBarWnd)

namespace {

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;



// Half of what the frame takes off the window's width.
int FrameBorder(HWND window) {
  RECT wr{}, cr{};
  GetWindowRect(window, &wr);
  GetClientRect(window, &cr);
  return ((wr.right - wr.left) - (cr.right - cr.left)) / 2;
}

// The window's message handling with redraw off, then a repaint from a stale cache.
template <class Handle>
void RedrawLocked(HWND window, TsCommonData* skinData, Handle&& handle) {
  SendMessageW(window, WM_SETREDRAW, 0, 0);
  handle();
  SendMessageW(window, WM_SETREDRAW, 1, 0);
  skinData->BGChanged = true;
  SendMessageW(window, WM_PAINT, 0, 0);
}

}  // namespace

// ---- framework panels ---------------------------------------------------------------------------------

String TacPanelWnd::SectionForBevels(TPanelBevel outer, TPanelBevel inner, TBorderStyle border) {
  if (outer == bvLowered) return inner == bvRaised ? L"GROUPBOX" : L"PANEL_LOW";
  if (outer == bvRaised) return inner == bvLowered ? L"GROUPBOX" : L"PANEL";
  return border != bsNone ? L"PANEL_LOW" : L"CHECKBOX";
}

TacPanelWnd::TacPanelWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section)
    : TacMainWnd(handle, skinData, manager, section) {
  if (auto* panel = dynamic_cast<TCustomPanel*>(SkinData->OwnerControl()))
    SkinData->SetSkinSection(SectionForBevels(panel->BevelOuter(), panel->BevelInner(), panel->BorderStyle()));
}

bool TacPanelWnd::Active() const {
  TControl* owner = SkinData ? SkinData->OwnerControl() : nullptr;
  return owner && owner->ControlStyle.Contains(csAcceptsControls) && !Released && SkinData->Skinned();
}

void TacPanelWnd::ProcessMessage(TMessage& message) {
  if (!Active()) {
    BaseProcessMessage(message);
    return;
  }
  auto* owner = dynamic_cast<TWinControl*>(SkinData->OwnerControl());
  switch (message.Msg) {
    case SM_ALPHACMD:
      switch (message.WParamHi()) {
        case scApplySkin:
          if (owner) BroadcastToChildren(owner, message);
          break;
        case scRemoveSkin:
          SkinData->SkinIndex = -1;
          SkinData->OwnerControl()->ControlStyle.Exclude(csOpaque);
          BaseProcessMessage(message);
          return;
        case scIsSkinned:
          message.LParam = 1;
          message.Result = 1;
          return;
        case scGetApplication:
          message.Result = reinterpret_cast<LRESULT>(Application);
          return;
        default:
          break;
      }
      break;
    case WM_SETTEXT:
      if (IsWindowVisible(Handle)) {
        RedrawLocked(Handle, SkinData, [&] { BaseProcessMessage(message); });
        return;
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      HDC began = dc ? nullptr : BeginPaint(Handle, &ps);
      PaintFace(dc ? dc : began);
      if (began) EndPaint(Handle, &ps);
      message.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      PaintFrame(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return;
    case WM_UPDATEUISTATE:
      message.Result = 1;
      return;
    case WM_NCPAINT: {
      HDC dc = GetWindowDC(Handle);
      PaintFrame(dc);
      ReleaseDC(Handle, dc);
      message.Result = 1;
      return;
    }
    case WM_PARENTNOTIFY:
      BaseProcessMessage(message);
      if (LOWORD(message.WParam) == WM_CREATE) NotifyParentForm(SkinData->OwnerControl());
      return;
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      const int border = FrameBorder(Handle);
      const int saved = SaveDC(dc);
      SetViewportOrgEx(dc, border, border, nullptr);
      PaintFace(dc);
      RestoreDC(dc, saved);
      PaintFrame(dc);
      return;
    }
    default:
      break;
  }
  BaseProcessMessage(message);
  if (message.Msg == WM_WINDOWPOSCHANGED && !Released) SendMessageW(Handle, WM_NCPAINT, 0, 0);
}

void TacPanelWnd::PaintFace(HDC dc) {
  TControl* owner = SkinData->OwnerControl();
  if (!dc || owner->ComponentState().Contains(csDestroying) ||
      (owner->Parent() && owner->Parent()->ControlState.Contains(csCreating)))
    return;
  const int saved = SaveDC(dc);
  SkinData->SetUpdating(SkinData->IsUpdating());
  if (!SkinData->Updating) {
    const bool needsCache = SkinData->BGChanged || SkinData->HalfVisible;
    RECT clip{};
    GetClipBox(dc, &clip);
    SkinData->HalfVisible = SkinData->RepaintWhenMoved() &&
                            (clip.right - clip.left != owner->Width() || clip.bottom - clip.top != owner->Height());
    if (needsCache) PrepareCache();
    const int border = FrameBorder(Handle);
    TBitmap* cache = SkinData->CacheBmp;
    BitBlt(dc, 0, 0, owner->Width() - 2 * border, owner->Height() - 2 * border, cache->Canvas()->Handle(), border, border,
           SRCCOPY);
    if (auto* windowed = dynamic_cast<TWinControl*>(owner)) {
      PaintGraphicChildren(dc, windowed, TPoint(0, 0));
      NotifyChildren(windowed);
    }
  }
  RestoreDC(dc, saved);
}

void TacPanelWnd::PaintFrame(HDC dc) {
  if (!dc) return;
  RECT wr{};
  GetWindowRect(Handle, &wr);
  WindowRect = wr;
  WindowSize = TPoint(wr.right - wr.left, wr.bottom - wr.top);
  SkinData->BGChanged = true;
  PrepareCache();
  const int border = FrameBorder(Handle);
  if (border > 0)
    BitBltBorder(dc, 0, 0, WindowSize.x, WindowSize.y, SkinData->CacheBmp->Canvas()->Handle(), 0, 0, border);
}

void TacPanelWnd::PrepareCache() {
  TControl* owner = SkinData->OwnerControl();
  TBitmap* cache = SizeCacheBmp(SkinData, owner->Width(), owner->Height());
  const TsCacheRef ci = SkinData->GetParentCache();
  PaintItem(SkinData, ci, false, 0, TRect(0, 0, owner->Width(), owner->Height()), TPoint(owner->Left(), owner->Top()),
            cache, false);
  SkinData->BGChanged = false;
}

// ---- framework panels inside system dialogs ------------------------------------------------------------

TacDlgPanelWnd::TacDlgPanelWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section)
    : TacMainWnd(handle, skinData, manager, section) {
  PanelControl = dynamic_cast<TControl*>(FindControlByHandle(handle, Application));
  if (PanelControl && PanelControl->ClassName() == L"TPanel") {
    if (auto* panel = dynamic_cast<TCustomPanel*>(PanelControl)) {
      TsSkinManager* used = SkinData->SkinManager();
      if (used) panel->SetColor(used->GlobalColor());
    }
    SkinData->SetSkinSection(L"CHECKBOX");
  } else {
    SkinData->SetSkinSection(L"GROUPBOX");
  }
}

int TacDlgPanelWnd::Border() const { return FrameBorder(Handle); }

void TacDlgPanelWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    BaseProcessMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_SETTEXT:
      if (IsWindowVisible(Handle)) {
        SkinData->BGChanged = true;
        BaseProcessMessage(message);
        return;
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      BeginPaint(Handle, &ps);
      EndPaint(Handle, &ps);
      return;
    }
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      const int saved = SaveDC(dc);
      PaintInner(dc);
      RECT client{};
      GetClientRect(Handle, &client);
      IntersectClipRect(dc, 6, 6, client.right - 6, client.bottom - 6);
      LPARAM none = 0;
      CallPrevWndProc(Handle, WM_PAINT, message.WParam, none);
      RestoreDC(dc, saved);
      message.Result = 1;
      return;
    }
    case WM_NCPAINT: {
      HDC dc = GetWindowDC(Handle);
      PaintFrame(dc);
      ReleaseDC(Handle, dc);
      message.Result = 1;
      return;
    }
    case WM_UPDATEUISTATE:
      message.Result = 1;
      return;
    case WM_PARENTNOTIFY:
      BaseProcessMessage(message);
      if (LOWORD(message.WParam) == WM_CREATE && SkinData->OwnerControl()) NotifyParentForm(SkinData->OwnerControl());
      return;
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      PaintInner(dc);
      PaintFrame(dc);
      return;
    }
    case SM_ALPHACMD:
      if (message.WParamHi() == scApplySkin)
        if (auto* windowed = dynamic_cast<TWinControl*>(PanelControl)) BroadcastToChildren(windowed, message);
      break;
    default:
      break;
  }
  BaseProcessMessage(message);
}

void TacDlgPanelWnd::PaintInner(HDC dc) {
  if (!dc) return;
  SkinData->SetUpdating(SkinData->IsUpdating());
  if (SkinData->Updating) return;
  PrepareCache();
  const int border = Border();
  BitBlt(dc, border, border, WindowSize.x - 2 * border, WindowSize.y - 2 * border, SkinData->CacheBmp->Canvas()->Handle(),
         border, border, SRCCOPY);
}

void TacDlgPanelWnd::PaintFrame(HDC dc) {
  const int border = Border();
  if (!dc || border < -5) return;
  SkinData->BGChanged = true;
  PrepareCache();
  BitBltBorder(dc, 0, 0, WindowSize.x, WindowSize.y, SkinData->CacheBmp->Canvas()->Handle(), 0, 0, border + 6);
}

void TacDlgPanelWnd::PrepareCache() {
  UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
  TBitmap* cache = SizeCacheBmp(SkinData, WindowSize.x, WindowSize.y);
  const TsCacheRef ci = TsCommonData::GetParentCacheForWindow(Handle);
  PaintItem(SkinData, ci, false, 0, TRect(0, 0, WindowSize.x, WindowSize.y), ParentOffset, cache, false);
  SkinData->BGChanged = false;
}

// ---- nested dialog pages ------------------------------------------------------------------------------

void TacTransPanelWnd::ProcessMessage(TMessage& message) {
  if (!Released && SkinData && SkinData->Skinned()) {
    if (message.Msg == WM_ERASEBKGND) {
      PaintPanel();
      message.Result = 1;
      return;
    }
    if (message.Msg == WM_NCPAINT) return;
  }
  BaseProcessMessage(message);
}

void TacTransPanelWnd::PaintPanel() {
  RECT wr{};
  GetWindowRect(Handle, &wr);
  WindowRect = wr;
  WindowSize = TPoint(wr.right - wr.left, wr.bottom - wr.top);
  PAINTSTRUCT ps{};
  BeginPaint(Handle, &ps);
  SkinData->BGChanged = true;
  SendMessageW(Handle, SM_ALPHACMD, SkinCommandWParam(scPrepareCache), 0);
  HDC dc = GetWindowDC(Handle);
  SkinData->PaintCacheToDCForWindow(Handle, 0, TRect(0, 0, WindowSize.x, WindowSize.y), 0, 0, false, dc,
                                    TRect(0, 0, WindowSize.x, WindowSize.y));
  ReleaseDC(Handle, dc);
  EndPaint(Handle, &ps);
}

// ---- size grips ---------------------------------------------------------------------------------------

void TacSizerWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    BaseProcessMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(Handle, &ps);
      SkinData->BGChanged = true;
      SendMessageW(Handle, SM_ALPHACMD, SkinCommandWParam(scPrepareCache), 0);
      CopyCacheToDC(SkinData->CacheBmp, dc);
      EndPaint(Handle, &ps);
      return;
    }
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      message.Result = 1;
      return;
    default:
      break;
  }
  BaseProcessMessage(message);
  if (message.Msg == WM_NCHITTEST) {
    if (DefaultManager && IsWindowEnabled(Handle)) DefaultManager->SetActiveControl(nullptr);
    message.Result = HTBOTTOMRIGHT;
  }
}

// ---- up-down buttons ----------------------------------------------------------------------------------

void TacSpinWnd::UpdateStates() {
  UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
  POINT cursor{};
  GetCursorPos(&cursor);
  if (PtInRect(&WindowRect, cursor)) {
    RECT upper = WindowRect;
    upper.bottom -= WindowRect.Height() / 2;
    if (PtInRect(&upper, cursor)) {
      UpState = MouseDown ? 2 : 1;
      DownState = 0;
    } else {
      UpState = 0;
      DownState = MouseDown ? 2 : 1;
    }
  } else {
    UpState = DownState = 0;
  }
}

void TacSpinWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    BaseProcessMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_PAINT:
      Paint(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      message.Result = 1;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      MouseDown = message.Msg == WM_LBUTTONDOWN;
      BaseProcessMessage(message);
      if (!Released) SendMessageW(Handle, WM_PAINT, 0, 0);
      return;
    case WM_MOUSEMOVE: {
      BaseProcessMessage(message);
      if (Released || !DefaultManager || !IsWindowEnabled(Handle)) return;
      POINT cursor{};
      GetCursorPos(&cursor);
      RECT wr{};
      GetWindowRect(Handle, &wr);
      const bool inside = PtInRect(&wr, cursor) != FALSE;
      const bool wasActive = DefaultManager->ActiveControlWindow() == Handle;
      if (inside && !wasActive) DefaultManager->SetActiveControl(Handle);
      if (!inside && wasActive) DefaultManager->SetActiveControl(nullptr);
      if (inside && wasActive) SendMessageW(Handle, WM_PAINT, 0, 0);
      return;
    }
    default:
      break;
  }
  BaseProcessMessage(message);
}

void TacSpinWnd::Paint(HDC given) {
  UpdateStates();
  PAINTSTRUCT ps{};
  BeginPaint(Handle, &ps);
  SkinData->SetUpdating(SkinData->IsUpdating());
  if (!SkinData->Updating) {
    HDC dc = given ? given : GetWindowDC(Handle);
    SkinData->BGChanged = true;
    PrepareCache();
    TBitmap* cache = SkinData->CacheBmp;
    BitBlt(dc, ButtonOffset, 0, cache->Width() - ButtonOffset, cache->Height(), cache->Canvas()->Handle(), ButtonOffset,
           0, SRCCOPY);
    if (!given) ReleaseDC(Handle, dc);
  }
  EndPaint(Handle, &ps);
}

void TacSpinWnd::PrepareCache() {
  const int width = WindowSize.x, height = WindowSize.y;
  TBitmap* cache = SizeCacheBmp(SkinData, width, height);
  const int half = (height + 1) / 2;
  const TRect halves[2] = {TRect(ButtonOffset, 0, width, half), TRect(ButtonOffset, height / 2, width, height)};
  const int states[2] = {UpState, DownState};
  const TsCacheRef ci = TsCommonData::GetParentCacheForWindow(Handle);
  TsSkinManager* manager = SkinData->SkinManager();
  const TacConstIndexes& c = manager->ConstIndexes();
  const int glyphs[2] = {c.BtnTop.GlyphMask, c.BtnBottom.GlyphMask};
  RECT parent{};
  if (ParentHandle) GetWindowRect(ParentHandle, &parent);
  for (int i = 0; i < 2; ++i) {
    const TRect& r = halves[i];
    const TPoint at(WindowRect.left - parent.left + r.left - ci.X, WindowRect.top - parent.top + r.top - ci.Y);
    PaintItem(SkinData, ci, true, states[i], r, at, cache, false);
    if (manager->IsValidMaskIndex(glyphs[i])) {
      const TsMaskData& mask = manager->Masks()[size_t(glyphs[i])];
      const TFrameSize frame = MaskFrame(mask);
      DrawSkinGlyph(cache, TPoint(r.left + (r.Width() - frame.Width) / 2, r.top + (r.Height() - frame.Height) / 2),
                    states[i], mask, 1);
    }
  }
  SkinData->BGChanged = false;
}

// ---- tool bars ----------------------------------------------------------------------------------------

void TacToolBarWnd::SplitButtonText(HDC dc, const String& text, int width, String& first, String& second) {
  first = text;
  second.clear();
  auto widthOf = [&](const String& part) {
    SIZE size{};
    GetTextExtentPoint32W(dc, part.c_str(), static_cast<int>(part.size()), &size);
    return static_cast<int>(size.cx);
  };
  if (widthOf(text) <= width) return;
  // Break before the first word that no longer fits; a first word too wide stays on line one.
  size_t end = text.find(L' ');
  while (end != String::npos) {
    const size_t next = text.find(L' ', end + 1);
    const String upTo = text.substr(0, next == String::npos ? text.size() : next);
    if (widthOf(upTo) > width) {
      first = text.substr(0, end);
      second = text.substr(end + 1);
      return;
    }
    end = next;
  }
}

void TacToolBarWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    BaseProcessMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      SkinData->BGChanged = true;
      BaseProcessMessage(message);
      if (!Released) SendMessageW(Handle, WM_NCPAINT, 0, 0);
      return;
    case SM_ALPHACMD:
      if (message.WParamHi() == scParentUpdated && SkinData->Updating) {
        SkinData->Updating = false;
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return;
      }
      break;
    case WM_PAINT:
      PaintButtons(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_NCPAINT:
      PaintFrame();
      return;
    case WM_MOUSEMOVE:
      BaseProcessMessage(message);
      if (!Released && DefaultManager && IsWindowEnabled(Handle)) DefaultManager->SetActiveControl(Handle);
      return;
    default:
      break;
  }
  BaseProcessMessage(message);
}

void TacToolBarWnd::PrepareCache() {
  UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
  if (!SkinData->BGChanged) return;
  RECT client{};
  GetClientRect(Handle, &client);
  ClientRect = client;
  PrepareFrameCache(SkinData, Handle, DialogMode);
  FillTransparentCorners(SkinData, 0, this);
  BorderWidth = (WindowSize.y - ClientRect.Height()) / 2;
  SkinData->BGChanged = false;
}

void TacToolBarWnd::PaintFrame() {
  if (!(GetWindowLongW(Handle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
  const bool parentChanged =
      ParentHandle && SendMessageW(ParentHandle, SM_ALPHACMD, SkinCommandWParam(scIsBgChanged), 0) == 1;
  SkinData->Updating = parentChanged || SkinData->Updating;
  if (SkinData->Updating) return;
  PrepareCache();
  RECT client{};
  GetClientRect(Handle, &client);
  const int border = (WindowSize.x - (client.right - client.left)) / 2;
  HDC dc = GetWindowDC(Handle);
  if (SkinData->CacheBmp && border > 0)
    BitBltBorder(dc, 0, 0, WindowSize.x, WindowSize.y, SkinData->CacheBmp->Canvas()->Handle(), 0, 0, border);
  ReleaseDC(Handle, dc);
}

void TacToolBarWnd::PaintButtons(HDC given) {
  PAINTSTRUCT ps{};
  HDC dc = given ? given : BeginPaint(Handle, &ps);
  SkinData->SetUpdating(SkinData->IsUpdating());
  if (!SkinData->Updating) {
    SkinData->BGChanged = true;
    PrepareCache();
    TBitmap* cache = SkinData->CacheBmp;
    if (cache && cache->Width() > 0 && cache->Height() > 0) {
      BitmapPtr work(CreateBmp24(cache->Width(), cache->Height()));
      BitBlt(work->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
      const int count = static_cast<int>(SendMessageW(Handle, TB_BUTTONCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) PaintButton(i, work.get());
      BitBlt(dc, 0, 0, cache->Width() - 2 * BorderWidth, cache->Height() - 2 * BorderWidth, work->Canvas()->Handle(),
             BorderWidth, BorderWidth, SRCCOPY);
    }
  }
  if (!given) EndPaint(Handle, &ps);
}

void TacToolBarWnd::PaintButton(int index, TBitmap* work) {
  TBBUTTON button{};
  if (!SendMessageW(Handle, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button))) return;
  if (button.fsStyle & BTNS_SEP) return;
  RECT item{};
  if (!SendMessageW(Handle, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return;
  OffsetRect(&item, BorderWidth, BorderWidth);
  const int w = item.right - item.left, h = item.bottom - item.top;
  if (w <= 0 || h <= 0) return;
  int state = 0;
  if (button.fsState & TBSTATE_ENABLED) {
    if (button.fsState & TBSTATE_PRESSED) {
      state = 2;
    } else {
      POINT cursor{};
      GetCursorPos(&cursor);
      RECT onScreen = item;
      OffsetRect(&onScreen, WindowRect.left, WindowRect.top);
      state = PtInRect(&onScreen, cursor) ? 1 : 0;
    }
  }
  const int shift = state == 2 ? 1 : 0;
  TsSkinManager* manager = SkinData->SkinManager();
  BitmapPtr image(CreateBmp24(w, h));
  BitBlt(image->Canvas()->Handle(), 0, 0, w, h, work->Canvas()->Handle(), item.left, item.top, SRCCOPY);
  const int section = manager->GetSkinIndex(L"TOOLBUTTON");
  if (manager->IsValidSkinIndex(section))
    PaintItemByIndex(section, L"TOOLBUTTON", MakeCacheRef(work, 0, 0), -1, -1, manager, image.get(),
                     TPoint(item.left, item.top), TRect(0, 0, w, h), state, true);
  // The image, with a drop-down arrow at the right for the drop-down style.
  int imageHeight = 0;
  auto list = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, TB_GETIMAGELIST, 0, 0));
  if (list && button.iBitmap >= 0) {
    int iw = 0, ih = 0;
    ImageList_GetIconSize(list, &iw, &ih);
    ImageList_SetBkColor(list, CLR_NONE);
    int room = w;
    if (button.fsStyle & 0x80) {
      const int arrow = manager->ConstIndexes().BtnBottom.GlyphMask;
      if (manager->IsValidMaskIndex(arrow)) {
        const TsMaskData& mask = manager->Masks()[size_t(arrow)];
        const TFrameSize frame = MaskFrame(mask);
        DrawSkinGlyph(image.get(), TPoint(w - 2 - frame.Width + shift, (h - frame.Height) / 2 + shift), state, mask, 1);
        room = w - 2 - frame.Width;
      }
    }
    ImageList_Draw(list, button.iBitmap, image->Canvas()->Handle(), (room - iw) / 2 + shift, 4 + shift, ILD_NORMAL);
    imageHeight = ih;
  }
  // The text, in one or two lines.
  const int length = static_cast<int>(SendMessageW(Handle, TB_GETBUTTONTEXTW, button.idCommand, 0));
  if (length > 0) {
    String text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(Handle, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    TCanvas* canvas = image->Canvas();
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0))) canvas->Font()->SetHandle(font);
    canvas->Brush()->SetStyle(bsClear);
    TRect area(2 + shift, 2 + shift + (imageHeight > 0 ? imageHeight + 2 : 0), w - 2 + shift, h - 2 + shift);
    String first, second;
    SplitButtonText(canvas->Handle(), text, area.Width(), first, second);
    TacTextSkin skin = SkinData->TextSkin();
    if (state != 0) {
      skin.SkinIndex = section;
      skin.SkinSection = L"TOOLBUTTON";
    }
    if (!first.empty() && !second.empty()) {
      SIZE line{};
      GetTextExtentPoint32W(canvas->Handle(), L"Wg", 2, &line);
      TRect one(area.left, area.top, area.right, area.top + line.cy);
      TRect two(area.left, one.bottom, area.right, area.bottom);
      WriteTextEx(canvas, first.c_str(), true, state != 0, skin, DT_CENTER, one);
      WriteTextEx(canvas, second.c_str(), true, state != 0, skin, DT_CENTER | DT_END_ELLIPSIS, two);
    } else {
      WriteTextEx(canvas, text.c_str(), true, state != 0, skin, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_END_ELLIPSIS,
                  area);
    }
  }
  if (!(button.fsState & TBSTATE_ENABLED))
    BlendTransBitmap(image.get(), 0, 0, clNone, 0.4, TRect(item.left, item.top, item.right, item.bottom),
                     SkinData->CacheBmp);
  BitBlt(work->Canvas()->Handle(), item.left, item.top, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}
