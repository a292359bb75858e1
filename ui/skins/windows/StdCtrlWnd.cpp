#include "ui/skins/windows/StdCtrlWnd.h"

#include <algorithm>

#include "platform/framework/controls/Buttons.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/ButtonGlyphs.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DWORD CheckBoxPaintStyle = 0;

DEFINE_CLASS(TacStaticWnd)
DEFINE_CLASS(TacIconWnd)
DEFINE_CLASS(TacLinkWnd)
DEFINE_CLASS(TacBtnWnd)
DEFINE_CLASS(TacBitBtnWnd)
DEFINE_CLASS(TacCheckBoxWnd)
DEFINE_CLASS(TacGroupBoxWnd)

namespace {

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)); }



// Gives the canvas the window's own font (WM_GETFONT), when it has one.
void UseWindowFont(TCanvas* canvas, HWND window) {
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0))) canvas->Font()->SetHandle(font);
}

// The text's size when drawn with the canvas's font in the width, with the flags (plus DT_CALCRECT).
TSize MeasureText(TCanvas* canvas, const String& text, int width, UINT flags) {
  TRect r(0, 0, std::max(width, 0), 0);
  DrawTextW(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
  return TSize{r.Width(), r.Height()};
}

bool Showing(HWND window) { return IsWindowVisible(window) != FALSE; }

}  // namespace

// ---- statics ------------------------------------------------------------------------------------------

bool TacStaticWnd::Skinnable() const {
  return (StyleOf(Handle) & WS_TABSTOP) == 0 && (GetWindowLongW(Handle, GWL_EXSTYLE) & WS_EX_STATICEDGE) == 0;
}

void TacStaticWnd::ProcessMessage(TMessage& message) {
  if (!Skinnable() && !Released) {
    // Left as it is: only the release on destruction.
    if (message.Msg == WM_DESTROY || message.Msg == WM_NCDESTROY)
      BaseProcessMessage(message);
    else
      PassOn(message);
    return;
  }
  if (!Released && SkinData && SkinData->Skinned()) {
    switch (message.Msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(Handle, &ps);
        EndPaint(Handle, &ps);
        message.Result = 0;
        return;
      }
      case WM_ERASEBKGND:
        if (Showing(Handle)) {
          Paint(reinterpret_cast<HDC>(message.WParam));
          message.Result = 1;
          return;
        }
        break;
      case WM_MOVE:
        SkinData->BGChanged = true;
        PassOn(message);
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
      case WM_SETTEXT:
        SkinData->BGChanged = true;
        BaseProcessMessage(message);
        return;
      case WM_NCPAINT:
        PassOn(message);
        return;
      case WM_PRINT:
        if (message.WParam) {
          Paint(reinterpret_cast<HDC>(message.WParam));
          return;
        }
        break;
      default:
        break;
    }
  }
  BaseProcessMessage(message);
}

void TacStaticWnd::Paint(HDC dc) {
  if (!dc) return;
  UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
  const int saved = SaveDC(dc);
  SkinData->BGChanged = true;
  SizeCacheBmp(SkinData, WindowSize.x, WindowSize.y);
  SendMessageW(Handle, SM_ALPHACMD, SkinCommandWParam(scPrepareCache), 0);
  PaintContent();
  RestoreDC(dc, saved);
  CopyCacheToDC(SkinData->CacheBmp, dc);
}

void TacStaticWnd::PaintContent() {
  TCanvas* canvas = SkinData->CacheBmp->Canvas();
  canvas->Brush()->SetStyle(bsClear);
  HFONT font = CreateMessageFont();
  if (font) canvas->Font()->SetHandle(font);
  WriteTextEx(canvas, Caption.c_str(), true, false, SkinData->TextSkin(), DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP,
              TRect(0, 0, WindowSize.x + 4, WindowSize.y));
  if (font) DeleteObject(font);
}

