#pragma once
// The four panel styles of the status bar: text (the default of new panels), state indicators,
// keyboard states with their own 100 ms poll of the toggle keys, and a container of child controls.

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Timer.h"
#include "ui/ribbon/statusbar/StatusBar.h"

// ---- text -----------------------------------------------------------------------------------------

enum TdxStatusBarEllipsisType : Byte { dxetNone, dxetTruncate, dxetSmartPath };
class TdxStatusBarTextPanelStyle;
using TdxStatusBarTextEvent = TEvent<void(TdxStatusBarTextPanelStyle* Sender, const TRect& R, String& AText)>;

class TdxStatusBarTextPanelStyle : public TdxStatusBarPanelStyle {
  DECLARE_CLASS(TdxStatusBarTextPanelStyle, TdxStatusBarPanelStyle)
 public:
  explicit TdxStatusBarTextPanelStyle(TdxStatusBarPanel* AOwner);
  bool AutoHint() const { return autoHint_; }
  // At most one text panel of a bar holds AutoHint: setting it clears it on every other.
  void SetAutoHint(bool Value);
  TdxStatusBarEllipsisType EllipsisType() const { return ellipsisType_; }
  void SetEllipsisType(TdxStatusBarEllipsisType Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  TdxStatusBarTextEvent OnGetText;

  void CopyFrom(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) override;
  void RestoreDefaults() override;

 private:
  bool autoHint_ = false;
  TdxStatusBarEllipsisType ellipsisType_ = dxetNone;
  int imageIndex_ = -1;
};

// ---- state indicators -----------------------------------------------------------------------------

enum TdxStatusBarStateIndicatorType : Byte { sitOff, sitYellow, sitBlue, sitGreen, sitRed, sitTeal, sitPurple };

class TdxStatusBarStateIndicatorItem : public TCollectionItem {
  DECLARE_CLASS(TdxStatusBarStateIndicatorItem, TCollectionItem)
 public:
  explicit TdxStatusBarStateIndicatorItem(TCollection* Collection);
  ~TdxStatusBarStateIndicatorItem() override;
  void Assign(TPersistent* Source) override;
  TBitmap* Bitmap() const { return bitmap_; }
  TdxStatusBarStateIndicatorType IndicatorType() const { return indicatorType_; }
  void SetIndicatorType(TdxStatusBarStateIndicatorType Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);

 private:
  void LoadIndicatorBitmap();
  TBitmap* bitmap_;
  TdxStatusBarStateIndicatorType indicatorType_ = sitOff;
  bool visible_ = true;
};

class TdxStatusBarStateIndicators : public TCollection {
  DECLARE_CLASS(TdxStatusBarStateIndicators, TCollection)
 public:
  TdxStatusBarStateIndicators();
  TdxStatusBarStateIndicatorItem* Add() { return static_cast<TdxStatusBarStateIndicatorItem*>(TCollection::Add()); }
  TdxStatusBarStateIndicatorItem* ItemAt(int Index) const {
    return static_cast<TdxStatusBarStateIndicatorItem*>(Items(Index));
  }
  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem* Item) override;
};

class TdxStatusBarStateIndicatorPanelStyle : public TdxStatusBarPanelStyle {
  DECLARE_CLASS(TdxStatusBarStateIndicatorPanelStyle, TdxStatusBarPanelStyle)
 public:
  explicit TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarStateIndicatorPanelStyle() override;
  int Spacing() const { return spacing_; }
  void SetSpacing(int Value);
  TdxStatusBarStateIndicators* Indicators() const { return indicators_; }
  void SetIndicators(TdxStatusBarStateIndicators* Value) { indicators_->Assign(Value); }

  bool HasAdjustableWidth() override { return false; }
  void CopyFrom(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) override;
  int DefaultMinWidth() override;
  void RestoreDefaults() override;

 private:
  void IndicatorsChanged(TObject* Sender) { (void)Sender, Changed(); }
  int spacing_ = 4;
  TdxStatusBarStateIndicators* indicators_;
};

// ---- keyboard states ------------------------------------------------------------------------------

enum TdxStatusBarKeyboardState : Byte { dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert };
using TdxStatusBarKeyboardStates = TSet<TdxStatusBarKeyboardState>;

// Whether a key's toggle is on: bit 0 of the key state (bit 7 is "held down").
inline bool KeyToggleOn(SHORT KeyState) { return (KeyState & 1) != 0; }

class TdxStatusBarKeyStateAppearance : public TPersistent {
  DECLARE_CLASS(TdxStatusBarKeyStateAppearance, TPersistent)
 public:
  TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState AKind, int ACode, TColor AActiveFontColor,
                                 const String& AActiveCaption, const String& AInactiveCaption,
                                 const TNotifyEvent& AOnChange);
  void Assign(TPersistent* Source) override;
  TdxStatusBarKeyboardState Kind() const { return kind_; }
  int Code() const { return code_; }
  TColor ActiveFontColor() const { return activeFontColor_; }
  void SetActiveFontColor(TColor Value);
  TColor InactiveFontColor() const { return inactiveFontColor_; }
  void SetInactiveFontColor(TColor Value);
  const String& ActiveCaption() const { return activeCaption_; }
  void SetActiveCaption(const String& Value);
  const String& InactiveCaption() const { return inactiveCaption_; }
  void SetInactiveCaption(const String& Value);

 private:
  void Changed() {
    if (onChange_) onChange_(this);
  }
  TdxStatusBarKeyboardState kind_;
  int code_;
  TColor activeFontColor_;
  TColor inactiveFontColor_ = clBtnShadow;
  String activeCaption_, inactiveCaption_;
  TNotifyEvent onChange_;
};

