#include "platform/framework/classes/Strings.h"

#include <utility>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TStrings)
DEFINE_CLASS(TStringList)

namespace {

// Runs body between BeginUpdate and EndUpdate, ending the update also when body throws.
template <class Body>
void Updating(TStrings& strings, Body&& body) {
  strings.BeginUpdate();
  try {
    body();
  } catch (...) {
    strings.EndUpdate();
    throw;
  }
  strings.EndUpdate();
}

bool IsBlank(wchar_t c) { return c >= 1 && c <= L' '; }

}  // namespace

// ---- TStrings ---------------------------------------------------------------------------------

void TStrings::Error(const String& message, int data) { throw EStringListError(Format(message, {data})); }

void TStrings::CheckIndex(int index, int count) const {
  if (index < 0 || index >= count) Error(L"List index out of bounds (%d)", index);
}

int TStrings::Add(const String& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const String& text, TObject* object) {
  const int index = Add(text);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings& strings) {
  Updating(*this, [&] {
    for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
  });
}

void TStrings::InsertObject(int index, const String& text, TObject* object) {
  Insert(index, text);
  PutObject(index, object);
}

void TStrings::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  Updating(*this, [&] {
    const String text = Get(currentIndex);
    TObject* object = GetObject(currentIndex);
    Delete(currentIndex);
    InsertObject(newIndex, text, object);
  });
}

void TStrings::Exchange(int index1, int index2) {
  Updating(*this, [&] {
    const String text = Get(index1);
    TObject* object = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, text);
    PutObject(index2, object);
  });
}

void TStrings::Put(int index, const String& text) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, text, object);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

int TStrings::CompareStrings(const String& a, const String& b) const { return AnsiCompareText(a, b); }

