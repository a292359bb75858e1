#pragma once
// A read-only stream that inflates a zlib stream found at the current position of a source stream.
// At the end of the zlib stream it gives the unread input back, so the source stands on the first
// byte after it.

#include <vector>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Events.h"
#include "platform/framework/classes/Stream.h"
#include "ui/skins/core/SkinArchive.h"

class EZLibError : public Exception {
 public:
  EZLibError(int code, String message) : Exception(std::move(message)), FErrorCode(code) {}
  const wchar_t* ClassName() const override { return L"EZLibError"; }
  int FErrorCode;
};

class EZDecompressionError : public EZLibError {
 public:
  using EZLibError::EZLibError;
  const wchar_t* ClassName() const override { return L"EZDecompressionError"; }
};

class TCustomZStream : public TStream {
  DECLARE_CLASS(TCustomZStream, TStream)
 public:
  static constexpr Int64 kBufferSize = 65536;
  explicit TCustomZStream(TStream& source);
  // Called after each refill of the input buffer.
  TNotifyEvent OnProgress;

 protected:
  TStream& source_;
  Int64 sourcePosition_;
  std::vector<Byte> buffer_;
};

class TZDecompressionStream : public TCustomZStream {
  DECLARE_CLASS(TZDecompressionStream, TCustomZStream)
 public:
  explicit TZDecompressionStream(TStream& source);
  ~TZDecompressionStream() override;

  Int64 Read(void* buffer, Int64 count) override;
  // Always raises EZDecompressionError "Invalid ZStream operation!".
  Int64 Write(const void* buffer, Int64 count) override;
  // 0 from the beginning starts over; forward moves read and drop; 0 from the end reads to the end.
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;

 private:
  [[noreturn]] static void Invalid();
  void Restart();

  TSkinInflater inflater_;
  Int64 produced_ = 0;
  bool ended_ = false;
};
