#pragma once
// The seven Adam7 passes: where each starts and how far it steps, in rows and columns.

#include <array>

#include "platform/framework/base/Types.h"

struct TPngAdam7Pass {
  Cardinal StartRow, StartColumn, RowStep, ColumnStep;

  // Pixels of this pass in each of its rows for an image width pixels wide (may be 0).
  Cardinal Width(Cardinal width) const {
    return width > StartColumn ? (width - StartColumn + ColumnStep - 1) / ColumnStep : 0;
  }
};

inline constexpr std::array<TPngAdam7Pass, 7> PngAdam7Passes = {{
    {0, 0, 8, 8},
    {0, 4, 8, 8},
    {4, 0, 8, 4},
    {0, 2, 4, 4},
    {2, 0, 4, 2},
    {0, 1, 2, 2},
    {1, 0, 2, 1},
}};
