#include "app/core/Paths.h"

#include <array>

#include "app/core/ShellNamespace.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/Registry.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

const wchar_t kShellFoldersKey[] = L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

constexpr std::array<const wchar_t*, 16> kAudioExtensions{
    L".wav", L".mp3", L".mp2", L".mpga", L".wma", L".ogg", L".cda", L".vox",
    L".raw", L".g721", L".g723", L".g726", L".aif", L".aiff", L".aifc", L".mpc"};

// The system's path of the shell folders the program asks for by value name.
String KnownFolderPath(const String& valueName) {
  int folder = -1;
  if (SameText(valueName, L"AppData")) folder = CSIDL_APPDATA;
  else if (SameText(valueName, L"My Music")) folder = CSIDL_MYMUSIC;
  if (folder < 0) return String();
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) return String();
  return path;
}

bool PathExists(const String& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

String AddTrailingBackslash(const String& path) {
  if (path.empty() || path.back() == L'\\') return path;
  return path + L'\\';
}

String ShellFolderPathUnder(const String& keyPath, const String& valueName) {
  String path;
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (registry.OpenKeyReadOnly(keyPath) && registry.ValueExists(valueName)) {
    try {
      path = registry.ReadString(valueName);
    } catch (const ERegistryException&) {
      path.clear();  // not a text value: as missing
    }
  }
  if (path.empty()) path = KnownFolderPath(valueName);
  return path.empty() ? String(L"C:\\") : path;
}

String ShellFolderPath(const String& valueName) { return ShellFolderPathUnder(kShellFoldersKey, valueName); }

String SystemFolderPath() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? String(path, length) : String();
}

String RemoveExtension(const String& path) {
  const String extension = ExtractFileExt(path);
  return path.substr(0, path.size() - extension.size());
}

String ReplaceInvalidFileNameChars(const String& text, const String& replacement) {
  static const String kInvalid = L"\\/:*?\"<>|";
  String result;
  result.reserve(text.size());
  for (wchar_t c : text) {
    if (kInvalid.find(c) != String::npos) result += replacement;
    else result += c;
  }
  return result;
}

String MakeUniqueFileName(const String& fileName, const String& folder,
                          const std::function<bool(const String& path)>& exists) {
  const String base = AddTrailingBackslash(folder);
  if (!exists(base + fileName)) return base + fileName;
  const String stem = RemoveExtension(fileName);
  const String extension = ExtractFileExt(fileName);
  for (int n = 1; n <= 32768; ++n) {
    String candidate = base + Format(L"%s(%d)%s", {stem, n, extension});
    if (!exists(candidate)) return candidate;
  }
  throw EUniqueFileNameError(Format(L"No free name for \"%s\" is left in the folder \"%s\".", {fileName, folder}));
}

String MakeUniqueFileName(const String& fileName, const String& folder) {
  return MakeUniqueFileName(fileName, folder, &PathExists);
}

std::span<const wchar_t* const> SupportedAudioExtensions() { return kAudioExtensions; }

const wchar_t* OpenAudioFileFilter() {
  return L"All Supported Formats|*.wav;*.mp3;*.mp2;*.mpga;*.wma;*.ogg;*.cda;*.vox;*.raw;*.g721;*.g723;*.g726;*.aif;"
         L"*.aiff;*.aifc;*.mpc|Wave Files (*.wav)|*.wav|MPEG Layer 3 Files (*.mp3;*.mp2;*.mpga)|*.mp3;*.mp2;*.mpga|"
         L"Windows Media Audio Files (*.wma)|*.wma|OGG Vorbis Audio Files (*.ogg)|*.ogg|CD Audio Tracks (*.cda)|"
         L"*.cda|Dialogic VOX Files (*.vox)|*.vox|RAW Audio Files (*.raw)|*.raw|G.72x Audio Files (*.g721;*.g723;"
         L"*.g726)|*.g721;*.g723;*.g726|AIFF Apple Audio Files (*.aif;*.aiff;*.aifc)|*.aif;*.aiff;*.aifc|"
         L"MPC Audio Files (*.mpc)|*.mpc";
}

bool IsSupportedAudioFile(const String& extension) {
  const String lower = AnsiLowerCase(extension);
  for (const wchar_t* known : kAudioExtensions)
    if (lower == known) return true;
  return false;
}
