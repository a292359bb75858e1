#pragma once
// The skin engine's model: a skin is a named tree of colours, typed properties, control groups and
// elements; each element carries an image and a glyph cut from PNG sheets, four borders, a content
// offset and a minimum size. Skins are read from and written to the "dxSkin" stream (its byte
// layout is SkinStreamLayout.h) and drawn element by element (SkinPainting.cpp).

#include <array>
#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/graphics/Graphics.h"
#include "ui/navbar/skins/PngImage.h"

class TdxSkin;
class TdxSkinElement;
class TdxSkinImage;
class TdxSkinElementRenderings;
class TcxBitmap;

FRAMEWORK_EXCEPTION(EdxSkin, Exception);

enum TdxSkinElementState {
  esNormal,
  esHot,
  esPressed,
  esDisabled,
  esActive,
  esFocused,
  esDroppedDown,
  esChecked,
  esHotCheck,
  esActiveDisabled,
  esCheckPressed
};
constexpr int kSkinElementStateCount = 11;
// Stored as 2 bytes, bit n = state n.
using TdxSkinElementStates = TSet<TdxSkinElementState>;
enum TdxSkinImageLayout { ilHorizontal, ilVertical };
enum TdxSkinStretchMode { smStretch, smTile, smNoResize };
// Scoped: the navigation bar's style gradient modes use the same names.
enum class TdxSkinGradientMode { gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal };

// A skin-info cache (SkinInfo.h) hears of every change of the skins it listens to.
class IdxSkinChangeListener {
 public:
  virtual ~IdxSkinChangeListener() = default;
  virtual void SkinChanged(TdxSkin* Skin) = 0;
};

class IdxSkinOwner {
 public:
  virtual ~IdxSkinOwner() = default;
  virtual TdxSkin* GetSkin() = 0;
};

// ---- objects with a name, an owner and a change event --------------------------------------------

class TdxSkinCustomPersistentObject;

// The family's virtual constructor (owner, name): what Clone and AddProperty create through.
class TdxSkinObjectMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  virtual TdxSkinCustomPersistentObject* Create(TPersistent* Owner, const String& Name) const = 0;
  template <class Self>
  class Of;
};

class TdxSkinCustomPersistentObject : public TPersistent {
 public:
  using MetaClass = TdxSkinObjectMetaClass;
  DECLARE_CLASS(TdxSkinCustomPersistentObject, TPersistent)
 public:
  TdxSkinCustomPersistentObject(TPersistent* Owner, const String& Name) : Name(Name), owner_(Owner) {}

  // A new object of the same class and name, without owner, assigned from this one.
  virtual TdxSkinCustomPersistentObject* Clone();
  // Fires OnChange with this object.
  virtual void FireChanged();
  TPersistent* GetOwner() override { return owner_; }
  void SetOwner(TPersistent* Owner) { owner_ = Owner; }

  String Name;
  TNotifyEvent OnChange;
  // Set by the skin-info cache: 1 found and used, 2 made by the cache as a placeholder.
  int UsageMark = 0;

 private:
  TPersistent* owner_;
};

template <class Self>
class TdxSkinObjectMetaClass::Of : public TdxSkinObjectMetaClass {
 public:
  using TdxSkinObjectMetaClass::TdxSkinObjectMetaClass;
  TdxSkinCustomPersistentObject* Create(TPersistent* Owner, const String& Name) const override {
    if constexpr (std::is_constructible_v<Self, TPersistent*, const String&> && !std::is_abstract_v<Self>)
      return new Self(Owner, Name);
    else
      return nullptr;
  }
};

class TdxSkinProperty;
using TdxSkinPropertyClass = const TdxSkinObjectMetaClass*;

// A container with an update lock and a property list, sorted by name on the first lookup after a
// change.
class TdxSkinPersistent : public TdxSkinCustomPersistentObject {
  DECLARE_CLASS(TdxSkinPersistent, TdxSkinCustomPersistentObject)
 public:
  TdxSkinPersistent(TPersistent* Owner, const String& Name) : TdxSkinCustomPersistentObject(Owner, Name) {}
  ~TdxSkinPersistent() override;

  // Appends clones of the source's properties under one update lock.
  void Assign(TPersistent* Source) override;
  // Modified, unsorted, and FireChanged unless locked.
  virtual void Changed();
  virtual void Sort();
  // The OnChange target of every owned child.
  virtual void ChildChanged(TObject* Sender);
  // Removes and frees the object when it is one of this container's; then Changed.
  virtual void DeleteProperty(TdxSkinCustomPersistentObject* Object);

