#include "platform/framework/rtl/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "platform/framework/base/Win32.h"

TVarRec::TVarRec(const AnsiString& value) : kind_(vtString), text_(AnsiToString(value)) {}
TVarRec::TVarRec(const char* value) : kind_(vtString), text_(AnsiToString(value ? value : "")) {}

namespace {

String Widen(const char* first, const char* last) { return String(first, last); }

// ---- digits ---------------------------------------------------------------------------------

String UnsignedDigits(UInt64 value, int base, bool upper) {
  char buffer[72];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, base);
  String text = Widen(buffer, result.ptr);
  if (upper) std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - 32) : c; });
  return text;
}

// Magnitude digits of a signed value, zero-filled to minDigits, with the sign in front.
String SignedDigits(Int64 value, int minDigits) {
  const bool negative = value < 0;
  const UInt64 magnitude = negative ? UInt64(0) - UInt64(value) : UInt64(value);
  String digits = UnsignedDigits(magnitude, 10, false);
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), L'0');
  return negative ? L"-" + digits : digits;
}

// Decimal digits of value rounded to `decimals` places: integer and fraction parts, no sign.
struct FixedDigits {
  std::string integer;
  std::string fraction;
  bool negative = false;
};

FixedDigits ToFixed(double value, int decimals) {
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  FixedDigits out;
  if (!text.empty() && text[0] == '-') {
    out.negative = true;
    text.erase(0, 1);
  }
  const auto point = text.find('.');
  out.integer = text.substr(0, point);
  if (point != std::string::npos) out.fraction = text.substr(point + 1);
  if (std::all_of(out.integer.begin(), out.integer.end(), [](char c) { return c == '0'; }) &&
      std::all_of(out.fraction.begin(), out.fraction.end(), [](char c) { return c == '0'; }))
    out.negative = false;
  return out;
}

// Mantissa digits (first digit before the point) and decimal exponent, rounded to `digits`
// significant digits.
struct ScientificDigits {
  std::string mantissa;  // digits only, no point
  int exponent = 0;
  bool negative = false;
};

ScientificDigits ToScientific(double value, int digits) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1);
  std::string text(buffer, result.ptr);
  ScientificDigits out;
  if (text[0] == '-') {
    out.negative = true;
    text.erase(0, 1);
  }
  const auto e = text.find('e');
  for (char c : text.substr(0, e))
    if (c != '.') out.mantissa += c;
  out.exponent = std::stoi(text.substr(e + 1));
  return out;
}

String GroupThousands(const std::string& integer, wchar_t separator) {
  String out;
  const int n = static_cast<int>(integer.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += static_cast<wchar_t>(integer[i]);
  }
  return out;
}

String JoinFixed(const FixedDigits& d, wchar_t decimalSeparator, wchar_t thousandSeparator, bool group) {
  String out = d.negative ? L"-" : L"";
  out += group ? GroupThousands(d.integer, thousandSeparator) : String(d.integer.begin(), d.integer.end());
  if (!d.fraction.empty()) out += decimalSeparator + String(d.fraction.begin(), d.fraction.end());
  return out;
}

// General format: up to `precision` significant digits, trailing zeros dropped; exponent form
// (no '+', no leading zeros) outside the range the digits can show.
String GeneralFloat(Extended value, int precision, const TFormatSettings& settings) {
  if (std::isnan(value)) return L"NAN";
  if (std::isinf(value)) return value > 0 ? L"INF" : L"-INF";
  if (value == 0) return L"0";
  ScientificDigits s = ToScientific(static_cast<double>(value), precision);
  while (s.mantissa.size() > 1 && s.mantissa.back() == '0') s.mantissa.pop_back();
  String out = s.negative ? L"-" : L"";
  const int digitCount = static_cast<int>(s.mantissa.size());
  if (s.exponent >= precision || s.exponent < -4) {
    out += static_cast<wchar_t>(s.mantissa[0]);
    if (digitCount > 1) out += settings.DecimalSeparator + String(s.mantissa.begin() + 1, s.mantissa.end());
    out += L"E" + IntToStr(s.exponent);
    return out;
  }
  if (s.exponent < 0) {
    out += L"0";
    out += settings.DecimalSeparator;
    out += String(-s.exponent - 1, L'0') + String(s.mantissa.begin(), s.mantissa.end());
    return out;
  }
  const int integerDigits = s.exponent + 1;
  std::string digits = s.mantissa;
  if (digitCount < integerDigits) digits.append(integerDigits - digitCount, '0');
  out += String(digits.begin(), digits.begin() + integerDigits);
  if (static_cast<int>(digits.size()) > integerDigits)
    out += settings.DecimalSeparator + String(digits.begin() + integerDigits, digits.end());
  return out;
}

