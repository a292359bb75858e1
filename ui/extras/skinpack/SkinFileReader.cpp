#include "ui/extras/skinpack/SkinFileReader.h"

#include <vector>

#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/extras/skinpack/SkinFileCore.h"

DEFINE_CLASS(Tsk2SkinFileReader)

namespace {

const wchar_t kFailedToRead[] = L"Failed to read skin file!";

// The whole file, opened so that other processes may read and write it.
bool ReadWholeFile(const String& fileName, AnsiString& bytes) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 30);
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() || (ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size());
  }
  CloseHandle(file);
  return ok;
}

bool WriteWholeFile(const String& fileName, const AnsiString& bytes) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(file);
  if (!ok) DeleteFile(fileName);
  return ok;
}

// The temporary folder and a new GUID in its braced form, without extension.
String TemporaryFileName() {
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, folder);
  GUID guid{};
  CoCreateGuid(&guid);
  wchar_t text[64] = {};
  StringFromGUID2(guid, text, 64);
  return IncludeTrailingPathDelimiter(folder) + text;
}

String Widen(const AnsiString& bytes) {
  if (bytes.empty()) return String();
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
  String text(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), text.data(), n);
  return text;
}

AnsiString Narrow(const String& text) {
  if (text.empty()) return AnsiString();
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  AnsiString bytes(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

std::int32_t Int32Of(const AnsiString& data) {
  return static_cast<std::int32_t>(Byte(data[0]) | Byte(data[1]) << 8 | Byte(data[2]) << 16 |
                                   std::uint32_t(Byte(data[3])) << 24);
}

}  // namespace

Tsk2SkinFileReader::Tsk2SkinFileReader(const String& FileName, const String& Password)
    : bitmaps_(std::make_unique<TStringList>()),
      integers_(std::make_unique<TStringList>()),
      flags_(std::make_unique<TStringList>()),
      texts_(std::make_unique<TStringList>()) {
  try {
    Load(FileName, Password);
  } catch (...) {
    for (int i = 0; i < bitmaps_->Count(); ++i) bitmaps_->Objects(i)->Free();
    throw;
  }
}

Tsk2SkinFileReader::~Tsk2SkinFileReader() {
  for (int i = 0; i < bitmaps_->Count(); ++i) bitmaps_->Objects(i)->Free();
}

int Tsk2SkinFileReader::ExtractZipMember(const String& Archive, const String& Member, const String& Destination,
                                         const String& Password) {
  AnsiString archive, member;
  if (!FileExists(Archive) || !ReadWholeFile(Archive, archive)) return skinpack::kExtractFailed;
  const int answer = skinpack::ExtractZipMember(archive, Narrow(Member), Narrow(Password), member);
  if (answer != skinpack::kExtracted) return answer;
  return WriteWholeFile(Destination, member) ? skinpack::kExtracted : skinpack::kExtractFailed;
}

void Tsk2SkinFileReader::Load(const String& FileName, const String& Password) {
  loaded_ = false;
  const String temporary = TemporaryFileName();
  const int answer = ExtractZipMember(FileName, L"SKINDATA.SK2", temporary, Password);
  if (answer == skinpack::kExtractRefused) return;
  if (answer != skinpack::kExtracted) throw Exception(kFailedToRead);
  // The extracted member goes however reading it ends.
  struct TDeleteTemporary {
    const String& name;
    ~TDeleteTemporary() { DeleteFile(name); }
  } guard{temporary};
  ReadValues(temporary);
  loaded_ = true;
}

void Tsk2SkinFileReader::ReadValues(const String& FileName) {
  AnsiString member;
  std::vector<skinpack::TSkinRecord> records;
  if (!ReadWholeFile(FileName, member) || !skinpack::ParseSkinData(member, records)) throw Exception(kFailedToRead);
  for (const skinpack::TSkinRecord& record : records) {
    const String name = Widen(record.Name);
    switch (record.Kind) {
      case skinpack::svBitmap: {
        TMemoryStream stream;
        stream.Write(record.Data.data(), Int64(record.Data.size()));
        stream.SetPosition(0);
        ObjectPtr<TBitmap> bitmap(new TBitmap);
        bitmap->LoadFromStream(stream);
        bitmaps_->AddObject(name, bitmap.get());
        bitmap.release();
        break;
      }
      case skinpack::svInteger:
        integers_->Add(name + L"=" + IntToStr(Int32Of(record.Data)));
        break;
      case skinpack::svFlag:
        flags_->Add(name + L"=" + IntToStr(Byte(record.Data[0])));
        break;
      case skinpack::svText:
        texts_->Add(name + L"=" + Widen(record.Data));
        break;
    }
  }
}

TBitmap* Tsk2SkinFileReader::GetBitmap(const String& Name) const {
  const int index = bitmaps_->IndexOf(Name);
  return index < 0 ? nullptr : static_cast<TBitmap*>(bitmaps_->Objects(index));
}

int Tsk2SkinFileReader::GetInteger(const String& Name) const {
  const int index = integers_->IndexOfName(Name);
  return index < 0 ? -1 : StrToIntDef(integers_->ValueFromIndex(index), -1);
}

bool Tsk2SkinFileReader::GetBool(const String& Name) const {
  const int index = flags_->IndexOfName(Name);
  int value = 0;
  if (index < 0 || !TryStrToInt(flags_->ValueFromIndex(index), value)) return false;
  return (value & 0xFF) != 0;
}