  void BeginUpdate() { ++lockCount_; }
  // From 1 to 0: Changed.
  void EndUpdate();
  // Lowers the lock without a change notification.
  void LowerLock() {
    if (lockCount_ > 0) --lockCount_;
  }
  int LockCount() const { return lockCount_; }
  bool Modified() const { return modified_; }
  void SetModified(bool Value) { modified_ = Value; }

  TdxSkinProperty* AddProperty(const String& Name, TdxSkinPropertyClass PropertyClass);
  TdxSkinProperty* FindProperty(const String& Name);
  int PropertyCount() const { return int(properties_.size()); }
  TdxSkinProperty* Properties(int Index) const { return properties_[size_t(Index)]; }

 protected:
  // The child's owner becomes this container and its OnChange ChildChanged.
  void Adopt(TdxSkinCustomPersistentObject* Child);
  // Adopt, append to the property list, Changed.
  void Attach(TdxSkinCustomPersistentObject* Child);
  void EnsureSorted();
  bool sorted_ = false;
  std::vector<TdxSkinProperty*> properties_;

 private:
  int lockCount_ = 0;
  bool modified_ = false;
};

// ---- properties ------------------------------------------------------------------------------

class TdxSkinProperty : public TdxSkinCustomPersistentObject {
  DECLARE_CLASS(TdxSkinProperty, TdxSkinCustomPersistentObject)
 public:
  TdxSkinProperty(TPersistent* Owner, const String& Name) : TdxSkinCustomPersistentObject(Owner, Name) {}
  // The class name without every "TdxSkin" and "Property" (any case): "Integer", "Color", "Rect".
  String DisplayName() const;
  // Same name (case-sensitive), same class, same value.
  virtual bool IsEqual(TdxSkinProperty* Other);
};

class TdxSkinIntegerProperty : public TdxSkinProperty {
  DECLARE_CLASS(TdxSkinIntegerProperty, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  int Value() const { return value_; }
  void SetValue(int Value);

 private:
  int value_ = 0;
};

class TdxSkinBooleanProperty : public TdxSkinProperty {
  DECLARE_CLASS(TdxSkinBooleanProperty, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  bool Value() const { return value_; }
  void SetValue(bool Value);

 private:
  bool value_ = false;
};

class TdxSkinColor : public TdxSkinProperty {
  DECLARE_CLASS(TdxSkinColor, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  TColor Value() const { return value_; }
  void SetValue(TColor Value);

 private:
  TColor value_ = clDefault;
};

class TdxSkinRectProperty : public TdxSkinProperty {
  DECLARE_CLASS(TdxSkinRectProperty, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  TRect Value() const { return value_; }
  void SetValue(const TRect& Value);

 private:
  TRect value_;
};

class TdxSkinSizeProperty : public TdxSkinProperty {
  DECLARE_CLASS(TdxSkinSizeProperty, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  TSize Value() const { return value_; }
  void SetValue(const TSize& Value);

 private:
  TSize value_{0, 0};
};

class TdxSkinStringProperty : public TdxSkinProperty {
  DECLARE_CLASS(TdxSkinStringProperty, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  String Value() const { return value_; }
  void SetValue(const String& Value);

 private:
  String value_;
};

class TdxSkinCanvas;

// One side's strip: nothing while the colour is clNone.
class TdxSkinBorder : public TdxSkinProperty {
  DECLARE_CLASS(TdxSkinBorder, TdxSkinProperty)
 public:
  // The side comes from the name ("Left", "Top", "Right", "Bottom"; another name is the left side).
  TdxSkinBorder(TPersistent* Owner, const String& Name);
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  void DrawToDC(HDC DC, const TRect& R);
  void DrawToCanvas(TdxSkinCanvas* Canvas, const TRect& R);

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  int Thin() const { return thin_; }
  void SetThin(int Value);
  int Side() const { return side_; }
  // The strip the border covers along its side of R.
  TRect StripRect(const TRect& R) const;

 private:
  TColor color_ = clNone;
  int side_ = 0;
  int thin_ = 1;
};

class TdxSkinBorders : public TdxSkinProperty {
  DECLARE_CLASS(TdxSkinBorders, TdxSkinProperty)
 public:
  TdxSkinBorders(TPersistent* Owner, const String& Name);
  ~TdxSkinBorders() override;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  void ChildChanged(TObject* Sender);
  // 0 left, 1 top, 2 right, 3 bottom.
  TdxSkinBorder* Items(int Side) const { return borders_[Side]; }
  TdxSkinBorder* Left() const { return borders_[0]; }
  TdxSkinBorder* Top() const { return borders_[1]; }
  TdxSkinBorder* Right() const { return borders_[2]; }
  TdxSkinBorder* Bottom() const { return borders_[3]; }

