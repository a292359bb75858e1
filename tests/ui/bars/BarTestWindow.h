#pragma once
// A concrete bar window for the tests: it answers the abstract operations of the common window, lays
// its links out in a row (toolbar kind) or a column (menu kind), and paints the painter's controls on
// a flat background with its separators as flat strips. The real toolbar and menu windows come later.

#include <vector>

#include "tests/ui/bars/BarTestPainter.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarControl.h"

namespace bar_testing {

constexpr DWORD kTestSeparatorStrip = 0x00303030;

class TTestBarViewInfo : public TCustomdxBarControlViewInfo {
  DECLARE_CLASS(TTestBarViewInfo, TCustomdxBarControlViewInfo)
 public:
  using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
  // Every shown link with a control and a rectangle, and a separator in the gap before each link
  // that begins a group.
  void ComputeLayout() override;
};

class TTestBarControl : public TCustomdxBarControl {
  DECLARE_CLASS(TTestBarControl, TCustomdxBarControl)
 public:
  // Kind 0 a toolbar, 2 a menu.
  TTestBarControl(TdxBarManager* AOwner, int AKind = 0);

  // Creates the window at the screen rectangle, lays it out and shows it without activation.
  void ShowAt(int X, int Y, int W, int H);
  // Lays the links out again (after a change of the links or the metrics).
  void Relayout();

  int Kind;
  bool Vertical = false;
  int Separator = 6;
  int Flags = -1;
  bool PassHints = false;
  bool Transient = false;
  bool PopupBar = false;
  bool PartialLast = false;
  // Made as a child window of this window when set.
  HWND ChildOf = nullptr;
  // The controls the design popup was asked for.
  std::vector<TdxBarItemControl*> DesignPopups;
  int MarkStateSet = -1;
  // The fader the window's controls stop their fades through.
  TdxFader* TestFader = nullptr;
  TdxFader* Fader() override { return TestFader; }

  int BarKind() override { return Kind; }
  bool IsVertical() override { return Vertical; }
  int SeparatorSize() override { return Separator; }
  int FeatureFlags() override { return Flags >= 0 ? Flags : TCustomdxBarControl::FeatureFlags(); }
  bool PassesHintsToApplication() override { return PassHints; }
  bool IsTransient() override { return Transient; }
  bool IsPopupBar() override { return PopupBar; }
  bool ShowsPartialLast() override { return PartialLast; }
  // As a toolbar answers: a popup bar's window is in a popup chain.
  bool InPopupChain() override { return PopupBar; }
  TBitmap* BackgroundBitmap() override { return nullptr; }
  bool IsMainMenu() override { return false; }
  // A menu's items paint as menu items.
  int ItemPaintKind() override { return Kind == 2 ? 1 : TCustomdxBarControl::ItemPaintKind(); }
  bool IsStatusBar() override { return false; }
  void SetMarkState(int State) override { MarkStateSet = State; }
  TCustomdxBarControlViewInfo* CreateViewInfo() override { return new TTestBarViewInfo(this); }
  void InvalidateControl(TdxBarItemControl* Control) override;
  void ApplyFont() override;
  void PaintNonClient(HDC, const TRect&, HBRUSH, TColor, bool) override {}
  void HideWindowStep() override { Hide(); }
  void ShowDesignPopup(TdxBarItemControl* Control) override { DesignPopups.push_back(Control); }
  void RebuildControls(bool Rebuild) override;
  void ArrangeLinks() override;
  // A toolbar's click: the window becomes active with the control (or selects it when active) and
  // is downed, then the common click.
  void ClickItemStep(TdxBarItemControl* Control) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  // A toolbar's Enter clicks the selected control.
  void WMKeyDownTest(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDownTest)
  MESSAGE_MAP_END
};

// A window fixture: the test painter is the painter of every style while it runs.
class BarWindowFixture : public BarFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A toolbar-kind (or menu-kind) window over a new owner's links.
  TTestBarControl* NewWindow(int Kind = 0, TdxBarItemPlaceKind PlaceKind = pkToolbar);
  // The cursor to the window's client point, then the message there.
  static void MoveTo(TCustomdxBarControl* Window, int X, int Y);
  static void Press(TCustomdxBarControl* Window, int X, int Y, UINT Msg = WM_LBUTTONDOWN);
  static void Release(TCustomdxBarControl* Window, int X, int Y, UINT Msg = WM_LBUTTONUP);
  static void KeyDown(TCustomdxBarControl* Window, Word Key);
  // The centre of a control in its window.
  static TPoint CentreOf(TdxBarItemControl* Control);

  std::vector<TTestLinksOwner*> owners;
  std::vector<TTestBarControl*> windows;
};

// Holds the left mouse button down as the framework's key-state query reads it.
class HeldLeftButton {
 public:
  HeldLeftButton();
  ~HeldLeftButton();

 private:
  SHORT(WINAPI* saved_)(int);
};

}  // namespace bar_testing
