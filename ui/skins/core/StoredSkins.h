#pragma once
// Skins stored in the form that holds the manager: a name, the skin's global facts and the packed
// archive bytes in the binary property "Data".

#include "platform/framework/classes/Collection.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/graphics/Graphics.h"

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
