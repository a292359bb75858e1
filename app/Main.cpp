// The program's entry routine: the brand's title and icon, the application object, the auto-created
// windows, three rounds of message pumping and the message loop.

#include <memory>

#include "app/Bookmarks.h"
#include "app/FreAnalysis.h"
#include "app/MainForm.h"
#include "app/Regions.h"
#include "app/core/Brands.h"
#include "app/core/Progress.h"
#include "app/core/Splash.h"
#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/core/FormatRegistry.h"
#include "platform/framework/base/Exceptions.h"

namespace {

void CreateAutoCreatedWindows() {
  Application->CreateForm(MainForm);
  Application->CreateForm(FormProgress);
  Application->CreateForm(FreAnalysisForm);
  Application->CreateForm(BookmarkForm);
  Application->CreateForm(RegionForm);
}

void PumpStartUpMessages() {
  for (int round = 0; round < 3; ++round) {
    Application->ProcessMessages();
    Sleep(100);
  }
}

int RunProgram(HINSTANCE instance) {
  const String title = ReadBrandTitle(BrandFilePath());
  Application->SetTitle(title);
  if (HICON icon = LoadBrandIcon(instance, title)) Application->SetIcon(icon);
  Application->Initialize();
  RegisterAudioCodecs(FormatRegistry::Default());
  {
    // Freed also when creating a window raises.
    std::unique_ptr<TSplashForm> splash(new TSplashForm(Application));
    splash->Show();
    CreateAutoCreatedWindows();
    PumpStartUpMessages();
  }
  // A brand the table does not know has asked to terminate: no window is shown.
  if (!Application->Terminated()) Application->Run();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  OleInitialize(nullptr);
  int exitCode = 1;
  try {
    exitCode = RunProgram(instance);
  } catch (...) {
    Application->HandleException(nullptr, std::current_exception());
  }
  DoneApplication();
  OleUninitialize();
  return exitCode;
}
