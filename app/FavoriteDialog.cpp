#include "app/FavoriteDialog.h"

#include "dialogs/DialogProtocol.h"
#include "dialogs/FamilyMember.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

// The control of slot k; a name the dialog does not have is a fault of the effects table.
template <class TControlClass>
TControlClass& SlotControl(const TFavoriteEffect& Effect, const TForm& Dialog, int Slot) {
  auto* control = dynamic_cast<TControlClass*>(Dialog.FindComponent(Effect.Controls[Slot]));
  if (!control)
    throw Exception(Format(L"The dialog %s has no control %s for the effect \"%s\".",
                           {Dialog.ClassName(), String(Effect.Controls[Slot]), String(Effect.Name)}));
  return *control;
}

}  // namespace

void SetEffectControls(const TFavoriteEffect& Effect, const TForm& Dialog, std::span<const int> Values) {
  for (int k = 0; k < Effect.ValueCount && k < static_cast<int>(Values.size()); ++k) {
    if (Effect.Kinds[k] == TSlotControl::Slider)
      SlotControl<TImageSlider>(Effect, Dialog, k).SetValue(Values[k]);
    else
      SlotControl<TEdit>(Effect, Dialog, k).SetText(IntToStr(Values[k]));
  }
}

String ReadEffectControls(const TFavoriteEffect& Effect, const TForm& Dialog) {
  String list;
  for (int k = 0; k < Effect.ValueCount; ++k) {
    if (k > 0) list += L",";
    list += Effect.Kinds[k] == TSlotControl::Slider ? IntToStr(SlotControl<TImageSlider>(Effect, Dialog, k).Value())
                                                    : SlotControl<TEdit>(Effect, Dialog, k).Text();
  }
  return list;
}

bool ExecuteFavoriteDialog(const TFavoriteEffect& Effect, TWinControl* Caller, std::span<const int> Values,
                           bool HidePreview, const std::function<void(TForm&, TFamilyMember&)>& OnOK,
                           bool StopPreview) {
  ObjectPtr<TForm> dialog(As<TForm>(Effect.DialogClass().Create(Caller)));
  TForm& form = *dialog;
  TFamilyMember& member = *As<TFamilyMember>(&form);
  return RunDialogProtocol({&form, Caller, member.Family().ButtonPreview(),
                            [&] { SetEffectControls(Effect, form, Values); }, HidePreview,
                            [&] {
                              if (OnOK) OnOK(form, member);
                            },
                            StopPreview});
}