// "d.dddE+ddd": precision significant digits, exponent with sign and at least three digits.
String ExponentFloat(Extended value, int precision, const TFormatSettings& settings) {
  ScientificDigits s = ToScientific(static_cast<double>(value), std::max(precision, 1));
  String out = s.negative ? L"-" : L"";
  out += static_cast<wchar_t>(s.mantissa[0]);
  if (s.mantissa.size() > 1) out += settings.DecimalSeparator + String(s.mantissa.begin() + 1, s.mantissa.end());
  out += s.exponent < 0 ? L"E-" : L"E+";
  out += SignedDigits(std::abs(s.exponent), 3);
  return out;
}

// ---- Format ---------------------------------------------------------------------------------

class FormatWriter {
 public:
  FormatWriter(const String& format, const TVarRec* args, std::size_t count)
      : format_(format), args_(args), count_(count) {}

  String Run() {
    std::size_t i = 0;
    while (i < format_.size()) {
      const auto percent = format_.find(L'%', i);
      if (percent == String::npos) {
        out_.append(format_, i, String::npos);
        break;
      }
      out_.append(format_, i, percent - i);
      i = Specifier(percent + 1);
    }
    return out_;
  }

 private:
  [[noreturn]] void Invalid() const {
    throw EConvertError(L"Format '" + format_ + L"' invalid or incompatible with argument");
  }

  const TVarRec& NextArg() {
    if (next_ >= count_) throw EConvertError(L"No argument for format '" + format_ + L"'");
    return args_[next_++];
  }

  // Reads digits or "*" at i; -1 when there are none.
  int Number(std::size_t& i) {
    if (i < format_.size() && format_[i] == L'*') {
      ++i;
      const TVarRec& arg = NextArg();
      if (arg.Kind() != TVarRec::vtInteger && arg.Kind() != TVarRec::vtUnsigned) Invalid();
      return static_cast<int>(arg.Kind() == TVarRec::vtInteger ? arg.AsInt64() : Int64(arg.AsUInt64()));
    }
    int value = -1;
    while (i < format_.size() && format_[i] >= L'0' && format_[i] <= L'9') {
      value = std::max(value, 0) * 10 + (format_[i] - L'0');
      if (value > 100000) Invalid();
      ++i;
    }
    return value;
  }

  std::size_t Specifier(std::size_t i) {
    if (i >= format_.size()) Invalid();
    if (format_[i] == L'%') {
      out_ += L'%';
      return i + 1;
    }
    int width = Number(i);
    if (i < format_.size() && format_[i] == L':') {  // an argument index
      if (width < 0) Invalid();
      next_ = static_cast<std::size_t>(width);
      width = -1;
      ++i;
    }
    bool left = false;
    if (i < format_.size() && format_[i] == L'-') {
      left = true;
      ++i;
    }
    if (width < 0) width = Number(i);
    int precision = -1;
    if (i < format_.size() && format_[i] == L'.') {
      ++i;
      precision = std::max(Number(i), 0);
    }
    if (i >= format_.size()) Invalid();
    const String text = Convert(format_[i], precision);
    const int pad = width - static_cast<int>(text.size());
    if (pad > 0 && !left) out_.append(pad, L' ');
    out_ += text;
    if (pad > 0 && left) out_.append(pad, L' ');
    return i + 1;
  }

  static bool IsInteger(const TVarRec& arg) {
    return arg.Kind() == TVarRec::vtInteger || arg.Kind() == TVarRec::vtUnsigned;
  }

  // An integer argument as the bits %u and %x show: 32 bits when the value fits in 32.
  static UInt64 Bits(const TVarRec& arg) {
    if (arg.Kind() == TVarRec::vtUnsigned) return arg.AsUInt64();
    const Int64 v = arg.AsInt64();
    if (v < 0 && v >= std::numeric_limits<std::int32_t>::min()) return static_cast<std::uint32_t>(v);
    return static_cast<UInt64>(v);
  }

