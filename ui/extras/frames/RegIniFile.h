#pragma once
// TRzRegIniFile names where settings live: an INI file or a registry key, optionally below a
// special folder. It holds the location only; LocationChanged tells its users to reopen it.

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Reflection.h"

enum TRzPathType { ptIniFile, ptRegistry };
enum TRzRegKey {
  hkeyClassesRoot,
  hkeyCurrentUser,
  hkeyLocalMachine,
  hkeyUsers,
  hkeyPerformanceData,
  hkeyCurrentConfig,
  hkeyDynData
};
enum TRzRegAccessKey {
  keyQueryValue,
  keySetValue,
  keyCreateSubKey,
  keyEnumerateSubKeys,
  keyNotify,
  keyCreateLink,
  keyRead,
  keyWrite,
  keyExecute,
  keyAllAccess
};
using TRzRegAccess = TSet<TRzRegAccessKey>;
enum TRzSpecialFolder { sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments, sfProgramData };

DECLARE_ENUM_INFO(TRzPathType);
DECLARE_ENUM_INFO(TRzRegKey);
DECLARE_ENUM_INFO(TRzRegAccessKey);
DECLARE_ENUM_INFO(TRzSpecialFolder);

class TRzRegIniFile : public TComponent {
  DECLARE_CLASS(TRzRegIniFile, TComponent)
 public:
  explicit TRzRegIniFile(TComponent* AOwner);

  const String& Path() const { return path_; }
  virtual void SetPath(const String& Value);
  TRzPathType PathType() const { return pathType_; }
  virtual void SetPathType(TRzPathType Value);
  TRzRegKey RegKey() const { return regKey_; }
  virtual void SetRegKey(TRzRegKey Value);
  TRzRegAccess RegAccess() const { return regAccess_; }
  virtual void SetRegAccess(TRzRegAccess Value);
  TRzSpecialFolder SpecialFolder() const { return specialFolder_; }
  virtual void SetSpecialFolder(TRzSpecialFolder Value);

  // True from creation and after every change of the location, until a user clears it.
  bool LocationChanged() const { return locationChanged_; }
  void SetLocationChanged(bool Value) { locationChanged_ = Value; }

 private:
  template <class T>
  void Change(T& field, const T& value);

  String path_;
  TRzPathType pathType_ = ptIniFile;
  TRzRegKey regKey_ = hkeyCurrentUser;
  TRzRegAccess regAccess_{keyAllAccess};
  TRzSpecialFolder specialFolder_ = sfNone;
  bool locationChanged_ = true;
};