 private:
  TdxSkinBorder* borders_[4];
};

// ---- images and elements ---------------------------------------------------------------------

// The short-lived GDI+ drawing surface of a drawing: on a display of 8 bits per pixel or less it
// draws into a 32-bit off-screen buffer and copies it back at EndPaint.
class TdxSkinCanvas : public TObject {
  DECLARE_CLASS(TdxSkinCanvas, TObject)
 public:
  ~TdxSkinCanvas() override;
  void BeginPaint(HDC DC, const TRect& R);
  void EndPaint();
  void FillRect(const TRect& R, TColor Color);
  void FillGradient(const TRect& R, TColor Color1, TdxSkinGradientMode Mode, TColor Color2);
  void DrawImageUnscaled(TdxPNGImage* Image, const TRect& Dest, const TRect& Source);
  void DrawImageTiled(TdxPNGImage* Image, const TRect& Dest, const TRect& Source);
  void DrawImageScaled(TdxPNGImage* Image, const TRect& Dest, const TRect& Source);
  int InterpolationMode();
  void SetInterpolationMode(int Mode);

  GpGraphics* Graphics() const { return graphics_; }
  bool Buffered() const { return buffer_ != nullptr; }

 private:
  TcxBitmap* buffer_ = nullptr;
  GpGraphics* graphics_ = nullptr;
  TRect rect_;
  HDC sourceDC_ = nullptr;
};

// Parts of a rectangle split by margins: index column x 3 + row.
using TdxSkinParts = std::array<TRect, 9>;
using TdxSkinPartFlags = std::array<bool, 9>;

class TdxSkinImage : public TPersistent {
  DECLARE_CLASS(TdxSkinImage, TPersistent)
 public:
  explicit TdxSkinImage(TdxSkinElement* Owner);
  ~TdxSkinImage() override;

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;
  // Layout, emptiness, states, gradient, stretch, frame size, margins and pictures (two empty
  // pictures count as equal here).
  bool IsEqual(TdxSkinImage* Other);
  void FireChanged();
  void Clear();

  // Frame geometry, recomputed when dirty.
  void UpdateGeometry();
  void MarkDirty() { dirty_ = true; }
  int StateCount();
  TSize FrameSize();
  TRect StateBounds(TdxSkinElementState State);
  // The frame of image index and state (the state resolved first).
  TRect FrameRect(int ImageIndex, TdxSkinElementState State);
  // A state not in States becomes the first present one; with none present it stays.
  TdxSkinElementState ResolveState(TdxSkinElementState State) const;
  // Nine parts of R by the margins; a destination whose margins exceed it shrinks them and marks
  // the outer parts scaled. Flags stay set only for the non-empty parts they were set for.
  void SplitIntoParts(const TRect& R, bool IsDestination, TdxSkinParts& Parts, TdxSkinPartFlags& Visible);
  const TdxSkinPartFlags& ScaledFlags() const { return scaled_; }

  void DrawToDC(HDC DC, const TRect& R, int ImageIndex = 0, TdxSkinElementState State = esNormal);
  void DrawToCanvas(TdxSkinCanvas* Canvas, const TRect& R, int ImageIndex, TdxSkinElementState State);
  void DrawPart(TdxSkinCanvas* Canvas, const TRect& Dest, const TRect& Source, bool Scaled, bool IsCentre);

  // No stored file name and an empty picture.
  bool Empty() const;
  TdxPNGImage* Texture() const { return texture_; }
  TdxSkinElement* Element() const { return owner_; }

  TdxSkinGradientMode Gradient() const { return gradient_; }
  void SetGradient(TdxSkinGradientMode Value);
  TColor GradientBeginColor() const { return gradientBegin_; }
  void SetGradientBeginColor(TColor Value);
  TColor GradientEndColor() const { return gradientEnd_; }
  void SetGradientEndColor(TColor Value);
  TdxSkinImageLayout ImageLayout() const { return layout_; }
  void SetImageLayout(TdxSkinImageLayout Value);
  TRect Margins() const { return margins_; }
  void SetMargins(const TRect& Value);
  TdxSkinElementStates States() const { return states_; }
  void SetStates(TdxSkinElementStates Value);
  TdxSkinStretchMode Stretch() const { return stretch_; }
  void SetStretch(TdxSkinStretchMode Value);
  String SourceName() const { return sourceName_; }
  void SetSourceName(const String& Value) { sourceName_ = Value; }