  String Convert(wchar_t type, int precision) {
    const TVarRec& arg = NextArg();
    const TFormatSettings& settings = FormatSettings;
    switch (type) {
      case L'd': case L'D':
        if (!IsInteger(arg)) Invalid();
        if (arg.Kind() == TVarRec::vtUnsigned) return ZeroFill(UnsignedDigits(arg.AsUInt64(), 10, false), precision);
        return SignedDigits(arg.AsInt64(), precision);
      case L'u': case L'U':
        if (!IsInteger(arg)) Invalid();
        return ZeroFill(UnsignedDigits(Bits(arg), 10, false), precision);
      case L'x':
      case L'X':
        if (!IsInteger(arg)) Invalid();
        return ZeroFill(UnsignedDigits(Bits(arg), 16, type == L'X'), precision);
      case L's': case L'S': {
        if (arg.Kind() != TVarRec::vtString && arg.Kind() != TVarRec::vtChar) Invalid();
        const String& s = arg.AsString();
        return precision >= 0 && precision < static_cast<int>(s.size()) ? s.substr(0, precision) : s;
      }
      case L'c': case L'C':
        if (arg.Kind() == TVarRec::vtChar) return arg.AsString();
        if (!IsInteger(arg)) Invalid();
        return String(1, static_cast<wchar_t>(arg.AsInt64()));
      case L'p': case L'P':
        if (arg.Kind() != TVarRec::vtPointer) Invalid();
        return ZeroFill(UnsignedDigits(arg.AsUInt64(), 16, true), int(sizeof(void*) * 2));
      case L'f': case L'F': case L'n': case L'N': {
        if (arg.Kind() != TVarRec::vtExtended) Invalid();
        const FixedDigits d = ToFixed(static_cast<double>(arg.AsExtended()), precision < 0 ? 2 : std::min(precision, 18));
        return JoinFixed(d, settings.DecimalSeparator, settings.ThousandSeparator, type == L'n' || type == L'N');
      }
      case L'e': case L'E':
        if (arg.Kind() != TVarRec::vtExtended) Invalid();
        return ExponentFloat(arg.AsExtended(), precision < 0 ? 15 : std::min(precision, 18), settings);
      case L'g': case L'G':
        if (arg.Kind() != TVarRec::vtExtended) Invalid();
        return GeneralFloat(arg.AsExtended(), precision <= 0 ? 15 : std::min(precision, 18), settings);
      default:
        Invalid();
    }
  }

  static String ZeroFill(String digits, int precision) {
    if (static_cast<int>(digits.size()) < precision) digits.insert(0, precision - digits.size(), L'0');
    return digits;
  }

  const String& format_;
  const TVarRec* args_;
  std::size_t count_;
  std::size_t next_ = 0;
  String out_;
};

// ---- integer parsing ------------------------------------------------------------------------

