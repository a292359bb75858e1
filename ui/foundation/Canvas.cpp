#include "ui/foundation/Canvas.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"

DEFINE_CLASS(TcxRegion)
DEFINE_CLASS(TcxCanvas)
DEFINE_CLASS(TcxScreenCanvas)

namespace {

constexpr int kNoClipExtent = 30000;

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

// ---- TcxRegion --------------------------------------------------------------------------------

TcxRegion::TcxRegion() : handle_(CreateRectRgn(0, 0, 0, 0)) {}
TcxRegion::TcxRegion(const TRect& R) : handle_(CreateRectRgnIndirect(&R)) {}
TcxRegion::TcxRegion(int L, int T, int R, int B) : handle_(CreateRectRgn(L, T, R, B)) {}
TcxRegion::~TcxRegion() {
  if (handle_) DeleteObject(handle_);
}

bool TcxRegion::IsEmpty() const {
  RECT box;
  return GetRgnBox(handle_, &box) == NULLREGION;
}

bool TcxRegion::IsEqual(const TcxRegion* Other) const {
  if (!Other) return false;
  return (IsEmpty() && Other->IsEmpty()) || EqualRgn(handle_, Other->handle_);
}

void TcxRegion::CombineWith(TcxRegion* Other, TcxRegionOperation Operation, bool FreeOther) {
  static const int modes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};
  if (Operation == roSet)
    CombineRgn(handle_, Other->handle_, nullptr, RGN_COPY);
  else
    CombineRgn(handle_, handle_, Other->handle_, modes[Operation]);
  if (FreeOther) Other->Free();
}

void TcxRegion::OffsetBy(int DX, int DY) { OffsetRgn(handle_, DX, DY); }

TRect TcxRegion::BoundsRect() const {
  RECT box{};
  GetRgnBox(handle_, &box);
  return box;
}

// ---- text flags -------------------------------------------------------------------------------

UINT TextFlagsToDrawTextFlags(int Flags) {
  UINT dt = 0;
  if (Flags & ctfRight) dt |= DT_RIGHT;
  if (Flags & ctfHCenter) dt |= DT_CENTER;
  if (Flags & ctfBottom) dt |= DT_BOTTOM;
  if (Flags & ctfVCenter) dt |= DT_VCENTER;
  if (Flags & ctfSingleLine) dt |= DT_SINGLELINE;
  if (Flags & ctfNoClip) dt |= DT_NOCLIP;
  if (Flags & ctfExpandTabs) dt |= DT_EXPANDTABS;
  if (!(Flags & ctfShowPrefix)) dt |= DT_NOPREFIX;
  if (Flags & ctfWordBreak) {
    dt |= DT_WORDBREAK;
    if (!(Flags & ctfNoCharBreak)) dt |= DT_EDITCONTROL;
  }
  if (Flags & ctfEndEllipsis) dt |= DT_END_ELLIPSIS;
  if (Flags & ctfCalcOnly) dt |= DT_CALCRECT;
  if (Flags & ctfPathEllipsis) dt |= DT_PATH_ELLIPSIS;
  return dt;
}

// ---- TcxCanvas: state stacks ------------------------------------------------------------------

TcxCanvas::~TcxCanvas() {
  for (TcxRegion* region : clipRegions_)
    if (region) region->Free();
  for (SavedState& state : states_) {
    state.Font->Free();
    state.Brush->Free();
    state.Pen->Free();
  }
}

void TcxCanvas::ApplyBrushColor(TColor AColor) {
  if (CurrentBrush()->Color() != AColor) CurrentBrush()->SetColor(AColor);
}

TPoint TcxCanvas::QueryWindowOrigin() const {
  POINT p{};
  GetWindowOrgEx(DCHandle(), &p);
  return p;
}

void TcxCanvas::ApplyWindowOrigin(const TPoint& P) { SetWindowOrgEx(DCHandle(), P.x, P.y, nullptr); }

