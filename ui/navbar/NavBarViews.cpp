#include "ui/navbar/NavBarViews.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/NavBarPainter.h"

DEFINE_CLASS(TdxNavBarPainterFactItem)
DEFINE_CLASS(TdxNavBarViewsFactory)

TdxNavBarViewsFactory::~TdxNavBarViewsFactory() {
  for (TdxNavBarPainterFactItem* item : items_) item->Free();
}

void TdxNavBarViewsFactory::RegisterView(int AID, const String& AName, TdxNavBarPainterClass APainterClass) {
  if (IsRegistered(AID)) throw Exception(Format(dxNavBarResourceString(sdxNavBarViewExists), {AID}));
  if (APainterClass) RegisterClass(APainterClass);
  auto* item = new TdxNavBarPainterFactItem(AID, AName, APainterClass);
  const auto at = std::upper_bound(items_.begin(), items_.end(), AID,
                                   [](int id, const TdxNavBarPainterFactItem* entry) { return id < entry->ID; });
  items_.insert(at, item);
}

void TdxNavBarViewsFactory::UnregisterView(int AID) {
  const int index = IndexOfID(AID);
  if (index < 0) return;
  items_[size_t(index)]->Free();
  items_.erase(items_.begin() + index);
}

int TdxNavBarViewsFactory::IDAt(int AIndex) const {
  return AIndex >= 0 && AIndex < Count() ? items_[size_t(AIndex)]->ID : -1;
}

TdxNavBarPainterClass TdxNavBarViewsFactory::PainterClassAt(int AIndex) const {
  return AIndex >= 0 && AIndex < Count() ? items_[size_t(AIndex)]->PainterClassRef : nullptr;
}

String TdxNavBarViewsFactory::NameAt(int AIndex) const {
  return AIndex >= 0 && AIndex < Count() ? items_[size_t(AIndex)]->Name : String();
}

int TdxNavBarViewsFactory::IndexOfID(int AID) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[size_t(i)]->ID == AID) return i;
  return -1;
}

// ---- TdxNavBarViewsRegistry -------------------------------------------------------------------

TdxNavBarViewsFactory* TdxNavBarViewsRegistry::Factory() {
  if (!factory_ && !shutDown_) factory_ = new TdxNavBarViewsFactory;
  return factory_;
}

void TdxNavBarViewsRegistry::Shutdown() {
  shutDown_ = true;
  FreeAndNil(factory_);
}

void TdxNavBarViewsRegistry::RegisterView(int AID, const String& AName, TdxNavBarPainterClass APainterClass) {
  if (TdxNavBarViewsFactory* factory = Factory()) factory->RegisterView(AID, AName, APainterClass);
}

void TdxNavBarViewsRegistry::UnregisterView(int AID) {
  if (TdxNavBarViewsFactory* factory = Factory()) factory->UnregisterView(AID);
}

namespace {

TdxNavBarViewsRegistry* processRegistry = nullptr;

void FinalizeViews() {
  if (processRegistry) processRegistry->Shutdown();
}

const TUnitRegistration unit(nullptr, FinalizeViews);

}  // namespace

TdxNavBarViewsRegistry& dxNavBarViewsRegistry() {
  // Never destroyed: units may still ask after static destruction began.
  if (!processRegistry) processRegistry = new TdxNavBarViewsRegistry;
  return *processRegistry;
}

TdxNavBarViewsFactory* dxNavBarViewsFactory() { return dxNavBarViewsRegistry().Factory(); }

void RegisterView(int AID, const String& AName, TdxNavBarPainterClass APainterClass) {
  dxNavBarViewsRegistry().RegisterView(AID, AName, APainterClass);
}

void UnregisterView(int AID) { dxNavBarViewsRegistry().UnregisterView(AID); }