// Parses [blanks][sign](digits | $hex | 0xhex) into a magnitude no larger than limit (hexadecimal
// may use the full unsigned range of the type).
bool ParseInteger(const String& text, Int64 min, Int64 max, UInt64 hexLimit, Int64& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] <= L' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  int base = 10;
  if (i < text.size() && text[i] == L'$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  UInt64 magnitude = 0;
  const UInt64 limit = base == 16 ? hexLimit : (negative ? UInt64(0) - UInt64(min) : UInt64(max));
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    int digit;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
    else return false;
    if (magnitude > (limit - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  if (base == 16) {
    // Hexadecimal fills the type's bits: $FFFFFFFF is -1 as a 32-bit integer.
    Int64 bits = static_cast<Int64>(magnitude);
    if (hexLimit == 0xFFFFFFFFull) bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    value = negative ? Int64(UInt64(0) - UInt64(bits)) : bits;
    return true;
  }
  value = negative ? static_cast<Int64>(UInt64(0) - magnitude) : static_cast<Int64>(magnitude);
  return true;
}

[[noreturn]] void InvalidInteger(const String& text) {
  throw EConvertError(Format(L"'%s' is not a valid integer value", {text}));
}

// ---- float parsing --------------------------------------------------------------------------

bool ParseFloat(const String& text, wchar_t decimalSeparator, Extended& value) {
  std::size_t first = 0, last = text.size();
  while (first < last && text[first] <= L' ') ++first;
  while (last > first && text[last - 1] <= L' ') --last;
  std::string ascii;
  bool digits = false, point = false, exponent = false;
  for (std::size_t i = first; i < last; ++i) {
    const wchar_t c = text[i];
    if (c >= L'0' && c <= L'9') {
      digits = true;
      ascii += static_cast<char>(c);
    } else if (c == decimalSeparator && !point && !exponent) {
      point = true;
      ascii += '.';
    } else if ((c == L'e' || c == L'E') && digits && !exponent) {
      exponent = true;
      ascii += 'e';
      if (i + 1 < last && (text[i + 1] == L'+' || text[i + 1] == L'-')) ascii += static_cast<char>(text[++i]);
      if (i + 1 >= last) return false;
    } else if ((c == L'-' || c == L'+') && i == first) {
      if (c == L'-') ascii += '-';
    } else {
      return false;
    }
  }
  if (!digits) return false;
  double parsed = 0;
  const char* begin = ascii.data();
  auto result = std::from_chars(begin, begin + ascii.size(), parsed);
  if (result.ec != std::errc() || result.ptr != begin + ascii.size()) return false;
  value = parsed;
  return true;
}

// ---- picture formats ------------------------------------------------------------------------

std::vector<String> SplitSections(const String& format) {
  std::vector<String> sections(1);
  wchar_t quote = 0;
  for (wchar_t c : format) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == L'"' || c == L'\'') {
      quote = c;
    } else if (c == L';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

// The parsed shape of one section of a picture format.
struct Picture {
  String prefix, suffix;  // literals before the first and after the last digit placeholder
  int integerZeros = 0;   // placeholders from the first '0' up to the decimal point
  int minDecimals = 0;    // '0's after the point
  int maxDecimals = 0;    // '0's and '#'s after the point
  bool thousands = false;
  bool hasPoint = false;
  bool exponent = false;
  bool exponentPlus = false;
  int exponentDigits = 0;
  int integerPlaces = 0;  // '0's and '#'s before the point
  bool hasDigits = false;
};

Picture ParsePicture(const String& section) {
  Picture p;
  bool inNumber = false, afterNumber = false, seenZero = false;
  wchar_t quote = 0;
  for (std::size_t i = 0; i < section.size(); ++i) {
    const wchar_t c = section[i];
    String& literal = (inNumber || afterNumber) ? p.suffix : p.prefix;
    if (quote) {
      if (c == quote) quote = 0;
      else literal += c;
      continue;
    }
    if (c == L'"' || c == L'\'') {
      quote = c;
      continue;
    }
    if (!p.exponent && (c == L'0' || c == L'#')) {
      inNumber = true;
      p.hasDigits = true;
      if (afterNumber) continue;
      if (p.hasPoint) {
        ++p.maxDecimals;
        if (c == L'0') p.minDecimals = p.maxDecimals;
      } else {
        ++p.integerPlaces;
        if (c == L'0') seenZero = true;
        if (seenZero) ++p.integerZeros;
      }
    } else if (c == L'.' && !p.hasPoint && !p.exponent) {
      p.hasPoint = true;
      inNumber = true;
    } else if (c == L',' && !p.hasPoint && !p.exponent) {
      p.thousands = true;
    } else if ((c == L'E' || c == L'e') && inNumber && i + 1 < section.size() &&
               (section[i + 1] == L'+' || section[i + 1] == L'-')) {
      p.exponent = true;
      p.exponentPlus = section[++i] == L'+';
      while (i + 1 < section.size() && section[i + 1] == L'0') {
        ++p.exponentDigits;
        ++i;
      }
      afterNumber = true;
    } else {
      if (inNumber) afterNumber = true;
      literal += c;
    }
  }
  return p;
}

String FormatPictureNumber(const Picture& p, Extended value, bool showSign, const TFormatSettings& settings) {
  if (!p.hasDigits) return p.prefix;  // a section of literals only
  String number;
  bool negative = false;
  if (p.exponent) {
    const int integerDigits = std::max(p.integerPlaces, 1);
    ScientificDigits s = ToScientific(std::fabs(static_cast<double>(value)), integerDigits + p.maxDecimals);
    negative = value < 0;
    int exponent = value == 0 ? 0 : s.exponent - (integerDigits - 1);
    number = String(s.mantissa.begin(), s.mantissa.begin() + integerDigits);
    std::string fraction = s.mantissa.substr(integerDigits);
    while (static_cast<int>(fraction.size()) > p.minDecimals && !fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) number += settings.DecimalSeparator + String(fraction.begin(), fraction.end());
    number += L'E';
    if (exponent < 0) number += L'-';
    else if (p.exponentPlus) number += L'+';
    number += SignedDigits(std::abs(exponent), p.exponentDigits);
  } else {
    FixedDigits d = ToFixed(static_cast<double>(value), p.maxDecimals);
    negative = d.negative;
    while (static_cast<int>(d.fraction.size()) > p.minDecimals && d.fraction.back() == '0') d.fraction.pop_back();
    std::string integer = d.integer;
    if (integer == "0") integer.clear();
    if (static_cast<int>(integer.size()) < p.integerZeros) integer.insert(0, p.integerZeros - integer.size(), '0');
    number = p.thousands ? GroupThousands(integer, settings.ThousandSeparator) : String(integer.begin(), integer.end());
    if (!d.fraction.empty()) number += settings.DecimalSeparator + String(d.fraction.begin(), d.fraction.end());
    if (number.empty()) number = L"0";
  }
  return p.prefix + (negative && showSign ? L"-" : L"") + number + p.suffix;
}

// ---- case and comparison --------------------------------------------------------------------

template <class Text>
Text TrimWith(const Text& text, bool left, bool right) {
  std::size_t first = 0, last = text.size();
  if (left)
    while (first < last && static_cast<std::make_unsigned_t<typename Text::value_type>>(text[first]) <= ' ') ++first;
  if (right)
    while (last > first && static_cast<std::make_unsigned_t<typename Text::value_type>>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

template <class Text>
Text MapAscii(Text text, bool upper) {
  for (auto& c : text) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<typename Text::value_type>(c - 32);
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<typename Text::value_type>(c + 32);
  }
  return text;
}

String MapLocale(const String& text, DWORD flags) {
  if (text.empty()) return text;
  const int length = LCMapStringW(LOCALE_USER_DEFAULT, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  String out(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  LCMapStringW(LOCALE_USER_DEFAULT, flags, text.data(), static_cast<int>(text.size()), out.data(), length);
  return out;
}

int CompareLocale(const String& a, const String& b, DWORD flags) {
  const int result = CompareStringW(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                                    static_cast<int>(b.size()));
  return result - CSTR_EQUAL;
}

// ---- 1-based positions ----------------------------------------------------------------------

template <class Text>
int PosIn(const Text& sub, const Text& text, int offset) {
  if (sub.empty() || offset < 1) return 0;
  const auto at = text.find(sub, static_cast<std::size_t>(offset - 1));
  return at == Text::npos ? 0 : static_cast<int>(at) + 1;
}

template <class Text>
Text CopyOf(const Text& text, int index, int count) {
  const int length = static_cast<int>(text.size());
  if (index < 1) index = 1;
  if (count <= 0 || index > length) return Text();
  return text.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(std::min(count, length - index + 1)));
}

template <class Text>
void DeleteFrom(Text& text, int index, int count) {
  const int length = static_cast<int>(text.size());
  if (index < 1 || index > length || count <= 0) return;
  text.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(std::min(count, length - index + 1)));
}

template <class Text>
void InsertInto(const Text& sub, Text& text, int index) {
  const int length = static_cast<int>(text.size());
  index = std::clamp(index, 1, length + 1);
  text.insert(static_cast<std::size_t>(index - 1), sub);
}

}  // namespace

// ---- Format and conversions -------------------------------------------------------------------

String Format(const String& format, std::initializer_list<TVarRec> args) {
  return FormatWriter(format, args.begin(), args.size()).Run();
}

String Format(const String& format, const TVarRec* args, std::size_t count) {
  return FormatWriter(format, args, count).Run();
}

String IntToStr(Int64 value) { return SignedDigits(value, 0); }
String UIntToStr(UInt64 value) { return UnsignedDigits(value, 10, false); }

String IntToHex(Int64 value, int digits) {
  String text = UnsignedDigits(static_cast<UInt64>(value), 16, true);
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), L'0');
  return text;
}

String BinToHex(const void* bytes, size_t count) {
  static const wchar_t digits[] = L"0123456789ABCDEF";
  const auto* data = static_cast<const Byte*>(bytes);
  String text(count * 2, L'0');
  for (size_t i = 0; i < count; ++i) {
    text[2 * i] = digits[data[i] >> 4];
    text[2 * i + 1] = digits[data[i] & 0xF];
  }
  return text;
}

bool HexToBin(const String& text, std::vector<Byte>& bytes) {
  if (text.size() % 2 != 0) return false;
  auto digit = [](wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
  };
  std::vector<Byte> out(text.size() / 2);
  for (size_t i = 0; i < out.size(); ++i) {
    const int high = digit(text[2 * i]), low = digit(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    out[i] = Byte(high * 16 + low);
  }
  bytes.swap(out);
  return true;
}

bool TryStrToInt(const String& text, int& value) {
  Int64 parsed;
  if (!ParseInteger(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 0xFFFFFFFFull, parsed))
    return false;
  value = static_cast<int>(parsed);
  return true;
}

bool TryStrToInt64(const String& text, Int64& value) {
  return ParseInteger(text, std::numeric_limits<Int64>::min(), std::numeric_limits<Int64>::max(),
                      std::numeric_limits<UInt64>::max(), value);
}

int StrToInt(const String& text) {
  int value;
  if (!TryStrToInt(text, value)) InvalidInteger(text);
  return value;
}

Int64 StrToInt64(const String& text) {
  Int64 value;
  if (!TryStrToInt64(text, value)) InvalidInteger(text);
  return value;
}

int StrToIntDef(const String& text, int defaultValue) {
  int value;
  return TryStrToInt(text, value) ? value : defaultValue;
}

Int64 StrToInt64Def(const String& text, Int64 defaultValue) {
  Int64 value;
  return TryStrToInt64(text, value) ? value : defaultValue;
}

bool TryStrToFloat(const String& text, Extended& value, const TFormatSettings& settings) {
  return ParseFloat(text, settings.DecimalSeparator, value);
}

bool TryStrToFloat(const String& text, Extended& value) { return TryStrToFloat(text, value, FormatSettings); }

bool TryStrToFloat(const String& text, double& value) {
  Extended parsed;
  if (!TryStrToFloat(text, parsed)) return false;
  value = static_cast<double>(parsed);
  return true;
}

Extended StrToFloat(const String& text, const TFormatSettings& settings) {
  Extended value;
  if (!TryStrToFloat(text, value, settings))
    throw EConvertError(Format(L"'%s' is not a valid floating point value", {text}));
  return value;
}

Extended StrToFloat(const String& text) { return StrToFloat(text, FormatSettings); }

Extended StrToFloatDef(const String& text, Extended defaultValue) {
  Extended value;
  return TryStrToFloat(text, value) ? value : defaultValue;
}

String FloatToStr(Extended value, const TFormatSettings& settings) { return GeneralFloat(value, 15, settings); }
String FloatToStr(Extended value) { return FloatToStr(value, FormatSettings); }

String FormatFloat(const String& format, Extended value, const TFormatSettings& settings) {
  if (format.empty()) return FloatToStr(value, settings);
  if (std::isnan(value) || std::isinf(value)) return FloatToStr(value, settings);
  const std::vector<String> sections = SplitSections(format);
  const Picture positive = ParsePicture(sections[0]);
  // The zero section applies to values that round to zero in the first section's form.
  const FixedDigits rounded = ToFixed(static_cast<double>(value), positive.exponent ? 15 : positive.maxDecimals);
  const bool roundsToZero = (rounded.integer + rounded.fraction).find_first_not_of('0') == std::string::npos;
  if (sections.size() >= 3 && roundsToZero && !sections[2].empty())
    return FormatPictureNumber(ParsePicture(sections[2]), 0, false, settings);
  if (value < 0 && sections.size() >= 2 && !sections[1].empty())
    return FormatPictureNumber(ParsePicture(sections[1]), -value, false, settings);
  return FormatPictureNumber(positive, value, true, settings);
}

String FormatFloat(const String& format, Extended value) { return FormatFloat(format, value, FormatSettings); }

Int64 Round(Extended value) {
  const Extended floor = std::floor(value);
  const Extended diff = value - floor;
  Int64 result = static_cast<Int64>(floor);
  if (diff > 0.5L || (diff == 0.5L && (result & 1) != 0)) ++result;
  return result;
}

Int64 Trunc(Extended value) { return static_cast<Int64>(value); }
Extended Frac(Extended value) { return value - std::trunc(value); }

String BoolToStr(bool value, bool useBoolStrs) {
  if (useBoolStrs) return value ? L"True" : L"False";
  return value ? L"-1" : L"0";
}

// ---- format settings --------------------------------------------------------------------------

namespace {

const wchar_t* const kShortMonths[12] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                         L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
const wchar_t* const kLongMonths[12] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                        L"July",    L"August",   L"September", L"October", L"November", L"December"};
const wchar_t* const kShortDays[7] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
const wchar_t* const kLongDays[7] = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};

String LocaleText(LCTYPE type, const String& fallback) {
  wchar_t buffer[128];
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
  return length > 1 ? String(buffer, static_cast<std::size_t>(length - 1)) : fallback;
}

wchar_t LocaleChar(LCTYPE type, wchar_t fallback) {
  const String text = LocaleText(type, String(1, fallback));
  return text.empty() ? fallback : text[0];
}

// The system's time picture ("h:mm:ss tt", "HH:mm:ss") in the form FormatDateTime reads: "t"
// becomes "AMPM" and the hour letters lose their 24-hour case.
String TimePicture(const String& system) {
  String out;
  bool ampm = false;
  wchar_t quote = 0;
  for (std::size_t i = 0; i < system.size(); ++i) {
    const wchar_t c = system[i];
    if (quote) {
      out += c;
      if (c == quote) quote = 0;
    } else if (c == L'\'' || c == L'"') {
      quote = c;
      out += c;
    } else if (c == L't') {
      while (i + 1 < system.size() && system[i + 1] == L't') ++i;
      if (!ampm) out += L"AMPM";
      ampm = true;
    } else if (c == L'H') {
      out += L'h';
    } else {
      out += c;
    }
  }
  // Drop a blank left dangling before a removed marker.
  return TrimRight(out);
}

}  // namespace

