#include "ui/skins/windows/EditWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/Messages.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TacBaseWnd)
DEFINE_CLASS(TacEditWnd)
DEFINE_CLASS(TacComboBoxWnd)
DEFINE_CLASS(TacComboListWnd)
DEFINE_CLASS(TacListViewWnd)
DEFINE_CLASS(TacTreeViewWnd)

namespace {

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }

bool Ours(const TMessage& message, TsSkinManager* manager) {
  return reinterpret_cast<TsSkinManager*>(message.LParam) == manager;
}

// Runs Body with the flag set, clearing it however Body ends.
template <class Body>
void WithFlag(bool& flag, Body&& body) {
  flag = true;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } clear{flag};
  body();
}


}  // namespace

// ---- TacBaseWnd ---------------------------------------------------------------------------------------

void TacBaseWnd::ProcessMessage(TMessage& message) { BaseWndMessage(message); }

void TacBaseWnd::BaseWndMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    TacScrollWnd::ProcessMessage(message);
    return;
  }
  switch (message.Msg) {
    case SM_ALPHACMD:
      if (message.WParamHi() == scRefresh && Ours(message, SkinData->SkinManager())) {
        TacScrollWnd::ProcessMessage(message);
        if (!Released && Visible(Handle)) SendMessageW(Handle, WM_NCPAINT, 0, 0);
        return;
      }
      if (message.WParamHi() == scPrepareCache) {
        PrepareFrameCache(SkinData, Handle, false);
        TacScrollWnd::ProcessMessage(message);
        return;
      }
      break;
    case WM_SIZE:
      SkinData->BGChanged = true;
      break;
    case WM_SETCURSOR:
      PassOn(message);
      return;
    case 0x2100:
      return;
    default:
      break;
  }
  TacScrollWnd::ProcessMessage(message);
  if (Released) return;
  switch (message.Msg) {
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (!SelfScrolling) RefreshScrollInfo(true);
      break;
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      if (Visible(Handle)) SendMessageW(Handle, WM_NCPAINT, 0, 0);
      break;
    default:
      break;
  }
}

// ---- TacEditWnd ---------------------------------------------------------------------------------------

void TacEditWnd::Attach(bool repaint) {
  StoreOriginalParams();
  DialogMode = SubclassDialogMode;
  SkinParamsApplied = false;
  InitScrollBars(repaint);
  TControl* owner = SkinData->OwnerControl();
  if (owner && !dynamic_cast<TCustomListView*>(owner)) owner->ControlStyle.Include(csOpaque);
}

void TacEditWnd::StoreOriginalParams() {
  if (TControl* owner = SkinData ? SkinData->OwnerControl() : nullptr) {
    SavedColor = owner->Color();
    SavedFontColor = owner->Font()->Color();
  }
}

void TacEditWnd::RestoreOriginalParams() {
  if (IsWindow(Handle))
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  TControl* owner = SkinData ? SkinData->OwnerControl() : nullptr;
  if (owner && !owner->ComponentState().Contains(csDestroying)) {
    owner->SetColor(SavedColor);
    owner->Font()->SetColor(SavedFontColor);
  }
}

void TacEditWnd::ApplySkinParams() {
  WithFlag(StyleLocked, [&] {
    SkinParamsApplied = true;
    const TsGeneralData* section = SkinData->Section();
    if (TControl* owner = SkinData->OwnerControl()) {
      if (section && !SkinData->CustomColor()) {
        TColor colour = section->Color;
        if (section->Transparency != 0) {
          colour = owner->Parent() ? GetControlBgColor(owner->Parent()) : section->Color;
        }
        if (owner->Color() != colour) owner->SetColor(colour);
      }
      if (section && !SkinData->CustomFont() && section->HotFontColor[0] != owner->Font()->Color())
        owner->Font()->SetColor(section->HotFontColor[0]);
    } else {
      PlainColor = !DialogMode && section ? section->Color : clWindow;
      PlainFrameColor = 0;
    }
    SkinData->BGChanged = true;
  });
}

void TacEditWnd::HotTracking() {
  if (DefaultManager && IsWindowEnabled(Handle) && DefaultManager->ActiveControlWindow() != Handle)
    DefaultManager->SetActiveControl(Handle);
}

