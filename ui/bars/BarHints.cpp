#include "ui/bars/BarHints.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarSupport.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Geometry.h"

DEFINE_CLASS(TdxBarCustomScreenTipBand)
DEFINE_CLASS(TdxBarScreenTipBand)
DEFINE_CLASS(TdxBarScreenTipFooterBand)
DEFINE_CLASS(TdxBarScreenTip)
DEFINE_CLASS(TdxBarScreenTipCollection)
DEFINE_CLASS(TdxBarScreenTipRepository)
DEFINE_CLASS(TdxBarCustomHintViewInfo)
DEFINE_CLASS(TdxBarHintViewInfo)
DEFINE_CLASS(TdxBarLikeHintScreenTipViewInfo)
DEFINE_CLASS(TdxBarScreenTipBandViewInfo)
DEFINE_CLASS(TdxBarScreenTipViewInfo)
DEFINE_CLASS(TdxBarHintWindow)

namespace {

constexpr TColor kScreenTipFontColor = TColor(RGB(76, 76, 76));

// v scaled by the screen's horizontal pixels per inch / 96, to the nearest integer.
int ScaledToScreen(int Value) {
  const int ppi = Screen ? Screen->PixelsPerInch() : 96;
  return int(std::lround(double(Value) * ppi / 96.0));
}

// Draws (or with DT_CALCRECT measures) a text in the canvas's font and font colour.
int DrawTextOn(TcxCanvas* Canvas, const String& Text, TRect& R, UINT Flags, TColor Color = clDefault) {
  HDC dc = Canvas->DCHandle();
  HGDIOBJ oldFont = SelectObject(dc, Canvas->CurrentFont()->Handle());
  const COLORREF oldColor =
      SetTextColor(dc, ColorToRGB(Color == clDefault ? Canvas->CurrentFont()->Color() : Color));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT r = R;
  const int height = DrawTextW(dc, Text.c_str(), int(Text.size()), &r, Flags);
  R = r;
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColor);
  SelectObject(dc, oldFont);
  return height;
}

TdxBarHintWindow* g_hintWindow = nullptr;

}  // namespace

// ---- screen-tip bands ---------------------------------------------------------------------------

TdxBarCustomScreenTipBand::TdxBarCustomScreenTipBand(TdxBarScreenTipBandType ABandType)
    : bandType_(ABandType), glyph_(new TBitmap) {
  glyph_->SetTransparent(true);
  glyph_->OnChange = [this](TObject*) { Changed(); };
}

void TdxBarCustomScreenTipBand::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarCustomScreenTipBand*>(Source);
  if (!source) return TPersistent::Assign(Source);
  SetText(source->Text());
  SetTextAlign(source->TextAlign());
  SetGlyph(source->Glyph());
}

void TdxBarCustomScreenTipBand::Changed() {
  if (OnChange) OnChange(this);
}

void TdxBarCustomScreenTipBand::SetGlyph(TBitmap* Value) {
  if (Value == glyph_.get()) return;
  TBitmap empty;
  glyph_->Assign(Value ? Value : &empty);
}

void TdxBarCustomScreenTipBand::SetText(const String& Value) {
  if (text_ == Value) return;
  text_ = Value;
  Changed();
}

void TdxBarCustomScreenTipBand::SetTextAlign(TdxBarScreenTipBandTextAlign Value) {
  if (textAlign_ == Value) return;
  textAlign_ = Value;
  Changed();
}

TdxBarScreenTipBand::TdxBarScreenTipBand(TdxBarScreenTip* AScreenTip, TdxBarScreenTipBandType ABandType)
    : TdxBarCustomScreenTipBand(ABandType), screenTip_(AScreenTip) {}

TFont* TdxBarScreenTipBand::BandFont() {
  TdxBarScreenTipRepository* repository = screenTip_ ? screenTip_->Repository() : nullptr;
  if (repository) return repository->BandFont(BandType());
  static TFont fallback;
  return &fallback;
}

TPersistent* TdxBarScreenTipBand::GetOwner() { return screenTip_; }

TdxBarScreenTipFooterBand::TdxBarScreenTipFooterBand(TdxBarScreenTipRepository* ARepository)
    : TdxBarCustomScreenTipBand(stbFooter), repository_(ARepository) {}

TFont* TdxBarScreenTipFooterBand::BandFont() { return repository_->BandFont(stbFooter); }

TPersistent* TdxBarScreenTipFooterBand::GetOwner() { return repository_; }

