#include "ui/navbar/skins/Skin.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/skins/SkinNames.h"
#include "ui/navbar/skins/SkinPictureDecode.h"
#include "ui/navbar/skins/SkinRenderings.h"
#include "ui/navbar/skins/SkinStreamLayout.h"

DEFINE_CLASS(TdxSkinCustomPersistentObject)
DEFINE_CLASS(TdxSkinPersistent)
DEFINE_CLASS(TdxSkinProperty)
DEFINE_CLASS(TdxSkinIntegerProperty)
DEFINE_CLASS(TdxSkinBooleanProperty)
DEFINE_CLASS(TdxSkinColor)
DEFINE_CLASS(TdxSkinRectProperty)
DEFINE_CLASS(TdxSkinSizeProperty)
DEFINE_CLASS(TdxSkinStringProperty)
DEFINE_CLASS(TdxSkinBorder)
DEFINE_CLASS(TdxSkinBorders)
DEFINE_CLASS(TdxSkinImage)
DEFINE_CLASS(TdxSkinElement)
DEFINE_CLASS(TdxSkinEmptyElement)
DEFINE_CLASS(TdxSkinControlGroup)
DEFINE_CLASS(TdxSkin)
DEFINE_CLASS(TdxSkinPartStream)

namespace {

// Names in the stream are 8-bit characters, read and written as the first 256 code points.
String FromStreamText(const std::string& s) { return String(s.begin(), s.end()); }
std::string ToStreamText(const String& s) {
  std::string out;
  out.reserve(s.size());
  for (wchar_t c : s) out.push_back(c < 256 ? char(c) : '?');
  return out;
}

template <class T>
void FreeAll(std::vector<T*>& list) {
  std::vector<T*> doomed;
  doomed.swap(list);
  for (T* object : doomed) object->Free();
}

template <class T>
void SortByName(std::vector<T*>& list) {
  std::stable_sort(list.begin(), list.end(),
                   [](const T* a, const T* b) { return AnsiCompareStr(a->Name, b->Name) < 0; });
}

// The first match of the binary search over a list sorted by SortByName.
template <class T>
T* FindByName(const std::vector<T*>& list, const String& name) {
  auto it = std::lower_bound(list.begin(), list.end(), name,
                             [](const T* item, const String& key) { return AnsiCompareStr(item->Name, key) < 0; });
  if (it != list.end() && AnsiCompareStr((*it)->Name, name) == 0) return *it;
  return nullptr;
}

TRect RectOf(const std::array<std::int32_t, 4>& v) { return TRect(v[0], v[1], v[2], v[3]); }
std::array<std::int32_t, 4> ArrayOf(const TRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

// ---- TdxSkinCustomPersistentObject -----------------------------------------------------------

TdxSkinCustomPersistentObject* TdxSkinCustomPersistentObject::Clone() {
  auto meta = static_cast<const TdxSkinObjectMetaClass*>(ClassType());
  ObjectPtr<TdxSkinCustomPersistentObject> copy(meta->Create(nullptr, Name));
  if (!copy) throw EInvalidOperation(L"Cannot clone a " + ClassName());
  copy->Assign(this);
  return copy.release();
}

void TdxSkinCustomPersistentObject::FireChanged() {
  if (OnChange) OnChange(this);
}

// ---- TdxSkinPersistent -----------------------------------------------------------------------

TdxSkinPersistent::~TdxSkinPersistent() { FreeAll(properties_); }

void TdxSkinPersistent::Assign(TPersistent* Source) {
  auto source = dynamic_cast<TdxSkinPersistent*>(Source);
  if (!source) return Inherited::Assign(Source);
  BeginUpdate();
  for (TdxSkinProperty* p : source->properties_) Attach(static_cast<TdxSkinProperty*>(p->Clone()));
  EndUpdate();
}

void TdxSkinPersistent::Changed() {
  modified_ = true;
  sorted_ = false;
  if (lockCount_ == 0) FireChanged();
}

void TdxSkinPersistent::Sort() {
  SortByName(properties_);
  sorted_ = true;
}

void TdxSkinPersistent::EnsureSorted() {
  if (!sorted_) Sort();
}

void TdxSkinPersistent::ChildChanged(TObject*) { Changed(); }

void TdxSkinPersistent::DeleteProperty(TdxSkinCustomPersistentObject* Object) {
  auto it = std::find(properties_.begin(), properties_.end(), Object);
  if (it == properties_.end()) return;
  properties_.erase(it);
  Object->Free();
  Changed();
}

void TdxSkinPersistent::EndUpdate() {
  if (lockCount_ == 0) return;
  if (--lockCount_ == 0) Changed();
}

void TdxSkinPersistent::Adopt(TdxSkinCustomPersistentObject* Child) {
  Child->SetOwner(this);
  Child->OnChange = TNotifyEvent(this, &TdxSkinPersistent::ChildChanged);
}

void TdxSkinPersistent::Attach(TdxSkinCustomPersistentObject* Child) {
  Adopt(Child);
  if (auto property = dynamic_cast<TdxSkinProperty*>(Child)) properties_.push_back(property);
  Changed();
}

TdxSkinProperty* TdxSkinPersistent::AddProperty(const String& Name, TdxSkinPropertyClass PropertyClass) {
  ObjectPtr<TdxSkinCustomPersistentObject> made(PropertyClass->Create(this, Name));
  auto property = dynamic_cast<TdxSkinProperty*>(made.get());
  if (!property) RaiseInvalidCast();
  made.release();
  Attach(property);
  return property;
}

TdxSkinProperty* TdxSkinPersistent::FindProperty(const String& Name) {
  EnsureSorted();
  return FindByName(properties_, Name);
}

// ---- properties ------------------------------------------------------------------------------

String TdxSkinProperty::DisplayName() const {
  String name = ClassName();
  for (const wchar_t* word : {L"TdxSkin", L"Property"}) {
    const String w = word;
    for (;;) {
      const String upper = UpperCase(name);
      const size_t at = upper.find(UpperCase(w));
      if (at == String::npos) break;
      name.erase(at, w.size());
    }
  }
  return name;
}

bool TdxSkinProperty::IsEqual(TdxSkinProperty* Other) {
  return Other && Other->Name == Name && Other->ClassType() == ClassType();
}

#define SKIN_VALUE_PROPERTY(Class, Type)                                  \
  void Class::Assign(TPersistent* Source) {                               \
    if (auto source = dynamic_cast<Class*>(Source)) return SetValue(source->value_); \
    Inherited::Assign(Source);                                            \
  }                                                                       \
  bool Class::IsEqual(TdxSkinProperty* Other) {                           \
    return TdxSkinProperty::IsEqual(Other) && static_cast<Class*>(Other)->value_ == value_; \
  }                                                                       \
  void Class::SetValue(Type Value) {                                      \
    if (value_ == Value) return;                                          \
    value_ = Value;                                                       \
    FireChanged();                                                        \
  }

SKIN_VALUE_PROPERTY(TdxSkinIntegerProperty, int)
SKIN_VALUE_PROPERTY(TdxSkinBooleanProperty, bool)
SKIN_VALUE_PROPERTY(TdxSkinColor, TColor)
SKIN_VALUE_PROPERTY(TdxSkinRectProperty, const TRect&)
SKIN_VALUE_PROPERTY(TdxSkinStringProperty, const String&)

void TdxSkinSizeProperty::Assign(TPersistent* Source) {
  if (auto source = dynamic_cast<TdxSkinSizeProperty*>(Source)) return SetValue(source->value_);
  Inherited::Assign(Source);
}
bool TdxSkinSizeProperty::IsEqual(TdxSkinProperty* Other) {
  if (!TdxSkinProperty::IsEqual(Other)) return false;
  const TSize o = static_cast<TdxSkinSizeProperty*>(Other)->value_;
  return o.cx == value_.cx && o.cy == value_.cy;
}
void TdxSkinSizeProperty::SetValue(const TSize& Value) {
  if (Value.cx == value_.cx && Value.cy == value_.cy) return;
  value_ = Value;
  FireChanged();
}

#undef SKIN_VALUE_PROPERTY

// ---- borders ---------------------------------------------------------------------------------

TdxSkinBorder::TdxSkinBorder(TPersistent* Owner, const String& Name) : TdxSkinProperty(Owner, Name) {
  static const wchar_t* const sides[] = {L"Left", L"Top", L"Right", L"Bottom"};
  for (int i = 0; i < 4; ++i)
    if (Name == sides[i]) side_ = i;
}

void TdxSkinBorder::Assign(TPersistent* Source) {
  auto source = dynamic_cast<TdxSkinBorder*>(Source);
  if (!source) return Inherited::Assign(Source);
  SetColor(source->color_);
  SetThin(source->thin_);
}

bool TdxSkinBorder::IsEqual(TdxSkinProperty* Other) {
  auto o = dynamic_cast<TdxSkinBorder*>(Other);
  return o && o->ClassType() == ClassType() && o->color_ == color_ && o->thin_ == thin_ && o->side_ == side_;
}

void TdxSkinBorder::SetColor(TColor Value) {
  if (color_ == Value) return;
  color_ = Value;
  FireChanged();
}

void TdxSkinBorder::SetThin(int Value) {
  if (thin_ == Value) return;
  thin_ = Value;
  FireChanged();
}

TRect TdxSkinBorder::StripRect(const TRect& R) const {
  switch (side_) {
    case 0: return TRect(R.left, R.top, R.left + thin_, R.bottom);
    case 1: return TRect(R.left, R.top, R.right, R.top + thin_);
    case 2: return TRect(R.right - thin_, R.top, R.right, R.bottom);
    default: return TRect(R.left, R.bottom - thin_, R.right, R.bottom);
  }
}

TdxSkinBorders::TdxSkinBorders(TPersistent* Owner, const String& Name) : TdxSkinProperty(Owner, Name) {
  static const TdxSkinNameId names[] = {sdxSkinBorderLeft, sdxSkinBorderTop, sdxSkinBorderRight,
                                        sdxSkinBorderBottom};
  for (int i = 0; i < 4; ++i) {
    borders_[i] = new TdxSkinBorder(this, SkinNameDefault(names[i]));
    borders_[i]->OnChange = TNotifyEvent(this, &TdxSkinBorders::ChildChanged);
  }
}

TdxSkinBorders::~TdxSkinBorders() {
  for (TdxSkinBorder* b : borders_) b->Free();
}

void TdxSkinBorders::Assign(TPersistent* Source) {
  auto source = dynamic_cast<TdxSkinBorders*>(Source);
  if (!source) return Inherited::Assign(Source);
  for (int i = 0; i < 4; ++i) borders_[i]->Assign(source->borders_[i]);
}

bool TdxSkinBorders::IsEqual(TdxSkinProperty* Other) {
  auto o = dynamic_cast<TdxSkinBorders*>(Other);
  if (!o) return false;
  for (int i = 0; i < 4; ++i)
    if (!borders_[i]->IsEqual(o->borders_[i])) return false;
  return true;
}

void TdxSkinBorders::ChildChanged(TObject*) { FireChanged(); }

// ---- images ----------------------------------------------------------------------------------

TdxSkinImage::TdxSkinImage(TdxSkinElement* Owner) : owner_(Owner), texture_(new TdxPNGImage()) {
  texture_->OnChange = TNotifyEvent(this, &TdxSkinImage::TextureChanged);
}

TdxSkinImage::~TdxSkinImage() { texture_->Free(); }

TPersistent* TdxSkinImage::GetOwner() { return owner_; }

void TdxSkinImage::TextureChanged(TObject*) { FireChanged(); }

void TdxSkinImage::FireChanged() {
  dirty_ = true;
  if (OnChange) OnChange(this);
}

void TdxSkinImage::Clear() {
  sourceName_.clear();
  texture_->Assign(nullptr);
}

bool TdxSkinImage::Empty() const { return sourceName_.empty() && texture_->Empty(); }

void TdxSkinImage::Assign(TPersistent* Source) {
  auto source = dynamic_cast<TdxSkinImage*>(Source);
  if (!source) return Inherited::Assign(Source);
  if (source->texture_->Empty()) {
    ObjectPtr<TdxPNGImage> empty(new TdxPNGImage());
    texture_->Assign(empty.get());
  } else {
    texture_->Assign(source->texture_);
  }
  sourceName_ = source->sourceName_;
  if (sourceName_.empty() && source->owner_) {
    auto group = dynamic_cast<TdxSkinCustomPersistentObject*>(source->owner_->GetOwner());
    sourceName_ = (group ? group->Name : String()) + L"\\" +
                  source->owner_->ImageFileName(source == source->owner_->Glyph());
  }
  gradient_ = source->gradient_;
  gradientBegin_ = source->gradientBegin_;
  gradientEnd_ = source->gradientEnd_;
  layout_ = source->layout_;
  margins_ = source->margins_;
  states_ = source->states_;
  stretch_ = source->stretch_;
  FireChanged();
}

bool TdxSkinImage::IsEqual(TdxSkinImage* Other) {
  if (!Other) return false;
  if (layout_ != Other->layout_ || Empty() != Other->Empty() || states_.Bits() != Other->states_.Bits() ||
      gradient_ != Other->gradient_ || gradientBegin_ != Other->gradientBegin_ ||
      gradientEnd_ != Other->gradientEnd_ || stretch_ != Other->stretch_ || !(margins_ == Other->margins_))
    return false;
  const TSize a = FrameSize(), b = Other->FrameSize();
  if (a.cx != b.cx || a.cy != b.cy) return false;
  // Two empty pictures are the same picture here, so an element with an empty glyph equals its
  // own copy; the picture class itself keeps calling them unequal.
  if (texture_->Empty() && Other->texture_->Empty()) return true;
  return texture_->IsEqual(Other->texture_);
}

#define SKIN_IMAGE_SETTER(Setter, Field, Type) \
  void TdxSkinImage::Setter(Type Value) {      \
    if (Field == Value) return;                \
    Field = Value;                             \
    FireChanged();                             \
  }
SKIN_IMAGE_SETTER(SetGradient, gradient_, TdxSkinGradientMode)
SKIN_IMAGE_SETTER(SetGradientBeginColor, gradientBegin_, TColor)
SKIN_IMAGE_SETTER(SetGradientEndColor, gradientEnd_, TColor)
SKIN_IMAGE_SETTER(SetImageLayout, layout_, TdxSkinImageLayout)
SKIN_IMAGE_SETTER(SetMargins, margins_, const TRect&)
SKIN_IMAGE_SETTER(SetStretch, stretch_, TdxSkinStretchMode)
#undef SKIN_IMAGE_SETTER

void TdxSkinImage::SetStates(TdxSkinElementStates Value) {
  if (states_.Bits() == Value.Bits()) return;
  states_ = Value;
  FireChanged();
}

// ---- elements --------------------------------------------------------------------------------

TdxSkinElement::TdxSkinElement(TPersistent* Owner, const String& Name) : TdxSkinPersistent(Owner, Name) {
  borders_ = new TdxSkinBorders(this, SkinNameDefault(sdxSkinBorders));
  borders_->OnChange = TNotifyEvent(this, &TdxSkinElement::ChildChanged);
  glyph_ = new TdxSkinImage(this);
  image_ = new TdxSkinImage(this);
  glyph_->OnChange = TNotifyEvent(this, &TdxSkinElement::ImageChanged);
  image_->OnChange = TNotifyEvent(this, &TdxSkinElement::ImageChanged);
}

TdxSkinElement::~TdxSkinElement() {
  delete renderings_;
  if (canvas_) canvas_->Free();
  if (brush_) brush_->Free();
  glyph_->Free();
  image_->Free();
  borders_->Free();
}

void TdxSkinElement::ImageChanged(TObject*) { Changed(); }

void TdxSkinElement::Changed() {
  if (renderings_) renderings_->Clear();
  Inherited::Changed();
}

int TdxSkinElement::KeptRenderingCount() const { return renderings_ ? renderings_->Count() : 0; }

void TdxSkinElement::Assign(TPersistent* Source) {
  auto source = dynamic_cast<TdxSkinElement*>(Source);
  if (!source) return Inherited::Assign(Source);
  BeginUpdate();
  Inherited::Assign(Source);
  image_->Assign(source->image_);
  glyph_->Assign(source->glyph_);
  color_ = source->color_;
  alpha_ = source->alpha_;
  contentOffset_ = source->contentOffset_;
  SetImageCount(source->imageCount_);
  borders_->Assign(source->borders_);
  minSize_ = source->minSize_;
  textColor_ = source->textColor_;
  UpdateBrush();
  Changed();
  EndUpdate();
}

bool TdxSkinElement::PropertiesEqual(TdxSkinElement* Other) {
  if (PropertyCount() != Other->PropertyCount()) return false;
  for (int i = 0; i < PropertyCount(); ++i)
    if (!Properties(i)->IsEqual(Other->Properties(i))) return false;
  return true;
}

bool TdxSkinElement::IsEqual(TdxSkinElement* Other) {
  return Other && Name == Other->Name && color_ == Other->color_ && imageCount_ == Other->imageCount_ &&
         alpha_ == Other->alpha_ && textColor_ == Other->textColor_ && minSize_.cx == Other->minSize_.cx &&
         minSize_.cy == Other->minSize_.cy && contentOffset_ == Other->contentOffset_ &&
         borders_->IsEqual(Other->borders_) && PropertiesEqual(Other) && image_->IsEqual(Other->image_) &&
         glyph_->IsEqual(Other->glyph_);
}

String TdxSkinElement::ImageFileName(bool Glyph) const { return Name + (Glyph ? L"_Glyph.png" : L"_Image.png"); }

void TdxSkinElement::UpdateBrush() {
  hasColor_ = color_ != clDefault && color_ != clNone;
  if (!hasColor_ || !GdiPlusAvailable()) return;
  const DWORD rgb = DWORD(ColorToRGB(color_));
  const DWORD argb = DWORD(alpha_) << 24 | (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
  if (brush_) {
    Bound().GdipSetSolidFillColor.Get()(brush_->Handle(), argb);
  } else {
    GpBrush* handle = nullptr;
    const GpStatus status = Bound().GdipCreateSolidFill.Get()(argb, &handle);
    brush_ = new TdxGPBrush(handle, status);
  }
}

void TdxSkinElement::SetAlpha(Byte Value) {
  alpha_ = Value;
  UpdateBrush();
  Changed();
}

void TdxSkinElement::SetColor(TColor Value) {
  color_ = Value;
  UpdateBrush();
  Changed();
}

void TdxSkinElement::SetContentOffset(const TRect& Value) {
  contentOffset_ = Value;
  Changed();
}

void TdxSkinElement::SetImageCount(int Value) {
  imageCount_ = std::max(1, Value);
  image_->MarkDirty();
  glyph_->MarkDirty();
  Changed();
}

void TdxSkinElement::SetMinSize(const TSize& Value) {
  minSize_ = Value;
  Changed();
}

void TdxSkinElement::SetTextColor(TColor Value) {
  textColor_ = Value;
  Changed();
}

// ---- groups ----------------------------------------------------------------------------------

TdxSkinControlGroup::~TdxSkinControlGroup() { FreeAll(elements_); }

void TdxSkinControlGroup::Assign(TPersistent* Source) {
  auto source = dynamic_cast<TdxSkinControlGroup*>(Source);
  if (!source) return Inherited::Assign(Source);
  BeginUpdate();
  Inherited::Assign(Source);
  for (TdxSkinElement* e : source->elements_) {
    elements_.push_back(static_cast<TdxSkinElement*>(e->Clone()));
    Adopt(elements_.back());
    Changed();
  }
  EndUpdate();
}

void TdxSkinControlGroup::Sort() {
  SortByName(elements_);
  Inherited::Sort();
}

void TdxSkinControlGroup::DeleteProperty(TdxSkinCustomPersistentObject* Object) {
  auto it = std::find(elements_.begin(), elements_.end(), Object);
  if (it == elements_.end()) return Inherited::DeleteProperty(Object);
  elements_.erase(it);
  Object->Free();
  Changed();
}

TdxSkinElement* TdxSkinControlGroup::AddElement(const String& Name) {
  auto element = new TdxSkinElement(this, Name);
  Adopt(element);
  elements_.push_back(element);
  Changed();
  return element;
}

TdxSkinElement* TdxSkinControlGroup::FindElement(const String& Name) {
  EnsureSorted();
  return FindByName(elements_, Name);
}

// ---- skins -----------------------------------------------------------------------------------

TdxSkin::TdxSkin(const String& Name, HINSTANCE Module, bool Load) : TdxSkinPersistent(nullptr, Name) {
  if (Load) LoadFromResource(Module);
}

TdxSkin::~TdxSkin() {
  listeners_.clear();
  FreeAll(groups_);
  FreeAll(colors_);
}

String TdxSkin::ResourceType() { return SkinName(sdxSkinResourceType); }

void TdxSkin::Assign(TPersistent* Source) {
  auto source = dynamic_cast<TdxSkin*>(Source);
  if (!source) return Inherited::Assign(Source);
  BeginUpdate();
  Inherited::Assign(Source);
  for (TdxSkinColor* c : source->colors_) {
    colors_.push_back(static_cast<TdxSkinColor*>(c->Clone()));
    Adopt(colors_.back());
  }
  for (TdxSkinControlGroup* g : source->groups_) {
    groups_.push_back(static_cast<TdxSkinControlGroup*>(g->Clone()));
    Adopt(groups_.back());
  }
  Changed();
  EndUpdate();
}

TdxSkinCustomPersistentObject* TdxSkin::Clone() {
  ObjectPtr<TdxSkin> copy(new TdxSkin(Name));
  copy->Version = Version;
  copy->Assign(this);
  return copy.release();
}

void TdxSkin::FireChanged() {
  // The listeners run under a raised lock, so what they change reports no change of its own.
  BeginUpdate();
  const std::vector<IdxSkinChangeListener*> listeners = listeners_;
  try {
    for (IdxSkinChangeListener* listener : listeners)
      if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) listener->SkinChanged(this);
  } catch (...) {
    LowerLock();
    throw;
  }
  LowerLock();
  Inherited::FireChanged();
}

void TdxSkin::Sort() {
  SortByName(colors_);
  SortByName(groups_);
  Inherited::Sort();
}

void TdxSkin::DeleteProperty(TdxSkinCustomPersistentObject* Object) {
  for (auto* list : {reinterpret_cast<std::vector<TdxSkinCustomPersistentObject*>*>(&colors_),
                     reinterpret_cast<std::vector<TdxSkinCustomPersistentObject*>*>(&groups_)}) {
    auto it = std::find(list->begin(), list->end(), Object);
    if (it != list->end()) {
      list->erase(it);
      Object->Free();
      Changed();
      return;
    }
  }
  Inherited::DeleteProperty(Object);
}

void TdxSkin::Clear() {
  BeginUpdate();
  FreeAll(groups_);
  FreeAll(colors_);
  FreeAll(properties_);
  Changed();
  EndUpdate();
}

TdxSkinColor* TdxSkin::AddColor(const String& Name, TColor Value) {
  BeginUpdate();
  auto color = new TdxSkinColor(this, Name);
  Adopt(color);
  colors_.push_back(color);
  color->SetValue(Value);
  Changed();
  EndUpdate();
  return color;
}

TdxSkinControlGroup* TdxSkin::AddGroup(const String& Name) {
  auto group = new TdxSkinControlGroup(this, Name);
  Adopt(group);
  groups_.push_back(group);
  Changed();
  return group;
}

TdxSkinColor* TdxSkin::FindColor(const String& Name) {
  EnsureSorted();
  return FindByName(colors_, Name);
}

TdxSkinControlGroup* TdxSkin::FindGroup(const String& Name) {
  EnsureSorted();
  return FindByName(groups_, Name);
}

void TdxSkin::RegisterListener(IdxSkinChangeListener* Listener) {
  if (Listener && std::find(listeners_.begin(), listeners_.end(), Listener) == listeners_.end())
    listeners_.push_back(Listener);
}

void TdxSkin::RemoveListener(IdxSkinChangeListener* Listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), Listener), listeners_.end());
}

