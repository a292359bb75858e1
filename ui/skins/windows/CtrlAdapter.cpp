#include "ui/skins/windows/CtrlAdapter.h"

#include "platform/framework/controls/StdCtrls.h"
#include "ui/skins/controls/SkinLabel.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/windows/SkinProvider.h"
#include "ui/skins/windows/SubclassTable.h"

DEFINE_CLASS(TacAdapterItem)
DEFINE_CLASS(TacCtrlAdapter)

namespace {

// Unit-wide: a scan reached again from inside a scan does nothing.
bool scanning = false;

bool AlreadySkinned(TControl* control) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  return windowed && windowed->HandleAllocated() && QuerySkinCommand(control, scIsSkinned);
}

// The section the item's own state takes for the list, or empty to leave it.
String ItemSectionOf(int list) {
  switch (list) {
    case 1:
    case 2: return L"BUTTON";
    case 3: return L"CHECKBOX";
    case 6: return L"GROUPBOX";
    case 8: return L"PANEL";
    default: return String();
  }
}

}  // namespace

int ThirdPartyListOf(TsSkinManager* manager, const String& className) {
  if (!manager) return -1;
  for (int list = 0; list < ThirdPartyList::kCount; ++list) {
    TStringList* lines = manager->ThirdLists(list);
    if (!lines) continue;
    for (int i = 0; i < lines->Count(); ++i)
      if (lines->Strings(i) == className) return list;
  }
  return -1;
}

// ---- TacAdapterItem ---------------------------------------------------------------------------------

TacAdapterItem::TacAdapterItem(TacCtrlAdapter* adapter) : adapter_(adapter) {
  skinData_.reset(new TsCommonData(this, true));
  skinData_->ClassCode = kClassCodeAdapterItem;
}

TacAdapterItem::~TacAdapterItem() = default;

void TacAdapterItem::DropSubclass() { subclass_.reset(); }

void TacAdapterItem::HookControl(TWinControl* control) {
  if (!control || !control->HandleAllocated()) return;
  if (control->Parent() && QuerySkinCommand(control, scIsSkinned)) return;
  Control = control;
  skinData_->SetOwnerControl(control);
  if (!control->Parent()) return;
  TsSkinManager* manager = skinData_->SkinManager();
  const int list = ThirdPartyListOf(manager, control->ClassName());
  if (list < 0) return;
  const String section = ItemSectionOf(list);
  if (!section.empty()) skinData_->SetSkinSection(section);
  subclass_.reset(MakeAdapterSubclass(list, control, skinData_.get(), manager));
}

// ---- TacCtrlAdapter ---------------------------------------------------------------------------------

TacCtrlAdapter::TacCtrlAdapter(TsSkinProvider* provider) : provider_(provider) {}

TacCtrlAdapter::~TacCtrlAdapter() {
  DropDeadItems();
  DropAllItems();
}

bool TacCtrlAdapter::Accepts(TControl* control) {
  if (!control || control->Tag == kSkipSkinTag) return false;
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed && (!windowed->HandleAllocated() || AlreadySkinned(control))) return false;
  if (dynamic_cast<TCustomLabel*>(control)) {
    bool canBeAdded = true;
    String section;
    if (provider_ && provider_->OnSkinItem) provider_->OnSkinItem(control, canBeAdded, section);
    return canBeAdded;
  }
  if (!windowed) return false;
  TsSkinManager* manager = provider_ ? provider_->Manager() : DefaultManager;
  return ThirdPartyListOf(manager, control->ClassName()) >= 0;
}

TacAdapterItem* TacCtrlAdapter::ItemAt(int index) const {
  return index >= 0 && index < ItemCount() ? items_[size_t(index)] : nullptr;
}

int TacCtrlAdapter::IndexOf(TControl* control) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (items_[size_t(i)] && items_[size_t(i)]->Control == control) return i;
  return -1;
}

