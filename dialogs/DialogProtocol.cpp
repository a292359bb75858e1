#include "dialogs/DialogProtocol.h"

#include "app/core/Centring.h"
#include "dialogs/DialogHost.h"

namespace {

void StopRunningPreview(TCustomForm* dialog) {
  if (IPreviewHost* host = FindDialogHost<IPreviewHost>(dialog); host && host->Previewing()) host->StopPreview();
}

}  // namespace

bool RunDialogProtocol(const TDialogRun& Run) {
  if (Run.CentreOver) CentreOver(Run.Dialog, Run.CentreOver);
  if (Run.Fill) Run.Fill();
  if (Run.HidePreview && Run.Preview) Run.Preview->SetVisible(false);
  bool accepted = false;
  try {
    accepted = Run.Dialog->ShowModal() == mrOk;
    if (accepted && Run.OnOK) Run.OnOK();
  } catch (...) {
    if (Run.StopPreview) {
      try {
        StopRunningPreview(Run.Dialog);
      } catch (...) {
        // The first error is the one reported.
      }
    }
    throw;
  }
  if (Run.StopPreview) StopRunningPreview(Run.Dialog);
  return accepted;
}
