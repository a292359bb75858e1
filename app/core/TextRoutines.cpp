#include "app/core/TextRoutines.h"

int FirstBlankPosition(const String& text) {
  const size_t blank = text.find(L' ');
  return static_cast<int>(blank == String::npos ? text.size() : blank + 1);
}

std::unique_ptr<TStringList> SplitString(const String& text, wchar_t separator) {
  auto pieces = std::make_unique<TStringList>();
  size_t start = 0;
  for (size_t at = text.find(separator); at != String::npos; at = text.find(separator, start)) {
    pieces->Add(text.substr(start, at - start));
    start = at + 1;
  }
  pieces->Add(text.substr(start));
  return pieces;
}

String StripAmpersands(const String& text) {
  String result;
  for (wchar_t ch : text)
    if (ch != L'&') result += ch;
  return result;
}

String DoubleAmpersands(const String& text) {
  String result;
  for (wchar_t ch : text) {
    if (ch == L'&') result += L'&';
    result += ch;
  }
  return result;
}