// ---- screen tips --------------------------------------------------------------------------------

TdxBarScreenTip::TdxBarScreenTip(TComponent* AOwner)
    : TcxComponentCollectionItem(AOwner),
      header_(new TdxBarScreenTipBand(this, stbHeader)),
      description_(new TdxBarScreenTipBand(this, stbDescription)),
      footer_(new TdxBarScreenTipBand(this, stbFooter)) {}

TdxBarScreenTip::~TdxBarScreenTip() = default;

void TdxBarScreenTip::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarScreenTip*>(Source);
  if (!source) return TcxComponentCollectionItem::Assign(Source);
  header_->Assign(source->Header());
  description_->Assign(source->Description());
  footer_->Assign(source->Footer());
  UseHintAsHeader = source->UseHintAsHeader;
  UseStandardFooter = source->UseStandardFooter;
  Width = source->Width;
}

void TdxBarScreenTip::SetName(const String& NewName) {
  const String old = Name();
  TcxComponentCollectionItem::SetName(NewName);
  TComponent* owner = Owner();
  const bool loading = ComponentState().Contains(csLoading) || (owner && owner->ComponentState().Contains(csLoading));
  if (!loading && header_->Text() == old) header_->SetText(NewName);
}

String TdxBarScreenTip::DisplayText() const { return Name() + L" - '" + header_->Text() + L"'"; }

TdxBarScreenTipRepository* TdxBarScreenTip::Repository() const {
  return Collection() ? dynamic_cast<TdxBarScreenTipRepository*>(Collection()->ParentComponent()) : nullptr;
}

int TdxBarScreenTip::EffectiveWidth() const {
  if (Width != 0) return Width;
  return ScaleToScreenPPI(description_->HasGlyph() ? 318 : 210, 96);
}

TcxComponentCollection* TdxBarScreenTip::CollectionOfParent(TComponent* AParent) {
  auto* repository = dynamic_cast<TdxBarScreenTipRepository*>(AParent);
  return repository ? repository->Items() : nullptr;
}

TdxBarScreenTipCollection::TdxBarScreenTipCollection(TdxBarScreenTipRepository* ARepository)
    : TcxComponentCollection(ARepository, &TdxBarScreenTip::ClassInfo()) {}

void TdxBarScreenTipCollection::AssignItemName(TcxComponentCollectionItem* AItem) {
  TComponent* parent = ParentComponent();
  TComponent* owner = parent ? parent->Owner() : nullptr;
  if (!owner) return;
  AItem->SetName(MakeUniqueItemName(owner, parent, AItem, L"TdxBar", nullptr));
}

// ---- the repository -----------------------------------------------------------------------------

TdxBarScreenTipRepository::TdxBarScreenTipRepository(TComponent* AOwner)
    : TComponent(AOwner),
      items_(new TdxBarScreenTipCollection(this)),
      standardFooter_(new TdxBarScreenTipFooterBand(this)),
      workFont_(new TFont) {
  static const TdxBarScreenTipBandType types[] = {stbHeader, stbDescription, stbFooter};
  resettingFonts_ = true;
  for (int i = 0; i < 3; ++i) {
    fonts_[i].reset(new TFont);
    ResetFont(fonts_[i].get(), types[i]);
    const auto font = TdxBarScreenTipFont(i);
    fonts_[i]->OnChange = [this, font](TObject*) { FontChanged(font); };
  }
  resettingFonts_ = false;
}

TdxBarScreenTipRepository::~TdxBarScreenTipRepository() {
  for (auto& font : fonts_) font->OnChange = nullptr;
}

void TdxBarScreenTipRepository::ResetFont(TFont* Font, TdxBarScreenTipBandType BandType) const {
  if (Screen) Font->Assign(Screen->HintFont());
  Font->SetColor(kScreenTipFontColor);
  Font->SetStyle(BandType == stbDescription ? TFontStyles{} : TFontStyles{fsBold});
}

void TdxBarScreenTipRepository::FontChanged(TdxBarScreenTipFont Font) {
  if (!resettingFonts_ && !ComponentState().Contains(csLoading)) assignedFonts_.Include(Font);
}

void TdxBarScreenTipRepository::SetAssignedFonts(TdxBarScreenTipFonts Value) {
  static const TdxBarScreenTipBandType types[] = {stbHeader, stbDescription, stbFooter};
  resettingFonts_ = true;
  for (int i = 0; i < 3; ++i) {
    if (!Value.Contains(TdxBarScreenTipFont(i))) ResetFont(fonts_[i].get(), types[i]);
  }
  resettingFonts_ = false;
  assignedFonts_ = Value;
}

