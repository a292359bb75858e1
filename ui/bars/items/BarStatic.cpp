#include "ui/bars/items/BarStatic.h"

#include <algorithm>

#include "ui/bars/BarControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"

DEFINE_CLASS(TdxBarStatic)
DEFINE_CLASS(TdxBarStaticControl)

// ---- the item -----------------------------------------------------------------------------------

TdxBarStatic::TdxBarStatic(TComponent* AOwner) : TdxBarItem(AOwner) {
  alignment_ = taCenter;
  SetShowCaption(true);
}

void TdxBarStatic::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  if (!IsLoading()) RepaintControls();
}

void TdxBarStatic::SetBorderStyle(TdxBarStaticBorderStyle Value) {
  borderStyle_ = Value;
  if (IsLoading()) return;
  if (Width() != 0 && Height() != 0)
    RepaintControls();
  else
    ResizeControls();
}

void TdxBarStatic::SetSize(int Index, int Value) {
  Value = std::max(Value, 0);
  int& size = sizes_[Index - 1];
  if (size == Value) return;
  size = Value;
  if (!IsLoading()) ResizeControls();
}

// ---- the control --------------------------------------------------------------------------------

TRect TdxBarStaticControl::BorderMargins() const {
  TdxBarStatic* item = StaticItem();
  TdxBarPainter* painter = Painter();
  return item && painter ? painter->StaticBorderRect(item->BorderStyle()) : TRect{};
}

bool TdxBarStaticControl::ActsAsButton() const { return StaticItem() && StaticItem()->AllowClick; }

bool TdxBarStaticControl::FiresItemClick() const { return StaticItem() && StaticItem()->AllowClick; }

bool TdxBarStaticControl::CanSelect() const {
  if (FiresItemClick()) return TdxBarItemControl::CanSelect();
  return TdxBarCustomStaticControl::CanSelect();
}

bool TdxBarStaticControl::CanSelectForKeyboard() const { return IsEnabledConst() && CanSelect(); }

void TdxBarStaticControl::SizeAffectingChange() {
  // A fixed width keeps the bar's layout: the control only draws anew.
  if (StaticItem() && StaticItem()->Width() != 0)
    Repaint();
  else
    TdxBarCustomStaticControl::SizeAffectingChange();
}

void TdxBarStaticControl::CalcDrawParams(bool Full) {
  TdxBarCustomStaticControl::CalcDrawParams(Full);
  TdxBarStaticLikeControlDrawParams* p = StaticDrawParams();
  TdxBarStatic* item = StaticItem();
  p->IsStatic = true;
  p->Alignment = item ? item->Alignment() : taCenter;
  p->BorderStyle = item ? item->BorderStyle() : sbsNone;
  p->BorderMargins = BorderMargins();
}

void TdxBarStaticControl::DrawContent(const TRect& R, int) {
  TdxBarPainter* painter = Painter();
  TdxBarStatic* item = StaticItem();
  if (!painter || !item) return;
  TdxBarStaticLikeControlDrawParams* p = StaticDrawParams();
  HDC dc = p->Canvas ? p->Canvas->DCHandle() : nullptr;
  if (!dc) return;
  TRect content = R;
  painter->DrawStaticFrame(p, dc, content, item->BorderStyle(), item->LeftIndent(), item->RightIndent());
  painter->DrawStaticControl(p, content);
}

int TdxBarStaticControl::GlyphCellHeight() {
  if (DrawParams()->ViewSize == bvsLarge) return GlyphSize(bvsLarge).cy + 6;
  return SizeAcrossBar(DrawParams()->GlyphCellSize);
}

int TdxBarStaticControl::GlyphCellWidth() {
  if (DrawParams()->ViewSize == bvsLarge) return GlyphSize(bvsLarge).cx + 10;
  return SizeAlongBar(DrawParams()->GlyphCellSize);
}

int TdxBarStaticControl::StaticHeight() {
  TdxBarStatic* item = StaticItem();
  if (item && item->Height() != 0) return item->Height();
  const TdxBarContentParts parts = DrawParams()->ContentParts;
  const int a = GlyphCellHeight();
  int height;
  if (BarControl() && BarControl()->BarKind() == 2)
    height = TextSize();
  else if (parts.Contains(cpText))
    height = parts.Contains(cpIcon) ? std::max(a, TextSize() - 3) : TextSize() - 3;
  else
    height = a;
  const TRect border = BorderMargins();
  return height + border.top + border.bottom;
}

int TdxBarStaticControl::StaticWidth() {
  TdxBarStatic* item = StaticItem();
  if (item && item->Width() != 0) return item->Width();
  const TdxBarContentParts parts = DrawParams()->ContentParts;
  const int a = GlyphCellWidth();
  int width;
  if (parts.Contains(cpText) && !parts.Contains(cpIcon)) {
    width = CaptionWidth() + (BarControl() ? BarControl()->TextSize() / 2 : 0);
  } else if (parts.Contains(cpText)) {
    TdxBarPainter* painter = Painter();
    const bool inMenu = PaintType() == 1;
    width = (inMenu && painter ? painter->MenuItemTextIndentFor(BarControl()) : a) + CaptionWidth() + 4;
  } else {
    width = a;
  }
  const TRect border = BorderMargins();
  return width + (item ? item->LeftIndent() + item->RightIndent() : 0) + border.left + border.right;
}

int TdxBarStaticControl::Height() { return IsOnVerticalBar() ? StaticWidth() : StaticHeight(); }

int TdxBarStaticControl::Width() { return IsOnVerticalBar() ? StaticHeight() : StaticWidth(); }
