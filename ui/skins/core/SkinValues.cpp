#include "ui/skins/core/SkinValues.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

// Delphi-style Copy: positions from 1, clipped to the text.
String CopyAt(const String& text, size_t position, size_t count) {
  if (position < 1 || position > text.size()) return String();
  return text.substr(position - 1, count);
}

std::int16_t Field16(const String& text, size_t position, size_t count) {
  return static_cast<std::int16_t>(ParseSkinInteger(CopyAt(text, position, count)));
}

std::int32_t Field32(const String& text, size_t position, size_t count) {
  return ParseSkinInteger(CopyAt(text, position, count));
}

void ReadRect(const String& value, TMaskShape& shape) {
  shape.Left = Field32(value, 2, 4);
  shape.Top = Field32(value, 7, 4);
  shape.Right = Field32(value, 12, 4);
  shape.Bottom = Field32(value, 17, 4);
}

TMaskShape ParseBorderForm(const String& value) {
  TMaskShape shape;
  ReadRect(value, shape);
  shape.WL = Field16(value, 22, 4);
  shape.WT = Field16(value, 27, 4);
  shape.WR = Field16(value, 32, 4);
  shape.WB = Field16(value, 37, 4);
  shape.ImageCount = Field16(value, 42, 1);
  shape.MaskType = Field16(value, 44, 1);
  shape.StretchMode = Field16(value, 46, 1);
  shape.BorderWidth = Field16(value, 48, 1);
  shape.ImgType = TacImgType::itisaBorder;
  CompleteMaskBorders(shape, shape.Right - shape.Left, shape.Bottom - shape.Top);
  return shape;
}

TMaskShape ParseGlyphForm(const String& value) {
  TMaskShape shape;
  ReadRect(value, shape);
  shape.ImageCount = Field16(value, 22, 1);
  shape.MaskType = Field16(value, 24, 1);
  shape.ImgType = TacImgType::itisaGlyph;
  return shape;
}

TMaskShape ParseTextureForm(const String& value) {
  TMaskShape shape;
  ReadRect(value, shape);
  shape.StretchMode = Field16(value, 22, 2);
  shape.MaskType = value.size() >= 25 ? Field16(value, 25, 1) : std::int16_t(0);
  shape.ImageCount = 1;
  shape.ImgType = TacImgType::itisaTexture;
  return shape;
}

std::optional<TMaskShape> ParseOwnImageForm(const String& value) {
  const String delims = L"!";
  String name = NthWord(1, value, delims);
  if (name.find(L".BMP") == String::npos) return std::nullopt;
  TMaskShape shape;
  shape.Source = TMaskImageSource::OwnImage;
  shape.WholeImage = true;
  shape.ImageName = name;
  shape.ImageCount = static_cast<std::int16_t>(ParseSkinInteger(NthWord(2, value, delims)));
  shape.MaskType = static_cast<std::int16_t>(ParseSkinInteger(NthWord(3, value, delims)));
  int type = ParseSkinInteger(NthWord(4, value, delims));
  if (type < 0 || type > 2) throw ESkinValueError(L"image type " + std::to_wstring(type) + L" outside 0 to 2");
  shape.ImgType = static_cast<TacImgType>(type);
  shape.StretchMode = 4;
  if (CountWords(value, delims) >= 8) {
    shape.WL = static_cast<std::int16_t>(ParseSkinInteger(NthWord(5, value, delims)));
    shape.WT = static_cast<std::int16_t>(ParseSkinInteger(NthWord(6, value, delims)));
    shape.WR = static_cast<std::int16_t>(ParseSkinInteger(NthWord(7, value, delims)));
    shape.WB = static_cast<std::int16_t>(ParseSkinInteger(NthWord(8, value, delims)));
    shape.HasBorders = true;
  }
  return shape;
}

