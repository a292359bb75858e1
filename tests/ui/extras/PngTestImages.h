#pragma once
// A small PNG writer for tests and benchmarks, independent of the codec under test: it packs,
// filters and interlaces sample rows itself and compresses with zlib directly, so the files it
// makes can judge the decoder. It also splits files into chunks and joins them again, for
// mutation tests.

#include <cstdint>
#include <string>
#include <vector>

namespace png_test {

using Bytes = std::vector<std::uint8_t>;

enum class SampleKind { Random, Photo };

struct ExtraChunk {
  std::string Type;
  Bytes Data;
};

struct ImageShape {
  int ColorType = 2;
  int BitDepth = 8;
  std::uint32_t Width = 1;
  std::uint32_t Height = 1;
  bool Interlaced = false;
  // Filter type of each row, cycled; -1 picks per row as an adaptive encoder would.
  std::vector<int> Filters = {0};
  // Sizes of the IDAT chunks the compressed stream is cut into, cycled; empty for one chunk.
  std::vector<std::size_t> IdatSizes;
  bool TrailingEmptyIdat = false;
  // Writes the zlib stream as stored (uncompressed) blocks of at most 65535 bytes.
  bool StoredBlocks = false;
  int Level = 6;
  std::uint32_t Seed = 1;
  SampleKind Kind = SampleKind::Random;
  std::uint32_t Gamma = 0;  // 0: no gamma chunk
  int PaletteSize = 0;      // palette entries for colour type 3 (0: 2 ^ bit depth)
  Bytes Transparency;       // tRNS payload, written when not empty
  std::vector<ExtraChunk> BeforeData;
  std::vector<ExtraChunk> AfterData;
};

struct Image {
  ImageShape Shape;
  // Samples row-major, channels per pixel interleaved, each in the range of the bit depth.
  std::vector<std::uint16_t> Samples;
  Bytes Palette;  // RGB triples
  Bytes File;
};

int Channels(int colorType);
Image MakeImage(const ImageShape& shape);
// Encodes given samples (for images built by hand).
Bytes Encode(const ImageShape& shape, const std::vector<std::uint16_t>& samples, const Bytes& palette);

struct Chunk {
  std::string Type;
  Bytes Data;
  std::uint32_t Crc = 0;
};
// The chunks of a file after its signature (stops at a cut chunk).
std::vector<Chunk> SplitChunks(const Bytes& file);
// Signature and chunks; with fixCrc each CRC is computed afresh, else the stored one is written.
Bytes JoinChunks(const std::vector<Chunk>& chunks, bool fixCrc);
std::uint32_t ChunkCrc(const std::string& type, const Bytes& data);
Bytes BigEndian32(std::uint32_t v);

}  // namespace png_test
