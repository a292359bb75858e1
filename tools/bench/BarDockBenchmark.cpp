// A 1280-pixel top dock site holding three toolbars of 20 buttons each, drawn by the bar tests'
// painter: every round fits the row, arranges the three windows' buttons and paints the windows
// (frame and client) and the site's background into a DIB. Limit: 8 ms a round.

#include <cstdio>

#include "BarBenchForm.h"
#include "TimingLoop.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestPainter.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"

int main(int argc, char** argv) {
  InitializeUnits();
  const bool quick = timing::Quick(argc, argv);
  for (int style = brsStandard; style <= brsOffice11; ++style)
    SetBarPainterClass(style, &bar_testing::TTestBarPainter::ClassInfo());
  // The manager's default style; the test painter draws every style.
  auto [form, manager] = ShowBarBenchForm(bmsEnhanced);

  std::vector<TdxBarControl*> windows;
  for (int b = 0; b < 3; ++b) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(L"Toolbar " + std::to_wstring(b));
    for (int i = 0; i < 20; ++i) {
      auto* item = new TdxBarButton(form);
      item->SetName(L"Button" + std::to_wstring(b) + L"_" + std::to_wstring(i));
      item->SetCaption(L"B");
      bar->ItemLinks()->AddItemLink(item)->SetBeginGroup(i % 5 == 0);
    }
    bar->SetDockingStyle(dsTop);
    bar->SetDockedLeft(b * 420);
    bar->SetVisible(true);
    windows.push_back(bar->Control());
  }
  timing::ProcessMessages();
  TdxDockControl* site = manager->Bars()->DefaultSite(dsTop);
  std::printf("site %d x %d, windows %d, %d, %d wide\n", site->ClientWidth(), site->Height(), windows[0]->Width(),
              windows[1]->Width(), windows[2]->Width());

  window_testing::DibSection dib(1280, 64);
  const bool ok = timing::Run("fit, arrange and paint a 1280-pixel top site (3 x 20 buttons)", quick ? 5 : 200, 8.0,
                              [&] {
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
