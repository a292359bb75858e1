#include "ui/extras/frames/FrameController.h"

#include <algorithm>
#include <iterator>

#include "platform/framework/classes/Filer.h"
#include "ui/extras/frames/RegIniFile.h"

DEFINE_CLASS(TRzFrameController)

DEFINE_ENUM_INFO(TFrameStyleEx, L"fsNone", L"fsFlat", L"fsGroove", L"fsBump", L"fsLowered", L"fsButtonDown",
                 L"fsRaised", L"fsButtonUp", L"fsStatus", L"fsPopup", L"fsFlatBold", L"fsFlatRounded")
DEFINE_ENUM_INFO(TSide, L"sdLeft", L"sdTop", L"sdRight", L"sdBottom")
DEFINE_ENUM_INFO(TFramingPreference, L"fpCustomFraming", L"fpXPThemes")
DEFINE_ENUM_INFO(TRzFrameControllerProperty, L"fcpColor", L"fcpFocusColor", L"fcpDisabledColor",
                 L"fcpReadOnlyColor", L"fcpReadOnlyColorOnFocus", L"fcpParentColor", L"fcpFlatButtonColor",
                 L"fcpFlatButtons", L"fcpFrameColor", L"fcpFrameHotColor", L"fcpFrameHotTrack",
                 L"fcpFrameHotStyle", L"fcpFrameSides", L"fcpFrameStyle", L"fcpFrameVisible",
                 L"fcpFramingPreference", L"fcpAll")

namespace {

// The published property each setting goes to.
constexpr const wchar_t* kPropertyNames[] = {
    L"Color",         L"FocusColor",    L"DisabledColor",  L"ReadOnlyColor",  L"ReadOnlyColorOnFocus",
    L"ParentColor",   L"FlatButtonColor", L"FlatButtons",  L"FrameColor",     L"FrameHotColor",
    L"FrameHotTrack", L"FrameHotStyle", L"FrameSides",     L"FrameStyle",     L"FrameVisible",
    L"FramingPreference"};
static_assert(std::size(kPropertyNames) == fcpAll);

// The order in which a push of everything sets the properties.
constexpr TRzFrameControllerProperty kPushAllOrder[] = {
    fcpParentColor,  fcpColor,         fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus, fcpFocusColor,
    fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor,  fcpFrameHotColor, fcpFrameHotTrack,       fcpFrameHotStyle,
    fcpFrameSides,   fcpFrameStyle,    fcpFrameVisible,  fcpFramingPreference};

}  // namespace

TRzFrameController::TRzFrameController(TComponent* AOwner) : TComponent(AOwner) {}

// Linked controls forget this controller through their free notification.
TRzFrameController::~TRzFrameController() = default;

// ---- links --------------------------------------------------------------------------------------

void TRzFrameController::AttachControl(TControl* Control) {
  if (!Control) return;
  if (!controls_) controls_ = std::make_unique<std::vector<TControl*>>();
  if (std::find(controls_->begin(), controls_->end(), Control) != controls_->end()) return;
  controls_->push_back(Control);
  // A control freed without detaching leaves the list all the same.
  FreeNotification(Control);
  PushSettingTo(Control, fcpAll);
}

void TRzFrameController::DetachControl(TControl* Control) { Forget(Control); }

// Compares as components: a control being freed is told about only as a component.
void TRzFrameController::Forget(TComponent* Component) {
  if (!controls_) return;
  auto it = std::find_if(controls_->begin(), controls_->end(),
                         [Component](TControl* c) { return static_cast<TComponent*>(c) == Component; });
  if (it == controls_->end()) return;
  controls_->erase(it);
  if (controls_->empty()) controls_.reset();
}

void TRzFrameController::SuspendUpdates() { ++updateLevel_; }

void TRzFrameController::ResumeUpdates() {
  if (--updateLevel_ > 0) return;
  updateLevel_ = 0;
  PushSetting(fcpAll);
}

// ---- pushing ------------------------------------------------------------------------------------

void TRzFrameController::PushSetting(TRzFrameControllerProperty Property) {
  if (updateLevel_ > 0 || !controls_) return;
  // A control may detach while it takes a setting: walk a copy.
  const std::vector<TControl*> controls = *controls_;
  for (TControl* control : controls) PushSettingTo(control, Property);
}

