#pragma once
// Styles of a navigation bar: the colours, gradient, transparency, font, picture and alignment of
// each element. A bar holds 20 default styles filled by its view, a repository of named style items,
// and custom-style references from the bar, its groups and its items into that repository; a custom
// style overrides its default style only in the values it marks as assigned.

#include <functional>
#include <vector>

#include "platform/framework/graphics/Graphic.h"
#include "ui/navbar/NavBarBase.h"

enum TdxBarStyleHAlignment { haLeft, haCenter, haRight };
enum TdxBarStyleVAlignment { vaTop, vaCenter, vaBottom };
enum TdxBarStyleGradientMode { gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal };
enum TdxBarStyleAssignedValue {
  savAlphaBlending,
  savAlphaBlending2,
  savBackColor,
  savBackColor2,
  savFont,
  savGradientMode,
  savHAlignment,
  savVAlignment,
  savImage
};
using TdxBarStyleAssignedValues = TSet<TdxBarStyleAssignedValue>;

class TdxNavBarBaseStyle;
// Change kinds: 1 for font, picture, Assign and assigned values; 2 for colours, alpha, gradient and
// alignment.
using TdxNavBarStyleChangeEvent = TEvent<void(TdxNavBarBaseStyle* Sender, int AKind)>;

class TdxNavBarBaseStyle : public TcxOwnedPersistent {
  DECLARE_CLASS(TdxNavBarBaseStyle, TcxOwnedPersistent)
 public:
  explicit TdxNavBarBaseStyle(TPersistent* AOwner);
  ~TdxNavBarBaseStyle() override;

  // Copies the nine values and the assigned set, then one change of kind 1.
  void Assign(TPersistent* Source) override;
  // The values a view starts from; the assigned set ends empty.
  void ResetValues();

  Byte AlphaBlending() const { return alphaBlending_; }
  void SetAlphaBlending(Byte Value);
  Byte AlphaBlending2() const { return alphaBlending2_; }
  void SetAlphaBlending2(Byte Value);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor Value);
  TColor BackColor2() const { return backColor2_; }
  void SetBackColor2(TColor Value);
  TdxBarStyleGradientMode GradientMode() const { return gradientMode_; }
  void SetGradientMode(TdxBarStyleGradientMode Value);
  TdxBarStyleHAlignment HAlignment() const { return hAlignment_; }
  void SetHAlignment(TdxBarStyleHAlignment Value);
  TdxBarStyleVAlignment VAlignment() const { return vAlignment_; }
  void SetVAlignment(TdxBarStyleVAlignment Value);
  TFont* Font() const { return font_; }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  TPicture* Image() const { return image_; }
  void SetImage(TPicture* Value);
  TdxBarStyleAssignedValues AssignedValues() const { return assignedValues_; }

  TdxNavBarStyleChangeEvent OnChange;

 protected:
  virtual bool TracksAssignedValues() const { return true; }
  virtual void Changed(int AKind);
  // Stores the set without a change report (the published setter of TdxNavBarStyle reports).
  void StoreAssignedValues(TdxBarStyleAssignedValues Value) { assignedValues_ = Value; }

 private:
  template <class T>
  void SetValue(T& Field, T Value, TdxBarStyleAssignedValue Flag);
  void FontChanged(TObject* Sender);
  void ImageChanged(TObject* Sender);

  Byte alphaBlending_ = 255;
  Byte alphaBlending2_ = 255;
  TColor backColor_ = clWhite;
  TColor backColor2_ = clWhite;
  TdxBarStyleGradientMode gradientMode_ = gmHorizontal;
  TdxBarStyleHAlignment hAlignment_ = haLeft;
  TdxBarStyleVAlignment vAlignment_ = vaCenter;
  TFont* font_;
  TPicture* image_;
  TdxBarStyleAssignedValues assignedValues_;
  int silent_ = 0;  // inside Assign: the owned font and picture report nothing
};

// The indexes of the 20 default styles.
enum TdxNavBarDefaultStyleIndex {
  dsBackground,
  dsButton,
  dsButtonPressed,
  dsButtonHotTracked,
  dsGroupBackground,
  dsGroupControl,
  dsGroupHeader,
  dsGroupHeaderActive,
  dsGroupHeaderActiveHotTracked,
  dsGroupHeaderActivePressed,
  dsGroupHeaderHotTracked,
  dsGroupHeaderPressed,
  dsHint,
  dsItem,
  dsItemDisabled,
  dsItemHotTracked,
  dsItemPressed,
  dsDropTargetGroup,
  dsDropTargetLink,
  dsNavigationPaneHeader,
  dxNavBarDefaultStyleCount
};

class TdxNavBarDefaultStyles;

