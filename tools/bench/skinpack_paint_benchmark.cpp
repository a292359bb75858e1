// Paints a 1280 x 800 themed form with title bar and menu bar, once with the DeepBlue style and once
// with the generated test theme, and prints the mean time of one full paint (frame, title bar,
// menu bar and client). Run through tools/wine-test.
#include <cstdio>

#include "platform/framework/base/Win32.h"
#include "ui/extras/skinpack/ThemedForm.h"

namespace {

template <class F>
double MeanMs(F paint, int rounds) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < rounds; ++i) paint();
  QueryPerformanceCounter(&end);
  return 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart) / rounds;
}

double MeanPaintMs(TsuiForm* themed, int rounds) {
  const double title = MeanMs([&] { themed->TitleBar()->Repaint(); }, rounds);
  const double bar = MeanMs([&] { if (themed->MenuBar()) themed->MenuBar()->Repaint(); }, rounds);
  const double client = MeanMs([&] { themed->Repaint(); }, rounds);  // the client, then the frame
  if (rounds > 5)
    std::printf("  title bar %.2f ms, menu bar %.2f ms, client and frame %.2f ms\n", title, bar, client);
  return title + bar + client;
}

String ThemeFile() {
  wchar_t path[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  String folder = path;
  folder.erase(folder.find_last_of(L'\\') + 1);
  return folder + L"..\\skinpack\\TestTheme.sk";
}

}  // namespace

int main() {
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
  const int rounds = 100;
  MeanPaintMs(themed, 5);
  const double deepBlue = MeanPaintMs(themed, rounds);
  std::printf("themed form 1280x800, DeepBlue: %.2f ms per paint\n", deepBlue);
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
  MeanPaintMs(themed, 5);
  const double themeFile = MeanPaintMs(themed, rounds);
  std::printf("themed form 1280x800, theme file: %.2f ms per paint\n", themeFile);
  form->Free();
  CoUninitialize();
  return 0;
}
