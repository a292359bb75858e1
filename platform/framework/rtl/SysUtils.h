#pragma once
// General run-time routines: Format, integer and float conversions, format settings, string
// routines with 1-based positions, resource strings, the pseudo-random generator, rounding.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(RTL);

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "platform/framework/base/Types.h"

// ---------------------------------------------------------------------------------------------
// Format

// One argument of Format: built implicitly from integers, characters, Booleans, floating point,
// strings (String, const wchar_t*, AnsiString, const char*) and pointers.
class TVarRec {
 public:
  enum TKind { vtInteger, vtUnsigned, vtBoolean, vtChar, vtExtended, vtString, vtPointer };

  template <std::integral T>
  TVarRec(T value) {  // NOLINT(google-explicit-constructor)
    if constexpr (std::same_as<T, bool>) {
      kind_ = vtBoolean;
      int_ = value ? 1 : 0;
    } else if constexpr (std::same_as<T, wchar_t> || std::same_as<T, char> || std::same_as<T, char16_t>) {
      kind_ = vtChar;
      text_.assign(1, static_cast<wchar_t>(static_cast<std::make_unsigned_t<T>>(value)));
    } else if constexpr (std::is_signed_v<T>) {
      kind_ = vtInteger;
      int_ = value;
    } else {
      kind_ = vtUnsigned;
      uint_ = value;
    }
  }
  // Enumerations format as their numeric value.
  template <class E>
    requires std::is_enum_v<E>
  TVarRec(E value) : TVarRec(static_cast<std::underlying_type_t<E>>(value)) {}  // NOLINT
  template <std::floating_point T>
  TVarRec(T value) : kind_(vtExtended), float_(value) {}  // NOLINT(google-explicit-constructor)
  TVarRec(const String& value) : kind_(vtString), text_(value) {}  // NOLINT(google-explicit-constructor)
  TVarRec(const wchar_t* value) : kind_(vtString), text_(value ? value : L"") {}  // NOLINT
  // Bytes in the ANSI code page.
  TVarRec(const AnsiString& value);  // NOLINT(google-explicit-constructor)
  TVarRec(const char* value);        // NOLINT(google-explicit-constructor)
  TVarRec(const void* value) : kind_(vtPointer), uint_(reinterpret_cast<std::uintptr_t>(value)) {}  // NOLINT
  TVarRec(std::nullptr_t) : kind_(vtPointer) {}  // NOLINT(google-explicit-constructor)

  TKind Kind() const { return kind_; }
  Int64 AsInt64() const { return int_; }
  UInt64 AsUInt64() const { return uint_; }
  Extended AsExtended() const { return float_; }
  const String& AsString() const { return text_; }

 private:
  TKind kind_ = vtInteger;
  Int64 int_ = 0;
  UInt64 uint_ = 0;
  Extended float_ = 0;
  String text_;
};

// Formats "%[index:][-][width][.precision]type" specifiers with type s, d, u, x, X, f, e, g, n, p,
// c, and "%%". Width and precision may be "*" (taken from the arguments). For d, u, x and X the
// precision is the minimum number of digits, zero-filled after the sign. A missing or mismatched
// argument raises EConvertError.
String Format(const String& format, std::initializer_list<TVarRec> args);
String Format(const String& format, const TVarRec* args, std::size_t count);

// ---------------------------------------------------------------------------------------------
// Format settings: read from the user locale at start-up and replaceable at run time.

struct TFormatSettings {
  wchar_t DecimalSeparator = L'.';
  wchar_t ThousandSeparator = L',';
  wchar_t DateSeparator = L'/';
  wchar_t TimeSeparator = L':';
  wchar_t ListSeparator = L',';
  String ShortDateFormat = L"M/d/yyyy";
  String LongDateFormat = L"dddd, MMMM d, yyyy";
  String ShortTimeFormat = L"h:mm AMPM";
  String LongTimeFormat = L"h:mm:ss AMPM";
  String TimeAMString = L"AM";
  String TimePMString = L"PM";
  String ShortMonthNames[12];
  String LongMonthNames[12];
  String ShortDayNames[7];  // Sunday first
  String LongDayNames[7];
};

