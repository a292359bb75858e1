#pragma once
// The geometry of a painted scroll bar: two arrow squares at the ends, a proportional thumb between
// them and the two page areas beside it, the position a dragged thumb stands for, and the part
// under a point. Pure functions of the bar's bounds, range and metrics.

#include "platform/framework/graphics/Graphics.h"

// Parts of a scroll bar (one byte).
enum TcxScrollBarPart : Byte {
  sbpNone = 0,
  sbpLineUp = 1,     // top or left arrow
  sbpLineDown = 2,   // bottom or right arrow
  sbpThumbnail = 3,
  sbpPageUp = 4,     // page area before the thumb
  sbpPageDown = 5    // page area after the thumb
};

struct TcxScrollBarRange {
  int Min = 0;
  int Max = 100;
  int PageSize = 0;
  int Position = 0;
};

struct TcxScrollBarLayout {
  TRect FirstArrow;
  TRect SecondArrow;
  TRect Thumb;
  TRect PageBefore;
  TRect PageAfter;
};

// Arrow squares of the system thickness (halved bars share the length), then the thumb.
void cxLayoutScrollBarArrows(bool Horizontal, int Width, int Height, int ArrowSize, TcxScrollBarLayout& Layout);
// The thumb and the page areas. NoPageThumbLength is the system thumb of a bar without a page size;
// MinThumbLength the painter's smallest thumb. A disabled bar has no thumb.
void cxPlaceScrollBarThumb(bool Horizontal, bool Enabled, const TcxScrollBarRange& Range, int NoPageThumbLength,
                           int MinThumbLength, TcxScrollBarLayout& Layout);
// The position the thumb's place stands for, kept within Min .. Max - PageSize + 1 (Max without a
// page size); Min when the track leaves the thumb no room to move.
int cxScrollBarPositionFromThumb(bool Horizontal, const TcxScrollBarRange& Range, const TcxScrollBarLayout& Layout);
// The part under a client point of a bar of that size.
TcxScrollBarPart cxScrollBarHitTest(const TcxScrollBarLayout& Layout, int Width, int Height, const TPoint& P);
