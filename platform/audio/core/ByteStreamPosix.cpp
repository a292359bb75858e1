// POSIX files for the native build (tools, benchmarks, sanitizer tests).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/framework/base/Utf8.h"

namespace {

String ErrnoText() { return Utf8Decode(std::strerror(errno)); }

class PosixSource : public ByteSource {
 public:
  PosixSource(int fd, std::int64_t size) : fd_(fd), size_(size) {}
  ~PosixSource() override { ::close(fd_); }
  std::int64_t Size() const override { return size_; }
  std::size_t ReadAt(std::int64_t offset, void* data, std::size_t count) const override {
    std::size_t done = 0;
    while (done < count) {
      const ssize_t n = ::pread(fd_, static_cast<char*>(data) + done, count - done, offset + done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw EAudioError(L"Cannot read the file: " + ErrnoText());
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }

 private:
  int fd_;
  std::int64_t size_;
};

void WriteAll(int fd, std::int64_t offset, const void* data, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pwrite(fd, static_cast<const char*>(data) + done, count - done, offset + done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EAudioError(L"Cannot write the file: " + ErrnoText());
    done += static_cast<std::size_t>(n);
  }
}

class PosixSink : public ByteSink {
 public:
  PosixSink(AnsiString target, AnsiString temp, int fd)
      : target_(std::move(target)), temp_(std::move(temp)), fd_(fd) {}
  ~PosixSink() override {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temp_.c_str());
  }
  void Write(const void* data, std::size_t count) override {
    WriteAll(fd_, position_, data, count);
    position_ += static_cast<std::int64_t>(count);
  }
  void WriteAt(std::int64_t offset, const void* data, std::size_t count) override {
    WriteAll(fd_, offset, data, count);
  }
  std::int64_t Position() const override { return position_; }
  void Commit() override {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temp_.c_str(), target_.c_str()) != 0)
      throw EAudioError(L"Cannot write the file " + Utf8Decode(target_) + L": " + ErrnoText());
    committed_ = true;
  }

 private:
  AnsiString target_, temp_;
  int fd_;
  std::int64_t position_ = 0;
  bool committed_ = false;
};

class PosixScratch : public ScratchFile {
 public:
  explicit PosixScratch(int fd) : fd_(fd) {}
  ~PosixScratch() override { ::close(fd_); }
  void WriteAt(std::int64_t offset, const void* data, std::size_t count) override {
    WriteAll(fd_, offset, data, count);
  }
  void ReadAt(std::int64_t offset, void* data, std::size_t count) const override {
    std::size_t done = 0;
    while (done < count) {
      const ssize_t n = ::pread(fd_, static_cast<char*>(data) + done, count - done, offset + done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw EAudioError(L"Cannot read the spill file: " + ErrnoText());
      done += static_cast<std::size_t>(n);
    }
  }

 private:
  int fd_;
};

}  // namespace

std::shared_ptr<ByteSource> OpenFileSource(const String& path) {
  const AnsiString name = Utf8Encode(path);
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EAudioError(L"Cannot open the file " + path + L": " + ErrnoText());
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    throw EAudioError(L"Cannot open the file " + path + L": not a regular file");
  }
  return std::make_shared<PosixSource>(fd, static_cast<std::int64_t>(info.st_size));
}

std::unique_ptr<ByteSink> CreateFileSink(const String& path) {
  AnsiString target = Utf8Encode(path);
  AnsiString temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw EAudioError(L"Cannot create the file " + path + L": " + ErrnoText());
  ::fchmod(fd, 0644);
  return std::make_unique<PosixSink>(std::move(target), std::move(temp), fd);
}

std::unique_ptr<ScratchFile> CreateScratchFile(const String& folder) {
  AnsiString dir = folder.empty() ? AnsiString() : Utf8Encode(folder);
  if (dir.empty()) {
    const char* tmp = std::getenv("TMPDIR");
    dir = tmp && *tmp ? tmp : "/tmp";
  }
  if (dir.back() != '/') dir += '/';
  AnsiString name = dir + "audio-spill.XXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) throw EAudioError(L"Cannot create a spill file in " + Utf8Decode(dir) + L": " + ErrnoText());
  ::unlink(name.c_str());
  return std::make_unique<PosixScratch>(fd);
}

bool DeleteFileAt(const String& path) { return ::unlink(Utf8Encode(path).c_str()) == 0; }

bool IsSameFile(const String& a, const String& b) {
  struct stat x {}, y {};
  if (::stat(Utf8Encode(a).c_str(), &x) != 0 || ::stat(Utf8Encode(b).c_str(), &y) != 0) return false;
  return x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

#include "platform/audio/core/BlockStore.h"

std::int64_t PhysicalMemoryBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long size = ::sysconf(_SC_PAGE_SIZE);
  return pages > 0 && size > 0 ? static_cast<std::int64_t>(pages) * size : 0;
}