TPoint TcxCanvas::DCOrigin() const {
  POINT viewport{}, window{};
  GetViewportOrgEx(DCHandle(), &viewport);
  GetWindowOrgEx(DCHandle(), &window);
  return {viewport.x - window.x, viewport.y - window.y};
}

void TcxCanvas::PushDCState() { dcStates_.push_back(SaveDC(DCHandle())); }

void TcxCanvas::PopDCState() {
  if (dcStates_.empty()) return;
  RestoreDC(DCHandle(), dcStates_.back());
  dcStates_.pop_back();
}

void TcxCanvas::PushClipRegion() {
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  const bool hasClip = GetClipRgn(DCHandle(), probe) == 1;
  DeleteObject(probe);
  clipRegions_.push_back(hasClip ? CopyClipRegion(true) : nullptr);
}

void TcxCanvas::PopClipRegion() {
  if (clipRegions_.empty()) return;
  TcxRegion* region = clipRegions_.back();
  clipRegions_.pop_back();
  if (region)
    ApplyClipRegion(region, roSet, true, true);
  else
    SelectClipRgn(DCHandle(), nullptr);
}

void TcxCanvas::PushState() {
  PushDCState();
  SavedState state{new TFont, new TBrush, new TPen};
  state.Font->Assign(CurrentFont());
  state.Brush->Assign(CurrentBrush());
  state.Pen->Assign(CurrentPen());
  states_.push_back(state);
}

void TcxCanvas::PopState() {
  if (states_.empty()) return;
  const SavedState state = states_.back();
  states_.pop_back();
  CurrentFont()->Assign(state.Font);
  CurrentBrush()->Assign(state.Brush);
  CurrentPen()->Assign(state.Pen);
  state.Font->Free();
  state.Brush->Free();
  state.Pen->Free();
  PopDCState();
  // The DC holds the objects of the saved state again; the canvas selects its own on next use.
  canvas_->Refresh();
}

// ---- TcxCanvas: clipping ----------------------------------------------------------------------

TcxRegion* TcxCanvas::CopyClipRegion(bool ConsiderOrigin) const {
  auto* region = new TcxRegion();
  if (GetClipRgn(DCHandle(), region->Handle()) != 1)
    SetRectRgn(region->Handle(), 0, 0, kNoClipExtent, kNoClipExtent);
  if (ConsiderOrigin) {
    const TPoint origin = DCOrigin();
    region->OffsetBy(-origin.x, -origin.y);
  }
  return region;
}

void TcxCanvas::ApplyClipRegion(TcxRegion* Region, TcxRegionOperation Operation, bool FreeRegion,
                                bool ConsiderOrigin) {
  if (Operation != roSet) {
    TcxRegion* clip = CopyClipRegion(ConsiderOrigin);
    clip->CombineWith(Region, Operation, FreeRegion);
    return ApplyClipRegion(clip, roSet, true, ConsiderOrigin);
  }
  const TPoint origin = ConsiderOrigin ? DCOrigin() : TPoint();
  Region->OffsetBy(origin.x, origin.y);
  SelectClipRgn(DCHandle(), Region->Handle());
  if (FreeRegion)
    Region->Free();
  else
    Region->OffsetBy(-origin.x, -origin.y);
}

void TcxCanvas::SubtractFromClip(const TRect& R) { ExcludeClipRect(DCHandle(), R.left, R.top, R.right, R.bottom); }
void TcxCanvas::ClipToRect(const TRect& R) { IntersectClipRect(DCHandle(), R.left, R.top, R.right, R.bottom); }

