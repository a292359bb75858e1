#include "capture/LocalCddb.h"

#include <vector>

#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "platform/framework/windows/Forms.h"

DEFINE_CLASS(TLocalCDDB)

namespace {

enum TEntryKind : Byte {
  kNone,
  kTrackOffset,
  kDiscLength,
  kRevision,
  kDiscId,
  kDiscTitle,
  kYear,
  kGenre,
  kTrackTitle,
  kExtendedData,
  kTrackExtendedData,
  kPlayOrder
};

// The marks a complete entry carries.
enum TMark { mXmcd, mOffsets, mDiscLength, mRevision, mDiscId, mTitle, mTrackTitle, mExtended, mTrackExtended, mPlayOrder, mCount };

bool StartsWith(const String& text, const String& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

// The text from the 1-based position on.
String From(const String& text, std::size_t position) { return position <= text.size() ? text.substr(position - 1) : L""; }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The track number and value of "TTITLEn=" / "EXTTn=" lines whose name is `nameLength` long.
// A line with no digit or more than two before "=" gives track 0 and no value; false when the
// digits are not digits.
bool TrackLine(const String& line, std::size_t nameLength, int& track, String& value) {
  const std::size_t equals = line.find(L'=');
  track = 0;
  value.clear();
  if (equals == nameLength + 2 || equals == nameLength + 1) {
    for (std::size_t i = nameLength; i < equals; ++i) {
      if (!IsDigit(line[i])) return false;
      track = track * 10 + (line[i] - L'0');
    }
    value = XmcdUnescape(line.substr(equals + 1));
  }
  return true;
}

class TEntryParser {
 public:
  TEntryParser(const TEntryArray& lines) : lines_(lines) {}

  // The first pass: one record per line that carries data; false when a track number does not convert.
  bool Collect();
  // The second pass into the record; false when a number does not convert.
  bool Store(TCDInfo& info) const;
  bool Complete() const {
    for (bool seen : marks_)
      if (!seen) return false;
    return true;
  }
  int TrackOffsets() const { return offsets_; }

 private:
  void Add(Byte kind, int index, const String& value) {
    if (records_.size() < static_cast<std::size_t>(kMaxEntryLines)) records_.push_back({kind, index, value});
  }
  std::size_t CollectOffsets(std::size_t next);
  bool CollectLine(const String& line);

  const TEntryArray& lines_;
  std::vector<TEntryParseRecord> records_;
  bool marks_[mCount] = {};
  int offsets_ = 0;
};

std::size_t TEntryParser::CollectOffsets(std::size_t next) {
  for (; next < lines_.size() && !lines_[next].empty(); ++next) {
    const String& line = lines_[next];
    if (Trim(line) == L"#") return next + 1;
    if (StartsWith(From(line, 3), L"Disc length:")) return next;
    // The record holds 100 tracks; further offsets are dropped.
    if (offsets_ < kMaxCDTracks) Add(kTrackOffset, offsets_++, Trim(From(line, 3)));
  }
  return next;
}

bool TEntryParser::CollectLine(const String& line) {
  struct Field {
    const wchar_t* Name;
    Byte Kind;
    TMark Mark;
  };
  static const Field fields[] = {{L"DISCID=", kDiscId, mDiscId},       {L"DTITLE=", kDiscTitle, mTitle},
                                 {L"DYEAR=", kYear, mCount},           {L"DGENRE=", kGenre, mCount},
                                 {L"EXTD=", kExtendedData, mExtended}, {L"PLAYORDER=", kPlayOrder, mPlayOrder}};
  if (line[0] == L'#') {
    const String rest = From(line, 3);
    if (StartsWith(rest, L"Disc length:")) {
      const String value = From(line, 16);
      Add(kDiscLength, 0, value.substr(0, value.find(L' ')));
      marks_[mDiscLength] = true;
    } else if (StartsWith(rest, L"Revision:")) {
      Add(kRevision, 0, From(line, 13));
      marks_[mRevision] = true;
    }
    return true;
  }
  for (const Field& field : fields) {
    const String name = field.Name;
    if (!StartsWith(line, name)) continue;
    Add(field.Kind, 0, XmcdUnescape(line.substr(name.size())));
    if (field.Mark != mCount) marks_[field.Mark] = true;
    return true;
  }
  int track = 0;
  String value;
  if (StartsWith(line, L"TTITLE")) {
    if (!TrackLine(line, 6, track, value)) return false;
    Add(kTrackTitle, track, value);
    marks_[mTrackTitle] = true;
  } else if (StartsWith(line, L"EXTT")) {
    if (!TrackLine(line, 4, track, value)) return false;
    Add(kTrackExtendedData, track, value);
    marks_[mTrackExtended] = true;
  }
  return true;
}

bool TEntryParser::Collect() {
  for (const String& line : lines_)
    if (line.find(L"# xmcd") != String::npos) marks_[mXmcd] = true;
  std::size_t next = 0;
  while (next < lines_.size() && !lines_[next].empty()) {
    const String& line = lines_[next++];
    if (line[0] == L'#' && StartsWith(From(line, 3), L"Track frame offsets:")) {
      marks_[mOffsets] = true;
      next = CollectOffsets(next);
      continue;
    }
    if (!CollectLine(line)) return false;
  }
  return true;
}

bool TEntryParser::Store(TCDInfo& info) const {
  bool titleSeen = false;
  for (const TEntryParseRecord& record : records_) {
    int number = 0;
    switch (record.Kind) {
      case kTrackOffset: {
        if (record.Value.empty()) break;
        if (!TryStrToInt(record.Value, number)) return false;
        TCDTocEntry& track = info.Toc.Tracks[record.Index];
        track.Minute = static_cast<Byte>(number / 4500);
        track.Second = static_cast<Byte>(number / 75 - (number / 4500) * 60);
        track.Frame = static_cast<Byte>(number - (number / 4500) * 4500 - (number / 75 - (number / 4500) * 60) * 75);
        track.IsAudio = -1;
        break;
      }
      case kDiscLength:
        if (!TryStrToInt(record.Value, number)) return false;
        info.Toc.LeadOut = TCDTocEntry{static_cast<Byte>(number / 60), static_cast<Byte>(number - (number / 60) * 60), 0, 0};
        break;
      case kRevision:
        if (!TryStrToInt(record.Value, number)) return false;
        info.Revision = number;
        break;
      case kDiscTitle: {
        const std::size_t separator = record.Value.find(L" / ");
        if (separator != String::npos) {
          info.Artist += record.Value.substr(0, separator);
          info.Title = record.Value.substr(separator + 3);
          titleSeen = true;
        } else {
          (titleSeen ? info.Title : info.Artist) += record.Value;
        }
        break;
      }
      case kDiscId: info.DiscId += record.Value; break;
      case kYear: info.Year += record.Value; break;
      case kGenre: info.Genre += record.Value; break;
      case kTrackTitle: info.TrackTitles[record.Index] += record.Value; break;
      case kExtendedData: info.ExtendedData += record.Value; break;
      case kTrackExtendedData: info.TrackExtendedData[record.Index] += record.Value; break;
      default: break;
    }
  }
  return true;
}

}  // namespace

String XmcdUnescape(const String& value) {
  String text;
  text.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == L'\\' && i + 1 < value.size()) {
      const wchar_t next = value[i + 1];
      if (next == L'n') {
        text += L"\r\n";
        ++i;
        continue;
      }
      if (next == L't' || next == L'\\') {
        text += next == L't' ? L'\t' : L'\\';
        ++i;
        continue;
      }
    }
    text += value[i];
  }
  return text;
}

