// A 40-entry menu window drawn by the bar tests' painter: every round measures the natural size,
// lays the menu out and paints it (frame and client) into a DIB. Limit: 8 ms a round.

#include <cstdio>

#include "TimingLoop.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestPainter.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/PopupMenus.h"
#include "ui/bars/SubMenuControl.h"

int main(int argc, char** argv) {
  InitializeUnits();
  const bool quick = timing::Quick(argc, argv);
  for (int style = brsStandard; style <= brsOffice11; ++style)
    SetBarPainterClass(style, &bar_testing::TTestBarPainter::ClassInfo());
  auto* form = new TForm(nullptr, 0);
  form->SetName(L"BenchForm");
  auto* manager = new TdxBarManager(form);
  manager->SetName(L"BarManager");
  auto* popup = new TdxBarPopupMenu(form);
  for (int i = 0; i < 40; ++i) {
    auto* item = new TdxBarButton(form);
    item->SetName(L"Entry" + std::to_wstring(i));
    item->SetCaption(L"Menu entry " + std::to_wstring(i));
    popup->ItemLinks()->AddItemLink(item)->SetBeginGroup(i % 8 == 0);
  }
  popup->RunsOwnLoop = false;
  popup->PopupAt(10, 10);
  TdxBarSubMenuControl* menu = popup->MenuWindow();
  if (!menu) {
    std::printf("the menu did not open\n");
    return 1;
  }
  timing::ProcessMessages();
  std::printf("menu %d x %d, %d entries shown\n", menu->Width(), menu->Height(), menu->ViewInfo()->ItemInfoCount());

  window_testing::DibSection frame(menu->Width(), menu->Height());
  window_testing::DibSection client(menu->ClientWidth(), menu->ClientHeight());
  int width = 0;
  const bool ok = timing::Run("natural size, layout and paint of a 40-entry menu", quick ? 5 : 200, 8.0, [&] {
    width += menu->NaturalSize().cx;
    menu->Perform(WM_PRINT, reinterpret_cast<WPARAM>(frame.DC()), PRF_NONCLIENT);
    menu->Perform(WM_PAINT, reinterpret_cast<WPARAM>(client.DC()), 0);
  });
  if (width == 0) std::printf("no size measured\n");
  form->Free();
  FinalizeUnits();
  return ok || quick ? 0 : 1;
}
