#include "app/RecentFiles.h"

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/rtl/SysUtils.h"

std::vector<String> TRecentFiles::ReadLines() const {
  std::vector<String> lines;
  if (fileName_.empty() || !FileExists(fileName_)) return lines;
  TStringList list;
  list.LoadFromFile(fileName_);
  lines.reserve(list.Count());
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

void TRecentFiles::Load() {
  if (fileName_.empty() || !FileExists(fileName_)) return;
  items_ = ReadLines();
  LoadRecentPane();
}

void TRecentFiles::LoadRecentPane() {
  if (fileName_.empty() || !FileExists(fileName_)) return;
  pane_.clear();
  const std::vector<String> lines = ReadLines();
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    if (!FileExists(*line)) continue;
    RemovePaneItem(*line);
    pane_.insert(pane_.begin(), *line);
  }
}

void TRecentFiles::Write() const {
  if (fileName_.empty()) return;
  TStringList list;
  for (const String& item : items_) list.Add(item);
  list.SaveToFile(fileName_, TTextEncoding::Utf8Bom);
}

bool TRecentFiles::Save() const {
  try {
    Write();
    return true;
  } catch (const Exception&) {
    return false;
  }
}

int TRecentFiles::IndexOfItem(const String& Path) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (AnsiSameText(items_[i], Path)) return static_cast<int>(i);
  return -1;
}

int TRecentFiles::IndexOfPaneText(const String& Path) const {
  for (std::size_t i = 0; i < pane_.size(); ++i)
    if (pane_[i] == Path) return static_cast<int>(i);
  return -1;
}

void TRecentFiles::FileUsed(const String& Path) {
  const int index = IndexOfItem(Path);
  if (index >= 0) items_.erase(items_.begin() + index);
  items_.insert(items_.begin(), Path);
  if (static_cast<int>(items_.size()) > MaxItemCount) items_.resize(MaxItemCount);
  if (FileExists(Path)) {
    RemovePaneItem(Path);
    pane_.insert(pane_.begin(), Path);
  }
  Save();
}

void TRecentFiles::RemoveItem(const String& Path) {
  const int index = IndexOfItem(Path);
  if (index < 0) return;
  items_.erase(items_.begin() + index);
  Save();
}

void TRecentFiles::RemovePaneItem(const String& Path) {
  const int index = IndexOfPaneText(Path);
  if (index >= 0) pane_.erase(pane_.begin() + index);
}

void TRecentFiles::Clear() {
  items_.clear();
  Save();
  pane_.clear();
}