// A default style: it holds the view's values until its first change; only then is it stored.
class TdxNavBarDefaultStyle : public TdxNavBarBaseStyle {
  DECLARE_CLASS(TdxNavBarDefaultStyle, TdxNavBarBaseStyle)
 public:
  explicit TdxNavBarDefaultStyle(TdxNavBarDefaultStyles* AOwner);
  bool HoldsDefaults() const { return holdsDefaults_; }
  // Fills the style with the view's values when it still holds them or OnlyIfDefault is false.
  void ResetToDefault(bool AOnlyIfDefault);
  bool IsStored() const { return !holdsDefaults_; }
  std::function<void()> DefaultsProc;

 protected:
  void Changed(int AKind) override;

 private:
  TdxNavBarDefaultStyles* styles_;
  bool holdsDefaults_ = true;
};

class TdxNavBarDefaultStyles : public TcxOwnedPersistent {
  DECLARE_CLASS(TdxNavBarDefaultStyles, TcxOwnedPersistent)
 public:
  explicit TdxNavBarDefaultStyles(TPersistent* AOwner);
  ~TdxNavBarDefaultStyles() override;
  // Creates the 20 styles, each bound to the bar view info's default operation for its index.
  virtual void CreateDefaultStyles();
  virtual void FreeDefaultStyles();

  int Count() const { return int(styles_.size()); }
  TdxNavBarDefaultStyle* StyleAt(int AIndex) const;
  // Assigns into the existing style.
  void SetStyleAt(int AIndex, TdxNavBarBaseStyle* AStyle);
  bool IsStyleStored(int AIndex) const { return StyleAt(AIndex)->IsStored(); }
  // Style by style, up to the smaller count.
  void Assign(TPersistent* Source) override;
  void ResetToDefaults(bool AOnlyIfDefault);

  TdxNavBarDefaultStyle* Background() const { return StyleAt(dsBackground); }
  TdxNavBarDefaultStyle* GroupHeader() const { return StyleAt(dsGroupHeader); }
  TdxNavBarDefaultStyle* Item() const { return StyleAt(dsItem); }
  TdxNavBarDefaultStyle* Hint() const { return StyleAt(dsHint); }

  TNotifyEvent OnChange;

 protected:
  friend class TdxNavBarDefaultStyle;
  void StyleChanged(TdxNavBarDefaultStyle* AStyle);
  int UpdateLock() const { return updateLock_; }
  std::vector<TdxNavBarDefaultStyle*> styles_;

 private:
  int updateLock_ = 0;
};

// A style of the repository: publishes its assigned values.
class TdxNavBarStyle : public TdxNavBarBaseStyle {
  DECLARE_CLASS(TdxNavBarStyle, TdxNavBarBaseStyle)
 public:
  using TdxNavBarBaseStyle::TdxNavBarBaseStyle;
  void SetAssignedValues(TdxBarStyleAssignedValues Value);
};

// A named style of the bar's repository; listeners hear every change of its style.
class TdxNavBarStyleItem : public TdxNavBarComponentCollectionItem {
  DECLARE_CLASS(TdxNavBarStyleItem, TdxNavBarComponentCollectionItem)
 public:
  explicit TdxNavBarStyleItem(TComponent* AOwner);
  ~TdxNavBarStyleItem() override;
  TdxNavBarStyle* Style() const { return style_; }
  void SetStyle(TdxNavBarStyle* Value) { style_->Assign(Value); }
  void Assign(TPersistent* Source) override;
  // Listeners get (the item, pointer to the change kind).
  void AddChangeListener(const TcxEventHandler& AHandler) { listeners_->AddHandler(AHandler); }
  void RemoveChangeListener(const TcxEventHandler& AHandler) { listeners_->RemoveHandler(AHandler); }

 protected:
  TcxComponentCollection* CollectionOfParent(TComponent* AParent) override;

 private:
  void StyleChanged(TdxNavBarBaseStyle* Sender, int AKind);
  TdxNavBarStyle* style_;
  TcxEventHandlerCollection* listeners_;
};

class TdxNavBarStyleRepository : public TdxNavBarComponentCollection {
  DECLARE_CLASS(TdxNavBarStyleRepository, TdxNavBarComponentCollection)
 public:
  explicit TdxNavBarStyleRepository(TComponent* AParentComponent)
      : TdxNavBarComponentCollection(AParentComponent, &TdxNavBarStyleItem::ClassInfo()) {}
  TdxNavBarStyleItem* Add() { return static_cast<TdxNavBarStyleItem*>(TdxNavBarComponentCollection::Add()); }
  TdxNavBarStyleItem* ItemAt(int Index) const {
    return static_cast<TdxNavBarStyleItem*>(TdxNavBarComponentCollection::ItemAt(Index));
  }
};

