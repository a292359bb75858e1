#pragma once
// The one way every caller drives a parameter dialog: the effect commands, the favourite appliers
// and editor, and the batch converter's command editing.
//
//   1. the dialog, owned by the caller, is centred over the caller;
//   2. Fill puts the values into it (LoadFromSettings, or the caller's own values);
//      with HidePreview its Preview button is hidden;
//   3. it is shown modally;
//   4. on OK, OnOK takes the values (StoreToSettings, or reading the controls);
//   5. with StopPreview, a preview still playing is stopped: on every path after the modal show,
//      also when OnOK raises (the error still reaches the caller);
//   6. the dialog is freed, whatever happened.
// The result is true when the dialog was closed with OK and OnOK ran.

#include <functional>

#include "dialogs/ParameterDialog.h"

struct TDialogRun {
  TCustomForm* Dialog;
  TControl* CentreOver;
  TButton* Preview;
  std::function<void()> Fill;
  bool HidePreview;
  std::function<void()> OnOK;
  bool StopPreview;
};

// Steps 1 to 5 over an existing dialog; the caller frees it.
bool RunDialogProtocol(const TDialogRun& Run);

template <class TDialog>
bool ExecuteParameterDialog(TWinControl* Caller, const std::function<void(TDialog&)>& Fill, bool HidePreview,
                            const std::function<void(TDialog&)>& OnOK, bool StopPreview) {
  ObjectPtr<TDialog> dialog(new TDialog(Caller));
  TDialog& d = *dialog;
  return RunDialogProtocol({&d, Caller, d.Family().ButtonPreview(), [&] { if (Fill) Fill(d); }, HidePreview,
                            [&] { if (OnOK) OnOK(d); }, StopPreview});
}

// What the effect commands do: load from the settings record, store to it on OK, stop a preview
// (the commands of the dialogs without one skip that step).
template <class TDialog, bool StopPreview = true>
bool ExecuteEffectDialog(TWinControl* Caller) {
  return ExecuteParameterDialog<TDialog>(
      Caller, [](TDialog& d) { d.LoadFromSettings(); }, false, [](TDialog& d) { d.StoreToSettings(); },
      StopPreview);
}

// A dialog without preview (the format, document and edit dialogs): owned by the caller, centred
// over it, filled, shown, read back on OK and freed on every path. True on OK.
template <class TDialog>
bool ExecuteDialog(TWinControl* Caller, const std::function<void(TDialog&)>& Fill,
                   const std::function<void(TDialog&)>& OnOK) {
  ObjectPtr<TDialog> dialog(new TDialog(Caller));
  TDialog& d = *dialog;
  return RunDialogProtocol({&d, Caller, nullptr, [&] { if (Fill) Fill(d); }, false, [&] { if (OnOK) OnOK(d); }, false});
}
