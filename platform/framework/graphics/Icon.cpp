#include "platform/framework/graphics/Icon.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TIcon)

namespace {

#pragma pack(push, 1)
struct IconDir {
  Word reserved;
  Word type;  // 1 = icon
  Word count;
};
struct IconDirEntry {
  Byte width;  // 0 = 256
  Byte height;
  Byte colorCount;
  Byte reserved;
  Word planes;
  Word bitCount;
  std::uint32_t bytesInRes;
  std::uint32_t imageOffset;
};
#pragma pack(pop)
static_assert(sizeof(IconDir) == 6);
static_assert(sizeof(IconDirEntry) == 16);

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic(L"Icon image is not valid"); }

// The directory entry closest in size to the wanted one; the deepest colours among equals.
const IconDirEntry& BestEntry(const IconDirEntry* entries, int count, int cx, int cy) {
  const IconDirEntry* best = &entries[0];
  long bestScore = -1;
  for (int i = 0; i < count; ++i) {
    int w = entries[i].width ? entries[i].width : 256;
    int h = entries[i].height ? entries[i].height : 256;
    long score = (std::abs(w - cx) + std::abs(h - cy)) * 1000L - entries[i].bitCount;
    if (bestScore < 0 || score < bestScore) {
      best = &entries[i];
      bestScore = score;
    }
  }
  return *best;
}

}  // namespace

TIcon::~TIcon() { FreeHandle(); }

void TIcon::FreeHandle() {
  if (handle_) DestroyIcon(handle_);
  handle_ = nullptr;
}

int TIcon::DesiredWidth() const { return requestedWidth_ ? requestedWidth_ : GetSystemMetrics(SM_CXICON); }
int TIcon::DesiredHeight() const { return requestedHeight_ ? requestedHeight_ : GetSystemMetrics(SM_CYICON); }

int TIcon::Width() const {
  if (handle_ || !image_.empty()) return width_;
  return requestedWidth_;
}

int TIcon::Height() const {
  if (handle_ || !image_.empty()) return height_;
  return requestedHeight_;
}

void TIcon::SetSize(int AWidth, int AHeight) {
  if (AWidth == requestedWidth_ && AHeight == requestedHeight_) return;
  requestedWidth_ = AWidth;
  requestedHeight_ = AHeight;
  if (!image_.empty()) {
    FreeHandle();
    MakeHandle();
  }
  Changed(this);
}

void TIcon::AdoptLoaded(HICON icon) {
  FreeHandle();
  handle_ = icon;
  width_ = height_ = 0;
  ICONINFO info{};
  if (icon && GetIconInfo(icon, &info)) {
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof(bm), &bm);
    width_ = bm.bmWidth;
    // A monochrome icon keeps its image below its mask in one bitmap of twice the height.
    height_ = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

void TIcon::MakeHandle() {
  const Byte* data = reinterpret_cast<const Byte*>(image_.data());
  IconDir dir;
  std::memcpy(&dir, data, sizeof(dir));
  const auto* entries = reinterpret_cast<const IconDirEntry*>(data + sizeof(IconDir));
  const IconDirEntry& entry = BestEntry(entries, dir.count, DesiredWidth(), DesiredHeight());
  int w = entry.width ? entry.width : 256;
  int h = entry.height ? entry.height : 256;
  HICON icon = CreateIconFromResourceEx(const_cast<Byte*>(data + entry.imageOffset), entry.bytesInRes, TRUE,
                                        0x00030000, w, h, LR_DEFAULTCOLOR);
  if (!icon) InvalidIcon();
  AdoptLoaded(icon);
}

HICON TIcon::Handle() {
  if (!handle_ && !image_.empty()) MakeHandle();
  return handle_;
}

void TIcon::SetHandle(HICON Value) {
  image_.clear();
  AdoptLoaded(Value);
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HICON icon = Handle();
  handle_ = nullptr;
  image_.clear();
  width_ = height_ = 0;
  return icon;
}

void TIcon::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  auto* icon = static_cast<HICON>(LoadImageW(Instance, ResName.c_str(), IMAGE_ICON, DesiredWidth(), DesiredHeight(), 0));
  if (!icon) throw EResNotFound(Format(L"Resource %s not found", {ResName}));
  SetHandle(icon);
}

