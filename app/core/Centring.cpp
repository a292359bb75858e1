#include "app/core/Centring.h"

#include "platform/framework/windows/Forms.h"

int CentredStart(int ownerStart, int ownerExtent, int extent) { return ownerStart + (ownerExtent - extent) / 2; }

void CentreOver(TControl* window, const TControl* owner) {
  window->SetBounds(CentredStart(owner->Left(), owner->Width(), window->Width()),
                    CentredStart(owner->Top(), owner->Height(), window->Height()), window->Width(), window->Height());
}

void CentreOnScreen(TControl* window) {
  window->SetBounds(CentredStart(0, Screen->Width(), window->Width()),
                    CentredStart(0, Screen->Height(), window->Height()), window->Width(), window->Height());
}
