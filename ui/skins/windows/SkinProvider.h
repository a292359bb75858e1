#pragma once
// TsSkinProvider: skins a whole form. It takes the form's messages through a WindowProc hook and,
// while a skin is active, paints the non-client area itself from one image of the whole window (the
// cache of its skin state): caption band, borders, icon, caption text, caption buttons and the menu
// line; it cuts the window's region from the border mask's transparent corners, paints the client
// background from the cache and answers the skin command for its form. Without an active skin every
// message but a few skin commands reaches the form unchanged.

#include <memory>

#include "ui/skins/controls/SkinMenus.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/windows/DialogSkin.h"
#include "ui/skins/windows/FormGeometry.h"
#include "ui/skins/windows/SystemMenu.h"

enum TsGripMode { gmNone, gmRightBottom };
enum TsResizeMode { rmStandard, rmBorder };

class TacCtrlAdapter;
// Asked before a control is adapted: may refuse it or change the section.
using TacSkinItemEvent = TEvent<void(TControl* Item, bool& CanBeAdded, String& SkinSection)>;

struct TsTitleIcon {
  int Width = 0;
  int Height = 0;
};

class TsSkinProvider : public TComponent, public TacSkinProviderBase, public TacMenuLineProvider {
  DECLARE_CLASS(TsSkinProvider, TComponent)
 public:
  explicit TsSkinProvider(TComponent* owner);
  ~TsSkinProvider() override;
  void AfterConstruction() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  // ---- properties ----
  TAlignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(TAlignment value);
  TsCommonData* SkinData() const { return skinData_.get(); }
  TsGripMode GripMode = gmNone;
  bool MakeSkinMenu = false;
  bool ShowAppIcon() const { return showAppIcon_; }
  void SetShowAppIcon(bool value);
  String TitleSkin() const { return titleSkin_; }
  void SetTitleSkin(const String& value);
  bool UseGlobalColor() const { return useGlobalColor_; }
  void SetUseGlobalColor(bool value);
  TsResizeMode ResizeMode = rmStandard;
  bool ScreenSnap = false;
  int SnapBuffer = 10;
  TsTitleIcon TitleIcon;

  TCustomForm* Form() const { return form_; }
  // False for a second provider of the same form, which stays inert.
  bool Hooked() const { return hooked_; }
  bool Skinned() const;
  TsSkinManager* Manager() const;

  // Called before the child control adapter takes a control.
  TacSkinItemEvent OnSkinItem;
  // The adapter of the form's ordinary controls (none until a scan with the skin active).
  TacCtrlAdapter* Adapter() const { return adapter_.get(); }
  void MakeChildAdapter();
  // Set by the adapter's scans: a windowed child of the form draws on the form's background.
  bool ChildrenOnParentBackground = false;

  // ---- what other parts use ----
  void InvalidateFrame();
  void PaintFrameNow();
  void Prepare();
  TacFormFacts Facts() const;
  TPoint ClientShiftNow() const { return ClientShift(Facts()); }
  // The region's rectangles for the window's size now; true when a region was applied.
  void BuildRegion();
  bool ApplyRegion(bool redraw);
  // Rebuilds the whole window image when stale.
  void BuildCache();
  // The four frame strips from the cache into DC (the client area is never touched).
  void PaintNonClient(HDC dc);
  // The client part of the cache into DC.
  void PaintClient(HDC dc);
  int HitTest(TPoint p);
  void SetHot(int code, bool repaint);
  void SetPressed(int code);
  void RepaintButton(int code);
  TacCaptionFacts CaptionFacts() const;
  TsButtonPlace* Button(int code);

  bool SystemMenuShown = true;
  bool CacheStale() const { return skinData_->BGChanged; }
  std::vector<TRect> RegionRects;
  bool RegionStale = true;
  int ActiveButton = 0;
  bool FormActive = true;
  bool PaintedOnce = false;
  TsButtonPlace MinButton, MaxButton, CloseButton, HelpButton;
  TsSystemMenu* SystemMenu = nullptr;
  int MenuRowCount = -1;

  // ---- TacSkinProviderBase ----
  TsSkinManager* ProviderManager() const override { return Manager(); }
  void UpdateProviderFrame() override { InvalidateFrame(); }
  TCustomForm* ProviderForm() const override { return form_; }
  void FreeTitleCache() override {}
  // ---- TacMenuLineProvider ----
  TBitmap* MenuLineImage() override { return menuLine_.get(); }
  int CaptionAndFrameHeight() override;
  int LeftFrameOffset() override;
  bool MDIChildMaximized() override { return false; }

 private:
  void HookMessage(TMessage& message, TWindowProcChain& next);
  void Handle(TMessage& message, TWindowProcChain& next);
  bool SkinCommandAlways(TMessage& message, TWindowProcChain& next);
  void SkinCommandSkinned(TMessage& message, TWindowProcChain& next);
  void RemoveSkin(TMessage& message, TWindowProcChain& next);
  void RemoveSysMenuStyle(bool remove);
  void UpdateButtonMasks();
  void ApplyGlobalColor();
  void DrawButtons(TBitmap* cache, const TacFormFacts& f);
  void DrawButton(TBitmap* cache, TsButtonPlace& button, int code);
  void DrawCaption(TBitmap* cache, const TacFormFacts& f, int buttonsWidth);
  void NCButtonDown(TMessage& message, TWindowProcChain& next);
  void NCButtonUp(TMessage& message, TWindowProcChain& next);
  void PopupSystemMenu(int x, int y);
  TacButtonStrip Strip() const;
  String TitleSection() const;
  TPoint WindowOrigin() const;
  void TrackLeave();

  void ScanChildren();
  void BroadcastToItems(TMessage& message);

  std::unique_ptr<TsCommonData, TFreeDeleter> skinData_;
  std::unique_ptr<TacCtrlAdapter, TFreeDeleter> adapter_;
  std::unique_ptr<TBitmap, TFreeDeleter> backdrop_;
  std::unique_ptr<TBitmap, TFreeDeleter> menuLine_;
  TCustomForm* form_ = nullptr;
  std::weak_ptr<void> formLife_;
  bool hooked_ = false;
  TAlignment captionAlignment_ = taLeftJustify;
  bool showAppIcon_ = true;
  String titleSkin_;
  bool useGlobalColor_ = true;
  bool settingRegion_ = false;
  bool trackingLeave_ = false;
  bool startingLeaveTracking_ = false;
  int backdropLeft_ = 0;
};

// True while a caption button of any provider received the mouse-down (the release acts only then).
bool& ProviderButtonPressed();