TMaskShape ParseRectangleForm(const String& key, const String& value) {
  const String wordDelims = L" ()";
  const String numberDelims = L", ";
  String rect = NthWord(2, value, wordDelims);
  String counts = NthWord(3, value, wordDelims);
  TMaskShape shape;
  shape.Left = ParseSkinInteger(NthWord(1, rect, numberDelims));
  shape.Top = ParseSkinInteger(NthWord(2, rect, numberDelims));
  shape.Right = ParseSkinInteger(NthWord(3, rect, numberDelims));
  shape.Bottom = ParseSkinInteger(NthWord(4, rect, numberDelims));
  shape.ImageCount = static_cast<std::int16_t>(std::max(1, ParseSkinInteger(NthWord(1, counts, numberDelims))));
  shape.MaskType = static_cast<std::int16_t>(std::max(0, ParseSkinInteger(NthWord(2, counts, numberDelims))));
  String border = NthWord(3, counts, numberDelims);
  String stretch = NthWord(4, counts, numberDelims);
  shape.BorderWidth = static_cast<std::int16_t>(border.empty() ? 0 : std::max(0, ParseSkinInteger(border)));
  shape.StretchMode = static_cast<std::int16_t>(stretch.empty() ? 1 : ParseSkinInteger(stretch));
  shape.ImgType = TacImgType::itisaBorder;
  if (key == L"PATTERN" || key == L"HOTPATTERN") {
    shape.ImgType = TacImgType::itisaTexture;
    shape.StretchMode = 0;
  }
  CompleteMaskBorders(shape, shape.Right - shape.Left, shape.Bottom - shape.Top);
  return shape;
}

std::uint8_t ClampChannel(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

}  // namespace

bool TryParseSkinInteger(const String& text, std::int32_t& value) {
  size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  int base = 10;
  if (i < end && text[i] == L'$') {
    base = 16;
    ++i;
  } else if (end - i > 2 && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i >= end) return false;
  Int64 result = 0;
  for (; i < end; ++i) {
    int digit = HexDigit(text[i]);
    if (digit < 0 || digit >= base) return false;
    result = result * base + digit;
    if (result > (Int64{1} << 32)) return false;
  }
  if (negative) result = -result;
  if (base == 10 && (result > INT32_MAX || result < INT32_MIN)) return false;
  if (base == 16 && (result > UINT32_MAX || result < INT32_MIN)) return false;
  value = static_cast<std::int32_t>(static_cast<std::uint32_t>(result));
  return true;
}

std::int32_t ParseSkinInteger(const String& text) {
  std::int32_t value = 0;
  if (!TryParseSkinInteger(text, value)) throw ESkinValueError(L"'" + text + L"' is not a valid integer value");
  return value;
}

std::optional<TMaskShape> ParseMaskValue(const String& key, const String& value) {
  if (value.empty()) return std::nullopt;
  switch (value[0]) {
    case L'^': return ParseBorderForm(value);
    case L'@': return ParseGlyphForm(value);
    case L'~': return ParseTextureForm(value);
    case L'!': return ParseOwnImageForm(value);
    default: break;
  }
  if (value.find(L'#') != String::npos && value != L"#") return ParseRectangleForm(key, value);
  if (UpperCaseAscii(value).find(L".BMP") != String::npos) {
    TMaskShape shape;
    shape.Source = TMaskImageSource::OwnImage;
    shape.WholeImage = true;
    shape.ImageName = value;
    shape.ImageCount = 3;
    shape.MaskType = 1;
    return shape;
  }
  return std::nullopt;
}

TFrameSize MaskFrameSize(int rectWidth, int rectHeight, int imageCount, int maskType) {
  return {rectWidth / std::max(imageCount, 1), rectHeight / std::max(maskType + 1, 1)};
}

void CompleteMaskBorders(TMaskShape& shape, int rectWidth, int rectHeight) {
  if (shape.WL != 0 || shape.WT != 0 || shape.WR != 0 || shape.WB != 0) return;
  if (shape.BorderWidth != 0) {
    shape.WL = shape.WT = shape.WR = shape.WB = shape.BorderWidth;
    return;
  }
  TFrameSize frame = MaskFrameSize(rectWidth, rectHeight, shape.ImageCount, shape.MaskType);
  shape.WL = shape.WR = static_cast<std::int16_t>(frame.Width / 3);
  shape.WT = shape.WB = static_cast<std::int16_t>(frame.Height / 3);
}