void TdxSkin::LoadFromResource(HINSTANCE Module) {
  const String type = ResourceType();
  TResourceStream stream(Module, Name, type.c_str());
  LoadFromStream(stream);
}

namespace {

// A read-only memory stream over bytes someone else owns.
class TBorrowedMemoryStream : public TCustomMemoryStream {
 public:
  TBorrowedMemoryStream(const void* memory, Int64 size) { SetPointer(const_cast<void*>(memory), size); }
  Int64 Write(const void*, Int64) override { return 0; }
};

void ReadProperties(TdxSkinPersistent* owner, const std::vector<dxskin::PropertyRecord>& list) {
  for (const dxskin::PropertyRecord& p : list) {
    TdxSkinProperty* property =
        owner->AddProperty(FromStreamText(p.Name), FindSkinPropertyClass(FromStreamText(dxskin::PropertyClassName(p.Kind))));
    switch (p.Kind) {
      case dxskin::PropertyKind::Integer: static_cast<TdxSkinIntegerProperty*>(property)->SetValue(p.Values[0]); break;
      case dxskin::PropertyKind::Boolean: static_cast<TdxSkinBooleanProperty*>(property)->SetValue(p.Boolean != 0); break;
      case dxskin::PropertyKind::Color: static_cast<TdxSkinColor*>(property)->SetValue(p.Values[0]); break;
      case dxskin::PropertyKind::Rect: static_cast<TdxSkinRectProperty*>(property)->SetValue(RectOf(p.Values)); break;
      case dxskin::PropertyKind::Size:
        static_cast<TdxSkinSizeProperty*>(property)->SetValue(TSize{p.Values[0], p.Values[1]});
        break;
      case dxskin::PropertyKind::String:
        static_cast<TdxSkinStringProperty*>(property)->SetValue(FromStreamText(p.Text));
        break;
    }
  }
}

void ReadImage(TdxSkinImage* image, const dxskin::ImageRecord& r, TStream& source, Int64 base) {
  image->SetMargins(RectOf(r.Margins));
  image->SetImageLayout(TdxSkinImageLayout(r.Layout == 0 ? 0 : 1));
  image->SetStates(TdxSkinElementStates::FromBits(r.States & ((1u << kSkinElementStateCount) - 1)));
  image->SetStretch(TdxSkinStretchMode(std::min<int>(r.Stretch, smNoResize)));
  image->SetGradientBeginColor(r.GradientBeginColor);
  image->SetGradientEndColor(r.GradientEndColor);
  image->SetGradient(TdxSkinGradientMode(std::min<int>(r.Gradient, int(TdxSkinGradientMode::gmBackwardDiagonal))));
  dxskin::DecodedPicture picture;
  if (!r.Png.empty() && dxskin::DecodeSkinPicture(r.Png, picture)) {
    TdxRGBColors bits(picture.Bgra.size() / 4);
    std::memcpy(bits.data(), picture.Bgra.data(), picture.Bgra.size());
    image->Texture()->LoadFromBits(picture.Width, picture.Height, bits);
  } else if (!r.Png.empty()) {
    const Int64 start = base + Int64(r.PngOffset);
    TdxSkinPartStream* part = SkinPartStream();
    part->Initialize(&source, start, start + Int64(r.Png.size()));
    image->Texture()->LoadFromStream(*part);
  }
  image->MarkDirty();
}

TSize SizeOf(const std::array<std::int32_t, 2>& v) { return TSize{v[0], v[1]}; }

}  // namespace

