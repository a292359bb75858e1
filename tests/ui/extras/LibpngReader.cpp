#include "LibpngReader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace png_test {

void ReadLibpngFromMemory(png_structp png, LibpngMemory& memory) {
  png_set_read_fn(png, &memory, [](png_structp png, png_bytep out, png_size_t size) {
    auto* source = static_cast<LibpngMemory*>(png_get_io_ptr(png));
    if (source->At + size > source->File->size()) png_error(png, "read past end");
    std::memcpy(out, source->File->data() + source->At, size);
    source->At += size;
  });
}

namespace {

void Quiet(png_structp, png_const_charp) {}

}  // namespace

std::optional<Decoded> DecodeWithLibpng(const Bytes& file) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Quiet);
  png_infop info = png_create_info_struct(png);
  LibpngMemory source{&file, 0};
  Decoded d;
  std::vector<Bytes> rows;
  std::vector<png_bytep> pointers;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return std::nullopt;
  }
  ReadLibpngFromMemory(png, source);
  png_read_info(png, info);
  d.Width = png_get_image_width(png, info);
  d.Height = png_get_image_height(png, info);
  d.ColorType = png_get_color_type(png, info);
  d.BitDepth = png_get_bit_depth(png, info);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  rows.assign(d.Height, Bytes(png_get_rowbytes(png, info)));
  for (auto& r : rows) pointers.push_back(r.data());
  png_read_image(png, pointers.data());
  if (d.ColorType == PNG_COLOR_TYPE_PALETTE) {
    png_colorp palette = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &palette, &count);
    for (int i = 0; i < count; ++i) d.Palette.insert(d.Palette.end(), {palette[i].red, palette[i].green, palette[i].blue});
  }
  png_destroy_read_struct(&png, &info, nullptr);

  const int channels = Channels(d.ColorType);
  for (const Bytes& row : rows)
    for (std::size_t i = 0; i < std::size_t(d.Width) * channels; ++i) {
      if (d.BitDepth == 16) {
        d.Samples.push_back(std::uint16_t(row[2 * i] << 8 | row[2 * i + 1]));
      } else {
        const std::size_t bit = i * d.BitDepth;
        d.Samples.push_back(std::uint16_t((row[bit / 8] >> (8 - d.BitDepth - bit % 8)) & ((1u << d.BitDepth) - 1)));
      }
    }
  return d;
}

}  // namespace png_test
