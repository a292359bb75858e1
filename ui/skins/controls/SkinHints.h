#pragma once
// The hint manager and its drawn hint windows. TsHintManager takes over the application's hint:
// its handler sees every hint before it shows, and its HintKind style picks the window class the
// application makes hints with: a rectangle (TsSimplyHintWindow), a rounded callout with a tail
// (TsComicsHintWindow), an ellipse with a tail (TsEllipseHintWindow) or a thought bubble
// (TsBalloonHintWindow). The look comes from HintKind (colours, gradient, texture, bevel, margins,
// shadow) or from a skin section. Where layered windows exist the hint is composed with a soft
// shadow into a per-pixel-alpha image; elsewhere the screen under it is captured and the hint drawn
// over that.

#include "platform/framework/graphics/Graphic.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/Frames.h"
#include "platform/framework/windows/HintWindow.h"
#include "ui/skins/core/SkinCommon.h"

class TsHintManager;

enum TsMousePosition { mpLeftTop, mpLeftBottom, mpRightTop, mpRightBottom };

// The look of the hints.
class TsHintKind : public TPersistent {
  DECLARE_CLASS(TsHintKind, TPersistent)
 public:
  explicit TsHintKind(TsHintManager* manager);
  ~TsHintKind() override;
  TsHintManager* Manager() const { return manager_; }

  // Setting the style also selects the hint window class.
  TsHintStyle Style() const { return style_; }
  void SetStyle(TsHintStyle value);
  // Accepted and ignored: they always read 0.
  int Blur() const { return 0; }
  void SetBlur(int) {}
  TColor ShadowColor() const { return 0; }
  void SetShadowColor(TColor) {}
  // Reads false also whenever skin data is in use.
  bool ShadowEnabled() const;
  void SetShadowEnabled(bool value) { shadowEnabled_ = value; }
  TPicture* Texture() const { return texture_; }
  void SetTexture(TPicture* value) { texture_->Assign(value); }
  TFont* Font() const { return font_; }
  void SetFont(TFont* value) { font_->Assign(value); }

  int Radius = 20;
  int BevelWidth = 1;
  int ExOffset = 32;
  String GradientData;
  String TextureFile;
  int GradientPercent = 0;
  int TexturePercent = 0;
  int Bevel = 0;
  TColor Color = 0;
  TColor ColorBorderTop = 0;
  TColor ColorBorderBottom = 0;
  int Transparency = 0;
  int ShadowBlur = 0;
  int ShadowOffset = 0;
  int ShadowTransparency = 0;
  int MarginH = 15;
  int MarginV = 10;
  int MaxWidth = 200;

 private:
  TsHintManager* manager_;
  TsHintStyle style_ = hsEllipse;
  bool shadowEnabled_ = false;
  TPicture* texture_;
  TFont* font_;
};

// HintStr, CanShow, HintInfo and the frame to show instead of the text, all for the handler to change.
using TacShowHintEvent = TEvent<void(String& HintStr, bool& CanShow, THintInfo& HintInfo, TFrame*& Frame)>;

class TsHintManager : public TComponent {
  DECLARE_CLASS(TsHintManager, TComponent)
 public:
  explicit TsHintManager(TComponent* owner);
  ~TsHintManager() override;
  void AfterConstruction() override;
  void Loaded() override;

  TacShowHintEvent OnShowHint;
  bool Animated = true;
  TsMousePosition DefaultMousePos = mpLeftTop;
  TsHintKind* HintKind() const { return hintKind_; }
  bool HTMLMode = false;
  int PauseHide() const { return pauseHide_; }
  void SetPauseHide(int value);
  // Stored only: applied when loading ends and when UseSkinData goes off.
  TsHintsPredefinitions Predefinitions() const { return predefinitions_; }
  void SetPredefinitions(TsHintsPredefinitions value) { predefinitions_ = value; }
  const String& SkinSection() const { return skinSection_; }
  void SetSkinSection(const String& value) { skinSection_ = value; }
  bool UseSkinData() const { return useSkinData_; }
  void SetUseSkinData(bool value);

  // Makes this the current manager and sets the application's hint window class for a style.
  void SelectWindowClass();
  // Sets HintKind from the preset Predefinitions names.
  void ApplyPredefinitions();

  // The 24-bit bitmap every hint measures on, captures into and casts its shadow on.
  TBitmap* WorkBitmap() const { return work_; }
  // The hint position the application computed (or the handler chose); x -1: none.
  TPoint HintPoint() const { return hintPoint_; }
  void ForgetHintPoint() { hintPoint_.x = -1; }

 private:
  void ShowHintHandler(String& hintStr, bool& canShow, THintInfo& hintInfo);
  bool Designing() const { return ComponentState().Contains(csDesigning); }

  TsHintKind* hintKind_;
  TBitmap* work_;
  int pauseHide_ = 5000;
  TsHintsPredefinitions predefinitions_ = shEllipse;
  String skinSection_;
  bool useSkinData_ = false;
  TPoint hintPoint_{-1, -1};
  // What the manager took from the application, given back when it goes.
  bool handlerInstalled_ = false;
  TShowHintEvent previousShowHint_;
  bool classSelected_ = false;
  THintWindowClass previousWindowClass_ = nullptr;
  THintWindowClass selectedWindowClass_ = nullptr;
};

// The manager whose style made the current hint window class; none for hsStandard and hsNone.
TsHintManager* CurrentHintManager();
// The frame an OnShowHint handler handed over, shown by the next hint instead of its text.
TFrame*& HintFrame();
// True when the current manager takes its look from its section of the default manager's skin.
bool HintSkinDataInUse();

