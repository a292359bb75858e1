// Seeded mutations of valid images: every case must end in success or in one of the codec's
// exceptions, quickly, and without a sanitizer report.

#include <gtest/gtest.h>

#include <zlib.h>

#include <time.h>

#include <chrono>
#include <typeinfo>

#include "PngTestSupport.h"
#include "ui/extras/png/PngExceptions.h"

using namespace png_test;

// Any single allocation above 256 MiB is a failure of this program: the codec must never size a
// buffer from a length it has not read the bytes for.
extern "C" const char* __asan_default_options() { return "max_allocation_size_mb=256:allocator_may_return_null=0"; }

namespace {

// Frames above this size are refused as if the graphics interface had no memory for them, so a
// mutated header cannot make a case allocate a gibibyte.
class TBoundedImage : public TPngImageCore {
 public:
  std::unique_ptr<IPngFrame> CreateFrame(const TPngFrameLayout& layout) override {
    if (layout.FrameBytes() > (UInt64(32) << 20)) throw EPNGOutMemory(EPNGOutMemoryText);
    return TPngImageCore::CreateFrame(layout);
  }
};

struct Random {
  std::uint64_t State;
  std::uint32_t Next() {
    State ^= State << 13;
    State ^= State >> 7;
    State ^= State << 17;
    return std::uint32_t(State >> 11);
  }
  std::uint32_t Below(std::size_t n) { return n ? Next() % std::uint32_t(n) : 0; }
};

std::vector<Bytes> Seeds() {
  std::vector<Bytes> seeds;
  const struct {
    int ColorType, BitDepth;
  } formats[] = {{0, 1}, {0, 2}, {0, 16}, {2, 8}, {3, 4}, {3, 8}, {4, 8}, {6, 16}, {6, 8}, {2, 16}};
  Bytes zText = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0};
  {
    uLongf size = 64;
    Bytes packed(size);
    const char text[] = "a compressed comment";
    compress(packed.data(), &size, reinterpret_cast<const Bytef*>(text), sizeof text);
    zText.insert(zText.end(), packed.begin(), packed.begin() + size);
  }
  int i = 0;
  for (const auto& f : formats) {
    ImageShape shape;
    shape.ColorType = f.ColorType;
    shape.BitDepth = f.BitDepth;
    shape.Width = 5 + i;
    shape.Height = 3 + i % 4;
    shape.Interlaced = i % 2 == 1;
    shape.Filters = {-1, 4, 3};
    shape.Seed = Cardinal(100 + i);
    shape.IdatSizes = i % 3 == 0 ? std::vector<std::size_t>{7, 13} : std::vector<std::size_t>{};
    shape.Gamma = i % 4 == 0 ? 45455 : 0;
    if (f.ColorType == 3) shape.Transparency = {0, 255, 128};
    if (f.ColorType == 0 || f.ColorType == 2) shape.Transparency = Bytes(f.ColorType == 0 ? 2 : 6, 1);
    shape.BeforeData = {{"tEXt", {'T', 'i', 't', 'l', 'e', 0, 'x'}}, {"zTXt", zText}};
    shape.AfterData = {{"tIME", {7, 234, 1, 2, 3, 4, 5}}, {"pHYs", Bytes(9, 1)}};
    seeds.push_back(MakeImage(shape).File);
    ++i;
  }
  return seeds;
}

