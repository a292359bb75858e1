// The navigation bar's speed under wine64: each embedded skin read from its resource and a
// skin-info cache made over it (the wait when a brand's colours apply), median and worst against
// the 100 ms limit; and a 217 x 1280 view-0 bar of 6 groups and 25 links laid out again and drawn
// into its bitmap (a resize or a change of its groups), against 8 ms; the main window's two view-18
// explorer bars rebuilt and painted (8 ms), and a colour-scheme switch of both with their skins
// loaded (100 ms); and the main window's whole configuration, the 217 x 1280 view-17 pane whose two
// groups host those bars, rebuilt and painted (8 ms) and switched to another scheme (100 ms).

#include <cstdio>
#include <utility>
#include <vector>

#include "TimingLoop.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarBaseViews.h"
#include "ui/navbar/NavBarOffice12Views.h"
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

// The main window's two explorer bars (view 18): "Favorites" with 8 links and the edit bar's six
// groups with 25 links, each 217 wide and half of 1280 high.
TdxNavBar* MakeExplorerBar(TComponent* root, const std::vector<std::pair<const wchar_t*, int>>& groups) {
  auto* bar = new TdxNavBar(root);
  bar->SetView(18);
  bar->SetBounds(0, 0, 217, 640);
  int item = 0;
  for (const auto& [caption, links] : groups) {
    TdxNavBarGroup* group = bar->Groups()->Add();
    group->SetCaption(caption);
    for (int l = 0; l < links; ++l) {
      TdxNavBarItem* link = bar->Items()->AddNewItem();
      link->SetCaption(L"Link " + IntToStr(++item));
      group->AddLinkForItem(link);
    }
  }
  return bar;
}

bool PaintExplorerBars(bool quick) {
  TComponent* root = new TComponent(nullptr);
  TdxNavBar* favorites = MakeExplorerBar(root, {{L"Favorites", 8}});
  TdxNavBar* edit = MakeExplorerBar(
      root, {{L"Files", 5}, {L"Edit", 4}, {L"Effects", 4}, {L"Tools", 4}, {L"Bookmark", 4}, {L"Region", 4}});
  auto paint = [&] {
    for (TdxNavBar* bar : {favorites, edit}) {
      bar->InvalidateAll(nbiRebuild);
      bar->Painter()->PrepareToPaint();
    }
  };
  paint();
  bool within = timing::Run("two view-18 bars 217 x 640 (9 groups, 33 links): rebuilt and painted", quick ? 3 : 200,
                            8.0, paint);
  int scheme = 0;
  const wchar_t* const schemes[] = {L"Black", L"Silver", L"Blue"};
  within = timing::Run("scheme switch of both view-18 bars: skins loaded, caches made, repainted", quick ? 3 : 30,
                       100.0, [&] {
                         const wchar_t* name = schemes[scheme++ % 3];
                         for (TdxNavBar* bar : {favorites, edit})
                           static_cast<TdxNavBarOffice12ExplorerBarPainter*>(bar->Painter())->SetColorSchemeName(name);
                         paint();
                       }) &&
           within;
  FreeAndNil(root);
  return within;
}

// The main window's command bar: a view-17 pane without header and overflow panel whose groups
// "&Favorites" and "&Quick Edit" host the two view-18 bars in their group controls.
bool PaintMainWindowBars(bool quick) {
  TComponent* root = new TComponent(nullptr);
  auto* quickBar = new TdxNavBar(root);
  quickBar->SetView(17);
  quickBar->SetBounds(0, 0, 217, 1280);
  quickBar->OptionsView()->NavigationPane()->SetShowHeader(false);
  quickBar->OptionsView()->NavigationPane()->SetShowOverflowPanel(false);
  TdxNavBar* inner[2] = {
      MakeExplorerBar(root, {{L"Favorites", 8}}),
      MakeExplorerBar(root,
                      {{L"Files", 5}, {L"Edit", 4}, {L"Effects", 4}, {L"Tools", 4}, {L"Bookmark", 4}, {L"Region", 4}})};
  const wchar_t* const captions[] = {L"&Favorites", L"&Quick Edit"};
  for (int g = 0; g < 2; ++g) {
    TdxNavBarGroup* group = quickBar->Groups()->Add();
    group->SetCaption(captions[g]);
    group->OptionsGroupControl()->SetUseControl(true);
    group->OptionsGroupControl()->SetShowControl(true);
    inner[g]->SetParent(group->Control());
    inner[g]->SetBounds(0, 0, 215, 1200);
  }
  quickBar->SetActiveGroupIndex(1);
  auto paint = [&] {
    for (TdxNavBar* bar : {quickBar, inner[0], inner[1]}) {
      bar->InvalidateAll(nbiRebuild);
      bar->Painter()->PrepareToPaint();
    }
  };
  paint();
  bool within = timing::Run("main window: view-17 pane 217 x 1280 hosting both view-18 bars: rebuilt and painted",
                            quick ? 3 : 200, 8.0, paint);
  int scheme = 0;
  const wchar_t* const schemes[] = {L"Black", L"Silver", L"Blue"};
  within = timing::Run("scheme switch of the three bars: skins loaded, caches made, repainted", quick ? 3 : 30, 100.0,
                       [&] {
                         const wchar_t* name = schemes[scheme++ % 3];
                         for (TdxNavBar* bar : {quickBar, inner[0], inner[1]})
                           Supports<IdxNavBarColorSchemes>(bar->ViewStyle())->ApplyColorScheme(name);
                         paint();
                       }) &&
           within;
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
  within = PaintExplorerBars(quick) && within;
  within = PaintMainWindowBars(quick) && within;
  FinalizeUnits();
  return quick || within ? 0 : 1;
}
