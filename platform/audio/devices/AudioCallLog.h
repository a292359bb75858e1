#pragma once
// A log of the audio classes' public calls, one line per call, e.g.
//   TAudioEditor2.SaveRangeAs(C:\out.wav, 0, 1)
// Tests of the application enable it to check the order and arguments of what the real engine was
// asked; it costs one flag test per call while disabled. Arguments print as integers, shortest
// round-trip decimals for floating values, text as it stands and "true"/"false".

#include <cstdint>
#include <mutex>
#include <type_traits>
#include <vector>

#include "platform/framework/base/Types.h"

class AudioCallLog {
 public:
  static void Enable(bool on);
  static bool Enabled();
  static void Clear();
  static std::vector<String> Lines();

  template <typename... Args>
  static void Add(const wchar_t* className, const wchar_t* method, const Args&... args) {
    if (!Enabled()) return;
    String line = String(className) + L"." + method + L"(";
    bool first = true;
    ((line += (first ? L"" : L", "), line += Format(args), first = false), ...);
    line += L")";
    Append(std::move(line));
  }

  static String Format(const String& value) { return value; }
  static String Format(const wchar_t* value) { return value ? String(value) : String(); }
  static String Format(bool value) { return value ? L"true" : L"false"; }
  static String Format(double value);
  template <typename T, typename = std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>>>
  static String Format(T value) {
    if constexpr (std::is_enum_v<T>) return FormatInteger(static_cast<std::int64_t>(value));
    else return FormatInteger(static_cast<std::int64_t>(value));
  }
  static String Format(float value) { return Format(static_cast<double>(value)); }

 private:
  static String FormatInteger(std::int64_t value);
  static void Append(String line);
};