  TNotifyEvent OnChange;

 private:
  void TextureChanged(TObject*);

  TdxSkinGradientMode gradient_ = TdxSkinGradientMode::gmHorizontal;
  TColor gradientBegin_ = clNone, gradientEnd_ = clNone;
  TdxSkinImageLayout layout_ = ilHorizontal;
  TRect margins_;
  TdxSkinElement* owner_;
  // Geometry cache.
  bool dirty_ = true;
  int stateCount_ = 0;
  int ordinals_[kSkinElementStateCount] = {};
  TSize frameSize_{0, 0};
  TRect stateBounds_[kSkinElementStateCount];
  TdxSkinPartFlags scaled_{};
  String sourceName_;
  TdxSkinElementStates states_;
  TdxSkinStretchMode stretch_ = smStretch;
  TdxPNGImage* texture_;
};

class TdxSkinElement : public TdxSkinPersistent {
  DECLARE_CLASS(TdxSkinElement, TdxSkinPersistent)
 public:
  TdxSkinElement(TPersistent* Owner, const String& Name);
  ~TdxSkinElement() override;

  void Assign(TPersistent* Source) override;
  // Name, colour, image count, alpha, text colour, sizes, borders, property lists, images.
  virtual bool IsEqual(TdxSkinElement* Other);
  bool PropertiesEqual(TdxSkinElement* Other);
  // "<Name>_Glyph.png" or "<Name>_Image.png".
  String ImageFileName(bool Glyph) const;
  // Paints the element into R of the DC (nothing for an empty or invisible R), from a finished
  // picture kept per size, image index and state (forgotten when the element changes).
  virtual void Draw(HDC DC, const TRect& R, int ImageIndex = 0, TdxSkinElementState State = esNormal);
  // The pictures kept now (for tests).
  int KeptRenderingCount() const;
  void Changed() override;

  Byte Alpha() const { return alpha_; }
  void SetAlpha(Byte Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TRect ContentOffset() const { return contentOffset_; }
  void SetContentOffset(const TRect& Value);
  int ImageCount() const { return imageCount_; }
  void SetImageCount(int Value);
  TSize MinSize() const { return minSize_; }
  void SetMinSize(const TSize& Value);
  TColor TextColor() const { return textColor_; }
  void SetTextColor(TColor Value);
  bool HasColor() const { return hasColor_; }
  // The element's ARGB solid brush (while it has a colour and GDI+ runs).
  TdxGPBrush* Brush() const { return brush_; }

  TdxSkinBorders* Borders() const { return borders_; }
  TdxSkinImage* Glyph() const { return glyph_; }
  TdxSkinImage* Image() const { return image_; }

 protected:
  // The whole element on a canvas that has begun painting.
  void DrawOn(TdxSkinCanvas* Canvas, const TRect& R, int ImageIndex, TdxSkinElementState State);
  void FillBackground(TdxSkinCanvas* Canvas, const TRect& R);
  void UpdateBrush();
  void ImageChanged(TObject*);

 private:
  Byte alpha_ = 255;
  TdxSkinBorders* borders_;
  TdxGPBrush* brush_ = nullptr;
  TdxSkinCanvas* canvas_ = nullptr;
  TdxSkinElementRenderings* renderings_ = nullptr;
  TColor color_ = clDefault;
  TRect contentOffset_;
  TdxSkinImage* glyph_;
  TdxSkinImage* image_;
  int imageCount_ = 1;
  bool hasColor_ = false;
  TSize minSize_{0, 0};
  TColor textColor_ = clDefault;
};

// Drawn in place of an element a skin lacks: white with a 1-pixel pure red frame.
class TdxSkinEmptyElement : public TdxSkinElement {
  DECLARE_CLASS(TdxSkinEmptyElement, TdxSkinElement)
 public:
  TdxSkinEmptyElement() : TdxSkinElement(nullptr, String()) {}
  void Draw(HDC DC, const TRect& R, int ImageIndex = 0, TdxSkinElementState State = esNormal) override;
};
// The process-wide empty element (made by the unit start).
TdxSkinEmptyElement* SkinEmptyElement();

class TdxSkinControlGroup : public TdxSkinPersistent {
  DECLARE_CLASS(TdxSkinControlGroup, TdxSkinPersistent)
 public:
  TdxSkinControlGroup(TPersistent* Owner, const String& Name) : TdxSkinPersistent(Owner, Name) {}
  ~TdxSkinControlGroup() override;
  // Appends clones of the source's elements and properties.
  void Assign(TPersistent* Source) override;
  void Sort() override;
  void DeleteProperty(TdxSkinCustomPersistentObject* Object) override;