// Polls the watched keys every 100 ms and relays the bar out when a toggle changed.
class TdxStatusBarKeyboardStateNotifier : public TObject {
  DECLARE_CLASS(TdxStatusBarKeyboardStateNotifier, TObject)
 public:
  explicit TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* AStatusBar);
  ~TdxStatusBarKeyboardStateNotifier() override;
  void AddKey(int Code);
  void RemoveKey(int Code);
  void PollKeyboardState(TObject* Sender);
  int KeyCount() const { return int(keys_.size()); }
  int KeyCode(int Index) const { return keys_[Index].Code; }
  TTimer* Timer() const { return timer_; }

 private:
  struct TdxStatusBarKeyboardStateWatchedKey {
    int Code;
    bool Toggled;
  };
  TdxCustomStatusBar* statusBar_;
  std::vector<TdxStatusBarKeyboardStateWatchedKey> keys_;
  TTimer* timer_;
};

class TdxStatusBarKeyboardStatePanelStyle : public TdxStatusBarPanelStyle {
  DECLARE_CLASS(TdxStatusBarKeyboardStatePanelStyle, TdxStatusBarPanelStyle)
 public:
  explicit TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarKeyboardStatePanelStyle() override;
  bool FullRect() const { return fullRect_; }
  void SetFullRect(bool Value);
  TdxStatusBarKeyboardStates KeyboardStates() const { return keyboardStates_; }
  void SetKeyboardStates(TdxStatusBarKeyboardStates Value);
  TdxStatusBarKeyStateAppearance* Appearance(TdxStatusBarKeyboardState Key) const { return appearances_[Key]; }
  TdxStatusBarKeyStateAppearance* CapsLockKeyAppearance() const { return appearances_[dxksCapsLock]; }
  TdxStatusBarKeyStateAppearance* NumLockKeyAppearance() const { return appearances_[dxksNumLock]; }
  TdxStatusBarKeyStateAppearance* ScrollLockKeyAppearance() const { return appearances_[dxksScrollLock]; }
  TdxStatusBarKeyStateAppearance* InsertKeyAppearance() const { return appearances_[dxksInsert]; }
  TdxStatusBarKeyboardStateNotifier* Notifier() const { return notifier_; }

  bool HasAdjustableWidth() override { return false; }
  void CopyFrom(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) override;
  int DefaultMinWidth() override;
  bool DrawsOwnBorder() override { return !fullRect_; }
  void RestoreDefaults() override;
  // The wider caption's text width + 4, measured with the style's font.
  int CellWidth(TcxCanvas* ACanvas, TdxStatusBarKeyboardState Key);

 private:
  void AppearanceChanged(TObject* Sender) { (void)Sender, Changed(); }
  bool fullRect_ = false;
  TdxStatusBarKeyboardStates keyboardStates_;
  TdxStatusBarKeyStateAppearance* appearances_[4];
  TdxStatusBarKeyboardStateNotifier* notifier_;
};

// ---- container ------------------------------------------------------------------------------------

class TdxStatusBarContainerPanelStyle;

class TdxStatusBarContainerControl : public TcxControl {
  DECLARE_CLASS(TdxStatusBarContainerControl, TcxControl)
 public:
  explicit TdxStatusBarContainerControl(TComponent* AOwner);
  ~TdxStatusBarContainerControl() override;
  void BeforeDestruction() override;
  bool HasScrollBars() override { return false; }
  TdxStatusBarContainerPanelStyle* Style() const { return style_; }

 protected:
  void Paint() override;

 private:
  friend class TdxStatusBarContainerPanelStyle;
  TdxStatusBarContainerPanelStyle* style_ = nullptr;
};

class TdxStatusBarContainerPanelStyle : public TdxStatusBarPanelStyle {
  DECLARE_CLASS(TdxStatusBarContainerPanelStyle, TdxStatusBarPanelStyle)
 public:
  explicit TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarContainerPanelStyle() override;
  bool AlignControl() const { return alignControl_; }
  void SetAlignControl(bool Value);
  TdxStatusBarContainerControl* Container() const { return container_; }
  void SetContainer(TdxStatusBarContainerControl* Value);
  // The container control of this bar with that name (case-insensitive), or null.
  TdxStatusBarContainerControl* FindContainerControlByName(const String& AName);

  bool CanBeDeleted() override;
  void CopyFrom(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) override;
  void VisibilityChanged() override;
  void RestoreDefaults() override;

 private:
  friend class TdxStatusBarContainerControl;
  void NameContainerControl();
  bool alignControl_ = true;
  TdxStatusBarContainerControl* container_ = nullptr;
};
