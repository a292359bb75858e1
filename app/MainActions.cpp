// The main window's action list, made from one table in command order (the order "Shortcut.dat"
// numbers its sections by), and the menu bar that offers the actions until the ribbon exists.

#include "app/MainForm.h"
#include "platform/framework/ShortCuts.h"

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

// Command order; later commands join at their positions.
const TActionRow kActionRows[] = {
    {&TMainForm::ActionNewFile, L"ActionNewFile", L"File", L"&New File...", L"Ctrl+N", 0,
     &TMainForm::ActionNewFileExecute},
    {&TMainForm::ActionOpenFile, L"ActionOpenFile", L"File", L"&Open File...", L"Ctrl+O", 0,
     &TMainForm::ActionOpenFileExecute},
    {&TMainForm::ActionSaveFile, L"ActionSaveFile", L"File", L"&Save File", L"Ctrl+S", 0,
     &TMainForm::ActionSaveFileExecute},
    {&TMainForm::ActionSaveAs, L"ActionSaveAs", L"File", L"Save File As", L"", 0, &TMainForm::ActionSaveAsExecute},
    {&TMainForm::ActionCloseFile, L"ActionCloseFile", L"File", L"Close File", L"", 0,
     &TMainForm::ActionCloseFileExecute},
    {&TMainForm::ActionHelp, L"ActionHelp", L"Help", L"&Contents", L"F1", 0, &TMainForm::ActionHelpExecute},
    {&TMainForm::ActionAbout, L"ActionAbout", L"Help", L"Version", L"", 0, &TMainForm::ActionAboutExecute},
    {&TMainForm::ActionProductPage, L"ActionProductPage", L"Help", L"Product Page", L"", 0,
     &TMainForm::ActionProductPageExecute},
    {&TMainForm::ActionTechnicalSupport, L"ActionTechnicalSupport", L"Help", L"&Technical Support", L"", 0,
     &TMainForm::ActionTechnicalSupportExecute},
    {&TMainForm::ActionCompanyHomepage, L"ActionCompanyHomepage", L"Help", L"Company &Homepage", L"", 0,
     &TMainForm::ActionCompanyHomepageExecute},
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
    action->OnExecute = TNotifyEvent(this, row.Execute);
    action->SetActionList(ActionList);
    this->*row.Field = action;
  }
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
  AddActionItem(this, MenuFile, ActionOpenFile);
  AddActionItem(this, MenuFile, ActionCloseFile);
  AddSeparator(this, MenuFile);
  AddActionItem(this, MenuFile, ActionSaveFile);
  AddActionItem(this, MenuFile, ActionSaveAs);

  MenuEdit = AddMenu(this, root, L"&Edit");
  MenuTransport = AddMenu(this, root, L"&Transport");
  MenuZoom = AddMenu(this, root, L"&Zoom");
  MenuBookmark = AddMenu(this, root, L"&Bookmark");

  MenuOptions = AddMenu(this, root, L"&Options");
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

  for (TMenuItem* menu : {MenuFile, MenuEdit, MenuTransport, MenuZoom, MenuBookmark, MenuOptions, MenuHelp})
    HideWhenEmpty(menu);
  SetMenu(MainMenu);
}

// The entries' items are only ever added and hidden, never freed: an entry's click may rebuild the
// list while its own item is still handling the click.
void TMainForm::RebuildRecentFilesMenu() {
  const std::vector<String>& entries = RecentFiles.Items();
  if (!recentSeparator_) recentSeparator_ = AddMenu(this, MenuFile, L"-");
  recentSeparator_->SetVisible(!entries.empty());
  while (recentMenuItems_.size() < entries.size()) {
    TMenuItem* item = AddMenu(this, MenuFile, L"");
    const int index = static_cast<int>(recentMenuItems_.size());
    item->OnClick = [this, index](TObject*) { dxBarMRUFilesClick(index); };
    recentMenuItems_.push_back(item);
  }
  for (std::size_t i = 0; i < recentMenuItems_.size(); ++i) {
    TMenuItem* item = recentMenuItems_[i];
    item->SetVisible(i < entries.size());
    if (i >= entries.size()) continue;
    // The number is the item's accelerator; an "&" of the path must not become one.
    String caption = L"&" + std::to_wstring(i + 1) + L" ";
    for (wchar_t ch : entries[i]) {
      if (ch == L'&') caption += L'&';
      caption += ch;
    }
    item->SetCaption(caption);
  }
}
