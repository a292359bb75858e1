// The recent-files commands of the main window.

#include "app/MainForm.h"
#include "platform/framework/rtl/FileUtils.h"

void TMainForm::RecentFilesChanged() { RebuildRecentFilesMenu(); }

void TMainForm::LoadRecentPane() { RecentFiles.LoadRecentPane(); }

void TMainForm::ClearRecentFiles() {
  RecentFiles.Clear();
  RecentFilesChanged();
}

void TMainForm::dxBarMRUFilesClick(int Index) {
  const std::vector<String>& entries = RecentFiles.Items();
  if (Index < 0 || Index >= static_cast<int>(entries.size())) return;
  const String path = entries[Index];
  if (FileExists(path)) {
    OpenAudioFile(path);
    return;
  }
  Application->MessageBox(path + L" was not found.", Application->Title(), MB_OK | MB_ICONERROR);
  RecentFiles.RemoveItem(path);
  RecentFilesChanged();
}
