#pragma once
// Styles: named sets of paint values (bitmap, colour, font, text colour), each assigned or left to
// the control; watchers hear of changes and removal. Style sheets bundle the styles of one kind of
// control and may follow another sheet; a repository on the form holds styles and sheets.

#include <vector>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/graphics/Bitmap.h"
#include "ui/foundation/Classes.h"

class TcxCustomStyle;
class TcxStyleRepository;
class TcxCustomStyleSheet;

// Told when a watched style changes or goes away.
class IcxStyleWatcher {
 public:
  virtual void StyleChanged(TcxCustomStyle* Sender) = 0;
  virtual void StyleRemoved(TcxCustomStyle* Sender) = 0;

 protected:
  virtual ~IcxStyleWatcher() = default;
};

class TcxCustomStyle : public TComponent {
  DECLARE_CLASS(TcxCustomStyle, TComponent)
 public:
  explicit TcxCustomStyle(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxCustomStyle() override;
  // Every watcher is taken off the list, then told the style is gone; the style leaves its repository.
  void BeforeDestruction() override;

  virtual void Changed();
  virtual void AddListener(IcxStyleWatcher* W);
  virtual void RemoveListener(IcxStyleWatcher* W);
  virtual void RestoreDefaults() {}
  int ListenerCount() const { return int(watchers_.size()); }

  TcxStyleRepository* StyleRepository() const { return repository_; }
  void SetStyleRepository(TcxStyleRepository* R);
  void ReadState(TReader& Reader) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return repository_ != nullptr; }
  void SetParentComponent(TComponent* P) override;

 private:
  void Detach();
  std::vector<IcxStyleWatcher*> watchers_;
  TcxStyleRepository* repository_ = nullptr;
};

enum TcxStyleValue { svBitmap, svColor, svFont, svTextColor };
using TcxStyleValues = TSet<TcxStyleValue>;

class TcxStyle : public TcxCustomStyle {
  DECLARE_CLASS(TcxStyle, TcxCustomStyle)
 public:
  explicit TcxStyle(TComponent* AOwner);
  ~TcxStyle() override;
  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;
  void ReadState(TReader& Reader) override;

  TcxStyleValues AssignedValues() const { return assigned_; }
  void SetAssignedValues(TcxStyleValues Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TColor TextColor() const { return textColor_; }
  void SetTextColor(TColor Value);
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* Value) { bitmap_->Assign(Value); }
  TFont* Font() const { return font_; }
  void SetFont(TFont* Value) { font_->Assign(Value); }

 protected:
  // Each value is stored only while it is assigned.
  void DefineProperties(TFiler& Filer) override;

 private:
  void BitmapChanged(TObject* Sender);
  void FontChanged(TObject* Sender);
  TcxStyleValues assigned_;
  TColor color_ = clDefault;
  TColor textColor_ = clDefault;
  TBitmap* bitmap_;
  TFont* font_;
  bool restoring_ = false;
};

// The style entries of a control (or of a sheet), by value index.
class TcxCustomStyles : public TcxInterfacedPersistent, public IcxStyleWatcher {
  DECLARE_CLASS(TcxCustomStyles, TcxInterfacedPersistent)
 public:
  explicit TcxCustomStyles(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {}
  ~TcxCustomStyles() override;
  void Assign(TPersistent* Source) override;

  struct Entry {
    int Index;
    TcxCustomStyle* Style;
  };
  int Count() const { return int(entries_.size()); }
  const Entry& Entries(int I) const { return entries_.at(size_t(I)); }
  // The style of value Index, or null; setting one watches it and reports the value's change.
  TcxCustomStyle* GetValue(int Index) const;
  void SetValue(int Index, TcxCustomStyle* Style);
  void DeleteEntry(int I);
  void Clear();

  void StyleChanged(TcxCustomStyle* Sender) override;
  void StyleRemoved(TcxCustomStyle* Sender) override;
  virtual void DoChanged(int Index);

  TcxCustomStyleSheet* StyleSheet() const { return styleSheet_; }
  // Ignored when the sheet is of another styles class or would form a cycle back to the owning sheet.
  void SetStyleSheet(TcxCustomStyleSheet* Sheet);

 protected:
  // A value changed; descendants repaint or relayout.
  virtual void ValueChanged(int Index) { (void)Index; }

 private:
  friend class TcxCustomStyleSheet;
  bool AcceptsSheet(TcxCustomStyleSheet* Sheet) const;
  static void CollectIndexes(TcxCustomStyleSheet* Sheet, std::vector<int>& Indexes);
  std::vector<Entry> entries_;
  bool destroying_ = false;
  TcxCustomStyleSheet* owningSheet_ = nullptr;
  TcxCustomStyleSheet* styleSheet_ = nullptr;
};

class TcxCustomStyleSheet : public TcxComponent {
  DECLARE_CLASS(TcxCustomStyleSheet, TcxComponent)
 public:
  explicit TcxCustomStyleSheet(TComponent* AOwner);
  ~TcxCustomStyleSheet() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;