void TdxSkin::BuildFrom(const dxskin::SkinRecord& Record, TStream& Source, Int64 Base) {
  BeginUpdate();
  for (const dxskin::ColorRecord& c : Record.Colors) AddColor(FromStreamText(c.Name), c.Value);
  ReadProperties(this, Record.Properties);
  for (const dxskin::GroupRecord& g : Record.Groups) {
    TdxSkinControlGroup* group = AddGroup(FromStreamText(g.Name));
    group->BeginUpdate();
    for (const dxskin::ElementRecord& e : g.Elements) {
      TdxSkinElement* element = group->AddElement(FromStreamText(e.Name));
      element->BeginUpdate();
      element->SetColor(e.Color);
      element->SetAlpha(e.Alpha);
      element->SetImageCount(e.ImageCount);
      element->SetContentOffset(RectOf(e.ContentOffset));
      ReadImage(element->Glyph(), e.Glyph, Source, Base);
      ReadImage(element->Image(), e.Image, Source, Base);
      for (int side = 0; side < 4; ++side) {
        element->Borders()->Items(side)->SetColor(e.Borders[size_t(side)].Color);
        element->Borders()->Items(side)->SetThin(e.Borders[size_t(side)].Width);
      }
      element->SetTextColor(e.TextColor);
      element->SetMinSize(SizeOf(e.MinSize));
      ReadProperties(element, e.Properties);
      element->SetColor(e.Color);
      element->SetModified(false);
      element->EndUpdate();
    }
    ReadProperties(group, g.Properties);
    group->EndUpdate();
  }
  EndUpdate();
}

