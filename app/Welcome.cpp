#include "app/Welcome.h"

#include <memory>

#include "app/FormControls.h"
#include "app/MainForm.h"
#include "app/RecentFiles.h"
#include "app/core/Centring.h"
#include "app/core/Globals.h"
#include "app/core/Help.h"
#include "app/core/Paths.h"
#include "platform/framework/rtl/FileUtils.h"
#include "ui/extras/png/PngObject.h"

DEFINE_CLASS(TWelcomeStartForm)

namespace {

constexpr TColor kLinkHotColor = static_cast<TColor>(0xF3D79A);
// Puts the tile captions under the icons the picture draws in the upper part of each tile.
constexpr wchar_t kTileCaptionPrefix[] = L"\r\r\r\r\r";

}  // namespace

TWelcomeStartForm::TWelcomeStartForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"WelcomeStartForm");
  SetCaption(L"Welcome");
  SetBorderStyle(bsDialog);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(600, 371);

  ImageMain = AddControl<TImage>(loading, this, this, L"ImageMain", 0, 0, 600, 371);
  const int tileLeft[] = {20, 135, 250, 365};
  LabelNew = AddLink(loading, L"LabelNew", L"New File...", tileLeft[0], 88, 105, 80, &TWelcomeStartForm::LabelNewClick);
  LabelNewRecording = AddLink(loading, L"LabelNewRecording", L"New Recording...", tileLeft[1], 88, 105, 80,
                              &TWelcomeStartForm::LabelNewRecordingClick);
  LabelLoadfromCD = AddLink(loading, L"LabelLoadfromCD", L"Load from CD...", tileLeft[2], 88, 105, 80,
                            &TWelcomeStartForm::LabelLoadfromCDClick);
  LabelTexttoSpeech = AddLink(loading, L"LabelTexttoSpeech", L"Text to Speech...", tileLeft[3], 88, 105, 80,
                              &TWelcomeStartForm::LabelTexttoSpeechClick);
  for (TLabel* tile : {LabelNew, LabelNewRecording, LabelLoadfromCD, LabelTexttoSpeech}) {
    tile->SetAlignment(taCenter);
    tile->SetWordWrap(true);
  }

  LabelRecentFiles = AddControl<TLabel>(loading, this, this, L"LabelRecentFiles", 30, 194, 200, 16);
  LabelRecentFiles->SetCaption(L"Recent Files");
  LabelTutorial = AddControl<TLabel>(loading, this, this, L"LabelTutorial", 315, 194, 200, 16);
  LabelTutorial->SetCaption(L"Tutorial");
  for (TLabel* heading : {LabelRecentFiles, LabelTutorial}) {
    heading->SetTransparent(true);
    heading->Font()->SetColor(clWhite);
    heading->Font()->SetStyle({fsBold});
  }
  lab1 = AddLink(loading, L"lab1", L"", 30, 224, 250, 16, &TWelcomeStartForm::lab1Click);
  lab2 = AddLink(loading, L"lab2", L"", 30, 246, 250, 16, &TWelcomeStartForm::lab1Click);
  lab3 = AddLink(loading, L"lab3", L"", 30, 268, 250, 16, &TWelcomeStartForm::lab1Click);
  for (TLabel* recent : {lab1, lab2, lab3}) recent->SetShowHint(true);
  labClear = AddLink(loading, L"labClear", L"Clear", 30, 314, 60, 16, &TWelcomeStartForm::labClearClick);
  labMore = AddLink(loading, L"labMore", L"More...", 220, 314, 60, 16, &TWelcomeStartForm::labMoreClick);
  LabelHowTo1 = AddLink(loading, L"LabelHowTo1", L"1. Record Quick Tour", 315, 224, 255, 16,
                        &TWelcomeStartForm::LabelHowTo1Click);
  LabelHowTo2 = AddLink(loading, L"LabelHowTo2", L"2. Importing Audio Tracks from CDs", 315, 246, 255, 16,
                        &TWelcomeStartForm::LabelHowTo2Click);
  LabelHowTo3 = AddLink(loading, L"LabelHowTo3", L"3. Basic Audio Editing", 315, 268, 255, 16,
                        &TWelcomeStartForm::LabelHowTo3Click);
  LabelHowTo4 = AddLink(loading, L"LabelHowTo4", L"4. Connecting Your Stereo Equipment", 315, 290, 255, 16,
                        &TWelcomeStartForm::LabelHowTo4Click);

  CheckBoxShowAtStart = AddControl<TCheckBox>(loading, this, this, L"CheckBoxShowAtStart", 20, 348, 15, 15);
  CheckBoxShowAtStart->OnClick = {this, &TWelcomeStartForm::CheckBoxShowAtStartClick};
  LabelShowAtStart = AddControl<TLabel>(loading, this, this, L"LabelShowAtStart", 38, 349, 200, 14);
  LabelShowAtStart->SetCaption(L"Show this dialog at startup");
  LabelShowAtStart->SetTransparent(true);
  LabelShowAtStart->OnClick = {this, &TWelcomeStartForm::LabelShowAtStartClick};
  ButtonClose = AddControl<TButton>(loading, this, this, L"ButtonClose", 505, 343, 75, 23);
  ButtonClose->SetCaption(L"&Close");
  ButtonClose->Cancel = true;
  ButtonClose->ModalResult = mrCancel;

  OnCreate = {this, &TWelcomeStartForm::FormCreate};
  loading.End();
}

