#include "ui/skins/windows/DialogSkin.h"

#include <algorithm>
#include <cwctype>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/skins/controls/SkinMenus.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinCommon.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"
#include "ui/skins/windows/MenuWnd.h"
#include "ui/skins/windows/SkinProvider.h"
#include "ui/skins/windows/SubclassTable.h"

DEFINE_CLASS(TacSystemMenu)
DEFINE_CLASS(TacDialogWnd)
DEFINE_CLASS(TacProvider)

namespace {

std::vector<TacMnuWnd*> menuObjects;
std::vector<TacProvider*> providers;
bool settingRegion = false;
bool buttonPressed = false;

String Lower(String text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

bool AnswersSkinned(HWND window) { return SendSkinCommand(window, scIsSkinned, nullptr) == 1; }

void DropProvider(TacProvider* provider) {
  providers.erase(std::remove(providers.begin(), providers.end(), provider), providers.end());
}

}  // namespace

const TsMaskData* MaskAt(TsSkinManager* manager, int index) {
  if (!manager || !manager->IsValidMaskIndex(index)) return nullptr;
  return &manager->Masks()[static_cast<size_t>(index)];
}

int GlobalMask(TsSkinManager* manager, const String& property) {
  return manager->GetMaskIndex(manager->GetSkinIndex(L"GLOBALINFO"), L"GLOBALINFO", property);
}

TsButtonPlace* ButtonOfCode(int code, TsButtonPlace& min, TsButtonPlace& max, TsButtonPlace& close,
                            TsButtonPlace& help) {
  switch (code) {
    case HTMINBUTTON:
      return &min;
    case HTMAXBUTTON:
      return &max;
    case HTCLOSE:
      return &close;
    case HTHELP:
      return &help;
    default:
      return nullptr;
  }
}

std::vector<TRect> SkinRegionRects(TsSkinManager* manager, int sectionIndex, const String& section,
                                   const String& titleSection, int width, int height) {
  std::vector<TRect> rects;
  if (const TsMaskData* border = MaskAt(manager, manager->GetMaskIndex(sectionIndex, section, L"BORDERSMASK"))) {
    AddCornerRects(rects, width, *border, false, 0);
    const int bottom = border->WB > 0 ? border->WB : MaskFrame(*border).Height / 3;
    AddCornerRects(rects, width, *border, true, height - bottom);
  }
  if (!titleSection.empty()) {
    const int title = manager->GetSkinIndex(titleSection);
    if (const TsMaskData* border = MaskAt(manager, manager->GetMaskIndex(title, titleSection, L"BORDERSMASK")))
      AddCornerRects(rects, width, *border, false, 0);
  }
  return rects;
}

HRGN RegionWithout(int width, int height, const std::vector<TRect>& rects) {
  HRGN region = CreateRectRgn(0, 0, width, height);
  for (const TRect& r : rects) {
    HRGN cut = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  return region;
}

TMenuItem* AddSystemMenuItem(TPopupMenu* menu, const String& name, int captionId, std::function<void()> click) {
  auto* item = new TMenuItem(menu);
  item->SetName(name);
  item->SetCaption(captionId ? LoadStr(captionId) : String(L"-"));
  if (click) item->OnClick = [click](TObject*) { click(); };
  menu->Items()->Add(item);
  return item;
}

// ---- geometry -----------------------------------------------------------------------------------------

int DialogBorderKind(DWORD style) {
  if ((style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION) return 2;
  if (style & WS_THICKFRAME) return 3;
  if (style & DS_MODALFRAME) return 0;
  return 3;
}

TacDialogMetrics DialogMetrics(int kind, DWORD style) {
  auto metric = Bound().GetSystemMetrics;
  TacDialogMetrics m;
  if (kind == 0 || kind == 1 || kind == 4) {
    m.FrameWidth = metric(SM_CXDLGFRAME);
    m.FrameHeight = metric(SM_CYDLGFRAME);
  } else if (kind == 3 || kind == 5) {
    m.FrameWidth = metric(SM_CXFRAME);
    m.FrameHeight = metric(SM_CYFRAME);
  }
  if (kind != 2 && (style & WS_CAPTION) == WS_CAPTION)
    m.CaptionHeight = metric(kind == 4 || kind == 5 ? SM_CYSMCAPTION : SM_CYCAPTION);
  return m;
}

TacDialogButtons DialogButtons(int kind, DWORD style, DWORD exStyle, bool noCloseClass, bool zoomed, bool iconic) {
  TacDialogButtons b;
  b.Close = (style & WS_SYSMENU) != 0;
  b.Maximize = (style & WS_MAXIMIZEBOX) != 0;
  b.Minimize = (style & WS_MINIMIZEBOX) != 0;
  b.Help = (exStyle & WS_EX_CONTEXTHELP) != 0;
  b.CloseEnabled = !noCloseClass;
  b.MaximizeEnabled = !zoomed && (kind == 1 || kind == 3 || kind == 5);
  b.RestoreEnabled = b.Maximize && (iconic || zoomed);
  b.MinimizeEnabled = b.Minimize && !iconic;
  return b;
}

TSize CaptionButtonSize(TsSkinManager* manager, int maskIndex) {
  const TsMaskData* mask = MaskAt(manager, maskIndex);
  if (!mask) return TSize(21, 21);
  const TFrameSize frame = MaskFrame(*mask);
  return TSize(frame.Width, frame.Height);
}

// ---- system menu ----------------------------------------------------------------------------------------

TacSystemMenu::TacSystemMenu(TComponent* owner, TacDialogWnd* dialog) : TPopupMenu(owner), Dialog(dialog) {
  ItemRestore = AddItem(L"miRestore", kStrRestore, SC_RESTORE);
  ItemMove = AddItem(L"miMove", kStrMove, SC_MOVE);
  ItemSize = AddItem(L"miSize", kStrSize, SC_SIZE);
  ItemMinimize = AddItem(L"miMinimize", kStrMinimize, SC_MINIMIZE);
  ItemMaximize = AddItem(L"miMaximize", kStrMaximize, SC_MAXIMIZE);
  AddSystemMenuItem(this, String(), 0, nullptr);
  ItemClose = AddItem(L"miClose", kStrClose, SC_CLOSE);
  ItemClose->SetShortCut(static_cast<TShortCut>(scAlt | VK_F4));
}

TMenuItem* TacSystemMenu::AddItem(const String& name, int captionId, WPARAM command) {
  return AddSystemMenuItem(this, name, captionId, [this, command] {
    if (!Dialog || !IsWindow(Dialog->Handle)) return;
    SendMessageW(Dialog->Handle, WM_SYSCOMMAND, command, 0);
    if (command == SC_RESTORE || command == SC_MAXIMIZE) UpdateItems();
  });
}

void TacSystemMenu::UpdateItems() {
  if (!Dialog) return;
  try {
    const int kind = Dialog->BorderKind;
    const DWORD style = Dialog->Style;
    const TacDialogButtons b = Dialog->Buttons();
    const bool zoomed = IsZoomed(Dialog->Handle) != FALSE, iconic = IsIconic(Dialog->Handle) != FALSE;
    ItemRestore->SetVisible(kind != 0 && kind != 2 && kind != 4 && kind != 5 && (style & WS_SYSMENU));
    ItemRestore->SetEnabled(b.RestoreEnabled);
    ItemMove->SetVisible(true);
    ItemMove->SetEnabled(!zoomed);
    ItemSize->SetVisible(kind != 0 && kind != 2 && kind != 4);
    ItemSize->SetEnabled(kind != 1 && !iconic);
    ItemMinimize->SetVisible((style & WS_MINIMIZEBOX) != 0);
    ItemMinimize->SetEnabled(b.MinimizeEnabled);
    ItemMaximize->SetVisible((style & WS_MAXIMIZEBOX) != 0);
    ItemMaximize->SetEnabled(b.MaximizeEnabled);
    ItemClose->SetVisible((style & WS_SYSMENU) != 0);
    ItemClose->SetEnabled(true);
  } catch (...) {
  }
}

// ---- dialog object ---------------------------------------------------------------------------------------

TacDialogWnd::TacDialogWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section)
    : TacScrollWnd(handle, skinData, manager, section) {
  ButtonsBackground = new TBitmap();
  ButtonsBackground->SetPixelFormat(pf24bit);
  SystemMenu = new TacSystemMenu(nullptr, this);
  SkinData->SetUpdating(true);
  if (SkinManager && SkinManager->SkinnedPopups() && SkinManager->SkinableMenus())
    SkinManager->SkinableMenus()->HookPopupMenu(SystemMenu, true);
}

TacDialogWnd::~TacDialogWnd() {
  if (TrackingLeave && IsWindow(Handle)) {
    TRACKMOUSEEVENT cancel{sizeof(cancel), TME_CANCEL | TME_LEAVE | TME_NONCLIENT, Handle, 0};
    TrackMouseEvent(&cancel);
  }
  delete ButtonsBackground;
  if (CaptionFont) DeleteObject(CaptionFont);
  if (brush_) DeleteObject(brush_);
  if (SystemMenu) SystemMenu->Free();
}

void TacDialogWnd::StartSkinning() {
  Style = static_cast<DWORD>(GetWindowLongW(Handle, GWL_STYLE));
  ExStyle = static_cast<DWORD>(GetWindowLongW(Handle, GWL_EXSTYLE));
  BorderKind = DialogBorderKind(Style);
  Metrics = DialogMetrics(BorderKind, Style);
  Icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
  if (!Icon) Icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (CaptionFont) DeleteObject(CaptionFont);
  CaptionFont = nullptr;
  if (Bound().SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    CaptionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
  if (Style & WS_SYSMENU) SetWindowLongW(Handle, GWL_STYLE, static_cast<LONG>(Style & ~WS_SYSMENU));
  SystemMenu->UpdateItems();
}

TacDialogButtons TacDialogWnd::Buttons() const {
  const bool noClose = (GetClassLongW(Handle, GCL_STYLE) & CS_NOCLOSE) != 0;
  return DialogButtons(BorderKind, Style, ExStyle, noClose, IsZoomed(Handle) != FALSE, IsIconic(Handle) != FALSE);
}

void TacDialogWnd::ApplySkin() {
  SkinData->UpdateIndexes();
  TsSkinManager* m = SkinManager;
  if (!m || !m->Active()) return;
  const String section = SkinData->SkinSection();
  if (GlobalMask(m, L"BICONCLOSE") < 0) {
    const int form = m->GetSkinIndex(L"FORM");
    MinButton.MaskIndex = m->GetMaskIndex(form, L"FORM", L"BICONMIN");
    MaxButton.MaskIndex = m->GetMaskIndex(form, L"FORM", L"BICONMAX");
    CloseButton.MaskIndex = m->GetMaskIndex(form, L"FORM", L"BICONCLOSE");
    HelpButton.MaskIndex = m->GetMaskIndex(form, L"FORM", L"BICONHELP");
  } else if (BorderKind == 1 || BorderKind == 3 || GlobalMask(m, L"SICONCLOSE") < 0) {
    MinButton.MaskIndex = GlobalMask(m, L"BICONMIN");
    MaxButton.MaskIndex = GlobalMask(m, L"BICONMAX");
    CloseButton.MaskIndex = GlobalMask(m, L"BICONCLOSE");
    HelpButton.MaskIndex = GlobalMask(m, L"BICONHELP");
  } else {
    CloseButton.MaskIndex = GlobalMask(m, L"SICONCLOSE");
    MinButton.MaskIndex = GlobalMask(m, L"SICONMIN");
    MaxButton.MaskIndex = GlobalMask(m, L"SICONMAX");
    HelpButton.MaskIndex = GlobalMask(m, L"SICONHELP");
    if (HelpButton.MaskIndex < 0) HelpButton.MaskIndex = GlobalMask(m, L"BICONHELP");
  }
  SkinData->BGChanged = true;
  RegionPending = true;
  (void)section;
}

int TacDialogWnd::SmallIconWidth() const { return Icon ? Bound().GetSystemMetrics(SM_CXSMICON) : 0; }

int TacDialogWnd::ButtonsWidth() const {
  if (!(Style & WS_SYSMENU)) return 0;
  const TacDialogButtons b = Buttons();
  int width = CaptionButtonSize(SkinManager, CloseButton.MaskIndex).cx;
  if (b.Maximize) width += CaptionButtonSize(SkinManager, MaxButton.MaskIndex).cx;
  if (b.Minimize) width += CaptionButtonSize(SkinManager, MinButton.MaskIndex).cx;
  if (b.Help) width += CaptionButtonSize(SkinManager, HelpButton.MaskIndex).cx;
  return width;
}

TPoint TacDialogWnd::ClientOffset() const {
  RECT client{};
  GetClientRect(Handle, &client);
  const int vbar = VertBar && VertBar->Visible ? Bound().GetSystemMetrics(SM_CXVSCROLL) : 0;
  const int hbar = HorzBar && HorzBar->Visible ? Bound().GetSystemMetrics(SM_CYHSCROLL) : 0;
  const int x = (WndSize.cx - client.right - vbar) / 2;
  const int y = WndSize.cy - client.bottom - (Metrics.CaptionHeight > 0 ? Metrics.FrameHeight : 0) - hbar;
  return TPoint(std::max(x, 0), std::max(y, 0));
}

TsButtonPlace* TacDialogWnd::Button(int code) {
  return ButtonOfCode(code, MinButton, MaxButton, CloseButton, HelpButton);
}

void TacDialogWnd::DrawButton(TBitmap* cache, TsButtonPlace& button, int code) {
  const TacDialogButtons b = Buttons();
  int mask = button.MaskIndex;
  const int section = SkinData->SkinIndex;
  if (code == HTMAXBUTTON && Zoomed()) {
    const int normal = GlobalMask(SkinManager, L"BICONNORM");
    mask = normal >= 0 ? normal : SkinManager->GetMaskIndex(section, SkinData->SkinSection(), L"BICONNORM");
  } else if (code == HTMINBUTTON && Iconic()) {
    const int normal = GlobalMask(SkinManager, L"BICONNORM");
    if (normal >= 0) mask = normal;
  }
  const TsMaskData* data = MaskAt(SkinManager, mask);
  if (!data) return;
  bool enabled = true;
  if (code == HTMAXBUTTON) enabled = b.MaximizeEnabled || b.RestoreEnabled;
  if (code == HTMINBUTTON) enabled = b.MinimizeEnabled || Iconic();
  if (code == HTCLOSE) enabled = b.CloseEnabled;
  DrawSkinGlyph(cache, TPoint(button.Bounds.left, button.Bounds.top), button.State, *data,
                CaptionActive && enabled ? 1 : 2);
}

void TacDialogWnd::DrawButtons(TBitmap* cache) {
  const TacDialogButtons b = Buttons();
  int x = WndSize.cx - Metrics.FrameWidth;
  const int band = NonClientTop();
  auto place = [&](TsButtonPlace& button, int code) {
    const TSize size = CaptionButtonSize(SkinManager, button.MaskIndex);
    int top = (band - size.cy) / 2;
    if (size.cy < 16) top += 2;
    button.Bounds = TRect(x - size.cx, top, x, top + size.cy);
    x -= size.cx;
    if (cache) DrawButton(cache, button, code);
  };
  for (TsButtonPlace* p : {&CloseButton, &MaxButton, &MinButton, &HelpButton}) p->Bounds = TRect();
  if (!(Style & WS_SYSMENU)) return;
  place(CloseButton, HTCLOSE);
  if (b.Maximize) place(MaxButton, HTMAXBUTTON);
  if (b.Minimize) place(MinButton, HTMINBUTTON);
  if (b.Help) place(HelpButton, HTHELP);
}

void TacDialogWnd::PrepareCache() {
  RECT wr{};
  GetWindowRect(Handle, &wr);
  WndRect = TRect(wr.left, wr.top, wr.right, wr.bottom);
  WndSize = TSize(wr.right - wr.left, wr.bottom - wr.top);
  if (!SkinData->BGChanged || WndSize.cx <= 0 || WndSize.cy <= 0 || !SkinManager || !SkinManager->Active()) return;
  TBitmap* cache = SizeCacheBmp(SkinData, WndSize.cx, WndSize.cy);
  TSharedColorScope colours;
  const int state = CaptionActive ? 1 : 0;
  const TRect all(0, 0, WndSize.cx, WndSize.cy);
  PaintItem(SkinData, EmptyCacheRef, false, state, all, TPoint(0, 0), cache, false);
  if (BorderKind == 3 || BorderKind == 5) {
    if (const TsMaskData* grip = MaskAt(SkinManager, GlobalMask(SkinManager, L"GRIPIMAGE"))) {
      const TSize frame = grip->Bmp ? TSize(grip->Bmp->Width() / 3, grip->Bmp->Height() / 2)
                                    : TSize(MaskFrame(*grip).Width, MaskFrame(*grip).Height);
      DrawSkinGlyph(cache,
                    TPoint(WndSize.cx - Metrics.FrameWidth - frame.cx, WndSize.cy - Metrics.FrameHeight - frame.cy), 0,
                    *grip, 1);
    }
  }
  if (Metrics.CaptionHeight > 0) {
    const TPoint offset = ClientOffset();
    const TsCacheRef parent = MakeCacheRef(cache, offset.x, offset.y);
    const int title = SkinManager->GetSkinIndex(L"FORMTITLE");
    const int band = NonClientTop();
    const TRect titleRect = Iconic() ? all : TRect(0, 0, WndSize.cx, band);
    if (title >= 0)
      PaintItemByIndex(title, L"FORMTITLE", parent, -1, -1, SkinManager, cache, TPoint(0, 0), titleRect, state, true);
    const int iconSize = Bound().GetSystemMetrics(SM_CXSMICON);
    if (Icon) {
      HICON small = static_cast<HICON>(CopyImage(Icon, IMAGE_ICON, iconSize, iconSize, LR_COPYFROMRESOURCE));
      DrawIconEx(cache->Canvas()->Handle(), Metrics.FrameWidth, (band - iconSize) / 2,
                 small ? small : LoadIconW(nullptr, IDI_APPLICATION), iconSize, iconSize, 0, nullptr, DI_NORMAL);
      if (small) DestroyIcon(small);
    }
    const int buttonsWidth = ButtonsWidth();
    if (Style & WS_SYSMENU) {
      const int titleBar =
          SkinManager->GetMaskIndex(SkinData->SkinIndex, SkinData->SkinSection(), L"TITLEBAR");
      if (const TsMaskData* bar = MaskAt(SkinManager, titleBar)) {
        const int side = bar->Bmp ? 2 * bar->Bmp->Width() / 9 : 2 * MaskFrame(*bar).Width / 3;
        PaintBorder(cache, TRect(WndSize.cx - side - buttonsWidth, 0, cache->Width(), band), true, EmptyCacheRef, *bar,
                    state, false);
      }
      const int backWidth = std::min<int>(buttonsWidth + Metrics.FrameWidth, WndSize.cx);
      if (ButtonsBackground->Width() != backWidth || ButtonsBackground->Height() != band)
        ButtonsBackground->SetSize(backWidth, band);
      BitBlt(ButtonsBackground->Canvas()->Handle(), 0, 0, backWidth, band, cache->Canvas()->Handle(),
             WndSize.cx - backWidth - 1, 0, SRCCOPY);
    }
    DrawButtons(cache);
    // The caption text, shortened with "..." to the room left by the icon and the buttons.
    const int iconWidth = Icon ? iconSize : 0;
    TRect textRect(iconWidth + Metrics.FrameWidth + 4, Metrics.FrameHeight, WndSize.cx - buttonsWidth - 6, band);
    const String text = WindowText(Handle);
    if (!text.empty() && textRect.right > textRect.left && title >= 0) {
      HGDIOBJ oldFont = CaptionFont ? SelectObject(cache->Canvas()->Handle(), CaptionFont) : nullptr;
      if (CaptionFont) cache->Canvas()->Font()->SetHandle(CaptionFont);
      const String shown = CutText(cache->Canvas(), text, WndSize.cx - iconWidth - Metrics.FrameWidth - buttonsWidth - 6);
      WriteTextBySection(cache->Canvas(), shown.c_str(), true, SkinManager, CaptionActive, title,
                         DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, textRect);
      if (oldFont) SelectObject(cache->Canvas()->Handle(), oldFont);
    }
  } else {
    DrawButtons(nullptr);
  }
  SkinData->BGChanged = false;
}

bool TacDialogWnd::ApplyRegion() {
  if (BorderKind == 2) return false;
  if (SendMessageW(Handle, kMsgKeepRegion, kKeepRegionParam, 0) == static_cast<LRESULT>(kKeepRegionParam)) return false;
  RegionRects = SkinRegionRects(SkinManager, SkinData->SkinIndex, SkinData->SkinSection(),
                                Metrics.CaptionHeight > 0 ? String(L"FORMTITLE") : String(), WndSize.cx, WndSize.cy);
  HRGN region = RegionWithout(WndSize.cx, WndSize.cy, RegionRects);
  settingRegion = true;
  SetWindowRgn(Handle, region, TRUE);  // the window owns the region now
  settingRegion = false;
  return true;
}

void TacDialogWnd::PaintFrame(HDC dc) {
  TBitmap* cache = SkinData->CacheBmp;
  if (!cache || cache->Width() == 0) return;
  HDC src = cache->Canvas()->Handle();
  const int w = WndSize.cx, h = WndSize.cy;
  if (BorderKind == 2) {
    if (Style & WS_THICKFRAME) {
      BitBltBorder(dc, 0, 0, w, h, src, 0, 0, 3);
    }
    return;
  }
  const TPoint client = ClientOffset();
  const int top = std::max<int>(client.y, NonClientTop());
  BitBlt(dc, 0, 0, w, top, src, 0, 0, SRCCOPY);
  const int sideTop = NonClientTop() + (Iconic() ? 1 : 0);
  BitBlt(dc, 0, sideTop, Metrics.FrameWidth, h - sideTop, src, 0, sideTop, SRCCOPY);
  BitBlt(dc, 0, h - Metrics.FrameHeight, w, Metrics.FrameHeight, src, 0, h - Metrics.FrameHeight, SRCCOPY);
  BitBlt(dc, w - Metrics.FrameWidth, sideTop, Metrics.FrameWidth, h - sideTop, src, w - Metrics.FrameWidth, sideTop,
         SRCCOPY);
}

HBRUSH TacDialogWnd::BackgroundBrush() {
  TColor color = clBtnFace;
  if (SkinManager) {
    const int global = SkinManager->GetSkinIndex(L"GLOBALINFO");
    if (global >= 0) color = SkinManager->Sections()[static_cast<size_t>(global)].Color;
  }
  color = ColorToRGB(color);
  if (!brush_ || color != brushColor_) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(static_cast<COLORREF>(color));
    brushColor_ = color;
  }
  return brush_;
}

void TacDialogWnd::TrackLeave() {
  if (TrackingLeave) return;
  // Both leave notifications: the pointer may leave through the frame or across the client area.
  TRACKMOUSEEVENT nonClient{sizeof(nonClient), TME_LEAVE | TME_NONCLIENT, Handle, 0};
  TRACKMOUSEEVENT client{sizeof(client), TME_LEAVE, Handle, 0};
  // TrackMouseEvent hit-tests the window under the real cursor; that nested test must not move the hot
  // button away from the one being answered.
  startingLeaveTracking_ = true;
  TrackMouseEvent(&nonClient);
  TrackMouseEvent(&client);
  startingLeaveTracking_ = false;
  TrackingLeave = true;
}

void TacDialogWnd::SetHot(int code) {
  if (HotButton == code || startingLeaveTracking_) return;
  const int previous = HotButton;
  HotButton = code;
  if (TsButtonPlace* old = Button(previous)) {
    old->State = 0;
    RepaintButton(previous);
  }
  if (TsButtonPlace* now = Button(code)) {
    now->State = buttonPressed && now->State == 2 ? 2 : 1;
    RepaintButton(code);
    TrackLeave();
  }
}

void TacDialogWnd::ResetButtons() {
  buttonPressed = false;
  for (int code : {HTMINBUTTON, HTMAXBUTTON, HTCLOSE, HTHELP}) {
    TsButtonPlace* b = Button(code);
    if (b->State != 0) {
      b->State = 0;
      RepaintButton(code);
    }
  }
  HotButton = 0;
}

void TacDialogWnd::RepaintButton(int code) {
  TsButtonPlace* button = Button(code);
  TBitmap* cache = SkinData->CacheBmp;
  if (!button || !cache || cache->Width() != WndSize.cx || button->Bounds.Width() <= 0) return;
  if (button->Bounds.left < SmallIconWidth() + Metrics.FrameHeight) return;
  const int backLeft = WndSize.cx - ButtonsBackground->Width() - 1;
  const TRect& r = button->Bounds;
  BitBlt(cache->Canvas()->Handle(), r.left, r.top, r.Width(), r.Height(), ButtonsBackground->Canvas()->Handle(),
         r.left - backLeft, r.top, SRCCOPY);
  DrawButton(cache, *button, code);
  HDC dc = GetWindowDC(Handle);
  BitBlt(dc, r.left, r.top, r.Width(), r.Height(), cache->Canvas()->Handle(), r.left, r.top, SRCCOPY);
  ReleaseDC(Handle, dc);
}

int TacDialogWnd::HitTest(TPoint p) {
  const TacDialogButtons b = Buttons();
  const int band = NonClientTop();
  const int closeHeight = CaptionButtonSize(SkinManager, CloseButton.MaskIndex).cy;
  const int bandTop = (band - closeHeight) / 2;
  int code = 0;
  if (Metrics.CaptionHeight > 0 && p.y >= bandTop && p.y < bandTop + closeHeight) {
    if (p.x >= Metrics.FrameWidth && p.x < Metrics.FrameWidth + SmallIconWidth()) {
      code = HTSYSMENU;
    } else {
      code = HTCAPTION;
      auto in = [&](const TsButtonPlace& place) { return place.Bounds.Width() > 0 && place.Bounds.Contains(p); };
      if (Style & WS_SYSMENU) {
        if (in(CloseButton))
          code = b.CloseEnabled ? HTCLOSE : HTCAPTION;
        else if (b.Maximize && in(MaxButton))
          code = b.MaximizeEnabled || b.RestoreEnabled ? HTMAXBUTTON : HTCAPTION;
        else if (b.Minimize && in(MinButton))
          code = b.MinimizeEnabled || Iconic() ? HTMINBUTTON : HTCAPTION;
        else if (b.Help && in(HelpButton))
          code = HTHELP;
      }
    }
    SetHot(Button(code) ? code : 0);
  } else {
    SetHot(0);
    if (BorderKind == 3 || BorderKind == 5) {
      if (const TsMaskData* grip = MaskAt(SkinManager, GlobalMask(SkinManager, L"GRIPIMAGE"))) {
        const TSize frame = grip->Bmp ? TSize(grip->Bmp->Width() / 3, grip->Bmp->Height() / 2)
                                      : TSize(MaskFrame(*grip).Width, MaskFrame(*grip).Height);
        if (p.x > WndSize.cx - Metrics.FrameWidth - frame.cx && p.y > WndSize.cy - Metrics.FrameHeight - frame.cy)
          code = HTBOTTOMRIGHT;
      }
    }
    if (Zoomed() && !TRect(2, 2, WndSize.cx - 4, WndSize.cy - 4).Contains(p)) code = HTERROR;
  }
  return code;
}

void TacDialogWnd::NCLButtonDown(TMessage& message) {
  const int code = static_cast<int>(message.WParam);
  const TacDialogButtons b = Buttons();
  if (code == HTSYSMENU) {
    ResetButtons();
    SystemMenu->UpdateItems();
    SystemMenu->Popup(WndRect.left + Metrics.FrameWidth, WndRect.top + Metrics.FrameHeight + SmallIconWidth());
    message.Result = 0;
    return;
  }
  if (TsButtonPlace* button = Button(code)) {
    if (code != HTMAXBUTTON || b.MaximizeEnabled || b.RestoreEnabled) {
      HotButton = code;
      button->State = 2;
      RepaintButton(code);
      buttonPressed = true;
    }
    message.Result = 0;
    return;
  }
  if (Iconic()) {
    SendMessageW(Handle, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, message.LParam);
    message.Result = 0;
    return;
  }
  if (Zoomed() && code == HTCAPTION) {
    if (GetActiveWindow() != Handle) SetFocus(Handle);
    message.Result = 0;
    return;
  }
  PassOn(message);
}

void TacDialogWnd::ButtonUp(TMessage& message) {
  if (!buttonPressed) {
    ResetButtons();
    PassOn(message);
    return;
  }
  const int code = static_cast<int>(message.WParam);
  const TacDialogButtons b = Buttons();
  POINT cursor{};
  GetCursorPos(&cursor);
  const TPoint at(cursor.x - WndRect.left, cursor.y - WndRect.top);
  switch (code) {
    case HTMINBUTTON:
      if (MinButton.State == 2 && MinButton.Bounds.Contains(at)) {
        ResetButtons();
        SendMessageW(Handle, WM_SYSCOMMAND, Iconic() ? SC_RESTORE : SC_MINIMIZE, 0);
      } else {
        ResetButtons();
        PassOn(message);
      }
      break;
    case HTMAXBUTTON:
      if (MaxButton.State == 2 && !(Iconic() && !b.RestoreEnabled)) {
        ResetButtons();
        SendMessageW(Handle, WM_SYSCOMMAND, Zoomed() ? SC_RESTORE : SC_MAXIMIZE, 0);
        SystemMenu->UpdateItems();
      } else {
        ResetButtons();
      }
      break;
    case HTCLOSE:
      if (CloseButton.State == 2) {
        CloseButton.State = 0;
        buttonPressed = false;
        HotButton = 0;
        SendMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      } else {
        ResetButtons();
      }
      break;
    case HTHELP:
      if (HelpButton.State == 2) {
        SendMessageW(Handle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        ResetButtons();
        SystemMenu->UpdateItems();
        SendMessageW(Handle, WM_NCPAINT, 0, 0);
      } else {
        ResetButtons();
      }
      break;
    default:
      // Released away from the pressed button: nothing happens.
      ResetButtons();
      PassOn(message);
      break;
  }
  message.WParam = 0;
}

void TacDialogWnd::CaptionMessage(TMessage& message) {
  const TacDialogButtons b = Buttons();
  switch (message.Msg) {
    case WM_NCLBUTTONDBLCLK:
      if (message.WParam == HTCAPTION && (b.MaximizeEnabled || b.RestoreEnabled) && b.Maximize) {
        SendMessageW(Handle, WM_SYSCOMMAND, Zoomed() || Iconic() ? SC_RESTORE : SC_MAXIMIZE, 0);
        SystemMenu->UpdateItems();
        message.Result = 0;
        return;
      }
      if (message.WParam == HTSYSMENU) {
        SendMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        message.Result = 0;
        return;
      }
      PassOn(message);
      return;
    case WM_NCRBUTTONUP:
      if (message.WParam == HTCAPTION || message.WParam == HTSYSMENU) {
        ResetButtons();
        SystemMenu->UpdateItems();
        POINT cursor{};
        GetCursorPos(&cursor);
        SystemMenu->Popup(cursor.x, cursor.y);
      }
      message.Result = 0;
      return;
    case WM_NCRBUTTONDOWN:
      if (message.WParam == HTCAPTION || message.WParam == HTSYSMENU) {
        message.Result = 0;
        return;
      }
      PassOn(message);
      return;
    default:
      PassOn(message);
      return;
  }
}

void TacDialogWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinManager || !SkinManager->Active()) {
    if (message.Msg == WM_DESTROY || message.Msg == WM_NCDESTROY) {
      if (Subclassed()) {
        ReleaseScrollWindow();
        PassOn(message);
      }
      return;
    }
    TacScrollWnd::ProcessMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_NCPAINT: {
      if (!IsWindowVisible(Handle)) break;
      UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
      Caption = WindowText(Handle);
      if (Provider) Provider->SubclassChildren(Handle);
      PrepareCache();
      if (RegionPending && !settingRegion && (BorderKind != 2 || (Style & WS_THICKFRAME))) {
        RegionPending = false;
        ApplyRegion();
      }
      HDC dc = GetWindowDC(Handle);
      PaintFrame(dc);
      ReleaseDC(Handle, dc);
      if ((HorzBar && HorzBar->Visible) || (VertBar && VertBar->Visible)) PaintScrollBars(nullptr, -1);
      message.Result = 1;
      return;
    }
    case WM_ERASEBKGND: {
      UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
      if (!ChildrenDone && Provider) {
        ChildrenDone = true;
        Provider->SubclassChildren(Handle);
      }
      PrepareCache();
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      TBitmap* cache = SkinData->CacheBmp;
      if (dc && cache && cache->Width() > 0) {
        const TPoint offset = ClientOffset();
        RECT client{};
        GetClientRect(Handle, &client);
        BitBlt(dc, 0, 0, client.right, client.bottom, cache->Canvas()->Handle(), offset.x, offset.y, SRCCOPY);
      }
      for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongW(child, GWL_STYLE) & WS_CHILD) SendSkinCommand(child, scParentUpdated, nullptr);
      message.Result = 1;
      return;
    }
    case WM_NCHITTEST: {
      const TPoint p(static_cast<short>(LOWORD(message.LParam)) - WndRect.left,
                     static_cast<short>(HIWORD(message.LParam)) - WndRect.top);
      PrepareCache();
      int code = HitTest(p);
      if (code == 0 || code == HTCAPTION) {
        PassOn(message);
        if (code == HTCAPTION && message.Result != HTCLIENT) message.Result = HTCAPTION;
        SetHot(0);
        return;
      }
      message.Result = code;
      return;
    }
    case WM_NCLBUTTONDOWN:
      NCLButtonDown(message);
      return;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
      ButtonUp(message);
      return;
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDOWN:
      CaptionMessage(message);
      return;
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
      TrackingLeave = false;
      ResetButtons();
      PassOn(message);
      return;
    case WM_SYSCOMMAND: {
      const WPARAM command = message.WParam & 0xFFF0;
      PassOn(message);
      if (command == SC_MAXIMIZE || command == SC_RESTORE) {
        HotButton = 0;
        MaxButton.State = 0;
        if (Style & WS_MAXIMIZEBOX) {
          SkinData->BGChanged = true;
          SendMessageW(Handle, WM_NCPAINT, 0, 0);
        }
      }
      return;
    }
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      SkinData->BGChanged = true;
      RegionPending = true;
      PassOn(message);
      if (message.Msg == WM_SIZE) RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      return;
    case WM_ENABLE:
    case WM_SETTEXT:
      PassOn(message);
      if (IsWindowVisible(Handle)) {
        SkinData->BGChanged = true;
        SendMessageW(Handle, WM_NCPAINT, 0, 0);
      }
      return;
    case WM_PAINT:
      PassOn(message);
      return;
    case WM_NCACTIVATE:
      if (!IsWindowVisible(Handle)) break;
      // The default handler paints the system caption; redraw is off around it.
      SendMessageW(Handle, WM_SETREDRAW, FALSE, 0);
      PassOn(message);
      SendMessageW(Handle, WM_SETREDRAW, TRUE, 0);
      CaptionActive = message.WParam != 0;
      SkinData->BGChanged = true;
      SendMessageW(Handle, WM_NCPAINT, 0, 0);
      message.Result = 1;
      return;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
      if (item && item->CtlType == ODT_STATIC) SetBkMode(item->hDC, TRANSPARENT);
      break;
    }
    case WM_CTLCOLORDLG:
      message.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return;
    case WM_MOUSEMOVE:
      if (IsWindowEnabled(Handle) && DefaultManager) DefaultManager->SetActiveControl(nullptr);
      break;
    case WM_USER + 302:
      PassOn(message);
      if (Provider) Provider->SubclassChildren(Handle);
      SkinData->BGChanged = true;
      SendMessageW(Handle, WM_NCPAINT, 0, 0);
      return;
    case SM_ALPHACMD: {
      const bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == SkinManager;
      switch (message.WParamHi()) {
        case scApplySkin:
          if (ours) ApplySkin();
          message.Result = 0;
          return;
        case scRefresh:
          if (ours) {
            SkinData->UpdateIndexes();
            ApplySkin();
            RedrawWindow(Handle, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
          }
          return;
        case scGetCache:
          SharedCacheRef = MakeCacheRef(SkinData->CacheBmp, 0, 0);
          return;
        case scSetUpdating:
          SkinData->SetUpdating(LOWORD(message.WParam) == 1);
          if (SkinData->IsUpdating()) SkinData->BGChanged = true;
          break;
        case scIsBgChanged:
          message.LParam = SkinData->IsUpdating() ? 1 : 0;
          message.Result = message.LParam;
          return;
        case scHasContentBg: {
          const int index = SkinData->SkinIndex;
          bool content = false;
          if (SkinManager->IsValidSkinIndex(index)) {
            const TsGeneralData& g = SkinManager->Sections()[static_cast<size_t>(index)];
            content = g.GradientPercent + g.ImagePercent > 0;
          }
          message.LParam = content ? 1 : 0;
          message.Result = message.LParam;
          return;
        }
        case scGetBgColor: {
          const int index = SkinData->SkinIndex;
          if (SkinManager->IsValidSkinIndex(index))
            SharedTransparentColor = SkinManager->Sections()[static_cast<size_t>(index)].HotColor;
          return;
        }
        case 28:
          if (Provider) Provider->SubclassChildren(Handle);
          return;
        default:
          break;
      }
      break;
    }
    default:
      break;
  }
  TacScrollWnd::ProcessMessage(message);
}

