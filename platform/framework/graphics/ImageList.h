#pragma once
// Image lists over the common controls' image list: images of one size, added from bitmaps (with
// a mask bitmap or a mask colour) or icons, drawn normal or disabled; observers hear of changes
// through change links. TDragImageList adds the drag image shown while dragging.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(GRAPHICS);

#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/graphics/Graphics.h"

class TBitmap;
class TIcon;
class TStream;
class TCustomImageList;

// Tells its owner when the image list it is registered with changes.
class TChangeLink : public TObject {
  DECLARE_CLASS(TChangeLink, TObject)
 public:
  ~TChangeLink() override;
  // The list this link is registered with; null once the list is gone.
  TCustomImageList* Sender() const { return sender_; }
  void SetSender(TCustomImageList* Value) { sender_ = Value; }
  virtual void Change();

  TNotifyEvent OnChange;

 private:
  TCustomImageList* sender_ = nullptr;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
  DECLARE_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
  ~TCustomImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size empties the list.
  void SetWidth(int Value) { SetSize(Value, height_); }
  void SetHeight(int Value) { SetSize(width_, Value); }
  void SetSize(int AWidth, int AHeight);
  int Count() const;
  int AllocBy() const { return allocBy_; }
  void SetAllocBy(int Value) { allocBy_ = Value; }
  // Background the images are drawn on; clNone draws them transparently.
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor Value);
  // Blended into focused and selected images.
  TColor BlendColor() const { return blendColor_; }
  void SetBlendColor(TColor Value);
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  void SetDrawingStyle(TDrawingStyle Value);
  TImageType ImageType() const { return imageType_; }
  void SetImageType(TImageType Value);
  // A shared list's handle is not destroyed with it.
  bool ShareImages() const { return shareImages_; }
  void SetShareImages(bool Value) { shareImages_ = Value; }
  bool Masked() const { return masked_; }
  void SetMasked(bool Value);

  // The system image list, made on demand (32-bit with a mask unless Masked is off). Setting one
  // adopts it, with its image size.
  HIMAGELIST Handle();
  void SetHandle(HIMAGELIST Value);
  bool HandleAllocated() const { return handle_ != nullptr; }

  // Adds return the index of the first image added; a bitmap wider than Width adds one image per
  // Width columns. Errors raise EInvalidOperation.
  int Add(TBitmap* Image, TBitmap* Mask);
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  void Insert(int Index, TBitmap* Image, TBitmap* Mask);
  void InsertMasked(int Index, TBitmap* Image, TColor MaskColor);
  void InsertIcon(int Index, TIcon* Image);
  void Replace(int Index, TBitmap* Image, TBitmap* Mask);
  void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
  void ReplaceIcon(int Index, TIcon* Image);
  void Delete(int Index);
  void Clear();
  void Move(int CurIndex, int NewIndex);

  // Draws image Index at (X, Y); a disabled image is drawn embossed in the button shadow and
  // highlight colours.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  // The image (Width x Height, drawn on the bitmap) or icon of Index.
  void GetBitmap(int Index, TBitmap* Image);
  void GetIcon(int Index, TIcon* Image);

  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);

  void Assign(TPersistent* Source) override;
  // The system image list's own stream form, through the IStream adapter.
  void WriteData(TStream& Stream);
  void ReadData(TStream& Stream);

  TNotifyEvent OnChange;

  // Finalize runs here, while overrides are still in place.
  void BeforeDestruction() override;

 protected:
  // Initialize runs once, when the list first needs its system image list (the base makes it);
  // Finalize runs when the list is freed.
  virtual void Initialize();
  virtual void Finalize();
  // Tells the change links, then OnChange.
  virtual void Change();
  // ILD_ flags of the drawing style and image type.
  virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);
  void CheckIndex(int Index) const;

 private:
  void CreateImageList();
  void FreeHandle();
  void DrawDisabled(int Index, HDC target, int X, int Y);
  void MoveImage(int from, int to);
  void MoveLastTo(int index, int added);
  // Images added by one call: width / Width of the bitmap.
  int ImagesIn(TBitmap* image) const;

  HIMAGELIST handle_ = nullptr;
  bool initialized_ = false;
  int width_ = 16;
  int height_ = 16;
  int allocBy_ = 4;
  TColor bkColor_ = clNone;
  TColor blendColor_ = clNone;
  TDrawingStyle drawingStyle_ = dsNormal;
  TImageType imageType_ = itImage;
  bool shareImages_ = false;
  bool masked_ = true;
  std::vector<TChangeLink*> links_;
  // The disabled look's working mask, kept for the next draw.
  HBITMAP disabledMask_ = nullptr;
  HDC disabledDC_ = nullptr;
  HGDIOBJ disabledOld_ = nullptr;
};

class TDragImageList : public TCustomImageList {
  DECLARE_CLASS(TDragImageList, TCustomImageList)
 public:
  using TCustomImageList::TCustomImageList;
  ~TDragImageList() override;

  // Starts showing image DragIndex (SetDragImage) over Window at the window point (X, Y).
  bool BeginDrag(HWND Window, int X, int Y);
  // Moves the image to the window point of the drag's window.
  bool DragMove(int X, int Y);
  bool EndDrag();
  // Hides and shows the image, for painting beneath it.
  void HideDragImage();
  void ShowDragImage();
  bool SetDragImage(int Index, int HotSpotX, int HotSpotY);
  bool Dragging() const { return dragging_; }
  TPoint DragHotspot() const { return hotSpot_; }

 private:
  HWND window_ = nullptr;
  bool dragging_ = false;
  bool shown_ = false;
  int dragIndex_ = 0;
  TPoint hotSpot_;
};

class TImageList : public TDragImageList {
  DECLARE_CLASS(TImageList, TDragImageList)
 public:
  using TDragImageList::TDragImageList;
};
