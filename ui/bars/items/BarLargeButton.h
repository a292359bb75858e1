#pragma once
// The large button: a button that shows a large glyph with its caption under it on bars, with an
// optional hot glyph and a gray-scale glyph while it is not hot.
//
// ImageIndex follows LargeImageIndex while SyncImageIndex is set. It is not stored under its own
// name: the property "ImageIndex" is defined for the stream and written only while SyncImageIndex
// is False. While a form loads, the button remembers which of ImageIndex, LargeImageIndex and
// SyncImageIndex were set, so that a stream holding only "ImageIndex" also gives LargeImageIndex;
// the flags are cleared once the form is loaded.

#include "ui/bars/BarItems.h"

class TdxBarLargeButton : public TdxBarButton {
  DECLARE_CLASS(TdxBarLargeButton, TdxBarButton)
 public:
  explicit TdxBarLargeButton(TComponent* AOwner);
  ~TdxBarLargeButton() override;
  void DefineProperties(TFiler& Filer) override;
  void Loaded() override;

  bool AutoGrayScale() const { return autoGrayScale_; }
  void SetAutoGrayScale(bool Value);
  // 0: measured. Negative values are ignored.
  int Height() const { return height_; }
  void SetHeight(int Value);
  TBitmap* HotGlyph() const { return hotGlyph_.get(); }
  void SetHotGlyph(TBitmap* Value) { hotGlyph_->Assign(Value); }
  int HotImageIndex() const { return hotImageIndex_; }
  void SetHotImageIndex(int Value);
  bool SyncImageIndex() const { return syncImageIndex_; }
  void SetSyncImageIndex(bool Value);
  void SetImageIndex(int Value) override;
  void SetLargeImageIndex(int Value) override;

  bool HasHotImage() const override { return hotImageIndex_ >= 0; }
  bool HasImageIndex() const override { return LargeImageIndex() >= 0; }
  // On a toolbar the accelerator works only while the caption is shown.
  bool AcceptsAccelerator(TdxBarItemLink* Link) const override;
  // The paint style is not offered: the button always shows its large glyph.
  int CustomizeOptions() const override { return TdxBarButton::CustomizeOptions() & ~0x20; }
  void LargeGlyphChanged() override;

  // Which values were set while the form was read (cleared by Loaded).
  bool ImageIndexSetWhileReading() const { return imageIndexRead_; }
  bool LargeImageIndexSetWhileReading() const { return largeImageIndexRead_; }
  bool SyncImageIndexSetWhileReading() const { return syncImageIndexRead_; }

 private:
  // ImageIndex follows LargeImageIndex (while loading after ImageIndex was read, SyncImageIndex
  // says instead whether the two agree).
  void SynchronizeImages();
  // Runs Step with the synchronising flag set.
  template <class Step>
  void Synchronizing(Step&& step);

  bool autoGrayScale_ = true;
  int height_ = 0;
  ObjectPtr<TBitmap> hotGlyph_;
  int hotImageIndex_ = -1;
  bool syncImageIndex_ = true;
  bool imageIndexRead_ = false;
  bool largeImageIndexRead_ = false;
  bool syncImageIndexRead_ = false;
  bool synchronizing_ = false;
};

class TdxBarLargeButtonControl : public TdxBarButtonControl {
  DECLARE_CLASS(TdxBarLargeButtonControl, TdxBarButtonControl)
 public:
  using TdxBarButtonControl::TdxBarButtonControl;
  TdxBarLargeButton* LargeButton() const { return dynamic_cast<TdxBarLargeButton*>(LinkedItem()); }

  TSize GlyphSize(Byte ViewSize) const override;
  TdxBarContentParts ContentPartsForViewLevel() const override;
  TdxBarContentParts ContentPartsByPaintStyle() const override;
  Byte GlyphKindForViewLevel() const override;
  bool GetImageInfo(Byte ViewSize, TdxBarContentParts Flags, int& AImageIndex, TCustomImageList*& Images,
                    TBitmap*& AGlyph) const override;
  bool DrawsGlyphInGrayScale() const override;
  void GlyphChanged() override { LargeGlyphChanged(); }
  void HotGlyphChanged() override { LargeGlyphChanged(); }
  void LargeGlyphChanged() override;
  int Height() override;
  int Width() override;

 private:
  // The hot or the large image (glyph first, then the list); false when the button has neither.
  bool HotImage(int& Index, TCustomImageList*& Images, TBitmap*& Glyph) const;
  bool LargeImage(int& Index, TCustomImageList*& Images, TBitmap*& Glyph) const;
};