TFont* TdxBarScreenTipRepository::BandFont(TdxBarScreenTipBandType BandType) {
  const auto font = TdxBarScreenTipFont(BandType);
  if (assignedFonts_.Contains(font)) return fonts_[font].get();
  ResetFont(workFont_.get(), BandType);
  return workFont_.get();
}

void TdxBarScreenTipRepository::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarScreenTipRepository*>(Source);
  if (!source) return TComponent::Assign(Source);
  items_->Assign(source->Items());
  standardFooter_->Assign(source->StandardFooter());
  resettingFonts_ = true;
  for (int i = 0; i < 3; ++i) fonts_[i]->Assign(source->fonts_[i].get());
  resettingFonts_ = false;
  assignedFonts_ = source->assignedFonts_;
  ShowDescription = source->ShowDescription;
}

void TdxBarScreenTipRepository::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int i = 0; i < items_->ItemCount(); ++i) {
    TcxComponentCollectionItem* tip = items_->ItemAt(i);
    if (tip->Owner() == Root) Proc(tip);
  }
}

// ---- hint view infos ----------------------------------------------------------------------------

void TdxBarCustomHintViewInfo::PrepareWindow(TdxBarHintWindow* Window) {
  Window->SetScreenTipStyle(IsScreenTip());
  Window->HandleNeeded();
}

TdxBarHintViewInfo::TdxBarHintViewInfo(TdxBarManager* ABarManager, const TPoint& APosition, const String& AText,
                                       const String& AShortCutText)
    : TdxBarCustomHintViewInfo(ABarManager), position_(APosition) {
  text_ = AText.empty() ? String() : AText + AShortCutText;
}

void TdxBarHintViewInfo::AddMargins(TSize& Size) const {
  Size.cx += 6;
  Size.cy += 6;
}

TRect TdxBarHintViewInfo::TextRect() const { return InflateRectBy(BoundsRect, -3, -3); }

