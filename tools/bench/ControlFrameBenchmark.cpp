// The custom-control base's share of a frame: a 1280 x 800 control with empty content and both
// scroll bars and the size grip showing (Office11 painter) is resized, its scroll bars recalculated,
// and it is painted in full with its bars and grip. The limit is a quarter of an 8 ms frame.

#include <cstdio>

#include "TimingLoop.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/foundation/Control.h"

namespace {

// Empty content larger than the control both ways, so both bars and the grip show.
class TBenchControl : public TcxControl {
 public:
  using TcxControl::TcxControl;

 protected:
  void InitScrollBarsParameters() override {
    TRect r;
    ContentBounds(r);
    SetScrollBarInfo(sbHorizontal, 0, 3999, 16, r.Width(), 0, true, true);
    SetScrollBarInfo(sbVertical, 0, 2999, 16, r.Height(), 0, true, true);
  }
};

struct TProbeBar : TcxScrollBar {
  using TcxScrollBar::TcxScrollBar;
  void PaintOff(TcxCanvas* c) { PaintAllParts(c); }
};

}  // namespace

int main(int argc, char** argv) {
  InitializeUnits();
  auto* form = new TForm(nullptr, 0);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 1300, 820);
  auto* control = new TBenchControl(form);
  control->SetBounds(0, 0, 1280, 800);
  control->SetParent(form);
  control->LookAndFeel()->SetKind(lfOffice11);
  form->Show();
  Application->ProcessMessages();
  const bool bars = control->HScrollBar()->Visible() && control->VScrollBar()->Visible() &&
                    control->SizeGrip()->Visible();
  if (!bars) {
    std::printf("the scroll bars did not show\n");
    return 1;
  }
  const bool quick = timing::Quick(argc, argv);
  int round = 0;
  const bool within =
      timing::Run("TcxControl 1280 x 800: resize, RecalcScrollBars, full paint", quick ? 3 : 200, 2.0, [&] {
        const int shrink = (++round) % 2;
        control->SetBounds(0, 0, 1280 - shrink, 800 - shrink);
        control->RecalcScrollBars();
        RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      });
  // Where the time goes: the resize with its recalculation, the paint of the control and its
  // three windows, and the bar's parts drawn off screen by the painter.
  if (!quick) {
    timing::Run("  of which resize and RecalcScrollBars", 100, 2.0, [&] {
      const int shrink = (++round) % 2;
      control->SetBounds(0, 0, 1280 - shrink, 800 - shrink);
      control->RecalcScrollBars();
    });
    timing::Run("  of which the full paint", 100, 2.0, [&] {
      RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    auto* bar = new TProbeBar(form);
    bar->SetBounds(0, 0, 1263, 16);
    bar->LookAndFeel()->SetKind(lfOffice11);
    bar->SetPageSize(100);
    TBitmap off(1263, 16);
    TcxCanvas canvas(off.Canvas());
    timing::Run("  a horizontal bar's parts drawn off screen", 100, 2.0, [&] { bar->PaintOff(&canvas); });
  }
  form->Free();
  DoneApplication();
  return quick || within ? 0 : 1;
}