void TacEditWnd::CopyFrameBand(HDC dc, int band) {
  TBitmap* cache = SkinData->CacheBmp;
  if (dc && cache && cache->Width() > 0 && band > 0)
    BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, band);
}

LRESULT TacEditWnd::PaintFrameAndBars(HDC dc, int band) {
  CopyFrameBand(dc, band);
  return PaintScrollBars(dc, -1);
}

void TacEditWnd::ProcessMessage(TMessage& message) { EditMessage(message); }

void TacEditWnd::EditMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    BaseWndMessage(message);
    return;
  }
  const bool visible = Visible(Handle);
  switch (message.Msg) {
    case SM_ALPHACMD:
      switch (message.WParamHi()) {
        case scRefresh:
          if (Ours(message, SkinData->SkinManager())) {
            BaseWndMessage(message);
            if (!Released) ApplySkinParams();
            return;
          }
          break;
        case scParentUpdated:
          if (SkinData->Updating) {
            SkinData->Updating = false;
            RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
          }
          break;
        case scIsSkinned:
          message.LParam = 1;
          message.Result = 1;
          return;
        case scPrepareCache:
          PrepareFrameCache(SkinData, Handle, DialogMode);
          FillTransparentCorners(SkinData, 0, this);
          return;
        case scGetSkinIndex:
          message.Result = SkinData->SkinIndex + 1;
          return;
        case scGetApplication:
          message.Result = reinterpret_cast<LRESULT>(Application);
          return;
        default:
          break;
      }
      break;
    case WM_PAINT:
      if (visible) {
        SkinData->SetUpdating(SkinData->IsUpdating());
        if (SkinData->Updating) {
          PAINTSTRUCT ps;
          BeginPaint(Handle, &ps);
          EndPaint(Handle, &ps);
          return;
        }
        PaintScrollBars(nullptr, -1);
        if (!SkinParamsApplied) ApplySkinParams();
      }
      break;
    case WM_ERASEBKGND:
      if (visible) {
        SkinData->SetUpdating(SkinData->IsUpdating());
        if (SkinData->Updating) return;
        if (!SkinParamsApplied) ApplySkinParams();
      }
      break;
    case WM_NCPAINT:
      if (visible) {
        // A failure here ends this paint quietly: the next one starts afresh.
        try {
          UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
          SkinData->SetUpdating(SkinData->IsUpdating());
          if (SkinData->Updating) return;
          if (SkinData->BGChanged) {
            if (!SkinParamsApplied) ApplySkinParams();
            PrepareFrameCache(SkinData, Handle, DialogMode);
          }
          if (!DialogMode) FillTransparentCorners(SkinData, 0, this);
          HDC dc = GetWindowDC(Handle);
          message.Result = PaintFrameAndBars(dc, EdgeLeft);
          ReleaseDC(Handle, dc);
        } catch (const std::exception&) {
        }
        return;
      }
      break;
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      if (!dc) break;
      SkinData->Updating = false;
      SkinData->BGChanged = true;
      if (!SkinParamsApplied) ApplySkinParams();
      UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
      PrepareFrameCache(SkinData, Handle, DialogMode);
      if (!DialogMode) FillTransparentCorners(SkinData, 0, this);
      PaintFrameAndBars(dc, EdgeLeft);
      TBitmap* cache = SkinData->CacheBmp;
      int clientW = cache->Width() - 2 * EdgeLeft - (VertBar->Visible ? BarMetric(VertBar.get(), 1, false) : 0);
      int clientH = cache->Height() - 2 * EdgeLeft - (HorzBar->Visible ? BarMetric(HorzBar.get(), 1, false) : 0);
      const int saved = SaveDC(dc);
      POINT origin{};
      GetViewportOrgEx(dc, &origin);
      const int shiftX = EdgeLeft + (LeftScrollBar && VertBar->Visible ? BarMetric(VertBar.get(), 1, false) : 0);
      SetViewportOrgEx(dc, origin.x + shiftX, origin.y + EdgeLeft, nullptr);
      IntersectClipRect(dc, 0, 0, std::max(clientW, 0), std::max(clientH, 0));
      SendMessageW(Handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      SendMessageW(Handle, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
      SendMessageW(Handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_OWNED);
      RestoreDC(dc, saved);
      message.Result = 0;
      return;
    }
    default:
      break;
  }
  BaseWndMessage(message);
  if (Released) return;
  switch (message.Msg) {
    case WM_SIZE:
      if (Visible(Handle)) SendMessageW(Handle, WM_NCPAINT, 0, 0);
      break;
    case EM_REPLACESEL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_SETTOPINDEX:
    case LB_SETCURSEL:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
      RefreshScrollInfo(true);
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case CN_KEYDOWN:
    case CN_KEYUP:
      if (!SelfScrolling) RefreshScrollInfo(true);
      break;
    case WM_MOUSEMOVE:
      HotTracking();
      break;
    default:
      break;
  }
}

