// The help commands of the main window: the manual, the brand's web pages and the version box.

#include <memory>

#include "app/MainForm.h"
#include "app/core/Centring.h"
#include "app/core/Globals.h"
#include "app/core/Help.h"
#include "app/core/ShellCommands.h"
#include "app/core/Splash.h"

void TMainForm::ActionHelpExecute(TObject*) { ShowHelpTopic(Handle(), L"WelcometoAPP"); }

void TMainForm::ActionProductPageExecute(TObject*) { OpenDocumentOrUrl(GlobalVars.ProductPageAddress); }

void TMainForm::ActionTechnicalSupportExecute(TObject*) { OpenDocumentOrUrl(GlobalVars.TechnicalSupportAddress); }

void TMainForm::ActionCompanyHomepageExecute(TObject*) { OpenDocumentOrUrl(GlobalVars.CompanyHomepageAddress); }

void TMainForm::ActionAboutExecute(TObject*) {
  std::unique_ptr<TSplashForm> about(new TSplashForm(this));
  about->AboutMode = true;
  // Centred over this window, not on the screen as the start-up splash.
  about->SetPosition(poDesigned);
  CentreOver(about.get(), this);
  about->ShowModal();
}
