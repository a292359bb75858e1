#pragma once
// Building a form's controls in its constructor, as a stored description would: each control is
// added to the form's loading bracket (so it carries csLoading until the bracket ends), named,
// parented and, when given, placed. The caller then sets its properties in published order and
// binds its events last, so no handler runs while the form loads:
//
//   TLoadingBracket loading(*this);
//   ButtonOK = PlaceControl(loading, new TButton(this), this, L"ButtonOK", Bounds(232, 112, 75, 25));
//   ButtonOK->SetCaption(L"&OK");
//   ButtonOK->OnClick = {this, &TMyForm::ButtonOKClick};
//   loading.End();

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include "platform/framework/classes/Filer.h"
#include "platform/framework/windows/Controls.h"

template <class T>
T* PlaceControl(TLoadingBracket& Loading, T* Control, TWinControl* Parent, const wchar_t* Name) {
  Loading.Add(Control);
  Control->SetName(Name);
  Control->SetParent(Parent);
  return Control;
}

template <class T>
T* PlaceControl(TLoadingBracket& Loading, T* Control, TWinControl* Parent, const wchar_t* Name, const TRect& Bounds) {
  PlaceControl(Loading, Control, Parent, Name);
  Control->SetBoundsRect(Bounds);
  return Control;
}