// ---- TacComboBoxWnd -----------------------------------------------------------------------------------

TacComboBoxWnd::~TacComboBoxWnd() {
  ListWnd.reset();
  if (listBrush_) DeleteObject(listBrush_);
}

HBRUSH TacComboBoxWnd::ListBrush(TColor colour) {
  if (!listBrush_ || listBrushColour_ != colour) {
    if (listBrush_) DeleteObject(listBrush_);
    listBrush_ = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(colour)));
    listBrushColour_ = colour;
  }
  return listBrush_;
}

void TacComboBoxWnd::GetButtonRect(TRect& r) {
  ButtonRectOfWidth((GetWindowLongW(Handle, GWL_STYLE) & CBS_DROPDOWN) ? GetSystemMetrics(SM_CXVSCROLL) : 0, r);
}

void TacComboBoxWnd::ButtonRectOfWidth(int button, TRect& r) const {
  RECT wr{};
  GetWindowRect(Handle, &wr);
  const int width = wr.right - wr.left, height = wr.bottom - wr.top;
  r.left = (GetWindowLongW(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING) ? 2 : width - button - 2;
  r.top = 2;
  r.right = r.left + button;
  r.bottom = height - 2;
}

int TacComboBoxWnd::ButtonState() const {
  if (DropListWindow && IsWindowVisible(DropListWindow)) return 2;
  if (SkinData->MouseAbove || SkinData->FocusSet || GetFocus() == Handle ||
      (DefaultManager && DefaultManager->ActiveControlWindow() == Handle))
    return 1;
  return 0;
}

void TacComboBoxWnd::PaintButton(HDC dc) {
  TRect r;
  GetButtonRect(r);
  TBitmap* cache = SkinData->CacheBmp;
  if (!dc || r.Width() <= 0 || r.Height() <= 0 || !cache || cache->Width() < r.right || cache->Height() < r.bottom)
    return;
  TsSkinManager* manager = SkinData->SkinManager();
  const TacConstIndexes& c = manager->ConstIndexes();
  const int state = ButtonState();
  BitmapPtr copy(CreateBmp24(cache->Width(), cache->Height()));
  BitBlt(copy->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  if (manager->IsValidSkinIndex(c.ComboBtn))
    PaintItemFast(c.ComboBtn, c.ComboBtnBorder, c.ComboBtnPattern, c.ComboBtnHotPattern, manager, copy.get(),
                  TPoint(r.left, r.top), r, state, true, MakeCacheRef(cache, 0, 0), L"COMBOBTN");
  int glyphHeight = 16;
  if (manager->IsValidMaskIndex(c.ComboGlyph)) {
    const TsMaskData& mask = manager->Masks()[size_t(c.ComboGlyph)];
    const TFrameSize frame = MaskFrame(mask);
    glyphHeight = frame.Height;
    DrawSkinGlyph(copy.get(), TPoint(r.left + (r.Width() - frame.Width) / 2, (cache->Height() - glyphHeight) / 2), state,
                  mask, 1);
  }
  BitBlt(dc, r.left, r.top, r.Width(), r.Height(), copy->Canvas()->Handle(), r.left, r.top, SRCCOPY);
}

void TacComboBoxWnd::PrepareSimpleCache() {
  RECT wr{};
  GetWindowRect(Handle, &wr);
  const int width = wr.right - wr.left;
  const int height = static_cast<int>(SendMessageW(Handle, CB_GETITEMHEIGHT, 0, 0)) + 8;
  TBitmap* cache = SizeCacheBmp(SkinData, width, height);
  const TColor border = DefaultManager ? DefaultManager->SkinData().BorderColor : clFuchsia;
  if (DialogMode && border != clFuchsia) {
    cache->Canvas()->Brush()->SetColor(clWindow);
    cache->Canvas()->FillRect(TRect(0, 0, width, height));
    cache->Canvas()->Brush()->SetColor(border);
    cache->Canvas()->FrameRect(TRect(0, 0, width, height));
  } else {
    const int state = SkinData->MouseAbove || SkinData->FocusSet ? 1 : 0;
    PaintItem(SkinData, TsCommonData::GetParentCacheForWindow(Handle), true, state, TRect(0, 0, width, height),
              ParentOffset, cache, false);
  }
}

void TacComboBoxWnd::WriteText() {
  TBitmap* cache = SkinData->CacheBmp;
  TCanvas* canvas = cache->Canvas();
  if (TControl* owner = SkinData->OwnerControl())
    canvas->Font()->Assign(owner->Font());
  else if (auto font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0)))
    canvas->Font()->SetHandle(font);
  String text;
  const LRESULT selected = SendMessageW(Handle, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) {
    const LRESULT length = SendMessageW(Handle, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length > 0) {
      text.assign(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(Handle, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<size_t>(length));
    }
  } else {
    const int length = GetWindowTextLengthW(Handle);
    text.assign(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(GetWindowTextW(Handle, text.data(), length + 1), 0)));
  }
  // Between the frame and the button, mirrored when the button is on the left.
  TRect button;
  GetButtonRect(button);
  const int width = cache->Width(), height = cache->Height();
  TRect r = (GetWindowLongW(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING) ? TRect(button.right, 3, width - 3, height - 3)
                                                                     : TRect(3, 3, button.left, height - 3);
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const bool focusedList = (GetWindowLongW(Handle, GWL_STYLE) & 3) == CBS_DROPDOWNLIST && GetFocus() == Handle;
  canvas->Brush()->SetStyle(bsClear);
  if (focusedList) {
    FillDC(canvas->Handle(), r, clHighlight);
    canvas->Font()->SetColor(clHighlightText);
    DrawTextStr(canvas->Handle(), text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    DrawFocusRect(canvas->Handle(), &r);
  } else {
    WriteTextEx(canvas, text.c_str(), IsWindowEnabled(Handle) != FALSE, false, SkinData->TextSkin(),
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, r);
  }
}

void TacComboBoxWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    EditMessage(message);
    return;
  }
  const bool simple = (GetWindowLongW(Handle, GWL_STYLE) & 3) == CBS_SIMPLE;
  switch (message.Msg) {
    case SM_ALPHACMD:
      if (message.WParamHi() == scBecameActive || message.WParamHi() == scLostActive) {
        SkinData->MouseAbove = message.WParamHi() == scBecameActive;
        EditMessage(message);
        if (!Released) {
          HDC dc = GetWindowDC(Handle);
          PaintButton(dc);
          ReleaseDC(Handle, dc);
        }
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONUP: {
      if (message.Msg != WM_LBUTTONUP) SkinData->FocusSet = message.Msg == WM_SETFOCUS;
      EditMessage(message);
      if (!Released) {
        HDC dc = GetWindowDC(Handle);
        PaintButton(dc);
        ReleaseDC(Handle, dc);
      }
      return;
    }
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      message.Result = 1;
      return;
    case WM_NCCALCSIZE:
      EditMessage(message);
      EdgeLeft = 3;
      return;
    case WM_PAINT: {
      UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
      PassOn(message);
      HDC given = reinterpret_cast<HDC>(message.WParam);
      HDC dc = given ? given : GetWindowDC(Handle);
      SkinData->SetUpdating(SkinData->IsUpdating());
      if (!SkinData->Updating) {
        if (simple) {
          PrepareSimpleCache();
          CopyFrameBand(dc, 3);
        } else {
          SkinData->BGChanged = true;
          SendMessageW(Handle, SM_ALPHACMD, SkinCommandWParam(scPrepareCache), 0);
          CopyFrameBand(dc, 3);
          PaintButton(dc);
        }
      }
      if (!given) ReleaseDC(Handle, dc);
      return;
    }
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      if (!dc) break;
      UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
      SkinData->Updating = false;
      SkinData->BGChanged = true;
      if (!SkinParamsApplied) ApplySkinParams();
      if (simple) {
        PrepareSimpleCache();
      } else {
        SkinData->BGChanged = true;
        PrepareFrameCache(SkinData, Handle, DialogMode);
      }
      WriteText();
      FillTransparentCorners(SkinData, 0, this);
      TBitmap* cache = SkinData->CacheBmp;
      BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
      if (!simple) PaintButton(dc);
      return;
    }
    case WM_CTLCOLORLISTBOX: {
      EditMessage(message);
      if (Released || DropListWindow) return;
      DropListWindow = reinterpret_cast<HWND>(message.LParam);
      if (!ListWnd) {
        const bool savedMode = SubclassDialogMode;
        if (!SkinData->OwnerControl()) SubclassDialogMode = DialogMode;
        struct TRestoreMode {
          bool Saved;
          ~TRestoreMode() { SubclassDialogMode = Saved; }
        } restore{savedMode};
        const bool hasItems = SendMessageW(Handle, CB_GETCOUNT, 0, 0) > 0;
        ListWnd = MakeSubclass<TacComboListWnd>(hasItems, DropListWindow, nullptr, SkinData->SkinManager(), String(L"EDIT"));
      }
      ListWnd->SimpleStyle = simple;
      const int index = static_cast<int>(SendMessageW(DropListWindow, SM_ALPHACMD, SkinCommandWParam(scGetSkinIndex), 0)) - 1;
      TsSkinManager* manager = SkinData->SkinManager();
      if (manager->IsValidSkinIndex(index) && !DialogMode) {
        const TsGeneralData& section = manager->Sections()[size_t(index)];
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        if (section.FontColor[0] >= 0) SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(section.FontColor[0])));
        SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(section.Color)));
        message.Result = reinterpret_cast<LRESULT>(ListBrush(section.Color));
      }
      return;
    }
    default:
      break;
  }
  EditMessage(message);
}

