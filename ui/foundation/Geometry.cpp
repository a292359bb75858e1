#include "ui/foundation/Geometry.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"

DEFINE_CLASS(TcxRect)
DEFINE_CLASS(TcxSize)

void TcxRect::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TcxRect*>(Source)) ChangeRect(other->rect_);
}

void TcxRect::ChangeRect(const TRect& R) {
  if (rect_ == R) return;
  rect_ = R;
  if (OnChange) OnChange(this);
}

int TcxRect::ReadSide(int Index) const {
  switch (Index) {
    case 0: return rect_.left;
    case 1: return rect_.top;
    case 2: return rect_.right;
    default: return rect_.bottom;
  }
}

void TcxRect::WriteSide(int Index, int Value) {
  TRect r = rect_;
  switch (Index) {
    case 0: r.left = Value; break;
    case 1: r.top = Value; break;
    case 2: r.right = Value; break;
    case 3: r.bottom = Value; break;
    default: return;
  }
  ChangeRect(r);
}

void TcxSize::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TcxSize*>(Source))
    ChangeSize(other->DimensionValue(1), other->DimensionValue(0));
  else
    TcxOwnedPersistent::Assign(Source);
}

void TcxSize::ChangeSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == width_ && AHeight == height_) return;
  width_ = AWidth;
  height_ = AHeight;
  SignalChange();
}

void TcxSize::SignalChange() {
  if (OnChange) OnChange(this);
}

bool TcxSize::EqualsCxSize(const TcxSize& Other) const {
  return DimensionValue(0) == Other.DimensionValue(0) && DimensionValue(1) == Other.DimensionValue(1);
}

TSize SizeFromCxSize(const TcxSize& S) { return {S.DimensionValue(1), S.DimensionValue(0)}; }

bool IntersectRectsOf(const TRect& A, const TRect& B, TRect& Result) {
  const TRect overlap{std::max(A.left, B.left), std::max(A.top, B.top), std::min(A.right, B.right),
                      std::min(A.bottom, B.bottom)};
  if (RectHasNoArea(overlap)) {
    Result = TRect();
    return false;
  }
  Result = overlap;
  return true;
}

TRect UnionRectsOf(const TRect& A, const TRect& B) {
  if (RectWidthOf(B) <= 0 || RectHeightOf(B) <= 0) return A;
  if (RectWidthOf(A) <= 0 || RectHeightOf(A) <= 0) return B;
  return {std::min(A.left, B.left), std::min(A.top, B.top), std::max(A.right, B.right), std::max(A.bottom, B.bottom)};
}

namespace {
const TUnitRegistration unit([] { RegisterClass(&TcxRect::ClassInfo()); },
                             [] { UnRegisterClass(&TcxRect::ClassInfo()); });
}  // namespace
