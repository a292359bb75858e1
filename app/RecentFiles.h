#pragma once
// The recent-files lists of the main window and their file "MRUList.dat".
//
// Two lists with different rules live here:
// - the list (`Items`): entries compare without regard to case, an added entry goes to the top and
//   the list keeps at most MaxItemCount entries after an addition; loading from the file keeps every
//   line as it stands;
// - the pane (`PaneItems`): full paths compared exactly, no limit; rebuilt from the file at start
//   without the files that no longer exist.
// The file is UTF-8 with a byte-order mark, one path per CR LF line, the most recent first; files
// without a byte-order mark still read. Every change of the list is written at once.

#include <vector>

#include "platform/framework/base/Types.h"

class TRecentFiles {
 public:
  static constexpr int MaxItemCount = 5;

  // FileName: the list file; an empty name keeps the lists in memory only.
  explicit TRecentFiles(const String& FileName = L"") : fileName_(FileName) {}

  const String& FileName() const { return fileName_; }
  void SetFileName(const String& Value) { fileName_ = Value; }
  const std::vector<String>& Items() const { return items_; }
  const std::vector<String>& PaneItems() const { return pane_; }

  // Start: the list takes every line of the file (when it exists), then the pane is rebuilt.
  void Load();
  // Rebuilds the pane from the file's lines, skipping files that do not exist; a missing file
  // leaves the pane as it is.
  void LoadRecentPane();
  // Writes the list to the file; false when the file cannot be written.
  bool Save() const;
  // The same, raising the file layer's exception when the file cannot be written.
  void Write() const;

  // A file was opened or written: moved to the top of the list, and to the top of the pane when
  // it exists.
  void FileUsed(const String& Path);
  // Removes the list's entry equal to Path (without regard to case); the pane keeps it.
  void RemoveItem(const String& Path);
  // Removes the pane's item with exactly this text.
  void RemovePaneItem(const String& Path);
  // Empties both lists and writes the empty list.
  void Clear();

 private:
  int IndexOfItem(const String& Path) const;
  int IndexOfPaneText(const String& Path) const;
  std::vector<String> ReadLines() const;

  String fileName_;
  std::vector<String> items_;
  std::vector<String> pane_;
};
