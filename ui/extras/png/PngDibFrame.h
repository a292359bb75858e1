#pragma once
// The pixel frame of a TPNGObject: a DIB section whose pixel memory and colour table the codec core
// fills. The memory context it is created with lives as long as the frame.

#include <cstddef>

#include "platform/framework/base/Win32.h"
#include "ui/extras/png/PngFrame.h"

// A bitmap information header followed by a full 256-entry colour table, as the graphics
// interface reads a BITMAPINFO of 1-, 4- and 8-bit frames.
struct TPngFrameInfo {
  BITMAPINFOHEADER bmiHeader;
  TPngRgbQuad bmiColors[PngColorTableSize];

  BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
  const BITMAPINFO* Get() const { return reinterpret_cast<const BITMAPINFO*>(this); }
};
static_assert(sizeof(TPngRgbQuad) == sizeof(RGBQUAD));
static_assert(offsetof(TPngFrameInfo, bmiColors) == offsetof(BITMAPINFO, bmiColors));
static_assert(sizeof(TPngFrameInfo) == sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));

// The header of a bottom-up frame of the layout; the colour table is left zero.
TPngFrameInfo MakeFrameInfo(const TPngFrameLayout& layout);

// What frames make their DIB sections with: CreateDIBSection unless a test puts a refusing one
// in its place.
using TPngDibSectionCreator = HBITMAP(WINAPI*)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD);
extern TPngDibSectionCreator PngDibSectionCreator;

class TPngDibFrame : public IPngFrame {
 public:
  // Raises EPNGOutMemory when the memory context or the DIB section cannot be made.
  explicit TPngDibFrame(const TPngFrameLayout& layout);
  ~TPngDibFrame() override;
  TPngDibFrame(const TPngDibFrame&) = delete;
  TPngDibFrame& operator=(const TPngDibFrame&) = delete;

  Byte* Bits() override { return bits_; }
  TPngRgbQuad* ColorTable() override { return info_.bmiColors; }
  const TPngFrameInfo& Info() const { return info_; }
  HBITMAP FrameBitmap() const { return bitmap_; }

 private:
  TPngFrameInfo info_;
  HDC frameDC_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  Byte* bits_ = nullptr;
};
