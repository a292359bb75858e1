#include "ui/bars/PopupMenus.h"

#include <vector>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"

DEFINE_CLASS(TdxBarCustomPopupMenu)
DEFINE_CLASS(TdxBarPopupMenu)

namespace {

TdxBarManager* FirstBarManager() {
  TdxBarManagerList* list = BarManagerList();
  return list && list->Count() > 0 ? list->ManagerAt(0) : nullptr;
}

}  // namespace

bool AnyBarPopupMenuOpen() {
  TdxBarManagerList* list = BarManagerList();
  if (!list) return false;
  for (int i = 0; i < list->Count(); ++i) {
    TdxBarManager* manager = list->ManagerAt(i);
    if (manager->ComponentState().Contains(csDestroying)) continue;
    for (int j = 0; j < manager->PopupMenuCount(); ++j) {
      if (manager->PopupMenuAt(j)->IsOpen()) return true;
    }
  }
  return false;
}

TdxBarCustomPopupMenu::TdxBarCustomPopupMenu(TComponent* AOwner) : TdxBarComponent(AOwner) {
  TdxBarManager* manager = FindBarManagerOwnedBy(AOwner);
  if (!manager) manager = FirstBarManager();
  if (!manager) throw EdxBarException(dxBarString(dxbsNoManagers));
  backgroundBitmap_.reset(new TBitmap);
  editFont_.reset(new TFont);
  font_.reset(new TFont);
  barManager_ = manager;
  manager->AddPopupMenu(this);
  applyingFont_ = true;
  font_->Assign(manager->Font());
  applyingFont_ = false;
  font_->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
  itemLinks_ = CreateItemLinks();
  itemLinks_->UseRecentItems = false;
}

TdxBarCustomPopupMenu::~TdxBarCustomPopupMenu() {
  if (alive_) *alive_ = false;
  if (itemLinks_) itemLinks_->Free();
  itemLinks_ = nullptr;
  if (barManager_) barManager_->RemovePopupMenu(this);
}

void TdxBarCustomPopupMenu::BeforeDestruction() {
  // An open menu closes before the links it shows go.
  if (TdxBarSubMenuControl* menu = MenuWindow()) {
    menu->CloseUpHandler = nullptr;
    menu->PopupHandler = nullptr;
  }
  isOpen_ = false;
  if (font_) font_->OnChange = nullptr;
  TdxBarComponent::BeforeDestruction();
}

void TdxBarCustomPopupMenu::Loaded() {
  TdxBarComponent::Loaded();
  if (itemLinks_) itemLinks_->Loaded();
}

TdxBarItemLinks* TdxBarCustomPopupMenu::CreateItemLinks() { return new TdxBarSubMenuControlItemLinks(barManager_, this); }

TdxBarSubMenuControl* TdxBarCustomPopupMenu::CreateMenuWindow() { return new TdxBarSubMenuControl(barManager_); }

void TdxBarCustomPopupMenu::SetBarManager(TdxBarManager* Value) {
  if (!Value || Value == barManager_) return;
  if (barManager_) barManager_->RemovePopupMenu(this);
  barManager_ = Value;
  itemLinks_->SetBarManager(Value);
  Value->AddPopupMenu(this);
}

void TdxBarCustomPopupMenu::ForgetBarManager() {
  if (TdxBarSubMenuControl* menu = MenuWindow()) {
    menu->CloseUpHandler = nullptr;
    menu->PopupHandler = nullptr;
    itemLinks_->FreeBarControl();
  }
  isOpen_ = false;
  if (barManager_) barManager_->RemovePopupMenu(this);
  barManager_ = nullptr;
  itemLinks_->SetBarManager(nullptr);
}

void TdxBarCustomPopupMenu::SetUseOwnFont(bool Value) {
  if (useOwnFont_ == Value) return;
  useOwnFont_ = Value;
  applyingFont_ = true;
  try {
    if (Value)
      CopyFontWithSystemHeight(font_.get(), editFont_.get(), false);
    else if (barManager_)
      font_->Assign(barManager_->Font());
  } catch (...) {
    applyingFont_ = false;
    throw;
  }
  applyingFont_ = false;
}

void TdxBarCustomPopupMenu::FontChanged(TObject*) {
  if (applyingFont_) return;
  useOwnFont_ = true;
  CopyFontWithSystemHeight(font_.get(), editFont_.get(), false);
}

TdxBarSubMenuControl* TdxBarCustomPopupMenu::MenuWindow() const {
  return itemLinks_ ? dynamic_cast<TdxBarSubMenuControl*>(itemLinks_->BarControl()) : nullptr;
}

void TdxBarCustomPopupMenu::PaintBar(TCanvas* Canvas, const TRect& R) {
  if (OnPaintBar) OnPaintBar(this, Canvas, R);
}

bool TdxBarCustomPopupMenu::CanAddItem(TdxBarItem* Item, String& ErrorText) { return CanAddMenuItem(this, Item, ErrorText); }