void TcxCanvas::AdoptObjectsFromDC(HDC DC) {
  LOGFONTW logFont{};
  if (ReadLogFont(HFONT(GetCurrentObject(DC, OBJ_FONT)), logFont))
    CurrentFont()->SetHandle(CreateFontIndirectW(&logFont));
  CurrentFont()->SetColor(TColor(GetTextColor(DC)));

  LOGBRUSH logBrush{};
  if (ReadLogBrush(HBRUSH(GetCurrentObject(DC, OBJ_BRUSH)), logBrush)) {
    CurrentBrush()->SetColor(TColor(logBrush.lbColor));
    TBrushStyle style = bsSolid;
    if (logBrush.lbStyle == BS_NULL) {
      style = bsClear;
    } else if (logBrush.lbStyle == BS_HATCHED) {
      static const TBrushStyle hatches[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
      if (logBrush.lbHatch < 6) style = hatches[logBrush.lbHatch];
    }
    CurrentBrush()->SetStyle(style);
  }

  LOGPEN logPen{};
  if (ReadLogPen(HPEN(GetCurrentObject(DC, OBJ_PEN)), logPen)) {
    CurrentPen()->SetColor(TColor(logPen.lopnColor));
    const int style = int(logPen.lopnStyle & 0xFF);
    if (style <= psInsideFrame) CurrentPen()->SetStyle(TPenStyle(style));
    CurrentPen()->SetWidth(logPen.lopnWidth.x);
  }
  const int rop = GetROP2(DC);
  TPenMode mode = pmCopy;
  for (int m = pmBlack; m <= pmNotXor; ++m)
    if (TPen::RasterOp(TPenMode(m)) == rop) mode = TPenMode(m);
  CurrentPen()->SetMode(mode);
}

// ---- TcxCanvas: fills and borders -------------------------------------------------------------

void TcxCanvas::CopyAreaFrom(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
  canvas_->CopyRect(Dest, Source, SourceRect);
}

void TcxCanvas::InvertArea(const TRect& R) {
  canvas_->CopyMode = cmDstInvert;
  canvas_->CopyRect(R, canvas_, R);
  canvas_->CopyMode = cmSrcCopy;
}

void TcxCanvas::FillAreaWithColor(const TRect& R, TColor AColor) {
  if (AColor == clNone) return;
  if (AColor != clDefault) ApplyBrushColor(AColor);
  canvas_->FillRect(R);
}

void TcxCanvas::FillWithTileBitmap(const TRect& R, TBitmap* Bitmap, bool Exclude) {
  if (RectHasNoArea(R)) return;
  if (Bitmap && !Bitmap->Empty() && Bitmap->PixelFormat() != pf1bit) {
    // One pattern brush whose origin is the logical 0, 0: a blit per tile costs far more.
    if (HBRUSH pattern = CreatePatternBrush(Bitmap->Handle())) {
      HDC dc = DCHandle();
      POINT origin{0, 0};
      LPtoDP(dc, &origin, 1);
      POINT oldOrigin;
      SetBrushOrgEx(dc, ((origin.x % Bitmap->Width()) + Bitmap->Width()) % Bitmap->Width(),
                    ((origin.y % Bitmap->Height()) + Bitmap->Height()) % Bitmap->Height(), &oldOrigin);
      HGDIOBJ old = SelectObject(dc, pattern);
      PatBlt(dc, R.left, R.top, R.Width(), R.Height(), PATCOPY);
      SelectObject(dc, old);
      SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
      DeleteObject(pattern);
      if (Exclude) ApplyClipRegion(new TcxRegion(R), roSubtract, true, true);
      return;
    }
  }
  if (Bitmap && !Bitmap->Empty()) {
    const int w = Bitmap->Width(), h = Bitmap->Height();
    for (int row = FloorDiv(R.top, h); row <= FloorDiv(R.bottom - 1, h); ++row)
      for (int col = FloorDiv(R.left, w); col <= FloorDiv(R.right - 1, w); ++col) {
        TRect part;
        if (!IntersectRectsOf(RectFromBounds(col * w, row * h, w, h), R, part)) continue;
        canvas_->CopyRect(part, Bitmap->Canvas(), OffsetRectBy(part, -col * w, -row * h));
      }
  } else {
    canvas_->FillRect(R);
  }
  if (Exclude) ApplyClipRegion(new TcxRegion(R), roSubtract, true, true);
}

void TcxCanvas::DrawFrameBorders(const TRect& R, TColor AColor, int Width, TcxBorders Borders, bool Exclude) {
  if (RectHasNoArea(R)) return;
  if (AColor != clDefault) ApplyBrushColor(AColor);
  const TRect strips[] = {
      {R.left, R.top, std::min(R.left + Width, R.right), R.bottom},     // left
      {std::max(R.right - Width, R.left), R.top, R.right, R.bottom},   // right
      {R.left, R.top, R.right, std::min(R.top + Width, R.bottom)},     // top
      {R.left, std::max(R.bottom - Width, R.top), R.right, R.bottom},  // bottom
  };
  const TcxBorder sides[] = {bLeft, bRight, bTop, bBottom};
  for (int i = 0; i < 4; ++i)
    if (Borders.Contains(sides[i])) FillWithTileBitmap(strips[i], nullptr, Exclude);
}

void TcxCanvas::DrawTwoColorBorders(const TRect& R, TColor Color1, TColor Color2, TcxBorders Borders, int Width) {
  const TRect strips[] = {
      {R.left, R.top, R.left + Width, R.bottom},
      {R.left, R.top, R.right, R.top + Width},
      {R.right - Width, R.top, R.right, R.bottom},
      {R.left, R.bottom - Width, R.right, R.bottom},
  };
  const TcxBorder sides[] = {bLeft, bTop, bRight, bBottom};
  for (int i = 0; i < 4; ++i) {
    if (!Borders.Contains(sides[i])) continue;
    ApplyBrushColor(i < 2 ? Color1 : Color2);
    canvas_->FillRect(strips[i]);
  }
}

void TcxCanvas::DrawEdgeBorders(const TRect& R, bool Sunken, bool Outer, TcxBorders Borders) {
  TColor first, second;
  if (Sunken) {
    first = Outer ? clBtnShadow : cl3DDkShadow;
    second = Outer ? clBtnHighlight : cl3DLight;
  } else {
    first = Outer ? cl3DLight : clBtnHighlight;
    second = Outer ? cl3DDkShadow : clBtnShadow;
  }
  DrawTwoColorBorders(R, first, second, Borders, 1);
}

void TcxCanvas::DrawFramedArea(const TRect& R, const TcxViewParamSet& Params, TcxBorders Borders, TColor BorderColor,
                               int BorderWidth, bool Exclude) {
  DrawFrameBorders(R, BorderColor, BorderWidth, Borders, Exclude);
  TRect inner = R;
  if (Borders.Contains(bLeft)) inner.left += BorderWidth;
  if (Borders.Contains(bTop)) inner.top += BorderWidth;
  if (Borders.Contains(bRight)) inner.right -= BorderWidth;
  if (Borders.Contains(bBottom)) inner.bottom -= BorderWidth;
  ApplyBrushColor(Params.Color);
  FillWithTileBitmap(inner, Params.Bitmap, Exclude);
}

void TcxCanvas::DrawFocusFrame(const TRect& R) { DrawFocusFrames(R, 1); }

void TcxCanvas::DrawFocusFrames(const TRect& R, int N) {
  ApplyBrushColor(clWhite);
  CurrentFont()->SetColor(clBlack);
  TRect frame = R;
  for (int i = 0; i < N; ++i) {
    canvas_->DrawFocusRect(frame);
    frame = InflateRectBy(frame, -1, -1);
  }
}

// ---- TcxCanvas: text --------------------------------------------------------------------------

int TcxCanvas::FontLineHeight(TFont* AFont) {
  UseFont(AFont);
  return TextPixelHeight(L"Qq");
}

TSize TcxCanvas::MeasureText(const String& Text) { return canvas_->TextExtent(Text); }

void TcxCanvas::CalcTextBounds(const String& Text, TRect& R, int Flags) {
  const int w0 = RectWidthOf(R), h0 = RectHeightOf(R);
  const UINT dt = TextFlagsToDrawTextFlags(Flags);
  if (w0 <= 0 && !Text.empty()) R.right = R.left + 1;
  MeasureText(L"");  // selects the font
  if (!DrawTextW(DCHandle(), Text.c_str(), -1, &R, (dt & ~UINT(DT_VCENTER)) | DT_CALCRECT)) {
    R.right = R.left;
    R.bottom = R.top;
  }
  const int w = RectWidthOf(R), h = RectHeightOf(R);
  int dx = 0, dy = 0;
  if (dt & DT_CENTER)
    dx = (w0 - w) / 2;
  else if (dt & DT_RIGHT)
    dx = w0 - w;
  if (dt & DT_VCENTER)
    dy = (h0 - h) / 2;
  else if (dt & DT_BOTTOM)
    dy = h0 - h;
  R = OffsetRectBy(R, dx, dy);
}

void TcxCanvas::AlignMultilineTextTop(TRect& R, const String& Text, int Alignment, bool WordBreak, bool ShowPrefix,
                                      bool Enabled, bool NoCharBreak) {
  if (Alignment == 0) return;
  const int s = Enabled ? 0 : 1;
  TRect box{0, 0, RectWidthOf(R) - s, 0};
  int flags = ctfLeft | ctfTop;
  if (WordBreak) flags |= ctfWordBreak;
  if (ShowPrefix) flags |= ctfShowPrefix;
  if (NoCharBreak) flags |= ctfNoCharBreak;
  CalcTextBounds(Text, box, flags);
  const int height = RectHeightOf(box);
  if (Alignment == 1)
    R.top = R.bottom - height - s;
  else
    R.top = (R.top + R.bottom - height) / 2;
}

void TcxCanvas::DrawTextOnce(const String& Text, const TRect& R, int Flags, bool DrawTextMode) {
  canvas_->TextOut(0, 0, String());  // draws nothing; selects the font, its colour and the brush's mode
  if (DrawTextMode) {
    TRect box = R;
    DrawTextW(DCHandle(), Text.c_str(), -1, &box, TextFlagsToDrawTextFlags(Flags));
  } else {
    const UINT options = (Flags & ctfNoClip) ? 0 : ETO_CLIPPED;
    ExtTextOutW(DCHandle(), R.left, R.top, options, &R, Text.c_str(), UINT(Text.size()), nullptr);
  }
}

void TcxCanvas::DrawTextWithEnabledState(const String& Text, TRect R, int Flags, bool Enabled) {
  if (Text.empty()) return;
  const bool drawTextMode =
      !(Flags & ctfSingleLine) || (Flags & (ctfShowPrefix | ctfEndEllipsis | ctfPathEllipsis));
  const TSize size = MeasureText(Text);
  if (size.cx <= RectWidthOf(R) && size.cy <= RectHeightOf(R)) Flags |= ctfNoClip;
  const int s = Enabled ? 0 : 1;
  if (drawTextMode) {
    if (!(Flags & ctfSingleLine) && (Flags & (ctfBottom | ctfVCenter))) {
      AlignMultilineTextTop(R, Text, (Flags & 0x38) == ctfBottom ? 1 : 2, Flags & ctfWordBreak, Flags & ctfShowPrefix,
                            Enabled, Flags & ctfNoCharBreak);
    }
  } else {
    if (size.cx < RectWidthOf(R)) {
      if ((Flags & 7) == ctfRight)
        R.left = R.right - size.cx - s;
      else if ((Flags & 7) == ctfHCenter)
        R.left = (R.left + R.right - size.cx) / 2;
    }
    if (size.cy < RectHeightOf(R)) {
      if ((Flags & 0x38) == ctfBottom)
        R.top = R.bottom - size.cy - s;
      else if ((Flags & 0x38) == ctfVCenter)
        R.top = (R.top + R.bottom - size.cy) / 2;
    }
  }
  const TBrushStyle brushStyle = CurrentBrush()->Style();
  const TColor fontColor = CurrentFont()->Color();
  if (!Enabled) {
    CurrentBrush()->SetStyle(bsClear);
    CurrentFont()->SetColor(clBtnHighlight);
    DrawTextOnce(Text, OffsetRectBy(R, 1, 1), Flags, drawTextMode);
    CurrentFont()->SetColor(clBtnShadow);
  }
  DrawTextOnce(Text, R, Flags, drawTextMode);
  if (CurrentBrush()->Style() != brushStyle) CurrentBrush()->SetStyle(brushStyle);
  CurrentFont()->SetColor(fontColor);
}

// ---- the screen canvas ------------------------------------------------------------------------

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(new TScreenCanvas) {}
TcxScreenCanvas::~TcxScreenCanvas() { Canvas()->Free(); }

namespace {
TcxScreenCanvas* screenCanvas = nullptr;
const TUnitRegistration unit(nullptr, [] { FreeAndNil(screenCanvas); });
}  // namespace

TcxScreenCanvas* ScreenCanvas() {
  if (!screenCanvas) screenCanvas = new TcxScreenCanvas;
  return screenCanvas;
}

// ---- text on a device context -----------------------------------------------------------------

namespace {
int CountOf(const String& Text, int Count) { return Count < 0 ? int(Text.size()) : std::min(Count, int(Text.size())); }
}  // namespace

bool TextExtentOf(HDC DC, const String& Text, TSize& Size, int Count) {
  return GetTextExtentPoint32W(DC, Text.c_str(), CountOf(Text, Count), &Size) != 0;
}

int RenderTextInRect(HDC DC, const String& Text, TRect& R, UINT Flags, int Count) {
  return DrawTextW(DC, Text.c_str(), Count < 0 ? -1 : CountOf(Text, Count), &R, Flags);
}

bool OutputTextAt(HDC DC, const String& Text, const TPoint& P, const TRect* Clip, UINT Options, int Count) {
  return ExtTextOutW(DC, P.x, P.y, Options, Clip, Text.c_str(), UINT(CountOf(Text, Count)), nullptr) != 0;
}

void InvalidateArea(HWND Window, const TRect& R, bool Erase) { InvalidateRect(Window, &R, Erase); }

TSize SingleLineTextSize(HDC DC, const String& Text) {
  TRect r;
  CalcTextRectForRows(DC, Text, 1, false, r);
  return RectSizeOf(r);
}

void CalcTextRectForRows(HDC DC, const String& Text, int Rows, bool FullHeight, TRect& R) {
  R = TRect();
  if (Rows <= 0) return;
  if (Rows == 1) {
    DrawTextW(DC, Text.c_str(), -1, &R, DT_CALCRECT | DT_SINGLELINE);
    return;
  }
  SIZE row{};
  GetTextExtentPoint32W(DC, L"Wg", 2, &row);
  const int target = Rows * row.cy;
  auto wrapped = [&](int width) {
    TRect box{0, 0, width, 0};
    DrawTextW(DC, Text.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK);
    return box;
  };
  TRect narrow{0, 0, 1, 1};
  DrawTextW(DC, Text.c_str(), -1, &narrow, DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK);
  TRect single;
  DrawTextW(DC, Text.c_str(), -1, &single, DT_CALCRECT | DT_SINGLELINE);
  int lo = RectWidthOf(narrow), hi = RectWidthOf(single);
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    if (RectHeightOf(wrapped(mid)) > target)
      lo = mid;
    else
      hi = mid;
  }
  R = wrapped(lo);
  if (RectHeightOf(R) > target) R = wrapped(hi);
  if (FullHeight) R.bottom = target;
}

