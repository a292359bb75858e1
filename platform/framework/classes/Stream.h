#pragma once
// Byte streams: the abstract TStream, streams over a Win32 file handle or a named file, growable
// memory, read-only resource data, and a COM IStream adapter over any TStream.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include "platform/framework/classes/Object.h"
#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  DECLARE_CLASS(TStream, TObject)
 public:
  ~TStream() override = default;

  // Transfer up to count bytes; the result is the number actually moved.
  virtual Int64 Read(void* buffer, Int64 count) = 0;
  virtual Int64 Write(const void* buffer, Int64 count) = 0;
  // Moves the position and returns the new one.
  virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;

  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 position) { Seek(position, soBeginning); }
  virtual Int64 Size();
  // Default: a stream that cannot change its size raises EStreamError.
  virtual void SetSize(Int64 newSize);

  // Transfer exactly count bytes: EReadError "Stream read error" / EWriteError "Stream write error"
  // on a short transfer.
  void ReadBuffer(void* buffer, Int64 count);
  void WriteBuffer(const void* buffer, Int64 count);
  // Copies count bytes from source at its position; count 0 copies the whole source from its start.
  // Returns the number of bytes copied.
  Int64 CopyFrom(TStream& source, Int64 count);
};

// A stream over a Win32 file handle that it does not own.
class THandleStream : public TStream {
  DECLARE_CLASS(THandleStream, TStream)
 public:
  explicit THandleStream(HANDLE handle) : handle_(handle) {}

  HANDLE Handle() const { return handle_; }
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  void SetSize(Int64 newSize) override;

 protected:
  HANDLE handle_;
};

// File modes: one access mode ORed with one share mode, or fmCreate (create or truncate, read and
// write, ORed with a share mode; without one, others may read but not write).
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

// A stream that owns a file handle. Opening fails with EFOpenError, creating with EFCreateError;
// both messages name the file and the system's reason.
class TFileStream : public THandleStream {
  DECLARE_CLASS(TFileStream, THandleStream)
 public:
  TFileStream(const String& fileName, Word mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  const String& FileName() const { return fileName_; }

 private:
  String fileName_;
};

// A stream over a block of memory it does not manage (resources, fixed buffers); read-only.
class TCustomMemoryStream : public TStream {
  DECLARE_CLASS(TCustomMemoryStream, TStream)
 public:
  void* Memory() const { return memory_; }
  Int64 Size() override { return size_; }
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;

  void SaveToStream(TStream& stream);
  void SaveToFile(const String& fileName);

 protected:
  void SetPointer(void* memory, Int64 size);

  void* memory_ = nullptr;
  Int64 size_ = 0;
  Int64 position_ = 0;
};

// Growable memory. SetSize trims or extends; the position stays where it was unless it lies past
// the new end.
class TMemoryStream : public TCustomMemoryStream {
  DECLARE_CLASS(TMemoryStream, TCustomMemoryStream)
 public:
  TMemoryStream() = default;
  ~TMemoryStream() override;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;

  Int64 Write(const void* buffer, Int64 count) override;
  void SetSize(Int64 newSize) override;
  void Clear();
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const String& fileName);

 private:
  void Reserve(Int64 capacity);
  Int64 capacity_ = 0;
};

// A memory stream over text: DataString holds the bytes written so far.
class TStringStream : public TMemoryStream {
  DECLARE_CLASS(TStringStream, TMemoryStream)
 public:
  TStringStream() = default;
  explicit TStringStream(const AnsiString& data);
  AnsiString DataString();
};

// Read-only access to a resource of a module. Types may be integer ids (RT_RCDATA, RT_HTML) or names
// ("SKINSTREAM"). A missing resource raises EResNotFound "Resource %s not found".
class TResourceStream : public TCustomMemoryStream {
  DECLARE_CLASS(TResourceStream, TCustomMemoryStream)
 public:
  TResourceStream(HINSTANCE instance, const String& resourceName, const wchar_t* resourceType);
  TResourceStream(HINSTANCE instance, int resourceId, const wchar_t* resourceType);
  ~TResourceStream() override = default;
  TResourceStream(const TResourceStream&) = delete;
  TResourceStream& operator=(const TResourceStream&) = delete;

  Int64 Write(const void* buffer, Int64 count) override;

 private:
  void Initialize(HINSTANCE instance, const wchar_t* name, const wchar_t* type, const String& displayName);
};

// Wraps a TStream as a COM IStream (for APIs such as ImageList_Write/ImageList_Read). The adapter does
// not own the stream unless told to; its lifetime is COM reference counted, starting at 1.
IStream* CreateStreamAdapter(TStream& stream, bool ownsStream = false);
