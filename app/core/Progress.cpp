#include "app/core/Progress.h"

#include <cstdint>

#include "app/core/Centring.h"
#include "app/core/FontNames.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/graphics/Icon.h"

DEFINE_CLASS(TFormProgress)

TFormProgress* FormProgress = nullptr;

namespace {

constexpr int kIconSize = 48;

TLabel* MakeLabel(TLoadingBracket& loading, TFormProgress* form, const wchar_t* name, const wchar_t* caption, int top) {
  auto* label = loading.Add(new TLabel(form));
  label->SetName(name);
  label->SetParent(form);
  label->SetCaption(caption);
  label->SetBounds(76, top, 260, 14);
  return label;
}

}  // namespace

TFormProgress::TFormProgress(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"FormProgress");
  SetCaption(L"Processing...");
  SetBorderStyle(bsSingle);
  SetBorderIcons({});
  SetFormStyle(fsStayOnTop);
  SetPosition(poMainFormCenter);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(352, 84);

  ImageIcon = loading.Add(new TImage(this));
  ImageIcon->SetName(L"ImageIcon");
  ImageIcon->SetParent(this);
  ImageIcon->SetBounds(14, 14, kIconSize, kIconSize);
  TIcon icon;
  icon.SetSize(kIconSize, kIconSize);
  icon.LoadFromResourceName(GetModuleHandleW(nullptr), L"ProgressIcon");
  ImageIcon->Picture()->SetIcon(&icon);

  LabelProcess = MakeLabel(loading, this, L"LabelProcess", L"Process audio data", 14);
  LabelWait = MakeLabel(loading, this, L"LabelWait", L"Please wait...", 32);

  ProgressBar = loading.Add(new TProgressBar(this));
  ProgressBar->SetName(L"ProgressBar");
  ProgressBar->SetParent(this);
  ProgressBar->SetBounds(76, 54, 262, 16);
  ProgressBar->SetMin(0);
  ProgressBar->SetMax(100);

  OnShow = {this, &TFormProgress::FormShow};
  loading.End();
}

void TFormProgress::FormShow(TObject*) { ReplaceFontName(this, L"Tahoma", Screen->HintFont()->Name()); }

void ShowProgress(TControl* Owner, int Percent) {
  if (FormProgress) {
    if (!FormProgress->Visible()) {
      FormProgress->SetBorderStyle(bsSingle);
      FormProgress->SetBounds(FormProgress->Left(), FormProgress->Top(), 300, 128);
      CentreOver(FormProgress, Owner);
      FormProgress->Show();
    }
    FormProgress->ProgressBar->SetPosition(static_cast<std::int16_t>(Percent));
  }
  Application->ProcessMessages();
}

void HideProgress() {
  if (!FormProgress || !FormProgress->Visible()) return;
  FormProgress->Hide();
  FormProgress->SetBounds(FormProgress->Left(), FormProgress->Top(), 0, 0);
  FormProgress->SetBorderStyle(bsNone);
}