void TIcon::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  auto* icon = static_cast<HICON>(
      LoadImageW(Instance, MAKEINTRESOURCEW(ResID), IMAGE_ICON, DesiredWidth(), DesiredHeight(), 0));
  if (!icon) throw EResNotFound(Format(L"Resource %s not found", {IntToStr(ResID)}));
  SetHandle(icon);
}

void TIcon::LoadFromStream(TStream& Stream) {
  Int64 start = Stream.Position();
  Int64 available = Stream.Size() - start;
  if (available < Int64(sizeof(IconDir))) InvalidIcon();
  AnsiString bytes(size_t(available), '\0');
  Stream.ReadBuffer(bytes.data(), available);
  IconDir dir;
  std::memcpy(&dir, bytes.data(), sizeof(dir));
  if (dir.reserved != 0 || dir.type != 1 || dir.count == 0) InvalidIcon();
  size_t directoryEnd = sizeof(IconDir) + size_t(dir.count) * sizeof(IconDirEntry);
  if (directoryEnd > bytes.size()) InvalidIcon();
  std::uint64_t end = directoryEnd;
  for (int i = 0; i < dir.count; ++i) {
    IconDirEntry entry;
    std::memcpy(&entry, bytes.data() + sizeof(IconDir) + i * sizeof(IconDirEntry), sizeof(entry));
    std::uint64_t last = std::uint64_t(entry.imageOffset) + entry.bytesInRes;
    if (entry.bytesInRes == 0 || entry.imageOffset < directoryEnd || last > bytes.size()) InvalidIcon();
    end = std::max(end, last);
  }
  bytes.resize(size_t(end));
  Stream.SetPosition(start + Int64(end));
  AnsiString previous = std::move(image_);
  image_ = std::move(bytes);
  FreeHandle();
  try {
    MakeHandle();
  } catch (...) {
    image_ = std::move(previous);
    throw;
  }
  Changed(this);
}

void TIcon::SaveToStream(TStream& Stream) {
  if (!image_.empty()) return Stream.WriteBuffer(image_.data(), Int64(image_.size()));
  if (!handle_) return;
  ICONINFO info{};
  if (!GetIconInfo(handle_, &info)) InvalidIcon();
  const int w = width_, h = height_;
  const int colorStride = w * 4, maskStride = ((w + 31) / 32) * 4;
  std::vector<Byte> color(size_t(colorStride) * h), mask(size_t(maskStride) * h);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } bi{};
  bi.header = {sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  if (info.hbmColor) GetDIBits(screen, info.hbmColor, 0, UINT(h), color.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  bi.header = {sizeof(BITMAPINFOHEADER), w, h, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(screen, info.hbmMask, 0, UINT(h), mask.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  BITMAPINFOHEADER image{sizeof(BITMAPINFOHEADER), w, h * 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  IconDir dir{0, 1, 1};
  IconDirEntry entry{Byte(w >= 256 ? 0 : w), Byte(h >= 256 ? 0 : h), 0, 0, 1, 32,
                     std::uint32_t(sizeof(image) + color.size() + mask.size()),
                     std::uint32_t(sizeof(dir) + sizeof(entry))};
  Stream.WriteBuffer(&dir, sizeof(dir));
  Stream.WriteBuffer(&entry, sizeof(entry));
  Stream.WriteBuffer(&image, sizeof(image));
  Stream.WriteBuffer(color.data(), Int64(color.size()));
  Stream.WriteBuffer(mask.data(), Int64(mask.size()));
}

void TIcon::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TIcon*>(Source);
  if (!source) return TGraphic::Assign(Source);
  if (source == this) return;
  FreeHandle();
  requestedWidth_ = source->requestedWidth_;
  requestedHeight_ = source->requestedHeight_;
  image_ = source->image_;
  if (!image_.empty()) MakeHandle();
  else if (source->handle_) AdoptLoaded(CopyIcon(source->handle_));
  Changed(this);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
  HICON icon = Handle();
  if (!icon) return;
  DrawIconEx(ACanvas->Handle(), Rect.left, Rect.top, icon, Rect.Width(), Rect.Height(), 0, nullptr, DI_NORMAL);
}
