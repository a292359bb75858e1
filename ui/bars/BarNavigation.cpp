#include "ui/bars/BarNavigation.h"

#include <cwctype>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/Controls.h"

namespace {

TdxBarNavigationController* g_controller = nullptr;

void DefaultBeep() { MessageBeep(0); }
TdxBarBeepProc g_beep = &DefaultBeep;

String Upper(const String& S) {
  String r = S;
  for (wchar_t& c : r) c = wchar_t(std::towupper(c));
  return r;
}

bool SameObject(IdxBarAccessibilityHelper* A, IdxBarAccessibilityHelper* B) {
  if (!A || !B) return A == B;
  return A == B || A->HelperObject() == B->HelperObject();
}

}  // namespace

TdxBarBeepProc SetBarBeepProc(TdxBarBeepProc Proc) {
  TdxBarBeepProc old = g_beep;
  g_beep = Proc ? Proc : &DefaultBeep;
  return old;
}

String KeyCharacter(Word Key) {
  BYTE state[256] = {};
  for (int k = 0; k < 256; ++k) state[k] = BarKeyDown(k) ? 0x80 : 0;
  // Ctrl and Alt would turn the character into a control code or nothing: the tip is the plain one.
  state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_RCONTROL] = 0;
  state[VK_MENU] = state[VK_LMENU] = state[VK_RMENU] = 0;
  WORD chars[2] = {};
  const int n = ToAscii(Key, MapVirtualKeyW(Key, 0), state, chars, 0);
  if (n != 1) return {};
  return Upper(String(1, wchar_t(chars[0] & 0xFF)));
}

// ---- TdxBarKeyTipData ---------------------------------------------------------------------------

void TdxBarKeyTipData::ShowKeyTipWindow(IdxBarKeyTipWindowsManager* Manager) {
  if (window_ || !Manager) return;
  Manager->Add(UpperKeyTip(), Info.BasePoint, Info.Enabled, Info.VertAlign, Info.HorzAlign, window_);
}

void TdxBarKeyTipData::HideKeyTipWindow(IdxBarKeyTipWindowsManager* Manager) {
  if (!window_) return;
  if (Manager) Manager->Delete(window_);
  window_ = nullptr;
}

String TdxBarKeyTipData::UpperKeyTip() const { return Upper(Info.KeyTip); }

// ---- TdxBarNavigationController -----------------------------------------------------------------

TdxBarNavigationController::TdxBarNavigationController() = default;

TdxBarNavigationController::~TdxBarNavigationController() {
  DropTimer();
  if (spentTimer_) FreeAndNil(spentTimer_);
}

TCustomdxBarControl* TdxBarNavigationController::NavigationBarControl() {
  TCustomdxBarControl* active = ActiveBarControl();
  if (!active || !active->HandleAllocated() || !ActiveBarWindowEnabled() || active->IsCustomizing()) return nullptr;
  return active;
}

IdxBarAccessibilityHelper* TdxBarNavigationController::CurrentSelected() {
  TCustomdxBarControl* window = NavigationBarControl();
  TdxBarItemControl* control = window ? window->SelectedItemControl() : nullptr;
  if (IdxBarAccessibilityHelper* helper = control ? ItemControlAccessibilityHelper(control) : nullptr) return helper;
  return selected_;
}

IdxBarAccessibilityHelper* TdxBarNavigationController::CurrentSelectedParent() {
  if (TCustomdxBarControl* window = NavigationBarControl()) return BarWindowAccessibilityHelper(window);
  return selectedParent_;
}

bool TdxBarNavigationController::IsNavigationBarControl(TCustomdxBarControl* Control) {
  return navigationMode_ && Control && Control == NavigationBarControl();
}

bool TdxBarNavigationController::IsNavigationKey(Word Key) {
  return ((Key >= VK_LEFT && Key <= VK_DOWN) || Key == VK_TAB) && !BarKeyDown(VK_CONTROL);
}

bool TdxBarNavigationController::WantsNavigationKey(Word Key) {
  IdxBarAccessibilityHelper* parent = CurrentSelectedParent();
  IdxBarAccessibilityHelper* selected = CurrentSelected();
  bool forMode = IsNavigationKey(Key);
  if (!forMode && (selected || parent)) {
    const bool noBarWindow = ActiveBarControl() == nullptr;
    if (Key == VK_MENU) {
      forMode = noBarWindow;
    } else if (Key == VK_F10) {
      TdxBarManager* manager = parent ? parent->BarManager() : nullptr;
      forMode = noBarWindow && manager && manager->UseF10ForMenu;
    } else {
      IdxBarAccessibilityHelper* asked = selected ? selected : parent;
      forMode = asked->WantsKey(Key);
    }
  }
  if (forMode && parent && parent->ChildrenNavigable(Key)) return true;
  if (IsKeyTipsWaiting() || KeyTipsShowing()) return KeyTipMatches(Key);
  return false;
}

