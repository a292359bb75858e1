#include "app/core/FontNames.h"

#include "platform/framework/windows/Forms.h"

namespace {

void ReplaceInChildren(TWinControl* container, const String& oldName, const String& newName) {
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* child = container->Controls(i);
    if (child->Font()->Name() == oldName) child->Font()->SetName(newName);
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) ReplaceInChildren(windowed, oldName, newName);
  }
}

}  // namespace

void ReplaceFontName(TWinControl* container, const String& oldName, const String& newName) {
  if (!container || newName == oldName || Screen->Fonts()->IndexOf(newName) < 0) return;
  ReplaceInChildren(container, oldName, newName);
}
