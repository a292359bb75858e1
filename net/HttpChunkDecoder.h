#pragma once
// The "chunked" transfer coding, read byte by byte: size lines (hexadecimal, extensions ignored),
// the data of each chunk, its line end, and the final chunk of size 0. Trailer lines after the final
// chunk's line are not interpreted.

#include "platform/framework/base/Types.h"

class THttpChunkDecoder {
 public:
  // A size of more than this many significant hexadecimal digits is refused.
  static constexpr int kMaxSizeDigits = 15;

  void Reset();
  // Consumes bytes from Data (at most Len) and returns how many. When the consumed bytes end with
  // chunk data, Part and PartLen point at it (PartLen 0 otherwise). Call again with the rest until
  // all is consumed, Done or Failed.
  int Feed(const char* Data, int Len, const char*& Part, int& PartLen);

  bool Done() const { return state_ == kDone; }
  // True once after the digits of a size have been read (ChunkLength then holds it).
  bool TakeSizeRead() {
    const bool read = sizeRead_;
    sizeRead_ = false;
    return read;
  }
  bool Failed() const { return failed_; }
  Int64 ChunkLength() const { return chunkLength_; }

 private:
  enum State { kSize, kSizeLine, kData, kDataLineEnd, kDone };

  State state_ = kSize;
  Int64 chunkLength_ = 0;
  Int64 chunkReceived_ = 0;
  int sizeDigits_ = 0;
  bool failed_ = false;
  bool sizeRead_ = false;
};
