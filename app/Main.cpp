// Program entry: COM, the application object, the main form and the message loop.

#include "platform/framework/Forms.h"

// The main window.
class TMainForm : public TForm {
  DECLARE_CLASS(TMainForm, TForm)
 public:
  explicit TMainForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(L"Audio Editor");
    SetBounds(Left(), Top(), 858, 450);
    SetPosition(poScreenCenter);
  }
};

DEFINE_CLASS(TMainForm)

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Application->Initialize();
  TMainForm* mainForm = nullptr;
  Application->CreateForm(mainForm);
  Application->Run();
  DoneApplication();
  CoUninitialize();
  return 0;
}
