#pragma once
// The framework's TStream as the codec's byte stream.

#include "ui/extras/png/PngStream.h"

class TStream;

class TPngStreamAdapter : public IPngByteStream {
 public:
  explicit TPngStreamAdapter(TStream& stream) : stream_(stream) {}

  std::size_t Read(void* buffer, std::size_t size) override;
  void Write(const void* buffer, std::size_t size) override;
  void Skip(UInt64 count) override;

 private:
  TStream& stream_;
};