void TdxBarNavigationController::HandleKey(Word Key, IdxBarAccessibilityHelper* Parent,
                                           IdxBarAccessibilityHelper* Selected) {
  TdxBarFlagScope handling(handlingKey_);
  if (IsKeyTipsWaiting()) {
    BarHookFlags().MenuKeyPressed = false;
    bool partial = false;
    TdxBarKeyTipData* exact = nullptr;
    TdxBarKeyTipList scratch;
    if (MatchKeyTip(Key, partial, exact, &scratch)) {
      if (partial) {
        KeyTipTyped(Key);
        EndKeyTipsWaiting(false);
      }
      return;
    }
  }
  if (KeyTipsShowing() && Key != VK_ESCAPE) {
    bool partial = false;
    TdxBarKeyTipData* exact = nullptr;
    if (MatchKeyTip(Key, partial, exact, nullptr)) {
      if (partial) KeyTipTyped(Key);
      return;
    }
    StopKeyTips();
  }
  if (!Parent) Parent = CurrentSelectedParent();
  if (!Selected) Selected = CurrentSelected();
  IdxBarAccessibilityHelper* target = Selected ? Selected : Parent;
  if (Key == VK_ESCAPE && KeyTipsShowing()) {
    container_->EscapeKeyTips();
    return;
  }
  if (!target) return;
  if (Key == VK_MENU || Key == VK_ESCAPE || Key == VK_F10) {
    if (Key == VK_ESCAPE && target->ProcessNavigationKey(Key)) return;
    target->ReleaseSelection(nullptr);
    return;
  }
  if (target->ProcessNavigationKey(Key)) return;
  IdxBarAccessibilityHelper* next = nullptr;
  if (!Selected) {
    IdxBarAccessibilityHelper* bar = Parent ? Parent->BarHelperObject() : nullptr;
    next = bar ? bar->FirstSelectableInTree() : nullptr;
  } else if (Key == VK_TAB) {
    next = Selected->SiblingInDirection(!BarKeyDown(VK_SHIFT));
  } else if (Key >= VK_LEFT && Key <= VK_DOWN) {
    static const int kDirections[4] = {bndLeft, bndUp, bndRight, bndDown};
    next = Selected->FindNextInDirection(kDirections[Key - VK_LEFT]);
  }
  ChangeSelectedObject(Key == VK_TAB ? 1 : 0, next, Selected);
}

void TdxBarNavigationController::ChangeSelectedObject(int Reason, IdxBarAccessibilityHelper* New,
                                                      IdxBarAccessibilityHelper* Old) {
  if (!Old) Old = CurrentSelected();
  if (!New || SameObject(New, Old)) return;
  if (Old) Old->ReleaseSelection(New);
  New->TakeSelection(Reason);
}

void TdxBarNavigationController::SelectDefaultObject(IdxBarAccessibilityHelper* Root) {
  IdxBarAccessibilityHelper* object = Root ? Root->DefaultSelectableObject() : nullptr;
  if (!object) return;
  navigationMode_ = true;
  object->TakeSelection(0);
}

void TdxBarNavigationController::ClearSelection() {
  if (selected_) selected_->ReleaseSelection(nullptr);
}

void TdxBarNavigationController::StopKeyboardHandling() {
  BarHookFlags().MenuKeyPressed = false;
  IdxBarAccessibilityHelper* current = CurrentSelected();
  if (current) {
    if (TdxBarManager* manager = current->BarManager()) manager->HideItemHint();
  }
  ClearSelection();
  if (IdxBarAccessibilityHelper* still = CurrentSelected()) still->ReleaseSelection(nullptr);
  // An object that forgot to report its release leaves nothing behind.
  selected_ = nullptr;
  selectedParent_ = nullptr;
  StopKeyTips();
}

void TdxBarNavigationController::SetSelected(IdxBarAccessibilityHelper* Object, IdxBarAccessibilityHelper* Parent) {
  selected_ = Object;
  selectedParent_ = Parent;
}

void TdxBarNavigationController::UnassignObject(IdxBarAccessibilityHelper* Object) {
  if (!Object) return;
  if (SameObject(selectedParent_, Object)) {
    selected_ = nullptr;
    selectedParent_ = nullptr;
  } else if (SameObject(selected_, Object)) {
    selected_ = nullptr;
  }
  if (SameObject(waitingRoot_, Object)) EndKeyTipsWaiting(false);
  if (SameObject(container_, Object)) StopKeyTips();
}

// ---- key tips ------------------------------------------------------------------------------------

void TdxBarNavigationController::StartKeyTipsWaiting(IdxBarAccessibilityHelper* Root) {
  if (!Root) throw EdxBarException(L"Key tips cannot wait without a root object.");
  if (waitingRoot_ && !SameObject(waitingRoot_, Root))
    throw EdxBarException(L"Key tips already wait for another root object.");
  if (KeyTipsShowing() || IsKeyTipsWaiting()) return;
  waitingRoot_ = Root;
  timer_ = new TcxTimer(nullptr);
  timer_->SetInterval(500);
  timer_->SetOnTimer(TNotifyEvent(this, &TdxBarNavigationController::TimerEvent));
}

void TdxBarNavigationController::TimerEvent(TObject*) { KeyTipsTimerFired(); }

