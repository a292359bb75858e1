#pragma once
// The engine's only way to files: random-access byte sources, append-only sinks that replace their
// target only when committed, and scratch files for spilled samples. Natively POSIX, on Windows
// CreateFileW, in tests and fuzzers memory.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/framework/base/Types.h"

// Readable bytes at any offset; ReadAt may be called from several threads at once.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::int64_t Size() const = 0;
  // Reads up to `count` bytes at `offset` and returns how many it read (fewer only at the end).
  virtual std::size_t ReadAt(std::int64_t offset, void* data, std::size_t count) const = 0;
};

// Bytes written in order, with patches of what was already written (sizes in headers).
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(const void* data, std::size_t count) = 0;
  virtual void WriteAt(std::int64_t offset, const void* data, std::size_t count) = 0;
  virtual std::int64_t Position() const = 0;
  // Makes the bytes written the target's content. A sink destroyed uncommitted leaves the target
  // as it was.
  virtual void Commit() = 0;
};

// A read-write file of the process's own, gone when closed. ReadAt and WriteAt are thread-safe.
class ScratchFile {
 public:
  virtual ~ScratchFile() = default;
  virtual void WriteAt(std::int64_t offset, const void* data, std::size_t count) = 0;
  virtual void ReadAt(std::int64_t offset, void* data, std::size_t count) const = 0;
};

// Opens a file for reading; while the source lives, others may read it but neither write nor
// delete it (on Windows; POSIX has no such lock). Raises EAudioError.
std::shared_ptr<ByteSource> OpenFileSource(const String& path);
// A sink that writes a temporary file beside `path` and moves it over `path` on Commit.
std::unique_ptr<ByteSink> CreateFileSink(const String& path);
// A scratch file in `folder`, or in the system's temporary folder when `folder` is empty.
std::unique_ptr<ScratchFile> CreateScratchFile(const String& folder);
// Deletes a file; false when it could not.
bool DeleteFileAt(const String& path);
// True when both paths name the same existing file.
bool IsSameFile(const String& a, const String& b);

// Bytes held in memory, for tests and fuzzers.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(AnsiString bytes) : bytes_(std::move(bytes)) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  std::size_t ReadAt(std::int64_t offset, void* data, std::size_t count) const override;

 private:
  AnsiString bytes_;
};

// Collects bytes; `Committed()` is what a file target would hold after Commit.
class MemorySink : public ByteSink {
 public:
  void Write(const void* data, std::size_t count) override;
  void WriteAt(std::int64_t offset, const void* data, std::size_t count) override;
  std::int64_t Position() const override { return static_cast<std::int64_t>(bytes_.size()); }
  void Commit() override { committed_ = bytes_; }
  const AnsiString& Committed() const { return committed_; }

 private:
  AnsiString bytes_;
  AnsiString committed_;
};

// Reads exactly `count` bytes or raises EAudioError("The file is truncated.").
void ReadExactly(const ByteSource& source, std::int64_t offset, void* data, std::size_t count);
