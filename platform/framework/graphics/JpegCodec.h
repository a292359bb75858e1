#pragma once
// JPEG decoding and encoding over libjpeg, free of <windows.h> (libjpeg and the Windows headers
// disagree on `boolean`). Pixels are 8-bit B, G, R triples, rows top to bottom.
//
// libjpeg reports fatal errors by calling an error routine that must not return: ours jumps back
// into the codec function, which frees libjpeg's state and raises EJPEG with libjpeg's text. No
// C++ exception ever passes through libjpeg's frames.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(GRAPHICS);

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/framework/base/Exceptions.h"

FRAMEWORK_EXCEPTION(EJPEG, EInvalidGraphic);

struct JpegPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Bgr;  // Width * 3 bytes per row
};

// The picture's size from its header; EJPEG for data that is not a JPEG image.
void ReadJpegSize(const std::uint8_t* data, std::size_t size, int& width, int& height);
// Decodes a whole picture; greyscale pictures come out with equal channels.
JpegPixels DecodeJpeg(const std::uint8_t* data, std::size_t size);
// Encodes Height rows of Width BGR pixels; row y starts at firstRow + y * rowStride (a negative
// stride walks a bottom-up picture). Quality 1..100.
std::vector<std::uint8_t> EncodeJpeg(const std::uint8_t* firstRow, std::ptrdiff_t rowStride, int width, int height,
                                     int quality, bool grayscale);
