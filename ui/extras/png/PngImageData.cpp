#include "ui/extras/png/PngImageData.h"

#include <algorithm>
#include <vector>

#include "ui/extras/png/PngAdam7.h"
#include "ui/extras/png/PngCrc.h"
#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngFilters.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngImageCore.h"
#include "ui/extras/png/PngZlib.h"

namespace {

constexpr TPngChunkType IdatType = PngChunkType("IDAT");

// Inflates the data of a run of IDAT chunks, checking each chunk's CRC as it is finished.
class TIdatReader {
 public:
  TIdatReader(IPngByteStream& stream, Cardinal firstSize)
      : stream_(stream), input_(PngIdatInputBlock), remaining_(firstSize), crc_(StartCrc()) {}

  // Inflates up to size bytes into out; answers how many arrived (fewer when the stream ended).
  std::size_t Fill(Byte* out, std::size_t size) {
    z_stream& z = inflater_.Stream();
    z.next_out = out;
    z.avail_out = uInt(size);
    while (z.avail_out > 0) {
      if (ended_) RaisePng<EPNGMissingMultipleIDAT>(EPNGMissingMultipleIDATText);
      if (z.avail_in == 0) {
        if (remaining_ == 0) {
          NextChunk();
          continue;
        }
        const std::size_t got = ReadBlock();
        if (got == 0) break;
        z.next_in = input_.data();
        z.avail_in = uInt(got);
      }
      const uInt inBefore = z.avail_in, outBefore = z.avail_out;
      const int result = inflate(&z, Z_NO_FLUSH);
      if (result == Z_STREAM_END) {
        ended_ = true;
        continue;
      }
      if (result != Z_OK || (z.avail_in == inBefore && z.avail_out == outBefore)) RaisePngZlibError(result);
    }
    return size - z.avail_out;
  }

  // After the last row: the rest of the current chunk goes into its CRC, which is then checked.
  void Finish() {
    while (remaining_ > 0 && ReadBlock() > 0) {
    }
    CheckCrc();
  }

 private:
  static Cardinal StartCrc() { return UpdatePngCrc(PngCrcStart, IdatType.data(), 4); }

  std::size_t ReadBlock() {
    const std::size_t want = std::min<std::size_t>(remaining_, PngIdatInputBlock);
    const std::size_t got = stream_.Read(input_.data(), want);
    crc_ = UpdatePngCrc(crc_, input_.data(), got);
    remaining_ -= got;
    return got;
  }

  void CheckCrc() {
    Byte stored[4];
    if (stream_.Read(stored, 4) != 4 || ReadBigEndian32(stored) != ~crc_) RaisePng<EPngInvalidCRC>(EPngInvalidCRCText);
  }

  void NextChunk() {
    CheckCrc();
    Byte head[8];
    if (stream_.Read(head, 8) != 8) RaisePng<EPngUnexpectedEnd>(EPngUnexpectedEndText);
    const Cardinal length = ReadBigEndian32(head);
    if (length > PngMaxChunkLength) RaisePng<EPngInvalidCRC>(EPngInvalidCRCText);
    if (!std::equal(IdatType.begin(), IdatType.end(), head + 4))
      RaisePng<EPNGMissingMultipleIDAT>(EPNGMissingMultipleIDATText);
    crc_ = StartCrc();
    remaining_ = length;
  }

  IPngByteStream& stream_;
  TPngInflater inflater_;
  std::vector<Byte> input_;
  UInt64 remaining_;  // data bytes of the current chunk not yet read
  Cardinal crc_;
  bool ended_ = false;
};

// Deflates sample rows into IDAT chunks of exactly limit bytes, the last one shorter.
class TIdatWriter {
 public:
  TIdatWriter(IPngByteStream& stream, Cardinal limit, int level)
      : stream_(stream), deflater_(level), output_(std::min(limit, PngMaxChunkLength)) {
    Reset();
  }

  void Feed(const Byte* data, std::size_t size) {
    z_stream& z = deflater_.Stream();
    z.next_in = const_cast<Byte*>(data);
    z.avail_in = uInt(size);
    while (z.avail_in > 0) {
      const int result = deflate(&z, Z_NO_FLUSH);
      if (result != Z_OK && result != Z_BUF_ERROR) RaisePngZlibError(result);
      if (z.avail_out == 0) WriteOutput();
    }
  }

  void Finish() {
    z_stream& z = deflater_.Stream();
    for (;;) {
      const int result = deflate(&z, Z_FINISH);
      if (result == Z_STREAM_END) break;
      if (result != Z_OK && result != Z_BUF_ERROR) RaisePngZlibError(result);
      WriteOutput();
    }
    if (z.avail_out < output_.size()) WriteOutput();
  }

