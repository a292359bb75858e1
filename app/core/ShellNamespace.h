#pragma once
// The shell namespace declarations (folder paths, item lists, the folder browser) for the program's
// own code. <shlobj.h> defines A/W name macros of its functions again after Win32.h removed the
// others; they are removed here once more, so callers name the W entry points as everywhere else.

#include "platform/framework/base/Win32.h"

#include <shlobj.h>

#undef SHGetIconOverlayIndex
#undef ILCreateFromPath
#undef SHGetPathFromIDList
#undef SHCreateDirectoryEx
#undef SHGetSpecialFolderPath
#undef SHGetFolderPath
#undef SHSetFolderPath
#undef SHGetFolderPathAndSubDir
#undef SHBrowseForFolder
#undef SHUpdateImage
#undef SHGetDataFromIDList
#undef PathIsSlow
#undef SHStartNetConnectionDialog
#undef SHDefExtractIcon
#undef Shell_GetCachedImageIndex
#undef SHOpenPropSheet
#undef SHPathPrepareForWrite
#undef SHCreateFileExtractIcon
