#include "ui/navbar/NavBarBase.h"

#include "ui/navbar/NavBar.h"

DEFINE_CLASS(TdxNavBarPersistent)
DEFINE_CLASS(TdxNavBarNexusPersistent)
DEFINE_CLASS(TdxNavBarComponentCollectionItem)
DEFINE_CLASS(TdxNavBarComponentCollection)

TdxCustomNavBar* NavBarOfPersistent(TPersistent* APersistent) {
  for (TPersistent* p = APersistent; p; p = p->GetOwner())
    if (auto* bar = dynamic_cast<TdxCustomNavBar*>(p)) return bar;
  return nullptr;
}

TPersistent* TdxNavBarPersistent::GetOwner() { return navBar_; }

// ---- TdxNavBarNexusPersistent -----------------------------------------------------------------

TdxNavBarNexusPersistent::TdxNavBarNexusPersistent(TPersistent* AOwner)
    : TcxOwnedPersistent(AOwner), notificator_(new TcxFreeNotificator(nullptr)) {
  notificator_->OnFreeNotification = [this](TObject* Sender) {
    FreeNotification(static_cast<TComponent*>(Sender));
  };
}

TdxNavBarNexusPersistent::~TdxNavBarNexusPersistent() { notificator_->Free(); }

// ---- collection items and collections --------------------------------------------------------

TdxCustomNavBar* TdxNavBarComponentCollectionItem::NavBar() const {
  return Collection() ? dynamic_cast<TdxCustomNavBar*>(Collection()->ParentComponent()) : nullptr;
}

void TdxNavBarComponentCollectionItem::MoveToIndex(int AIndex) {
  if (!Collection()) return;
  const int last = Collection()->ItemCount() - 1;
  TcxComponentCollectionItem::MoveToIndex(AIndex < 0 ? 0 : AIndex > last ? last : AIndex);
}

TdxNavBarComponentCollectionItem* TdxNavBarComponentCollection::Add() {
  return static_cast<TdxNavBarComponentCollectionItem*>(CreateItem());
}

TdxNavBarComponentCollectionItem* TdxNavBarComponentCollection::FindByName(const String& AName) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (ItemAt(i)->Name() == AName) return ItemAt(i);
  return nullptr;
}

void TdxNavBarComponentCollection::UpdateActionLinks() {
  for (int i = 0; i < ItemCount(); ++i) ItemAt(i)->UpdateActionLinks();
}

void TdxNavBarComponentCollection::AssignItemName(TcxComponentCollectionItem* AItem) {
  TComponent* parent = ParentComponent();
  AItem->SetName(MakeUniqueItemName(parent ? parent->Owner() : nullptr, parent, AItem, L"TdxNavBar", nullptr));
}