Bytes Mutate(const Bytes& seed, Random& rng) {
  const bool fixCrc = rng.Next() & 1;
  auto chunks = SplitChunks(seed);
  Chunk& some = chunks[rng.Below(chunks.size())];
  const std::uint32_t kind = rng.Below(11);
  switch (kind) {
    case 0:  // bit flips
    case 1: {  // byte overwrites
      const bool flip = kind == 0;
      if (!fixCrc) {
        Bytes file = seed;
        for (int n = 1 + rng.Below(4); n > 0; --n) {
          Byte& b = file[8 + rng.Below(file.size() - 8)];
          b = flip ? Byte(b ^ (1 << rng.Below(8))) : Byte(rng.Next());
        }
        return file;
      }
      for (int n = 1 + rng.Below(4); n > 0 && !some.Data.empty(); --n) {
        Byte& b = some.Data[rng.Below(some.Data.size())];
        b = flip ? Byte(b ^ (1 << rng.Below(8))) : Byte(rng.Next());
      }
      break;
    }
    case 2: {  // truncation at a chunk boundary or inside a chunk
      Bytes file = JoinChunks(chunks, fixCrc);
      return Bytes(file.begin(), file.begin() + rng.Below(file.size() + 1));
    }
    case 3: {  // length field set to an extreme
      const std::uint32_t lengths[] = {0, 0x7FFFFFFF, 0xFFFFFFFF};
      Bytes file = JoinChunks(chunks, fixCrc);
      std::size_t offset = 8;
      const std::size_t target = rng.Below(chunks.size());
      for (std::size_t index = 0; index < target; ++index) offset += 12 + chunks[index].Data.size();
      const Bytes field = BigEndian32(lengths[rng.Below(3)]);
      std::copy(field.begin(), field.end(), file.begin() + offset);
      return file;
    }
    case 4:  // duplicated chunk
      chunks.insert(chunks.begin() + rng.Below(chunks.size() + 1), some);
      break;
    case 5:  // removed chunk
      chunks.erase(chunks.begin() + rng.Below(chunks.size()));
      break;
    case 6:  // reordered chunks
      std::swap(chunks[rng.Below(chunks.size())], chunks[rng.Below(chunks.size())]);
      break;
    case 7: {  // compressed text without terminator
      Bytes text(1 + rng.Below(12), Byte('a' + rng.Below(26)));
      chunks.insert(chunks.begin() + 1 + rng.Below(chunks.size() - 1), Chunk{"zTXt", text, 0});
      break;
    }
    case 8: {  // short transparency
      Bytes trns(rng.Below(6), Byte(rng.Next()));
      chunks.insert(chunks.begin() + 1 + rng.Below(chunks.size() - 1), Chunk{"tRNS", trns, 0});
      break;
    }
    case 9:  // header fields
      chunks[0].Data[rng.Below(chunks[0].Data.size())] = Byte(rng.Next());
      if (rng.Next() & 1) chunks[0].Data.resize(rng.Below(14));
      break;
    default: {  // damaged compressed text
      Bytes payload = {'k', 0, 0};
      for (int n = rng.Below(40); n > 0; --n) payload.push_back(Byte(rng.Next()));
      chunks.insert(chunks.begin() + 1, Chunk{"zTXt", payload, 0});
      break;
    }
  }
  if (!fixCrc)
    for (auto& c : chunks) c.Crc = ChunkCrc(c.Type, c.Data) ^ ((rng.Next() & 7) == 0 ? 1 : 0);
  return JoinChunks(chunks, fixCrc);
}

// The exception classes the codec raises (PngExceptions.h).
template <class... Codec>
bool IsOneOf(const Exception& e) {
  return ((typeid(e) == typeid(Codec)) || ...);
}

bool IsCodecException(const Exception& e) {
  return IsOneOf<EPngError, EPNGInvalidFileHeader, EPngUnexpectedEnd, EPNGIHDRNotFirst, EPNGUnknownCriticalChunk,
                 EPNGNoImageData, EPngInvalidCRC, EPngInvalidIHDR, EPNGSizeExceeds, EPNGUnknownCompression,
                 EPNGUnknownInterlace, EPNGInvalidPalette, EPNGMissingMultipleIDAT, EPNGZLIBError,
                 EPNGHeaderNotPresent, EPNGOutMemory>(e);
}

// Loads, and on success saves and loads again; answers whether only codec exceptions came up.
bool RunCase(const Bytes& file, std::string& failure) {
  try {
    TBoundedImage image;
    TPngMemoryStream in(file);
    image.LoadFromStream(in);
    image.PixelColor(0, 0);
    TPngMemoryStream out;
    image.SaveToStream(out);
    TBoundedImage again;
    out.Rewind();
    again.LoadFromStream(out);
  } catch (const Exception& e) {
    if (IsCodecException(e)) return true;
    const std::wstring name = e.ClassName();
    failure = std::string(name.begin(), name.end()) + ": " + e.what();
    return false;
  } catch (const std::exception& e) {
    failure = e.what();
    return false;
  }
  return true;
}

// CPU time of this thread: a slow case is the codec's doing, not the machine's load.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

TEST(PngFuzz, MutatedImagesEndInSuccessOrACodecException) {
  using Clock = std::chrono::steady_clock;
  const std::vector<Bytes> seeds = Seeds();
  Random rng{0x5EEDF00DCAFEull};
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  int cases = 0;
  double slowest = 0;
  for (; cases < 20000 && Clock::now() < deadline; ++cases) {
    const Bytes file = Mutate(seeds[rng.Below(seeds.size())], rng);
    const double start = ThreadSeconds();
    std::string failure;
    ASSERT_TRUE(RunCase(file, failure)) << "case " << cases << ": " << failure;
    slowest = std::max(slowest, ThreadSeconds() - start);
  }
  EXPECT_LT(slowest, 2.0);
  RecordProperty("cases", cases);
}
