#pragma once
// Rectangle, point and size routines (Right and Bottom exclusive; results are new values) and the
// streamable rectangle and size persistents.

#include "platform/framework/graphics/Graphics.h"
#include "ui/foundation/Classes.h"

class TcxRect : public TcxOwnedPersistent {
  DECLARE_CLASS(TcxRect, TcxOwnedPersistent)
 public:
  explicit TcxRect(TPersistent* AOwner = nullptr) : TcxOwnedPersistent(AOwner) {}
  // From another TcxRect; any other source is ignored.
  void Assign(TPersistent* Source) override;
  // Stores R and reports a change when it differs.
  void ChangeRect(const TRect& R);
  // Index 0..3 = Left, Top, Right, Bottom (any other index reads Bottom; writes nothing).
  int ReadSide(int Index) const;
  void WriteSide(int Index, int Value);
  int Left() const { return ReadSide(0); }
  int Top() const { return ReadSide(1); }
  int Right() const { return ReadSide(2); }
  int Bottom() const { return ReadSide(3); }
  void SetLeft(int Value) { WriteSide(0, Value); }
  void SetTop(int Value) { WriteSide(1, Value); }
  void SetRight(int Value) { WriteSide(2, Value); }
  void SetBottom(int Value) { WriteSide(3, Value); }
  bool EqualsRect(const TRect& R) const { return rect_ == R; }
  bool EqualsCxRect(const TcxRect& Other) const { return rect_ == Other.rect_; }
  TRect StoredRect() const { return rect_; }

  TNotifyEvent OnChange;

 private:
  TRect rect_;
};

// Width and height, never negative. Index 0 = Height, 1 = Width.
class TcxSize : public TcxOwnedPersistent {
  DECLARE_CLASS(TcxSize, TcxOwnedPersistent)
 public:
  explicit TcxSize(TPersistent* AOwner = nullptr) : TcxOwnedPersistent(AOwner) {}
  void Assign(TPersistent* Source) override;
  // Clamps both to at least 0 and reports a change when the pair differs.
  virtual void ChangeSize(int AWidth, int AHeight);
  virtual int DimensionValue(int Index) const { return Index == 0 ? height_ : width_; }
  virtual bool DimensionIsNonZero(int Index) const { return DimensionValue(Index) != 0; }
  int Width() const { return DimensionValue(1); }
  int Height() const { return DimensionValue(0); }
  void SetWidth(int Value) { ChangeSize(Value, DimensionValue(0)); }
  void SetHeight(int Value) { ChangeSize(DimensionValue(1), Value); }
  bool EqualsCxSize(const TcxSize& Other) const;
  TSize StoredSize() const { return {width_, height_}; }

  TNotifyEvent OnChange;

 protected:
  virtual void SignalChange();

 private:
  int width_ = 0;
  int height_ = 0;
};

TSize SizeFromCxSize(const TcxSize& S);