void CalcFontTextRectForRows(TFont* Font, const String& Text, int Rows, TRect& R) {
  TcxCanvas* screen = ScreenCanvas();
  screen->UseFont(Font);
  screen->MeasureText(L"");  // selects the font
  CalcTextRectForRows(screen->DCHandle(), Text, Rows, false, R);
}

TSize MeasureTextForFont(TFont* Font, const String& Text, int PointSize) {
  TcxCanvas* screen = ScreenCanvas();
  screen->UseFont(Font);
  if (PointSize != 0) screen->CurrentFont()->SetSize(PointSize);
  return screen->MeasureText(Text);
}

int TextWidthForFont(TFont* Font, const String& Text, int PointSize) { return MeasureTextForFont(Font, Text, PointSize).cx; }
int TextHeightForFont(TFont* Font, const String& Text, int PointSize) { return MeasureTextForFont(Font, Text, PointSize).cy; }

int ScreenDeviceCapability(int Index) {
  return GetDeviceCaps(ScreenCanvas()->DCHandle(), Index == 0 ? LOGPIXELSY : LOGPIXELSX);
}

String EllipsizeTextToWidth(HDC DC, HFONT Font, const String& Text, int Width) {
  if (Text.empty() || Width <= 0) return String();
  // DT_MODIFYSTRING may add up to four characters; the buffer has room for them and the zero.
  std::vector<wchar_t> buffer(Text.size() + 5, L'\0');
  std::copy(Text.begin(), Text.end(), buffer.begin());
  RECT box{0, 0, Width, 32};
  HDC dc = DC ? DC : GetDC(nullptr);
  if (Font) SelectObject(dc, Font);
  DrawTextW(dc, buffer.data(), -1, &box, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  if (!DC) ReleaseDC(nullptr, dc);
  return String(buffer.data());
}

void WrapTextToLines(const String& Text, TcxCanvas* Canvas, const TRect& R, TStrings* Lines) {
  auto separator = [&](size_t i) { return Text[i] < 33; };
  Canvas->MeasureText(L"");  // selects the font
  const HDC dc = Canvas->DCHandle();
  const size_t n = Text.size();
  size_t lineStart = 0, previousEnd = 0, pos = 0;
  while (pos < n) {
    size_t start = pos;
    if (pos > 0 && separator(pos) && !separator(pos - 1)) ++start;
    if (start >= n) break;
    size_t end = start + 1;
    if (!separator(start))
      while (end < n && !separator(end)) ++end;
    if (SingleLineTextSize(dc, Text.substr(lineStart, end - lineStart)).cx > RectWidthOf(R)) {
      Lines->Add(Text.substr(lineStart, previousEnd - lineStart));
      lineStart = start;
    }
    previousEnd = end;
    pos = end;
  }
  Lines->Add(Text.substr(lineStart));
}

bool IsFarEastOrArabicText(int Charset, const String& Text) {
  if (Text.empty() || Text[0] < 0x80) return false;
  if (Charset == DEFAULT_CHARSET) {
    CHARSETINFO info{};
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(UINT_PTR(GetACP())), &info, TCI_SRCCODEPAGE))
      Charset = int(info.ciCharset);
  }
  return Charset == GB2312_CHARSET || Charset == CHINESEBIG5_CHARSET || Charset == ARABIC_CHARSET;
}

bool ReadLogFont(HFONT Font, LOGFONTW& LogFont) { return GetObjectW(Font, sizeof(LogFont), &LogFont) != 0; }
bool ReadLogBrush(HBRUSH Brush, LOGBRUSH& LogBrush) { return GetObjectW(Brush, sizeof(LogBrush), &LogBrush) != 0; }
bool ReadLogPen(HPEN Pen, LOGPEN& LogPen) { return GetObjectW(Pen, sizeof(LogPen), &LogPen) != 0; }
bool ReadBitmapInfoOf(HBITMAP Bitmap, BITMAP& Info) { return GetObjectW(Bitmap, sizeof(Info), &Info) != 0; }