// ---- TacComboListWnd ----------------------------------------------------------------------------------

void TacComboListWnd::Prepare() {
  UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
  if (SimpleStyle) {
    SendMessageW(Handle, SM_ALPHACMD, SkinCommandWParam(scPrepareCache), 0);
    return;
  }
  SkinData->UpdateIndexes();
  ApplySkinParams();
  TBitmap* cache = SizeCacheBmp(SkinData, WindowSize.x, WindowSize.y);
  TCanvas* canvas = cache->Canvas();
  canvas->Brush()->SetColor(PlainColor);
  canvas->Pen()->SetColor(PlainFrameColor);
  canvas->Rectangle(0, 0, WindowSize.x, WindowSize.y);
  SkinData->BGChanged = false;
}

void TacComboListWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    EditMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_ERASEBKGND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      PassOn(message);
      return;
    case WM_NCCALCSIZE:
      TacScrollWnd::ProcessMessage(message);
      return;
    case WM_NCPAINT:
      if (SelfScrolling) break;
      {
        Prepare();
        if (!DialogMode) FillTransparentCorners(SkinData, 0, this);
        HDC dc = GetWindowDC(Handle);
        message.Result = PaintFrameAndBars(dc, 2);
        ReleaseDC(Handle, dc);
      }
      return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      TMessage hit;
      hit.Msg = WM_NCHITTEST;
      hit.LParam = message.LParam;
      TacScrollWnd::ProcessMessage(hit);
      message.WParam = static_cast<WPARAM>(hit.Result);
      if (hit.Result == HTHSCROLL || hit.Result == HTVSCROLL) TacScrollWnd::ProcessMessage(message);
      return;
    }
    case WM_LBUTTONUP: {
      TacScrollWnd::ProcessMessage(message);
      if (SimpleStyle) ReleaseCapture();
      return;
    }
    case 0x1AE:
      ListShown = true;
      break;
    case 0x1AF:
      ListShown = false;
      SkinData->BGChanged = true;
      break;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      if (message.WParam && Visible(Handle)) {
        Prepare();
        PassOn(message);
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        if (message.Msg == WM_PRINT && SendMessageW(Handle, LB_GETCOUNT, 0, 0) >= 1) {
          if (ScrollMouse.ClickedPart == -1 && !ListShown) PaintFrameAndBars(dc, 3);
          message.Result = PaintScrollBars(dc, -1);
        }
        return;
      }
      break;
    default:
      break;
  }
  EditMessage(message);
  if (!Released && message.Msg == WM_WINDOWPOSCHANGED) RefreshScrollInfo(true);
}

