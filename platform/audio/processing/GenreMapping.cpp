#include "platform/audio/processing/GenreMapping.h"

#include <cwctype>

#include "platform/audio/core/GenreNames.h"

namespace {

constexpr int kOther = 12;

String Trimmed(const String& text) {
  const auto first = text.find_first_not_of(L" \t\r\n");
  if (first == String::npos) return String();
  return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

bool SameText(const String& a, const String& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

// The number of "17" or "(17)...", else -1.
int NumberOf(const String& text) {
  std::size_t at = text.size() > 1 && text[0] == L'(' ? 1 : 0;
  int number = 0;
  std::size_t digits = 0;
  for (; at < text.size() && std::iswdigit(text[at]) && digits < 4; ++at, ++digits) number = number * 10 + (text[at] - L'0');
  if (digits == 0) return -1;
  const bool closed = text[0] == L'(' ? at < text.size() && text[at] == L')' : at == text.size();
  return closed ? number : -1;
}

}  // namespace

int GenreIndex(const String& text) {
  const String genre = Trimmed(text);
  const int number = NumberOf(genre);
  if (number >= 0) return number < kGenreCount ? number : kOther;
  for (int i = 0; i < kGenreCount; ++i)
    if (SameText(GenreName(i), genre)) return i;
  return kOther;
}

String CanonicalGenre(const String& text) {
  if (Trimmed(text).empty()) return String();
  return GenreName(GenreIndex(text));
}
