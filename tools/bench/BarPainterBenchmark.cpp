// The Office11 painter's speed: a 1280-pixel top dock site holding three toolbars of 20 items each
// (plain, checked, disabled and drop-down buttons, captioned ones, a sub-item, group separators;
// the last toolbar too long for the row, so its mark shows hidden links), fitted, laid out and
// painted (the site's gradient, every window's frame and client) into a DIB with the painter the
// manager's style picks; and a 40-entry menu of the same painter, expanded so that its rarely used
// entries show on their band, measured, laid out and painted. Limit: 8 ms a round for each.

#include <cstdio>

#include "BarBenchForm.h"
#include "TimingLoop.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/PopupMenus.h"
#include "ui/bars/BarEditControls.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/SubMenuControl.h"

namespace {

// A popup menu of 40 entries in groups of eight, every third one rarely used, opened and expanded.
bool MeasureMenu(TForm* form, TdxBarManager* manager, bool quick) {
  manager->SetMenusShowRecentItemsFirst(true);
  auto* popup = new TdxBarPopupMenu(form);
  popup->SetUseRecentItems(true);
  for (int i = 0; i < 40; ++i) {
    auto* item = new TdxBarButton(form);
    item->SetName(L"Entry" + std::to_wstring(i));
    item->SetCaption(L"Menu entry " + std::to_wstring(i));
    TdxBarItemLink* link = popup->ItemLinks()->AddItemLink(item);
    link->SetBeginGroup(i % 8 == 0);
    link->SetMostRecentlyUsed(i % 3 != 2);
  }
  popup->RunsOwnLoop = false;
  popup->PopupAt(10, 10);
  TdxBarSubMenuControl* menu = popup->MenuWindow();
  if (!menu) {
    std::printf("the menu did not open\n");
    return false;
  }
  menu->Expand();
  timing::ProcessMessages();
  menu = popup->MenuWindow();
  int rare = 0;
  TdxBarItemLinks* links = menu->ItemLinks();
  for (int i = 0; i < links->ShownLinkCount(); ++i)
    if (TdxBarItemControl* control = links->ShownLinkAt(i)->ItemControl()) rare += control->NonRecent ? 1 : 0;
  std::printf("menu %d x %d, %d entries shown, %d rarely used\n", menu->Width(), menu->Height(),
              menu->ViewInfo()->ItemInfoCount(), rare);
  window_testing::DibSection frame(menu->Width(), menu->Height());
  window_testing::DibSection client(menu->ClientWidth(), menu->ClientHeight());
  int width = 0;
  const bool ok = timing::Run("Office11: natural size, layout and paint of a 40-entry menu", quick ? 5 : 200, 8.0,
                              [&] {
                                width += menu->NaturalSize().cx;
                                menu->Perform(WM_PRINT, reinterpret_cast<WPARAM>(frame.DC()), PRF_NONCLIENT);
                                menu->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
                              });
  if (width == 0) std::printf("no size measured\n");
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  InitializeUnits();
  const bool quick = timing::Quick(argc, argv);
  auto [form, manager] = ShowBarBenchForm(bmsOffice11);

  std::vector<TdxBarControl*> windows;
  for (int b = 0; b < 3; ++b) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(L"Toolbar " + std::to_wstring(b));
    for (int i = 0; i < 20; ++i) {
      const String name = L"Button" + std::to_wstring(b) + L"_" + std::to_wstring(i);
      TdxBarItem* added = nullptr;
      if (i == 7) {
        auto* sub = new TdxBarSubItem(form);
        sub->SetName(name);
        sub->SetCaption(L"Sub");
        added = sub;
      } else if (i == 12) {
        auto* edit = new TdxBarEdit(form);
        edit->SetName(name);
        edit->SetCaption(L"Find");
        edit->SetText(L"edit text");
        added = edit;
      } else {
        auto* item = new TdxBarButton(form);
        item->SetName(name);
        // The last toolbar's captions are long: it does not fit in the row and hides links.
        item->SetCaption(b == 2 ? L"Longer item" : L"Item");
        switch (i % 5) {
          case 1:
            item->SetButtonStyle(bsChecked);
            item->SetDown(true);
            break;
          case 2: item->SetEnabled(false); break;
          case 3: item->SetButtonStyle(bsDropDown); break;
          case 4: item->SetPaintStyle(psCaption); break;
          default: break;
        }
        added = item;
      }
      bar->ItemLinks()->AddItemLink(added)->SetBeginGroup(i % 5 == 0);
    }
    bar->SetDockingStyle(dsTop);
    bar->SetDockedLeft(b * 420);
    bar->SetVisible(true);
    windows.push_back(bar->Control());
  }
  timing::ProcessMessages();
  TdxDockControl* site = manager->Bars()->DefaultSite(dsTop);
  std::printf("painter %ls, site %d x %d, windows %d, %d, %d wide, last one %s hidden links\n",
              manager->Painter() ? manager->Painter()->ClassName().c_str() : L"none", site->ClientWidth(),
              site->Height(), windows[0]->Width(), windows[1]->Width(), windows[2]->Width(),
              windows[2]->FitTruncated ? "with" : "without");

  window_testing::DibSection dib(1280, 64);
  const bool ok = timing::Run("Office11: fit, lay out and paint a 1280-pixel top site (3 x 20 items)",
                              quick ? 5 : 200, 8.0, [&] {
                                site->UpdateDockLayout();
                                site->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.DC()), 0);
                                for (TdxBarControl* window : windows) {
                                  window->PaintNonClientArea(dib.DC());
                                  window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
                                }
                              });
  const bool menuOk = MeasureMenu(form, manager, quick);
  form->Free();
  FinalizeUnits();
  return (ok && menuOk) || quick ? 0 : 1;
}