void TdxBarNavigationController::KeyTipsTimerFired() {
  // The wait ends either way: with the menu key still held the tips show, else they do not. The
  // timer object outlives this call (released at the next wait or at the end).
  EndKeyTipsWaiting(BarHookFlags().MenuKeyPressed);
}

void TdxBarNavigationController::DropTimer() {
  if (!timer_) return;
  timer_->SetEnabled(false);
  timer_->SetOnTimer(TNotifyEvent());
  if (spentTimer_) FreeAndNil(spentTimer_);
  // The timer may be the one whose handler runs now: it is freed later, never here.
  spentTimer_ = timer_;
  timer_ = nullptr;
}

void TdxBarNavigationController::EndKeyTipsWaiting(bool Show) {
  BarHookFlags().MenuKeyPressed = false;
  if (!waitingRoot_) return;
  DropTimer();
  IdxBarAccessibilityHelper* root = waitingRoot_;
  waitingRoot_ = nullptr;
  if (Show) SetKeyTipsContainer(root, String());
}

void TdxBarNavigationController::SetKeyTipsContainer(IdxBarAccessibilityHelper* Container, const String& Typed) {
  const bool same = Container && container_ && SameObject(Container, container_);
  if (!same) {
    if (container_) {
      IdxBarKeyTipWindowsManager* windows = container_->KeyTipsSupported();
      for (auto& data : data_) data->HideKeyTipWindow(windows);
      if (windows) windows->Show();
    }
    data_.clear();
    container_ = Container;
    prefix_.clear();
    if (!Container) return;
    prefix_ = Upper(Typed);
    Container->CollectKeyTips(data_);
    ShowFiltered();
    return;
  }
  if (Upper(Typed) != prefix_) {
    prefix_ = Upper(Typed);
    ShowFiltered();
  }
}

void TdxBarNavigationController::ShowFiltered() {
  if (!container_) return;
  IdxBarKeyTipWindowsManager* windows = container_->KeyTipsSupported();
  for (auto& data : data_) {
    if (!data->Info.Visible) continue;
    if (!prefix_.empty() && data->UpperKeyTip().compare(0, prefix_.size(), prefix_) != 0)
      data->HideKeyTipWindow(windows);
    else
      data->ShowKeyTipWindow(windows);
  }
  if (windows) windows->Show();
}

void TdxBarNavigationController::StopKeyTips() {
  EndKeyTipsWaiting(false);
  SetKeyTipsContainer(nullptr, String());
}

bool TdxBarNavigationController::MatchKeyTip(Word Key, bool& Partial, TdxBarKeyTipData*& Exact,
                                             TdxBarKeyTipList* Scratch) {
  if (KeyTipsShowing() && Key == VK_ESCAPE) return true;
  if (!IsCharacterKey(Key)) return false;
  Partial = false;
  Exact = nullptr;
  TdxBarKeyTipList local;
  TdxBarKeyTipList* candidates = &data_;
  String text = prefix_;
  if (!KeyTipsShowing()) {
    if (!waitingRoot_) return false;
    TdxBarKeyTipList& list = Scratch ? *Scratch : local;
    list.clear();
    waitingRoot_->CollectKeyTips(list);
    candidates = &list;
    text.clear();
  }
  text += KeyCharacter(Key);
  for (auto& data : *candidates) {
    const String tip = data->UpperKeyTip();
    if (!text.empty() && tip.compare(0, text.size(), text) == 0) {
      Partial = true;
      if (tip == text) Exact = data.get();
      break;
    }
  }
  if (handlingKey_ && !Partial) g_beep();
  return true;
}

bool TdxBarNavigationController::KeyTipMatches(Word Key) {
  bool partial = false;
  TdxBarKeyTipData* exact = nullptr;
  const bool handling = handlingKey_;
  handlingKey_ = false;  // asking makes no sound
  const bool r = MatchKeyTip(Key, partial, exact, nullptr);
  handlingKey_ = handling;
  return r;
}

void TdxBarNavigationController::KeyTipTyped(Word Key) {
  bool partial = false;
  TdxBarKeyTipData* exact = nullptr;
  TdxBarKeyTipList scratch;
  MatchKeyTip(Key, partial, exact, &scratch);
  if (exact) {
    waitingRoot_ = nullptr;
    DropTimer();
    // The handler may change the key tips (a new level): take what it needs first.
    const bool run = exact->Info.Enabled && bool(exact->Info.OnExecute);
    std::function<void()> handler = exact->Info.OnExecute;
    if (run) handler();
    return;
  }
  if (!partial) return;
  const String typed = prefix_ + KeyCharacter(Key);
  if (container_) {
    SetKeyTipsContainer(container_, typed);
  } else if (IdxBarAccessibilityHelper* root = waitingRoot_) {
    DropTimer();
    waitingRoot_ = nullptr;
    SetKeyTipsContainer(root, typed);
  }
}

// ---- the instance --------------------------------------------------------------------------------

TdxBarNavigationController* BarNavigationController() { return g_controller; }

void CreateBarNavigationController() {
  if (!g_controller) g_controller = new TdxBarNavigationController;
}

void FreeBarNavigationController() {
  delete g_controller;
  g_controller = nullptr;
}
