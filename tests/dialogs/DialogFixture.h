#pragma once
// The dialogs' test fixture: a shown owner form that plays the main window's preview with a fake,
// the settings record reset to its defaults, and a sink that counts errors reaching the application.

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "app/core/Help.h"
#include "dialogs/DialogHost.h"
#include "dialogs/FamilyMember.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"

namespace dialog_testing {

class TFakePreviewHost : public TForm, public IPreviewHost, public IEditorHost {
 public:
  explicit TFakePreviewHost(TComponent* AOwner) : TForm(AOwner, 0) {}
  bool Previewing() override { return previewing; }
  void ClearPreviewing() override { previewing = false, ++clears; }
  bool TransformBusy() override { return busy; }
  void StartPreview() override {
    ++starts;
    startedWith = GlobalVars.PreviewOperationTypes;
    if (onStart) onStart();
    else previewing = true;
  }
  void StopPreview() override { previewing = false, ++stops; }
  TAudioEditor2* DocumentEditor() override { return editor; }

  bool previewing = false;
  bool busy = false;
  int starts = 0, stops = 0, clears = 0;
  int startedWith = -1;
  // Replaces what a start does (by default: Previewing set).
  std::function<void()> onStart;
  // The editor a dialog reads the selection from (none by default).
  TAudioEditor2* editor = nullptr;
};

class DialogFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Shows the dialog modelessly over the host (running its show step) and activates it.
  void ShowDialog(TForm* dialog);
  // Errors that reached the process sink since SetUp.
  static int ReportedErrors();
  static String LastReportedError();

  TFakePreviewHost* host = nullptr;
};

TFamilyMember& MemberOf(TForm* dialog);

// While it lives, help requests are recorded (the help file's topic paths) instead of shown.
class HelpRequests {
 public:
  HelpRequests();
  ~HelpRequests();
  HelpRequests(const HelpRequests&) = delete;
  HelpRequests& operator=(const HelpRequests&) = delete;
  const std::vector<String>& Paths() const;

 private:
  THtmlHelpLoader previous_;
};

// Runs the script inside the next modal loops; a loop the script leaves without a modal result
// ends as cancelled.
class ModalScript {
 public:
  explicit ModalScript(std::function<void(TCustomForm*)> script) {
    previous_ = SetModalDriver([script](const TModalLoop& loop) {
      auto* modal = dynamic_cast<TCustomForm*>(FindControl(loop.Window));
      if (modal) script(modal);
      if (!modal || modal->ModalResult == mrNone) loop.End();
    });
  }
  ~ModalScript() { SetModalDriver(previous_); }

 private:
  TModalScript previous_;
};


}  // namespace dialog_testing
