#include "app/core/Help.h"

#include "app/core/Paths.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

constexpr UINT kHelpInitialize = 28;

struct THtmlHelpState {
  THtmlHelpLoader Loader;
  HMODULE Module = nullptr;
  THtmlHelpEntry Entry = nullptr;
  DWORD_PTR Cookie = 0;
};

THtmlHelpState& State() {
  static THtmlHelpState state;
  return state;
}

HMODULE LoadHelpLibrary(const String& path) {
  const THtmlHelpLoader& loader = State().Loader;
  return loader.Load ? loader.Load(path) : LoadLibraryW(path.c_str());
}

THtmlHelpEntry FindEntry(HMODULE module) {
  const THtmlHelpLoader& loader = State().Loader;
  if (loader.Entry) return loader.Entry(module, "HtmlHelpW");
  return reinterpret_cast<THtmlHelpEntry>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")));
}

void FreeHelpLibrary(HMODULE module) {
  const THtmlHelpLoader& loader = State().Loader;
  if (loader.Free) loader.Free(module);
  else FreeLibrary(module);
}

void EnsureHtmlHelp() {
  THtmlHelpState& state = State();
  if (state.Entry) return;
  HMODULE module = LoadHelpLibrary(SystemFolderPath() + L"\\HHCTRL.OCX");
  if (!module) throw Exception(L"HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
  THtmlHelpEntry entry = FindEntry(module);
  if (!entry) {
    // Nothing half-loaded stays behind: the next request starts again.
    FreeHelpLibrary(module);
    throw Exception(L"Function HTMLHELP cannot loaded!");
  }
  state.Module = module;
  state.Entry = entry;
  entry(nullptr, nullptr, kHelpInitialize, reinterpret_cast<DWORD_PTR>(&state.Cookie));
}

}  // namespace

String HelpFilePath() { return ChangeFileExt(ParamStr(0), L".chm"); }

String HelpTopicPath(const String& helpFile, const String& topic) {
  return Format(L"%s::/%s.htm", {helpFile, AnsiLowerCase(topic)});
}

String HelpTopicPath(const String& topic) { return HelpTopicPath(HelpFilePath(), topic); }

NativeInt ShowHtmlHelp(HWND owner, const String& path, UINT command, DWORD_PTR data) {
  EnsureHtmlHelp();
  return reinterpret_cast<NativeInt>(State().Entry(owner, path.c_str(), command, data));
}

void ShowHelpTopic(HWND owner, const String& topic) { ShowHtmlHelp(owner, HelpTopicPath(topic), 0, 0); }

THtmlHelpLoader SetHtmlHelpLoader(THtmlHelpLoader loader) {
  THtmlHelpState& state = State();
  THtmlHelpLoader previous = std::move(state.Loader);
  state.Loader = std::move(loader);
  state.Module = nullptr;
  state.Entry = nullptr;
  state.Cookie = 0;
  return previous;
}