// The settings every routine without an explicit settings argument uses.
extern TFormatSettings FormatSettings;
// Fixed settings in the invariant (English) form: '.', ',', '/', ':', "MM/dd/yyyy", "hh:nn:ss".
TFormatSettings InvariantFormatSettings();
// The current user's locale settings.
TFormatSettings LocaleFormatSettings();

// Short names for the most used settings.
inline wchar_t& DecimalSeparator = FormatSettings.DecimalSeparator;
inline wchar_t& ThousandSeparator = FormatSettings.ThousandSeparator;
inline wchar_t& DateSeparator = FormatSettings.DateSeparator;
inline wchar_t& TimeSeparator = FormatSettings.TimeSeparator;
inline String& ShortDateFormat = FormatSettings.ShortDateFormat;
inline String& LongTimeFormat = FormatSettings.LongTimeFormat;

// ---------------------------------------------------------------------------------------------
// Integer and float conversions

String IntToStr(Int64 value);
// Upper-case hexadecimal with at least digits digits; negative values print their two's
// complement in 64 bits.
String IntToHex(Int64 value, int digits);
String UIntToStr(UInt64 value);
// Bytes as hexadecimal text, two upper-case digits a byte.
String BinToHex(const void* bytes, size_t count);
// Hexadecimal text (either case) back to bytes: false, with bytes untouched, for text of odd
// length or with a character that is no hexadecimal digit.
bool HexToBin(const String& text, std::vector<Byte>& bytes);

// Accept surrounding blanks, a sign, and "$", "0x" or "0X" for hexadecimal. StrToInt and
// StrToInt64 raise EConvertError "'<text>' is not a valid integer value" for anything else or a
// value out of range.
int StrToInt(const String& text);
Int64 StrToInt64(const String& text);
int StrToIntDef(const String& text, int defaultValue);
Int64 StrToInt64Def(const String& text, Int64 defaultValue);
bool TryStrToInt(const String& text, int& value);
bool TryStrToInt64(const String& text, Int64& value);

// Decimal text with the settings' decimal separator and an optional exponent; blanks around it
// are allowed. StrToFloat raises EConvertError "'<text>' is not a valid floating point value".
Extended StrToFloat(const String& text);
Extended StrToFloat(const String& text, const TFormatSettings& settings);
Extended StrToFloatDef(const String& text, Extended defaultValue);
bool TryStrToFloat(const String& text, Extended& value);
bool TryStrToFloat(const String& text, double& value);
bool TryStrToFloat(const String& text, Extended& value, const TFormatSettings& settings);

// The shortest form with at most 15 significant digits; exponent form beyond that range.
String FloatToStr(Extended value);
String FloatToStr(Extended value, const TFormatSettings& settings);
// Picture formats: "0" digit, "#" optional digit, "." decimal point, "," thousands, "E+"/"E-"
// exponent, quoted literals, ";" separating positive, negative and zero sections.
String FormatFloat(const String& format, Extended value);
String FormatFloat(const String& format, Extended value, const TFormatSettings& settings);

// Rounds to the nearest integer, halves to the even neighbour.
Int64 Round(Extended value);
Int64 Trunc(Extended value);
Extended Frac(Extended value);

// Win32's MulDiv: number * numerator / denominator with a 64-bit intermediate, rounded; -1 when the
// denominator is zero or the result overflows. Declared as Windows declares it.
#ifdef _WIN32
extern "C" __declspec(dllimport) int __stdcall MulDiv(int number, int numerator, int denominator);
#endif

String BoolToStr(bool value, bool useBoolStrs = false);

// ---------------------------------------------------------------------------------------------
// String routines. Positions are 1-based; 0 means "not found".