class TsCustomHintWindow : public THintWindow {
  DECLARE_CLASS(TsCustomHintWindow, THintWindow)
 public:
  explicit TsCustomHintWindow(TComponent* owner);
  ~TsCustomHintWindow() override;

  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  void ActivateHint(const TRect& Rect, const String& AHint) override;

  // The screen point the hint attaches to.
  virtual TPoint AnchorPoint();
  // The shadow into the target (the manager's working bitmap when none).
  virtual void DrawHintShadow(TBitmap* target);
  virtual TRect HintBodyRect();
  virtual void DrawHintBackground(TBitmap* bmp, TRect r);
  // A new bitmap with the whole body: background, content, border.
  virtual TBitmap* BuildHintBody();
  // A new bitmap: white outside the shape, dark inside.
  virtual TBitmap* BuildHintMask();
  virtual void DrawHintBorder(TBitmap* bmp);
  virtual void DrawHintContent(TBitmap* bmp);

  // The 32-bit image a layered hint shows: the shadow's darkness as alpha around an opaque body.
  TBitmap* ComposeLayeredImage();
  // 0 mpLeftTop, 1 mpLeftBottom, 2 mpRightTop, 3 mpRightBottom: the corner at the hint point.
  int CornerMode() const { return cornerMode_; }
  void SetCornerMode(int mode) { cornerMode_ = mode; }
  int ExtraWidth() const { return extraWidth_; }
  int ExtraHeight() const { return extraHeight_; }
  // The constant alpha of the last layered update.
  Byte ConstantAlpha() const { return blend_.SourceConstantAlpha; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  // The hint's shadow shift: ShadowOffset while the shadow is on, else 0.
  int ShadowShift() const;
  // The shadow's strength from the shadow's and the body's transparency.
  int ShadowStrength() const;
  // The grey inside the mask: black unless a hint without layered windows is see-through.
  int MaskGrey() const;
  // The transparency a mask uses: 0 with layered windows.
  int MaskTransparency() const;
  // The corner point the tail reaches to.
  TPoint TailPoint() const;
  // Whether the shape needs a width of at least 50 for its text.
  virtual bool RoundShape() const { return false; }
  // The outline of the mask shape in the two border colours.
  void DrawMaskOutline(TBitmap* bmp);
  // A body of the hint's size: the background over R, the content and the border.
  TBitmap* BuildBody(const TRect& background);
  // The body under or over the tail zone, as the corner mode puts it.
  TRect TailedBodyRect();
  // The skin-data variant of the body and the mask.
  TBitmap* BuildSkinBody();
  TBitmap* BuildSkinMask();
  void UpdateRegion();
  void FreeMask();

  int extraWidth_ = 0;
  int extraHeight_ = 0;
  int skinIndex_ = -1;
  int borderIndex_ = -1;
  int textureIndex_ = -1;
  int cornerMode_ = 0;
  TBitmap* body_ = nullptr;
  TBitmap* mask_ = nullptr;
  TBitmap* captured_ = nullptr;
  TBitmap* layered_ = nullptr;
  BLENDFUNCTION blend_{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

 private:
  void UpdateLayered(Byte alpha, const TRect& r);
};

class TsSimplyHintWindow : public TsCustomHintWindow {
  DECLARE_CLASS(TsSimplyHintWindow, TsCustomHintWindow)
 public:
  using TsCustomHintWindow::TsCustomHintWindow;
  TPoint AnchorPoint() override;
  void DrawHintShadow(TBitmap* target) override;
  TBitmap* BuildHintBody() override;
  TBitmap* BuildHintMask() override;
  void DrawHintBorder(TBitmap* bmp) override;
};

class TsComicsHintWindow : public TsCustomHintWindow {
  DECLARE_CLASS(TsComicsHintWindow, TsCustomHintWindow)
 public:
  using TsCustomHintWindow::TsCustomHintWindow;
  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  void DrawHintShadow(TBitmap* target) override;
  TRect HintBodyRect() override;
  TBitmap* BuildHintBody() override;
  TBitmap* BuildHintMask() override;
  void DrawHintBorder(TBitmap* bmp) override;

 protected:
  // The body's shape (rounded rectangle or ellipse) over R in the DC's current brush.
  virtual void DrawShape(HDC dc, const TRect& r);
  // The shape and its tail in a grey on white.
  TBitmap* ShapeMask(int grey);
};

class TsEllipseHintWindow : public TsComicsHintWindow {
  DECLARE_CLASS(TsEllipseHintWindow, TsComicsHintWindow)
 public:
  using TsComicsHintWindow::TsComicsHintWindow;
  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  TRect HintBodyRect() override;

 protected:
  void DrawShape(HDC dc, const TRect& r) override;
  bool RoundShape() const override { return true; }
};

class TsBalloonHintWindow : public TsCustomHintWindow {
  DECLARE_CLASS(TsBalloonHintWindow, TsCustomHintWindow)
 public:
  explicit TsBalloonHintWindow(TComponent* owner);
  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  void DrawHintShadow(TBitmap* target) override;
  TRect HintBodyRect() override;
  TBitmap* BuildHintBody() override;
  TBitmap* BuildHintMask() override;
  void DrawHintBorder(TBitmap* bmp) override;

 protected:
  bool RoundShape() const override { return true; }

 private:
  // The main ellipse and the bubbles, in steps of grey from d, onto the DC.
  void DrawFigure(HDC dc, int blur, int d);

  int bubbles_ = 5;
  int divisor_ = 4;
};