TFormatSettings InvariantFormatSettings() {
  TFormatSettings s;
  s.ShortDateFormat = L"MM/dd/yyyy";
  s.LongDateFormat = L"dddd, dd MMMMM yyyy";
  s.ShortTimeFormat = L"hh:nn";
  s.LongTimeFormat = L"hh:nn:ss";
  for (int i = 0; i < 12; ++i) {
    s.ShortMonthNames[i] = kShortMonths[i];
    s.LongMonthNames[i] = kLongMonths[i];
  }
  for (int i = 0; i < 7; ++i) {
    s.ShortDayNames[i] = kShortDays[i];
    s.LongDayNames[i] = kLongDays[i];
  }
  return s;
}

TFormatSettings LocaleFormatSettings() {
  TFormatSettings s = InvariantFormatSettings();
  s.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, L'.');
  s.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, L',');
  s.DateSeparator = LocaleChar(LOCALE_SDATE, L'/');
  s.TimeSeparator = LocaleChar(LOCALE_STIME, L':');
  s.ListSeparator = LocaleChar(LOCALE_SLIST, L',');
  s.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, s.ShortDateFormat);
  s.LongDateFormat = LocaleText(LOCALE_SLONGDATE, s.LongDateFormat);
  s.LongTimeFormat = TimePicture(LocaleText(LOCALE_STIMEFORMAT, L"HH:mm:ss"));
  String shortTime = s.LongTimeFormat;
  const auto seconds = shortTime.find(L":ss");
  if (seconds != String::npos) shortTime.erase(seconds, 3);
  s.ShortTimeFormat = shortTime;
  s.TimeAMString = LocaleText(LOCALE_S1159, L"AM");
  s.TimePMString = LocaleText(LOCALE_S2359, L"PM");
  for (int i = 0; i < 12; ++i) {
    s.ShortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, kShortMonths[i]);
    s.LongMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, kLongMonths[i]);
  }
  // The system counts days from Monday; our tables start on Sunday.
  for (int i = 0; i < 7; ++i) {
    const int system = (i + 6) % 7;
    s.ShortDayNames[i] = LocaleText(LOCALE_SABBREVDAYNAME1 + system, kShortDays[i]);
    s.LongDayNames[i] = LocaleText(LOCALE_SDAYNAME1 + system, kLongDays[i]);
  }
  return s;
}

