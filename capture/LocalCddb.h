#pragma once
// xmcd entries: the disc-information record, the parser of a CD database entry into it, and the
// folder of a local database with its category index "Cat.idx" and its error log "index.log".

#include <array>

#include "capture/CDAccess.h"
#include "platform/framework/classes/Object.h"

using TStringArray = std::array<String, kMaxCDTracks>;

struct TCDInfo {
  String DiscId;
  String Artist;
  String Title;
  String Year;
  String Genre;
  String ExtendedData;
  TStringArray TrackTitles;  // index = track number - 1
  TStringArray TrackExtendedData;
  String Category;
  int Revision = 0;
  TCDToc Toc;
};

constexpr int kMaxEntryLines = 1024;
using TEntryArray = std::array<String, kMaxEntryLines>;

// One parsed line of an entry.
struct TEntryParseRecord {
  Byte Kind = 0;
  int Index = 0;
  String Value;
};

// The xmcd escapes: "\n" a line break (CR LF), "\t" a tab, "\\" one backslash.
String XmcdUnescape(const String& value);

class TLocalCDDB : public TObject {
  DECLARE_CLASS(TLocalCDDB, TObject)
 public:
  static constexpr int kCategoryLength = 40;
  // What ParseEntry answers for an incomplete entry or one with a number that does not convert.
  static constexpr int kEntryCorrupt = -4;

  TLocalCDDB();

  // The folder (a trailing backslash is added); reads its categories, and logs a missing "Cat.idx"
  // unless the folder is the current directory.
  void SetPath(const String& folder);
  void SetClientText(const String& text) { clientText_ = text; }
  // Reads "Cat.idx" of the folder into the categories "a" to "z"; false when it does not open.
  bool LoadCategories();
  // 0 when the entry is complete, kEntryCorrupt when it is not.
  int ParseEntry(TCDInfo& info, const TEntryArray& lines);
  // Appends the text to the folder's "index.log" with exclusive access; a box tells of a failure.
  void AppendLog(const String& text);
  // Frees the object when it exists.
  static void Release(TLocalCDDB*& cddb);

  const String& Path() const { return path_; }
  const String& ClientText() const { return clientText_; }
  const String& Category(int index) const { return categories_[index]; }
  bool CategoriesRead() const { return categoriesRead_; }

 private:
  std::array<String, 26> categories_;
  bool categoriesRead_ = false;
  String path_;
  String clientText_;
};
