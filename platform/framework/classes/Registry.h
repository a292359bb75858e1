#pragma once
// TRegistry: one open key below a root key, with typed value access.
//
// Key paths that begin with a backslash start at the root key; others are relative to the open key.
// Reading a value of the wrong type, or an integer or binary value that does not exist, raises
// ERegistryException; ReadString of a missing value gives "".

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include "platform/framework/classes/Object.h"
#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

class TStrings;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
  DECLARE_CLASS(TRegistry, TObject)
 public:
  TRegistry();
  explicit TRegistry(REGSAM access);
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return rootKey_; }
  // Closes the open key and changes the root (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE).
  void SetRootKey(HKEY rootKey);
  HKEY CurrentKey() const { return currentKey_; }
  // Path of the open key below the root, without a leading backslash.
  const String& CurrentPath() const { return currentPath_; }
  REGSAM Access() const { return access_; }
  void SetAccess(REGSAM access) { access_ = access; }

  // Opens the key (creating it, and missing parents, when canCreate); false when it cannot.
  bool OpenKey(const String& key, bool canCreate);
  bool OpenKeyReadOnly(const String& key);
  void CloseKey();
  bool CreateKey(const String& key);
  // Deletes the key with all its subkeys.
  bool DeleteKey(const String& key);
  bool KeyExists(const String& key);
  bool HasSubKeys();
  void GetKeyNames(TStrings& names);
  void GetValueNames(TStrings& names);

  bool ValueExists(const String& name);
  bool DeleteValue(const String& name);
  TRegDataType GetDataType(const String& name);
  // Size of the value's data in bytes; -1 when it does not exist.
  int GetDataSize(const String& name);

  String ReadString(const String& name);
  void WriteString(const String& name, const String& value);
  void WriteExpandString(const String& name, const String& value);
  int ReadInteger(const String& name);
  void WriteInteger(const String& name, int value);
  bool ReadBool(const String& name) { return ReadInteger(name) != 0; }
  void WriteBool(const String& name, bool value) { WriteInteger(name, value ? 1 : 0); }
  // Copies up to bufferSize bytes of a binary value and returns the number copied; raises when the
  // value is not binary or the buffer is too small.
  int ReadBinaryData(const String& name, void* buffer, int bufferSize);
  void WriteBinaryData(const String& name, const void* buffer, int bufferSize);

 private:
  HKEY BaseKeyFor(const String& key) const;
  static String RelativePart(const String& key);
  String AbsolutePath(const String& key) const;
  void ChangeKey(HKEY key, const String& path);
  void WriteValue(const String& name, DWORD type, const void* data, DWORD size);

  HKEY rootKey_ = HKEY_CURRENT_USER;
  HKEY currentKey_ = nullptr;
  String currentPath_;
  REGSAM access_ = KEY_ALL_ACCESS;
};
