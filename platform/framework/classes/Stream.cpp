#include "platform/framework/classes/Stream.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "platform/framework/base/Exceptions.h"

namespace {

// Win32 transfers at most 2^32-1 bytes per call; larger requests go in chunks.
constexpr Int64 kMaxChunk = 0x40000000;

String SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  String text = length != 0 ? String(buffer, length) : String();
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.'))
    text.pop_back();
  if (text.empty()) text = L"System error " + std::to_wstring(code);
  return text;
}

DWORD MoveMethod(TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: return FILE_BEGIN;
    case soCurrent: return FILE_CURRENT;
    case soEnd: return FILE_END;
  }
  return FILE_BEGIN;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// TStream

Int64 TStream::Size() {
  Int64 position = Seek(0, soCurrent);
  Int64 size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::SetSize(Int64) { throw EStreamError(L"Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, Int64 count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, Int64 count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

Int64 TStream::CopyFrom(TStream& source, Int64 count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  constexpr Int64 kBufferSize = 0xF000;
  std::unique_ptr<Byte[]> buffer(new Byte[kBufferSize]);
  Int64 remaining = count;
  while (remaining > 0) {
    Int64 chunk = std::min(remaining, kBufferSize);
    source.ReadBuffer(buffer.get(), chunk);
    WriteBuffer(buffer.get(), chunk);
    remaining -= chunk;
  }
  return count;
}

// ---------------------------------------------------------------------------------------------------
// THandleStream

Int64 THandleStream::Read(void* buffer, Int64 count) {
  Int64 total = 0;
  auto* bytes = static_cast<Byte*>(buffer);
  while (count > 0) {
    DWORD chunk = static_cast<DWORD>(std::min(count, kMaxChunk));
    DWORD done = 0;
    if (!ReadFile(handle_, bytes + total, chunk, &done, nullptr)) break;
    total += done;
    count -= done;
    if (done < chunk) break;
  }
  return total;
}

Int64 THandleStream::Write(const void* buffer, Int64 count) {
  Int64 total = 0;
  auto* bytes = static_cast<const Byte*>(buffer);
  while (count > 0) {
    DWORD chunk = static_cast<DWORD>(std::min(count, kMaxChunk));
    DWORD done = 0;
    if (!WriteFile(handle_, bytes + total, chunk, &done, nullptr)) break;
    total += done;
    count -= done;
    if (done < chunk) break;
  }
  return total;
}

Int64 THandleStream::Seek(Int64 offset, TSeekOrigin origin) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER result;
  if (!SetFilePointerEx(handle_, distance, &result, MoveMethod(origin))) return -1;
  return result.QuadPart;
}

void THandleStream::SetSize(Int64 newSize) {
  Int64 position = Position();
  SetPosition(newSize);
  if (!SetEndOfFile(handle_)) {
    DWORD error = GetLastError();
    SetPosition(position);
    throw EStreamError(L"Stream size cannot be changed: " + SystemErrorText(error));
  }
  if (position < newSize) SetPosition(position);
}

// ---------------------------------------------------------------------------------------------------
// TFileStream

namespace {

DWORD ShareFlags(Word shareMode) {
  switch (shareMode) {
    case fmShareExclusive: return 0;
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;  // compatibility mode
  }
}

DWORD AccessFlags(Word accessMode) {
  switch (accessMode) {
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

}  // namespace

TFileStream::TFileStream(const String& fileName, Word mode) : THandleStream(INVALID_HANDLE_VALUE), fileName_(fileName) {
  bool create = (mode & fmCreate) == fmCreate;
  Word share = mode & 0x00F0;
  if (create) {
    DWORD shareFlags = share == fmShareCompat ? FILE_SHARE_READ : ShareFlags(share);
    handle_ = CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, shareFlags, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
      throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + SystemErrorText(GetLastError()));
  } else {
    handle_ = CreateFileW(fileName.c_str(), AccessFlags(mode & 0x000F), ShareFlags(share), nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
      throw EFOpenError(L"Cannot open file \"" + fileName + L"\". " + SystemErrorText(GetLastError()));
  }
}

TFileStream::~TFileStream() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

// ---------------------------------------------------------------------------------------------------
// TCustomMemoryStream

void TCustomMemoryStream::SetPointer(void* memory, Int64 size) {
  memory_ = memory;
  size_ = size;
}

Int64 TCustomMemoryStream::Read(void* buffer, Int64 count) {
  if (count <= 0 || position_ >= size_) return 0;
  Int64 available = std::min(count, size_ - position_);
  std::memcpy(buffer, static_cast<const Byte*>(memory_) + position_, static_cast<size_t>(available));
  position_ += available;
  return available;
}

Int64 TCustomMemoryStream::Write(const void*, Int64) { return 0; }

Int64 TCustomMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
  Int64 base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : size_;
  Int64 target = base + offset;
  if (target < 0) target = 0;
  position_ = target;
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) {
  if (size_ > 0) stream.WriteBuffer(memory_, size_);
}

void TCustomMemoryStream::SaveToFile(const String& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

// ---------------------------------------------------------------------------------------------------
// TMemoryStream

TMemoryStream::~TMemoryStream() { std::free(memory_); }

void TMemoryStream::Reserve(Int64 capacity) {
  if (capacity <= capacity_) return;
  Int64 grown = std::max(capacity, capacity_ + capacity_ / 2);
  grown = (grown + 0xFFF) & ~Int64(0xFFF);
  if (static_cast<UInt64>(grown) > SIZE_MAX) throw EStreamError(L"Out of memory while expanding memory stream");
  void* memory = std::realloc(memory_, static_cast<size_t>(grown));
  if (memory == nullptr) throw EStreamError(L"Out of memory while expanding memory stream");
  memory_ = memory;
  capacity_ = grown;
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
  if (count <= 0) return 0;
  Int64 end = position_ + count;
  Reserve(end);
  if (position_ > size_)  // a seek past the end leaves a gap: fill it with zeros
    std::memset(static_cast<Byte*>(memory_) + size_, 0, static_cast<size_t>(position_ - size_));
  std::memcpy(static_cast<Byte*>(memory_) + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  if (end > size_) size_ = end;
  return count;
}

void TMemoryStream::SetSize(Int64 newSize) {
  if (newSize < 0) newSize = 0;
  if (newSize > size_) {
    Reserve(newSize);
    std::memset(static_cast<Byte*>(memory_) + size_, 0, static_cast<size_t>(newSize - size_));
  }
  size_ = newSize;
  if (position_ > newSize) position_ = newSize;
}

void TMemoryStream::Clear() {
  std::free(memory_);
  memory_ = nullptr;
  size_ = capacity_ = position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  Int64 count = stream.Size();
  SetSize(count);
  if (count > 0) stream.ReadBuffer(memory_, count);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

// ---------------------------------------------------------------------------------------------------
// TStringStream

TStringStream::TStringStream(const AnsiString& data) {
  WriteBuffer(data.data(), static_cast<Int64>(data.size()));
  SetPosition(0);
}

AnsiString TStringStream::DataString() {
  return AnsiString(static_cast<const char*>(Memory()), static_cast<size_t>(Size()));
}

// ---------------------------------------------------------------------------------------------------
// TResourceStream

TResourceStream::TResourceStream(HINSTANCE instance, const String& resourceName, const wchar_t* resourceType) {
  Initialize(instance, resourceName.c_str(), resourceType, resourceName);
}

TResourceStream::TResourceStream(HINSTANCE instance, int resourceId, const wchar_t* resourceType) {
  Initialize(instance, MAKEINTRESOURCEW(resourceId), resourceType, std::to_wstring(resourceId));
}

void TResourceStream::Initialize(HINSTANCE instance, const wchar_t* name, const wchar_t* type,
                                 const String& displayName) {
  HRSRC info = FindResourceW(instance, name, type);
  HGLOBAL data = info != nullptr ? LoadResource(instance, info) : nullptr;
  void* memory = data != nullptr ? LockResource(data) : nullptr;
  if (memory == nullptr) throw EResNotFound(L"Resource " + displayName + L" not found");
  SetPointer(memory, SizeofResource(instance, info));
}

Int64 TResourceStream::Write(const void*, Int64) { throw EStreamError(L"Can't write to a read-only resource stream"); }

// ---------------------------------------------------------------------------------------------------
// The IStream adapter

namespace {

class TStreamAdapter final : public IStream {
 public:
  TStreamAdapter(TStream& stream, bool ownsStream) : stream_(stream), ownsStream_(ownsStream) {}
  TStreamAdapter(const TStreamAdapter&) = delete;
  TStreamAdapter& operator=(const TStreamAdapter&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISequentialStream) || IsEqualIID(iid, IID_IStream)) {
      *object = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* done) override {
    return Guarded(STG_E_READFAULT, [&]() -> HRESULT {
      ULONG moved = static_cast<ULONG>(stream_.Read(buffer, count));
      if (done != nullptr) *done = moved;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* done) override {
    return Guarded(STG_E_CANTSAVE, [&]() -> HRESULT {
      ULONG moved = static_cast<ULONG>(stream_.Write(buffer, count));
      if (done != nullptr) *done = moved;
      return moved == count ? S_OK : STG_E_MEDIUMFULL;
    });
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
    if (origin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    return Guarded(STG_E_INVALIDPOINTER, [&]() -> HRESULT {
      Int64 position = stream_.Seek(move.QuadPart, static_cast<TSeekOrigin>(origin));
      if (position < 0) return STG_E_INVALIDPOINTER;
      if (newPosition != nullptr) newPosition->QuadPart = static_cast<UInt64>(position);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER newSize) override {
    return Guarded(E_UNEXPECTED, [&]() -> HRESULT {
      stream_.SetSize(static_cast<Int64>(newSize.QuadPart));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override {
    if (target == nullptr) return STG_E_INVALIDPOINTER;
    Byte buffer[4096];
    UInt64 remaining = count.QuadPart, totalRead = 0, totalWritten = 0;
    HRESULT result = S_OK;
    while (remaining > 0) {
      ULONG chunk = static_cast<ULONG>(std::min<UInt64>(remaining, sizeof buffer));
      ULONG got = 0;
      result = Read(buffer, chunk, &got);
      if (FAILED(result) || got == 0) break;
      totalRead += got;
      ULONG put = 0;
      result = target->Write(buffer, got, &put);
      totalWritten += put;
      if (FAILED(result) || put != got) break;
      remaining -= got;
    }
    if (read != nullptr) read->QuadPart = totalRead;
    if (written != nullptr) written->QuadPart = totalWritten;
    return FAILED(result) ? result : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return STG_E_REVERTED; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    if (stat == nullptr) return STG_E_INVALIDPOINTER;
    return Guarded(E_UNEXPECTED, [&]() -> HRESULT {
      std::memset(stat, 0, sizeof *stat);
      stat->type = STGTY_STREAM;
      stat->cbSize.QuadPart = static_cast<UInt64>(stream_.Size());
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override {
    if (clone != nullptr) *clone = nullptr;
    return E_NOTIMPL;
  }

 private:
  ~TStreamAdapter() {
    if (ownsStream_) delete &stream_;
  }

  TStream& stream_;
  bool ownsStream_;
  LONG references_ = 1;
};

}  // namespace

IStream* CreateStreamAdapter(TStream& stream, bool ownsStream) { return new TStreamAdapter(stream, ownsStream); }

DEFINE_CLASS(TStream)
DEFINE_CLASS(THandleStream)
DEFINE_CLASS(TFileStream)
DEFINE_CLASS(TCustomMemoryStream)
DEFINE_CLASS(TMemoryStream)
DEFINE_CLASS(TStringStream)
DEFINE_CLASS(TResourceStream)
