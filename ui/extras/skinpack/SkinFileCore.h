#pragma once
// The Windows-free core of the theme-file reader: the "SK" archive walk, the traditional ZIP
// decryption, raw inflation and the parse of the member's value chain. Bytes in, named records
// out; the reader over it (SkinFileReader) turns records into bitmaps and numbers.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/framework/base/Types.h"

namespace skinpack {

// ExtractZipMember's answers.
constexpr int kExtracted = 0;
constexpr int kExtractFailed = 1;
constexpr int kExtractRefused = 2;

// The key stream of the traditional ZIP encryption.
class TZipCipher {
 public:
  explicit TZipCipher(const AnsiString& password);
  Byte DecryptByte(Byte cipher);
  Byte EncryptByte(Byte plain);

 private:
  Byte StreamByte() const;
  void UpdateKeys(Byte plain);
  std::uint32_t keys_[3];
};

// CRC-32 (the ZIP polynomial) of bytes, continuing from crc.
std::uint32_t Crc32(std::uint32_t crc, const Byte* data, std::size_t size);

// Finds member (names compared upper-cased) in a theme archive and extracts it into Output.
// 0 extracted; 1 not an "SK" archive, no such member or malformed archive; 2 encrypted member
// without the right password, or an extracted size other than the directory's. Output is empty
// unless the answer is 0.
int ExtractZipMember(const AnsiString& Archive, const AnsiString& Member, const AnsiString& Password,
                     AnsiString& Output);

// Kinds of a value record.
enum TSkinValueKind : Byte { svBitmap = 0, svInteger = 1, svFlag = 2, svText = 3 };

struct TSkinRecord {
  AnsiString Name;
  Byte Kind = 0;
  AnsiString Data;
};

// Layout of the skin-data member.
constexpr int kSkinHeaderSize = 24;
constexpr int kSkinRecordSize = 77;
constexpr int kSkinNameSize = 64;

// Reads the value chain of a skin-data member. A record whose next offset is 0 ends the chain and
// is not read. False (Records then undefined) for a header other than 24 bytes, a record or data
// range outside the member, a revisited record, or integer or flag data of the wrong size.
bool ParseSkinData(const AnsiString& Member, std::vector<TSkinRecord>& Records);

}  // namespace skinpack