TLocalCDDB::TLocalCDDB() : clientText_(L"capture 1.0") { SetPath(GetCurrentDir()); }

void TLocalCDDB::SetPath(const String& folder) {
  path_ = folder;
  if (path_.empty() || path_.back() != L'\\') path_ += L'\\';
  if (LoadCategories()) return;
  if (!SameText(IncludeTrailingPathDelimiter(folder), IncludeTrailingPathDelimiter(GetCurrentDir())))
    AppendLog(L"Error => Cannot find the file " + path_ + L"Cat.idx");
}

bool TLocalCDDB::LoadCategories() {
  HANDLE file = CreateFileW((path_ + L"Cat.idx").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  AnsiString bytes;
  char chunk[4096];
  DWORD read = 0;
  BOOL ok;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &read, nullptr)) && read > 0) bytes.append(chunk, read);
  const DWORD error = ok ? 0 : GetLastError();
  CloseHandle(file);
  if (!ok) throw EInOutError(SysErrorMessage(error), static_cast<int>(error));
  const String text = DecodeText(bytes);
  std::size_t start = 0;
  for (std::size_t index = 0; index < categories_.size() && start < text.size(); ++index) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == String::npos) end = text.size();
    categories_[index] = text.substr(start, std::min<std::size_t>(end - start, kCategoryLength));
    start = end;
    if (start < text.size() && text[start] == L'\r') ++start;
    if (start < text.size() && text[start] == L'\n') ++start;
  }
  categoriesRead_ = true;
  return true;
}

void TLocalCDDB::AppendLog(const String& text) {
  HANDLE file = CreateFileW((path_ + L"index.log").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    Application->MessageBox(L"Couldn't create log file!\nError message was: '" + SysErrorMessage(GetLastError()) + L"'",
                            L"Error", MB_OK);
    return;
  }
  const AnsiString bytes = StringToAnsi(text);
  DWORD written = 0;
  const bool ok = SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  const DWORD error = ok ? 0 : GetLastError();
  CloseHandle(file);
  if (!ok)
    Application->MessageBox(L"Couldn't write into log file!\nError message was: '" + SysErrorMessage(error) + L"'",
                            L"Error", MB_OK);
}

int TLocalCDDB::ParseEntry(TCDInfo& info, const TEntryArray& lines) {
  const String category = info.Category;
  info = TCDInfo{};
  info.Category = category;
  TEntryParser parser(lines);
  if (!parser.Collect()) return kEntryCorrupt;
  info.Toc.TrackCount = static_cast<Byte>(parser.TrackOffsets());
  if (!parser.Store(info)) return kEntryCorrupt;
  return parser.Complete() ? 0 : kEntryCorrupt;
}

void TLocalCDDB::Release(TLocalCDDB*& cddb) {
  if (cddb) cddb->Free();
  cddb = nullptr;
}