void TacIconWnd::PaintContent() {
  auto icon = reinterpret_cast<HICON>(SendMessageW(Handle, STM_GETICON, 0, 0));
  if (!icon) return;
  DrawIconEx(SkinData->CacheBmp->Canvas()->Handle(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

void TacLinkWnd::PaintContent() {
  const String full = Caption;
  String plain = full;
  for (const wchar_t* tag : {L"<A>", L"</A>", L"<a>", L"</a>"}) {
    const String t(tag);
    for (size_t at = plain.find(t); at != String::npos; at = plain.find(t, at)) plain.erase(at, t.size());
  }
  Caption = plain;
  TacStaticWnd::PaintContent();
  Caption = full;
}

// ---- push buttons -------------------------------------------------------------------------------------

void TacBtnWnd::Repaint() {
  SkinData->BGChanged = true;
  SendMessageW(Handle, WM_PAINT, 0, 0);
}

void TacBtnWnd::RedrawLocked(TMessage& message) {
  SendMessageW(Handle, WM_SETREDRAW, 0, 0);
  BaseProcessMessage(message);
  SendMessageW(Handle, WM_SETREDRAW, 1, 0);
  Repaint();
}

void TacBtnWnd::HotTracking() {
  if (!DefaultManager || !IsWindowEnabled(Handle)) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT wr{};
  GetWindowRect(Handle, &wr);
  if (PtInRect(&wr, cursor)) {
    if (DefaultManager->ActiveControlWindow() != Handle) DefaultManager->SetActiveControl(Handle);
  } else if (DefaultManager->ActiveControlWindow() == Handle) {
    DefaultManager->SetActiveControl(nullptr);
  }
}

int TacBtnWnd::ButtonState() const {
  const LRESULT state = SendMessageW(Handle, BM_GETSTATE, 0, 0);
  if (state & BST_PUSHED) return 2;
  if (!IsWindowEnabled(Handle)) return 0;
  if (SkinData->FocusSet || (DefaultManager && DefaultManager->ActiveControlWindow() == Handle)) return 1;
  const DWORD style = StyleOf(Handle);
  if (SkinData->OwnerControl()) return (style & 0xF) == BS_DEFPUSHBUTTON ? 1 : 0;
  return (style & 1) != 0 ? 1 : 0;
}

void TacBtnWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    BaseProcessMessage(message);
    return;
  }
  const bool visible = Showing(Handle);
  switch (message.Msg) {
    case SM_ALPHACMD:
      if (message.WParamHi() == scBecameActive && !SkinData->MouseAbove) {
        SkinData->MouseAbove = true;
        Repaint();
      } else if (message.WParamHi() == scLostActive && SkinData->MouseAbove) {
        SkinData->MouseAbove = false;
        Repaint();
      }
      break;
    case WM_MOVE:
      if (const TsGeneralData* section = SkinData->Section()) {
        const bool hot = SkinData->MouseAbove || SkinData->FocusSet;
        if (section->Transparency > 0 || (section->HotTransparency > 0 && hot)) Repaint();
      }
      break;
    case WM_SETFOCUS:
      if (!IsWindowEnabled(Handle)) return;
      SkinData->FocusSet = true;
      RedrawLocked(message);
      return;
    case WM_KILLFOCUS:
      if (IsWindowEnabled(Handle)) {
        SkinData->FocusSet = false;
        RedrawLocked(message);
        return;
      }
      break;
    case WM_ENABLE:
    case WM_SETTEXT:
      if (visible) {
        RedrawLocked(message);
        return;
      }
      break;
    case BM_SETSTATE:
      if (visible) {
        SendMessageW(Handle, WM_SETREDRAW, 0, 0);
        PassOn(message);
        SendMessageW(Handle, WM_SETREDRAW, 1, 0);
        Repaint();
        return;
      }
      break;
    case WM_PAINT:
      if (!SkinParamsApplied) ApplySkinParams();
      Paint(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_PRINT:
      Paint(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_UPDATEUISTATE:
      message.Result = 1;
      return;
    default:
      break;
  }
  BaseProcessMessage(message);
  if (message.Msg == WM_MOUSEMOVE) HotTracking();
}

void TacBtnWnd::Paint(HDC given) {
  UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
  PAINTSTRUCT ps{};
  HDC dc = given;
  if (!given) dc = BeginPaint(Handle, &ps);
  SkinData->SetUpdating(SkinData->IsUpdating());
  if (!SkinData->Updating) {
    SkinData->BGChanged = true;
    PrepareCache();
    CopyCacheToDC(SkinData->CacheBmp, dc);
  }
  if (!given) EndPaint(Handle, &ps);
}

void TacBtnWnd::PrepareCache() {
  TsCacheRef ci = TsCommonData::GetParentCacheForWindow(Handle);
  SkinData->InitCacheBmp();
  if (ci.Ready && !SkinData->RepaintWhenMoved() && ParentHandle) {
    SharedTransparentColor = clFuchsia;
    SendSkinCommand(ParentHandle, scGetBgColor, nullptr);
  }
  TBitmap* cache = SizeCacheBmp(SkinData, WindowSize.x, WindowSize.y);
  const int state = ButtonState();
  PaintItem(SkinData, ci, true, state, TRect(0, 0, WindowSize.x, WindowSize.y), ParentOffset, cache, false);
  FillTransparentCorners(SkinData, state, this);
  DrawCaption();
  PaintGlyph();
  if (!IsWindowEnabled(Handle) && ci.Bmp) {
    const TPoint at(ci.X + ParentOffset.x, ci.Y + ParentOffset.y);
    BlendTransBitmap(cache, 0, 0, clNone, 0.4, TRect(at.x, at.y, at.x + WindowSize.x, at.y + WindowSize.y), ci.Bmp);
  }
  SharedParentColor = clFuchsia;
  SharedTransparentColor = clFuchsia;
  SkinData->BGChanged = false;
}

void TacBtnWnd::DrawCaption() {
  TCanvas* canvas = SkinData->CacheBmp->Canvas();
  if (TControl* owner = SkinData->OwnerControl())
    canvas->Font()->Assign(owner->Font());
  else
    UseWindowFont(canvas, Handle);
  TRect r;
  CalcCaptionRect(r);
  const bool multiline = (StyleOf(Handle) & BS_MULTILINE) != 0;
  DrawCaptionText(r, multiline ? DT_CENTER | DT_EXPANDTABS : DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS);
  const TsGeneralData* section = SkinData->Section();
  if (IsWindowEnabled(Handle) && (SendMessageW(Handle, BM_GETSTATE, 0, 0) & BST_FOCUS) && !Caption.empty() &&
      section && section->ShowFocus) {
    InflateRect(&r, 1, 1);
    DrawFocusRect(canvas->Handle(), &r);
  }
}

void TacBtnWnd::GetCaptionSize(TSize& size) {
  const bool multiline = (StyleOf(Handle) & BS_MULTILINE) != 0;
  const UINT flags = DT_NOPREFIX | DT_EXPANDTABS | DT_CENTER | (multiline ? 0 : DT_WORDBREAK);
  size = MeasureText(SkinData->CacheBmp->Canvas(), Caption, GetMaxCaptionWidth(), flags);
}

void TacBtnWnd::CalcCaptionRect(TRect& r) {
  TSize size{};
  GetCaptionSize(size);
  const int x = static_cast<int>((WindowSize.x - size.cx) / 2), y = static_cast<int>((WindowSize.y - size.cy) / 2);
  r = TRect(x - 1, y, WindowSize.x - x + 2, WindowSize.y - y);
  if (ButtonState() == 2) OffsetRect(&r, 1, 1);
}

int TacBtnWnd::GetMaxCaptionWidth() {
  if (Caption.empty()) return 0;
  TSize glyph{};
  GetGlyphSize(glyph);
  return WindowSize.x - 2 - (glyph.cx > 0 ? glyph.cx + 2 : 0);
}

void TacBtnWnd::DrawCaptionText(TRect r, UINT flags) {
  TCanvas* canvas = SkinData->CacheBmp->Canvas();
  canvas->Brush()->SetStyle(bsClear);
  WriteTextEx(canvas, Caption.c_str(), IsWindowEnabled(Handle) != FALSE, ButtonState() != 0, SkinData->TextSkin(),
              flags, r);
}

// ---- bitmap buttons ---------------------------------------------------------------------------------

namespace {

TBitBtn* BitBtnOf(TsCommonData* skinData) { return dynamic_cast<TBitBtn*>(skinData->OwnerControl()); }

}  // namespace

void TacBitBtnWnd::GetGlyphSize(TSize& size) {
  size = TSize{0, 0};
  if (TBitBtn* button = BitBtnOf(SkinData)) {
    TBitmap* glyph = button->Glyph();
    if (glyph && glyph->Width() > 0) {
      const int count = std::max<int>(button->NumGlyphs(), 1);
      size = TSize{glyph->Width() / count, glyph->Height()};
    }
    return;
  }
  auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(Handle, BM_GETIMAGE, IMAGE_BITMAP, 0));
  SIZE recorded{};
  if (bitmap && GetBitmapDimensionEx(bitmap, &recorded)) size = TSize{recorded.cx, recorded.cy};
}

TRect TacBitBtnWnd::GlyphRect() {
  TSize glyph{};
  GetGlyphSize(glyph);
  const bool pushed = ButtonState() == 2;
  const int width = WindowSize.x, height = WindowSize.y;
  TBitBtn* button = BitBtnOf(SkinData);
  if (!button) {
    if (glyph.cx <= 0) return TRect();
    TRect caption;
    TacBtnWnd::CalcCaptionRect(caption);
    OffsetRect(&caption, static_cast<int>(glyph.cx / 2 + 1), 0);
    TRect r;
    r.right = caption.left - 2;
    r.left = r.right - glyph.cx;
    r.top = static_cast<int>((height - glyph.cy) / 2) + (pushed ? 1 : 0);
    r.bottom = r.top + glyph.cy;
    return r;
  }
  TSize caption{};
  TacBtnWnd::GetCaptionSize(caption);
  const int spacing = glyph.cx > 0 && !Caption.empty() ? button->Spacing() : 0;
  const int freeWidth = static_cast<int>((width - glyph.cx - caption.cx - spacing) / 2);
  const int freeHeight = static_cast<int>((height - glyph.cy - caption.cy - spacing) / 2);
  const int centreX = static_cast<int>((width - glyph.cx) / 2), centreY = static_cast<int>((height - glyph.cy) / 2);
  int x = 0, y = 0;
  switch (button->Layout()) {
    case blGlyphLeft:
      x = freeWidth;
      y = centreY;
      break;
    case blGlyphRight:
      x = static_cast<int>((width + spacing + caption.cx - glyph.cx) / 2);
      y = centreY;
      break;
    case blGlyphTop:
      x = centreX + 1;
      y = freeHeight;
      break;
    case blGlyphBottom:
      x = centreX + 1;
      y = static_cast<int>(height - freeHeight - glyph.cy);
      break;
  }
  TRect r(x, y, x + glyph.cx, y + glyph.cy);
  if (pushed) OffsetRect(&r, 1, 1);
  return r;
}

void TacBitBtnWnd::CalcCaptionRect(TRect& r) {
  TBitBtn* button = BitBtnOf(SkinData);
  TSize glyph{};
  GetGlyphSize(glyph);
  if (!button) {
    TacBtnWnd::CalcCaptionRect(r);
    if (glyph.cx > 0) OffsetRect(&r, static_cast<int>(glyph.cx / 2 + 1), 0);
    return;
  }
  TSize caption{};
  TacBtnWnd::GetCaptionSize(caption);
  TPoint glyphPos;
  TRect text;
  CalcButtonLayout(TRect(0, 0, WindowSize.x, WindowSize.y), TPoint(glyph.cx, glyph.cy), TPoint(caption.cx, caption.cy), 0,
                   text, glyphPos, button->Margin(), button->Spacing(), taCenter, button->Layout());
  r = text;
  if (ButtonState() == 2) OffsetRect(&r, 1, 1);
}

int TacBitBtnWnd::GetMaxCaptionWidth() {
  TBitBtn* button = BitBtnOf(SkinData);
  if (!button) return TacBtnWnd::GetMaxCaptionWidth();
  if (Caption.empty()) return 0;
  TSize glyph{};
  GetGlyphSize(glyph);
  int width = WindowSize.x - 2 * button->Margin();
  if ((button->Layout() == blGlyphLeft || button->Layout() == blGlyphRight) && glyph.cy > 0)
    width -= glyph.cx + button->Spacing();
  return width;
}

void TacBitBtnWnd::PaintGlyph() {
  TBitBtn* button = BitBtnOf(SkinData);
  if (!button || !button->Glyph() || button->Glyph()->Width() <= 0) return;
  TBitmap* glyph = button->Glyph();
  const int count = std::max<int>(button->NumGlyphs(), 1);
  const int state = ButtonState();
  int index = 0;
  if (state == 2)
    index = std::min(count, 4) - 1;
  else if (!IsWindowEnabled(Handle))
    index = std::min(count, 1) - 1;
  if (glyph->PixelFormat() != pf24bit) glyph->SetPixelFormat(pf24bit);
  const TRect r = GlyphRect();
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const int frameWidth = glyph->Width() / count;
  const TColor key = glyph->Canvas()->Pixels(0, 0);
  CopyTransparentPlain(SkinData->CacheBmp, glyph, r.left, r.top,
                       TRect(index * frameWidth, 0, (index + 1) * frameWidth, glyph->Height()), key);
}

// ---- check boxes and radio buttons ------------------------------------------------------------------

int TacCheckBoxWnd::CheckState() const {
  const LRESULT state = SendMessageW(Handle, BM_GETSTATE, 0, 0);
  if (state & BST_INDETERMINATE) return 2;
  return (state & BST_CHECKED) ? 1 : 0;
}

const wchar_t* TacCheckBoxWnd::GlyphName(DWORD style, int checkState) {
  const DWORD type = style & BS_TYPEMASK;
  const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  static const wchar_t* const boxes[3] = {L"BOXUNCHECKED", L"BOXCHECKED", L"BOXGRAYED"};
  static const wchar_t* const radios[3] = {L"RADIOUNCHECKED", L"RADIOCHECKED", L"BOXGRAYED"};
  checkState = std::clamp(checkState, 0, 2);
  return radio ? radios[checkState] : boxes[checkState];
}

TSize TacCheckBoxWnd::GlyphSize(const TsMaskData& mask) {
  if (mask.Bmp) return TSize{mask.Bmp->Width() / 3, mask.Bmp->Height() / 2};
  const TFrameSize frame = MaskFrame(mask);
  return TSize{frame.Width, frame.Height};
}

void TacCheckBoxWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    BaseProcessMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_ENABLE:
    case BM_SETCHECK:
    case BM_SETSTATE:
      if (Showing(Handle)) {
        SendMessageW(Handle, WM_SETREDRAW, 0, 0);
        BaseProcessMessage(message);
        SendMessageW(Handle, WM_SETREDRAW, 1, 0);
        SendMessageW(Handle, WM_PAINT, 0, 0);
        return;
      }
      break;
    case WM_PAINT:
      Paint(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      message.Result = 1;
      return;
    case SM_ALPHACMD:
      if (message.WParamHi() == scBecameActive || message.WParamHi() == scLostActive) {
        SkinData->MouseAbove = message.WParamHi() == scBecameActive;
        SkinData->BGChanged = true;
        SendMessageW(Handle, WM_PAINT, 0, 0);
      }
      break;
    default:
      break;
  }
  BaseProcessMessage(message);
  if (Released) return;
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      SendMessageW(Handle, WM_PAINT, 0, 0);
      break;
    case WM_KEYDOWN:
      if (message.WParam == VK_SPACE) SendMessageW(Handle, WM_PAINT, 0, 0);
      break;
    case WM_NCHITTEST:
      if (DefaultManager && IsWindowEnabled(Handle) && DefaultManager->ActiveControlWindow() != Handle)
        DefaultManager->SetActiveControl(Handle);
      break;
    default:
      break;
  }
}

