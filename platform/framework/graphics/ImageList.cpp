#include "platform/framework/graphics/ImageList.h"

#include <algorithm>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Icon.h"
#include "platform/framework/classes/Stream.h"

DEFINE_CLASS(TChangeLink)
DEFINE_CLASS(TCustomImageList)
DEFINE_CLASS(TDragImageList)
DEFINE_CLASS(TImageList)

namespace {

[[noreturn]] void ImageListError(const wchar_t* text) { throw EInvalidOperation(text); }

COLORREF ListColor(TColor color, COLORREF none) {
  return color == clNone ? none : color == clDefault ? CLR_DEFAULT : COLORREF(ColorToRGB(color));
}

// "PSDPxax": where the source is black the brush, elsewhere the target.
constexpr DWORD kBrushThroughBlack = 0x00B8074A;

}  // namespace

// ---- TChangeLink ------------------------------------------------------------------------------

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(sender_);
}

// ---- TCustomImageList -------------------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TComponent(AOwner), width_(AWidth), height_(AHeight) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : links_) link->SetSender(nullptr);
  links_.clear();
  if (disabledDC_) {
    SelectObject(disabledDC_, disabledOld_);
    DeleteDC(disabledDC_);
  }
  if (disabledMask_) DeleteObject(disabledMask_);
  FreeHandle();
}

void TCustomImageList::Initialize() { CreateImageList(); }

void TCustomImageList::Finalize() {}

void TCustomImageList::BeforeDestruction() {
  TComponent::BeforeDestruction();
  Finalize();
}

void TCustomImageList::CreateImageList() {
  UINT flags = ILC_COLOR32 | (masked_ ? ILC_MASK : 0);
  handle_ = ImageList_Create(width_, height_, flags, allocBy_, allocBy_);
  if (!handle_) throw EOutOfResources(L"Out of system resources");
  ImageList_SetBkColor(handle_, ListColor(bkColor_, CLR_NONE));
}

void TCustomImageList::FreeHandle() {
  if (handle_ && !shareImages_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
  if (!handle_) {
    if (!initialized_) {
      initialized_ = true;
      Initialize();
    }
    if (!handle_) CreateImageList();
  }
  return handle_;
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
  if (Value == handle_) return;
  FreeHandle();
  handle_ = Value;
  initialized_ = true;
  if (handle_) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(handle_, &cx, &cy);
    width_ = cx;
    height_ = cy;
    bkColor_ = ImageList_GetBkColor(handle_) == CLR_NONE ? clNone : TColor(ImageList_GetBkColor(handle_));
  }
  Change();
}

void TCustomImageList::SetSize(int AWidth, int AHeight) {
  if (AWidth == width_ && AHeight == height_) return;
  if (AWidth <= 0 || AHeight <= 0) ImageListError(L"Invalid image size");
  width_ = AWidth;
  height_ = AHeight;
  if (handle_) {
    FreeHandle();
    CreateImageList();
  }
  Change();
}

int TCustomImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == bkColor_) return;
  bkColor_ = Value;
  if (handle_) ImageList_SetBkColor(handle_, ListColor(Value, CLR_NONE));
  Change();
}

void TCustomImageList::SetBlendColor(TColor Value) {
  if (Value == blendColor_) return;
  blendColor_ = Value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == drawingStyle_) return;
  drawingStyle_ = Value;
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == imageType_) return;
  imageType_ = Value;
  Change();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == masked_) return;
  masked_ = Value;
  if (handle_) {
    FreeHandle();
    CreateImageList();
  }
  Change();
}

void TCustomImageList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) ImageListError(L"Invalid ImageList Index");
}

int TCustomImageList::ImagesIn(TBitmap* image) const { return std::max(1, image->Width() / width_); }

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image) return -1;
  HIMAGELIST list = Handle();
  int index = ImageList_Add(list, Image->Handle(), Mask ? Mask->Handle() : nullptr);
  if (index < 0) ImageListError(L"Failed to add image");
  Change();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image) return -1;
  if (MaskColor == clNone) return Add(Image, nullptr);
  // The system blackens the masked pixels of the bitmap it is given: give it a copy.
  TBitmap copy;
  copy.Assign(Image);
  HIMAGELIST list = Handle();
  int index = ImageList_AddMasked(list, copy.Handle(), COLORREF(ColorToRGB(MaskColor)));
  if (index < 0) ImageListError(L"Failed to add image");
  Change();
  return index;
}

int TCustomImageList::AddIcon(TIcon* Image) {
  if (!Image || !Image->Handle()) return -1;
  int index = ImageList_ReplaceIcon(Handle(), -1, Image->Handle());
  if (index < 0) ImageListError(L"Failed to add image");
  Change();
  return index;
}

