#include "ui/extras/png/PngDibFrame.h"

#include "ui/extras/png/PngExceptions.h"

TPngDibSectionCreator PngDibSectionCreator = &CreateDIBSection;

TPngFrameInfo MakeFrameInfo(const TPngFrameLayout& layout) {
  TPngFrameInfo info{};
  BITMAPINFOHEADER& h = info.bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = LONG(layout.Width);
  h.biHeight = LONG(layout.Height);  // positive: rows run bottom-up
  h.biPlanes = 1;
  h.biBitCount = WORD(layout.BitsPerPixel);
  h.biCompression = BI_RGB;
  return info;
}

TPngDibFrame::TPngDibFrame(const TPngFrameLayout& layout) : info_(MakeFrameInfo(layout)) {
  frameDC_ = CreateCompatibleDC(nullptr);
  if (!frameDC_) RaisePng<EPNGOutMemory>(EPNGOutMemoryText);
  void* bits = nullptr;
  bitmap_ = PngDibSectionCreator(frameDC_, info_.Get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_ || !bits) {
    if (bitmap_) DeleteObject(bitmap_);
    DeleteDC(frameDC_);
    RaisePng<EPNGOutMemory>(EPNGOutMemoryText);
  }
  // Fresh DIB-section memory is already zero.
  bits_ = static_cast<Byte*>(bits);
}

TPngDibFrame::~TPngDibFrame() {
  DeleteObject(bitmap_);
  DeleteDC(frameDC_);
}
