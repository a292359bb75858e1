#pragma once
// Damaged-input sweeps for the decoders: every prefix of a valid file (a stride of them past the
// header) and thousands of seeded corruptions (bit flips, overwritten bytes, inserted and deleted
// runs, lengths overwritten with huge values). Each case must open and read to the end it states, or
// raise EAudioError; any other exception fails the test. The native build runs them under
// AddressSanitizer and UBSan, so an out-of-bounds read or an overflow there fails too, and there every
// allocation is watched, so a damaged length that a reader allocates fails as well.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

#if defined(__SANITIZE_ADDRESS__)
#include <atomic>
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, std::size_t),
                                                         void (*onFree)(const volatile void*));
#endif

namespace damaged_sweep {

// The largest single allocation since the last reset, where the sanitizer runtime reports them
// (natively); elsewhere 0. Third-party decoders are included: their allocations pass through it too.
class LargestAllocation {
 public:
  static void Reset() {
#if defined(__SANITIZE_ADDRESS__)
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(&OnMalloc, &OnFree) != 0;
    (void)installed;
    Largest().store(0, std::memory_order_relaxed);
#endif
  }
  static std::size_t Bytes() {
#if defined(__SANITIZE_ADDRESS__)
    return Largest().load(std::memory_order_relaxed);
#else
    return 0;
#endif
  }

 private:
#if defined(__SANITIZE_ADDRESS__)
  static std::atomic<std::size_t>& Largest() {
    static std::atomic<std::size_t> largest{0};
    return largest;
  }
  static void OnMalloc(const volatile void*, std::size_t size) {
    std::size_t seen = Largest().load(std::memory_order_relaxed);
    while (size > seen && !Largest().compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
  }
  static void OnFree(const volatile void*) {}
#endif
};

// Wine runs the same sweeps with fewer cases; the sanitizer run natively takes them all.
#ifdef _WIN32
constexpr int kCorruptions = 300;
constexpr std::size_t kPrefixes = 120;
#else
constexpr int kCorruptions = 3000;
constexpr std::size_t kPrefixes = 1500;
#endif

using Opener = std::function<std::unique_ptr<AudioDecoder>(const AnsiString&)>;

struct Limits {
  // The most frames a file of this format can hold per byte; a stated length beyond it means the
  // reader trusted a damaged count (and a caller would fill memory or disk with it).
  double MaxFramesPerByte = 16;
  // Added to the bound above: headers of tiny files may state one frame's worth.
  std::int64_t SlackFrames = 4608;
  // Corruptions land in the first `HeadBytes` bytes half of the time, where sizes and counts live.
  std::size_t HeadBytes = 256;
  // A quarter of them in the last `TailBytes` bytes (tags at the end), when not 0.
  std::size_t TailBytes = 0;
  // The largest block a reader (with its library) may allocate at once for files this small: working
  // memory and tables, never a length taken from damaged bytes.
  std::size_t MaxAllocationBytes = std::size_t{16} << 20;
};

enum class Outcome { Decoded, Raised };

// Opens `bytes` and reads to the end, checking what the decoder states against what it delivers.
inline Outcome DecodeAll(const AnsiString& bytes, const Opener& open, const Limits& limits, const std::string& label) {
  std::unique_ptr<AudioDecoder> decoder;
  LargestAllocation::Reset();
  // Checked however the case ends: a reader that allocates a damaged length before it raises
  // fails as well.
  struct AllocationCheck {
    std::size_t Cap;
    const std::string& Label;
    ~AllocationCheck() {
      EXPECT_LE(LargestAllocation::Bytes(), Cap) << Label << ": allocated a damaged length";
    }
  } allocationCheck{limits.MaxAllocationBytes, label};
  try {
    decoder = open(bytes);
    const AudioFileInfo& info = decoder->Info();
    const double capacity = limits.MaxFramesPerByte * static_cast<double>(bytes.size()) +
                            static_cast<double>(limits.SlackFrames);
    if (info.Channels < 1 || info.Channels > 8 || info.SampleRate <= 0 || info.Frames < 0 ||
        static_cast<double>(info.Frames) > capacity) {
      ADD_FAILURE() << label << ": implausible stream: " << info.Channels << " channels, " << info.SampleRate
                    << " Hz, " << info.Frames << " frames from " << bytes.size() << " bytes";
      return Outcome::Raised;
    }
    constexpr std::int64_t kPiece = 4096;
    std::vector<float> piece(static_cast<std::size_t>(kPiece * info.Channels));
    std::int64_t total = 0;
    for (std::int64_t got; (got = decoder->Read(piece.data(), kPiece)) > 0;) {
      if (got > kPiece) {
        ADD_FAILURE() << label << ": read " << got << " frames into room for " << kPiece;
        return Outcome::Raised;
      }
      for (std::int64_t i = 0; i < got * info.Channels; ++i)
        if (!std::isfinite(piece[static_cast<std::size_t>(i)])) {
          ADD_FAILURE() << label << ": sample " << total * info.Channels + i << " is not finite";
          return Outcome::Raised;
        }
      total += got;
      if (total > info.Frames) break;
    }
    EXPECT_EQ(total, info.Frames) << label;
    return Outcome::Decoded;
  } catch (const EAudioError&) {
    return Outcome::Raised;
  }
}

inline void PutLe32(AnsiString& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

inline void PutBe32(AnsiString& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
    bytes[at + i] = static_cast<char>(value >> (8 * (3 - i)));
}

// One to three seeded changes of `original`; the same seed gives the same damage on every platform.
inline AnsiString Damaged(const AnsiString& original, std::uint32_t seed, const Limits& limits) {
  std::mt19937 random(seed);
  AnsiString bytes = original;
  auto where = [&]() -> std::size_t {
    if (bytes.empty()) return 0;
    const std::uint32_t region = random() % 4;
    if (region < 2) return random() % std::min(bytes.size(), limits.HeadBytes);
    if (region == 2 && limits.TailBytes > 0) {
      const std::size_t tail = std::min(bytes.size(), limits.TailBytes);
      return bytes.size() - tail + random() % tail;
    }
    return random() % bytes.size();
  };
  static constexpr std::uint32_t kHugeValues[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFF0u, 0x00FFFFFFu};
  for (std::uint32_t changes = 1 + random() % 3; changes > 0 && !bytes.empty(); --changes) {
    const std::size_t at = where();
    switch (random() % 6) {
      case 0: bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8))); break;
      case 1: bytes[at] = static_cast<char>(random() % 3 == 0 ? 0xFF : random() & 0xFF); break;
      case 2: bytes.insert(at, AnsiString(1 + random() % 16, static_cast<char>(random() & 0xFF))); break;
      case 3: bytes.erase(at, 1 + random() % 64); break;
      case 4: PutLe32(bytes, at, kHugeValues[random() % 5]); break;
      default: PutBe32(bytes, at, kHugeValues[random() % 5]); break;
    }
  }
  return bytes;
}

