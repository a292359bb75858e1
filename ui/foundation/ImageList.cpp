#include "ui/foundation/ImageList.h"

#include <algorithm>

#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TcxImageInfo)
DEFINE_CLASS(TcxImageInfoItem)
DEFINE_CLASS(TcxImageInfoCollection)
DEFINE_CLASS(TcxImageList)

namespace {

HDC DCOf(TBitmap* bitmap) { return bitmap->Canvas()->Handle(); }

// Copies R of Source into Target, resized to R's size.
void CopyCell(TBitmap* Source, const TRect& R, TBitmap* Target) {
  if (Target->Width() != RectWidthOf(R) || Target->Height() != RectHeightOf(R)) Target->SetSize(RectWidthOf(R), RectHeightOf(R));
  BitBlt(DCOf(Target), 0, 0, RectWidthOf(R), RectHeightOf(R), DCOf(Source), R.left, R.top, SRCCOPY);
  Target->SetModified(true);
}

}  // namespace

// ---- TcxImageInfo -----------------------------------------------------------------------------

TcxImageInfo::TcxImageInfo() : image_(new TcxCustomBitmap), mask_(new TcxCustomBitmap) {}

TcxImageInfo::~TcxImageInfo() {
  image_->Free();
  mask_->Free();
}

void TcxImageInfo::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxImageInfo*>(Source);
  if (!source) return TPersistent::Assign(Source);
  image_->Assign(source->image_);
  mask_->Assign(source->mask_);
  MaskColor = source->MaskColor;
}

// ---- TcxImageInfoItem -------------------------------------------------------------------------

TcxImageInfoItem::TcxImageInfoItem(TCollection* Collection) : TCollectionItem(Collection), info_(new TcxImageInfo) {
  if (auto* infos = dynamic_cast<TcxImageInfoCollection*>(Collection)) SetCompressData(infos->CompressData());
}

TcxImageInfoItem::~TcxImageInfoItem() { info_->Free(); }

void TcxImageInfoItem::SetCompressData(bool Value) {
  Image()->CompressData = Value;
  Mask()->CompressData = Value;
}

void TcxImageInfoItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TcxImageInfoItem*>(Source)) return info_->Assign(item->info_);
  TCollectionItem::Assign(Source);
}

void TcxImageInfoItem::DefineProperties(TFiler& Filer) {
  Filer.DefineBinaryProperty(
      L"Image.Data", [this](TStream& s) { Image()->ReadData(s); }, [this](TStream& s) { Image()->WriteData(s); }, true);
  Filer.DefineBinaryProperty(
      L"Mask.Data", [this](TStream& s) { Mask()->ReadData(s); }, [this](TStream& s) { Mask()->WriteData(s); }, true);
  Filer.DefineProperty(
      L"MaskColor", [this](TReader& r) { info_->MaskColor = r.ReadInteger(); },
      [this](TWriter& w) { w.WriteInteger(info_->MaskColor); }, true);
}

// ---- TcxImageInfoCollection -------------------------------------------------------------------

TcxImageInfoItem* TcxImageInfoCollection::Add(TBitmap* AImage, TBitmap* AMask, TColor AMaskColor) {
  auto* item = static_cast<TcxImageInfoItem*>(TCollection::Add());
  if (AImage) item->Image()->Assign(AImage);
  if (AMask) item->Mask()->Assign(AMask);
  item->Info()->MaskColor = AMaskColor;
  return item;
}

void TcxImageInfoCollection::Delete(int Index) {
  if (Index == -1)
    Clear();
  else
    TCollection::Delete(Index);
}

void TcxImageInfoCollection::SetCompressData(bool Value) {
  compressData_ = Value;
  for (int i = 0; i < Count(); ++i) Items(i)->SetCompressData(Value);
}

// ---- TcxImageList: adding and removing --------------------------------------------------------

TcxImageList::TcxImageList(TComponent* AOwner) : TDragImageList(AOwner), infos_(new TcxImageInfoCollection(this)) {}

TcxImageList::TcxImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TDragImageList(AOwner, AWidth, AHeight), infos_(new TcxImageInfoCollection(this)) {}

TcxImageList::~TcxImageList() { infos_->Free(); }

std::vector<TRect> TcxImageList::CellsOf(TBitmap* AImage) const {
  const int w = Width(), h = Height();
  const int iw = AImage->Width(), ih = AImage->Height();
  if (iw % w != 0 || ih % h != 0 || (iw == w && ih == h)) return {TRect{0, 0, iw, ih}};
  std::vector<TRect> cells;
  for (int row = 0; row < ih / h; ++row)
    for (int col = 0; col < iw / w; ++col) cells.push_back(RectFromBounds(col * w, row * h, w, h));
  return cells;
}

