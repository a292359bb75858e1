#include "ui/skins/core/StoredSkins.h"

DEFINE_CLASS(TsStoredSkin)
DEFINE_CLASS(TsStoredSkins)
DEFINE_CLASS(TsSkinGeneral)
DEFINE_CLASS(TsSkinImage)
DEFINE_CLASS(TsSkinPattern)

TsSkinImage::TsSkinImage(TCollection* collection) : TCollectionItem(collection), Image(new TBitmap()) {}
TsSkinImage::~TsSkinImage() { Image->Free(); }

TsSkinPattern::TsSkinPattern(TCollection* collection) : TCollectionItem(collection), Image(new TJPEGImage()) {}
TsSkinPattern::~TsSkinPattern() { Image->Free(); }

TsStoredSkin::TsStoredSkin(TCollection* collection)
    : TCollectionItem(collection),
      data_(new TMemoryStream()),
      generalData_(new TsSkinGenerals()),
      images_(new TsSkinImages()),
      patterns_(new TsSkinPatterns()),
      masterBitmap_(new TBitmap()) {}

TsStoredSkin::~TsStoredSkin() {
  data_->Free();
  generalData_->Free();
  images_->Free();
  patterns_->Free();
  masterBitmap_->Free();
}

void TsStoredSkin::LoadData(const void* bytes, Int64 size) {
  data_->Clear();
  if (size > 0) data_->WriteBuffer(bytes, size);
  data_->SetPosition(0);
}

void TsStoredSkin::DefineProperties(TFiler& filer) {
  TCollectionItem::DefineProperties(filer);
  filer.DefineBinaryProperty(L"Data", {this, &TsStoredSkin::ReadData}, {this, &TsStoredSkin::WriteData}, true);
}

void TsStoredSkin::ReadData(TStream& stream) {
  data_->Clear();
  data_->CopyFrom(stream, stream.Size() - stream.Position());
  data_->SetPosition(0);
}

void TsStoredSkin::WriteData(TStream& stream) {
  data_->SetPosition(0);
  if (data_->Size() > 0) stream.CopyFrom(*data_, data_->Size());
}

TsStoredSkins::TsStoredSkins(TPersistent* owner) : TCollection(&TsStoredSkin::ClassInfo()), owner_(owner) {}
