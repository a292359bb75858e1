#include "ui/skins/core/SkinCommon.h"

#include <cmath>
#include <shellapi.h>

#include "platform/framework/classes/Reflection.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "ui/skins/core/SkinIniText.h"

const TsCacheRef EmptyCacheRef{};
TacAnimatEvents AnimatedEvents{aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp};
int DefaultScrollWidth = 0;
int MessageBoxX = -1;
int MessageBoxY = -1;

TsCacheRef MakeCacheRef(TBitmap* bmp, int x, int y) { return {bmp, x, y, true}; }

UINT MessageBoxFlags(int kind, TacMsgButtons buttons) {
  static const UINT icons[] = {MB_ICONEXCLAMATION, MB_ICONSTOP, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  UINT flags = kind >= 0 && kind <= 4 ? icons[kind] : 0;
  if (buttons.Contains(mbOK))
    flags |= buttons.Contains(mbCancel) ? MB_OKCANCEL : MB_OK;
  else if (buttons.Contains(mbAbort) || buttons.Contains(mbIgnore))
    flags |= MB_ABORTRETRYIGNORE;
  else if (buttons.Contains(mbYes) || buttons.Contains(mbNo))
    flags |= buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if (buttons.Contains(mbRetry))
    flags |= MB_RETRYCANCEL;
  if (buttons.Contains(mbHelp)) flags |= MB_HELP;
  return flags;
}

String KindCaption(int kind) {
  static const wchar_t* captions[] = {L"Warning", L"Error", L"Information", L"Confirm", L""};
  return kind >= 0 && kind <= 4 ? captions[kind] : L"";
}

int MessageBoxAt(const String* caption, const String& text, int kind, int x, int y, int, TacMsgButtons buttons) {
  MessageBoxX = x;
  MessageBoxY = y;
  int result = Application->MessageBox(text, caption ? *caption : KindCaption(kind), MessageBoxFlags(kind, buttons));
  MessageBoxX = -1;
  MessageBoxY = -1;
  return result;
}

int KindMessageBox(const String& text, int kind, TacMsgButtons buttons, int helpContext) {
  return MessageBoxAt(nullptr, text, kind, -1, -1, helpContext, buttons);
}

void WarningBox(const String& text) { KindMessageBox(text, 0, {mbOK}); }
void ErrorBox(const String& text) { KindMessageBox(text, 1, {mbOK}); }

void SplitIniSections(const TStrings& lines, TStringList& sections) {
  FreeIniSections(sections);
  TStringList* current = nullptr;
  for (int i = 0; i < lines.Count(); ++i) {
    const String line = lines.Strings(i);
    if (line.empty() || line[0] == L';') continue;
    if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
      current = new TStringList();
      sections.AddObject(line.substr(1, line.size() - 2), current);
    } else if (current) {
      current->Add(line);
    }
  }
}

void FreeIniSections(TStringList& sections) {
  for (int i = 0; i < sections.Count(); ++i)
    if (TObject* lines = sections.Objects(i)) lines->Free();
  sections.Clear();
}

String IniSectionString(const TStringList& sections, const String& section, const String& key,
                        const String& defaultValue) {
  for (int i = 0; i < sections.Count(); ++i) {
    if (!SameTextAscii(sections.Strings(i), section)) continue;
    auto* lines = static_cast<TStringList*>(sections.Objects(i));
    for (int j = 0; lines && j < lines->Count(); ++j) {
      const String line = lines->Strings(j);
      size_t equals = line.find(L'=');
      if (equals != String::npos && SameTextAscii(line.substr(0, equals), key)) return line.substr(equals + 1);
    }
    return defaultValue;
  }
  return defaultValue;
}

int IniSectionInteger(const TStringList& sections, const String& section, const String& key, int defaultValue) {
  String text = IniSectionString(sections, section, key, L"");
  std::int32_t value = 0;
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
    String digits = text.substr(2);
    if (digits.find_first_not_of(L"0123456789abcdefABCDEF") == String::npos && digits.size() <= 8)
      return static_cast<int>(std::stoul(digits, nullptr, 16));
    return defaultValue;
  }
  if (text.find_first_of(L"$xX") != String::npos) return defaultValue;
  return TryParseSkinInteger(text, value) ? value : defaultValue;
}

bool HasProp(TObject* object, const String& name) { return object && IsPublishedProp(object, name); }

TObject* ObjectPropOf(TObject* object, const String& name) {
  return HasProp(object, name) ? GetObjectProp(object, name) : nullptr;
}

Int64 OrdPropOf(TObject* object, const String& name) { return HasProp(object, name) ? GetOrdProp(object, name) : -1; }

void SetOrdPropOf(TObject* object, const String& name, Int64 value) {
  if (HasProp(object, name)) SetOrdProp(object, name, value);
}

bool SetPropHasElement(TObject* object, const String& prop, const String& element) {
  if (!HasProp(object, prop)) return false;
  String text = GetSetProp(object, prop);
  const String delims = L",";
  for (int i = 1, n = CountWords(text, delims); i <= n && i <= 32; ++i)
    if (TrimBlanks(NthWord(i, text, delims)) == element) return true;
  return false;
}

void ChangeSetProp(TObject* object, const String& prop, const String& element, bool include) {
  if (!HasProp(object, prop)) return;
  String text = GetSetProp(object, prop);
  if (include) {
    if (SetPropHasElement(object, prop, element)) return;
    text = text.empty() ? element : text + L"," + element;
  } else if (size_t at = text.find(L"," + element); at != String::npos) {
    text.erase(at, element.size() + 1);
  } else if (size_t after = text.find(element + L","); after != String::npos) {
    text.erase(after, element.size() + 1);
  } else if (size_t alone = text.find(element); alone != String::npos) {
    text.erase(alone, element.size());
  }
  SetSetProp(object, prop, text);
}

String NormalDir(const String& path) {
  if (path.empty() || path.back() == L'\\') return path;
  if (path.back() == L'/') return path.substr(0, path.size() - 1) + L"\\";
  if (path.size() == 1) return path + L":\\";
  return path + L"\\";
}

String AppDir() {
  wchar_t buffer[MAX_PATH * 4];
  DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
  return ExtractFilePath(String(buffer, length));
}

bool DirExists(const String& path) { return DirectoryExists(path); }

HICON FileIconOf(const String& fileName, UINT flags) {
  if (!FileExists(fileName)) return nullptr;
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(fileName.c_str(), 0, &info, sizeof info, flags | SHGFI_ICON)) return nullptr;
  return info.hIcon;
}

int CaptionFontHeight() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!Bound().SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
  return metrics.lfCaptionFont.lfHeight;
}

TRect WorkArea() { return GetWorkArea(); }

bool IsXpOrLater() {
  TOSVersion version = OSVersion();
  return version.Major > 5 || (version.Major == 5 && version.Minor >= 1);
}

int ClampToByte(int value) { return value < 0 ? 0 : value >= 255 ? 255 : value; }
int BlendPercent(int a, int b) { return static_cast<int>(std::nearbyint(b + a * (100 - b) / 100.0)); }
int ClampInt(int value, int low, int high) { return value < low ? low : value > high ? high : value; }
bool IsBetween(int value, int low, int high) { return low <= value && value <= high; }

TMessage MakeMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result) {
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  message.Result = result;
  return message;
}
