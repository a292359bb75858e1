#pragma once
// The recent-files list: a list item whose entries are kept most recent first, cut at a maximum
// count and shown shortened with a path ellipsis.

#include "ui/bars/SubItems.h"

// Text shortened to at most 300 pixels (the screen's system font) with an ellipsis in the middle of
// the path, keeping its start and its file name.
String ShortenPathText(const String& Text);

class TdxBarMRUListItem : public TdxBarListItem {
  DECLARE_CLASS(TdxBarMRUListItem, TdxBarListItem)
 public:
  explicit TdxBarMRUListItem(TComponent* AOwner);

  // Puts Text on top: a present entry (by text, else by object) moves there and keeps its text and
  // object; a new one is inserted and the list is cut.
  void AddMRUItem(const String& Text, TObject* Obj = nullptr);
  // Deletes the entry with Text, or with Obj when Text is empty.
  void RemoveMRUItem(const String& Text, TObject* Obj = nullptr);

  // 0: no limit; a negative value is stored as 0.
  int MaxItemCount() const { return maxItemCount_; }
  void SetMaxItemCount(int Value);
  bool RemoveItemOnClick = false;

  String GetEntryDisplayText(const String& EntryText) override;
  void EntryClick(TObject* Sender) override;

 private:
  void CutToMaxCount();
  int maxItemCount_ = 5;
};
