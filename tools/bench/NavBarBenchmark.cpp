// The navigation bar's speed under wine64: each embedded skin read from its resource and a
// skin-info cache made over it (the wait when a brand's colours apply), median and worst against
// the 100 ms limit.

#include <cstdio>

#include "TimingLoop.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/navbar/skins/SkinInfo.h"

namespace {

// A skin read from the program's "DXNAVBARSKINS" resources.
class TResourceSkin : public TdxSkin {
 public:
  explicit TResourceSkin(const String& Name) : TdxSkin(Name) {}

 protected:
  String ResourceType() override { return SkinName(sdxSkinNavBarResourceType); }
};

}  // namespace

int main(int argc, char** argv) {
  const bool quick = timing::Quick(argc, argv);
  InitializeUnits();
  bool within = true;
  for (const wchar_t* name : {L"OFFICE12_BLUE", L"OFFICE12_BLACK", L"OFFICE12_SILVER", L"VISTA"}) {
    char title[96];
    std::snprintf(title, sizeof title, "skin %ls read and its cache made", name);
    bool loaded = false;
    within = timing::Run(title, quick ? 3 : 30, 100.0, [&] {
      auto* skin = new TResourceSkin(name);
      skin->LoadFromResource(GetModuleHandleW(nullptr));
      TdxSkinInfo info(skin);
      loaded = info.NavBarBackground && info.NavBarBackground->UsageMark == kSkinMarkUsed;
    }) && within;
    if (!loaded) {
      std::printf("skin %ls did not load\n", name);
      return 1;
    }
  }
  FinalizeUnits();
  return quick || within ? 0 : 1;
}
