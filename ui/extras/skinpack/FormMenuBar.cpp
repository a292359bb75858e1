#include "ui/extras/skinpack/FormMenuBar.h"

DEFINE_CLASS(TsuiMenuBar)

TsuiMenuBar::TsuiMenuBar(TComponent* AOwner) : TToolBar(AOwner) {}

bool TsuiMenuBar::AnyButtonHighlighted() const {
  for (int i = 0; i < ButtonCount(); ++i)
    if (Buttons(i)->Tag == kHighlightedMenuButtonTag) return true;
  return false;
}

void TsuiMenuBar::CMDialogChar(TMessage& Message) {
  if (KeyDataToShiftState(Message.LParam).Contains(ssAlt)) return Inherited::Dispatch(Message);
  if (AnyButtonHighlighted() && DoAccelerator(static_cast<Word>(Message.WParam))) Message.Result = 1;
}