TFormatSettings FormatSettings = LocaleFormatSettings();

// ---- string routines --------------------------------------------------------------------------

String Trim(const String& text) { return TrimWith(text, true, true); }
String TrimLeft(const String& text) { return TrimWith(text, true, false); }
String TrimRight(const String& text) { return TrimWith(text, false, true); }
AnsiString Trim(const AnsiString& text) { return TrimWith(text, true, true); }
AnsiString TrimLeft(const AnsiString& text) { return TrimWith(text, true, false); }
AnsiString TrimRight(const AnsiString& text) { return TrimWith(text, false, true); }

String UpperCase(const String& text) { return MapAscii(text, true); }
String LowerCase(const String& text) { return MapAscii(text, false); }
AnsiString UpperCase(const AnsiString& text) { return MapAscii(text, true); }
AnsiString LowerCase(const AnsiString& text) { return MapAscii(text, false); }

int CompareStr(const String& a, const String& b) { return a.compare(b); }
int CompareText(const String& a, const String& b) { return UpperCase(a).compare(UpperCase(b)); }
bool SameStr(const String& a, const String& b) { return a == b; }

String AnsiUpperCase(const String& text) { return MapLocale(text, LCMAP_UPPERCASE); }
String AnsiLowerCase(const String& text) { return MapLocale(text, LCMAP_LOWERCASE); }
int AnsiCompareStr(const String& a, const String& b) { return CompareLocale(a, b, 0); }
int AnsiCompareText(const String& a, const String& b) { return CompareLocale(a, b, NORM_IGNORECASE); }
bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }
bool AnsiSameStr(const String& a, const String& b) { return a == b; }
bool SameText(const String& a, const String& b) { return AnsiSameText(a, b); }

