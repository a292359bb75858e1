// The main window's bottom row as the skinned controls draw it: a 1280 x 75 panel holding five
// child panels and nineteen speed buttons in "Harbour Blue (internal)". Painted with every face
// rebuilt from a stale cache (limit: one 8 ms frame), and repainted from the warm caches (limit
// 2 ms). Each paint is a synchronous redraw of the whole row; a third figure prints the row into a
// bitmap, which is the skinned controls' own work without Wine's window painting.
//
// Two more figures: a 200 x 16 skinned gauge repainted after a Progress change (limit 1 ms), and a
// comic-callout hint of the main window's look, 180 pixels of text wide with its shadow, composed
// into the image a layered window shows (limit 8 ms).

#include <cstdio>

#include "TimingLoop.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/windows/Forms.h"
#include "ui/skins/controls/SkinGauge.h"
#include "ui/skins/controls/SkinHints.h"
#include "ui/skins/controls/SkinPanel.h"
#include "ui/skins/controls/SkinSpeedButton.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/CommonData.h"

namespace {

void ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(0, 0, 1300, 140);
  auto* manager = new TsSkinManager(form);
  TsStoredSkin* stored = manager->InternalSkins()->Add();
  stored->SetName(L"Harbour Blue (internal)");
  TResourceStream data(GetModuleHandleW(nullptr), L"INTERNALSKIN", RT_RCDATA);
  stored->LoadData(data.Memory(), data.Size());
  manager->SetSkinName(L"Harbour Blue (internal)");

  std::vector<TsPanel*> panels;
  std::vector<TsSpeedButton*> buttons;
  auto* row = new TsPanel(form);
  row->SkinData()->SetSkinSection(L"PANEL");
  row->SetParent(form);
  row->SetBounds(0, 0, 1280, 75);
  panels.push_back(row);
  const int widths[5] = {230, 150, 360, 170, 370};
  int left = 0;
  for (int i = 0; i < 5; ++i) {
    auto* panel = new TsPanel(form);
    panel->SkinData()->SetSkinSection(i == 1 ? L"PANEL_LOW" : L"PANEL");
    panel->SetParent(row);
    panel->SetBounds(left, 0, widths[i], 75);
    panel->SetCaption(i == 1 ? L"0:00:00.000" : L"");
    left += widths[i];
    panels.push_back(panel);
  }
  // Ten transport buttons on the third panel, eight zoom buttons on the last, one captioned button
  // on the first.
  for (int i = 0; i < 19; ++i) {
    TsPanel* parent = i < 10 ? panels[3] : i < 18 ? panels[5] : panels[1];
    auto* button = new TsSpeedButton(form);
    button->SkinData()->SetSkinSection(i < 18 ? L"TOOLBAR" : L"BUTTON");
    button->AnimatEvents = {};
    button->SetParent(parent);
    if (i < 10)
      button->SetBounds(2 + (i % 9) * 36, 2 + (i / 9) * 36, 36, 36);
    else if (i < 18)
      button->SetBounds(4 + ((i - 10) % 4) * 30, 4 + ((i - 10) / 4) * 30, 30, 30);
    else
      button->SetBounds(8, 40, 120, 26);
    button->SetCaption(i < 18 ? String(1, wchar_t(L'A' + i)) : String(L"Edit Favorites..."));
    buttons.push_back(button);
  }
  form->Show();
  ProcessMessages();

  HWND window = row->Handle();
  auto redraw = [&] {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  const bool quick = timing::Quick(argc, argv);
  const int rounds = quick ? 3 : 100;
  bool within = timing::Run("bottom row from cold caches (6 panels, 19 buttons)", rounds, 8.0, [&] {
    for (TsPanel* panel : panels) panel->SkinData()->BGChanged = true;
    for (TsSpeedButton* button : buttons) button->SkinData()->BGChanged = true;
    redraw();
  });
  within = timing::Run("bottom row from warm caches", rounds, 2.0, redraw) && within;
  // The same work without the window system: the six panels printed into a bitmap, each with its
  // buttons painted over its face.
  TBitmap target(1280, 75, pf24bit);
  HDC print = target.Canvas()->Handle();
  timing::Run("bottom row printed into a bitmap (warm caches)", rounds, 2.0, [&] {
    for (TsPanel* panel : panels) SendMessageW(panel->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(print), PRF_CLIENT);
  });

  // A gauge: every round changes the shown percentage, so every round repaints.
  auto* gauge = new TsGauge(form);
  gauge->SkinData()->SetSkinSection(L"GAUGE");
  gauge->SetParent(form);
  gauge->SetBounds(10, 90, 200, 16);
  gauge->SetShowText(false);
  ProcessMessages();
  int step = 0;
  within = timing::Run("200 x 16 skinned gauge repainted after a Progress change", rounds, 1.0, [&] {
    gauge->SetProgress(++step % 2 ? 30 : 70);
  }) && within;

  TBitmap gaugeTarget(200, 16, pf24bit);
  timing::Run("the same gauge painted into a bitmap", rounds, 1.0, [&] {
    gauge->Perform(WM_PAINT, reinterpret_cast<WPARAM>(gaugeTarget.Canvas()->Handle()), 0);
  });

  // A hint as the main window shows them, composed for its layered window.
  auto* hints = NewObject<TsHintManager>(form);
  hints->SetPredefinitions(shCustom);
  TsHintKind& k = *hints->HintKind();
  k.SetStyle(hsComics);
  k.Radius = 5;
  k.ExOffset = 0;
  k.GradientData = L"16711422;9533282;97;0;0;9533282;9533282;0;0;0";
  k.GradientPercent = 100;
  k.Color = static_cast<TColor>(16757839);
  k.ColorBorderTop = k.ColorBorderBottom = static_cast<TColor>(8355711);
  k.ShadowBlur = 10;
  k.SetShadowEnabled(true);
  k.ShadowOffset = 5;
  k.ShadowTransparency = 40;
  k.MarginH = 16;
  k.MarginV = 5;
  k.MaxWidth = 180;
  k.Font()->SetName(L"Tahoma");
  k.Font()->SetHeight(-11);
  auto* hint = new TsComicsHintWindow(form);
  const String text = L"Plays the selection from the cursor to its end, then stops at the end of the selection";
  const TRect size = hint->CalcHintRect(0, text, nullptr);
  hint->SetCaption(text);
  hint->SetBounds(100, 100, size.Width(), size.Height());
  std::printf("hint of %d x %d pixels\n", size.Width(), size.Height());
  within = timing::Run("comics hint with shadow composed into its layered image", rounds, 8.0, [&] {
    TBitmap* image = hint->ComposeLayeredImage();
    image->Free();
  }) && within;
  form->Free();
  return quick || within ? 0 : 1;
}