// A strip or grid goes in cell by cell, so the system list and the stored images keep one index.
int TcxImageList::AddImage(TBitmap* AImage, TBitmap* AMask) {
  if (!AImage || AImage->Empty()) return -1;
  HIMAGELIST list = Handle();
  const std::vector<TRect> cells = CellsOf(AImage);
  TBitmap cellImage, cellMask;
  cellImage.SetPixelFormat(AImage->PixelFormat() == pf32bit ? pf32bit : pf24bit);
  cellMask.SetPixelFormat(pf1bit);
  int first = -1;
  for (const TRect& cell : cells) {
    CopyCell(AImage, cell, &cellImage);
    if (AMask && !AMask->Empty()) {
      CopyCell(AMask, cell, &cellMask);
    } else {
      cellMask.SetSize(RectWidthOf(cell), RectHeightOf(cell));
      cellMask.Canvas()->Brush()->SetColor(clBlack);
      cellMask.Canvas()->FillRect({0, 0, RectWidthOf(cell), RectHeightOf(cell)});
    }
    const int index = ImageList_Add(list, cellImage.Handle(), cellMask.Handle());
    if (index < 0) break;
    if (first < 0) first = index;
  }
  if (first >= 0 && !synchronizing_) StoreImageInfo(AImage, AMask, clNone);
  Change();
  return first;
}

int TcxImageList::AddMaskedImage(TBitmap* AImage, TColor AMaskColor) {
  if (AMaskColor == clNone) return AddImage(AImage, nullptr);
  if (!AImage || AImage->Empty()) return -1;
  LockImageChanges();
  int first = -1;
  try {
    HIMAGELIST list = Handle();
    TBitmap cellImage;
    cellImage.SetPixelFormat(AImage->PixelFormat() == pf32bit ? pf32bit : pf24bit);
    for (const TRect& cell : CellsOf(AImage)) {
      CopyCell(AImage, cell, &cellImage);  // the system list changes the bitmap it masks
      const int index = ImageList_AddMasked(list, cellImage.Handle(), COLORREF(ColorToRGB(AMaskColor)));
      if (index < 0) break;
      if (first < 0) first = index;
    }
    if (first >= 0 && !synchronizing_) StoreImageInfo(AImage, nullptr, AMaskColor);
  } catch (...) {
    UnlockImageChanges(true);
    throw;
  }
  UnlockImageChanges(true);
  return first;
}

void TcxImageList::StoreImageInfo(TBitmap* AImage, TBitmap* AMask, TColor AMaskColor) {
  for (const TRect& cell : CellsOf(AImage)) {
    auto* item = static_cast<TcxImageInfoItem*>(infos_->TCollection::Add());
    item->Image()->SetPixelFormat(AImage->PixelFormat());
    CopyCell(AImage, cell, item->Image());
    if (AMask && !AMask->Empty()) {
      item->Mask()->SetPixelFormat(AMask->PixelFormat());
      item->Mask()->SetSize(RectWidthOf(cell), RectHeightOf(cell));
      item->Mask()->ClearToBlack();
      CopyCell(AMask, cell, item->Mask());
      item->Mask()->Dormant();
    }
    item->Info()->MaskColor = AMaskColor;
    item->Image()->Dormant();
  }
}

void TcxImageList::AddFromImageInfo(TcxImageInfo* AInfo) {
  if (!AInfo->Mask()->Empty())
    AddImage(AInfo->Image(), AInfo->Mask());
  else
    AddMaskedImage(AInfo->Image(), AInfo->MaskColor);
}

void TcxImageList::DeleteImage(int Index) {
  LockImageChanges();
  try {
    if (Index == -1)
      Clear();
    else
      Delete(Index);
    if (!synchronizing_ && (Index == -1 || Index < infos_->Count())) infos_->Delete(Index);
  } catch (...) {
    UnlockImageChanges(true);
    throw;
  }
  UnlockImageChanges(true);
}

// ---- TcxImageList: reading images -------------------------------------------------------------

void TcxImageList::GetImage(int Index, TBitmap* AImage, TBitmap* AMask) {
  if (Index < 0 || Index >= Count() || Index >= infos_->Count()) return;
  TcxImageInfoItem* item = infos_->Items(Index);
  if (item->Image()->PixelFormat() == pf32bit) {
    const TRect full{0, 0, item->Image()->Width(), item->Image()->Height()};
    if (AImage) CopyCell(item->Image(), full, AImage);
    if (AMask) {
      if (item->Mask()->Empty()) {
        AMask->SetSize(full.right, full.bottom);
        AMask->Canvas()->Brush()->SetColor(clBlack);
        AMask->Canvas()->FillRect(full);
      } else {
        CopyCell(item->Mask(), full, AMask);
      }
    }
  } else {
    ImageFromHandle(Handle(), Index, AImage, AMask);
  }
}

void TcxImageList::ImageInfoAt(int Index, TcxImageInfo* AInfo) {
  if (Index >= 0 && Index < infos_->Count()) return AInfo->Assign(infos_->Items(Index)->Info());
  AInfo->Image()->SetSize(0, 0);
  AInfo->Mask()->SetSize(0, 0);
  AInfo->MaskColor = clNone;
}

