#include "ui/navbar/NavBarStyles.h"

#include <algorithm>

#include "ui/navbar/NavBarViewInfo.h"
#include "ui/navbar/NavBarPainter.h"

DEFINE_CLASS(TdxNavBarBaseStyle)
DEFINE_CLASS(TdxNavBarDefaultStyle)
DEFINE_CLASS(TdxNavBarDefaultStyles)
DEFINE_CLASS(TdxNavBarStyle)
DEFINE_CLASS(TdxNavBarStyleItem)
DEFINE_CLASS(TdxNavBarStyleRepository)
DEFINE_CLASS(TdxNavBarBaseCustomStyles)
DEFINE_CLASS(TdxNavBarCustomStyles)
DEFINE_CLASS(TdxNavBarGroupCustomStyles)
DEFINE_CLASS(TdxNavBarItemCustomStyles)
DEFINE_CLASS(TdxNavBarStyleOptions)

// ---- TdxNavBarBaseStyle -----------------------------------------------------------------------

TdxNavBarBaseStyle::TdxNavBarBaseStyle(TPersistent* AOwner)
    : TcxOwnedPersistent(AOwner), font_(new TFont), image_(new TPicture) {
  font_->OnChange = {this, &TdxNavBarBaseStyle::FontChanged};
  image_->OnChange = {this, &TdxNavBarBaseStyle::ImageChanged};
}

TdxNavBarBaseStyle::~TdxNavBarBaseStyle() {
  font_->OnChange = nullptr;
  image_->OnChange = nullptr;
  delete image_;
  delete font_;
}

template <class T>
void TdxNavBarBaseStyle::SetValue(T& Field, T Value, TdxBarStyleAssignedValue Flag) {
  if (Field == Value) return;
  Field = Value;
  if (TracksAssignedValues()) assignedValues_.Include(Flag);
  Changed(2);
}

void TdxNavBarBaseStyle::SetAlphaBlending(Byte Value) { SetValue(alphaBlending_, Value, savAlphaBlending); }
void TdxNavBarBaseStyle::SetAlphaBlending2(Byte Value) { SetValue(alphaBlending2_, Value, savAlphaBlending2); }
void TdxNavBarBaseStyle::SetBackColor(TColor Value) { SetValue(backColor_, Value, savBackColor); }
void TdxNavBarBaseStyle::SetBackColor2(TColor Value) { SetValue(backColor2_, Value, savBackColor2); }
void TdxNavBarBaseStyle::SetGradientMode(TdxBarStyleGradientMode Value) {
  SetValue(gradientMode_, Value, savGradientMode);
}
void TdxNavBarBaseStyle::SetHAlignment(TdxBarStyleHAlignment Value) { SetValue(hAlignment_, Value, savHAlignment); }
void TdxNavBarBaseStyle::SetVAlignment(TdxBarStyleVAlignment Value) { SetValue(vAlignment_, Value, savVAlignment); }

void TdxNavBarBaseStyle::SetImage(TPicture* Value) {
  image_->Assign(Value);
  Changed(1);
}

void TdxNavBarBaseStyle::FontChanged(TObject*) {
  if (silent_) return;
  if (TracksAssignedValues()) assignedValues_.Include(savFont);
  Changed(1);
}

void TdxNavBarBaseStyle::ImageChanged(TObject*) {
  if (silent_) return;
  if (TracksAssignedValues()) assignedValues_.Include(savImage);
  Changed(1);
}

void TdxNavBarBaseStyle::Changed(int AKind) {
  if (OnChange) OnChange(this, AKind);
}

void TdxNavBarBaseStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarBaseStyle*>(Source);
  if (!source) return TcxOwnedPersistent::Assign(Source);
  ++silent_;
  try {
    alphaBlending_ = source->alphaBlending_;
    alphaBlending2_ = source->alphaBlending2_;
    backColor_ = source->backColor_;
    backColor2_ = source->backColor2_;
    gradientMode_ = source->gradientMode_;
    hAlignment_ = source->hAlignment_;
    vAlignment_ = source->vAlignment_;
    font_->Assign(source->font_);
    image_->Assign(source->image_);
    assignedValues_ = source->assignedValues_;
  } catch (...) {
    --silent_;
    throw;
  }
  --silent_;
  Changed(1);
}

