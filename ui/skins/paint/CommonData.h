#pragma once
// TsCommonData: the skin state of one skinned control (or form provider, or subclassed window). It
// names the control's skin section and resolves it to indexes into the manager's arrays, keeps the
// control's face in a cache bitmap with the flags that say when the face must be rebuilt, tracks
// focus and mouse-over, and answers the skin command message and a few window messages on the
// control's behalf. The window-message step and the command answer are plain functions of the
// state and the message.

#include "platform/framework/classes/Object.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Controls.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinData.h"
#include "ui/skins/paint/DrawingRoutines.h"

class TsSkinManager;

// Control class codes the owners set.
constexpr int kClassCodeSpeedButton = 92;
constexpr int kClassCodePanel = 51;
constexpr int kClassCodeGauge = 161;
constexpr int kClassCodeScrollBar = 142;
constexpr int kClassCodeProvider = 224;
constexpr int kClassCodeAdapted = 227;

// The section used when SkinSection is empty at load time; empty for codes the table lacks (the
// owner's class name is used then).
String DefaultSectionOfClassCode(int classCode);
// Codes that never show the hot (mouse-over) face.
bool ClassCodeShowsNoHot(int classCode);

class TsCommonData : public TPersistent {
  DECLARE_CLASS(TsCommonData, TPersistent)
 public:
  TsCommonData(TPersistent* owner, bool createCacheBmp);
  ~TsCommonData() override;

  // ---- published -----------------------------------------------------------------------------------
  const String& SkinSection() const { return skinSection_; }
  void SetSkinSection(const String& value);
  bool CustomFont() const { return customFont_; }
  void SetCustomFont(bool value);
  bool CustomColor() const { return customColor_; }
  void SetCustomColor(bool value);
  // The manager used: the field, else the default manager (none when there is none).
  TsSkinManager* SkinManager() const;
  // The field alone: nil when the default manager is meant (then nothing is stored).
  TsSkinManager* SkinManagerField() const { return manager_; }
  void SetSkinManager(TsSkinManager* value);

  // ---- state ---------------------------------------------------------------------------------------
  bool Updating = false;
  int BorderIndex = -1;
  int SkinIndex = -1;
  int Texture = -1;
  int HotTexture = -1;
  TControl* FadedChild = nullptr;
  // Set by command 9: the face counts as depending on where the control sits.
  bool PosDependent = false;
  bool BGChanged = true;
  bool HalfVisible = true;
  TControl* OwnerControl() const { return ownerControl_; }
  TPersistent* OwnerObject() const { return ownerObject_; }
  // A state made for one object and painting another control (the child control adapter's).
  void SetOwnerControl(TControl* control) { ownerControl_ = control, ownerObject_ = control; }
  TBitmap* CacheBmp = nullptr;
  int ClassCode = 0;
  bool FocusSet = false;
  bool MouseAbove = false;

  // ---- operations ----------------------------------------------------------------------------------
  void UpdateIndexes();
  void SetDefaultSection();
  void AfterLoad();
  // Color and font colour of the owner from the section, each unless custom.
  void ApplySectionColors();
  bool Skinned(bool requireActive = false) const;
  bool SectionTransparent() const;
  bool IsActive() const;
  bool IsUpdating() const;
  bool RepaintWhenMoved() const;
  bool ParentBackgroundVaries() const;
  TsCacheRef GetParentCache() const;
  static TsCacheRef GetParentCacheForWindow(HWND window);
  void InitCacheBmp();
  void InvalidateCache();
  void SetUpdating(bool value) { Updating = value; }
  void BeginUpdate();
  void EndUpdate();
  // The section's general data; null without a valid section.
  const TsGeneralData* Section() const;
  // Writes the control's background colour into the shared transparent colour (command 21).
  void AnswerBgColor();
  bool HandleSkinCommand(TMessage& message);
  bool HandleWindowMessage(TMessage& message);
  // Copies the cache to a DC, clipped to C, with the opaque children excluded.
  void PaintCacheToDC(TControl* owner, int state, TRect r, int offsetY, int offsetX, bool updateCorners, HDC dc,
                      TRect clip);
  void PaintCacheToDCForWindow(HWND window, int state, TRect r, int offsetY, int offsetX, bool updateCorners, HDC dc,
                               TRect clip);
  // What the text routines need of this state.
  TacTextSkin TextSkin() const;

 private:
  bool OwnerDestroying() const;
  void SendOwnCommand(Word command, TsSkinManager* manager);
  void EmptyCache();

  String skinSection_;
  bool customFont_ = false;
  bool customColor_ = false;
  TsSkinManager* manager_ = nullptr;
  TControl* ownerControl_ = nullptr;
  TPersistent* ownerObject_ = nullptr;
};

// The common step for a state that may be missing: false (not handled) without one.
inline bool HandleSkinWindowMessage(TsCommonData* state, TMessage& message) {
  return state && state->HandleWindowMessage(message);
}
