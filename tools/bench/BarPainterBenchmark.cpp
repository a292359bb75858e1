// The Office11 painter's speed: a 1280-pixel top dock site holding three toolbars of 20 items each
// (plain, checked, disabled and drop-down buttons, captioned ones, group separators), fitted, laid
// out and painted (the site's gradient, every window's frame and client) into a DIB with the
// painter the manager's style picks. Limit: 8 ms a round.

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

int main(int argc, char** argv) {
  InitializeUnits();
  const bool quick = timing::Quick(argc, argv);
  auto [form, manager] = ShowBarBenchForm(bmsOffice11);

  std::vector<TdxBarControl*> windows;
  for (int b = 0; b < 3; ++b) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(L"Toolbar " + std::to_wstring(b));
    for (int i = 0; i < 20; ++i) {
      auto* item = new TdxBarButton(form);
      item->SetName(L"Button" + std::to_wstring(b) + L"_" + std::to_wstring(i));
      item->SetCaption(L"Item");
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
      bar->ItemLinks()->AddItemLink(item)->SetBeginGroup(i % 5 == 0);
    }
    bar->SetDockingStyle(dsTop);
    bar->SetDockedLeft(b * 420);
    bar->SetVisible(true);
    windows.push_back(bar->Control());
  }
  timing::ProcessMessages();
  TdxDockControl* site = manager->Bars()->DefaultSite(dsTop);
  std::printf("painter %ls, site %d x %d, windows %d, %d, %d wide\n",
              manager->Painter() ? manager->Painter()->ClassName().c_str() : L"none", site->ClientWidth(),
              site->Height(), windows[0]->Width(), windows[1]->Width(), windows[2]->Width());

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
  form->Free();
  FinalizeUnits();
  return ok || quick ? 0 : 1;
}
