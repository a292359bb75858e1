#pragma once
// TIcon: an icon handle, loaded from a resource at a size or from a .ico stream, drawn with
// DrawIconEx.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(GRAPHICS);

#include "platform/framework/graphics/Graphic.h"

class TIcon : public TGraphic {
  DECLARE_CLASS(TIcon, TGraphic)
 public:
  TIcon() = default;
  ~TIcon() override;

  bool Empty() const override { return !handle_ && image_.empty(); }
  // The size of the icon in hand; before one is loaded, the size to load (0 = the system's).
  int Width() const override;
  int Height() const override;
  // Sets the size to load. An icon read from a stream is made again at the new size.
  void SetWidth(int Value) override { SetSize(Value, requestedHeight_); }
  void SetHeight(int Value) override { SetSize(requestedWidth_, Value); }
  void SetSize(int AWidth, int AHeight) override;

  HICON Handle();
  // Adopts the handle (destroyed with the icon).
  void SetHandle(HICON Value);
  HICON ReleaseHandle();

  // The icon resource at the requested size (LoadImage).
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);

  // .ico files: the image closest to the requested size is used; the file is kept and written
  // back unchanged. An icon that came as a handle is written as one 32-bit image with its mask.
  void LoadFromStream(TStream& Stream) override;
  void SaveToStream(TStream& Stream) override;

  void Assign(TPersistent* Source) override;

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  void FreeHandle();
  void MakeHandle();
  void AdoptLoaded(HICON icon);
  int DesiredWidth() const;
  int DesiredHeight() const;

  HICON handle_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int requestedWidth_ = 0;
  int requestedHeight_ = 0;
  AnsiString image_;  // the .ico file this icon was read from
};