  // The stored caption, or the name when none is stored; a caption equal to the name stores none.
  String Caption() const { return caption_.empty() ? Name() : caption_; }
  void SetCaption(const String& Value);
  bool CaptionStored() const { return !caption_.empty(); }
  bool BuiltIn = false;

  TcxCustomStyles* Styles() {
    EnsureStyles();
    return styles_;
  }
  // The class of the styles object; a styles object follows only sheets of its own class.
  virtual TClass StylesClass() const { return &TcxCustomStyles::ClassInfo(); }
  void SheetStyleChanged(int Index);
  TcxStyleRepository* StyleRepository() const { return repository_; }
  void SetStyleRepository(TcxStyleRepository* R);
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return repository_ != nullptr; }
  void SetParentComponent(TComponent* P) override;
  void ReadState(TReader& Reader) override;

 protected:
  // The styles object of this sheet's kind; the base makes a TcxCustomStyles.
  virtual TcxCustomStyles* CreateStyles();
  void CollectLinkedComponents(TList& AList) override;
  void DefineProperties(TFiler& Filer) override;

 private:
  friend class TcxCustomStyles;
  void EnsureStyles();
  TcxCustomStyles* styles_ = nullptr;
  std::vector<TcxCustomStyles*> users_;
  TcxStyleRepository* repository_ = nullptr;
  String caption_;
  bool destroying_ = false;
};

class TcxStyleRepository : public TComponent {
  DECLARE_CLASS(TcxStyleRepository, TComponent)
 public:
  explicit TcxStyleRepository(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxStyleRepository() override;
  void BeforeDestruction() override;

  virtual TcxCustomStyle* CreateItem(TComponentClass StyleClass) { return CreateItemEx(StyleClass, this); }
  virtual TcxCustomStyle* CreateItemEx(TComponentClass StyleClass, TComponent* AOwner);
  virtual TcxCustomStyleSheet* CreateStyleSheet(TComponentClass SheetClass) { return CreateStyleSheetEx(SheetClass, this); }
  virtual TcxCustomStyleSheet* CreateStyleSheetEx(TComponentClass SheetClass, TComponent* AOwner);
  void ClearStyles();
  void ClearStyleSheets();
  int StyleCount() const { return int(styles_.size()); }
  TcxCustomStyle* Styles(int I) const { return styles_.at(size_t(I)); }
  int StyleSheetCount() const { return int(sheets_.size()); }
  TcxCustomStyleSheet* StyleSheets(int I) const { return sheets_.at(size_t(I)); }
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

  bool Scalable = false;
  int PixelsPerInch = 0;
  // V scaled from PixelsPerInch to the screen's when Scalable and the two differ.
  int ScaleToScreen(int V) const;

 protected:
  void DefineProperties(TFiler& Filer) override;

 private:
  friend class TcxCustomStyle;
  friend class TcxCustomStyleSheet;
  std::vector<TcxCustomStyle*> styles_;
  std::vector<TcxCustomStyleSheet*> sheets_;
};

// The screen's pixels per inch used by style scaling (replaceable for tests; 0 restores the screen's).
void SetStyleScreenPixelsPerInch(int Value);