int TStrings::IndexOf(const String& text) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), text) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const String& name) const {
  for (int i = 0; i < Count(); ++i) {
    const String item = Get(i);
    const auto separator = item.find(nameValueSeparator_);
    if (separator != String::npos && CompareStrings(item.substr(0, separator), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

String TStrings::Names(int index) const {
  const String item = Get(index);
  const auto separator = item.find(nameValueSeparator_);
  return separator == String::npos ? String() : item.substr(0, separator);
}

String TStrings::ValueFromIndex(int index) const {
  if (index < 0) return String();
  const String item = Get(index);
  const auto separator = item.find(nameValueSeparator_);
  return separator == String::npos ? String() : item.substr(separator + 1);
}

void TStrings::SetValueFromIndex(int index, const String& value) {
  if (!value.empty()) {
    if (index < 0) index = Add(String());
    Put(index, Names(index) + nameValueSeparator_ + value);
  } else if (index >= 0) {
    Delete(index);
  }
}

String TStrings::Values(const String& name) const { return ValueFromIndex(IndexOfName(name)); }

void TStrings::SetValues(const String& name, const String& value) {
  int index = IndexOfName(name);
  if (!value.empty()) {
    if (index < 0) index = Add(String());
    Put(index, name + nameValueSeparator_ + value);
  } else if (index >= 0) {
    Delete(index);
  }
}

String TStrings::Text() const {
  String text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += L"\r\n";
  }
  return text;
}

void TStrings::SetText(const String& text) {
  Updating(*this, [&] {
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = start;
      while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
      Add(text.substr(start, end - start));
      if (end < text.size() && text[end] == L'\r') ++end;
      if (end < text.size() && text[end] == L'\n') ++end;
      start = end;
    }
  });
}

String TStrings::JoinDelimited(wchar_t delimiter, wchar_t quote) const {
  if (Count() == 1 && Get(0).empty()) return String(2, quote);
  String out;
  for (int i = 0; i < Count(); ++i) {
    const String item = Get(i);
    bool needsQuotes = false;
    for (wchar_t c : item)
      if (c == quote || c == delimiter || (!strictDelimiter_ && c <= L' ')) needsQuotes = true;
    if (i > 0) out += delimiter;
    out += needsQuotes ? AnsiQuotedStr(item, quote) : item;
  }
  return out;
}

void TStrings::SplitDelimited(const String& text, wchar_t delimiter, wchar_t quote) {
  Updating(*this, [&] {
    Clear();
    const std::size_t end = text.size();
    std::size_t p = 0;
    auto skipBlanks = [&] {
      if (!strictDelimiter_)
        while (p < end && IsBlank(text[p])) ++p;
    };
    skipBlanks();
    while (p < end) {
      if (text[p] == quote) {
        Add(AnsiExtractQuotedStr(text, p, quote));
      } else {
        const std::size_t first = p;
        while (p < end && (strictDelimiter_ || text[p] > L' ') && text[p] != delimiter) ++p;
        Add(text.substr(first, p - first));
      }
      skipBlanks();
      if (p < end && text[p] == delimiter) {
        ++p;
        if (p == end) Add(String());  // a trailing delimiter ends with an empty item
        skipBlanks();
      }
    }
  });
}

String TStrings::DelimitedText() const { return JoinDelimited(delimiter_, quoteChar_); }
void TStrings::SetDelimitedText(const String& text) { SplitDelimited(text, delimiter_, quoteChar_); }
String TStrings::CommaText() const { return JoinDelimited(L',', L'"'); }
void TStrings::SetCommaText(const String& text) { SplitDelimited(text, L',', L'"'); }

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::LoadFromStream(TStream& stream) {
  const Int64 size = stream.Size() - stream.Position();
  AnsiString bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  SetText(DecodeText(bytes));
}

void TStrings::SaveToStream(TStream& stream, TTextEncoding encoding) const {
  const AnsiString bytes = EncodeText(Text(), encoding);
  stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TStrings::LoadFromFile(const String& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TStrings::SaveToFile(const String& fileName, TTextEncoding encoding) const {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream, encoding);
}

void TStrings::Assign(TPersistent* source) {
  if (auto* strings = dynamic_cast<TStrings*>(source)) {
    if (strings == this) return;
    Updating(*this, [&] {
      Clear();
      AddStrings(*strings);
    });
    return;
  }
  TPersistent::Assign(source);
}

// ---- TStringList ------------------------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) Changing();
  else Changed();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

String TStringList::Get(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<std::size_t>(index)].text;
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::Put(int index, const String& text) {
  if (sorted_) Error(L"Operation not allowed on sorted list", 0);
  CheckIndex(index, Count());
  Changing();
  items_[static_cast<std::size_t>(index)].text = text;
  Changed();
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index, Count());
  Changing();
  items_[static_cast<std::size_t>(index)].object = object;
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::InsertItem(int index, const String& text, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

void TStringList::Insert(int index, const String& text) {
  if (sorted_) Error(L"Operation not allowed on sorted list", 0);
  CheckIndex(index, Count() + 1);
  InsertItem(index, text, nullptr);
}

int TStringList::Add(const String& text) { return AddObject(text, nullptr); }

int TStringList::AddObject(const String& text, TObject* object) {
  int index = Count();
  if (sorted_ && Find(text, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) Error(L"String list does not allow duplicates", 0);
  }
  InsertItem(index, text, object);
  return index;
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1, Count());
  CheckIndex(index2, Count());
  Changing();
  ExchangeItems(index1, index2);
  Changed();
}

void TStringList::ExchangeItems(int index1, int index2) {
  std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

int TStringList::IndexOf(const String& text) const {
  if (!sorted_) return TStrings::IndexOf(text);
  int index;
  return Find(text, index) ? index : -1;
}

bool TStringList::Find(const String& text, int& index) const {
  bool found = false;
  int low = 0, high = Count() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int order = CompareStrings(items_[static_cast<std::size_t>(middle)].text, text);
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (order == 0) {
        found = true;
        // Without duplicates the first hit is the only one; with them, go on to the first.
        if (duplicates_ != dupAccept) low = middle;
      }
    }
  }
  index = low;
  return found;
}

int TStringList::CompareItems(TStringList* list, int index1, int index2) {
  return list->CompareStrings(list->items_[static_cast<std::size_t>(index1)].text,
                              list->items_[static_cast<std::size_t>(index2)].text);
}

void TStringList::Sort() {
  if (Count() < 2) return;
  Changing();
  QuickSort(0, Count() - 1, &CompareItems);
  Changed();
}

void TStringList::CustomSort(TStringListSortCompare compare) {
  if (sorted_ || Count() < 2) return;
  Changing();
  QuickSort(0, Count() - 1, compare);
  Changed();
}

void TStringList::QuickSort(int left, int right, TStringListSortCompare compare) {
  // The scans are bounded by the range so that a compare function that is not a strict order
  // cannot walk off the list.
  int i;
  do {
    i = left;
    int j = right;
    int pivot = (left + right) / 2;
    do {
      while (i < right && compare(this, i, pivot) < 0) ++i;
      while (j > left && compare(this, j, pivot) > 0) --j;
      if (i <= j) {
        if (i != j) ExchangeItems(i, j);
        if (pivot == i) pivot = j;
        else if (pivot == j) pivot = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) QuickSort(left, j, compare);
    left = i;
  } while (i < right);
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}