void TdxNavBarBaseStyle::ResetValues() {
  SetAlphaBlending(255);
  SetAlphaBlending2(255);
  SetBackColor(clWhite);
  SetBackColor2(clWhite);
  SetGradientMode(gmHorizontal);
  font_->SetCharset(DEFAULT_CHARSET);
  font_->SetColor(clWindowText);
  font_->SetHeight(-11);
  font_->SetName(L"MS Sans Serif");
  font_->SetPitch(fpDefault);
  font_->SetSize(8);
  font_->SetStyle({});
  image_->SetGraphic(nullptr);
  SetHAlignment(haLeft);
  SetVAlignment(vaCenter);
  assignedValues_ = {};
}

// ---- default styles ----------------------------------------------------------------------------

TdxNavBarDefaultStyle::TdxNavBarDefaultStyle(TdxNavBarDefaultStyles* AOwner)
    : TdxNavBarBaseStyle(AOwner), styles_(AOwner) {}

void TdxNavBarDefaultStyle::Changed(int AKind) {
  TdxNavBarBaseStyle::Changed(AKind);
  if (styles_) styles_->StyleChanged(this);
  holdsDefaults_ = false;
}

void TdxNavBarDefaultStyle::ResetToDefault(bool AOnlyIfDefault) {
  if (!DefaultsProc || (!holdsDefaults_ && AOnlyIfDefault)) return;
  DefaultsProc();
  holdsDefaults_ = true;
}

TdxNavBarDefaultStyles::TdxNavBarDefaultStyles(TPersistent* AOwner) : TcxOwnedPersistent(AOwner) {
  CreateDefaultStyles();
}

TdxNavBarDefaultStyles::~TdxNavBarDefaultStyles() { FreeDefaultStyles(); }

void TdxNavBarDefaultStyles::CreateDefaultStyles() {
  for (int i = 0; i < dxNavBarDefaultStyleCount; ++i) {
    auto* style = new TdxNavBarDefaultStyle(this);
    style->DefaultsProc = [this, i] {
      if (TdxCustomNavBar* bar = NavBarOfPersistent(this)) bar->Painter()->ViewInfo()->AssignDefaultStyle(i);
    };
    styles_.push_back(style);
  }
}

void TdxNavBarDefaultStyles::FreeDefaultStyles() {
  for (TdxNavBarDefaultStyle* style : styles_) style->Free();
  styles_.clear();
}

TdxNavBarDefaultStyle* TdxNavBarDefaultStyles::StyleAt(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) RaiseListIndexError(AIndex);
  return styles_[size_t(AIndex)];
}

void TdxNavBarDefaultStyles::SetStyleAt(int AIndex, TdxNavBarBaseStyle* AStyle) { StyleAt(AIndex)->Assign(AStyle); }

void TdxNavBarDefaultStyles::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarDefaultStyles*>(Source);
  if (!source) return TcxOwnedPersistent::Assign(Source);
  const int count = std::min(Count(), source->Count());
  for (int i = 0; i < count; ++i) StyleAt(i)->Assign(source->StyleAt(i));
}

void TdxNavBarDefaultStyles::ResetToDefaults(bool AOnlyIfDefault) {
  ++updateLock_;
  try {
    for (TdxNavBarDefaultStyle* style : styles_) style->ResetToDefault(AOnlyIfDefault);
  } catch (...) {
    --updateLock_;
    throw;
  }
  --updateLock_;
}

void TdxNavBarDefaultStyles::StyleChanged(TdxNavBarDefaultStyle*) {
  if (updateLock_ == 0 && OnChange) OnChange(this);
}

void TdxNavBarStyle::SetAssignedValues(TdxBarStyleAssignedValues Value) {
  StoreAssignedValues(Value);
  Changed(1);
}

// ---- style items -------------------------------------------------------------------------------

TdxNavBarStyleItem::TdxNavBarStyleItem(TComponent* AOwner)
    : TdxNavBarComponentCollectionItem(AOwner), style_(new TdxNavBarStyle(this)), listeners_(new TcxEventHandlerCollection) {
  style_->OnChange = {this, &TdxNavBarStyleItem::StyleChanged};
}

TdxNavBarStyleItem::~TdxNavBarStyleItem() {
  style_->Free();
  listeners_->Free();
}

void TdxNavBarStyleItem::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TdxNavBarStyleItem*>(Source)) return style_->Assign(source->style_);
  TdxNavBarComponentCollectionItem::Assign(Source);
}

void TdxNavBarStyleItem::StyleChanged(TdxNavBarBaseStyle*, int AKind) {
  listeners_->CallAll(this, &AKind);
  ReportItemChange(false);
}

TcxComponentCollection* TdxNavBarStyleItem::CollectionOfParent(TComponent* AParent) {
  auto* bar = dynamic_cast<TdxCustomNavBar*>(AParent);
  return bar ? bar->OptionsStyle()->CustomStyleRepository() : nullptr;
}

