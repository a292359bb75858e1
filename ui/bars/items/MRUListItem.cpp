#include "ui/bars/items/MRUListItem.h"

#include <vector>

#include "ui/bars/BarManager.h"

DEFINE_CLASS(TdxBarMRUListItem)

String ShortenPathText(const String& Text) {
  // DT_MODIFYSTRING may write up to four characters more than the text (the ellipsis and its end).
  std::vector<wchar_t> buffer(Text.size() + 5, L'\0');
  std::copy(Text.begin(), Text.end(), buffer.begin());
  RECT r{0, 0, 300, 100};
  HDC dc = ::GetDC(nullptr);
  ::DrawTextW(dc, buffer.data(), -1, &r,
              DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
  ::ReleaseDC(nullptr, dc);
  buffer.back() = L'\0';
  return String(buffer.data());
}

TdxBarMRUListItem::TdxBarMRUListItem(TComponent* AOwner) : TdxBarListItem(AOwner) {}

void TdxBarMRUListItem::AddMRUItem(const String& Text, TObject* Obj) {
  int i = Items()->IndexOf(Text);
  if (i == -1 && Obj) i = Items()->IndexOfObject(Obj);
  if (i == -1) {
    Items()->InsertObject(0, Text, Obj);
    CutToMaxCount();
  } else {
    Items()->Move(i, 0);
  }
}

void TdxBarMRUListItem::RemoveMRUItem(const String& Text, TObject* Obj) {
  const int i = !Text.empty() ? Items()->IndexOf(Text) : Items()->IndexOfObject(Obj);
  if (i != -1 && (!Text.empty() || Obj)) Items()->Delete(i);
}

void TdxBarMRUListItem::SetMaxItemCount(int Value) {
  if (Value < 0) Value = 0;
  if (Value == maxItemCount_) return;
  maxItemCount_ = Value;
  CutToMaxCount();
}

void TdxBarMRUListItem::CutToMaxCount() {
  if (maxItemCount_ <= 0) return;
  while (Items()->Count() > maxItemCount_) Items()->Delete(Items()->Count() - 1);
}

String TdxBarMRUListItem::GetEntryDisplayText(const String& EntryText) {
  return ShortenPathText(TdxBarListItem::GetEntryDisplayText(EntryText));
}

void TdxBarMRUListItem::EntryClick(TObject* Sender) {
  // The entry is remembered by its text: the click handler may move or remove entries.
  String clicked;
  if (auto* component = dynamic_cast<TComponent*>(Sender)) {
    const int index = int(component->Tag);
    if (index >= 0 && index < Items()->Count()) clicked = Items()->Strings(index);
  }
  TdxBarListItem::EntryClick(Sender);
  if (ActiveLink() || !RemoveItemOnClick || clicked.empty()) return;
  if (BarManager() && BarManager()->InDesignOrCustomizing()) return;
  if (Items()->IndexOf(clicked) != -1) RemoveMRUItem(clicked);
  ItemIndex = -1;
}