void TdxSkin::TakeContentOf(TdxSkin& Other) {
  colors_.swap(Other.colors_);
  groups_.swap(Other.groups_);
  properties_.swap(Other.properties_);
  for (auto* c : colors_) Adopt(c);
  for (auto* g : groups_) Adopt(g);
  for (auto* p : properties_) Adopt(p);
}

void TdxSkin::LoadFromStream(TStream& Stream) {
  if (!GdiPlusAvailable()) return;
  const Int64 start = Stream.Position();
  const Int64 left = std::max<Int64>(0, Stream.Size() - start);
  // The bytes left in the stream, read in place when they already are in memory.
  std::vector<std::uint8_t> copy;
  const std::uint8_t* bytes;
  std::unique_ptr<TBorrowedMemoryStream> borrowed;
  TStream* source = &Stream;
  Int64 base = start;
  if (auto memory = dynamic_cast<TCustomMemoryStream*>(&Stream)) {
    bytes = static_cast<const std::uint8_t*>(memory->Memory()) + start;
  } else {
    copy.resize(size_t(left));
    copy.resize(size_t(Stream.Read(copy.data(), left)));
    bytes = copy.data();
    borrowed = std::make_unique<TBorrowedMemoryStream>(copy.data(), Int64(copy.size()));
    source = borrowed.get();
    base = 0;
  }

  dxskin::SkinRecord record;
  std::size_t consumed = 0;
  try {
    record = dxskin::ReadSkinStream(bytes, borrowed ? copy.size() : size_t(left), &consumed);
  } catch (const dxskin::StreamError& e) {
    switch (e.Kind) {
      case dxskin::StreamErrorKind::InvalidFormat: throw EdxSkin(SkinName(sdxSkinInvalidStreamFormat));
      case dxskin::StreamErrorKind::VersionTooOld: throw EdxSkin(SkinName(sdxSkinWrongVersion));
      case dxskin::StreamErrorKind::UnknownClass: FindSkinPropertyClass(FromStreamText(e.Detail)); break;
      case dxskin::StreamErrorKind::UnexpectedEnd: break;
    }
    throw EReadError(L"Stream read error");
  }

  // Everything is built aside first, so a failure leaves this skin as it was.
  ObjectPtr<TdxSkin> built(new TdxSkin(FromStreamText(record.Name)));
  built->BuildFrom(record, *source, base);
  BeginUpdate();
  Clear();
  TakeContentOf(*built);
  Name = built->Name;
  Version = record.Version;
  EndUpdate();
  Stream.SetPosition(start + Int64(consumed));
}

