#include "app/Tools.h"

#include "app/MainForm.h"
#include "app/core/Globals.h"
#include "app/core/Help.h"
#include "app/core/Paths.h"
#include "app/core/ShellCommands.h"
#include "app/core/WaitCursor.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

const TSiblingTool kSiblingTools[] = {
    {L"ActionDiscRipper", L"Disc Ripper", L"DiscRipper.exe"},
    {L"ActionDiscBurner", L"Disc Burner", L"DiscBurner.exe"},
    {L"ActionDiscCopier", L"Disc Copier", L"DiscCopier.exe"},
    {L"ActionAudioConverter", L"Audio Converter", L"AudioConverter.exe"},
    {L"ActionAudioRecorder", L"Audio Recorder", L"AudioRecorder.exe"},
};

const TFaqTopic kFaqTopics[] = {
    {L"1. Change audio source in Windows Vista", L""},
    {L"2. Record Quick Tour", L"RecordQuicktour"},
    {L"3. Importing Audio Tracks from CDs", L"ImportingAudioTracksfromCD"},
    {L"4. Basic Audio Editing", L"BasicAudioEditing"},
    {L"5. Connecting Your Stereo Equipment", L"ConnectingYourStereoEquipment"},
    {L"6. Bookmarks and Regions", L"BookmarksandRegions"},
};

// Every control that shows the hand-point cursor shows the system's hand.
void StartToolsUnit() {
  if (Screen) Screen->SetCursors(crHandPoint, LoadCursorW(nullptr, IDC_HAND));
}

const TUnitRegistration toolsUnit(&StartToolsUnit, nullptr);

void ShowFaqTopic(TMainForm& Main, int Button) {
  ShowHelpTopic(Main.Handle(), kFaqTopics[Button - 1].Topic);
}

}  // namespace

const wchar_t SiblingToolSwitch[] = L"/fromeditor";
const wchar_t FaqPageSuffix[] = L"vistaproblem/";

std::span<const TSiblingTool> SiblingTools() { return kSiblingTools; }
std::span<const TFaqTopic> FaqTopics() { return kFaqTopics; }

void TMainForm::LaunchSiblingTool(const String& FileName) {
  StopTransport();
  TWaitCursor wait;
  ShellExecuteNormal(Handle(), L"open", AddTrailingBackslash(ExtractFilePath(ParamStr(0))) + FileName, SiblingToolSwitch);
}

void TMainForm::ActionSiblingToolExecute(TObject* Sender) {
  const String name = static_cast<TComponent*>(Sender)->Name();
  for (const TSiblingTool& tool : kSiblingTools)
    if (name == tool.ActionName) LaunchSiblingTool(tool.FileName);
}

void TMainForm::ApplicationMenuExtraPaneItemClick(int Index) {
  const std::vector<String>& pane = RecentFiles.PaneItems();
  if (Index < 0 || Index >= static_cast<int>(pane.size())) return;
  const String path = pane[Index];
  if (FileExists(path)) {
    OpenAudioFile(path);
    return;
  }
  Application->MessageBox(path + L" was not found.", Application->Title(), MB_OK | MB_ICONERROR);
  RecentFiles.RemovePaneItem(path);
}

void TMainForm::dxBarButtonFAQ1Click(TObject*) { OpenDocumentOrUrl(GlobalVars.ProductPageAddress + FaqPageSuffix); }
void TMainForm::dxBarButtonFAQ2Click(TObject*) { ShowFaqTopic(*this, 2); }
void TMainForm::dxBarButtonFAQ3Click(TObject*) { ShowFaqTopic(*this, 3); }
void TMainForm::dxBarButtonFAQ4Click(TObject*) { ShowFaqTopic(*this, 4); }
void TMainForm::dxBarButtonFAQ5Click(TObject*) { ShowFaqTopic(*this, 5); }
void TMainForm::dxBarButtonFAQ6Click(TObject*) { ShowFaqTopic(*this, 6); }
