#pragma once
// Building a window's controls in code: each control is created owned by the form inside its loading
// bracket, named, parented and placed in one call.

#include "platform/framework/classes/Filer.h"
#include "platform/framework/windows/Controls.h"

template <class T>
T* AddControl(TLoadingBracket& Loading, TComponent* Owner, TWinControl* Parent, const wchar_t* Name, int Left,
              int Top, int Width, int Height) {
  T* control = Loading.Add(new T(Owner));
  control->SetName(Name);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}