bool AnsiStartsText(const String& prefix, const String& text) {
  return prefix.size() <= text.size() && AnsiSameText(prefix, text.substr(0, prefix.size()));
}
bool AnsiEndsText(const String& suffix, const String& text) {
  return suffix.size() <= text.size() && AnsiSameText(suffix, text.substr(text.size() - suffix.size()));
}
bool StartsStr(const String& prefix, const String& text) { return text.starts_with(prefix); }
bool EndsStr(const String& suffix, const String& text) { return text.ends_with(suffix); }

int Pos(const String& sub, const String& text) { return PosIn(sub, text, 1); }
int Pos(const AnsiString& sub, const AnsiString& text) { return PosIn(sub, text, 1); }
int PosEx(const String& sub, const String& text, int offset) { return PosIn(sub, text, offset); }
String Copy(const String& text, int index, int count) { return CopyOf(text, index, count); }
AnsiString Copy(const AnsiString& text, int index, int count) { return CopyOf(text, index, count); }
void Delete(String& text, int index, int count) { DeleteFrom(text, index, count); }
void Delete(AnsiString& text, int index, int count) { DeleteFrom(text, index, count); }
void Insert(const String& sub, String& text, int index) { InsertInto(sub, text, index); }
void Insert(const AnsiString& sub, AnsiString& text, int index) { InsertInto(sub, text, index); }
int Length(const String& text) { return static_cast<int>(text.size()); }
int Length(const AnsiString& text) { return static_cast<int>(text.size()); }
void SetLength(String& text, int length) { text.resize(static_cast<std::size_t>(std::max(length, 0))); }

String StringOfChar(wchar_t ch, int count) { return String(static_cast<std::size_t>(std::max(count, 0)), ch); }

