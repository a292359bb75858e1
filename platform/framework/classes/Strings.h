#pragma once
// Lists of strings with associated objects: the abstract TStrings (text, comma and delimited forms,
// name=value pairs, files and streams) and TStringList (stored, optionally sorted, with change events).

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "platform/framework/base/Types.h"

class TStream;
class TStringList;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
  DECLARE_CLASS(TStrings, TPersistent)

 public:
  TStrings() = default;
  ~TStrings() override = default;

  // The storage a descendant provides.
  virtual int Count() const = 0;
  virtual void Clear() = 0;
  virtual void Delete(int index) = 0;
  virtual void Insert(int index, const String& text) = 0;

  String Strings(int index) const { return Get(index); }
  void SetStrings(int index, const String& text) { Put(index, text); }
  String operator[](int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }

  virtual int Add(const String& text);
  virtual int AddObject(const String& text, TObject* object);
  void Append(const String& text) { Add(text); }
  virtual void AddStrings(const TStrings& strings);
  void InsertObject(int index, const String& text, TObject* object);
  virtual void Move(int currentIndex, int newIndex);
  virtual void Exchange(int index1, int index2);

  // Searches compare by CompareStrings: without regard to case unless a descendant says otherwise.
  virtual int IndexOf(const String& text) const;
  int IndexOfName(const String& name) const;
  int IndexOfObject(const TObject* object) const;
  bool Equals(const TStrings& other) const;

  // name=value pairs; the separator is NameValueSeparator.
  String Names(int index) const;
  String ValueFromIndex(int index) const;
  void SetValueFromIndex(int index, const String& value);
  String Values(const String& name) const;
  // An empty value deletes the pair.
  void SetValues(const String& name, const String& value);
  wchar_t NameValueSeparator() const { return nameValueSeparator_; }
  void SetNameValueSeparator(wchar_t separator) { nameValueSeparator_ = separator; }

  // Every line followed by CR LF. SetText splits at CR LF, LF or CR.
  virtual String Text() const;
  virtual void SetText(const String& text);

  // Items joined by the delimiter; items containing the quote, the delimiter, a blank or a control
  // character (unless StrictDelimiter) are quoted with QuoteChar, quotes doubled. Reading splits at
  // the delimiter (and at blanks unless StrictDelimiter), undoubling quoted items.
  String DelimitedText() const;
  void SetDelimitedText(const String& text);
  // DelimitedText with ',' and '"', whatever Delimiter and QuoteChar are.
  String CommaText() const;
  void SetCommaText(const String& text);
  wchar_t Delimiter() const { return delimiter_; }
  void SetDelimiter(wchar_t delimiter) { delimiter_ = delimiter; }
  wchar_t QuoteChar() const { return quoteChar_; }
  void SetQuoteChar(wchar_t quote) { quoteChar_ = quote; }
  bool StrictDelimiter() const { return strictDelimiter_; }
  void SetStrictDelimiter(bool strict) { strictDelimiter_ = strict; }

  // Nested; the list reports its changes once, when the outermost EndUpdate is reached.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Readers accept a UTF-8 or UTF-16 byte-order mark, BOM-less valid UTF-8, else the ANSI code page.
  // Writers use the given encoding, UTF-8 with a BOM by default.
  virtual void LoadFromFile(const String& fileName);
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToFile(const String& fileName, TTextEncoding encoding = TTextEncoding::Utf8Bom) const;
  virtual void SaveToStream(TStream& stream, TTextEncoding encoding = TTextEncoding::Utf8Bom) const;

  void Assign(TPersistent* source) override;

 protected:
  virtual String Get(int index) const = 0;
  virtual void Put(int index, const String& text);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  // Called with true when the first BeginUpdate starts and with false when the last EndUpdate ends.
  virtual void SetUpdateState(bool updating);
  virtual int CompareStrings(const String& a, const String& b) const;
  // Raises EStringListError with the message formatted with data.
  [[noreturn]] static void Error(const String& message, int data);
  void CheckIndex(int index, int count) const;

 private:
  String JoinDelimited(wchar_t delimiter, wchar_t quote) const;
  void SplitDelimited(const String& text, wchar_t delimiter, wchar_t quote);

  int updateCount_ = 0;
  wchar_t nameValueSeparator_ = L'=';
  wchar_t delimiter_ = L',';
  wchar_t quoteChar_ = L'"';
  bool strictDelimiter_ = false;
};

// Orders two items of the list: negative, zero or positive.
using TStringListSortCompare = int (*)(TStringList* list, int index1, int index2);

// Stored strings with objects (not owned). Sorted lists insert in order and search by bisection;
// Duplicates decides what Add does with an existing string in a sorted list.
class TStringList : public TStrings {
  DECLARE_CLASS(TStringList, TStrings)

 public:
  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(items_.size()); }
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const String& text) override;
  int Add(const String& text) override;
  int AddObject(const String& text, TObject* object) override;
  void Exchange(int index1, int index2) override;
  int IndexOf(const String& text) const override;

  // Bisection in a sorted list: true with the string's index, or false with where it would go.
  virtual bool Find(const String& text, int& index) const;
  // Orders the items by CompareStrings.
  virtual void Sort();
  // Orders the items by compare; a sorted list keeps its own order and ignores the call.
  virtual void CustomSort(TStringListSortCompare compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  String Get(int index) const override;
  void Put(int index, const String& text) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void SetUpdateState(bool updating) override;
  int CompareStrings(const String& a, const String& b) const override;
  virtual void Changed();
  virtual void Changing();
  // Inserts without the sorted check; the one place items are added.
  virtual void InsertItem(int index, const String& text, TObject* object);

 private:
  struct Item {
    String text;
    TObject* object = nullptr;
  };
  static int CompareItems(TStringList* list, int index1, int index2);
  void QuickSort(int left, int right, TStringListSortCompare compare);
  void ExchangeItems(int index1, int index2);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