void TacCheckBoxWnd::Paint(HDC given) {
  UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
  PAINTSTRUCT ps{};
  HDC dc = given;
  if (!given) dc = BeginPaint(Handle, &ps);
  SkinData->SetUpdating(SkinData->IsUpdating());
  if (!SkinData->Updating) {
    CheckBoxPaintStyle = StyleOf(Handle);
    SharedCacheRef.Ready = false;
    const TsCacheRef ci = TsCommonData::GetParentCacheForWindow(Handle);
    if (Showing(Handle) || given) {
      SkinData->BGChanged = true;
      PrepareCache(ci.Ready);
      CopyCacheToDC(SkinData->CacheBmp, dc);
    }
  }
  if (!given) EndPaint(Handle, &ps);
}

void TacCheckBoxWnd::PrepareCache(bool parentReady) {
  const TsCacheRef ci = TsCommonData::GetParentCacheForWindow(Handle);
  TBitmap* cache = SizeCacheBmp(SkinData, WindowSize.x, WindowSize.y);
  TCanvas* canvas = cache->Canvas();
  UseWindowFont(canvas, Handle);
  const int width = WindowSize.x, height = WindowSize.y;
  const int faceState = SkinData->MouseAbove || SkinData->FocusSet ? 1 : 0;
  PaintItem(SkinData, ci, true, faceState, TRect(0, 0, width, height), ParentOffset, cache, false);

  const DWORD style = CheckBoxPaintStyle;
  const LRESULT buttonState = SendMessageW(Handle, BM_GETSTATE, 0, 0);
  TsSkinManager* manager = SkinData->SkinManager();
  const int globalInfo = manager->ConstIndexes().GlobalInfo;
  auto maskOf = [&](int checkState) {
    return manager->GetMaskIndex(globalInfo, L"GLOBALINFO", GlyphName(style, checkState));
  };

  // The caption beside the glyph.
  if (!Caption.empty()) {
    const int checked = maskOf(1);
    const int glyphWidth = manager->IsValidMaskIndex(checked) ? GlyphSize(manager->Masks()[size_t(checked)]).cx : 16;
    const int limit = width - glyphWidth - 2;
    const bool multiline = (style & BS_MULTILINE) != 0;
    const TSize text = MeasureText(canvas, Caption, limit, multiline ? DT_WORDBREAK : DT_SINGLELINE);
    const int top = std::max(static_cast<int>((height - text.cy) / 2), 0);
    TRect r = (style & BS_RIGHTBUTTON) ? TRect(2, top, 2 + limit, height - top)
                                        : TRect(width - limit + 2, top, width, height - top);
    if (!(style & BS_RIGHTBUTTON)) OffsetRect(&r, multiline ? -1 : 0, -1);
    canvas->Brush()->SetStyle(bsClear);
    WriteTextEx(canvas, Caption.c_str(), IsWindowEnabled(Handle) != FALSE, faceState != 0, SkinData->TextSkin(),
                multiline ? DT_WORDBREAK | DT_CENTER : DT_SINGLELINE, r);
    if (buttonState & BST_FOCUS) {
      RECT focus{r.left - 1, r.top, r.left + text.cx + 1, r.top + text.cy};
      DrawFocusRect(canvas->Handle(), &focus);
    }
  }

  // The glyph of the check state.
  const int glyph = maskOf(CheckState());
  if (width >= 1 && manager->IsValidMaskIndex(glyph)) {
    const TsMaskData& mask = manager->Masks()[size_t(glyph)];
    const TSize size = GlyphSize(mask);
    const int x = (style & BS_RIGHTBUTTON) ? width - static_cast<int>(size.cx) : 0;
    const int y = static_cast<int>((height - size.cy) / 2);
    SharedParentColor = clFuchsia;
    const int state = (buttonState & BST_PUSHED) ? 2 : ((buttonState & BST_FOCUS) || SkinData->MouseAbove) ? 1 : 0;
    DrawSkinGlyph(cache, TPoint(x, y), state, mask, 1);
  }

  if (!IsWindowEnabled(Handle) && parentReady && ci.Bmp) {
    const TPoint at(ci.X + ParentOffset.x, ci.Y + ParentOffset.y);
    BlendTransBitmap(cache, 0, 0, clNone, 0.4, TRect(at.x, at.y, at.x + width, at.y + height), ci.Bmp);
  }
  SkinData->BGChanged = false;
}

