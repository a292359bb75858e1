#include "ui/bars/MenuTearOff.h"

#include "ui/bars/BarControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/Bars.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/SubMenuControl.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Controls.h"

namespace {

// Everything the drag needs, taken before the menu can go: the menu is freed when it is torn off.
struct TearOffDrag {
  TdxBarSubItemControl* Opener = nullptr;
  TcxObjectLink* OpenerLink = nullptr;
  TdxBar* Bar = nullptr;
  HWND Capture = nullptr;
  TRect Zone{};
  int CaptionHeight = 0;
  bool TornOff = false;
  bool Dropped = false;

  bool OpenerAlive() const { return OpenerLink && OpenerLink->Ref != nullptr; }

  void CloseMenu() {
    if (OpenerAlive()) Opener->CloseUp(true);
  }
  void OpenMenuAgain() {
    if (OpenerAlive() && !Opener->IsDroppedDown()) Opener->DropDownMenu(true);
  }

  // The toolbar leaves its site (when docked) and floats under the pointer.
  void FloatBar(const TPoint& P) {
    if (Bar->DockingStyle() != dsNone) {
      Bar->SetVisible(false);
      Bar->SetDockingStyle(dsNone);
    }
    if (!Bar->Visible()) {
      Bar->SetFloatLeft(P.x - 100);
      Bar->SetFloatTop(P.y - CaptionHeight / 2);
      Bar->SetVisible(true);
    }
  }
  void MoveBar(const TPoint& P) {
    TdxBarControl* window = Bar->Control();
    if (!window || !window->HandleAllocated()) return;
    SetWindowPos(window->Handle(), nullptr, P.x - window->Width() / 2, P.y - CaptionHeight / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // One pointer position; false ends the drag.
  bool Track(const TPoint& P) {
    if (!TornOff) {
      if (Zone.Contains(P)) return true;
      CloseMenu();
      FloatBar(P);
      TornOff = true;
      return true;
    }
    if (Zone.Contains(P)) {
      Bar->SetVisible(false);
      OpenMenuAgain();
      return false;
    }
    MoveBar(P);
    return true;
  }

  void Run() {
    TPoint last = SafeCursorPos();
    MSG msg;
    while (GetCapture() == Capture) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == -1) break;
      if (!got) {
        PostQuitMessage(int(msg.wParam));
        break;
      }
      if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
          OpenMenuAgain();
          break;
        }
        continue;
      }
      if (msg.message == WM_MOUSEMOVE) {
        POINT p{short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))};
        ClientToScreen(msg.hwnd ? msg.hwnd : Capture, &p);
        if (p.x == last.x && p.y == last.y) continue;
        last = TPoint{p.x, p.y};
        if (!Track(last)) break;
        continue;
      }
      if (msg.message == WM_LBUTTONUP) {
        Dropped = true;
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  void Finish() {
    if (GetCapture() == Capture) ReleaseCapture();
    if (TornOff && Dropped)
      CloseActiveBarMenus();
    else if (TornOff)
      Bar->SetVisible(false);
  }
};

// The toolbar a torn-off menu becomes, unless it is one of the windows the menu opened from.
TdxBar* DetachingToolbar(TdxBarSubMenuControl* Menu, TCustomdxBarSubItem* SubItem) {
  const int index = SubItem->DetachingBar();
  TdxBarManager* manager = SubItem->BarManager();
  if (index < 0 || !manager || !manager->Bars()) return nullptr;
  TdxBar* bar = manager->Bars()->BarAt(index);
  for (TCustomdxBarControl* w = Menu->ParentBar(); w; w = w->ParentBar()) {
    if (w == bar->Control()) return nullptr;
  }
  return bar;
}

}  // namespace

void TearOffMenu(TdxBarSubMenuControl* Menu) {
  auto* opener = dynamic_cast<TdxBarSubItemControl*>(Menu->SubItemControl);
  TCustomdxBarSubItem* sub = opener ? opener->SubItem() : nullptr;
  if (!sub) return;
  TcxObjectLink* menuLink = AcquireObjectLink(Menu);
  try {
    sub->Detaching();
  } catch (...) {
    ReleaseObjectLink(menuLink);
    throw;
  }
  const bool menuAlive = menuLink->Ref != nullptr;
  ReleaseObjectLink(menuLink);
  if (!menuAlive || !IsLiveBarControl(Menu) || !Menu->HandleAllocated()) return;
  TCustomdxBarControl* parent = Menu->ParentBar();
  TdxBar* bar = DetachingToolbar(Menu, sub);
  if (!bar || !parent || !parent->HandleAllocated()) return;

  TearOffDrag drag;
  drag.Opener = opener;
  drag.Bar = bar;
  drag.Capture = parent->Handle();
  drag.CaptionHeight = Menu->Painter()->CaptionHeight();
  const TRect window = Menu->ScreenWindowRect();
  drag.Zone = Menu->DetachStripRect();
  OffsetRect(&drag.Zone, window.left, window.top);
  InflateRect(&drag.Zone, kTearOffZone, kTearOffZone);
  // From here on the menu may be freed: only the drag's own values are used.
  drag.OpenerLink = AcquireObjectLink(opener);
  SetCapture(drag.Capture);
  try {
    drag.Run();
  } catch (...) {
    if (GetCapture() == drag.Capture) ReleaseCapture();
    ReleaseObjectLink(drag.OpenerLink);
    throw;
  }
  drag.Finish();
  ReleaseObjectLink(drag.OpenerLink);
}