// ---- TacListViewWnd -----------------------------------------------------------------------------------

TacListViewWnd::~TacListViewWnd() { UnhookHeader(); }

void TacListViewWnd::Attach(bool repaint) {
  TacEditWnd::Attach(repaint);
  DownColumn = -1;
  HWND child = FindWindowExW(Handle, nullptr, L"SysHeader32", nullptr);
  if (child) HookHeader(child);
}

bool TacListViewWnd::ReportView() const { return SendMessageW(Handle, LVM_GETVIEW, 0, 0) == LV_VIEW_DETAILS; }

void TacListViewWnd::HookHeader(HWND header) {
  UnhookHeader();
  HeaderWindow = header;
  SetWindowSubclass(header, &TacListViewWnd::HeaderProc, reinterpret_cast<UINT_PTR>(this),
                    reinterpret_cast<DWORD_PTR>(this));
}

void TacListViewWnd::UnhookHeader() {
  if (HeaderWindow && IsWindow(HeaderWindow))
    RemoveWindowSubclass(HeaderWindow, &TacListViewWnd::HeaderProc, reinterpret_cast<UINT_PTR>(this));
  HeaderWindow = nullptr;
}

void TacListViewWnd::StoreOriginalParams() {
  TacEditWnd::StoreOriginalParams();
  SavedColor = static_cast<TColor>(SendMessageW(Handle, LVM_GETBKCOLOR, 0, 0));
  SavedFontColor = static_cast<TColor>(SendMessageW(Handle, LVM_GETTEXTCOLOR, 0, 0));
}