// References to style items by index; a freed item leaves every index that named it.
class TdxNavBarBaseCustomStyles : public TdxNavBarNexusPersistent {
  DECLARE_CLASS(TdxNavBarBaseCustomStyles, TdxNavBarNexusPersistent)
 public:
  explicit TdxNavBarBaseCustomStyles(TPersistent* AOwner) : TdxNavBarNexusPersistent(AOwner) {}
  ~TdxNavBarBaseCustomStyles() override;
  virtual int StyleCount() const = 0;
  // An index outside 0..StyleCount-1 raises EListError.
  TdxNavBarStyleItem* StyleAt(int AIndex) const;
  void SetStyleAt(int AIndex, TdxNavBarStyleItem* AItem);
  // Copies the references (null beyond the source's count).
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 protected:
  // Sizes the reference array; each descendant calls it in its constructor.
  void AllocateStyles() { styles_.assign(size_t(StyleCount()), nullptr); }
  virtual void Subscribe(int AIndex);
  virtual void Unsubscribe(int AIndex);
  void FreeNotification(TComponent* AComponent) override;
  void Changed();

 private:
  void StyleItemChanged(TObject* Sender, const void* EventArgs);
  void CheckIndex(int AIndex) const;
  std::vector<TdxNavBarStyleItem*> styles_;
};

// The bar's references: Background, Hint, DropTargetGroup, DropTargetLink, Button,
// ButtonHotTracked, ButtonPressed, NavigationPaneHeader.
enum TdxNavBarCustomStyleIndex {
  csBackground,
  csHint,
  csDropTargetGroup,
  csDropTargetLink,
  csButton,
  csButtonHotTracked,
  csButtonPressed,
  csNavigationPaneHeader
};
class TdxNavBarCustomStyles : public TdxNavBarBaseCustomStyles {
  DECLARE_CLASS(TdxNavBarCustomStyles, TdxNavBarBaseCustomStyles)
 public:
  explicit TdxNavBarCustomStyles(TPersistent* AOwner) : TdxNavBarBaseCustomStyles(AOwner) { AllocateStyles(); }
  int StyleCount() const override { return 8; }
};

// A group's references.
enum TdxNavBarGroupCustomStyleIndex {
  gcsBackground,
  gcsControl,
  gcsHeader,
  gcsHeaderActive,
  gcsHeaderActiveHotTracked,
  gcsHeaderActivePressed,
  gcsHeaderHotTracked,
  gcsHeaderPressed
};
class TdxNavBarGroupCustomStyles : public TdxNavBarBaseCustomStyles {
  DECLARE_CLASS(TdxNavBarGroupCustomStyles, TdxNavBarBaseCustomStyles)
 public:
  explicit TdxNavBarGroupCustomStyles(TPersistent* AOwner) : TdxNavBarBaseCustomStyles(AOwner) { AllocateStyles(); }
  int StyleCount() const override { return 8; }
};

// An item's references (Style, StyleDisabled, StyleHotTracked, StylePressed).
enum TdxNavBarItemCustomStyleIndex { icsItem, icsItemDisabled, icsItemHotTracked, icsItemPressed };
class TdxNavBarItemCustomStyles : public TdxNavBarBaseCustomStyles {
  DECLARE_CLASS(TdxNavBarItemCustomStyles, TdxNavBarBaseCustomStyles)
 public:
  explicit TdxNavBarItemCustomStyles(TPersistent* AOwner) : TdxNavBarBaseCustomStyles(AOwner) { AllocateStyles(); }
  int StyleCount() const override { return 4; }
};

// The bar's OptionsStyle: any change of its three objects raises OnChange.
class TdxNavBarStyleOptions : public TcxOwnedPersistent {
  DECLARE_CLASS(TdxNavBarStyleOptions, TcxOwnedPersistent)
 public:
  // ANavBar parents the repository's items.
  explicit TdxNavBarStyleOptions(TdxCustomNavBar* ANavBar);
  ~TdxNavBarStyleOptions() override;
  TdxNavBarDefaultStyles* DefaultStyles() const { return defaultStyles_; }
  void SetDefaultStyles(TdxNavBarDefaultStyles* Value) { defaultStyles_->Assign(Value); }
  TdxNavBarCustomStyles* CustomStyles() const { return customStyles_; }
  void SetCustomStyles(TdxNavBarCustomStyles* Value) { customStyles_->Assign(Value); }
  TdxNavBarStyleRepository* CustomStyleRepository() const { return repository_; }
  void SetCustomStyleRepository(TdxNavBarStyleRepository* Value) { repository_->Assign(Value); }
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();
  TdxNavBarDefaultStyles* defaultStyles_;
  TdxNavBarCustomStyles* customStyles_;
  TdxNavBarStyleRepository* repository_;
};

// The style a value is read from: the custom style item's style when it marks the value as
// assigned, else the default style.
const TdxNavBarBaseStyle* ResolveStyle(const TdxNavBarStyleItem* ACustom, const TdxNavBarBaseStyle* ADefault,
                                       TdxBarStyleAssignedValue AValue);