dxskin::SkinRecord TdxSkin::ToRecord() {
  auto properties = [](TdxSkinPersistent* owner) {
    std::vector<dxskin::PropertyRecord> list;
    for (int i = 0; i < owner->PropertyCount(); ++i) {
      TdxSkinProperty* p = owner->Properties(i);
      dxskin::PropertyRecord r;
      if (!dxskin::PropertyKindOfClass(ToStreamText(p->ClassName()), r.Kind))
        throw EWriteError(L"Cannot write a " + p->ClassName() + L" property");
      r.Name = ToStreamText(p->Name);
      if (auto v = dynamic_cast<TdxSkinIntegerProperty*>(p)) r.Values[0] = v->Value();
      if (auto v = dynamic_cast<TdxSkinColor*>(p)) r.Values[0] = v->Value();
      if (auto v = dynamic_cast<TdxSkinBooleanProperty*>(p)) r.Boolean = v->Value() ? 1 : 0;
      if (auto v = dynamic_cast<TdxSkinRectProperty*>(p)) r.Values = ArrayOf(v->Value());
      if (auto v = dynamic_cast<TdxSkinSizeProperty*>(p)) r.Values = {v->Value().cx, v->Value().cy, 0, 0};
      if (auto v = dynamic_cast<TdxSkinStringProperty*>(p)) r.Text = ToStreamText(v->Value());
      list.push_back(std::move(r));
    }
    return list;
  };
  auto image = [](TdxSkinImage* im) {
    dxskin::ImageRecord r;
    r.Margins = ArrayOf(im->Margins());
    r.Layout = Byte(im->ImageLayout());
    r.States = std::uint16_t(im->States().Bits());
    r.Stretch = Byte(im->Stretch());
    r.GradientBeginColor = im->GradientBeginColor();
    r.GradientEndColor = im->GradientEndColor();
    r.Gradient = Byte(im->Gradient());
    if (!im->Texture()->Empty()) {
      TMemoryStream png;
      im->Texture()->SaveToStream(png);
      const auto* data = static_cast<const std::uint8_t*>(png.Memory());
      r.Png.assign(data, data + png.Size());
    }
    return r;
  };
  dxskin::SkinRecord skin;
  skin.Version = Version;
  skin.Name = ToStreamText(Name);
  for (TdxSkinColor* c : colors_) skin.Colors.push_back({ToStreamText(c->Name), c->Value()});
  skin.Properties = properties(this);
  for (TdxSkinControlGroup* g : groups_) {
    dxskin::GroupRecord group;
    group.Name = ToStreamText(g->Name);
    for (int i = 0; i < g->Count(); ++i) {
      TdxSkinElement* e = g->Elements(i);
      dxskin::ElementRecord r;
      r.Name = ToStreamText(e->Name);
      r.Color = e->Color();
      r.Alpha = e->Alpha();
      r.ImageCount = e->ImageCount();
      r.ContentOffset = ArrayOf(e->ContentOffset());
      r.Glyph = image(e->Glyph());
      r.Image = image(e->Image());
      for (int side = 0; side < 4; ++side) {
        TdxSkinBorder* b = e->Borders()->Items(side);
        r.Borders[size_t(side)] = {ToStreamText(b->ClassName()), ToStreamText(b->Name), b->Color(), b->Thin()};
      }
      r.TextColor = e->TextColor();
      r.MinSize = {e->MinSize().cx, e->MinSize().cy};
      r.Properties = properties(e);
      group.Elements.push_back(std::move(r));
    }
    group.Properties = properties(g);
    skin.Groups.push_back(std::move(group));
  }
  return skin;
}

