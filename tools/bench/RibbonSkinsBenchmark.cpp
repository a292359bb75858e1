// The ribbon colour skins under wine64: building and registering the three skins (100 ms), and a
// groups-area part repainted at an unchanged 1280 x 92 size against plain AlphaBlends of the same
// rendering (at most 1.5 times as long), and a 1280-pixel status bar with six panels laid out and
// painted (8 ms).

#include <cstdio>

#include "TimingLoop.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/graphics/Bitmap.h"
#include "ui/navbar/skins/GdiPlus.h"
#include "platform/framework/windows/Forms.h"
#include "ui/ribbon/RibbonSkins.h"
#include "ui/ribbon/statusbar/StatusBarStyles.h"

int main(int argc, char** argv) {
  const bool quick = timing::Quick(argc, argv);
  InitializeUnits();
  if (!GdiPlusAvailable()) {
    std::printf("GDI+ is not available\n");
    return 1;
  }
  bool within = timing::Run("ribbon skins: build and register Blue, Black and Silver", quick ? 2 : 20, 100.0, [] {
    EndRibbonSkinsUnit();
    StartRibbonSkinsUnit();
  });
  if (BarSkinManager()->SkinCount() != 3) {
    std::printf("the skins did not register\n");
    return 1;
  }

  auto* skin = static_cast<TdxCustomRibbonSkin*>(BarSkinManager()->SkinByName(L"Blue"));
  TBitmap target(1280, 92, pf32bit);
  HDC dc = target.Canvas()->Handle();
  const TRect area(0, 0, 1280, 92);
  const int rounds = quick ? 3 : 400;
  double part = 0, blend = 0;
  within = timing::Run("groups area: DrawGroupsArea at 1280 x 92, unchanged size", rounds, 1.0,
                       [&] { skin->DrawGroupsArea(dc, area); }, &part) && within;
  TdxSkinnedRect* groupsArea = skin->Parts(skin->PartPosition(10048, 0));
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, groupsArea->CacheBitmap());
  const BLENDFUNCTION function{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  timing::Run("groups area: plain AlphaBlend of the same 1280 x 92 DIB", rounds, 1.0,
              [&] { AlphaBlend(dc, 0, 0, 1280, 92, source, 0, 0, 1280, 92, function); }, &blend);
  SelectObject(source, previous);
  DeleteDC(source);
  const double ratio = blend > 0 ? part / blend : 0;
  std::printf("%-60s %.2f (limit 1.50)%s\n", "groups area: part / plain AlphaBlend", ratio, ratio <= 1.5 ? "" : "  OVER");
  within = within && ratio <= 1.5;

  // The main window's status bar: two raised panels, three time panels and a hint panel.
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(0, 0, 1300, 200);
  auto* bar = new TdxCustomStatusBar(form);
  bar->SetParent(form);
  const int widths[] = {222, 178, 110, 110, 140, 100};
  const wchar_t* texts[] = {L"", L"", L"Start: 0:00:00.000", L"End: 0:00:00.000", L"Sel Length: 0:00:00.000",
                            L"Ready"};
  for (int i = 0; i < 6; ++i) {
    TdxStatusBarPanel* panel = bar->AddPanel();
    panel->SetWidth(widths[i]);
    panel->SetText(texts[i]);
    if (i < 2) panel->SetBevel(dxpbRaised);
  }
  form->Show();
  // The frame's width under Wine's window manager is known only once shown: adjust until the bar fits.
  for (int round = 0; round < 3 && bar->Width() != 1280; ++round)
    form->SetWidth(form->Width() + 1280 - bar->Width());
  if (bar->Width() != 1280 || bar->ViewInfo()->VisiblePanels().size() != 6) {
    std::printf("the status bar is %d pixels wide, not 1280\n", bar->Width());
    return 1;
  }
  TBitmap frame(bar->Width(), bar->Height(), pf32bit);
  within = timing::Run("status bar: 1280 pixels, six panels, laid out and painted", quick ? 3 : 200, 8.0, [&] {
    bar->UpdateLayout();
    bar->PaintTo(frame.Canvas()->Handle(), 0, 0);
  }) && within;
  form->Free();
  FinalizeUnits();
  return quick || within ? 0 : 1;
}
