#pragma once
// "system.dat": the settings record's keys in section "SYSTEM", driven by one table so that
// reading and writing cannot drift apart, and the one-key writers the view commands use.

#include <span>
#include <variant>

#include "app/core/Globals.h"
#include "platform/framework/base/Types.h"

// One stored field: its key and the member it is read into and written from. The member's type
// is the kind: text, boolean ("1"/"0"), 32-bit integer, or unsigned 8-bit (low 8 bits kept).
struct TSettingKey {
  using TField = std::variant<String TGlobalVars::*, bool TGlobalVars::*, int TGlobalVars::*, Byte TGlobalVars::*>;
  const wchar_t* Key;
  TField Field;
};

// The stored keys of section "SYSTEM", in file order.
std::span<const TSettingKey> SettingKeys();

extern const wchar_t* const SettingsSection;  // "SYSTEM"

// The path of "system.dat": the "AppData" folder + application title + "\system.dat"; the data
// folder is created (one level) when missing, and when that fails the file sits in "AppData".
String SettingsFilePath();
String SettingsFilePathFor(const String& appDataFolder, const String& title);

// Reads the record from the file; when the file is missing, writes it with the current values
// and returns false. A value that is not a whole signed decimal keeps the current value.
bool LoadSettings();
bool LoadSettings(TGlobalVars& vars, const String& fileName);
// Writes every key. A failed write is reported once (WriteFailures.h: an error box naming the file
// and the reason, or to the collector that lives), and the remaining keys are skipped; the result
// then is false.
bool SaveSettings();
bool SaveSettings(const TGlobalVars& vars, const String& fileName);

// Open the settings file, write one key, close it. A failed write is reported as SaveSettings does
// and raises nothing, so the command that wrote the key keeps its work.
void WriteSettingInteger(const String& section, const String& key, int value);
void WriteSettingString(const String& section, const String& key, const String& value);
void WriteSettingBool(const String& section, const String& key, bool value);

// A whole signed decimal in 32 bits, blanks around it allowed; anything else is false.
bool TryParseSettingInteger(const String& text, int& value);
