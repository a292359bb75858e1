#include "ui/navbar/skins/SkinNames.h"

#include "ui/foundation/Classes.h"

namespace {

struct Entry {
  int Id;
  const wchar_t* Text;
};

constexpr Entry kDefaults[] = {
#define SKIN_NAME(Id, Name, Text) {Id, L"" Text},
#include "ui/navbar/skins/SkinNames.inc"
#undef SKIN_NAME
};
static_assert(sizeof(kDefaults) / sizeof(kDefaults[0]) == kSkinNameCount, "the catalogue holds 287 names");

}  // namespace

const wchar_t* SkinNameDefault(TdxSkinNameId Id) {
  const int index = int(Id) - kSkinNameFirstId;
  return index >= 0 && index < kSkinNameCount ? kDefaults[index].Text : L"";
}

String SkinName(TdxSkinNameId Id) {
  const String text = ResourceStringWithOverride(int(Id));
  // A program built without the catalogue's resources still finds the names.
  return text.empty() ? String(SkinNameDefault(Id)) : text;
}
