#include "tests/ui/skins/SkinTestSupport.h"

#include "platform/framework/classes/Stream.h"

namespace skin_testing {

std::string Narrow(const String& text) { return std::string(text.begin(), text.end()); }

void WriteBytes(const String& path, const std::vector<Byte>& bytes) {
  TFileStream file(path, fmCreate);
  if (!bytes.empty()) file.WriteBuffer(bytes.data(), Int64(bytes.size()));
}

TSeenBoxes::TSeenBoxes() {
  previous_ = SetMessageBoxAnswerer([this](HWND, const String& text, const String& caption, UINT flags) {
    Boxes.push_back({text, caption, flags});
    return IDOK;
  });
}

TSeenBoxes::~TSeenBoxes() { SetMessageBoxAnswerer(previous_); }

TSkinBitmap SmallMaster() {
  TSkinBitmap master(40, 20);
  master.FillRect(0, 0, 10, 20, SkinRgb(255, 0, 0));
  master.FillRect(10, 0, 20, 20, kSkinKeyColor);
  master.FillRect(20, 0, 30, 20, SkinRgb(90, 90, 90));
  master.FillRect(30, 0, 40, 20, SkinRgb(0, 0, 255));
  return master;
}

TSkinPackage SmallSkin(const std::string& extraIni) {
  TSkinPackage package;
  package.Ini.Section("GLOBALINFO").Key("VERSION", "5.43").Key("MASTERBITMAP", "MASTER.BMP").Key("COLOR", 255);
  package.Images.push_back({"Master.bmp", EncodeBmp24(SmallMaster())});
  std::vector<Byte> ini = package.Ini.Bytes();
  ini.insert(ini.end(), extraIni.begin(), extraIni.end());
  // The extra text goes through the builder's INI entry by rebuilding the package's INI bytes.
  TSkinPackage result;
  result.Images = package.Images;
  std::string text(ini.begin(), ini.end());
  result.Ini = TSkinIniBuilder();
  size_t from = 0;
  while (from < text.size()) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(from, end - from);
    from = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line.front() == '[')
      result.Ini.Section(line.substr(1, line.size() - 2));
    else if (size_t eq = line.find('='); eq != std::string::npos)
      result.Ini.Key(line.substr(0, eq), line.substr(eq + 1));
  }
  return result;
}

std::vector<Byte> InternalSkinBytes() {
  TResourceStream data(GetModuleHandleW(nullptr), L"INTERNALSKIN", RT_RCDATA);
  auto* bytes = static_cast<const Byte*>(data.Memory());
  return std::vector<Byte>(bytes, bytes + data.Size());
}

ManagerPtr NewManager(const String& skinDirectory) {
  ManagerPtr manager(new TsSkinManager(nullptr));
  manager->SetSkinDirectory(skinDirectory);
  return manager;
}

ManagerPtr NewInternalManager(const String& skinDirectory) {
  ManagerPtr manager = NewManager(skinDirectory);
  TsStoredSkin* stored = manager->InternalSkins()->Add();
  stored->SetName(L"Harbour Blue (internal)");
  std::vector<Byte> bytes = InternalSkinBytes();
  stored->LoadData(bytes.data(), Int64(bytes.size()));
  return manager;
}

}  // namespace skin_testing