// ---- provider ----------------------------------------------------------------------------------------------

TacProvider::TacProvider(TComponent* owner) : TComponent(owner) {}

TacProvider::~TacProvider() {
  DropProvider(this);
  for (TacMainWnd* child : Children) child->Free();
  Children.clear();
  if (DialogWnd) DialogWnd->Free();
  DialogWnd = nullptr;
}

void TacProvider::SkinForm(TCustomForm* form) {
  DialogHandle = form->Handle();
  auto* made = NewObject<TsSkinProvider>(form);
  made->MakeSkinMenu = false;
  FormProvider = made;
}

bool TacProvider::InitDialog(HWND window) {
  DialogHandle = window;
  TsSkinManager* manager = DefaultManager;
  const String cls = ClassNameOf(window);
  if (manager && manager->Active() && (cls == L"#32770" || cls == L"TMessageForm")) {
    if (TacMainWnd* stale = FindSubclassObject(window)) {
      if (!IsWindow(stale->Handle)) stale->Free();
    }
    if (auto uninitialize = Bound().UninitializeFlatSB.Get()) uninitialize(window);
    auto made = MakeSubclass<TacDialogWnd>(false, window, nullptr, manager, String(L"DIALOG"));
    DialogWnd = made.release();
    DialogWnd->Provider = this;
    if (MessageBoxX != -1 || MessageBoxY != -1)
      SetWindowPos(window, nullptr, MessageBoxX, MessageBoxY, 0, 0,
                   SWP_NOSIZE | SWP_NOOWNERZORDER | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (DialogWnd && SubclassChildren(window)) {
    DialogWnd->StartSkinning();
    SendSkinCommand(window, scApplySkin, manager);
    DialogWnd->ChildrenDone = true;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
    return true;
  }
  DropProvider(this);
  return false;
}

bool TacProvider::SubclassChildren(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!SubclassChildren(child)) return false;
    if ((GetWindowLongW(child, GWL_STYLE) & WS_CHILD) && !SubclassChild(child)) return false;
  }
  return true;
}

