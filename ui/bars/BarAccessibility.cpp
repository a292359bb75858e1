#include "ui/bars/BarAccessibility.h"

#include <map>
#include <memory>

#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemControls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"

namespace {

std::map<const void*, std::unique_ptr<IdxBarAccessibilityHelper>> g_helpers;

template <class T, class... A>
IdxBarAccessibilityHelper* HelperFor(const void* Key, A... Args) {
  auto& slot = g_helpers[Key];
  auto* typed = dynamic_cast<T*>(slot.get());
  if (!typed) {
    // A new object at the address of a freed one gets a new face.
    if (TdxBarNavigationController* nav = BarNavigationController()) {
      if (slot) nav->UnassignObject(slot.get());
    }
    slot = std::make_unique<T>(Args...);
  }
  return slot.get();
}

// The keyboard-selectable item controls of a window, in link order.
std::vector<TdxBarItemControl*> SelectableControls(TCustomdxBarControl* Window) {
  std::vector<TdxBarItemControl*> result;
  TdxBarItemLinks* links = Window ? Window->ItemLinks() : nullptr;
  for (int i = 0; links && i < links->ShownLinkCount(); ++i) {
    TdxBarItemControl* control = links->ShownLinkAt(i)->ItemControl();
    if (control && control->CanSelectForKeyboard()) result.push_back(control);
  }
  return result;
}

}  // namespace

// ---- the bar window's face --------------------------------------------------------------------

TCustomdxBarControl* TdxBarWindowAccessibilityHelper::Window() const {
  return IsLiveBarControl(window_) ? window_ : nullptr;
}

TObject* TdxBarWindowAccessibilityHelper::HelperObject() { return window_; }

TdxBarManager* TdxBarWindowAccessibilityHelper::BarManager() {
  TCustomdxBarControl* w = Window();
  return w ? w->OwningBarManager() : nullptr;
}

IdxBarAccessibilityHelper* TdxBarWindowAccessibilityHelper::DefaultSelectableObject() {
  const std::vector<TdxBarItemControl*> controls = SelectableControls(Window());
  return controls.empty() ? nullptr : ItemControlAccessibilityHelper(controls.front());
}

void TdxBarWindowAccessibilityHelper::ReleaseSelection(IdxBarAccessibilityHelper*) {
  if (TCustomdxBarControl* w = Window()) w->DeselectAndDeactivate();
  if (TdxBarNavigationController* nav = BarNavigationController()) nav->SetSelected(nullptr, nullptr);
}

void TdxBarWindowAccessibilityHelper::EscapeKeyTips() {
  if (TdxBarNavigationController* nav = BarNavigationController()) nav->StopKeyTips();
}

// ---- the item control's face ------------------------------------------------------------------

TdxBarItemControl* TdxBarItemControlAccessibilityHelper::Control() const {
  if (!IsLiveBarControl(window_) || !window_->HasLinkControl(control_)) return nullptr;
  return control_;
}

TObject* TdxBarItemControlAccessibilityHelper::HelperObject() { return control_; }

IdxBarAccessibilityHelper* TdxBarItemControlAccessibilityHelper::BarHelperObject() {
  return IsLiveBarControl(window_) ? BarWindowAccessibilityHelper(window_) : nullptr;
}

TdxBarManager* TdxBarItemControlAccessibilityHelper::BarManager() {
  return IsLiveBarControl(window_) ? window_->OwningBarManager() : nullptr;
}

IdxBarAccessibilityHelper* TdxBarItemControlAccessibilityHelper::SiblingInDirection(bool Forward) {
  if (!Control()) return nullptr;
  const std::vector<TdxBarItemControl*> controls = SelectableControls(window_);
  const int n = int(controls.size());
  for (int i = 0; i < n; ++i) {
    if (controls[size_t(i)] != control_) continue;
    return ItemControlAccessibilityHelper(controls[size_t((i + (Forward ? 1 : n - 1)) % n)]);
  }
  return nullptr;
}

void TdxBarItemControlAccessibilityHelper::TakeSelection(int) {
  TdxBarItemControl* control = Control();
  if (!control) return;
  if (TdxBarNavigationController* nav = BarNavigationController())
    nav->SetSelected(this, BarWindowAccessibilityHelper(window_));
  window_->SelectAndActivate(control);
}

void TdxBarItemControlAccessibilityHelper::ReleaseSelection(IdxBarAccessibilityHelper* Successor) {
  TdxBarNavigationController* nav = BarNavigationController();
  if (nav && nav->StoredSelected() == this) nav->SetSelected(nullptr, nullptr);
  if (!Control()) return;
  // Moving within the same window keeps it active; anything else leaves it.
  auto* next = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(Successor);
  if (next && next->window_ == window_) return;
  window_->DeselectAndDeactivate();
}

void TdxBarItemControlAccessibilityHelper::EscapeKeyTips() {
  if (TdxBarNavigationController* nav = BarNavigationController()) nav->StopKeyTips();
}

// ---- lookups ---------------------------------------------------------------------------------

IdxBarAccessibilityHelper* BarWindowAccessibilityHelper(TCustomdxBarControl* Window) {
  if (!IsLiveBarControl(Window)) return nullptr;
  return HelperFor<TdxBarWindowAccessibilityHelper>(Window, Window);
}

IdxBarAccessibilityHelper* ItemControlAccessibilityHelper(TdxBarItemControl* Control) {
  TCustomdxBarControl* window = Control ? Control->BarControl() : nullptr;
  if (!IsLiveBarControl(window)) return nullptr;
  auto* helper = static_cast<TdxBarItemControlAccessibilityHelper*>(
      HelperFor<TdxBarItemControlAccessibilityHelper>(Control, window, Control));
  if (helper->Control() != Control) {
    g_helpers.erase(Control);
    return HelperFor<TdxBarItemControlAccessibilityHelper>(Control, window, Control);
  }
  return helper;
}

IdxBarAccessibilityHelper* RootAccessibilityHelperOf(TdxBarManager* Manager) {
  TdxBar* main = Manager ? Manager->MainMenuBar() : nullptr;
  TdxBarControl* window = main && main->Visible() ? main->Control() : nullptr;
  if (!window || !window->HandleAllocated() || !IsWindowVisible(window->Handle())) return nullptr;
  return BarWindowAccessibilityHelper(window);
}

void FreeBarAccessibilityHelpers() { g_helpers.clear(); }