// Moves image from to index to; the images between shift by one. A spare slot at the end holds
// the moving image (copies only: swapping in place is unreliable across system versions).
void TCustomImageList::MoveImage(int from, int to) {
  if (from == to) return;
  const int count = Count();
  const int spare = count;
  ImageList_SetImageCount(handle_, UINT(count + 1));
  ImageList_Copy(handle_, spare, handle_, from, ILCF_MOVE);
  if (from > to)
    for (int i = from; i > to; --i) ImageList_Copy(handle_, i, handle_, i - 1, ILCF_MOVE);
  else
    for (int i = from; i < to; ++i) ImageList_Copy(handle_, i, handle_, i + 1, ILCF_MOVE);
  ImageList_Copy(handle_, to, handle_, spare, ILCF_MOVE);
  ImageList_SetImageCount(handle_, UINT(count));
}

// Moves the last `added` images, in order, to start at index.
void TCustomImageList::MoveLastTo(int index, int added) {
  const int first = Count() - added;
  for (int k = 0; k < added; ++k) MoveImage(first + k, index + k);
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index > Count()) ImageListError(L"Invalid ImageList Index");
  int before = Count();
  Add(Image, Mask);
  MoveLastTo(Index, Count() - before);
  Change();
}

void TCustomImageList::InsertMasked(int Index, TBitmap* Image, TColor MaskColor) {
  if (Index < 0 || Index > Count()) ImageListError(L"Invalid ImageList Index");
  int before = Count();
  AddMasked(Image, MaskColor);
  MoveLastTo(Index, Count() - before);
  Change();
}

void TCustomImageList::InsertIcon(int Index, TIcon* Image) {
  if (Index < 0 || Index > Count()) ImageListError(L"Invalid ImageList Index");
  int before = Count();
  AddIcon(Image);
  MoveLastTo(Index, Count() - before);
  Change();
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  if (!Image || !ImageList_Replace(handle_, Index, Image->Handle(), Mask ? Mask->Handle() : nullptr))
    ImageListError(L"Failed to replace image");
  Change();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor) {
  CheckIndex(Index);
  // Added at the end, swapped into place, and the old image removed from the end.
  int last = AddMasked(NewImage, MaskColor);
  ImageList_Copy(handle_, Index, handle_, last, ILCF_MOVE);
  while (Count() > last) ImageList_Remove(handle_, Count() - 1);
  Change();
}

void TCustomImageList::ReplaceIcon(int Index, TIcon* Image) {
  CheckIndex(Index);
  if (!Image || ImageList_ReplaceIcon(handle_, Index, Image->Handle()) < 0)
    ImageListError(L"Failed to replace image");
  Change();
}

void TCustomImageList::Delete(int Index) {
  CheckIndex(Index);
  ImageList_Remove(handle_, Index);
  Change();
}

void TCustomImageList::Clear() {
  if (handle_) ImageList_Remove(handle_, -1);
  Change();
}

void TCustomImageList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  MoveImage(CurIndex, NewIndex);
  Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, drawingStyle_, imageType_, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  if (!handle_ || Index < 0 || Index >= Count()) return;
  static constexpr UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  UINT style = styles[ADrawingStyle] | (AImageType == itMask ? ILD_MASK : 0);
  DoDraw(Index, Canvas, X, Y, style, Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
  HDC dc = Canvas->Handle();
  if (Enabled) {
    ImageList_DrawEx(handle_, Index, dc, X, Y, 0, 0, ListColor(bkColor_, CLR_NONE),
                     ListColor(blendColor_, CLR_DEFAULT), Style);
  } else {
    DrawDisabled(Index, dc, X, Y);
  }
}