void TdxBarHintViewInfo::Calculate(TcxCanvas* Canvas) {
  BoundsRect = TRect{};
  if (text_.empty()) return;
  const TRect work = WorkAreaAt(position_);
  TRect r{0, 0, std::max(int(work.Width()), 1), 0};
  DrawTextOn(Canvas, text_, r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  TSize size{r.Width(), r.Height()};
  AddMargins(size);
  BoundsRect = TRect{0, 0, size.cx, size.cy};
}

void TdxBarHintViewInfo::PaintText(TcxCanvas* Canvas) {
  TRect r = TextRect();
  DrawTextOn(Canvas, text_, r, DT_NOPREFIX | DT_NOCLIP | DT_WORDBREAK);
}

void TdxBarHintViewInfo::Paint(TcxCanvas* Canvas) {
  RECT r = BoundsRect;
  DrawEdge(Canvas->DCHandle(), &r, BDR_RAISEDOUTER, BF_RECT);
  PaintText(Canvas);
}

void TdxBarHintViewInfo::AssignFont(TdxBarHintWindow* Window) {
  TdxBarManager* manager = BarManager();
  if (manager && !manager->UseSystemFont()) {
    Window->Font()->Assign(manager->Font());
  } else {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (Bound().SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
      Window->Font()->SetHandle(CreateFontIndirectW(&metrics.lfStatusFont));
    else
      Window->Font()->SetSize(8);
  }
  if (Screen) Window->Font()->SetColor(Screen->HintFont()->Color());
}

void TdxBarHintViewInfo::PrepareWindow(TdxBarHintWindow* Window) {
  TdxBarCustomHintViewInfo::PrepareWindow(Window);
  Window->SetText(text_);
  AssignFont(Window);
  Window->SetColor(Application ? Application->HintColor : clInfoBk);
}

void TdxBarLikeHintScreenTipViewInfo::AddMargins(TSize& Size) const {
  Size.cx += 11 * 2;
  Size.cy += 11 * 2;
}

TRect TdxBarLikeHintScreenTipViewInfo::TextRect() const {
  return TRect{BoundsRect.left + 5, BoundsRect.top + 6, BoundsRect.right - 5, BoundsRect.bottom - 6};
}

void TdxBarLikeHintScreenTipViewInfo::Paint(TcxCanvas* Canvas) {
  if (TdxBarPainter* painter = HintPainterOf(BarManager())) {
    if (TdxBarCanvas* shared = SharedBarCanvas()) {
      shared->PushCanvas(Canvas->Canvas());
      try {
        painter->DrawScreenTipBackground(shared, BoundsRect);
      } catch (...) {
        shared->PopState();
        throw;
      }
      shared->PopState();
    }
  }
  PaintText(Canvas);
}

TdxBarScreenTipBandViewInfo::TdxBarScreenTipBandViewInfo(TdxBarCustomScreenTipBand* ABand, const String& AHintText,
                                                         const String& AShortCutText)
    : band_(ABand), hintText_(AHintText), shortCutText_(AShortCutText) {}

String TdxBarScreenTipBandViewInfo::BandText() const {
  String text = band_->Text();
  if (band_->BandType() == stbHeader) {
    if (!hintText_.empty()) text = hintText_;
    text += shortCutText_;
  }
  return text;
}

int TdxBarScreenTipBandViewInfo::Indent() const { return ScaledToScreen(band_->BandType() == stbDescription ? 14 : 6); }

int TdxBarScreenTipBandViewInfo::GlyphColumn() const {
  return band_->BandType() == stbDescription ? ScaledToScreen(108) - Indent() : ScaledToScreen(16);
}

int TdxBarScreenTipBandViewInfo::VerticalMargin() const {
  if (band_->BandType() != stbFooter) return ScaledToScreen(6);
  return ScaledToScreen(6 + (painter_ ? painter_->ScreenTipFooterLineHeight() : 0));
}

int TdxBarScreenTipBandViewInfo::Calculate(TcxCanvas* Canvas, int TipWidth) {
  Width = TipWidth;
  const String text = BandText();
  const bool glyph = band_->HasGlyph();
  GlyphSize = TSize{};
  TextSize = TSize{};
  if (text.empty() && !glyph) return Height = 0;
  const int column = GlyphColumn();
  if (glyph) {
    TBitmap* g = band_->Glyph();
    if (g->Width() < column)
      GlyphSize = TSize{g->Width(), g->Height()};
    else
      GlyphSize = TSize{column, int(std::lround(double(column) * g->Height() / std::max(g->Width(), 1)))};
  }
  if (!text.empty()) {
    int available = TipWidth - 2 * Indent();
    if (glyph) available -= column + Indent();
    Canvas->CurrentFont()->Assign(band_->BandFont());
    TRect r{0, 0, std::max(available, 1), 0};
    const UINT flags = band_->BandType() == stbDescription ? DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK
                                                           : DT_CALCRECT | DT_NOPREFIX;
    DrawTextOn(Canvas, text, r, flags);
    TextSize = TSize{r.Width(), r.Height()};
  }
  return Height = std::max(GlyphSize.cy, TextSize.cy) + 2 * VerticalMargin();
}

void TdxBarScreenTipBandViewInfo::Arrange(int ATop, int AHeight, int TipWidth) {
  Top = ATop;
  Height = AHeight;
  const int indent = Indent(), column = GlyphColumn(), margin = VerticalMargin();
  const bool glyph = band_->HasGlyph();
  TextBounds.top = ATop + margin;
  TextBounds.bottom = TextBounds.top + TextSize.cy;
  TextBounds.left = indent;
  if (band_->TextAlign() == stbtaRight) {
    if (glyph) TextBounds.left += column + indent;
    TextBounds.right = TipWidth - indent;
  } else {
    TextBounds.right = TextBounds.left + TextSize.cx;
  }
  if (!glyph) {
    GlyphBounds = TRect{};
    return;
  }
  const int glyphTop = band_->BandType() == stbDescription ? ATop + margin : ATop + (AHeight - GlyphSize.cy) / 2;
  int glyphLeft;
  if (band_->TextAlign() == stbtaRight)
    glyphLeft = indent + (column - GlyphSize.cx) / 2;
  else
    glyphLeft = TipWidth - indent - (column - GlyphSize.cx) / 2 - GlyphSize.cx;
  GlyphBounds = TRect{glyphLeft, glyphTop, glyphLeft + GlyphSize.cx, glyphTop + GlyphSize.cy};
}

void TdxBarScreenTipBandViewInfo::Paint(TcxCanvas* Canvas) {
  const String text = BandText();
  if (!text.empty()) {
    Canvas->CurrentFont()->Assign(band_->BandFont());
    TColor color = clDefault;
    if (painter_) color = band_->BandType() == stbDescription ? painter_->ScreenTipDescriptionTextColor()
                                                              : painter_->ScreenTipTextColor();
    TRect r = TextBounds;
    DrawTextOn(Canvas, text, r, DT_NOPREFIX | DT_WORDBREAK, color);
  }
  if (band_->HasGlyph()) {
    TBitmap* glyph = band_->Glyph();
    HDC dc = Canvas->DCHandle();
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    glyph->SetTransparent(true);
    Canvas->Canvas()->StretchDraw(GlyphBounds, glyph);
    SetStretchBltMode(dc, oldMode);
  }
  if (band_->BandType() == stbFooter && painter_) {
    const int line = painter_->ScreenTipFooterLineHeight();
    painter_->DrawScreenTipFooterLine(Canvas, TRect{5, Top, Width - 5, Top + line});
  }
}

TdxBarScreenTipViewInfo::TdxBarScreenTipViewInfo(TdxBarManager* ABarManager, TdxBarScreenTip* AScreenTip,
                                                 const String& AHintText, const String& AShortCutText)
    : TdxBarCustomHintViewInfo(ABarManager),
      screenTip_(AScreenTip),
      hintText_(AScreenTip && AScreenTip->UseHintAsHeader ? AHintText : String()),
      shortCutText_(AShortCutText) {}

TdxBarScreenTipViewInfo::~TdxBarScreenTipViewInfo() { ClearBands(); }

void TdxBarScreenTipViewInfo::ClearBands() {
  for (TdxBarScreenTipBandViewInfo* band : bands_) band->Free();
  bands_.clear();
}

TdxBarScreenTipBandViewInfo* TdxBarScreenTipViewInfo::CreateBandViewInfo(TdxBarCustomScreenTipBand* Band) {
  auto* info = new TdxBarScreenTipBandViewInfo(Band, Band->BandType() == stbHeader ? hintText_ : String(),
                                               Band->BandType() == stbHeader ? shortCutText_ : String());
  TdxBarPainter* painter = HintPainterOf(BarManager());
  info->SetPainter(painter);
  return info;
}

void TdxBarScreenTipViewInfo::Calculate(TcxCanvas* Canvas) {
  ClearBands();
  BoundsRect = TRect{};
  if (!screenTip_) return;
  const int width = screenTip_->EffectiveWidth();
  TdxBarScreenTipRepository* repository = screenTip_->Repository();
  TdxBarCustomScreenTipBand* footer = screenTip_->Footer();
  if (screenTip_->UseStandardFooter && repository) footer = repository->StandardFooter();
  TdxBarCustomScreenTipBand* bands[] = {screenTip_->Header(), screenTip_->Description(), footer};
  int top = 0;
  for (TdxBarCustomScreenTipBand* band : bands) {
    const bool takesPart =
        !band->Text().empty() || band->HasGlyph() || (band->BandType() == stbHeader && !hintText_.empty());
    if (!takesPart) continue;
    TdxBarScreenTipBandViewInfo* info = CreateBandViewInfo(band);
    bands_.push_back(info);
    const int height = info->Calculate(Canvas, width);
    info->Arrange(top, height, width);
    top += height;
  }
  if (top > 0) BoundsRect = TRect{0, 0, width, top};
}

void TdxBarScreenTipViewInfo::Paint(TcxCanvas* Canvas) {
  if (TdxBarPainter* painter = HintPainterOf(BarManager())) painter->DrawScreenTipBackground(Canvas, BoundsRect);
  for (TdxBarScreenTipBandViewInfo* band : bands_) band->Paint(Canvas);
}

TdxBarPainter* HintPainterOf(TdxBarManager* Manager) { return Manager ? Manager->Painter() : nullptr; }

TdxBarCustomHintViewInfo* CreateBarHintViewInfo(TdxBarManager* Manager, const String& Text,
                                                const String& ShortCutText, TdxBarScreenTip* ScreenTip,
                                                TdxBarPainter* Painter) {
  (void)Painter;
  TdxBarScreenTipRepository* repository = ScreenTip ? ScreenTip->Repository() : nullptr;
  if (repository && repository->ShowDescription)
    return new TdxBarScreenTipViewInfo(Manager, ScreenTip, Text, ShortCutText);
  String text = Text;
  if (ScreenTip && !ScreenTip->UseHintAsHeader && !ScreenTip->Header()->Text().empty())
    text = ScreenTip->Header()->Text();
  return new TdxBarLikeHintScreenTipViewInfo(Manager, SafeCursorPos(), text, ShortCutText);
}

// ---- the bar hint window ------------------------------------------------------------------------

TdxBarHintWindow::TdxBarHintWindow(TComponent* AOwner) : TcxBaseHintWindow(AOwner) {
  SetColor(clInfoBk);
  EraseBackground = true;
  AnimationStyle = 9;
  cxCanvas_.reset(new TcxCanvas(Canvas()));
}

TdxBarHintWindow::~TdxBarHintWindow() { FreeViewInfo(); }

void TdxBarHintWindow::FreeViewInfo() {
  TdxBarCustomHintViewInfo* info = viewInfo_;
  viewInfo_ = nullptr;
  if (info) info->Free();
}

void TdxBarHintWindow::CreateParams(TCreateParams& Params) {
  TcxBaseHintWindow::CreateParams(Params);
  if (screenTipStyle_)
    Params.WindowClassStyle |= CS_DROPSHADOW;
  else
    Params.WindowClassStyle &= ~UINT(CS_DROPSHADOW);
}

void TdxBarHintWindow::SetScreenTipStyle(bool Value) {
  if (screenTipStyle_ == Value) return;
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  screenTipStyle_ = Value;
  // The class is registered again with the new class style when the window is made anew.
  if (HandleAllocated()) {
    if (HintVersionFlag(OSVersion()))
      DestroyHandle();
    else
      RecreateWnd();
  }
  HandleNeeded();
}

bool TdxBarHintWindow::HintShown() { return HandleAllocated() && IsWindowVisible(Handle()); }

void TdxBarHintWindow::HideHint() {
  if (HandleAllocated() && IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
  TControl::SetVisible(false);
  FreeViewInfo();
}

bool TdxBarHintWindow::ShowHintFor(TdxBarManager* BarManager, const String& HintText, const String& ShortCutText) {
  FreeViewInfo();
  TObject* object = BarManager ? BarManager->HintObject() : nullptr;
  auto* source = Supports<IdxBarHintSource>(object);
  auto* barWindow = source ? nullptr : dynamic_cast<TCustomdxBarControl*>(object);
  TdxBarCustomHintViewInfo* info = nullptr;
  if (source)
    info = source->CreateHintViewInfo(HintText, ShortCutText);
  else if (barWindow)
    info = barWindow->MakeHintViewInfo(HintText, ShortCutText, nullptr);
  else
    info = new TdxBarHintViewInfo(BarManager, SafeCursorPos(), HintText, ShortCutText);
  viewInfo_ = info;
  info->PrepareWindow(this);
  cxCanvas_->CurrentFont()->Assign(Font());
  info->Calculate(cxCanvas_.get());
  if (info->BoundsRect.IsEmpty()) return false;
  const TPoint cursor = SafeCursorPos();
  TPoint position = cursor;
  const int height = info->BoundsRect.Height();
  if (source) {
    source->CalcHintPosition(height, cursor, position);
  } else if (barWindow) {
    TRect mark;
    barWindow->MarkRect(mark);
    if (barWindow->HandleAllocated()) mark = OffsetRectBy(mark, barWindow->ClientToScreen(TPoint{0, 0}).x,
                                                         barWindow->ClientToScreen(TPoint{0, 0}).y);
    barWindow->HintPositionFor(mark, cursor, height, position);
  } else {
    position = TPoint{cursor.x, cursor.y + 20};
  }
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ActivateHint(TRect{position.x, position.y, position.x + info->BoundsRect.Width(), position.y + height},
               HintText + ShortCutText);
  return true;
}

void TdxBarHintWindow::Paint() {
  if (!viewInfo_) return;
  cxCanvas_->CurrentFont()->Assign(Font());
  viewInfo_->Paint(cxCanvas_.get());
}

void TdxBarHintWindow::WMSize(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!screenTipStyle_ || !HandleAllocated()) return;
  const int w = LOWORD(Message.LParam), h = HIWORD(Message.LParam);
  SetWindowRgn(Handle(), CreateRoundRectRgn(0, 0, w + 1, h + 1, 2, 2), TRUE);
}

void TdxBarHintWindow::WMShowWindow(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!Message.WParam) FreeViewInfo();
}

TdxBarHintWindow* BarHintWindow() { return g_hintWindow; }

void CreateBarHintWindow() {
  if (!g_hintWindow) g_hintWindow = new TdxBarHintWindow(nullptr);
}

void FreeBarHintWindow() { FreeAndNil(g_hintWindow); }
