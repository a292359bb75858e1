#include "PngTestImages.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>

namespace png_test {
namespace {

struct Pass {
  std::uint32_t Row, Column, RowStep, ColumnStep;
};
constexpr std::array<Pass, 7> Passes = {{{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                         {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}}};

std::uint32_t NextRandom(std::uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void AppendChunk(Bytes& out, const std::string& type, const Bytes& data) {
  Append(out, BigEndian32(std::uint32_t(data.size())));
  out.insert(out.end(), type.begin(), type.end());
  Append(out, data);
  Append(out, BigEndian32(ChunkCrc(type, data)));
}

// Packs one row of pixel samples (count pixels) at the bit depth, most significant bits first.
Bytes PackRow(const std::uint16_t* samples, std::size_t count, int channels, int depth) {
  const std::size_t values = count * channels;
  Bytes row((values * depth + 7) / 8, 0);
  for (std::size_t i = 0; i < values; ++i) {
    const unsigned v = samples[i];
    if (depth == 16) {
      row[2 * i] = std::uint8_t(v >> 8);
      row[2 * i + 1] = std::uint8_t(v);
    } else if (depth == 8) {
      row[i] = std::uint8_t(v);
    } else {
      const std::size_t bit = i * depth;
      row[bit / 8] |= std::uint8_t(v << (8 - depth - bit % 8));
    }
  }
  return row;
}

int Predict(int type, int a, int b, int c) {
  switch (type) {
    case 1: return a;
    case 2: return b;
    case 3: return (a + b) / 2;
    case 4: {
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    }
    default: return 0;
  }
}

Bytes FilterRow(int type, const Bytes& raw, const Bytes& prior, std::size_t bpp) {
  Bytes out(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const int a = i >= bpp ? raw[i - bpp] : 0, b = prior[i], c = i >= bpp ? prior[i - bpp] : 0;
    out[i] = std::uint8_t(raw[i] - Predict(type, a, b, c));
  }
  return out;
}

int AdaptiveFilter(const Bytes& raw, const Bytes& prior, std::size_t bpp) {
  int best = 0;
  long bestSum = -1;
  for (int type = 0; type <= 4; ++type) {
    long sum = 0;
    for (std::uint8_t v : FilterRow(type, raw, prior, bpp)) sum += v < 128 ? v : 256 - v;
    if (bestSum < 0 || sum < bestSum) best = type, bestSum = sum;
  }
  return best;
}

Bytes StoredZlib(const Bytes& raw) {
  Bytes out = {0x78, 0x01};
  std::size_t offset = 0;
  do {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - offset);
    const bool last = offset + n == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(std::uint8_t(n)), out.push_back(std::uint8_t(n >> 8));
    out.push_back(std::uint8_t(~n)), out.push_back(std::uint8_t(~n >> 8));
    out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + n);
    offset += n;
  } while (offset < raw.size());
  Append(out, BigEndian32(adler32(adler32(0, nullptr, 0), raw.data(), uInt(raw.size()))));
  return out;
}

Bytes Compress(const Bytes& raw, int level) {
  uLongf size = compressBound(uLong(raw.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, raw.data(), uLong(raw.size()), level) != Z_OK) throw std::runtime_error("zlib");
  out.resize(size);
  return out;
}

std::uint16_t MakeSample(const ImageShape& s, std::uint32_t x, std::uint32_t y, int c, std::uint32_t& rng) {
  const std::uint32_t max = (1u << s.BitDepth) - 1;
  if (s.Kind == SampleKind::Random) return std::uint16_t(NextRandom(rng) & max);
  // Smooth gradients with a little noise, like a photograph.
  const double fx = double(x) / std::max<std::uint32_t>(1, s.Width), fy = double(y) / std::max<std::uint32_t>(1, s.Height);
  const double base = c == 0 ? fx : c == 1 ? fy : c == 2 ? (fx + fy) / 2 : 1.0 - fx * fy;
  const int noise = int(NextRandom(rng) % 9) - 4;
  const long v = long(base * max) + noise * long(max / 255 + 1);
  return std::uint16_t(std::clamp<long>(v, 0, max));
}

}  // namespace

int Channels(int colorType) {
  switch (colorType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

Bytes BigEndian32(std::uint32_t v) {
  return {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

std::uint32_t ChunkCrc(const std::string& type, const Bytes& data) {
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type.data()), uInt(type.size()));
  // A null buffer would make zlib answer its start value.
  if (!data.empty()) crc = crc32(crc, data.data(), uInt(data.size()));
  return std::uint32_t(crc);
}

Image MakeImage(const ImageShape& shape) {
  Image image;
  image.Shape = shape;
  std::uint32_t rng = shape.Seed * 2654435761u + 12345;
  const int channels = Channels(shape.ColorType);
  image.Samples.resize(std::size_t(shape.Width) * shape.Height * channels);
  std::size_t i = 0;
  for (std::uint32_t y = 0; y < shape.Height; ++y)
    for (std::uint32_t x = 0; x < shape.Width; ++x)
      for (int c = 0; c < channels; ++c) image.Samples[i++] = MakeSample(shape, x, y, c, rng);
  if (shape.ColorType == 3) {
    const int entries = shape.PaletteSize ? shape.PaletteSize : 1 << shape.BitDepth;
    for (int e = 0; e < entries * 3; ++e) image.Palette.push_back(std::uint8_t(NextRandom(rng)));
    for (auto& s : image.Samples) s = std::uint16_t(s % entries);
  }
  image.File = Encode(shape, image.Samples, image.Palette);
  return image;
}

Bytes Encode(const ImageShape& shape, const std::vector<std::uint16_t>& samples, const Bytes& palette) {
  const int channels = Channels(shape.ColorType);
  const std::size_t bpp = std::max<std::size_t>(1, std::size_t(channels) * shape.BitDepth / 8);
  Bytes filtered;
  std::size_t rowIndex = 0;
  auto addPassRows = [&](const Pass& pass) {
    const std::uint32_t w = shape.Width > pass.Column ? (shape.Width - pass.Column + pass.ColumnStep - 1) / pass.ColumnStep : 0;
    if (w == 0) return;
    Bytes prior;
    std::vector<std::uint16_t> rowSamples(std::size_t(w) * channels);
    for (std::uint32_t y = pass.Row; y < shape.Height; y += pass.RowStep) {
      for (std::uint32_t k = 0; k < w; ++k)
        for (int c = 0; c < channels; ++c)
          rowSamples[std::size_t(k) * channels + c] =
              samples[(std::size_t(y) * shape.Width + pass.Column + std::size_t(k) * pass.ColumnStep) * channels + c];
      const Bytes raw = PackRow(rowSamples.data(), w, channels, shape.BitDepth);
      if (prior.empty()) prior.assign(raw.size(), 0);
      int type = shape.Filters[rowIndex++ % shape.Filters.size()];
      if (type < 0) type = AdaptiveFilter(raw, prior, bpp);
      filtered.push_back(std::uint8_t(type));
      Append(filtered, FilterRow(type, raw, prior, bpp));
      prior = raw;
    }
  };
  if (shape.Interlaced) {
    for (const Pass& pass : Passes) addPassRows(pass);
  } else {
    addPassRows({0, 0, 1, 1});
  }
  const Bytes stream = shape.StoredBlocks ? StoredZlib(filtered) : Compress(filtered, shape.Level);

  Bytes file = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes header = BigEndian32(shape.Width);
  Append(header, BigEndian32(shape.Height));
  Append(header, {std::uint8_t(shape.BitDepth), std::uint8_t(shape.ColorType), 0, 0, std::uint8_t(shape.Interlaced)});
  AppendChunk(file, "IHDR", header);
  if (shape.Gamma) AppendChunk(file, "gAMA", BigEndian32(shape.Gamma));
  if (!palette.empty()) AppendChunk(file, "PLTE", palette);
  if (!shape.Transparency.empty()) AppendChunk(file, "tRNS", shape.Transparency);
  for (const auto& c : shape.BeforeData) AppendChunk(file, c.Type, c.Data);
  std::size_t offset = 0, piece = 0;
  do {
    const std::size_t size = shape.IdatSizes.empty() ? stream.size() : shape.IdatSizes[piece++ % shape.IdatSizes.size()];
    const std::size_t n = std::min(size, stream.size() - offset);
    AppendChunk(file, "IDAT", Bytes(stream.begin() + offset, stream.begin() + offset + n));
    offset += n;
  } while (offset < stream.size());
  if (shape.TrailingEmptyIdat) AppendChunk(file, "IDAT", {});
  for (const auto& c : shape.AfterData) AppendChunk(file, c.Type, c.Data);
  AppendChunk(file, "IEND", {});
  return file;
}

std::vector<Chunk> SplitChunks(const Bytes& file) {
  std::vector<Chunk> chunks;
  std::size_t at = 8;
  while (at + 12 <= file.size()) {
    const std::uint32_t length = std::uint32_t(file[at]) << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3];
    if (at + 12 + length > file.size()) break;
    Chunk c;
    c.Type.assign(file.begin() + at + 4, file.begin() + at + 8);
    c.Data.assign(file.begin() + at + 8, file.begin() + at + 8 + length);
    const std::size_t crcAt = at + 8 + length;
    c.Crc = std::uint32_t(file[crcAt]) << 24 | file[crcAt + 1] << 16 | file[crcAt + 2] << 8 | file[crcAt + 3];
    chunks.push_back(std::move(c));
    at += 12 + length;
  }
  return chunks;
}

Bytes JoinChunks(const std::vector<Chunk>& chunks, bool fixCrc) {
  Bytes file = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  for (const auto& c : chunks) {
    Append(file, BigEndian32(std::uint32_t(c.Data.size())));
    file.insert(file.end(), c.Type.begin(), c.Type.end());
    Append(file, c.Data);
    Append(file, BigEndian32(fixCrc ? ChunkCrc(c.Type, c.Data) : c.Crc));
  }
  return file;
}

}  // namespace png_test
