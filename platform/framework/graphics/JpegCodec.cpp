#include "platform/framework/graphics/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <jpeglib.h>

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOnError(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings (such as a missing end marker) are not errors; libjpeg would print them to stderr.
void IgnoreMessage(j_common_ptr) {}

void InstallErrors(ErrorManager& errors) {
  jpeg_std_error(&errors.pub);
  errors.pub.error_exit = JumpOnError;
  errors.pub.output_message = IgnoreMessage;
  errors.message[0] = '\0';
}

[[noreturn]] void Raise(const char* message) {
  String text;
  for (const char* p = message; *p; ++p) text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  throw EJPEG(text);
}

constexpr std::size_t kMaxInput = std::numeric_limits<unsigned long>::max();
constexpr long long kMaxPixels = 1LL << 28;

// The functions below call setjmp. They hold only plain data, so the jump skips no destructor;
// the caller owns every C++ object they fill.

bool DecodeInto(const std::uint8_t* data, std::size_t size, bool headerOnly, JpegPixels* out, char* message) {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  InstallErrors(errors);
  cinfo.err = &errors.pub;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::strcpy(message, errors.message);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  out->Width = static_cast<int>(cinfo.image_width);
  out->Height = static_cast<int>(cinfo.image_height);
  if (!headerOnly) {
    if (static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaxPixels) {
      std::strcpy(message, "Image too large");
      jpeg_destroy_decompress(&cinfo);
      return false;
    }
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t(cinfo.output_width) * 3;
    std::uint8_t* pixels = out->Bgr.data();
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = pixels + stride * cinfo.output_scanline;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
  }
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool EncodeInto(const std::uint8_t* firstRow, std::ptrdiff_t rowStride, int width, int height, int quality,
                bool grayscale, unsigned char** buffer, unsigned long* bufferSize, char* message) {
  jpeg_compress_struct cinfo;
  ErrorManager errors;
  InstallErrors(errors);
  cinfo.err = &errors.pub;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::strcpy(message, errors.message);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, buffer, bufferSize);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  if (grayscale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(firstRow + rowStride * std::ptrdiff_t(cinfo.next_scanline));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

void ReadJpegSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
  if (!data || size == 0 || size > kMaxInput) Raise("Empty input file");
  JpegPixels header;
  char message[JMSG_LENGTH_MAX];
  if (!DecodeInto(data, size, true, &header, message)) Raise(message);
  width = header.Width;
  height = header.Height;
}

JpegPixels DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  JpegPixels pixels;
  ReadJpegSize(data, size, pixels.Width, pixels.Height);
  if (static_cast<long long>(pixels.Width) * pixels.Height > kMaxPixels) Raise("Image too large");
  pixels.Bgr.resize(std::size_t(pixels.Width) * 3 * std::size_t(pixels.Height));
  char message[JMSG_LENGTH_MAX];
  if (!DecodeInto(data, size, false, &pixels, message)) Raise(message);
  return pixels;
}

std::vector<std::uint8_t> EncodeJpeg(const std::uint8_t* firstRow, std::ptrdiff_t rowStride, int width, int height,
                                     int quality, bool grayscale) {
  if (width <= 0 || height <= 0) Raise("Empty JPEG image (DNL not supported)");
  unsigned char* buffer = nullptr;
  unsigned long bufferSize = 0;
  char message[JMSG_LENGTH_MAX];
  bool ok = EncodeInto(firstRow, rowStride, width, height, quality, grayscale, &buffer, &bufferSize, message);
  std::vector<std::uint8_t> result;
  if (ok) result.assign(buffer, buffer + bufferSize);
  std::free(buffer);
  if (!ok) Raise(message);
  return result;
}
