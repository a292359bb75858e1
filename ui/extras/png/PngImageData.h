#pragma once
// The image data chunk: decodes the run of IDAT chunks into the header's frame, and writes the
// frame back as one or more IDAT chunks.

#include "ui/extras/png/PngChunk.h"

class TChunkIDAT : public TChunk {
  PNG_CHUNK_CLASS(TChunkIDAT, TChunk, "IDAT")

  // Reads the image data that starts in this chunk of size bytes and goes on through the
  // following IDAT chunks, up to the CRC of the chunk in which the last row ends.
  bool ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) override;
  // Writes the whole frame as IDAT chunks of IdatChunkLimit bytes (the last one shorter).
  bool WriteChunk(IPngByteStream& stream) override;
};

// Input block size while decoding: never more than this is read at once.
inline constexpr std::size_t PngIdatInputBlock = 65535;
