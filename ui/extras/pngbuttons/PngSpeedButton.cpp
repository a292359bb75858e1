#include "ui/extras/pngbuttons/PngSpeedButton.h"

#include "platform/framework/windows/ActnList.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngInfoChunks.h"
#include "ui/extras/pngbuttons/PngButtonFunctions.h"

DEFINE_CLASS(TPngSpeedButton)

namespace {

// The framework's controls read left to right only: no bidirectional text flags.
constexpr UINT kButtonBiDiTextFlags = 0;

// The frame already holds gamma-corrected colours: without the chunk, saving must not undo them.
void DropGammaChunk(TPNGObject& image) {
  if (!image.HasHeader()) return;
  const Byte colorType = image.HeaderChunk().ColorType;
  if (colorType != 2 && colorType != 3 && colorType != 6) return;
  auto* gamma = image.ChunkList().FindByClass<TChunkgAMA>();
  if (!gamma) return;
  image.ChunkList().RemoveAndFree(gamma);
  for (int i = 0; i < 256; ++i) image.GammaForward[i] = image.GammaInverse[i] = Byte(i);
}

void RegisterPngSpeedButtonProperties() {
  using B = TPngSpeedButton;
  RegisterProperties(&B::ClassInfo(), {
                                          ObjectProperty(L"PngImage", &B::PngImage, &B::SetPngImage),
                                          SetProperty(L"PngOptions", &B::PngOptions, &B::SetPngOptions),
                                          OrdinalProperty(L"ImageFromAction", &B::ImageFromAction,
                                                          &B::SetImageFromAction),
                                      });
}

}  // namespace

TPngSpeedButton::TPngSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner), pngImage_(new TPNGObject) {
  static const bool registered = (RegisterPngSpeedButtonProperties(), true);
  (void)registered;
  pngImage_->OnChange = [this](TObject*) { disabledLook_.reset(); };
}

TPngSpeedButton::~TPngSpeedButton() = default;

void TPngSpeedButton::SetPngImage(TPNGObject* Value) {
  if (Value) {
    pngImage_->Assign(Value);
  } else {
    pngImage_.reset(new TPNGObject);
    pngImage_->OnChange = [this](TObject*) { disabledLook_.reset(); };
  }
  DropGammaChunk(*pngImage_);
  imageFromAction_ = false;
  PictureChanged();
}

void TPngSpeedButton::SetPngOptions(TPngOptions Value) {
  if (Value == pngOptions_) return;
  pngOptions_ = Value;
  PictureChanged();
}

void TPngSpeedButton::PictureChanged() {
  disabledLook_.reset();
  PrepareBlankGlyph();
  Invalidate();
}

void TPngSpeedButton::PrepareBlankGlyph() {
  TBitmap blank(pngImage_->Width(), pngImage_->Height());
  if (!blank.Empty()) {
    blank.Canvas()->Brush()->SetColor(clBtnFace);
    blank.Canvas()->FillRect(Rect(0, 0, blank.Width(), blank.Height()));
  }
  SetGlyph(&blank);
  SetNumGlyphs(1);
}

void TPngSpeedButton::Loaded() {
  TSpeedButton::Loaded();
  PrepareBlankGlyph();
}

TPNGObject* TPngSpeedButton::DisabledLook() {
  if (!disabledLook_) {
    disabledLook_.reset(new TPNGObject);
    MakeDisabledLook(*disabledLook_, pngImage_.get(), pngOptions_);
  }
  return disabledLook_.get();
}

void TPngSpeedButton::Paint() {
  TSpeedButton::Paint();
  if (!pngImage_->HasHeader()) return;
  TPoint textPos, glyphPos;
  ComputePngButtonLayout(Canvas(), pngImage_.get(), ClientRect(), kButtonBiDiTextFlags, textPos, glyphPos, Spacing(),
                         Margin(), Layout(), Caption(), Down(), FState == bsDown);
  const TRect target = Bounds(glyphPos.x, glyphPos.y, pngImage_->Width(), pngImage_->Height());
  if (Enabled() || pngOptions_.Empty()) Canvas()->StretchDraw(target, pngImage_.get());
  else Canvas()->StretchDraw(target, DisabledLook());
}

void TPngSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TSpeedButton::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action || !(pngImage_->Empty() || imageFromAction_)) return;
  TCustomActionList* list = action->ActionList();
  TCustomImageList* images = list ? list->Images() : nullptr;
  if (!images || action->ImageIndex() < 0 || action->ImageIndex() >= images->Count()) return;
  ImageListEntryToPng(pngImage_.get(), images, action->ImageIndex());
  PrepareBlankGlyph();
  imageFromAction_ = true;
}

void TPngSpeedButton::DefineProperties(TFiler& Filer) {
  TSpeedButton::DefineProperties(Filer);
  Filer.DefineBinaryProperty(L"PngImage.Data", {this, &TPngSpeedButton::ReadPngData},
                             {this, &TPngSpeedButton::WritePngData}, !imageFromAction_ && !pngImage_->Empty());
}

void TPngSpeedButton::ReadPngData(TStream& Stream) { pngImage_->LoadFromStream(Stream); }
void TPngSpeedButton::WritePngData(TStream& Stream) { pngImage_->SaveToStream(Stream); }