TRzFrameControllerNotifications TRzFrameController::NotificationsOf(TComponent* Control) const {
  if (!IsPublishedProp(Control, L"FrameControllerNotifications")) return AllFrameControllerNotifications;
  return TRzFrameControllerNotifications::FromBits(std::uint64_t(GetOrdProp(Control, L"FrameControllerNotifications")) &
                                                   0xFFFF);
}

void TRzFrameController::PushSettingTo(TComponent* Control, TRzFrameControllerProperty Property) {
  auto* control = dynamic_cast<TControl*>(Control);
  if (!control) return;
  if (auto* client = Supports<IFramingClient>(control)) return client->FramingSettingsChanged();
  const TRzFrameControllerNotifications notifications = NotificationsOf(control);
  if (Property == fcpAll) return PushAll(control, notifications);
  PushValue(control, notifications, Property);
}

void TRzFrameController::PushAll(TControl* control, TRzFrameControllerNotifications notifications) {
  for (TRzFrameControllerProperty property : kPushAllOrder) {
    if (property == fcpColor && parentColor_) continue;
    PushValue(control, notifications, property);
  }
}

void TRzFrameController::PushValue(TControl* control, TRzFrameControllerNotifications notifications,
                                   TRzFrameControllerProperty property) {
  const wchar_t* name = kPropertyNames[property];
  if (!notifications.Contains(property) || !IsPublishedProp(control, name)) return;
  Int64 value = 0;
  switch (property) {
    case fcpColor: value = color_; break;
    case fcpFocusColor: value = focusColor_; break;
    case fcpDisabledColor: value = disabledColor_; break;
    case fcpReadOnlyColor: value = readOnlyColor_; break;
    case fcpReadOnlyColorOnFocus: value = readOnlyColorOnFocus_; break;
    case fcpParentColor: value = parentColor_; break;
    case fcpFlatButtonColor: value = flatButtonColor_; break;
    case fcpFlatButtons: value = flatButtons_; break;
    case fcpFrameColor: value = frameColor_; break;
    case fcpFrameHotColor: value = frameHotColor_; break;
    case fcpFrameHotTrack: value = frameHotTrack_; break;
    case fcpFrameHotStyle: value = frameHotStyle_; break;
    case fcpFrameSides: value = Int64(frameSides_.Bits()); break;
    case fcpFrameStyle: value = frameStyle_; break;
    case fcpFrameVisible: value = frameVisible_; break;
    case fcpFramingPreference: value = framingPreference_; break;
    case fcpAll: return;
  }
  SetOrdProp(control, name, value);
}

// ---- setters ------------------------------------------------------------------------------------

template <class T>
void TRzFrameController::Change(T& field, T value, TRzFrameControllerProperty property) {
  if (field == value) return;
  field = value;
  PushSetting(property);
}

void TRzFrameController::SetColor(TColor Value) {
  if (Value == color_) return;
  if (focusColor_ == color_) SetFocusColor(Value);
  color_ = Value;
  parentColor_ = false;
  PushSetting(fcpColor);
}

void TRzFrameController::SetParentColor(bool Value) {
  if (Value == parentColor_) return;
  parentColor_ = Value;
  PushSetting(fcpParentColor);
  if (!Value) PushSetting(fcpColor);
}

void TRzFrameController::SetFlatButtonColor(TColor Value) { Change(flatButtonColor_, Value, fcpFlatButtonColor); }
void TRzFrameController::SetFlatButtons(bool Value) { Change(flatButtons_, Value, fcpFlatButtons); }
void TRzFrameController::SetDisabledColor(TColor Value) { Change(disabledColor_, Value, fcpDisabledColor); }
void TRzFrameController::SetReadOnlyColor(TColor Value) { Change(readOnlyColor_, Value, fcpReadOnlyColor); }
void TRzFrameController::SetReadOnlyColorOnFocus(bool Value) {
  Change(readOnlyColorOnFocus_, Value, fcpReadOnlyColorOnFocus);
}
void TRzFrameController::SetFocusColor(TColor Value) { Change(focusColor_, Value, fcpFocusColor); }
void TRzFrameController::SetFrameColor(TColor Value) { Change(frameColor_, Value, fcpFrameColor); }
void TRzFrameController::SetFrameHotColor(TColor Value) { Change(frameHotColor_, Value, fcpFrameHotColor); }

