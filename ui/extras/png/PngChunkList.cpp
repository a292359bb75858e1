#include "ui/extras/png/PngChunkList.h"

#include <algorithm>
#include <cstring>

#include "ui/extras/png/PngExceptions.h"

TChunk* TPNGList::Add(std::unique_ptr<TChunk> chunk) {
  items_.push_back(std::move(chunk));
  return items_.back().get();
}

TChunk* TPNGList::Insert(std::unique_ptr<TChunk> chunk, int index) {
  if (index < 0 || index >= Count()) return nullptr;
  return items_.insert(items_.begin() + index, std::move(chunk))->get();
}

std::unique_ptr<TChunk> TPNGList::Remove(const TChunk* chunk) {
  for (int i = Count() - 1; i >= 0; --i)
    if (items_[i].get() == chunk) {
      auto taken = std::move(items_[i]);
      items_.erase(items_.begin() + i);
      return taken;
    }
  return nullptr;
}

void TPNGList::Cut(int count) {
  if (count < Count()) items_.resize(std::max(count, 0));
}

int TPNGList::IndexOf(const TChunk* chunk) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].get() == chunk) return i;
  return -1;
}

int TPNGList::IndexOfType(const char* type) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i]->ChunkTypeName() == type) return i;
  return -1;
}

void TPNGList::CheckNewChunk(const AnsiString& type) const {
  const bool critical = type == "IHDR" || type == "IDAT" || type == "PLTE" || type == "IEND";
  const bool single = (type == "gAMA" || type == "tRNS") && IndexOfType(type.c_str()) >= 0;
  if (critical || single) RaisePng<EPngError>(EPngExistentText);
  if (IndexOfType("IEND") < 0 || IndexOfType("IHDR") < 0) RaisePng<EPngError>(EPngInvalidNewChunkText);
}

int TPNGList::PlaceForNewChunk(const AnsiString& type) const {
  const int header = IndexOfType("IHDR");
  if (type == "gAMA") return header + 1;
  if (type == "tRNS") {
    const int palette = IndexOfType("PLTE");
    if (palette >= 0) return palette + 1;
    const int data = IndexOfType("IDAT");
    return data >= 0 ? data : header + 1;
  }
  return IndexOfType("IEND");
}
