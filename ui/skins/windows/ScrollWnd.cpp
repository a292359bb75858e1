#include "ui/skins/windows/ScrollWnd.h"

#include <algorithm>

#include "platform/framework/rtl/Seams.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinCommon.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TacScrollBar)
DEFINE_CLASS(TacScrollWnd)

TacScrollMouseState ScrollMouse;

namespace {

constexpr UINT kScrollInfoMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;  // $17

// The signed coordinates packed in a message parameter.
TPoint PointOf(LPARAM value) {
  return TPoint(static_cast<short>(LOWORD(value)), static_cast<short>(HIWORD(value)));
}

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

int SystemScrollSize() { return DefaultScrollWidth > 0 ? DefaultScrollWidth : GetSystemMetrics(SM_CXHSCROLL); }

void ReadInfo(HWND handle, TacScrollBar* bar) {
  bar->Info = SCROLLINFO{};
  bar->Info.cbSize = sizeof(SCROLLINFO);
  bar->Info.fMask = kScrollInfoMask;
  if (!GetScrollInfo(handle, bar->Kind, &bar->Info)) {
    bar->Info.nMin = bar->Info.nMax = bar->Info.nPos = bar->Info.nTrackPos = 0;
    bar->Info.nPage = 0;
  }
}

int Along(const TRect& r, bool horizontal) { return horizontal ? r.Width() : r.Height(); }

// The frame size of a mask along (horizontal) or across a bar.
int MaskFrameAlong(const TsMaskData& mask, bool horizontal) {
  const TFrameSize frame = MaskFrame(mask);
  return horizontal ? frame.Width : frame.Height;
}

// One section painted over the bar image into its own bitmap of R's size, its glyph centred in
// glyphRect (relative to R), then copied into the bar image.
void PaintBarPiece(TsSkinManager* manager, TBitmap* barImage, TBitmap* piece, const TRect& r, int section, int border, int pattern,
                   int hotPattern, int glyph, const wchar_t* name, int state, const TRect& glyphRect) {
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;
  BitBlt(piece->Canvas()->Handle(), 0, 0, w, h, barImage->Canvas()->Handle(), r.left, r.top, SRCCOPY);
  if (manager->IsValidSkinIndex(section))
    PaintItemFast(section, border, pattern, hotPattern, manager, piece, TPoint(r.left, r.top), TRect(0, 0, w, h),
                  state, true, MakeCacheRef(barImage, 0, 0), name);
  if (manager->IsValidMaskIndex(glyph)) {
    const TsMaskData& mask = manager->Masks()[size_t(glyph)];
    const TFrameSize frame = MaskFrame(mask);
    const int gx = glyphRect.left + (glyphRect.Width() - frame.Width) / 2;
    const int gy = glyphRect.top + (glyphRect.Height() - frame.Height) / 2;
    DrawSkinGlyph(piece, TPoint(gx, gy), state, mask, 1);
  }
  BitBlt(barImage->Canvas()->Handle(), r.left, r.top, w, h, piece->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// Asks the window for its cache; an empty reference when it does not answer.
TsCacheRef AskWindowCache(HWND handle) {
  SharedCacheRef.Ready = false;
  SharedCacheRef.Bmp = nullptr;
  SendMessageW(handle, SM_ALPHACMD, SkinCommandWParam(scGetCache), 0);
  TsCacheRef answer = SharedCacheRef;
  SharedCacheRef.X = SharedCacheRef.Y = 0;
  if (!answer.Bmp || answer.Bmp->Width() <= 0 || answer.Bmp->Height() <= 0) return TsCacheRef{};
  answer.X = answer.Y = 0;
  answer.Ready = true;
  return answer;
}

}  // namespace

// ---- TacScrollBar -----------------------------------------------------------------------------------

TacScrollBar::TacScrollBar(TacScrollWnd* owner, int kind) : Kind(static_cast<Word>(kind)), Owner(owner) {
  Info.cbSize = sizeof(SCROLLINFO);
}

// ---- TacScrollWnd -----------------------------------------------------------------------------------

TacScrollWnd::TacScrollWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section)
    : TacMainWnd(handle, skinData, manager, section) {}

TacScrollWnd::~TacScrollWnd() {
  if (ScrollMouse.TrackWindow == Handle && Handle) {
    ScrollMouse = TacScrollMouseState{};
  }
}

void TacScrollWnd::Attach(bool repaint) {
  DialogMode = SubclassDialogMode;
  StoreOriginalParams();
  SkinParamsApplied = false;
  const int length = GetWindowTextLengthW(Handle);
  Caption.assign(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
  Caption.resize(static_cast<size_t>(std::max(GetWindowTextW(Handle, Caption.data(), length + 1), 0)));
  InitScrollBars(repaint);
  if (TControl* owner = SkinData->OwnerControl()) owner->ControlStyle.Include(csOpaque);
}

void TacScrollWnd::InitScrollBars(bool repaint) {
  SelfScrolling = false;
  HorzBar.reset(new TacScrollBar(this, SB_HORZ));
  VertBar.reset(new TacScrollBar(this, SB_VERT));
  ReadInfo(Handle, HorzBar.get());
  ReadInfo(Handle, VertBar.get());
  LeftScrollBar = (GetWindowLongW(Handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  const LONG style = GetWindowLongW(Handle, GWL_STYLE);
  HorzBar->Flags = (style & WS_HSCROLL) ? 8 : 0;
  VertBar->Flags = (style & WS_VSCROLL) ? 8 : 0;
  StyleLocked = false;
  SubclassWindow(Handle);
  SetMinThumbSize(Handle, 3, 10);
  if (repaint) RefreshFrame(Handle, true);
}

int TacScrollWnd::BarMetric(const TacScrollBar* bar, int what, bool useSkin) const {
  if (!bar || (bar->Kind != SB_HORZ && bar->Kind != SB_VERT)) return 0;
  const bool horizontal = bar->Kind == SB_HORZ;
  if (what == 1) {
    if (bar->Thickness >= 0) return bar->Thickness;
    return -bar->Thickness * GetSystemMetrics(horizontal ? SM_CYHSCROLL : SM_CXVSCROLL);
  }
  if (bar->ArrowLength >= 0) return bar->ArrowLength;
  const int system = SystemScrollSize();
  TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
  if (useSkin && manager) {
    const TacConstIndexes& c = manager->ConstIndexes();
    const TacScrollBtnIndexes& own = horizontal ? c.BtnLeft : c.BtnTop;
    if (manager->IsValidSkinIndex(c.BtnLeft.Section) && manager->Sections()[size_t(c.BtnLeft.Section)].ReservedBoolean &&
        manager->IsValidMaskIndex(c.BtnLeft.BordersMask) && manager->IsValidMaskIndex(own.BordersMask)) {
      const int frame = MaskFrameAlong(manager->Masks()[size_t(own.BordersMask)], horizontal);
      return -bar->ArrowLength * std::max(system, frame);
    }
  }
  return -bar->ArrowLength * system;
}

TRect TacScrollWnd::HorzBarRect() const {
  RECT wr{};
  GetWindowRect(Handle, &wr);
  const int hThick = HorzBar->Visible ? BarMetric(HorzBar.get(), 1, false) : 0;
  const int vThick = VertBar->Visible ? BarMetric(VertBar.get(), 1, false) : 0;
  TRect r;
  r.bottom = wr.bottom - EdgeBottom;
  r.top = r.bottom - hThick;
  r.left = wr.left + EdgeLeft + (LeftScrollBar ? vThick : 0);
  r.right = wr.right - EdgeRight - (LeftScrollBar ? 0 : vThick);
  return r;
}

TRect TacScrollWnd::VertBarRect() const {
  RECT wr{};
  GetWindowRect(Handle, &wr);
  const int hThick = HorzBar->Visible ? BarMetric(HorzBar.get(), 1, false) : 0;
  const int vThick = VertBar->Visible ? BarMetric(VertBar.get(), 1, false) : 0;
  TRect r;
  r.top = wr.top + EdgeTop;
  r.bottom = wr.bottom - EdgeBottom - hThick;
  if (LeftScrollBar) {
    r.left = wr.left + EdgeLeft;
    r.right = r.left + vThick;
  } else {
    r.right = wr.right - EdgeRight;
    r.left = r.right - vThick;
  }
  return r;
}

TRect TacScrollWnd::BarRect(int kind) const { return kind == SB_HORZ ? HorzBarRect() : VertBarRect(); }

TRect TacScrollWnd::CornerRect() const {
  const TRect h = HorzBarRect(), v = VertBarRect();
  if (LeftScrollBar) return TRect(v.left, h.top, h.left, h.bottom);
  return TRect(h.right, h.top, v.right, h.bottom);
}

TacThumb TacScrollWnd::ThumbGeometry(const TacScrollBar* bar, const TRect& r) const {
  const bool horizontal = bar->Kind == SB_HORZ;
  const int arrow = BarMetric(bar, 0, false);
  const int length = Along(r, horizontal);
  const int start = horizontal ? r.left : r.top;
  const SCROLLINFO& info = bar->Info;
  const int span = info.nMax - info.nMin + 1;
  const int track = length - 2 * arrow;
  TacThumb thumb;
  if (info.nPage == 0)
    thumb.Length = arrow;
  else if (span > 0)
    thumb.Length = std::max(MulDiv(static_cast<int>(info.nPage), track, span), bar->MinThumbSize);
  int offset = 0;
  if (span > 0) {
    offset = MulDiv(info.nPos - info.nMin, track - thumb.Length, span - std::max<int>(static_cast<int>(info.nPage), 1));
    offset = std::clamp(offset, 0, std::max(track - thumb.Length, 0));
  }
  thumb.Start = start + arrow + offset;
  return thumb;
}

int TacScrollWnd::HitTestBar(const TacScrollBar* bar, const TRect& r, int y, int x) const {
  const bool horizontal = bar->Kind == SB_HORZ;
  // Across and along the bar.
  const int across = horizontal ? y : x, along = horizontal ? x : y;
  const int acrossLow = horizontal ? r.top : r.left, acrossHigh = horizontal ? r.bottom : r.right;
  const int low = horizontal ? r.left : r.top, high = horizontal ? r.right : r.bottom;
  if (across < acrossLow || across > acrossHigh - 1) return kScrollPartNone;
  const int arrow = BarMetric(bar, 0, false);
  const int length = high - low;
  const int a = 2 * arrow < length ? arrow : length / 2;
  if (along >= low && along <= low + a - 1) return kScrollPartFirstArrow;
  if (along >= high - a && along <= high - 1) return kScrollPartSecondArrow;
  const TacThumb thumb = ThumbGeometry(bar, r);
  if (thumb.Length >= length - 2 * arrow) return kScrollPartNone;
  if (along >= thumb.Start && along < thumb.Start + thumb.Length) return kScrollPartThumb;
  if (along >= low + a && along < thumb.Start) return kScrollPartFirstTrack;
  if (along >= thumb.Start + thumb.Length && along < high - a) return kScrollPartSecondTrack;
  return kScrollPartNone;
}

bool TacScrollWnd::BarEnabled(const TacScrollBar* bar) const {
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  static_assert(sizeof(SCROLLBARINFO) == 60, "the scroll bar information is the platform's 60-byte structure");
  if (!GetScrollBarInfo(Handle, bar->Kind == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info)) return false;
  return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
}

bool TacScrollWnd::SizeGripShown() const {
  HWND parent = GetParent(Handle);
  if (!parent || GetParent(parent)) return false;
  RECT client{};
  GetClientRect(parent, &client);
  MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const TRect corner = CornerRect();
  const bool side = LeftScrollBar ? corner.left - EdgeLeft == client.left : corner.right + EdgeRight == client.right;
  return side && corner.bottom + EdgeBottom == client.bottom;
}

void TacScrollWnd::SendScroll(UINT message, int code, int position) {
  SendMessageW(Handle, SM_ALPHACMD, SkinCommandWParam(scScrollBegins), 0);
  const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE;
  GetScrollInfo(Handle, bar, &info);
  if (code == SB_THUMBTRACK && position != info.nMin &&
      position != info.nMax - static_cast<int>(info.nPage) + 1)
    SetScrollPos(Handle, bar, position, FALSE);
  SendMessageW(Handle, message, MAKEWPARAM(code, position), 0);
  SendMessageW(Handle, SM_ALPHACMD, SkinCommandWParam(scScrollEnded), MAKELPARAM(code, message));
}

void TacScrollWnd::RefreshScrollInfo(bool repaint) {
  ReadInfo(Handle, HorzBar.get());
  ReadInfo(Handle, VertBar.get());
  if (repaint) PaintScrollBars(nullptr, -1);
}

LRESULT TacScrollWnd::PaintScrollBars(HDC dc, int thumbOverride) {
  if (!HorzBar || !VertBar) return 0;
  if (SkinData) {
    SkinData->SetUpdating(SkinData->IsUpdating());
    if (SkinData->Updating) return 0;
    if (TControl* owner = SkinData->OwnerControl()) {
      if (owner->ControlState.Contains(csCreating) || !owner->Showing()) return 0;
    }
    if (SkinData->BGChanged) SendMessageW(Handle, SM_ALPHACMD, SkinCommandWParam(scPrepareCache), 0);
  }
  HDC own = nullptr;
  if (!dc) dc = own = GetWindowDC(Handle);
  if (!dc) return 0;
  struct TRelease {
    HWND Window;
    HDC Dc;
    ~TRelease() {
      if (Dc) ReleaseDC(Window, Dc);
    }
  } release{Handle, own};
  RECT wr{};
  GetWindowRect(Handle, &wr);
  for (TacScrollBar* bar : {HorzBar.get(), VertBar.get()}) {
    if (!bar->Visible) continue;
    TRect r = BarRect(bar->Kind);
    OffsetRect(&r, -wr.left, -wr.top);
    PaintBar(bar, dc, thumbOverride, ScrollMouse.CaptureKind == bar->Kind ? ScrollMouse.DownPart : -1, r);
  }
  if (HorzBar->Visible && VertBar->Visible) {
    const int width = wr.right - wr.left, height = wr.bottom - wr.top;
    const int hThick = BarMetric(HorzBar.get(), 1, false), vThick = BarMetric(VertBar.get(), 1, false);
    TRect corner;
    corner.bottom = height - EdgeBottom;
    corner.top = corner.bottom - hThick;
    if (LeftScrollBar) {
      corner.left = EdgeLeft;
      corner.right = corner.left + vThick;
    } else {
      corner.right = width - EdgeRight;
      corner.left = corner.right - vThick;
    }
    const int cw = corner.Width(), ch = corner.Height();
    TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
    if (cw > 0 && ch > 0) {
      TBitmap* image = Scratch(1, cw, ch);
      const TsCacheRef cache = AskWindowCache(Handle);
      if (cache.Bmp) {
        BitBlt(image->Canvas()->Handle(), 0, 0, cw, ch, cache.Bmp->Canvas()->Handle(), corner.left, corner.top, SRCCOPY);
      } else {
        image->Canvas()->Brush()->SetColor(manager ? manager->GlobalHotColor() : clBtnFace);
        image->Canvas()->FillRect(TRect(0, 0, cw, ch));
      }
      if (manager && SizeGripShown()) {
        const int grip = manager->GetMaskIndex(manager->ConstIndexes().GlobalInfo, L"GLOBALINFO", L"GRIPIMAGE");
        if (manager->IsValidMaskIndex(grip)) {
          const TsMaskData& mask = manager->Masks()[size_t(grip)];
          const TFrameSize frame = MaskFrame(mask);
          DrawSkinGlyph(image, TPoint(cw - frame.Width, ch - frame.Height), 0, mask, 1);
        }
      }
      BitBlt(dc, corner.left, corner.top, cw, ch, image->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
  }
  return 0;
}

void TacScrollWnd::DrawBar(TacScrollBar* bar, HDC dc, const TRect& barRect, const int arrowStates[2],
                           const int trackStates[2], int thumbStart, int thumbState, bool enabled) {
  TsSkinManager* manager = SkinData->SkinManager();
  const TacConstIndexes& c = manager->ConstIndexes();
  const bool horizontal = bar->Kind == SB_HORZ;
  const int length = Along(barRect, horizontal);
  const int width = barRect.Width(), height = barRect.Height();
  const int arrow = BarMetric(bar, 0, true);
  const int system = SystemScrollSize();
  if (width <= 0 || height <= 0) return;
  TBitmap* image = Scratch(0, width, height);
  TBitmap* piece = Scratch(1, std::max(width, height), std::max(width, height));
  const TsCacheRef cache = AskWindowCache(Handle);
  auto span = [&](int a, int b) { return horizontal ? TRect(a, 0, b, height) : TRect(0, a, width, b); };
  const TacScrollBarIndexes& t1 = horizontal ? c.Bar1H : c.Bar1V;
  const TacScrollBarIndexes& t2 = horizontal ? c.Bar2H : c.Bar2V;
  const TacScrollBtnIndexes& b1 = horizontal ? c.BtnLeft : c.BtnTop;
  const TacScrollBtnIndexes& b2 = horizontal ? c.BtnRight : c.BtnBottom;
  const TacScrollSliderIndexes& s = horizontal ? c.SliderH : c.SliderV;
  const bool roomy = 2 * arrow < length;
  const TacThumb geometry = ThumbGeometry(bar, barRect);
  const int barStart = horizontal ? barRect.left : barRect.top;
  const int thumbAt = thumbStart - barStart;
  const int split = roomy ? thumbAt + geometry.Length / 2 : length / 2;
  const TPoint at(barRect.left, barRect.top);
  const TRect track1 = span(0, split), track2 = span(split, length);
  const wchar_t* track1Name = horizontal ? L"SCROLLBAR1H" : L"SCROLLBAR1V";
  const wchar_t* track2Name = horizontal ? L"SCROLLBAR2H" : L"SCROLLBAR2V";
  if (manager->IsValidSkinIndex(t1.Section) && !IsRectEmpty(&track1))
    PaintItemFast(t1.Section, t1.BordersMask, t1.Pattern, t1.HotPattern, manager, image,
                  TPoint(at.x + track1.left, at.y + track1.top), track1, roomy ? trackStates[0] : 0, true, cache,
                  track1Name);
  if (manager->IsValidSkinIndex(t2.Section) && !IsRectEmpty(&track2))
    PaintItemFast(t2.Section, t2.BordersMask, t2.Pattern, t2.HotPattern, manager, image,
                  TPoint(at.x + track2.left, at.y + track2.top), track2, roomy ? trackStates[1] : 0, true, cache,
                  track2Name);
  const int a = roomy ? arrow : length / 2;
  const TRect arrow1 = span(0, a), arrow2 = span(length - a, length);
  // The glyph sits in the first (up, left) or last (down, right) system-size pixels of a button.
  const TRect glyph1 = span(0, std::min(system, a));
  const TRect glyph2 = horizontal ? TRect(std::max(a - system, 0), 0, a, height) : TRect(0, std::max(a - system, 0), width, a);
  PaintBarPiece(manager, image, piece, arrow1, b1.Section, b1.BordersMask, b1.Pattern, b1.HotPattern, b1.GlyphMask,
                horizontal ? L"SCROLLBTNLEFT" : L"SCROLLBTNTOP", arrowStates[0], glyph1);
  PaintBarPiece(manager, image, piece, arrow2, b2.Section, b2.BordersMask, b2.Pattern, b2.HotPattern, b2.GlyphMask,
                horizontal ? L"SCROLLBTNRIGHT" : L"SCROLLBTNBOTTOM", arrowStates[1], glyph2);
  if (roomy && thumbState >= 0) {
    const TRect thumb = span(thumbAt, thumbAt + geometry.Length);
    PaintBarPiece(manager, image, piece, thumb, s.Section, s.BordersMask, s.Pattern, s.HotPattern, s.GlyphMask,
                  horizontal ? L"SCROLLSLIDERH" : L"SCROLLSLIDERV", thumbState,
                  TRect(0, 0, thumb.Width(), thumb.Height()));
  }
  if (!enabled) {
    const TsCacheRef again = AskWindowCache(Handle);
    if (again.Bmp) {
      BlendTransBitmap(image, 0, 0, clNone, 0.4, TRect(at.x, at.y, at.x + width, at.y + height), again.Bmp);
    } else {
      TColor colour = clBtnFace;
      if (manager->IsValidSkinIndex(t1.Section)) colour = manager->Sections()[size_t(t1.Section)].Color;
      PaintShadow(image, TRect(0, 0, width, height), 60, static_cast<TColor>(ColorToRGB(colour)), 0, 0);
    }
  }
  BitBlt(dc, barRect.left, barRect.top, width, height, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacScrollWnd::PaintBar(TacScrollBar* bar, HDC dc, int thumbOverride, int downPart, const TRect& barRect) {
  TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
  if (DraggingThumb || !bar->Visible || !manager || !manager->IsValidSkinIndex(manager->ConstIndexes().Bar1H.Section)) return;
  const bool horizontal = bar->Kind == SB_HORZ;
  if (Along(barRect, horizontal) <= 1) return;
  if (!horizontal && SelfScrolling) return;
  ReadInfo(Handle, bar);
  bool enabled = BarEnabled(bar);
  if (TControl* owner = SkinData->OwnerControl()) enabled = enabled && owner->Enabled();
  int arrowStates[2] = {0, 0};
  const bool tracked = ScrollMouse.TrackWindow == Handle;
  if (!tracked) downPart = -1;
  const bool hot = tracked && ScrollMouse.HotKind == bar->Kind;
  if (tracked) {
    for (int i = 0; i < 2; ++i)
      arrowStates[i] = downPart == i ? 2 : (enabled && hot && ScrollMouse.HotPart == i ? 1 : 0);
  }
  const int trackStates[2] = {downPart == kScrollPartFirstTrack ? 2 : 0, downPart == kScrollPartSecondTrack ? 2 : 0};
  const TacThumb thumb = ThumbGeometry(bar, barRect);
  const int start = thumbOverride != -1 ? thumbOverride : thumb.Start;
  // The thumb is drawn where hit-testing finds it, and only when there is room to move it.
  const int track = Along(barRect, horizontal) - 2 * BarMetric(bar, 0, false);
  const bool thumbShown = enabled && thumb.Length > 0 && thumb.Length < track;
  const int thumbState = thumbShown ? (hot && ScrollMouse.HotPart == kScrollPartThumb ? 1 : 0) : -1;
  DrawBar(bar, dc, barRect, arrowStates, trackStates, start, thumbState, enabled);
}

TBitmap* TacScrollWnd::Scratch(int slot, int width, int height) {
  std::unique_ptr<TBitmap, TFreeDeleter>& bmp = scratch_[slot];
  if (!bmp) {
    bmp.reset(CreateBmp24(width, height));
  } else if (bmp->Width() < width || bmp->Height() < height) {
    bmp->SetSize(std::max(bmp->Width(), width), std::max(bmp->Height(), height));
  }
  return bmp.get();
}

void TacScrollWnd::RepaintBar(int kind, int downPart) {
  TacScrollBar* bar = Bar(kind);
  if (!bar || !bar->Visible) return;
  HDC dc = GetWindowDC(Handle);
  if (!dc) return;
  RECT wr{};
  GetWindowRect(Handle, &wr);
  TRect r = BarRect(kind);
  OffsetRect(&r, -wr.left, -wr.top);
  PaintBar(bar, dc, -1, downPart, r);
  ReleaseDC(Handle, dc);
}

// ---- messages ----------------------------------------------------------------------------------------

void TacScrollWnd::PassOnWithoutScrollStyles(TMessage& message) {
  const LONG style = GetWindowLongW(Handle, GWL_STYLE);
  if ((style & (WS_HSCROLL | WS_VSCROLL)) == 0) {
    PassOn(message);
    return;
  }
  StyleLocked = true;
  SetWindowLongW(Handle, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
  struct TPutBack {
    TacScrollWnd* Self;
    LONG Style;
    ~TPutBack() {
      if (IsWindow(Self->Handle)) {
        const LONG now = GetWindowLongW(Self->Handle, GWL_STYLE);
        SetWindowLongW(Self->Handle, GWL_STYLE, now | (Style & (WS_HSCROLL | WS_VSCROLL)));
      }
      Self->StyleLocked = false;
    }
  } putBack{this, style};
  PassOn(message);
}

void TacScrollWnd::NCCalcSize(TMessage& message) {
  auto* proposed = reinterpret_cast<RECT*>(message.LParam);
  if (!proposed) {
    PassOn(message);
    return;
  }
  const RECT old = *proposed;
  PassOnWithoutScrollStyles(message);
  proposed = reinterpret_cast<RECT*>(message.LParam);
  EdgeLeft = proposed->left - old.left;
  EdgeRight = old.right - proposed->right;
  EdgeTop = proposed->top - old.top;
  EdgeBottom = old.bottom - proposed->bottom;
  const LONG style = GetWindowLongW(Handle, GWL_STYLE);
  HorzBar->Flags = (style & WS_HSCROLL) ? 8 : 0;
  const int hThick = BarMetric(HorzBar.get(), 1, false);
  if (HorzBar->Flags && proposed->bottom - proposed->top >= hThick) {
    proposed->bottom -= hThick;
    HorzBar->Visible = true;
  } else {
    HorzBar->Visible = false;
  }
  VertBar->Flags = (style & WS_VSCROLL) ? 8 : 0;
  const int vThick = BarMetric(VertBar.get(), 1, false);
  if (VertBar->Flags && proposed->right - proposed->left >= vThick) {
    if (LeftScrollBar)
      proposed->left += vThick;
    else
      proposed->right -= vThick;
    VertBar->Visible = true;
  } else {
    VertBar->Visible = false;
  }
}

void TacScrollWnd::NCHitTest(TMessage& message) {
  const TPoint p = PointOf(message.LParam);
  const TRect h = HorzBarRect(), v = VertBarRect(), corner = CornerRect();
  if (HorzBar->Visible && PtInRect(&h, p)) {
    message.Result = BarEnabled(HorzBar.get()) ? HTHSCROLL : HTNOWHERE;
    return;
  }
  if (VertBar->Visible && PtInRect(&v, p)) {
    message.Result = BarEnabled(VertBar.get()) ? HTVSCROLL : HTNOWHERE;
    return;
  }
  if (HorzBar->Visible && VertBar->Visible && SizeGripShown() && PtInRect(&corner, p)) {
    message.Result = HTBOTTOMRIGHT;
    return;
  }
  PassOn(message);
}

void TacScrollWnd::NCMouseMove(TMessage& message) {
  ScrollMouse.TrackWindow = Handle;
  if (message.WParam == HTHSCROLL || message.WParam == HTVSCROLL) {
    const int kind = message.WParam == HTHSCROLL ? SB_HORZ : SB_VERT;
    if (ScrollMouse.HotKind != kind) {
      ScrollMouse.LastHoverPart = -1;
      ScrollMouse.HotPart = -1;
      ScrollMouse.HotBarRect = BarRect(kind);
      ScrollMouse.HotKind = kind;
      ScrollMouse.HoverTimer = SetTimer(Handle, kScrollHoverTimer, kScrollHoverInterval, nullptr);
      PaintScrollBars(nullptr, -1);
    }
  }
  PassOn(message);
}

void TacScrollWnd::NCLButtonDown(TMessage& message) {
  if (message.WParam != HTHSCROLL && message.WParam != HTVSCROLL) {
    ScrollMouse.ClickedPart = -1;
    PassOn(message);
    return;
  }
  const int kind = message.WParam == HTHSCROLL ? SB_HORZ : SB_VERT;
  TacScrollBar* bar = Bar(kind);
  const TPoint p = PointOf(message.LParam);
  ScrollMouse.TrackWindow = Handle;
  ScrollMouse.ScrollMessage = kind == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
  ScrollMouse.CaptureKind = kind;
  ReadInfo(Handle, bar);
  const TRect r = BarRect(kind);
  ScrollMouse.ClickedPart = HitTestBar(bar, r, p.y, p.x);
  switch (ScrollMouse.ClickedPart) {
    case kScrollPartFirstArrow:
    case kScrollPartSecondArrow:
    case kScrollPartFirstTrack:
    case kScrollPartSecondTrack:
      if (BarEnabled(bar)) {
        ScrollMouse.DownPart = ScrollMouse.ClickedPart;
        RepaintBar(kind, ScrollMouse.DownPart);
        SendScroll(ScrollMouse.ScrollMessage, ScrollMouse.ClickedPart, 0);
        ScrollMouse.DownPart = ScrollMouse.ClickedPart;
        ScrollMouse.RepeatTimer = SetTimer(Handle, kScrollFirstRepeatTimer, kScrollFirstRepeatDelay, nullptr);
      }
      message.Result = 0;
      break;
    case kScrollPartThumb: {
      if (!BarEnabled(bar)) {
        ScrollMouse.ClickedPart = -1;
        ScrollMouse.CaptureKind = -1;
        message.Result = 0;
        return;
      }
      const TacThumb thumb = ThumbGeometry(bar, r);
      ScrollMouse.DragThumbLength = thumb.Length;
      ScrollMouse.DragThumbStart = thumb.Start;
      ScrollMouse.DragBarRect = r;
      ScrollMouse.DragGrabOffset = static_cast<int>(kind == SB_HORZ ? p.x : p.y) - thumb.Start;
      ScrollMouse.DragStartThumb = thumb.Start;
      bar->Info.nTrackPos = bar->Info.nPos;
      ScrollMouse.LastTrackPos = bar->Info.nPos;
      ScrollMouse.DownPart = kScrollPartThumb;
      RepaintBar(kind, kScrollPartThumb);
      DraggingThumb = true;
      message.Result = 0;
      break;
    }
    default:
      ScrollMouse.CaptureKind = -1;
      PassOn(message);
      break;
  }
  if (ScrollMouse.ClickedPart != -1) SetCapture(Handle);
}

void TacScrollWnd::Timer(TMessage& message) {
  switch (message.WParam) {
    case kScrollFirstRepeatTimer:
      KillTimer(Handle, kScrollFirstRepeatTimer);
      ScrollMouse.RepeatTimer = SetTimer(Handle, kScrollRepeatTimer, kScrollRepeatInterval, nullptr);
      message.Result = 0;
      break;
    case kScrollRepeatTimer: {
      POINT cursor{};
      GetCursorPos(&cursor);
      if (DraggingThumb)
        DragThumb(cursor);
      else if (ScrollMouse.ClickedPart != -1)
        FollowPointer(cursor);
      if (!DraggingThumb && ScrollMouse.DownPart >= kScrollPartFirstArrow &&
          ScrollMouse.DownPart <= kScrollPartSecondTrack) {
        SelfScrolling = true;
        struct TClear {
          bool& Flag;
          ~TClear() { Flag = false; }
        } clear{SelfScrolling};
        SendScroll(ScrollMouse.ScrollMessage, ScrollMouse.DownPart, 0);
      }
      message.Result = 0;
      break;
    }
    case kScrollHoverTimer:
      HoverTick();
      message.Result = 0;
      break;
    default:
      PassOn(message);
      break;
  }
  if (!SelfScrolling && !DraggingThumb && !Released && IsWindow(Handle)) RefreshScrollInfo(true);
}

void TacScrollWnd::HoverTick() {
  if (DraggingThumb) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  if (!PtInRect(&ScrollMouse.HotBarRect, cursor)) {
    KillTimer(Handle, kScrollHoverTimer);
    ScrollMouse.HoverTimer = 0;
    ScrollMouse.HotKind = ScrollMouse.LastHoverPart = ScrollMouse.HotPart = -1;
    PaintScrollBars(nullptr, -1);
    return;
  }
  TacScrollBar* bar = Bar(ScrollMouse.HotKind);
  if (!bar) return;
  ScrollMouse.HotPart = HitTestBar(bar, BarRect(bar->Kind), cursor.y, cursor.x);
  if (ScrollMouse.HotPart != ScrollMouse.LastHoverPart)
    RepaintBar(bar->Kind, ScrollMouse.CaptureKind == bar->Kind ? ScrollMouse.DownPart : -1);
  ScrollMouse.LastHoverPart = ScrollMouse.HotPart;
}

void TacScrollWnd::MouseMove(TMessage& message) {
  const DWORD pos = GetMessagePos();
  const TPoint pointer = PointOf(static_cast<LPARAM>(pos));
  if (DraggingThumb) {
    DragThumb(pointer);
    message.Result = 0;
    return;
  }
  if (ScrollMouse.ClickedPart == -1) {
    PassOn(message);
    return;
  }
  FollowPointer(pointer);
  message.Result = 0;
}

void TacScrollWnd::FollowPointer(TPoint pointer) {
  TacScrollBar* bar = Bar(ScrollMouse.CaptureKind);
  if (!bar) return;
  const int part = HitTestBar(bar, BarRect(bar->Kind), pointer.y, pointer.x);
  const int down = part == ScrollMouse.ClickedPart ? part : -1;
  // The bar repaints whenever the pressed part changes: the pointer left or re-entered it.
  if (down != ScrollMouse.DownPart) {
    ScrollMouse.DownPart = down;
    RepaintBar(bar->Kind, down);
  }
}

void TacScrollWnd::DragThumb(TPoint pointer) {
  TacScrollBar* bar = Bar(ScrollMouse.CaptureKind);
  if (!bar) return;
  const bool horizontal = bar->Kind == SB_HORZ;
  const int arrow = BarMetric(bar, 0, false);
  const TRect& r = ScrollMouse.DragBarRect;
  const int trackLow = (horizontal ? r.left : r.top) + arrow;
  const int trackHigh = (horizontal ? r.right : r.bottom) - arrow;
  const int thumbLength = ScrollMouse.DragThumbLength;
  const int x = std::max(static_cast<int>(horizontal ? pointer.x : pointer.y) - ScrollMouse.DragGrabOffset, trackLow);
  const int start = std::min(trackHigh - thumbLength, x);
  // The whole bar: tracks and arrows in their plain state, the thumb pressed.
  if (HDC dc = GetWindowDC(Handle)) {
    RECT wr{};
    GetWindowRect(Handle, &wr);
    TRect local = BarRect(bar->Kind);
    OffsetRect(&local, -wr.left, -wr.top);
    const int zero[2] = {0, 0};
    const int along = horizontal ? wr.left : wr.top;
    DrawBar(bar, dc, local, zero, zero, start - along, 2, true);
    ReleaseDC(Handle, dc);
  }
  const SCROLLINFO& info = bar->Info;
  const int room = (trackHigh - trackLow) - thumbLength;
  int position;
  if (info.nMax - info.nMin < 1) {
    position = start - trackLow;
  } else {
    // A thumb that fills the track cannot be moved: no position.
    if (room <= 0) return;
    position = MulDiv(start - trackLow, info.nMax - info.nMin - static_cast<int>(info.nPage) + 1, room);
  }
  if (position != ScrollMouse.LastTrackPos) {
    bar->Info.nTrackPos = position;
    SelfScrolling = true;
    struct TClear {
      bool& Flag;
      ~TClear() { Flag = false; }
    } clear{SelfScrolling};
    SendScroll(ScrollMouse.ScrollMessage, SB_THUMBTRACK, position);
  }
  ScrollMouse.LastTrackPos = position;
}

void TacScrollWnd::LButtonUp(TMessage& message) {
  if (ScrollMouse.ClickedPart == -1) {
    PassOn(message);
    return;
  }
  ReleaseCapture();
  const int clicked = ScrollMouse.ClickedPart;
  const int kind = ScrollMouse.CaptureKind;
  const UINT scroll = ScrollMouse.ScrollMessage;
  if (clicked >= kScrollPartFirstArrow && clicked <= kScrollPartSecondTrack) {
    KillTimer(Handle, kScrollFirstRepeatTimer);
    KillTimer(Handle, kScrollRepeatTimer);
  }
  {
    SelfScrolling = true;
    struct TClear {
      bool& Flag;
      ~TClear() { Flag = false; }
    } clear{SelfScrolling};
    if (DraggingThumb) {
      DraggingThumb = false;
      SendScroll(scroll, SB_THUMBPOSITION, ScrollMouse.LastTrackPos);
    }
    SendScroll(scroll, SB_ENDSCROLL, clicked == kScrollPartThumb ? ScrollMouse.LastTrackPos : 0);
  }
  ScrollMouse.ClickedPart = ScrollMouse.DownPart = ScrollMouse.CaptureKind = -1;
  ScrollMouse.RepeatTimer = 0;
  ScrollMouse.ScrollMessage = 0;
  if (kind == SB_HORZ || kind == SB_VERT) RepaintBar(kind, -1);
  message.LParam = static_cast<LPARAM>(GetMessagePos());
  PassOn(message);
}

void TacScrollWnd::NCPaint(TMessage& message) {
  // The previous procedure paints the frame without the system's bars; the skinned ones go on top.
  PassOnWithoutScrollStyles(message);
  if (!IsWindowVisible(Handle) || !SkinData) return;
  SkinData->SetUpdating(SkinData->IsUpdating());
  if (!SkinData->Updating && !SelfScrolling) PaintScrollBars(nullptr, -1);
}

void TacScrollWnd::ReleaseScrollWindow() {
  if (Released) return;
  TacMainWnd* self = this;
  KillTimer(Handle, kScrollHoverTimer);
  KillTimer(Handle, kScrollFirstRepeatTimer);
  KillTimer(Handle, kScrollRepeatTimer);
  if (ScrollMouse.TrackWindow == Handle) ScrollMouse = TacScrollMouseState{};
  ReleaseWindow(Handle, false, false, self);
}

void TacScrollWnd::ProcessMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
      if (Subclassed()) {
        ReleaseScrollWindow();
        PassOn(message);
      }
      return;
    case WM_UPDATEUISTATE:
      message.Result = 0;
      return;
    default:
      break;
  }
  if (Released) return;
  TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
  if (!SkinData || !manager || !SkinData->Skinned()) {
    PassOn(message);
    return;
  }
  switch (message.Msg) {
    case SM_ALPHACMD: {
      const bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == manager;
      switch (message.WParamHi()) {
        case scApplySkin:
          if (ours) SkinData->UpdateIndexes();
          break;
        case scRefresh:
          if (ours) {
            SkinData->UpdateIndexes();
            SkinData->BGChanged = true;
          }
          break;
        case scRemoveSkin:
          if (ours) RestoreOriginalParams();
          break;
        case scGetCache:
          SharedCacheRef = MakeCacheRef(SkinData->CacheBmp, 0, 0);
          break;
        case scParentUpdated:
          if (SkinData->Updating) {
            SkinData->Updating = false;
            RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
          }
          break;
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
      PassOn(message);
      return;
    }
    case WM_STYLECHANGED:
      if (StyleLocked) {
        message.Result = 0;
        return;
      }
      if (message.WParam == static_cast<WPARAM>(GWL_EXSTYLE))
        LeftScrollBar = (reinterpret_cast<const STYLESTRUCT*>(message.LParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
      PassOn(message);
      return;
    case WM_NCCALCSIZE:
      NCCalcSize(message);
      return;
    case WM_NCHITTEST:
      NCHitTest(message);
      return;
    case WM_NCMOUSEMOVE:
      NCMouseMove(message);
      return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      NCLButtonDown(message);
      return;
    case WM_TIMER:
      Timer(message);
      return;
    case WM_MOUSEMOVE:
      MouseMove(message);
      return;
    case WM_LBUTTONUP:
      LButtonUp(message);
      return;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      if (message.WParam == HTHSCROLL || message.WParam == HTVSCROLL) {
        message.Result = 0;
        return;
      }
      break;
    case WM_SYSCOMMAND:
      if ((message.WParam & 0xFFFF) == 0xF077) return;
      break;
    case WM_NCPAINT:
      NCPaint(message);
      return;
    case CM_UIACTIVATE:
      PassOn(message);
      if (WindowSize.x != 0)
        SetWindowPos(Handle, nullptr, 0, 0, WindowSize.x, WindowSize.y,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER |
                         SWP_NOSENDCHANGING);
      return;
    default:
      break;
  }
  PassOn(message);
  if (Released) return;
  if ((message.Msg == WM_MOUSEWHEEL || message.Msg == CM_MOUSEWHEEL) && !SelfScrolling) RefreshScrollInfo(true);
  if (message.Msg == CM_FOCUSCHANGED) RefreshScrollInfo(true);
}

// ---- module routines ---------------------------------------------------------------------------------

bool SetMinThumbSize(HWND handle, int which, int size) {
  auto* object = dynamic_cast<TacScrollWnd*>(FindSubclassObject(handle));
  if (!object || !object->HorzBar) return false;
  if (which == 0 || which == 3) object->HorzBar->MinThumbSize = size;
  if (which == 1 || which == 3) object->VertBar->MinThumbSize = size;
  return true;
}

TacScrollBar* FindScrollBar(HWND handle, int kind) {
  if (kind != SB_HORZ && kind != SB_VERT) return nullptr;
  auto* object = dynamic_cast<TacScrollWnd*>(FindSubclassObject(handle));
  return object ? object->Bar(kind) : nullptr;
}
