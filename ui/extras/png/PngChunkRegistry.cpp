#include "ui/extras/png/PngChunkRegistry.h"

#include <algorithm>
#include <array>

#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngImageData.h"
#include "ui/extras/png/PngInfoChunks.h"
#include "ui/extras/png/PngPaletteChunks.h"
#include "ui/extras/png/PngTextChunks.h"

namespace {

struct TChunkClassEntry {
  TPngChunkType Type;
  std::unique_ptr<TChunk> (*Create)(TPngImageCore* owner);
};

template <class T>
constexpr TChunkClassEntry Entry() {
  return {PngChunkType(T::ClassTypeName), [](TPngImageCore* owner) -> std::unique_ptr<TChunk> {
            return std::make_unique<T>(owner);
          }};
}

constexpr std::array<TChunkClassEntry, 9> Registry = {
    Entry<TChunkIEND>(), Entry<TChunkIHDR>(), Entry<TChunkIDAT>(), Entry<TChunkPLTE>(), Entry<TChunkgAMA>(),
    Entry<TChunktRNS>(), Entry<TChunktIME>(), Entry<TChunktEXt>(), Entry<TChunkzTXt>()};

}  // namespace

std::unique_ptr<TChunk> CreateRegisteredChunk(const TPngChunkType& type, TPngImageCore* owner) {
  const auto it = std::find_if(Registry.begin(), Registry.end(), [&](const auto& e) { return e.Type == type; });
  return it == Registry.end() ? nullptr : it->Create(owner);
}