inline int RectWidthOf(const TRect& R) { return R.right - R.left; }
inline int RectHeightOf(const TRect& R) { return R.bottom - R.top; }
inline TSize RectSizeOf(const TRect& R) { return {RectWidthOf(R), RectHeightOf(R)}; }
inline TRect RectFromSides(int L, int T, int R, int B) { return {L, T, R, B}; }
inline TRect RectFromBounds(int L, int T, int W, int H) { return {L, T, L + W, T + H}; }
inline TPoint MakePoint(int X, int Y) { return {X, Y}; }
inline TSize MakeSize(int cx, int cy) { return {cx, cy}; }
inline TSize SizeFromWH(int W, int H) { return {W, H}; }
inline void SetTopLeft(int X, int Y, TRect& R) {
  R.left = X;
  R.top = Y;
}
// The overlap; false and 0,0,0,0 when it has no area.
bool IntersectRectsOf(const TRect& A, const TRect& B, TRect& Result);
// The smallest rectangle covering both; an empty B gives A, an empty A gives B.
TRect UnionRectsOf(const TRect& A, const TRect& B);
inline TRect InflateRectBy(const TRect& R, int DX, int DY) { return {R.left - DX, R.top - DY, R.right + DX, R.bottom + DY}; }
inline TRect InflateRectSides(const TRect& R, int DL, int DT, int DR, int DB) {
  return {R.left - DL, R.top - DT, R.right + DR, R.bottom + DB};
}
inline TRect DeflateRectByMargins(const TRect& R, const TRect& M) {
  return {R.left + M.left, R.top + M.top, R.right - M.right, R.bottom - M.bottom};
}
inline TRect OffsetRectBy(const TRect& R, int DX, int DY) { return {R.left + DX, R.top + DY, R.right + DX, R.bottom + DY}; }
inline TRect OffsetRectByPoint(const TRect& R, const TPoint& P) { return OffsetRectBy(R, P.x, P.y); }
inline TRect ShiftRectX(const TRect& R, int DX) { return OffsetRectBy(R, DX, 0); }
inline TPoint NegatePoint(const TPoint& P) { return {-P.x, -P.y}; }
inline TRect NegateRect(const TRect& R) { return {-R.left, -R.top, -R.right, -R.bottom}; }
inline TRect TransposeRect(const TRect& R) { return {R.top, R.left, R.bottom, R.right}; }
inline TRect RectWithWidth(const TRect& R, int W) { return {R.left, R.top, R.left + W, R.bottom}; }
inline TRect RectWithHeight(const TRect& R, int H) { return {R.left, R.top, R.right, R.top + H}; }
inline TRect RectWithLeftAt(const TRect& R, int X, int W) { return {X, R.top, X + W, R.bottom}; }
inline TRect RectSpanAt(const TRect& R, int X, int W) { return RectWithLeftAt(R, X, W); }
inline TRect MoveRectToX(const TRect& R, int X) { return {X, R.top, X + RectWidthOf(R), R.bottom}; }
inline TRect RectWithRightAt(const TRect& R, int X, int W) { return {X - W, R.top, X, R.bottom}; }
inline TRect RectWithTopAt(const TRect& R, int Y, int H) { return {R.left, Y, R.right, Y + H}; }
inline TRect RectWithBottomAt(const TRect& R, int Y, int H) { return {R.left, Y - H, R.right, Y}; }
inline bool RectHasNoArea(const TRect& R) { return !(R.left < R.right && R.top < R.bottom); }
inline bool RectIsAllZero(const TRect& R) { return R.left == 0 && R.top == 0 && R.right == 0 && R.bottom == 0; }
inline bool RectsMatch(const TRect& A, const TRect& B) { return A == B; }
inline bool PointsMatch(const TPoint& A, const TPoint& B) { return A == B; }
inline bool SizesMatch(const TSize& A, const TSize& B) { return A == B; }
inline bool RectContainsXY(const TRect& R, int X, int Y) { return R.left <= X && X < R.right && R.top <= Y && Y < R.bottom; }
inline bool RectContainsPoint(const TRect& R, const TPoint& P) { return RectContainsXY(R, P.x, P.y); }
inline bool RectEncloses(const TRect& Bounds, const TRect& Inner) {
  return Inner.left >= Bounds.left && Inner.top >= Bounds.top && Inner.right <= Bounds.right && Inner.bottom <= Bounds.bottom;
}
inline TPoint RectCenterPoint(const TRect& R) { return {(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }
inline TRect CenterWHInRect(const TRect& R, int W, int H) {
  const int left = (R.left + R.right - W) / 2;
  const int top = (R.top + R.bottom - H) / 2;
  return {left, top, left + W, top + H};
}
inline TRect CenterSizeInRect(const TRect& R, const TSize& S) { return CenterWHInRect(R, S.cx, S.cy); }
inline TPoint BottomLeftOf(const TRect& R) { return {R.left, R.bottom}; }
inline TPoint TopRightOf(const TRect& R) { return {R.right, R.top}; }
inline TPoint OffsetPointBy(const TPoint& P, int DX, int DY) { return {P.x + DX, P.y + DY}; }
inline TPoint OffsetPointByPoint(const TPoint& P, const TPoint& Q) { return OffsetPointBy(P, Q.x, Q.y); }
inline bool RectsSameSize(const TRect& A, const TRect& B) {
  return RectWidthOf(A) == RectWidthOf(B) && RectHeightOf(A) == RectHeightOf(B);
}