// Every prefix up to kPrefixes bytes and a stride of them beyond, each decoded or raising.
inline void SweepPrefixes(const AnsiString& original, const Opener& open, const Limits& limits) {
  const std::size_t stride = std::max<std::size_t>(1, original.size() / kPrefixes);
  for (std::size_t length = 0; length < original.size();
       length += length < std::min(original.size(), kPrefixes) ? 1 : stride)
    DecodeAll(original.substr(0, length), open, limits, "prefix of " + std::to_string(length) + " bytes");
}

// kCorruptions seeded corruptions from `firstSeed` on; a failure names the seed that repeats it.
inline void SweepCorruptions(const AnsiString& original, const Opener& open, const Limits& limits,
                             std::uint32_t firstSeed) {
  for (int i = 0; i < kCorruptions; ++i) {
    const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(i);
    DecodeAll(Damaged(original, seed, limits), open, limits, "corruption seed " + std::to_string(seed));
  }
}

// The whole sweep of one valid file, which itself must decode.
inline void Sweep(const AnsiString& original, const Opener& open, const Limits& limits, std::uint32_t firstSeed) {
  ASSERT_EQ(DecodeAll(original, open, limits, "the undamaged file"), Outcome::Decoded);
  SweepPrefixes(original, open, limits);
  SweepCorruptions(original, open, limits, firstSeed);
}

}  // namespace damaged_sweep
