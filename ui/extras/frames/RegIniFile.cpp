#include "ui/extras/frames/RegIniFile.h"

DEFINE_CLASS(TRzRegIniFile)

DEFINE_ENUM_INFO(TRzPathType, L"ptIniFile", L"ptRegistry")
DEFINE_ENUM_INFO(TRzRegKey, L"hkeyClassesRoot", L"hkeyCurrentUser", L"hkeyLocalMachine", L"hkeyUsers",
                 L"hkeyPerformanceData", L"hkeyCurrentConfig", L"hkeyDynData")
DEFINE_ENUM_INFO(TRzRegAccessKey, L"keyQueryValue", L"keySetValue", L"keyCreateSubKey", L"keyEnumerateSubKeys",
                 L"keyNotify", L"keyCreateLink", L"keyRead", L"keyWrite", L"keyExecute", L"keyAllAccess")
DEFINE_ENUM_INFO(TRzSpecialFolder, L"sfNone", L"sfUserAppDataRoaming", L"sfUserAppDataLocal", L"sfUserDocuments",
                 L"sfProgramData")

namespace {

void RegisterRegIniFileProperties() {
  RegisterProperties(&TRzRegIniFile::ClassInfo(),
                     {
                         StringProperty(L"Path", &TRzRegIniFile::Path, &TRzRegIniFile::SetPath),
                         OrdinalProperty(L"PathType", &TRzRegIniFile::PathType, &TRzRegIniFile::SetPathType),
                         OrdinalProperty(L"RegKey", &TRzRegIniFile::RegKey, &TRzRegIniFile::SetRegKey),
                         SetProperty(L"RegAccess", &TRzRegIniFile::RegAccess, &TRzRegIniFile::SetRegAccess),
                         OrdinalProperty(L"SpecialFolder", &TRzRegIniFile::SpecialFolder,
                                         &TRzRegIniFile::SetSpecialFolder),
                     });
}

}  // namespace

TRzRegIniFile::TRzRegIniFile(TComponent* AOwner) : TComponent(AOwner) {
  static const bool registered = (RegisterRegIniFileProperties(), true);
  (void)registered;
}

template <class T>
void TRzRegIniFile::Change(T& field, const T& value) {
  if (field == value) return;
  field = value;
  locationChanged_ = true;
}

void TRzRegIniFile::SetPath(const String& Value) { Change(path_, Value); }
void TRzRegIniFile::SetPathType(TRzPathType Value) { Change(pathType_, Value); }
void TRzRegIniFile::SetRegKey(TRzRegKey Value) { Change(regKey_, Value); }
void TRzRegIniFile::SetRegAccess(TRzRegAccess Value) { Change(regAccess_, Value); }
void TRzRegIniFile::SetSpecialFolder(TRzSpecialFolder Value) { Change(specialFolder_, Value); }