  TdxSkinElement* AddElement(const String& Name);
  TdxSkinElement* FindElement(const String& Name);
  int Count() const { return int(elements_.size()); }
  TdxSkinElement* Elements(int Index) const { return elements_[size_t(Index)]; }

 private:
  friend class TdxSkin;
  std::vector<TdxSkinElement*> elements_;
};

namespace dxskin {
struct SkinRecord;
}

class TdxSkin : public TdxSkinPersistent {
  DECLARE_CLASS(TdxSkin, TdxSkinPersistent)
 public:
  // Version 1.02; with Load, LoadFromResource(Module).
  TdxSkin(const String& Name, HINSTANCE Module = nullptr, bool Load = false);
  ~TdxSkin() override;

  void Assign(TPersistent* Source) override;
  // Listeners in list order (under a raised lock), then OnChange.
  void FireChanged() override;
  void Sort() override;
  void DeleteProperty(TdxSkinCustomPersistentObject* Object) override;
  TdxSkinCustomPersistentObject* Clone() override;

  // The resource of ResourceType() named after the skin.
  virtual void LoadFromResource(HINSTANCE Module);
  // Reads a "dxSkin" stream from its position. Without GDI+ nothing is read. A damaged stream
  // raises (EdxSkin "Invalid stream format", the version-mismatch EdxSkin, EClassNotFound for an
  // unknown property class, EReadError for bytes that end early) and leaves the skin as it was,
  // without a change notification; the stream's position is then unspecified.
  virtual void LoadFromStream(TStream& Stream);
  // Writes the skin in the 1.02 layout.
  virtual void SaveToStream(TStream& Stream);
  // The model as plain records (the PNG bytes as the pictures encode them) and back.
  dxskin::SkinRecord ToRecord();

  void Clear();
  TdxSkinColor* AddColor(const String& Name, TColor Value);
  TdxSkinControlGroup* AddGroup(const String& Name);
  TdxSkinColor* FindColor(const String& Name);
  TdxSkinControlGroup* FindGroup(const String& Name);
  int ColorCount() const { return int(colors_.size()); }
  TdxSkinColor* Colors(int Index) const { return colors_[size_t(Index)]; }
  int GroupCount() const { return int(groups_.size()); }
  TdxSkinControlGroup* Groups(int Index) const { return groups_[size_t(Index)]; }

  void RegisterListener(IdxSkinChangeListener* Listener);
  void RemoveListener(IdxSkinChangeListener* Listener);

  double Version = 1.02;

 protected:
  // "DXSKINS" here (a resource string of the skin-name catalogue).
  virtual String ResourceType();

 private:
  void BuildFrom(const dxskin::SkinRecord& Record, TStream& Source, Int64 Base);
  void TakeContentOf(TdxSkin& Other);

  std::vector<TdxSkinColor*> colors_;
  std::vector<TdxSkinControlGroup*> groups_;
  std::vector<IdxSkinChangeListener*> listeners_;
};

// A read window [Start, End) over a source stream: reads come straight from the source, seeks are
// clamped to the window, and reads stop at its end.
class TdxSkinPartStream : public TStream {
  DECLARE_CLASS(TdxSkinPartStream, TStream)
 public:
  explicit TdxSkinPartStream(TStream* Source) : source_(Source) {}
  void Initialize(TStream* Source, Int64 Start, Int64 End);
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return end_ - start_; }

 private:
  TStream* source_;
  Int64 start_ = 0, end_ = 0;
};
// The shared part stream of the unit.
TdxSkinPartStream* SkinPartStream();

// The registry of the six property classes ("TdxSkinIntegerProperty" ... "TdxSkinStringProperty");
// EClassNotFound "Class %s not found" for any other name.
TdxSkinPropertyClass FindSkinPropertyClass(const String& ClassName);

// The skin engine's unit start (empty element, part stream, GDI+ check) and end; tests restart it.
void StartSkinUnit();
void EndSkinUnit();
