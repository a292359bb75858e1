#pragma once
// The "Edit with <title>" verb of the supported audio extensions in the registry.
//
// Layout for one extension: the extension's key (".mp3") holds the program identifier as its
// default value ("<ext without dot>file" when empty); below the identifier's key come Shell, the
// verb's key, and "command", whose default value is the quoted program path and " \"%L\"".

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

// Where identifiers are read and where keys are written and deleted. The program reads through
// the merged classes root and writes the current user's classes (a standard user cannot write
// the machine's, and the option is per user); tests use one scratch key for both.
struct TClassesRoot {
  HKEY ReadRoot;
  String ReadPath;
  HKEY WriteRoot;
  String WritePath;
};
TClassesRoot UserClassesRoot();
// Reading and writing below one key of HKEY_CURRENT_USER.
TClassesRoot ClassesRootAt(const String& pathBelowCurrentUser);

// The verb's command: the program path in double quotes (so a folder with blanks cannot start
// another program), a blank, and "%L" in double quotes.
String ShellVerbCommand(const String& programPath);

// Registers the verb for one extension (blanks trimmed, "." added when missing); true when the
// command key was written, false for an empty extension or a key that cannot be written.
bool AddShellVerb(const String& programPath, const String& verb, const String& extension,
                  const TClassesRoot& root = UserClassesRoot());
// Deletes the verb's key with its subkeys. Nothing is created: an extension without a key has
// nothing to remove.
void RemoveShellVerb(const String& verb, const String& extension, const TClassesRoot& root = UserClassesRoot());

// "Edit with " + title for all 16 supported extensions: registered when enabled, else removed.
void RegisterShellVerbs(bool enabled, const String& programPath, const String& title,
                        const TClassesRoot& root = UserClassesRoot());