void ParseGradientData(const String& text, TsGradArray& result) {
  result.clear();
  if (text.empty()) return;
  const String delims = L";";
  int segments = CountWords(text, delims) / 5;
  result.resize(static_cast<size_t>(segments));
  for (int i = 0; i < segments; ++i) {
    TsGradRecord& record = result[static_cast<size_t>(i)];
    record.Color1 = ParseSkinInteger(NthWord(i * 5 + 1, text, delims));
    record.Color2 = ParseSkinInteger(NthWord(i * 5 + 2, text, delims));
    record.Percent = std::clamp(ParseSkinInteger(NthWord(i * 5 + 3, text, delims)), 0, 100);
    record.Mode1 = ParseSkinInteger(NthWord(i * 5 + 4, text, delims));
    ParseSkinInteger(NthWord(i * 5 + 5, text, delims));
  }
}

std::uint32_t ChangeSaturation(std::uint32_t color, int amount) {
  if (amount == 0) return color;
  double channels[3] = {double(color & 0xFF), double((color >> 8) & 0xFF), double((color >> 16) & 0xFF)};
  double grey = (channels[0] + channels[1] + channels[2]) / 3;
  std::uint32_t result = 0;
  for (int i = 0; i < 3; ++i) {
    double c = channels[i];
    result |= std::uint32_t(ClampChannel(c + amount * (grey - c) / 100)) << (8 * i);
  }
  return result;
}

std::uint32_t ChangeHue(int offset, std::uint32_t color) {
  double r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  double v = std::max({r, g, b});
  double delta = v - std::min({r, g, b});
  if (v == 0 || delta == 0) return color & 0xFFFFFF;
  double s = delta / v;
  double h;
  if (r == v)
    h = 60 * (g - b) / delta;
  else if (g == v)
    h = 120 + 60 * (b - r) / delta;
  else
    h = 240 + 60 * (r - g) / delta;
  if (h < 0) h += 360;
  long turned = std::lround(std::nearbyint(h + offset)) % 360;
  if (turned < 0) turned += 360;
  double sector = turned / 60.0;
  int i = static_cast<int>(sector);
  double f = sector - i;
  std::uint8_t V = ClampChannel(v), p = ClampChannel(v * (1 - s)), q = ClampChannel(v * (1 - f * s)),
               t = ClampChannel(v * (1 - (1 - f) * s));
  std::uint8_t rgb[6][3] = {{V, t, p}, {q, V, p}, {p, V, t}, {p, q, V}, {t, p, V}, {V, p, q}};
  const std::uint8_t* c = rgb[i % 6];
  return std::uint32_t(c[0]) | std::uint32_t(c[1]) << 8 | std::uint32_t(c[2]) << 16;
}

int NthWordPos(int n, const String& text, const String& delims) {
  int count = 0;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && delims.find(text[i]) != String::npos) ++i;
    if (i >= text.size()) break;
    if (++count == n) return static_cast<int>(i + 1);
    while (i < text.size() && delims.find(text[i]) == String::npos) ++i;
  }
  return 0;
}

String NthWord(int n, const String& text, const String& delims) {
  int position = NthWordPos(n, text, delims);
  if (position == 0) return String();
  size_t start = static_cast<size_t>(position - 1);
  size_t end = text.find_first_of(delims, start);
  return text.substr(start, end == String::npos ? String::npos : end - start);
}

int CountWords(const String& text, const String& delims) {
  int count = 0;
  bool inWord = false;
  for (wchar_t c : text) {
    bool delim = delims.find(c) != String::npos;
    if (!delim && !inWord) ++count;
    inWord = !delim;
  }
  return count;
}

String RemoveChar(const String& text, wchar_t c) {
  String result;
  for (wchar_t ch : text)
    if (ch != c) result += ch;
  return result;
}

String ReplaceAll(const String& text, const String& find, const String& replacement) {
  if (find.empty()) return text;
  String result;
  size_t from = 0;
  for (size_t at; (at = text.find(find, from)) != String::npos; from = at + find.size())
    result.append(text, from, at - from).append(replacement);
  return result.append(text, from, String::npos);
}

Int64 HexToInt64(const String& text) {
  String upper = UpperCaseAscii(text);
  if (!upper.empty() && upper.back() == L'H') upper.pop_back();
  if (upper.empty()) return 0;
  UInt64 value = 0;
  for (wchar_t c : upper) {
    int digit = HexDigit(c);
    if (digit < 0 || (c >= L'a' && c <= L'f')) return 0;
    value = value << 4 | UInt64(digit);
  }
  return static_cast<Int64>(value);
}

String UpperCaseAscii(String text) {
  for (wchar_t& c : text)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return text;
}
