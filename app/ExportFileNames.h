#pragma once
// The file names region export writes: the folder, the region's name made safe as a file name, and
// the format's extension.

#include "platform/framework/base/Types.h"

// The region name with every character a file name may not hold replaced by "_", trailing dots and
// blanks replaced by "_" (the system would drop them), and "_" appended to a base name that is a
// reserved device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, in any letter case).
String SafeRegionFileName(const String& RegionName);

// Folder (with one trailing backslash) + SafeRegionFileName + Extension (".wav", ".mp3", ...).
String ExportRegionPath(const String& Folder, const String& RegionName, const String& Extension);

// The format list of the export dialog: ".wav", ".mp3", ".ogg", ".wma"; empty outside 0 ... 3.
String ExportFormatExtension(int FormatIndex);
// The editor's file-type code of the format (1, 2, 6, 11); 0 outside 0 ... 3.
int ExportFormatFileType(int FormatIndex);
