// The main window's action list, made from one table in command order (the order "Shortcut.dat"
// numbers its sections by), and the menu bar that offers the actions until the ribbon exists.

#include "app/MainForm.h"
#include "app/Tools.h"
#include "app/core/TextRoutines.h"
#include "platform/framework/windows/ShortCuts.h"

namespace {

using TExecute = void (TMainForm::*)(TObject*);

struct TActionRow {
  TAction* TMainForm::*Field;
  const wchar_t* Name;
  const wchar_t* Category;
  const wchar_t* Caption;
  const wchar_t* ShortCut;
  int GroupIndex;
  TExecute Execute;
};

// All 109 commands in command order, the order "Shortcut.dat" numbers its sections by. A row without
// a handler is a placeholder for a command another part of the program builds: it carries its caption
// and built-in shortcut, stays disabled, has no menu item and no enabling row, so its key does nothing.
const TActionRow kActionRows[] = {
    {&TMainForm::ActionUndo, L"ActionUndo", L"Edit", L"&Undo", L"Ctrl+Z", 0,
     &TMainForm::ActionUndoExecute},
    {&TMainForm::ActionRedo, L"ActionRedo", L"Edit", L"Redo", L"", 0,
     &TMainForm::ActionRedoExecute},
    {&TMainForm::ActionCut, L"ActionCut", L"Edit", L"Cu&t", L"Ctrl+X", 0,
     &TMainForm::ActionCutExecute},
    {&TMainForm::ActionCopy, L"ActionCopy", L"Edit", L"&Copy", L"Ctrl+C", 0,
     &TMainForm::ActionCopyExecute},
    {&TMainForm::ActionCopyToNew, L"ActionCopyToNew", L"Edit", L"Copy To &New", L"", 0,
     &TMainForm::ActionCopyToNewExecute},
    {&TMainForm::ActionPaste, L"ActionPaste", L"Edit", L"&Paste", L"Ctrl+V", 0,
     &TMainForm::ActionPasteExecute},
    {&TMainForm::ActionDelete, L"ActionDelete", L"Edit", L"&Delete", L"Del", 0,
     &TMainForm::ActionDeleteExecute},
    {&TMainForm::ActionSelectAll, L"ActionSelectAll", L"Edit", L"&Select All", L"Ctrl+A", 0,
     &TMainForm::ActionSelectAllExecute},
    {&TMainForm::ActionSelectToStart, L"ActionSelectToStart", L"Edit", L"Select To Start", L"Shift+Home", 0,
     &TMainForm::ActionSelectToStartExecute},
    {&TMainForm::ActionSelectToEnd, L"ActionSelectToEnd", L"Edit", L"Select To End", L"Shift+End", 0,
     &TMainForm::ActionSelectToEndExecute},
    {&TMainForm::ActionSelectSpecifiedTime, L"ActionSelectSpecifiedTime", L"Edit", L"Select Specified Time", L"Ctrl+G", 0,
     &TMainForm::ActionSelectSpecifiedTimeExecute},
    {&TMainForm::ActionMixFile, L"ActionMixFile", L"Edit", L"&Mix File...", L"", 0,
     &TMainForm::ActionMixFileExecute},
    {&TMainForm::ActionRepeatLoop, L"ActionRepeatLoop", L"Edit", L"Repeat &Loop...", L"", 0,
     &TMainForm::ActionRepeatLoopExecute},
    {&TMainForm::ActionNewFile, L"ActionNewFile", L"File", L"&New File...", L"Ctrl+N", 0,
     &TMainForm::ActionNewFileExecute},
    {&TMainForm::ActionOpenFile, L"ActionOpenFile", L"File", L"&Open File...", L"Ctrl+O", 0,
     &TMainForm::ActionOpenFileExecute},
    {&TMainForm::ActionLoadCD, L"ActionLoadCD", L"File", L"Load Audio CD Track(s)", L"", 0,
     &TMainForm::ActionLoadCDExecute},
    {&TMainForm::ActionSaveFile, L"ActionSaveFile", L"File", L"&Save File", L"Ctrl+S", 0,
     &TMainForm::ActionSaveFileExecute},
    {&TMainForm::ActionSaveAs, L"ActionSaveAs", L"File", L"Save File As", L"", 0, &TMainForm::ActionSaveAsExecute},
    {&TMainForm::ActionCloseFile, L"ActionCloseFile", L"File", L"Close File", L"", 0,
     &TMainForm::ActionCloseFileExecute},
    {&TMainForm::ActionConvertSampleRate, L"ActionConvertSampleRate", L"File", L"Convert Sample Rate and Channels", L"", 0,
     &TMainForm::ActionConvertSampleRateExecute},
    {&TMainForm::ActionPasteMix, L"ActionPasteMix", L"Edit", L"Paste Mi&x...", L"", 0,
     &TMainForm::ActionPasteMixExecute},
    {&TMainForm::ActionTrim, L"ActionTrim", L"Edit", L"Tri&m", L"Ctrl+T", 0,
     &TMainForm::ActionTrimExecute},
    {&TMainForm::ActionEditID3, L"ActionEditID3", L"File", L"Edit ID3 Tags", L"", 0,
     &TMainForm::ActionEditID3Execute},
    {&TMainForm::ActionOptions, L"ActionOptions", L"Options", L"Options", L"", 0,
     &TMainForm::ActionOptionsExecute},
    {&TMainForm::ActionExit, L"ActionExit", L"File", L"E&xit", L"", 0,
     &TMainForm::ActionExitExecute},
    {&TMainForm::ActionBatch, L"ActionBatch", L"Tools", L"Batch Converter", L"", 0,
     &TMainForm::ActionBatchExecute},
    {&TMainForm::ActionHelp, L"ActionHelp", L"Help", L"&Contents", L"F1", 0, &TMainForm::ActionHelpExecute},
    {&TMainForm::ActionAbout, L"ActionAbout", L"Help", L"Version", L"", 0, &TMainForm::ActionAboutExecute},
    {&TMainForm::ActionTrimStart, L"ActionTrimStart", L"Edit", L"Trim St&art", L"Ctrl+M", 0,
     &TMainForm::ActionTrimStartExecute},
    {&TMainForm::ActionTrimEnd, L"ActionTrimEnd", L"Edit", L"Trim En&d", L"Ctrl+E", 0,
     &TMainForm::ActionTrimEndExecute},
    {&TMainForm::ActionSilenceSelect, L"ActionSilenceSelect", L"Edit", L"Silence Select Re&gion", L"", 0,
     &TMainForm::ActionSilenceSelectExecute},
    {&TMainForm::ActionSaveSelect, L"ActionSaveSelect", L"Edit", L"Save Select &Region As...", L"", 0,
     &TMainForm::ActionSaveSelectExecute},
    {&TMainForm::ActionInsertSilenceBegin, L"ActionInsertSilenceBegin", L"Edit", L"Begin", L"", 0,
     &TMainForm::ActionInsertSilenceBeginExecute},
    {&TMainForm::ActionInsertSilenceCurrent, L"ActionInsertSilenceCurrent", L"Edit", L"Current", L"", 0,
     &TMainForm::ActionInsertSilenceCurrentExecute},
    {&TMainForm::ActionInsertSilenceEnd, L"ActionInsertSilenceEnd", L"Edit", L"End", L"", 0,
     &TMainForm::ActionInsertSilenceEndExecute},
    {&TMainForm::ActionInsertFileBegin, L"ActionInsertFileBegin", L"Edit", L"Begin", L"", 0,
     &TMainForm::ActionInsertFileBeginExecute},
    {&TMainForm::ActionInsertFileCurrent, L"ActionInsertFileCurrent", L"Edit", L"Current", L"", 0,
     &TMainForm::ActionInsertFileCurrentExecute},
    {&TMainForm::ActionInsertFileEnd, L"ActionInsertFileEnd", L"Edit", L"End", L"", 0,
     &TMainForm::ActionInsertFileEndExecute},
    {&TMainForm::ActionRecord, L"ActionRecord", L"Control", L"&Record", L"F5", 0,
     &TMainForm::ActionRecordExecute},
    {&TMainForm::ActionPlay, L"ActionPlay", L"Control", L"&Play", L"F9", 0,
     &TMainForm::ActionPlayExecute},
    {&TMainForm::ActionPlayToEnd, L"ActionPlayToEnd", L"Control", L"Play To End", L"", 0,
     &TMainForm::ActionPlayToEndExecute},
    {&TMainForm::ActionLoopPlay, L"ActionLoopPlay", L"Control", L"L&oop Play", L"Shift+F9", 0,
     &TMainForm::ActionLoopPlayExecute},
    {&TMainForm::ActionPause, L"ActionPause", L"Control", L"&Pause", L"", 0,
     &TMainForm::ActionPauseExecute},
    {&TMainForm::ActionStop, L"ActionStop", L"Control", L"&Stop", L"Esc", 0,
     &TMainForm::ActionStopExecute},
    {&TMainForm::ActionStart, L"ActionStart", L"Control", L"&Go to Start", L"Home", 0,
     &TMainForm::ActionStartExecute},
    {&TMainForm::ActionRewind, L"ActionRewind", L"Control", L"Re&wind", L"F7", 0,
     &TMainForm::ActionRewindExecute},
    {&TMainForm::ActionForword, L"ActionForword", L"Control", L"&Fast Forword", L"F8", 0,
     &TMainForm::ActionForwordExecute},
    {&TMainForm::ActionEnd, L"ActionEnd", L"Control", L"Go To &End", L"End", 0,
     &TMainForm::ActionEndExecute},
    {&TMainForm::ActionAmplify, L"ActionAmplify", L"Effect", L"&Amplify...", L"", 0,
     &TMainForm::ActionAmplifyExecute},
    {&TMainForm::ActionNormalize, L"ActionNormalize", L"Effect", L"&Normalize...", L"", 0,
     &TMainForm::ActionNormalizeExecute},
    {&TMainForm::ActionDynamicRangeCompressor, L"ActionDynamicRangeCompressor", L"Effect", L"Dynamic Range Co&mpressor...", L"", 0,
     &TMainForm::ActionDynamicRangeCompressorExecute},
    {&TMainForm::ActionHighPass, L"ActionHighPass", L"Effect", L"&High-Pass Filter...", L"", 0,
     &TMainForm::ActionHighPassExecute},
    {&TMainForm::ActionEqualizer, L"ActionEqualizer", L"Effect", L"E&qualizer...", L"", 0,
     &TMainForm::ActionEqualizerExecute},
    {&TMainForm::ActionEcho, L"ActionEcho", L"Effect", L"Ech&o...", L"", 0,
     &TMainForm::ActionEchoExecute},
    {&TMainForm::ActionReverb, L"ActionReverb", L"Effect", L"&Reverb...", L"", 0,
     &TMainForm::ActionReverbExecute},
    {&TMainForm::ActionReverse, L"ActionReverse", L"Effect", L"Re&verse", L"", 0,
     &TMainForm::ActionReverseExecute},
    {&TMainForm::ActionFadeIn, L"ActionFadeIn", L"Effect", L"&Fade In", L"", 0,
     &TMainForm::ActionFadeInExecute},
    {&TMainForm::ActionFadeOut, L"ActionFadeOut", L"Effect", L"&Fade Out", L"", 0,
     &TMainForm::ActionFadeOutExecute},
    {&TMainForm::ActionFadeOutAndTrim, L"ActionFadeOutAndTrim", L"Effect", L"Fade Out and &Trim", L"", 0,
     &TMainForm::ActionFadeOutAndTrimExecute},
    {&TMainForm::ActionCrossFade, L"ActionCrossFade", L"Effect", L"CrossFade...", L"", 0,
     &TMainForm::ActionCrossFadeExecute},
    {&TMainForm::ActionEnvelope, L"ActionEnvelope", L"Effect", L"En&velope...", L"", 0,
     &TMainForm::ActionEnvelopeExecute},
    {&TMainForm::ActionMixStereo, L"ActionMixStereo", L"Effect", L"&Mix Stereo Channels...", L"", 0,
     &TMainForm::ActionMixStereoExecute},
    {&TMainForm::ActionNoiseReduction, L"ActionNoiseReduction", L"Effect", L"&Noise Reduction...", L"", 0,
     &TMainForm::ActionNoiseReductionExecute},
    {&TMainForm::ActionSpeedChange, L"ActionSpeedChange", L"Effect", L"S&peed Change...", L"", 0,
     &TMainForm::ActionSpeedChangeExecute},
    {&TMainForm::ActionPitchChange, L"ActionPitchChange", L"Effect", L"&Pitch Change...", L"", 0,
     &TMainForm::ActionPitchChangeExecute},
    {&TMainForm::ActionPhaser, L"ActionPhaser", L"Effect", L"Phaser...", L"", 0,
     &TMainForm::ActionPhaserExecute},
    {&TMainForm::ActionFlanger, L"ActionFlanger", L"Effect", L"Flanger...", L"", 0,
     &TMainForm::ActionFlangerExecute},
    {&TMainForm::ActionChorus, L"ActionChorus", L"Effect", L"Chorus...", L"", 0,
     &TMainForm::ActionChorusExecute},
    {&TMainForm::ActionSetBookmark, L"ActionSetBookmark", L"Bookmark", L"&Set Bookmark", L"Ctrl+B", 0,
     &TMainForm::ActionSetBookmarkExecute},
    {&TMainForm::ActionOpenBookmarkList, L"ActionOpenBookmarkList", L"Bookmark", L"&Open Bookmark List", L"Shift+Ctrl+B", 0,
     &TMainForm::ActionOpenBookmarkListExecute},
    {&TMainForm::ActionAddRegion, L"ActionAddRegion", L"Bookmark", L"&Add Region", L"Ctrl+R", 0,
     &TMainForm::ActionAddRegionExecute},
    {&TMainForm::ActionOpenRegionList, L"ActionOpenRegionList", L"Bookmark", L"&Open Region List", L"Shift+Ctrl+R", 0,
     &TMainForm::ActionOpenRegionListExecute},
    {&TMainForm::ActionFrequencyAnalysis, L"ActionFrequencyAnalysis", L"Tools", L"&Frequency Analysis (FFT)", L"", 0,
     &TMainForm::ActionFrequencyAnalysisExecute},
    {&TMainForm::ActionTextToSpeech, L"ActionTextToSpeech", L"Tools", L"Text To &Speech", L"", 0,
     &TMainForm::ActionTextToSpeechExecute},
    {&TMainForm::ActionShowCommandBar, L"ActionShowCommandBar", L"View", L"Show Command Bar", L"Shift+Ctrl+A", 0,
     &TMainForm::ActionShowCommandBarExecute},
    {&TMainForm::ActionBarOntheLeft, L"ActionBarOntheLeft", L"View", L"On the Left", L"", 5,
     &TMainForm::ActionBarOntheLeftExecute},
    {&TMainForm::ActionBarOntheRight, L"ActionBarOntheRight", L"View", L"On the Right", L"", 5,
     &TMainForm::ActionBarOntheRightExecute},
    {&TMainForm::ActionZoomIn, L"ActionZoomIn", L"Zoom", L"&Zoom In", L"", 0,
     &TMainForm::ActionZoomInExecute},
    {&TMainForm::ActionZoomOut, L"ActionZoomOut", L"Zoom", L"Zoom &Out", L"", 0,
     &TMainForm::ActionZoomOutExecute},
    {&TMainForm::ActionZoomToSelection, L"ActionZoomToSelection", L"Zoom", L"Zoom To &Selection", L"", 0,
     &TMainForm::ActionZoomToSelectionExecute},
    {&TMainForm::ActionZoomFull, L"ActionZoomFull", L"Zoom", L"Zoom &Full", L"", 0,
     &TMainForm::ActionZoomFullExecute},
    {&TMainForm::ActionPlayAndPause, L"ActionPlayAndPause", L"Control", L"...", L"Space", 0,
     &TMainForm::ActionPlayAndPauseExecute},
    {&TMainForm::ActionProductPage, L"ActionProductPage", L"Help", L"Product Page", L"", 0,
     &TMainForm::ActionProductPageExecute},
    {&TMainForm::ActionTechnicalSupport, L"ActionTechnicalSupport", L"Help", L"&Technical Support", L"", 0,
     &TMainForm::ActionTechnicalSupportExecute},
    {&TMainForm::ActionCompanyHomepage, L"ActionCompanyHomepage", L"Help", L"Company &Homepage", L"", 0,
     &TMainForm::ActionCompanyHomepageExecute},
    {&TMainForm::ActionBottomBar, L"ActionBottomBar", L"View", L"Bottom Bar", L"", 0,
     &TMainForm::ActionBottomBarExecute},
    {&TMainForm::ActionStatusBar, L"ActionStatusBar", L"View", L"Status Bar", L"", 0,
     nullptr},
    {&TMainForm::ActionWelcomeWindow, L"ActionWelcomeWindow", L"View", L"Welcome Window", L"", 0,
     &TMainForm::ActionWelcomeWindowExecute},
    {&TMainForm::ActionWaveformMode, L"ActionWaveformMode", L"View", L"Waveform Mode", L"", 2,
     &TMainForm::ActionWaveformModeExecute},
    {&TMainForm::ActionSpectralMode, L"ActionSpectralMode", L"View", L"Spectral Mode", L"", 2,
     &TMainForm::ActionSpectralModeExecute},
    {&TMainForm::ActionHorizontalFormatDecimcal, L"ActionHorizontalFormatDecimcal", L"View",
     L"Decimcal (m:ss.dddd)", L"", 3, &TMainForm::ActionHorizontalFormatDecimcalExecute},
    {&TMainForm::ActionHorizontalFormatSample, L"ActionHorizontalFormatSample", L"View", L"Sample", L"", 3,
     &TMainForm::ActionHorizontalFormatSampleExecute},
    {&TMainForm::ActionHorizontalFormatVisible, L"ActionHorizontalFormatVisible", L"View", L"Visible", L"", 0,
     &TMainForm::ActionHorizontalFormatVisibleExecute},
    {&TMainForm::ActionVerticalFormatSample, L"ActionVerticalFormatSample", L"View", L"Sample Values", L"", 4,
     &TMainForm::ActionVerticalFormatSampleExecute},
    {&TMainForm::ActionVerticalFormatNormalized, L"ActionVerticalFormatNormalized", L"View",
     L"Normalized Values", L"", 4, &TMainForm::ActionVerticalFormatNormalizedExecute},
    {&TMainForm::ActionVerticalFormatDecibel, L"ActionVerticalFormatDecibel", L"View", L"Decibel Values", L"", 4,
     &TMainForm::ActionVerticalFormatDecibelExecute},
    {&TMainForm::ActionVerticalFormatVisiable, L"ActionVerticalFormatVisiable", L"View", L"Visiable", L"", 0,
     &TMainForm::ActionVerticalFormatVisiableExecute},
    {&TMainForm::ActionDiscRipper, L"ActionDiscRipper", L"Tools", L"Disc Ripper", L"", 0,
     &TMainForm::ActionSiblingToolExecute},
    {&TMainForm::ActionDiscBurner, L"ActionDiscBurner", L"Tools", L"Disc Burner", L"", 0,
     &TMainForm::ActionSiblingToolExecute},
    {&TMainForm::ActionDiscCopier, L"ActionDiscCopier", L"Tools", L"Disc Copier", L"", 0,
     &TMainForm::ActionSiblingToolExecute},
    {&TMainForm::ActionAudioConverter, L"ActionAudioConverter", L"Tools", L"Audio Converter", L"", 0,
     &TMainForm::ActionSiblingToolExecute},
    {&TMainForm::ActionAudioRecorder, L"ActionAudioRecorder", L"Tools", L"Audio Recorder", L"", 0,
     &TMainForm::ActionSiblingToolExecute},
    {&TMainForm::ActionVerticalZoomIn, L"ActionVerticalZoomIn", L"Zoom", L"Vertical Zoom In", L"", 0,
     &TMainForm::ActionVerticalZoomInExecute},
    {&TMainForm::ActionVerticalZoomOut, L"ActionVerticalZoomOut", L"Zoom", L"Vertical Zoom Out", L"", 0,
     &TMainForm::ActionVerticalZoomOutExecute},
    {&TMainForm::ActionZoomToRight, L"ActionZoomToRight", L"Zoom", L"Zoom To Right", L"", 0,
     &TMainForm::ActionZoomToRightExecute},
    {&TMainForm::ActionZoomToLeft, L"ActionZoomToLeft", L"Zoom", L"Zoom To Left", L"", 0,
     &TMainForm::ActionZoomToLeftExecute},
    {&TMainForm::ActionWindowsMixer, L"ActionWindowsMixer", L"View", L"&Windows Mixer", L"", 0,
     &TMainForm::ActionWindowsMixerExecute},
    {&TMainForm::ActionTopTransportBar, L"ActionTopTransportBar", L"View", L"Top Transport Bar", L"", 0,
     nullptr},
    {&TMainForm::ActionTopZoomBar, L"ActionTopZoomBar", L"View", L"Top Zoom Bar", L"", 0,
     nullptr},
};

}  // namespace

