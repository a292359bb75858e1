#include "ui/skins/controls/HintHtml.h"

#include <algorithm>

#include "platform/framework/rtl/SysUtils.h"

namespace {

bool IsSeparator(wchar_t c) {
  return c == L'\n' || c == L'\r' || c == L' ' || c == L'"' || c == L'<' || c == L'=' || c == L'>';
}

// The words of a tag, split at the separators.
std::vector<String> Words(const String& tag) {
  std::vector<String> words;
  String word;
  for (wchar_t c : tag) {
    if (IsSeparator(c)) {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// A decimal integer with an optional sign; false for anything else.
bool ParseDecimal(const String& text, int& value) {
  if (text.empty()) return false;
  std::size_t i = text[0] == L'+' || text[0] == L'-' ? 1 : 0;
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    v = v * 10 + (text[i] - L'0');
    if (v > 0x7FFFFFFF) return false;
  }
  value = static_cast<int>(text[0] == L'-' ? -v : v);
  return true;
}

struct TNamedColor {
  const wchar_t* Name;
  Byte R, G, B;
};
const TNamedColor kNamedColors[] = {
    {L"AQUA", 0, 255, 255},   {L"BLACK", 0, 0, 0},       {L"BLUE", 0, 0, 255},      {L"FUCHSIA", 255, 0, 255},
    {L"GRAY", 128, 128, 128}, {L"GREEN", 0, 128, 0},     {L"LIME", 0, 255, 0},      {L"MAROON", 128, 0, 0},
    {L"NAVY", 0, 0, 128},     {L"OLIVE", 128, 128, 0},   {L"PURPLE", 128, 0, 128},  {L"RED", 255, 0, 0},
    {L"SILVER", 192, 192, 192}, {L"TEAL", 0, 128, 128}, {L"WHITE", 255, 255, 255}, {L"YELLOW", 255, 255, 0},
};

}  // namespace

TColor HtmlColorValue(const String& value) {
  for (const TNamedColor& named : kNamedColors)
    if (value == named.Name) return TColor(RGB(named.R, named.G, named.B));
  String hex = !value.empty() && value[0] == L'#' ? value.substr(1) : value;
  if (!hex.empty() && hex.back() == L'H') hex.pop_back();
  std::uint32_t v = 0;
  for (wchar_t c : hex) {
    int digit = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'A' && c <= L'F' ? c - L'A' + 10 : c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
    if (digit < 0) return TColor(0);
    v = v << 4 | std::uint32_t(digit);
  }
  return TColor(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
}

TsHtml::~TsHtml() {
  for (TFont* font : fonts_) font->Free();
}

void TsHtml::StartText(TBitmap* bitmap, const String& text, const TRect& r) {
  bitmap_ = bitmap;
  source_ = text;
  scan_ = AnsiUpperCase(text);
  origin_ = r;
  penX_ = r.left;
  penY_ = r.top;
  widest_ = totalHeight_ = lineEnd_ = lineHeight_ = 0;
}

TRect TsHtml::RenderText() {
  const std::size_t length = scan_.size();
  std::size_t runStart = 0, i = 0;
  bool stopped = false;
  while (i < length) {
    if (scan_[i] != L'<') {
      ++i;
      continue;
    }
    DrawRun(runStart, i);
    if (i + 1 < length && scan_[i + 1] == L'<') {
      // "<<": the second "<" starts the next run and is not read as a tag.
      runStart = i + 1;
      i += 2;
      continue;
    }
    const std::size_t close = scan_.find(L'>', i + 1);
    if (close == String::npos) {
      stopped = true;
      break;
    }
    ApplyTag(scan_.substr(i, close - i + 1));
    runStart = i = close + 1;
  }
  if (!stopped) DrawRun(runStart, length);
  widest_ = std::max(widest_, lineEnd_);
  lineEnd_ = 0;
  totalHeight_ = penY_ + lineHeight_;
  return TRect(0, 0, widest_, totalHeight_);
}

void TsHtml::DrawRun(std::size_t from, std::size_t to) {
  if (to <= from) return;
  String run;
  for (std::size_t k = from; k < to && k < source_.size(); ++k)
    if (source_[k] != L'\r' && source_[k] != L'\n') run += source_[k];
  if (run.empty()) return;
  TCanvas* canvas = bitmap_->Canvas();
  canvas->TextOut(penX_, penY_, run);
  penX_ += canvas->TextWidth(run);
  lineEnd_ = penX_;
  lineHeight_ = std::max(lineHeight_, canvas->TextHeight(L"X"));
}

void TsHtml::LineBreak() {
  penX_ = origin_.left;
  penY_ += lineHeight_ + 2;
  widest_ = std::max(widest_, lineEnd_);
  lineEnd_ = 0;
  lineHeight_ = 0;
}

void TsHtml::SetStyle(TFontStyle style, bool on) {
  TFont* font = bitmap_->Canvas()->Font();
  TFontStyles styles = font->Style();
  if (on)
    styles.Include(style);
  else
    styles.Exclude(style);
  font->SetStyle(styles);
}

void TsHtml::ApplyTag(const String& tag) {
  // Only the first letters after "<" (or "</") count.
  auto at = [&tag](std::size_t position, const wchar_t* word) { return tag.compare(position, wcslen(word), word) == 0; };
  if (at(1, L"/")) {
    if (at(2, L"B"))
      SetStyle(fsBold, false);
    else if (at(2, L"I"))
      SetStyle(fsItalic, false);
    else if (at(2, L"FONT"))
      PopFont();
  } else if (at(1, L"BR")) {
    LineBreak();
  } else if (at(1, L"B")) {
    SetStyle(fsBold, true);
  } else if (at(1, L"I")) {
    SetStyle(fsItalic, true);
  } else if (at(1, L"P")) {
    LineBreak();
  } else if (at(1, L"FONT")) {
    PushFont(tag);
  }
}

void TsHtml::PushFont(const String& tag) {
  TFont* canvasFont = bitmap_->Canvas()->Font();
  auto* saved = new TFont();
  saved->Assign(canvasFont);
  fonts_.push_back(saved);
  const std::vector<String> words = Words(tag);
  for (std::size_t k = 0; k + 1 < words.size(); ++k) {
    const String& key = words[k];
    const String& value = words[k + 1];
    if (key == L"SIZE") {
      // A value that is not a number leaves the size as it is.
      int number = 0;
      if (!ParseDecimal(value, number)) continue;
      if (value[0] == L'+' || value[0] == L'-')
        canvasFont->SetSize(canvasFont->Size() + number);
      else
        canvasFont->SetSize(number);
      ++k;
    } else if (key == L"COLOR") {
      canvasFont->SetColor(HtmlColorValue(value));
      ++k;
    }
  }
  const std::size_t face = tag.find(L"FACE");
  if (face != String::npos) {
    const std::size_t open = tag.find(L'"', face);
    const std::size_t close = open == String::npos ? String::npos : tag.find(L'"', open + 1);
    if (close != String::npos && close > open + 1) canvasFont->SetName(tag.substr(open + 1, close - open - 1));
  }
}

void TsHtml::PopFont() {
  if (fonts_.empty()) return;
  TFont* top = fonts_.back();
  fonts_.pop_back();
  bitmap_->Canvas()->Font()->Assign(top);
  top->Free();
}