void TacCtrlAdapter::AdaptControlAs(TControl* control, const String& section) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed || control->Tag == kSkipSkinTag || !control->Parent() || AlreadySkinned(control)) return;
  bool canBeAdded = true;
  String chosen = section;
  if (provider_ && provider_->OnSkinItem) provider_->OnSkinItem(control, canBeAdded, chosen);
  if (!canBeAdded) return;
  const int index = IndexOf(control);
  TacAdapterItem* item = index >= 0 ? items_[size_t(index)] : nullptr;
  if (!item) {
    item = new TacAdapterItem(this);
    item->Control = windowed;
    items_.push_back(item);
  }
  item->SkinData()->SetSkinSection(chosen);
  if (index >= 0) {
    if (item->Subclass() && item->Subclass()->Released) {
      item->DropSubclass();
      if (control->Parent()) item->HookControl(windowed);
    }
    return;
  }
  item->HookControl(windowed);
  if (!item->Subclass()) DropItem(ItemCount() - 1);
}

void TacCtrlAdapter::DropItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  TacAdapterItem* item = items_[size_t(index)];
  items_[size_t(index)] = items_.back();
  items_.pop_back();
  if (item) item->Free();
}

void TacCtrlAdapter::Broadcast(TMessage& message) {
  try {
    for (TacAdapterItem* item : std::vector<TacAdapterItem*>(items_))
      if (item && item->Live() && item->Control && item->Control->Parent())
        SendMessageW(item->Control->Handle(), message.Msg, message.WParam, message.LParam);
  } catch (...) {
    // A control failing to answer ends the broadcast; the others keep their look.
  }
}

void TacCtrlAdapter::DropDeadItems() {
  for (size_t i = 0; i < items_.size();) {
    TacAdapterItem* item = items_[i];
    if (item && item->Live()) {
      ++i;
      continue;
    }
    items_.erase(items_.begin() + std::ptrdiff_t(i));
    if (item) item->Free();
  }
}

void TacCtrlAdapter::DropAllItems() {
  if (DroppingAllItems) return;
  DroppingAllItems = true;
  struct TReset {
    ~TReset() { DroppingAllItems = false; }
  } reset;
  while (!items_.empty()) {
    TacAdapterItem* item = items_.back();
    items_.pop_back();
    if (item) item->Free();
  }
}

void TacCtrlAdapter::AdaptChild(TControl* control, bool ownedComponent) {
  if (Accepts(control)) {
    if (dynamic_cast<TWinControl*>(control)) {
      AdaptControlAs(control, L"EDIT");
    } else {
      auto* label = ownedComponent ? dynamic_cast<TCustomLabel*>(control) : dynamic_cast<TLabel*>(control);
      if (label && !dynamic_cast<TsCustomLabel*>(control) && DefaultManager) {
        label->SetTransparent(true);
        label->Font()->SetColor(DefaultManager->GlobalFontColor());
      }
    }
  }
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed && windowed->HandleAllocated() && windowed->Parent()) {
    scanning = false;
    ScanChildren(windowed);
  }
}

void TacCtrlAdapter::ScanChildren(TWinControl* parent) {
  TCustomForm* form = provider_ ? provider_->Form() : nullptr;
  if (provider_ && form) {
    bool onParent = false;
    for (int i = 0; i < form->ControlCount() && !onParent; ++i) {
      auto* child = dynamic_cast<TWinControl*>(form->Controls(i));
      onParent = child && child->ParentBackground();
    }
    provider_->ChildrenOnParentBackground = onParent;
  }
  TsSkinManager* manager = provider_ ? provider_->Manager() : DefaultManager;
  if (scanning || !manager || !manager->SkinningRules().Contains(srThirdParty)) return;
  scanning = true;
  struct TReset {
    ~TReset() { scanning = false; }
  } reset;
  if (!parent) parent = form;
  if (!parent) return;
  DropDeadItems();
  for (int i = 0; i < parent->ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(parent->Components(i))) AdaptChild(control, true);
  for (int i = 0; i < parent->ControlCount(); ++i) AdaptChild(parent->Controls(i), false);
}
