#include "tests/support/TestSupport.h"

#include <atomic>
#include <vector>

namespace testing_support {

namespace {

std::atomic<unsigned> g_scratchCounter{0};

String UniqueName(const wchar_t* prefix) {
  return String(prefix) + std::to_wstring(GetCurrentProcessId()) + L"_" +
         std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(++g_scratchCounter);
}

void RemoveTree(const String& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const String name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const String path = folder + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::vector<wchar_t> temp(MAX_PATH + 1);
  const DWORD len = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
  String base(temp.data(), len);
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  path_ = base + UniqueName(L"aetest_") + L"\\";
  if (!CreateDirectoryW(path_.c_str(), nullptr)) ADD_FAILURE() << "cannot create scratch folder";
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

ScratchRegistryKey::ScratchRegistryKey() : path_(L"Software\\AudioEditorTests\\" + UniqueName(L"key_")) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    RegCloseKey(key);
  } else {
    ADD_FAILURE() << "cannot create scratch registry key";
  }
}

ScratchRegistryKey::~ScratchRegistryKey() { RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

AnsiString ReadFileBytes(const String& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  AnsiString bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void WriteFileBytes(const String& path, const AnsiString& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create test file";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
}

String ExecutableFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD len = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (len < buffer.size()) {
      String path(buffer.data(), len);
      return path.substr(0, path.find_last_of(L"\\/") + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
}

ChildProcess::ChildProcess(const String& exePath, const String& arguments, const String& workingFolder) {
  String commandLine = L"\"" + exePath + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

namespace {

struct WindowSearch {
  DWORD pid;
  const String* className;
  HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[256];
  if (pid == search->pid && IsWindowVisible(hwnd) && GetClassNameW(hwnd, name, 256) &&
      *search->className == name) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND ChildProcess::WaitForWindow(const String& className, DWORD timeoutMs) const {
  WindowSearch search{processId_, &className, nullptr};
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    EnumWindows(&MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(process_, 50) == WAIT_OBJECT_0) break;
  }
  return nullptr;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_, &exitCode);
  return true;
}

}  // namespace testing_support
