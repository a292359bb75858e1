#pragma once
// The skin-name catalogue: every name the skin engine looks up (resource types, messages, skin
// colours, groups, and the element and property names family by family) is a resource string of
// the program, which a program may replace at run time through the foundation's override table.
// SkinNames.inc holds the ids and default texts; resources/navbar/SkinNames.rc embeds them.

#include "platform/framework/base/Types.h"

enum TdxSkinNameId {
#define SKIN_NAME(Id, Name, Text) Name = Id,
#include "ui/navbar/skins/SkinNames.inc"
#undef SKIN_NAME
};

inline constexpr int kSkinNameFirstId = sdxSkinResourceType;
inline constexpr int kSkinNameCount = 287;

// The string as the program's resources (or the override table) give it.
String SkinName(TdxSkinNameId Id);
// The text compiled into the program, without the resources (what the catalogue starts from).
const wchar_t* SkinNameDefault(TdxSkinNameId Id);