bool TdxBarCustomPopupMenu::ShortCutPressed(Word Key, LPARAM KeyData) {
  TShortCut shortCut = Key;
  if (Bound().GetKeyState(VK_SHIFT) < 0) shortCut |= 0x2000;
  if (Bound().GetKeyState(VK_CONTROL) < 0) shortCut |= 0x4000;
  if (KeyData & (LPARAM(1) << 29)) shortCut |= 0x8000;
  if (shortCut == 0 || !itemLinks_) return false;
  return itemLinks_->HandleShortCut(shortCut);
}

void TdxBarCustomPopupMenu::MenuPopup(TObject*) {
  isOpen_ = true;
  if (OnPopup) OnPopup(this);
}

void TdxBarCustomPopupMenu::MenuCloseUp(TObject* Sender) {
  isOpen_ = false;
  // The button that dropped the menu down is drawn up again.
  if (auto* menu = dynamic_cast<TdxBarSubMenuControl*>(Sender)) {
    TCustomdxBarControl* parent = menu->ParentBar();
    if (auto* button = dynamic_cast<TdxBarButtonControl*>(menu->DropDownOpener);
        button && parent && IsLiveBarControl(parent) && parent->HasLinkControl(button)) {
      button->DroppedDown = false;
      parent->InvalidateControl(button);
    }
  }
  if (OnCloseUp) OnCloseUp(this);
}

void TdxBarCustomPopupMenu::PopupAtCursor() {
  const TPoint p = SafeCursorPos();
  PopupAt(p.x, p.y);
}

void TdxBarCustomPopupMenu::PopupFromControl(int X, int Y, TControl* Control, bool RunOwnLoop, const TRect* Bounds,
                                             bool AAnimate, int AAnchorHeight, int AAnchorWidth) {
  AnchorWidth = AAnchorWidth;
  AnchorHeight = AAnchorHeight;
  Animate = AAnimate;
  AnchorBounds = Bounds;
  AnchorControl = Control;
  RunsOwnLoop = RunOwnLoop;
  auto restore = [this] {
    RunsOwnLoop = true;
    AnchorControl = nullptr;
    AnchorWidth = 0;
    AnchorHeight = 0;
    Animate = true;
    AnchorBounds = nullptr;
  };
  try {
    PopupAt(X, Y);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TdxBarCustomPopupMenu::PopupAt(int X, int Y) {
  if (MenuWindow() || !barManager_) return;
  CancelActiveFormModes();
  if (!barManager_->InDesignOrCustomizing()) {
    if (HWND capture = GetCapture()) {
      SendMessageW(capture, CM_CANCELMODE, 0, 0);
      ReleaseCapture();
    }
  }
  auto* menu = static_cast<TdxBarSubMenuControl*>(itemLinks_->CreateBarControl());
  if (!menu) return;
  menu->SetBounds(X, Y, menu->Width(), menu->Height());
  if (OpenerItemControl && OpenerItemControl->BarControl()) {
    TCustomdxBarControl* parent = OpenerItemControl->BarControl();
    menu->SetParentBar(parent);
    parent->SetChildBar(menu);
    menu->DropDownOpener = OpenerItemControl;
  }
  if (AnchorBounds) menu->SetOwnerBounds(*AnchorBounds);
  menu->AnchorWidth = AnchorWidth;
  menu->AnchorHeight = AnchorHeight;
  if (auto* owner = dynamic_cast<TWinControl*>(Owner()); owner && owner->HandleAllocated())
    menu->ParentWindowHandle = owner->Handle();
  menu->CloseUpHandler = [this](TObject* Sender) { MenuCloseUp(Sender); };
  menu->PopupHandler = [this](TObject* Sender) { MenuPopup(Sender); };
  menu->Animate = Animate;
  try {
    menu->ShowSubMenuWindow();
  } catch (...) {
    if (IsLiveBarControl(menu)) menu->GuardedClose();
    throw;
  }
  if (RunsOwnLoop && isOpen_) RunLoop();
}

void TdxBarCustomPopupMenu::RunLoop() {
  bool alive = true;
  bool* previousAlive = alive_;
  alive_ = &alive;
  // Commands that arrive while the menu is open wait for it to close, and keep their order.
  std::vector<MSG> commands;
  TdxBarSubMenuControl* menu = MenuWindow();
  TModalLoop loop{L"popup menu", menu && menu->HandleAllocated() ? menu->Handle() : nullptr, [this] {
                    if (TdxBarSubMenuControl* open = MenuWindow(); open && IsLiveBarControl(open)) {
                      open->ClosedByEscape = true;
                      open->GuardedClose();
                    }
                  }};
  ModalLoopStarted(loop);
  const DWORD started = GetTickCount();
  while (alive && isOpen_) {
    if (ModalLoopOverran(loop, started)) {
      loop.End();
      break;
    }
    MSG msg;
    // Looked at first: a message that arrives after the menu closed stays where it is, for the
    // caller's loop, as it came.
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      continue;
    }
    if (!alive || !isOpen_ || msg.message == WM_QUIT) break;
    HWND target = msg.hwnd ? msg.hwnd : reinterpret_cast<HWND>(-1);
    if (!PeekMessageW(&msg, target, msg.message, msg.message, PM_REMOVE)) continue;
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_COMMAND && isOpen_) {
      commands.push_back(msg);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (alive) alive_ = previousAlive;
  for (const MSG& command : commands) PostMessageW(command.hwnd, command.message, command.wParam, command.lParam);
}