// ---- group boxes ------------------------------------------------------------------------------------

HFONT TacGroupBoxWnd::WindowFont() const { return reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0)); }

TRect TacGroupBoxWnd::CaptionRect() {
  // Measured on a memory DC: the cache may still be empty.
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = WindowFont();
  if (TControl* owner = SkinData->OwnerControl()) font = owner->Font()->Handle();
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  RECT measured{0, 0, 0, 0};
  DrawTextW(dc, Caption.c_str(), static_cast<int>(Caption.size()), &measured, DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
  const TSize text{measured.right - measured.left, measured.bottom - measured.top};
  RECT wr{};
  GetWindowRect(Handle, &wr);
  const int width = wr.right - wr.left;
  TRect r(6, 0, text.cx + 14, std::max(4, static_cast<int>(text.cy)) + 2);
  if (width < text.cx + 14) r.right = width - 1;
  return r;
}

void TacGroupBoxWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    BaseProcessMessage(message);
    return;
  }
  switch (message.Msg) {
    case SM_ALPHACMD:
      if (message.WParamHi() == scRemoveSkin) {
        if (TControl* owner = SkinData->OwnerControl()) owner->ControlStyle.Exclude(csOpaque);
      } else if (message.WParamHi() == scGetCaptionHeight) {
        message.Result = CaptionRect().bottom;
        return;
      }
      break;
    case WM_MOVE:
    case WM_SIZE:
      SkinData->BGChanged = true;
      break;
    case WM_PAINT:
      if (!DialogMode) {
        Paint(reinterpret_cast<HDC>(message.WParam), 0);
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (!DialogMode) {
        Paint(reinterpret_cast<HDC>(message.WParam), 1);
        message.Result = 1;
        return;
      }
      break;
    case WM_NCPAINT:
      if (DialogMode) {
        Paint(nullptr, 0);
        return;
      }
      break;
    case WM_PRINT:
      if (!DialogMode) {
        SkinData->BGChanged = true;
        Paint(reinterpret_cast<HDC>(message.WParam), 1);
        return;
      }
      break;
    case WM_PARENTNOTIFY:
      BaseProcessMessage(message);
      if (LOWORD(message.WParam) == WM_CREATE && SkinData->OwnerControl()) NotifyParentForm(SkinData->OwnerControl());
      return;
    default:
      break;
  }
  BaseProcessMessage(message);
}

