// Decoding speed of the PNG core against the reference decoder, on the same generated files in
// one process. Each benchmark reports MB/s of decoded pixels; tools/bench/png-decode.sh prints
// the ratio ours / reference per image.

#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>

#include "LibpngReader.h"
#include "PngTestImages.h"
#include "ui/extras/png/PngImageCore.h"

using namespace png_test;

namespace {

struct BenchImage {
  const char* Name;
  ImageShape Shape;
};

ImageShape Photo(int colorType, int bitDepth, bool interlaced) {
  ImageShape s;
  s.ColorType = colorType;
  s.BitDepth = bitDepth;
  s.Width = s.Height = 2048;
  s.Interlaced = interlaced;
  s.Kind = SampleKind::Photo;
  s.Filters = {-1};
  return s;
}

const BenchImage Images[] = {
    {"rgb8", Photo(2, 8, false)},     {"rgba8", Photo(6, 8, false)}, {"palette8", Photo(3, 8, false)},
    {"rgb16", Photo(2, 16, false)},   {"rgb8_adam7", Photo(2, 8, true)},
};

const Bytes& FileOf(int index) {
  static std::map<int, Bytes> files;
  auto it = files.find(index);
  if (it == files.end()) it = files.emplace(index, MakeImage(Images[index].Shape).File).first;
  return it->second;
}

// Bytes of decoded pixels: the 8-bit samples both decoders hand out.
double PixelBytes(const ImageShape& s) {
  const int channels = s.ColorType == 6 ? 4 : s.ColorType == 3 ? 1 : 3;
  return double(s.Width) * s.Height * channels;
}

// Reads the file where it lies, as the reference decoder's reader below does.
class TFileView : public IPngByteStream {
 public:
  explicit TFileView(const Bytes& file) : file_(file) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    const std::size_t n = at_ < file_.size() ? std::min(size, file_.size() - at_) : 0;
    std::memcpy(buffer, file_.data() + at_, n);
    at_ += n;
    return n;
  }
  void Write(const void*, std::size_t) override { throw std::logic_error("read only"); }
  void Skip(UInt64 count) override { at_ += std::size_t(count); }

 private:
  const Bytes& file_;
  std::size_t at_ = 0;
};

void Ours(benchmark::State& state) {
  const int index = int(state.range(0));
  const Bytes& file = FileOf(index);
  for (auto _ : state) {
    TPngImageCore image;
    TFileView stream(file);
    image.LoadFromStream(stream);
    benchmark::DoNotOptimize(image.PixelColor(1, 1));
  }
  state.SetLabel(Images[index].Name);
  state.counters["MBps"] =
      benchmark::Counter(PixelBytes(Images[index].Shape) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void DecodeWithReference(const Bytes& file, std::vector<png_byte>& pixels, std::vector<png_bytep>& rows) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  LibpngMemory source{&file, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    throw std::runtime_error("reference decoder failed");
  }
  ReadLibpngFromMemory(png, source);
  png_read_info(png, info);
  png_set_strip_16(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t stride = png_get_rowbytes(png, info);
  const std::size_t height = png_get_image_height(png, info);
  pixels.resize(stride * height);
  rows.resize(height);
  for (std::size_t y = 0; y < height; ++y) rows[y] = pixels.data() + y * stride;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

void Reference(benchmark::State& state) {
  const int index = int(state.range(0));
  const Bytes& file = FileOf(index);
  for (auto _ : state) {
    // Fresh pixel memory each time, as every load of ours gets a fresh frame.
    std::vector<png_byte> pixels;
    std::vector<png_bytep> rows;
    DecodeWithReference(file, pixels, rows);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetLabel(Images[index].Name);
  state.counters["MBps"] =
      benchmark::Counter(PixelBytes(Images[index].Shape) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(Ours)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(Reference)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
