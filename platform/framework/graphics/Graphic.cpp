#include "platform/framework/graphics/Graphic.h"

#include <mutex>
#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/graphics/Icon.h"
#include "platform/framework/graphics/Jpeg.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(TGraphic)
DEFINE_CLASS(TPicture)

// ---- TGraphic ---------------------------------------------------------------------------------

void TGraphic::SetSize(int AWidth, int AHeight) {
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value) {
  if (Value == transparent_) return;
  transparent_ = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value) Changed(this);
  else modified_ = false;
}

void TGraphic::Changed(TObject*) {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const String& FileName) {
  // Written in memory first: a graphic that refuses to save leaves no file, or the old one as it was.
  TMemoryStream data;
  SaveToStream(data);
  data.SaveToFile(FileName);
}

void TGraphic::LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) {
  throw EInvalidGraphic(L"Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(UINT&, HANDLE&, HPALETTE&) {
  throw EInvalidGraphic(L"Unsupported clipboard format");
}

void TGraphic::ReadData(TStream& Stream) { LoadFromStream(Stream); }
void TGraphic::WriteData(TStream& Stream) { SaveToStream(Stream); }

void TGraphic::DefineProperties(TFiler& Filer) {
  Filer.DefineBinaryProperty(L"Data", {this, &TGraphic::ReadData}, {this, &TGraphic::WriteData}, !Empty());
}

// ---- file-format registry ---------------------------------------------------------------------

namespace {

struct FileFormat {
  String extension;  // lower case, no dot
  String description;
  TGraphicClass graphicClass;
};

class FileFormatRegistry {
 public:
  FileFormatRegistry() {
    // The framework's own formats come first, so any later registration takes their place.
    Add(L"bmp", L"Bitmaps", &TBitmap::ClassInfo());
    Add(L"ico", L"Icons", &TIcon::ClassInfo());
    Add(L"jpg", L"JPEG Image File", &TJPEGImage::ClassInfo());
    Add(L"jpeg", L"JPEG Image File", &TJPEGImage::ClassInfo());
    RegisterClasses({&TBitmap::ClassInfo(), &TIcon::ClassInfo(), &TJPEGImage::ClassInfo()});
  }

  void Add(const String& extension, const String& description, TGraphicClass cls) {
    std::lock_guard<std::mutex> guard(mutex_);
    String ext = LowerCase(extension);
    if (!ext.empty() && ext[0] == L'.') ext.erase(0, 1);
    // Last wins: an earlier entry of the extension goes, the new one is found first.
    std::erase_if(formats_, [&](const FileFormat& f) { return f.extension == ext; });
    formats_.push_back({ext, description, cls});
  }

  void Remove(TGraphicClass cls) {
    std::lock_guard<std::mutex> guard(mutex_);
    std::erase_if(formats_, [&](const FileFormat& f) { return f.graphicClass == cls; });
  }

  TGraphicClass Find(const String& extension) {
    std::lock_guard<std::mutex> guard(mutex_);
    String ext = LowerCase(extension);
    for (const FileFormat& f : formats_)
      if (f.extension == ext) return f.graphicClass;
    return nullptr;
  }

  std::vector<FileFormat> Snapshot() {
    std::lock_guard<std::mutex> guard(mutex_);
    return formats_;
  }

 private:
  std::mutex mutex_;
  std::vector<FileFormat> formats_;
};

FileFormatRegistry& Formats() {
  static FileFormatRegistry registry;
  return registry;
}

// The framework's picture classes are found by name (stored class names) from the start, not only
// once something has asked for a file format.
[[maybe_unused]] const bool frameworkGraphicsRegistered = (Formats(), true);

String ExtensionOf(const String& fileName) {
  size_t dot = fileName.find_last_of(L".\\/:");
  if (dot == String::npos || fileName[dot] != L'.') return String();
  return fileName.substr(dot + 1);
}

}  // namespace

void RegisterFileFormat(const String& Extension, const String& Description, TGraphicClass GraphicClass) {
  Formats().Add(Extension, Description, GraphicClass);
  RegisterClass(GraphicClass);
}

void UnregisterGraphicClass(TGraphicClass GraphicClass) { Formats().Remove(GraphicClass); }

TGraphicClass GraphicClassForExtension(const String& Extension) { return Formats().Find(Extension); }

String GraphicFilter(TGraphicClass GraphicClass) {
  String all, each;
  for (const FileFormat& f : Formats().Snapshot()) {
    if (!f.graphicClass->InheritsFrom(GraphicClass)) continue;
    String mask = L"*." + f.extension;
    if (!all.empty()) all += L";";
    all += mask;
    each += L"|" + f.description + L" (" + mask + L")|" + mask;
  }
  if (all.empty()) return String();
  return L"All (" + all + L")|" + all + each;
}

// ---- TPicture ---------------------------------------------------------------------------------

TPicture::TPicture() = default;

TPicture::~TPicture() { delete graphic_; }

void TPicture::Replace(TGraphic* graphic) {
  TGraphic* old = graphic_;
  graphic_ = graphic;
  if (graphic_) graphic_->OnChange = {this, &TPicture::Changed};
  delete old;
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (Value == graphic_) return;
  if (!Value) return Replace(nullptr);
  ObjectPtr<TGraphic> copy(static_cast<TGraphicClass>(Value->ClassType())->Create());
  copy->Assign(Value);
  Replace(copy.release());
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_)) Replace(new TBitmap());
  return static_cast<TBitmap*>(graphic_);
}

