#include "app/ExportFileNames.h"

#include <array>

#include "app/core/Paths.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

bool IsReservedDeviceName(const String& Name) {
  const String upper = UpperCase(Name);
  for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"})
    if (upper == device) return true;
  if (upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT")))
    return upper[3] >= L'1' && upper[3] <= L'9';
  return false;
}

struct TExportFormat {
  const wchar_t* Extension;
  int FileType;
};

constexpr std::array<TExportFormat, 4> kFormats{{{L".wav", 1}, {L".mp3", 2}, {L".ogg", 6}, {L".wma", 11}}};

}  // namespace

String SafeRegionFileName(const String& RegionName) {
  String name = ReplaceInvalidFileNameChars(RegionName, L"_");
  for (auto it = name.rbegin(); it != name.rend() && (*it == L'.' || *it == L' '); ++it) *it = L'_';
  // The device names are reserved with any extension too, so the part before the first dot counts.
  const String base = name.substr(0, name.find(L'.'));
  if (IsReservedDeviceName(base)) name.insert(base.size(), L"_");
  return name;
}

String ExportRegionPath(const String& Folder, const String& RegionName, const String& Extension) {
  return AddTrailingBackslash(Folder) + SafeRegionFileName(RegionName) + Extension;
}

String ExportFormatExtension(int FormatIndex) {
  if (FormatIndex < 0 || FormatIndex >= static_cast<int>(kFormats.size())) return String();
  return kFormats[static_cast<std::size_t>(FormatIndex)].Extension;
}

int ExportFormatFileType(int FormatIndex) {
  if (FormatIndex < 0 || FormatIndex >= static_cast<int>(kFormats.size())) return 0;
  return kFormats[static_cast<std::size_t>(FormatIndex)].FileType;
}