void TacListViewWnd::RestoreOriginalParams() {
  if (IsWindow(Handle)) SendMessageW(Handle, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(clWindowText)));
  UnhookHeader();
  TacEditWnd::RestoreOriginalParams();
}

void TacListViewWnd::ApplySkinParams() {
  TacEditWnd::ApplySkinParams();
  const TsGeneralData* section = SkinData->Section();
  TColor background = clWindow, text = clWindowText;
  if (!DialogMode && section) {
    background = section->Color;
    text = section->FontColor[0];
  }
  SendMessageW(Handle, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(background)));
  SendMessageW(Handle, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(background)));
  SendMessageW(Handle, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(text)));
}

void TacListViewWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    EditMessage(message);
    return;
  }
  switch (message.Msg) {
    case SM_ALPHACMD:
      if (message.WParamHi() == scRefresh && Ours(message, SkinData->SkinManager())) {
        EditMessage(message);
        if (HeaderWindow) InvalidateRect(HeaderWindow, nullptr, TRUE);
        return;
      }
      if (message.WParamHi() == scGetSkinIndex) {
        message.Result = SkinData->SkinIndex + 1;
        return;
      }
      break;
    case WM_PAINT:
      ApplySkinParams();
      break;
    case WM_HSCROLL:
      if (LOWORD(message.WParam) == SB_THUMBTRACK) {
        const int position = static_cast<short>(HIWORD(message.WParam));
        SendMessageW(Handle, LVM_SCROLL, static_cast<WPARAM>(position - ScrollMouse.LastTrackPos), 0);
        return;
      }
      break;
    case WM_VSCROLL:
      if (LOWORD(message.WParam) != SB_THUMBTRACK) {
        PassOn(message);
        return;
      } else {
        const int position = static_cast<short>(HIWORD(message.WParam));
        int row = 0;
        if (ReportView()) {
          RECT item{LVIR_BOUNDS, 0, 0, 0};
          if (SendMessageW(Handle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item))) row = item.bottom - item.top;
        }
        SendMessageW(Handle, LVM_SCROLL, 0, static_cast<LPARAM>((position - ScrollMouse.LastTrackPos) * std::max(1, row)));
        return;
      }
    default:
      break;
  }
  EditMessage(message);
  if (Released) return;
  switch (message.Msg) {
    case WM_STYLECHANGED:
    case LVM_INSERTITEMW:
    case LVM_ARRANGE:
      RefreshScrollInfo(true);
      break;
    case WM_LBUTTONUP:
      ReleaseCapture();
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(message.WParam) == WM_CREATE || LOWORD(message.WParam) == WM_DESTROY) {
        auto child = reinterpret_cast<HWND>(message.LParam);
        wchar_t name[32] = {};
        if (child && GetClassNameW(child, name, 32) && lstrcmpiW(name, L"SysHeader32") == 0) {
          if (LOWORD(message.WParam) == WM_CREATE)
            HookHeader(child);
          else if (child == HeaderWindow)
            UnhookHeader();
        }
      }
      break;
    case WM_PRINT:
      if (ReportView() && HeaderWindow && message.WParam) {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        const int saved = SaveDC(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + EdgeLeft, origin.y + EdgeLeft, nullptr);
        PaintHeader(dc);
        RestoreDC(dc, saved);
      }
      break;
    default:
      break;
  }
}

