#pragma once
// Finished pictures of a skin element kept per size, image index and state. An element drawn
// through GDI+ part by part costs a graphics object and up to nine image draws; the kept picture
// is one blit. A picture is made by drawing the element twice, on black and on white: the
// difference of the two gives each pixel's coverage, the black one its premultiplied colour, so
// the picture blends onto any background as the element itself would.

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/framework/graphics/Graphics.h"
#include "ui/navbar/skins/Skin.h"

class TdxSkinElementRenderings {
 public:
  // Draws the element into R's rectangle at its origin (R.left, R.top) of a fresh canvas.
  using TRender = std::function<void(HDC DC, const TRect& R)>;

  TdxSkinElementRenderings() = default;
  ~TdxSkinElementRenderings() { Clear(); }
  TdxSkinElementRenderings(const TdxSkinElementRenderings&) = delete;
  TdxSkinElementRenderings& operator=(const TdxSkinElementRenderings&) = delete;

  // Draws the kept picture for R's size, index and state into R, making it first when missing.
  void Draw(HDC DC, const TRect& R, int ImageIndex, TdxSkinElementState State, const TRender& Render);
  // Forgets every picture (the element changed).
  void Clear();
  int Count() const { return int(entries_.size()); }

  // At most this many pictures and pixels per element; the oldest go first.
  static constexpr int kMaxEntries = 32;
  static constexpr long kMaxPixels = 4L * 1024 * 1024;

 private:
  struct Entry {
    int Width, Height, ImageIndex;
    TdxSkinElementState State;
    HBITMAP Bitmap;
    bool Opaque;
  };
  Entry Make(const TRect& R, int ImageIndex, TdxSkinElementState State, const TRender& Render);
  void Evict();

  std::vector<Entry> entries_;
  long pixels_ = 0;
};
