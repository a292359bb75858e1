// Paints a 1280 x 800 themed form with title bar and a four-item menu bar, once with the DeepBlue
// style and once with the generated test theme: the median and worst time of one full paint (title
// bar, menu bar, then client and frame) against the 8 ms limit. Run by tools/bench/skinpack-paint.sh.

#include <cstdio>

#include "TimingLoop.h"
#include "platform/framework/base/Win32.h"
#include "ui/extras/skinpack/ThemedForm.h"

namespace {

void PaintOnce(TsuiForm* themed) {
  themed->TitleBar()->Repaint();
  if (themed->MenuBar()) themed->MenuBar()->Repaint();
  themed->Repaint();  // the client, then the frame
}

String ThemeFile() {
  wchar_t path[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  String folder = path;
  folder.erase(folder.find_last_of(L'\\') + 1);
  return folder + L"..\\skinpack\\TestTheme.sk";
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = timing::Quick(argc, argv);
  const int rounds = quick ? 3 : 100;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(0, 0, 1280, 800);
  auto* themed = new TsuiForm(form);
  auto* menu = new TsuiMainMenu(form);
  for (const wchar_t* caption : {L"&File", L"&Edit", L"&View", L"&Help"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  themed->SetMenu(menu);
  themed->SetCaption(L"Benchmark form");
  form->Show();
  Application->ProcessMessages();
  bool within =
      timing::Run("themed form 1280 x 800, DeepBlue: one full paint", rounds, 8.0, [&] { PaintOnce(themed); });
  auto* theme = new TsuiFileTheme(form);
  theme->SetThemeFile(ThemeFile());
  if (!theme->Ready()) {
    std::printf("test theme not found at the build's skinpack folder\n");
    return 1;
  }
  themed->SetUIStyle(FromThemeFile);
  themed->SetFileTheme(theme);
  menu->SetFileTheme(theme);
  Application->ProcessMessages();
  within = timing::Run("themed form 1280 x 800, test theme file: one full paint", rounds, 8.0,
                       [&] { PaintOnce(themed); }) && within;
  form->Free();
  CoUninitialize();
  return quick || within ? 0 : 1;
}
