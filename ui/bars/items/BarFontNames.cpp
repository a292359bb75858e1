#include "ui/bars/items/BarFontNames.h"

#include <unordered_set>

#include "platform/framework/rtl/Printers.h"

namespace {

struct Collector {
  std::vector<TdxBarFontFace>* Faces;
  std::unordered_set<String> Seen;
};

int CALLBACK CollectFace(const LOGFONTW* Font, const TEXTMETRICW*, DWORD FontType, LPARAM Data) {
  auto* c = reinterpret_cast<Collector*>(Data);
  try {
    // The face name field holds at most 32 characters, terminated or not.
    String name(Font->lfFaceName, wcsnlen(Font->lfFaceName, LF_FACESIZE));
    // A face is reported once per character set it supports: only the first report is listed.
    if (c->Seen.insert(name).second) c->Faces->push_back({name, (FontType & TRUETYPE_FONTTYPE) != 0});
  } catch (...) {
    return 0;
  }
  return 1;
}

wchar_t Lower(wchar_t ch) {
  wchar_t s[2] = {ch, 0};
  CharLowerBuffW(s, 1);
  return s[0];
}

}  // namespace

std::vector<TdxBarFontFace> EnumerateFontFaces(HDC DC) {
  std::vector<TdxBarFontFace> faces;
  if (!DC) return faces;
  Collector c{&faces, {}};
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(DC, &lf, &CollectFace, reinterpret_cast<LPARAM>(&c), 0);
  return faces;
}

std::vector<TdxBarFontFace> InstalledFontFaces() {
  if (HDC printer = CreateDefaultPrinterDC()) {
    std::vector<TdxBarFontFace> faces = EnumerateFontFaces(printer);
    DeleteDC(printer);
    return faces;
  }
  HDC screen = GetDC(nullptr);
  std::vector<TdxBarFontFace> faces = EnumerateFontFaces(screen);
  ReleaseDC(nullptr, screen);
  return faces;
}

String CompleteFromEntries(const std::vector<String>& Entries, const String& Value) {
  int best = -1;
  size_t bestLength = 0;
  for (size_t i = 0; i < Entries.size(); ++i) {
    const String& entry = Entries[i];
    size_t n = 0;
    while (n < entry.size() && n < Value.size() && Lower(entry[n]) == Lower(Value[n])) ++n;
    if (n > bestLength) {
      best = int(i);
      bestLength = n;
    }
    if (!Value.empty() && n == Value.size()) {
      best = int(i);
      break;
    }
  }
  if (best < 0) return Value;
  return Entries[size_t(best)];
}
