#pragma once
// TcxImageList: an image list whose system list is 32-bit with a mask, keeping beside it the
// source images (image, mask, mask colour) that it streams instead of the system list's own form,
// and drawing through the glyph painter.

#include "platform/framework/classes/Collection.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/foundation/Graphics.h"

class TcxImageInfo : public TPersistent {
  DECLARE_CLASS(TcxImageInfo, TPersistent)
 public:
  TcxImageInfo();
  ~TcxImageInfo() override;
  void Assign(TPersistent* Source) override;
  TcxCustomBitmap* Image() const { return image_; }
  TcxCustomBitmap* Mask() const { return mask_; }
  TColor MaskColor = clNone;

 private:
  TcxCustomBitmap* image_;
  TcxCustomBitmap* mask_;
};

class TcxImageInfoItem : public TCollectionItem {
  DECLARE_CLASS(TcxImageInfoItem, TCollectionItem)
 public:
  explicit TcxImageInfoItem(TCollection* Collection);
  ~TcxImageInfoItem() override;
  TcxImageInfo* Info() const { return info_; }
  TcxCustomBitmap* Image() const { return info_->Image(); }
  TcxCustomBitmap* Mask() const { return info_->Mask(); }
  bool CompressData() const { return Image()->CompressData && Mask()->CompressData; }
  void SetCompressData(bool Value);
  void Assign(TPersistent* Source) override;

 protected:
  // "Image.Data", "Mask.Data" and "MaskColor".
  void DefineProperties(TFiler& Filer) override;

 private:
  TcxImageInfo* info_;
};

class TcxImageInfoCollection : public TOwnedCollection {
  DECLARE_CLASS(TcxImageInfoCollection, TOwnedCollection)
 public:
  explicit TcxImageInfoCollection(TPersistent* AOwner)
      : TOwnedCollection(AOwner, &TcxImageInfoItem::ClassInfo()) {}
  TcxImageInfoItem* Items(int Index) const { return static_cast<TcxImageInfoItem*>(TCollection::Items(Index)); }
  TcxImageInfoItem* Add(TBitmap* AImage, TBitmap* AMask, TColor AMaskColor);
  // -1 clears the collection.
  void Delete(int Index);
  bool CompressData() const { return compressData_; }
  void SetCompressData(bool Value);

 private:
  bool compressData_ = false;
};

class TcxImageList : public TDragImageList {
  DECLARE_CLASS(TcxImageList, TDragImageList)
 public:
  explicit TcxImageList(TComponent* AOwner);
  TcxImageList(TComponent* AOwner, int AWidth, int AHeight);
  ~TcxImageList() override;

  // Adds the image (each Width x Height cell of a strip or grid as its own image, in reading order)
  // with its mask, or fully opaque without one; the index of the first image added, or -1.
  int AddImage(TBitmap* AImage, TBitmap* AMask);
  int AddMaskedImage(TBitmap* AImage, TColor AMaskColor);
  // -1 deletes all.
  void DeleteImage(int Index);
  void ClearImages() { DeleteImage(-1); }
  // Image and mask of Index (either may be null); nothing for an index out of range.
  void GetImage(int Index, TBitmap* AImage, TBitmap* AMask);
  // The stored source of Index; out of range gives empty bitmaps and clNone.
  void ImageInfoAt(int Index, TcxImageInfo* AInfo);
  void Assign(TPersistent* Source) override;
  void DrawImage(int Index, TCanvas* ACanvas, const TRect& R, UINT Style, bool FitToRect, bool Stretch, bool Enabled);
  void LockImageChanges() { ++lockCount_; }
  void UnlockImageChanges(bool AForce = true);

  bool CompressData() const { return infos_->CompressData(); }
  void SetCompressData(bool Value) { infos_->SetCompressData(Value); }
  TcxImageInfoCollection* ImageInfo() const { return infos_; }
  int DesignInfo = 0;
  int FormatVersion() const { return formatVersion_; }

  // The picture (and mask) of Index of a system list, or the whole strip for -1.
  static void ImageFromHandle(HIMAGELIST AHandle, int Index, TBitmap* AImage, TBitmap* AMask);
  static int ImageListBitsPerPixel(HIMAGELIST AHandle);

 protected:
  void Change() override;
  void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) override;
  // "FormatVersion", "DesignInfo" and "ImageInfo".
  void DefineProperties(TFiler& Filer) override;

 private:
  void AddFromImageInfo(TcxImageInfo* AInfo);
  void StoreImageInfo(TBitmap* AImage, TBitmap* AMask, TColor AMaskColor);
  // The cells of a strip or grid of Width x Height images in reading order; the whole image otherwise.
  std::vector<TRect> CellsOf(TBitmap* AImage) const;
  void ReadImageInfo(TReader& Reader);
  void RebuildFromImageInfo();

  TcxImageInfoCollection* infos_;
  bool alphaBlending_ = true;
  int formatVersion_ = 0;
  int lockCount_ = 0;
  bool synchronizing_ = false;
};
