#pragma once
// The packed skin archive ("ASzf"): a count, then entries of a name, an inflated size and one zlib
// stream each. Windows-free: parsed from a byte span and written from a list of entries.

#include <cstddef>
#include <vector>

#include <zlib.h>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Types.h"

// A damaged archive: "damaged skin archive: <what>".
FRAMEWORK_EXCEPTION(ESkinArchiveError, Exception);

// Limits that hold before anything is allocated for an entry.
constexpr Int64 kSkinArchiveMaxEntries = 4096;
constexpr Int64 kSkinArchiveMaxNameLength = 260;
constexpr Int64 kSkinArchiveMaxEntrySize = Int64{64} << 20;
constexpr Int64 kSkinArchiveMaxTotalSize = Int64{256} << 20;

struct TSkinArchiveEntry {
  AnsiString Name;
  std::vector<Byte> Data;
};

struct TSkinArchiveContents {
  bool MagicOk = false;                   // false: not an archive at all, nothing else is filled
  std::vector<TSkinArchiveEntry> Entries; // in archive order
  size_t EndOffset = 0;                   // first byte after the last entry's zlib stream
};

// Parses the whole archive; raises ESkinArchiveError for anything outside the format. Bytes after
// the last entry are ignored.
TSkinArchiveContents ParseSkinArchive(const Byte* data, size_t size);

// The archive of the entries (zlib level 9), in the given order.
std::vector<Byte> WriteSkinArchive(const std::vector<TSkinArchiveEntry>& entries);

// True when the name is the skin INI entry ("Options.dat", any case).
bool IsSkinIniEntryName(const AnsiString& name);

// zlib's text for a result code ("data error" for -3).
String SkinZlibErrorText(int code);

// An inflate state with the default zlib header, ended when the object goes.
class TSkinInflater {
 public:
  TSkinInflater();
  ~TSkinInflater();
  TSkinInflater(const TSkinInflater&) = delete;
  TSkinInflater& operator=(const TSkinInflater&) = delete;
  z_stream& Stream() { return stream_; }
  // Starts over with a fresh state.
  void Reset();

 private:
  z_stream stream_{};
};