// Trim* remove characters at or below the blank.
String Trim(const String& text);
String TrimLeft(const String& text);
String TrimRight(const String& text);
AnsiString Trim(const AnsiString& text);
AnsiString TrimLeft(const AnsiString& text);
AnsiString TrimRight(const AnsiString& text);

// ASCII letters only.
String UpperCase(const String& text);
String LowerCase(const String& text);
AnsiString UpperCase(const AnsiString& text);
AnsiString LowerCase(const AnsiString& text);
int CompareStr(const String& a, const String& b);
int CompareText(const String& a, const String& b);
bool SameStr(const String& a, const String& b);

// Letters of every script, by the user locale.
String AnsiUpperCase(const String& text);
String AnsiLowerCase(const String& text);
int AnsiCompareStr(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);
bool AnsiSameStr(const String& a, const String& b);
bool SameText(const String& a, const String& b);
bool AnsiStartsText(const String& prefix, const String& text);
bool AnsiEndsText(const String& suffix, const String& text);
bool StartsStr(const String& prefix, const String& text);
bool EndsStr(const String& suffix, const String& text);

int Pos(const String& sub, const String& text);
int Pos(const AnsiString& sub, const AnsiString& text);
// Pos starting the search at offset (1-based).
int PosEx(const String& sub, const String& text, int offset = 1);
// count characters from index; out-of-range parts are clipped.
String Copy(const String& text, int index, int count);
AnsiString Copy(const AnsiString& text, int index, int count);
void Delete(String& text, int index, int count);
void Delete(AnsiString& text, int index, int count);
void Insert(const String& sub, String& text, int index);
void Insert(const AnsiString& sub, AnsiString& text, int index);
int Length(const String& text);
int Length(const AnsiString& text);
void SetLength(String& text, int length);

String StringOfChar(wchar_t ch, int count);

// Characters by code point: a surrogate pair counts as one character of two code units.
// The index of the character after the one at index (1-based).
int NextCharIndex(const String& text, int index);
// 2 at the start of a surrogate pair, else 1.
int CharLengthAt(const String& text, int index);

// Bytes of a code page (0: the ANSI code page): the position of a byte within its character.
enum TMbcsByteType { mbSingleByte, mbLeadByte, mbTrailByte };
TMbcsByteType ByteType(const AnsiString& text, int index, unsigned codePage = 0);
// True for a lead byte of a two-byte character.
bool IsLeadByte(char byte, unsigned codePage = 0);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
String StringReplace(const String& text, const String& oldPattern, const String& newPattern, int flags);

// quote + text with every quote doubled + quote.
String QuotedStr(const String& text);
String AnsiQuotedStr(const String& text, wchar_t quote);
// Reads a quoted string starting at text[pos] (0-based), undoubling quotes; pos moves past it.
// Unquoted text is returned unchanged up to the end.
String AnsiExtractQuotedStr(const String& text, std::size_t& pos, wchar_t quote);
String AnsiDequotedStr(const String& text, wchar_t quote);

bool IsDelimiter(const String& delimiters, const String& text, int index);
int LastDelimiter(const String& delimiters, const String& text);

// ---------------------------------------------------------------------------------------------
// Resources, errors, randomness

// A string from the executable's string table; empty when there is none.
String LoadStr(int id);
// Same from another module (an HINSTANCE).
String LoadResString(void* module, int id);

// The system's text for an error code, without the trailing line break.
String SysErrorMessage(unsigned long errorCode);
// Raises EOSError for GetLastError().
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(unsigned long errorCode);
// Raises EOleSysError with the system's text for a failed result (bit 31 set); success passes.
void OleCheck(long result);
// Raises the silent EAbort.
[[noreturn]] void Abort();

// The state of Random; set it to repeat a sequence.
extern Cardinal RandSeed;
// A value in [0, range); 0 when range <= 0.
int Random(int range);
// A value in [0, 1).
double Random();
// Seeds from the clock.
void Randomize();