 private:
  void Reset() {
    deflater_.Stream().next_out = output_.data();
    deflater_.Stream().avail_out = uInt(output_.size());
  }

  void WriteOutput() {
    WritePngChunk(stream_, IdatType, output_.data(), Cardinal(output_.size() - deflater_.Stream().avail_out));
    Reset();
  }

  IPngByteStream& stream_;
  TPngDeflater deflater_;
  std::vector<Byte> output_;
};

TPngRowPlacement WholeRow(Cardinal width) { return {width, 0, 1}; }

}  // namespace

bool TChunkIDAT::ReadChunk(IPngByteStream& stream, const TPngChunkType&, Cardinal size) {
  if (size > PngMaxChunkLength) RaisePng<EPngInvalidCRC>(EPngInvalidCRCText);
  TChunkIHDR& header = HeaderOf();
  const TPngImageCore& image = *OwnerImage();
  if (header.HasColorTable() && header.ColorType != 3) header.MakeGreyColorTable();
  const TPngSampleFormat format = header.SampleFormat();
  const Cardinal width = header.Width, height = header.Height;
  const int step = PngPixelStep(format);
  const bool identity = IsIdentityGamma(image.GammaForward);
  const std::size_t fullLength = PngRowLength(format, width);

  TIdatReader reader(stream, size);
  std::vector<Byte> current(fullLength + 1), above(fullLength + 1, 0);

  // Decodes one row of length bytes; false when the stream has ended.
  auto decodeRow = [&](std::size_t length, const TPngRowPlacement& place, Cardinal y) {
    if (reader.Fill(current.data(), length + 1) == 0) return false;
    UnfilterRow(current[0], current.data() + 1, above.data() + 1, length, step);
    StoreSampleRow(format, current.data() + 1, place, header.PixelRow(y), header.AlphaRow(y), image.GammaForward,
                   identity);
    current.swap(above);
    return true;
  };

  if (image.Interlacing == ilNone && header.HasFrame()) {
    for (Cardinal y = 0; y < height; ++y)
      if (!decodeRow(fullLength, WholeRow(width), y)) break;
  } else if (image.Interlacing == ilAdam7 && header.HasFrame()) {
    for (const TPngAdam7Pass& pass : PngAdam7Passes) {
      const Cardinal passWidth = pass.Width(width);
      const std::size_t length = PngRowLength(format, passWidth);
      std::fill(above.begin(), above.end(), Byte(0));
      if (length == 0) continue;
      for (Cardinal y = pass.StartRow; y < height; y += pass.RowStep)
        if (!decodeRow(length, {passWidth, pass.StartColumn, pass.ColumnStep}, y)) break;
    }
  }
  reader.Finish();
  return true;
}

bool TChunkIDAT::WriteChunk(IPngByteStream& stream) {
  TChunkIHDR& header = HeaderOf();
  const TPngImageCore& image = *OwnerImage();
  TPngSampleFormat format = header.SampleFormat();
  if (format.BitDepth == 2) format.BitDepth = 4;
  const Cardinal width = header.HasFrame() ? header.Width : 0, height = header.HasFrame() ? header.Height : 0;
  const bool identity = IsIdentityGamma(image.GammaInverse);
  const std::size_t fullLength = PngRowLength(format, width);

  TPngFilterChooser chooser(image.RowFilters, fullLength, PngPixelStep(format));
  TIdatWriter writer(stream, image.IdatChunkLimit(), image.DeflateLevel);
  auto encodeRow = [&](std::size_t length, const TPngRowPlacement& place, Cardinal y) {
    LoadSampleRow(format, chooser.RawRow(), place, header.PixelRow(y), header.AlphaRow(y), image.GammaInverse,
                  identity);
    writer.Feed(chooser.FilterRow(), length + 1);
  };

  if (image.Interlacing == ilNone) {
    for (Cardinal y = 0; y < height; ++y) encodeRow(fullLength, WholeRow(width), y);
  } else if (image.Interlacing == ilAdam7) {
    for (const TPngAdam7Pass& pass : PngAdam7Passes) {
      const Cardinal passWidth = pass.Width(width);
      const std::size_t length = PngRowLength(format, passWidth);
      chooser.StartPass(length);
      if (length == 0) continue;
      for (Cardinal y = pass.StartRow; y < height; y += pass.RowStep)
        encodeRow(length, {passWidth, pass.StartColumn, pass.ColumnStep}, y);
    }
  }
  writer.Finish();
  return true;
}
