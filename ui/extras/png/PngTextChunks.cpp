#include "ui/extras/png/PngTextChunks.h"

#include <algorithm>

#include "ui/extras/png/PngImageCore.h"
#include "ui/extras/png/PngZlib.h"

void TChunktEXt::AssignChunk(const TChunk& source) {
  if (auto* other = dynamic_cast<const TChunktEXt*>(&source)) {
    Keyword = other->Keyword;
    Text = other->Text;
  }
}

bool TChunktEXt::ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) {
  TChunk::ReadChunk(stream, type, size);
  if (size > 2) {
    const auto begin = Payload().begin(), end = Payload().end();
    const auto zero = std::find(begin, end, Byte(0));
    Keyword.assign(begin, zero);
    Text.assign(zero == end ? end : zero + 1, end);
  }
  return true;
}

bool TChunktEXt::WriteChunk(IPngByteStream& stream) {
  auto& payload = Payload();
  payload.assign(Keyword.begin(), Keyword.end());
  payload.push_back(0);
  payload.insert(payload.end(), Text.begin(), Text.end());
  return TChunk::WriteChunk(stream);
}

bool TChunkzTXt::ReadChunk(IPngByteStream& stream, const TPngChunkType& type, Cardinal size) {
  TChunktEXt::ReadChunk(stream, type, size);
  if (size >= 4) {
    const auto begin = Payload().begin(), end = Payload().end();
    const auto zero = std::find(begin, end, Byte(0));
    Keyword.assign(begin, zero);
    Text.clear();
    // Only a keyword, its terminator and the method byte make compressed text.
    if (zero != end && zero + 1 != end && zero[1] == 0) {
      const std::size_t offset = std::size_t(zero - begin) + 2;
      if (auto text = PngInflateText(Payload().data() + offset, Payload().size() - offset, PngTextInflateLimit))
        Text = std::move(*text);
    }
  }
  return true;
}

bool TChunkzTXt::WriteChunk(IPngByteStream& stream) {
  if (Text.empty()) Text = " ";
  const auto packed = PngDeflateText(Text, OwnerImage()->DeflateLevel);
  if (!packed) return true;
  auto& payload = Payload();
  payload.assign(Keyword.begin(), Keyword.end());
  payload.push_back(0);
  payload.push_back(0);
  payload.insert(payload.end(), packed->begin(), packed->end());
  return TChunk::WriteChunk(stream);
}