void TcxImageList::ImageFromHandle(HIMAGELIST AHandle, int Index, TBitmap* AImage, TBitmap* AMask) {
  IMAGEINFO info{};
  if (!ImageList_GetImageInfo(AHandle, std::max(Index, 0), &info)) return;
  // The list keeps its bitmaps selected; work on device-independent copies of them.
  auto copyOut = [&](HBITMAP listBitmap, TBitmap* target) {
    if (!target || !listBitmap) return;
    HBITMAP copy = HBITMAP(CopyImage(listBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!copy) return;
    if (Index < 0) return target->SetHandle(copy);
    TBitmap strip;
    strip.SetHandle(copy);
    CopyCell(&strip, info.rcImage, target);
  };
  copyOut(info.hbmImage, AImage);
  copyOut(info.hbmMask, AMask);
}

int TcxImageList::ImageListBitsPerPixel(HIMAGELIST AHandle) {
  IMAGEINFO info{};
  BITMAP bm{};
  if (!ImageList_GetImageInfo(AHandle, 0, &info) || !info.hbmImage || !GetObjectW(info.hbmImage, sizeof(bm), &bm)) return 0;
  return bm.bmBitsPixel;
}

void TcxImageList::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCustomImageList*>(Source);
  if (!source) return TDragImageList::Assign(Source);
  if (source == this) return;
  LockImageChanges();
  try {
    TDragImageList::Assign(Source);
    ClearImages();
    auto* cxSource = dynamic_cast<TcxImageList*>(source);
    TcxImageInfo info;
    for (int i = 0; i < source->Count(); ++i) {
      if (cxSource) {
        cxSource->ImageInfoAt(i, &info);
        AddFromImageInfo(&info);
      } else {
        TBitmap image(Width(), Height(), pf32bit), mask(Width(), Height(), pf1bit);
        ImageFromHandle(source->Handle(), i, &image, &mask);
        AddImage(&image, &mask);
      }
    }
  } catch (...) {
    UnlockImageChanges(true);
    throw;
  }
  UnlockImageChanges(true);
}

// ---- TcxImageList: drawing and changes --------------------------------------------------------

void TcxImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
  DrawImage(Index, Canvas, Bounds(X, Y, Width(), Height()), Style, false, false, Enabled);
}

void TcxImageList::DrawImage(int Index, TCanvas* ACanvas, const TRect& R, UINT, bool FitToRect, bool Stretch,
                             bool Enabled) {
  const TRect target = FitToRect ? R : CenterWHInRect(R, Width(), Height());
  PaintImageOrGlyph(ACanvas->Handle(), target, target, nullptr, this, Index, Enabled ? gpmNormal : gpmDisabled, Stretch,
                    nullptr, clNone, true);
}

void TcxImageList::Change() {
  if (lockCount_ == 0) TDragImageList::Change();
}

void TcxImageList::UnlockImageChanges(bool AForce) {
  if (lockCount_ <= 0) return;
  --lockCount_;
  if (AForce) Change();
}

// ---- TcxImageList: streaming ------------------------------------------------------------------

void TcxImageList::DefineProperties(TFiler& Filer) {
  TDragImageList::DefineProperties(Filer);
  Filer.DefineProperty(
      L"FormatVersion", [this](TReader& r) { formatVersion_ = r.ReadInteger(); }, [](TWriter& w) { w.WriteInteger(1); },
      true);
  Filer.DefineProperty(
      L"DesignInfo", [this](TReader& r) { DesignInfo = r.ReadInteger(); }, [this](TWriter& w) { w.WriteInteger(DesignInfo); },
      true);
  Filer.DefineProperty(
      L"ImageInfo", [this](TReader& r) { ReadImageInfo(r); }, [this](TWriter& w) { w.WriteCollection(*infos_); },
      infos_->Count() > 0);
}

// Read into a fresh collection: a damaged stream leaves the list and its images as they were.
void TcxImageList::ReadImageInfo(TReader& Reader) {
  auto* fresh = new TcxImageInfoCollection(this);
  fresh->SetCompressData(CompressData());
  try {
    Reader.ReadCollection(*fresh);
  } catch (const Exception& error) {
    fresh->Free();
    const String owner = Name().empty() ? ClassName() : Name();
    throw EReadError(L"Error reading " + owner + L".ImageInfo: " + error.Message());
  }
  infos_->Free();
  infos_ = fresh;
  RebuildFromImageInfo();
}

void TcxImageList::RebuildFromImageInfo() {
  LockImageChanges();
  synchronizing_ = true;
  try {
    ClearImages();
    for (int i = 0; i < infos_->Count(); ++i) {
      AddFromImageInfo(infos_->Items(i)->Info());
      infos_->Items(i)->Image()->Dormant();
    }
  } catch (...) {
    synchronizing_ = false;
    UnlockImageChanges(true);
    throw;
  }
  synchronizing_ = false;
  UnlockImageChanges(true);
}
