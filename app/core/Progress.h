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