// ---- custom styles -----------------------------------------------------------------------------

TdxNavBarBaseCustomStyles::~TdxNavBarBaseCustomStyles() {
  for (int i = 0; i < int(styles_.size()); ++i)
    if (styles_[size_t(i)]) {
      Unsubscribe(i);
      FreeNotificator()->UnwatchComponent(styles_[size_t(i)]);
      styles_[size_t(i)] = nullptr;
    }
}

void TdxNavBarBaseCustomStyles::CheckIndex(int AIndex) const {
  if (AIndex < 0 || AIndex >= int(styles_.size())) RaiseListIndexError(AIndex);
}

TdxNavBarStyleItem* TdxNavBarBaseCustomStyles::StyleAt(int AIndex) const {
  CheckIndex(AIndex);
  return styles_[size_t(AIndex)];
}

void TdxNavBarBaseCustomStyles::SetStyleAt(int AIndex, TdxNavBarStyleItem* AItem) {
  CheckIndex(AIndex);
  TdxNavBarStyleItem*& slot = styles_[size_t(AIndex)];
  if (slot == AItem) return;
  if (slot) {
    Unsubscribe(AIndex);
    // Another slot may still name the old item: keep watching it then.
    if (std::count(styles_.begin(), styles_.end(), slot) == 1) FreeNotificator()->UnwatchComponent(slot);
  }
  slot = AItem;
  if (slot) {
    FreeNotificator()->WatchComponent(slot);
    Subscribe(AIndex);
  }
  Changed();
}

void TdxNavBarBaseCustomStyles::Subscribe(int AIndex) {
  styles_[size_t(AIndex)]->AddChangeListener({this, &TdxNavBarBaseCustomStyles::StyleItemChanged});
}

void TdxNavBarBaseCustomStyles::Unsubscribe(int AIndex) {
  styles_[size_t(AIndex)]->RemoveChangeListener({this, &TdxNavBarBaseCustomStyles::StyleItemChanged});
}

void TdxNavBarBaseCustomStyles::StyleItemChanged(TObject*, const void*) { Changed(); }

void TdxNavBarBaseCustomStyles::FreeNotification(TComponent* AComponent) {
  bool changed = false;
  for (TdxNavBarStyleItem*& slot : styles_)
    if (slot && slot == AComponent) {
      slot = nullptr;
      changed = true;
    }
  if (changed) Changed();
}

void TdxNavBarBaseCustomStyles::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarBaseCustomStyles*>(Source);
  if (!source) return TdxNavBarNexusPersistent::Assign(Source);
  for (int i = 0; i < StyleCount(); ++i) SetStyleAt(i, i < source->StyleCount() ? source->StyleAt(i) : nullptr);
}

void TdxNavBarBaseCustomStyles::Changed() {
  if (OnChange) OnChange(this);
}

// ---- style options -----------------------------------------------------------------------------

TdxNavBarStyleOptions::TdxNavBarStyleOptions(TdxCustomNavBar* ANavBar)
    : TcxOwnedPersistent(ANavBar),
      defaultStyles_(new TdxNavBarDefaultStyles(this)),
      customStyles_(new TdxNavBarCustomStyles(this)),
      repository_(new TdxNavBarStyleRepository(ANavBar)) {
  defaultStyles_->OnChange = [this](TObject*) { Changed(); };
  customStyles_->OnChange = [this](TObject*) { Changed(); };
  repository_->OnChange = [this](TObject*, TcxComponentCollectionItem*, TcxCollectionChangeKind) { Changed(); };
}

TdxNavBarStyleOptions::~TdxNavBarStyleOptions() {
  OnChange = nullptr;
  repository_->Free();
  customStyles_->Free();
  defaultStyles_->Free();
}

void TdxNavBarStyleOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxNavBarStyleOptions*>(Source);
  if (!source) return TcxOwnedPersistent::Assign(Source);
  defaultStyles_->Assign(source->defaultStyles_);
  customStyles_->Assign(source->customStyles_);
  repository_->Assign(source->repository_);
  OnChange = source->OnChange;
}

void TdxNavBarStyleOptions::Changed() {
  if (OnChange) OnChange(this);
}

const TdxNavBarBaseStyle* ResolveStyle(const TdxNavBarStyleItem* ACustom, const TdxNavBarBaseStyle* ADefault,
                                       TdxBarStyleAssignedValue AValue) {
  if (ACustom && ACustom->Style()->AssignedValues().Contains(AValue)) return ACustom->Style();
  return ADefault;
}