int CharLengthAt(const String& text, int index) {
  if (index < 1 || index >= Length(text)) return 1;
  const wchar_t lead = text[static_cast<std::size_t>(index - 1)];
  const wchar_t trail = text[static_cast<std::size_t>(index)];
  return lead >= 0xD800 && lead <= 0xDBFF && trail >= 0xDC00 && trail <= 0xDFFF ? 2 : 1;
}

int NextCharIndex(const String& text, int index) { return index + CharLengthAt(text, index); }

bool IsLeadByte(char byte, unsigned codePage) { return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte)) != FALSE; }

TMbcsByteType ByteType(const AnsiString& text, int index, unsigned codePage) {
  if (index < 1 || index > Length(text)) return mbSingleByte;
  // Walk from the start: only there is it known where characters begin.
  int i = 1;
  while (i < index) i += IsLeadByte(text[static_cast<std::size_t>(i - 1)], codePage) && i < Length(text) ? 2 : 1;
  if (i > index) return mbTrailByte;
  return IsLeadByte(text[static_cast<std::size_t>(index - 1)], codePage) && index < Length(text) ? mbLeadByte
                                                                                                   : mbSingleByte;
}

String StringReplace(const String& text, const String& oldPattern, const String& newPattern, int flags) {
  if (oldPattern.empty()) return text;
  const bool ignoreCase = (flags & rfIgnoreCase) != 0;
  const String haystack = ignoreCase ? AnsiUpperCase(text) : text;
  const String needle = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
  String out;
  std::size_t from = 0;
  while (true) {
    const auto at = haystack.find(needle, from);
    if (at == String::npos) break;
    out.append(text, from, at - from);
    out += newPattern;
    from = at + needle.size();
    if (!(flags & rfReplaceAll)) break;
  }
  out.append(text, from, String::npos);
  return out;
}

String AnsiQuotedStr(const String& text, wchar_t quote) {
  String out(1, quote);
  for (wchar_t c : text) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
  return out;
}

String QuotedStr(const String& text) { return AnsiQuotedStr(text, L'\''); }

String AnsiExtractQuotedStr(const String& text, std::size_t& pos, wchar_t quote) {
  if (pos >= text.size() || text[pos] != quote) return String();
  String out;
  ++pos;
  while (pos < text.size()) {
    const wchar_t c = text[pos++];
    if (c == quote) {
      if (pos < text.size() && text[pos] == quote) {
        out += quote;
        ++pos;
      } else {
        break;
      }
    } else {
      out += c;
    }
  }
  return out;
}

String AnsiDequotedStr(const String& text, wchar_t quote) {
  std::size_t pos = 0;
  if (text.empty() || text[0] != quote) return text;
  String out = AnsiExtractQuotedStr(text, pos, quote);
  // Text after the closing quote means it was not one quoted string.
  return pos == text.size() ? out : text;
}

bool IsDelimiter(const String& delimiters, const String& text, int index) {
  return index >= 1 && index <= Length(text) && delimiters.find(text[index - 1]) != String::npos;
}

int LastDelimiter(const String& delimiters, const String& text) {
  const auto at = text.find_last_of(delimiters);
  return at == String::npos ? 0 : static_cast<int>(at) + 1;
}

// ---- resources, errors, randomness ------------------------------------------------------------

String LoadResString(void* module, int id) {
  const wchar_t* text = nullptr;
  // With a zero buffer length LoadStringW hands out a pointer to the resource itself.
  const int length = LoadStringW(static_cast<HINSTANCE>(module), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? String(text, static_cast<std::size_t>(length)) : String();
}

String LoadStr(int id) { return LoadResString(GetModuleHandleW(nullptr), id); }

String SysErrorMessage(unsigned long errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, errorCode, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  String text = length && buffer ? String(buffer, length) : String();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
    text.pop_back();
  if (text.empty()) text = Format(L"System error %u", {errorCode});
  return text;
}

void RaiseLastOSError(unsigned long errorCode) {
  throw EOSError(Format(L"System Error.  Code: %d.\r\n%s", {errorCode, SysErrorMessage(errorCode)}), errorCode);
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void OleCheck(long result) {
  if (result >= 0) return;
  throw EOleSysError(SysErrorMessage(static_cast<unsigned long>(result)), result);
}

void Abort() { throw EAbort(L"Operation aborted"); }

Cardinal RandSeed = 0;

namespace {
Cardinal NextRandom() {
  RandSeed = RandSeed * 134775813u + 1u;
  return RandSeed;
}
}  // namespace

int Random(int range) {
  if (range <= 0) return 0;
  return static_cast<int>((static_cast<UInt64>(NextRandom()) * static_cast<UInt64>(range)) >> 32);
}

double Random() { return static_cast<double>(NextRandom()) / 4294967296.0; }

void Randomize() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  RandSeed = static_cast<Cardinal>(counter.QuadPart) ^ static_cast<Cardinal>(GetTickCount());
}
