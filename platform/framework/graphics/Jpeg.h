#pragma once
// TJPEGImage: a graphic that holds JPEG data, decoded to a bitmap on demand and encoded from one
// with CompressionQuality. Corrupt data raises EJPEG with the decoder's text.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(GRAPHICS);

#include <cstdint>
#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphic.h"
#include "platform/framework/graphics/JpegCodec.h"

class TJPEGImage : public TGraphic {
  DECLARE_CLASS(TJPEGImage, TGraphic)
 public:
  TJPEGImage() = default;
  ~TJPEGImage() override;

  bool Empty() const override { return data_.empty() && !bitmap_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // The size comes from the picture: EInvalidGraphicOperation "Cannot change the size of a JPEG image".
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;

  // 1..100; used by the next encoding.
  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int Value);
  // Encodes (and decodes) as greyscale.
  bool Grayscale() const { return grayscale_; }
  void SetGrayscale(bool Value);

  // The decoded picture (24-bit), made on first use.
  TBitmap* Bitmap();
  // Encodes the picture from its bitmap when the JPEG data is missing or stale.
  void Compress();
  void DIBNeeded() { Bitmap(); }
  void JPEGNeeded();

  void Assign(TPersistent* Source) override;
  // Reads JPEG data to the end of the stream; its header is checked at once.
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) override;
  // A 32-bit byte count, then the JPEG data.
  void ReadData(TStream& Stream) override;
  void WriteData(TStream& Stream) override;

 protected:
  void AssignTo(TPersistent* Dest) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  void LoadData(std::vector<std::uint8_t> data);
  void FreeBitmap();

  std::vector<std::uint8_t> data_;
  TBitmap* bitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int quality_ = 90;
  bool grayscale_ = false;
};
