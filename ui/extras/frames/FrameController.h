#pragma once
// TRzFrameController keeps one set of colour and frame settings and pushes it into every control
// linked to it: by setting the control's published properties of the same names, or, for a
// control that implements IFramingClient, by telling it that the settings changed.

#include <memory>
#include <vector>

#include "platform/framework/windows/Controls.h"
#include "platform/framework/classes/Reflection.h"
#include "ui/extras/frames/FrameDrawing.h"

class TRzRegIniFile;

enum TFramingPreference { fpCustomFraming, fpXPThemes };

enum TRzFrameControllerProperty {
  fcpColor,
  fcpFocusColor,
  fcpDisabledColor,
  fcpReadOnlyColor,
  fcpReadOnlyColorOnFocus,
  fcpParentColor,
  fcpFlatButtonColor,
  fcpFlatButtons,
  fcpFrameColor,
  fcpFrameHotColor,
  fcpFrameHotTrack,
  fcpFrameHotStyle,
  fcpFrameSides,
  fcpFrameStyle,
  fcpFrameVisible,
  fcpFramingPreference,
  fcpAll
};
using TRzFrameControllerPropertyConnection = TRzFrameControllerProperty;  // fcpColor .. fcpFramingPreference
// Which settings a controller may push into a control: bit n for property n.
using TRzFrameControllerNotifications = TSet<TRzFrameControllerProperty>;
inline constexpr TRzFrameControllerNotifications AllFrameControllerNotifications =
    TRzFrameControllerNotifications::FromBits(0xFFFF);

DECLARE_ENUM_INFO(TFrameStyleEx);
DECLARE_ENUM_INFO(TSide);
DECLARE_ENUM_INFO(TFramingPreference);
DECLARE_ENUM_INFO(TRzFrameControllerProperty);

// A control that applies a controller's settings itself.
class IFramingClient : public virtual IInterface {
 public:
  virtual void FramingSettingsChanged() = 0;
};

class TRzFrameController : public TComponent {
  DECLARE_CLASS(TRzFrameController, TComponent)
 public:
  explicit TRzFrameController(TComponent* AOwner);
  ~TRzFrameController() override;

  // Links a control and pushes every setting into it; a control already linked is left alone.
  void AttachControl(TControl* Control);
  void DetachControl(TControl* Control);
  int ControlCount() const { return controls_ ? int(controls_->size()) : 0; }
  bool HasControlList() const { return controls_ != nullptr; }
  // Nested brackets: pushes wait until the outermost resume, which pushes everything once.
  void SuspendUpdates();
  void ResumeUpdates();
  int UpdateLevel() const { return updateLevel_; }

  virtual void PushSettingTo(TComponent* Control, TRzFrameControllerProperty Property);
  virtual void PushSetting(TRzFrameControllerProperty Property);
  // The control's "FrameControllerNotifications" when it publishes one, else all sixteen.
  TRzFrameControllerNotifications NotificationsOf(TComponent* Control) const;

  void Assign(TPersistent* Source) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TColor Color() const { return color_; }
  virtual void SetColor(TColor Value);
  bool ParentColor() const { return parentColor_; }
  virtual void SetParentColor(bool Value);
  TColor FlatButtonColor() const { return flatButtonColor_; }
  virtual void SetFlatButtonColor(TColor Value);
  bool FlatButtons() const { return flatButtons_; }
  virtual void SetFlatButtons(bool Value);
  TColor DisabledColor() const { return disabledColor_; }
  virtual void SetDisabledColor(TColor Value);
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  virtual void SetReadOnlyColor(TColor Value);
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  virtual void SetReadOnlyColorOnFocus(bool Value);
  TColor FocusColor() const { return focusColor_; }
  virtual void SetFocusColor(TColor Value);
  TColor FrameColor() const { return frameColor_; }
  virtual void SetFrameColor(TColor Value);
  TColor FrameHotColor() const { return frameHotColor_; }
  virtual void SetFrameHotColor(TColor Value);
  bool FrameHotTrack() const { return frameHotTrack_; }
  virtual void SetFrameHotTrack(bool Value);
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  virtual void SetFrameHotStyle(TFrameStyle Value);
  TSides FrameSides() const { return frameSides_; }
  virtual void SetFrameSides(TSides Value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  virtual void SetFrameStyle(TFrameStyle Value);
  bool FrameVisible() const { return frameVisible_; }
  virtual void SetFrameVisible(bool Value);
  TFramingPreference FramingPreference() const { return framingPreference_; }
  virtual void SetFramingPreference(TFramingPreference Value);
  TRzRegIniFile* RegIniFile() const { return regIniFile_; }
  virtual void SetRegIniFile(TRzRegIniFile* Value);

  // Form data stores Color only while it is not taken from the parent.
  bool IsColorStored() const { return !parentColor_; }

 protected:
  // Reads the properties of older versions: "FrameFlat", "FrameFocusStyle", "FrameFlatStyle".
  void DefineProperties(TFiler& Filer) override;

 private:
  void Forget(TComponent* Component);
  void PushValue(TControl* control, TRzFrameControllerNotifications notifications, TRzFrameControllerProperty property);
  void PushAll(TControl* control, TRzFrameControllerNotifications notifications);
  template <class T>
  void Change(T& field, T value, TRzFrameControllerProperty property);

  TColor color_ = clWindow;
  bool parentColor_ = false;
  std::unique_ptr<std::vector<TControl*>> controls_;
  TColor flatButtonColor_ = clBtnFace;
  bool flatButtons_ = true;
  TColor disabledColor_ = clBtnFace;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  TColor focusColor_ = clWindow;
  TColor frameColor_ = clBtnShadow;
  TColor frameHotColor_ = clBtnShadow;
  bool frameHotTrack_ = false;
  TFrameStyle frameHotStyle_ = fsFlatBold;
  TSides frameSides_ = AllSides;
  TFrameStyle frameStyle_ = fsFlat;
  bool frameVisible_ = false;
  TFramingPreference framingPreference_ = fpXPThemes;
  int updateLevel_ = 0;
  TRzRegIniFile* regIniFile_ = nullptr;
};

// The old form-data properties shared by the controller and the controls of the frame library.
// "FrameFlat" true: hot tracking on, frame style fsStatus, hot style fsLowered. "FrameFocusStyle":
// the hot style of that name; a name that is no frame style leaves it unchanged.
struct TRzOldFrameProperties {
  TEvent<void(bool)> SetFrameHotTrack;
  TEvent<void(TFrameStyle)> SetFrameStyle;
  TEvent<void(TFrameStyle)> SetFrameHotStyle;
};
void DefineOldFrameProperties(TFiler& Filer, const TRzOldFrameProperties& Setters);