LRESULT CALLBACK TacListViewWnd::HeaderProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data) {
  auto* self = reinterpret_cast<TacListViewWnd*>(data);
  return Guarded(LRESULT(0), [&] {
    (void)window;
    return self->HeaderMessage(msg, wParam, lParam);
  });
}

LRESULT TacListViewWnd::HeaderMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND header = HeaderWindow;
  if (!ReportView() || Released || !SkinData->Skinned()) return DefSubclassProc(header, msg, wParam, lParam);
  const bool buttons = (GetWindowLongW(header, GWL_STYLE) & HDS_BUTTONS) != 0;
  switch (msg) {
    case WM_PAINT:
      PaintHeader(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_WINDOWPOSCHANGING:
      if (Visible(Handle)) SendMessageW(Handle, WM_NCPAINT, 0, 0);
      return DefSubclassProc(header, msg, wParam, lParam);
    case WM_NCDESTROY: {
      RemoveWindowSubclass(header, &TacListViewWnd::HeaderProc, reinterpret_cast<UINT_PTR>(this));
      HeaderWindow = nullptr;
      return DefSubclassProc(header, msg, wParam, lParam);
    }
    case WM_LBUTTONUP:
      if (buttons) DownColumn = -1;
      return DefSubclassProc(header, msg, wParam, lParam);
    case WM_LBUTTONDOWN: {
      const LRESULT result = DefSubclassProc(header, msg, wParam, lParam);
      if (buttons && IsWindow(header)) {
        HDHITTESTINFO hit{};
        hit.pt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const LRESULT item = SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        DownColumn = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? -1 : static_cast<int>(item);
        InvalidateRect(header, nullptr, TRUE);
      }
      return result;
    }
    default:
      return DefSubclassProc(header, msg, wParam, lParam);
  }
}

void TacListViewWnd::PaintHeader(HDC dc) {
  HWND header = HeaderWindow;
  if (!header) return;
  PAINTSTRUCT ps{};
  HDC target = dc;
  if (!target) target = BeginPaint(header, &ps);
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  std::vector<int> order(static_cast<size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) order[size_t(i)] = i;
  if ((GetWindowLongW(header, GWL_STYLE) & HDS_DRAGDROP) && count > 0)
    SendMessageW(header, HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data()));
  RECT client{};
  GetClientRect(header, &client);
  int right = 0;
  for (int i = 0; i < count; ++i) {
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(order[size_t(i)]), reinterpret_cast<LPARAM>(&r));
    if (r.right > r.left && r.bottom > r.top) PaintColumn(target, order[size_t(i)], r);
    right = std::max(right, static_cast<int>(r.right));
  }
  if (right < client.right) PaintColumn(target, -1, TRect(right, 0, client.right, client.bottom));
  if (!dc) EndPaint(header, &ps);
}

