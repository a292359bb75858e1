#include "platform/audio/speech/SpeechMarkup.h"

#include <algorithm>

namespace {

const wchar_t* EscapeOf(wchar_t c) {
  switch (c) {
    case L'&': return L"&amp;";
    case L'<': return L"&lt;";
    case L'>': return L"&gt;";
    default: return nullptr;
  }
}

void Append(SpeechMarkup& markup, const String& piece, int textBefore) {
  markup.Markup += piece;
  markup.TextBefore.insert(markup.TextBefore.end(), piece.size(), textBefore);
}

}  // namespace

int SpeechMarkup::TextReached(long long position) const {
  if (TextBefore.empty()) return 0;
  const long long last = static_cast<long long>(TextBefore.size()) - 1;
  return TextBefore[static_cast<std::size_t>(std::clamp(position, 0LL, last))];
}

SpeechMarkup BuildSpeechMarkup(const String& text, int pitch) {
  SpeechMarkup markup;
  markup.Markup.reserve(text.size() + 40);
  markup.TextBefore.reserve(text.size() + 41);
  Append(markup, L"<pitch absmiddle=\"" + std::to_wstring(pitch) + L"\">", 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t* escape = EscapeOf(text[i]);
    Append(markup, escape ? String(escape) : String(1, text[i]), static_cast<int>(i));
  }
  const int length = static_cast<int>(text.size());
  Append(markup, L"</pitch>", length);
  markup.TextBefore.push_back(length);
  return markup;
}
