#include "ui/bars/items/PlaceForm.h"

#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarSupport.h"

DEFINE_CLASS(TPlaceForm)

TPlaceForm::TPlaceForm(TComponent* AOwner) : TCustomForm(AOwner, 0) { SetBorderStyle(bsNone); }

void TPlaceForm::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (ItemControl && ItemControl->BarControl() && ItemControl->Painter()) {
    FillWithBarBackground(dc);
  } else {
    const RECT r = ClientRect();
    FillRect(dc, &r, Brush());
  }
  Message.Result = 1;
}

void TPlaceForm::FillWithBarBackground(HDC DC) {
  TCustomdxBarControl* bar = ItemControl->BarControl();
  TdxBarPainter* painter = ItemControl->Painter();
  TRect r = ClientRect();
  TPoint previous{}, offset{};
  ShiftOriginForParentBackground(this, bar, DC, r, previous, offset);
  TdxBarCanvas* canvas = SharedBarCanvas();
  canvas->PushDC(DC);
  try {
    if (auto* toolbar = dynamic_cast<TdxBarControl*>(bar))
      painter->FillBarBackgroundPart(toolbar, DC, r, Brush());
    else
      painter->FillItemBackground(ItemControl, DC, false, Brush(), r);
  } catch (...) {
    canvas->PopState();
    RestoreWindowOrigin(DC, previous);
    throw;
  }
  canvas->PopState();
  RestoreWindowOrigin(DC, previous);
}
