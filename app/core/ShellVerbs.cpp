#include "app/core/ShellVerbs.h"

#include "app/core/Paths.h"
#include "platform/framework/classes/Registry.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

// An absolute key path (leading "\") below the root from the parts.
String KeyPath(const String& base, const String& sub) {
  return base.empty() ? L"\\" + sub : L"\\" + base + L"\\" + sub;
}

// ".ext" from the caller's extension; empty when there is none.
String NormalizedExtension(const String& extension) {
  String ext = Trim(extension);
  if (!ext.empty() && ext.front() != L'.') ext.insert(0, 1, L'.');
  return ext;
}

// The default value of the extension's key below one root; reports whether the key exists.
String ReadDefaultValue(HKEY rootKey, const String& path, bool& keyExists) {
  TRegistry registry(KEY_READ);
  registry.SetRootKey(rootKey);
  keyExists = registry.OpenKeyReadOnly(path);
  if (!keyExists) return String();
  try {
    return registry.ReadString(L"");
  } catch (const ERegistryException&) {
    return String();  // a default value that is not text names no identifier
  }
}

// The program identifier the extension's key names, and whether there is such a key. The
// user's own classes come first, as in the merged view; asking them directly also holds where
// the classes root does not merge them in.
String ReadProgramIdentifier(const TClassesRoot& root, const String& ext, bool& keyExists) {
  bool userKey = false, mergedKey = false;
  String identifier = ReadDefaultValue(root.WriteRoot, KeyPath(root.WritePath, ext), userKey);
  if (identifier.empty()) identifier = ReadDefaultValue(root.ReadRoot, KeyPath(root.ReadPath, ext), mergedKey);
  keyExists = userKey || mergedKey;
  return identifier;
}

String VerbKeyPath(const TClassesRoot& root, const String& identifier, const String& verb) {
  return KeyPath(root.WritePath, identifier + L"\\Shell\\" + verb);
}

}  // namespace

TClassesRoot UserClassesRoot() { return {HKEY_CLASSES_ROOT, L"", HKEY_CURRENT_USER, L"Software\\Classes"}; }

TClassesRoot ClassesRootAt(const String& pathBelowCurrentUser) {
  return {HKEY_CURRENT_USER, pathBelowCurrentUser, HKEY_CURRENT_USER, pathBelowCurrentUser};
}

String ShellVerbCommand(const String& programPath) {
  const String program = !programPath.empty() && programPath.front() == L'"' ? programPath
                                                                             : L"\"" + programPath + L"\"";
  return program + L" \"%L\"";
}

bool AddShellVerb(const String& programPath, const String& verb, const String& extension, const TClassesRoot& root) {
  const String ext = NormalizedExtension(extension);
  if (ext.empty()) return false;
  try {
    bool keyExists = false;
    String identifier = ReadProgramIdentifier(root, ext, keyExists);
    TRegistry registry;
    registry.SetRootKey(root.WriteRoot);
    if (identifier.empty()) {
      identifier = ext.substr(1) + L"file";
      if (!registry.OpenKey(KeyPath(root.WritePath, ext), true)) return false;
      registry.WriteString(L"", identifier);
      registry.CloseKey();
    }
    if (!registry.OpenKey(VerbKeyPath(root, identifier, verb) + L"\\command", true)) return false;
    registry.WriteString(L"", ShellVerbCommand(programPath));
    return true;
  } catch (const ERegistryException&) {
    return false;
  }
}

void RemoveShellVerb(const String& verb, const String& extension, const TClassesRoot& root) {
  const String ext = NormalizedExtension(extension);
  if (ext.empty()) return;
  bool keyExists = false;
  String identifier = ReadProgramIdentifier(root, ext, keyExists);
  if (!keyExists) return;
  if (identifier.empty()) identifier = ext.substr(1) + L"file";
  TRegistry registry;
  registry.SetRootKey(root.WriteRoot);
  const String verbKey = VerbKeyPath(root, identifier, verb);
  if (registry.KeyExists(verbKey)) registry.DeleteKey(verbKey);
}

void RegisterShellVerbs(bool enabled, const String& programPath, const String& title, const TClassesRoot& root) {
  const String verb = L"Edit with " + title;
  for (const wchar_t* ext : SupportedAudioExtensions()) {
    if (enabled) AddShellVerb(programPath, verb, ext, root);
    else RemoveShellVerb(verb, ext, root);
  }
}
