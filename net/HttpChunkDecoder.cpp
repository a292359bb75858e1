#include "net/HttpChunkDecoder.h"

#include <algorithm>
#include <cstring>

#include "net/UrlParse.h"

void THttpChunkDecoder::Reset() {
  state_ = kSize;
  chunkLength_ = 0;
  chunkReceived_ = 0;
  sizeDigits_ = 0;
  failed_ = false;
  sizeRead_ = false;
}

int THttpChunkDecoder::Feed(const char* Data, int Len, const char*& Part, int& PartLen) {
  Part = nullptr;
  PartLen = 0;
  int used = 0;
  while (used < Len && state_ != kDone && !failed_) {
    switch (state_) {
      case kSize: {
        const char c = Data[used];
        if (!IsHexDigit(c)) {
          state_ = kSizeLine;
          sizeRead_ = true;
          break;
        }
        ++used;
        if (sizeDigits_ > 0 || c != '0') ++sizeDigits_;
        if (sizeDigits_ > kMaxSizeDigits) {
          failed_ = true;
          break;
        }
        chunkLength_ = chunkLength_ * 16 + HexDigitValue(c);
        break;
      }
      case kSizeLine:
      case kDataLineEnd: {
        const void* lf = std::memchr(Data + used, '\n', static_cast<std::size_t>(Len - used));
        if (!lf) return Len;
        used = static_cast<int>(static_cast<const char*>(lf) - Data) + 1;
        if (state_ == kSizeLine) {
          state_ = kData;
          if (chunkLength_ == 0) state_ = kDataLineEnd;
        } else {
          state_ = chunkLength_ == 0 ? kDone : kSize;
          chunkLength_ = chunkReceived_ = 0;
          sizeDigits_ = 0;
        }
        break;
      }
      case kData: {
        const int n = static_cast<int>(std::min<Int64>(chunkLength_ - chunkReceived_, Len - used));
        Part = Data + used;
        PartLen = n;
        used += n;
        chunkReceived_ += n;
        if (chunkReceived_ >= chunkLength_) state_ = kDataLineEnd;
        return used;
      }
      case kDone:
        break;
    }
  }
  return used;
}
