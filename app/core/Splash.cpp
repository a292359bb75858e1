#include "app/core/Splash.h"

#include <cstring>

#include "app/core/Paths.h"
#include "app/core/PremultipliedImage.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/rtl/Seams.h"

DEFINE_CLASS(TSplashForm)

namespace {

// A 32-bit top-down DIB section selected into a memory DC, released in reverse order.
class TLayeredSurface {
 public:
  TLayeredSurface(HDC screen, const TPremultipliedImage& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width;
    info.bmiHeader.biHeight = -image.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(screen);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc_ || !bitmap_ || !bits) return;
    std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof(image.Pixels[0]));
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~TLayeredSurface() {
    if (previous_) SelectObject(dc_, previous_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  TLayeredSurface(const TLayeredSurface&) = delete;
  TLayeredSurface& operator=(const TLayeredSurface&) = delete;

  bool Ready() const { return previous_ != nullptr; }
  HDC DC() const { return dc_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

class TScreenDC {
 public:
  TScreenDC() : dc_(GetDC(nullptr)) {}
  ~TScreenDC() { ReleaseDC(nullptr, dc_); }
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

Byte SplashConstantAlpha(int opacityPercent) {
  if (opacityPercent < 0 || opacityPercent > 100) opacityPercent = 100;
  // Integer arithmetic: 50 % is exactly 127.5 and rounds up, which 50 * 2.55 in floating point misses.
  return static_cast<Byte>((opacityPercent * 255 + 50) / 100);
}

TSplashForm::TSplashForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"SplashForm");
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 480, 300);
  ControlStyle.Include(csClickEvents);
  OnCreate = {this, &TSplashForm::FormCreate};
  OnClick = {this, &TSplashForm::FormClick};
  OnDblClick = {this, &TSplashForm::FormDblClick};
  OnMouseDown = {this, &TSplashForm::FormMouseDown};
  loading.End();
}

void TSplashForm::FormCreate(TObject*) {
  SetBorderStyle(bsNone);
  Blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  const String picture = AddTrailingBackslash(ExtractFilePath(ParamStr(0))) + L"splash.png";
  if (FileExists(picture)) DrawLayeredImage(picture, 100);
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TSplashForm::FormClick(TObject*) {
  if (AboutMode) ModalResult = mrOk;
}

void TSplashForm::FormDblClick(TObject*) {
  if (AboutMode) ModalResult = mrOk;
}

void TSplashForm::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}

void TSplashForm::DrawLayeredImage(const String& ImagePath, int OpacityPercent) {
  TPremultipliedImage image;
  if (!LoadPremultipliedImage(ImagePath, image)) return;
  Blend.SourceConstantAlpha = SplashConstantAlpha(OpacityPercent);
  TScreenDC screen;
  TLayeredSurface surface(screen.Get(), image);
  if (!surface.Ready()) return;
  // The framework's bounds follow the picture, so centring and later moves keep its size.
  SetBounds(Left(), Top(), image.Width, image.Height);
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE, GetWindowLongPtrW(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
  SIZE size{image.Width, image.Height};
  POINT source{0, 0};
  if (auto update = Bound().UpdateLayeredWindow.Get())
    update(Handle(), screen.Get(), nullptr, &size, surface.DC(), &source, 0, &Blend, ULW_ALPHA);
}