bool TacProvider::SubclassChild(HWND child) {
  if (AnswersSkinned(child)) return true;
  const String cls = Lower(ClassNameOf(child));
  if (cls == L"systabcontrol32") {
    RECT r{};
    GetWindowRect(child, &r);
    return !(r.right - r.left == 470 && r.bottom - r.top == 349);
  }
  TacMainWnd* made = MakeDialogSubclass(child, DefaultManager);
  if (!made) return true;
  if (cls == L"tpanel" || cls == L"tsilentpaintpanel") {
    Children.push_back(made);
    return true;
  }
  UpdateGeometry(made->Handle, made->ParentHandle, made->WindowRect, made->ParentRect, made->WindowSize,
                 made->ParentOffset);
  Children.push_back(made);
  return true;
}

// ---- the hook -------------------------------------------------------------------------------------------------

String ClassNameOf(HWND window) {
  wchar_t name[128] = {};
  const int length = GetClassNameW(window, name, 128);
  return String(name, static_cast<size_t>(std::max(length, 0)));
}

bool HasChildOfClass(HWND window, const String& lowerClassName) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (Lower(ClassNameOf(child)) == lowerClassName) return true;
    if (HasChildOfClass(child, lowerClassName)) return true;
  }
  return false;
}

TacProvider* ProviderOf(HWND window) {
  for (TacProvider* p : providers)
    if (p->DialogHandle == window) return p;
  return nullptr;
}

