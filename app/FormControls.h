#pragma once
// Building a window's controls in code: each control is created owned by the form inside its loading
// bracket, named, parented and placed in one call, through the framework's form-building helper.

#include "platform/framework/windows/FormBuilding.h"

template <class T>
T* AddControl(TLoadingBracket& Loading, TComponent* Owner, TWinControl* Parent, const wchar_t* Name, int Left,
              int Top, int Width, int Height) {
  return PlaceControl(Loading, new T(Owner), Parent, Name, Bounds(Left, Top, Width, Height));
}
