#pragma once
// The owned, ordered chunk list of an image.

#include <memory>
#include <vector>

#include "ui/extras/png/PngChunk.h"

class TPNGList {
 public:
  explicit TPNGList(TPngImageCore* owner) : owner_(owner) {}

  int Count() const { return int(items_.size()); }
  // Null beyond the end.
  TChunk* Item(int index) const { return index >= 0 && index < Count() ? items_[index].get() : nullptr; }
  TChunk* Add(std::unique_ptr<TChunk> chunk);
  // Inserts at index when index < Count; otherwise the chunk is discarded and null answered.
  TChunk* Insert(std::unique_ptr<TChunk> chunk, int index);
  // Takes the last occurrence of chunk out of the list; null when absent.
  std::unique_ptr<TChunk> Remove(const TChunk* chunk);
  void RemoveAndFree(const TChunk* chunk) { Remove(chunk); }
  // Keeps the first count chunks.
  void Cut(int count);
  void Clear() { items_.clear(); }
  int IndexOf(const TChunk* chunk) const;

  // The first chunk of class T or a descendant.
  template <class T>
  T* FindByClass() const {
    for (const auto& item : items_)
      if (auto* found = dynamic_cast<T*>(item.get())) return found;
    return nullptr;
  }
  // Creates a chunk of class T and places it by its kind; raises EPngError for a critical class,
  // a second gamma or transparency chunk, or an image without header or end chunk.
  template <class T>
  T* AddChunkOfClass() {
    CheckNewChunk(T::ClassTypeName);
    return static_cast<T*>(Insert(std::make_unique<T>(owner_), PlaceForNewChunk(T::ClassTypeName)));
  }

 private:
  void CheckNewChunk(const AnsiString& type) const;
  int PlaceForNewChunk(const AnsiString& type) const;
  int IndexOfType(const char* type) const;

  TPngImageCore* owner_;
  std::vector<std::unique_ptr<TChunk>> items_;
};