int VisibleSkinnedDialogs() {
  int count = 0;
  for (TacProvider* p : providers)
    if (p->DialogHandle && IsWindowVisible(p->DialogHandle)) ++count;
  return count;
}

const std::vector<TacMnuWnd*>& HookMenuObjects() { return menuObjects; }
const std::vector<TacProvider*>& DialogProviders() { return providers; }

TacDialogChoice DialogChoice(const TacDialogFacts& f) {
  if (f.IsSkinned || !f.HasManager || f.HasProvider) return TacDialogChoice::None;
  if (f.ClassName == L"TApplication" || f.ClassName == L"TQRStandardPreview") return TacDialogChoice::None;
  if (f.IsForm) {
    if (f.ClassName == L"TMessageForm") return f.Rules[srStdDialogs] ? TacDialogChoice::Form : TacDialogChoice::None;
    return f.Rules[srStdForms] && f.Tag != -98 ? TacDialogChoice::Form : TacDialogChoice::None;
  }
  if (!f.Rules[srStdDialogs]) return TacDialogChoice::None;
  if (f.VisibleDialogs > 0 && !f.HasToolbarChild) return TacDialogChoice::None;
  return TacDialogChoice::Dialog;
}

bool SkinDialog(HWND window) {
  TacDialogFacts facts;
  facts.HasManager = DefaultManager != nullptr;
  if (!facts.HasManager) return false;
  facts.IsSkinned = AnswersSkinned(window);
  facts.HasProvider = ProviderOf(window) != nullptr;
  facts.ClassName = ClassNameOf(window);
  TWinControl* control = FindControl(window);
  auto* form = dynamic_cast<TCustomForm*>(control);
  facts.IsForm = form != nullptr;
  if (form) facts.Tag = static_cast<int>(form->Tag);
  const TacSkinningRules rules = DefaultManager->SkinningRules();
  facts.Rules[srStdForms] = rules.Contains(srStdForms);
  facts.Rules[srStdDialogs] = rules.Contains(srStdDialogs);
  facts.Rules[srThirdParty] = rules.Contains(srThirdParty);
  facts.VisibleDialogs = VisibleSkinnedDialogs();
  if (facts.VisibleDialogs > 0) facts.HasToolbarChild = HasChildOfClass(window, L"toolbarwindow32");
  switch (DialogChoice(facts)) {
    case TacDialogChoice::Dialog: {
      auto* provider = new TacProvider(nullptr);
      providers.push_back(provider);
      if (provider->InitDialog(window)) return true;
      provider->Free();
      return false;
    }
    case TacDialogChoice::Form: {
      auto* provider = new TacProvider(form);
      providers.push_back(provider);
      provider->SkinForm(form);
      return true;
    }
    default:
      return false;
  }
}

