// A 1280 x 26 toolbar band in the Office11 look drawn into a 32-bit bitmap: the two-phase gradient
// of the band, a column of grip dots, 40 buttons through the Office11 painter in mixed states and
// the dotted size grip, against a 2 ms limit with the bound GradientFill. It also prints the same
// band's plain gradient drawn by GradientFill and by the software strips, for comparison.

#include <cstdio>

#include "TimingLoop.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Office11Painter.h"

int main(int argc, char** argv) {
  AcquireOffice11Colors();
  TcxBitmap band(1280, 26);
  TcxCanvas* canvas = band.cxCanvas();
  HDC dc = band.Canvas()->Handle();
  const TRect all{0, 0, 1280, 26};
  const TcxOffice11PainterMetaClass& painter = TcxOffice11LookAndFeelPainter::ClassInfo();
  const TcxPaintButtonState states[] = {pbsNormal, pbsHot, pbsPressed, pbsNormal, pbsDisabled};
  const bool quick = timing::Quick(argc, argv);
  const int rounds = quick ? 3 : 200;
  const bool within = timing::Run("Office11 band: gradient, grip, 40 buttons, size grip (1280 x 26)", rounds, 2.0, [&] {
    PaintTwoPhaseGradient(dc, all, Office11Color(Office11BarLight0), Office11Color(Office11BarDark0), false);
    DrawOffice11GripDots(dc, {3, 3, 7, 23}, true);
    for (int i = 0; i < 40; ++i) {
      const TRect button{10 + i * 31, 2, 10 + i * 31 + 29, 24};
      painter.PaintButton(canvas, button, false, clDefault, clDefault, true, states[i % 5], L"");
    }
    painter.PaintSizeGrip(canvas, {1260, 6, 1280, 26}, Office11Color(Office11FaceColor));
  });
  timing::Run("PaintGradientRect through GradientFill (1280 x 26)", rounds, 2.0, [&] {
    PaintGradientRect(dc, all, Office11Color(Office11BarLight0), Office11Color(Office11BarDark0), true);
  });
  Bound().GradientFill.Set(nullptr);
  timing::Run("PaintGradientRect in software, 256 strips (1280 x 26)", rounds, 2.0, [&] {
    PaintGradientRect(dc, all, Office11Color(Office11BarLight0), Office11Color(Office11BarDark0), true);
  });
  Bound().GradientFill.Reset();
  UnacquireOffice11Colors();
  return quick || within ? 0 : 1;
}
