#include "platform/framework/graphics/Jpeg.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/classes/Stream.h"

DEFINE_CLASS(TJPEGImage)

TJPEGImage::~TJPEGImage() { FreeBitmap(); }

void TJPEGImage::FreeBitmap() {
  delete bitmap_;
  bitmap_ = nullptr;
}

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation(L"Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation(L"Cannot change the size of a JPEG image"); }

void TJPEGImage::SetCompressionQuality(int Value) { quality_ = std::clamp(Value, 1, 100); }

void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == grayscale_) return;
  grayscale_ = Value;
  // Greyscale applies to decoding too: the picture is decoded again, or encoded again from colour.
  if (!data_.empty()) FreeBitmap();
  Changed(this);
}

void TJPEGImage::LoadData(std::vector<std::uint8_t> data) {
  int width = 0, height = 0;
  ReadJpegSize(data.data(), data.size(), width, height);
  FreeBitmap();
  data_ = std::move(data);
  width_ = width;
  height_ = height;
}

TBitmap* TJPEGImage::Bitmap() {
  if (bitmap_) return bitmap_;
  auto* bitmap = new TBitmap();
  try {
    if (!data_.empty()) {
      JpegPixels pixels = DecodeJpeg(data_.data(), data_.size());
      bitmap->SetPixelFormat(pf24bit);
      bitmap->SetSize(pixels.Width, pixels.Height);
      const size_t rowBytes = size_t(pixels.Width) * 3;
      for (int y = 0; y < pixels.Height; ++y) {
        Byte* row = static_cast<Byte*>(bitmap->ScanLine(y));
        const Byte* in = pixels.Bgr.data() + rowBytes * size_t(y);
        if (!grayscale_) {
          std::memcpy(row, in, rowBytes);
          continue;
        }
        for (int x = 0; x < pixels.Width; ++x) {
          Byte grey = Byte((in[x * 3] * 29 + in[x * 3 + 1] * 150 + in[x * 3 + 2] * 77) >> 8);
          row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = grey;
        }
      }
    }
  } catch (...) {
    delete bitmap;
    throw;
  }
  bitmap_ = bitmap;
  return bitmap_;
}

void TJPEGImage::Compress() {
  if (!bitmap_ || bitmap_->Empty()) return;
  TBitmap source;
  source.Assign(bitmap_);
  source.SetPixelFormat(pf24bit);
  const Byte* top = static_cast<const Byte*>(source.ScanLine(0));
  std::ptrdiff_t stride = source.Height() > 1
                              ? static_cast<const Byte*>(source.ScanLine(1)) - top
                              : std::ptrdiff_t(source.RowStride());
  data_ = EncodeJpeg(top, stride, source.Width(), source.Height(), quality_, grayscale_);
}

void TJPEGImage::JPEGNeeded() {
  if (data_.empty()) Compress();
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(Source)) {
    if (jpeg == this) return;
    FreeBitmap();
    data_ = jpeg->data_;
    width_ = jpeg->width_;
    height_ = jpeg->height_;
    quality_ = jpeg->quality_;
    grayscale_ = jpeg->grayscale_;
    if (data_.empty() && jpeg->bitmap_) {
      bitmap_ = new TBitmap();
      bitmap_->Assign(jpeg->bitmap_);
    }
    return Changed(this);
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    // Encoded when the data is first needed, with the quality in force then.
    FreeBitmap();
    data_.clear();
    bitmap_ = new TBitmap();
    bitmap_->Assign(bitmap);
    width_ = bitmap->Width();
    height_ = bitmap->Height();
    return Changed(this);
  }
  TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) return bitmap->Assign(Bitmap());
  TGraphic::AssignTo(Dest);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (Empty()) return;
  ACanvas->StretchDraw(Rect, Bitmap());
}

void TJPEGImage::LoadFromStream(TStream& Stream) {
  Int64 available = Stream.Size() - Stream.Position();
  std::vector<std::uint8_t> data(size_t(std::max<Int64>(available, 0)));
  if (!data.empty()) Stream.ReadBuffer(data.data(), Int64(data.size()));
  LoadData(std::move(data));
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream& Stream) {
  JPEGNeeded();
  if (!data_.empty()) Stream.WriteBuffer(data_.data(), Int64(data_.size()));
}

void TJPEGImage::ReadData(TStream& Stream) {
  std::int32_t count = 0;
  Stream.ReadBuffer(&count, sizeof(count));
  if (count <= 0) throw EJPEG(L"Empty input file");
  std::vector<std::uint8_t> data(static_cast<size_t>(count));
  Stream.ReadBuffer(data.data(), count);
  LoadData(std::move(data));
  Changed(this);
}

void TJPEGImage::WriteData(TStream& Stream) {
  JPEGNeeded();
  std::int32_t count = std::int32_t(data_.size());
  Stream.WriteBuffer(&count, sizeof(count));
  if (count) Stream.WriteBuffer(data_.data(), count);
}