void SkinCbtEvent(int code, HWND window, const String& className) {
  switch (code) {
    case HCBT_CREATEWND:
      if (className == L"#32768" && DefaultManager && !AnswersSkinned(window)) {
        TacMnuWnd* object =
            MakeSubclass<TacMnuWnd>(false, window, nullptr, DefaultManager, String(L"MAINMENU")).release();
        // The object frees itself with its window; the list keeps live objects only.
        object->OnGone = [](TacMnuWnd* gone) {
          menuObjects.erase(std::remove(menuObjects.begin(), menuObjects.end(), gone), menuObjects.end());
        };
        menuObjects.push_back(object);
      }
      break;
    case HCBT_DESTROYWND: {
      // Every provider whose dialog object has let its window go, whatever its border kind.
      std::vector<TacProvider*> detached;
      for (TacProvider* p : providers)
        if (!p->GetOwner() && p->DialogWnd && (p->DialogWnd->Released || !p->DialogWnd->Subclassed()))
          detached.push_back(p);
      for (TacProvider* p : detached) p->Free();
      break;
    }
    case HCBT_ACTIVATE:
      SkinDialog(window);
      break;
    default:
      break;
  }
}

void ReleaseHookObjects() {
  std::vector<TacMnuWnd*> menus;
  menus.swap(menuObjects);
  for (TacMnuWnd* object : menus) {
    object->OnGone = nullptr;
    object->Free();
  }
  std::vector<TacProvider*> left(providers);
  for (TacProvider* p : left)
    if (!p->GetOwner()) p->Free();
  providers.clear();
}
