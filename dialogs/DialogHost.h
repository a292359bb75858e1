#pragma once
// What the dialogs need of the main window, as small interfaces the main window implements. A
// dialog finds one with FindDialogHost: on itself and up its owner chain, else on the application's
// main form. The dialogs library never includes the main window's headers.

#include "platform/framework/classes/Component.h"

class TAudioEditor2;

// The common root of the host interfaces: hosts are components, their lifetime is not counted.
class IDialogHost : public virtual IInterface {
 public:
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
};

// The main window's live preview of an effect on the document's selection.
class IPreviewHost : public virtual IDialogHost {
 public:
  // A preview is playing (cleared by the player's end of play and by a failed start).
  virtual bool Previewing() = 0;
  // Forgets a finished preview: sets Previewing false without touching the player.
  virtual void ClearPreviewing() = 0;
  // The first buffer of a starting preview is still being transformed.
  virtual bool TransformBusy() = 0;
  // Starts the preview of the effect numbered by the settings record's PreviewOperationTypes, with
  // the values stored there; reports a device error itself and leaves Previewing clear.
  virtual void StartPreview() = 0;
  virtual void StopPreview() = 0;
};

// The main window's editor control, whose selection a dialog may fit itself to.
class IEditorHost : public virtual IDialogHost {
 public:
  // The editor holding the open document; null when there is none.
  virtual TAudioEditor2* DocumentEditor() = 0;
};

// The main window's recent-files list, which the options dialog can empty.
class IRecentFilesHost : public virtual IDialogHost {
 public:
  // Empties the list, writes the empty list file and clears the recent pane.
  virtual void ClearRecentFiles() = 0;
};

// The application's main form, or null.
TComponent* ApplicationMainForm();

// The component's own interface, or its owners', else the main form's; null when none has it.
template <class I>
I* FindDialogHost(TComponent* From) {
  for (TComponent* c = From; c; c = c->Owner())
    if (I* host = Supports<I>(c)) return host;
  return Supports<I>(ApplicationMainForm());
}
