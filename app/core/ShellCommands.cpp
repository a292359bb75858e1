#include "app/core/ShellCommands.h"

#include <memory>

#include "app/core/ShellNamespace.h"
#include "app/core/WaitCursor.h"
#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/base/Exceptions.h"

namespace {

// The installed answerer, if any (the framework hands it back when replaced).
TDialogAnswerer CurrentDialogAnswerer() {
  TDialogAnswerer answerer = SetDialogAnswerer({});
  SetDialogAnswerer(answerer);
  return answerer;
}

struct CoTaskDeleter {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
using TShellBuffer = std::unique_ptr<wchar_t, CoTaskDeleter>;
using TItemList = std::unique_ptr<ITEMIDLIST, CoTaskDeleter>;

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM param, LPARAM data) {
  return Guarded(0, [&] {
    if (message == BFFM_INITIALIZED) {
      const auto* folder = reinterpret_cast<const String*>(data);
      SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder->c_str()));
    } else if (message == BFFM_SELCHANGED) {
      wchar_t path[MAX_PATH] = {};
      const bool hasPath = SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), path) != FALSE;
      SendMessageW(window, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
      SendMessageW(window, BFFM_ENABLEOK, 0, hasPath ? TRUE : FALSE);
    }
    return 0;
  });
}

TItemList ParseRoot(const String& root) {
  if (root.empty()) return nullptr;
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop))) return nullptr;
  PIDLIST_RELATIVE list = nullptr;
  String name = root;
  desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &list, nullptr);
  desktop->Release();
  return TItemList(list);
}

}  // namespace

namespace {

TShellExecute& ShellExecuteFunction() {
  static TShellExecute function;
  return function;
}

}  // namespace

TShellExecute SetShellExecute(TShellExecute function) {
  TShellExecute previous = std::move(ShellExecuteFunction());
  ShellExecuteFunction() = std::move(function);
  return previous;
}

void ShellExecuteNormal(HWND owner, const String& verb, const String& file, const String& parameters) {
  if (ShellExecuteFunction()) {
    ShellExecuteFunction()(owner, verb, file, parameters);
    return;
  }
  ShellExecuteW(owner, verb.c_str(), file.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                SW_SHOWNORMAL);
}

void OpenDocumentOrUrl(const String& target) {
  TWaitCursor wait;
  ShellExecuteNormal(nullptr, L"Open", target, L"");
}

bool BrowseForFolder(HWND owner, String& folder, const String& title, UINT flags, const String& root) {
  if (TDialogAnswerer answerer = CurrentDialogAnswerer()) {
    TDialogRequest request;
    request.Kind = TDialogKind::Folder;
    request.Title = title;
    request.InitialDir = folder;
    request.Flags = flags;
    const TDialogAnswer answer = answerer(request);
    if (answer.Ok) folder = answer.Folder;
    return answer.Ok;
  }
  TShellBuffer display(static_cast<wchar_t*>(CoTaskMemAlloc(MAX_PATH * sizeof(wchar_t))));
  if (!display) return false;
  TItemList rootList = ParseRoot(root);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = rootList.get();
  info.pszDisplayName = display.get();
  info.lpszTitle = title.c_str();
  info.ulFlags = flags;
  info.lpfn = &BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&folder);
  TItemList chosen(SHBrowseForFolderW(&info));
  if (!chosen) return false;
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(chosen.get(), path)) return false;
  folder = path;
  return true;
}
