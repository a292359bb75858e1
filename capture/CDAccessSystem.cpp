// The system's side of CD-drive access: the ASPI library, drives, devices and the registry.

#include <vector>

#include "capture/CDAccess.h"
#include "platform/framework/rtl/Seams.h"

namespace {

class TSystemCDPlatform : public TCDPlatform {
 public:
  bool LoadAspi() override {
    if (!library_) library_ = LoadLibraryW(L"wnaspi32.dll");
    if (!library_) return false;
    send_ = reinterpret_cast<SendFn>(reinterpret_cast<void*>(GetProcAddress(library_, "SendASPI32Command")));
    info_ = reinterpret_cast<InfoFn>(reinterpret_cast<void*>(GetProcAddress(library_, "GetASPI32SupportInfo")));
    return true;
  }

  void FreeAspi() override {
    if (library_) FreeLibrary(library_);
    library_ = nullptr;
    send_ = nullptr;
    info_ = nullptr;
  }

  DWORD GetAspiSupportInfo() override { return info_ ? info_() : 0; }
  DWORD SendAspiCommand(void* srb) override { return send_ ? send_(srb) : 0; }
  DWORD WaitForAspi(HANDLE event, DWORD milliseconds) override { return WaitForSingleObject(event, milliseconds); }

  TCDSystemVersion Version() override {
    // A Unicode program runs on the NT family only.
    const TOSVersion version = OSVersion();
    return {VER_PLATFORM_WIN32_NT, version.Major, version.Minor};
  }

  std::vector<String> LogicalDriveRoots() override {
    std::vector<wchar_t> buffer(GetLogicalDriveStringsW(0, nullptr) + 1);
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
    std::vector<String> roots;
    if (length == 0 || length >= buffer.size()) return roots;
    for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1) roots.emplace_back(p);
    return roots;
  }

  UINT DriveType(const String& root) override { return GetDriveTypeW(root.c_str()); }

  bool VolumeLabel(const String& root, String& label) override {
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) return false;
    label = name;
    return true;
  }

  std::vector<String> FindFiles(const String& pattern) override {
    std::vector<String> names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      names.emplace_back(data.cFileName);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return names;
  }

  HANDLE OpenDevice(const String& path, DWORD access, DWORD share) override {
    return CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
  }

  DWORD DeviceIoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize) override {
    DWORD returned = 0;
    return ::DeviceIoControl(device, code, in, inSize, out, outSize, &returned, nullptr) ? 0 : GetLastError();
  }

  void CloseDevice(HANDLE device) override { CloseHandle(device); }

  std::vector<String> RegistryKeys(const String& path) override {
    std::vector<String> names;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    DWORD count = 0, longest = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) == ERROR_SUCCESS) {
      std::vector<wchar_t> name(longest + 1);
      for (DWORD i = 0; i < count; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
          names.emplace_back(name.data(), length);
      }
    }
    RegCloseKey(key);
    return names;
  }

  bool RegistryBytes(const String& path, const String& name, std::vector<Byte>& data) override {
    DWORD type = 0;
    return ReadValue(path, name, type, data);
  }

  bool RegistryText(const String& path, const String& name, String& text) override {
    DWORD type = 0;
    std::vector<Byte> data;
    if (!ReadValue(path, name, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    text.assign(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == 0) text.pop_back();
    return true;
  }

 private:
  using SendFn = DWORD(__cdecl*)(void*);
  using InfoFn = DWORD(__cdecl*)();

  static bool ReadValue(const String& path, const String& name, DWORD& type, std::vector<Byte>& data) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
      data.resize(size);
      status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
      data.resize(size);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }

  HMODULE library_ = nullptr;
  SendFn send_ = nullptr;
  InfoFn info_ = nullptr;
};

TCDPlatform* installed = nullptr;

}  // namespace

TCDPlatform& CDPlatform() {
  static TSystemCDPlatform system;
  return installed ? *installed : system;
}

TCDPlatform* SetCDPlatform(TCDPlatform* platform) {
  TCDPlatform* previous = installed;
  installed = platform;
  return previous;
}
