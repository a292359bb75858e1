#pragma once
// TGraphic, the base of every picture format (bitmap, icon, JPEG), and TPicture, which holds one
// graphic of any registered format and picks the class for a file by its extension.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(GRAPHICS);

#include "platform/framework/graphics/Graphics.h"

class TStream;
class TGraphic;
class TBitmap;
class TIcon;

// The graphic family's metaclass: its virtual constructor takes no arguments.
class TGraphicMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  virtual TGraphic* Create() const = 0;

  template <class Self>
  class Of;
};
using TGraphicClass = const TGraphicMetaClass*;

class TGraphic : public TPersistent {
 public:
  using MetaClass = TGraphicMetaClass;
  DECLARE_CLASS(TGraphic, TPersistent)

 public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual void SetSize(int AWidth, int AHeight);

  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return modified_; }
  void SetModified(bool Value);
  virtual HPALETTE Palette() { return nullptr; }
  virtual void SetPalette(HPALETTE) {}

  virtual void LoadFromStream(TStream& Stream) = 0;
  virtual void SaveToStream(TStream& Stream) = 0;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  // Clipboard data of one format; the base knows none and raises EInvalidGraphic.
  virtual void LoadFromClipboardFormat(UINT Format, HANDLE Data, HPALETTE Palette);
  virtual void SaveToClipboardFormat(UINT& Format, HANDLE& Data, HPALETTE& Palette);

  TNotifyEvent OnChange;

  // The stored form of a "Data" property: the base writes and reads the stream form; classes
  // with a length-prefixed form override both.
  virtual void ReadData(TStream& Stream);
  virtual void WriteData(TStream& Stream);

 protected:
  friend class TCanvas;
  // Draws the graphic into Rect of the canvas (stretched to it).
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  virtual void Changed(TObject* Sender);
  void DefineProperties(TFiler& Filer) override;

 private:
  bool transparent_ = false;
  bool modified_ = false;
};

template <class Self>
class TGraphicMetaClass::Of : public TGraphicMetaClass {
 public:
  using TGraphicMetaClass::TGraphicMetaClass;
  TGraphic* Create() const override {
    if constexpr (!std::is_abstract_v<Self> && std::is_default_constructible_v<Self>) {
      return new Self();
    } else {
      RaiseAbstractCreate(this);
    }
  }
};

// Registers a graphic class for a file extension (without the dot, any case). A later
// registration for the same extension takes its place. Bitmaps ("bmp"), icons ("ico") and JPEG
// images ("jpg", "jpeg") are registered from the start.
void RegisterFileFormat(const String& Extension, const String& Description, TGraphicClass GraphicClass);
// Removes every extension registered for the class.
void UnregisterGraphicClass(TGraphicClass GraphicClass);
// The class registered for the extension (without the dot), or null.
TGraphicClass GraphicClassForExtension(const String& Extension);
// "All (*.bmp;*.ico;...)|*.bmp;*.ico;...|Bitmaps (*.bmp)|*.bmp|..." for the registered classes
// that descend from GraphicClass.
String GraphicFilter(TGraphicClass GraphicClass);

class TPicture : public TPersistent {
  DECLARE_CLASS(TPicture, TPersistent)
 public:
  TPicture();
  ~TPicture() override;

  // The graphic, or null. Setting takes a copy of the given graphic (null empties the picture).
  TGraphic* Graphic() const { return graphic_; }
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap or icon; a graphic of another class is replaced by an empty one.
  TBitmap* Bitmap();
  TIcon* Icon();
  void SetBitmap(TBitmap* Value);
  void SetIcon(TIcon* Value);

  int Width() const;
  int Height() const;

  void Assign(TPersistent* Source) override;
  // Picks the class by the file's extension: EInvalidGraphic "Unknown picture file extension
  // (.%s)" when none is registered.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent* Dest) override;
  // "Data": the graphic's class name, then its data; the class is looked up among registered
  // graphic classes only.
  void DefineProperties(TFiler& Filer) override;
  virtual void Changed(TObject* Sender);

 private:
  void ReadData(TStream& Stream);
  void WriteData(TStream& Stream);
  // Takes ownership of graphic (may be null) in place of the current one.
  void Replace(TGraphic* graphic);

  TGraphic* graphic_ = nullptr;
};
