#pragma once
// TFormProgress: the small stay-on-top window shown modeless while the editor control works
// through a long operation. Its users set ProgressBar's position (0..100), show and hide it.

#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/controls/StdCtrls.h"

class TFormProgress : public TForm {
  DECLARE_CLASS(TFormProgress, TForm)
 public:
  explicit TFormProgress(TComponent* AOwner);

  TLabel* LabelProcess = nullptr;
  TLabel* LabelWait = nullptr;
  TImage* ImageIcon = nullptr;
  TProgressBar* ProgressBar = nullptr;

  void FormShow(TObject* Sender);
};

// The auto-created progress window (null until it is created).
extern TFormProgress* FormProgress;

// The progress of a long operation in the progress window: shown over Owner when it is not showing
// (300 x 128, single border, centred), its bar set to Percent, then the waiting messages handled
// once. The caller decides whether its own window is disabled meanwhile.
void ShowProgress(TControl* Owner, int Percent);
// Hides a showing progress window and leaves it 0 x 0 without a border.
void HideProgress();
