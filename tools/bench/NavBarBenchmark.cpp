// The navigation bar's speed under wine64: each embedded skin read from its resource and a
// skin-info cache made over it (the wait when a brand's colours apply), median and worst against
// the 100 ms limit; and a 217 x 1280 view-0 bar of 6 groups and 25 links laid out again and drawn
// into its bitmap (a resize or a change of its groups), against 8 ms.

#include <cstdio>

#include "TimingLoop.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarBaseViews.h"
#include "ui/navbar/NavBarPainter.h"
#include "ui/navbar/skins/SkinInfo.h"

namespace {

// A skin read from the program's "DXNAVBARSKINS" resources.
class TResourceSkin : public TdxSkin {
 public:
  explicit TResourceSkin(const String& Name) : TdxSkin(Name) {}

 protected:
  String ResourceType() override { return SkinName(sdxSkinNavBarResourceType); }
};

// The bar as the main window holds it: six groups, 25 links, the first group open.
bool PaintBaseViewBar(bool quick) {
  TComponent* root = new TComponent(nullptr);
  auto* bar = new TdxNavBar(root);
  bar->SetView(0);
  bar->SetBounds(0, 0, 217, 1280);
  int item = 0;
  for (int g = 0; g < 6; ++g) {
    TdxNavBarGroup* group = bar->Groups()->Add();
    group->SetCaption(L"Group " + IntToStr(g + 1));
    for (int l = 0; l < (g == 0 ? 5 : 4); ++l) {
      TdxNavBarItem* link = bar->Items()->AddNewItem();
      link->SetCaption(L"Link " + IntToStr(++item));
      group->AddLinkForItem(link);
    }
  }
  bar->SetActiveGroupIndex(0);
  const bool within = timing::Run("view-0 bar 217 x 1280, 6 groups, 25 links: rebuilt and painted", quick ? 3 : 200,
                                  8.0, [&] {
                                    bar->InvalidateAll(nbiRebuild);
                                    bar->Painter()->PrepareToPaint();
                                  });
  FreeAndNil(root);
  return within;
}

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
  within = PaintBaseViewBar(quick) && within;
  FinalizeUnits();
  return quick || within ? 0 : 1;
}