void TRzFrameController::SetFrameHotTrack(bool Value) {
  if (Value == frameHotTrack_) return;
  if (Value) {
    SetFrameVisible(true);
    if (!ComponentState().Contains(csLoading)) frameSides_ = AllSides;
  }
  frameHotTrack_ = Value;
  PushSetting(fcpFrameHotTrack);
}

void TRzFrameController::SetFrameHotStyle(TFrameStyle Value) { Change(frameHotStyle_, Value, fcpFrameHotStyle); }
void TRzFrameController::SetFrameSides(TSides Value) { Change(frameSides_, Value, fcpFrameSides); }
void TRzFrameController::SetFrameStyle(TFrameStyle Value) { Change(frameStyle_, Value, fcpFrameStyle); }
void TRzFrameController::SetFrameVisible(bool Value) { Change(frameVisible_, Value, fcpFrameVisible); }
void TRzFrameController::SetFramingPreference(TFramingPreference Value) {
  Change(framingPreference_, Value, fcpFramingPreference);
}

void TRzFrameController::SetRegIniFile(TRzRegIniFile* Value) {
  if (regIniFile_ == Value) return;
  if (regIniFile_) regIniFile_->RemoveFreeNotification(this);
  regIniFile_ = Value;
  if (Value) Value->FreeNotification(this);
}

// ---- component ----------------------------------------------------------------------------------

void TRzFrameController::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TRzFrameController*>(Source);
  if (!source) return TComponent::Assign(Source);
  SuspendUpdates();
  color_ = source->color_;
  parentColor_ = source->parentColor_;
  flatButtonColor_ = source->flatButtonColor_;
  flatButtons_ = source->flatButtons_;
  disabledColor_ = source->disabledColor_;
  readOnlyColor_ = source->readOnlyColor_;
  readOnlyColorOnFocus_ = source->readOnlyColorOnFocus_;
  focusColor_ = source->focusColor_;
  frameColor_ = source->frameColor_;
  frameHotColor_ = source->frameHotColor_;
  frameHotTrack_ = source->frameHotTrack_;
  frameHotStyle_ = source->frameHotStyle_;
  frameSides_ = source->frameSides_;
  frameStyle_ = source->frameStyle_;
  frameVisible_ = source->frameVisible_;
  framingPreference_ = source->framingPreference_;
  ResumeUpdates();
}

void TRzFrameController::Loaded() {
  TComponent::Loaded();
  PushSetting(fcpAll);
}

void TRzFrameController::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == regIniFile_) regIniFile_ = nullptr;
  Forget(AComponent);
}

void TRzFrameController::DefineProperties(TFiler& Filer) {
  TComponent::DefineProperties(Filer);
  DefineOldFrameProperties(Filer, {{this, &TRzFrameController::SetFrameHotTrack},
                                   {this, &TRzFrameController::SetFrameStyle},
                                   {this, &TRzFrameController::SetFrameHotStyle}});
}

// ---- old properties -----------------------------------------------------------------------------

void DefineOldFrameProperties(TFiler& Filer, const TRzOldFrameProperties& Setters) {
  Filer.DefineProperty(
      L"FrameFlat",
      [Setters](TReader& Reader) {
        const bool flat = Reader.ReadBoolean();
        Setters.SetFrameHotTrack(flat);
        if (!flat) return;
        Setters.SetFrameStyle(fsStatus);
        Setters.SetFrameHotStyle(fsLowered);
      },
      nullptr, false);
  Filer.DefineProperty(
      L"FrameFocusStyle",
      [Setters](TReader& Reader) {
        const int style = GetEnumValue<TFrameStyleEx>(Reader.ReadString());
        if (style >= 0 && style <= LastFrameStyle) Setters.SetFrameHotStyle(TFrameStyle(style));
      },
      nullptr, false);
  Filer.DefineProperty(L"FrameFlatStyle", DiscardProperty, nullptr, false);
}
