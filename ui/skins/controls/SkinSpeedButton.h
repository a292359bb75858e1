#pragma once
// TsSpeedButton: the framework's speed button drawn from the active skin. Its face (background and
// border of its section, caption, glyph, drop-down zone, disabled look) is built into a cache
// bitmap and copied to the parent's canvas; a change of look may fade from the old face to the new
// one. It can take its glyph from an image list, hide its caption, show a drop-down zone with a
// popup menu, and stand as a separator or divider.

#include "platform/framework/controls/Buttons.h"
#include "platform/framework/controls/Menus.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/controls/ToolBar.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/skins/core/SkinCommon.h"

class TsCommonData;
class TsAnimTimer;
class TsSpeedButton;

using TBmpPaintEvent = TEvent<void(TObject* Sender, TBitmap* Bmp)>;

// The process-wide facts of an open drop-down menu, read by the skinned menus: the button whose
// menu is open, whether hints are held off and the application's ShowHint to give back, and the
// guard against a second menu from the same press.
struct TacDropDownState {
  TsSpeedButton* OpenButton = nullptr;
  bool HintsSuppressed = false;
  bool SavedShowHint = true;
  bool MenuGuard = false;
};
TacDropDownState& DropDownState();

// What the face layout of a speed button depends on.
struct TacButtonFaceLayout {
  int Width = 0;
  int Height = 0;
  int DropZone = 0;     // width of the drop-down zone
  int GlyphWidth = 0;   // one glyph image
  int GlyphHeight = 0;
  int GlyphMargin = 0;  // the margin as the face uses it
  int Margin = -1;      // the raw Margin property
  int Spacing = 4;
  TSize Text;           // the measured caption
  bool ShowCaption = true;
  bool CaptionEmpty = true;
  TButtonLayout Layout = blGlyphLeft;
  TAlignment Alignment = taCenter;
  int TextOffset = 0;
  int FaceState = 0;
};
TRect FaceGlyphBounds(const TacButtonFaceLayout& f);
// The colour that stands behind a button's face while its background is painted: none (clFuchsia)
// with a parent cache, else the parent's colour as a plain RGB value.
TColor FaceBackdropColor(const TsCacheRef& ci, TControl* parent);
TRect FaceCaptionBounds(const TacButtonFaceLayout& f);

class TsSpeedButton : public TSpeedButton {
  DECLARE_CLASS(TsSpeedButton, TSpeedButton)
 public:
  explicit TsSpeedButton(TComponent* owner);
  ~TsSpeedButton() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  void Loaded() override;

  TsCommonData* SkinData() const { return skinData_; }
  TBmpPaintEvent OnPaint;
  TacAnimatEvents AnimatEvents{aeGlobalDef};

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  int Blend() const { return blend_; }
  void SetBlend(int value);
  TToolButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TToolButtonStyle value);
  TsDisabledGlyphKind DisabledGlyphKind() const { return disabledGlyphKind_; }
  void SetDisabledGlyphKind(TsDisabledGlyphKind value);
  TsDisabledKind DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(TsDisabledKind value);
  TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(TPopupMenu* value);
  bool Grayed() const { return grayed_; }
  void SetGrayed(bool value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool value);
  bool DrawOverBorder() const { return drawOverBorder_; }
  void SetDrawOverBorder(bool value);
  int TextOffset() const { return textOffset_; }
  void SetTextOffset(int value);
  TAlignment TextAlignment() const { return textAlignment_; }
  void SetTextAlignment(TAlignment value);

  // ---- the face ------------------------------------------------------------------------------------
  virtual void PaintCaptionText(TRect r, UINT flags);
  virtual void PaintCaption();
  virtual TSize MeasureCaption();
  virtual void PaintGlyph();
  virtual int FaceGlyphWidth();
  virtual int FaceGlyphHeight();
  virtual void LoadGlyphFromImages();
  virtual void BuildCache();
  virtual int FaceState();
  virtual TRect CaptionBounds();
  virtual TRect GlyphBounds();
  int DropZoneWidth() const { return buttonStyle_ == tbsDropDown ? 16 : 0; }
  int GlyphMargin() const { return Margin() < 0 ? 0 : Margin() + 3; }
  int CaptionRoom();
  TacButtonFaceLayout FaceLayout();

  // ---- state ---------------------------------------------------------------------------------------
  TButtonState ButtonState() const { return FState; }
  bool MenuShown() const { return menuShown_; }
  TsAnimTimer* FadeTimer() const { return fadeTimer_; }
  void ChangeFace(bool halfTime, bool animate);
  void BeginFade(bool halfTime);
  void EndFade();
  void RepaintWithParent();
  void SyncCaption();
  void Invalidate() override;
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void Paint() override;
  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void ActionChange(TObject* sender, bool checkDefaults) override;
  void GlyphChanged(TObject* sender) override;

 private:
  bool BeingDestroyed() const { return ComponentState().Contains(csDestroying); }
  bool LoadingNow() const { return ComponentState().Contains(csLoading); }
  void StyleChanged(bool markAlways = false);
  // Stores a changed look and shows it.
  template <class T>
  void SetLook(T& field, T value) {
    if (field == value) return;
    field = value;
    StyleChanged();
  }
  void MouseEntered();
  void MouseLeft();
  bool HandleSkinCommand(TMessage& message);

  TsCommonData* skinData_;
  TsAnimTimer* fadeTimer_ = nullptr;
  TAlignment alignment_ = taCenter;
  int blend_ = 0;
  TToolButtonStyle buttonStyle_ = tbsButton;
  TsDisabledGlyphKind disabledGlyphKind_{dgBlended};
  TsDisabledKind disabledKind_{dkBlended};
  TPopupMenu* dropdownMenu_ = nullptr;
  bool grayed_ = false;
  int imageIndex_ = -1;
  TCustomImageList* images_ = nullptr;
  bool showCaption_ = true;
  bool drawOverBorder_ = true;
  int textOffset_ = 0;
  TAlignment textAlignment_ = taCenter;
  int lastNumGlyphs_ = -1;
  int lastSpacing_ = -1;
  bool lastDown_ = false;
  TButtonLayout lastLayout_ = blGlyphLeft;
  String storedCaption_;
  bool menuShown_ = false;
  // The face layout of the build under way (measured once a build), or none.
  const TacButtonFaceLayout* buildLayout_ = nullptr;
};