void TacGroupBoxWnd::Paint(HDC given, LPARAM lParam) {
  UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
  PAINTSTRUCT ps{};
  const bool usesGiven = given && lParam == 1;
  const bool began = !given;
  HDC painted = began ? BeginPaint(Handle, &ps) : nullptr;
  SkinData->SetUpdating(SkinData->IsUpdating());
  if (!SkinData->Updating) {
    SharedCacheRef.Ready = false;
    HDC own = nullptr;
    HDC dc = usesGiven ? given : (painted ? painted : (own = GetDC(Handle)));
    PrepareCache();
    CopyCacheToDC(SkinData->CacheBmp, dc);
    if (own) ReleaseDC(Handle, own);
  }
  if (began) EndPaint(Handle, &ps);
}

void TacGroupBoxWnd::PrepareCache() {
  const TRect caption = CaptionRect();
  TBitmap* cache = SizeCacheBmp(SkinData, WindowSize.x, WindowSize.y);
  TCanvas* canvas = cache->Canvas();
  const int width = WindowSize.x, height = WindowSize.y, band = caption.bottom;
  const TsCacheRef ci = TsCommonData::GetParentCacheForWindow(Handle);
  TColor parentColour = clBtnFace;
  // The parent's image (or colour) under a rectangle of the caption band.
  auto underParent = [&](const TRect& r) {
    if (ci.Bmp) {
      BitBlt(canvas->Handle(), r.left, r.top, r.Width(), r.Height(), ci.Bmp->Canvas()->Handle(),
             ci.X + ParentOffset.x + r.left, ci.Y + ParentOffset.y + r.top, SRCCOPY);
    } else {
      FillDC(canvas->Handle(), r, parentColour);
    }
  };
  if (!ci.Bmp && ParentHandle) {
    SharedTransparentColor = clFuchsia;
    SendSkinCommand(ParentHandle, scGetBgColor, nullptr);
    if (SharedTransparentColor != clFuchsia) parentColour = static_cast<TColor>(ColorToRGB(SharedTransparentColor));
    SharedTransparentColor = clFuchsia;
  }
  underParent(TRect(0, 0, width, band));
  PaintItem(SkinData, ci, false, 0, TRect(0, band / 2, width, height), TPoint(ParentOffset.x, ParentOffset.y + band / 2),
            cache, false);
  if (!Caption.empty()) {
    underParent(caption);
    UseWindowFont(canvas, Handle);
    canvas->Brush()->SetStyle(bsClear);
    WriteTextEx(canvas, Caption.c_str(), IsWindowEnabled(Handle) != FALSE, false, SkinData->TextSkin(),
                DT_SINGLELINE | DT_CENTER | DT_VCENTER, caption);
  }
  SkinData->BGChanged = false;
}