TLabel* TWelcomeStartForm::AddLink(TLoadingBracket& Loading, const wchar_t* Name, const wchar_t* Caption, int Left,
                                   int Top, int Width, int Height, void (TWelcomeStartForm::*Click)(TObject*)) {
  TLabel* link = AddControl<TLabel>(Loading, this, this, Name, Left, Top, Width, Height);
  link->SetAutoSize(false);
  link->SetCaption(Caption);
  link->SetTransparent(true);
  link->Font()->SetColor(clWhite);
  link->SetCursor(crHandPoint);
  link->OnClick = {this, Click};
  link->OnMouseEnter = {this, &TWelcomeStartForm::LabelNewMouseEnter};
  link->OnMouseLeave = {this, &TWelcomeStartForm::LabelNewMouseLeave};
  return link;
}

void TWelcomeStartForm::FormCreate(TObject*) {
  if (!Application->Title().empty()) SetCaption(L"Welcome - " + Application->Title());
  const String picture = AddTrailingBackslash(ExtractFilePath(ParamStr(0))) + L"welcome.png";
  if (FileExists(picture)) {
    ObjectPtr<TPNGObject> png(new TPNGObject);
    png->LoadFromFile(picture);
    ImageMain->Picture()->SetGraphic(png.get());
  }
  for (TLabel* tile : {LabelNew, LabelNewRecording, LabelLoadfromCD, LabelTexttoSpeech})
    tile->SetCaption(kTileCaptionPrefix + tile->Caption());
  CheckBoxShowAtStart->SetChecked(GlobalVars.ShowStartDialog);
  FillRecentLabels();
}

void TWelcomeStartForm::FillRecentLabels() {
  TRecentFiles recent(GlobalVars.DataFolder + L"MRUList.dat");
  recent.Load();
  const std::vector<String>& lines = recent.Items();
  TLabel* labels[] = {lab1, lab2, lab3};
  for (std::size_t i = 0; i < 3; ++i) {
    labels[i]->SetVisible(i < lines.size());
    if (i >= lines.size()) continue;
    labels[i]->SetCaption(ExtractFileName(lines[i]));
    labels[i]->SetHint(lines[i]);
  }
  labClear->SetVisible(!lines.empty());
}

void TWelcomeStartForm::Choose(int Value) {
  Choice = Value;
  ModalResult = mrOk;
}

void TWelcomeStartForm::LabelNewClick(TObject*) { Choose(1); }
void TWelcomeStartForm::LabelNewRecordingClick(TObject*) { Choose(2); }
void TWelcomeStartForm::labMoreClick(TObject*) { Choose(3); }
void TWelcomeStartForm::LabelLoadfromCDClick(TObject*) { Choose(4); }
void TWelcomeStartForm::LabelTexttoSpeechClick(TObject*) { Choose(5); }

void TWelcomeStartForm::lab1Click(TObject* Sender) {
  Path = static_cast<TLabel*>(Sender)->Hint();
  Choose(ChoiceRecentFile);
}

void TWelcomeStartForm::labClearClick(TObject*) {
  MainForm->ClearRecentFiles();
  FillRecentLabels();
}

void TWelcomeStartForm::CheckBoxShowAtStartClick(TObject*) { GlobalVars.ShowStartDialog = CheckBoxShowAtStart->Checked(); }

void TWelcomeStartForm::LabelShowAtStartClick(TObject* Sender) {
  CheckBoxShowAtStart->SetChecked(!CheckBoxShowAtStart->Checked());
  CheckBoxShowAtStartClick(Sender);
}

void TWelcomeStartForm::LabelHowTo1Click(TObject*) { ShowHelpTopic(Handle(), L"RecordQuicktour"); }
void TWelcomeStartForm::LabelHowTo2Click(TObject*) { ShowHelpTopic(Handle(), L"ImportingAudioTracksfromCD"); }
void TWelcomeStartForm::LabelHowTo3Click(TObject*) { ShowHelpTopic(Handle(), L"BasicAudioEditing"); }
void TWelcomeStartForm::LabelHowTo4Click(TObject*) { ShowHelpTopic(Handle(), L"ConnectingYourStereoEquipment"); }

void TWelcomeStartForm::LabelNewMouseEnter(TObject* Sender) {
  TFont* font = static_cast<TLabel*>(Sender)->Font();
  font->SetStyle(font->Style() + TFontStyles{fsUnderline});
  font->SetColor(kLinkHotColor);
}

void TWelcomeStartForm::LabelNewMouseLeave(TObject* Sender) {
  TFont* font = static_cast<TLabel*>(Sender)->Font();
  font->SetStyle(font->Style() - TFontStyles{fsUnderline});
  font->SetColor(clWhite);
}

// ---- The main window's part ----------------------------------------------------------------------

void TMainForm::ShowWelcomeWindow() {
  int choice = TWelcomeStartForm::ChoiceNone;
  String path;
  {
    std::unique_ptr<TWelcomeStartForm> welcome(new TWelcomeStartForm(this));
    CentreOver(welcome.get(), this);
    if (welcome->ShowModal() == mrOk) {
      choice = welcome->Choice;
      path = welcome->Path;
    }
  }
  TAction* commands[] = {ActionNewFile, ActionRecord, ActionOpenFile, ActionLoadCD, ActionTextToSpeech};
  if (choice >= 1 && choice <= 5) {
    commands[choice - 1]->Execute();
    return;
  }
  if (choice != TWelcomeStartForm::ChoiceRecentFile) return;
  if (FileExists(path)) {
    OpenAudioFile(path);
    return;
  }
  Application->MessageBox(path + L" was not found.", Application->Title(), MB_OK | MB_ICONERROR);
  RecentFiles.RemoveItem(path);
  RecentFiles.RemovePaneItem(path);
  RecentFilesChanged();
}

void TMainForm::ActionWelcomeWindowExecute(TObject*) { ShowWelcomeWindow(); }
