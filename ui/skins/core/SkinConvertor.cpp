#include "ui/skins/core/SkinConvertor.h"

#include "platform/framework/rtl/FileUtils.h"
#include "ui/skins/core/SkinArchive.h"
#include "ui/skins/core/SkinCommon.h"

DEFINE_CLASS(TacSkinConvertor)

const wchar_t* const kNotPackedSkinText = L"Loaded data is not packed Varnex file";

TacSkinConvertor::~TacSkinConvertor() { Clear(); }

void TacSkinConvertor::Clear() {
  for (TacImageItem& item : Images)
    if (item.Data) item.Data->Free();
  Images.clear();
  if (Options) FreeAndNil(Options);
  if (ownsSource_ && source_) source_->Free();
  source_ = nullptr;
  ownsSource_ = false;
  LastImage = -1;
}

void TacSkinConvertor::SetSource(TStream* source, bool owned) {
  if (ownsSource_ && source_ && source_ != source) source_->Free();
  source_ = source;
  ownsSource_ = owned;
}

TMemoryStream* TacSkinConvertor::FindImage(const String& upperName) const {
  for (const TacImageItem& item : Images)
    if (UpperCaseAscii(item.Name) == upperName) return item.Data;
  return nullptr;
}

namespace {

TMemoryStream* StreamOf(const std::vector<Byte>& bytes) {
  auto* stream = new TMemoryStream();
  if (!bytes.empty()) stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  stream->SetPosition(0);
  return stream;
}

}  // namespace

bool LoadPackedSkin(TacSkinConvertor& reader) {
  TStream& source = *reader.Source();
  Int64 size = source.Size();
  std::vector<Byte> bytes(static_cast<size_t>(size));
  source.Seek(0, soBeginning);
  if (size > 0) source.ReadBuffer(bytes.data(), size);
  TSkinArchiveContents contents = ParseSkinArchive(bytes.data(), bytes.size());
  if (!contents.MagicOk) {
    WarningBox(kNotPackedSkinText);
    reader.Clear();
    return false;
  }
  reader.LastImage = static_cast<int>(contents.Entries.size()) - 1;
  for (const TSkinArchiveEntry& entry : contents.Entries) {
    String name(entry.Name.begin(), entry.Name.end());
    if (IsSkinIniEntryName(entry.Name)) {
      if (reader.Options) reader.Options->Free();
      reader.Options = StreamOf(entry.Data);
    } else {
      reader.Images.push_back({name, UpperCaseAscii(name).find(L".BMP") != String::npos, StreamOf(entry.Data)});
    }
  }
  source.Seek(static_cast<Int64>(contents.EndOffset), soBeginning);
  return true;
}

bool LoadSkinFile(const String& fileName, TacSkinConvertor& reader, bool freeSource) {
  if (!FileExists(fileName)) return false;
  reader.Clear();
  auto* source = new TMemoryStream();
  reader.SetSource(source, true);
  source->LoadFromFile(fileName);
  bool loaded = LoadPackedSkin(reader);
  if (freeSource) reader.SetSource(nullptr, false);
  return loaded;
}
