// The skinned painter's speed: a 1280-pixel top dock site with a toolbar of 30 large buttons
// (two-line captions, every third one a drop-down) and a toolbar of 20 small buttons in button
// groups, fitted, laid out and painted into a DIB with the skinned painter over a skin that fills
// every part with a colour. Limit: 8 ms a round.

#include <cstdio>

#include "BarBenchForm.h"
#include "TimingLoop.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"
#include "ui/bars/items/BarLargeButton.h"
#include "ui/bars/painters/SkinnedPainter.h"

namespace {

// Fills each part with a solid colour of its own (brushes made once).
class FillingSkin : public TObject, public IdxSkin {
 public:
  ~FillingSkin() override {
    for (HBRUSH b : brushes_)
      if (b) DeleteObject(b);
  }
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  void DrawBackground(HDC DC, const TRect& R, int Part, int State) override {
    HBRUSH& brush = brushes_[(Part * 9 + State) % 4608];
    if (!brush) brush = CreateSolidBrush(RGB(Part * 37 & 0xFF, State * 25, 0xC0));
    RECT r = R;
    FillRect(DC, &r, brush);
  }
  void DrawCaption(HDC, const String&, const TRect&, int, int) override {}
  TRect CaptionBoundsOf(const TRect& R, int) override { return R; }
  TRect ContentMarginsOf(int Part) override { return Part == 3 ? TRect{3, 3, 3, 3} : TRect{2, 2, 2, 2}; }
  String GetSkinName() override { return String(); }
  TColor PartColorOf(int Part, int State) override { return TColor(RGB(Part & 0xFF, State * 25, 0x20)); }
  int GetPartOffset(int) override { return 0; }

 private:
  HBRUSH brushes_[4608] = {};
};

FillingSkin* benchSkin = nullptr;

// The table's painter class for the benchmark: the skinned painter over the filling skin.
class TBenchSkinnedPainter : public TdxBarSkinnedPainter {
  DECLARE_CLASS(TBenchSkinnedPainter, TdxBarSkinnedPainter)
 public:
  explicit TBenchSkinnedPainter(TcxCustomLookAndFeelPainterClass S) : TdxBarSkinnedPainter(S, benchSkin) {}
};
DEFINE_CLASS(TBenchSkinnedPainter)

}  // namespace

int main(int argc, char** argv) {
  InitializeUnits();
  const bool quick = timing::Quick(argc, argv);
  FillingSkin skin;
  benchSkin = &skin;
  const TdxBarPainterClass office11 = BarPainterClassFor(brsOffice11);
  SetBarPainterClass(brsOffice11, &TBenchSkinnedPainter::ClassInfo());

  auto [form, manager] = ShowBarBenchForm(bmsOffice11);

  TBitmap largeGlyph(32, 32);
  std::vector<TdxBarControl*> windows;
  for (int b = 0; b < 2; ++b) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(L"Group " + std::to_wstring(b));
    const int count = b == 0 ? 30 : 20;
    for (int i = 0; i < count; ++i) {
      TdxBarButton* item = b == 0 ? new TdxBarLargeButton(form) : new TdxBarButton(form);
      item->SetName(L"Button" + std::to_wstring(b) + L"_" + std::to_wstring(i));
      item->SetCaption(b == 0 ? L"Paste Special" : L"B");
      if (b == 0) {
        item->SetLargeGlyph(&largeGlyph);
        if (i % 3 == 0) item->SetButtonStyle(bsDropDown);
      }
      TdxBarItemLink* link = bar->ItemLinks()->AddItemLink(item);
      if (b == 1) link->SetButtonGroup(i % 4 == 0 ? bgpStart : bgpMember);
    }
    bar->SetDockingStyle(dsTop);
    bar->SetDockedLeft(b * 640);
    bar->SetVisible(true);
    windows.push_back(bar->Control());
  }
  timing::ProcessMessages();
  TdxDockControl* site = manager->Bars()->DefaultSite(dsTop);
  std::printf("painter %ls, site %d x %d, windows %d, %d wide\n",
              manager->Painter() ? manager->Painter()->ClassName().c_str() : L"none", site->ClientWidth(),
              site->Height(), windows[0]->Width(), windows[1]->Width());

  window_testing::DibSection dib(1280, 96);
  const bool ok = timing::Run("Skinned: fit, lay out and paint a 1280-pixel top site (30 + 20 items)",
                              quick ? 5 : 200, 8.0, [&] {
                                site->UpdateDockLayout();
                                site->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.DC()), 0);
                                for (TdxBarControl* window : windows) {
                                  window->PaintNonClientArea(dib.DC());
                                  window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib.DC()), 0);
                                }
                              });
  form->Free();
  SetBarPainterClass(brsOffice11, office11);
  FinalizeUnits();
  return ok || quick ? 0 : 1;
}
