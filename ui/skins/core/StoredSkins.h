#pragma once
// Skins stored in the form that holds the manager: a name, the skin's global facts and the packed
// archive bytes in the binary property "Data".

#include "platform/framework/classes/Collection.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/graphics/Jpeg.h"
#include "ui/skins/core/SkinData.h"

// One section of a stored skin without archive data: the general keys, with the text colour and
// its four contour colours as texts of five numbers.
class TsSkinGeneral : public TCollectionItem {
  DECLARE_CLASS(TsSkinGeneral, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  String Name;
  TsGeneralData Data;  // SectionName, ParentClass and every other key but the two colour texts
  String FontColor = L"0 -1 -1 -1 -1";
  String HotFontColor = L"0 -1 -1 -1 -1";
};

// One mask of a stored skin: an image of its own (Name set) or a rectangle of the master bitmap.
class TsSkinImage : public TCollectionItem {
  DECLARE_CLASS(TsSkinImage, TCollectionItem)
 public:
  explicit TsSkinImage(TCollection* collection);
  ~TsSkinImage() override;
  String SectionName;
  TBitmap* Image;  // owned
  String Name;
  String PropertyName;
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::int16_t ImageCount = 0, MaskType = 0, BorderWidth = 0, StretchMode = 0;
  TacImgType ImgType = TacImgType::itisaBorder;
  std::int16_t WL = 0, WR = 0, WT = 0, WB = 0;
};

class TsSkinPattern : public TCollectionItem {
  DECLARE_CLASS(TsSkinPattern, TCollectionItem)
 public:
  explicit TsSkinPattern(TCollection* collection);
  ~TsSkinPattern() override;
  String SectionName;
  TJPEGImage* Image;  // owned
  String Name;
  String PropertyName;
};

// A collection of one item class whose items are reached typed.
template <class Item>
class TsTypedCollection : public TCollection {
 public:
  TsTypedCollection() : TCollection(&Item::ClassInfo()) {}
  Item* Items(int index) const { return static_cast<Item*>(TCollection::Items(index)); }
  Item* Add() { return static_cast<Item*>(TCollection::Add()); }
};
using TsSkinGenerals = TsTypedCollection<TsSkinGeneral>;
using TsSkinImages = TsTypedCollection<TsSkinImage>;
using TsSkinPatterns = TsTypedCollection<TsSkinPattern>;

class TsStoredSkin : public TCollectionItem {
  DECLARE_CLASS(TsStoredSkin, TCollectionItem)
 public:
  explicit TsStoredSkin(TCollection* collection);
  ~TsStoredSkin() override;

  const String& Name() const { return name_; }
  void SetName(const String& value) { name_ = value; }
  // The archive bytes, owned by the item.
  TMemoryStream* Data() const { return data_; }
  void LoadData(const void* bytes, Int64 size);

  TsSkinGenerals* GeneralData() const { return generalData_; }
  TsSkinImages* Images() const { return images_; }
  TsSkinPatterns* Patterns() const { return patterns_; }
  TBitmap* MasterBitmap() const { return masterBitmap_; }

  double Version = 0;
  String Author;
  String Description;
  TColor Shadow1Color = 0;
  int Shadow1Offset = 0;
  int Shadow1Blur = -1;
  int Shadow1Transparency = 0;
  TColor BorderColor = 0xFF00FF;

 protected:
  void DefineProperties(TFiler& filer) override;
  String GetDisplayName() const override { return name_; }

 private:
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);

  String name_;
  TMemoryStream* data_;
  TsSkinGenerals* generalData_;
  TsSkinImages* images_;
  TsSkinPatterns* patterns_;
  TBitmap* masterBitmap_;
};

// The manager's stored skins; Assign does nothing.
class TsStoredSkins : public TCollection {
  DECLARE_CLASS(TsStoredSkins, TCollection)
 public:
  explicit TsStoredSkins(TPersistent* owner);
  TsStoredSkin* Items(int index) const { return static_cast<TsStoredSkin*>(TCollection::Items(index)); }
  TsStoredSkin* Add() { return static_cast<TsStoredSkin*>(TCollection::Add()); }
  void Assign(TPersistent*) override {}

 protected:
  TPersistent* GetOwner() override { return owner_; }

 private:
  TPersistent* owner_;
};