void TdxSkin::SaveToStream(TStream& Stream) {
  const std::vector<std::uint8_t> bytes = dxskin::WriteSkinStream(ToRecord(), dxskin::kVersion102);
  Stream.WriteBuffer(bytes.data(), Int64(bytes.size()));
}

// ---- the part stream -------------------------------------------------------------------------

void TdxSkinPartStream::Initialize(TStream* Source, Int64 Start, Int64 End) {
  source_ = Source;
  start_ = Start;
  end_ = std::max(Start, End);
  source_->SetPosition(start_);
}

Int64 TdxSkinPartStream::Read(void* Buffer, Int64 Count) {
  // Reads stop at the window's end.
  const Int64 left = end_ - source_->Position();
  if (Count > left) Count = std::max<Int64>(0, left);
  return Count > 0 ? source_->Read(Buffer, Count) : 0;
}

Int64 TdxSkinPartStream::Write(const void* Buffer, Int64 Count) {
  const Int64 written = source_->Write(Buffer, Count);
  end_ = std::max(end_, source_->Position());
  return written;
}

Int64 TdxSkinPartStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  Int64 target = Origin == soBeginning ? start_ + Offset
                 : Origin == soEnd    ? end_ + Offset
                                      : source_->Position() + Offset;
  target = std::clamp(target, start_, end_);
  source_->SetPosition(target);
  return target - start_;
}

