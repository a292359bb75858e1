// The main window's marker commands: Set Bookmark and Add Region (a named marker in the editor and
// a row in its list window), opening the two list windows, and the list upkeep of the document
// routines and the close step.

#include "app/Bookmarks.h"
#include "app/MainForm.h"
#include "app/MarkerNamePrompt.h"
#include "app/Regions.h"
#include "app/SampleTimes.h"
#include "app/core/Globals.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"

void TMainForm::ActionSetBookmarkExecute(TObject* Sender) {
  StopTransport();
  const std::int64_t start = AudioEditor->Position()->GetSelectionStart();
  String name = ExtractFileName(DocumentPath) + L"@" + SampleTimeText(*AudioEditor, start);
  if (AskMarkerName(this, this, L"Enter Bookmark Name", name)) {
    IAudioEditor2Markers* markers = AudioEditor->Markers();
    markers->AddMarker(start, 0, name, L"Bookmark", 0, 0, 0, 0, 0);
    markers->SelectMarker(markers->GetMarkerCount());
    if (BookmarkForm) BookmarkForm->AddBookmarkRow(markers);
  }
  if (BookmarkForm && !BookmarkForm->Visible()) ActionOpenBookmarkListExecute(Sender);
}

void TMainForm::ActionAddRegionExecute(TObject* Sender) {
  StopTransport();
  IAudioEditor2Position* position = AudioEditor->Position();
  const std::int64_t start = position->GetSelectionStart();
  const std::int64_t end = position->GetSelectionEnd();
  String name = ExtractFileName(DocumentPath) + L"@" + SampleTimeText(*AudioEditor, start) + L"-" +
                SampleTimeText(*AudioEditor, end);
  if (AskMarkerName(this, this, L"Enter Region Name", name)) {
    IAudioEditor2Markers* markers = AudioEditor->Markers();
    markers->AddMarker(start, end - start, name, L"Region", 0, 0, 0, 0, 0);
    markers->SelectMarker(markers->GetMarkerCount());
    if (RegionForm) RegionForm->AddRegionRow(markers, DocumentPath);
  }
  if (RegionForm && !RegionForm->Visible()) ActionOpenRegionListExecute(Sender);
}

void TMainForm::ActionOpenBookmarkListExecute(TObject*) {
  if (!BookmarkForm) return;
  BookmarkForm->ShowAt(GlobalVars.BookmarkFormLeft, GlobalVars.BookmarkFormTop, GlobalVars.BookmarkFormWidth,
                       GlobalVars.BookmarkFormHeight);
}

void TMainForm::ActionOpenRegionListExecute(TObject*) {
  if (!RegionForm) return;
  RegionForm->ShowAt(GlobalVars.RegionFormLeft, GlobalVars.RegionFormTop, GlobalVars.RegionFormWidth,
                     GlobalVars.RegionFormHeight);
}

// The rows address markers by number, so they belong to one document only.
void TMainForm::ClearMarkerLists() {
  if (BookmarkForm) BookmarkForm->ClearRows();
  if (RegionForm) RegionForm->ClearRows();
}

void TMainForm::StoreMarkerListBounds() {
  if (BookmarkForm && BookmarkForm->Visible())
    BookmarkForm->StoreBounds(GlobalVars.BookmarkFormLeft, GlobalVars.BookmarkFormTop, GlobalVars.BookmarkFormWidth,
                              GlobalVars.BookmarkFormHeight);
  if (RegionForm && RegionForm->Visible())
    RegionForm->StoreBounds(GlobalVars.RegionFormLeft, GlobalVars.RegionFormTop, GlobalVars.RegionFormWidth,
                            GlobalVars.RegionFormHeight);
}