// The image's shape in the button highlight colour one pixel down and right, then in the button
// shadow colour in place: the system's look of a disabled picture.
void TCustomImageList::DrawDisabled(int Index, HDC target, int X, int Y) {
  if (!disabledDC_) {
    disabledMask_ = CreateBitmap(width_, height_, 1, 1, nullptr);
    disabledDC_ = CreateCompatibleDC(nullptr);
    if (!disabledMask_ || !disabledDC_) return;
    disabledOld_ = SelectObject(disabledDC_, disabledMask_);
  }
  BITMAP bm{};
  GetObjectW(disabledMask_, sizeof(bm), &bm);
  if (bm.bmWidth != width_ || bm.bmHeight != height_) {
    HBITMAP resized = CreateBitmap(width_, height_, 1, 1, nullptr);
    if (!resized) return;
    SelectObject(disabledDC_, resized);
    DeleteObject(disabledMask_);
    disabledMask_ = resized;
  }
  // Black where the image is opaque, white where it is transparent.
  PatBlt(disabledDC_, 0, 0, width_, height_, BLACKNESS);
  ImageList_Draw(handle_, Index, disabledDC_, 0, 0, ILD_MASK);
  COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
  COLORREF oldBack = ::SetBkColor(target, RGB(255, 255, 255));
  HGDIOBJ oldBrush = SelectObject(target, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  BitBlt(target, X + 1, Y + 1, width_, height_, disabledDC_, 0, 0, kBrushThroughBlack);
  SelectObject(target, GetSysColorBrush(COLOR_BTNSHADOW));
  BitBlt(target, X, Y, width_, height_, disabledDC_, 0, 0, kBrushThroughBlack);
  SelectObject(target, oldBrush);
  SetTextColor(target, oldText);
  ::SetBkColor(target, oldBack);
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || !handle_ || Index < 0 || Index >= Count()) return;
  Image->SetSize(width_, height_);
  ImageList_Draw(handle_, Index, Image->Canvas()->Handle(), 0, 0, ILD_NORMAL);
}

void TCustomImageList::GetIcon(int Index, TIcon* Image) {
  if (!Image || !handle_ || Index < 0 || Index >= Count()) return;
  Image->SetHandle(ImageList_GetIcon(handle_, Index, ILD_NORMAL));
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value || std::find(links_.begin(), links_.end(), Value) != links_.end()) return;
  Value->SetSender(this);
  links_.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  auto it = std::find(links_.begin(), links_.end(), Value);
  if (it == links_.end()) return;
  links_.erase(it);
  Value->SetSender(nullptr);
}

void TCustomImageList::Change() {
  // A link may unregister itself, or others, while it is told.
  std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
  if (OnChange) OnChange(this);
}

void TCustomImageList::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCustomImageList*>(Source);
  if (!source) return TComponent::Assign(Source);
  if (source == this) return;
  FreeHandle();
  width_ = source->width_;
  height_ = source->height_;
  allocBy_ = source->allocBy_;
  bkColor_ = source->bkColor_;
  blendColor_ = source->blendColor_;
  drawingStyle_ = source->drawingStyle_;
  imageType_ = source->imageType_;
  masked_ = source->masked_;
  shareImages_ = false;
  if (source->handle_) {
    handle_ = ImageList_Duplicate(source->handle_);
    initialized_ = true;
  }
  Change();
}

void TCustomImageList::WriteData(TStream& Stream) {
  IStream* adapter = CreateStreamAdapter(Stream);
  BOOL ok = ImageList_Write(Handle(), adapter);
  adapter->Release();
  if (!ok) throw EWriteError(L"Failed to write ImageList data to stream");
}

void TCustomImageList::ReadData(TStream& Stream) {
  IStream* adapter = CreateStreamAdapter(Stream);
  HIMAGELIST list = ImageList_Read(adapter);
  adapter->Release();
  if (!list) throw EReadError(L"Failed to read ImageList data from stream");
  shareImages_ = false;
  SetHandle(list);
}

// ---- TDragImageList ---------------------------------------------------------------------------

TDragImageList::~TDragImageList() {
  if (dragging_) EndDrag();
}

bool TDragImageList::SetDragImage(int Index, int HotSpotX, int HotSpotY) {
  if (Index < 0 || Index >= Count()) return false;
  dragIndex_ = Index;
  hotSpot_ = {HotSpotX, HotSpotY};
  return true;
}

bool TDragImageList::BeginDrag(HWND Window, int X, int Y) {
  if (dragging_) EndDrag();
  if (dragIndex_ < 0 || dragIndex_ >= Count()) return false;
  if (!ImageList_BeginDrag(Handle(), dragIndex_, hotSpot_.x, hotSpot_.y)) return false;
  window_ = Window;
  dragging_ = true;
  shown_ = ImageList_DragEnter(Window, X, Y) != FALSE;
  return true;
}

bool TDragImageList::DragMove(int X, int Y) { return dragging_ && ImageList_DragMove(X, Y); }

bool TDragImageList::EndDrag() {
  if (!dragging_) return false;
  if (shown_) ImageList_DragLeave(window_);
  ImageList_EndDrag();
  dragging_ = shown_ = false;
  window_ = nullptr;
  return true;
}

void TDragImageList::HideDragImage() {
  if (dragging_) ImageList_DragShowNolock(FALSE);
}

void TDragImageList::ShowDragImage() {
  if (dragging_) ImageList_DragShowNolock(TRUE);
}