void TMainForm::CreateActions() {
  ActionList = new TActionList(this);
  ActionList->SetName(L"ActionList");
  for (const TActionRow& row : kActionRows) {
    auto* action = new TAction(this);
    action->SetName(row.Name);
    action->SetCategory(row.Category);
    action->SetCaption(row.Caption);
    action->SetShortCut(TextToShortCut(row.ShortCut));
    action->SetGroupIndex(row.GroupIndex);
    if (row.Execute)
      action->OnExecute = TNotifyEvent(this, row.Execute);
    else
      action->SetEnabled(false);
    action->SetActionList(ActionList);
    this->*row.Field = action;
  }
  ActionBatch->SetHint(L"Applies multiple effect or edit functions on the current file at once.");
  ActionList->OnUpdate = {this, &TMainForm::ActionListUpdate};
}

// ---- Menu bar ------------------------------------------------------------------------------------

namespace {

TMenuItem* AddMenu(TMainForm* form, TMenuItem* parent, const String& caption) {
  auto* item = new TMenuItem(form);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

TMenuItem* AddActionItem(TMainForm* form, TMenuItem* parent, TAction* action) {
  auto* item = new TMenuItem(form);
  item->SetAction(action);
  if (action->GroupIndex() != 0) item->SetRadioItem(true);
  parent->Add(item);
  return item;
}

void AddSeparator(TMainForm* form, TMenuItem* parent) { AddMenu(form, parent, L"-"); }

// An item of "File" placed before the separator of Exit, so that Exit stays the last item.
TMenuItem* AddFileItem(TMainForm* form, TMenuItem* file, const String& caption) {
  int exitIndex = file->Count();
  for (int i = 0; i < file->Count(); ++i)
    if (file->Items(i)->Action() == form->ActionExit) exitIndex = i;
  auto* item = new TMenuItem(form);
  item->SetCaption(caption);
  file->Insert(exitIndex > 0 ? exitIndex - 1 : exitIndex, item);
  return item;
}

// A menu with no item, or with separators only, is hidden.
void HideWhenEmpty(TMenuItem* menu) {
  bool any = false;
  for (int i = 0; i < menu->Count(); ++i) any = any || !menu->Items(i)->IsLine();
  menu->SetVisible(any);
}

}  // namespace

void TMainForm::CreateMenuBar() {
  MainMenu = new TMainMenu(this);
  MainMenu->SetName(L"MainMenu");
  TMenuItem* root = MainMenu->Items();

  MenuFile = AddMenu(this, root, L"&File");
  AddActionItem(this, MenuFile, ActionNewFile);
  AddActionItem(this, MenuFile, ActionRecord);
  AddActionItem(this, MenuFile, ActionOpenFile);
  AddActionItem(this, MenuFile, ActionLoadCD);
  AddActionItem(this, MenuFile, ActionCloseFile);
  AddSeparator(this, MenuFile);
  AddActionItem(this, MenuFile, ActionSaveFile);
  AddActionItem(this, MenuFile, ActionSaveAs);
  AddActionItem(this, MenuFile, ActionSaveSelect);
  AddSeparator(this, MenuFile);
  AddActionItem(this, MenuFile, ActionConvertSampleRate);
  AddActionItem(this, MenuFile, ActionEditID3);
  AddActionItem(this, MenuFile, ActionBatch);
  AddSeparator(this, MenuFile);
  for (TAction* action : {ActionTextToSpeech, ActionFrequencyAnalysis, ActionDiscRipper, ActionDiscBurner,
                          ActionDiscCopier, ActionAudioConverter, ActionAudioRecorder})
    AddActionItem(this, MenuFile, action);
  AddSeparator(this, MenuFile);
  AddActionItem(this, MenuFile, ActionExit);

  MenuEdit = AddMenu(this, root, L"&Edit");
  for (TAction* action : {ActionCut, ActionCopy, ActionCopyToNew, ActionPaste, ActionPasteMix, ActionDelete, ActionTrim,
                          ActionUndo, ActionRedo})
    AddActionItem(this, MenuEdit, action);
  AddSeparator(this, MenuEdit);
  for (TAction* action : {ActionRepeatLoop, ActionMixFile, ActionTrimStart, ActionTrimEnd, ActionSilenceSelect})
    AddActionItem(this, MenuEdit, action);
  TMenuItem* select = AddMenu(this, MenuEdit, L"Select");
  for (TAction* action : {ActionSelectToStart, ActionSelectToEnd, ActionSelectSpecifiedTime, ActionSelectAll})
    AddActionItem(this, select, action);
  TMenuItem* insertFile = AddMenu(this, MenuEdit, L"Insert &File");
  for (TAction* action : {ActionInsertFileBegin, ActionInsertFileCurrent, ActionInsertFileEnd})
    AddActionItem(this, insertFile, action);
  TMenuItem* insertSilence = AddMenu(this, MenuEdit, L"Insert Silen&ce");
  for (TAction* action : {ActionInsertSilenceBegin, ActionInsertSilenceCurrent, ActionInsertSilenceEnd})
    AddActionItem(this, insertSilence, action);

  MenuTransport = AddMenu(this, root, L"&Transport");
  for (TAction* action : {ActionPause, ActionPlay, ActionStop, ActionPlayToEnd, ActionLoopPlay, ActionStart,
                          ActionRewind, ActionForword, ActionEnd, ActionRecord})
    AddActionItem(this, MenuTransport, action);

  MenuZoom = AddMenu(this, root, L"&Zoom");
  for (TAction* action : {ActionZoomIn, ActionZoomOut, ActionZoomFull, ActionZoomToSelection, ActionVerticalZoomIn,
                          ActionVerticalZoomOut, ActionZoomToLeft, ActionZoomToRight})
    AddActionItem(this, MenuZoom, action);

  CreateEffectMenu();

  MenuBookmark = AddMenu(this, root, L"&Bookmark");
  for (TAction* action : {ActionSetBookmark, ActionOpenBookmarkList}) AddActionItem(this, MenuBookmark, action);
  AddSeparator(this, MenuBookmark);
  for (TAction* action : {ActionAddRegion, ActionOpenRegionList}) AddActionItem(this, MenuBookmark, action);

  MenuFavorites = AddMenu(this, root, L"F&avorites");
  AddSeparator(this, MenuFavorites);
  AddMenu(this, MenuFavorites, L"Edit Favorites...")->OnClick = {this, &TMainForm::ButtonEditFClick};

  MenuOptions = AddMenu(this, root, L"&Options");
  AddActionItem(this, MenuOptions, ActionOptions);
  AddActionItem(this, MenuOptions, ActionWindowsMixer);
  TMenuItem* quickBar = AddMenu(this, MenuOptions, L"Quick Bar");
  for (TAction* action : {ActionShowCommandBar, ActionBarOntheLeft, ActionBarOntheRight})
    AddActionItem(this, quickBar, action);
  AddActionItem(this, MenuOptions, ActionBottomBar);
  AddActionItem(this, MenuOptions, ActionWelcomeWindow);
  AddMenu(this, MenuOptions, L"&Keyboard Shortcuts")->OnClick = {this, &TMainForm::dxBarLargeButtonKeyboardClick};
  AddSeparator(this, MenuOptions);
  AddActionItem(this, MenuOptions, ActionSpectralMode);
  AddActionItem(this, MenuOptions, ActionWaveformMode);
  TMenuItem* horizontal = AddMenu(this, MenuOptions, L"Horizontal Scale");
  AddActionItem(this, horizontal, ActionHorizontalFormatDecimcal);
  AddActionItem(this, horizontal, ActionHorizontalFormatSample);
  AddSeparator(this, horizontal);
  AddActionItem(this, horizontal, ActionHorizontalFormatVisible);
  TMenuItem* vertical = AddMenu(this, MenuOptions, L"Vertical Scale");
  AddActionItem(this, vertical, ActionVerticalFormatSample);
  AddActionItem(this, vertical, ActionVerticalFormatNormalized);
  AddActionItem(this, vertical, ActionVerticalFormatDecibel);
  AddSeparator(this, vertical);
  AddActionItem(this, vertical, ActionVerticalFormatVisiable);

  MenuHelp = AddMenu(this, root, L"&Help");
  AddActionItem(this, MenuHelp, ActionHelp);
  AddActionItem(this, MenuHelp, ActionAbout);
  AddActionItem(this, MenuHelp, ActionProductPage);
  AddActionItem(this, MenuHelp, ActionTechnicalSupport);
  AddActionItem(this, MenuHelp, ActionCompanyHomepage);
  AddSeparator(this, MenuHelp);
  const TNotifyEvent faqClicks[] = {{this, &TMainForm::dxBarButtonFAQ1Click}, {this, &TMainForm::dxBarButtonFAQ2Click},
                                    {this, &TMainForm::dxBarButtonFAQ3Click}, {this, &TMainForm::dxBarButtonFAQ4Click},
                                    {this, &TMainForm::dxBarButtonFAQ5Click}, {this, &TMainForm::dxBarButtonFAQ6Click}};
  for (std::size_t i = 0; i < std::size(faqClicks); ++i)
    AddMenu(this, MenuHelp, FaqTopics()[i].Caption)->OnClick = faqClicks[i];


  for (TMenuItem* menu : {MenuFile, MenuEdit, MenuTransport, MenuZoom, MenuEffect, MenuBookmark, MenuOptions, MenuHelp})
    HideWhenEmpty(menu);
  SetMenu(MainMenu);
}

// The Effect drop-down's blocks until the ribbon exists, separated by lines: the actions, and items
// for the ten buttons without one. Equalizer ends the "Filter" block and Fade Out and Trim follows
// Fade Out.
void TMainForm::CreateEffectMenu() {
  MenuEffect = AddMenu(this, MainMenu->Items(), L"Effe&ct");
  const auto actions = [this](std::initializer_list<TAction*> list) {
    for (TAction* action : list) AddActionItem(this, MenuEffect, action);
  };
  const auto button = [this](TMenuItem* TMainForm::*field, const wchar_t* caption, TExecute click) {
    this->*field = AddMenu(this, MenuEffect, caption);
    (this->*field)->OnClick = TNotifyEvent(this, click);
  };
  // Delay and Echo
  actions({ActionEcho});
  button(&TMainForm::MenuItemVibrato, L"Vibrato", &TMainForm::dxBarButtonVibratoClick);
  AddSeparator(this, MenuEffect);
  // Amplitude and Compression
  actions({ActionAmplify, ActionCrossFade, ActionFadeIn, ActionFadeOut, ActionFadeOutAndTrim, ActionNormalize,
           ActionEnvelope, ActionDynamicRangeCompressor});
  AddSeparator(this, MenuEffect);
  // Modulation
  actions({ActionChorus, ActionFlanger, ActionPhaser, ActionReverb});
  AddSeparator(this, MenuEffect);
  // Time and Pitch
  actions({ActionSpeedChange, ActionPitchChange});
  AddSeparator(this, MenuEffect);
  // Filter
  button(&TMainForm::MenuItemPeakEQ, L"Peak EQ", &TMainForm::dxBarButtonPeakEQClick);
  button(&TMainForm::MenuItemNotchFilter, L"Notch Filter", &TMainForm::dxBarButtonNotchFilterClick);
  button(&TMainForm::MenuItemBandPass, L"Band Pass", &TMainForm::dxBarButtonBandPassClick);
  button(&TMainForm::MenuItemLowPass, L"Low Pass", &TMainForm::dxBarButtonLowPassClick);
  actions({ActionHighPass});
  button(&TMainForm::MenuItemLowShelf, L"Low Shelf", &TMainForm::dxBarButtonLowShelfClick);
  button(&TMainForm::MenuItemHighShelf, L"High Shelf", &TMainForm::dxBarButtonHighShelfClick);
  actions({ActionEqualizer});
  AddSeparator(this, MenuEffect);
  // Extend Effects
  actions({ActionMixStereo});
  button(&TMainForm::MenuItemInvert, L"Invert", &TMainForm::dxBarButtonInvertClick);
  actions({ActionReverse});
  AddSeparator(this, MenuEffect);
  // Noise Reduction
  actions({ActionNoiseReduction});
  button(&TMainForm::MenuItemCassetteNoiseReduction, L"Cassette Noise Reduction",
         &TMainForm::dxBarButtonCassetteNoiseReductionClick);
  button(&TMainForm::MenuItemVoiceBreathNoiseReduction, L"Voice Breath Noise Reduction",
         &TMainForm::dxBarButtonVoiceBreathNoiseReductionClick);
}

// The entries' items are only ever added and hidden, never freed: an entry's click may rebuild the
// list while its own item is still handling the click.
void TMainForm::RebuildRecentFilesMenu() {
  const std::vector<String>& entries = RecentFiles.Items();
  if (!recentSeparator_) recentSeparator_ = AddFileItem(this, MenuFile, L"-");
  recentSeparator_->SetVisible(!entries.empty());
  while (recentMenuItems_.size() < entries.size()) {
    TMenuItem* item = AddFileItem(this, MenuFile, L"");
    const int index = static_cast<int>(recentMenuItems_.size());
    item->OnClick = [this, index](TObject*) { dxBarMRUFilesClick(index); };
    recentMenuItems_.push_back(item);
  }
  for (std::size_t i = 0; i < recentMenuItems_.size(); ++i) {
    TMenuItem* item = recentMenuItems_[i];
    item->SetVisible(i < entries.size());
    if (i >= entries.size()) continue;
    // The number is the item's accelerator; an "&" of the path must not become one.
    item->SetCaption(L"&" + std::to_wstring(i + 1) + L" " + DoubleAmpersands(entries[i]));
  }
}
