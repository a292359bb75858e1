#pragma once
// Paths and file names: trailing backslashes, the user's shell folders, the system folder,
// extensions, unique names, and the audio extensions the program opens.

#include <functional>
#include <span>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Types.h"

// The path with "\" appended unless it already ends in one; an empty path stays empty (it names
// no folder, and "\" would name the root of the current drive).
String AddTrailingBackslash(const String& path);

// The current user's shell folder of that name ("AppData", "My Music") from the Explorer's
// "Shell Folders" key; when the value is missing or empty, the system's own answer for the
// folders it knows; "C:\" as the last resort.
String ShellFolderPath(const String& valueName);
// The same, reading the values from another key below HKEY_CURRENT_USER (tests).
String ShellFolderPathUnder(const String& keyPath, const String& valueName);

// The Windows system folder.
String SystemFolderPath();

// The path without the extension of its file name; a dot in a folder name is not an extension.
String RemoveExtension(const String& path);

// Every backslash, "/", ":", "*", "?", double quote, "<", ">" and "|" replaced.
String ReplaceInvalidFileNameChars(const String& text, const String& replacement);

FRAMEWORK_EXCEPTION(EUniqueFileNameError, Exception);

// folder\name when it does not exist, else the first free folder\name(N).ext for N = 1 ... 32768.
// When every one exists EUniqueFileNameError names the folder.
String MakeUniqueFileName(const String& fileName, const String& folder);
String MakeUniqueFileName(const String& fileName, const String& folder,
                          const std::function<bool(const String& path)>& exists);

// The 16 extensions the program opens, lower case with the dot, in registration order.
std::span<const wchar_t* const> SupportedAudioExtensions();
// The extension (with its dot) is one of them, compared without regard to case.
bool IsSupportedAudioFile(const String& extension);
// The open dialogs' filter: "All Supported Formats", then each family of those extensions.
const wchar_t* OpenAudioFileFilter();
