#include "app/core/ParameterList.h"

#include <cwctype>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/SysUtils.h"

std::array<int, 10> FavoriteParams{};

namespace {

// Leading blanks and an optional sign before decimal digits, within 32 bits.
int ParameterValue(const String& piece) {
  size_t i = 0;
  while (i < piece.size() && piece[i] == L' ') ++i;
  size_t digits = i;
  if (digits < piece.size() && (piece[digits] == L'+' || piece[digits] == L'-')) ++digits;
  bool decimal = digits < piece.size();
  for (size_t k = digits; k < piece.size(); ++k) decimal = decimal && piece[k] >= L'0' && piece[k] <= L'9';
  int value = 0;
  if (!decimal || !TryStrToInt(piece.substr(i), value))
    throw EConvertError(Format(L"'%s' is not a valid integer value", {piece}));
  return value;
}

}  // namespace

int ParseParameterList(const String& text) {
  std::array<int, 10> values{};
  int count = 0;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(L',', start);
    const String piece = text.substr(start, comma == String::npos ? String::npos : comma - start);
    if (count == static_cast<int>(values.size()))
      throw EConvertError(L"The parameter list holds more than ten values.");
    values[count++] = ParameterValue(piece);
    if (comma == String::npos) break;
    start = comma + 1;
  }
  FavoriteParams = values;
  return count;
}