void TacListViewWnd::PaintColumn(HDC dc, int index, const TRect& r) {
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;
  TsSkinManager* manager = SkinData->SkinManager();
  int section = manager->GetSkinIndex(L"COLHEADER");
  const wchar_t* name = L"COLHEADER";
  if (!manager->IsValidSkinIndex(section)) {
    section = manager->GetSkinIndex(L"BUTTON");
    name = L"BUTTON";
  }
  const int state = index >= 0 && index == DownColumn ? 2 : 0;
  BitmapPtr image(CreateBmp24(w, h));
  if (TControl* owner = SkinData->OwnerControl()) SharedParentColor = owner->Color();
  if (manager->IsValidSkinIndex(section))
    PaintItemByIndex(section, name, EmptyCacheRef, -1, -1, manager, image.get(), TPoint(0, 0), TRect(0, 0, w, h), state,
                     true);
  SharedParentColor = clFuchsia;
  if (index >= 0) {
    TCanvas* canvas = image->Canvas();
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0))) canvas->Font()->SetHandle(font);
    const int pressed = state == 2 ? 1 : 0;
    TRect area(4 + pressed, 1 + pressed, w - 8, h - 1 + pressed);
    wchar_t text[129] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(HeaderWindow, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const TacConstIndexes& c = manager->ConstIndexes();
    int mark = -1;
    if (item.fmt & HDF_SORTDOWN)
      mark = c.BtnBottom.GlyphMask;
    else if (item.fmt & HDF_SORTUP)
      mark = c.BtnTop.GlyphMask;
    int markWidth = 0;
    if (manager->IsValidMaskIndex(mark)) markWidth = MaskFrame(manager->Masks()[size_t(mark)]).Width + 6;
    SIZE extent{};
    GetTextExtentPoint32W(canvas->Handle(), text, lstrlenW(text), &extent);
    const int textWidth = static_cast<int>(extent.cx) + 5;
    if (item.fmt & HDF_RIGHT) {
      area.right -= markWidth;
      area.left = area.right - textWidth;
    } else if (item.fmt & HDF_CENTER) {
      area.left += (area.Width() - textWidth - markWidth) / 2;
      area.right = area.left + textWidth;
    } else {
      area.right = area.left + textWidth;
    }
    if (markWidth > 0) {
      const TsMaskData& mask = manager->Masks()[size_t(mark)];
      const TFrameSize frame = MaskFrame(mask);
      DrawSkinGlyph(image.get(), TPoint(area.right + 6, area.top + (area.Height() - frame.Height) / 2), state, mask, 1);
    }
    WriteTextBySection(canvas, text, true, manager, state == 2, section,
                       DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS, area);
    auto* listView = dynamic_cast<TCustomListView*>(SkinData->OwnerControl());
    if ((item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) && listView && listView->SmallImages() && item.iImage >= 0)
      listView->SmallImages()->Draw(canvas, 4 + pressed, pressed, item.iImage, listView->Enabled());
  }
  BitBlt(dc, r.left, r.top, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- TacTreeViewWnd -----------------------------------------------------------------------------------

TColor TacTreeViewWnd::Background() const {
  const TsGeneralData* section = SkinData->Section();
  return DialogMode || !section ? clWindow : section->HotColor;
}

void TacTreeViewWnd::ApplySkinParams() {
  SkinParamsApplied = true;
  TColor background = Background();
  if (!DialogMode) {
    const TsGeneralData* section = SkinData->Section();
    if (TControl* owner = SkinData->OwnerControl(); owner && section) {
      if (owner->Font()->Color() != section->HotFontColor[0]) owner->Font()->SetColor(section->HotFontColor[0]);
      if (owner->Color() == section->HotColor) return;
    }
  }
  SendMessageW(Handle, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(background)));
}

void TacTreeViewWnd::RestoreOriginalParams() {
  TacEditWnd::RestoreOriginalParams();
  if (IsWindow(Handle)) SendMessageW(Handle, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(clWindow)));
}

void TacTreeViewWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    EditMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_ERASEBKGND: {
      SkinData->SetUpdating(SkinData->IsUpdating());
      if (SkinData->Updating) return;
      if (SkinData->BGChanged) PrepareFrameCache(SkinData, Handle, DialogMode);
      HDC given = reinterpret_cast<HDC>(message.WParam);
      HDC dc = given ? given : GetWindowDC(Handle);
      UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
      FillDC(dc, TRect(0, 0, WindowSize.x, WindowSize.y), Background());
      if (!given) ReleaseDC(Handle, dc);
      message.Result = 0;
      return;
    }
    case WM_LBUTTONUP:
      EditMessage(message);
      ReleaseCapture();
      return;
    default:
      break;
  }
  EditMessage(message);
}