TIcon* TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(graphic_)) Replace(new TIcon());
  return static_cast<TIcon*>(graphic_);
}

void TPicture::SetBitmap(TBitmap* Value) { SetGraphic(Value); }
void TPicture::SetIcon(TIcon* Value) { SetGraphic(Value); }

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::Assign(TPersistent* Source) {
  if (!Source) return SetGraphic(nullptr);
  if (auto* picture = dynamic_cast<TPicture*>(Source)) return SetGraphic(picture->graphic_);
  if (auto* graphic = dynamic_cast<TGraphic*>(Source)) return SetGraphic(graphic);
  TPersistent::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest) {
  if (auto* graphic = dynamic_cast<TGraphic*>(Dest); graphic && graphic_) return graphic->Assign(graphic_);
  TPersistent::AssignTo(Dest);
}

void TPicture::LoadFromFile(const String& FileName) {
  String ext = ExtensionOf(FileName);
  TGraphicClass cls = GraphicClassForExtension(ext);
  if (!cls) throw EInvalidGraphic(Format(L"Unknown picture file extension (.%s)", {ext}));
  ObjectPtr<TGraphic> graphic(cls->Create());
  graphic->LoadFromFile(FileName);
  Replace(graphic.release());
}

void TPicture::SaveToFile(const String& FileName) {
  if (graphic_) graphic_->SaveToFile(FileName);
}

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::DefineProperties(TFiler& Filer) {
  Filer.DefineBinaryProperty(L"Data", {this, &TPicture::ReadData}, {this, &TPicture::WriteData},
                             graphic_ != nullptr);
}

// The class name is a length byte and that many ASCII characters.
void TPicture::ReadData(TStream& Stream) {
  Byte length = 0;
  Stream.ReadBuffer(&length, 1);
  AnsiString name(length, '\0');
  if (length) Stream.ReadBuffer(name.data(), length);
  Formats();  // the framework's graphic classes are registered with the registry
  TGraphicClass cls = FindClassOf<TGraphic>(String(name.begin(), name.end()));
  ObjectPtr<TGraphic> graphic(cls->Create());
  graphic->ReadData(Stream);
  Replace(graphic.release());
}

void TPicture::WriteData(TStream& Stream) {
  String name = graphic_->ClassName();
  AnsiString ascii(name.begin(), name.end());
  Byte length = static_cast<Byte>(ascii.size());
  Stream.WriteBuffer(&length, 1);
  Stream.WriteBuffer(ascii.data(), length);
  graphic_->WriteData(Stream);
}