// ---- the property classes and the unit -------------------------------------------------------

TdxSkinPropertyClass FindSkinPropertyClass(const String& ClassName) {
  static const TdxSkinPropertyClass classes[] = {
      &TdxSkinIntegerProperty::ClassInfo(), &TdxSkinBooleanProperty::ClassInfo(),
      &TdxSkinColor::ClassInfo(),           &TdxSkinRectProperty::ClassInfo(),
      &TdxSkinSizeProperty::ClassInfo(),    &TdxSkinStringProperty::ClassInfo()};
  for (TdxSkinPropertyClass c : classes)
    if (SameText(c->ClassName(), ClassName)) return c;
  throw EClassNotFound(L"Class " + ClassName + L" not found");
}

namespace {

TdxSkinEmptyElement*& EmptyElementSlot() {
  static TdxSkinEmptyElement* element = nullptr;
  return element;
}

TdxSkinPartStream*& PartStreamSlot() {
  static TdxSkinPartStream* stream = nullptr;
  return stream;
}

const TUnitRegistration skinUnit(&StartSkinUnit, &EndSkinUnit);

}  // namespace

TdxSkinEmptyElement* SkinEmptyElement() {
  if (!EmptyElementSlot()) EmptyElementSlot() = new TdxSkinEmptyElement();
  return EmptyElementSlot();
}

TdxSkinPartStream* SkinPartStream() {
  if (!PartStreamSlot()) PartStreamSlot() = new TdxSkinPartStream(nullptr);
  return PartStreamSlot();
}

void StartSkinUnit() {
  SkinEmptyElement();
  SkinPartStream();
  GdiPlusAvailable();
}

void EndSkinUnit() {
  if (EmptyElementSlot()) FreeAndNil(EmptyElementSlot());
  if (PartStreamSlot()) FreeAndNil(PartStreamSlot());
}
